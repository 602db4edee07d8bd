// Tag insight decisions: what the text before the caret calls for, which names the list offers,
// what choosing an entry inserts and where the caret goes.
#include "aids/core/taginsight.h"

#include <algorithm>

namespace TagInsight {

namespace {

// The character at a 1-based position; null outside the text, so scans never read past its ends.
QChar At(QStringView text, int pos)
{
    return pos >= 1 && pos <= text.size() ? text.at(pos - 1) : QChar();
}

bool EndsTagName(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char(' ') || c == QLatin1Char('>');
}

} // namespace

bool IsNameDelimiter(QChar c)
{
    const char16_t u = c.unicode();
    return u == 0 || u == 10 || u == 13 || u == 32 || u == '<' || u == '>';
}

TTagHintCheck CheckTagHint(QStringView text, int selStart, bool selection, const TTagNames &names)
{
    TTagHintCheck check;
    check.ScanPos = selStart - 1;
    if (selection)
        return check;
    const QChar quote(QLatin1Char('"'));
    if (At(text, check.ScanPos) == quote && At(text, check.ScanPos + 1) == quote)
        return check;

    int p = std::min(check.ScanPos, int(text.size()));
    for (; p >= 1; --p) {
        const QChar c = At(text, p);
        if (c == QLatin1Char('<'))
            break;
        if (c == QLatin1Char('>')) {
            check.ScanPos = p;
            return check;
        }
    }
    check.ScanPos = std::max(p, 0);
    if (p < 1)
        return check;

    int q = p + 1;
    while (q <= text.size() && !EndsTagName(At(text, q)))
        ++q;
    const QString name = text.mid(p, q - p - 1).toString();
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')))
        return check;

    check.AfterBlank = At(text, selStart - 1) == QLatin1Char('>') || At(text, selStart - 1) == QLatin1Char(' ');
    if (!names.IsKnownTag(name)) {
        check.Decision = THintDecision::NameList;
        return check;
    }
    check.Decision = THintDecision::Hints;
    check.SelTagName = name;
    return check;
}

TNameList FillInsightList(QStringView text, int selStart, const TTagNames &names, const QList<TMyHTMLTag> &tags)
{
    TNameList list;
    int start = std::min(selStart - 1, int(text.size()));
    while (start >= 1 && !IsNameDelimiter(At(text, start)))
        --start;
    start = std::max(start, 0);
    int end = start + 1;
    while (end <= text.size() && !IsNameDelimiter(At(text, end)))
        ++end;
    const QString prefix = text.mid(start, end - start - 1).toString();
    if (prefix.isEmpty())
        return list;
    if (At(text, start) == QLatin1Char('<') && names.IsKnownTag(prefix))
        return list;

    const QString upper = prefix.toUpper();
    for (const TMyHTMLTag &tag : tags) {
        const QString name = tag.Name.toUpper();
        if (name == upper)
            continue;
        if (name.startsWith(upper))
            list.Names.prepend(tag.Name);
        else if (name.indexOf(upper) > 0)
            list.Names.append(tag.Name);
    }
    if (list.Names.isEmpty())
        return list;
    list.InsightStart = start;
    list.InsightLen = int(prefix.size());
    list.Prefix = prefix;
    return list;
}

TTagHints TagHints(const QString &selTagName, const QList<TMyHTMLTag> &tags)
{
    TTagHints hints;
    const TMyHTMLTag *match = nullptr;
    for (const TMyHTMLTag &tag : tags)
        if (QString::compare(tag.Name, selTagName, Qt::CaseInsensitive) == 0)
            match = &tag;
    if (!match || match->Strings.isEmpty())
        return hints;
    hints.Found = true;
    hints.Lines = match->Strings;
    for (const QString &line : match->Strings) {
        hints.MemoText += QLatin1Char(' ') + line;
        hints.ParameterItems << ParameterItem(line);
    }
    return hints;
}

QString ParameterItem(const QString &line)
{
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    return (equals < 0 ? QString() : line.left(equals + 1)) + QStringLiteral("\"\"");
}

TInsertion InsightInsertion(const QString &entry, QChar before, bool insightShown, int insightStart, int insightLen,
                            int textLength)
{
    TInsertion insertion;
    QString text = before == QLatin1Char(' ') || insightShown ? entry : QLatin1Char(' ') + entry;
    text = text.toLower();
    if (text == QLatin1String(" "))
        return insertion;
    insertion.Skip = false;
    insertion.Text = text;
    if (insightShown) {
        insertion.ReplacePrefix = true;
        insertion.SelStart = std::clamp(insightStart + 1, 1, textLength + 1);
        insertion.SelEnd = std::clamp(insightStart + 1 + insightLen, insertion.SelStart, textLength + 1);
    } else {
        insertion.CaretBetweenQuotes = text.contains(QLatin1Char('"'));
    }
    return insertion;
}

} // namespace TagInsight
