// Tab expansion for painting, and the column mapping that keeps caret and text lined up.
#include "editor/core/tabexpansion.h"

namespace TabExpansion {

static int TabSpan(int position, int tabWidth)
{
    return tabWidth <= 1 ? 1 : tabWidth - position % tabWidth;
}

QString Expand(QStringView line, int tabWidth)
{
    QString out;
    out.reserve(line.size() + 16);
    for (QChar c : line) {
        if (c == QLatin1Char('\t'))
            out.append(QString(TabSpan(int(out.size()), tabWidth), QLatin1Char(' ')));
        else
            out.append(c);
    }
    return out;
}

int ToDisplayColumn(QStringView line, int column, int tabWidth)
{
    int position = 0;
    const qsizetype limit = qMin<qsizetype>(line.size(), qMax(0, column - 1));
    for (qsizetype i = 0; i < limit; ++i)
        position += line.at(i) == QLatin1Char('\t') ? TabSpan(position, tabWidth) : 1;
    return position + 1 + qMax(0, column - 1 - int(line.size()));
}

int ToBufferColumn(QStringView line, int displayColumn, int tabWidth)
{
    const int target = displayColumn - 1;
    int position = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const int span = line.at(i) == QLatin1Char('\t') ? TabSpan(position, tabWidth) : 1;
        if (target < position + span) {
            // Past the middle of a tab's blanks the caret goes after the tab.
            return int(i) + 1 + ((target - position) * 2 >= span && span > 1 ? 1 : 0);
        }
        position += span;
    }
    return int(line.size()) + 1 + (target - position);
}

} // namespace TabExpansion
