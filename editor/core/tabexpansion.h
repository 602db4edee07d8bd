// Tab expansion for painting, and the column mapping that keeps caret and text lined up.
#pragma once

#include <QString>
#include <QStringView>

namespace TabExpansion {

// Each tab becomes blanks up to the next multiple of tabWidth (one blank for widths 0 and 1).
QString Expand(QStringView line, int tabWidth);
// 1-based stored column -> 1-based painted column (columns past the end continue one by one).
int ToDisplayColumn(QStringView line, int column, int tabWidth);
// 1-based painted column -> the stored column whose character covers it; inside a tab's blanks
// the nearer edge of the tab is chosen.
int ToBufferColumn(QStringView line, int displayColumn, int tabWidth);
// True when the line has a tab, i.e. mapping is needed at all.
inline bool HasTabs(QStringView line)
{
    return line.contains(QLatin1Char('\t'));
}

} // namespace TabExpansion
