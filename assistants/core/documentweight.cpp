// The document weight: the page's links measured on disk.
#include "assistants/core/documentweight.h"

#include "analysis/core/checkreport.h"
#include "analysis/core/htmlvalidator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace DocumentWeight {

const TModem kModems[3] = {{"56K Modem:", 6600}, {"33.6K Modem:", 3800}, {"14.4K Modem:", 1600}};

std::optional<qint64> FileSize(const QString &path)
{
    // Only regular files: a folder would report its entry's size, and opening a named pipe
    // waits for a writer that never comes.
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.size();
}

bool IsSaved(const QString &documentPath)
{
    return !documentPath.isEmpty() && QFileInfo(documentPath).isAbsolute();
}

QString BaseDir(const QString &documentPath)
{
    return IsSaved(documentPath) ? QFileInfo(documentPath).absolutePath() : QDir::currentPath();
}

namespace {

TDependency Row(const TLink &link)
{
    TDependency row;
    row.FileName = link.FileName;
    row.SizeText = QStringLiteral("-");
    if (!link.IsLocal) {
        row.Status = NotLocal;
        row.StatusText = QStringLiteral("Not Local");
        row.Image = riNotLocal;
        return row;
    }
    const std::optional<qint64> size = link.Exists ? FileSize(link.FileName) : std::nullopt;
    if (!size) {
        // A file that is there but cannot be read would weigh nothing and still say "OK": it
        // is listed as unreadable, so the total is not taken for complete.
        const bool unreadable = link.Exists && QFileInfo(link.FileName).isFile();
        row.Status = unreadable ? NotReadable : FileNotFound;
        row.StatusText = unreadable ? QStringLiteral("Not readable") : QStringLiteral("File not found");
        row.Image = riError;
        return row;
    }
    row.Status = FileOk;
    row.StatusText = QStringLiteral("OK");
    row.Image = riLinkOk;
    if (*size >= 1) {
        row.Bytes = *size;
        row.SizeText = KiloBytes(*size);
    }
    return row;
}

} // namespace

TWeight Measure(const QString &text, const QString &documentPath)
{
    TWeight weight;
    weight.BaseDir = BaseDir(documentPath);
    THTMLValidator validator;
    validator.CheckLinks(text, weight.BaseDir);
    weight.NoLinks = validator.LinkCount() == 0;

    QSet<QString> listed;
    for (int i = 0; i < validator.LinkCount(); ++i) {
        const TLink &link = validator.GetLink(i);
        // A hyperlink's target is another page the visitor may never open.
        if (link.TagName.compare(QLatin1String("a"), Qt::CaseInsensitive) == 0)
            continue;
        if (listed.contains(link.FileName))
            continue;
        listed.insert(link.FileName);
        TDependency row = Row(link);
        weight.DependencyBytes += row.Bytes;
        weight.Dependencies.append(std::move(row));
    }

    if (IsSaved(documentPath)) {
        const std::optional<qint64> size = FileSize(documentPath);
        if (size && *size > 0)
            weight.DocumentBytes = *size;
    }
    return weight;
}

QString Notice(const TWeight &weight, const QString &documentPath, bool modified)
{
    if (!IsSaved(documentPath))
        return QStringLiteral("The document has not been saved yet: its own size is not counted, and its links are "
                              "looked up in %1.")
            .arg(QDir::toNativeSeparators(weight.BaseDir));
    if (!weight.DocumentBytes && !FileSize(documentPath))
        return QStringLiteral("The document's file cannot be read: its own size is not counted.");
    if (modified)
        return QStringLiteral("The document has unsaved changes: its size is that of the saved file, its links are "
                              "those in the editor.");
    return QString();
}

QString KiloBytes(qint64 bytes)
{
    return QString::asprintf("%.2f KB", double(bytes) / 1024.0);
}

QString DownloadTime(qint64 bytes, int bytesPerSecond)
{
    return QString::asprintf("%.1f second(s)", double(bytes) / double(bytesPerSecond));
}

} // namespace DocumentWeight
