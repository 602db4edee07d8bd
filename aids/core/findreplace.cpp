// Find, replace and go-to logic of the main window's search commands, on one editor.
#include "aids/core/findreplace.h"

#include <algorithm>

namespace FindReplace {

namespace {

void Beep(const TBeep &beep)
{
    if (beep)
        beep();
}

// Characters of lines first..last (1-based), each with its CR LF, from the editor's position index.
qint64 LinesLength(const TCodeEdit &editor, int first, int last)
{
    const TEditLines &lines = editor.Lines();
    const auto end = [&lines](int line) { return lines.LineStart(std::clamp(line, 0, lines.Count())); };
    return std::max<qint64>(0, end(last) - end(std::max(first, 1) - 1));
}

} // namespace

bool FindText(TCodeEdit &editor, const QString &text, TSynSearchOptions options, const TBeep &beep)
{
    if (text.isEmpty()) {
        Beep(beep);
        return false;
    }
    return editor.SearchReplace(text, QString(), options) > 0;
}

TSynSearchOptions FindOptions(const TSearchDialogState &state)
{
    TSynSearchOptions options;
    if (!state.Down)
        options |= soBackwards;
    if (state.MatchCase)
        options |= soMatchCase;
    if (state.WholeWord)
        options |= soWholeWord;
    return options;
}

TSynSearchOptions ReplaceOptions(const TSearchDialogState &state, bool all)
{
    TSynSearchOptions options = soReplace;
    if (state.MatchCase)
        options |= soMatchCase;
    if (state.WholeWord)
        options |= soWholeWord;
    if (all)
        options |= soReplaceAll;
    return options;
}

bool DialogFind(TCodeEdit &editor, const TSearchDialogState &state, const TBeep &beep)
{
    const bool found = FindText(editor, state.FindText, FindOptions(state), beep);
    if (!found)
        Beep(beep);
    return found;
}

int DialogReplace(TCodeEdit &editor, const TSearchDialogState &state, bool all, const TBeep &beep)
{
    int count = 0;
    if (state.FindText.isEmpty()) {
        Beep(beep);
    } else {
        // The replaced text must show even while the dialog has the focus.
        editor.SetHideSelection(false);
        count = editor.SearchReplace(state.FindText, state.ReplaceText, ReplaceOptions(state, all));
        if (count == 0)
            Beep(beep);
    }
    editor.SetHideSelection(true);
    return count;
}

QString PrefillFromSelection(const TCodeEdit &editor)
{
    const int length = editor.SelEnd() - editor.SelStart();
    if (length > 0 && length < 30)
        return editor.SelText();
    return QString();
}

int StrToInt(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok)
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value.").arg(text).toStdString());
    return value;
}

void GotoLine(TCodeEdit &editor, int line)
{
    editor.SetCaretY(line);
}

void GotoChar(TCodeEdit &editor, int position)
{
    editor.SetSelStart(position);
    editor.SetSelEnd(position);
}

int ReplaceInRange(TCodeEdit &editor, int &start, int &end, const QString &search, const QString &replace,
                   bool exchange)
{
    const QString &from = exchange ? replace : search;
    const QString &to = exchange ? search : replace;
    const TSelectionMode mode = editor.SelectionMode();
    editor.SetSelectionMode(smNormal); // positions name a stretch of text, not a block
    editor.SetSelStart(start);
    editor.SetSelEnd(end);
    int count = 0;
    // An empty range replaces nothing: without a selection the search would run to the end of the text.
    if (editor.SelAvail() && !from.isEmpty()) {
        const int first = editor.BlockBegin().Y;
        const int last = editor.BlockEnd().Y;
        const int lines = editor.LineCount();
        const qint64 before = LinesLength(editor, first, last);
        count = editor.SearchReplace(from, to, soSelectedOnly | soReplaceAll);
        const qint64 after = LinesLength(editor, first, last + editor.LineCount() - lines);
        end = int(end + (after - before));
    }
    editor.SetSelectionMode(mode);
    return count;
}

} // namespace FindReplace
