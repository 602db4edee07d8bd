// Reading a file named on the command line or in a directive: only regular files, up to a size.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace InputFile {

// Documents and included files larger than this are refused rather than read.
constexpr qint64 kMaxBytes = qint64(256) << 20;

struct TRead
{
    QByteArray Bytes;
    QString Error; // empty when Bytes holds the whole file
};

// Reads a regular file whole. A FIFO, a device, a socket or a folder is refused without being
// opened for reading (a FIFO would block, /dev/zero never ends), and so is a file over maxBytes.
TRead ReadRegularFile(const QString &path, qint64 maxBytes = kMaxBytes);

// Why path cannot be read as a document without opening it: not a regular file (a FIFO, a
// device, a folder), larger than maxBytes, or missing; empty when it can.
QString Problem(const QString &path, qint64 maxBytes = kMaxBytes);

// The memory the system can still give without swapping (MemAvailable), in bytes; nothing when
// it cannot be told.
std::optional<qint64> AvailableMemory();

// Why a document of fileBytes cannot be opened in the editor, whose lines take about
// kEditorBytesPerFileByte bytes of memory per byte of the file (UTF-16 text plus each line's
// record); empty when it fits into available (or available is unknown).
constexpr qint64 kEditorBytesPerFileByte = 4;
QString MemoryProblem(qint64 fileBytes, std::optional<qint64> available);

// Whether bytes are no text: a NUL byte near the start of a file without a UTF-16 or UTF-32 BOM.
bool LooksBinary(const QByteArray &bytes);

// Text fit for a terminal: control characters (but tab) written as \xNN, so that a binary
// file's bytes quoted in a message cannot move the cursor or change the terminal's state.
QString Printable(const QString &text);

} // namespace InputFile
