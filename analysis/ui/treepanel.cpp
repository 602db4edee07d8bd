// The document tree page: an outline of the parsed document that selects what a node stands for.
#include "analysis/ui/treepanel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int kStartRole = Qt::UserRole + 1;
constexpr int kEndRole = Qt::UserRole + 2;
// Very long texts would make one node as wide as a page; the node shows their start.
constexpr int kMaxNodeText = 200;

QIcon NodeIcon(int image)
{
    static const char *names[] = {"text-html", "code-context", "text-plain", "format-text-code",
                                  "format-text-bold"};
    QIcon icon = QIcon::fromTheme(QLatin1String(names[qBound(0, image, 4)]));
    return icon.isNull() ? QIcon::fromTheme(QStringLiteral("text-x-generic")) : icon;
}
}

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

    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("HTMLTree"));
    m_tree->setHeaderHidden(true);
    m_tree->setIndentation(19);
    m_tree->setUniformRowHeights(true);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->addTopLevelItem(new QTreeWidgetItem(QStringList{QStringLiteral("HTML Dokument")}));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_tree, 1);

    connect(m_refresh, &QToolButton::clicked, this, &TTreePanel::RefreshClicked);
    connect(m_endTags, &QToolButton::toggled, this, &TTreePanel::EndTagsToggled);
    connect(m_autoRefresh, &QToolButton::toggled, this, &TTreePanel::AutoRefreshToggled);
    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *item) { OnChosen(item); });
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem *item) { OnChosen(item); });
}

void TTreePanel::OnChosen(QTreeWidgetItem *item)
{
    if (!item || !item->data(0, kStartRole).isValid())
        return;
    Q_EMIT NodeChosen(item->data(0, kStartRole).toInt(), item->data(0, kEndRole).toInt());
}

void TTreePanel::ShowRootOnly()
{
    const QSignalBlocker block(m_tree);
    m_tree->clear();
    auto *root = new QTreeWidgetItem(QStringList{TreeRootText.toString()});
    root->setIcon(0, NodeIcon(tiRoot));
    m_tree->addTopLevelItem(root);
}

void TTreePanel::Rebuild(const QStringList &lines, bool showEndTags)
{
    const QList<TTreeNodeEntry> nodes = BuildTreeNodes(lines, showEndTags);
    const QSignalBlocker block(m_tree);
    m_tree->setUpdatesEnabled(false);
    m_tree->clear();
    QList<QTreeWidgetItem *> parents;   // the last item added on each level
    QList<QTreeWidgetItem *> topLevel;
    for (const TTreeNodeEntry &node : nodes) {
        QString text = node.Text;
        text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        if (text.size() > kMaxNodeText)
            text = text.left(kMaxNodeText) + QChar(0x2026);
        auto *item = new QTreeWidgetItem(QStringList{text});
        item->setIcon(0, NodeIcon(node.ImageIndex));
        if (node.Data) {
            item->setData(0, kStartRole, node.Data->StartPos);
            item->setData(0, kEndRole, node.Data->EndPos);
        }
        parents.resize(node.Level + 1);
        parents[node.Level] = item;
        if (node.Level == 0)
            topLevel.append(item);
        else if (QTreeWidgetItem *parent = parents.value(node.Level - 1))
            parent->addChild(item);
        else
            delete item;
    }
    m_tree->addTopLevelItems(topLevel);
    if (!topLevel.isEmpty())
        topLevel.first()->setExpanded(true);
    m_tree->setUpdatesEnabled(true);
}
