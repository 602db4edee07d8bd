// TCodeEdit::SearchReplace: find, replace, replace all and the replace prompt over a scope.
#include "editor/core/codeedit.h"
#include "editor/core/edittext.h"

#include <algorithm>
#include <deque>
#include <vector>

namespace {

// The replacement's pieces are kept as strings: the replacement text is a temporary.
QList<QString> ToStrings(const QList<QStringView> &views)
{
    QList<QString> strings;
    strings.reserve(views.size());
    for (QStringView v : views)
        strings.append(v.toString());
    return strings;
}

} // namespace

// One replacement of the line being rewritten: the match at column co of the line as it was, now
// at b, replaced by text ending at `end`. Kept small: a long line may hold 100,000 of them.
struct TPendingReplace
{
    TBufferCoord b;
    TBufferCoord end;
    qsizetype co = 0;
};

// A replacement waiting to be recorded, with the line it came from (`source`) and, for the last
// one written to a line, the trailing blanks cut when the line was written.
struct TUnrecorded
{
    TPendingReplace r;
    QString source;
    QList<TEditSplice> trims;
};

// One run of SearchReplace. Matches are taken line by line. Replacements in a line are not
// applied one by one to the stored line (that would copy a 5 MB minified line once per match):
// the new line is built once from the unchanged stretches and the replacements, and every
// replacement is recorded as the urDeleteSelection + urInsert pair that typing over a selection
// records, with splices that are exact in the text as it stood at that step. Each rewritten line is
// right-trimmed once when it is written, and that trim is logged in the line's last record.
// A replace-all records at its end, and only the pairs the undo limit keeps: the list would drop
// the older ones anyway.
class TSearchRun
{
public:
    TSearchRun(TCodeEdit &edit, const QString &search, const QString &replace, TSynSearchOptions options)
        : m_edit(edit), m_search(search), m_replace(replace), m_options(options),
          m_pieces(ToStrings(EditText::SplitAtBreaks(replace))), m_len(int(search.size()))
    {}
    ~TSearchRun() { EndReplaceAll(); }
    TSearchRun(const TSearchRun &) = delete;
    TSearchRun &operator=(const TSearchRun &) = delete;

    int Run();

private:
    bool InScope(int column, int y) const;
    // Visits one line's matches (0-based columns of the line as it was, in processing order);
    // returns false when the run stops. `added` receives the number of lines the line grew by.
    bool ProcessLine(int y, const std::vector<int> &columns, int &added);

    // The line being rewritten.
    void BeginLine(int y, size_t matches);
    bool Gone(int co) const;
    TBufferCoord Position(int co) const;
    void Replace(int co);
    // Writes what is pending; `last` when the line is done with, so its buffer can be handed over.
    void Flush(bool last = false);
    void WriteLines(int first, int replacedCount, std::vector<QString> &lines);
    void Record();

    void Select(TBufferCoord begin, TBufferCoord end);
    void BeginReplaceAll();
    void EndReplaceAll();

    TCodeEdit &m_edit;
    const QString &m_search;
    const QString &m_replace;
    TSynSearchOptions m_options;
    const QList<QString> m_pieces; // the replacement split at its line breaks
    const int m_len;
    bool m_backwards = false;
    bool m_replacing = false;
    bool m_replaceAll = false;
    bool m_prompt = false;
    bool m_lockTaken = false;
    int m_count = 0;

    TSelectionMode m_scopeMode = smNormal;
    TBufferCoord m_start, m_end; // the scope; m_end.Y follows lines added by replacements
    TBufferCoord m_caretAfter;   // where the caret goes once the last replacement is written
    bool m_haveCaretAfter = false;

    // Line state. Forward: the store's line m_storeY holds m_cur + m_orig[m_src, m_origEnd), with
    // m_done (finished lines) before it. Backward: line m_storeY holds m_orig[0, m_leftEnd) followed
    // by m_rightRev in reverse order, and m_done are new lines right below it.
    QString m_orig;
    int m_storeY = 0;
    qsizetype m_src = 0;
    qsizetype m_origEnd = 0;
    QString m_cur;
    qsizetype m_leftEnd = 0;
    std::vector<QString> m_rightRev;
    qsizetype m_rightLen = 0;
    std::vector<QString> m_done;
    std::vector<TPendingReplace> m_pending; // this line's, in order
    QList<TEditSplice> m_trims;             // of the flush in progress
    std::deque<TUnrecorded> m_unrecorded;
    size_t m_keepPairs = 1;
};

int TSearchRun::Run()
{
    TCodeEdit &e = m_edit;
    if (m_search.isEmpty())
        return 0;
    if (!e.SelAvail())
        m_options &= ~TSynSearchOptions(soSelectedOnly);
    m_backwards = m_options & soBackwards;
    m_replaceAll = m_options & soReplaceAll;
    // A read-only text is only searched: the first match is selected and nothing changes.
    m_replacing = !e.m_readOnly && (m_replaceAll || (m_options & soReplace));
    if (e.m_readOnly)
        m_replaceAll = false;
    m_prompt = (m_options & soPrompt) && !e.OnReplaceText.IsEmpty();
    m_keepPairs = size_t(std::max(1, e.m_undoList.MaxUndo())) / 2 + 1;

    const int count = e.m_lines.Count();
    if (m_options & soSelectedOnly) {
        m_start = e.BlockBegin();
        m_end = e.BlockEnd();
        m_scopeMode = e.m_selectionMode;
        if (m_scopeMode == smLine) {
            m_start.X = 1;
            m_end.X = int(e.m_lines[m_end.Y - 1].size()) + 1;
        } else if (m_scopeMode == smColumn && m_start.X > m_end.X) {
            std::swap(m_start.X, m_end.X);
        }
    } else {
        m_start = BufferCoord(1, 1);
        m_end = BufferCoord(int(e.m_lines[count - 1].size()) + 1, count);
        if (!(m_options & soEntireScope)) {
            if (m_backwards)
                m_end = e.m_caret;
            else
                m_start = e.m_caret;
        }
    }

    TEditSearch &engine = e.m_searchEngine;
    engine.SetSensitive(m_options & soMatchCase);
    engine.SetPattern(m_search);
    engine.SetWhole(m_options & soWholeWord);
    // A prompting run keeps painting, so that every match shows while the user is asked.
    if (m_replaceAll && !m_prompt)
        BeginReplaceAll();

    std::vector<int> columns;
    bool go = true;
    if (!m_backwards) {
        for (int y = m_start.Y; go && y <= m_end.Y && y <= e.m_lines.Count(); ++y) {
            const int n = engine.FindAll(e.m_lines[y - 1]);
            columns.clear();
            for (int i = 0; i < n; ++i)
                if (InScope(engine.Results(i), y))
                    columns.push_back(engine.Results(i) - 1);
            if (columns.empty())
                continue;
            int added = 0;
            go = ProcessLine(y, columns, added);
            y += added;
            m_end.Y += added;
        }
    } else {
        for (int y = std::min(m_end.Y, e.m_lines.Count()); go && y >= m_start.Y; --y) {
            const int n = engine.FindAll(e.m_lines[y - 1]);
            columns.clear();
            for (int i = n - 1; i >= 0; --i)
                if (InScope(engine.Results(i), y))
                    columns.push_back(engine.Results(i) - 1);
            if (columns.empty())
                continue;
            int added = 0;
            go = ProcessLine(y, columns, added);
        }
    }

    if (m_haveCaretAfter) {
        e.BeginUpdate();
        e.SetCaretInternal(m_caretAfter);
        e.SetSelectionInternal(m_caretAfter, m_caretAfter);
        e.EnsureCursorPosVisible();
        e.EndUpdate();
    }
    EndReplaceAll();
    return m_count;
}

bool TSearchRun::InScope(int column, int y) const
{
    switch (m_scopeMode) {
    case smLine: return true;
    case smColumn: return column >= m_start.X && column + m_len <= m_end.X;
    case smNormal: break;
    }
    return (y != m_start.Y || column >= m_start.X) && (y != m_end.Y || column + m_len <= m_end.X);
}

bool TSearchRun::ProcessLine(int y, const std::vector<int> &columns, int &added)
{
    BeginLine(y, columns.size());
    bool go = true;
    for (const int co : columns) {
        if (Gone(co))
            continue;
        ++m_count;
        if (!m_replacing) {
            const TBufferCoord b = Position(co);
            Select(b, BufferCoord(b.X + m_len, b.Y));
            go = false;
            break;
        }
        TReplaceAction action = raReplace;
        if (m_prompt) {
            // The hook shows the match, so the stored text must be current.
            Flush();
            if (Gone(co)) {
                --m_count;
                continue;
            }
            const TBufferCoord b = Position(co);
            Select(b, BufferCoord(b.X + m_len, b.Y));
            m_edit.OnReplaceText.FireUntil([&action] { return action != raReplace; }, &m_edit, m_search, m_replace, b.Y,
                                           b.X, action);
        }
        if (action == raCancel) {
            go = false;
            break;
        }
        if (action == raSkip)
            continue;
        if (action == raReplaceAll) {
            m_prompt = false;
            m_replaceAll = true;
            BeginReplaceAll();
        }
        Replace(co);
        if (!m_replaceAll) {
            go = false;
            break;
        }
    }
    Flush(true);
    added = m_backwards ? 0 : m_storeY - y;
    return go;
}

void TSearchRun::BeginLine(int y, size_t matches)
{
    m_orig = m_edit.m_lines[y - 1]; // a shared copy: the builder reads it while the store changes
    m_storeY = y;
    m_src = 0;
    m_origEnd = m_orig.size();
    m_cur = QString();
    if (m_replacing && !m_backwards && m_pieces.size() == 1) // the new line in one allocation
        m_cur.reserve(m_orig.size() + qsizetype(matches) * std::max<qsizetype>(0, m_replace.size() - m_len));
    m_leftEnd = m_orig.size();
    m_rightRev.clear();
    m_rightLen = 0;
    m_done.clear();
    m_pending.clear();
}

// A match that an earlier trim of this line removed (only blanks at the line end can be).
bool TSearchRun::Gone(int co) const
{
    return co + m_len > (m_backwards ? m_leftEnd : m_origEnd);
}

TBufferCoord TSearchRun::Position(int co) const
{
    if (m_backwards)
        return BufferCoord(co + 1, m_storeY);
    return BufferCoord(int(m_cur.size() + (co - m_src)) + 1, m_storeY + int(m_done.size()));
}

void TSearchRun::Replace(int co)
{
    const TBufferCoord b = Position(co);
    const int k = int(m_pieces.size()) - 1;

    TBufferCoord end = b;
    if (!m_replace.isEmpty())
        end =
            k == 0 ? BufferCoord(b.X + int(m_replace.size()), b.Y) : BufferCoord(int(m_pieces[k].size()) + 1, b.Y + k);

    if (!m_backwards) {
        m_cur.append(QStringView(m_orig).mid(m_src, co - m_src));
        m_src = co + m_len;
        if (k == 0) {
            m_cur.append(m_replace);
        } else {
            m_cur.append(m_pieces[0]);
            m_done.push_back(std::move(m_cur));
            for (int i = 1; i < k; ++i)
                m_done.push_back(m_pieces[i]);
            m_cur = m_pieces[k];
        }
    } else {
        m_rightRev.push_back(m_orig.mid(co + m_len, m_leftEnd - co - m_len));
        m_rightLen += m_rightRev.back().size();
        m_leftEnd = co;
        if (k == 0) {
            if (!m_replace.isEmpty()) {
                m_rightRev.push_back(m_replace);
                m_rightLen += m_replace.size();
            }
        } else {
            // Everything right of the match moves behind the last piece, onto a line of its own.
            QString moved = m_pieces[k];
            moved.reserve(moved.size() + m_rightLen);
            for (auto it = m_rightRev.rbegin(); it != m_rightRev.rend(); ++it)
                moved.append(*it);
            std::vector<QString> fresh(m_pieces.begin() + 1, m_pieces.begin() + k);
            fresh.push_back(std::move(moved));
            m_done.insert(m_done.begin(), std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
            m_rightRev.assign(1, m_pieces[0]);
            m_rightLen = m_pieces[0].size();
        }
    }

    m_pending.push_back(TPendingReplace{b, end, co});
    // Forward the caret continues behind the replacement; backward it stays before it, so that the
    // next backward search cannot find the replacement itself.
    m_caretAfter = m_backwards ? b : end;
    m_haveCaretAfter = true;
}

// Writes the pending replacements of the line to the store and records them.
void TSearchRun::Flush(bool last)
{
    if (m_pending.empty())
        return;
    TCodeEdit &e = m_edit;
    QList<TEditSplice> &trims = m_trims;
    trims.clear();
    auto trim = [&trims](QString &line, int y) {
        const qsizetype keep = EditText::TrimmedLength(line);
        if (keep == line.size())
            return qsizetype(0);
        const TBufferCoord at = BufferCoord(int(keep) + 1, y);
        trims.append(TEditSplice{at, at, line.mid(keep)});
        const qsizetype cut = line.size() - keep;
        line.truncate(keep);
        return cut;
    };

    std::vector<QString> lines;
    lines.reserve(m_done.size() + 1);
    const int added = int(m_done.size());
    if (!m_backwards) {
        for (int i = 0; i < added; ++i) {
            lines.push_back(std::move(m_done[size_t(i)]));
            trim(lines.back(), m_storeY + i);
        }
        const QStringView suffix = QStringView(m_orig).mid(m_src, m_origEnd - m_src);
        QString open;
        if (last) {
            m_cur.append(suffix);
            open = std::move(m_cur);
            m_cur = QString();
        } else {
            open.reserve(m_cur.size() + suffix.size());
            open.append(m_cur);
            open.append(suffix);
        }
        const qsizetype cut = trim(open, m_storeY + added);
        // Keep the builder in step with what the store will hold (it goes on after a prompt).
        if (cut <= suffix.size()) {
            m_origEnd -= cut;
        } else {
            if (!last)
                m_cur.truncate(m_cur.size() - (cut - suffix.size()));
            m_origEnd = m_src;
        }
        lines.push_back(std::move(open));
    } else {
        QString open;
        open.reserve(m_leftEnd + m_rightLen);
        open.append(QStringView(m_orig).left(m_leftEnd));
        for (auto it = m_rightRev.rbegin(); it != m_rightRev.rend(); ++it)
            open.append(*it);
        const qsizetype cut = trim(open, m_storeY);
        if (cut <= m_rightLen) {
            m_rightLen -= cut;
            m_rightRev.assign(1, open.mid(m_leftEnd));
        } else {
            m_leftEnd -= cut - m_rightLen;
            m_rightRev.clear();
            m_rightLen = 0;
        }
        lines.push_back(std::move(open));
        for (int i = 0; i < added; ++i) {
            lines.push_back(std::move(m_done[size_t(i)]));
            trim(lines.back(), m_storeY + 1 + i);
        }
    }
    m_done.clear();

    WriteLines(m_storeY, 1, lines);
    if (added > 0)
        e.AdjustMarks(m_storeY, m_storeY, added);
    if (!m_backwards)
        m_storeY += added;
    const size_t skip = m_pending.size() > m_keepPairs ? m_pending.size() - m_keepPairs : 0;
    for (size_t i = skip; i < m_pending.size(); ++i)
        m_unrecorded.push_back(TUnrecorded{m_pending[i], m_orig, {}});
    m_unrecorded.back().trims = std::move(m_trims);
    m_trims = QList<TEditSplice>();
    while (m_unrecorded.size() > m_keepPairs)
        m_unrecorded.pop_front();
    m_pending.clear();
    if (!m_lockTaken)
        Record(); // a prompt or a single replacement shows its records at once
}

// Hands the waiting replacements to the undo list as urDeleteSelection + urInsert pairs.
void TSearchRun::Record()
{
    for (const TUnrecorded &u : m_unrecorded) {
        const TPendingReplace &r = u.r;
        const TBufferCoord matchEnd = BufferCoord(r.b.X + m_len, r.b.Y);
        const QString removed = u.source.mid(r.co, m_len);

        TEditUndoItem del;
        del.ChangeReason = urDeleteSelection;
        del.ChangeStartPos = r.b;
        del.ChangeEndPos = matchEnd;
        del.ChangeStr = removed;
        del.ChangeSelMode = smNormal;
        del.Splices.append(TEditSplice{r.b, r.b, removed});
        del.HasSplices = true;
        del.CaretBefore = m_backwards ? r.b : matchEnd;
        del.BlockBeginBefore = r.b;
        del.BlockEndBefore = matchEnd;
        del.CaretAfter = del.BlockBeginAfter = del.BlockEndAfter = r.b;
        m_edit.RecordChange(m_edit.m_undoList, std::move(del));

        TEditUndoItem ins;
        ins.ChangeReason = urInsert;
        ins.ChangeStartPos = r.b;
        ins.ChangeEndPos = r.end;
        ins.ChangeSelMode = smNormal;
        if (!m_replace.isEmpty())
            ins.Splices.append(TEditSplice{r.b, r.end, QString()});
        ins.Splices.append(u.trims);
        ins.HasSplices = true;
        ins.CaretBefore = ins.BlockBeginBefore = ins.BlockEndBefore = r.b;
        ins.CaretAfter = ins.BlockBeginAfter = ins.BlockEndAfter = r.end;
        m_edit.RecordChange(m_edit.m_undoList, std::move(ins));
    }
    m_unrecorded.clear();
}

// Replaces `replacedCount` store lines from 1-based line `first` by `lines`.
void TSearchRun::WriteLines(int first, int replacedCount, std::vector<QString> &lines)
{
    TEditLines &store = m_edit.m_lines;
    store.BeginUpdate();
    const int n = int(lines.size());
    const int common = std::min(n, replacedCount);
    for (int i = 0; i < common; ++i)
        store.Put(first - 1 + i, std::move(lines[size_t(i)]));
    for (int i = common; i < n; ++i)
        store.Insert(first - 1 + i, lines[size_t(i)]);
    store.EndUpdate();
}

void TSearchRun::Select(TBufferCoord begin, TBufferCoord end)
{
    TCodeEdit &e = m_edit;
    e.BeginUpdate();
    e.SetCaretInternal(m_backwards ? begin : end);
    e.SetSelectionInternal(begin, end);
    e.EnsureCursorPosVisible();
    e.EndUpdate();
}

// Replace-all runs under the paint lock and one update bracket of the store, and reports its
// changes through OnChange once.
void TSearchRun::BeginReplaceAll()
{
    if (m_lockTaken)
        return;
    m_lockTaken = true;
    m_edit.BeginUpdate();
    m_edit.m_lines.BeginUpdate();
    ++m_edit.m_changeBatch;
}

void TSearchRun::EndReplaceAll()
{
    if (!m_lockTaken)
        return;
    Record();
    m_lockTaken = false;
    TCodeEdit &e = m_edit;
    e.m_lines.EndUpdate();
    if (--e.m_changeBatch == 0 && e.m_changePending) {
        e.m_changePending = false;
        e.OnChange.Fire(&e);
    }
    e.EndUpdate();
}

int TCodeEdit::SearchReplace(const QString &search, const QString &replace, TSynSearchOptions options)
{
    TSearchRun run(*this, search, replace, options);
    return run.Run();
}
