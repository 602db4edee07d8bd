// The side bar: a header to dock or hide it, four page buttons and the notebook of panels.
#include "app/ui/explorerbar.h"

#include <QButtonGroup>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QStackedWidget>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

TExplorerBar::TExplorerBar(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pnlExplorerBar"));

    auto *header = new QWidget(this);
    header->setObjectName(QStringLiteral("pnlExpTop"));
    auto *headerLayout = new QHBoxLayout(header);
    headerLayout->setContentsMargins(4, 2, 2, 2);
    headerLayout->setSpacing(2);
    auto *title = new QLabel(QStringLiteral("Explorer"), header);
    title->setStyleSheet(QStringLiteral("font-weight: 600"));
    headerLayout->addWidget(title, 1);
    QToolButton *left = HeaderButton(QStringLiteral("btnExpAlignL"), QStringLiteral("go-previous"), QStringLiteral("<"),
                                     QStringLiteral("Dock at the left edge"));
    QToolButton *right = HeaderButton(QStringLiteral("btnExpAlignR"), QStringLiteral("go-next"), QStringLiteral(">"),
                                      QStringLiteral("Dock at the right edge"));
    QToolButton *hide = HeaderButton(QStringLiteral("btnExpX"), QStringLiteral("window-close"), QStringLiteral("x"),
                                     QStringLiteral("Hide the side bar"));
    headerLayout->addWidget(left);
    headerLayout->addWidget(right);
    headerLayout->addWidget(hide);
    connect(left, &QToolButton::clicked, this, &TExplorerBar::AlignLeftClicked);
    connect(right, &QToolButton::clicked, this, &TExplorerBar::AlignRightClicked);
    connect(hide, &QToolButton::clicked, this, &TExplorerBar::HideClicked);

    auto *switchBar = new QWidget(this);
    switchBar->setObjectName(QStringLiteral("pnlLBarSwitch"));
    auto *switchLayout = new QHBoxLayout(switchBar);
    switchLayout->setContentsMargins(2, 0, 2, 2);
    switchLayout->setSpacing(2);
    m_switch = new QButtonGroup(this);
    m_switch->setExclusive(true);
    struct SwitchButton
    {
        const char *name, *icon, *caption, *hint;
    };
    static const SwitchButton buttons[] = {
        {"btnShowExplorer", "folder", "Files", "Explorer and image preview"},
        {"btnShowTreeView", "view-list-tree", "Tree", "Document tree"},
        {"btnShowCharsTab", "accessories-character-map", "Chars", "Character map"},
        {"btnShowManager", "folder-documents", "Site", "Site manager"},
    };
    int id = 0;
    for (const SwitchButton &b : buttons) {
        auto *button = new QToolButton(switchBar);
        button->setObjectName(QLatin1String(b.name));
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setIcon(QIcon::fromTheme(QLatin1String(b.icon)));
        button->setText(QLatin1String(b.caption));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setToolTip(QLatin1String(b.hint));
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        switchLayout->addWidget(button);
        m_switch->addButton(button, id++);
    }
    m_switch->button(0)->setChecked(true);
    // The character map and the site manager open once something fills them.
    m_switch->button(CharsPage)->setEnabled(false);
    m_switch->button(ManagerPage)->setEnabled(false);

    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("Pages"));
    static const char *pageNames[PageCount] = {"tabExplorer", "tabTreeView", "tabChars", "tabManager", "tabReport"};
    for (int i = 0; i < PageCount; ++i) {
        auto *page = new QWidget(m_pages);
        page->setObjectName(QLatin1String(pageNames[i]));
        auto *layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        m_pages->addWidget(page);
    }

    m_fsModel = new QFileSystemModel(this);
    m_fsModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_sysDrives = new QTreeView(PageWidget(ExplorerPage));
    m_sysDrives->setObjectName(QStringLiteral("SysDrives"));
    m_sysDrives->setModel(m_fsModel);
    m_sysDrives->setHeaderHidden(true);
    m_sysDrives->setSortingEnabled(true);
    m_sysDrives->sortByColumn(0, Qt::AscendingOrder);
    for (int c = 1; c < m_fsModel->columnCount(); ++c)
        m_sysDrives->hideColumn(c);
    PageWidget(ExplorerPage)->layout()->addWidget(m_sysDrives);

    connect(m_switch, &QButtonGroup::idClicked, this, [this](int page) { ShowPage(Page(page)); });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header);
    layout->addWidget(switchBar);
    layout->addWidget(m_pages, 1);
    setMinimumWidth(140);
}

QToolButton *TExplorerBar::HeaderButton(const QString &name, const QString &icon, const QString &fallback,
                                        const QString &hint)
{
    auto *button = new QToolButton(this);
    button->setObjectName(name);
    button->setAutoRaise(true);
    const QIcon themed = QIcon::fromTheme(icon);
    if (themed.isNull())
        button->setText(fallback);
    else
        button->setIcon(themed);
    button->setIconSize(QSize(14, 14));
    button->setToolTip(hint);
    return button;
}

QWidget *TExplorerBar::PageWidget(Page page) const
{
    return m_pages->widget(page);
}

int TExplorerBar::CurrentPage() const
{
    return m_pages->currentIndex();
}

void TExplorerBar::ShowPage(Page page)
{
    m_pages->setCurrentIndex(page);
    if (QAbstractButton *b = m_switch->button(page))
        b->setChecked(true);
    Q_EMIT PageShown(page);
}

void TExplorerBar::SetExplorerRoot(const QString &path)
{
    const QModelIndex root = m_fsModel->setRootPath(path);
    m_sysDrives->setCurrentIndex(root);
    m_sysDrives->scrollTo(root);
    m_sysDrives->expand(root);
}

void TExplorerBar::SetPageAvailable(Page page)
{
    if (QAbstractButton *button = m_switch->button(page))
        button->setEnabled(true);
}
