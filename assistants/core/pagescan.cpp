// Tags found in a page's text, their attributes as written, and one-splice differences.
#include "assistants/core/pagescan.h"

#include <algorithm>

namespace PageScan {

namespace {

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f';
}

bool IsQuote(QChar c)
{
    return c == u'"' || c == u'\'';
}

// A CR LF pair that a cut at position would split.
bool SplitsCrLf(QStringView text, qsizetype position)
{
    return position > 0 && position < text.size() && text[position - 1] == u'\r' && text[position] == u'\n';
}

} // namespace

qsizetype Find(QStringView text, QStringView what, qsizetype from)
{
    if (what.isEmpty() || from < 0 || from > text.size())
        return -1;
    return text.indexOf(what, from, Qt::CaseInsensitive);
}

qsizetype FindStartTag(QStringView text, QStringView name, qsizetype from)
{
    const QString opening = QLatin1Char('<') + name.toString();
    for (qsizetype at = Find(text, opening, from); at >= 0; at = Find(text, opening, at + 1)) {
        const qsizetype after = at + opening.size();
        if (after == text.size() || IsBlank(text[after]) || text[after] == u'>' || text[after] == u'/')
            return at;
    }
    return -1;
}

qsizetype TagEnd(QStringView text, qsizetype start)
{
    // A tag left open ends with its last non-blank character.
    const auto openEnd = [&](qsizetype at) {
        while (at > start + 1 && IsBlank(text[at - 1]))
            --at;
        return at;
    };
    QChar quote;
    for (qsizetype i = start + 1; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (IsQuote(c)) {
            quote = c;
        } else if (c == u'>') {
            return i + 1;
        } else if (c == u'<') {
            return openEnd(i);
        }
    }
    if (quote.isNull())
        return openEnd(text.size());
    // A quote that never closes: the tag ends where it would without quotes.
    for (qsizetype i = start + 1; i < text.size(); ++i) {
        if (text[i] == u'>')
            return i + 1;
        if (text[i] == u'<')
            return openEnd(i);
    }
    return openEnd(text.size());
}

QList<TAttribute> Attributes(QStringView tag)
{
    QList<TAttribute> result;
    const qsizetype n = tag.size();
    const qsizetype end = n > 0 && tag[n - 1] == u'>' ? n - 1 : n;
    qsizetype i = 0;
    if (i < end && tag[i] == u'<')
        ++i;
    while (i < end && !IsBlank(tag[i]) && tag[i] != u'/')
        ++i;
    const auto skipBlanks = [&](qsizetype at) {
        while (at < end && IsBlank(tag[at]))
            ++at;
        return at;
    };
    for (i = skipBlanks(i); i < end; i = skipBlanks(i)) {
        const qsizetype start = i;
        while (i < end && !IsBlank(tag[i]) && tag[i] != u'=')
            ++i;
        TAttribute attribute;
        attribute.Name = tag.mid(start, i - start).toString().toLower();
        qsizetype at = skipBlanks(i);
        if (at < end && tag[at] == u'=') {
            attribute.HasValue = true;
            at = skipBlanks(at + 1);
            if (at < end && IsQuote(tag[at])) {
                const qsizetype close = tag.indexOf(tag[at], at + 1);
                // A quote left open runs to the end of the tag.
                const qsizetype valueEnd = close >= 0 && close < end ? close : end;
                attribute.Value = tag.mid(at + 1, valueEnd - at - 1).toString();
                i = close >= 0 && close < end ? close + 1 : end;
            } else {
                qsizetype valueEnd = at;
                while (valueEnd < end && !IsBlank(tag[valueEnd]))
                    ++valueEnd;
                attribute.Value = tag.mid(at, valueEnd - at).toString();
                i = valueEnd;
            }
        }
        attribute.Raw = tag.mid(start, i - start).toString();
        result << attribute;
    }
    return result;
}

const TAttribute *FindAttribute(const QList<TAttribute> &attributes, QStringView name)
{
    for (const TAttribute &attribute : attributes)
        if (attribute.Name.compare(name, Qt::CaseInsensitive) == 0)
            return &attribute;
    return nullptr;
}

QString QuotedValue(const QString &value)
{
    if (!value.contains(u'"'))
        return QLatin1Char('"') + value + QLatin1Char('"');
    if (!value.contains(u'\''))
        return QLatin1Char('\'') + value + QLatin1Char('\'');
    QString escaped = value;
    escaped.replace(QLatin1String("\""), QLatin1String("&quot;"));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

TSplice Difference(QStringView before, QStringView after)
{
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype prefix = 0;
    while (prefix < shorter && before[prefix] == after[prefix])
        ++prefix;
    if (SplitsCrLf(before, prefix) || SplitsCrLf(after, prefix))
        --prefix;
    qsizetype suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix
           && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    if (suffix > 0 && (SplitsCrLf(before, before.size() - suffix) || SplitsCrLf(after, after.size() - suffix)))
        --suffix;
    return {prefix, before.size() - prefix - suffix, after.mid(prefix, after.size() - prefix - suffix).toString()};
}

} // namespace PageScan
