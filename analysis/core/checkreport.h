// The rows of the syntax check and link check reports, and the line a row points at.
#pragma once

#include "analysis/core/findings.h"
#include "analysis/core/htmlvalidator.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Indexes into the report's image list.
enum TReportImage { riNone = -1, riInfo = 0, riError = 1, riLinkOk = 2, riNotLocal = 3 };

// Link report columns after the caption: Link, Full URL, Status, Type, Line #.
enum TLinkColumn { lcLink = 0, lcFullUrl = 1, lcStatus = 2, lcType = 3, lcLine = 4 };

struct TReportRow
{
    TReportRow() = default;
    TReportRow(const QString &caption, const QStringList &subItems, int imageIndex)
        : Caption(caption), SubItems(subItems), ImageIndex(imageIndex)
    {}

    QString Caption;
    QStringList SubItems; // only the link report fills them
    int ImageIndex = riNone;
    // A finding of a .htc source that lies in an included file: that file's path and the
    // finding's line there (from 0); the caption then begins with the file's name.
    QString File;
    int FileLine = -1;
};

inline constexpr QStringView SyntaxReportTitle = u"HTML Validator";
inline constexpr QStringView LinkReportTitle = u"Link Verifier";

struct TSyntaxReport
{
    QList<TReportRow> Rows;
    int ErrorCount = 0;
    // Set when the check could not run (no tag data file, or no names in it). Rows then holds
    // what was added before: the version, the line count and a blank row.
    std::optional<QString> Failure;
};

struct TLinkReport
{
    QList<TReportRow> Rows;
    QList<TLink> Links;
    int BrokenCount = 0; // local links whose file does not exist
};

// The number of lines the editor shows for a text: line breaks (CR LF, LF or CR), plus one for
// a last line that does not end with one. An empty text has none.
int CountTextLines(QStringView text);

// Runs a syntax check of text against the tag data file and lays out the report rows.
TSyntaxReport BuildSyntaxReport(const QString &text, int lineCount, const QString &tagDataFile);

// The same for the document at documentPath: a .htc source is checked as the page expand makes
// of it. Findings in the source keep the row form "N: ..." with the source's own line N; those
// in an included file read "head.inc:N: ..." and carry the file and line in the row; a failed
// include is a row of its own at its directive.
TSyntaxReport BuildSyntaxReport(const QString &text, int lineCount, const QString &tagDataFile,
                                const QString &documentPath, const TPageExpander &expand);

// Runs a link check of text, resolving local links against the folder of documentFileName.
TLinkReport BuildLinkReport(const QString &text, const QString &documentFileName);

// The same, a .htc document checked as the page expand makes of it: a link written in an
// included file has that file as its row's caption and its line there, and carries both.
TLinkReport BuildLinkReport(const QString &text, const QString &documentFileName, const TPageExpander &expand);

// "Not Local", "OK" or "Broken", and the matching image.
QString LinkStatus(const TLink &link);
int LinkImage(const TLink &link);

// The line a double-clicked row names: after a link check its "Line #" column, after a syntax
// check the number before the row's first colon. Rows without a number give none.
std::optional<int> ReportRowLine(const TReportRow &row, bool linkReport);
