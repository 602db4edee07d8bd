// The document conversions, each one pass over the text.
#include "doctools/core/textconversions.h"

#include "doctools/core/namedreferences.h"

#include <QHash>

namespace Conversions {

TRemovedTags RemoveAllTags(QStringView text, const std::function<bool()> &strayBracket)
{
    TRemovedTags result;
    QString &out = result.Text;
    out.reserve(text.size());
    qsizetype open = -1; // where in out the pending "<" stands
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'<') {
            open = out.size();
            out += c;
        } else if (c == u'>') {
            if (open >= 0) {
                out.truncate(open);
                open = -1;
            } else if (strayBracket && !strayBracket()) {
                out += text.mid(i);
                result.Stopped = true;
                return result;
            } else {
                out += c;
            }
        } else {
            out += c;
        }
    }
    return result;
}

QString TrimLineStarts(QStringView text)
{
    QString out;
    out.reserve(text.size());
    bool lineStart = true;
    for (QChar c : text) {
        if (c == u'\r' || c == u'\n') {
            lineStart = true;
            out += c;
        } else if (!(lineStart && c.unicode() <= 32)) {
            lineStart = false;
            out += c;
        }
    }
    return out;
}

TEntityMap::TEntityMap(const QList<TCharacterRow> &rows)
{
    for (const TCharacterRow &r : rows) {
        if (r.Character.isEmpty() || r.Entity.isEmpty() || r.Character == QLatin1String("<")
            || r.Character == QLatin1String(">") || r.Character == QLatin1String("&"))
            continue;
        const int index = int(m_rows.size());
        m_rows.append({r.Character, r.Entity});
        m_byFirstChar[r.Character[0]].append(index);
        m_starts.set(r.Character[0].unicode());
        if (!m_byEntity.contains(r.Entity))
            m_byEntity.insert(r.Entity, index);
        m_longestEntity = std::max(m_longestEntity, r.Entity.size());
    }
}

QString TEntityMap::CharactersToEntities(QStringView text, bool named, bool numeric, qsizetype *unnamed) const
{
    QString out;
    out.reserve(text.size() + text.size() / 8);
    qsizetype withoutName = 0;
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text[i];
        if (c.unicode() < 0x80 && !m_starts.test(c.unicode())) { // most of a page: nothing to look up
            out += c;
            ++i;
            continue;
        }
        int match = -1;
        const auto found = m_starts.test(c.unicode()) ? m_byFirstChar.constFind(c) : m_byFirstChar.constEnd();
        if (found != m_byFirstChar.constEnd()) {
            for (int row : *found) {
                if (text.mid(i).startsWith(m_rows[row].Character)) {
                    match = row;
                    break;
                }
            }
        }
        if (match >= 0) {
            out += m_rows[match].Entity;
            i += m_rows[match].Character.size();
            continue;
        }
        const bool pair = c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const char32_t cp = pair ? QChar::surrogateToUcs4(c, text[i + 1]) : c.unicode();
        const qsizetype width = pair ? 2 : 1;
        const char *name = cp >= 0xA0 && named ? NamedReferences::NameOf(cp) : nullptr;
        const bool scalar = cp >= 0xA0 && !(cp >= 0xD800 && cp <= 0xDFFF);
        if (name) {
            out += u'&' + QLatin1StringView(name) + u';';
        } else if (scalar) {
            ++withoutName;
            if (numeric)
                out += NamedReferences::Numeric(cp);
            else
                out += text.mid(i, width);
        } else {
            out += text.mid(i, width);
        }
        i += width;
    }
    if (unnamed)
        *unnamed = withoutName;
    return out;
}

namespace {

// The characters of a reference starting at text[i] ("&rarr;", "&#8594;", "&#x2192;") and the
// length of the reference; only references to characters from U+00A0 on are taken.
std::optional<std::pair<QString, qsizetype>> ReferenceAt(QStringView text, qsizetype i)
{
    constexpr qsizetype kLongestName = 40;
    const qsizetype semicolon = text.mid(i + 1, kLongestName).indexOf(u';');
    if (semicolon < 1)
        return std::nullopt;
    const QStringView body = text.mid(i + 1, semicolon);
    QString characters;
    if (body.startsWith(u'#')) {
        const std::optional<char32_t> cp = NamedReferences::DecodeNumeric(body.mid(1));
        if (!cp)
            return std::nullopt;
        characters = QString::fromUcs4(&*cp, 1);
    } else {
        const std::optional<QString> decoded = NamedReferences::Decode(body);
        if (!decoded)
            return std::nullopt;
        characters = *decoded;
    }
    const bool allFar = std::all_of(characters.begin(), characters.end(), [](QChar c) { return c.unicode() >= 0xA0; });
    if (!allFar)
        return std::nullopt;
    return std::make_pair(characters, semicolon + 2);
}

} // namespace

QString TEntityMap::EntitiesToCharacters(QStringView text) const
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype amp = text.indexOf(u'&', i);
        if (amp < 0) {
            out += text.mid(i);
            break;
        }
        out += text.mid(i, amp - i);
        i = amp;
        // The longest table entity that starts here, then any other reference.
        int match = -1;
        qsizetype length = 0;
        for (qsizetype n = std::min(m_longestEntity, text.size() - i); n >= 2 && match < 0; --n) {
            const auto found = m_byEntity.constFind(text.mid(i, n).toString());
            if (found != m_byEntity.constEnd()) {
                match = *found;
                length = n;
            }
        }
        if (match >= 0) {
            out += m_rows[match].Character;
            i += length;
        } else if (const auto reference = ReferenceAt(text, i)) {
            out += reference->first;
            i += reference->second;
        } else {
            out += text[i];
            ++i;
        }
    }
    return out;
}

QString ConvertTagCase(QStringView text, bool upper)
{
    QString out = text.toString();
    ConvertTagCaseInPlace(out, upper);
    return out;
}

bool ConvertTagCaseInPlace(QString &out, bool upper)
{
    bool changed = false;
    QChar *d = out.data();
    const qsizetype n = out.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (d[i] != u'<')
            continue;
        // Names run to the next break, blank or ">"; a "<" inside one starts the next name,
        // which covers the same characters again, so going on from it changes nothing more.
        qsizetype j = i + 1;
        for (; j < n && d[j] != u'\n' && d[j] != u'\r' && d[j] != u' ' && d[j] != u'>'; ++j) {
            const char16_t c = d[j].unicode();
            if (upper && c >= u'a' && c <= u'z') {
                d[j] = QChar(c - 32);
                changed = true;
            } else if (!upper && c >= u'A' && c <= u'Z') {
                d[j] = QChar(c + 32);
                changed = true;
            }
        }
        i = j - 1;
    }
    return changed;
}

QString ReplaceSlashes(QStringView text)
{
    QString out = text.toString();
    out.replace(u'\\', u'/');
    return out;
}

QStringList TextToHtml(const QStringList &lines, const TEntityMap &entities)
{
    QStringList page = {QStringLiteral("<html>"), QStringLiteral("<head>"), QStringLiteral("        <title></title>"),
                        QStringLiteral("</head>"), QStringLiteral("<body>")};
    for (const QString &line : lines)
        page << ReplaceSlashes(entities.CharactersToEntities(line + QStringLiteral("<br>")));
    page << QStringLiteral("</body>") << QStringLiteral("</html>");
    return page;
}

} // namespace Conversions
