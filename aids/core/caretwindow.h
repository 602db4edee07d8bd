// The stretch of a document the tag aid reads around the caret, so that its cost on every key
// depends on the budget, not on the size of the page.
#pragma once

#include "editor/core/editlines.h"
#include "editor/core/edittypes.h"

#include <QString>

namespace TagInsight {

// Text as the editor's Text() spells it (every line followed by CR LF), from character position
// Base + 1 on. Positions inside it are 1-based; add Base to get the document's positions.
struct TCaretText
{
    QString Text;
    int Base = 0;
    int SelStart = 1; // the caret's position inside Text
};

// Up to `before` characters before the caret and `after` from it on, cut at those bounds even
// inside a line. `caret` and `selStart` are the editor's BlockBegin and SelStart.
TCaretText TextAroundCaret(const TEditLines &lines, TBufferCoord caret, int selStart, int before = 4096,
                           int after = 256);

} // namespace TagInsight
