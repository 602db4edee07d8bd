// TEditLines: the line store of one editor: text lines, a range-state slot per line, hooks.
#pragma once

#include "editor/core/edittypes.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <algorithm>
#include <functional>
#include <vector>

class QIODevice;
class QStringDecoder;

// A gap buffer of line entries: inserting or deleting lines next to the previous edit costs O(1),
// so a burst of line breaks in a two-million-line document does not move the whole array each time.
// Index access stays O(1). Entries are moved, never copied, when the gap travels.
struct TEditLineEntry
{
    QString text;
    TRangeState range = 0;
};

class TEditLineBuffer
{
public:
    qsizetype size() const { return qsizetype(m_store.size()) - m_gapLength; }
    TEditLineEntry &at(qsizetype i) { return m_store[physical(i)]; }
    const TEditLineEntry &at(qsizetype i) const { return m_store[physical(i)]; }
    void insert(qsizetype i, TEditLineEntry &&entry);
    void erase(qsizetype i);
    void push_back(TEditLineEntry &&entry) { insert(size(), std::move(entry)); }
    void clear();
    void reserve(qsizetype n);

private:
    qsizetype physical(qsizetype i) const { return i < m_gapStart ? i : i + m_gapLength; }
    void moveGapTo(qsizetype i);
    void grow(qsizetype minFree);

    std::vector<TEditLineEntry> m_store;
    qsizetype m_gapStart = 0;
    qsizetype m_gapLength = 0;
};

class TEditLines
{
public:
    using TNotifyHook = std::function<void(TEditLines *sender)>;
    using TIndexHook = std::function<void(int index)>;

    TEditLines() = default;
    TEditLines(const TEditLines &) = delete;
    TEditLines &operator=(const TEditLines &) = delete;

    // Hooks; an unset hook is skipped.
    TNotifyHook OnAdded;      // after a single line was appended
    TNotifyHook OnCleared;    // before the list is emptied
    TIndexHook OnDeleted;     // after a line was removed (or the only line emptied)
    TIndexHook OnInserted;    // after a line was inserted
    TIndexHook OnPutted;      // after a line's text was replaced
    TNotifyHook OnScanRanges; // once after a bulk append or a stream load
    TNotifyHook OnSetText;    // after the whole text was assigned
    // The inherited string-list change hooks: fired around the outermost update bracket.
    TNotifyHook OnChanging;
    TNotifyHook OnChange;

    int Count() const { return int(m_lines.size()); }
    const QString &Strings(int index) const { return m_lines.at(index).text; }
    const QString &operator[](int index) const { return Strings(index); }
    TRangeState Objects(int index) const { return m_lines.at(index).range; }
    // Stores a range state; no hook fires (the engine's rescan writes states this way).
    void PutObject(int index, TRangeState state) { m_lines.at(index).range = state; }

    int Add(const QString &s);
    void Insert(int index, const QString &s);
    void Put(int index, const QString &s);
    void Put(int index, QString &&s);
    void Delete(int index);
    void Clear();
    void AddStrings(const QStringList &strings);
    void AddStrings(const TEditLines &strings);
    void Assign(const TEditLines &source);
    void Assign(const QStringList &source);

    // ---- character positions: every line followed by its two-character line break ----
    // The position of 0-based line index's first character, counting from 0 (index == Count()
    // gives the total). Starts are kept lazily: a change at a line makes only the starts after it
    // unknown, and a query counts forward from the last known start to the line asked for.
    // A query fills the index in, so the store is read from one thread only (workers get copies).
    qint64 LineStart(int index) const;
    // The sum of every line's length plus two, kept as the lines change: O(1).
    qint64 TotalChars() const { return m_totalChars; }
    // The 0-based line holding position pos (counted from 0, as LineStart): the last line whose
    // start is at most pos; positions past the end give the last line.
    int LineAtPosition(qint64 pos) const;
    // Lines whose length the position index has summed, for tests that keep it from walking the
    // whole document.
    qint64 LinesSummed() const { return m_linesSummed; }

    // Text: every line followed by CR LF. SetTextStr cuts at CR LF, LF, CR (CR CR is two line ends);
    // a NUL is an ordinary character. A terminator at the very end adds no empty last line.
    QString Text() const;
    void SetTextStr(QStringView value);

    // Reads the whole stream in blocks, decoding with `decoder`, and splits it into lines as it goes,
    // so the decoded text never exists as one string: peak memory is the lines themselves.
    // Returns false when the device cannot be read (the list is then left empty + one line).
    bool LoadFromStream(QIODevice &stream, QStringDecoder &decoder);
    bool LoadFromStream(QIODevice &stream); // UTF-8
    bool LoadFromFile(const QString &fileName);
    // Takes every line of `source` (which is left empty) in place of this list's, as a load does:
    // OnCleared first, then OnSetText and OnScanRanges. The hooks of both lists stay where they are.
    void Adopt(TEditLines &source);

    void BeginLoad() { ++m_loadDepth; }
    void EndLoad();
    int LoadDepth() const { return m_loadDepth; }

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return m_updateCount; }

    // Engine-internal fast path: moves a line's text out without any hook. The caller must put a
    // text back with Put() before anything else reads the line (typing edits a 5 MB line in place).
    QString TakeString(int index)
    {
        LineChanged(index, -m_lines.at(index).text.size());
        return std::move(m_lines.at(index).text);
    }

private:
    friend class TEditLineSplitter;
    void Changing();
    void Changed();
    // Appends a line read by an assignment or load, firing OnAdded when one is set.
    void AppendLoaded(QString &&line);
    void AppendRaw(QString &&s)
    {
        m_totalChars += s.size() + 2;
        m_lines.push_back(TEditLineEntry{std::move(s), 0});
    }
    void InsertRaw(int index, QString &&s);
    // Keeps the position index: line index changed by delta characters (or came or went).
    void LineChanged(int index, qint64 delta)
    {
        m_totalChars += delta;
        m_knownStarts = std::min<qsizetype>(m_knownStarts, qsizetype(index) + 1);
    }

    TEditLineBuffer m_lines;
    // m_starts[i] is the start of line i for i < m_knownStarts (m_starts[0] is always 0).
    mutable std::vector<qint64> m_starts{0};
    mutable qsizetype m_knownStarts = 1;
    mutable qint64 m_linesSummed = 0;
    qint64 m_totalChars = 0;
    int m_loadDepth = 0;
    int m_updateCount = 0;
};
