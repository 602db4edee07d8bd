// The table wizard's grid.
#include "assistants/core/tablegrid.h"

#include <algorithm>

namespace TableWiz {

namespace {

// For every place of the grid the list index of the cell whose block covers it, -1 for none.
std::vector<int> OwnerMap(const TTableGrid &grid)
{
    std::vector<int> owners(size_t(grid.RowCount()) * size_t(grid.ColCount()), -1);
    for (int c = 0; c < grid.ColCount(); ++c) {
        for (int r = 0; r < grid.RowCount(); ++r) {
            const TCellAttributes &cell = grid.Cell({r, c});
            if (cell.Covered())
                continue;
            const int owner = grid.Index({r, c});
            for (int dc = 0; dc < cell.ColSpan && c + dc < grid.ColCount(); ++dc)
                for (int dr = 0; dr < cell.RowSpan && r + dr < grid.RowCount(); ++dr)
                    owners[size_t(grid.Index({r + dr, c + dc}))] = owner;
        }
    }
    return owners;
}

} // namespace

TTableGrid::TTableGrid(int rows, int cols)
{
    Resize(rows, cols);
}

bool TTableGrid::Contains(TCellPos pos) const
{
    return pos.Row >= 0 && pos.Col >= 0 && pos.Row < m_rows && pos.Col < m_cols;
}

void TTableGrid::Resize(int rows, int cols)
{
    rows = std::clamp(rows, 1, kMaxRows);
    cols = std::clamp(cols, 1, kMaxCols);
    std::vector<TCellAttributes> cells(size_t(rows) * size_t(cols));
    for (int c = 0; c < std::min(cols, m_cols); ++c) {
        for (int r = 0; r < std::min(rows, m_rows); ++r) {
            TCellAttributes cell = Cell({r, c});
            if (!cell.Covered()) {
                cell.RowSpan = std::min(cell.RowSpan, rows - r);
                cell.ColSpan = std::min(cell.ColSpan, cols - c);
            }
            cells[size_t(rows) * size_t(c) + size_t(r)] = std::move(cell);
        }
    }
    m_cells = std::move(cells);
    m_rowAttributes.resize(size_t(rows));
    m_rows = rows;
    m_cols = cols;
}

std::optional<TCellPos> TTableGrid::OwnerOf(TCellPos pos) const
{
    if (!Contains(pos))
        return std::nullopt;
    if (!Cell(pos).Covered())
        return pos;
    for (int r = pos.Row; r >= 0; --r) {
        for (int c = pos.Col; c >= 0; --c) {
            const TCellAttributes &cell = Cell({r, c});
            if (!cell.Covered() && r + cell.RowSpan > pos.Row && c + cell.ColSpan > pos.Col)
                return TCellPos{r, c};
        }
    }
    return std::nullopt;
}

TTableGrid::TMergeResult TTableGrid::Merge(TCellPos pos, int rowSpan, int colSpan)
{
    if (!Contains(pos))
        return {};
    if (Cell(pos).Covered())
        return {false, OwnerOf(pos).value_or(pos)};
    rowSpan = std::clamp(rowSpan, 1, m_rows - pos.Row);
    colSpan = std::clamp(colSpan, 1, m_cols - pos.Col);
    const auto inside = [&](TCellPos p) {
        return p.Row >= pos.Row && p.Row < pos.Row + rowSpan && p.Col >= pos.Col && p.Col < pos.Col + colSpan;
    };

    // Every other block the new one touches must lie wholly inside it.
    const std::vector<int> owners = OwnerMap(*this);
    const int self = Index(pos);
    std::vector<TCellPos> absorbed;
    for (int c = pos.Col; c < pos.Col + colSpan; ++c) {
        for (int r = pos.Row; r < pos.Row + rowSpan; ++r) {
            const int owner = owners[size_t(Index({r, c}))];
            if (owner < 0 || owner == self)
                continue;
            const TCellPos o{owner % m_rows, owner / m_rows};
            const TCellAttributes &block = Cell(o);
            if (!inside(o) || !inside({o.Row + block.RowSpan - 1, o.Col + block.ColSpan - 1}))
                return {false, o};
            if (o == TCellPos{r, c})
                absorbed.push_back(o);
        }
    }

    TCellAttributes &owner = Cell(pos);
    for (int c = pos.Col; c < pos.Col + owner.ColSpan; ++c)
        for (int r = pos.Row; r < pos.Row + owner.RowSpan; ++r)
            if (TCellPos{r, c} != pos) {
                Cell({r, c}).RowSpan = 1;
                Cell({r, c}).ColSpan = 1;
            }
    for (const TCellPos &o : absorbed) {
        const TCellAttributes block = Cell(o);
        for (int c = o.Col; c < o.Col + block.ColSpan; ++c)
            for (int r = o.Row; r < o.Row + block.RowSpan; ++r) {
                Cell({r, c}).RowSpan = 1;
                Cell({r, c}).ColSpan = 1;
            }
    }
    for (int c = pos.Col; c < pos.Col + colSpan; ++c)
        for (int r = pos.Row; r < pos.Row + rowSpan; ++r) {
            Cell({r, c}).RowSpan = 0;
            Cell({r, c}).ColSpan = 0;
        }
    Cell(pos).RowSpan = rowSpan;
    Cell(pos).ColSpan = colSpan;
    return {true, {}};
}

TCellPos TTableGrid::Landing(TCellPos pos, TNavKey lastKey) const
{
    if (!Contains(pos) || !Cell(pos).Covered())
        return pos;
    TCellPos p = pos;
    if (lastKey == TNavKey::Right)
        while (Cell(p).Covered() && p.Col < m_cols - 1)
            ++p.Col;
    else if (lastKey == TNavKey::Down)
        while (Cell(p).Covered() && p.Row < m_rows - 1)
            ++p.Row;
    if (!Cell(p).Covered())
        return p;
    if (const auto owner = OwnerOf(pos))
        return *owner;
    // A place without a cell: the nearest cell in reading order, looking back first.
    const int place = pos.Row * m_cols + pos.Col;
    for (int i = place - 1; i >= 0; --i)
        if (const TCellPos q{i / m_cols, i % m_cols}; !Cell(q).Covered())
            return q;
    for (int i = place + 1; i < m_rows * m_cols; ++i)
        if (const TCellPos q{i / m_cols, i % m_cols}; !Cell(q).Covered())
            return q;
    return pos;
}

} // namespace TableWiz
