// Reading a file named on the command line or in a directive: only regular files, up to a size.
#include "platform/core/inputfile.h"

#include <QFile>
#include <limits>

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace InputFile {

TRead ReadRegularFile(const QString &path, qint64 maxBytes)
{
    TRead read;
    const QByteArray native = QFile::encodeName(path);
    // O_NONBLOCK: opening a FIFO with no writer must not hang; fstat then refuses it.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        read.Error = QString::fromLocal8Bit(strerror(errno));
        return read;
    }
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0) {
        read.Error = QString::fromLocal8Bit(strerror(errno));
        ::close(fd);
        return read;
    }
    if (S_ISDIR(st.st_mode)) {
        read.Error = QStringLiteral("is a folder");
    } else if (!S_ISREG(st.st_mode)) {
        read.Error = QStringLiteral("not a regular file (a pipe, device or socket)");
    } else if (st.st_size > maxBytes) {
        read.Error = QStringLiteral("larger than %1 MB").arg(maxBytes >> 20);
    }
    if (!read.Error.isEmpty()) {
        ::close(fd);
        return read;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        read.Error = file.errorString();
        ::close(fd);
        return read;
    }
    // Read to the end rather than to st_size (the file may grow), but never past the limit.
    read.Bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        read.Error = file.errorString();
        read.Bytes.clear();
    } else if (read.Bytes.size() > maxBytes) {
        read.Error = QStringLiteral("larger than %1 MB").arg(maxBytes >> 20);
        read.Bytes.clear();
    }
    return read;
}

QString Problem(const QString &path, qint64 maxBytes)
{
    struct stat st
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return QString::fromLocal8Bit(strerror(errno));
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("is a folder");
    if (!S_ISREG(st.st_mode))
        return QStringLiteral("not a regular file (a pipe, device or socket)");
    if (st.st_size > maxBytes)
        return QStringLiteral("larger than %1 MB").arg(maxBytes >> 20);
    return QString();
}

bool LooksBinary(const QByteArray &bytes)
{
    if (bytes.startsWith("\xff\xfe") || bytes.startsWith("\xfe\xff") || bytes.startsWith(QByteArray("\0\0\xfe\xff", 4)))
        return false;
    return bytes.left(64 * 1024).contains('\0');
}

QString Printable(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != u'\t') || u == 0x7f || (u >= 0x80 && u < 0xa0))
            out += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

} // namespace InputFile

std::optional<qint64> InputFile::AvailableMemory()
{
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    if (!meminfo.open(QIODevice::ReadOnly))
        return std::nullopt;
    // "MemAvailable:   12345678 kB"
    for (const QByteArray &line : meminfo.readAll().split('\n')) {
        if (!line.startsWith("MemAvailable:"))
            continue;
        bool ok = false;
        const qint64 kb = line.mid(13).trimmed().split(' ').value(0).toLongLong(&ok);
        return ok ? std::optional<qint64>(kb * 1024) : std::nullopt;
    }
    return std::nullopt;
}

QString InputFile::MemoryProblem(qint64 fileBytes, std::optional<qint64> available)
{
    if (!available || fileBytes <= 0 || fileBytes > std::numeric_limits<qint64>::max() / kEditorBytesPerFileByte)
        return available && fileBytes > 0 ? QStringLiteral("it is too large to open") : QString();
    const qint64 needed = fileBytes * kEditorBytesPerFileByte;
    if (needed <= *available)
        return QString();
    const auto gb = [](qint64 bytes) { return QString::number(double(bytes) / double(1 << 30), 'f', 1); };
    return QStringLiteral("it needs about %1 GB of memory to edit, and only %2 GB are free")
        .arg(gb(needed), gb(*available));
}
