// Shared value types of the editor engine: positions, option and status flags, commands, errors.
#pragma once

#include <QFlags>
#include <QtGlobal>
#include <stdexcept>

// A 1-based (column, line) position as used by every public property and undo record.
struct TBufferCoord
{
    qint32 X = 1;
    qint32 Y = 1;

    friend bool operator==(const TBufferCoord &a, const TBufferCoord &b) { return a.X == b.X && a.Y == b.Y; }
    friend bool operator!=(const TBufferCoord &a, const TBufferCoord &b) { return !(a == b); }
    // Text order: earlier line first, then earlier column.
    friend bool operator<(const TBufferCoord &a, const TBufferCoord &b)
    {
        return a.Y < b.Y || (a.Y == b.Y && a.X < b.X);
    }
    friend bool operator<=(const TBufferCoord &a, const TBufferCoord &b) { return !(b < a); }
};

inline TBufferCoord BufferCoord(qint32 x, qint32 y)
{
    return TBufferCoord{x, y};
}

// Opaque highlighter state stored per line; the engine only stores and compares it.
using TRangeState = quintptr;

enum TSelectionMode : quint8 { smNormal = 0, smColumn = 1, smLine = 2 };

enum TEditorOption : quint32 {
    eoAutoIndent = 0x001,
    eoDragDropEditing = 0x002,
    eoDropFiles = 0x004,
    eoHalfPageScroll = 0x008,
    eoNoCaret = 0x010,
    eoNoSelection = 0x020,
    eoScrollPastEol = 0x040,
    eoShowScrollHint = 0x080,
    eoTabsToSpaces = 0x100,
    eoSmartTabs = 0x200,
};
Q_DECLARE_FLAGS(TEditorOptions, TEditorOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TEditorOptions)

inline constexpr TEditorOptions kDefaultEditorOptions = TEditorOptions(
    eoAutoIndent | eoDragDropEditing | eoScrollPastEol | eoShowScrollHint | eoTabsToSpaces | eoSmartTabs);

// Bit order as stored: bit 0 is unused.
enum TStatusChange : quint32 {
    scCaretX = 1u << 1,
    scCaretY = 1u << 2,
    scLeftChar = 1u << 3,
    scTopLine = 1u << 4,
    scInsertMode = 1u << 5,
    scModified = 1u << 6,
    scSelection = 1u << 7,
};
Q_DECLARE_FLAGS(TStatusChanges, TStatusChange)
Q_DECLARE_OPERATORS_FOR_FLAGS(TStatusChanges)

enum TShiftStateFlag : quint8 { ssShift = 0x1, ssAlt = 0x2, ssCtrl = 0x4 };
Q_DECLARE_FLAGS(TShiftState, TShiftStateFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(TShiftState)

// Undo reasons; 10 is what an empty list reports.
enum TChangeReason : quint8 {
    urInsert = 0,
    urPaste = 1,
    urDropInsert = 2,
    urDeleteForward = 3,
    urDeleteBackward = 4,
    urDeleteSelection = 5,
    urDropDelete = 6,
    urLineBreak = 7,
    urIndent = 8,
    urUnindent = 9,
    urNone = 10,
    urReplaceRanges = 11, // several ranges replaced at once (ReplaceRanges); undoes to the caret before
};

// The editor's edit error ("Clipboard copy operation failed", ...).
class EEditError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A duplicate key binding ("Shortcut already exists").
class EEditKeyError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};
