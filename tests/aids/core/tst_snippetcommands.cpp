// Every snippet command on a real editor: what it inserts for a given selection, where the caret
// (or the kept selection) ends up, and what its prompts' Cancel paths leave behind.
#include "aids/core/myrichedit.h"
#include "aids/core/snippetcommands.h"
#include "aids/core/snippetplacement.h"

#include <QTest>

using namespace Snippets;

namespace {

// Answers prompts from a script. An input answer of "<cancel>" cancels that box.
class TScriptedAsker : public TAsker
{
public:
    QStringList Inputs;
    QStringList Asked; // caption|prompt|initial value of each input box
    QString AssistantCode;
    int AssistantBack = 0;
    int AssistantPage = -1;
    QString Font = QStringLiteral("Serif");
    std::uint32_t Color = 0x1020FF;
    bool CancelDialogs = false;
    QString Shown;

    bool Input(const QString &caption, const QString &prompt, QString &value) override
    {
        Asked << caption + QLatin1Char('|') + prompt + QLatin1Char('|') + value;
        const QString answer = Inputs.isEmpty() ? QString() : Inputs.takeFirst();
        if (answer == QLatin1String("<cancel>"))
            return false;
        value = answer;
        return true;
    }
    bool Assistant(int page, QString &code, int &cursorBack) override
    {
        AssistantPage = page;
        code = CancelDialogs ? QString() : AssistantCode;
        cursorBack = AssistantBack;
        return !code.isEmpty();
    }
    bool EditSelectedTag(QString &) override { return false; }
    bool PickFont(QString &family, std::uint32_t &rgb) override
    {
        family = Font;
        rgb = Color;
        return !CancelDialogs;
    }
    bool PickColor(std::uint32_t &rgb) override
    {
        rgb = Color;
        return !CancelDialogs;
    }
    void Message(const QString &caption, const QString &text, bool) override
    {
        Shown = caption + QLatin1Char('|') + text;
    }
};

// Text with "|" for the caret, or "[" and "]" around the selection; lines broken by "\n".
void Load(TCodeEdit &edit, QString marked)
{
    const qsizetype open = marked.indexOf(u'[');
    const qsizetype close = marked.indexOf(u']');
    const qsizetype caret = marked.indexOf(u'|');
    marked.remove(u'[').remove(u']').remove(u'|');
    edit.SetText(marked);
    const auto position = [&](qsizetype at) { return int(at + marked.left(at).count(u'\n')) + 1; };
    if (open >= 0) {
        edit.SetSelStart(position(open));
        edit.SetSelEnd(position(close - 1));
    } else {
        edit.SetSelStart(position(caret >= 0 ? caret : marked.size()));
    }
}

QString Marked(const TCodeEdit &edit)
{
    QString text = edit.Text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.chop(1);
    const auto index = [&](int position) {
        // Positions count a line break twice; the marked text has one character for it.
        int left = position - 1;
        qsizetype i = 0;
        for (; i < text.size() && left > 0; ++i)
            left -= text[i] == u'\n' ? 2 : 1;
        return i;
    };
    if (edit.SelAvail()) {
        const qsizetype b = index(edit.SelStart());
        const qsizetype e = index(edit.SelEnd());
        return text.left(b) + u'[' + text.mid(b, e - b) + u']' + text.mid(e);
    }
    const qsizetype c = index(edit.SelStart());
    return text.left(c) + u'|' + text.mid(c);
}

} // namespace

class TestSnippetCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commandInEditor_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("variant");
        QTest::addColumn<int>("script");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        using L = QStringList;
        const QString none;
        // clang-format off
        const struct { int c; const char *variant; int script; L answers; const char *before; const char *after; } rows[] = {
            {1, "", 0, L{"a.htm"}, "x|y", "x<a href=\"a.htm\">|</a>y"},
            {2, "", 0, L{"me@x.org"}, "|", "<a href=\"mailto:me@x.org\">|</a>"},
            {3, "", 0, L{"top"}, "|", "<a name=\"top\">|</a>"},
            {6, "", 0, L{}, "|", "<a href=\"http://home\">|Home</a>"},
            {7, "", 0, L{}, "|", "<a href=\"mailto:me@home\">|My eMail Address</a>"},
            {9, "", 0, L{}, "|", "<font face=\"Serif\" color=\"#1020FF\">|</font>"},
            {10, "", 0, L{}, "|", "<font size=\"+1\">|</font>"},
            {11, "", 0, L{}, "|", "<font size=\"-1\">|</font>"},
            {12, "", 0, L{}, "x|y", "x<b>|</b>y"},
            {12, "", 0, L{}, "x[hello]y", "x<b>[hello]</b>y"},
            {13, "", 0, L{}, "|", "<i>|</i>"},
            {14, "", 0, L{}, "|", "<u>|</u>"},
            {15, "", 0, L{}, "|", "<sup>|</sup>"},
            {16, "", 0, L{}, "|", "<sub>|</sub>"},
            {17, "", 0, L{}, "|", "<p>\n|"},
            {18, "", 0, L{}, "ab|cd", "ab<br>\n|cd"},
            {18, "", 0, L{}, "  ab|cd", "  ab<br>\n  |cd"},
            {20, "", 0, L{}, "|", "<p align=\"left\">|</p>"},
            {21, "", 0, L{}, "|", "<p align=\"center\">|</p>"},
            {22, "", 0, L{}, "|", "<p align=\"right\">|</p>"},
            {23, "", 0, L{}, "|", "<p align=\"justify\">|</p>"},
            {24, "", 0, L{}, "|", "<ul>|</ul>"},
            {25, "", 0, L{}, "a[b]c", "a&nbsp;|c"},
            {26, "", 0, L{}, "|", "<em>|</em>"},
            {27, "", 0, L{}, "|", "<pre>|</pre>"},
            {29, "", 0, L{}, "|", "<ul>\n  <li>|\n</ul>"},
            {29, "", 0, L{}, "\t|", "\t<ul>\n\t  <li>|\n\t</ul>"},
            {30, "", 0, L{}, "|", "<ol>\n  <li>|\n</ol>"},
            {31, "I", 0, L{}, "|", "<ol start=\"1\" type=\"I\">\n  <li>|\n</ol>"},
            {31, "i", 0, L{}, "|", "<ol start=\"1\" type=\"i\">\n  <li>|\n</ol>"},
            {31, "A", 0, L{}, "|", "<ol start=\"1\" type=\"A\">\n  <li>|\n</ol>"},
            {31, "", 0, L{}, "|", "<ol start=\"1\" type=\"a\">\n  <li>|\n</ol>"},
            {32, "", 0, L{}, "|", "<li>|"},
            {33, "", 0, L{}, "|", "<dl>\n<dt><dd>\n|</dl>"},
            {34, "", 0, L{}, "|", "<dt>|<dd>"},
            {37, "", 0, L{}, "|", "<input type=\"Submit\" name=\"\" value=\"\">|"},
            {38, "", 0, L{}, "|", "<input type=\"reset\">|"},
            {39, "", 0, L{}, "|", "<input type=\"Text\" name=\"\" value=\"\" size=\"\" maxlength=\"\">|"},
            {40, "", 0, L{}, "|", "<input type=\"Password\" name=\"\" value=\"\" size=\"\" maxlength=\"\">|"},
            {41, "", 0, L{}, "|", "<input type=\"Hidden\" name=\"\" value=\"\">|"},
            {43, "", 0, L{}, "|", "<input type=\"Radio\" name=\"\" value=\"\">|"},
            {44, "", 0, L{}, "|", "<input type=\"Checkbox\" name=\"\" value=\"\">|"},
            {45, "", 0, L{}, "|", "<select name=\"aa\" size=\"12\" multiple>\n|</select>"},
            {46, "", 0, L{}, "|", "<option |value=\"\">"},
            {47, "", 0, L{}, "|", "<style type=\"text/css\">\n<!--|\n\n-->"},
            {49, "", 0, L{}, "|", "<script language=\"JavaScript\">\n<!--\n|\n-->\n</script>\n<noscript></noscript>"},
            {49, "", 1, L{}, "|", "<script language=\"VBScript\" type=\"text/vbscript\">\n<!--\n|\n-->\n</script>\n<noscript></noscript>"},
            {50, "", 0, L{}, "|", "if () {\n|\n}"},
            {50, "", 1, L{}, "|", "IF |THEN\n\nend IF"},
            {51, "", 0, L{}, "|", "if () {\n|\n} else {\n\n}"},
            {51, "", 1, L{}, "|", "IF THEN|\n\nELSE\n\nend IF"},
            {52, "", 0, L{}, "|", "do {\n\n} while (|)"},
            {52, "", 1, L{}, "|", "DO WHILE\n|\nLOOP"},
            {53, "", 0, L{}, "|", "switch () {\n|\ndefault:\n}"},
            {53, "", 1, L{}, "|", "SELECT CASE\n\nCASE\n\n|CASE ELSE\n\nend SELECT"},
            {54, "", 0, L{}, "|", "function () {\n|\nreturn\n}"},
            {54, "", 1, L{}, "|", "FUNCTION ()\n|\nend FUNCTION"},
            {59, "", 0, L{}, "|", "<frameset>|</frameset>"},
            {60, "", 0, L{}, "|", "<frame>|"},
            {61, "", 0, L{}, "|", "<iframe>|</iframe>"},
            {62, "", 0, L{}, "|", "<noframes>|</noframes>"},
            {101, "", 0, L{}, "|", "<center>|</center>"},
            {102, "", 0, L{}, "|", "<div align=\"left\">|</div>"},
            {103, "", 0, L{}, "|", "<div align=\"right\">|</div>"},
            {104, "", 0, L{}, "|", "<!--|  -->"},
            {105, "", 0, L{"robots", "noindex"}, "|", "<meta name=\"robots\" content=\"noindex\">|"},
            {105, "", 0, L{"robots", "<cancel>"}, "|", "<meta name=\"robots\">|"},
            {106, "", 0, L{}, "|", "<strike>|</strike>"},
            {107, "", 0, L{}, "|", "<blink>|</blink>"},
            {108, "", 0, L{}, "|", "<marquee>|</marquee>"},
            {109, "", 0, L{}, "|", "<blockquote>|</blockquote>"},
            {110, "", 0, L{}, "|", "<applet code=\"\" width=\"\" height=\"\">\n|\n</applet>"},
            {111, "", 0, L{}, "|", "<object ID=\"\" clsid=\"\" width=\"\" height=\"\">\n|\n</object>"},
            {112, "", 0, L{}, "|", "<noscript>|</noscript>"},
            {113, "", 0, L{}, "|", "document.write(\"|\")"},
            {114, "", 0, L{"a.mid", "0"}, "|", "<bgsound src=\"a.mid\" loop=\"INFINITE\">|"},
            {114, "", 0, L{"a.mid", "3"}, "|", "<bgsound src=\"a.mid\" loop=\"3\">|"},
            {115, "", 0, L{}, "|", "#1020FF|"},
            {116, "", 0, L{}, "|", "<table bgcolor=\"\" width=\"\">\n    <tr>\n        <td>|</td>\n    </tr>\n</table>\n"},
            {117, "", 0, L{}, "|", "<tr>\n|\n</tr>"},
            {118, "", 0, L{}, "|", "<td>|</td>"},
            {119, "", 0, L{}, "|", "<th>|</th>"},
            {120, "", 0, L{}, "|", "<tr>\n    <td>|</td>\n</tr>"},
            {251, "", 0, L{}, "|", "<meta name=\"\" content=\"\">|"},
            {252, "&Keywords", 0, L{"html, editor"}, "|", "<meta name=\"Keywords\" content=\"html, editor\">|"},
            {253, "", 0, L{}, "|", "<meta HTTP-EQUIV=\"REFRESH\" content=\"NOW\">|"},
            {254, "", 0, L{"next.htm"}, "|", "<meta HTTP-EQUIV=\"REFRESH\" content=\"0;next.htm\">|"},
            {255, "H3", 0, L{}, "|", "<h3>|</h3>"},
            {255, "H1", 0, L{}, "a[Title]b", "a<h1>[Title]</h1>b"},
            // Numbers without a command, and the Cancel paths of the asking commands.
            {55, "", 0, L{}, "a|b", "a|b"},
            {0, "", 0, L{}, "a|b", "a|b"},
            {1, "", 0, L{"<cancel>"}, "a|b", "a|b"},
            {2, "", 0, L{"<cancel>"}, "a|b", "a|b"},
            {3, "", 0, L{"<cancel>"}, "a|b", "a|b"},
            {105, "", 0, L{"<cancel>"}, "a|b", "a|b"},
            {254, "", 0, L{"<cancel>"}, "a|b", "a|b"},
            {114, "", 0, L{"a.mid", "abc"}, "a|b", "a|b"},
            {114, "", 0, L{"a.mid", "-3"}, "a|b", "a|b"},
            {114, "", 0, L{"a.mid", "99999999999"}, "a|b", "a|b"},
        };
        // clang-format on
        for (const auto &r : rows)
            QTest::addRow("%d %s %s", r.c, r.variant, r.before)
                << r.c << QString::fromUtf8(r.variant) << r.script << r.answers << QString::fromUtf8(r.before)
                << QString::fromUtf8(r.after);
    }
    void commandInEditor()
    {
        QFETCH(int, command);
        QFETCH(QString, variant);
        QFETCH(int, script);
        QFETCH(QStringList, answers);
        QFETCH(QString, before);
        QFETCH(QString, after);

        TMyRichEdit edit;
        Load(edit, before);
        TScriptedAsker asker;
        asker.Inputs = answers;
        TContext context;
        context.Variant = variant;
        context.ScriptLanguage = script;
        context.HomepageRef = QStringLiteral("http://home");
        context.EmailRef = QStringLiteral("me@home");
        context.HasSelection = edit.SelAvail();
        const TResult result = Run(command, context, asker);
        const bool inserted = Apply(edit, result);
        QCOMPARE(Marked(edit), after);
        QVERIFY(asker.Inputs.isEmpty());
        if (inserted) {
            // One undo step takes it all back.
            edit.Undo();
            QString undone = before;
            QCOMPARE(edit.Text().replace(QStringLiteral("\r\n"), QStringLiteral("\n")).chopped(1),
                     undone.remove(u'[').remove(u']').remove(u'|'));
        }
    }

    void promptsAndMessages()
    {
        TScriptedAsker asker;
        TContext context;
        context.FrameTarget = QStringLiteral("main");
        asker.Inputs = {QStringLiteral("a.htm")};
        QCOMPARE(Run(1, context, asker).Text, QStringLiteral("<a href=\"a.htm\" target=\"main\"></a>"));
        QCOMPARE(asker.Asked.last(), QStringLiteral("Link|Please enter Link destination:|"));

        // The auto-update box offers the tab's caption; the meta prompts name the item.
        context.TabCaption = QStringLiteral("index.html");
        asker.Inputs = {QStringLiteral("<cancel>")};
        Run(254, context, asker);
        QCOMPARE(asker.Asked.last(), QStringLiteral("Meta Tag|Bitte Zieldatei eintragen:|index.html"));
        context.Variant = QStringLiteral("&Author");
        asker.Inputs = {QStringLiteral("<cancel>")};
        QCOMPARE(Run(252, context, asker).Text, QStringLiteral("<meta name=\"Author\">"));
        QCOMPARE(asker.Asked.last(), QStringLiteral("Meta Tag|Bitte CONTENT für Author eintragen:|"));

        // The paragraph assistant needs a selection first.
        context.HasSelection = false;
        QCOMPARE(Run(19, context, asker).Placement, TPlacement::Nothing);
        QCOMPARE(asker.Shown, QStringLiteral("No Selection!|Please select Text first!"));
        QCOMPARE(asker.AssistantPage, -1);

        asker.Inputs = {QStringLiteral("a.mid"), QStringLiteral("abc")};
        QCOMPARE(Run(114, context, asker).Placement, TPlacement::Nothing);
        QVERIFY(asker.Shown.contains(QLatin1String("'abc'")));

        asker.CancelDialogs = true;
        QCOMPARE(Run(9, context, asker).Placement, TPlacement::Nothing);
        QCOMPARE(Run(115, context, asker).Placement, TPlacement::Nothing);
        QCOMPARE(Run(4, context, asker).Placement, TPlacement::Nothing);
        QCOMPARE(Run(48, context, asker).Placement, TPlacement::StyleAssistant);
    }

    void assistantPages_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("back");
        QTest::addColumn<QString>("after");
        QTest::newRow("image keeps the caret at the end")
            << 4 << 0 << "<img src=\"a.gif\">" << 6 << "<img src=\"a.gif\">|";
        QTest::newRow("hr") << 5 << 1 << "<hr color=\"#000000\">" << 5 << "<hr color=\"#000|000\">";
        QTest::newRow("font") << 8 << 3 << "<font></font>" << 7 << "<font>|</font>";
        QTest::newRow("form, LF breaks from the code box")
            << 36 << 6 << "<form action=\"\">\n</form>" << 7 << "<form action=\"\">\n|</form>";
        QTest::newRow("frame") << 57 << 10 << "<frame name=\"\" src=\"\"></frame>" << 8
                               << "<frame name=\"\" src=\"\">|</frame>";
        QTest::newRow("floating frame") << 58 << 10 << "<frame name=\"\" src=\"\"></frame>" << 8
                                        << "<iframe name=\"\" src=\"\">|</iframe>";
        QTest::newRow("base") << 63 << 8 << "<base href=\"x\">" << 0 << "<base href=\"x\">|";
        QTest::newRow("quick list goes in at the selection's start")
            << 28 << 5 << "<ul>\r\n<li>a\r\n</ul>" << 5 << "<ul>\n<li>a\n</ul>|";
    }
    void assistantPages()
    {
        QFETCH(int, command);
        QFETCH(int, page);
        QFETCH(QString, code);
        QFETCH(int, back);
        QFETCH(QString, after);
        TMyRichEdit edit;
        TScriptedAsker asker;
        asker.AssistantCode = code;
        asker.AssistantBack = back;
        const TResult result = Run(command, TContext(), asker);
        QCOMPARE(asker.AssistantPage, page);
        Apply(edit, result);
        QCOMPARE(Marked(edit), after);
    }

    void everyQuickBarNumberIsACommand()
    {
        for (int n :
             {1, 2, 3, 4, 5, 6, 7, 8, 9, 19, 28, 31, 36, 42, 48, 49, 56, 57, 58, 63, 105, 114, 115, 252, 254, 255})
            QVERIFY2(IsCommand(n), qPrintable(QString::number(n)));
        QVERIFY(!IsCommand(55));
        QVERIFY(!IsCommand(35));
        QVERIFY(!IsCommand(256));
    }
};

QTEST_APPLESS_MAIN(TestSnippetCommands)
#include "tst_snippetcommands.moc"
