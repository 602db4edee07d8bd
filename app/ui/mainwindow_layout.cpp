// The main window's central area: side bar, editor pane, browser pane and their splitters.
#include "app/ui/mainwindow.h"

#include "app/ui/documenttab.h"
#include "app/ui/explorerbar.h"
#include "app/ui/multilinetabs.h"
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

QToolButton *TfrmHTMLEdit::AddToggle(QWidget *parent, const QString &name, const QString &icon,
                                     const QString &caption, const QString &hint)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setCheckable(true);
    button->setChecked(true);
    button->setAutoRaise(true);
    const QIcon themed = QIcon::fromTheme(icon);
    if (themed.isNull() || icon.isEmpty()) {
        button->setText(caption);
    } else {
        button->setIcon(themed);
    }
    button->setToolTip(hint);
    button->setStatusTip(hint);
    m_toolButtons.insert(name, button);
    return button;
}

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
    auto *pnlTopBar = new QWidget(workArea);
    pnlTopBar->setObjectName(QStringLiteral("pnlTopBar"));
    auto *topLayout = new QHBoxLayout(pnlTopBar);
    topLayout->setContentsMargins(2, 1, 2, 1);
    topLayout->setSpacing(1);
    auto *pnlTopBarBtns = new QWidget(pnlTopBar);
    pnlTopBarBtns->setObjectName(QStringLiteral("pnlTopBarBtns"));
    auto *btnLayout = new QHBoxLayout(pnlTopBarBtns);
    btnLayout->setContentsMargins(0, 0, 0, 0);
    btnLayout->setSpacing(1);
    QToolButton *nums = AddToggle(pnlTopBarBtns, QStringLiteral("btnToggleNums"),
                                  QStringLiteral("format-list-ordered"), QStringLiteral("#"),
                                  QStringLiteral("Toggle Line Numbers on/off"));
    QToolButton *bracketCompl = AddToggle(pnlTopBarBtns, QStringLiteral("btnTagToggleCompl"), QString(),
                                   QStringLiteral("<>"), QStringLiteral("Tag Brackets Completion on/off"));
    QToolButton *insight = AddToggle(pnlTopBarBtns, QStringLiteral("btnToggleTagInsight"),
                                     QStringLiteral("help-hint"), QStringLiteral("?"),
                                     QStringLiteral("Tag Helper on/off"));
    QToolButton *browser = AddToggle(pnlTopBarBtns, QStringLiteral("btnToggleBrowser"),
                                     QStringLiteral("internet-web-browser"), QStringLiteral("Web"),
                                     QStringLiteral("Toggle Browser on/off"));
    QToolButton *colours = AddToggle(pnlTopBarBtns, QStringLiteral("btnToggleColorHiLiting"),
                                     QString(), QStringLiteral("CH"),
                                     QStringLiteral("Color Highlighting on/off"));
    QToolButton *words = AddToggle(pnlTopBarBtns, QStringLiteral("btnToggleWordComp"), QString(),
                                   QStringLiteral("KC"),
                                   QStringLiteral("Keyword Completetion on/off"));
    for (QToolButton *b : {nums, bracketCompl, insight, browser, colours, words})
        btnLayout->addWidget(b);
    connect(nums, &QToolButton::toggled, this, [this](bool on) {
        m_settings.ShowLineNums = on;
        if (TDocumentTab *tab = ActiveTab())
            tab->View()->Gutter().SetShowLineNumbers(on);
    });
    connect(bracketCompl, &QToolButton::toggled, this, [this](bool on) { m_state.Set(&TWindowFlags::TagCompletion, on); });
    connect(insight, &QToolButton::toggled, this, [this](bool on) { m_state.Set(&TWindowFlags::TagInsight, on); });
    connect(browser, &QToolButton::clicked, this, [this](bool on) {
        SetPreviewVisible(on);
        if (on)
            RunGuarded([this] { m_preview->btnPreviewClick(false); });
    });
    connect(colours, &QToolButton::toggled, this, [this](bool on) { m_state.Set(&TWindowFlags::ColorHiLiting, on); });
    connect(words, &QToolButton::toggled, this, [this](bool on) { m_state.Set(&TWindowFlags::WordCompletion, on); });
    topLayout->addWidget(pnlTopBarBtns);
    topLayout->addStretch(1);
    QToolButton *horzVert = AddToggle(pnlTopBar, QStringLiteral("btnMainHorzVert"),
                                      QStringLiteral("view-split-left-right"), QStringLiteral("2"),
                                      QStringLiteral("Switch to Vertical/ Horizontal Mode"));
    horzVert->setCheckable(false);
    QToolButton *winRes = AddToggle(pnlTopBar, QStringLiteral("btnMainWinRes"),
                                    QStringLiteral("exchange-positions"), QStringLiteral("v"),
                                    QStringLiteral("Switch Panes"));
    winRes->setCheckable(false);
    connect(horzVert, &QToolButton::clicked, this, &TfrmHTMLEdit::btnMainHorzVertClick);
    connect(winRes, &QToolButton::clicked, this, &TfrmHTMLEdit::btnMainWinResClick);
    topLayout->addWidget(horzVert);
    topLayout->addWidget(winRes);
    workLayout->addWidget(pnlTopBar);

    m_ieSplitter = new QSplitter(Qt::Vertical, workArea);
    m_ieSplitter->setObjectName(QStringLiteral("IESplitter"));
    m_ieSplitter->setChildrenCollapsible(false);
    workLayout->addWidget(m_ieSplitter, 1);

    m_editPane = new QWidget(m_ieSplitter);
    m_editPane->setObjectName(QStringLiteral("pnlEdit"));
    auto *editLayout = new QVBoxLayout(m_editPane);
    editLayout->setContentsMargins(0, 0, 0, 0);
    editLayout->setSpacing(0);
    m_pnlTagTip = new QWidget(m_editPane);
    m_pnlTagTip->setObjectName(QStringLiteral("pnlTagTip"));
    auto *tipLayout = new QHBoxLayout(m_pnlTagTip);
    tipLayout->setContentsMargins(2, 1, 2, 1);
    tipLayout->addWidget(new QLabel(QStringLiteral(" Tag Params:  "), m_pnlTagTip));
    m_mmoTagHint = new QLineEdit(m_pnlTagTip);
    m_mmoTagHint->setObjectName(QStringLiteral("mmoTagHint"));
    m_mmoTagHint->setReadOnly(true);
    m_mmoTagHint->setFrame(false);
    tipLayout->addWidget(m_mmoTagHint, 1);
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
    // The grip strip under the browser toolbar: two raised bevels across the pane.
    auto *pnlIETopBar = new QWidget(m_browserPane);
    pnlIETopBar->setObjectName(QStringLiteral("pnlIETopBar"));
    pnlIETopBar->setFixedHeight(7);
    auto *gripLayout = new QVBoxLayout(pnlIETopBar);
    gripLayout->setContentsMargins(1, 1, 1, 1);
    gripLayout->setSpacing(1);
    for (int i = 0; i < 2; ++i) {
        auto *bevel = new QFrame(pnlIETopBar);
        bevel->setFrameStyle(QFrame::HLine | QFrame::Raised);
        bevel->setFixedHeight(2);
        gripLayout->addWidget(bevel);
    }
    browserLayout->addWidget(pnlIETopBar);

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
