// Checks the tags of a page against the known tag names and collects and tests its links.
#include "analysis/core/htmlvalidator.h"

#include "analysis/core/charscan.h"
#include "platform/core/textdecoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <array>
#include <string_view>
#include <unordered_map>

namespace {

// Blanks, tabs and line breaks all separate a tag's name and parameters: hand-written pages
// often put each attribute on a line of its own.
bool IsSpace(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f';
}

bool IsLinkParam(QStringView name)
{
    if (name.size() != 3 && name.size() != 4 && name.size() != 10)
        return false;
    return name.compare(u"src", Qt::CaseInsensitive) == 0 || name.compare(u"href", Qt::CaseInsensitive) == 0
           || name.compare(u"background", Qt::CaseInsensitive) == 0;
}

// Whether text may hold a link parameter: one is written as its name right before an "=". Most
// tags hold none and need not be split into parameters at all. Letters are matched without case
// as IsLinkParam matches them; any character past ASCII might fold to a letter and is let through.
bool MayHoldLinkParam(QStringView text)
{
    const auto endsWithName = [text](qsizetype eq, const char *name, qsizetype length) {
        if (eq < length)
            return false;
        for (qsizetype k = 0; k < length; ++k) {
            const char16_t c = text[eq - length + k].unicode();
            if (c < 128 && (c | 0x20) != name[k])
                return false;
        }
        return true;
    };
    for (qsizetype at = text.indexOf(u'='); at >= 0; at = text.indexOf(u'=', at + 1)) {
        qsizetype eq = at; // "href = x": the name may stand blanks before the "="
        while (eq > 0 && IsSpace(text[eq - 1].unicode()))
            --eq;
        if (endsWithName(eq, "src", 3) || endsWithName(eq, "href", 4) || endsWithName(eq, "background", 10))
            return true;
    }
    return false;
}

// The value without its quotes: a pair of single quotes, or a leading and a trailing double quote.
QStringView LinkText(QStringView value)
{
    if (value.size() >= 2 && value.startsWith(u'\'') && value.endsWith(u'\''))
        return value.mid(1, value.size() - 2);
    if (value.startsWith(u'"'))
        value = value.mid(1);
    if (value.endsWith(u'"'))
        value.chop(1);
    return value;
}

bool IsHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool HasValidPercentEscapes(QStringView path)
{
    for (qsizetype i = path.indexOf(u'%'); i >= 0; i = path.indexOf(u'%', i + 1)) {
        if (i + 2 >= path.size() || !IsHexDigit(path[i + 1]) || !IsHexDigit(path[i + 2]))
            return false;
    }
    return true;
}

} // namespace

EFileOpenError::EFileOpenError(const QString &fileName, const QString &reason)
    : std::runtime_error(
        QStringLiteral("Cannot open file \"%1\". %2").arg(QDir::toNativeSeparators(fileName), reason).toStdString())
{}

THTMLTag::THTMLTag(QStringView text, int line, qsizetype offset)
    : m_Text(text.data()), m_Length(qint32(text.size())), m_Line(line), m_Offset(qint32(offset))
{
    const qsizetype n = text.size();
    qsizetype pos = text.startsWith(u'<') ? 1 : 0;
    if (pos < n && text[pos] == u'/') {
        m_IsEndTag = true;
        ++pos;
    }
    m_IsSelfClosing = !m_IsEndTag && n - 2 >= pos && text.endsWith(QStringView(u"/>"));
    const qsizetype end = m_IsSelfClosing ? n - 2 : n;
    const qsizetype nameStart = pos;
    while (pos < end && !IsSpace(text[pos].unicode()) && text[pos] != u'>')
        ++pos;
    m_NameLength = quint32(std::min<qsizetype>(pos - nameStart, (qsizetype(1) << 30) - 1));
}

bool THTMLTag::NextParam(qsizetype &pos, QStringView &param) const
{
    const QStringView text = Text();
    const qsizetype n = text.size();
    // Parameters start one character after the one that ended the name.
    qsizetype start = std::max<qsizetype>(pos, NameStart() + m_NameLength + 1);
    // Letters and most punctuation just extend a parameter; only these characters need a look.
    constexpr quint64 special = (1ull << '>') | (1ull << ' ') | (1ull << '\t') | (1ull << '\r') | (1ull << '\n')
                                | (1ull << '\f') | (1ull << '"') | (1ull << '\'') | (1ull << '/') | (1ull << '=');
    char16_t quote = 0;
    bool afterEquals = false; // the last character that was not a blank is "="
    qsizetype end = start;    // past the last character that was not a blank
    for (qsizetype i = start; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (!((c < 64) & ((special >> (c & 63)) & 1))) {
            afterEquals = false;
            end = i + 1;
            continue;
        }
        if (quote == 0 && IsSpace(c) && end > start && !(m_IsSelfClosing && i == n - 2)) {
            // "href = x": a blank next to "=" does not end the parameter.
            qsizetype next = i;
            while (next < n && IsSpace(text[next].unicode()))
                ++next;
            if (afterEquals || (next < n && text[next] == u'=')) {
                i = next - 1;
                continue;
            }
        }
        if (c == u'>' || (quote == 0 && IsSpace(c)) || (m_IsSelfClosing && i == n - 2)) {
            if (end > start) {
                param = text.mid(start, end - start);
                pos = i + 1;
                return true;
            }
            start = i + 1;
            end = start;
            quote = 0;
            afterEquals = false;
            continue;
        }
        end = i + 1;
        if (quote == 0 && (c == u'"' || (c == u'\'' && afterEquals))) {
            quote = c;
        } else if (c == quote) {
            quote = 0;
        }
        afterEquals = quote == 0 && c == u'=';
    }
    pos = n;
    return false;
}

QStringList THTMLTag::Params() const
{
    QStringList params;
    qsizetype pos = 0;
    QStringView param;
    while (NextParam(pos, param))
        params.append(param.toString());
    return params;
}

int THTMLTag::ParamCount() const
{
    int count = 0;
    qsizetype pos = 0;
    QStringView param;
    while (NextParam(pos, param))
        ++count;
    return count;
}

QString THTMLTag::GetParam(int index) const
{
    qsizetype pos = 0;
    QStringView param;
    for (int i = 0; NextParam(pos, param); ++i) {
        if (i == index)
            return param.toString();
    }
    return QString();
}

void THTMLValidator::LoadTagData(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EFileOpenError(fileName, file.errorString());
    QString text = DecodeFileBytes(file.readAll()).Text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');

    // Loading again replaces the list and its count rather than adding to them.
    m_TagData.clear();
    m_TagDataIndex.clear();
    m_NoEndTagCount = 0;
    for (QStringView line : QStringView(text).split(u'\n')) {
        if (line.isEmpty())
            continue;
        if (line.startsWith(u'/')) {
            m_TagData.append(line.mid(1).toString());
        } else {
            m_TagData.append(line.toString());
            ++m_NoEndTagCount;
        }
    }
    // QHash::insert replaces, so walk backwards to leave each name's first position in place.
    for (int i = int(m_TagData.size()) - 1; i >= 0; --i)
        m_TagDataIndex.insert(m_TagData.at(i).toLower(), i);
}

int THTMLValidator::TagDataIndex(const QString &lowerName) const
{
    return m_TagDataIndex.value(lowerName, -1);
}

bool THTMLValidator::IsKnownTag(const QString &name) const
{
    return name.contains(QStringView(u"!--")) || IsMarkupDeclaration(name) || IsForeignRoot(name)
           || TagDataIndex(name.toLower()) >= 0;
}

bool THTMLValidator::NeedsEndTag(const QString &name) const
{
    const int index = TagDataIndex(name.toLower());
    return index >= 0 && index >= m_NoEndTagCount;
}

namespace {

// Calls onTag(tag) for every tag of source, in order; a tag is a view of source.
template <typename F>
void ForEachTag(const QString &text, F &&onTag)
{
    const char16_t *s = reinterpret_cast<const char16_t *>(text.constData());
    const QStringView source(text);
    const qsizetype n = text.size();
    qsizetype start = -1;
    // Text before this index holds no markup (a comment, a CDATA section, a script's or a style
    // sheet's contents): only its line breaks count.
    qsizetype skipUntil = 0;
    int line = 0;
    const auto skipPast = [&](qsizetype from, QStringView mark) {
        const qsizetype at = source.indexOf(mark, from, Qt::CaseInsensitive);
        return at < 0 ? n : at + mark.size();
    };
    // Only four characters matter; everything between them is skipped in blocks.
    ForEachOf4(s, 0, n, u'<', u'>', u'\r', u'\n', [&](qsizetype i) {
        switch (s[i]) {
        case u'<':
            if (i < skipUntil)
                break;
            if (i + 1 >= n || s[i + 1] != u'!') {
                start = i; // the common case: no comment, no CDATA section
            } else if (source.mid(i, 4) == u"<!--") {
                // An e-mail address or a commented-out link inside is no tag and no link.
                skipUntil = skipPast(i + 2, u"-->"); // "<!-->" is a whole, empty comment
                start = -1;
            } else if (source.mid(i, 9) == u"<![CDATA[") {
                skipUntil = skipPast(i + 9, u"]]>");
                start = -1;
            } else {
                start = i;
            }
            break;
        case u'>':
            // A ">" with no "<" open (running text such as "a > b") is no tag: repeating the
            // previous tag would invent a second start tag and a false "no end tag" report.
            if (start >= 0 && i >= skipUntil) {
                const THTMLTag tag(QStringView(s + start, i - start + 1), line, start);
                start = -1;
                onTag(tag);
                const QStringView name = tag.Name();
                // "Array<string>" in a script or "a<b" in a style sheet is no tag: the contents
                // run to the element's end tag.
                if (!tag.IsEndTag() && !tag.IsSelfClosing() && (name.size() == 6 || name.size() == 5)
                    && (name.compare(u"script", Qt::CaseInsensitive) == 0
                        || name.compare(u"style", Qt::CaseInsensitive) == 0)) {
                    const QString endTag = QStringLiteral("</") + name.toString();
                    const qsizetype at = source.indexOf(endTag, i + 1, Qt::CaseInsensitive);
                    skipUntil = at < 0 ? n : at;
                }
            }
            break;
        case u'\r': ++line; break;
        default: // line feed
            if (i == 0 || s[i - 1] != u'\r')
                ++line;
            break;
        }
    });
}

} // namespace

void THTMLValidator::ExtractTags()
{
    m_Sources.append(m_Source);
    // Room for a tag every 16 characters: pages rarely have more, and unused room costs no memory.
    m_Tags.reserve(m_Tags.size() + m_Source.size() / 16);
    ForEachTag(m_Source, [this](const THTMLTag &tag) { m_Tags.append(tag); });
}

bool THTMLValidator::IsMarkupDeclaration(QStringView name)
{
    return name.startsWith(u'?') || name.startsWith(u'!');
}

bool THTMLValidator::IsForeignRoot(QStringView name)
{
    return name.compare(u"svg", Qt::CaseInsensitive) == 0 || name.compare(u"math", Qt::CaseInsensitive) == 0;
}

std::vector<int> THTMLValidator::NameIds(QStringList *lowerNames) const
{
    // Pages repeat a few spellings many times: look each spelling up once. The spellings are
    // views of the checked text, hashed by the standard library: far cheaper per tag than a
    // QString's hash, and nothing is copied for a spelling seen before.
    std::unordered_map<std::u16string_view, int> bySpelling;
    QHash<QString, int> byLowerName;
    // Most tags repeat a spelling seen a moment ago: a small table indexed by the length and the
    // outer characters answers those without hashing the name.
    struct TRecent
    {
        std::u16string_view Spelling;
        int Id = -1;
    };
    std::array<TRecent, 64> recent{};
    std::vector<int> ids;
    ids.reserve(m_Tags.size());
    for (const THTMLTag &tag : m_Tags) {
        const QStringView name = tag.Name();
        const std::u16string_view spelling(name.utf16(), size_t(name.size()));
        const size_t slot =
            spelling.empty()
                ? 0
                : (spelling.size() * 31 + size_t(spelling.front()) * 7 + size_t(spelling.back())) & (recent.size() - 1);
        if (recent[slot].Id >= 0 && recent[slot].Spelling == spelling) {
            ids.push_back(recent[slot].Id);
            continue;
        }
        auto it = bySpelling.find(spelling);
        if (it == bySpelling.end()) {
            const QString lower = name.toString().toLower();
            auto lowerIt = byLowerName.constFind(lower);
            if (lowerIt == byLowerName.cend()) {
                lowerIt = byLowerName.insert(lower, int(lowerNames->size()));
                lowerNames->append(lower);
            }
            it = bySpelling.emplace(spelling, *lowerIt).first;
        }
        recent[slot] = {spelling, it->second};
        ids.push_back(it->second);
    }
    return ids;
}

std::vector<bool> THTMLValidator::FindEndTags(const std::vector<int> &nameIds) const
{
    // A start tag has an end tag when, counting its name's start tags up and end tags down from
    // it onwards, the count gets back to where it was before it. Per name, that is the end tag
    // that pops it from a stack of open start tags; an end tag meeting an empty stack pops nothing.
    int nameCount = 0;
    for (int id : nameIds)
        nameCount = std::max(nameCount, id + 1);
    std::vector<std::vector<int>> open(nameCount);
    std::vector<bool> hasEnd(m_Tags.size(), false);
    for (qsizetype i = 0; i < m_Tags.size(); ++i) {
        std::vector<int> &stack = open[nameIds[i]];
        if (m_Tags.at(i).IsSelfClosing()) {
            hasEnd[i] = true; // its own end, and no end tag of its name belongs to it
        } else if (m_Tags.at(i).IsEndTag()) {
            hasEnd[i] = true;
            if (!stack.empty()) {
                hasEnd[stack.back()] = true;
                stack.pop_back();
            }
        } else {
            stack.push_back(int(i));
        }
    }
    return hasEnd;
}

void THTMLValidator::Validate(const QString &text)
{
    if (m_TagData.isEmpty())
        throw ENoTagDataLoaded();
    m_Source = text;
    ExtractTags();

    QStringList lowerNames;
    const std::vector<int> ids = NameIds(&lowerNames);
    std::vector<char> known(lowerNames.size());
    std::vector<char> needsEnd(lowerNames.size());
    std::vector<char> foreignRoot(lowerNames.size());
    for (int id = 0; id < lowerNames.size(); ++id) {
        const QString &name = lowerNames.at(id);
        const int index = TagDataIndex(name);
        foreignRoot[id] = IsForeignRoot(name);
        known[id] = index >= 0 || name.contains(QStringView(u"!--")) || IsMarkupDeclaration(name) || foreignRoot[id];
        needsEnd[id] = index >= m_NoEndTagCount;
    }
    const std::vector<bool> hasEnd = FindEndTags(ids);

    // Inside <svg> and <math> the names are SVG's and MathML's own: not checked against the list.
    int foreignDepth = 0;
    for (qsizetype i = 0; i < m_Tags.size(); ++i) {
        const THTMLTag &tag = m_Tags.at(i);
        if (foreignRoot[ids[i]] && !tag.IsSelfClosing()) {
            if (tag.IsEndTag()) {
                foreignDepth = std::max(0, foreignDepth - 1);
            } else {
                if (foreignDepth++ > 0)
                    continue;
            }
        }
        if (foreignDepth > 0 && !foreignRoot[ids[i]])
            continue;
        if (foreignDepth > 0 && tag.IsEndTag())
            continue; // an inner </svg>
        if (known[ids[i]] && (!needsEnd[ids[i]] || hasEnd[i]))
            continue;
        const QString line = QString::number(tag.Line());
        const QString name = tag.Name().toString();
        TError error;
        error.Line = tag.Line();
        error.Name = name;
        error.IsEndTag = tag.IsEndTag();
        error.Offset = tag.Offset();
        if (!known[ids[i]]) {
            error.Kind = TErrorKind::UnknownTag;
            error.Msg = line + QStringLiteral(": unknown Tag \"") + name + u'"';
        } else {
            error.Kind = TErrorKind::NoEndTag;
            error.Msg = line + QStringLiteral(": Tag \"") + name + QStringLiteral("\" has no end tag ( missing </")
                        + name + QStringLiteral("> )");
        }
        m_Errors.append(std::move(error));
    }
}

bool THTMLValidator::IsLocal(const QString &url)
{
    if (url.startsWith(u"www", Qt::CaseInsensitive))
        return false;
    // "//cdn.example/x.js" takes the page's scheme: another host.
    if (url.startsWith(u"//") || url.startsWith(u"\\\\"))
        return false;
    // Every remote form has a colon; most links on a page have none and need no more checks.
    const QStringView view(url);
    qsizetype colon = view.indexOf(u':');
    if (colon < 0)
        return true;
    // "http:", "https:", "ftp:", "gopher:" or "mailto:" anywhere: look before each colon.
    for (; colon >= 0; colon = view.indexOf(u':', colon + 1)) {
        for (const char16_t *scheme : {u"http", u"https", u"ftp", u"gopher", u"mailto"}) {
            const QStringView remote(scheme);
            if (colon >= remote.size()
                && view.mid(colon - remote.size(), remote.size()).compare(remote, Qt::CaseInsensitive) == 0)
                return false;
        }
    }
    // Any other scheme (javascript:, data:, news:...) names no file either; one letter before
    // the colon is a drive, not a scheme.
    const auto isLetter = [](QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); };
    qsizetype i = 0;
    while (
        i < url.size()
        && (isLetter(url[i])
            || (i > 0 && ((url[i] >= u'0' && url[i] <= u'9') || url[i] == u'+' || url[i] == u'-' || url[i] == u'.'))))
        ++i;
    if (i >= 2 && i < url.size() && url[i] == u':')
        return QStringView(url).left(i).compare(u"file", Qt::CaseInsensitive) == 0;
    return true;
}

QString THTMLValidator::LocalFileName(const QString &url, const QString &dir)
{
    const QString base = QDir(dir.isEmpty() ? QStringLiteral(".") : dir).absolutePath();
    QString path;
    if (url.startsWith(u"file:", Qt::CaseInsensitive)) {
        path = QUrl(url).toLocalFile();
    } else {
        // "page.html#top" and "search.php?q=x" name the files page.html and search.php.
        qsizetype end = url.size();
        for (const char16_t stop : {u'#', u'?'}) {
            const qsizetype at = url.indexOf(stop);
            if (at >= 0 && at < end)
                end = at;
        }
        path = url.left(end);
        if (path.contains(u'%') && HasValidPercentEscapes(path))
            path = QUrl::fromPercentEncoding(path.toUtf8());
    }
    if (path.isEmpty()) // "#top" or "": the page itself, in its own folder
        return QDir::cleanPath(base);
    return QDir::cleanPath(QDir(base).absoluteFilePath(path));
}

void THTMLValidator::CheckLinks(const QString &text, const QString &dir)
{
    m_Source = text;
    m_Sources.append(m_Source);

    // Pages link the same few files many times: resolve and test each local link text once.
    // Keys are views of the page's text.
    struct TTarget
    {
        QString FileName;
        bool Exists = false;
    };
    std::unordered_map<std::u16string_view, TTarget> localTargets;
    std::unordered_map<std::u16string_view, QString> tagNames;
    const std::pair<const std::u16string_view, QString> *lastTagName = nullptr;
    const auto view = [](QStringView s) { return std::u16string_view(s.utf16(), size_t(s.size())); };
    // The tags themselves are not kept: a link carries what it needs of its tag.
    ForEachTag(m_Source, [&](const THTMLTag &tag) {
        if (!MayHoldLinkParam(tag.Text()))
            return;
        qsizetype pos = 0;
        QStringView param;
        while (tag.NextParam(pos, param)) {
            const qsizetype eq = param.indexOf(u'=');
            if (eq < 0 || !IsLinkParam(param.left(eq).trimmed()))
                continue;
            const QStringView url = LinkText(param.mid(eq + 1).trimmed());
            TLink link;
            link.URL = url.toString();
            link.IsLocal = IsLocal(link.URL);
            if (link.IsLocal) {
                auto target = localTargets.find(view(url));
                if (target == localTargets.end()) {
                    const QString fileName = LocalFileName(link.URL, dir);
                    target = localTargets.emplace(view(url), TTarget{fileName, QFileInfo::exists(fileName)}).first;
                }
                link.FileName = target->second.FileName;
                link.Exists = target->second.Exists;
            } else {
                link.FileName = link.URL;
            }
            // Links come in runs of one tag name ("a", "img"): ask the map only when it changes.
            const QStringView name = tag.Name();
            if (!lastTagName || view(name) != lastTagName->first) {
                auto tagName = tagNames.find(view(name));
                if (tagName == tagNames.end())
                    tagName = tagNames.emplace(view(name), name.toString()).first;
                lastTagName = &*tagName;
            }
            link.TagName = lastTagName->second;
            link.Line = tag.Line();
            link.Offset = tag.Offset();
            m_Links.append(std::move(link));
        }
    });
}
