// Analysis benchmark: syntax check (V1, V2), parse into tree records (P1), link check (K1).
//
//   bench_analysis check FILE [TAGDATA]   V1/V2: read, decode and check FILE as "--check" does
//   bench_analysis scaling SMALL LARGE    V2: the check of two texts, measured turn about
//   bench_analysis parse FILE             P1: the document tree's parse of FILE's lines
//   bench_analysis links FILE             K1: collect every link of FILE and test the local ones
//
// Prints one "BENCH" line per figure (see benchcommon.h); bench/run.sh makes the table.
#include "bench/benchcommon.h"

#include "analysis/core/checkreport.h"
#include "analysis/core/htmlparser.h"
#include "app/core/documentfile.h"
#include "editor/core/editlines.h"
#include "platform/core/textdecoding.h"

#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <memory>

namespace {

using bench::Measure;
using bench::Result;

// The page as one text, read the way the command-line check reads it.
QString ReadText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EFileError(QStringLiteral("cannot read %1").arg(path));
    return DecodeFileBytes(file.readAll()).Text;
}

int Check(const QString &path, const QString &tagData)
{
    TSyntaxReport report;
    QList<double> runs;
    // From the file, as "--check" and xmllint do: read, decode, count lines, check.
    const double ms = Measure(
        nullptr,
        [&] {
            const QString text = ReadText(path);
            report = BuildSyntaxReport(text, CountTextLines(text), tagData);
        },
        &runs);
    if (report.Failure) {
        std::fprintf(stderr, "bench_analysis: %s\n", qPrintable(*report.Failure));
        return 1;
    }
    // The window checks the text it already holds: the check alone.
    const QString text = ReadText(path);
    const int lines = CountTextLines(text);
    const double checkMs = Measure(nullptr, [&] { report = BuildSyntaxReport(text, lines, tagData); });
    Result("V", bench::FileName(path))
        .Add("ms", ms)
        .Runs(runs)
        .Add("check_ms", checkMs)
        .Add("errors", report.ErrorCount)
        .Add("lines", lines)
        .Add("file_mb", bench::FileMb(path), 1);
    return 0;
}

// Two sizes measured turn about in one process, so that both meet the same machine: the state of
// the shared caches and of this process's memory varies more between processes than within one.
// With "--only V2s" or "--only V2l" one size alone, in a process of its own.
int Scaling(const QString &small, const QString &large, const QString &tagData)
{
    const char *ids[2] = {"V2s", "V2l"};
    const QString paths[2] = {small, large};
    QString texts[2];
    int lines[2] = {0, 0};
    for (int k = 0; k < 2; ++k) {
        if (!bench::Wanted(ids[k]))
            continue;
        texts[k] = ReadText(paths[k]);
        lines[k] = CountTextLines(texts[k]);
    }
    QList<double> runs[2];
    int errors[2] = {0, 0};
    for (int run = 0; run < bench::kRuns; ++run) {
        for (int k = 0; k < 2; ++k) {
            if (!bench::Wanted(ids[k]))
                continue;
            QElapsedTimer t;
            t.start();
            const TSyntaxReport report = BuildSyntaxReport(texts[k], lines[k], tagData);
            runs[k].append(double(t.nsecsElapsed()) / 1e6);
            errors[k] = report.ErrorCount;
        }
    }
    for (int k = 0; k < 2; ++k) {
        if (!bench::Wanted(ids[k]))
            continue;
        Result(ids[k], bench::FileName(paths[k]))
            .Add("ms", runs[k].first())
            .Runs(runs[k])
            .Add("errors", errors[k])
            .Add("lines", lines[k]);
    }
    return 0;
}

int Parse(const QString &path)
{
    TEditLines lines;
    DocumentFile::LoadLines(path, lines);
    // What the page's lines hold already: the parse's own memory is what comes on top. Reading
    // the file has a peak of its own, which is no part of the parse.
    const bool peakReset = bench::ResetPeakRss();
    const double linesRss = bench::CurrentRssMb();
    std::unique_ptr<THTMLParser> parser;
    size_t items = 0;
    double firstPeak = -1;
    QList<double> runs;
    const double ms = Measure(
        [&] {
            parser.reset();
            parser = std::make_unique<THTMLParser>();
        },
        [&] {
            // The tree page hands the parser the editor's lines (shared, not copied).
            QStringList &input = parser->Lines();
            input.reserve(lines.Count());
            for (int i = 0; i < lines.Count(); ++i)
                input.append(lines[i]);
            parser->Execute();
            items = size_t(parser->Count());
            if (firstPeak < 0)
                firstPeak = peakReset ? bench::PeakSinceResetMb() : bench::PeakRssMb();
        },
        &runs);
    const double heldRss = bench::CurrentRssMb();
    parser.reset();
    // A freed parse should give its memory back, not keep it for the next one.
    const double freedRss = bench::CurrentRssMb();
    Result("P1", bench::FileName(path))
        .Add("ms", ms)
        .Runs(runs)
        .Add("records", qint64(items))
        .Add("file_mb", bench::FileMb(path), 1)
        .Add("lines_rss_mb", linesRss, 0)
        .Add("first_peak_rss_mb", firstPeak, 0)
        .Add("held_rss_mb", heldRss, 0)
        .Add("freed_rss_mb", freedRss, 0);
    return 0;
}

int Links(const QString &path)
{
    const QString text = ReadText(path);
    TLinkReport report;
    QList<double> runs;
    const double ms = Measure([&] { report = TLinkReport(); }, [&] { report = BuildLinkReport(text, path); }, &runs);
    Result("K1", bench::FileName(path))
        .Add("ms", ms)
        .Runs(runs)
        .Add("links", qint64(report.Links.size()))
        .Add("broken", report.BrokenCount);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    bench::TakeOnlyOption(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_analysis check|parse|links FILE [TAGDATA]\n"
                             "       bench_analysis scaling SMALL LARGE [TAGDATA] [--only V2s|V2l]\n");
        return 2;
    }
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString path = QString::fromLocal8Bit(argv[2]);
    const QString tagData =
        argc > 3 && mode != u"scaling" ? QString::fromLocal8Bit(argv[3]) : QStringLiteral(TAGFORGE_TAG_DATA);
    try {
        if (mode == u"check")
            return Check(path, tagData);
        if (mode == u"scaling" && argc > 3)
            return Scaling(path, QString::fromLocal8Bit(argv[3]),
                           argc > 4 ? QString::fromLocal8Bit(argv[4]) : QStringLiteral(TAGFORGE_TAG_DATA));
        if (mode == u"parse")
            return Parse(path);
        if (mode == u"links")
            return Links(path);
    } catch (const EFileError &e) {
        std::fprintf(stderr, "bench_analysis: %s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "bench_analysis: unknown mode %s\n", argv[1]);
    return 2;
}
