// Notices when another program changes, replaces or deletes the file of an open document: an
// unmodified document is reloaded, a modified one asks, a deleted one is marked and Save writes
// it again. Our own saves are told apart by the file's stamp.
#pragma once

#include "app/core/diskstamp.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

class TDocumentTab;
class TfrmHTMLEdit;

class TDiskWatcher : public QObject
{
    Q_OBJECT
public:
    // Changes are looked at this long after the last event: a program writing a file in pieces,
    // or replacing it, sends several.
    static constexpr int kSettleMs = 150;

    explicit TDiskWatcher(TfrmHTMLEdit &window);

    // Takes the file as it is now for the document's own (after opening or saving it).
    void Track(TDocumentTab *tab);
    // Compares every document's file with what was last read or written, and acts on changes.
    void CheckNow();
    // Before a save: the file must still be the one the document was read from, or the user
    // must agree to write over the other program's version. False: do not save.
    bool MaySave(TDocumentTab *tab);
    // The question shown for a modified document whose file changed.
    static QString ChangedQuestion(const QString &path);

private:
    void Rewatch();
    void Reload(TDocumentTab *tab);
    void MarkGone(TDocumentTab *tab, bool gone);
    void AskAboutChange(TDocumentTab *tab);
    void ShowDifferences(TDocumentTab *tab);

    TfrmHTMLEdit &m_w;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    bool m_checking = false;
    bool m_checkAgain = false;
};
