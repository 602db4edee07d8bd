// Find, replace and go-to logic of the main window's search commands, on one editor.
#pragma once

#include "editor/core/codeedit.h"

#include <QString>
#include <functional>
#include <stdexcept>

// A text that is not a whole number where one is needed ("'abc' is not a valid integer value.").
class EConvertError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The state of the find or the replace dialog: its texts and options.
struct TSearchDialogState
{
    QString FindText;
    QString ReplaceText;
    bool Down = true;
    bool MatchCase = false;
    bool WholeWord = false;
};

namespace FindReplace {

using TBeep = std::function<void()>;

// Searches `editor` for `text` with `options` (SearchReplace with an empty replacement). An empty
// text beeps and finds nothing. A hit is left selected.
bool FindText(TCodeEdit &editor, const QString &text, TSynSearchOptions options, const TBeep &beep);

// Options of a search from a dialog: backwards when "down" is cleared, case and whole word.
TSynSearchOptions FindOptions(const TSearchDialogState &state);
// Options of Replace / Replace All: always forwards from the caret.
TSynSearchOptions ReplaceOptions(const TSearchDialogState &state, bool all);

// A find from a dialog: FindText with the dialog's text and options; beeps when nothing is found.
bool DialogFind(TCodeEdit &editor, const TSearchDialogState &state, const TBeep &beep);
// Replace or Replace All from the replace dialog; beeps on an empty find text or when nothing was
// replaced. Returns the number of replacements.
int DialogReplace(TCodeEdit &editor, const TSearchDialogState &state, bool all, const TBeep &beep);

// The selection when it is 1 to 29 characters long (it becomes the dialog's find text), else a null
// string.
QString PrefillFromSelection(const TCodeEdit &editor);

// The platform's strict decimal conversion: an optional sign and digits in the 32-bit range,
// blanks around allowed; anything else raises EConvertError.
int StrToInt(const QString &text);
// Go to line `line` keeping the column (the editor clamps it to the text).
void GotoLine(TCodeEdit &editor, int line);
// An empty selection before character position `position` (1 = before the first character).
void GotoChar(TCodeEdit &editor, int position);

// Replaces every occurrence of `search` by `replace`, ignoring case, between the character
// positions start and end; end moves by the change in text length. With `exchange` (the window's
// EntityDirection) the two texts swap roles. Returns the number of replacements.
int ReplaceInRange(TCodeEdit &editor, int &start, int &end, const QString &search, const QString &replace,
                   bool exchange);

} // namespace FindReplace
