// TEditUndoList: one stack of change records; the editor keeps an undo and a redo list.
#pragma once

#include "editor/core/edittypes.h"

#include <QList>
#include <QString>
#include <deque>

// One exact text replacement: the range Start..End (normal mode, positions valid in the text at the
// time it is replayed) currently holds some text; replaying puts Text there instead. Replaying a
// record's splices newest first restores the text before the change exactly, including blanks that
// right-trimming removed and blanks that padding added, and yields the splices that redo it.
struct TEditSplice
{
    TBufferCoord Start;
    TBufferCoord End;
    QString Text;
};

// A change record. The first five fields say what changed and where; the rest is the engine's exact
// replay data (splices) and the caret and selection around the change.
struct TEditUndoItem
{
    TChangeReason ChangeReason = urInsert;
    TBufferCoord ChangeStartPos;
    TBufferCoord ChangeEndPos;
    QString ChangeStr;
    TSelectionMode ChangeSelMode = smNormal;

    QList<TEditSplice> Splices; // in the order they were applied
    bool HasSplices = false;    // false for records added through the plain AddChange
    TBufferCoord CaretBefore, BlockBeginBefore, BlockEndBefore;
    TBufferCoord CaretAfter, BlockBeginAfter, BlockEndAfter;
};

class TEditUndoList
{
public:
    // The list only stores: it knows no editor. AddChange returns the record as stored, or nullptr
    // when nothing was recorded (the list is locked); the editor that asked acts on a record
    // (modified flag, OnChange, clearing the redo list), see TCodeEdit::AddUndoChange.

    // The plain form: does nothing while locked; drops the oldest record when MaxUndo or more are held;
    // appends a copy.
    const TEditUndoItem *AddChange(TChangeReason reason, const TBufferCoord &start, const TBufferCoord &end,
                                   const QString &text, TSelectionMode selMode);
    // Engine form: the same with a full record (splices included).
    const TEditUndoItem *AddChange(TEditUndoItem &&item);

    // Pops the newest record into the outputs and returns its reason; urNone (10) when empty.
    TChangeReason GetChange(TBufferCoord &start, TBufferCoord &end, QString &text, TSelectionMode &selMode);
    // Engine form; false when empty.
    bool PopItem(TEditUndoItem &item);
    TChangeReason GetChangeReason() const;

    bool CanUndo() const { return !m_items.empty(); }
    int ItemCount() const { return int(m_items.size()); }
    // Oldest first; index 0 .. ItemCount()-1.
    const TEditUndoItem &Item(int index) const { return m_items.at(size_t(index)); }
    const TEditUndoItem *PeekItem() const { return m_items.empty() ? nullptr : &m_items.back(); }

    int MaxUndo() const { return m_maxUndo; }
    // Trims the oldest records down to value, then sets the limit. Negative values are ignored.
    void SetMaxUndo(int value);
    void ClearList();

    bool Locked() const { return m_locked; }
    void Lock() { m_locked = true; }
    void Unlock() { m_locked = false; }

private:
    std::deque<TEditUndoItem> m_items;
    int m_maxUndo = 10;
    bool m_locked = false;
};
