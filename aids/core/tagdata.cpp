// The tag data files: known tag names (tags.dat) and the parameters of each tag (insight.dat).
#include "aids/core/tagdata.h"

#include <QFile>

#include <algorithm>

namespace {

bool LessIgnoringCase(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

} // namespace

void TTagNames::Assign(const QStringList &lines)
{
    m_names.clear();
    m_names.reserve(lines.size());
    for (const QString &line : lines)
        m_names << (line.startsWith(QLatin1Char('/')) ? line.mid(1) : line);
    std::stable_sort(m_names.begin(), m_names.end(), LessIgnoringCase);
}

bool TTagNames::IsKnownTag(const QString &name) const
{
    const QString upper = name.toUpper();
    const auto it = std::lower_bound(m_names.cbegin(), m_names.cend(), upper, LessIgnoringCase);
    return it != m_names.cend() && QString::compare(*it, upper, Qt::CaseInsensitive) == 0;
}

namespace TagData {

bool ReadLines(const QString &fileName, QStringList &lines)
{
    lines.clear();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    const QString text = QString::fromUtf8(bytes);
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    // A final line break ends the last line; it does not start an empty one.
    if (start < n)
        lines << text.mid(start);
    return true;
}

QString TrimLine(const QString &line)
{
    qsizetype first = 0;
    qsizetype last = line.size();
    while (first < last && line.at(first).unicode() <= 32)
        ++first;
    while (last > first && line.at(last - 1).unicode() <= 32)
        --last;
    return line.mid(first, last - first);
}

QList<TMyHTMLTag> ParseInsightData(const QStringList &lines)
{
    QList<TMyHTMLTag> tags;
    for (const QString &raw : lines) {
        const QString line = TrimLine(raw);
        if (line.isEmpty() || line.startsWith(QLatin1Char('/')))
            continue;
        if (line.startsWith(QLatin1Char('<'))) {
            const qsizetype close = line.indexOf(QLatin1Char('>'));
            tags << TMyHTMLTag(close < 0 ? QString() : line.mid(1, close - 1));
            continue;
        }
        // Parameter lines before the first entry belong to no tag.
        if (!tags.isEmpty())
            tags.last().Strings << line;
    }
    return tags;
}

bool LoadTagNames(const QString &fileName, TTagNames &names)
{
    QStringList lines;
    const bool ok = ReadLines(fileName, lines);
    names.Assign(lines);
    return ok;
}

bool LoadInsightData(const QString &fileName, QList<TMyHTMLTag> &tags)
{
    QStringList lines;
    const bool ok = ReadLines(fileName, lines);
    tags = ParseInsightData(lines);
    return ok;
}

QString TagNamesErrorText()
{
    return QStringLiteral("Error loading Tag Completetion and Tag Hint Data!\r\n"
                          "File \"Tags.dat\" has to be located in /Data subdirectory.\r\n"
                          "Tag Completetion will probably not work or won't work well!");
}

QString InsightErrorText()
{
    return QStringLiteral("Fatal Error!!\r\n"
                          "Failed to load insight.dat.\r\n"
                          "File has to be located in /Data subdirectory. Errors will probably occur.\r\n"
                          "\r\n"
                          "Do you wish to continue?");
}

} // namespace TagData
