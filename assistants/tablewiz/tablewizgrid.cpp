// The table wizard's grid view.
#include "assistants/tablewiz/tablewizgrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

using namespace TableWiz;

TTableWizGridModel::TTableWizGridModel(TTableGrid &grid, QObject *parent) : QAbstractTableModel(parent), m_grid(grid) {}

int TTableWizGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_grid.RowCount();
}

int TTableWizGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_grid.ColCount();
}

QVariant TTableWizGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QVariant();
    const TCellAttributes &cell = m_grid.Cell({index.row(), index.column()});
    return cell.Covered() ? QVariant() : QVariant(cell.Text);
}

void TTableWizGridModel::Reset()
{
    beginResetModel();
    endResetModel();
}

void TTableWizGridModel::CellChanged(TCellPos pos)
{
    const QModelIndex i = index(pos.Row, pos.Col);
    Q_EMIT dataChanged(i, i);
}

// Draws every cell itself: the selected one filled with the highlight colour while the grid has
// the focus and grey otherwise, the others on the base colour framed in teal; a place without a
// cell stays the colour of the dialog.
class TTableWizCellDelegate : public QStyledItemDelegate
{
public:
    explicit TTableWizCellDelegate(TTableWizGrid *view) : QStyledItemDelegate(view), m_view(view) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const TCellPos pos{index.row(), index.column()};
        const TCellAttributes &cell = m_view->m_grid.Cell(pos);
        const QPalette &palette = option.palette;
        const QRect rect = option.rect.adjusted(0, 0, -1, -1);
        painter->save();
        if (cell.Covered()) {
            painter->fillRect(option.rect, palette.window());
            painter->restore();
            return;
        }
        const bool selected = m_view->Interactive() && m_view->Current() == pos;
        QColor fill = palette.base().color();
        QColor frame(0x00, 0x80, 0x80);
        QColor text = palette.text().color();
        if (selected) {
            fill = m_view->hasFocus() ? palette.highlight().color() : QColor(Qt::gray);
            frame = fill;
            text = palette.highlightedText().color();
        }
        painter->fillRect(rect, fill);
        painter->setPen(frame);
        painter->drawRect(rect);
        QString shown = cell.Text.left(400);
        shown.replace(u'\r', u' ').replace(u'\n', u' ');
        QFont font = option.font;
        font.setBold(cell.CellType.compare(QLatin1String("th"), Qt::CaseInsensitive) == 0);
        painter->setFont(font);
        painter->setPen(text);
        const QRect textRect = rect.adjusted(2, 2, -2, -2);
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop,
                          QFontMetrics(font).elidedText(shown, Qt::ElideRight, textRect.width()));
        painter->restore();
    }

private:
    TTableWizGrid *m_view;
};

TTableWizGrid::TTableWizGrid(TTableGrid &grid, QWidget *parent)
    : QTableView(parent), m_grid(grid), m_model(new TTableWizGridModel(grid, this))
{
    setObjectName(QStringLiteral("table"));
    setModel(m_model);
    setItemDelegate(new TTableWizCellDelegate(this));
    setShowGrid(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    // The cells share the grid's panel evenly; past a readable size the grid scrolls.
    horizontalHeader()->setMinimumSectionSize(28);
    verticalHeader()->setMinimumSectionSize(20);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    SetInteractive(false);
    Rebuild();
}

void TTableWizGrid::Rebuild()
{
    const TCellPos keep = Current();
    m_quiet = true;
    m_model->Reset();
    clearSpans();
    for (int c = 0; c < m_grid.ColCount(); ++c)
        for (int r = 0; r < m_grid.RowCount(); ++r) {
            const TCellAttributes &cell = m_grid.Cell({r, c});
            if (!cell.Covered() && (cell.RowSpan > 1 || cell.ColSpan > 1))
                setSpan(r, c, cell.RowSpan, cell.ColSpan);
        }
    if (m_grid.Contains(keep))
        setCurrentIndex(m_model->index(keep.Row, keep.Col));
    m_quiet = false;
    viewport()->update();
}

void TTableWizGrid::CellChanged(TCellPos pos)
{
    m_model->CellChanged(pos);
}

void TTableWizGrid::SetInteractive(bool interactive)
{
    m_interactive = interactive;
    setSelectionMode(interactive ? QAbstractItemView::SingleSelection : QAbstractItemView::NoSelection);
    setFocusPolicy(interactive ? Qt::StrongFocus : Qt::NoFocus);
    viewport()->update();
}

TCellPos TTableWizGrid::Current() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? TCellPos{i.row(), i.column()} : TCellPos{0, 0};
}

void TTableWizGrid::SetCurrent(TCellPos pos)
{
    m_quiet = true;
    setCurrentIndex(m_model->index(pos.Row, pos.Col));
    m_quiet = false;
    viewport()->update();
}

TNavKey TTableWizGrid::TakeLastKey()
{
    const TNavKey key = m_lastKey;
    m_lastKey = TNavKey::None;
    return key;
}

void TTableWizGrid::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left: m_lastKey = TNavKey::Left; break;
    case Qt::Key_Right: m_lastKey = TNavKey::Right; break;
    case Qt::Key_Up: m_lastKey = TNavKey::Up; break;
    case Qt::Key_Down: m_lastKey = TNavKey::Down; break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End: m_lastKey = TNavKey::Other; break;
    default: {
        const QString text = event->text();
        const bool command = event->modifiers().testAnyFlags(Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        if (m_interactive && !command && !text.isEmpty() && text[0].isPrint()) {
            Q_EMIT CharTyped(text);
            event->accept();
            return;
        }
        QTableView::keyPressEvent(event);
        return;
    }
    }
    QTableView::keyPressEvent(event);
}

void TTableWizGrid::mousePressEvent(QMouseEvent *event)
{
    m_lastKey = TNavKey::None;
    QTableView::mousePressEvent(event);
}

void TTableWizGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    viewport()->update();
    if (!m_quiet && m_interactive && current.isValid())
        Q_EMIT CellSelected({current.row(), current.column()});
}

void TTableWizGrid::focusInEvent(QFocusEvent *event)
{
    QTableView::focusInEvent(event);
    viewport()->update();
}

void TTableWizGrid::focusOutEvent(QFocusEvent *event)
{
    QTableView::focusOutEvent(event);
    viewport()->update();
}
