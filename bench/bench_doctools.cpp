// Document tools benchmark: characters to entities (C1), tag case (C2), date stamp refresh (C3).
//
//   bench_doctools entities FILE TABLE   C1: every character of FILE to its entity, TABLE's rows first
//   bench_doctools tagcase FILE          C2: every tag name of FILE in upper case
//   bench_doctools autodate FILE         C3: every date stamp of FILE refreshed in an editor, as the
//                                            refresh command does it (FILE holds the stamps)
//
// "--only ID" measures only that figure. Prints one "BENCH" line per figure (see benchcommon.h);
// bench/run.sh runs sed with the same rules beside these.
#include "bench/benchcommon.h"

#include "app/core/documentfile.h"
#include "doctools/core/charactertable.h"
#include "doctools/core/datestamps.h"
#include "doctools/core/textconversions.h"
#include "editor/core/codeedit.h"

#include <QFile>

namespace {

using bench::Measure;
using bench::Result;

QString ReadText(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll());
}

int Entities(const QString &path, const QString &tablePath)
{
    const TCharacterTableFile table = LoadCharacterTable(tablePath);
    if (!table.Error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(table.Error));
        return 1;
    }
    const Conversions::TEntityMap map(table.Rows);
    const QString text = ReadText(path);
    QString out;
    QList<double> runs;
    const double ms = Measure([&] { out.clear(); }, [&] { out = map.CharactersToEntities(text); }, &runs);
    Result("C1", bench::FileName(path)).Add("ms", ms).Runs(runs).Add("grown_chars", qint64(out.size() - text.size()));
    return 0;
}

int TagCase(const QString &path)
{
    const QString text = ReadText(path);
    QString out;
    QList<double> runs;
    // The command converts its own copy of the text in place; the copy is made before the clock starts.
    const double ms = Measure([&] { out = QString(text.constData(), text.size()); },
                              [&] { Conversions::ConvertTagCaseInPlace(out, true); }, &runs);
    qint64 changed = 0;
    for (qsizetype i = 0; i < text.size(); ++i)
        changed += text[i] != out[i];
    Result("C2", bench::FileName(path)).Add("ms", ms).Runs(runs).Add("changed_chars", changed);
    return 0;
}

int AutoDate(const QString &path)
{
    TCodeEdit edit;
    TEditLines lines;
    DocumentFile::LoadLines(path, lines);
    edit.LoadFrom(std::move(lines));
    const DateStamps::TDateLocale locale = DateStamps::FromQLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    // Each run is a day later, so that every stamp changes every time.
    QDateTime when(QDate(2001, 1, 1), QTime(9, 30, 0));
    int statements = 0;
    qsizetype replaced = 0;
    double coreMs = 0;
    QList<double> runs;
    const double ms =
        Measure([&] { when = when.addDays(1); },
                [&] {
                    QElapsedTimer core;
                    core.start();
                    const TEditLines &lines = edit.Lines();
                    const DateStamps::TRefresh refresh = DateStamps::RefreshAutoDates(
                        lines.Count(), [&](int i) { return QStringView(lines[i]); },
                        [&](const QString &format) { return DateStamps::FormatDateTime(format, when, locale); });
                    coreMs = double(core.nsecsElapsed()) / 1e6;
                    QList<TCodeEdit::TTextReplacement> ranges;
                    for (const DateStamps::TDateReplacement &r : refresh.Replacements)
                        ranges.append({int(r.Start) + 1, int(r.End) + 1, r.Text});
                    edit.ReplaceRanges(ranges);
                    statements = refresh.Statements;
                    replaced = refresh.Replacements.size();
                },
                &runs);
    Result("C3", bench::FileName(path))
        .Add("ms", ms)
        .Runs(runs)
        .Add("scan_ms", coreMs)
        .Add("statements", statements)
        .Add("replaced", qint64(replaced));
    return statements > 0 ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    bench::TakeOnlyOption(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_doctools entities FILE TABLE | tagcase FILE | autodate FILE\n");
        return 2;
    }
    const QByteArray mode = argv[1];
    const QString path = QString::fromLocal8Bit(argv[2]);
    if (mode == "entities" && argc >= 4)
        return Entities(path, QString::fromLocal8Bit(argv[3]));
    if (mode == "tagcase")
        return TagCase(path);
    if (mode == "autodate")
        return AutoDate(path);
    std::fprintf(stderr, "bench_doctools: unknown mode %s\n", argv[1]);
    return 2;
}
