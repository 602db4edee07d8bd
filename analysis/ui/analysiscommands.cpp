// The document tree page, the syntax and link checks and their report page, registered with the
// window through TCommandHost.
#include "analysis/ui/analysiscommands.h"

#include "analysis/core/checkreport.h"
#include "analysis/ui/reportpanel.h"
#include "analysis/ui/treenodemodel.h"
#include "analysis/ui/treepanel.h"
#include "editor/ui/codeeditview.h"
#include "platform/core/windowstate.h"
#include "platform/qt/commandhost.h"

#include <QLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <QMessageBox>
#include <QWidget>

namespace {

TCodeEdit *EngineOf(QWidget *view)
{
    auto *editView = qobject_cast<TCodeEditView *>(view);
    return editView ? editView->Engine() : nullptr;
}

} // namespace

TAnalysisCommands::TAnalysisCommands(TCommandHost &host, TPageExpander expand, QObject *parent)
    : QObject(parent), m_host(host), m_expand(std::move(expand))
{
    QWidget *treePage = host.SidePageWidget(TCommandHost::TreePage);
    m_treePanel = new TTreePanel(treePage);
    treePage->layout()->addWidget(m_treePanel);
    QWidget *reportPage = host.SidePageWidget(TCommandHost::ReportPage);
    m_reportPanel = new TReportPanel(reportPage);
    reportPage->layout()->addWidget(m_reportPanel);

    connect(m_treePanel, &TTreePanel::RefreshClicked, this,
            [this] { m_host.RunGuarded([this] { btnRefreshHTreeClick(); }); });
    connect(m_treePanel, &TTreePanel::EndTagsToggled, this, [this](bool shown) {
        m_host.State().Set(&TWindowFlags::ShowEndTags, shown);
        m_host.RunGuarded([this] { btnRefreshHTreeClick(); });
    });
    connect(m_treePanel, &TTreePanel::AutoRefreshToggled, this,
            [this](bool on) { m_host.State().Set(&TWindowFlags::AutoTreeRefresh, on); });
    connect(m_treePanel, &TTreePanel::NodeChosen, this, [this](int start, int end) {
        m_host.RunGuarded([this, start, end] {
            TCodeEdit *editor = EngineOf(m_host.RequiredEditorView());
            if (m_treeEditor != editor) {
                // The tree was built from another document: its positions mean nothing here.
                btnRefreshHTreeClick();
                return;
            }
            editor->SetSelStart(start);
            editor->SetSelEnd(end);
            m_host.ActiveEditorView()->setFocus();
        });
    });
    connect(m_reportPanel, &TReportPanel::LineChosen, this, [this](int line) {
        m_host.RunGuarded([this, line] { EngineOf(m_host.RequiredEditorView())->SetTopLine(line); });
    });
    // A finding inside an included file opens that file at its line.
    connect(m_reportPanel, &TReportPanel::FileLineChosen, this, [this](const QString &file, int line) {
        m_host.RunGuarded([this, file, line] {
            m_host.OpenDocument(file);
            TCodeEdit *editor = EngineOf(m_host.ActiveEditorView());
            if (!editor || m_host.ActiveDocumentPath() != file)
                return;
            editor->SetCaretXY(BufferCoord(1, line + 1));
            editor->SetTopLine(line);
            m_host.ActiveEditorView()->setFocus();
        });
    });
    // Choosing the tree page rebuilds the tree.
    m_host.WhenSidePageShown([this](TCommandHost::SidePage page) {
        if (page == TCommandHost::TreePage)
            m_host.RunGuarded([this] { btnRefreshHTreeClick(); });
    });
    connect(&m_treeWatcher, &QFutureWatcherBase::finished, this, &TAnalysisCommands::TreeBuilt);
    connect(&m_checkWatcher, &QFutureWatcherBase::finished, this, &TAnalysisCommands::CheckDone);
    m_host.BindCommand(QStringLiteral("SyntaxCheck1"), [this] { SyntaxCheck1Click(); });
    m_host.BindCommand(QStringLiteral("LinkCheckerlocal1"), [this] { LinkCheckerlocal1Click(); });
}

void TAnalysisCommands::ClearTree()
{
    ++m_treeRequest;
    m_treeSnapshot.Cancel();
    m_pendingTree.reset();
    m_treePanel->ShowRootOnly();
    m_treeEditor = nullptr;
}

void TAnalysisCommands::btnRefreshHTreeClick()
{
    if (m_host.CurrentSidePage() != TCommandHost::TreePage)
        return;
    TCodeEdit *editor = EngineOf(m_host.RequiredEditorView());
    const bool showEndTags = m_host.State().Flags().ShowEndTags;
    if (editor->TotalCharCount() > MaxTreeChars) {
        ClearTree();
        m_host.ShowStatus(QStringLiteral("The document tree shows pages of up to %1 million characters; this one has %2 "
                                         "million.")
                              .arg(MaxTreeChars / 1000000)
                              .arg(editor->TotalCharCount() / 1000000));
        return;
    }
    if (editor->TotalCharCount() <= InlineTreeChars) {
        // The lines share their text with the editor: copying the list copies no characters.
        QStringList lines;
        lines.reserve(editor->LineCount());
        for (int i = 0; i < editor->LineCount(); ++i)
            lines.append(editor->Lines()[i]);
        ClearTree();
        m_treePanel->Rebuild(lines, showEndTags);
        m_treeEditor = editor;
        return;
    }
    if (m_treeEditor != editor)
        ClearTree(); // another document's tree must not stay up while this one is built
    const quint64 request = ++m_treeRequest;
    QPointer<QObject> source(editor);
    m_treeSnapshot.Start(editor, [this, showEndTags, source, request](QStringList lines) {
        if (request != m_treeRequest)
            return;
        m_pendingTree = TTreeJob{std::move(lines), showEndTags, source, request};
        StartPendingTree();
    });
}

void TAnalysisCommands::StartPendingTree()
{
    if (m_treeWatcher.isRunning() || !m_pendingTree)
        return;
    m_runningTree = std::move(*m_pendingTree);
    m_pendingTree.reset();
    m_treeWatcher.setFuture(QtConcurrent::run([lines = m_runningTree.Lines, showEndTags = m_runningTree.ShowEndTags] {
        return ShareOutline(TTreeOutline(BuildTreeNodes(lines, showEndTags)));
    }));
    m_runningTree.Lines.clear();
}

void TAnalysisCommands::TreeBuilt()
{
    const bool current = m_runningTree.Request == m_treeRequest && m_runningTree.Editor
                         && m_host.CurrentSidePage() == TCommandHost::TreePage;
    if (current) {
        m_treePanel->SetOutline(m_treeWatcher.result());
        m_treeEditor = m_runningTree.Editor;
    }
    m_runningTree = {};
    StartPendingTree();
    if (current)
        Q_EMIT TreeShown();
}

void TAnalysisCommands::ShowReportPage()
{
    // A check shows its findings even when the side bar was put away.
    m_host.ShowSidePage(TCommandHost::ReportPage);
}

void TAnalysisCommands::SyntaxCheck1Click()
{
    RunCheck(false);
}

void TAnalysisCommands::LinkCheckerlocal1Click()
{
    RunCheck(true);
}

void TAnalysisCommands::RunCheck(bool linkReport)
{
    const QString title = (linkReport ? LinkReportTitle : SyntaxReportTitle).toString();
    m_reportPanel->ShowRows(title, {}, linkReport);
    TCodeEdit *editor = EngineOf(m_host.RequiredEditorView());
    // The check reads the text as the editor gives it: each line ended by CR LF.
    auto check = [linkReport, expand = m_expand, path = m_host.ActiveDocumentPath(),
                  tagData = m_host.ProgramDir() + QStringLiteral("/Data/tags.dat")](const QString &text, int lineCount) {
        TCheckResult result;
        result.LinkReport = linkReport;
        if (linkReport) {
            result.Rows = BuildLinkReport(text, path, expand).Rows;
        } else {
            TSyntaxReport report = BuildSyntaxReport(text, lineCount, tagData, path, expand);
            result.Rows = std::move(report.Rows);
            result.Failure = std::move(report.Failure);
        }
        return result;
    };
    const quint64 request = ++m_checkRequest;
    if (editor->TotalCharCount() <= InlineTreeChars) {
        m_checkSnapshot.Cancel();
        const TCheckResult result = check(editor->Text(), editor->LineCount());
        m_reportPanel->ShowRows(title, result.Rows, linkReport);
        ShowReportPage();
        if (result.Failure)
            m_host.ShowMessage(QMessageBox::Critical, QStringLiteral("TagForge!"), *result.Failure);
        return;
    }
    ShowReportPage();
    m_host.ShowStatus(linkReport ? QStringLiteral("Checking the links...") : QStringLiteral("Checking the syntax..."));
    m_checkSnapshot.Start(editor, [this, check, request](QStringList lines) {
        if (request != m_checkRequest)
            return;
        m_runningCheck = request;
        // A check still running goes on, but its findings are no longer shown.
        m_checkWatcher.setFuture(QtConcurrent::run([check, lines = std::move(lines)]() mutable {
            QString text;
            qsizetype size = 0;
            for (const QString &line : std::as_const(lines))
                size += line.size() + 2;
            text.reserve(size);
            for (const QString &line : std::as_const(lines)) {
                text += line;
                text += u"\r\n";
            }
            const int lineCount = int(lines.size());
            lines.clear(); // the text holds the characters now
            return check(text, lineCount);
        }));
    });
}

void TAnalysisCommands::CheckDone()
{
    if (m_runningCheck != m_checkRequest)
        return;
    const TCheckResult result = m_checkWatcher.result();
    const QString title = (result.LinkReport ? LinkReportTitle : SyntaxReportTitle).toString();
    m_reportPanel->ShowRows(title, result.Rows, result.LinkReport);
    ShowReportPage();
    m_host.ShowStatus(QString());
    if (result.Failure)
        m_host.ShowMessage(QMessageBox::Critical, QStringLiteral("TagForge!"), *result.Failure);
    Q_EMIT CheckShown();
}
