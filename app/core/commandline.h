// The options that need no window: checks, expansion, version and help.
#pragma once

#include "analysis/core/findings.h"

#include <QStringList>

namespace CommandLine {

// True when args (without the program name) ask for something the command line answers.
bool IsCommand(const QStringList &args);

// The first argument the window would not understand, or nothing: the window takes file names,
// "--" (file names follow) and Qt's own options ("-style X", "-platform X"...). Anything else
// ("--chek") is a mistake, reported rather than opened as a file.
QString FirstUnknownOption(const QStringList &args);

// Says that option is unknown, then the usage, on stderr. Returns the exit code, 2.
int UnknownOption(const QString &option);

// Runs a command: args without the program name, resourceDir holding Data/. Returns the exit code.
int Run(const QStringList &args, const QString &resourceDir);

// A .htc source as the checks read it: the page its includes produce, each offset mapped to the
// file (its absolute path) and line it was written in; an include that fails is a finding at
// its directive.
TCheckedText ExpandedPage(const QString &path, const QString &text);

// ExpandedPage for the command line: included files below the current folder are named
// relative to it, as a user there would name them.
TPageExpander ShellExpander();

} // namespace CommandLine
