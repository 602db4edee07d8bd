// The main window's side of the documents: the active tab, its status readout, title and controls.
#include "app/ui/mainwindow.h"

#include "aids/core/myrichedit.h"
#include "aids/ui/searchcommands.h"
#include "aids/ui/taginsight.h"
#include "analysis/ui/analysiscommands.h"
#include "app/core/appexceptions.h"
#include "app/ui/documentmanager.h"
#include "app/ui/documenttab.h"
#include "app/ui/explorerbar.h"
#include "app/ui/mainstatusbar.h"
#include "app/ui/multilinetabs.h"
#include "app/ui/previewcontroller.h"
#include "editor/ui/codeeditview.h"

#include <QAction>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTabWidget>

void TfrmHTMLEdit::RunGuarded(const std::function<void()> &command)
{
    try {
        command();
    } catch (const std::exception &e) {
        Message(QMessageBox::Critical, QStringLiteral("TagForge!"), QString::fromUtf8(e.what()));
    }
}

TDocumentTab *TfrmHTMLEdit::Tab(int index) const
{
    return qobject_cast<TDocumentTab *>(PageControl1()->widget(index));
}

TDocumentTab *TfrmHTMLEdit::ActiveTab() const
{
    return qobject_cast<TDocumentTab *>(PageControl1()->currentWidget());
}

TMyRichEdit *TfrmHTMLEdit::ActiveEditor() const
{
    TDocumentTab *tab = ActiveTab();
    if (!tab)
        throw ENoActiveRE();
    return tab->Editor();
}

void TfrmHTMLEdit::RichEdit1Change(TDocumentTab *tab)
{
    m_textChangedSinceTick = true;
    tab->SetCopyStale(true);
    const int index = PageControl1()->indexOf(tab);
    if (tab->Editor()->Modified() && index >= 0 && !PageControl1()->tabText(index).endsWith(QLatin1Char('*')))
        PageControl1()->setTabText(index, PageControl1()->tabText(index) + QLatin1Char('*'));
    if (tab != ActiveTab())
        return;
    m_tagInsight->EditorChange();
    UpdateControls();
    m_statusBar->SetPanelText(TMainStatusBar::ModifiedPanel,
                              tab->Editor()->Modified() ? QStringLiteral("Modified") : QString());
    // Typing is followed by the timer; other changes show in the tree at once.
    if (!m_state.Flags().Typing)
        btnRefreshHTreeClick();
}

void TfrmHTMLEdit::RichEdit1SelectionChange(TDocumentTab *tab)
{
    if (tab != ActiveTab())
        return;
    const TMyRichEdit *editor = tab->Editor();
    const QLocale locale;
    m_statusBar->SetPanelText(TMainStatusBar::Row, QStringLiteral("Row: ") + locale.toString(editor->CaretY()));
    m_statusBar->SetPanelText(TMainStatusBar::Column, QStringLiteral("Column: ") + locale.toString(editor->CaretX()));
    m_statusBar->SetPanelText(TMainStatusBar::CharPos, QStringLiteral("Chr: ") + QString::number(editor->SelStart()));
    UpdateControls();
    m_tagInsight->EditorSelectionChange();
}

void TfrmHTMLEdit::PageControl1Change()
{
    TDocumentTab *tab = ActiveTab();
    if (!tab)
        return;
    UpdateControls();
    m_statusBar->SetPanelText(TMainStatusBar::ModifiedPanel,
                              tab->Editor()->Modified() ? QStringLiteral("Modified") : QString());
    RichEdit1SelectionChange(tab);
    m_documents->ReportCharset(tab);
    // The tree shows the document in front, never the one left behind.
    RunGuarded([this] { btnRefreshHTreeClick(); });
    if (PreviewVisible())
        RunGuarded([this] { m_preview->TabChanged(); });
}

void TfrmHTMLEdit::UpdateWindowTitle()
{
    // Task switchers and window lists show only the title: the document comes first.
    const TDocumentTab *tab = ActiveTab();
    if (!tab) {
        setWindowTitle(QStringLiteral("TagForge!"));
        setWindowModified(false);
        return;
    }
    QString name = PageControl1()->tabText(PageControl1()->indexOf(tab));
    if (name.endsWith(QLatin1Char('*')))
        name.chop(1);
    setWindowTitle(name + QStringLiteral("[*] - TagForge!"));
    setWindowModified(tab->Editor()->Modified());
}

void TfrmHTMLEdit::UpdateControls()
{
    TDocumentTab *tab = ActiveTab();
    UpdateWindowTitle();
    MultiLineTabs()->Sync();
    if (!tab)
        return;
    const TMyRichEdit *editor = tab->Editor();
    const bool selection = editor->SelAvail();
    Action(TActionId::Copy1)->setEnabled(selection);
    Action(TActionId::Cut1)->setEnabled(selection);
    Action(TActionId::Undo1)->setEnabled(editor->CanUndo());
    Action(TActionId::Redo1)->setEnabled(editor->CanRedo());
    Action(TActionId::Repeat1)->setEnabled(m_state.Flags().LastSnippet != -1);
    Action(TActionId::Save1)->setEnabled(editor->Modified());
    m_search->UpdateControls(editor);
}

void TfrmHTMLEdit::OpenFile(const QString &path)
{
    m_documents->OpenFile(path);
}

QAction *TfrmHTMLEdit::BindCommand(const QString &name, std::function<void()> handler)
{
    QAction *action = m_actions.value(name);
    if (!action)
        return nullptr;
    action->setEnabled(true);
    connect(action, &QAction::triggered, this, [this, handler = std::move(handler)] { RunGuarded(handler); });
    return action;
}

QWidget *TfrmHTMLEdit::SidePageWidget(SidePage page)
{
    ExplorerBar()->SetPageAvailable(TExplorerBar::Page(page));
    return ExplorerBar()->PageWidget(TExplorerBar::Page(page));
}

void TfrmHTMLEdit::ShowSidePage(SidePage page)
{
    if (!BarVisible())
        SetBarVisible(true);
    ExplorerBar()->ShowPage(TExplorerBar::Page(page));
}

int TfrmHTMLEdit::CurrentSidePage() const
{
    return ExplorerBar()->CurrentPage();
}

QWidget *TfrmHTMLEdit::ActiveEditorView() const
{
    TDocumentTab *tab = ActiveTab();
    return tab ? tab->View() : nullptr;
}

QWidget *TfrmHTMLEdit::RequiredEditorView() const
{
    TDocumentTab *tab = ActiveTab();
    if (!tab)
        throw ENoActiveRE();
    return tab->View();
}

QString TfrmHTMLEdit::ActiveDocumentPath() const
{
    const TDocumentTab *tab = ActiveTab();
    return tab ? tab->Path() : QString();
}

TTreePanel *TfrmHTMLEdit::TreePanel() const
{
    return m_analysis->TreePanel();
}

TReportPanel *TfrmHTMLEdit::ReportPanel() const
{
    return m_analysis->ReportPanel();
}

void TfrmHTMLEdit::btnRefreshHTreeClick()
{
    m_analysis->btnRefreshHTreeClick();
}

void TfrmHTMLEdit::WhenSidePageShown(std::function<void(SidePage page)> listener)
{
    connect(ExplorerBar(), &TExplorerBar::PageShown, this,
            [listener = std::move(listener)](int page) { listener(SidePage(page)); });
}
