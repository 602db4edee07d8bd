// Tokenizer checkpoints inside long lines.
#include "highlight/core/linecheckpoints.h"

#include <algorithm>
#include <cstring>

namespace {

// The first index below n where a and b differ, or n. Compared a block at a time: a typed key
// changes one place of a line that may be megabytes long, and memcmp runs far faster than a
// character loop over the rest.
qsizetype FirstDifference(const char16_t *a, const char16_t *b, qsizetype n)
{
    constexpr qsizetype kBlock = 2048;
    qsizetype at = 0;
    while (at < n) {
        const qsizetype length = std::min(kBlock, n - at);
        if (std::memcmp(a + at, b + at, size_t(length) * sizeof(char16_t)) != 0)
            return std::mismatch(a + at, a + at + length, b + at).first - a;
        at += length;
    }
    return n;
}

} // namespace

TLineCheckpoints::TLineCheckpoints(int interval, int minLength)
    : m_interval(std::max(1, interval)), m_minLength(std::max(0, minLength))
{}

void TLineCheckpoints::Clear()
{
    m_lines = {};
    m_lastResume = 0;
}

std::vector<TTokenCheckpoint> TLineCheckpoints::Checkpoints(const TCustomHighlighter &highlighter, int lineIndex) const
{
    for (const TLine &entry : m_lines)
        if (entry.Highlighter == &highlighter && entry.LineIndex == lineIndex)
            return entry.Points;
    return {};
}

TLineCheckpoints::TLine &TLineCheckpoints::Entry(const TCustomHighlighter &highlighter, int lineIndex,
                                                 TRangeState start)
{
    TLine *entry = nullptr;
    for (TLine &candidate : m_lines)
        if (candidate.Highlighter == &highlighter && candidate.LineIndex == lineIndex) {
            entry = &candidate;
            break;
        }
    if (!entry) {
        entry = &*std::min_element(m_lines.begin(), m_lines.end(),
                                   [](const TLine &a, const TLine &b) { return a.LastUse < b.LastUse; });
        *entry = TLine{};
        entry->Highlighter = &highlighter;
        entry->LineIndex = lineIndex;
        entry->Start = start;
    }
    if (entry->Start != start) {
        // Every checkpoint carries the start state along; another one makes them all stale.
        entry->Start = start;
        entry->Points.clear();
        entry->Text.clear();
    }
    entry->LastUse = ++m_uses;
    return *entry;
}

qsizetype TLineCheckpoints::Agreement(const TLine &entry, QStringView line, qsizetype limit)
{
    const qsizetype n = std::min({entry.Text.size(), line.size(), limit});
    const qsizetype d = FirstDifference(QStringView(entry.Text).utf16(), line.utf16(), n);
    if (d < n || n == limit)
        return d;
    // One of the two ended before limit. Where the text held is the whole line it came from,
    // the ends must match too; else it holds all the checkpoints read, and the new line ends
    // inside that.
    if (entry.Text.size() == entry.TextLineLength && line.size() == entry.TextLineLength)
        return limit;
    return n;
}

TRangeState TLineCheckpoints::Tokenize(TCustomHighlighter &highlighter, QStringView line, int lineIndex,
                                       TRangeState start, std::vector<THighlightToken> &tokens, int stopColumn,
                                       int keepFrom)
{
    m_lastResume = 0;
    if (!highlighter.CanResume() || line.size() < m_minLength)
        return highlighter.TokenizeFrom(line, lineIndex, highlighter.LineStartCheckpoint(start), tokens, stopColumn,
                                        keepFrom, nullptr, 0);

    TLine &entry = Entry(highlighter, lineIndex, start);
    const qsizetype lookahead = highlighter.CheckpointLookahead();
    const auto columnLess = [](int column, const TTokenCheckpoint &p) { return column < p.Column; };
    // Tokens before the resume column are neither kept nor able to stop the run.
    const int upTo = std::min(stopColumn, keepFrom);
    size_t k =
        size_t(std::upper_bound(entry.Points.begin(), entry.Points.end(), upTo, columnLess) - entry.Points.begin());
    if (k > 0) {
        const qsizetype need = entry.Points[k - 1].Column + lookahead;
        const qsizetype agree = Agreement(entry, line, need);
        if (agree < need) {
            // The text changed at column agree: every checkpoint that read it is gone.
            const auto firstStale =
                std::find_if(entry.Points.begin(), entry.Points.end(),
                             [&](const TTokenCheckpoint &p) { return p.Column + lookahead > agree; });
            entry.Points.erase(firstStale, entry.Points.end());
            k = entry.Points.size();
            entry.Text.truncate(entry.Points.empty() ? 0 : entry.Points.back().Column + lookahead);
        }
    } else if (entry.Points.empty()) {
        entry.Text.clear();
    }

    const TTokenCheckpoint from = k > 0 ? entry.Points[k - 1] : highlighter.LineStartCheckpoint(start);
    m_lastResume = from.Column;
    if (k < entry.Points.size()) {
        // Later checkpoints exist; whether they still hold is told when a paint needs them.
        return highlighter.TokenizeFrom(line, lineIndex, from, tokens, stopColumn, keepFrom, nullptr, 0);
    }

    // Resuming from the last checkpoint, which agrees with line: new ones are taken on the way,
    // and the text held grows to what they read.
    const size_t before = entry.Points.size();
    const TRangeState end =
        highlighter.TokenizeFrom(line, lineIndex, from, tokens, stopColumn, keepFrom, &entry.Points, m_interval);
    if (entry.Points.size() > before) {
        const qsizetype want = std::min(line.size(), entry.Points.back().Column + lookahead);
        const qsizetype held = std::min(entry.Text.size(), want);
        entry.Text.truncate(held);
        entry.Text.append(line.sliced(held, want - held));
        entry.TextLineLength = line.size();
    }
    return end;
}
