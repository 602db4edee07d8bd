// How heavy a page is for a visitor: the size of its file, of the local files it pulls in (not
// the targets of its <a> links), their total and the download time over three modem speeds.
#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace DocumentWeight {

// The row icons are those of the check report: 1 error, 2 a good link, 3 not local.
enum TDependencyStatus { FileOk, NotLocal, FileNotFound, NotReadable };

struct TDependency
{
    QString FileName; // the row's caption: the full path of a local file, the URL of any other
    TDependencyStatus Status = FileOk;
    qint64 Bytes = 0; // what the file adds to the total
    QString SizeText; // "12.34 KB", or "-" when it adds nothing
    QString StatusText;
    int Image = 0;
};

struct TWeight
{
    bool NoLinks = false; // the page has no link at all; the list shows "No Links found..."
    QList<TDependency> Dependencies;
    std::optional<qint64> DocumentBytes; // the saved file's size; none for an empty, unsaved or unreadable file
    qint64 DependencyBytes = 0;
    QString BaseDir; // where the page's relative links were looked up
    qint64 TotalBytes() const { return DocumentBytes.value_or(0) + DependencyBytes; }
};

struct TModem
{
    const char *Caption;
    int BytesPerSecond;
};
// 56K, 33.6K and 14.4K modems, in the dialog's order.
extern const TModem kModems[3];

// The size of a regular file opened for reading; none when it cannot be opened or is no file.
std::optional<qint64> FileSize(const QString &path);

// The folder of the document's file; the current folder for a document never saved (its path is
// empty or a bare "Untitled" name).
QString BaseDir(const QString &documentPath);
bool IsSaved(const QString &documentPath);

// Measures text (the editor's contents) as the page at documentPath. Each dependency is listed and
// counted once, in the order the page first links it.
TWeight Measure(const QString &text, const QString &documentPath);

// What the user should know about the figures of a document that is not as saved: never saved,
// changed since, or a file that cannot be read. Empty when the figures are those of its file.
QString Notice(const TWeight &weight, const QString &documentPath, bool modified);

QString KiloBytes(qint64 bytes);                        // "%.2f KB", 1024 bytes to the KB
QString DownloadTime(qint64 bytes, int bytesPerSecond); // "%.1f second(s)"

} // namespace DocumentWeight
