// Preview copies: where they are written and how an external browser is started on one.
#include "app/core/preview.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace Preview {

QString DocumentDir(const QString &path, const QString &fallbackDir)
{
    const QFileInfo info(path);
    return info.isAbsolute() ? info.absolutePath() : fallbackDir;
}

QString ExitCopyName(const QString &path, const QString &fallbackDir)
{
    return QDir(DocumentDir(path, fallbackDir)).filePath(QStringLiteral("~qw") + QFileInfo(path).fileName());
}

QString PreviewName(const QString &path, const QString &fallbackDir)
{
    QString name = ExitCopyName(path, fallbackDir);
    // Browsers go by the extension: an include source, or a document never saved (no extension
    // at all), would otherwise show as plain text.
    if (path.endsWith(QLatin1String(".htc"), Qt::CaseInsensitive) || QFileInfo(path).suffix().isEmpty())
        name += QStringLiteral(".htm");
    return name;
}

TCommand ExternalBrowserCommand(const QString &program, const QString &paramStart, const QString &file,
                                const QString &paramEnd)
{
    return {program, QProcess::splitCommand(paramStart + file + paramEnd)};
}

QString NoBrowserPathMessage()
{
    return QStringLiteral("Error!\r\nNo File Path defined for Browser Preview.\r\nSelect \"Browser ...\" "
                          "in menu \"Options\" and set the File Path before you try to view it.");
}

} // namespace Preview
