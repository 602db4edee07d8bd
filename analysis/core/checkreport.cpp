// The rows of the syntax check and link check reports, and the line a row points at.
#include "analysis/core/checkreport.h"

#include "analysis/core/charscan.h"

#include <QFileInfo>

TSyntaxReport BuildPlainSyntaxReport(const QString &text, int lineCount, const QString &tagDataFile);

int CountTextLines(QStringView text)
{
    int lines = 0;
    const qsizetype n = text.size();
    const char16_t *s = text.utf16();
    // Only line ends need a look; the text between them is skipped in blocks.
    ForEachOf4(s, 0, n, u'\n', u'\r', u'\n', u'\r', [&](qsizetype i) {
        if (s[i] == u'\n' || i + 1 == n || s[i + 1] != u'\n')
            ++lines;
    });
    if (n > 0 && text[n - 1] != u'\n' && text[n - 1] != u'\r')
        ++lines;
    return lines;
}

TSyntaxReport BuildSyntaxReport(const QString &text, int lineCount, const QString &tagDataFile)
{
    return BuildSyntaxReport(text, lineCount, tagDataFile, QString(), {});
}

namespace {

// A row of a source's report: where the finding lies decides its prefix.
TReportRow SourceRow(const TCheckedText &page, qsizetype offset, const QString &message)
{
    const TTextPosition at = page.Locate ? page.Locate(offset) : TLineIndex(page.Text).Position(offset);
    TReportRow row;
    row.ImageIndex = riError;
    if (at.File.isEmpty()) {
        row.Caption = QStringLiteral("%1: %2").arg(at.Line).arg(message);
    } else {
        row.Caption = QStringLiteral("%1:%2: %3").arg(QFileInfo(at.File).fileName()).arg(at.Line).arg(message);
        row.File = at.File;
        row.FileLine = at.Line;
    }
    return row;
}

} // namespace

TSyntaxReport BuildSyntaxReport(const QString &text, int lineCount, const QString &tagDataFile,
                                const QString &documentPath, const TPageExpander &expand)
{
    const bool source = expand && documentPath.endsWith(QLatin1String(".htc"), Qt::CaseInsensitive);
    if (!source)
        return BuildPlainSyntaxReport(text, lineCount, tagDataFile);
    const TCheckedText page = expand(documentPath, text);
    TSyntaxReport report = BuildPlainSyntaxReport(page.Text, lineCount, tagDataFile);
    if (report.Failure || (report.ErrorCount == 0 && page.Problem.isEmpty()))
        return report;
    THTMLValidator validator;
    validator.LoadTagData(tagDataFile);
    validator.Validate(page.Text);
    report.Rows.resize(3); // the version, the line count, the blank row
    bool problemPending = !page.Problem.isEmpty();
    for (int i = 0; i < validator.ErrorCount(); ++i) {
        const TError &error = validator.GetError(i);
        if (problemPending && page.ProblemOffset <= error.Offset) {
            report.Rows.append(SourceRow(page, page.ProblemOffset, page.Problem));
            problemPending = false;
        }
        // The message without the line number of the expanded text it begins with.
        report.Rows.append(SourceRow(page, error.Offset, error.Msg.mid(error.Msg.indexOf(u':') + 2)));
    }
    if (problemPending)
        report.Rows.append(SourceRow(page, page.ProblemOffset, page.Problem));
    report.ErrorCount = int(report.Rows.size()) - 3;
    report.Rows.append(TReportRow{QString(), {}, riNone});
    report.Rows.append(TReportRow{QStringLiteral("Total of %1 Errors found!").arg(report.ErrorCount), {}, riInfo});
    return report;
}

TSyntaxReport BuildPlainSyntaxReport(const QString &text, int lineCount, const QString &tagDataFile)
{
    TSyntaxReport report;
    THTMLValidator validator;
    report.Rows.append(TReportRow{validator.GetVersion(), {}, riInfo});
    report.Rows.append(TReportRow{QStringLiteral("Validating %1 Lines ...").arg(lineCount), {}, riNone});
    report.Rows.append(TReportRow{QString(), {}, riNone});
    try {
        validator.LoadTagData(tagDataFile);
        validator.Validate(text);
    } catch (const EFileOpenError &e) {
        report.Failure = e.Message();
        return report;
    } catch (const ENoTagDataLoaded &e) {
        report.Failure = e.Message();
        return report;
    }

    report.ErrorCount = validator.ErrorCount();
    if (report.ErrorCount < 1) {
        report.Rows.append(TReportRow{QStringLiteral("No Errors found..."), {}, riInfo});
        return report;
    }
    report.Rows.reserve(report.Rows.size() + report.ErrorCount + 2);
    for (int i = 0; i < report.ErrorCount; ++i)
        report.Rows.append(TReportRow{validator.GetError(i).Msg, {}, riError});
    report.Rows.append(TReportRow{QString(), {}, riNone});
    report.Rows.append(TReportRow{QStringLiteral("Total of %1 Errors found!").arg(report.ErrorCount), {}, riInfo});
    return report;
}

QString LinkStatus(const TLink &link)
{
    if (!link.IsLocal)
        return QStringLiteral("Not Local");
    return link.Exists ? QStringLiteral("OK") : QStringLiteral("Broken");
}

int LinkImage(const TLink &link)
{
    if (!link.IsLocal)
        return riNotLocal;
    return link.Exists ? riLinkOk : riError;
}

TLinkReport BuildLinkReport(const QString &text, const QString &documentFileName)
{
    TLinkReport report;
    THTMLValidator validator;
    validator.CheckLinks(text, QFileInfo(documentFileName).absolutePath());
    report.Rows.append(TReportRow{validator.GetVersion(), {}, riInfo});
    if (validator.LinkCount() < 1) {
        report.Rows.append(TReportRow{QStringLiteral("No Links found..."), {}, riInfo});
        return report;
    }
    report.Rows.reserve(validator.LinkCount() + 1);
    report.Links.reserve(validator.LinkCount());
    for (int i = 0; i < validator.LinkCount(); ++i) {
        const TLink &link = validator.GetLink(i);
        report.Rows.append(
            TReportRow{documentFileName,
                       {link.URL, link.FileName, LinkStatus(link), link.TagName, QString::number(link.Line)},
                       LinkImage(link)});
        report.Links.append(link);
        if (link.IsLocal && !link.Exists)
            ++report.BrokenCount;
    }
    return report;
}

TLinkReport BuildLinkReport(const QString &text, const QString &documentFileName, const TPageExpander &expand)
{
    if (!expand || !documentFileName.endsWith(QLatin1String(".htc"), Qt::CaseInsensitive))
        return BuildLinkReport(text, documentFileName);
    const TCheckedText page = expand(documentFileName, text);
    TLinkReport report = BuildLinkReport(page.Text, documentFileName);
    if (!page.Locate)
        return report;
    for (int i = 0; i < report.Links.size(); ++i) {
        TLink &link = report.Links[i];
        TReportRow &row = report.Rows[i + 1]; // after the version row
        const TTextPosition at = page.Locate(link.Offset);
        link.Line = at.Line;
        row.SubItems[lcLine] = QString::number(at.Line);
        if (!at.File.isEmpty()) {
            row.Caption = at.File;
            row.File = at.File;
            row.FileLine = at.Line;
        }
    }
    return report;
}

std::optional<int> ReportRowLine(const TReportRow &row, bool linkReport)
{
    if (row.FileLine >= 0)
        return row.FileLine;
    QString number;
    if (linkReport) {
        if (row.SubItems.size() <= lcLine)
            return std::nullopt;
        number = row.SubItems.at(lcLine);
    } else {
        const qsizetype colon = row.Caption.indexOf(u':');
        if (colon < 0)
            return std::nullopt;
        number = row.Caption.left(colon);
    }
    bool ok = false;
    const int line = number.trimmed().toInt(&ok);
    return ok ? std::optional<int>(line) : std::nullopt;
}
