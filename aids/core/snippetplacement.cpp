// Where a snippet's text and caret end up.
#include "aids/core/snippetplacement.h"

#include "editor/core/codeedit.h"

#include <algorithm>

namespace Snippets {

// The editor counts each break as two characters, so offsets taken in this text are the editor's
// offsets too.
QString WithCrLf(QStringView text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            out += QStringLiteral("\r\n");
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

QStringView LeadingBlanks(QStringView line)
{
    qsizetype n = 0;
    while (n < line.size() && (line[n] == u' ' || line[n] == u'\t'))
        ++n;
    return line.left(n);
}

TPlacedSnippet PlaceSnippet(QStringView snippet, int cursorBack, QStringView selection, QStringView indent)
{
    const QString text = WithCrLf(snippet);
    const qsizetype caret = text.size() - std::clamp<qsizetype>(cursorBack, 0, text.size());

    TPlacedSnippet placed;
    placed.Text.reserve(text.size() + selection.size() + 4 * indent.size());
    const bool wrap = cursorBack > 0 && !selection.isEmpty();
    const QString kept = wrap ? WithCrLf(selection) : QString();
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == caret) {
            placed.CaretOffset = int(placed.Text.size());
            placed.Text += kept;
            placed.SelectionLength = int(kept.size());
        }
        if (i == text.size())
            break;
        placed.Text += text[i];
        if (text[i] == u'\n')
            placed.Text += indent;
    }
    return placed;
}

bool Apply(TCodeEdit &edit, const TResult &result)
{
    if (result.Text.isEmpty())
        return false;
    switch (result.Placement) {
    case TPlacement::Snippet: {
        const int start = edit.SelStart();
        const TBufferCoord begin = edit.BlockBegin();
        const QStringView line =
            begin.Y >= 1 && begin.Y <= edit.LineCount() ? QStringView(edit.Lines()[begin.Y - 1]) : QStringView();
        const QString selection = result.WrapsSelection ? edit.SelText() : QString();
        const TPlacedSnippet placed = PlaceSnippet(result.Text, result.CursorBack, selection, LeadingBlanks(line));
        edit.SetSelText(placed.Text);
        edit.SetSelStart(start + placed.CaretOffset);
        if (placed.SelectionLength > 0)
            edit.SetSelEnd(start + placed.CaretOffset + placed.SelectionLength);
        return true;
    }
    case TPlacement::ReplaceSelection: edit.SetSelText(result.Text); return true;
    case TPlacement::InsertAtSelectionStart:
        edit.SetSelStart(edit.SelStart());
        edit.SetSelText(result.Text);
        return true;
    case TPlacement::Nothing:
    case TPlacement::StyleAssistant: return false;
    }
    return false;
}

} // namespace Snippets
