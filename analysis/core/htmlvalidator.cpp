// Checks the tags of a page against the known tag names and collects and tests its links.
#include "analysis/core/htmlvalidator.h"

#include "platform/core/textdecoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace {

// Blanks, tabs and line breaks all separate a tag's name and parameters: hand-written pages
// often put each attribute on a line of its own.
bool IsSpace(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f';
}

bool IsLinkParam(QStringView name)
{
    return name.compare(u"src", Qt::CaseInsensitive) == 0
        || name.compare(u"href", Qt::CaseInsensitive) == 0
        || name.compare(u"background", Qt::CaseInsensitive) == 0;
}

QString LinkText(QStringView value)
{
    if (value.size() >= 2 && value.startsWith(u'\'') && value.endsWith(u'\''))
        return value.mid(1, value.size() - 2).toString();
    if (value.startsWith(u'"'))
        value = value.mid(1);
    if (value.endsWith(u'"'))
        value.chop(1);
    return value.toString();
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
    : std::runtime_error(QStringLiteral("Cannot open file \"%1\". %2")
                             .arg(QDir::toNativeSeparators(fileName), reason)
                             .toStdString())
{
}

THTMLTag::THTMLTag(QStringView text, int line)
    : m_Line(line)
{
    const qsizetype n = text.size();
    qsizetype pos = text.startsWith(u'<') ? 1 : 0;
    if (pos < n && text[pos] == u'/') {
        m_IsEndTag = true;
        ++pos;
    }
    const qsizetype nameStart = pos;
    while (pos < n && !IsSpace(text[pos].unicode()) && text[pos] != u'>')
        ++pos;
    m_Name = text.mid(nameStart, pos - nameStart).toString();

    // Parameters: whitespace outside quotes or any ">" ends one; text after the last separator
    // is dropped. A double quote toggles quoting anywhere; a single quote quotes a value that
    // starts with it, up to the next single quote.
    qsizetype start = ++pos;
    char16_t quote = 0;
    for (; pos < n; ++pos) {
        const char16_t c = text[pos].unicode();
        if (c == u'>' || (quote == 0 && IsSpace(c))) {
            if (pos > start)
                m_Params.append(text.mid(start, pos - start).toString());
            start = pos + 1;
            quote = 0;
        } else if (quote == 0 && (c == u'"' || (c == u'\'' && pos > 0 && text[pos - 1] == u'='))) {
            quote = c;
        } else if (c == quote) {
            quote = 0;
        }
    }
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
    return name.contains(QStringView(u"!--")) || TagDataIndex(name.toLower()) >= 0;
}

bool THTMLValidator::NeedsEndTag(const QString &name) const
{
    const int index = TagDataIndex(name.toLower());
    return index >= 0 && index >= m_NoEndTagCount;
}

void THTMLValidator::ExtractTags()
{
    const char16_t *s = reinterpret_cast<const char16_t *>(m_Source.constData());
    const qsizetype n = m_Source.size();
    qsizetype start = -1;
    int line = 0;
    for (qsizetype i = 0; i < n; ++i) {
        switch (s[i]) {
        case u'<':
            start = i;
            break;
        case u'>':
            // A ">" with no "<" open (running text such as "a > b") is no tag: repeating the
            // previous tag would invent a second start tag and a false "no end tag" report.
            if (start >= 0) {
                m_Tags.append(THTMLTag(QStringView(s + start, i - start + 1), line));
                start = -1;
            }
            break;
        case u'\r':
            ++line;
            break;
        case u'\n':
            if (i == 0 || s[i - 1] != u'\r')
                ++line;
            break;
        default:
            break;
        }
    }
}

std::vector<int> THTMLValidator::NameIds(QStringList *lowerNames) const
{
    // Pages repeat a few spellings many times: look each spelling up once.
    QHash<QString, int> bySpelling;
    QHash<QString, int> byLowerName;
    std::vector<int> ids;
    ids.reserve(m_Tags.size());
    for (const THTMLTag &tag : m_Tags) {
        auto it = bySpelling.constFind(tag.Name());
        if (it == bySpelling.cend()) {
            const QString lower = tag.Name().toLower();
            auto lowerIt = byLowerName.constFind(lower);
            if (lowerIt == byLowerName.cend()) {
                lowerIt = byLowerName.insert(lower, int(lowerNames->size()));
                lowerNames->append(lower);
            }
            it = bySpelling.insert(tag.Name(), *lowerIt);
        }
        ids.push_back(*it);
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
        if (m_Tags.at(i).IsEndTag()) {
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
    for (int id = 0; id < lowerNames.size(); ++id) {
        const int index = TagDataIndex(lowerNames.at(id));
        known[id] = index >= 0 || lowerNames.at(id).contains(QStringView(u"!--"));
        needsEnd[id] = index >= m_NoEndTagCount;
    }
    const std::vector<bool> hasEnd = FindEndTags(ids);

    for (qsizetype i = 0; i < m_Tags.size(); ++i) {
        const THTMLTag &tag = m_Tags.at(i);
        const QString line = QString::number(tag.Line());
        if (!known[ids[i]]) {
            m_Errors.append(TError{tag.Line(), line + QStringLiteral(": unknown Tag \"") + tag.Name() + u'"'});
        } else if (needsEnd[ids[i]] && !hasEnd[i]) {
            m_Errors.append(TError{tag.Line(), line + QStringLiteral(": Tag \"") + tag.Name()
                                             + QStringLiteral("\" has no end tag ( missing </")
                                             + tag.Name() + QStringLiteral("> )")});
        }
    }
}

bool THTMLValidator::IsLocal(const QString &url)
{
    const QString lower = url.toLower();
    for (const char16_t *remote : {u"http:", u"ftp:", u"gopher:", u"mailto:", u"https:"}) {
        if (lower.contains(QStringView(remote)))
            return false;
    }
    if (lower.startsWith(u"www"))
        return false;
    // Any other scheme (javascript:, data:, news:...) names no file either; one letter before
    // the colon is a drive, not a scheme.
    qsizetype i = 0;
    while (i < lower.size()
           && ((lower[i] >= u'a' && lower[i] <= u'z')
               || (i > 0 && ((lower[i] >= u'0' && lower[i] <= u'9') || lower[i] == u'+'
                             || lower[i] == u'-' || lower[i] == u'.'))))
        ++i;
    if (i >= 2 && i < lower.size() && lower[i] == u':')
        return QStringView(lower).left(i) == u"file";
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
    if (path.isEmpty())  // "#top" or "": the page itself, in its own folder
        return QDir::cleanPath(base);
    return QDir::cleanPath(QDir(base).absoluteFilePath(path));
}

void THTMLValidator::CheckLinks(const QString &text, const QString &dir)
{
    m_Source = text;
    ExtractTags();

    for (const THTMLTag &tag : std::as_const(m_Tags)) {
        for (const QString &param : tag.Params()) {
            const qsizetype eq = param.indexOf(u'=');
            if (eq < 0 || !IsLinkParam(QStringView(param).left(eq)))
                continue;
            TLink link;
            link.URL = LinkText(QStringView(param).mid(eq + 1));
            link.IsLocal = IsLocal(link.URL);
            link.FileName = link.IsLocal ? LocalFileName(link.URL, dir) : link.URL;
            link.TagName = tag.Name();
            link.Line = tag.Line();
            m_Links.append(std::move(link));
        }
    }

    // Pages link the same few files many times: ask the file system once for each.
    QHash<QString, bool> exists;
    for (TLink &link : m_Links) {
        if (!link.IsLocal) {
            link.Exists = false;
            continue;
        }
        auto it = exists.constFind(link.FileName);
        if (it == exists.cend())
            it = exists.insert(link.FileName, QFileInfo::exists(link.FileName));
        link.Exists = *it;
    }
}
