// The command-line checks: "--check FILE..." and "--links FILE...", run without a display.
#pragma once

#include "analysis/core/findings.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

// Exit codes of the command-line checks. When several things go wrong, the first error met
// (usage, tag data, then the files in order) decides; findings count only when nothing failed.
enum TAnalysisExitCode {
    aecOk = 0,             // every file checked, nothing found
    aecFindings = 1,       // a syntax error (--check) or a broken local link (--links)
    aecUsage = 2,          // no file named, an unknown option, or not an analysis command
    aecMissingFile = 3,    // a named file does not exist
    aecUnreadableFile = 4, // a named file cannot be read: no permission, a pipe or device, too large
    aecNoTagData = 5       // the tag data file is missing, unreadable or holds no names
};

struct TAnalysisOptions
{
    QString TagDataPath;  // Data/tags.dat of the installation
    TPageExpander Expand; // for .htc sources; empty: they are checked as written
    int Jobs = 0;         // files checked at once; 0: one per processor core
};

// True when args (the program's arguments without the program name) start with --check or
// --links, so main() can run RunAnalysisCommand instead of opening a window.
bool IsAnalysisCommand(const QStringList &args);

// The lines --help prints for these commands.
QString AnalysisCommandUsage();

// Runs "--check [--format=json] PATH..." or "--links [--format=json] PATH...". args are the
// program's arguments without the program name. A folder stands for every .html, .htm and
// .htc file below it, in name order. Files are read like documents (a BOM decides, else UTF-8
// when valid, else Windows-1252); a .htc source is checked as the page its includes produce,
// each finding placed in the file it is written in. Files are checked on several threads and
// reported in the order named.
//   --check: one line per finding, "FILE:LINE:COLUMN: error: message", in document order;
//            --format=json: one JSON array of {file, line, column, severity, message}.
//   --links: per link one row "file<TAB>URL<TAB>full path<TAB>status<TAB>tag<TAB>line", file
//            being the absolute path of the file the link is written in; tabs and line breaks
//            inside a field are written \t, \n, \r; --format=json: one array of {file, line,
//            column, url, target, status, tag}.
// Lines and columns count from 1. Control characters in names and messages are written as
// \xNN. Every failure is one line on err. Returns a TAnalysisExitCode.
int RunAnalysisCommand(const QStringList &args, const TAnalysisOptions &options, QTextStream &out, QTextStream &err);
int RunAnalysisCommand(const QStringList &args, const QString &tagDataPath, QTextStream &out, QTextStream &err);
