// TCodeEdit: key translation, the command processor and the editing commands.
#include "editor/core/codeedit.h"
#include "editor/core/edittext.h"

#include <algorithm>

namespace {

bool IsBlank(QChar c)
{
    return c.unicode() <= 32;
}

// Typed characters: codes 32 and up except DEL and the C1 controls U+0080..U+009F, which are
// control codes in Unicode and never typed text.
bool IsTypeableChar(QChar c)
{
    const char16_t u = c.unicode();
    return u >= 32 && u != 127 && !(u >= 0x80 && u < 0xA0);
}

} // namespace

int TCodeEdit::LeadingSpace(const QString &line) const
{
    int n = 0;
    while (n < line.size() && line.at(n).unicode() >= 1 && line.at(n).unicode() <= 32)
        ++n;
    return n;
}

// ---- key translation --------------------------------------------------------------------------

TEditorCommand TCodeEdit::TranslateKeyCode(quint16 code, TShiftState shift)
{
    TEditorCommand command = ecNone;
    int i = m_lastKey != 0 ? m_keystrokes.FindKeycode2(m_lastKey, m_lastShift, code, shift) : -1;
    if (i >= 0) {
        command = m_keystrokes.Items(i).Command();
    } else {
        i = m_keystrokes.FindKeycode(code, shift);
        if (i >= 0)
            command = m_keystrokes.Items(i).Command();
    }
    if (command == ecNone && code >= 48 && code <= VK_SCROLL) {
        m_lastKey = code; // may be the first key of a two-key sequence
        m_lastShift = shift;
    } else {
        m_lastKey = 0;
        m_lastShift = {};
    }
    return command;
}

void TCodeEdit::KeyDown(quint16 &key, TShiftState shift)
{
    OnKeyDown.FireUntil([&key] { return key == 0; }, this, key, shift);
    if (key == 0)
        return;
    if (key == VK_TAB && !m_wantTabs)
        return; // the tab key is the toolkit's (focus change) unless the editor wants it
    const TEditorCommand command = TranslateKeyCode(key, shift);
    if (command != ecNone) {
        key = 0;
        m_ignoreNextChar = true;
        CommandProcessor(command, QChar(), nullptr);
    } else {
        m_ignoreNextChar = false;
    }
}

void TCodeEdit::KeyPress(QChar &key)
{
    if (m_ignoreNextChar) {
        m_ignoreNextChar = false; // a bound key such as Ctrl+A inserts no character
        key = QChar();
        return;
    }
    OnKeyPress.FireUntil([&key] { return key.isNull(); }, this, key);
    CommandProcessor(ecChar, key, nullptr);
}

void TCodeEdit::CommandProcessor(TEditorCommand command, QChar aChar, void *data)
{
    const auto consumed = [&command] { return command == ecNone; };
    if (command < ecUserFirst)
        OnProcessCommand.FireUntil(consumed, this, command, aChar, data);
    else
        OnProcessUserCommand.FireUntil(consumed, this, command, aChar, data);
    if (command == ecNone || command > 1000)
        return;
    {
        TPaintLockGuard lock(this);
        ExecuteCommand(command, aChar, data);
    }
    OnCommandDone.Fire(this);
}

// ---- caret movement ---------------------------------------------------------------------------

void TCodeEdit::MoveCaretAndSelection(TBufferCoord before, TBufferCoord after, bool selecting)
{
    TPaintLockGuard lock(this);
    if (selecting && !(m_options & eoNoSelection)) {
        // Extend the selection attached to the caret, or start one at the old caret position.
        const TBufferCoord anchor =
            (SelAvail() || m_selectionMode == smColumn) && m_blockEnd == before ? m_blockBegin : before;
        SetCaretXY(after);
        SetSelectionInternal(anchor, m_caret);
    } else {
        SetCaretXY(after);
        SetSelectionInternal(m_caret, m_caret);
    }
}

void TCodeEdit::MoveCaretHorz(int delta, bool selecting)
{
    MoveCaretAndSelection(m_caret, BufferCoord(std::max(1, m_caret.X + delta), m_caret.Y), selecting);
}

void TCodeEdit::MoveCaretVert(int delta, bool selecting)
{
    const int y = std::clamp(m_caret.Y + delta, 1, m_lines.Count());
    MoveCaretAndSelection(m_caret, BufferCoord(m_caret.X, y), selecting);
}

// ---- the command table ------------------------------------------------------------------------

void TCodeEdit::ExecuteCommand(TEditorCommand command, QChar aChar, void *data)
{
    const bool selecting = command >= ecSelLeft && command <= ecSelGotoXY;
    const TEditorCommand base = selecting ? TEditorCommand(command - ecSelection) : command;
    const int lineLen = int(m_lines[m_caret.Y - 1].size());
    const int page = (m_options & eoHalfPageScroll) ? std::max(1, m_linesInWindow / 2) : m_linesInWindow;

    switch (base) {
    case ecLeft: MoveCaretHorz(-1, selecting); break;
    case ecRight: MoveCaretHorz(1, selecting); break;
    case ecUp: MoveCaretVert(-1, selecting); break;
    case ecDown: MoveCaretVert(1, selecting); break;
    case ecWordLeft: MoveCaretAndSelection(m_caret, PrevWordPos(), selecting); break;
    case ecWordRight: MoveCaretAndSelection(m_caret, NextWordPos(), selecting); break;
    case ecLineStart: MoveCaretAndSelection(m_caret, BufferCoord(1, m_caret.Y), selecting); break;
    case ecLineEnd: MoveCaretAndSelection(m_caret, BufferCoord(lineLen + 1, m_caret.Y), selecting); break;
    case ecPageUp:
        SetTopLine(m_topLine - page);
        MoveCaretVert(-page, selecting);
        break;
    case ecPageDown:
        SetTopLine(m_topLine + page);
        MoveCaretVert(page, selecting);
        break;
    case ecPageLeft:
        SetLeftChar(m_leftChar - m_charsInWindow);
        MoveCaretHorz(-m_charsInWindow, selecting);
        break;
    case ecPageRight:
        SetLeftChar(m_leftChar + m_charsInWindow);
        MoveCaretHorz(m_charsInWindow, selecting);
        break;
    case ecPageTop: MoveCaretAndSelection(m_caret, BufferCoord(m_caret.X, m_topLine), selecting); break;
    case ecPageBottom:
        MoveCaretAndSelection(
            m_caret, BufferCoord(m_caret.X, std::min(m_lines.Count(), m_topLine + m_linesInWindow - 1)), selecting);
        break;
    case ecEditorTop: MoveCaretAndSelection(m_caret, BufferCoord(1, 1), selecting); break;
    case ecEditorBottom: {
        const int last = m_lines.Count();
        MoveCaretAndSelection(m_caret, BufferCoord(int(m_lines[last - 1].size()) + 1, last), selecting);
        break;
    }
    case ecGotoXY:
        if (data)
            MoveCaretAndSelection(m_caret, *static_cast<const TBufferCoord *>(data), selecting);
        break;
    default: break;
    }
    if (base <= ecGotoXY && base != ecNone)
        return;

    switch (command) {
    case ecSelectAll: SelectAll(); break;
    case ecDeleteLastChar: DoBackspace(); break;
    case ecDeleteChar: DoDeleteChar(); break;
    case ecDeleteWord:
        if (m_readOnly)
            break;
        if (SelAvail())
            DeleteSelectionRecorded(urDeleteForward);
        else
            DeleteRangeRecorded(m_caret, NextWordPos(), urDeleteForward);
        break;
    case ecDeleteLastWord:
        if (m_readOnly)
            break;
        if (SelAvail())
            DeleteSelectionRecorded(urDeleteBackward);
        else
            DeleteRangeRecorded(PrevWordPos(), BufferCoord(std::min(m_caret.X, lineLen + 1), m_caret.Y),
                                urDeleteForward);
        break;
    case ecDeleteBOL:
        if (!m_readOnly)
            DeleteRangeRecorded(BufferCoord(1, m_caret.Y), BufferCoord(std::min(m_caret.X, lineLen + 1), m_caret.Y),
                                urDeleteForward);
        break;
    case ecDeleteEOL:
        if (!m_readOnly && m_caret.X <= lineLen)
            DeleteRangeRecorded(m_caret, BufferCoord(lineLen + 1, m_caret.Y), urDeleteForward);
        break;
    case ecDeleteLine: DoDeleteLine(); break;
    case ecClearAll: DoClearAll(); break;
    case ecLineBreak: DoLineBreak(true); break;
    case ecInsertLine: DoLineBreak(false); break;
    case ecChar: TypeChar(aChar); break;
    case ecImeStr: break;
    case ecUndo: Undo(); break;
    case ecRedo: Redo(); break;
    case ecCut:
        if (SelAvail())
            CutToClipboard();
        break;
    case ecCopy: CopyToClipboard(); break;
    case ecPaste: PasteFromClipboard(); break;
    case ecScrollUp:
        SetTopLine(m_topLine - 1);
        if (m_caret.Y > m_topLine + m_linesInWindow - 1)
            MoveCaretAndSelection(m_caret, BufferCoord(m_caret.X, m_topLine + m_linesInWindow - 1), false);
        break;
    case ecScrollDown:
        SetTopLine(m_topLine + 1);
        if (m_caret.Y < m_topLine)
            MoveCaretAndSelection(m_caret, BufferCoord(m_caret.X, m_topLine), false);
        break;
    case ecScrollLeft: {
        // The caret stays inside the window: at its last painted column when it fell off the right.
        SetLeftChar(m_leftChar - 1);
        const int right = m_leftChar + m_charsInWindow - 1;
        if (CaretDisplayX() > right) {
            int x = BufferColumn(m_caret.Y, right);
            if (x > 1 && DisplayColumn(m_caret.Y, x) > right)
                --x; // inside a tab that reaches past the window: before the tab
            MoveCaretAndSelection(m_caret, BufferCoord(x, m_caret.Y), false);
        }
        break;
    }
    case ecScrollRight:
        SetLeftChar(m_leftChar + 1);
        if (CaretDisplayX() < m_leftChar) {
            int x = BufferColumn(m_caret.Y, m_leftChar);
            if (DisplayColumn(m_caret.Y, x) < m_leftChar)
                ++x; // inside a tab that starts left of the window: after the tab
            MoveCaretAndSelection(m_caret, BufferCoord(x, m_caret.Y), false);
        }
        break;
    case ecInsertMode: SetInsertMode(true); break;
    case ecOverwriteMode: SetInsertMode(false); break;
    case ecToggleMode: SetInsertMode(!m_insertMode); break;
    case ecBlockIndent: DoBlockIndent(); break;
    case ecBlockUnindent: DoBlockUnindent(); break;
    case ecNormalSelect: SetSelectionMode(smNormal); break;
    case ecColumnSelect: SetSelectionMode(smColumn); break;
    case ecLineSelect: SetSelectionMode(smLine); break;
    case ecTab: DoTab(); break;
    case ecShiftTab: break;
    case ecMatchBracket: DoMatchBracket(); break;
    default:
        if (command >= ecGotoMarker0 && command <= ecGotoMarker9) {
            if (m_bookmarkOptions.EnableKeys())
                GotoBookMark(command - ecGotoMarker0);
        } else if (command >= ecSetMarker0 && command <= ecSetMarker9) {
            if (m_bookmarkOptions.EnableKeys())
                DoSetMarker(command - ecSetMarker0);
        }
        break;
    }
}

// ---- typing and editing -----------------------------------------------------------------------

void TCodeEdit::DeleteSelectionRecorded(TChangeReason reason)
{
    const TSelectionMode mode = m_selectionMode;
    TBufferCoord b = BlockBegin();
    const TBufferCoord e = BlockEnd();
    const QString old = SelText();
    if (mode == smLine)
        b.X = 1;
    TEditChangeScope scope(this);
    DeleteSelectionRaw();
    scope.Commit(reason, b, e, old, mode);
}

void TCodeEdit::DeleteRangeRecorded(TBufferCoord from, TBufferCoord to, TChangeReason reason)
{
    from = ValidPos(from);
    to = ValidPos(to);
    if (to < from)
        std::swap(from, to);
    if (from == to)
        return;
    TPaintLockGuard lock(this);
    TEditChangeScope scope(this);
    const QString text = RangeText(from, to);
    DoSplice(from, to, {}, true);
    SetCaretInternal(from);
    SetSelectionInternal(from, from);
    scope.Commit(reason, from, to, text, smNormal);
}

void TCodeEdit::TypeChar(QChar c)
{
    if (m_readOnly || !IsTypeableChar(c))
        return;
    TPaintLockGuard lock(this);
    const TSelectionMode mode = m_selectionMode;
    if (SelAvail())
        DeleteSelectionRecorded(urDeleteSelection);
    TEditChangeScope scope(this);
    const TBufferCoord start = m_caret;
    const int len = int(m_lines[start.Y - 1].size());
    if (m_insertMode || start.X - 1 >= len)
        InsertAt(start, QStringView(&c, 1));
    else
        DoSplice(start, BufferCoord(start.X + 1, start.Y), QStringView(&c, 1), true); // overwrite
    const TBufferCoord end = BufferCoord(start.X + 1, start.Y);
    SetCaretInternal(end); // the past-the-end limit is lifted for this step
    SetSelectionInternal(end, end);
    scope.Commit(urInsert, start, end, QString(), mode);
}

void TCodeEdit::DoLineBreak(bool moveCaret)
{
    if (m_readOnly)
        return;
    TPaintLockGuard lock(this);
    if (SelAvail())
        DeleteSelectionRecorded(urDeleteBackward);
    TEditChangeScope scope(this);
    const int y = m_caret.Y;
    const int len = int(m_lines[y - 1].size());
    int indent = 0;
    if (m_options & eoAutoIndent) {
        int i = y;
        while (i >= 1 && m_lines[i - 1].isEmpty())
            --i;
        if (i >= 1)
            indent = LeadingSpace(m_lines[i - 1]);
    }
    const TBufferCoord start = BufferCoord(std::min(m_caret.X, len + 1), y);
    TBufferCoord newCaret;
    if (start.X == 1 && len > 0) {
        // In column 1 the line moves down unchanged below a new empty line: prefixing it with the
        // indentation would double the indentation it already has.
        DoSplice(start, start, u"\r\n", false);
        newCaret = BufferCoord(1, y + 1);
    } else {
        QString inserted = QStringLiteral("\r\n");
        inserted.append(QString(indent, u' '));
        DoSplice(start, start, inserted, true);
        newCaret = BufferCoord(indent + 1, y + 1);
    }
    if (moveCaret) {
        SetCaretInternal(newCaret);
    } else {
        // ecInsertLine leaves the caret, so a mark on the split line moves down with the rest.
        bool moved = false;
        for (int i = 0; i < m_marks.Count(); ++i) {
            if (m_marks.Items(i)->Line() == y) {
                m_marks.Items(i)->SetLine(y + 1);
                moved = true;
            }
        }
        if (moved)
            m_marks.Changed();
    }
    SetSelectionInternal(m_caret, m_caret);
    scope.Commit(urLineBreak, start, newCaret, QString(), m_selectionMode);
}

void TCodeEdit::DoTab()
{
    if (m_readOnly)
        return;
    TPaintLockGuard lock(this);
    const int x = m_caret.X;
    int n = 0;
    if (m_options & eoSmartTabs) {
        for (int i = m_caret.Y - 1; i >= 1; --i) {
            const QString &line = m_lines[i - 1];
            if (line.size() < x)
                continue;
            int j = x - 1;
            while (j < line.size() && !IsBlank(line.at(j)))
                ++j;
            while (j < line.size() && IsBlank(line.at(j)))
                ++j;
            n = j - (x - 1);
            break;
        }
    }
    if (n == 0) // TabWidth 0 gives one blank rather than a division by zero
        n = m_tabWidth > 0 ? m_tabWidth - ((x - 1) % m_tabWidth) : 1;
    if (SelAvail())
        DeleteSelectionRecorded(urDeleteBackward);
    TEditChangeScope scope(this);
    const TBufferCoord start = m_caret;
    InsertAt(start, QString(n, u' '));
    const TBufferCoord end = BufferCoord(start.X + n, start.Y);
    SetCaretInternal(end);
    SetSelectionInternal(end, end);
    scope.Commit(urInsert, start, end, QString(), m_selectionMode);
}

void TCodeEdit::DoBackspace()
{
    if (m_readOnly)
        return;
    TPaintLockGuard lock(this);
    if (SelAvail()) { // case 1
        DeleteSelectionRecorded(urDeleteBackward);
        return;
    }
    const int x = m_caret.X;
    const int y = m_caret.Y;
    const QString &line = m_lines[y - 1];
    const int len = int(line.size());
    if (x > len + 1) { // case 2: beyond the line end only the caret moves
        SetCaretInternal(BufferCoord(x - 1, y));
        SetSelectionInternal(m_caret, m_caret);
        return;
    }
    if (x == 1) { // case 3: join with the previous line
        if (y == 1)
            return;
        TEditChangeScope scope(this);
        const TBufferCoord join = BufferCoord(int(m_lines[y - 2].size()) + 1, y - 1);
        DoSplice(join, BufferCoord(1, y), {}, true);
        SetCaretInternal(join);
        SetSelectionInternal(join, join);
        scope.Commit(urDeleteBackward, join, BufferCoord(1, y), QStringLiteral("\r\n"), smNormal);
        return;
    }
    const int lead = (m_options & eoAutoIndent) ? LeadingSpace(line) : 0;
    int from = x - 1;                                           // case 5 by default: one character
    if (IsBlank(line.at(x - 2)) && lead > 0 && x - 1 == lead) { // case 4: unindent to a guide line
        from = 1;
        for (int i = y - 1; i >= 1; --i) {
            const int l = LeadingSpace(m_lines[i - 1]);
            if (l < lead) {
                from = l + 1;
                break;
            }
        }
    }
    TEditChangeScope scope(this);
    const TBufferCoord s = BufferCoord(from, y);
    const TBufferCoord e = BufferCoord(x, y);
    const QString removed = line.mid(from - 1, x - from);
    DoSplice(s, e, {}, true);
    SetCaretInternal(s);
    SetSelectionInternal(s, s);
    scope.Commit(urDeleteBackward, s, e, removed, smNormal);
}

void TCodeEdit::DoDeleteChar()
{
    if (m_readOnly)
        return;
    TPaintLockGuard lock(this);
    if (SelAvail()) {
        DeleteSelectionRecorded(urDeleteForward);
        return;
    }
    const int x = m_caret.X;
    const int y = m_caret.Y;
    const int len = int(m_lines[y - 1].size());
    TEditChangeScope scope(this);
    if (x > len) {
        if (y >= m_lines.Count())
            return; // end of the last line
        // Pad up to the caret, append the next line, right-trim: the line break becomes the padding.
        const QString pad(std::max(0, x - 1 - len), u' ');
        DoSplice(BufferCoord(len + 1, y), BufferCoord(1, y + 1), pad, true);
        SetSelectionInternal(m_caret, m_caret);
        scope.Commit(urDeleteForward, m_caret, BufferCoord(1, y + 1), QStringLiteral("\r\n"), smNormal);
        return;
    }
    const QString removed = m_lines[y - 1].mid(x - 1, 1);
    DoSplice(m_caret, BufferCoord(x + 1, y), {}, true);
    SetSelectionInternal(m_caret, m_caret);
    scope.Commit(urDeleteForward, m_caret, BufferCoord(x + 1, y), removed, smNormal);
}

void TCodeEdit::DoDeleteLine()
{
    if (m_readOnly)
        return;
    TPaintLockGuard lock(this);
    const int y = m_caret.Y;
    const int count = m_lines.Count();
    const QString &line = m_lines[y - 1];
    TBufferCoord from, to;
    if (count == 1) {
        if (line.isEmpty())
            return;
        from = BufferCoord(1, 1);
        to = BufferCoord(int(line.size()) + 1, 1);
    } else if (y < count) {
        from = BufferCoord(1, y);
        to = BufferCoord(1, y + 1);
    } else {
        from = BufferCoord(int(m_lines[y - 2].size()) + 1, y - 1);
        to = BufferCoord(int(line.size()) + 1, y);
    }
    TEditChangeScope scope(this);
    const QString text = RangeText(from, to);
    DoSplice(from, to, {}, false);
    const TBufferCoord caret = BufferCoord(1, std::min(y, m_lines.Count()));
    SetCaretInternal(caret);
    SetSelectionInternal(caret, caret);
    scope.Commit(urDeleteForward, from, to, text, smNormal);
}

void TCodeEdit::DoClearAll()
{
    if (m_readOnly)
        return;
    const int last = m_lines.Count();
    const TBufferCoord end = BufferCoord(int(m_lines[last - 1].size()) + 1, last);
    if (end == BufferCoord(1, 1))
        return;
    TPaintLockGuard lock(this);
    TEditChangeScope scope(this);
    const QString text = RangeText(BufferCoord(1, 1), end);
    DoSplice(BufferCoord(1, 1), end, {}, false);
    SetCaretInternal(BufferCoord(1, 1));
    SetSelectionInternal(m_caret, m_caret);
    scope.Commit(urDeleteForward, BufferCoord(1, 1), end, text, smNormal);
}

// ---- block indent and unindent ----

void TCodeEdit::DoBlockIndent()
{
    if (m_readOnly || !SelAvail() || m_tabWidth == 0)
        return;
    TPaintLockGuard lock(this);
    const TBufferCoord b = BlockBegin();
    const TBufferCoord e = BlockEnd();
    const int first = b.Y;
    const int last = (e.X == 1 && e.Y > first) ? e.Y - 1 : e.Y;
    const bool anchorFirst = !(m_blockEnd < m_blockBegin);
    TEditChangeScope scope(this);
    const QString blanks(m_tabWidth, u' ');
    m_lines.BeginUpdate();
    for (int y = first; y <= last; ++y)
        InsertAt(BufferCoord(1, y), blanks);
    m_lines.EndUpdate();
    const TBufferCoord nb = BufferCoord(b.X + m_tabWidth, b.Y);
    const TBufferCoord ne = e.X == 1 ? e : BufferCoord(e.X + m_tabWidth, e.Y);
    if (anchorFirst)
        SetSelectionInternal(nb, ne);
    else
        SetSelectionInternal(ne, nb);
    scope.Commit(urIndent, BufferCoord(1, first), BufferCoord(m_tabWidth + 1, last), QString(), smColumn);
}

void TCodeEdit::DoBlockUnindent()
{
    if (m_readOnly || !SelAvail())
        return;
    TPaintLockGuard lock(this);
    const TBufferCoord b = BlockBegin();
    const TBufferCoord e = BlockEnd();
    const int first = b.Y;
    const int last = (e.X == 1 && e.Y > first) ? e.Y - 1 : e.Y;
    const bool anchorFirst = !(m_blockEnd < m_blockBegin);
    TEditChangeScope scope(this);
    QStringList rows;
    int removedFirst = 0, removedLast = 0, widest = 0;
    m_lines.BeginUpdate();
    for (int y = first; y <= last; ++y) {
        const QString &line = m_lines[y - 1];
        int k = 0;
        while (k < m_tabWidth && k < line.size() && line.at(k) == u' ')
            ++k;
        rows.append(QString(k, u' '));
        if (k > 0)
            DoSplice(BufferCoord(1, y), BufferCoord(k + 1, y), {}, true);
        if (y == first)
            removedFirst = k;
        if (y == last)
            removedLast = k;
        widest = std::max(widest, k);
    }
    m_lines.EndUpdate();
    if (widest == 0)
        return; // no line lost blanks: nothing is recorded
    const TBufferCoord nb = BufferCoord(std::max(1, b.X - removedFirst), b.Y);
    const TBufferCoord ne = e.Y == last ? BufferCoord(std::max(1, e.X - removedLast), e.Y) : e;
    if (anchorFirst)
        SetSelectionInternal(nb, ne);
    else
        SetSelectionInternal(ne, nb);
    SetCaretXY(m_caret);
    scope.Commit(urUnindent, BufferCoord(1, first), BufferCoord(widest + 1, last), rows.join(u"\r\n"), smColumn);
}

// ---- brackets and bookmarks ----

void TCodeEdit::DoMatchBracket()
{
    static const QString brackets = QStringLiteral("()[]{}");
    const QString &line = m_lines[m_caret.Y - 1];
    if (m_caret.X - 1 >= line.size())
        return;
    const QChar c = line.at(m_caret.X - 1);
    const int k = int(brackets.indexOf(c));
    if (k < 0)
        return;
    const bool forward = (k % 2) == 0;
    const QChar partner = brackets.at(forward ? k + 1 : k - 1);
    int level = 0;
    int y = m_caret.Y;
    int i = m_caret.X - 1; // 0-based index in line y
    for (;;) {
        const QString &l = m_lines[y - 1];
        if (i >= 0 && i < l.size()) {
            const QChar ch = l.at(i);
            if (ch == c)
                ++level;
            else if (ch == partner && --level == 0) {
                MoveCaretAndSelection(m_caret, BufferCoord(i + 1, y), false);
                return;
            }
        }
        if (forward) {
            ++i;
            while (i >= m_lines[y - 1].size()) {
                if (y == m_lines.Count())
                    return;
                ++y;
                i = 0;
            }
        } else {
            --i;
            while (i < 0) {
                if (y == 1)
                    return;
                --y;
                i = int(m_lines[y - 1].size()) - 1;
            }
        }
    }
}

void TCodeEdit::DoSetMarker(int n)
{
    if (!IsBookmark(n)) {
        SetBookMark(n, m_caret.X, m_caret.Y);
        return;
    }
    const int line = m_bookmarks[size_t(n)]->Line();
    ClearBookMark(n);
    if (line != m_caret.Y)
        SetBookMark(n, m_caret.X, m_caret.Y);
}
