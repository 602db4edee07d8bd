// The document tree as an item model over a TTreeOutline: items exist only as the view asks.
#pragma once

#include "analysis/core/treeoutline.h"

#include <QAbstractItemModel>
#include <QIcon>

#include <array>
#include <memory>

// An outline to hand to the model. When its last owner lets go of a large one on the interface
// thread, it is freed on a worker: freeing millions of nodes would hold up the window.
std::shared_ptr<const TTreeOutline> ShareOutline(TTreeOutline outline);

class TTreeNodeModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    // The character range a node selects, as ints; invalid for the root.
    static constexpr int StartRole = Qt::UserRole + 1;
    static constexpr int EndRole = Qt::UserRole + 2;

    explicit TTreeNodeModel(QObject *parent = nullptr);

    void SetOutline(std::shared_ptr<const TTreeOutline> outline);
    const TTreeOutline &Outline() const { return *m_outline; }

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    bool hasChildren(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    std::shared_ptr<const TTreeOutline> m_outline;
    std::array<QIcon, 5> m_icons;
};
