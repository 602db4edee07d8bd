// Reading and writing project files.
#include "site/core/projectfile.h"

#include "platform/core/inputfile.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace Project {

namespace {
// A list of paths this long is no project file.
constexpr qint64 kMaxProjectBytes = qint64(16) << 20;
} // namespace

TRow RowFor(const QString &path)
{
    return {QFileInfo(path).fileName(), path};
}

TRead Read(const QString &path)
{
    TRead result;
    const InputFile::TRead file = InputFile::ReadRegularFile(path, kMaxProjectBytes);
    if (!file.Error.isEmpty()) {
        result.Error = QStringLiteral("Could not read the project %1: %2").arg(path, file.Error);
        return result;
    }
    if (InputFile::LooksBinary(file.Bytes)) {
        result.Error = QStringLiteral("%1 is no project file: it holds binary data.").arg(path);
        return result;
    }
    // Paths are UTF-8 here; a file written elsewhere in an 8-bit code page is read as Latin-1.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(file.Bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(file.Bytes);
    if (text.isEmpty())
        return result;
    QStringList lines = text.split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast(); // the break after the last line ends it, it starts no row
    for (QString &line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        result.Rows.append(RowFor(line));
    }
    return result;
}

QString Write(const QString &path, const QList<TRow> &rows)
{
    QByteArray bytes;
    for (const TRow &row : rows)
        bytes += row.Path.toUtf8() + "\r\n";
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("Could not write %1: %2").arg(path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.commit())
        return QStringLiteral("Could not write %1: %2").arg(path, file.errorString());
    return QString();
}

QString NewProjectFile(const QString &name)
{
    return name + QStringLiteral(".tfp");
}

QString StatusText(const QString &projectFile)
{
    return QStringLiteral("Project: ") + QFileInfo(projectFile).fileName();
}

} // namespace Project
