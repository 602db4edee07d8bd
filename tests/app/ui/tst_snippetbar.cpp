// The snippet commands as a user reaches them: QuickBar buttons, the Insert and heading menus,
// Repeat Last Action by its shortcut, Select Tag and the Tag and Style Assistants in the real window.
#include "aids/core/myrichedit.h"
#include "aids/ui/quickbar.h"
#include "aids/ui/snippetcommands.h"
#include "app/ui/documenttab.h"
#include "editor/ui/codeeditview.h"
#include "windowharness.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

namespace {

// Answers the tag assistant; everything else goes to the window's own boxes.
class TEditTagAnswer : public Snippets::TAsker
{
public:
    explicit TEditTagAnswer(TWindowHarness &h) : m_h(h) {}
    QString Markup;
    QString SeenName;
    QString Rule; // the style assistant's answer; empty cancels it
    int StyleAsked = 0;
    bool Input(const QString &, const QString &prompt, QString &value) override
    {
        m_h.Prompts << prompt;
        value = m_h.Inputs.isEmpty() ? QString() : m_h.Inputs.takeFirst();
        return true;
    }
    bool Assistant(int, QString &, int &) override { return false; }
    bool EditSelectedTag(QString &code) override
    {
        SeenName = m_h.Window->ActiveEditor()->SelTagName();
        code = Markup;
        return !code.isEmpty();
    }
    bool StyleRule(QString &rule) override
    {
        ++StyleAsked;
        rule = Rule;
        return !rule.isEmpty();
    }
    bool PickFont(QString &, std::uint32_t &) override { return false; }
    bool PickColor(std::uint32_t &) override { return false; }
    void Message(const QString &, const QString &text, bool) override { m_h.Messages << text; }

private:
    TWindowHarness &m_h;
};

QString Text(TMyRichEdit *edit)
{
    return edit->Text().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

class TestSnippetBar : public QObject
{
    Q_OBJECT

    TWindowHarness h;
    TQuickBar *Bar() const { return h.Window->QuickBar(); }
    void Click(const char *button) { QTest::mouseClick(Bar()->Button(QLatin1String(button)), Qt::LeftButton); }
    TMyRichEdit *NewDocument()
    {
        h.Window->Action(QStringLiteral("New1"))->trigger();
        return h.Window->ActiveEditor();
    }

private Q_SLOTS:
    void init() { QVERIFY(h.Start()); }
    void cleanup() { h.Stop(); }

    void everyButtonIsLive()
    {
        for (QToolButton *b : Bar()->findChildren<QToolButton *>()) {
            if (b->objectName().isEmpty() || !b->property("Tag").isValid())
                continue;
            QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
            QVERIFY2(!b->toolTip().contains(QLatin1String("not available")), qPrintable(b->objectName()));
        }
        for (const char *name : {"Hyperlink1", "EigeneHomepageAdresse1", "EigeneeMailAdresse1", "HexadecimalColor1",
                                 "BRTag1", "TagSelect1", "TagAssistent1"})
            QVERIFY2(h.Window->Action(QLatin1String(name))->isEnabled(), name);
        QVERIFY(h.Window->findChild<QMenu *>(QStringLiteral("MetaTags1"))->isEnabled());
        Bar()->ScriptSelect()->setCurrentIndex(1);
        QCOMPARE(Bar()->Button(QStringLiteral("tbScpSelect"))->text(), QStringLiteral("select"));
    }

    void withoutADocumentTheAskingCommandAsksThenFails()
    {
        // Freeing the tab directly leaves the window without documents.
        while (h.Window->ActiveTab())
            delete h.Window->ActiveTab();
        h.Inputs = {QStringLiteral("a.htm")};
        Click("btnLink");
        QCOMPARE(h.Prompts, QStringList{QStringLiteral("Please enter Link destination:")});
        QCOMPARE(h.Messages, QStringList{QStringLiteral("No HTML-File opened")});
    }

    void buttonsMenusAndRepeat()
    {
        TMyRichEdit *edit = NewDocument();
        Bar()->TargetEdit()->setText(QStringLiteral("main"));
        h.Inputs = {QStringLiteral("a.htm")};
        h.Window->Action(QStringLiteral("Hyperlink1"))->trigger();
        QCOMPARE(Text(edit), QStringLiteral("<a href=\"a.htm\" target=\"main\"></a>\n"));
        QCOMPARE(edit->CaretXY(), BufferCoord(31, 1));

        edit->SetText(QString());
        Click("btnOLAB");
        QCOMPARE(h.Window->Flags().LastSnippet, 31);
        QVERIFY(h.Window->Action(QStringLiteral("Repeat1"))->isEnabled());
        // Repeat Last Action by its shortcut, as a key in the editor: the same list type again.
        QTest::keyClick(h.Window->ActiveTab()->View(), Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Text(edit).count(QLatin1String("type=\"A\"")), 2);

        edit->SetText(QString());
        QAction *h3 = nullptr;
        for (QAction *a : Bar()->HeadingMenu()->actions())
            if (a->objectName() == QLatin1String("H31"))
                h3 = a;
        QVERIFY(h3);
        h3->trigger();
        QCOMPARE(Text(edit), QStringLiteral("<h3></h3>\n"));
        QCOMPARE(edit->CaretXY(), BufferCoord(5, 1));
        h.Window->Action(QStringLiteral("Repeat1"))->trigger();
        QCOMPARE(Text(edit), QStringLiteral("<h3><h3></h3></h3>\n"));
    }

    void tagAssistantWritesTheTagBackAsOneStep()
    {
        TMyRichEdit *edit = NewDocument();
        edit->SetText(QStringLiteral("<p>a <font color=\"red\">hi</font> b</p>"));
        // The caret inside "<font" (SelStart counts from 1).
        edit->SetSelStart(10);
        TEditTagAnswer answer(h);
        answer.Markup = QStringLiteral("<font color=\"#0000FF\">hi</font>");
        h.Window->Snippets()->SetAsker(&answer);
        h.Window->Action(QStringLiteral("TagAssistent1"))->trigger();
        QCOMPARE(answer.SeenName, QStringLiteral("font"));
        QCOMPARE(Text(edit), QStringLiteral("<p>a <font color=\"#0000FF\">hi</font> b</p>\n"));
        QVERIFY(h.Window->ActiveTab()->View()->isEnabled());
        QVERIFY(edit->Modified());
        edit->Undo();
        QCOMPARE(Text(edit), QStringLiteral("<p>a <font color=\"red\">hi</font> b</p>\n"));

        // On a closing tag: the warning, and the assistant is not opened.
        answer.SeenName.clear();
        edit->SetSelStart(35);
        h.Window->Action(QStringLiteral("TagAssistent1"))->trigger();
        QCOMPARE(h.Messages.last(), QStringLiteral("Sorry, no tag found at cursor!"));
        QVERIFY(answer.SeenName.isEmpty());
        h.Window->Snippets()->SetAsker(nullptr);
    }

    void styleAssistantWritesItsRuleOverTheSelection()
    {
        TEditTagAnswer answer(h);
        h.Window->Snippets()->SetAsker(&answer);
        TMyRichEdit *edit = NewDocument();
        edit->SetText(QStringLiteral("<style>\nOLD\n</style>"));
        edit->SetSelStart(10);
        edit->SetSelEnd(13);
        answer.Rule = QStringLiteral("h1 {\r\n  color: #FF0000;\r\n}\r\n");
        Click("ToolbarButton9761");
        QCOMPARE(answer.StyleAsked, 1);
        QCOMPARE(Text(edit), QStringLiteral("<style>\nh1 {\n  color: #FF0000;\n}\n\n</style>\n"));
        // Not a snippet: Repeat Last Action does not open the assistant again.
        QVERIFY(h.Window->Flags().LastSnippet != 48);
        edit->Undo();
        QCOMPARE(Text(edit), QStringLiteral("<style>\nOLD\n</style>\n"));

        // Cancelled: nothing changes.
        answer.Rule.clear();
        Click("ToolbarButton9761");
        QCOMPARE(answer.StyleAsked, 2);
        QCOMPARE(Text(edit), QStringLiteral("<style>\nOLD\n</style>\n"));

        // Without a document the failure comes before the dialog, so no rule is made for nothing.
        while (h.Window->ActiveTab())
            delete h.Window->ActiveTab();
        Click("ToolbarButton9761");
        QCOMPARE(answer.StyleAsked, 2);
        QCOMPARE(h.Messages.last(), QStringLiteral("No HTML-File opened"));
        h.Window->Snippets()->SetAsker(nullptr);
    }
};

QTEST_MAIN(TestSnippetBar)
#include "tst_snippetbar.moc"
