#include "app/ui/documentjournal.h"

#include "app/core/documentfile.h"
#include "app/core/recoverydiff.h"
#include "app/ui/documentmanager.h"
#include "app/ui/documenttab.h"
#include "app/ui/mainwindow.h"
#include "app/ui/recoverydialog.h"
#include "aids/core/myrichedit.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTabWidget>

namespace {

// Past this size the file on disk is not read to show the difference: the question must come at once.
constexpr qint64 kMaxCompareBytes = 64 * 1024 * 1024;

QStringList SplitLines(const QString &text)
{
    return text.split(QLatin1Char('\n'));
}

QString JoinLines(const TEditLines &lines)
{
    QString text;
    qsizetype size = 0;
    for (int i = 0; i < lines.Count(); ++i)
        size += lines[i].size() + 1;
    text.reserve(size);
    for (int i = 0; i < lines.Count(); ++i) {
        if (i > 0)
            text += QLatin1Char('\n');
        text += lines[i];
    }
    return text;
}

QString DescribeEntry(const TJournalEntry &entry, int tabWidth)
{
    const QStringList journal = entry.Text.isEmpty() ? QStringList() : SplitLines(entry.Text);
    const QFileInfo file(entry.Path);
    if (entry.Untitled || !file.isFile())
        return RecoveryDiff::Describe({}, false, entry.Untitled, journal);
    if (file.size() > kMaxCompareBytes)
        return QStringLiteral("The file on disk is too large to compare (%1 bytes).").arg(file.size());
    TEditLines lines;
    try {
        DocumentFile::LoadLines(entry.Path, lines);
        DocumentFile::ExpandTabs(lines, tabWidth);
    } catch (const std::exception &e) {
        return QStringLiteral("The file on disk cannot be read: ") + QString::fromUtf8(e.what());
    }
    QStringList disk;
    disk.reserve(lines.Count());
    for (int i = 0; i < lines.Count(); ++i)
        disk << lines[i];
    return RecoveryDiff::Describe(disk, true, false, journal);
}

} // namespace

TDocumentJournal::TDocumentJournal(TfrmHTMLEdit &window, const QString &root)
    : QObject(&window), m_w(window), m_journal(root)
{
    m_timer.setInterval(kIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &TDocumentJournal::Tick);
}

TDocumentJournal::~TDocumentJournal()
{
    for (const TState &state : std::as_const(m_states))
        if (state.Editor)
            state.Editor->OnChange.Remove(state.Listener);
}

void TDocumentJournal::Start(bool ownTimer)
{
    if (m_journal.Root().isEmpty())
        return;
    const QString error = m_journal.Open();
    if (!error.isEmpty()) {
        m_w.ShowStatusMessage(QStringLiteral("Unsaved changes cannot be kept for recovery: ") + error);
        return;
    }
    if (ownTimer)
        m_timer.start();
}

TDocumentJournal::TState &TDocumentJournal::StateOf(TDocumentTab *tab)
{
    auto it = m_states.find(tab);
    if (it != m_states.end())
        return *it;
    TState state;
    state.Id = QStringLiteral("doc-%1").arg(++m_nextId, 6, 10, QLatin1Char('0'));
    state.Editor = tab->Editor();
    state.Listener = tab->Editor()->OnChange.Add([this, tab](TCodeEdit *) {
        auto found = m_states.find(tab);
        if (found != m_states.end())
            found->Dirty = true;
    });
    connect(tab, &QObject::destroyed, this, [this, tab] { Forget(tab); });
    return *m_states.insert(tab, state);
}

void TDocumentJournal::Forget(TDocumentTab *tab)
{
    const auto it = m_states.find(tab);
    if (it == m_states.end())
        return;
    if (it->Written && !m_frozen) {
        if (m_write.Busy())
            m_pendingRemovals << it->Id;
        else
            m_journal.Remove(it->Id);
    }
    m_states.erase(it);
}

TJournalEntry TDocumentJournal::EntryFor(TDocumentTab *tab, const QString &id, QString text) const
{
    TJournalEntry entry;
    entry.Id = id;
    entry.Path = tab->Path();
    // A document never saved carries its "Untitled" name, never a path.
    entry.Untitled = !QFileInfo(tab->Path()).isAbsolute();
    entry.Text = std::move(text);
    entry.Written = QDateTime::currentDateTime();
    return entry;
}

void TDocumentJournal::ShowWriteError(const QString &error)
{
    // Told once per reason, not on every pass.
    if (error.isEmpty() || error == m_lastError) {
        m_lastError = error;
        return;
    }
    m_lastError = error;
    m_w.ShowStatusMessage(QStringLiteral("Unsaved changes could not be kept for recovery: ") + error);
}

void TDocumentJournal::Tick()
{
    if (!m_journal.IsOpen() || m_frozen || m_write.Busy() || m_snapshot.Running())
        return;
    for (const QString &id : std::exchange(m_pendingRemovals, {}))
        m_journal.Remove(id);
    QTabWidget *tabs = m_w.PageControl1();
    TDocumentTab *next = nullptr;
    for (int i = 0; i < tabs->count(); ++i) {
        TDocumentTab *tab = m_w.Tab(i);
        TState &state = StateOf(tab);
        if (!tab->Editor()->Modified()) {
            // Saved, or every change undone: nothing left to recover.
            if (state.Written)
                m_journal.Remove(state.Id);
            state.Written = false;
            state.Dirty = true;
            continue;
        }
        if (state.Dirty && !next)
            next = tab;
    }
    if (!next)
        return;
    const QString id = m_states.value(next).Id;
    const QString sessionDir = m_journal.SessionDir();
    QPointer<TDocumentTab> guard(next);
    // The copy is one state of the document: an edit while it runs starts it again.
    m_snapshot.Start(next->Editor(), [this, guard, id, sessionDir](QStringList lines) {
        if (!guard || m_frozen)
            return;
        m_states[guard].Dirty = false;
        TJournalEntry entry = EntryFor(guard, id, QString());
        m_write.Start(
            [sessionDir, entry, lines = std::move(lines)]() mutable {
                entry.Text = lines.join(QLatin1Char('\n'));
                lines.clear();
                return TRecoveryJournal::WriteEntry(sessionDir, entry);
            },
            [this, guard, id](const QString &error) {
                const auto it = guard ? m_states.find(guard) : m_states.end();
                if (it != m_states.end() && it->Id == id) {
                    if (error.isEmpty())
                        it->Written = true;
                    else
                        it->Dirty = true; // tried again on the next pass
                } else if (error.isEmpty() && !m_frozen) {
                    // The document went while it was written.
                    m_journal.Remove(id);
                }
                ShowWriteError(error);
                // The next changed document goes at once rather than a pass later.
                if (error.isEmpty())
                    Tick();
            });
    });
}

void TDocumentJournal::WaitForWrites()
{
    for (;;) {
        while (m_snapshot.Running())
            m_snapshot.Step();
        if (!m_write.Busy())
            return;
        m_write.Wait();
        // The write's result comes back as a posted event to its watcher, and may start the next.
        QCoreApplication::sendPostedEvents();
    }
}

void TDocumentJournal::WriteAllNow()
{
    if (!m_journal.IsOpen() || m_frozen)
        return;
    m_snapshot.Cancel();
    m_write.Wait();
    m_frozen = true;
    m_timer.stop();
    for (const QString &id : std::exchange(m_pendingRemovals, {}))
        m_journal.Remove(id);
    QTabWidget *tabs = m_w.PageControl1();
    for (int i = 0; i < tabs->count(); ++i) {
        TDocumentTab *tab = m_w.Tab(i);
        TState &state = StateOf(tab);
        if (!tab->Editor()->Modified()) {
            if (state.Written)
                m_journal.Remove(state.Id);
            continue;
        }
        if (state.Written && !state.Dirty)
            continue;
        const QString error = TRecoveryJournal::WriteEntry(m_journal.SessionDir(),
                                                           EntryFor(tab, state.Id, JoinLines(tab->Editor()->Lines())));
        if (error.isEmpty())
            state.Written = true;
    }
}

void TDocumentJournal::End(bool keep)
{
    m_timer.stop();
    m_snapshot.Cancel();
    m_write.Wait();
    m_frozen = true;
    m_journal.Close(keep);
}

int TDocumentJournal::OfferRecovery()
{
    if (!m_journal.IsOpen())
        return 0;
    const QList<TOrphanSession> sessions = TRecoveryJournal::Orphans(m_journal.Root(), m_journal.SessionDir());
    QList<TJournalEntry> entries;
    QList<TRecoveryDialog::TItem> items;
    // A file left unsaved by several runs is offered once, as the last of them had it.
    QHash<QString, qsizetype> byPath;
    for (const TOrphanSession &session : sessions) {
        for (const TJournalEntry &entry : session.Entries) {
            if (!entry.Untitled) {
                const auto found = byPath.constFind(entry.Path);
                if (found != byPath.constEnd()) {
                    if (entries.at(*found).Written <= entry.Written)
                        entries[*found] = entry;
                    continue;
                }
                byPath.insert(entry.Path, entries.size());
            }
            entries << entry;
        }
    }
    for (const TJournalEntry &entry : std::as_const(entries))
        items << TRecoveryDialog::TItem{
            entry.Path, QStringLiteral("kept ") + QLocale().toString(entry.Written, QLocale::ShortFormat),
            DescribeEntry(entry, m_w.Settings().TabWidth)};
    if (entries.isEmpty()) {
        // Only damaged entries: nothing can be offered, but they are not removed unasked.
        if (!sessions.isEmpty())
            m_w.ShowStatusMessage(QStringLiteral("A recovery journal in ") + sessions.first().Dir
                                  + QStringLiteral(" could not be read."));
        return 0;
    }
    TRecoveryDialog dialog(items, &m_w);
    const int answer = m_w.ExecDialog(dialog);
    if (answer == QDialog::Rejected)
        return 0;
    int opened = 0;
    bool failed = false;
    if (answer == QDialog::Accepted) {
        for (int row : dialog.Checked()) {
            const TJournalEntry &entry = entries.at(row);
            try {
                m_w.Documents()->OpenRecovered(entry.Path, entry.Untitled, entry.Text);
                ++opened;
            } catch (const std::exception &e) {
                failed = true;
                m_w.Message(QMessageBox::Warning, QStringLiteral("Recover Unsaved Documents"),
                            entry.Path + QStringLiteral(" could not be opened again: ") + QString::fromUtf8(e.what())
                                + QStringLiteral("\nIts journal is kept and offered again at the next start."));
            }
        }
    }
    // What was opened again is journalled by this run from now on.
    if (!failed)
        for (const TOrphanSession &session : sessions)
            TRecoveryJournal::Discard(session.Dir);
    return opened;
}
