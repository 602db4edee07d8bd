// The window's central area: side bar, editor pane, browser pane and their splitters.
#include "app/ui/workarea.h"

#include "app/core/appsettings.h"
#include "app/ui/explorerbar.h"
#include "app/ui/multilinetabs.h"
#include "app/ui/panestrips.h"
#include "platform/qt/webbrowser.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QVBoxLayout *BareColumn(QWidget *owner)
{
    auto *layout = new QVBoxLayout(owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

} // namespace

TWorkArea::TWorkArea(QHash<QString, QToolButton *> &toolButtons,
                     const std::function<QWidget *(QWidget *)> &browserToolbar, QWidget *parent)
    : QWidget(parent), m_toolButtons(toolButtons)
{
    setObjectName(QStringLiteral("pnlClient"));

    m_barSplitter = new QSplitter(Qt::Horizontal, this);
    m_barSplitter->setObjectName(QStringLiteral("BarSplitter"));
    m_barSplitter->setChildrenCollapsible(false);
    m_explorerBar = new TExplorerBar(m_barSplitter);
    connect(m_explorerBar, &TExplorerBar::AlignLeftClicked, this, [this] { SetBarAlign(3); });
    connect(m_explorerBar, &TExplorerBar::AlignRightClicked, this, [this] { SetBarAlign(4); });
    connect(m_explorerBar, &TExplorerBar::HideClicked, this, [this] { SetBarVisible(false); });

    auto *workArea = new QWidget(m_barSplitter);
    QVBoxLayout *workLayout = BareColumn(workArea);
    // The strip of toggles above the documents.
    workLayout->addWidget(MakeTopBar(workArea, m_toolButtons));

    m_ieSplitter = new QSplitter(Qt::Vertical, workArea);
    m_ieSplitter->setObjectName(QStringLiteral("IESplitter"));
    m_ieSplitter->setChildrenCollapsible(false);
    workLayout->addWidget(m_ieSplitter, 1);

    m_editPane = new QWidget(m_ieSplitter);
    m_editPane->setObjectName(QStringLiteral("pnlEdit"));
    QVBoxLayout *editLayout = BareColumn(m_editPane);
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
    QVBoxLayout *browserLayout = BareColumn(m_browserPane);
    browserLayout->addWidget(browserToolbar(m_browserPane));
    // The grip strip under the browser toolbar.
    browserLayout->addWidget(MakeGripStrip(m_browserPane));

    auto *clientLayout = new QVBoxLayout(this);
    clientLayout->setContentsMargins(0, 0, 0, 0);
    clientLayout->addWidget(m_barSplitter);
    m_barSplitter->setStretchFactor(0, 0);
    m_barSplitter->setStretchFactor(1, 1);
    m_barSplitter->setSizes({250, 850});
}

void TWorkArea::CreateBrowser()
{
    m_webBrowser = TWebBrowser::Create(m_browserPane);
    if (m_webBrowser) {
        m_webBrowser->setObjectName(QStringLiteral("WebBrowser"));
        m_browserPane->layout()->addWidget(m_webBrowser);
    } else {
        // Without a browser engine the program runs on without preview.
        m_browserPane->hide();
        for (const char *name : {"btnMainHorzVert", "btnMainWinRes", "btnToggleBrowser"})
            m_toolButtons.value(QLatin1String(name))->setEnabled(false);
        m_toolButtons.value(QStringLiteral("btnToggleBrowser"))->setChecked(false);
    }
    ApplyPaneMinimums();
}

void TWorkArea::SetBarAlign(int align)
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

int TWorkArea::BarWidth() const
{
    return m_explorerBar->width();
}

void TWorkArea::SetBarVisible(bool visible)
{
    m_explorerBar->setVisible(visible);
}

bool TWorkArea::BarVisible() const
{
    return !m_explorerBar->isHidden();
}

int TWorkArea::IEPrevOrientation() const
{
    return m_ieSplitter->orientation() == Qt::Horizontal ? 1 : 0;
}

bool TWorkArea::IEPrevSwapped() const
{
    return m_ieSplitter->indexOf(m_browserPane) == 0;
}

bool TWorkArea::PreviewVisible() const
{
    return m_webBrowser && !m_browserPane->isHidden();
}

void TWorkArea::SetPreviewVisible(bool visible)
{
    if (!m_webBrowser)
        visible = false;
    m_browserPane->setVisible(visible);
    m_toolButtons.value(QStringLiteral("btnToggleBrowser"))->setChecked(visible);
}

bool TWorkArea::BothPanesVisible() const
{
    return m_webBrowser && m_browserPane->isVisible() && m_editPane->isVisible();
}

void TWorkArea::ToggleOrientation()
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

void TWorkArea::ApplyPaneMinimums()
{
    // The editor side keeps at least 200 pixels along the split, the browser side 10.
    const bool sideBySide = m_ieSplitter->orientation() == Qt::Horizontal;
    m_editPane->setMinimumSize(sideBySide ? 200 : 0, sideBySide ? 0 : 200);
    m_browserPane->setMinimumSize(sideBySide ? 10 : 0, sideBySide ? 0 : 10);
}

void TWorkArea::SwapPanes()
{
    const QList<int> sizes = m_ieSplitter->sizes();
    m_ieSplitter->insertWidget(0, m_ieSplitter->widget(1));
    m_ieSplitter->setSizes({sizes.value(1), sizes.value(0)});
}

void TWorkArea::ApplyLayout(const TWindowLayout &l)
{
    if (l.BarAlign)
        SetBarAlign(*l.BarAlign);
    if (l.BarWidth && *l.BarWidth > 0) {
        QList<int> sizes = m_barSplitter->sizes();
        const int barIndex = m_barSplitter->indexOf(m_explorerBar);
        const int total = sizes[0] + sizes[1];
        sizes[barIndex] = *l.BarWidth;
        sizes[1 - barIndex] = qMax(100, total - *l.BarWidth);
        m_barSplitter->setSizes(sizes);
    }
    if (l.BarVisible)
        SetBarVisible(*l.BarVisible);
    if (m_webBrowser) {
        if (l.IEPrevVisible)
            SetPreviewVisible(*l.IEPrevVisible);
        if (l.IEPrevOrientation) {
            m_ieSplitter->setOrientation(*l.IEPrevOrientation == 1 ? Qt::Horizontal : Qt::Vertical);
            ApplyPaneMinimums();
        }
        if (l.IEPrevSwapped && *l.IEPrevSwapped)
            SwapPanes();
    }
    if (l.IEPrevPosition)
        m_pendingSplitPosition = *l.IEPrevPosition;
}

void TWorkArea::CollectLayout(TSavedState &s) const
{
    s.BarWidth = BarWidth();
    s.BarAlign = m_barAlign;
    s.BarVisible = BarVisible();
    s.HaveBrowser = m_webBrowser != nullptr;
    s.IEPrevVisible = PreviewVisible();
    s.IEPrevOrientation = IEPrevOrientation();
    s.IEPrevSwapped = IEPrevSwapped();
    s.IEPrevPosition = m_ieSplitter->sizes().value(0);
}

void TWorkArea::ApplyPendingSplit()
{
    if (m_pendingSplitPosition <= 0)
        return;
    const int total = m_ieSplitter->orientation() == Qt::Horizontal ? m_ieSplitter->width() : m_ieSplitter->height();
    const int first = qMin(m_pendingSplitPosition, qMax(0, total - 50));
    m_ieSplitter->setSizes({first, qMax(50, total - first)});
}
