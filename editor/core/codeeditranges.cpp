// TCodeEdit: keeping the highlighter's per-line range states up to date (rescan rules).
#include "editor/core/codeedit.h"

#include <QTimer>
#include <algorithm>
#include <climits>

// ---- highlighter states ------------------------------------------------------------

int TCodeEdit::ScanFrom(int index, TRangeState state)
{
    if (!m_highlighter)
        return index;
    if (m_pendingFrom >= 0) {
        if (index > m_pendingFrom) {
            // This line's start state is not known yet: the pending rescan will reach it.
            m_pendingTo = std::max(m_pendingTo, index);
            return index;
        }
        const int mustReach = std::max(index, m_pendingTo);
        m_pendingFrom = -1;
        m_pendingTo = -1;
        return ScanRun(index, state, mustReach, kSyncScanLines);
    }
    return ScanRun(index, state, index, kSyncScanLines);
}

int TCodeEdit::ScanRun(int index, TRangeState state, int mustReach, int budget)
{
    const int count = m_lines.Count();
    if (index >= count - 1)
        return index;
    ++m_scannedLines;
    TRangeState range = m_highlighter->ScanLine(m_lines[index], index, state);
    int j = index + 1;
    for (;;) {
        if (j > mustReach && m_lines.Objects(j) == range)
            return j - 1;
        m_lines.PutObject(j, range);
        if (--budget <= 0 && j < count - 1) {
            // The rest goes on later; line j's start state is right, the ones after it not yet.
            m_pendingFrom = j;
            m_pendingTo = std::max(mustReach, j);
            ScheduleSlice();
            return std::max(j, m_topLine + m_linesInWindow);
        }
        ++m_scannedLines;
        range = m_highlighter->ScanLine(m_lines[j], j, range);
        if (j == count - 1)
            return j;
        ++j;
    }
}

void TCodeEdit::ScheduleSlice()
{
    if (m_sliceScheduled)
        return;
    m_sliceScheduled = true;
    QTimer::singleShot(0, this, [this] {
        m_sliceScheduled = false;
        if (m_pendingFrom < 0)
            return;
        const int first = m_pendingFrom;
        ContinueRescan(kSliceScanLines);
        // Lines whose colours may have changed are painted again.
        InvalidateLines(first + 1, m_pendingFrom < 0 ? INT_MAX : m_pendingFrom + 1);
    });
}

void TCodeEdit::ContinueRescan(int budget)
{
    if (m_pendingFrom < 0 || !m_highlighter)
        return;
    const int from = m_pendingFrom;
    const int mustReach = m_pendingTo;
    m_pendingFrom = -1;
    m_pendingTo = -1;
    ScanRun(from, m_lines.Objects(from), mustReach, budget);
}

void TCodeEdit::ShiftPending(int index, int delta)
{
    if (m_pendingFrom < 0)
        return;
    if (index < m_pendingFrom)
        m_pendingFrom = std::max(0, m_pendingFrom + delta);
    if (index <= m_pendingTo)
        m_pendingTo = std::max(m_pendingFrom, m_pendingTo + delta);
    if (m_pendingFrom >= m_lines.Count() - 1) {
        m_pendingFrom = -1;
        m_pendingTo = -1;
    }
}

TRangeState TCodeEdit::RangeAt(int index)
{
    while (m_pendingFrom >= 0 && m_pendingFrom < index)
        ContinueRescan(index - m_pendingFrom + 1);
    return m_lines.Objects(index);
}

void TCodeEdit::FinishRescan()
{
    while (m_pendingFrom >= 0)
        ContinueRescan(INT_MAX);
}

void TCodeEdit::ScanAllRanges()
{
    m_pendingFrom = -1;
    m_pendingTo = -1;
    if (!m_highlighter || m_lines.Count() == 0)
        return;
    TRangeState range = m_highlighter->ResetState();
    m_lines.PutObject(0, range);
    const int count = m_lines.Count();
    for (int j = 1; j < count; ++j) {
        ++m_scannedLines;
        range = m_highlighter->ScanLine(m_lines[j - 1], j - 1, range);
        m_lines.PutObject(j, range);
    }
}

void TCodeEdit::SetHighlighter(TEditHighlighterLink *value)
{
    if (value == m_highlighter)
        return;
    m_highlighter = value;
    m_lines.BeginUpdate();
    ScanAllRanges();
    m_lines.EndUpdate();
    InvalidateLines(1, INT_MAX);
}
