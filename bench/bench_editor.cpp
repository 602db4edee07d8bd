// Editor engine benchmark: loading (L1) and single-keystroke costs (E1, E2, E4); prints figures only.
//
//   bench_editor                 generate a ~100 MB multi-line and a 5 MB one-line document in /tmp
//   bench_editor FILE [ONELINE]  use these files instead (e.g. synth_100M.html and min_5M.html)
#include "editor/core/codeedit.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

namespace {

double PeakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // Linux reports KiB
}

// A highlighter whose state never changes, so a rescan stops after the edited line; it counts lines.
class TFlatHighlighter : public TEditHighlighterLink {
public:
    TRangeState ResetState() override { return 1; }
    TRangeState ScanLine(QStringView, int, TRangeState start) override { return start; }
};

QString WriteMultiLine(const QString &dir, qint64 targetBytes)
{
    const QString path = dir + "/multi.html";
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    QByteArray block;
    qint64 written = 0;
    int n = 0;
    while (written < targetBytes) {
        block.clear();
        for (int i = 0; i < 1000; ++i, ++n)
            block += "  <tr class=\"row\"><td>" + QByteArray::number(n) + "</td><td>caf\xc3\xa9 value</td></tr>\n";
        f.write(block);
        written += block.size();
    }
    return path;
}

QString WriteOneLine(const QString &dir, qint64 targetBytes)
{
    const QString path = dir + "/oneline.html";
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    QByteArray block;
    for (int i = 0; i < 1000; ++i)
        block += "<td class=x>" + QByteArray::number(i) + "</td>";
    for (qint64 w = 0; w < targetBytes; w += block.size())
        f.write(block);
    f.write("\n");
    return path;
}

bool Load(TCodeEdit &edit, const QString &path, double &ms)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    QElapsedTimer t;
    t.start();
    const bool ok = edit.Lines().LoadFromStream(f);
    ms = t.nsecsElapsed() / 1e6;
    return ok;
}

// Types `count` characters at pos (one command each) and returns the mean time per keystroke in ms.
double TypeAt(TCodeEdit &edit, TBufferCoord pos, int count, qint64 &scanned)
{
    edit.SetCaretXY(pos);
    edit.ResetScannedLineCount();
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < count; ++i)
        edit.CommandProcessor(ecChar, QChar(u'a' + i % 26));
    const double ms = t.nsecsElapsed() / 1e6 / count;
    scanned = edit.ScannedLineCount();
    return ms;
}

void Row(const char *id, const char *what, const QString &input, double value, const char *unit, const QString &extra)
{
    std::printf("%-4s %-46s %-16s %12.4f %-4s %s\n", id, what, qPrintable(input), value, unit, qPrintable(extra));
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir tmp;
    QString multi = argc > 1 ? QString::fromLocal8Bit(argv[1]) : WriteMultiLine(tmp.path(), 100LL * 1000 * 1000);
    QString single = argc > 2 ? QString::fromLocal8Bit(argv[2]) : WriteOneLine(tmp.path(), 5LL * 1000 * 1000);
    const double fileMb = QFile(multi).size() / 1e6;
    const double rssBefore = PeakRssMb();
    std::printf("%-4s %-46s %-16s %12s %-4s %s\n", "id", "operation", "input", "figure", "unit", "notes");

    TCodeEdit edit;
    edit.SetMaxUndo(100000);
    double ms = 0;
    if (!Load(edit, multi, ms)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(multi));
        return 1;
    }
    const double rss = PeakRssMb();
    Row("L1", "read, decode (UTF-8), split into the line store", QString::number(fileMb, 'f', 0) + " MB", ms, "ms",
        QStringLiteral("%1 lines; peak RSS %2 MB (%3 x file; %4 MB before)")
            .arg(edit.LineCount())
            .arg(rss, 0, 'f', 0)
            .arg(rss / fileMb, 0, 'f', 2)
            .arg(rssBefore, 0, 'f', 0));

    TFlatHighlighter hl;
    QElapsedTimer t;
    t.start();
    edit.SetHighlighter(&hl);
    Row("--", "compute all range states (flat highlighter)", "same", t.nsecsElapsed() / 1e6, "ms",
        QStringLiteral("%1 lines scanned").arg(edit.ScannedLineCount()));

    const int n = edit.LineCount();
    qint64 scanned = 0;
    const int lastLen = int(edit.Lines()[n - 1].size());
    double per = TypeAt(edit, BufferCoord(lastLen + 1, n), 1000, scanned);
    Row("E1", "type one character at the end of the last line", "same", per, "ms",
        QStringLiteral("%1 lines re-tokenized per key").arg(double(scanned) / 1000));
    per = TypeAt(edit, BufferCoord(10, n / 2), 1000, scanned);
    Row("E2", "type one character in the middle", "same", per, "ms",
        QStringLiteral("%1 lines re-tokenized per key").arg(double(scanned) / 1000));

    edit.SetCaretXY(BufferCoord(5, n / 2));
    t.restart();
    for (int i = 0; i < 100; ++i)
        edit.CommandProcessor(ecLineBreak);
    Row("--", "line break in the middle (inserts a line)", "same", t.nsecsElapsed() / 1e6 / 100, "ms", "per key");
    t.restart();
    for (int i = 0; i < 100; ++i)
        edit.Undo();
    Row("--", "undo of one line break", "same", t.nsecsElapsed() / 1e6 / 100, "ms", "per step");
    t.restart();
    edit.SetCaretXY(BufferCoord(3, n / 2));
    edit.SetBlockBegin(edit.CaretXY());
    const int selStart = edit.SelStart();
    Row("--", "SelStart (character position, on demand)", "same", t.nsecsElapsed() / 1e6, "ms",
        QStringLiteral("position %1").arg(selStart));
    t.restart();
    const qsizetype textLen = edit.Text().size();
    Row("--", "Text (whole document as one string)", "same", t.nsecsElapsed() / 1e6, "ms",
        QStringLiteral("%1 characters").arg(textLen));
    edit.SetHighlighter(nullptr);

    TCodeEdit one;
    one.SetMaxUndo(100000);
    if (!Load(one, single, ms)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(single));
        return 1;
    }
    const int len = int(one.Lines()[0].size());
    Row("--", "load the one-line document", QString::number(QFile(single).size() / 1e6, 'f', 0) + " MB one line",
        ms, "ms", QStringLiteral("%1 characters").arg(len));
    one.SetHighlighter(&hl);
    per = TypeAt(one, BufferCoord(len / 2, 1), 1000, scanned);
    Row("E4", "type one character in the middle of the line", "same", per, "ms",
        QStringLiteral("%1 lines re-tokenized per key").arg(double(scanned) / 1000));
    t.restart();
    for (int i = 0; i < 1000; ++i)
        one.Undo();
    Row("--", "undo one keystroke in the long line", "same", t.nsecsElapsed() / 1e6 / 1000, "ms", "per step");
    one.SetHighlighter(nullptr);
    return 0;
}
