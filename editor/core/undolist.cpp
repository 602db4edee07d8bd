// TEditUndoList: one stack of change records.
#include "editor/core/undolist.h"

const TEditUndoItem *TEditUndoList::AddChange(TChangeReason reason, const TBufferCoord &start, const TBufferCoord &end,
                                              const QString &text, TSelectionMode selMode)
{
    TEditUndoItem item;
    item.ChangeReason = reason;
    item.ChangeStartPos = start;
    item.ChangeEndPos = end;
    item.ChangeStr = text;
    item.ChangeSelMode = selMode;
    return AddChange(std::move(item));
}

const TEditUndoItem *TEditUndoList::AddChange(TEditUndoItem &&item)
{
    if (m_locked)
        return nullptr;
    if (int(m_items.size()) >= m_maxUndo && !m_items.empty())
        m_items.pop_front(); // one record only, as designed; a limit of 0 still keeps one
    m_items.push_back(std::move(item));
    return &m_items.back();
}

TChangeReason TEditUndoList::GetChange(TBufferCoord &start, TBufferCoord &end, QString &text, TSelectionMode &selMode)
{
    TEditUndoItem item;
    if (!PopItem(item))
        return urNone;
    start = item.ChangeStartPos;
    end = item.ChangeEndPos;
    text = item.ChangeStr;
    selMode = item.ChangeSelMode;
    return item.ChangeReason;
}

bool TEditUndoList::PopItem(TEditUndoItem &item)
{
    if (m_items.empty())
        return false;
    item = std::move(m_items.back());
    m_items.pop_back();
    return true;
}

TChangeReason TEditUndoList::GetChangeReason() const
{
    return m_items.empty() ? urNone : m_items.back().ChangeReason;
}

void TEditUndoList::SetMaxUndo(int value)
{
    if (value < 0)
        return;
    while (int(m_items.size()) > value)
        m_items.pop_front();
    m_maxUndo = value;
}

void TEditUndoList::ClearList()
{
    while (!m_items.empty())
        m_items.pop_back(); // newest first
}
