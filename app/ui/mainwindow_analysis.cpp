// The main window's document tree, syntax check and link check.
#include "app/ui/mainwindow.h"

#include "aids/core/myrichedit.h"
#include "analysis/core/checkreport.h"
#include "analysis/ui/reportpanel.h"
#include "analysis/ui/treepanel.h"
#include "app/core/appexceptions.h"
#include "app/core/commandline.h"
#include "app/ui/documenttab.h"
#include "app/ui/explorerbar.h"
#include "editor/ui/codeeditview.h"

#include <QAction>
#include <QLayout>
#include <QMessageBox>
#include <QToolButton>

void TfrmHTMLEdit::CreateAnalysisPanels()
{
    m_treePanel = new TTreePanel(m_explorerBar->PageWidget(TExplorerBar::TreePage));
    m_explorerBar->PageWidget(TExplorerBar::TreePage)->layout()->addWidget(m_treePanel);
    m_reportPanel = new TReportPanel(m_explorerBar->PageWidget(TExplorerBar::ReportPage));
    m_explorerBar->PageWidget(TExplorerBar::ReportPage)->layout()->addWidget(m_reportPanel);

    connect(m_treePanel, &TTreePanel::RefreshClicked, this, [this] { RunGuarded([this] { btnRefreshHTreeClick(); }); });
    connect(m_treePanel, &TTreePanel::EndTagsToggled, this, [this](bool shown) {
        m_state.Set(&TWindowFlags::ShowEndTags, shown);
        RunGuarded([this] { btnRefreshHTreeClick(); });
    });
    connect(m_treePanel, &TTreePanel::AutoRefreshToggled, this, [this](bool on) { m_state.Set(&TWindowFlags::AutoTreeRefresh, on); });
    connect(m_treePanel, &TTreePanel::NodeChosen, this, [this](int start, int end) {
        RunGuarded([this, start, end] {
            TMyRichEdit *editor = ActiveEditor();
            if (m_treeEditor != editor) {
                // The tree was built from another document: its positions mean nothing here.
                btnRefreshHTreeClick();
                return;
            }
            editor->SetSelStart(start);
            editor->SetSelEnd(end);
            ActiveTab()->View()->setFocus();
        });
    });
    connect(m_explorerBar, &TExplorerBar::PageShown, this, [this](int page) {
        if (page == TExplorerBar::TreePage)
            RunGuarded([this] { btnRefreshHTreeClick(); });
    });
    connect(m_reportPanel, &TReportPanel::LineChosen, this, [this](int line) {
        RunGuarded([this, line] { ActiveEditor()->SetTopLine(line); });
    });
    // A finding inside an included file opens that file at its line.
    connect(m_reportPanel, &TReportPanel::FileLineChosen, this, [this](const QString &file, int line) {
        RunGuarded([this, file, line] {
            OpenFile(file);
            if (ActiveTab()->Path() != file)
                return;
            ActiveEditor()->SetCaretXY(BufferCoord(1, line + 1));
            ActiveEditor()->SetTopLine(line);
            ActiveTab()->View()->setFocus();
        });
    });

    for (const char *name : {"SyntaxCheck1", "LinkCheckerlocal1"}) {
        QAction *a = Action(QLatin1String(name));
        a->setEnabled(true);
        const bool syntax = QLatin1String(name) == QLatin1String("SyntaxCheck1");
        connect(a, &QAction::triggered, this, [this, syntax] {
            RunGuarded([this, syntax] { syntax ? SyntaxCheck1Click() : LinkCheckerlocal1Click(); });
        });
    }
}

void TfrmHTMLEdit::btnRefreshHTreeClick()
{
    if (m_explorerBar->CurrentPage() != TExplorerBar::TreePage)
        return;
    m_treePanel->ShowRootOnly();
    m_treeEditor = nullptr;
    TMyRichEdit *editor = ActiveEditor();
    QStringList lines;
    lines.reserve(editor->LineCount());
    for (int i = 0; i < editor->LineCount(); ++i)
        lines.append(editor->Lines()[i]);
    m_treePanel->Rebuild(lines, m_state.Flags().ShowEndTags);
    m_treeEditor = editor;
}

void TfrmHTMLEdit::ShowReportPage()
{
    // A check shows its findings even when the side bar was put away.
    if (!BarVisible())
        SetBarVisible(true);
    m_explorerBar->ShowPage(TExplorerBar::ReportPage);
}

void TfrmHTMLEdit::SyntaxCheck1Click()
{
    m_reportPanel->ShowRows(SyntaxReportTitle.toString(), {}, false);
    const TMyRichEdit *editor = ActiveEditor();
    const TSyntaxReport report = BuildSyntaxReport(editor->Text(), editor->LineCount(),
                                                   m_context.ProgramDir + QStringLiteral("/Data/tags.dat"),
                                                   ActiveTab()->Path(), &CommandLine::ExpandedPage);
    m_reportPanel->ShowRows(SyntaxReportTitle.toString(), report.Rows, false);
    ShowReportPage();
    if (report.Failure)
        Message(QMessageBox::Critical, QStringLiteral("TagForge!"), *report.Failure);
}

void TfrmHTMLEdit::LinkCheckerlocal1Click()
{
    const TMyRichEdit *editor = ActiveEditor();
    const TLinkReport report = BuildLinkReport(editor->Text(), ActiveTab()->Path(), &CommandLine::ExpandedPage);
    m_reportPanel->ShowRows(LinkReportTitle.toString(), report.Rows, true);
    ShowReportPage();
}
