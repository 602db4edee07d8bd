// Keeps every modified document in the recovery journal a few seconds behind the last keystroke,
// and offers what a previous run left behind at the next start.
#pragma once

#include "app/core/recoveryjournal.h"
#include "app/ui/backgroundjob.h"
#include "editor/core/eventchain.h"
#include "editor/core/linesnapshot.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QTimer>

class TDocumentTab;
class TMyRichEdit;
class TfrmHTMLEdit;

class TDocumentJournal : public QObject
{
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 2000;

    // root: the journal folder; empty turns the journal off.
    TDocumentJournal(TfrmHTMLEdit &window, const QString &root);
    ~TDocumentJournal() override;

    // Opens this run's session; runs its own timer unless the caller drives time.
    void Start(bool ownTimer);
    bool Active() const { return m_journal.IsOpen(); }
    const QString &SessionDir() const { return m_journal.SessionDir(); }

    // One pass: the next modified document that changed is copied and written on a worker; a
    // document no longer modified loses its entry.
    void Tick();
    // Blocks until the copy and write under way are done.
    void WaitForWrites();
    // Writes every modified document now, here (the program is being ended from outside). After
    // this the journal changes no more.
    void WriteAllNow();
    // keep: leave the entries for the next start (ended from outside); otherwise a clean exit.
    void End(bool keep);

    // Offers the documents an earlier run left behind; returns how many were opened again.
    int OfferRecovery();

private:
    struct TState
    {
        QString Id;
        QPointer<TMyRichEdit> Editor;
        TEventId Listener = 0;
        bool Dirty = true;
        bool Written = false;
    };

    TState &StateOf(TDocumentTab *tab);
    void Forget(TDocumentTab *tab);
    TJournalEntry EntryFor(TDocumentTab *tab, const QString &id, QString text) const;
    void ShowWriteError(const QString &error);

    TfrmHTMLEdit &m_w;
    TRecoveryJournal m_journal;
    QHash<TDocumentTab *, TState> m_states;
    QStringList m_pendingRemovals; // entries of documents gone while a write ran
    int m_nextId = 0;
    bool m_frozen = false;
    QString m_lastError;
    QTimer m_timer;
    TLineSnapshotJob m_snapshot{this};
    TBackgroundJob<QString> m_write{this};
};
