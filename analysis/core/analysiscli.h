// The command-line checks: "--check FILE..." and "--links FILE...", run without a display.
#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

// Exit codes of the command-line checks. When several things go wrong, the first error met
// (usage, tag data, then the files in order) decides; findings count only when nothing failed.
enum TAnalysisExitCode {
    aecOk = 0,              // every file checked, nothing found
    aecFindings = 1,        // a syntax error (--check) or a broken local link (--links)
    aecUsage = 2,           // no file named, or not an analysis command
    aecMissingFile = 3,     // a named file does not exist
    aecUnreadableFile = 4,  // a named file exists but cannot be read (or is a folder)
    aecNoTagData = 5        // the tag data file is missing, unreadable or holds no names
};

// True when args (the program's arguments without the program name) start with --check or
// --links, so main() can run RunAnalysisCommand instead of opening a window.
bool IsAnalysisCommand(const QStringList &args);

// The lines main()'s --help prints for these commands.
QString AnalysisCommandUsage();

// Runs "--check FILE..." or "--links FILE...". args are the program's arguments without the
// program name; tagDataPath is Data/tags.dat of the installation. Reports go to out, every
// failure is one line on err. Files are read like documents: a BOM decides, else UTF-8 when
// valid, else Windows-1252.
//   --check: per file a line "FILE:" and then the syntax report rows the window shows; reports
//            are separated by an empty line.
//   --links: per link one row "file<TAB>URL<TAB>full path<TAB>status<TAB>tag<TAB>line", file
//            being the absolute path; tabs and line breaks inside a field are written \t, \n, \r.
// Line numbers count from 0, as in the window's reports. Returns a TAnalysisExitCode.
int RunAnalysisCommand(const QStringList &args, const QString &tagDataPath, QTextStream &out,
                       QTextStream &err);
