// The body tag found, read back and written.
#include "assistants/core/bodyassistantcode.h"

#include "assistants/core/pagescan.h"
#include "assistants/core/tagassistantcode.h"

#include <QSet>

#include <array>

namespace BodyAssistant {

namespace {

using PageScan::TAttribute;

// clang-format off
constexpr std::array<const char *, 11> kFieldNames{
    "background", "bgproperties", "bgcolor", "text", "link", "alink", "vlink",
    "topmargin", "leftmargin", "onload", "onunload",
};
// clang-format on

bool IsFieldName(const QString &name)
{
    for (const char *field : kFieldNames)
        if (name == QLatin1String(field))
            return true;
    return false;
}

// A margin the spin box holds and writes back: digits only, 1 to kMaxMargin.
int Margin(const QString &value)
{
    const QString digits = value.trimmed();
    if (digits.isEmpty() || digits.size() > 4)
        return 0;
    for (const QChar c : digits)
        if (c < u'0' || c > u'9')
            return 0;
    return digits.toInt();
}

void Write(QString &tag, QSet<QString> &written, const char *name, const QString &value)
{
    tag += QLatin1Char(' ') + QLatin1String(name) + QLatin1Char('=') + PageScan::QuotedValue(value);
    written.insert(QString::fromLatin1(name).toLower());
}

void WriteColor(QString &tag, QSet<QString> &written, const char *name, std::uint32_t rgb, std::uint32_t standard)
{
    if ((rgb & 0xFFFFFFu) != standard)
        Write(tag, written, name, QLatin1Char('#') + TagAssistant::ColorToHtml(rgb));
}

} // namespace

TTagSpan FindBodyTag(QStringView text)
{
    const qsizetype start = PageScan::FindStartTag(text, u"body");
    if (start < 0)
        return {};
    return {start, PageScan::TagEnd(text, start)};
}

TBodyFields ReadBody(QStringView tag)
{
    TBodyFields f;
    QSet<QString> seen;
    for (const TAttribute &a : PageScan::Attributes(tag)) {
        if (!IsFieldName(a.Name)) {
            f.Kept << a.Raw;
            continue;
        }
        // Browsers read the first of several; the others have no effect and go.
        if (seen.contains(a.Name))
            continue;
        seen.insert(a.Name);
        // An attribute the fields cannot give back as it is (bare, empty, a colour that is none or
        // the default, a margin of 0 or 10px) is kept as written.
        bool taken = false;
        if (a.HasValue && !a.Value.isEmpty()) {
            const auto color = [&](std::uint32_t &field, std::uint32_t standard) {
                const auto rgb = TagAssistant::HtmlToColor(a.Value);
                if (rgb && *rgb != standard) {
                    field = *rgb;
                    taken = true;
                }
            };
            const auto margin = [&](int &field) {
                field = Margin(a.Value);
                taken = field > 0;
            };
            if (a.Name == QLatin1String("background")) {
                f.BackgroundImage = a.Value;
                taken = true;
            } else if (a.Name == QLatin1String("bgproperties")) {
                taken = f.Watermark = a.Value.contains(QLatin1String("fixed"), Qt::CaseInsensitive);
            } else if (a.Name == QLatin1String("bgcolor")) {
                color(f.Background, kDefaultBackground);
            } else if (a.Name == QLatin1String("text")) {
                color(f.Text, kDefaultText);
            } else if (a.Name == QLatin1String("link")) {
                color(f.Link, kDefaultLink);
            } else if (a.Name == QLatin1String("alink")) {
                color(f.ActiveLink, kDefaultActiveLink);
            } else if (a.Name == QLatin1String("vlink")) {
                color(f.VisitedLink, kDefaultVisitedLink);
            } else if (a.Name == QLatin1String("topmargin")) {
                margin(f.MarginTop);
            } else if (a.Name == QLatin1String("leftmargin")) {
                margin(f.MarginLeft);
            } else if (a.Name == QLatin1String("onload")) {
                f.OnLoad = a.Value;
                taken = true;
            } else if (a.Name == QLatin1String("onunload")) {
                f.OnUnLoad = a.Value;
                taken = true;
            }
        }
        if (!taken)
            f.Kept << a.Raw;
    }
    return f;
}

QString BodyCode(const TBodyFields &f, const QString &documentDir)
{
    QString tag = QStringLiteral("<body");
    QSet<QString> written;
    if (!f.BackgroundImage.isEmpty())
        Write(tag, written, "background",
              f.AbsolutePath ? f.BackgroundImage : TagAssistant::RelativePath(f.BackgroundImage, documentDir));
    if (f.Watermark)
        Write(tag, written, "bgproperties", QStringLiteral("fixed"));
    WriteColor(tag, written, "bgcolor", f.Background, kDefaultBackground);
    WriteColor(tag, written, "text", f.Text, kDefaultText);
    WriteColor(tag, written, "link", f.Link, kDefaultLink);
    WriteColor(tag, written, "alink", f.ActiveLink, kDefaultActiveLink);
    WriteColor(tag, written, "vlink", f.VisitedLink, kDefaultVisitedLink);
    if (f.MarginTop > 0)
        Write(tag, written, "topmargin", QString::number(f.MarginTop));
    if (f.MarginLeft > 0)
        Write(tag, written, "leftmargin", QString::number(f.MarginLeft));
    if (!f.OnLoad.isEmpty())
        Write(tag, written, "onLoad", f.OnLoad);
    if (!f.OnUnLoad.isEmpty())
        Write(tag, written, "onUnLoad", f.OnUnLoad);
    for (const QString &raw : f.Kept) {
        const QList<TAttribute> parsed = PageScan::Attributes(QStringLiteral("<x ") + raw);
        if (!parsed.isEmpty() && written.contains(parsed.first().Name))
            continue;
        tag += QLatin1Char(' ') + raw;
    }
    return tag + QLatin1Char('>');
}

} // namespace BodyAssistant
