// What the view asks of a syntax colourer: the coloured runs of one painted line.
#pragma once

#include "editor/core/edittypes.h"

#include <QColor>
#include <QList>
#include <QStringView>

struct TPaintToken
{
    int Start = 0; // 0-based index into the painted (tab-expanded) line
    int Length = 0;
    QColor Foreground; // invalid: the view's own text colour
    QColor Background; // invalid: the view's own background
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
};

class TViewTokenSource
{
public:
    virtual ~TViewTokenSource() = default;
    // Splits a painted line that starts in state start into coloured runs covering it in order,
    // at least from column startColumn up to column stopColumn (0-based): runs wholly outside
    // may be left out, since a view paints only its window of a long line.
    virtual void Tokens(QStringView paintedLine, int lineIndex, TRangeState start, QList<TPaintToken> &out,
                        int stopColumn, int startColumn = 0) = 0;
    // The background of blank space, when the colourer sets one.
    virtual QColor SpaceBackground() const { return {}; }
};
