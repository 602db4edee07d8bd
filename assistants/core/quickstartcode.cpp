// The head of a page read, and the page completed from the quick start wizard's fields.
#include "assistants/core/quickstartcode.h"

#include "assistants/core/pagescan.h"

#include <array>

namespace QuickStart {

namespace {

using PageScan::Find;
using PageScan::FindStartTag;
using PageScan::TagEnd;

const QString kCrLf = QStringLiteral("\r\n");
const QString kTitleIndent = QStringLiteral("       ");

bool IsLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n';
}

bool IsBlankText(QStringView text)
{
    for (const QChar c : text)
        if (c != u' ' && c != u'\t')
            return false;
    return true;
}

qsizetype LineEnd(QStringView text, qsizetype at)
{
    while (at < text.size() && !IsLineBreak(text[at]))
        ++at;
    return at;
}

qsizetype LineStart(QStringView text, qsizetype at)
{
    while (at > 0 && !IsLineBreak(text[at - 1]))
        --at;
    return at;
}

// Puts block (lines joined with CR LF) on lines of its own at position: after the rest of the line
// when only blanks follow, before the line when only blanks precede, else breaking the line there.
// Returns where the block's text ends.
qsizetype InsertLines(QString &text, qsizetype at, const QString &block)
{
    const qsizetype end = LineEnd(text, at);
    if (IsBlankText(QStringView(text).mid(at, end - at))) {
        if (end == text.size()) {
            text += text.isEmpty() ? block : kCrLf + block;
            return text.size();
        }
        const qsizetype next = end + (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n' ? 2 : 1);
        text.insert(next, block + kCrLf);
        return next + block.size();
    }
    const qsizetype start = LineStart(text, at);
    if (IsBlankText(QStringView(text).mid(start, at - start))) {
        text.insert(start, block + kCrLf);
        return start + block.size();
    }
    text.insert(at, kCrLf + block + kCrLf);
    return at + kCrLf.size() + block.size();
}

QString Prepended(const QString &line, const QString &text)
{
    return text.isEmpty() ? line : line + kCrLf + text;
}

// The end of a title's text when its end tag is missing: the first line break or "<".
qsizetype TitleTextEnd(QStringView text, qsizetype from)
{
    while (from < text.size() && !IsLineBreak(text[from]) && text[from] != u'<')
        ++from;
    return from;
}

struct TMetaKind
{
    const char16_t *Attribute;
    const char16_t *Value;
};
constexpr TMetaKind kRefresh{u"http-equiv", u"refresh"};
constexpr TMetaKind kKeywords{u"name", u"keywords"};
constexpr TMetaKind kDescription{u"name", u"description"};

struct TMeta
{
    qsizetype Start = -1, End = -1;
    QString Content;
};

// The first meta tag of that kind, its value compared without regard to case or blanks.
TMeta FindMeta(QStringView text, const TMetaKind &kind)
{
    for (qsizetype at = FindStartTag(text, u"meta"); at >= 0;) {
        const qsizetype end = TagEnd(text, at);
        const QList<PageScan::TAttribute> attributes = PageScan::Attributes(text.mid(at, end - at));
        const PageScan::TAttribute *which = PageScan::FindAttribute(attributes, kind.Attribute);
        if (which && which->Value.trimmed().compare(kind.Value, Qt::CaseInsensitive) == 0) {
            const PageScan::TAttribute *content = PageScan::FindAttribute(attributes, u"content");
            // The double quotes written as &quot; are shown as typed.
            QString text = content ? content->Value : QString();
            return {at, end, text.replace(QLatin1String("&quot;"), QLatin1String("\""))};
        }
        at = FindStartTag(text, u"meta", end);
    }
    return {};
}

QString MetaTag(const TMetaKind &kind, QString content)
{
    content.replace(QLatin1String("\""), QLatin1String("&quot;"));
    return QStringLiteral("<meta ") + QString::fromUtf16(kind.Attribute) + QStringLiteral("=\"")
           + QString::fromUtf16(kind.Value) + QStringLiteral("\" content=\"") + content + QStringLiteral("\">");
}

} // namespace

const QStringList &DocTypes()
{
    // clang-format off
    static const QStringList types{
        QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 //EN\">   "),
        QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">"),
        QStringLiteral("<!DOCTYPE HTML PUBLIC  \"-//IETF//DTD HTML 2.0//EN\">"),
        QStringLiteral("<!DOCTYPE HTML PUBLIC  \"-//IETF//DTD HTML Level 1//EN\">"),
        QStringLiteral("<!DOCTYPE HTML PUBLIC  \"-//Microsoft/DTD Microsoft Internet Explorer 3.01 HTML//EN\">"),
    };
    // clang-format on
    return types;
}

TFields ReadPage(QStringView text)
{
    TFields f;
    const qsizetype title = FindStartTag(text, u"title");
    if (title >= 0) {
        const qsizetype from = TagEnd(text, title);
        f.Title = text.mid(from, TitleTextEnd(text, from) - from).toString();
    }
    const qsizetype docType = Find(text, u"<!doctype");
    if (docType >= 0)
        f.DocType = text.mid(docType, TagEnd(text, docType) - docType).toString();

    // "5; URL=page.html": the seconds, then the address after "URL=".
    const QString refresh = FindMeta(text, kRefresh).Content;
    const qsizetype semicolon = refresh.indexOf(u';');
    bool ok = false;
    const int seconds = refresh.left(semicolon < 0 ? refresh.size() : semicolon).trimmed().toInt(&ok);
    if (ok && seconds > 0 && semicolon >= 0) {
        QString url = refresh.mid(semicolon + 1).trimmed();
        if (url.startsWith(QLatin1String("url"), Qt::CaseInsensitive) && url.mid(3).trimmed().startsWith(u'='))
            url = url.mid(url.indexOf(u'=') + 1).trimmed();
        if (!url.isEmpty()) {
            f.RefreshSeconds = seconds;
            f.RefreshUrl = url;
        }
    }
    f.Keywords = FindMeta(text, kKeywords).Content;
    f.Description = FindMeta(text, kDescription).Content;
    return f;
}

TResult Complete(const QString &page, const TFields &f)
{
    QString text = page;
    TResult result;

    if (!f.DocType.isEmpty()) {
        const qsizetype docType = Find(text, u"<!doctype");
        if (docType >= 0)
            text.replace(docType, TagEnd(text, docType) - docType, f.DocType);
        else
            text = Prepended(f.DocType, text);
    }

    if (FindStartTag(text, u"html") < 0) {
        const qsizetype docType = Find(text, u"<!doctype");
        if (docType >= 0)
            InsertLines(text, TagEnd(text, docType), QStringLiteral("<html>"));
        else
            text = Prepended(QStringLiteral("<html>"), text);
    }

    if (FindStartTag(text, u"head") < 0)
        InsertLines(text, TagEnd(text, FindStartTag(text, u"html")), QStringLiteral("<head>"));

    // The title, then every meta tag written after it: headEnd follows the last of them.
    const QString element = QStringLiteral("<title>") + f.Title + QStringLiteral("</title>");
    qsizetype headEnd = 0;
    if (const qsizetype title = FindStartTag(text, u"title"); title >= 0) {
        const qsizetype open = TagEnd(text, title);
        const qsizetype close = Find(text, u"</title>", open);
        // Without its end tag the title is what was read as its text.
        const qsizetype end = close >= 0 ? close + 8 : TitleTextEnd(text, open);
        text.replace(title, end - title, element);
        headEnd = title + element.size();
    } else {
        headEnd = InsertLines(text, TagEnd(text, FindStartTag(text, u"head")), kTitleIndent + element);
    }

    const QString url = f.RefreshUrl.trimmed();
    const std::array<std::pair<TMetaKind, QString>, 3> metas{{
        {kRefresh, f.RefreshSeconds > 0 && !url.isEmpty()
                       ? QString::number(f.RefreshSeconds) + QStringLiteral("; URL=") + url
                       : QString()},
        {kKeywords, f.Keywords.trimmed().isEmpty() ? QString() : f.Keywords},
        {kDescription, f.Description.trimmed().isEmpty() ? QString() : f.Description},
    }};
    for (const auto &[kind, content] : metas) {
        if (content.isEmpty())
            continue;
        const QString tag = MetaTag(kind, content);
        const TMeta old = FindMeta(text, kind);
        // A meta tag that already says it stays as it is written.
        const QString written =
            old.Start >= 0 && old.Content == content ? text.mid(old.Start, old.End - old.Start) : tag;
        if (old.Start >= 0) {
            text.replace(old.Start, old.End - old.Start, written);
            if (old.Start < headEnd) {
                headEnd += written.size() - (old.End - old.Start);
            } else {
                // The next new one follows a replaced one that stands in the head.
                const qsizetype headClose = Find(text, u"</head>");
                if (headClose < 0 || old.Start < headClose)
                    headEnd = old.Start + written.size();
            }
        } else {
            headEnd = InsertLines(text, headEnd, tag);
        }
    }

    if (Find(text, u"</head>") < 0) {
        const qsizetype body = FindStartTag(text, u"body", headEnd);
        InsertLines(text, body >= 0 ? body : headEnd, QStringLiteral("</head>"));
    }
    if (FindStartTag(text, u"body") < 0)
        result.Caret = InsertLines(text, Find(text, u"</head>") + 7, QStringLiteral("<body>") + kCrLf);
    if (Find(text, u"</body>") < 0) {
        const qsizetype html = Find(text, u"</html>");
        InsertLines(text, html >= 0 ? html : text.size(), QStringLiteral("</body>"));
    }
    if (Find(text, u"</html>") < 0)
        InsertLines(text, text.size(), QStringLiteral("</html>"));
    result.Text = text;
    return result;
}

} // namespace QuickStart
