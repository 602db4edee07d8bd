// The main window's central area: the work area's panes, and what their toggles switch.
#include "app/ui/mainwindow.h"

#include "app/ui/documenttab.h"
#include "app/ui/previewcontroller.h"
#include "app/ui/workarea.h"
#include "editor/ui/codeeditview.h"

#include <QToolBar>
#include <QToolButton>

void TfrmHTMLEdit::CreateCentralArea()
{
    m_workArea = new TWorkArea(
        m_toolButtons, [this](QWidget *pane) -> QWidget * { return m_preview->CreateBrowserToolbar(pane); }, this);
    setCentralWidget(m_workArea);
    auto toggled = [this](const char *name, auto slot) {
        connect(m_toolButtons.value(QLatin1String(name)), &QToolButton::toggled, this, slot);
    };
    toggled("btnToggleNums", [this](bool on) {
        m_settings.ShowLineNums = on;
        if (TDocumentTab *tab = ActiveTab())
            tab->View()->Gutter().SetShowLineNumbers(on);
    });
    toggled("btnTagToggleCompl", [this](bool on) { m_state.Set(&TWindowFlags::TagCompletion, on); });
    toggled("btnToggleTagInsight", [this](bool on) { m_state.Set(&TWindowFlags::TagInsight, on); });
    toggled("btnToggleColorHiLiting", [this](bool on) { m_state.Set(&TWindowFlags::ColorHiLiting, on); });
    toggled("btnToggleWordComp", [this](bool on) { m_state.Set(&TWindowFlags::WordCompletion, on); });
    connect(ToolButton(QStringLiteral("btnToggleBrowser")), &QToolButton::clicked, this, [this](bool on) {
        m_workArea->SetPreviewVisible(on);
        if (on)
            RunGuarded([this] { m_preview->TabChanged(); });
    });
    connect(ToolButton(QStringLiteral("btnMainHorzVert")), &QToolButton::clicked, m_workArea,
            &TWorkArea::ToggleOrientation);
    connect(ToolButton(QStringLiteral("btnMainWinRes")), &QToolButton::clicked, m_workArea, &TWorkArea::SwapPanes);
}

TExplorerBar *TfrmHTMLEdit::ExplorerBar() const
{
    return m_workArea->ExplorerBar();
}
TWebBrowser *TfrmHTMLEdit::WebBrowser() const
{
    return m_workArea->WebBrowser();
}
QSplitter *TfrmHTMLEdit::IESplitter() const
{
    return m_workArea->IESplitter();
}
QSplitter *TfrmHTMLEdit::BarSplitter() const
{
    return m_workArea->BarSplitter();
}
QTabWidget *TfrmHTMLEdit::PageControl1() const
{
    return m_workArea->PageControl();
}
TMultiLineTabs *TfrmHTMLEdit::MultiLineTabs() const
{
    return m_workArea->MultiLineTabs();
}
int TfrmHTMLEdit::BarAlign() const
{
    return m_workArea->BarAlign();
}
void TfrmHTMLEdit::SetBarAlign(int align)
{
    m_workArea->SetBarAlign(align);
}
int TfrmHTMLEdit::BarWidth() const
{
    return m_workArea->BarWidth();
}
void TfrmHTMLEdit::SetBarVisible(bool visible)
{
    m_workArea->SetBarVisible(visible);
}
bool TfrmHTMLEdit::BarVisible() const
{
    return m_workArea->BarVisible();
}
int TfrmHTMLEdit::IEPrevOrientation() const
{
    return m_workArea->IEPrevOrientation();
}
bool TfrmHTMLEdit::IEPrevSwapped() const
{
    return m_workArea->IEPrevSwapped();
}
bool TfrmHTMLEdit::PreviewVisible() const
{
    return m_workArea->PreviewVisible();
}
void TfrmHTMLEdit::SetPreviewVisible(bool visible)
{
    m_workArea->SetPreviewVisible(visible);
}
