// The snippet commands behind the QuickBar buttons and the Insert menu.
#include "aids/core/snippetcommands.h"

#include "aids/core/snippetplacement.h"

#include <QHash>

namespace Snippets {

namespace {

struct TFixed
{
    int Command;
    const char *Text;
    int CursorBack;
};

// The commands that insert the same text every time. "\r\n" is the line break as inserted.
// clang-format off
const TFixed kFixed[] = {
    {10, "<font size=\"+1\"></font>", 7},
    {11, "<font size=\"-1\"></font>", 7},
    {12, "<b></b>", 4},
    {13, "<i></i>", 4},
    {14, "<u></u>", 4},
    {15, "<sup></sup>", 6},
    {16, "<sub></sub>", 6},
    {17, "<p>\r\n", 0},
    {18, "<br>\r\n", 0},
    {20, "<p align=\"left\"></p>", 4},
    {21, "<p align=\"center\"></p>", 4},
    {22, "<p align=\"right\"></p>", 4},
    {23, "<p align=\"justify\"></p>", 4},
    {24, "<ul></ul>", 5},
    {25, "&nbsp;", 0},
    {26, "<em></em>", 5},
    {27, "<pre></pre>", 6},
    {29, "<ul>\r\n  <li>\r\n</ul>", 7},
    {30, "<ol>\r\n  <li>\r\n</ol>", 7},
    {32, "<li>", 0},
    {33, "<dl>\r\n<dt><dd>\r\n</dl>", 5},
    {34, "<dt><dd>", 4},
    {37, "<input type=\"Submit\" name=\"\" value=\"\">", 0},
    {38, "<input type=\"reset\">", 0},
    {39, "<input type=\"Text\" name=\"\" value=\"\" size=\"\" maxlength=\"\">", 0},
    {40, "<input type=\"Password\" name=\"\" value=\"\" size=\"\" maxlength=\"\">", 0},
    {41, "<input type=\"Hidden\" name=\"\" value=\"\">", 0},
    {43, "<input type=\"Radio\" name=\"\" value=\"\">", 0},
    {44, "<input type=\"Checkbox\" name=\"\" value=\"\">", 0},
    {45, "<select name=\"aa\" size=\"12\" multiple>\r\n</select>", 9},
    {46, "<option value=\"\">", 9},
    {47, "<style type=\"text/css\">\r\n<!--\r\n\r\n-->", 7},
    {59, "<frameset></frameset>", 11},
    {60, "<frame>", 0},
    {61, "<iframe></iframe>", 9},
    {62, "<noframes></noframes>", 11},
    {101, "<center></center>", 9},
    {102, "<div align=\"left\"></div>", 6},
    {103, "<div align=\"right\"></div>", 6},
    {104, "<!--  -->", 5},
    {106, "<strike></strike>", 9},
    {107, "<blink></blink>", 8},
    {108, "<marquee></marquee>", 10},
    {109, "<blockquote></blockquote>", 13},
    {110, "<applet code=\"\" width=\"\" height=\"\">\r\n\r\n</applet>", 11},
    {111, "<object ID=\"\" clsid=\"\" width=\"\" height=\"\">\r\n\r\n</object>", 11},
    {112, "<noscript></noscript>", 11},
    {113, "document.write(\"\")", 2},
    {116, "<table bgcolor=\"\" width=\"\">\r\n    <tr>\r\n        <td></td>\r\n    </tr>\r\n</table>\r\n", 28},
    {117, "<tr>\r\n\r\n</tr>", 7},
    {118, "<td></td>", 5},
    {119, "<th></th>", 5},
    {120, "<tr>\r\n    <td></td>\r\n</tr>", 12},
    {251, "<meta name=\"\" content=\"\">", 0},
    {253, "<meta HTTP-EQUIV=\"REFRESH\" content=\"NOW\">", 0},
};

// The script constructs: JavaScript first, VBScript second, each with its back-off.
struct TScript
{
    int Command;
    const char *JavaScript;
    int JavaScriptBack;
    const char *VBScript;
    int VBScriptBack;
};
const TScript kScripts[] = {
    {50, "if () {\r\n\r\n}", 3, "IF THEN\r\n\r\nend IF", 14},
    {51, "if () {\r\n\r\n} else {\r\n\r\n}", 15, "IF THEN\r\n\r\nELSE\r\n\r\nend IF", 18},
    {52, "do {\r\n\r\n} while ()", 1, "DO WHILE\r\n\r\nLOOP", 6},
    {53, "switch () {\r\n\r\ndefault:\r\n}", 13, "SELECT CASE\r\n\r\nCASE\r\n\r\nCASE ELSE\r\n\r\nend SELECT", 24},
    {54, "function () {\r\n\r\nreturn\r\n}", 11, "FUNCTION ()\r\n\r\nend FUNCTION", 14},
};

// Commands that hand over to a tag assistant page, with whether its CursorBack is used.
struct TPage
{
    int Command;
    int Page;
    bool UsesCursorBack;
};
const TPage kPages[] = {
    {4, 0, false}, {5, 1, true}, {8, 3, true}, {36, 6, true}, {42, 7, true},
    {56, 9, true}, {57, 10, true}, {58, 10, true}, {63, 8, true},
};
// clang-format on

const QHash<int, const TFixed *> &FixedByCommand()
{
    static const QHash<int, const TFixed *> map = [] {
        QHash<int, const TFixed *> m;
        for (const TFixed &f : kFixed)
            m.insert(f.Command, &f);
        return m;
    }();
    return map;
}

TResult Snippet(const QString &text, int cursorBack)
{
    return {TPlacement::Snippet, text, cursorBack};
}

QString Caption(QString caption)
{
    // "&&" stands for a literal "&"; a single "&" marks the accelerator.
    caption.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    caption.remove(QLatin1Char('&'));
    caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return caption;
}

TResult AskedLink(TAsker &asker, const char *caption, const char *prompt, const QString &prefix)
{
    QString value;
    if (!asker.Input(QString::fromLatin1(caption), QString::fromLatin1(prompt), value))
        return {};
    return Snippet(prefix + value + QStringLiteral("\"></a>"), 4);
}

TResult MetaWithContent(TAsker &asker, const QString &name, const QString &prompt)
{
    QString text = QStringLiteral("<meta name=\"") + name + QLatin1Char('"');
    QString content;
    if (asker.Input(QStringLiteral("Meta Tag"), prompt, content))
        text += QStringLiteral(" content=\"") + content + QLatin1Char('"');
    return Snippet(text + QLatin1Char('>'), 0);
}

TResult BackgroundSound(TAsker &asker)
{
    const QString caption = QStringLiteral("BGSound (IE only)");
    QString file;
    if (!asker.Input(caption, QStringLiteral("Filename:"), file))
        return {};
    QString loops = QStringLiteral("0");
    if (!asker.Input(caption, QStringLiteral("Number of Loops (0=Infinite):"), loops))
        return {};
    bool ok = false;
    const int count = loops.trimmed().toInt(&ok);
    if (!ok || count < 0) {
        asker.Message(QStringLiteral("BGSound (IE only)"), InvalidCountMessage(loops), true);
        return {};
    }
    const QString loop = count == 0 ? QStringLiteral("INFINITE") : QString::number(count);
    return Snippet(
        QStringLiteral("<bgsound src=\"") + file + QStringLiteral("\" loop=\"") + loop + QStringLiteral("\">"), 0);
}

TResult FromAssistant(const TPage &page, int command, TAsker &asker)
{
    QString code;
    int back = 0;
    if (!asker.Assistant(page.Page, code, back) || code.isEmpty())
        return {};
    if (command == 58 && code.size() >= 2) {
        // The frame assistant's code turned into a floating frame: "<frame" and its end tag get an "i".
        code.insert(1, QLatin1Char('i'));
        const qsizetype end = code.size() - back + 2;
        if (back >= 2 && end > 1 && end <= code.size() && code.mid(end - 2, 2) == QLatin1String("</"))
            code.insert(end, QLatin1Char('i'));
        // The end tag grew by one letter; the caret still goes before it.
        if (back > 0)
            ++back;
    }
    TResult result = Snippet(WithCrLf(code), page.UsesCursorBack ? back : 0);
    result.WrapsSelection = false;
    return result;
}

} // namespace

QString HtmlColor(std::uint32_t rgb)
{
    return QLatin1Char('#') + QStringLiteral("%1").arg(rgb & 0xFFFFFFu, 6, 16, QLatin1Char('0')).toUpper();
}

QString InvalidCountMessage(const QString &value)
{
    return QStringLiteral("'%1' is not a valid number of loops: enter a whole number, 0 for endless.").arg(value);
}

bool IsCommand(int command)
{
    if (FixedByCommand().contains(command))
        return true;
    for (const TScript &s : kScripts)
        if (s.Command == command)
            return true;
    for (const TPage &p : kPages)
        if (p.Command == command)
            return true;
    switch (command) {
    case 1:
    case 2:
    case 3:
    case 6:
    case 7:
    case 9:
    case 19:
    case 28:
    case 31:
    case 48:
    case 49:
    case 105:
    case 114:
    case 115:
    case 252:
    case 254:
    case 255: return true;
    default: return false;
    }
}

TResult Run(int command, const TContext &context, TAsker &asker)
{
    if (const TFixed *f = FixedByCommand().value(command))
        return Snippet(QString::fromLatin1(f->Text), f->CursorBack);
    for (const TScript &s : kScripts) {
        if (s.Command == command)
            return context.ScriptLanguage == 0 ? Snippet(QString::fromLatin1(s.JavaScript), s.JavaScriptBack)
                                               : Snippet(QString::fromLatin1(s.VBScript), s.VBScriptBack);
    }
    for (const TPage &p : kPages) {
        if (p.Command == command)
            return FromAssistant(p, command, asker);
    }

    switch (command) {
    case 1: {
        QString value;
        if (!asker.Input(QStringLiteral("Link"), QStringLiteral("Please enter Link destination:"), value))
            return {};
        QString text = QStringLiteral("<a href=\"") + value + QLatin1Char('"');
        if (!context.FrameTarget.isEmpty())
            text += QStringLiteral(" target=\"") + context.FrameTarget + QLatin1Char('"');
        return Snippet(text + QStringLiteral("></a>"), 4);
    }
    case 2:
        return AskedLink(asker, "eMail-Link", "Please enter Destination-Adress:", QStringLiteral("<a href=\"mailto:"));
    case 3: return AskedLink(asker, "Anchor", "Please enter Anchor Name:", QStringLiteral("<a name=\""));
    case 6: return Snippet(QStringLiteral("<a href=\"") + context.HomepageRef + QStringLiteral("\">Home</a>"), 8);
    case 7:
        return Snippet(
            QStringLiteral("<a href=\"mailto:") + context.EmailRef + QStringLiteral("\">My eMail Address</a>"), 20);
    case 9: {
        QString family;
        std::uint32_t rgb = 0;
        if (!asker.PickFont(family, rgb))
            return {};
        return Snippet(QStringLiteral("<font face=\"") + family + QStringLiteral("\" color=\"") + HtmlColor(rgb)
                           + QStringLiteral("\"></font>"),
                       7);
    }
    case 19: {
        if (!context.HasSelection) {
            asker.Message(QStringLiteral("No Selection!"), QStringLiteral("Please select Text first!"), false);
            return {};
        }
        QString code;
        int back = 0;
        if (!asker.Assistant(4, code, back) || code.isEmpty())
            return {};
        return {TPlacement::ReplaceSelection, WithCrLf(code), 0, false};
    }
    case 28: {
        QString code;
        int back = 0;
        if (!asker.Assistant(5, code, back) || code.isEmpty())
            return {};
        return {TPlacement::InsertAtSelectionStart, WithCrLf(code), 0, false};
    }
    case 31: {
        const QString type = context.Variant == QLatin1String("I") || context.Variant == QLatin1String("i")
                                     || context.Variant == QLatin1String("A")
                                 ? context.Variant
                                 : QStringLiteral("a");
        return Snippet(QStringLiteral("<ol start=\"1\" type=\"") + type + QStringLiteral("\">\r\n  <li>\r\n</ol>"), 7);
    }
    case 48: return {TPlacement::StyleAssistant, QString(), 0};
    case 49: {
        const QString open = context.ScriptLanguage == 0
                                 ? QStringLiteral("<script language=\"JavaScript\">")
                                 : QStringLiteral("<script language=\"VBScript\" type=\"text/vbscript\">");
        return Snippet(open + QStringLiteral("\r\n<!--\r\n\r\n-->\r\n</script>\r\n<noscript></noscript>"), 39);
    }
    case 105: {
        QString name;
        if (!asker.Input(QStringLiteral("Meta Tag"), QStringLiteral("Please enter a value for NAME:"), name))
            return {};
        return MetaWithContent(asker, name, QStringLiteral("Please enter a value for CONTENT:"));
    }
    case 114: return BackgroundSound(asker);
    case 115: {
        std::uint32_t rgb = 0;
        if (!asker.PickColor(rgb))
            return {};
        return Snippet(HtmlColor(rgb), 0);
    }
    case 252: {
        const QString name = Caption(context.Variant);
        return MetaWithContent(asker, name,
                               QStringLiteral("Bitte CONTENT für ") + name + QStringLiteral(" eintragen:"));
    }
    case 254: {
        QString target = context.TabCaption;
        if (!asker.Input(QStringLiteral("Meta Tag"), QStringLiteral("Bitte Zieldatei eintragen:"), target))
            return {};
        return Snippet(QStringLiteral("<meta HTTP-EQUIV=\"REFRESH\" content=\"0;") + target + QStringLiteral("\">"), 0);
    }
    case 255: {
        const QString tag = Caption(context.Variant).toLower();
        if (tag.isEmpty())
            return {};
        return Snippet(QLatin1Char('<') + tag + QStringLiteral("></") + tag + QLatin1Char('>'), 5);
    }
    default: return {};
    }
}

} // namespace Snippets
