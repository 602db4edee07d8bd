// Finding the element around the caret: from the "<" of the tag at or before the caret through
// its matching closing tag, or through the opening tag alone when none matches.
#pragma once

#include "editor/core/editlines.h"

#include <QString>

class TMyRichEdit;

namespace TagSelection {

struct TTagAtCursor
{
    bool Found = false;
    QString Name;  // as written, without "<"; empty when no "<" was found
    int Start = 0; // the selection to make, as the editor's 1-based character positions;
    int End = 0;   // End is the position after the last selected character
    int Caret = 0; // on failure after the name was read: the position after it (0: leave the caret)
};

// selStart is the editor's SelStart. Occurrences of the name are told apart only by the character
// before them, so while selecting "b", "<br>" and "<body>" count as nested opening tags.
TTagAtCursor FindTagAtCursor(const TEditLines &lines, int selStart);

enum class TSelectOutcome { EmptyText, Selected, NoTag };

// Selects the element at the caret and records its name on the editor (HasSelectedTag set).
// NoTag clears the name and leaves the caret after a name it read; the caller says so.
TSelectOutcome SelectTagAtCursor(TMyRichEdit &edit);

// Writes markup over the selection as one undoable change, with the editor locked, and leaves
// the caret the length of the selected tag's closing tag before its end.
void ReplaceSelectedTag(TMyRichEdit &edit, const QString &markup);

} // namespace TagSelection
