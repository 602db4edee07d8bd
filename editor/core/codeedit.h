// TCodeEdit: the editing engine of every document tab, without any painting.
#pragma once

#include "editor/core/editclipboard.h"
#include "editor/core/editcommands.h"
#include "editor/core/edithighlighter.h"
#include "editor/core/editlines.h"
#include "editor/core/editsearch.h"
#include "editor/core/eventchain.h"
#include "editor/core/edittypes.h"
#include "editor/core/keystrokes.h"
#include "editor/core/marks.h"
#include "editor/core/undolist.h"

#include <QObject>
#include <QString>
#include <array>
#include <functional>

// The engine holds lines, caret, selection, undo, keystroke table, marks, options, scroll position and
// window size. A view (editor/ui) paints it and listens to its signals; it tells the engine
// its window size (SetLinesInWindow, SetCharsInWindow) and turns key events into KeyDown/KeyPress or
// CommandProcessor calls. The engine never calls the view.
//
// Positions are 1-based (column, line); a column is a UTF-16 code unit, a tab is one column.
// Search and replace (SearchReplace, codeeditsearch.cpp) drives a TEditSearch line by line.
class TCodeEdit : public QObject
{
    Q_OBJECT

public:
    explicit TCodeEdit(QObject *parent = nullptr);
    ~TCodeEdit() override;

    // ---- line store ----
    // Read-only: the lines change only through the engine's operations, which keep caret,
    // selection, marks, states and repaints in step.
    const TEditLines &Lines() const { return m_lines; }
    void SetLines(const TEditLines &value) { m_lines.Assign(value); }
    int LineCount() const { return m_lines.Count(); }
    QString Text() const { return m_lines.Text(); }
    void SetText(QStringView value);
    // Opens a document: `lines` (read by the caller, e.g. from a file, and left empty) become the
    // text. A load is not an edit: nothing is recorded, undo and redo are cleared, the text is
    // unmodified, caret and selection go to 1,1 and the window to the top, and every state is
    // rescanned. OnChange and OnSelectionChange do not fire (the caller announces the new
    // document); the view hears it through the signals as usual.
    void LoadFrom(TEditLines &&lines);
    // Moves every line into target (an empty store) and leaves one empty line, as after
    // LoadFrom of nothing: a very large text can then be freed on another thread.
    void HandOverLines(TEditLines &target);

    // ---- caret and selection ----
    int CaretX() const { return m_caret.X; }
    int CaretY() const { return m_caret.Y; }
    void SetCaretX(int value) { SetCaretXY(BufferCoord(value, m_caret.Y)); }
    void SetCaretY(int value) { SetCaretXY(BufferCoord(m_caret.X, value)); }
    TBufferCoord CaretXY() const { return m_caret; }
    void SetCaretXY(TBufferCoord value);
    // The largest caret column on a 1-based line: with eoScrollPastEol max(1025, length+1),
    // otherwise length+1.
    int MaxCaretX(int line) const;

    // Normalised on reading: BlockBegin is the earlier bound.
    TBufferCoord BlockBegin() const;
    TBufferCoord BlockEnd() const;
    // Setting BlockBegin anchors a new, empty selection there; setting BlockEnd extends it.
    void SetBlockBegin(TBufferCoord value);
    void SetBlockEnd(TBufferCoord value);
    bool SelAvail() const;
    QString SelText() const;
    void SetSelText(const QString &value);
    // The replacement primitive: replaces the selection by value inserted in `mode`,
    // without recording anything (callers record). Caret ends after the inserted text.
    void SetSelTextPrimitive(TSelectionMode mode, const QString &value);
    // One range of the text and what replaces it, in character positions (CharPosOf): the characters
    // from Start up to End (excluded) give way to Text.
    struct TTextReplacement
    {
        int Start = 1;
        int End = 1;
        QString Text;
    };
    // Replaces several ranges, ascending and not overlapping, as one undo step. The caret keeps its
    // line and column (clamped to the new text) and the selection is dropped. Touches only the lines
    // of the ranges, so refreshing a few stamps in a large page costs those lines.
    void ReplaceRanges(const QList<TTextReplacement> &replacements);
    // Character positions: 1-based, every line break counts two. They come from the line store's
    // running index, so reading them costs the lines changed since the last reading, not the text.
    int CharPosOf(TBufferCoord pos) const;
    // The place of a character position; one past the end of the text gives the end of the text.
    TBufferCoord CoordOfCharPos(int p) const;
    // Every line's length plus two: O(1).
    qint64 TotalCharCount() const { return m_lines.TotalChars(); }
    int SelStart() const;
    int SelEnd() const;
    void SetSelStart(int value);
    void SetSelEnd(int value);
    void SelectAll();
    // Selects the word at `pos` (double click); the caret goes to its end.
    void SetWordBlock(TBufferCoord pos);
    TSelectionMode SelectionMode() const { return m_selectionMode; }
    void SetSelectionMode(TSelectionMode value);

    bool InsertMode() const { return m_insertMode; }
    void SetInsertMode(bool value);
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value) { m_readOnly = value; }
    bool Modified() const { return m_modified; }
    void SetModified(bool value);
    TEditorOptions Options() const { return m_options; }
    void SetOptions(TEditorOptions value);
    int TabWidth() const { return m_tabWidth; }
    void SetTabWidth(int value);
    bool WantTabs() const { return m_wantTabs; }
    void SetWantTabs(bool value) { m_wantTabs = value; }
    bool HideSelection() const { return m_hideSelection; }
    void SetHideSelection(bool value);

    // Word boundaries: the highlighter's identifier characters, or codes 33 and up without one.
    bool IsIdentChar(QChar c) const;
    TBufferCoord NextWordPos() const;
    TBufferCoord PrevWordPos() const;

    // ---- clipboard ----
    TEditClipboard *Clipboard() const { return m_clipboard; }
    void SetClipboard(TEditClipboard *clipboard) { m_clipboard = clipboard; }
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();

    // ---- drag and drop (the mouse part is the view's) ----
    // Inserts the selected text at `target`; unless `copy`, removes it from its source first. A move
    // records urDropDelete + urDropInsert (one undo step). Returns false (nothing done) for a drop
    // inside the selection, without a selection, or when read-only.
    bool DropSelection(TBufferCoord target, bool copy);
    // Whether `pos` lies inside the current selection (a press there arms a drag).
    bool IsPointInSelection(TBufferCoord pos) const;

    // ---- undo and redo ----
    void Undo();
    void Redo();
    bool CanUndo() const { return m_undoList.CanUndo(); }
    bool CanRedo() const { return m_redoList.CanUndo(); }
    void ClearUndo();
    int MaxUndo() const { return m_undoList.MaxUndo(); }
    void SetMaxUndo(int value);
    void LockUndo();
    void UnlockUndo();
    // The lists are read here and written only by the engine, which acts on every record.
    const TEditUndoList &UndoList() const { return m_undoList; }
    const TEditUndoList &RedoList() const { return m_redoList; }
    // Records a change made outside the engine's commands in the undo list, as typing would:
    // marks the text modified, clears the redo list and fires OnChange. Nothing while undo is locked.
    void AddUndoChange(TChangeReason reason, TBufferCoord start, TBufferCoord end, const QString &text,
                       TSelectionMode selMode);

    // ---- search and replace (codeeditsearch.cpp) ----
    // Finds, replaces or replaces all occurrences of `search`; returns the number of matches found
    // (or replaced). A replacement is recorded like typing over the selection: urDeleteSelection then
    // urInsert, so each one undoes in one step. Replace-all builds every changed line once, runs
    // under the paint lock and fires OnChange once at its end.
    int SearchReplace(const QString &search, const QString &replace, TSynSearchOptions options);
    TEditSearch &SearchEngine() { return m_searchEngine; }

    // ---- paint lock and status ----
    void BeginUpdate();
    void EndUpdate();
    int PaintLock() const { return m_paintLock; }

    // ---- painted columns ----
    // The window shows tabs expanded to the next multiple of TabWidth; these map a stored column
    // on a 1-based line to the painted one and back (inside a tab's blanks, its nearer edge).
    int DisplayColumn(int line, int column) const;
    int BufferColumn(int line, int displayColumn) const;
    // DisplayColumn of the caret. The engine remembers how much of the caret's line is free of
    // tabs, so typing in a long line does not search it again on every key.
    int CaretDisplayX() const;

    // ---- scroll position and window size (data the view needs) ----
    int TopLine() const { return m_topLine; }
    void SetTopLine(int value);
    // The first painted column in the window (tabs expanded): the engine alone scrolls it to
    // keep the caret visible.
    int LeftChar() const { return m_leftChar; }
    void SetLeftChar(int value);
    int LinesInWindow() const { return m_linesInWindow; }
    void SetLinesInWindow(int value);
    int CharsInWindow() const { return m_charsInWindow; }
    void SetCharsInWindow(int value);
    void EnsureCursorPosVisible();

    // ---- keystrokes and commands ----
    TEditKeyStrokes &Keystrokes() { return m_keystrokes; }
    void SetKeystrokes(const TEditKeyStrokes &value) { m_keystrokes.Assign(value); }
    TEditorCommand TranslateKeyCode(quint16 code, TShiftState shift);
    // Key-down and character entry points for the view. KeyDown sets key to 0 when it was consumed.
    void KeyDown(quint16 &key, TShiftState shift);
    void KeyPress(QChar &key);
    void CommandProcessor(TEditorCommand command, QChar aChar = QChar(), void *data = nullptr);

    // ---- marks and bookmarks ----
    TMarkList &Marks() { return m_marks; }
    TEditBookmarkOptions &BookMarkOptions() { return m_bookmarkOptions; }
    void SetBookMark(int bookmark, int x, int y);
    void ClearBookMark(int bookmark);
    void GotoBookMark(int bookmark);
    bool GetBookMark(int bookmark, int &x, int &y) const;
    bool IsBookmark(int bookmark) const;
    TMark *BookMark(int bookmark) const;

    // ---- highlighter (interface) ----
    TEditHighlighterLink *Highlighter() const { return m_highlighter; }
    void SetHighlighter(TEditHighlighterLink *value);
    // Rescans from 0-based line `index`, whose start state is in `state`; returns the last line
    // tokenized (ScanFrom).
    int ScanFrom(int index, TRangeState state);
    // Recomputes every line's state from the top.
    void ScanAllRanges();
    // The state at the start of 0-based line index, brought up to date first when a rescan is
    // still under way. Painting and every other reader of states use this.
    TRangeState RangeAt(int index);
    // Whether some states past the lines already brought up to date are still to be rescanned.
    bool RescanPending() const { return m_pendingFrom >= 0; }
    // Finishes any rescan still under way.
    void FinishRescan();
    // A rescan longer than this many lines goes on in slices between events, so that no
    // keystroke waits for a whole large document. A slice blocks the window as a keystroke
    // does: 20000 lines of a generated page take about 5 ms here (40000 took up to 17 ms on a
    // busy machine, past one frame).
    static constexpr int kSyncScanLines = 5000;
    static constexpr int kSliceScanLines = 20000;
    // Loads of more lines than this are scanned in slices after the first kSyncScanLines.
    static constexpr int kSyncLoadScanLines = 1000000;
    // Counts lines handed to the highlighter since the last reset (for benchmarks and tests).
    qint64 ScannedLineCount() const { return m_scannedLines; }
    void ResetScannedLineCount() { m_scannedLines = 0; }

    // ---- hooks (several listeners each, see eventchain.h) ----
    // Attach with Add(listener, order) and detach with Remove(id). The key and command hooks are
    // fired until a listener consumes the event: OnKeyDown by setting the key to 0, OnKeyPress by
    // setting the character to a null QChar, OnProcessCommand and OnProcessUserCommand by setting
    // the command to ecNone. The later listeners are then skipped.
    TEventChain<TCodeEdit *> OnChange;
    TEventChain<TCodeEdit *> OnSelectionChange;
    // Fired with the 0-based first line whose text or place may have changed: lines before it are
    // as they were. Fires for every change of the line store, loads and clears included.
    TEventChain<TCodeEdit *, int> OnLinesChanged;
    TEventChain<TCodeEdit *, TStatusChanges> OnStatusChange;
    TEventChain<TCodeEdit *, TEditorCommand &, QChar &, void *> OnProcessCommand;
    TEventChain<TCodeEdit *, TEditorCommand &, QChar &, void *> OnProcessUserCommand;
    TEventChain<TCodeEdit *> OnCommandDone;
    TEventChain<TCodeEdit *, quint16 &, TShiftState> OnKeyDown;
    TEventChain<TCodeEdit *, QChar &> OnKeyPress;
    TEventChain<TCodeEdit *, TMark *> OnPlaceBookmark;
    // Asked for every match when replacing with soPrompt; line and column are 1-based. The action
    // starts as raReplace; the first listener that answers anything else decides.
    TEventChain<TCodeEdit *, const QString &, const QString &, int, int, TReplaceAction &> OnReplaceText;

signals:
    // 1-based lines first..last (inclusive) need repainting, text and gutter; last may lie past the
    // end of the text ("to the end").
    void linesInvalidated(int firstLine, int lastLine);
    // Delivered when the paint lock returns to 0, the same set OnStatusChange receives.
    void statusChanged(TStatusChanges changes);
    // The line count or line lengths changed: scroll ranges and the gutter width may need updating.
    void scrollRangeChanged();

private:
    friend class TEditChangeScope;
    friend class TSearchRun;
    struct TRangeText; // helpers live in the .cpp files

    // line store hooks
    void LinesAdded();
    void LinesCleared();
    void LineDeleted(int index);
    void LineInserted(int index);
    // What a line deleted (delta -1) or inserted (+1) at index does to states, scans and paint.
    void LineMoved(int index, int delta);
    void LinePutted(int index);
    void LinesScanRanges();
    void LinesSetText();
    void LinesChanging();
    void LinesChanged();

    // repaint and status plumbing
    void InvalidateLines(int first, int last);
    void InvalidateSelection(TBufferCoord b1, TBufferCoord e1);
    void StatusChanged(TStatusChanges changes);
    void SetCaretInternal(TBufferCoord value);
    void SetSelectionInternal(TBufferCoord begin, TBufferCoord end);

    // text primitives (codeedit.cpp)
    TBufferCoord ValidPos(TBufferCoord pos) const;
    QString RangeText(TBufferCoord start, TBufferCoord end) const;
    QString TextInMode(TBufferCoord start, TBufferCoord end, TSelectionMode mode) const;
    TBufferCoord DoSplice(TBufferCoord start, TBufferCoord end, QStringView text, bool trim);
    TBufferCoord InsertAt(TBufferCoord pos, QStringView text);
    void DeleteRangeInMode(TBufferCoord begin, TBufferCoord end, TSelectionMode mode);
    void DeleteSelectionRaw();
    TBufferCoord InsertTextRaw(TSelectionMode mode, const QString &value);
    void AdjustMarks(int startLine, int endLine, int newBreaks);
    void ReplaySplices(const QList<TEditSplice> &splices, QList<TEditSplice> &inverse);

    // editing operations (codeeditcmds.cpp)
    void ExecuteCommand(TEditorCommand command, QChar aChar, void *data);
    void MoveCaretAndSelection(TBufferCoord before, TBufferCoord after, bool selecting);
    void MoveCaretHorz(int delta, bool selecting);
    void MoveCaretVert(int delta, bool selecting);
    void TypeChar(QChar c);
    void DoLineBreak(bool moveCaret);
    void DoTab();
    void DoBackspace();
    void DoDeleteChar();
    void DeleteRangeRecorded(TBufferCoord from, TBufferCoord to, TChangeReason reason);
    void DoDeleteLine();
    void DoClearAll();
    void DeleteSelectionRecorded(TChangeReason reason);
    void DoBlockIndent();
    void DoBlockUnindent();
    void DoMatchBracket();
    void DoSetMarker(int n);
    int LeadingSpace(const QString &line) const;

    // undo/redo (codeeditundo.cpp)
    // Adds a record to `list` and, when it was recorded, reacts to it: Modified, redo-list
    // clearing for a new change, OnChange.
    void RecordChange(TEditUndoList &list, TEditUndoItem &&item);
    void UndoItem(TEditUndoItem &item);
    void RedoItem(TEditUndoItem &item);

    TEditLines m_lines;
    TEditUndoList m_undoList;
    TEditUndoList m_redoList;
    TEditKeyStrokes m_keystrokes;
    TMarkList m_marks;
    TEditBookmarkOptions m_bookmarkOptions;
    std::array<TMark *, 10> m_bookmarks{};
    TEditHighlighterLink *m_highlighter = nullptr;
    TEditClipboard *m_clipboard = nullptr;

    TBufferCoord m_caret;
    TBufferCoord m_blockBegin; // as set (the anchor)
    TBufferCoord m_blockEnd;
    TSelectionMode m_selectionMode = smNormal;
    bool m_insertMode = true;
    bool m_readOnly = false;
    bool m_modified = false;
    bool m_wantTabs = false;
    bool m_hideSelection = false;
    TEditorOptions m_options = kDefaultEditorOptions;
    int m_tabWidth = 8;

    int m_paintLock = 0;
    TStatusChanges m_statusChanges;
    bool m_selectionChanged = false;
    bool m_scrollRangeChanged = false;
    int m_topLine = 1;
    int m_leftChar = 1;
    int m_linesInWindow = 24;
    int m_charsInWindow = 80;
    // Characters [0, m_tabFreeLength) of 0-based line m_tabFreeLine hold no tab (line -1: nothing
    // known). Line-store changes shorten or drop this; m_putKeepsPrefix tells a Put how much of the
    // line before it is unchanged (-1: unknown).
    mutable int m_tabFreeLine = -1;
    mutable qsizetype m_tabFreeLength = 0;
    qsizetype m_putKeepsPrefix = -1;

    bool m_linesChanging = false;
    bool m_hasPendingInvalid = false;
    int m_pendingFirst = 0;
    int m_pendingLast = 0;

    quint16 m_lastKey = 0;
    TShiftState m_lastShift;
    bool m_ignoreNextChar = false;

    QList<TEditSplice> *m_spliceLog = nullptr; // the splices of the change being recorded
    TEditSearch m_searchEngine;
    // While a replace-all runs, OnChange is held back and fired once at its end.
    int m_changeBatch = 0;
    bool m_changePending = false;
    int m_undoRedoDepth = 0;
    qint64 m_scannedLines = 0;
    // Lines from m_pendingFrom on may hold stale states (m_pendingFrom's own start state is
    // right); the scan may only stop once past m_pendingTo, the last line changed meanwhile.
    int m_pendingFrom = -1;
    int m_pendingTo = -1;
    bool m_sliceScheduled = false;
    int ScanRun(int index, TRangeState state, int mustReach, int budget);
    void ScheduleSlice();
    void ContinueRescan(int budget);
    void ShiftPending(int index, int delta);
};

// Collects the splices of one recorded change and records it (see TEditSplice).
class TEditChangeScope
{
public:
    explicit TEditChangeScope(TCodeEdit *edit);
    ~TEditChangeScope();
    TEditChangeScope(const TEditChangeScope &) = delete;
    TEditChangeScope &operator=(const TEditChangeScope &) = delete;
    bool Changed() const { return !m_log.isEmpty(); }
    void Commit(TChangeReason reason, TBufferCoord start, TBufferCoord end, const QString &text, TSelectionMode mode);

private:
    TCodeEdit *m_edit;
    QList<TEditSplice> *m_savedLog;
    QList<TEditSplice> m_log;
    TBufferCoord m_caret, m_blockBegin, m_blockEnd;
    bool m_committed = false;
};
