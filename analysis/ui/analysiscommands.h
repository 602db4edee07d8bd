// The document tree page, the syntax and link checks and their report page, registered with the
// window through TCommandHost.
#pragma once

#include "analysis/core/checkreport.h"
#include "analysis/core/findings.h"

#include "analysis/core/treeoutline.h"
#include "editor/core/linesnapshot.h"

#include <QFutureWatcher>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class TCommandHost;
class TReportPanel;
class TTreePanel;

class TAnalysisCommands : public QObject
{
    Q_OBJECT
public:
    // Fills the tree and report pages and binds SyntaxCheck1 and LinkCheckerlocal1; expand turns
    // an include source into the page the checks read.
    TAnalysisCommands(TCommandHost &host, TPageExpander expand, QObject *parent);

    TTreePanel *TreePanel() const { return m_treePanel; }
    TReportPanel *ReportPanel() const { return m_reportPanel; }

    // Rebuilds the tree from the active document, only while its page shows.
    void btnRefreshHTreeClick();
    // Leaves only the root, as when no document is open.
    void ClearTree();
    void SyntaxCheck1Click();
    void LinkCheckerlocal1Click();

    // Pages up to this many characters get their tree at once; larger ones are parsed on a worker
    // thread while the user goes on, and their tree is swapped in only while it is still current.
    static constexpr qint64 InlineTreeChars = 1 << 20;
    // The tree of a page takes about seven times the page's own memory: larger pages get no tree
    // (the page says why) rather than taking the machine's memory.
    static constexpr qint64 MaxTreeChars = qint64(128) << 20;
    bool TreePending() const
    {
        return m_treeSnapshot.Running() || m_treeWatcher.isRunning() || m_pendingTree.has_value();
    }

    // A syntax or link check of a large page being made on a worker thread.
    bool CheckPending() const { return m_checkSnapshot.Running() || m_checkWatcher.isRunning(); }

Q_SIGNALS:
    // A tree built on the worker thread is shown.
    void TreeShown();
    // A check made on the worker thread has shown its findings.
    void CheckShown();

private:
    struct TTreeJob
    {
        QStringList Lines;
        bool ShowEndTags = true;
        QPointer<QObject> Editor;
        quint64 Request = 0;
    };
    // What a check made on the worker thread hands back to be shown.
    struct TCheckResult
    {
        QList<TReportRow> Rows;
        bool LinkReport = false;
        std::optional<QString> Failure;
    };
    void ShowReportPage();
    // Pages up to InlineTreeChars are checked at once; larger ones on a worker thread, the
    // window answering meanwhile, with the findings shown when they are ready.
    void RunCheck(bool linkReport);
    void CheckDone();
    void StartPendingTree();
    void TreeBuilt();

    TCommandHost &m_host;
    TPageExpander m_expand;
    TTreePanel *m_treePanel;
    TReportPanel *m_reportPanel;
    QPointer<QObject> m_treeEditor;        // the document the tree was built from
    quint64 m_treeRequest = 0;             // counts refreshes: only the newest one's tree is shown
    std::optional<TTreeJob> m_pendingTree; // waits while another tree is being built
    TTreeJob m_runningTree;
    TLineSnapshotJob m_treeSnapshot; // copies a large page's lines for the worker
    QFutureWatcher<std::shared_ptr<const TTreeOutline>> m_treeWatcher;
    TLineSnapshotJob m_checkSnapshot;
    QFutureWatcher<TCheckResult> m_checkWatcher;
    quint64 m_checkRequest = 0; // only the newest check's findings are shown
    quint64 m_runningCheck = 0;
};
