// Where saving puts its bytes: a temporary file renamed over the target, or a stand-in for tests.
#include "app/core/savewriter.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>

TSafeFileWriter::TSafeFileWriter(const QString &target) : m_file(std::make_unique<QSaveFile>(target)) {}

TSafeFileWriter::~TSafeFileWriter() = default;

bool TSafeFileWriter::Open()
{
    if (m_file->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return true;
    m_error = m_file->errorString();
    // "Not writable" alone does not say why: the system tells a read-only file system from a
    // permission the user lacks.
    const QFileInfo target(m_file->fileName());
    const QByteArray probe = QFile::encodeName(target.exists() ? target.absoluteFilePath() : target.absolutePath());
    if (::access(probe.constData(), W_OK) != 0)
        m_error += QStringLiteral(" (") + QString::fromLocal8Bit(std::strerror(errno)) + QLatin1Char(')');
    return false;
}

bool TSafeFileWriter::Write(QByteArrayView bytes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        errno = 0;
        const qint64 n = m_file->write(bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            const int code = errno;
            m_error = m_file->error() != QFileDevice::NoError || code == 0
                          ? m_file->errorString()
                          : QString::fromLocal8Bit(std::strerror(code));
            return false;
        }
        done += n;
    }
    return true;
}

bool TSafeFileWriter::Commit()
{
    // Nothing should be buffered (the file is unbuffered), but a flush error must never be
    // followed by the rename.
    if (!m_file->flush() || m_file->error() != QFileDevice::NoError) {
        m_error = m_file->errorString();
        m_file->cancelWriting();
        return false;
    }
    if (!m_file->commit()) {
        m_error = m_file->errorString();
        return false;
    }
    return true;
}

void TSafeFileWriter::Cancel()
{
    // The temporary file goes when the QSaveFile is destroyed uncommitted.
    m_file->cancelWriting();
}

QString TSafeFileWriter::ErrorString() const
{
    return m_error;
}

namespace DocumentFile {

namespace {
TSaveWriterFactory &Factory()
{
    static TSaveWriterFactory factory;
    return factory;
}
} // namespace

std::unique_ptr<TSaveWriter> CreateSaveWriter(const QString &target)
{
    if (const TSaveWriterFactory &factory = Factory())
        return factory(target);
    return std::make_unique<TSafeFileWriter>(target);
}

void SetSaveWriterFactory(TSaveWriterFactory factory)
{
    Factory() = std::move(factory);
}

} // namespace DocumentFile
