// Tokenizer checkpoints inside long lines: a paint of columns far into a 5 MB line tokenizes
// from the nearest checkpoint before them instead of from the line's start.
#pragma once

#include "highlight/core/highlighter.h"

#include <QString>
#include <QStringView>
#include <array>
#include <vector>

class TLineCheckpoints
{
public:
    static constexpr int kDefaultInterval = 4096;
    // Shorter lines are tokenized from their start: that costs well under a millisecond.
    static constexpr int kDefaultMinLength = 16 * kDefaultInterval;
    // Long lines remembered at once; the least recently used gives way.
    static constexpr int kLines = 4;

    explicit TLineCheckpoints(int interval = kDefaultInterval, int minLength = kDefaultMinLength);

    // What highlighter.TokenizeFrom(line, lineIndex, LineStartCheckpoint(start), tokens,
    // stopColumn, keepFrom) gives, the returned state included, but resumed from a checkpoint
    // when one is still good for the line's text. Checkpoints are taken on the way; whether one
    // is good is told from the text itself, so the caller announces no edits, and lines of
    // other documents with the same index do no harm.
    TRangeState Tokenize(TCustomHighlighter &highlighter, QStringView line, int lineIndex, TRangeState start,
                         std::vector<THighlightToken> &tokens, int stopColumn, int keepFrom);
    void Clear();

    int Interval() const { return m_interval; }
    // The column the last Tokenize started at (0: the line's start).
    int LastResumeColumn() const { return m_lastResume; }
    // The checkpoints kept for line lineIndex of highlighter, in column order.
    std::vector<TTokenCheckpoint> Checkpoints(const TCustomHighlighter &highlighter, int lineIndex) const;

private:
    struct TLine
    {
        const TCustomHighlighter *Highlighter = nullptr;
        int LineIndex = -1;
        TRangeState Start = 0;
        // The first characters of the line the checkpoints were taken on, as far as they depend
        // on them: up to the last one's column + the lookahead, or the whole line when shorter.
        QString Text;
        qsizetype TextLineLength = 0;         // the length of that line
        std::vector<TTokenCheckpoint> Points; // ascending columns, all past 0
        quint64 LastUse = 0;
    };

    TLine &Entry(const TCustomHighlighter &highlighter, int lineIndex, TRangeState start);
    // The first column at which line may differ from the one entry.Text was taken from, as
    // far as limit: a checkpoint at column c is good when c + lookahead <= the result.
    static qsizetype Agreement(const TLine &entry, QStringView line, qsizetype limit);

    int m_interval;
    int m_minLength;
    int m_lastResume = 0;
    quint64 m_uses = 0;
    std::array<TLine, kLines> m_lines;
};
