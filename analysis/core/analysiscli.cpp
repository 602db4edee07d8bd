// The command-line checks: "--check FILE..." and "--links FILE...", run without a display.
#include "analysis/core/analysiscli.h"

#include "analysis/core/checkreport.h"
#include "platform/core/textdecoding.h"

#include <QFile>
#include <QFileInfo>

#include <optional>

namespace {

const QString CheckOption = QStringLiteral("--check");
const QString LinksOption = QStringLiteral("--links");
const QString Program = QStringLiteral("tagforge");

struct TDocument {
    QString Text;
    int ErrorCode = aecOk;
    QString Error;
};

TDocument ReadDocument(const QString &path)
{
    TDocument doc;
    const QFileInfo info(path);
    if (!info.exists()) {
        doc.ErrorCode = aecMissingFile;
        doc.Error = QStringLiteral("no such file");
        return doc;
    }
    if (info.isDir()) {
        doc.ErrorCode = aecUnreadableFile;
        doc.Error = QStringLiteral("cannot read: is a folder");
        return doc;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        doc.ErrorCode = aecUnreadableFile;
        doc.Error = QStringLiteral("cannot read: ") + file.errorString();
        return doc;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        doc.ErrorCode = aecUnreadableFile;
        doc.Error = QStringLiteral("cannot read: ") + file.errorString();
        return doc;
    }
    doc.Text = DecodeFileBytes(bytes).Text;
    return doc;
}

// One field of a tab-separated row: a tab or line break inside it would split the row.
QString Field(const QString &text)
{
    QString field = text;
    field.replace(u'\t', QStringLiteral("\\t"));
    field.replace(u'\n', QStringLiteral("\\n"));
    field.replace(u'\r', QStringLiteral("\\r"));
    return field;
}

void Fail(QTextStream &err, const QString &message)
{
    err << Program << ": " << message << Qt::endl;
}

// The tag data is loaded once up front, so that a missing file is one error, not one per page.
std::optional<int> CheckTagData(const QString &tagDataPath, QTextStream &err)
{
    THTMLValidator probe;
    try {
        probe.LoadTagData(tagDataPath);
    } catch (const EFileOpenError &e) {
        Fail(err, QStringLiteral("tag data: ") + e.Message());
        return aecNoTagData;
    }
    if (probe.TagData().isEmpty()) {
        Fail(err, ENoTagDataLoaded().Message() + QStringLiteral(" (\"%1\" holds no tag names)")
                                                      .arg(tagDataPath));
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
    return QStringLiteral(
        "  --check FILE...   print the syntax report of each file; exit 1 when an error is found\n"
        "  --links FILE...   print each link as: file, URL, full path, status, tag, line\n"
        "                    (tab-separated); exit 1 when a local link is broken\n"
        "  Line numbers count from 0. Exit codes: 0 nothing found, 1 findings, 2 bad command\n"
        "  line, 3 a file is missing, 4 a file cannot be read, 5 tag data missing or empty.\n");
}

int RunAnalysisCommand(const QStringList &args, const QString &tagDataPath, QTextStream &out,
                       QTextStream &err)
{
    if (!IsAnalysisCommand(args)) {
        Fail(err, QStringLiteral("expected --check or --links"));
        return aecUsage;
    }
    const bool check = args.first() == CheckOption;
    const QStringList files = args.mid(1);
    if (files.isEmpty()) {
        Fail(err, args.first() + QStringLiteral(" needs at least one FILE"));
        return aecUsage;
    }
    if (check) {
        if (const auto failed = CheckTagData(tagDataPath, err))
            return *failed;
    }

    int failure = aecOk;
    bool findings = false;
    bool firstReport = true;
    for (const QString &path : files) {
        const TDocument doc = ReadDocument(path);
        if (doc.ErrorCode != aecOk) {
            Fail(err, path + QStringLiteral(": ") + doc.Error);
            if (failure == aecOk)
                failure = doc.ErrorCode;
            continue;
        }
        if (check) {
            const TSyntaxReport report =
                BuildSyntaxReport(doc.Text, CountTextLines(doc.Text), tagDataPath);
            if (!firstReport)
                out << '\n';
            firstReport = false;
            out << path << ":\n";
            for (const TReportRow &row : report.Rows)
                out << row.Caption << '\n';
            if (report.Failure) {  // the tag data went away while we ran
                Fail(err, QStringLiteral("tag data: ") + *report.Failure);
                if (failure == aecOk)
                    failure = aecNoTagData;
            }
            findings = findings || report.ErrorCount > 0;
        } else {
            const QString fullName = QFileInfo(path).absoluteFilePath();
            const TLinkReport report = BuildLinkReport(doc.Text, fullName);
            for (const TLink &link : report.Links) {
                out << Field(fullName) << '\t' << Field(link.URL) << '\t' << Field(link.FileName)
                    << '\t' << LinkStatus(link) << '\t' << Field(link.TagName) << '\t'
                    << link.Line << '\n';
            }
            findings = findings || report.BrokenCount > 0;
        }
    }
    out.flush();
    if (failure != aecOk)
        return failure;
    return findings ? aecFindings : aecOk;
}
