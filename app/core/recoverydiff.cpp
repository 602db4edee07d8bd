#include "app/core/recoverydiff.h"

#include <algorithm>

namespace RecoveryDiff {

namespace {

QString LineCount(qsizetype n)
{
    return n == 1 ? QStringLiteral("1 line") : QStringLiteral("%1 lines").arg(n);
}

QString Shortened(const QString &line)
{
    constexpr int kMaxChars = 160;
    return line.size() <= kMaxChars ? line : line.left(kMaxChars) + QStringLiteral(" …");
}

void AppendLines(QStringList &out, const QStringList &lines, const QString &mark, int maxLines)
{
    const int shown = std::min<int>(maxLines, lines.size());
    for (int i = 0; i < shown; ++i)
        out << mark + Shortened(lines.at(i));
    if (lines.size() > shown)
        out << mark + QStringLiteral("… ") + LineCount(lines.size() - shown) + QStringLiteral(" more");
}

} // namespace

TDifference Compare(const QStringList &disk, const QStringList &journal)
{
    TDifference result;
    const int common = std::min<int>(disk.size(), journal.size());
    int prefix = 0;
    while (prefix < common && disk.at(prefix) == journal.at(prefix))
        ++prefix;
    if (prefix == disk.size() && prefix == journal.size()) {
        result.Same = true;
        return result;
    }
    int suffix = 0;
    while (suffix < common - prefix && disk.at(disk.size() - 1 - suffix) == journal.at(journal.size() - 1 - suffix))
        ++suffix;
    result.FirstLine = prefix + 1;
    result.DiskLines = disk.mid(prefix, disk.size() - prefix - suffix);
    result.JournalLines = journal.mid(prefix, journal.size() - prefix - suffix);
    return result;
}

QString Describe(const QStringList &disk, bool diskExists, bool untitled, const QStringList &journal, int maxLines)
{
    QStringList out;
    if (untitled || !diskExists) {
        out << (untitled ? QStringLiteral("Never saved: ") : QStringLiteral("The file is no longer on disk: "))
                   + LineCount(journal.size()) + QLatin1Char('.');
        AppendLines(out, journal, QStringLiteral("+ "), maxLines);
        return out.join(QLatin1Char('\n'));
    }
    const TDifference d = Compare(disk, journal);
    if (d.Same)
        return QStringLiteral("The same as the file on disk.");
    if (d.DiskLines.isEmpty())
        out << LineCount(d.JournalLines.size()) + QStringLiteral(" added at line %1:").arg(d.FirstLine);
    else if (d.JournalLines.isEmpty())
        out << LineCount(d.DiskLines.size()) + QStringLiteral(" removed at line %1:").arg(d.FirstLine);
    else if (d.DiskLines.size() == 1)
        out << QStringLiteral("Line %1 of the file differs:").arg(d.FirstLine);
    else
        out << QStringLiteral("Lines %1 to %2 of the file differ:")
                   .arg(d.FirstLine)
                   .arg(d.FirstLine + d.DiskLines.size() - 1);
    AppendLines(out, d.DiskLines, QStringLiteral("- "), maxLines);
    AppendLines(out, d.JournalLines, QStringLiteral("+ "), maxLines);
    return out.join(QLatin1Char('\n'));
}

} // namespace RecoveryDiff
