// The table wizard's grid: a table view over the wizard's TTableGrid that shows a merged block as
// one cell, leaves places without a cell empty and hands typed characters to the cell text box.
#pragma once

#include "assistants/core/tablegrid.h"

#include <QAbstractTableModel>
#include <QTableView>

class TTableWizGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    TTableWizGridModel(TableWiz::TTableGrid &grid, QObject *parent);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    void Reset();
    void CellChanged(TableWiz::TCellPos pos);

private:
    TableWiz::TTableGrid &m_grid;
};

class TTableWizGrid : public QTableView
{
    Q_OBJECT
public:
    TTableWizGrid(TableWiz::TTableGrid &grid, QWidget *parent = nullptr);

    // After the grid's size or blocks changed.
    void Rebuild();
    void CellChanged(TableWiz::TCellPos pos);
    // On the size page the grid is a preview: no selection, no focus.
    void SetInteractive(bool interactive);
    bool Interactive() const { return m_interactive; }

    TableWiz::TCellPos Current() const;
    // Moves the selection without announcing it.
    void SetCurrent(TableWiz::TCellPos pos);
    // The navigation key that moved the selection, cleared as it is read.
    TableWiz::TNavKey TakeLastKey();

Q_SIGNALS:
    void CellSelected(TableWiz::TCellPos pos);
    void CharTyped(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    friend class TTableWizCellDelegate;

    TableWiz::TTableGrid &m_grid;
    TTableWizGridModel *m_model;
    bool m_interactive = false;
    bool m_quiet = false;
    TableWiz::TNavKey m_lastKey = TableWiz::TNavKey::None;
};
