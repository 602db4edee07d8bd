// Files written into a test's scratch folder.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

namespace TestSupport {

// Writes bytes to name inside dir and returns the file's path; a test cannot go on without it.
inline QString WriteScratchFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(name));
    return file.fileName();
}

} // namespace TestSupport
