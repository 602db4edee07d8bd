// The style assistant's rule and its preview mapping.
#include "assistants/core/stylerule.h"

#include "assistants/core/tagassistantcode.h"

namespace StyleAssistant {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString Line(const QString &property, const QString &value)
{
    return QStringLiteral("  ") + property + QStringLiteral(": ") + value + u';' + kCrLf;
}

} // namespace

QString StyleRule(const TStyleFields &f)
{
    QString rule = f.Selector + QStringLiteral(" {") + kCrLf;
    rule += Line(QStringLiteral("font-family"), u'"' + f.Font + u'"');
    rule += Line(QStringLiteral("font-size"), f.Size);
    if (f.Bold)
        rule += Line(QStringLiteral("font-weight"), QStringLiteral("bold"));
    if (f.Italic)
        rule += Line(QStringLiteral("font-style"), QStringLiteral("italic"));
    if (f.Underline)
        rule += Line(QStringLiteral("text-decoration"), QStringLiteral("underline"));
    rule += Line(QStringLiteral("text-align"), f.Align);
    if (f.Color)
        rule += Line(QStringLiteral("color"), u'#' + TagAssistant::ColorToHtml(*f.Color));
    if (f.Background)
        rule += Line(QStringLiteral("background"), u'#' + TagAssistant::ColorToHtml(*f.Background));
    return rule + u'}' + kCrLf;
}

QStringList StyleNames()
{
    // clang-format off
    return {
        QStringLiteral("body"), QStringLiteral("p"), QStringLiteral("h1"), QStringLiteral("h2"),
        QStringLiteral("h3"), QStringLiteral("h4"), QStringLiteral("h5"), QStringLiteral("h6"),
        QStringLiteral("a"), QStringLiteral("a:link"), QStringLiteral("a:visited"), QStringLiteral("address"),
        QStringLiteral("big"), QStringLiteral("blockquote"), QStringLiteral("cite"), QStringLiteral("code"),
        QStringLiteral("command"), QStringLiteral("dd"), QStringLiteral("dfn"), QStringLiteral("div"),
        QStringLiteral("dl"), QStringLiteral("dt"), QStringLiteral("em"), QStringLiteral("kbd"),
        QStringLiteral("li"), QStringLiteral("listing"), QStringLiteral("multicol"), QStringLiteral("ol"),
        QStringLiteral("pre"), QStringLiteral("samp"), QStringLiteral("small"), QStringLiteral("span"),
        QStringLiteral("strong"), QStringLiteral("table"), QStringLiteral("td"), QStringLiteral("tt"),
        QStringLiteral("ul"), QStringLiteral("var"),
    };
    // clang-format on
}

namespace {

struct TSizeKeyword
{
    const char *Name;
    int Points;
};

// clang-format off
const TSizeKeyword kSizes[] = {
    {"xx-large", 48}, {"x-large", 36}, {"larger", 24}, {"large", 18}, {"medium", 14},
    {"small", 11}, {"smaller", 10}, {"x-small", 9}, {"xx-small", 8},
};
// clang-format on

} // namespace

QStringList SizeNames()
{
    QStringList names;
    for (const TSizeKeyword &size : kSizes)
        names << QString::fromLatin1(size.Name);
    return names;
}

QStringList AlignNames()
{
    return {QStringLiteral("left"), QStringLiteral("center"), QStringLiteral("right"), QStringLiteral("justify")};
}

std::optional<int> PreviewPointSize(const QString &size)
{
    for (const TSizeKeyword &keyword : kSizes) {
        if (size.compare(QLatin1String(keyword.Name), Qt::CaseInsensitive) == 0)
            return keyword.Points;
    }
    return std::nullopt;
}

TPreviewAlign PreviewAlignment(const QString &align)
{
    if (align.compare(QLatin1String("left"), Qt::CaseInsensitive) == 0)
        return TPreviewAlign::Left;
    if (align.compare(QLatin1String("right"), Qt::CaseInsensitive) == 0)
        return TPreviewAlign::Right;
    return TPreviewAlign::Center;
}

} // namespace StyleAssistant
