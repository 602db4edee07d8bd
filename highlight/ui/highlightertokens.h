// Hands a highlighter's tokens and colours to the painting view.
#pragma once

#include "editor/ui/tokensource.h"
#include "highlight/core/color.h"
#include "highlight/core/highlighter.h"
#include "highlight/core/linecheckpoints.h"

#include <vector>

// A stored colour as a QColor; clNone gives an invalid colour (the view's own).
QColor ToQColor(TColor color);

class THighlighterTokens : public TViewTokenSource
{
public:
    explicit THighlighterTokens(TCustomHighlighter *highlighter) : m_highlighter(highlighter) {}

    void Tokens(QStringView paintedLine, int lineIndex, TRangeState start, QList<TPaintToken> &out, int stopColumn,
                int startColumn = 0) override;
    QColor SpaceBackground() const override;

private:
    TCustomHighlighter *m_highlighter;
    std::vector<THighlightToken> m_buffer; // kept from paint to paint, with its capacity
    TLineCheckpoints m_checkpoints;
};
