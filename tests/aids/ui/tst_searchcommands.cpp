// Tests of the search commands: dialogs, Find Next, the fast-search box, go to, enabling.
#include "aids/ui/searchcommands.h"
#include "aids/ui/searchdialog.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>

#include <memory>
#include <stdexcept>

Q_DECLARE_METATYPE(TBufferCoord)

namespace {

QString Pos(const TCodeEdit &edit)
{
    return QStringLiteral("%1,%2").arg(edit.BlockBegin().X).arg(edit.BlockBegin().Y);
}

} // namespace

class TestSearchCommands : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<QWidget> m_window;
    QToolBar *m_bar = nullptr;
    QComboBox *m_box = nullptr;
    QHash<QString, QAction *> m_actions;
    std::unique_ptr<TCodeEdit> m_edit;
    TSearchCommands *m_commands = nullptr;
    bool m_haveDocument = true;
    int m_beeps = 0;
    QStringList m_errors;
    QStringList m_queries;
    bool m_confirm = true;
    QString m_answer;

private Q_SLOTS:
    void init()
    {
        m_window = std::make_unique<QWidget>();
        m_bar = new QToolBar(m_window.get());
        m_box = new QComboBox(m_bar);
        m_box->setEditable(true);
        m_bar->addWidget(m_box);
        m_actions.clear();
        for (const char *name : {"Find1", "FindNext1", "Replace1", "GotoLine1", "GotoChar1"})
            m_actions.insert(QLatin1String(name), new QAction(m_window.get()));
        m_actions.value("GotoLine1")->setText("&Go to Line...");
        m_edit = std::make_unique<TCodeEdit>();
        m_haveDocument = true;
        m_beeps = 0;
        m_errors.clear();
        m_queries.clear();
        m_confirm = true;

        TSearchContext context;
        context.Parent = m_window.get();
        context.ActiveEditor = [this]() -> TCodeEdit * {
            if (!m_haveDocument)
                throw std::runtime_error("No HTML-File opened");
            return m_edit.get();
        };
        context.CurrentEditor = [this]() { return m_haveDocument ? m_edit.get() : nullptr; };
        context.Action = [this](const QString &name) { return m_actions.value(name); };
        context.cbxFind = m_box;
        context.RunGuarded = [this](const std::function<void()> &command) {
            try {
                command();
            } catch (const std::exception &e) {
                m_errors << QString::fromUtf8(e.what());
            }
        };
        context.Beep = [this] { ++m_beeps; };
        context.InputQuery = [this](const QString &caption, const QString &prompt, QString &value) {
            m_queries << caption + "|" + prompt + "|" + value;
            value = m_answer;
            return m_confirm;
        };
        m_commands = new TSearchCommands(context, m_window.get());
    }

    void cleanup()
    {
        m_window.reset();
        m_edit.reset();
    }

    void openingFindTakesShortSelections_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("expected");
        QTest::newRow("find, 29 characters") << false << 29 << QString(29, u'x');
        QTest::newRow("find, 30 characters") << false << 30 << "old";
        QTest::newRow("replace, 3 characters") << true << 3 << "xxx";
        QTest::newRow("replace, no selection") << true << 0 << "old";
    }
    void openingFindTakesShortSelections()
    {
        QFETCH(bool, replace);
        QFETCH(int, length);
        QFETCH(QString, expected);
        TSearchDialog *dialog = replace ? m_commands->ReplaceDialog1() : m_commands->FindDialog1();
        dialog->SetFindText("old");
        m_edit->SetText(QString(40, u'x'));
        m_edit->SetSelStart(1);
        m_edit->SetSelEnd(1 + length);
        m_actions.value(replace ? "Replace1" : "Find1")->trigger();
        QCOMPARE(dialog->FindText(), expected);
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->isModal());
    }

    void findUpSearchesBackwardsReplaceStillForwards()
    {
        m_edit->SetText(u"a a a");
        m_edit->SetCaretXY(BufferCoord(4, 1));
        TSearchDialog *find = m_commands->FindDialog1();
        find->SetFindText("a");
        find->UpButton()->setChecked(true);
        find->FindNextButton()->click();
        QCOMPARE(Pos(*m_edit), QStringLiteral("3,1"));
        m_actions.value("FindNext1")->trigger(); // F3 repeats with the find dialog's options
        QCOMPARE(Pos(*m_edit), QStringLiteral("1,1"));
        m_actions.value("FindNext1")->trigger();
        QCOMPARE(m_beeps, 1);

        TSearchDialog *replace = m_commands->ReplaceDialog1();
        replace->SetFindText("a");
        replace->ReplaceEdit()->setText("b");
        m_edit->SetCaretXY(BufferCoord(2, 1));
        replace->ReplaceButton()->click();
        QCOMPARE(m_edit->Lines()[0], QStringLiteral("a b a"));
        replace->ReplaceAllButton()->click();
        QCOMPARE(m_edit->Lines()[0], QStringLiteral("a b b"));
        QCOMPARE(m_beeps, 1);
        replace->ReplaceAllButton()->click(); // nothing left after the caret
        QCOMPARE(m_beeps, 2);
    }

    void matchCaseAndWholeWordReachTheSearch()
    {
        m_edit->SetText(u"in begin IN in");
        TSearchDialog *find = m_commands->FindDialog1();
        find->SetFindText("in");
        find->WholeWordBox()->setChecked(true);
        find->MatchCaseBox()->setChecked(true);
        find->FindNextButton()->click();
        QCOMPARE(Pos(*m_edit), QStringLiteral("1,1"));
        find->FindNextButton()->click();
        QCOMPARE(Pos(*m_edit), QStringLiteral("13,1"));
    }

    void enterInTheBoxKeepsHistoryAndContinues()
    {
        m_edit->SetText(u"td td td");
        QLineEdit *edit = m_box->lineEdit();
        edit->setText("td");
        QStringList found;
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(edit, Qt::Key_Return);
            found << Pos(*m_edit);
        }
        QCOMPARE(m_box->count(), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(m_box->itemText(i), QStringLiteral("td"));
        QCOMPARE(found, QStringList({"1,1", "4,1", "7,1"}));
        QCOMPARE(m_commands->FindDialog1()->FindText(), QStringLiteral("td"));
        QCOMPARE(m_commands->ReplaceDialog1()->FindText(), QStringLiteral("td"));
    }

    void fastSearchWithEmptyBoxOpensFind()
    {
        m_edit->SetText(u"abc");
        m_box->setCurrentText(QString());
        m_commands->btnFind()->trigger();
        QVERIFY(m_commands->FindDialog1()->isVisible());
        QVERIFY(!m_edit->SelAvail());
        QCOMPARE(m_beeps, 0);
    }

    void withoutDocument()
    {
        m_haveDocument = false;
        m_actions.value("FindNext1")->trigger(); // does nothing
        QVERIFY(m_errors.isEmpty());
        m_actions.value("Find1")->trigger();
        QCOMPARE(m_errors, QStringList({"No HTML-File opened"}));
        QVERIFY(!m_commands->FindDialog1()->isVisible());
        m_actions.value("GotoLine1")->trigger();
        QCOMPARE(m_errors.size(), 2);
        QVERIFY(m_queries.isEmpty()); // no question without a document
    }

    void gotoQuery_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<TBufferCoord>("caret");
        QTest::addColumn<QString>("error");
        QTest::newRow("line past the end") << "GotoLine1" << true << "99999" << BufferCoord(4, 10) << "";
        QTest::newRow("character 1") << "GotoChar1" << true << "1" << BufferCoord(1, 1) << "";
        QTest::newRow("cancelled") << "GotoLine1" << false << "" << BufferCoord(4, 2) << "";
        QTest::newRow("not a number") << "GotoLine1" << true << "abc" << BufferCoord(4, 2)
                                      << "'abc' is not a valid integer value.";
        QTest::newRow("empty entry") << "GotoChar1" << true << "" << BufferCoord(4, 2)
                                     << "'' is not a valid integer value.";
    }
    void gotoQuery()
    {
        QFETCH(QString, action);
        QFETCH(bool, confirm);
        QFETCH(QString, answer);
        QFETCH(TBufferCoord, caret);
        QFETCH(QString, error);
        QStringList lines;
        for (int i = 1; i <= 10; ++i)
            lines << QStringLiteral("text %1").arg(i);
        m_edit->SetText(lines.join("\n"));
        m_edit->SetCaretXY(BufferCoord(4, 2));
        m_confirm = confirm;
        m_answer = answer;
        m_actions.value(action)->trigger();
        QCOMPARE(m_edit->CaretXY(), caret);
        QCOMPARE(m_errors, error.isEmpty() ? QStringList() : QStringList({error}));
        QCOMPARE(m_queries.size(), 1);
        if (action == "GotoLine1")
            QCOMPARE(m_queries.first(), QStringLiteral("Go to Line|Please enter number:|"));
    }

    void commandsNeedText()
    {
        m_commands->UpdateControls(m_edit.get());
        for (QAction *a : m_actions)
            QVERIFY(!a->isEnabled());
        QVERIFY(!m_commands->btnFind()->isEnabled());
        m_edit->SetText(u"x");
        m_commands->UpdateControls(m_edit.get());
        for (QAction *a : m_actions)
            QVERIFY(a->isEnabled());
        QVERIFY(m_commands->btnFind()->isEnabled());
        QVERIFY(m_bar->actions().contains(m_commands->btnFind()));
    }
};

QTEST_MAIN(TestSearchCommands)
#include "tst_searchcommands.moc"
