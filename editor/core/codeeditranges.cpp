// TCodeEdit: keeping the highlighter's per-line range states up to date (rescan rules).
#include "editor/core/codeedit.h"

// ---- highlighter states ------------------------------------------------------------

int TCodeEdit::ScanFrom(int index, TRangeState state)
{
    if (!m_highlighter)
        return index;
    const int count = m_lines.Count();
    if (index >= count - 1)
        return index;
    ++m_scannedLines;
    TRangeState range = m_highlighter->ScanLine(m_lines[index], index, state);
    int j = index + 1;
    for (;;) {
        if (m_lines.Objects(j) == range)
            return j - 1;
        m_lines.PutObject(j, range);
        ++m_scannedLines;
        range = m_highlighter->ScanLine(m_lines[j], j, range);
        if (j == count - 1)
            return j;
        ++j;
    }
}

void TCodeEdit::ScanAllRanges()
{
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
