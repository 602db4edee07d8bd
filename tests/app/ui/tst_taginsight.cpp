// Tag completion and tag hints in the window: bracket completion, the list after a pause, choosing
// entries, the parameter strip and tooltip, and where no hints may appear.
#include "aids/core/myrichedit.h"
#include "aids/core/tagdata.h"
#include "aids/ui/myhintwindow.h"
#include "aids/ui/taginsight.h"
#include "aids/ui/taginsightlist.h"
#include "app/ui/documenttab.h"
#include "app/ui/mainstatusbar.h"
#include "app/ui/mainwindow.h"
#include "editor/ui/codeeditview.h"
#include "platform/core/settingsstore.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

class TestTagInsightWindow : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    int m_configs = 0;
    std::unique_ptr<TSettingsStore> m_store;
    std::unique_ptr<TfrmHTMLEdit> m_window;
    QStringList m_messages;
    QStringList m_questions;
    bool m_answer = true;

    std::unique_ptr<TfrmHTMLEdit> Open(const QString &programDir)
    {
        m_store = std::make_unique<TSettingsStore>(m_dir.filePath(QStringLiteral("c%1.conf").arg(++m_configs)));
        TMainWindowContext context;
        context.UserStore = m_store.get();
        context.ProgramDir = programDir;
        context.ShowMessage = [this](int, const QString &, const QString &text) { m_messages << text; };
        context.AskYesNo = [this](const QString &, const QString &text) {
            m_questions << text;
            return m_answer;
        };
        context.AskYesNoCancel = [](const QString &, const QString &) { return int(QMessageBox::No); };
        context.TimersDrivenByCaller = true;
        return std::make_unique<TfrmHTMLEdit>(context);
    }

    TTagInsight *Aid() const { return m_window->TagInsightAid(); }
    TTagInsightList *List() const { return Aid()->lbTagInsight(); }
    TMyHintWindow *Hint() const { return Aid()->HintWindow(); }
    TCodeEditView *View() const { return m_window->ActiveTab()->View(); }
    TMyRichEdit *Editor() const { return m_window->ActiveEditor(); }
    QString Strip() const { return m_window->findChild<QLineEdit *>(QStringLiteral("mmoTagHint"))->text(); }

    // Puts text into the editor with the caret at "|", as a click would, without typing.
    void Place(const QString &marked)
    {
        QString text = marked;
        const int bar = int(text.indexOf(QLatin1Char('|')));
        text.remove(bar, 1);
        Editor()->SetText(text);
        Editor()->SetSelStart(bar + 1);
    }

    QString Line() const { return Editor()->Lines()[0]; }

    // What the one-second tick and the aid's delay do once the user has paused.
    void Pause()
    {
        m_window->Tick();
        Aid()->Timer2Timer();
    }

    bool NothingShown() const { return !List()->isVisible() && !Hint()->isVisible() && Strip().isEmpty(); }

    QStringList Parameters(const QString &tag) const
    {
        for (const TMyHTMLTag &t : m_window->TagInsightAid()->InsightTags())
            if (t.Name == tag)
                return t.Strings;
        return {};
    }

    QStringList Entries() const
    {
        QStringList entries;
        for (int i = 0; i < List()->count(); ++i)
            entries << List()->item(i)->text();
        return entries;
    }

private Q_SLOTS:
    void initTestCase() { qputenv("TAGFORGE_NO_BROWSER", "1"); }

    void init()
    {
        m_window = Open(QStringLiteral(TAGFORGE_SOURCE_DIR));
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        View()->setFocus();
        Editor()->SetText(QString());
        m_window->State().Set(&TWindowFlags::Typing, false);
        m_messages.clear();
    }

    void cleanup()
    {
        m_window->close();
        m_window.reset();
    }

    void bracketCompletion_data()
    {
        QTest::addColumn<bool>("completion");
        QTest::addColumn<QString>("text");
        QTest::newRow("on") << true << "<>";
        QTest::newRow("off") << false << "<";
    }

    void bracketCompletion()
    {
        QFETCH(bool, completion);
        QFETCH(QString, text);
        m_window->State().Set(&TWindowFlags::TagCompletion, completion);
        // After a bound key, as when the caret was just moved with an arrow.
        QTest::keyClick(View(), Qt::Key_Down);
        QTest::keyClick(View(), '<');
        QCOMPARE(Line(), text);
        QCOMPARE(Editor()->SelStart(), 2);
        QCOMPARE(m_window->Flags().Typing, completion);
        Editor()->Undo();
        QCOMPARE(Line(), QString());
    }

    void typingShowsTheListOnlyAfterThePause()
    {
        QTest::keyClick(View(), '<');
        QTest::keyClick(View(), 't');
        m_window->Tick();
        QVERIFY(!List()->isVisible());
        // A key while the delay runs means the user goes on typing: nothing is shown yet.
        QTest::keyClick(View(), 'a');
        Aid()->Timer2Timer();
        QVERIFY(!List()->isVisible());
        m_window->Tick();
        QVERIFY(!List()->isVisible());
        Aid()->Timer2Timer();
        QVERIFY(List()->isVisible());
        QCOMPARE(List()->Tag(), 3);
        QCOMPARE(m_window->StatusBar()->PanelText(TMainStatusBar::Message), TTagInsight::StatusText());
    }

    void choosingANameCompletesIt()
    {
        QTest::keyClicks(View(), QStringLiteral("<ta"));
        Pause();
        QVERIFY(List()->isVisible());
        const QStringList entries = Entries();
        QCOMPARE(entries.first(), QStringLiteral("TABLE"));
        QVERIFY(entries.contains(QStringLiteral("DATA")));
        for (const QString &e : entries.mid(1))
            QVERIFY2(e.indexOf(QStringLiteral("TA")) > 0, qPrintable(e));
        QVERIFY(m_window->Flags().InsightShown);

        QTest::keyClick(View(), Qt::Key_Down);
        QVERIFY(List()->hasFocus());
        QCOMPARE(List()->currentRow(), 1);
        QCOMPARE(Editor()->CaretX(), 4); // the Down key did not reach the editor
        QTest::keyClick(List(), Qt::Key_Up);
        QTest::keyClick(List(), Qt::Key_Return);
        QCOMPARE(Line(), QStringLiteral("<table>"));
        QCOMPARE(Editor()->CaretX(), 7);
        QVERIFY(!List()->isVisible());
        QVERIFY(!m_window->Flags().InsightShown);
        QVERIFY(View()->hasFocus());
        // The completed name is a known tag: its hints follow.
        Pause();
        QVERIFY(Hint()->isVisible());
        QCOMPARE(Hint()->Lines(), Parameters(QStringLiteral("TABLE")));
    }

    void knownTagShowsItsParameters()
    {
        QTest::keyClicks(View(), QStringLiteral("<a"));
        QVERIFY(Strip().isEmpty());
        Pause();
        QVERIFY(Hint()->isVisible());
        const QStringList parameters = Parameters(QStringLiteral("A"));
        QVERIFY(!parameters.isEmpty());
        QCOMPARE(Strip(), QLatin1Char(' ') + parameters.join(QLatin1Char(' ')));
        QCOMPARE(Hint()->Lines(), parameters);
        QCOMPARE(Hint()->width(), 450); // a long text wraps
        QVERIFY(Hint()->height() > 3 * QFontMetrics(Hint()->font()).height());
        QCOMPARE(Editor()->SelTagName(), QStringLiteral("a"));

        // Leaving the editor takes the tooltip away.
        m_window->findChild<QLineEdit *>(QStringLiteral("mmoTagHint"))->setFocus();
        QVERIFY(!View()->hasFocus());
        QTRY_VERIFY(!Hint()->isVisible());
    }

    void blankOffersParametersWithTheCaretBetweenQuotes()
    {
        QTest::keyClicks(View(), QStringLiteral("<a "));
        Pause();
        QVERIFY(List()->isVisible());
        QCOMPARE(List()->Tag(), 0);
        QCOMPARE(Entries().first(), QStringLiteral("HREF=\"\""));
        QVERIFY(!m_window->Flags().InsightShown);
        QVERIFY(!Hint()->isVisible());

        QTest::keyClick(View(), Qt::Key_Down);
        QTest::keyClick(List(), Qt::Key_Up);
        QTest::keyClick(List(), Qt::Key_Space);
        QCOMPARE(Line(), QStringLiteral("<a href=\"\">"));
        QCOMPARE(Editor()->SelStart(), 10);
        Pause();
        QVERIFY(NothingShown());
    }

    void noHintsHere_data()
    {
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selEnd");
        // <a> </a> <a href=""> <!DOCTYPE html> (positions count from 1)
        QTest::newRow("between double quotes") << 19 << 19;
        QTest::newRow("known tag without parameters") << 31 << 31;
        QTest::newRow("after closing bracket") << 4 << 4;
        QTest::newRow("end tag") << 8 << 8;
        QTest::newRow("selection") << 2 << 3;
    }

    void noHintsHere()
    {
        QFETCH(int, selStart);
        QFETCH(int, selEnd);
        Place(QStringLiteral("<a|> </a> <a href=\"\"> <!DOCTYPE html>"));
        Pause();
        QVERIFY(Hint()->isVisible());
        Editor()->SetSelStart(selStart);
        Editor()->SetSelEnd(selEnd);
        Pause();
        QVERIFY(NothingShown());
    }

    void lettersGoBackToTheEditorEscapeCloses()
    {
        QTest::keyClicks(View(), QStringLiteral("<ta"));
        Pause();
        QVERIFY(List()->isVisible());
        QTest::keyClick(View(), Qt::Key_Down);
        QTest::keyClick(List(), Qt::Key_B);
        QCOMPARE(Line(), QStringLiteral("<tab>"));
        QVERIFY(View()->hasFocus());
        QVERIFY(!List()->isVisible());
        Pause();
        QVERIFY(List()->isVisible());
        QCOMPARE(Entries(), QStringList{QStringLiteral("TABLE")});
        // With one entry, Down selects it.
        QTest::keyClick(View(), Qt::Key_Down);
        QCOMPARE(List()->currentRow(), 0);
        QTest::keyClick(List(), Qt::Key_Escape);
        QVERIFY(!List()->isVisible());
        QVERIFY(!m_window->Flags().InsightShown);
        QVERIFY(View()->hasFocus());
        QCOMPARE(Line(), QStringLiteral("<tab>"));
    }

    void editUnderAnOpenListRefreshesIt()
    {
        Place(QStringLiteral("<ta|b c"));
        Pause();
        QVERIFY(List()->isVisible());
        QCOMPARE(Entries(), QStringList{QStringLiteral("TABLE")});
        QTest::keyClick(View(), Qt::Key_Delete);
        QCOMPARE(Line(), QStringLiteral("<ta c"));
        Pause();
        QVERIFY(List()->isVisible());
        QCOMPARE(Aid()->InsightLen, 2);
        QTest::keyClick(View(), Qt::Key_Down);
        QTest::keyClick(List(), Qt::Key_Up);
        QTest::keyClick(List(), Qt::Key_Return);
        QCOMPARE(Line(), QStringLiteral("<table c"));
    }

    void tagHelperOff()
    {
        m_window->State().Set(&TWindowFlags::TagInsight, false);
        QTest::keyClicks(View(), QStringLiteral("<ta"));
        Pause();
        Pause();
        QVERIFY(NothingShown());
    }

    void missingDataFiles_data()
    {
        QTest::addColumn<bool>("goOn");
        QTest::newRow("continue") << true;
        QTest::newRow("stop") << false;
    }

    void missingDataFiles()
    {
        QFETCH(bool, goOn);
        m_window.reset();
        m_messages.clear();
        m_questions.clear();
        m_answer = goOn;
        QTemporaryDir empty;
        m_window = Open(empty.path());
        QCOMPARE(m_questions, QStringList{TagData::InsightErrorText()});
        QVERIFY(m_messages.contains(TagData::TagNamesErrorText()));
        QCOMPARE(m_window->TerminateRequested(), !goOn);
        QVERIFY(m_window->TagInsightAid()->InsightTags().isEmpty());
        QCOMPARE(m_window->TagInsightAid()->TagNames().Count(), 0);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TestTagInsightWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_taginsight.moc"
