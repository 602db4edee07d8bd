// The rows of the syntax check and link check reports, and the line a row points at.
#include "analysis/core/checkreport.h"

#include <QFileInfo>

int CountTextLines(QStringView text)
{
    int lines = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (text[i] == u'\n' || (text[i] == u'\r' && (i + 1 == n || text[i + 1] != u'\n')))
            ++lines;
    }
    if (n > 0 && text[n - 1] != u'\n' && text[n - 1] != u'\r')
        ++lines;
    return lines;
}

TSyntaxReport BuildSyntaxReport(const QString &text, int lineCount, const QString &tagDataFile)
{
    TSyntaxReport report;
    THTMLValidator validator;
    report.Rows.append(TReportRow{validator.GetVersion(), {}, riInfo});
    report.Rows.append(
        TReportRow{QStringLiteral("Validating %1 Lines ...").arg(lineCount), {}, riNone});
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
    report.Rows.append(
        TReportRow{QStringLiteral("Total of %1 Errors found!").arg(report.ErrorCount), {}, riInfo});
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
        report.Rows.append(TReportRow{documentFileName,
                            {link.URL, link.FileName, LinkStatus(link), link.TagName,
                             QString::number(link.Line)},
                            LinkImage(link)});
        report.Links.append(link);
        if (link.IsLocal && !link.Exists)
            ++report.BrokenCount;
    }
    return report;
}

std::optional<int> ReportRowLine(const TReportRow &row, bool linkReport)
{
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
