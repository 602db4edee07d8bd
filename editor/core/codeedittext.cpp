// TCodeEdit's text primitives: splicing text into the line store, the marks that move with it,
// inserting and deleting in each selection mode, and the change scope around edits.
#include "editor/core/codeedit.h"
#include "editor/core/edittext.h"

#include <QScopeGuard>
#include <algorithm>
#include <climits>

namespace {

bool HasLineBreak(QStringView text)
{
    for (QChar c : text)
        if (c == u'\r' || c == u'\n')
            return true;
    return false;
}

} // namespace

// ---- text primitives --------------------------------------------------------------------------

TBufferCoord TCodeEdit::ValidPos(TBufferCoord pos) const
{
    pos.Y = std::clamp(pos.Y, 1, m_lines.Count());
    pos.X = std::clamp(pos.X, 1, int(m_lines[pos.Y - 1].size()) + 1);
    return pos;
}

QString TCodeEdit::RangeText(TBufferCoord start, TBufferCoord end) const
{
    if (end <= start)
        return QString();
    if (start.Y == end.Y)
        return m_lines[start.Y - 1].mid(start.X - 1, end.X - start.X);
    QString result = m_lines[start.Y - 1].mid(start.X - 1);
    for (int y = start.Y + 1; y < end.Y; ++y) {
        result.append(u"\r\n");
        result.append(m_lines[y - 1]);
    }
    result.append(u"\r\n");
    result.append(QStringView(m_lines[end.Y - 1]).left(end.X - 1));
    return result;
}

void TCodeEdit::AdjustMarks(int startLine, int endLine, int newBreaks)
{
    const int delta = newBreaks - (endLine - startLine);
    if (delta == 0 && endLine == startLine)
        return;
    bool moved = false;
    for (int i = 0; i < m_marks.Count(); ++i) {
        TMark *mark = m_marks.Items(i);
        if (mark->Line() > endLine) {
            if (delta != 0) {
                mark->SetLine(mark->Line() + delta);
                moved = true;
            }
        } else if (mark->Line() > startLine) {
            mark->SetLine(startLine); // marks inside a removed range go to its first line
            moved = true;
        }
    }
    if (moved)
        m_marks.Changed();
}

// The one place where text changes: replaces the normal-mode range start..end by `text`, right-trims
// the rewritten lines when asked, and logs the exact inverse splices for undo. Typing in a long line
// edits that line's string in place; no other line is touched.
TBufferCoord TCodeEdit::DoSplice(TBufferCoord start, TBufferCoord end, QStringView text, bool trim)
{
    start = ValidPos(start);
    end = ValidPos(end);
    if (end < start)
        std::swap(start, end);
    QString removed;
    if (m_spliceLog)
        removed = RangeText(start, end);

    const int y1 = start.Y - 1;
    const int y2 = end.Y - 1;
    if (y1 == y2 && !HasLineBreak(text)) {
        if (text.isEmpty() && start == end && (!trim || EditText::TrimmedLength(m_lines[y1]) == m_lines[y1].size()))
            return start; // nothing to change: no hook, no repaint
        QString line = m_lines.TakeString(y1);
        line.replace(start.X - 1, end.X - start.X, text.data(), text.size());
        const TBufferCoord newEnd = BufferCoord(start.X + int(text.size()), start.Y);
        const qsizetype keep = trim ? EditText::TrimmedLength(line) : line.size();
        if (m_spliceLog) {
            if (!(removed.isEmpty() && text.isEmpty()))
                m_spliceLog->append(TEditSplice{start, newEnd, removed});
            if (keep < line.size())
                m_spliceLog->append(TEditSplice{BufferCoord(int(keep) + 1, start.Y),
                                                BufferCoord(int(keep) + 1, start.Y), line.mid(keep)});
        }
        line.truncate(keep);
        // The text before the splice (and before any trimmed blanks) is as it was.
        m_putKeepsPrefix = std::min<qsizetype>(start.X - 1, keep);
        const auto reset = qScopeGuard([this] { m_putKeepsPrefix = -1; });
        m_lines.Put(y1, std::move(line));
        return newEnd;
    }

    const QList<QStringView> pieces = EditText::SplitAtBreaks(text);
    const int k = int(pieces.size()) - 1;
    const QString &firstOld = m_lines[y1];
    const QString &lastOld = m_lines[y2];
    QList<QString> newLines;
    newLines.reserve(k + 1);
    QString first = firstOld.left(start.X - 1);
    const QString suffix = lastOld.mid(end.X - 1);
    first.append(pieces[0]);
    newLines.append(std::move(first));
    for (int i = 1; i <= k; ++i)
        newLines.append(pieces[i].toString());
    const TBufferCoord newEnd = k == 0 ? BufferCoord(start.X + int(pieces[0].size()), start.Y)
                                       : BufferCoord(int(pieces[k].size()) + 1, start.Y + k);
    newLines[k].append(suffix);
    if (m_spliceLog)
        m_spliceLog->append(TEditSplice{start, newEnd, removed});
    if (trim) {
        for (int i = 0; i <= k; ++i) {
            const qsizetype keep = EditText::TrimmedLength(newLines[i]);
            if (keep == newLines[i].size())
                continue;
            if (m_spliceLog) {
                const TBufferCoord at = BufferCoord(int(keep) + 1, start.Y + i);
                m_spliceLog->append(TEditSplice{at, at, newLines[i].mid(keep)});
            }
            newLines[i].truncate(keep);
        }
    }

    m_lines.BeginUpdate();
    const int oldCount = y2 - y1 + 1;
    const int newCount = k + 1;
    const int common = std::min(oldCount, newCount);
    for (int i = 0; i < common; ++i)
        m_lines.Put(y1 + i, std::move(newLines[i]));
    for (int i = newCount; i < oldCount; ++i)
        m_lines.Delete(y1 + newCount);
    for (int i = oldCount; i < newCount; ++i)
        m_lines.Insert(y1 + i, newLines[i]);
    m_lines.EndUpdate();
    AdjustMarks(start.Y, end.Y, k);
    return newEnd;
}

// Inserts normal-mode text at pos, padding with blanks when pos lies past the line end.
TBufferCoord TCodeEdit::InsertAt(TBufferCoord pos, QStringView text)
{
    pos.Y = std::clamp(pos.Y, 1, m_lines.Count());
    const int len = int(m_lines[pos.Y - 1].size());
    if (pos.X - 1 > len) {
        if (text.isEmpty())
            return pos;
        QString padded(pos.X - 1 - len, u' ');
        padded.append(text);
        return DoSplice(BufferCoord(len + 1, pos.Y), BufferCoord(len + 1, pos.Y), padded, true);
    }
    return DoSplice(pos, pos, text, true);
}

void TCodeEdit::DeleteRangeInMode(TBufferCoord begin, TBufferCoord end, TSelectionMode mode)
{
    if (end < begin)
        std::swap(begin, end);
    m_lines.BeginUpdate();
    switch (mode) {
    case smNormal: DoSplice(begin, end, {}, true); break;
    case smColumn: {
        const int c1 = std::min(begin.X, end.X);
        const int c2 = std::max(begin.X, end.X);
        for (int y = begin.Y; y <= end.Y; ++y) {
            const int len = int(m_lines[y - 1].size());
            const int from = std::min(c1, len + 1);
            const int to = std::min(c2, len + 1);
            if (from < to || EditText::TrimmedLength(m_lines[y - 1]) < len)
                DoSplice(BufferCoord(from, y), BufferCoord(to, y), {}, true);
        }
        break;
    }
    case smLine: {
        const int count = m_lines.Count();
        if (end.Y < count)
            DoSplice(BufferCoord(1, begin.Y), BufferCoord(1, end.Y + 1), {}, false);
        else // the range reaches the last line: it is kept and emptied
            DoSplice(BufferCoord(1, begin.Y), BufferCoord(int(m_lines[end.Y - 1].size()) + 1, end.Y), {}, false);
        break;
    }
    }
    m_lines.EndUpdate();
}

void TCodeEdit::DeleteSelectionRaw()
{
    const TBufferCoord b = BlockBegin();
    const TBufferCoord e = BlockEnd();
    DeleteRangeInMode(b, e, m_selectionMode);
    TBufferCoord caret = b;
    if (m_selectionMode == smColumn)
        caret.X = std::min(b.X, e.X);
    else if (m_selectionMode == smLine)
        caret.X = 1;
    caret.Y = std::min(caret.Y, m_lines.Count());
    SetCaretInternal(caret);
    SetSelectionInternal(caret, caret);
}

TBufferCoord TCodeEdit::InsertTextRaw(TSelectionMode mode, const QString &value)
{
    TBufferCoord caret = m_caret;
    if (!value.isEmpty()) {
        m_lines.BeginUpdate();
        switch (mode) {
        case smNormal: caret = InsertAt(m_caret, value); break;
        case smColumn: {
            QList<QStringView> rows = EditText::SplitAtBreaks(value);
            if (rows.size() > 1 && rows.last().isEmpty())
                rows.removeLast(); // a block copied elsewhere may end with a line break
            const int x = m_caret.X;
            for (int i = 0; i < rows.size(); ++i) {
                const int y = m_caret.Y + i;
                if (y > m_lines.Count()) {
                    const int last = m_lines.Count();
                    const TBufferCoord eot = BufferCoord(int(m_lines[last - 1].size()) + 1, last);
                    DoSplice(eot, eot, u"\r\n", false);
                }
                InsertAt(BufferCoord(x, y), rows[i]);
            }
            caret = BufferCoord(x + int(rows.last().size()), m_caret.Y + int(rows.size()) - 1);
            break;
        }
        case smLine: {
            QList<QStringView> rows = EditText::SplitAtBreaks(value);
            if (rows.size() > 1 && rows.last().isEmpty())
                rows.removeLast();
            QString block;
            for (const QStringView &row : rows) {
                block.append(row);
                block.append(u"\r\n");
            }
            const int y = m_caret.Y;
            DoSplice(BufferCoord(1, y), BufferCoord(1, y), block, true);
            caret = BufferCoord(1, y + int(rows.size()));
            break;
        }
        }
        m_lines.EndUpdate();
    }
    if (m_lines.Count() == 0)
        m_lines.Add(QString());
    caret.Y = std::clamp(caret.Y, 1, m_lines.Count());
    SetCaretInternal(caret);
    SetSelectionInternal(caret, caret);
    return caret;
}

void TCodeEdit::SetSelTextPrimitive(TSelectionMode mode, const QString &value)
{
    BeginUpdate();
    m_lines.BeginUpdate();
    if (SelAvail())
        DeleteSelectionRaw();
    InsertTextRaw(mode, value);
    m_lines.EndUpdate();
    EndUpdate();
}

void TCodeEdit::SetSelText(const QString &value)
{
    BeginUpdate();
    const TSelectionMode mode = m_selectionMode;
    if (SelAvail()) {
        TEditChangeScope scope(this);
        const TBufferCoord b = BlockBegin();
        const TBufferCoord e = BlockEnd();
        const QString old = SelText();
        DeleteSelectionRaw();
        scope.Commit(urDeleteSelection, b, e, old, mode);
    }
    const TBufferCoord start = m_caret;
    {
        TEditChangeScope scope(this);
        const TBufferCoord end = InsertTextRaw(mode, value);
        scope.Commit(urInsert, start, end, QString(), mode);
    }
    EndUpdate();
}

void TCodeEdit::ReplaceRanges(const QList<TTextReplacement> &replacements)
{
    if (replacements.isEmpty() || m_readOnly)
        return;
    BeginUpdate();
    const TBufferCoord caret = m_caret;
    {
        TEditChangeScope scope(this);
        m_lines.BeginUpdate();
        // Last range first, so the positions of the earlier ones still hold.
        for (qsizetype i = replacements.size() - 1; i >= 0; --i) {
            const TTextReplacement &r = replacements.at(i);
            DoSplice(CoordOfCharPos(r.Start), CoordOfCharPos(std::max(r.Start, r.End)), r.Text, false);
        }
        m_lines.EndUpdate();
        SetCaretInternal(ValidPos(caret));
        SetSelectionInternal(m_caret, m_caret);
        scope.Commit(urReplaceRanges, m_caret, m_caret, QString(), smNormal);
    }
    EndUpdate();
}

void TCodeEdit::ReplaySplices(const QList<TEditSplice> &splices, QList<TEditSplice> &inverse)
{
    QList<TEditSplice> *saved = m_spliceLog;
    m_spliceLog = &inverse;
    m_lines.BeginUpdate();
    for (qsizetype i = splices.size() - 1; i >= 0; --i) {
        const TEditSplice &s = splices.at(i);
        DoSplice(s.Start, s.End, s.Text, false);
    }
    m_lines.EndUpdate();
    m_spliceLog = saved;
}

// ---- change scope -----------------------------------------------------------------------------

TEditChangeScope::TEditChangeScope(TCodeEdit *edit)
    : m_edit(edit), m_savedLog(edit->m_spliceLog), m_caret(edit->m_caret), m_blockBegin(edit->BlockBegin()),
      m_blockEnd(edit->BlockEnd())
{
    edit->m_spliceLog = &m_log;
}

TEditChangeScope::~TEditChangeScope()
{
    m_edit->m_spliceLog = m_savedLog;
}

void TEditChangeScope::Commit(TChangeReason reason, TBufferCoord start, TBufferCoord end, const QString &text,
                              TSelectionMode mode)
{
    if (m_committed)
        return;
    m_committed = true;
    m_edit->m_spliceLog = m_savedLog;
    TEditUndoItem item;
    item.ChangeReason = reason;
    item.ChangeStartPos = start;
    item.ChangeEndPos = end;
    item.ChangeStr = text;
    item.ChangeSelMode = mode;
    item.Splices = std::move(m_log);
    item.HasSplices = true;
    item.CaretBefore = m_caret;
    item.BlockBeginBefore = m_blockBegin;
    item.BlockEndBefore = m_blockEnd;
    item.CaretAfter = m_edit->m_caret;
    item.BlockBeginAfter = m_edit->BlockBegin();
    item.BlockEndAfter = m_edit->BlockEnd();
    m_edit->RecordChange(m_edit->m_undoList, std::move(item));
}
