// TEditHighlighterLink: what the engine needs of a syntax highlighter to keep per-line range states.
#pragma once

#include "editor/core/edittypes.h"

#include <QStringView>

// The engine keeps, in slot Lines.Objects(i), the highlighter's range state at the start of line i.
// It never interprets a state; it stores states and compares them for equality. The
// highlighter (TCustomHighlighter, through THighlighterLink) implements this interface on top of its own operations:
//
//   ResetState()          = ResetRange; return GetRange
//   ScanLine(t, i, s)     = SetRange(s); SetLine(t, i); NextToEol; return GetRange
//   IsIdentChar(c)        = c is in GetIdentChars
//
// The engine calls these on every line-store hook, following these rules (TCodeEdit::ScanFrom):
// - line i replaced: states are recomputed from line i on, and the scan stops at the first line
//   whose stored start state equals the newly computed one (editing the last line scans nothing);
// - line i deleted or inserted: the same from line i-1 (from line 0 with ResetState when i is 0);
// - line appended: only the new last line's state is computed from the line before it;
// - bulk load, bulk append or a new highlighter: every state is recomputed from the top.
// With no highlighter set, nothing is scanned and the slots keep whatever they hold (0 when new).
//
// Two states that compare equal must mean the same tokenizer situation, so that stopping early is
// correct. The engine does not own the highlighter; whoever destroys it first calls
// TCodeEdit::SetHighlighter(nullptr) on every editor that uses it.
class TEditHighlighterLink
{
public:
    virtual ~TEditHighlighterLink() = default;

    // The state at the start of a document.
    virtual TRangeState ResetState() = 0;
    // Tokenizes one stored line (tabs not expanded), starting in `start`; returns the state at its end,
    // which is the start state of the next line. `lineIndex` is 0-based.
    virtual TRangeState ScanLine(QStringView line, int lineIndex, TRangeState start) = 0;
    // Word characters for word moves and word deletion; the base set is codes 33 and up.
    virtual bool IsIdentChar(QChar c) const { return c.unicode() >= 33; }
};
