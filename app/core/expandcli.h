// "tagforge --expand FILE.htc...": writes each source's include-expanded page beside it.
#pragma once

#include <QStringList>
#include <QTextStream>

bool IsExpandCommand(const QStringList &args);
QString ExpandCommandUsage();

// Exit codes as the other command-line checks: 0 done, 1 an include could not be read (that
// page is not written), 2 usage or a page with directives that is not a .htc source (not
// written either), 3 a named file is missing, 4 a file cannot be read or written.
int RunExpandCommand(const QStringList &args, QTextStream &out, QTextStream &err);
