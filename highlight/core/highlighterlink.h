// Connects a highlighter to an editing engine, which keeps each line's start state with it.
#pragma once

#include "editor/core/edithighlighter.h"
#include "highlight/core/highlighter.h"

class THighlighterLink : public TEditHighlighterLink
{
public:
    explicit THighlighterLink(TCustomHighlighter *highlighter) : m_highlighter(highlighter) {}

    TCustomHighlighter *Highlighter() const { return m_highlighter; }
    TRangeState ResetState() override { return m_highlighter->ResetState(); }
    TRangeState ScanLine(QStringView line, int lineIndex, TRangeState start) override
    {
        return m_highlighter->ScanLine(line, lineIndex, start);
    }
    bool IsIdentChar(QChar c) const override { return m_highlighter->IsIdentChar(c); }

private:
    TCustomHighlighter *m_highlighter;
};
