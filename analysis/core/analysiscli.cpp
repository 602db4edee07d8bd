// The command-line checks: "--check FILE..." and "--links FILE...", run without a display.
#include "analysis/core/analysiscli.h"

#include "analysis/core/checkreport.h"
#include "platform/core/inputfile.h"
#include "platform/core/textdecoding.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace {

const QString CheckOption = QStringLiteral("--check");
const QString LinksOption = QStringLiteral("--links");
const QString Program = QStringLiteral("tagforge");

// What checking one file gives: its output, and its failure if it could not be checked.
struct TFileResult
{
    QString Out;
    QStringList Json; // one object per finding or link
    QString Error;
    int ErrorCode = aecOk;
    bool Findings = false;
};

// One field of a tab-separated row: a tab or line break inside it would split the row, any
// other control character could steer the terminal.
QString Field(const QString &text)
{
    QString field = text;
    field.replace(u'\t', QStringLiteral("\\t"));
    field.replace(u'\n', QStringLiteral("\\n"));
    field.replace(u'\r', QStringLiteral("\\r"));
    return InputFile::Printable(field);
}

QString JsonString(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'"': out += QStringLiteral("\\\""); break;
        case u'\\': out += QStringLiteral("\\\\"); break;
        case u'\n': out += QStringLiteral("\\n"); break;
        case u'\r': out += QStringLiteral("\\r"); break;
        case u'\t': out += QStringLiteral("\\t"); break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7f || (c.unicode() >= 0x80 && c.unicode() < 0xa0))
                out += QStringLiteral("\\u%1").arg(int(c.unicode()), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out + u'"';
}

void Fail(QTextStream &err, const QString &message)
{
    err << Program << ": " << InputFile::Printable(message) << Qt::endl;
}

bool IsPageFile(const QString &name)
{
    const QString suffix = QFileInfo(name).suffix().toLower();
    return suffix == QLatin1String("html") || suffix == QLatin1String("htm") || suffix == QLatin1String("htc");
}

bool IsSourceFile(const QString &name)
{
    return QFileInfo(name).suffix().compare(QLatin1String("htc"), Qt::CaseInsensitive) == 0;
}

struct TJob
{
    QString Path; // as named, or as found below a named folder
};

// A folder stands for its pages, in name order, so that runs are repeatable.
QList<TJob> ListJobs(const QStringList &paths)
{
    QList<TJob> jobs;
    for (const QString &path : paths) {
        if (!QFileInfo(path).isDir()) {
            jobs.append({path});
            continue;
        }
        QStringList found;
        QDirIterator it(path, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            if (IsPageFile(file))
                found.append(file);
        }
        found.sort();
        for (const QString &file : std::as_const(found))
            jobs.append({file});
    }
    return jobs;
}

class TChecker
{
public:
    TChecker(bool check, bool json, const THTMLValidator &tagData, const TAnalysisOptions &options)
        : m_Check(check), m_Json(json), m_TagData(tagData), m_Options(options)
    {}

    TFileResult Run(const QString &path) const
    {
        TFileResult result;
        const QFileInfo info(path);
        if (!info.exists() && !info.isSymLink()) {
            result.ErrorCode = aecMissingFile;
            result.Error = path + QStringLiteral(": no such file");
            return result;
        }
        const InputFile::TRead read = InputFile::ReadRegularFile(path);
        if (!read.Error.isEmpty()) {
            result.ErrorCode = aecUnreadableFile;
            result.Error = path + QStringLiteral(": cannot read: ") + read.Error;
            return result;
        }
        const QString fullName = info.absoluteFilePath();
        TCheckedText page;
        page.Text = DecodeFileBytes(read.Bytes).Text;
        if (IsSourceFile(path) && m_Options.Expand)
            page = m_Options.Expand(fullName, page.Text);
        if (m_Check)
            CheckSyntax(path, page, result);
        else
            CheckLinks(fullName, page, result);
        return result;
    }

private:
    void CheckSyntax(const QString &path, const TCheckedText &page, TFileResult &result) const
    {
        THTMLValidator validator = m_TagData;
        validator.Validate(page.Text);
        const QList<TFinding> findings = SyntaxFindings(validator, page, path);
        result.Findings = !findings.isEmpty();
        for (const TFinding &f : findings) {
            if (m_Json) {
                result.Json.append(
                    QStringLiteral("{\"file\": %1, \"line\": %2, \"column\": %3, \"severity\": %4, \"message\": %5}")
                        .arg(JsonString(f.File))
                        .arg(f.Line)
                        .arg(f.Column)
                        .arg(JsonString(f.Severity), JsonString(f.Message)));
            } else {
                result.Out += QStringLiteral("%1:%2:%3: %4: %5\n")
                                  .arg(InputFile::Printable(f.File))
                                  .arg(f.Line)
                                  .arg(f.Column)
                                  .arg(f.Severity, InputFile::Printable(f.Message));
            }
        }
    }

    void CheckLinks(const QString &fullName, const TCheckedText &page, TFileResult &result) const
    {
        const TLinkReport report = BuildLinkReport(page.Text, fullName);
        result.Findings = report.BrokenCount > 0;
        if (!page.Problem.isEmpty())
            result.Error = PlaceText(page, fullName, page.ProblemOffset) + QStringLiteral(": ") + page.Problem;
        std::optional<TLineIndex> lines;
        for (const TLink &link : report.Links) {
            TFinding at;
            if (page.Locate) {
                at = PlaceFinding(page, fullName, link.Offset);
                at.File = QFileInfo(at.File).absoluteFilePath(); // link rows name files in full
            } else {
                if (!lines)
                    lines.emplace(page.Text);
                const TTextPosition p = lines->Position(link.Offset);
                at.File = fullName;
                at.Line = p.Line + 1;
                at.Column = p.Column + 1;
            }
            if (m_Json) {
                result.Json.append(QStringLiteral("{\"file\": %1, \"line\": %2, \"column\": %3, \"url\": %4, "
                                                  "\"target\": %5, \"status\": %6, \"tag\": %7}")
                                       .arg(JsonString(at.File))
                                       .arg(at.Line)
                                       .arg(at.Column)
                                       .arg(JsonString(link.URL), JsonString(link.FileName),
                                            JsonString(LinkStatus(link)), JsonString(link.TagName)));
            } else {
                result.Out += Field(at.File) + u'\t' + Field(link.URL) + u'\t' + Field(link.FileName) + u'\t'
                              + LinkStatus(link) + u'\t' + Field(link.TagName) + u'\t' + QString::number(at.Line)
                              + u'\n';
            }
        }
    }

    static QString PlaceText(const TCheckedText &page, const QString &name, qsizetype offset)
    {
        const TFinding f = PlaceFinding(page, name, offset);
        return QStringLiteral("%1:%2:%3").arg(f.File).arg(f.Line).arg(f.Column);
    }

    const bool m_Check;
    const bool m_Json;
    const THTMLValidator &m_TagData;
    const TAnalysisOptions &m_Options;
};

// The tag data is loaded once up front, so that a missing file is one error, not one per page.
std::optional<int> LoadTagData(THTMLValidator &validator, const QString &tagDataPath, QTextStream &err)
{
    try {
        validator.LoadTagData(tagDataPath);
    } catch (const EFileOpenError &e) {
        Fail(err, QStringLiteral("tag data: ") + e.Message());
        return aecNoTagData;
    }
    if (validator.TagData().isEmpty()) {
        Fail(err, ENoTagDataLoaded().Message() + QStringLiteral(" (\"%1\" holds no tag names)").arg(tagDataPath));
        return aecNoTagData;
    }
    return std::nullopt;
}

} // namespace

bool IsAnalysisCommand(const QStringList &args)
{
    return !args.isEmpty() && (args.first() == CheckOption || args.first() == LinksOption);
}

QString AnalysisCommandUsage()
{
    return QStringLiteral("  --check PATH...   check the syntax of each page; one line per finding:\n"
                          "                    FILE:LINE:COLUMN: error: message (lines and columns from 1)\n"
                          "  --links PATH...   print each link as: file, URL, full path, status, tag, line\n"
                          "                    (tab-separated); exit 1 when a local link is broken\n"
                          "  --format=json     after --check or --links: print one JSON array instead\n"
                          "  --jobs=N          after --check or --links: check N files at once\n"
                          "                    (default: one per processor core)\n"
                          "  A PATH that is a folder stands for every .html, .htm and .htc file below it.\n"
                          "  A .htc source is checked as the page its includes produce; a finding inside\n"
                          "  an included file names that file and its line. Pipes, devices and files over\n"
                          "  256 MB are refused. Exit codes: 0 nothing found, 1 findings, 2 bad command\n"
                          "  line, 3 a file is missing, 4 a file cannot be read, 5 no tag data.\n");
}

int RunAnalysisCommand(const QStringList &args, const QString &tagDataPath, QTextStream &out, QTextStream &err)
{
    TAnalysisOptions options;
    options.TagDataPath = tagDataPath;
    return RunAnalysisCommand(args, options, out, err);
}

int RunAnalysisCommand(const QStringList &args, const TAnalysisOptions &options, QTextStream &out, QTextStream &err)
{
    if (!IsAnalysisCommand(args)) {
        Fail(err, QStringLiteral("expected --check or --links"));
        return aecUsage;
    }
    const bool check = args.first() == CheckOption;
    bool json = false;
    int jobs = options.Jobs;
    QStringList paths;
    bool optionsEnd = false;
    for (const QString &arg : args.mid(1)) {
        if (optionsEnd || !arg.startsWith(u'-') || arg == QLatin1String("-")) {
            paths.append(arg);
        } else if (arg == QLatin1String("--")) {
            optionsEnd = true;
        } else if (arg == QLatin1String("--format=json")) {
            json = true;
        } else if (arg == QLatin1String("--format=text")) {
            json = false;
        } else if (arg.startsWith(QLatin1String("--jobs="))) {
            bool ok = false;
            jobs = arg.mid(7).toInt(&ok);
            if (!ok || jobs < 1) {
                Fail(err, QStringLiteral("%1: expected a number of at least 1").arg(arg));
                return aecUsage;
            }
        } else {
            Fail(err, QStringLiteral("unknown option %1 (see --help)").arg(arg));
            return aecUsage;
        }
    }
    if (paths.isEmpty()) {
        Fail(err, args.first() + QStringLiteral(" needs at least one FILE"));
        return aecUsage;
    }
    THTMLValidator tagData;
    if (check) {
        if (const auto failed = LoadTagData(tagData, options.TagDataPath, err))
            return *failed;
    }

    const QList<TJob> list = ListJobs(paths);
    const TChecker checker(check, json, tagData, options);
    std::vector<std::optional<TFileResult>> results(size_t(list.size()));
    std::mutex mutex;
    std::condition_variable ready;
    std::atomic<qsizetype> next{0};
    const auto work = [&] {
        for (qsizetype i = next++; i < list.size(); i = next++) {
            TFileResult result = checker.Run(list.at(i).Path);
            std::lock_guard lock(mutex);
            results[size_t(i)] = std::move(result);
            ready.notify_all();
        }
    };
    if (jobs <= 0)
        jobs = int(std::max(1u, std::thread::hardware_concurrency()));
    jobs = int(std::min<qsizetype>(jobs, list.size()));
    // One file at a time runs here; more run on their own threads while this one prints.
    std::vector<std::thread> threads;
    if (jobs <= 1) {
        work();
    } else {
        for (int t = 0; t < jobs; ++t)
            threads.emplace_back(work);
    }

    // Reports go out in the order the files were named, each as soon as it and those before it are done.
    int failure = aecOk;
    bool findings = false;
    bool firstJson = true;
    if (json)
        out << "[";
    for (size_t i = 0; i < results.size(); ++i) {
        TFileResult result;
        {
            std::unique_lock lock(mutex);
            ready.wait(lock, [&] { return results[i].has_value(); });
            result = std::move(*results[i]);
            results[i].reset();
        }
        if (!result.Error.isEmpty()) {
            Fail(err, result.Error);
            if (failure == aecOk && result.ErrorCode != aecOk)
                failure = result.ErrorCode;
        }
        if (json) {
            for (const QString &object : std::as_const(result.Json)) {
                out << (firstJson ? "\n  " : ",\n  ") << object;
                firstJson = false;
            }
        } else {
            out << result.Out;
        }
        findings = findings || result.Findings;
    }
    if (json)
        out << (firstJson ? "]\n" : "\n]\n");
    for (std::thread &thread : threads)
        thread.join();
    out.flush();
    if (failure != aecOk)
        return failure;
    return findings ? aecFindings : aecOk;
}
