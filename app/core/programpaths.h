// Where the program finds its Data/ and Templates/ folders and writes its backups.
#pragma once

#include <QString>

namespace ProgramPaths {

// The folder holding Data/ and Templates/: next to the executable in a build tree,
// ../share/tagforge when installed.
QString ResourceDir(const QString &executableDir);

} // namespace ProgramPaths
