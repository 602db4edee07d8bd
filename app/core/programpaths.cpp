// Where the program finds its Data/ and Templates/ folders and writes its backups.
#include "app/core/programpaths.h"

#include <QDir>
#include <QFileInfo>

namespace ProgramPaths {

QString ResourceDir(const QString &executableDir)
{
    const QDir dir(executableDir);
    if (QFileInfo(dir.filePath(QStringLiteral("Data"))).isDir())
        return dir.absolutePath();
    const QString installed = QDir::cleanPath(dir.filePath(QStringLiteral("../share/tagforge")));
    if (QFileInfo(installed + QStringLiteral("/Data")).isDir())
        return installed;
    return dir.absolutePath();
}

} // namespace ProgramPaths
