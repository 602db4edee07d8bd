// TCodeEdit: undo and redo, clipboard, drag-and-drop moves and bookmarks.
#include "editor/core/codeedit.h"
#include "editor/core/edittext.h"

#include <algorithm>

namespace {

class TDepthGuard
{
public:
    explicit TDepthGuard(int &depth) : m_depth(depth) { ++m_depth; }
    ~TDepthGuard() { --m_depth; }
    TDepthGuard(const TDepthGuard &) = delete;
    TDepthGuard &operator=(const TDepthGuard &) = delete;

private:
    int &m_depth;
};

bool IsInsertion(TChangeReason r)
{
    return r == urInsert || r == urPaste || r == urDropInsert;
}

bool IsDeletion(TChangeReason r)
{
    return r == urDeleteForward || r == urDeleteBackward || r == urDeleteSelection || r == urDropDelete;
}

} // namespace

// ---- clipboard block format -------------------------------------------------------------------

QByteArray EncodeBlockType(TSelectionMode mode, const QString &text)
{
    QByteArray data;
    data.append(char(mode));
    data.append(text.toUtf8());
    data.append('\0');
    return data;
}

bool DecodeBlockType(const QByteArray &data, TSelectionMode &mode, QString &text)
{
    if (data.isEmpty() || quint8(data.at(0)) > quint8(smLine))
        return false;
    mode = TSelectionMode(quint8(data.at(0)));
    QByteArrayView payload(data.constData() + 1, data.size() - 1);
    // The text runs to the terminating NUL; a NUL inside the text is kept (it is a character here).
    if (!payload.isEmpty() && payload.back() == '\0')
        payload.chop(1);
    text = QString::fromUtf8(payload);
    return true;
}

// ---- undo and redo ----------------------------------------------------------------------------

void TCodeEdit::ClearUndo()
{
    m_undoList.ClearList();
    m_redoList.ClearList();
}

void TCodeEdit::SetMaxUndo(int value)
{
    if (value < 0)
        return;
    m_undoList.SetMaxUndo(value);
    m_redoList.SetMaxUndo(value);
}

void TCodeEdit::LockUndo()
{
    m_undoList.Lock();
    m_redoList.Lock();
}

void TCodeEdit::UnlockUndo()
{
    m_undoList.Unlock();
    m_redoList.Unlock();
}

void TCodeEdit::RecordChange(TEditUndoList &list, TEditUndoItem &&item)
{
    if (!list.AddChange(std::move(item)))
        return; // locked: nothing recorded, nothing to report
    SetModified(true);
    // A new change invalidates the positions of the redo records.
    if (&list == &m_undoList && m_undoRedoDepth == 0)
        m_redoList.ClearList();
    if (m_changeBatch > 0) {
        m_changePending = true; // a replace-all reports its thousands of records once
        return;
    }
    OnChange.Fire(this);
}

void TCodeEdit::AddUndoChange(TChangeReason reason, TBufferCoord start, TBufferCoord end, const QString &text,
                              TSelectionMode selMode)
{
    TEditUndoItem item;
    item.ChangeReason = reason;
    item.ChangeStartPos = start;
    item.ChangeEndPos = end;
    item.ChangeStr = text;
    item.ChangeSelMode = selMode;
    RecordChange(m_undoList, std::move(item));
}

void TCodeEdit::Undo()
{
    if (m_readOnly || !m_undoList.CanUndo())
        return;
    TPaintLockGuard lock(this);
    TDepthGuard depth(m_undoRedoDepth);
    for (;;) {
        TEditUndoItem item;
        if (!m_undoList.PopItem(item))
            break;
        const TChangeReason r = item.ChangeReason;
        UndoItem(item);
        // A replacement, a paste over a selection and a drag-and-drop move undo as one step.
        if (IsInsertion(r)) {
            const TChangeReason next = m_undoList.GetChangeReason();
            if (next == urDeleteSelection || (next == urDropDelete && r == urDropInsert))
                continue;
        }
        break;
    }
}

void TCodeEdit::Redo()
{
    if (m_readOnly || !m_redoList.CanUndo())
        return;
    TPaintLockGuard lock(this);
    TDepthGuard depth(m_undoRedoDepth);
    for (;;) {
        TEditUndoItem item;
        if (!m_redoList.PopItem(item))
            break;
        const TChangeReason r = item.ChangeReason;
        RedoItem(item);
        if (r == urDeleteSelection || (r == urDropDelete && m_redoList.GetChangeReason() == urDropInsert))
            continue;
        break;
    }
}

void TCodeEdit::UndoItem(TEditUndoItem &item)
{
    const TChangeReason r = item.ChangeReason;
    const TBufferCoord s = item.ChangeStartPos;
    const TBufferCoord e = item.ChangeEndPos;
    const TSelectionMode m = item.ChangeSelMode;

    TEditUndoItem redo;
    redo.ChangeReason = r;
    redo.ChangeStartPos = s;
    redo.ChangeEndPos = e;
    redo.ChangeSelMode = m;
    redo.CaretBefore = item.CaretBefore;
    redo.BlockBeginBefore = item.BlockBeginBefore;
    redo.BlockEndBefore = item.BlockEndBefore;
    redo.CaretAfter = item.CaretAfter;
    redo.BlockBeginAfter = item.BlockBeginAfter;
    redo.BlockEndAfter = item.BlockEndAfter;
    if (IsInsertion(r))
        redo.ChangeStr = TextInMode(s, e, m); // the text the redo inserts again
    else if (r == urIndent)
        redo.ChangeStr = TextInMode(s, e, smColumn);
    else if (r == urUnindent)
        redo.ChangeStr = item.ChangeStr;

    if (item.HasSplices) {
        ReplaySplices(item.Splices, redo.Splices);
    } else {
        // A record added from outside through the plain AddChange: replay it by the record's own fields,
        // logging what is done so that redo is exact again.
        QList<TEditSplice> *saved = m_spliceLog;
        m_spliceLog = &redo.Splices;
        const TSelectionMode savedMode = m_selectionMode;
        m_lines.BeginUpdate();
        if (IsInsertion(r) || r == urIndent) {
            m_selectionMode = r == urIndent ? smColumn : m;
            m_blockBegin = ValidPos(s);
            m_blockEnd = ValidPos(e);
            if (SelAvail())
                DeleteSelectionRaw();
        } else if (IsDeletion(r) || r == urUnindent) {
            SetCaretInternal(std::min(s, e));
            InsertTextRaw(r == urUnindent ? smColumn : m, item.ChangeStr);
        } else if (r == urLineBreak && s.Y < m_lines.Count()) {
            const int len = int(m_lines[s.Y - 1].size());
            DoSplice(BufferCoord(len + 1, s.Y), BufferCoord(1, s.Y + 1), QString(std::max(0, s.X - 1 - len), u' '),
                     true);
        }
        m_lines.EndUpdate();
        m_selectionMode = savedMode;
        m_spliceLog = saved;
        const TBufferCoord after = m_caret;
        redo.CaretAfter = IsDeletion(r) ? std::min(s, e) : e;
        redo.BlockBeginAfter = redo.BlockEndAfter = redo.CaretAfter;
        redo.CaretBefore = after;
    }
    redo.HasSplices = true;

    if (IsInsertion(r) || r == urLineBreak) {
        SetCaretXY(s);
        SetSelectionInternal(m_caret, m_caret);
    } else if (IsDeletion(r)) {
        SetCaretXY(e);
        SetSelectionInternal(std::min(s, e), std::max(s, e));
    } else if (item.HasSplices) { // indent, unindent: back to the recorded caret and selection
        SetCaretInternal(item.CaretBefore);
        SetSelectionInternal(item.BlockBeginBefore, item.BlockEndBefore);
    } else {
        SetCaretXY(s);
        SetSelectionInternal(m_caret, m_caret);
    }
    EnsureCursorPosVisible();
    RecordChange(m_redoList, std::move(redo));
}

void TCodeEdit::RedoItem(TEditUndoItem &item)
{
    const TChangeReason r = item.ChangeReason;
    TEditUndoItem undo;
    undo.ChangeReason = r;
    undo.ChangeStartPos = item.ChangeStartPos;
    undo.ChangeEndPos = item.ChangeEndPos;
    undo.ChangeSelMode = item.ChangeSelMode;
    undo.CaretBefore = item.CaretBefore;
    undo.BlockBeginBefore = item.BlockBeginBefore;
    undo.BlockEndBefore = item.BlockEndBefore;
    undo.CaretAfter = item.CaretAfter;
    undo.BlockBeginAfter = item.BlockBeginAfter;
    undo.BlockEndAfter = item.BlockEndAfter;
    if (IsDeletion(r))
        undo.ChangeStr = TextInMode(item.ChangeStartPos, item.ChangeEndPos, item.ChangeSelMode);
    else if (r == urUnindent)
        undo.ChangeStr = item.ChangeStr;

    ReplaySplices(item.Splices, undo.Splices);
    undo.HasSplices = true;
    // The caret may legitimately stand past a line end (a typed blank); only the line is clamped.
    auto clampLine = [this](TBufferCoord p) {
        p.Y = std::clamp(p.Y, 1, m_lines.Count());
        p.X = std::max(1, p.X);
        return p;
    };
    SetCaretInternal(clampLine(item.CaretAfter));
    SetSelectionInternal(clampLine(item.BlockBeginAfter), clampLine(item.BlockEndAfter));
    EnsureCursorPosVisible();
    RecordChange(m_undoList, std::move(undo));
}

// ---- clipboard --------------------------------------------------------------------------------

void TCodeEdit::CopyToClipboard()
{
    if (!SelAvail())
        return;
    const QString text = SelText();
    if (!m_clipboard || !m_clipboard->SetData(text, EncodeBlockType(m_selectionMode, text)))
        throw EEditError("Clipboard copy operation failed");
}

void TCodeEdit::CutToClipboard()
{
    if (m_readOnly || !SelAvail())
        return;
    CopyToClipboard();
    TPaintLockGuard lock(this);
    DeleteSelectionRecorded(urDeleteBackward);
}

void TCodeEdit::PasteFromClipboard()
{
    if (m_readOnly)
        return;
    QString plain;
    QByteArray block;
    bool hasBlock = false;
    if (!m_clipboard || !m_clipboard->GetData(plain, block, hasBlock))
        throw EEditError("Clipboard paste operation failed.");
    TSelectionMode mode = m_selectionMode;
    QString text = plain;
    if (hasBlock) {
        TSelectionMode blockMode;
        QString blockText;
        if (DecodeBlockType(block, blockMode, blockText)) {
            mode = blockMode;
            text = blockText;
        }
    }
    if (text.isEmpty())
        return;
    TPaintLockGuard lock(this);
    if (SelAvail())
        DeleteSelectionRecorded(urDeleteSelection);
    TEditChangeScope scope(this);
    const TBufferCoord start = m_caret;
    const TBufferCoord end = InsertTextRaw(mode, text);
    StatusChanged(scSelection);
    scope.Commit(urPaste, start, end, QString(), mode);
}

// ---- drag and drop ----------------------------------------------------------------------------

bool TCodeEdit::DropSelection(TBufferCoord target, bool copy)
{
    if (m_readOnly || !SelAvail() || IsPointInSelection(target))
        return false;
    target.Y = std::clamp(target.Y, 1, m_lines.Count());
    target.X = std::max(1, target.X);
    const TSelectionMode mode = m_selectionMode;
    const TBufferCoord b = BlockBegin();
    const TBufferCoord e = BlockEnd();
    const QString text = SelText();
    TPaintLockGuard lock(this);
    if (!copy) {
        {
            TEditChangeScope scope(this);
            DeleteSelectionRaw();
            scope.Commit(urDropDelete, b, e, text, mode);
        }
        // Where the target lies now that the source is gone.
        if (mode == smNormal) {
            if (e <= target) {
                if (target.Y == e.Y)
                    target = BufferCoord(b.X + (target.X - e.X), b.Y);
                else
                    target.Y -= e.Y - b.Y;
            }
        } else if (mode == smColumn) {
            const int c1 = std::min(b.X, e.X);
            const int c2 = std::max(b.X, e.X);
            if (target.Y >= b.Y && target.Y <= e.Y && target.X >= c2)
                target.X -= c2 - c1;
        } else if (target.Y > e.Y) {
            target.Y -= e.Y - b.Y + 1;
        }
        target.Y = std::clamp(target.Y, 1, m_lines.Count());
    }
    if (mode == smLine)
        target.X = 1;
    TEditChangeScope scope(this);
    SetCaretInternal(target);
    const TBufferCoord end = InsertTextRaw(mode, text);
    // The dropped text is selected.
    if (mode == smNormal)
        SetSelectionInternal(target, end);
    scope.Commit(urDropInsert, target, end, QString(), mode);
    return true;
}

// ---- bookmarks --------------------------------------------------------------------------------

void TCodeEdit::SetBookMark(int bookmark, int x, int y)
{
    if (bookmark < 0 || bookmark > 9 || y < 1 || y > m_lines.Count())
        return;
    auto mark = std::make_unique<TMark>(this);
    mark->SetLine(y);
    mark->SetColumn(x);
    mark->SetImageIndex(bookmark);
    mark->SetBookmarkNumber(bookmark);
    mark->SetVisible(true);
    mark->SetInternalImage(true); // the view uses its built-in digit glyphs unless given images
    OnPlaceBookmark.Fire(this, mark.get());
    // One bookmark per line: any other bookmark on this line goes, and so does bookmark n's old place.
    for (int n = 0; n <= 9; ++n)
        if (n != bookmark && m_bookmarks[size_t(n)] && m_bookmarks[size_t(n)]->Line() == mark->Line())
            ClearBookMark(n);
    ClearBookMark(bookmark);
    m_bookmarks[size_t(bookmark)] = mark.get();
    m_marks.Add(std::move(mark));
}

void TCodeEdit::ClearBookMark(int bookmark)
{
    if (bookmark < 0 || bookmark > 9 || !m_bookmarks[size_t(bookmark)])
        return;
    TMark *mark = m_bookmarks[size_t(bookmark)];
    m_bookmarks[size_t(bookmark)] = nullptr;
    m_marks.Remove(mark);
}

void TCodeEdit::GotoBookMark(int bookmark)
{
    if (!IsBookmark(bookmark))
        return;
    const TMark *mark = m_bookmarks[size_t(bookmark)];
    if (mark->Line() < 1 || mark->Line() > m_lines.Count())
        return;
    TPaintLockGuard lock(this);
    SetCaretXY(BufferCoord(mark->Column(), mark->Line()));
    EnsureCursorPosVisible();
    SetSelectionInternal(m_caret, m_caret);
}

bool TCodeEdit::GetBookMark(int bookmark, int &x, int &y) const
{
    if (!IsBookmark(bookmark))
        return false;
    x = m_bookmarks[size_t(bookmark)]->Column();
    y = m_bookmarks[size_t(bookmark)]->Line();
    return true;
}

bool TCodeEdit::IsBookmark(int bookmark) const
{
    return bookmark >= 0 && bookmark <= 9 && m_bookmarks[size_t(bookmark)] != nullptr;
}

TMark *TCodeEdit::BookMark(int bookmark) const
{
    return IsBookmark(bookmark) ? m_bookmarks[size_t(bookmark)] : nullptr;
}
