// TCodeEdit: state, line-store reactions, scrolling, caret and selection, character positions.
#include "editor/core/codeedit.h"
#include "editor/core/edittext.h"
#include "editor/core/tabexpansion.h"

#include <QScopeGuard>
#include <algorithm>
#include <climits>

// ---- construction and line-store reactions ----------------------------------------------------

TCodeEdit::TCodeEdit(QObject *parent) : QObject(parent)
{
    m_lines.OnAdded = [this](TEditLines *) { LinesAdded(); };
    m_lines.OnCleared = [this](TEditLines *) { LinesCleared(); };
    m_lines.OnDeleted = [this](int index) { LineDeleted(index); };
    m_lines.OnInserted = [this](int index) { LineInserted(index); };
    m_lines.OnPutted = [this](int index) { LinePutted(index); };
    m_lines.OnScanRanges = [this](TEditLines *) { LinesScanRanges(); };
    m_lines.OnSetText = [this](TEditLines *) { LinesSetText(); };
    m_lines.OnChanging = [this](TEditLines *) { LinesChanging(); };
    m_lines.OnChange = [this](TEditLines *) { LinesChanged(); };
    m_marks.OnChange = [this] { InvalidateLines(m_topLine, m_topLine + m_linesInWindow); };
    m_marks.OnRemoving = [this](TMark *mark) {
        for (TMark *&slot : m_bookmarks)
            if (slot == mark)
                slot = nullptr;
    };
    m_keystrokes.ResetDefaults();
    m_lines.Add(QString());
}

TCodeEdit::~TCodeEdit()
{
    // The hooks capture `this`; the store is destroyed after this body, so detach them first.
    m_lines.OnAdded = {};
    m_lines.OnCleared = {};
    m_lines.OnDeleted = {};
    m_lines.OnInserted = {};
    m_lines.OnPutted = {};
    m_lines.OnScanRanges = {};
    m_lines.OnSetText = {};
    m_lines.OnChanging = {};
    m_lines.OnChange = {};
    m_marks.OnChange = {};
    m_marks.OnRemoving = {};
}

void TCodeEdit::SetText(QStringView value)
{
    m_lines.BeginLoad();
    m_lines.SetTextStr(value);
    m_lines.EndLoad();
}

void TCodeEdit::LoadFrom(TEditLines &&lines)
{
    TPaintLockGuard lock(this);
    // A selection change still to be reported from before the load stays pending; the load's own is not one.
    const bool selectionPending = m_selectionChanged;
    m_lines.Adopt(lines);
    SetCaretInternal(BufferCoord(1, 1));
    SetSelectionInternal(BufferCoord(1, 1), BufferCoord(1, 1));
    ClearUndo();
    SetModified(false);
    m_selectionChanged = selectionPending;
}

void TCodeEdit::HandOverLines(TEditLines &target)
{
    // The swap fires no notifications of this editor's store; the load of nothing that follows
    // resets caret, selection, undo and the views as a load does.
    target.Adopt(m_lines);
    LoadFrom(TEditLines());
}

void TCodeEdit::LinesAdded()
{
    const int n = m_lines.Count();
    if (m_highlighter && m_pendingFrom >= 0 && n - 2 >= m_pendingFrom) {
        // The line before is not scanned yet; the pending rescan will reach the new one.
        m_pendingTo = std::max(m_pendingTo, n - 1);
    } else if (m_highlighter) {
        if (n < 2) {
            m_lines.PutObject(0, m_highlighter->ResetState());
        } else {
            ++m_scannedLines;
            m_lines.PutObject(n - 1, m_highlighter->ScanLine(m_lines[n - 2], n - 2, m_lines.Objects(n - 2)));
        }
    }
    if (n >= m_topLine && n < m_topLine + m_linesInWindow)
        InvalidateLines(n, n);
    m_scrollRangeChanged = true;
    OnLinesChanged.Fire(this, n - 1);
}

void TCodeEdit::LinesCleared()
{
    m_tabFreeLine = -1;
    m_hasPendingInvalid = false;
    m_pendingFrom = -1;
    m_pendingTo = -1;
    InvalidateLines(1, INT_MAX);
    if (m_caret != BufferCoord(1, 1))
        StatusChanged(scCaretX | scCaretY);
    m_caret = BufferCoord(1, 1);
    SetSelectionInternal(BufferCoord(1, 1), BufferCoord(1, 1));
    SetTopLine(1);
    SetLeftChar(1);
    m_scrollRangeChanged = true;
    OnLinesChanged.Fire(this, 0);
}

void TCodeEdit::LineDeleted(int index)
{
    LineMoved(index, -1);
}

void TCodeEdit::LineInserted(int index)
{
    LineMoved(index, +1);
}

void TCodeEdit::LineMoved(int index, int delta)
{
    if (m_tabFreeLine >= index)
        m_tabFreeLine = -1; // that line moved or went
    ShiftPending(index, delta);
    if (m_highlighter && m_lines.Count() > 0) {
        if (index < 1) {
            m_lines.PutObject(0, m_highlighter->ResetState());
            if (m_lines.Count() > 1)
                ScanFrom(0, m_lines.Objects(0));
        } else {
            ScanFrom(index - 1, m_lines.Objects(index - 1));
        }
    }
    // Every later line moved; an insertion repaints at least to the bottom of the window.
    InvalidateLines(index + 1, delta < 0 ? INT_MAX : std::max(index + 1, m_topLine + m_linesInWindow));
    m_scrollRangeChanged = true;
    OnLinesChanged.Fire(this, index);
}

void TCodeEdit::LinePutted(int index)
{
    if (index == m_tabFreeLine)
        m_tabFreeLength = m_putKeepsPrefix >= 0 ? std::min(m_tabFreeLength, m_putKeepsPrefix) : 0;
    int last = index;
    if (m_highlighter)
        last = ScanFrom(index, m_lines.Objects(index));
    InvalidateLines(index + 1, last + 1);
    m_scrollRangeChanged = true;
    OnLinesChanged.Fire(this, index);
}

void TCodeEdit::LinesScanRanges()
{
    if (m_highlighter && m_lines.Count() > kSyncLoadScanLines) {
        // A large load: the first lines are scanned now, the rest in slices between events
        // (a paint further down scans up to its lines first), so the window answers at once.
        m_pendingFrom = -1;
        m_pendingTo = -1;
        m_lines.PutObject(0, m_highlighter->ResetState());
        ScanRun(0, m_lines.Objects(0), m_lines.Count() - 1, kSyncScanLines);
    } else {
        ScanAllRanges();
    }
    // A bulk append or a load: said once, from the top.
    OnLinesChanged.Fire(this, 0);
}

void TCodeEdit::LinesSetText()
{
    if (m_lines.Count() == 0)
        m_lines.Add(QString());
    OnLinesChanged.Fire(this, 0);
}

void TCodeEdit::LinesChanging()
{
    m_linesChanging = true;
}

void TCodeEdit::LinesChanged()
{
    m_linesChanging = false;
    // Keep the caret and the selection inside the text after changes made directly on Lines.
    const int count = m_lines.Count();
    if (m_caret.Y > count)
        SetCaretInternal(BufferCoord(m_caret.X, std::max(1, count)));
    if (m_blockBegin.Y > count || m_blockEnd.Y > count)
        SetSelectionInternal(m_caret, m_caret);
    SetTopLine(m_topLine); // re-clamped to the new line count
    if (m_paintLock == 0)
        EnsureCursorPosVisible();
    if (m_hasPendingInvalid && m_paintLock == 0) {
        m_hasPendingInvalid = false;
        emit linesInvalidated(m_pendingFirst, m_pendingLast);
    }
    if (m_scrollRangeChanged && m_paintLock == 0) {
        m_scrollRangeChanged = false;
        emit scrollRangeChanged();
    }
}

// ---- repaint and status plumbing --------------------------------------------------------------

void TCodeEdit::InvalidateLines(int first, int last)
{
    if (last < first)
        std::swap(first, last);
    if (m_linesChanging || m_paintLock > 0) {
        if (!m_hasPendingInvalid) {
            m_hasPendingInvalid = true;
            m_pendingFirst = first;
            m_pendingLast = last;
        } else {
            m_pendingFirst = std::min(m_pendingFirst, first);
            m_pendingLast = std::max(m_pendingLast, last);
        }
        return;
    }
    emit linesInvalidated(first, last);
}

void TCodeEdit::InvalidateSelection(TBufferCoord b1, TBufferCoord e1)
{
    InvalidateLines(std::min(b1.Y, e1.Y), std::max(b1.Y, e1.Y));
}

void TCodeEdit::StatusChanged(TStatusChanges changes)
{
    m_statusChanges |= changes;
    if (m_paintLock == 0) {
        const TStatusChanges pending = m_statusChanges;
        m_statusChanges = {};
        OnStatusChange.Fire(this, pending);
        emit statusChanged(pending);
    }
}

void TCodeEdit::BeginUpdate()
{
    ++m_paintLock;
}

void TCodeEdit::EndUpdate()
{
    if (m_paintLock <= 0)
        return;
    if (--m_paintLock > 0)
        return;
    if (m_hasPendingInvalid && !m_linesChanging) {
        m_hasPendingInvalid = false;
        emit linesInvalidated(m_pendingFirst, m_pendingLast);
    }
    if (m_scrollRangeChanged && !m_linesChanging) {
        m_scrollRangeChanged = false;
        emit scrollRangeChanged();
    }
    if (m_statusChanges)
        StatusChanged({});
    if (m_selectionChanged) {
        m_selectionChanged = false;
        OnSelectionChange.Fire(this);
    }
}

void TCodeEdit::SetModified(bool value)
{
    if (value == m_modified)
        return;
    m_modified = value;
    StatusChanged(scModified);
}

void TCodeEdit::SetInsertMode(bool value)
{
    if (value == m_insertMode)
        return;
    m_insertMode = value;
    StatusChanged(scInsertMode); // the view reshapes the caret on this flag
}

void TCodeEdit::SetOptions(TEditorOptions value)
{
    if (value == m_options)
        return;
    const bool pastEolLost = (m_options & eoScrollPastEol) && !(value & eoScrollPastEol);
    m_options = value;
    if (pastEolLost)
        SetCaretXY(m_caret); // re-clamp the caret to the line end
    InvalidateLines(1, INT_MAX);
}

void TCodeEdit::SetTabWidth(int value)
{
    value = std::clamp(value, 0, 256);
    if (value == m_tabWidth)
        return;
    m_tabWidth = value;
    InvalidateLines(1, INT_MAX);
}

void TCodeEdit::SetHideSelection(bool value)
{
    if (value == m_hideSelection)
        return;
    m_hideSelection = value;
    if (SelAvail())
        InvalidateSelection(m_blockBegin, m_blockEnd);
}

// ---- scrolling --------------------------------------------------------------------------------

void TCodeEdit::SetTopLine(int value)
{
    value = std::clamp(value, 1, std::max(1, m_lines.Count()));
    if (value == m_topLine)
        return;
    m_topLine = value;
    StatusChanged(scTopLine);
}

int TCodeEdit::DisplayColumn(int line, int column) const
{
    if (line < 1 || line > m_lines.Count())
        return column;
    const QString &text = m_lines[line - 1];
    // Only tabs before the column move it: a long line is not searched past it.
    const qsizetype before = std::clamp<qsizetype>(column - 1, 0, text.size());
    if (line - 1 == m_tabFreeLine && before <= m_tabFreeLength)
        return column;
    if (!TabExpansion::HasTabs(QStringView(text).first(before)))
        return column;
    return TabExpansion::ToDisplayColumn(text, column, m_tabWidth);
}

int TCodeEdit::BufferColumn(int line, int displayColumn) const
{
    if (line < 1 || line > m_lines.Count())
        return displayColumn;
    const QString &text = m_lines[line - 1];
    if (!TabExpansion::HasTabs(text))
        return displayColumn;
    return TabExpansion::ToBufferColumn(text, displayColumn, m_tabWidth);
}

int TCodeEdit::CaretDisplayX() const
{
    const int index = m_caret.Y - 1;
    if (index < 0 || index >= m_lines.Count())
        return m_caret.X;
    const QString &text = m_lines[index];
    if (index != m_tabFreeLine) {
        m_tabFreeLine = index;
        m_tabFreeLength = 0;
    }
    // Search only what lies between the known tab-free start and the caret.
    const qsizetype before = std::clamp<qsizetype>(m_caret.X - 1, 0, text.size());
    if (m_tabFreeLength < before) {
        const qsizetype tab = QStringView(text).sliced(m_tabFreeLength, before - m_tabFreeLength).indexOf(u'\t');
        if (tab >= 0) {
            m_tabFreeLength += tab;
            return TabExpansion::ToDisplayColumn(text, m_caret.X, m_tabWidth);
        }
        m_tabFreeLength = before;
    }
    return m_caret.X;
}

void TCodeEdit::SetLeftChar(int value)
{
    // The horizontal range reaches past the longest line in the window or the caret's column.
    int limit = std::max(1024, CaretDisplayX());
    const int last = std::min(m_lines.Count(), m_topLine + m_linesInWindow);
    for (int i = m_topLine; i <= last; ++i)
        limit = std::max(limit, int(m_lines[i - 1].size()) + 1);
    value = std::clamp(value, 1, limit);
    if (value == m_leftChar)
        return;
    m_leftChar = value;
    StatusChanged(scLeftChar);
}

void TCodeEdit::SetLinesInWindow(int value)
{
    m_linesInWindow = std::max(1, value);
}

void TCodeEdit::SetCharsInWindow(int value)
{
    m_charsInWindow = std::max(1, value);
}

void TCodeEdit::EnsureCursorPosVisible()
{
    BeginUpdate();
    // LeftChar counts painted columns: a caret after tabs lies further right than its column.
    const int x = CaretDisplayX();
    if (x < m_leftChar)
        SetLeftChar(x);
    else if (x >= m_leftChar + m_charsInWindow)
        SetLeftChar(x - m_charsInWindow + 1);
    if (m_caret.Y < m_topLine)
        SetTopLine(m_caret.Y);
    else if (m_caret.Y >= m_topLine + m_linesInWindow)
        SetTopLine(m_caret.Y - m_linesInWindow + 1);
    EndUpdate();
}

// ---- caret and selection ----------------------------------------------------------------------

int TCodeEdit::MaxCaretX(int line) const
{
    const int len = (line >= 1 && line <= m_lines.Count()) ? int(m_lines[line - 1].size()) : 0;
    // Past the end the limit is 1024, or the line's length when longer, so its end stays reachable.
    if (m_options & eoScrollPastEol)
        return std::max(1024, len) + 1;
    return len + 1;
}

void TCodeEdit::SetCaretXY(TBufferCoord value)
{
    int y = std::min(value.Y, m_lines.Count());
    y = std::max(y, 1);
    const int x = std::clamp(value.X, 1, MaxCaretX(y));
    SetCaretInternal(BufferCoord(x, y));
}

void TCodeEdit::SetCaretInternal(TBufferCoord value)
{
    if (value == m_caret)
        return;
    BeginUpdate();
    TStatusChanges changes;
    if (value.X != m_caret.X)
        changes |= scCaretX;
    if (value.Y != m_caret.Y)
        changes |= scCaretY;
    m_caret = value;
    StatusChanged(changes);
    EnsureCursorPosVisible();
    m_selectionChanged = true;
    EndUpdate();
}

TBufferCoord TCodeEdit::BlockBegin() const
{
    return m_blockEnd < m_blockBegin ? m_blockEnd : m_blockBegin;
}

TBufferCoord TCodeEdit::BlockEnd() const
{
    return m_blockEnd < m_blockBegin ? m_blockBegin : m_blockEnd;
}

void TCodeEdit::SetSelectionInternal(TBufferCoord begin, TBufferCoord end)
{
    if (begin == m_blockBegin && end == m_blockEnd)
        return;
    const bool hadSelection = SelAvail();
    const TBufferCoord oldBegin = BlockBegin();
    const TBufferCoord oldEnd = BlockEnd();
    m_blockBegin = begin;
    m_blockEnd = end;
    if (hadSelection)
        InvalidateSelection(oldBegin, oldEnd);
    if (SelAvail())
        InvalidateSelection(begin, end);
    m_selectionChanged = true;
    StatusChanged(scSelection);
}

static TBufferCoord ClampBlockPos(const TCodeEdit &edit, TBufferCoord value)
{
    // Bounds are stored as set, within what the caret itself could reach: a place past the line
    // end reached by the caret keys is the same place when set here, and has the same SelStart.
    value.Y = std::clamp(value.Y, 1, std::max(1, edit.LineCount()));
    value.X = std::clamp(value.X, 1, std::max(1, edit.MaxCaretX(value.Y)));
    return value;
}

void TCodeEdit::SetBlockBegin(TBufferCoord value)
{
    value = ClampBlockPos(*this, value);
    BeginUpdate();
    SetSelectionInternal(value, value);
    EndUpdate();
}

void TCodeEdit::SetBlockEnd(TBufferCoord value)
{
    if (m_options & eoNoSelection)
        return;
    value = ClampBlockPos(*this, value);
    BeginUpdate();
    SetSelectionInternal(m_blockBegin, value);
    EndUpdate();
}

bool TCodeEdit::SelAvail() const
{
    return m_blockBegin.X != m_blockEnd.X || (m_blockBegin.Y != m_blockEnd.Y && m_selectionMode != smColumn);
}

bool TCodeEdit::IsPointInSelection(TBufferCoord pos) const
{
    if (!SelAvail())
        return false;
    const TBufferCoord b = BlockBegin();
    const TBufferCoord e = BlockEnd();
    if (pos.Y < b.Y || pos.Y > e.Y)
        return false;
    switch (m_selectionMode) {
    case smLine: return true;
    case smColumn: return pos.X >= std::min(b.X, e.X) && pos.X < std::max(b.X, e.X);
    case smNormal: break;
    }
    return b <= pos && pos < e;
}

void TCodeEdit::SetSelectionMode(TSelectionMode value)
{
    if (value == m_selectionMode)
        return;
    m_selectionMode = value;
    InvalidateSelection(m_blockBegin, m_blockEnd);
    BeginUpdate();
    m_selectionChanged = true;
    StatusChanged(scSelection);
    EndUpdate();
}

QString TCodeEdit::TextInMode(TBufferCoord start, TBufferCoord end, TSelectionMode mode) const
{
    if (end < start)
        std::swap(start, end);
    const int count = m_lines.Count();
    start.Y = std::clamp(start.Y, 1, count);
    end.Y = std::clamp(end.Y, 1, count);
    switch (mode) {
    case smNormal: return RangeText(ValidPos(start), ValidPos(end));
    case smColumn: {
        const int c1 = std::min(start.X, end.X);
        const int c2 = std::max(start.X, end.X);
        const int w = c2 - c1;
        QString result;
        for (int y = start.Y; y <= end.Y; ++y) {
            const QString &line = m_lines[y - 1];
            QString row = (c1 - 1 < line.size()) ? line.mid(c1 - 1, w) : QString();
            if (row.size() < w)
                row.append(QString(w - row.size(), u' '));
            if (y > start.Y)
                result.append(u"\r\n");
            result.append(row);
        }
        return result;
    }
    case smLine: {
        QString result;
        for (int y = start.Y; y <= end.Y; ++y) {
            result.append(m_lines[y - 1]);
            result.append(u"\r\n");
        }
        return result;
    }
    }
    return QString();
}

QString TCodeEdit::SelText() const
{
    if (!SelAvail())
        return QString();
    return TextInMode(BlockBegin(), BlockEnd(), m_selectionMode);
}

int TCodeEdit::CharPosOf(TBufferCoord pos) const
{
    const int count = m_lines.Count();
    const qint64 start = m_lines.LineStart(std::clamp(pos.Y - 1, 0, count));
    const int len = pos.Y >= 1 && pos.Y <= count ? int(m_lines[pos.Y - 1].size()) : 0;
    return int(start + std::min(pos.X, len + 2));
}

int TCodeEdit::SelStart() const
{
    return CharPosOf(BlockBegin());
}

int TCodeEdit::SelEnd() const
{
    return CharPosOf(BlockEnd());
}

TBufferCoord TCodeEdit::CoordOfCharPos(int p) const
{
    const int count = m_lines.Count();
    if (count == 0)
        return BufferCoord(1, 1);
    // The line whose end (with its line break) is the first to reach p.
    const int line = m_lines.LineAtPosition(qint64(p) - 1);
    if (m_lines.LineStart(line + 1) < p) // past the end of the text: the end of the last line
        return BufferCoord(int(m_lines[count - 1].size()) + 1, count);
    return BufferCoord(int(p - m_lines.LineStart(line)), line + 1);
}

void TCodeEdit::SetSelStart(int value)
{
    BeginUpdate();
    SetCaretXY(CoordOfCharPos(value));
    SetBlockBegin(m_caret);
    EndUpdate();
}

void TCodeEdit::SetSelEnd(int value)
{
    BeginUpdate();
    SetCaretXY(CoordOfCharPos(value));
    SetBlockEnd(m_caret);
    EndUpdate();
}

void TCodeEdit::SelectAll()
{
    const int last = m_lines.Count();
    const TBufferCoord end = BufferCoord(int(m_lines[last - 1].size()) + 1, last);
    BeginUpdate();
    SetCaretXY(end);
    SetSelectionInternal(BufferCoord(1, 1), end);
    StatusChanged(scSelection);
    EndUpdate();
}

bool TCodeEdit::IsIdentChar(QChar c) const
{
    if (m_highlighter)
        return m_highlighter->IsIdentChar(c);
    return c.unicode() >= 33;
}

void TCodeEdit::SetWordBlock(TBufferCoord pos)
{
    pos.Y = std::clamp(pos.Y, 1, m_lines.Count());
    const QString &line = m_lines[pos.Y - 1];
    int x = std::clamp(pos.X, 1, int(line.size()) + 1);
    int begin = x;
    int end = x;
    while (begin > 1 && IsIdentChar(line.at(begin - 2)))
        --begin;
    while (end <= line.size() && IsIdentChar(line.at(end - 1)))
        ++end;
    BeginUpdate();
    SetCaretXY(BufferCoord(end, pos.Y));
    SetSelectionInternal(BufferCoord(begin, pos.Y), BufferCoord(end, pos.Y));
    EndUpdate();
}

TBufferCoord TCodeEdit::NextWordPos() const
{
    int x = m_caret.X;
    int y = m_caret.Y;
    const QString &line = m_lines[y - 1];
    const int len = int(line.size());
    if (x > len) {
        if (y < m_lines.Count()) {
            const QString &next = m_lines[y];
            int nx = 1;
            while (nx <= next.size() && !IsIdentChar(next.at(nx - 1)))
                ++nx;
            return BufferCoord(nx > next.size() ? 1 : nx, y + 1);
        }
        return BufferCoord(std::min(x, len + 1), y);
    }
    if (IsIdentChar(line.at(x - 1)))
        while (x <= len && IsIdentChar(line.at(x - 1)))
            ++x;
    while (x <= len && !IsIdentChar(line.at(x - 1)))
        ++x;
    return BufferCoord(x, y);
}

TBufferCoord TCodeEdit::PrevWordPos() const
{
    int y = m_caret.Y;
    const QString &line = m_lines[y - 1];
    int x = std::min(m_caret.X, int(line.size()) + 1);
    if (x <= 1) {
        if (y > 1)
            return BufferCoord(int(m_lines[y - 2].size()) + 1, y - 1);
        return BufferCoord(1, 1);
    }
    // Skip separators before the caret, then the word itself.
    while (x > 1 && !IsIdentChar(line.at(x - 2)))
        --x;
    while (x > 1 && IsIdentChar(line.at(x - 2)))
        --x;
    return BufferCoord(x, y);
}
