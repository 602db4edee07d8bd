// Search benchmark: find all (F1), replace all (R1) and replace all on one long line (R2).
//
//   bench_search find FILE       F1: every "td" of FILE through the search engine
//   bench_search replace FILE    R1: replace all "td" by "TD", HTML highlighter attached
//   bench_search oneline FILE    R2: the same on a one-line FILE, and on that line written twice
//
// "--only ID" measures only that figure (F1, F1i, R1, R1e, R2 or R2x).
//
// Prints one "BENCH" line per figure (see benchcommon.h); bench/run.sh makes the table and runs
// grep and sed beside these.
#include "bench/benchcommon.h"

#include "app/core/documentfile.h"
#include "editor/core/codeedit.h"
#include "highlight/core/highlighterlink.h"
#include "highlight/core/htmlsyn.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

namespace {

using bench::Measure;
using bench::Result;

// F1: every line through the search engine, as SearchReplace visits them.
int Find(const QString &path)
{
    TCodeEdit edit;
    TEditLines lines;
    DocumentFile::LoadLines(path, lines);
    edit.LoadFrom(std::move(lines));
    const QString name = bench::FileName(path);
    for (const bool matchCase : {true, false}) {
        if (!bench::Wanted(matchCase ? "F1" : "F1i"))
            continue;
        TEditSearch search;
        search.SetSensitive(matchCase);
        search.SetPattern(QStringLiteral("td"));
        qint64 hits = 0;
        QList<double> runs;
        const double ms = Measure(
            nullptr,
            [&] {
                qint64 n = 0;
                const TEditLines &lines = edit.Lines();
                const int count = lines.Count();
                for (int i = 0; i < count; ++i)
                    n += search.FindAll(lines[i]);
                hits = n;
            },
            &runs);
        Result(matchCase ? "F1" : "F1i", name)
            .Add("ms", ms)
            .Runs(runs)
            .Add("hits", hits)
            .Add("lines", edit.LineCount());
    }
    return 0;
}

// Replace all "td" by "TD" in a freshly opened document with the HTML highlighter attached, as
// in a document tab, kRuns times.
void ReplaceAll(const char *id, const QString &path, const QString &input, bool highlighter)
{
    if (!bench::Wanted(id))
        return;
    THTMLSyn syn;
    SetupHTMLHiLiterColors(syn);
    THighlighterLink link(&syn);
    std::unique_ptr<TCodeEdit> edit;
    int count = 0;
    QList<double> runs;
    const double ms = Measure(
        [&] {
            edit.reset();
            edit = std::make_unique<TCodeEdit>();
            edit->SetMaxUndo(60); // the program's default
            if (highlighter)
                edit->SetHighlighter(&link);
            TEditLines lines;
            DocumentFile::LoadLines(path, lines);
            edit->LoadFrom(std::move(lines));
            edit->ResetScannedLineCount();
        },
        [&] {
            count = edit->SearchReplace(QStringLiteral("td"), QStringLiteral("TD"),
                                        soMatchCase | soReplaceAll | soEntireScope);
        },
        &runs);
    const qint64 scanned = edit->ScannedLineCount();
    edit->SetHighlighter(nullptr);
    Result(id, input).Add("ms", ms).Runs(runs).Add("replaced", count).Add("retok", scanned);
}

int Replace(const QString &path)
{
    ReplaceAll("R1", path, bench::FileName(path), true);
    ReplaceAll("R1e", path, bench::FileName(path), false);
    return 0;
}

int OneLine(const QString &path)
{
    ReplaceAll("R2", path, bench::FileName(path), true);
    if (!bench::Wanted("R2x"))
        return 0;
    // Linear in matches: the same line content twice over.
    QTemporaryDir tmp;
    const QString doubled = tmp.path() + QStringLiteral("/doubled.html");
    QFile in(path);
    QFile out(doubled);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "bench_search: cannot write %s\n", qPrintable(doubled));
        return 1;
    }
    const QByteArray line = in.readAll().trimmed();
    out.write(line + line + "\n");
    out.close();
    ReplaceAll("R2x", doubled, bench::FileName(path) + QStringLiteral(" x2"), true);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    bench::TakeOnlyOption(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_search find|replace|oneline FILE [--only ID]\n");
        return 2;
    }
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString path = QString::fromLocal8Bit(argv[2]);
    try {
        if (mode == u"find")
            return Find(path);
        if (mode == u"replace")
            return Replace(path);
        if (mode == u"oneline")
            return OneLine(path);
    } catch (const EFileError &e) {
        std::fprintf(stderr, "bench_search: %s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "bench_search: unknown mode %s\n", argv[1]);
    return 2;
}
