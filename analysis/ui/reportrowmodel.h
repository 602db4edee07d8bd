// The report's rows as a list model: a check of a page with a million links makes a million
// rows, which a view shows without an item object per row.
#pragma once

#include "analysis/core/checkreport.h"

#include <QAbstractTableModel>
#include <QIcon>

class TReportRowModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetRows(const QList<TReportRow> &rows);
    const QList<TReportRow> &Rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<TReportRow> m_rows;
    mutable QHash<int, QIcon> m_icons; // one icon per image, looked up once
};
