// Search benchmark: find all (F1), replace all (R1) and replace all on one long line (R2), each
// beside grep and sed on the same file; prints figures only.
//
//   bench_search MULTI ONELINE    e.g. synth_100M.html and min_5M.html from gen_corpus.py
//   bench_search                  generate a ~100 MB multi-line and a 5 MB one-line document in /tmp
#include "editor/core/codeedit.h"
#include "highlight/core/highlighterlink.h"
#include "highlight/core/htmlsyn.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr int kRuns = 3;

double PeakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

QString WriteMultiLine(const QString &dir)
{
    const QString path = dir + "/multi.html";
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    QByteArray block;
    for (int i = 0; i < 1000; ++i)
        block += "  <tr><td class=\"c\">" + QByteArray::number(i) + "</td><td>value</td></tr>\n";
    for (qint64 written = 0; written < 100LL * 1000 * 1000; written += block.size())
        f.write(block);
    return path;
}

QString WriteOneLine(const QString &dir, int copies)
{
    const QString path = dir + QStringLiteral("/oneline%1.html").arg(copies);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    QByteArray block;
    for (int i = 0; i < 1000; ++i)
        block += "<td class=x>" + QByteArray::number(i) + "</td>";
    for (int i = 0; i < copies; ++i)
        f.write(block);
    f.write("\n");
    return path;
}

bool Load(TCodeEdit &edit, const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && edit.Lines().LoadFromStream(f);
}

// Best wall time of kRuns runs of a peer command writing to `output`; -1 when missing. grep must not
// write to /dev/null: it notices and stops at the first match.
double PeerMs(const QString &program, const QStringList &args, const QString &output)
{
    if (QStandardPaths::findExecutable(program).isEmpty())
        return -1;
    double best = -1;
    for (int i = 0; i < kRuns; ++i) {
        QProcess p;
        p.setStandardOutputFile(output);
        QElapsedTimer t;
        t.start();
        p.start(program, args);
        if (!p.waitForFinished(600000))
            return -1;
        const double ms = t.nsecsElapsed() / 1e6;
        best = best < 0 ? ms : std::min(best, ms);
    }
    return best;
}

void Header()
{
    std::printf("%-4s %-44s %-22s %10s %10s %7s %-26s %s\n", "id", "operation", "input", "TagForge", "peer",
                "ratio", "goal", "notes");
}

QString Verdict(bool met)
{
    return met ? QStringLiteral("met") : QStringLiteral("MISSED");
}

void Row(const char *id, const char *what, const QString &input, double ms, double peer, const QString &goal,
         const QString &notes)
{
    const QString peerText = peer < 0 ? QStringLiteral("-") : QString::number(peer, 'f', 1);
    const QString ratio = peer > 0 ? QString::number(ms / peer, 'f', 2) : QStringLiteral("-");
    std::printf("%-4s %-44s %-22s %10.1f %10s %7s %-26s %s\n", id, what, qPrintable(input), ms,
                qPrintable(peerText), qPrintable(ratio), qPrintable(goal), qPrintable(notes));
}

// F1: every line through the search engine, as SearchReplace visits them.
double FindAllMs(const TCodeEdit &edit, bool matchCase, qint64 &hits)
{
    TEditSearch search;
    search.SetSensitive(matchCase);
    search.SetPattern(QStringLiteral("td"));
    double best = -1;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer t;
        t.start();
        qint64 n = 0;
        const TEditLines &lines = edit.Lines();
        const int count = lines.Count();
        for (int i = 0; i < count; ++i)
            n += search.FindAll(lines[i]);
        const double ms = t.nsecsElapsed() / 1e6;
        best = best < 0 ? ms : std::min(best, ms);
        hits = n;
    }
    return best;
}

// Replace all "td" by "TD" in a freshly loaded document; best of kRuns.
double ReplaceAllMs(const QString &path, TEditHighlighterLink *highlighter, int &count, qint64 &scanned)
{
    double best = -1;
    for (int run = 0; run < kRuns; ++run) {
        TCodeEdit edit;
        edit.SetMaxUndo(60); // the program's default
        if (!Load(edit, path))
            return -1;
        edit.SetHighlighter(highlighter);
        edit.ResetScannedLineCount();
        QElapsedTimer t;
        t.start();
        count = edit.SearchReplace(QStringLiteral("td"), QStringLiteral("TD"), soMatchCase | soReplaceAll | soEntireScope);
        const double ms = t.nsecsElapsed() / 1e6;
        scanned = edit.ScannedLineCount();
        edit.SetHighlighter(nullptr);
        best = best < 0 ? ms : std::min(best, ms);
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir tmp;
    const QString multi = argc > 1 ? QString::fromLocal8Bit(argv[1]) : WriteMultiLine(tmp.path());
    const QString single = argc > 2 ? QString::fromLocal8Bit(argv[2]) : WriteOneLine(tmp.path(), 415);
    const QString multiName = QStringLiteral("%1 (%2 MB)").arg(multi.section('/', -1)).arg(QFile(multi).size() / 1e6, 0, 'f', 0);
    const QString singleName = QStringLiteral("%1 (%2 MB)").arg(single.section('/', -1)).arg(QFile(single).size() / 1e6, 0, 'f', 0);
    Header();

    {
        TCodeEdit edit;
        if (!Load(edit, multi)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(multi));
            return 1;
        }
        qint64 hits = 0;
        const double grep = PeerMs(QStringLiteral("grep"), {QStringLiteral("-c"), QStringLiteral("td"), multi},
                                   tmp.path() + QStringLiteral("/grep.out"));
        double ms = FindAllMs(edit, true, hits);
        Row("F1", "find all \"td\", matching case", multiName, ms, grep,
            "<= 1.5 x grep -c (" + Verdict(grep > 0 && ms <= 1.5 * grep) + ")",
            QStringLiteral("%1 hits in %2 lines").arg(hits).arg(edit.LineCount()));
        ms = FindAllMs(edit, false, hits);
        Row("--", "find all \"td\", ignoring case", multiName, ms, grep, "-",
            QStringLiteral("%1 hits").arg(hits));
    }

    const double sed = PeerMs(QStringLiteral("sed"), {QStringLiteral("s/td/TD/g"), multi}, QProcess::nullDevice());
    int count = 0;
    qint64 scanned = 0;
    double ms = ReplaceAllMs(multi, nullptr, count, scanned);
    Row("R1", "replace all \"td\" by \"TD\" (engine only)", multiName, ms, sed,
        "<= sed (" + Verdict(sed > 0 && ms <= sed) + ")",
        QStringLiteral("%1 replaced; peak RSS %2 MB").arg(count).arg(PeakRssMb(), 0, 'f', 0));
    THTMLSyn syn;
    THighlighterLink link(&syn);
    ms = ReplaceAllMs(multi, &link, count, scanned);
    Row("--", "same, HTML highlighter attached", multiName, ms, sed, "<= sed (" + Verdict(sed > 0 && ms <= sed) + ")",
        QStringLiteral("%1 replaced; %2 lines re-tokenized").arg(count).arg(scanned));

    const double sedOne = PeerMs(QStringLiteral("sed"), {QStringLiteral("s/td/TD/g"), single}, QProcess::nullDevice());
    ms = ReplaceAllMs(single, &link, count, scanned);
    Row("R2", "replace all \"td\" by \"TD\" on one line", singleName, ms, sedOne, "< 50 ms (" + Verdict(ms < 50) + ")",
        QStringLiteral("%1 replaced; %2 lines re-tokenized").arg(count).arg(scanned));

    // Linear in matches: the same line content twice over.
    const QString doubled = tmp.path() + QStringLiteral("/doubled.html");
    {
        QFile in(single);
        QFile out(doubled);
        if (in.open(QIODevice::ReadOnly) && out.open(QIODevice::WriteOnly)) {
            const QByteArray line = in.readAll().trimmed();
            out.write(line + line + "\n");
        }
    }
    const int singleCount = count;
    const double singleMs = ms;
    ms = ReplaceAllMs(doubled, &link, count, scanned);
    const double factor = ms / singleMs;
    Row("R2x", "same, twice the matches on the line", QStringLiteral("doubled (%1 MB)").arg(QFile(doubled).size() / 1e6, 0, 'f', 0),
        ms, -1, "<= 2.2 x R2 (" + Verdict(factor <= 2.2) + ")",
        QStringLiteral("%1 replaced; %2 x the time for %3 x the matches")
            .arg(count)
            .arg(factor, 0, 'f', 2)
            .arg(double(count) / singleCount, 0, 'f', 2));
    return 0;
}
