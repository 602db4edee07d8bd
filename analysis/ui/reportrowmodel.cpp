#include "analysis/ui/reportrowmodel.h"

#include "analysis/ui/reportpanel.h"

void TReportRowModel::SetRows(const QList<TReportRow> &rows)
{
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

int TReportRowModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TReportRowModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 6;
}

QVariant TReportRowModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const TReportRow &row = m_rows.at(index.row());
    if (role == Qt::DisplayRole)
        return index.column() == 0 ? row.Caption : row.SubItems.value(index.column() - 1);
    if (role == Qt::DecorationRole && index.column() == 0) {
        auto it = m_icons.find(row.ImageIndex);
        if (it == m_icons.end())
            it = m_icons.insert(row.ImageIndex, ReportRowIcon(row.ImageIndex));
        return it->isNull() ? QVariant() : QVariant(*it);
    }
    return {};
}

QVariant TReportRowModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char *const headers[] = {"Source", "Link", "Full URL", "Status", "Type", "Line #"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= 6)
        return {};
    return QString::fromLatin1(headers[section]);
}
