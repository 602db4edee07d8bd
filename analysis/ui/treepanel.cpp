// The document tree page: an outline of the parsed document that selects what a node stands for.
#include "analysis/ui/treepanel.h"

#include "analysis/ui/treenodemodel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

TTreePanel::TTreePanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pnlHTMLTree"));
    auto *bar = new QWidget(this);
    auto *barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(2, 2, 2, 2);
    barLayout->setSpacing(2);
    auto button = [bar, barLayout](const char *name, const char *icon, const char *text, const char *hint) {
        auto *b = new QToolButton(bar);
        b->setObjectName(QLatin1String(name));
        b->setIcon(QIcon::fromTheme(QLatin1String(icon)));
        if (b->icon().isNull())
            b->setText(QLatin1String(text));
        b->setToolTip(QLatin1String(hint));
        b->setStatusTip(QLatin1String(hint));
        b->setAutoRaise(true);
        barLayout->addWidget(b);
        return b;
    };
    m_refresh = button("btnRefreshHTree", "view-refresh", "R", "Refresh");
    m_endTags = button("btnToggleEndTags", "tag", "/", "Toggle shoowing of End Tags");
    m_endTags->setCheckable(true);
    m_endTags->setChecked(true);
    m_autoRefresh = button("btnToggleAutoTreeRefresh", "chronometer", "A", "automatically update");
    m_autoRefresh->setCheckable(true);
    m_autoRefresh->setChecked(true);
    barLayout->addStretch(1);

    m_tree = new QTreeView(this);
    m_tree->setObjectName(QStringLiteral("HTMLTree"));
    m_tree->setHeaderHidden(true);
    m_tree->setIndentation(19);
    m_tree->setUniformRowHeights(true);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_model = new TTreeNodeModel(this);
    m_tree->setModel(m_model);
    ShowRootOnly();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_tree, 1);

    connect(m_refresh, &QToolButton::clicked, this, &TTreePanel::RefreshClicked);
    connect(m_endTags, &QToolButton::toggled, this, &TTreePanel::EndTagsToggled);
    connect(m_autoRefresh, &QToolButton::toggled, this, &TTreePanel::AutoRefreshToggled);
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &index) { OnChosen(index); });
    connect(m_tree, &QTreeView::doubleClicked, this, [this](const QModelIndex &index) { OnChosen(index); });
}

void TTreePanel::OnChosen(const QModelIndex &index)
{
    const QVariant start = index.data(TTreeNodeModel::StartRole);
    if (!start.isValid() || m_choosingBlocked)
        return;
    Q_EMIT NodeChosen(start.toInt(), index.data(TTreeNodeModel::EndRole).toInt());
}

void TTreePanel::ShowRootOnly()
{
    SetOutline(std::make_shared<const TTreeOutline>(
        QList<TTreeNodeEntry>{TTreeNodeEntry{0, TreeRootText.toString(), tiRoot, std::nullopt}}));
}

void TTreePanel::Rebuild(const QStringList &lines, bool showEndTags)
{
    SetOutline(ShareOutline(TTreeOutline(BuildTreeNodes(lines, showEndTags))));
}

void TTreePanel::SetOutline(std::shared_ptr<const TTreeOutline> outline)
{
    // A new outline is no choice of the user's: the editor's selection stays.
    m_choosingBlocked = true;
    m_model->SetOutline(std::move(outline));
    m_choosingBlocked = false;
    const QModelIndex root = m_model->index(0, 0);
    if (m_model->rowCount(root) <= AutoExpandRows)
        m_tree->expand(root);
}
