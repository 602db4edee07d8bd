// Where saving puts its bytes: a temporary file renamed over the target, or a stand-in for tests.
#pragma once

#include <QByteArrayView>
#include <QString>

#include <functional>
#include <memory>

class QSaveFile;

// The byte sink of DocumentFile::Save. A writer either ends in Commit(), after which the target
// holds exactly the bytes written, or in Cancel(), after which the target is as it was.
class TSaveWriter
{
public:
    virtual ~TSaveWriter() = default;
    virtual bool Open() = 0;
    // Writes every byte or fails; a failed write is never retried.
    virtual bool Write(QByteArrayView bytes) = 0;
    virtual bool Commit() = 0;
    virtual void Cancel() = 0;
    // The system's reason for the last failure, e.g. "No space left on device".
    virtual QString ErrorString() const = 0;
};

// Writes a temporary file beside the target, unbuffered so that every failed write(2) is seen
// where it happens (this Qt can lose a buffered write error inside QSaveFile::commit() and rename
// a short file over the target), and renames it over the target on Commit.
class TSafeFileWriter : public TSaveWriter
{
public:
    explicit TSafeFileWriter(const QString &target);
    ~TSafeFileWriter() override;
    bool Open() override;
    bool Write(QByteArrayView bytes) override;
    bool Commit() override;
    void Cancel() override;
    QString ErrorString() const override;

private:
    std::unique_ptr<QSaveFile> m_file;
    QString m_error;
};

using TSaveWriterFactory = std::function<std::unique_ptr<TSaveWriter>(const QString &target)>;

namespace DocumentFile {

// The writer every save uses for target. Tests replace the factory to make writes fail;
// an empty factory restores the safe file writer.
std::unique_ptr<TSaveWriter> CreateSaveWriter(const QString &target);
void SetSaveWriterFactory(TSaveWriterFactory factory);

} // namespace DocumentFile
