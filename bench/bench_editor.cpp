// Editor benchmark: opening (L1), highlighting (H1, H2) and keystroke costs (E1-E4) with the HTML highlighter.
//
//   bench_editor load FILE        L1: read, decode and split FILE into the line store
//   bench_editor highlight FILE   H1: compute every line's highlighter state
//   bench_editor open FILE        H2: open FILE with the highlighter attached (L1 + H1)
//   bench_editor type FILE        E1, E2, E3 (and E3b) on a large multi-line FILE
//   bench_editor oneline FILE     E4 on a one-line FILE; E4p: keys at its end, each with its paint's colouring
//
// "--only ID" measures only that figure (type: E1, E2, E3 or E3b).
// Prints one "BENCH" line per figure (see benchcommon.h); bench/run.sh makes the table.
#include "bench/benchcommon.h"

#include "app/core/documentfile.h"
#include "editor/core/codeedit.h"
#include "highlight/core/highlighterlink.h"
#include "highlight/core/htmlsyn.h"
#include "highlight/core/linecheckpoints.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

using bench::Measure;
using bench::Result;

// The window a view would show: states past it may be brought up to date later.
constexpr int kWindowLines = 50;

// The program's shared HTML highlighter, coloured as the main window colours it.
struct THtmlHighlighter
{
    THTMLSyn syn;
    THighlighterLink link{&syn};
    THtmlHighlighter() { SetupHTMLHiLiterColors(syn); }
};

void Open(TCodeEdit &edit, const QString &path)
{
    TEditLines lines;
    DocumentFile::LoadLines(path, lines);
    edit.LoadFrom(std::move(lines));
}

std::unique_ptr<TCodeEdit> NewEditor()
{
    auto edit = std::make_unique<TCodeEdit>();
    edit->SetLinesInWindow(kWindowLines);
    // Every round of typing is undone afterwards, so the next one meets the same text.
    edit->SetMaxUndo(2000);
    return edit;
}

int Load(const QString &path)
{
    std::unique_ptr<TCodeEdit> edit;
    double rssAfterFirst = -1;
    QList<double> runs;
    const double ms = Measure(
        [&] {
            edit.reset();
            edit = NewEditor();
        },
        [&] {
            Open(*edit, path);
            if (rssAfterFirst < 0)
                rssAfterFirst = bench::PeakRssMb();
        },
        &runs);
    Result("L1", bench::FileName(path))
        .Add("ms", ms)
        .Runs(runs)
        .Add("lines", edit->LineCount())
        .Add("file_mb", bench::FileMb(path), 1)
        .Add("load_rss_mb", rssAfterFirst, 0);
    return 0;
}

int Highlight(const QString &path)
{
    auto edit = NewEditor();
    Open(*edit, path);
    THtmlHighlighter hl;
    QList<double> runs;
    const double ms = Measure(
        [&] {
            edit->SetHighlighter(nullptr);
            edit->ResetScannedLineCount();
        },
        [&] { edit->SetHighlighter(&hl.link); }, &runs);
    Result("H1", bench::FileName(path))
        .Add("ms", ms)
        .Runs(runs)
        .Add("mb_per_s", bench::FileMb(path) / (ms / 1000), 1)
        .Add("retok", edit->ScannedLineCount())
        .Add("lines", edit->LineCount());
    return 0;
}

int OpenColoured(const QString &path)
{
    THtmlHighlighter hl;
    std::unique_ptr<TCodeEdit> edit;
    QList<double> runs;
    const double ms = Measure(
        [&] {
            edit.reset();
            edit = NewEditor();
        },
        [&] {
            // The tab's editor has its highlighter before the file is read.
            edit->SetHighlighter(&hl.link);
            Open(*edit, path);
        },
        &runs);
    Result("H2", bench::FileName(path))
        .Add("ms", ms)
        .Runs(runs)
        .Add("retok", edit->ScannedLineCount())
        .Add("lines", edit->LineCount());
    edit->SetHighlighter(nullptr);
    return 0;
}

struct TKeyFigures
{
    double meanMs = 0;
    double maxMs = 0;
    double retokPerKey = 0;
};

// Types `count` characters at pos, one command each.
TKeyFigures TypeAt(TCodeEdit &edit, TBufferCoord pos, int count)
{
    edit.SetCaretXY(pos);
    edit.ResetScannedLineCount();
    TKeyFigures f;
    QElapsedTimer all;
    all.start();
    for (int i = 0; i < count; ++i) {
        QElapsedTimer t;
        t.start();
        edit.CommandProcessor(ecChar, QChar(u'a' + i % 26));
        f.maxMs = std::max(f.maxMs, double(t.nsecsElapsed()) / 1e6);
    }
    f.meanMs = double(all.nsecsElapsed()) / 1e6 / count;
    f.retokPerKey = double(edit.ScannedLineCount()) / count;
    return f;
}

// kRuns rounds of 1000 keystrokes at the same place (each round undone afterwards): the first
// round's figures, the best round's mean and the slowest key of any round.
struct TKeyRounds
{
    TKeyFigures first;
    double bestMeanMs = 0;
    double maxMs = 0;
};

TKeyRounds TypeRounds(TCodeEdit &edit, TBufferCoord pos)
{
    TKeyRounds r;
    for (int run = 0; run < bench::kRuns; ++run) {
        const TKeyFigures f = TypeAt(edit, pos, 1000);
        if (run == 0) {
            r.first = f;
            r.bestMeanMs = f.meanMs;
        }
        r.bestMeanMs = std::min(r.bestMeanMs, f.meanMs);
        r.maxMs = std::max(r.maxMs, f.maxMs);
        for (int i = 0; i < 1000 && edit.CanUndo(); ++i)
            edit.Undo();
    }
    return r;
}

Result &AddKeyFigures(Result &result, const TKeyRounds &r)
{
    return result.Add("ms", r.first.meanMs)
        .Add("first", r.first.meanMs)
        .Add("best", r.bestMeanMs)
        .Add("max_ms", r.maxMs)
        .Add("retok", r.first.retokPerKey, 2);
}

// The start state of every line as a scan from the top computes it, with a highlighter of its own.
std::vector<TRangeState> ReferenceStates(const TCodeEdit &edit)
{
    THtmlHighlighter hl;
    const TEditLines &lines = edit.Lines();
    std::vector<TRangeState> states(size_t(lines.Count()));
    TRangeState range = hl.link.ResetState();
    for (int i = 0; i < lines.Count(); ++i) {
        states[size_t(i)] = range;
        range = hl.link.ScanLine(lines[i], i, range);
    }
    return states;
}

// Lines whose stored start state differs from the reference.
int WrongStates(const TCodeEdit &edit)
{
    const std::vector<TRangeState> want = ReferenceStates(edit);
    int wrong = 0;
    for (int i = 0; i < edit.LineCount(); ++i)
        wrong += edit.Lines().Objects(i) != want[size_t(i)];
    return wrong;
}

struct TRescanFigures
{
    double keyMaxMs = 0;    // slowest keystroke (what it rescanned at once included)
    qint64 keyMaxRetok = 0; // most lines re-tokenized by one keystroke
    double sliceMaxMs = 0;  // slowest slice run between events
    qint64 sliceRetok = 0;  // lines re-tokenized in slices
    int slices = 0;
    int wrongWhilePending = 0; // lines a reader saw in a wrong state while the rescan went on
    bool sawPending = false;
};

// Types `text` at pos one key at a time; after each key the event loop runs the slices that a
// window would run before the next key, each one timed on its own.
void TypeWithSlices(TCodeEdit &edit, TBufferCoord pos, QStringView text, TRescanFigures &f)
{
    edit.SetCaretXY(pos);
    for (QChar c : text) {
        edit.ResetScannedLineCount();
        QElapsedTimer t;
        t.start();
        edit.CommandProcessor(ecChar, c);
        f.keyMaxMs = std::max(f.keyMaxMs, double(t.nsecsElapsed()) / 1e6);
        f.keyMaxRetok = std::max(f.keyMaxRetok, edit.ScannedLineCount());
        if (edit.RescanPending() && !f.sawPending) {
            // A reader far down the document must see the right state even now: check the last
            // line through RangeAt (this brings it up to date), then let the slices go on.
            f.sawPending = true;
            const int last = edit.LineCount() - 1;
            const std::vector<TRangeState> want = ReferenceStates(edit);
            f.wrongWhilePending += edit.RangeAt(last) != want[size_t(last)];
        }
        edit.ResetScannedLineCount();
        while (edit.RescanPending()) {
            QElapsedTimer s;
            s.start();
            QCoreApplication::processEvents();
            f.sliceMaxMs = std::max(f.sliceMaxMs, double(s.nsecsElapsed()) / 1e6);
            ++f.slices;
        }
        f.sliceRetok += edit.ScannedLineCount();
    }
}

void Rescan(const char *id, TCodeEdit &edit, int line, QStringView open, QStringView close)
{
    // "Never blocks" is about the slowest block of any round: that is the figure; the best
    // round is printed beside it.
    QList<double> runs;
    TRescanFigures worst;
    double bestBlock = -1;
    int wrong = 0;
    const QString before = edit.Lines()[line - 1];
    for (int run = 0; run < bench::kRuns; ++run) {
        TRescanFigures f;
        TypeWithSlices(edit, BufferCoord(1, line), open, f);
        TypeWithSlices(edit, BufferCoord(1 + int(open.size()), line), close, f);
        edit.FinishRescan();
        wrong += WrongStates(edit) + f.wrongWhilePending;
        const double blocking = std::max(f.keyMaxMs, f.sliceMaxMs);
        runs.append(blocking);
        if (run == 0 || blocking > std::max(worst.keyMaxMs, worst.sliceMaxMs))
            worst = f;
        bestBlock = bestBlock < 0 ? blocking : std::min(bestBlock, blocking);
        // Take the typed characters out again, one undo step at a time, for the next round.
        for (int i = 0; i < int(open.size() + close.size()) && edit.CanUndo(); ++i)
            edit.Undo();
        edit.FinishRescan();
        if (edit.Lines()[line - 1] != before) {
            std::fprintf(stderr, "%s: undo did not restore line %d\n", id, line);
            ++wrong;
        }
    }
    wrong += WrongStates(edit);
    Result(id, QStringLiteral("line %1").arg(line))
        .Add("ms", std::max(worst.keyMaxMs, worst.sliceMaxMs))
        .Runs(runs)
        .Add("key_max_ms", worst.keyMaxMs)
        .Add("key_max_retok", worst.keyMaxRetok)
        .Add("slice_max_ms", worst.sliceMaxMs)
        .Add("slices", worst.slices)
        .Add("slice_retok", worst.sliceRetok)
        .Add("best_round_ms", bestBlock)
        .Add("wrong_states", wrong)
        .Add("typed", open.toString() + QStringLiteral(" then ") + close.toString());
}

int Type(const QString &path)
{
    auto edit = NewEditor();
    THtmlHighlighter hl;
    edit->SetHighlighter(&hl.link);
    Open(*edit, path);
    const QString name = bench::FileName(path);
    const int n = edit->LineCount();

    if (bench::Wanted("E1")) {
        const int lastLen = int(edit->Lines()[n - 1].size());
        Result e1("E1", name);
        AddKeyFigures(e1, TypeRounds(*edit, BufferCoord(lastLen + 1, n)));
    }
    if (bench::Wanted("E2")) {
        const int mid = n / 2;
        const int midLen = int(edit->Lines()[mid - 1].size());
        Result e2("E2", name);
        AddKeyFigures(e2, TypeRounds(*edit, BufferCoord(midLen / 2 + 1, mid)))
            .Add("where", QStringLiteral("line %1 column %2").arg(mid).arg(midLen / 2 + 1));
    }

    // Near the top, below the head, in running text. A comment opened here runs to the next
    // "-->" of the page; "<%" has no end anywhere, so every later line changes state twice.
    if (bench::Wanted("E3"))
        Rescan("E3", *edit, 30, u"<!--", u"-->");
    if (bench::Wanted("E3b"))
        Rescan("E3b", *edit, 30, u"<%", u"%>");
    edit->SetHighlighter(nullptr);
    return 0;
}

int OneLine(const QString &path)
{
    auto edit = NewEditor();
    THtmlHighlighter hl;
    edit->SetHighlighter(&hl.link);
    Open(*edit, path);
    const int len = int(edit->Lines()[0].size());
    const TKeyRounds keys = TypeRounds(*edit, BufferCoord(len / 2, 1));
    {
        Result e4("E4", bench::FileName(path));
        AddKeyFigures(e4, keys).Add("chars", len);
    }

    // After each key typed at the end of the line the view colours what it paints there, the
    // 80 columns before the caret, through the checkpoints its token source keeps inside the
    // line. The first paint of a round finds none yet and tokenizes from the line's start.
    const TBufferCoord end = BufferCoord(len + 1, 1);
    TLineCheckpoints checkpoints;
    std::vector<THighlightToken> tokens;
    double firstMean = -1, bestMean = 0, firstTokenize = 0, firstPaint = 0, maxMs = 0;
    for (int run = 0; run < bench::kRuns; ++run) {
        edit->SetCaretXY(end);
        double tokenizeMs = 0;
        QElapsedTimer all;
        all.start();
        for (int i = 0; i < 1000; ++i) {
            QElapsedTimer t;
            t.start();
            edit->CommandProcessor(ecChar, QChar(u'a' + i % 26));
            const double keyMs = double(t.nsecsElapsed()) / 1e6;
            const QString &text = edit->Lines()[0];
            const int caret = int(text.size());
            checkpoints.Tokenize(hl.syn, text, 0, edit->RangeAt(0), tokens, caret + 1, std::max(0, caret - 80));
            const double ms = double(t.nsecsElapsed()) / 1e6;
            tokenizeMs += ms - keyMs;
            maxMs = std::max(maxMs, ms);
            if (run == 0 && i == 0)
                firstPaint = ms - keyMs;
        }
        const double mean = double(all.nsecsElapsed()) / 1e6 / 1000;
        if (run == 0) {
            firstMean = bestMean = mean;
            firstTokenize = tokenizeMs / 1000;
        }
        bestMean = std::min(bestMean, mean);
        for (int i = 0; i < 1000 && edit->CanUndo(); ++i)
            edit->Undo();
    }
    Result("E4p", bench::FileName(path))
        .Add("ms", firstMean)
        .Add("first", firstMean)
        .Add("best", bestMean)
        .Add("max_ms", maxMs)
        .Add("tokenize_ms", firstTokenize)
        .Add("first_paint_ms", firstPaint)
        .Add("tokens", qint64(tokens.size()))
        .Add("columns", len);
    edit->SetHighlighter(nullptr);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    bench::TakeOnlyOption(argc, argv);
    QCoreApplication app(argc, argv); // the rescan slices run from its event loop
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_editor load|highlight|open|type|oneline FILE [--only ID]\n");
        return 2;
    }
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString path = QString::fromLocal8Bit(argv[2]);
    try {
        if (mode == u"load")
            return Load(path);
        if (mode == u"highlight")
            return Highlight(path);
        if (mode == u"open")
            return OpenColoured(path);
        if (mode == u"type")
            return Type(path);
        if (mode == u"oneline")
            return OneLine(path);
    } catch (const EFileError &e) {
        std::fprintf(stderr, "bench_editor: %s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "bench_editor: unknown mode %s\n", argv[1]);
    return 2;
}
