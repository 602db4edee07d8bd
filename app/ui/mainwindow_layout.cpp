// The main window's central area: side bar, editor pane, browser pane and their splitters.
#include "app/ui/mainwindow.h"

#include "app/ui/documenttab.h"
#include "app/ui/explorerbar.h"
#include "app/ui/multilinetabs.h"
#include "app/ui/panestrips.h"
#include "app/ui/previewcontroller.h"
#include "editor/ui/codeeditview.h"
#include "platform/qt/webbrowser.h"

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

void TfrmHTMLEdit::CreateCentralArea()
{
    auto *pnlClient = new QWidget(this);
    pnlClient->setObjectName(QStringLiteral("pnlClient"));

    m_barSplitter = new QSplitter(Qt::Horizontal, pnlClient);
    m_barSplitter->setObjectName(QStringLiteral("BarSplitter"));
    m_barSplitter->setChildrenCollapsible(false);
    m_explorerBar = new TExplorerBar(m_barSplitter);
    connect(m_explorerBar, &TExplorerBar::AlignLeftClicked, this, [this] { SetBarAlign(3); });
    connect(m_explorerBar, &TExplorerBar::AlignRightClicked, this, [this] { SetBarAlign(4); });
    connect(m_explorerBar, &TExplorerBar::HideClicked, this, [this] { SetBarVisible(false); });

    auto *workArea = new QWidget(m_barSplitter);
    auto *workLayout = new QVBoxLayout(workArea);
    workLayout->setContentsMargins(0, 0, 0, 0);
    workLayout->setSpacing(0);

    // The strip of toggles above the documents.
    workLayout->addWidget(MakeTopBar(workArea, m_toolButtons));
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
        SetPreviewVisible(on);
        if (on)
            RunGuarded([this] { m_preview->TabChanged(); });
    });
    connect(ToolButton(QStringLiteral("btnMainHorzVert")), &QToolButton::clicked, this,
            &TfrmHTMLEdit::btnMainHorzVertClick);
    connect(ToolButton(QStringLiteral("btnMainWinRes")), &QToolButton::clicked, this,
            &TfrmHTMLEdit::btnMainWinResClick);

    m_ieSplitter = new QSplitter(Qt::Vertical, workArea);
    m_ieSplitter->setObjectName(QStringLiteral("IESplitter"));
    m_ieSplitter->setChildrenCollapsible(false);
    workLayout->addWidget(m_ieSplitter, 1);

    m_editPane = new QWidget(m_ieSplitter);
    m_editPane->setObjectName(QStringLiteral("pnlEdit"));
    auto *editLayout = new QVBoxLayout(m_editPane);
    editLayout->setContentsMargins(0, 0, 0, 0);
    editLayout->setSpacing(0);
    m_pnlTagTip = MakeTagTipStrip(m_editPane, m_mmoTagHint);
    editLayout->addWidget(m_pnlTagTip);
    m_pageControl = new QTabWidget(m_editPane);
    m_pageControl->setObjectName(QStringLiteral("PageControl1"));
    m_pageControl->setDocumentMode(true);
    m_pageControl->setMovable(true);
    m_multiLineTabs = new TMultiLineTabs(m_pageControl, m_editPane);
    connect(m_multiLineTabs, &TMultiLineTabs::CloseRequested, m_pageControl, &QTabWidget::tabCloseRequested);
    editLayout->addWidget(m_multiLineTabs);
    editLayout->addWidget(m_pageControl, 1);

    m_browserPane = new QWidget(m_ieSplitter);
    m_browserPane->setObjectName(QStringLiteral("pnlBrowser"));
    auto *browserLayout = new QVBoxLayout(m_browserPane);
    browserLayout->setContentsMargins(0, 0, 0, 0);
    browserLayout->setSpacing(0);
    browserLayout->addWidget(m_preview->CreateBrowserToolbar(m_browserPane));
    // The grip strip under the browser toolbar.
    browserLayout->addWidget(MakeGripStrip(m_browserPane));

    auto *clientLayout = new QVBoxLayout(pnlClient);
    clientLayout->setContentsMargins(0, 0, 0, 0);
    clientLayout->addWidget(m_barSplitter);
    m_barSplitter->setStretchFactor(0, 0);
    m_barSplitter->setStretchFactor(1, 1);
    m_barSplitter->setSizes({250, 850});
    setCentralWidget(pnlClient);
}

void TfrmHTMLEdit::CreateBrowser()
{
    m_webBrowser = TWebBrowser::Create(m_browserPane);
    if (m_webBrowser) {
        m_webBrowser->setObjectName(QStringLiteral("WebBrowser"));
        m_browserPane->layout()->addWidget(m_webBrowser);
        return;
    }
    // Without a browser engine the program runs on without preview.
    m_browserPane->hide();
    for (const char *name : {"btnMainHorzVert", "btnMainWinRes", "btnToggleBrowser"})
        m_toolButtons.value(QLatin1String(name))->setEnabled(false);
    m_toolButtons.value(QStringLiteral("btnToggleBrowser"))->setChecked(false);
}

void TfrmHTMLEdit::SetBarAlign(int align)
{
    m_barAlign = align == 4 ? 4 : 3;
    const QList<int> sizes = m_barSplitter->sizes();
    const int barIndex = m_barSplitter->indexOf(m_explorerBar);
    const int wanted = m_barAlign == 4 ? 1 : 0;
    if (barIndex != wanted) {
        // The drag strip is the splitter handle, so it follows to the bar's inner edge.
        m_barSplitter->insertWidget(wanted, m_explorerBar);
        m_barSplitter->setStretchFactor(wanted, 0);
        m_barSplitter->setStretchFactor(1 - wanted, 1);
        m_barSplitter->setSizes({sizes.value(1), sizes.value(0)});
    }
    SetBarVisible(true);
}

int TfrmHTMLEdit::BarWidth() const
{
    return m_explorerBar->width();
}

void TfrmHTMLEdit::SetBarVisible(bool visible)
{
    m_explorerBar->setVisible(visible);
}

bool TfrmHTMLEdit::BarVisible() const
{
    return !m_explorerBar->isHidden();
}

int TfrmHTMLEdit::IEPrevOrientation() const
{
    return m_ieSplitter->orientation() == Qt::Horizontal ? 1 : 0;
}

bool TfrmHTMLEdit::IEPrevSwapped() const
{
    return m_ieSplitter->indexOf(m_browserPane) == 0;
}

bool TfrmHTMLEdit::PreviewVisible() const
{
    return m_webBrowser && !m_browserPane->isHidden();
}

void TfrmHTMLEdit::SetPreviewVisible(bool visible)
{
    if (!m_webBrowser)
        visible = false;
    m_browserPane->setVisible(visible);
    m_toolButtons.value(QStringLiteral("btnToggleBrowser"))->setChecked(visible);
}

void TfrmHTMLEdit::btnMainHorzVertClick()
{
    if (m_ieSplitter->orientation() == Qt::Vertical) {
        m_ieSplitter->setOrientation(Qt::Horizontal);
        const int first = qMax(100, m_ieSplitter->width() - BarWidth());
        m_ieSplitter->setSizes({first, qMax(100, m_ieSplitter->width() - first)});
    } else {
        m_ieSplitter->setOrientation(Qt::Vertical);
        const int half = m_ieSplitter->height() / 2;
        m_ieSplitter->setSizes({half, half});
    }
    ApplyPaneMinimums();
}

void TfrmHTMLEdit::ApplyPaneMinimums()
{
    // The editor side keeps at least 200 pixels along the split, the browser side 10.
    const bool sideBySide = m_ieSplitter->orientation() == Qt::Horizontal;
    m_editPane->setMinimumSize(sideBySide ? 200 : 0, sideBySide ? 0 : 200);
    m_browserPane->setMinimumSize(sideBySide ? 10 : 0, sideBySide ? 0 : 10);
}

void TfrmHTMLEdit::btnMainWinResClick()
{
    const QList<int> sizes = m_ieSplitter->sizes();
    m_ieSplitter->insertWidget(0, m_ieSplitter->widget(1));
    m_ieSplitter->setSizes({sizes.value(1), sizes.value(0)});
}
