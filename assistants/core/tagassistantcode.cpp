// The tag assistant's markup and its read-back.
#include "assistants/core/tagassistantcode.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <array>

namespace TagAssistant {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

struct TNamedColor
{
    const char *Name;
    std::uint32_t Rgb;
};

// clang-format off
constexpr std::array<TNamedColor, 15> kColorNames{{
    {"blue", 0x0000FF}, {"navy", 0x000080}, {"aqua", 0x00FFFF}, {"black", 0x000000},
    {"red", 0xFF0000}, {"gray", 0x808080}, {"green", 0x008000}, {"lime", 0x00FF00},
    {"maroon", 0x800000}, {"olive", 0x808000}, {"purple", 0x800080}, {"silver", 0xC0C0C0},
    {"teal", 0x008080}, {"white", 0xFFFFFF}, {"yellow", 0xFFFF00},
}};
// clang-format on

QString Num(int value)
{
    return QString::number(value);
}

QString Quoted(const QString &name, const QString &value)
{
    return QLatin1Char(' ') + name + QStringLiteral("=\"") + value + QLatin1Char('"');
}

// Spin boxes hold 0 .. 9999; a value such as "100%" reads its leading digits.
int Number(const std::optional<QString> &value)
{
    if (!value)
        return 0;
    const QString text = value->trimmed();
    qsizetype digits = 0;
    while (digits < text.size() && text[digits].isDigit())
        ++digits;
    bool ok = false;
    const qint64 n = text.left(std::min<qsizetype>(digits, 9)).toLongLong(&ok);
    return ok ? int(std::clamp<qint64>(n, 0, 9999)) : 0;
}

QString Text(const std::optional<QString> &value)
{
    return value.value_or(QString());
}

bool Flag(const std::optional<QString> &value)
{
    return value && *value == QLatin1String("1");
}

} // namespace

TPageInfo PageInfo(int page)
{
    // clang-format off
    static const std::array<TPageInfo, PageCount> pages{{
        {QStringLiteral("Image Assistant"), 475},
        {QStringLiteral("HR Assistant"), 363},
        {QStringLiteral("Title Editor"), 258},
        {QStringLiteral("Font Assistant"), 318},
        {QStringLiteral("Paragraph Assistant"), 414},
        {QStringLiteral("Quick List Assistant"), 460},
        {QStringLiteral("Formular Assistant"), 291},
        {QStringLiteral("TextArea Assistant"), 324},
        {QStringLiteral("Base Target Assistant"), 293},
        {QStringLiteral("Frameset Assistant"), 339},
        {QStringLiteral("Frame Assistant"), 426},
        {QStringLiteral("Emptypage"), 0},
    }};
    // clang-format on
    return page >= 0 && page < PageCount ? pages[std::size_t(page)] : pages[EmptyPage];
}

int PageForTag(const QString &tagName)
{
    const QString name = tagName.toLower();
    if (name == QLatin1String("ul") || name == QLatin1String("ol"))
        return ListPage;
    static const std::array<std::pair<const char *, TPage>, 9> pages{{{"img", ImagePage},
                                                                      {"hr", HrPage},
                                                                      {"title", TitlePage},
                                                                      {"font", FontPage},
                                                                      {"form", FormPage},
                                                                      {"textarea", TextAreaPage},
                                                                      {"base", BaseTargetPage},
                                                                      {"frameset", FramesetPage},
                                                                      {"frame", FramePage}}};
    for (const auto &[tag, page] : pages)
        if (name == QLatin1String(tag))
            return page;
    return -1;
}

QString ColorToHtml(std::uint32_t rgb)
{
    return QStringLiteral("%1").arg(rgb & 0xFFFFFFu, 6, 16, QLatin1Char('0')).toUpper();
}

std::optional<std::uint32_t> HtmlToColor(QString text)
{
    text = text.trimmed();
    const QString digits = text.startsWith(u'#') ? text.mid(1) : text;
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{6}$"));
    static const QRegularExpression shortHex(QStringLiteral("^[0-9A-Fa-f]{3}$"));
    if (hex.match(digits).hasMatch())
        return digits.toUInt(nullptr, 16);
    if (shortHex.match(digits).hasMatch()) {
        QString full;
        for (const QChar c : digits)
            full += QString(2, c);
        return full.toUInt(nullptr, 16);
    }
    for (const TNamedColor &color : kColorNames)
        if (text.compare(QLatin1String(color.Name), Qt::CaseInsensitive) == 0)
            return color.Rgb;
    return std::nullopt;
}

QString RelativePath(const QString &path, const QString &documentDir)
{
    if (path.isEmpty() || QDir::isRelativePath(path) || path.contains(QLatin1String("://")))
        return path;
    const QFileInfo info(path);
    if (QDir::cleanPath(info.path()) == QDir::cleanPath(documentDir))
        return info.fileName();
    return QDir(documentDir).relativeFilePath(path);
}

QString FrameBorderValue(const QString &boxText)
{
    const qsizetype open = boxText.indexOf(u'(');
    // A value typed or read back without the reader's note is the value itself.
    return open < 0 ? boxText : boxText.left(open);
}

TCode ImageCode(const TImageFields &f, const QString &documentDir)
{
    const QString source = f.AbsolutePath ? f.Source : RelativePath(f.Source, documentDir);
    QString s = QStringLiteral("<img src=\"") + source + QStringLiteral("\" width=") + Num(f.Width)
                + QStringLiteral(" height=") + Num(f.Height);
    if (!f.Alt.isEmpty())
        s += Quoted(QStringLiteral("alt"), f.Alt);
    if (f.HSpace > 0)
        s += QStringLiteral(" hspace=") + Num(f.HSpace);
    if (f.VSpace > 0)
        s += QStringLiteral(" vspace=") + Num(f.VSpace);
    if (f.Border > 0)
        s += QStringLiteral(" border=") + Num(f.Border);
    if (!f.Align.isEmpty())
        s += Quoted(QStringLiteral("align"), f.Align);
    if (!f.Map.isEmpty())
        s += Quoted(QStringLiteral("usemap"), f.Map);
    if (f.IsMap)
        s += QStringLiteral(" ismap");
    return {s + QLatin1Char('>'), 6};
}

TCode HrCode(const THrFields &f)
{
    QString s = QStringLiteral("<hr");
    if (f.Size > 0)
        s += QStringLiteral(" size=") + Num(f.Size);
    if (f.Height > 0)
        s += QStringLiteral(" height=") + Num(f.Height);
    s += QStringLiteral(" color=\"#") + ColorToHtml(f.Color) + QLatin1Char('"');
    if (!f.Align.isEmpty())
        s += Quoted(QStringLiteral("align"), f.Align);
    if (f.NoShade)
        s += QStringLiteral(" noshade");
    return {s + QLatin1Char('>'), 5};
}

TCode TitleCode(const QString &title)
{
    return {QStringLiteral("<title>") + title + QStringLiteral("</title>"), 8};
}

TCode FontCode(const TFontFields &f, const QString &innerText)
{
    QString s = QStringLiteral("<font");
    if (!f.Face.isEmpty())
        s += Quoted(QStringLiteral("face"), f.Face);
    if (f.HtmlColor.contains(u'#'))
        s += Quoted(QStringLiteral("color"), f.HtmlColor);
    if (!f.Size.isEmpty())
        s += Quoted(QStringLiteral("size"), f.Size);
    return {s + QLatin1Char('>') + innerText + QStringLiteral("</font>"), 7};
}

TCode ParagraphCode(const QString &text, int alignIndex)
{
    static const std::array<const char *, 4> aligns{"left", "right", "center", "justify"};
    const char *align = aligns[std::size_t(std::clamp(alignIndex, 0, 3))];
    QString body = text;
    if (body.endsWith(kCrLf))
        body.chop(2);
    else if (body.endsWith(u'\n'))
        body.chop(1);
    QString s = QStringLiteral("<p align=\"") + QLatin1String(align) + QStringLiteral("\">") + kCrLf;
    if (!text.isEmpty())
        s += body + kCrLf;
    return {s + QStringLiteral("</p>"), 6};
}

TCode ListCode(const TListFields &f)
{
    static const std::array<const char *, 4> types{"I", "i", "A", "a"};
    QString s;
    if (!f.Ordered)
        s = QStringLiteral("<ul>");
    else if (f.Numbering <= 0 || f.Numbering > 4)
        s = QStringLiteral("<ol>");
    else
        s = QStringLiteral("<ol start=\"1\" type=\"") + QLatin1String(types[std::size_t(f.Numbering - 1)])
            + QStringLiteral("\">");
    for (const QString &item : f.Items)
        s += kCrLf + QStringLiteral("<li>") + item;
    s += kCrLf + QStringLiteral("</") + (f.Ordered ? QStringLiteral("ol") : QStringLiteral("ul")) + QLatin1Char('>');
    return {s, 5};
}

TCode FormCode(const TFormFields &f, const QString &innerText)
{
    return {QStringLiteral("<form action=\"") + f.Action + QStringLiteral("\" method=\"") + f.Method
                + QStringLiteral("\" target=\"") + f.Target + QStringLiteral("\">") + innerText
                + QStringLiteral("</form>"),
            7};
}

TCode TextAreaCode(const TTextAreaFields &f, const QString &innerText)
{
    return {QStringLiteral("<textarea name=\"") + f.Name + QStringLiteral("\" cols=\"") + Num(f.Cols)
                + QStringLiteral("\" rows=\"") + Num(f.Rows) + QStringLiteral("\" wrap=\"") + f.Wrap
                + QStringLiteral("\">") + kCrLf + innerText + QStringLiteral("</textarea>"),
            13};
}

TCode BaseCode(const TBaseFields &f)
{
    QString s = QStringLiteral("<base href=\"") + f.Href + QLatin1Char('"');
    if (!f.Target.isEmpty())
        s += Quoted(QStringLiteral("target"), f.Target);
    return {s + QLatin1Char('>'), 0};
}

TCode FramesetCode(const TFramesetFields &f, const QString &innerText)
{
    QString s = QStringLiteral("<frameset");
    if (!f.Rows.isEmpty())
        s += Quoted(QStringLiteral("rows"), f.Rows);
    if (!f.Cols.isEmpty())
        s += Quoted(QStringLiteral("cols"), f.Cols);
    if (!f.FrameBorder.isEmpty())
        s += Quoted(QStringLiteral("frameborder"), FrameBorderValue(f.FrameBorder));
    if (f.Border > 0)
        s += Quoted(QStringLiteral("border"), Num(f.Border));
    if (f.FrameSpacing > 0)
        s += Quoted(QStringLiteral("framespacing"), Num(f.FrameSpacing));
    s += QStringLiteral(" bordercolor=\"#") + ColorToHtml(f.Color) + QLatin1Char('"');
    return {s + QLatin1Char('>') + innerText + QStringLiteral("</frameset>"), 11};
}

TCode FrameCode(const TFrameFields &f, const QString &innerText, const QString &documentDir)
{
    QString s = QStringLiteral("<frame name=\"") + f.Name + QStringLiteral("\" src=\"")
                + RelativePath(f.Source, documentDir) + QLatin1Char('"');
    if (f.MarginWidth > 0)
        s += Quoted(QStringLiteral("marginwidth"), Num(f.MarginWidth));
    if (f.MarginHeight > 0)
        s += Quoted(QStringLiteral("marginheight"), Num(f.MarginHeight));
    if (!f.Scrolling.isEmpty())
        s += Quoted(QStringLiteral("scrolling"), f.Scrolling);
    if (!f.FrameBorder.isEmpty())
        s += Quoted(QStringLiteral("frameborder"), FrameBorderValue(f.FrameBorder));
    if (f.FrameSpacing > 0)
        s += Quoted(QStringLiteral("framespacing"), Num(f.FrameSpacing));
    if (f.NoResize)
        s += QStringLiteral(" noresize");
    if ((f.Color & 0xFFFFFFu) != 0)
        s += QStringLiteral(" bordercolor=\"#") + ColorToHtml(f.Color) + QLatin1Char('"');
    return {s + QLatin1Char('>') + innerText + QStringLiteral("</frame>"), 8};
}

QString InnerText(const QString &selected)
{
    const qsizetype open = selected.indexOf(u'>');
    const qsizetype close = selected.lastIndexOf(u'<');
    if (open < 0 || close <= open)
        return QString();
    return selected.mid(open + 1, close - open - 1);
}

std::optional<QString> Attribute(const QString &tag, const QString &name)
{
    const QString wanted = name.toLower();
    QString token;
    QChar quote;
    const auto matches = [&]() -> std::optional<QString> {
        const qsizetype eq = token.indexOf(u'=');
        if (token.left(eq < 0 ? token.size() : eq).toLower() != wanted)
            return std::nullopt;
        if (eq < 0)
            return QStringLiteral("1");
        if (eq == token.size() - 1)
            return std::nullopt;
        return token.mid(eq + 1);
    };
    for (const QChar c : tag) {
        if (quote.isNull() && (c == u'"' || c == u'\'')) {
            quote = c;
            continue;
        }
        if (!quote.isNull() && c == quote) {
            quote = QChar();
            continue;
        }
        if (quote.isNull() && (c == u'>' || c.isSpace())) {
            if (!token.isEmpty()) {
                if (auto value = matches())
                    return value;
                token.clear();
            }
            if (c == u'>')
                return std::nullopt;
            continue;
        }
        token += c;
    }
    // A tag cut off before its ">" still gives the attributes it has; a quote left open runs up
    // to the tag's ">".
    if (!quote.isNull() && token.contains(u'>'))
        token.truncate(token.indexOf(u'>'));
    if (!token.isEmpty())
        return matches();
    return std::nullopt;
}

TImageFields ReadImage(const QString &tag)
{
    TImageFields f;
    f.Source = Text(Attribute(tag, QStringLiteral("src")));
    f.IsMap = Flag(Attribute(tag, QStringLiteral("ismap")));
    f.Alt = Text(Attribute(tag, QStringLiteral("alt")));
    f.Map = Text(Attribute(tag, QStringLiteral("usemap")));
    f.Align = Text(Attribute(tag, QStringLiteral("align")));
    f.Width = Number(Attribute(tag, QStringLiteral("width")));
    f.Height = Number(Attribute(tag, QStringLiteral("height")));
    f.HSpace = Number(Attribute(tag, QStringLiteral("hspace")));
    f.VSpace = Number(Attribute(tag, QStringLiteral("vspace")));
    f.Border = Number(Attribute(tag, QStringLiteral("border")));
    // An absolute path read back stays absolute; a relative one is kept as written anyway.
    f.AbsolutePath = !f.Source.isEmpty() && !QDir::isRelativePath(f.Source);
    return f;
}

THrFields ReadHr(const QString &tag)
{
    THrFields f;
    f.Size = Number(Attribute(tag, QStringLiteral("size")));
    f.Height = Number(Attribute(tag, QStringLiteral("height")));
    f.Color = HtmlToColor(Text(Attribute(tag, QStringLiteral("color")))).value_or(0);
    f.Align = Text(Attribute(tag, QStringLiteral("align")));
    f.NoShade = Flag(Attribute(tag, QStringLiteral("noshade")));
    return f;
}

TFontFields ReadFont(const QString &tag)
{
    TFontFields f;
    f.Face = Text(Attribute(tag, QStringLiteral("face")));
    f.HtmlColor = Text(Attribute(tag, QStringLiteral("color")));
    // A colour written by name would not be written again (only values with "#" are): its
    // value stands in the box instead.
    if (!f.HtmlColor.isEmpty() && !f.HtmlColor.contains(u'#'))
        if (const auto rgb = HtmlToColor(f.HtmlColor))
            f.HtmlColor = QLatin1Char('#') + ColorToHtml(*rgb);
    f.Size = Text(Attribute(tag, QStringLiteral("size"))).left(3);
    return f;
}

TListFields ReadList(const QString &selected)
{
    TListFields f;
    f.Ordered = !(selected.size() > 1 && selected[1].toLower() == u'u');
    if (f.Ordered) {
        static const std::array<const char *, 4> types{"I", "i", "A", "a"};
        const QString type = Text(Attribute(selected, QStringLiteral("type")));
        for (std::size_t i = 0; i < types.size(); ++i)
            if (type == QLatin1String(types[i]))
                f.Numbering = int(i) + 1;
    }
    // Only the list's own tags go; markup inside an item stays with it. A line that held
    // nothing but those tags is no item.
    static const QRegularExpression listTags(QStringLiteral("<\\s*/?\\s*(ul|ol|li)\\b[^>]*>"),
                                             QRegularExpression::CaseInsensitiveOption);
    const QStringList lines = selected.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (const QString &line : lines) {
        const bool hadTags = line.contains(listTags);
        QString item = line;
        item.remove(listTags);
        qsizetype blanks = 0;
        while (blanks < item.size() && item[blanks].isSpace())
            ++blanks;
        item = item.mid(blanks);
        if (item.trimmed().isEmpty() && (hadTags || item.isEmpty()))
            continue;
        f.Items << item;
    }
    return f;
}

TFormFields ReadForm(const QString &tag)
{
    return {Text(Attribute(tag, QStringLiteral("action"))), Text(Attribute(tag, QStringLiteral("target"))),
            Text(Attribute(tag, QStringLiteral("method")))};
}

TTextAreaFields ReadTextArea(const QString &tag)
{
    TTextAreaFields f;
    f.Name = Text(Attribute(tag, QStringLiteral("name")));
    f.Rows = Number(Attribute(tag, QStringLiteral("rows")));
    f.Cols = Number(Attribute(tag, QStringLiteral("cols")));
    f.Wrap = Text(Attribute(tag, QStringLiteral("wrap")));
    return f;
}

TBaseFields ReadBase(const QString &tag)
{
    return {Text(Attribute(tag, QStringLiteral("href"))), Text(Attribute(tag, QStringLiteral("target")))};
}

TFramesetFields ReadFrameset(const QString &tag)
{
    TFramesetFields f;
    f.Rows = Text(Attribute(tag, QStringLiteral("rows")));
    f.Cols = Text(Attribute(tag, QStringLiteral("cols")));
    f.Border = Number(Attribute(tag, QStringLiteral("border")));
    f.FrameBorder = Text(Attribute(tag, QStringLiteral("frameborder")));
    f.Color = HtmlToColor(Text(Attribute(tag, QStringLiteral("bordercolor")))).value_or(0);
    f.FrameSpacing = Number(Attribute(tag, QStringLiteral("framespacing")));
    return f;
}

TFrameFields ReadFrame(const QString &tag)
{
    TFrameFields f;
    f.Source = Text(Attribute(tag, QStringLiteral("src")));
    f.Name = Text(Attribute(tag, QStringLiteral("name")));
    f.Scrolling = Text(Attribute(tag, QStringLiteral("scrolling")));
    f.NoResize = Flag(Attribute(tag, QStringLiteral("noresize")));
    f.FrameBorder = Text(Attribute(tag, QStringLiteral("frameborder")));
    f.FrameSpacing = Number(Attribute(tag, QStringLiteral("framespacing")));
    f.MarginHeight = Number(Attribute(tag, QStringLiteral("marginheight")));
    f.MarginWidth = Number(Attribute(tag, QStringLiteral("marginwidth")));
    f.Color = HtmlToColor(Text(Attribute(tag, QStringLiteral("bordercolor")))).value_or(0);
    return f;
}

QString UnsupportedTagTitle(const QString &tagName)
{
    return QStringLiteral("Tag Assistant: ") + tagName;
}

QString UnsupportedTagText()
{
    return QStringLiteral("Sorry, not supported/recognized Tag! Please try again with another tag.\r\r"
                          "Currently supported Tags are:\r"
                          "  img, hr, title, font, ul, ol, textarea, base, frameset, frame\r\r"
                          "Should you have selected a paragraph, the Paragraph Assistant can help. "
                          "Start Paragraph Assitant?");
}

THrPreview HrPreview(int size, int height, const QString &align, int groupWidth)
{
    THrPreview p;
    p.Width = size > 0 ? size : 418;
    p.ForcesCenter = size <= 0;
    p.Height = height > 0 ? height : 2;
    const QString a = p.ForcesCenter ? QStringLiteral("center") : align.toLower();
    if (a == QLatin1String("center"))
        p.X = int((groupWidth - 16 - p.Width) * 0.5);
    else if (a == QLatin1String("right"))
        p.X = groupWidth - 8 - p.Width;
    else
        p.X = 8;
    return p;
}

} // namespace TagAssistant
