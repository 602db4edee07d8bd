// The HTML highlighter on arbitrary lines: its tokens cover each line exactly, in order, and every
// way of reaching them (pulled one by one, painted up to a column, resumed from a checkpoint,
// resumed on a line whose tail changed, through the checkpoint cache) gives the same tokens.
#include "fuzz/fuzzcheck.h"

#include "highlight/core/htmlsyn.h"
#include "highlight/core/linecheckpoints.h"

#include <QStringList>

#include <climits>
#include <vector>

namespace {

using TTokens = std::vector<THighlightToken>;

bool SameTokens(const TTokens &a, size_t aFrom, const TTokens &b)
{
    if (a.size() - aFrom != b.size())
        return false;
    for (size_t i = 0; i < b.size(); ++i) {
        const THighlightToken &x = a[aFrom + i];
        const THighlightToken &y = b[i];
        if (x.Start != y.Start || x.Length != y.Length || x.Kind != y.Kind || x.Attribute != y.Attribute)
            return false;
    }
    return true;
}

// Index of the first token starting at column, or tokens.size().
size_t TokenAt(const TTokens &tokens, int column)
{
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].Start >= column)
            return i;
    }
    return tokens.size();
}

void CheckCover(const THTMLSyn &syn, QStringView line, const TTokens &tokens)
{
    QString joined;
    int next = 0;
    for (const THighlightToken &t : tokens) {
        FUZZ_CHECK(t.Start == next, QStringLiteral("token at %1, expected %2").arg(t.Start).arg(next));
        FUZZ_CHECK(t.Length >= 0 && t.Start + t.Length <= line.size(), QStringLiteral("token past the line"));
        FUZZ_CHECK(t.Kind >= 0 && t.Kind < THTMLSyn::TokenKindCount && t.Kind != THTMLSyn::tkEol,
                   QStringLiteral("kind %1").arg(t.Kind));
        FUZZ_CHECK(t.Attribute == syn.AttributeOfKind(t.Kind), QStringLiteral("attribute of kind %1").arg(t.Kind));
        joined += line.mid(t.Start, t.Length);
        next = t.Start + t.Length;
    }
    FUZZ_CHECK(next == line.size(), QStringLiteral("tokens end at %1 of %2").arg(next).arg(line.size()));
    FUZZ_CHECK(joined == line, QStringLiteral("joined tokens differ from the line"));
}

void CheckPulled(THTMLSyn &syn, QStringView line, int index, TRangeState start, const TTokens &tokens,
                 TRangeState end)
{
    syn.SetRange(start);
    syn.SetLine(line, index);
    size_t i = 0;
    for (; !syn.GetEol(); syn.Next(), ++i) {
        FUZZ_CHECK(i < tokens.size(), QStringLiteral("more tokens pulled than painted"));
        FUZZ_CHECK(syn.GetTokenPos() == tokens[i].Start, QStringLiteral("pulled token position"));
        FUZZ_CHECK(syn.GetTokenView().size() == tokens[i].Length, QStringLiteral("pulled token length"));
        FUZZ_CHECK(syn.GetToken() == syn.GetTokenView(), QStringLiteral("token copy differs from its view"));
        FUZZ_CHECK(syn.GetTokenKind() == tokens[i].Kind, QStringLiteral("pulled token kind"));
    }
    FUZZ_CHECK(i == tokens.size(), QStringLiteral("fewer tokens pulled than painted"));
    FUZZ_CHECK(syn.GetRange() == end, QStringLiteral("pulled end state"));
    FUZZ_CHECK(syn.ScanLine(line, index, start) == end, QStringLiteral("scanned end state"));
}

void CheckResumes(THTMLSyn &syn, QStringView line, int index, TRangeState start, const TTokens &tokens,
                  TRangeState end, QStringView otherTail)
{
    TTokens all;
    std::vector<TTokenCheckpoint> checkpoints;
    const TRangeState withMarks =
        syn.TokenizeFrom(line, index, syn.LineStartCheckpoint(start), all, INT_MAX, -1, &checkpoints, 7);
    FUZZ_CHECK(withMarks == end && SameTokens(all, 0, tokens), QStringLiteral("taking checkpoints changed the tokens"));

    const int lookahead = syn.CheckpointLookahead();
    int lastColumn = 0;
    TTokens resumed;
    for (const TTokenCheckpoint &cp : checkpoints) {
        FUZZ_CHECK(cp.Column > lastColumn && cp.Column <= line.size(), QStringLiteral("checkpoint column %1").arg(cp.Column));
        lastColumn = cp.Column;
    }
    // Resuming costs the rest of the line each time: a few checkpoints spread over the line do.
    const size_t step = checkpoints.size() / 6 + 1;
    for (size_t k = 0; k < checkpoints.size(); k += step) {
        const TTokenCheckpoint &cp = checkpoints[k];
        const size_t first = TokenAt(tokens, cp.Column);
        FUZZ_CHECK(first == tokens.size() ? cp.Column == line.size() : tokens[first].Start == cp.Column,
                   QStringLiteral("checkpoint at %1 is no token boundary").arg(cp.Column));
        const TRangeState state = syn.TokenizeFrom(line, index, cp, resumed, INT_MAX, -1, nullptr, 0);
        FUZZ_CHECK(state == end && SameTokens(tokens, first, resumed),
                   QStringLiteral("resuming at %1 gives other tokens").arg(cp.Column));

        // The same checkpoint on a line that agrees only up to its column and the lookahead (the
        // line's end counts as a difference: a token cut off by it may go on in a longer line).
        const qsizetype keep = qsizetype(cp.Column) + lookahead;
        if (keep > line.size())
            continue;
        const QString changed = line.left(keep).toString() + otherTail.toString();
        TTokens fresh;
        const TRangeState freshEnd =
            syn.TokenizeFrom(changed, index, syn.LineStartCheckpoint(start), fresh, INT_MAX, -1, nullptr, 0);
        const TRangeState resumedEnd = syn.TokenizeFrom(changed, index, cp, resumed, INT_MAX, -1, nullptr, 0);
        FUZZ_CHECK(freshEnd == resumedEnd && SameTokens(fresh, TokenAt(fresh, cp.Column), resumed),
                   QStringLiteral("checkpoint at %1 not good for a line changed past its lookahead").arg(cp.Column));
    }

    // Painting up to a column gives a prefix of the line's tokens that reaches past the column.
    for (const int stop : {0, int(line.size() / 3), int(line.size() / 2) + 1}) {
        TTokens upTo;
        syn.TokenizeLineUpTo(line, index, start, upTo, stop);
        FUZZ_CHECK(upTo.size() <= tokens.size() && SameTokens(TTokens(tokens.begin(), tokens.begin() + upTo.size()), 0, upTo),
                   QStringLiteral("tokens up to %1 are no prefix").arg(stop));
        if (upTo.size() < tokens.size())
            FUZZ_CHECK(!upTo.empty() && upTo.back().Start + upTo.back().Length > stop,
                       QStringLiteral("stopped before column %1").arg(stop));
    }
}

void CheckCache(THTMLSyn &syn, TLineCheckpoints &cache, QStringView line, int index, TRangeState start,
                const TTokens &tokens, TRangeState end)
{
    // Twice: the second run may resume from the checkpoints the first one took.
    for (int round = 0; round < 2; ++round) {
        for (const int stop : {INT_MAX, int(line.size()) - 5}) {
            const int keepFrom = std::max(0, stop == INT_MAX ? int(line.size() / 2) : stop - 20);
            TTokens expected;
            const TRangeState expectedEnd =
                syn.TokenizeFrom(line, index, syn.LineStartCheckpoint(start), expected, stop, keepFrom, nullptr, 0);
            TTokens cached;
            const TRangeState cachedEnd = cache.Tokenize(syn, line, index, start, cached, stop, keepFrom);
            FUZZ_CHECK(cachedEnd == expectedEnd && SameTokens(expected, 0, cached),
                       QStringLiteral("checkpoint cache gives other tokens (stop %1, keep %2)").arg(stop).arg(keepFrom));
            if (stop == INT_MAX)
                FUZZ_CHECK(cachedEnd == end && cached.size() <= tokens.size() &&
                               SameTokens(tokens, tokens.size() - cached.size(), cached),
                           QStringLiteral("checkpoint cache lost the line's end"));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static THTMLSyn syn;
    const QStringList lines = FuzzInput::Lines(FuzzInput::AsText(data, size));
    TLineCheckpoints cache(16, 32);

    TRangeState state = syn.ResetState();
    TTokens tokens;
    for (int i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        const TRangeState end = syn.TokenizeLine(line, i, state, tokens);
        CheckCover(syn, line, tokens);
        CheckPulled(syn, line, i, state, tokens, end);
        CheckResumes(syn, line, i, state, tokens, end, lines.at((i + 1) % lines.size()));
        CheckCache(syn, cache, line, i, state, tokens, end);
        // A line that starts in any state tokenizes cleanly too, as after an edit above it.
        const TRangeState odd = TRangeState((size ? data[size_t(i) % size] ^ i : i) & 7);
        TTokens other;
        syn.TokenizeLine(line, i, odd, other);
        CheckCover(syn, line, other);
        state = end;
    }
    return 0;
}
