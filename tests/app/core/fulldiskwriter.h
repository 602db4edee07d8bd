// Test stand-ins for a disk that fills up: a real safe-file writer that runs out of space.
#pragma once

#include "app/core/savewriter.h"

#include <QFile>
#include <QString>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#include <unistd.h>

inline const QString NoSpace = QString::fromLocal8Bit(std::strerror(ENOSPC));

// A real safe-file writer with a disk that is full after `budget` bytes, the way write(2) behaves:
// the bytes that fit are written, then the call fails with ENOSPC.
class TFullDiskWriter : public TSaveWriter
{
public:
    TFullDiskWriter(const QString &target, qint64 budget, bool failCommit, int *commits)
        : m_real(target), m_budget(budget), m_failCommit(failCommit), m_commits(commits)
    {}
    bool Open() override { return m_real.Open(); }
    bool Write(QByteArrayView bytes) override
    {
        const qint64 fits = qMin<qint64>(bytes.size(), m_budget);
        m_budget -= fits;
        if (fits > 0 && !m_real.Write(bytes.first(fits)))
            return false;
        if (fits < bytes.size()) {
            m_error = NoSpace;
            return false;
        }
        return true;
    }
    bool Commit() override
    {
        ++*m_commits;
        if (m_failCommit) {
            m_error = NoSpace;
            m_real.Cancel();
            return false;
        }
        return m_real.Commit();
    }
    void Cancel() override { m_real.Cancel(); }
    QString ErrorString() const override { return m_error.isEmpty() ? m_real.ErrorString() : m_error; }

private:
    TSafeFileWriter m_real;
    qint64 m_budget;
    bool m_failCommit;
    int *m_commits;
    QString m_error;
};

// A small tmpfs of its own, mounted where the test may (as root, with mount permitted).
class TSmallDisk
{
public:
    explicit TSmallDisk(const QString &dir, int kilobytes) : m_dir(dir)
    {
        if (geteuid() != 0)
            return;
        const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
        m_mounted = mount("none", QFile::encodeName(dir).constData(), "tmpfs", 0, options.constData()) == 0;
    }
    ~TSmallDisk()
    {
        if (m_mounted)
            umount2(QFile::encodeName(m_dir).constData(), MNT_DETACH);
    }
    bool Mounted() const { return m_mounted; }
    // Makes the mounted disk read-only, as a read-only medium or a remounted file system is.
    bool RemountReadOnly()
    {
        return m_mounted
               && mount("none", QFile::encodeName(m_dir).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    // Fills the disk until only about `left` bytes are free.
    bool FillLeaving(qint64 left)
    {
        QFile filler(m_dir + QStringLiteral("/filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray block(512, 'f');
        while (filler.write(block) == block.size()) {
        }
        filler.close();
        // Give back what the page may use, in whole pages of the file system.
        return filler.resize(qMax<qint64>(0, filler.size() - left));
    }

private:
    QString m_dir;
    bool m_mounted = false;
};
