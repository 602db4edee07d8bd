#include "app/core/recoveryjournal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>

namespace {

const QString kLockName = QStringLiteral("lock");
const QString kEntrySuffix = QStringLiteral(".journal");
const QByteArray kMagic = QByteArrayLiteral("tagforge-journal 1");

QString EntryFile(const QString &sessionDir, const QString &id)
{
    return sessionDir + QLatin1Char('/') + id + kEntrySuffix;
}

// UTF-16 little-endian, whatever the machine, so that a journal reads back anywhere.
QByteArray EncodeText(const QString &text)
{
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    qToLittleEndian<char16_t>(text.utf16(), text.size(), bytes.data());
    return bytes;
}

QString DecodeText(const QByteArray &bytes)
{
    QString text(bytes.size() / 2, Qt::Uninitialized);
    qFromLittleEndian<char16_t>(bytes.constData(), text.size(), text.data());
    return text;
}

} // namespace

TRecoveryJournal::TRecoveryJournal(QString root) : m_root(std::move(root)) {}

TRecoveryJournal::~TRecoveryJournal() = default;

QString TRecoveryJournal::Open()
{
    if (IsOpen())
        return QString();
    if (!QDir().mkpath(m_root))
        return QStringLiteral("The folder ") + m_root + QStringLiteral(" could not be created.");
    // The process number and the start time: unique even when a number is used again later.
    // A folder of its own: two journals opened in the same millisecond take a numbered second
    // name, never the other's folder (mkdir fails on a folder that exists).
    const QString base = QStringLiteral("session-%1-%2")
                             .arg(QCoreApplication::applicationPid())
                             .arg(QDateTime::currentMSecsSinceEpoch());
    QString dir;
    for (int n = 0; n < 1000 && dir.isEmpty(); ++n) {
        const QString name = n == 0 ? base : base + QStringLiteral("-%1").arg(n);
        if (QDir(m_root).mkdir(name))
            dir = m_root + QLatin1Char('/') + name;
    }
    if (dir.isEmpty())
        return QStringLiteral("A journal folder could not be created in ") + m_root + QLatin1Char('.');
    auto lock = std::make_unique<QLockFile>(dir + QLatin1Char('/') + kLockName);
    // A lock is never stale while this program runs.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        QDir(dir).removeRecursively();
        return QStringLiteral("The journal folder ") + dir + QStringLiteral(" could not be locked.");
    }
    m_lock = std::move(lock);
    m_sessionDir = dir;
    return QString();
}

void TRecoveryJournal::Remove(const QString &id)
{
    if (IsOpen())
        QFile::remove(EntryFile(m_sessionDir, id));
}

void TRecoveryJournal::Close(bool keep)
{
    if (!IsOpen())
        return;
    if (keep) {
        m_lock->unlock();
        // A session with nothing in it is of no use to the next start.
        const QStringList entries = QDir(m_sessionDir).entryList({QLatin1Char('*') + kEntrySuffix}, QDir::Files);
        if (entries.isEmpty())
            QDir(m_sessionDir).removeRecursively();
    } else {
        QDir(m_sessionDir).removeRecursively();
        m_lock->unlock();
    }
    m_lock.reset();
    m_sessionDir.clear();
}

QString TRecoveryJournal::WriteEntry(const QString &sessionDir, const TJournalEntry &entry)
{
    QJsonObject header;
    header.insert(QStringLiteral("path"), entry.Path);
    header.insert(QStringLiteral("untitled"), entry.Untitled);
    header.insert(QStringLiteral("written"), entry.Written.toUTC().toString(Qt::ISODateWithMs));
    header.insert(QStringLiteral("chars"), qint64(entry.Text.size()));
    QSaveFile file(EntryFile(sessionDir, entry.Id));
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    const QByteArray text = EncodeText(entry.Text);
    bool ok = file.write(kMagic + '\n') >= 0;
    ok = ok && file.write(QJsonDocument(header).toJson(QJsonDocument::Compact) + '\n') >= 0;
    ok = ok && file.write(text) == text.size();
    if (!ok) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}

bool TRecoveryJournal::ReadEntry(const QString &fileName, TJournalEntry &entry)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (file.readLine().trimmed() != kMagic)
        return false;
    QJsonParseError error{};
    const QJsonDocument header = QJsonDocument::fromJson(file.readLine(), &error);
    if (error.error != QJsonParseError::NoError || !header.isObject())
        return false;
    const QJsonObject object = header.object();
    const qint64 chars = qint64(object.value(QStringLiteral("chars")).toDouble(-1));
    const QByteArray text = file.readAll();
    // A file cut short (a full disk, a crash before the rename) is not taken for the document.
    if (chars < 0 || text.size() != chars * 2)
        return false;
    entry.Id = QFileInfo(fileName).completeBaseName();
    entry.Path = object.value(QStringLiteral("path")).toString();
    entry.Untitled = object.value(QStringLiteral("untitled")).toBool();
    entry.Written = QDateTime::fromString(object.value(QStringLiteral("written")).toString(), Qt::ISODateWithMs);
    entry.Text = DecodeText(text);
    return true;
}

QList<TOrphanSession> TRecoveryJournal::Orphans(const QString &root, const QString &except)
{
    QList<TOrphanSession> sessions;
    const QFileInfoList dirs =
        QDir(root).entryInfoList({QStringLiteral("session-*")}, QDir::Dirs | QDir::NoDotAndDotDot, QDir::Time);
    for (const QFileInfo &info : dirs) {
        const QString dir = info.absoluteFilePath();
        if (dir == QFileInfo(except).absoluteFilePath())
            continue;
        // Taken only when its owner is gone: QLockFile sees a dead process number as stale.
        QLockFile lock(dir + QLatin1Char('/') + kLockName);
        if (!lock.tryLock(0))
            continue;
        TOrphanSession session;
        session.Dir = dir;
        const QFileInfoList files = QDir(dir).entryInfoList({QLatin1Char('*') + kEntrySuffix}, QDir::Files, QDir::Name);
        for (const QFileInfo &file : files) {
            TJournalEntry entry;
            if (ReadEntry(file.absoluteFilePath(), entry))
                session.Entries << entry;
            else
                session.Damaged << file.absoluteFilePath();
        }
        lock.unlock();
        if (session.Entries.isEmpty() && session.Damaged.isEmpty()) {
            Discard(dir);
            continue;
        }
        std::sort(session.Entries.begin(), session.Entries.end(),
                  [](const TJournalEntry &a, const TJournalEntry &b) { return a.Id < b.Id; });
        sessions.prepend(session);
    }
    return sessions;
}

void TRecoveryJournal::Discard(const QString &sessionDir)
{
    QDir(sessionDir).removeRecursively();
}
