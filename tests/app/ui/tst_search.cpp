// The window's search wiring: command enabling, the dialogs, go to, FindText and ReplaceInRange.
#include "aids/core/myrichedit.h"
#include "aids/ui/searchcommands.h"
#include "aids/ui/searchdialog.h"
#include "app/ui/mainwindow.h"
#include "platform/core/settingsstore.h"

#include <QAction>
#include <QComboBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

class TestSearch : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    std::unique_ptr<TSettingsStore> m_store;
    std::unique_ptr<TfrmHTMLEdit> m_window;
    QStringList m_messages;
    int m_beeps = 0;
    QString m_answer;

    TMyRichEdit *Editor() const { return m_window->ActiveEditor(); }
    void SetText(const QString &text)
    {
        Editor()->SetText(text);
        Editor()->SetCaretXY(BufferCoord(1, 1));
        m_window->UpdateControls();
    }

private Q_SLOTS:
    void initTestCase() { qputenv("TAGFORGE_NO_BROWSER", "1"); }

    void init()
    {
        m_store = std::make_unique<TSettingsStore>(m_dir.filePath(QStringLiteral("s.conf")));
        TMainWindowContext context;
        context.UserStore = m_store.get();
        context.ProgramDir = QStringLiteral(TAGFORGE_SOURCE_DIR);
        context.ShowMessage = [this](int, const QString &, const QString &text) { m_messages << text; };
        context.AskYesNo = [](const QString &, const QString &) { return true; };
        context.AskYesNoCancel = [](const QString &, const QString &) { return 0x00010000; }; // No
        context.Beep = [this] { ++m_beeps; };
        context.InputQuery = [this](const QString &, const QString &, QString &value) {
            value = m_answer;
            return true;
        };
        m_window = std::make_unique<TfrmHTMLEdit>(context);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_messages.clear();
        m_beeps = 0;
    }

    void cleanup()
    {
        m_window->close();
        m_window.reset();
    }

    void commandsFollowTheText()
    {
        const QStringList names = {"Find1", "FindNext1", "Replace1", "GotoLine1", "GotoChar1"};
        SetText(QString());
        for (const QString &name : names)
            QVERIFY2(!m_window->Action(name)->isEnabled(), qPrintable(name));
        SetText(QStringLiteral("<p>"));
        for (const QString &name : names)
            QVERIFY2(m_window->Action(name)->isEnabled(), qPrintable(name));
        QVERIFY(m_window->cbxFind()->isEnabled());
    }

    void findOpensTheModelessDialog()
    {
        SetText(QStringLiteral("<td>x</td>"));
        Editor()->SetSelStart(2);
        Editor()->SetSelEnd(4);
        m_window->Action(QStringLiteral("Find1"))->trigger();
        TSearchDialog *dialog = m_window->SearchCommands()->FindDialog1();
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->FindText(), QStringLiteral("td"));
        Editor()->SetCaretXY(BufferCoord(4, 1));
        m_window->Action(QStringLiteral("FindNext1"))->trigger();
        QCOMPARE(Editor()->BlockBegin(), BufferCoord(8, 1));
        m_window->Action(QStringLiteral("FindNext1"))->trigger();
        QCOMPARE(m_beeps, 1);
    }

    void findTextBeepsOnEmptyText()
    {
        SetText(QStringLiteral("abc"));
        QVERIFY(!m_window->FindText(QString(), {}));
        QCOMPARE(m_beeps, 1);
        QVERIFY(m_window->FindText(QStringLiteral("B"), {}));
        QCOMPARE(Editor()->SelText(), QStringLiteral("b"));
        QVERIFY(!m_window->FindText(QStringLiteral("B"), soMatchCase));
    }

    void gotoReportsAnInvalidNumber()
    {
        SetText(QStringLiteral("a\nb\nc"));
        m_answer = QStringLiteral("x1");
        m_window->Action(QStringLiteral("GotoLine1"))->trigger();
        QCOMPARE(m_messages, QStringList({"'x1' is not a valid integer value."}));
        m_answer = QStringLiteral("3");
        m_window->Action(QStringLiteral("GotoLine1"))->trigger();
        QCOMPARE(Editor()->CaretY(), 3);
    }

    void replaceInRangeHonoursEntityDirection()
    {
        SetText(QStringLiteral("a<b\na<b"));
        int start = 1;
        int end = 4;
        m_window->ReplaceInRange(start, end, QStringLiteral("<"), QStringLiteral("&lt;"));
        QCOMPARE(Editor()->Text(), QStringLiteral("a&lt;b\r\na<b\r\n"));
        QCOMPARE(end, 7);
        m_window->State().Set(&TWindowFlags::EntityDirection, true);
        end = 12;
        m_window->ReplaceInRange(start, end, QStringLiteral("<"), QStringLiteral("&lt;"));
        QCOMPARE(Editor()->Text(), QStringLiteral("a<b\r\na<b\r\n"));
        QCOMPARE(end, 9);
        Editor()->Undo(); // each replacement undoes on its own
        QCOMPARE(Editor()->Text(), QStringLiteral("a&lt;b\r\na<b\r\n"));
    }
};

QTEST_MAIN(TestSearch)
#include "tst_search.moc"
