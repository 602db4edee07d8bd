// The document tree as an item model over a TTreeOutline.
#include "analysis/ui/treenodemodel.h"

#include <QCoreApplication>
#include <QThread>
#include <QtConcurrent/QtConcurrentRun>

namespace {

// Very long texts would make one node as wide as a page; the node shows their start.
constexpr int kMaxNodeText = 200;

QIcon NodeIcon(int image)
{
    static const char *names[] = {"text-html", "code-context", "text-plain", "format-text-code", "format-text-bold"};
    QIcon icon = QIcon::fromTheme(QLatin1String(names[qBound(0, image, 4)]));
    return icon.isNull() ? QIcon::fromTheme(QStringLiteral("text-x-generic")) : icon;
}

// Below this many nodes freeing takes well under a frame.
constexpr int kFreeAsideNodes = 20000;

} // namespace

std::shared_ptr<const TTreeOutline> ShareOutline(TTreeOutline outline)
{
    return std::shared_ptr<const TTreeOutline>(new TTreeOutline(std::move(outline)), [](const TTreeOutline *o) {
        const QCoreApplication *app = QCoreApplication::instance();
        if (o->Count() > kFreeAsideNodes && app && QThread::currentThread() == app->thread())
            (void)QtConcurrent::run([o] { delete o; });
        else
            delete o;
    });
}

TTreeNodeModel::TTreeNodeModel(QObject *parent)
    : QAbstractItemModel(parent), m_outline(std::make_shared<const TTreeOutline>())
{
    for (int i = 0; i < int(m_icons.size()); ++i)
        m_icons[size_t(i)] = NodeIcon(i);
}

void TTreeNodeModel::SetOutline(std::shared_ptr<const TTreeOutline> outline)
{
    beginResetModel();
    m_outline = outline ? std::move(outline) : std::make_shared<const TTreeOutline>();
    endResetModel();
}

QModelIndex TTreeNodeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (column != 0)
        return {};
    const int node = m_outline->Child(parent.isValid() ? int(parent.internalId()) : -1, row);
    return node < 0 ? QModelIndex() : createIndex(row, 0, quintptr(node));
}

QModelIndex TTreeNodeModel::parent(const QModelIndex &child) const
{
    if (!child.isValid())
        return {};
    const int parent = m_outline->Parent(int(child.internalId()));
    return parent < 0 ? QModelIndex() : createIndex(m_outline->Row(parent), 0, quintptr(parent));
}

int TTreeNodeModel::rowCount(const QModelIndex &parent) const
{
    if (parent.column() > 0)
        return 0;
    return m_outline->ChildCount(parent.isValid() ? int(parent.internalId()) : -1);
}

int TTreeNodeModel::columnCount(const QModelIndex &) const
{
    return 1;
}

bool TTreeNodeModel::hasChildren(const QModelIndex &parent) const
{
    return rowCount(parent) > 0;
}

QVariant TTreeNodeModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const TTreeNodeEntry &node = m_outline->Node(int(index.internalId()));
    switch (role) {
    case Qt::DisplayRole: {
        QString text = node.Text.size() > kMaxNodeText ? node.Text.left(kMaxNodeText) + QChar(0x2026) : node.Text;
        text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        return text;
    }
    case Qt::DecorationRole: return m_icons[size_t(qBound(0, node.ImageIndex, int(m_icons.size()) - 1))];
    case StartRole: return node.Data ? QVariant(node.Data->StartPos) : QVariant();
    case EndRole: return node.Data ? QVariant(node.Data->EndPos) : QVariant();
    default: return {};
    }
}
