// Where a snippet's text and caret end up: the caret line's indentation carried onto the
// snippet's new lines, and a selection wrapped into the snippet instead of thrown away.
#pragma once

#include "aids/core/snippetcommands.h"

#include <QString>
#include <QStringView>

class TCodeEdit;

namespace Snippets {

struct TPlacedSnippet
{
    QString Text;            // what replaces the selection, line breaks as CR LF
    int CaretOffset = 0;     // the caret (or the kept selection's start) from the start of Text
    int SelectionLength = 0; // > 0 when the wrapped selection stays selected
};

// snippet: the command's text (CR LF breaks); cursorBack: characters before its end for the caret;
// selection: the selected text (any breaks; empty when none); indent: the caret line's leading
// blanks and tabs. A snippet with a caret slot (cursorBack > 0) takes the selection into that slot.
TPlacedSnippet PlaceSnippet(QStringView snippet, int cursorBack, QStringView selection, QStringView indent);

// The leading blanks and tabs of line.
QStringView LeadingBlanks(QStringView line);

// Every line break as CR LF, the way the editor counts them (two characters each).
QString WithCrLf(QStringView text);

// Puts a command's result into edit as its placement says, as one undoable change, and places
// the caret. Returns whether anything was inserted.
bool Apply(TCodeEdit &edit, const TResult &result);

} // namespace Snippets
