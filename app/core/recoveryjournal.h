// The recovery journal: unsaved documents kept on disk while the program runs, so that a crash, a
// kill or a power cut loses at most the last few seconds of typing.
//
// Each running program owns one session folder under the journal folder, locked for as long as it
// runs. A document is one file in it: a header line of JSON, then the text as UTF-16 (every
// character kept, unpaired surrogates and NULs included). A clean exit removes the folder; a
// session folder whose lock is free belongs to a program that ended without that, and its
// documents are offered at the next start.
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <memory>

class QLockFile;

struct TJournalEntry
{
    QString Id;   // unique within its session; also the file's name
    QString Path; // the document's file, or its "Untitled" name when it was never saved
    bool Untitled = false;
    QString Text; // the lines joined with LF (a line never holds a line break)
    QDateTime Written;
};

// A session left behind by a program that did not end cleanly.
struct TOrphanSession
{
    QString Dir;
    QList<TJournalEntry> Entries;
    QStringList Damaged; // entry files that could not be read back
};

class TRecoveryJournal
{
public:
    // root: the folder holding every session (created when missing).
    explicit TRecoveryJournal(QString root);
    ~TRecoveryJournal();
    TRecoveryJournal(const TRecoveryJournal &) = delete;
    TRecoveryJournal &operator=(const TRecoveryJournal &) = delete;

    // Creates and locks this program's session folder; the reason on failure, empty on success.
    QString Open();
    bool IsOpen() const { return !m_sessionDir.isEmpty(); }
    const QString &Root() const { return m_root; }
    const QString &SessionDir() const { return m_sessionDir; }

    // Removes a document's entry (it was saved, its changes undone, or it was closed).
    void Remove(const QString &id);
    // Ends the session. A clean exit removes the folder; keep leaves the entries for the next start
    // and only frees the lock (the program is being ended from outside).
    void Close(bool keep);

    // Writes an entry as one whole file (a crash mid-write leaves the previous one). Touches only
    // that file, so it may run on a worker thread. The reason on failure, empty on success.
    static QString WriteEntry(const QString &sessionDir, const TJournalEntry &entry);
    // Reads an entry back; false for a damaged or foreign file.
    static bool ReadEntry(const QString &file, TJournalEntry &entry);
    // Sessions under root whose program is gone, oldest first; except (this program's own folder)
    // is never among them. Empty sessions are removed on the way.
    static QList<TOrphanSession> Orphans(const QString &root, const QString &except = QString());
    // Removes a session folder and everything in it.
    static void Discard(const QString &sessionDir);

private:
    QString m_root;
    QString m_sessionDir;
    std::unique_ptr<QLockFile> m_lock;
};
