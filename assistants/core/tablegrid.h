// The table wizard's grid: cells with their spans, kinds and contents, merging, resizing and the
// cell the selection lands on when it comes to rest on a covered cell.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace TableWiz {

// The grid is for laying out a table by hand; larger tables are refused on reading, not cut.
constexpr int kMaxRows = 1000;
constexpr int kMaxCols = 100;

// An attribute kept as it was written because no field stands for it.
struct TKeptAttribute
{
    QString Name; // lower case, for matching
    QString Raw;  // as written: name="value", name=value or a bare name
    bool operator==(const TKeptAttribute &other) const = default;
};
using TKeptAttributes = QList<TKeptAttribute>;

struct TCellAttributes
{
    // Rows and columns the cell's block covers; both 0 for a cell inside another cell's block,
    // and for a place where a ragged table has no cell at all.
    int RowSpan = 1;
    int ColSpan = 1;
    QString CellType = QStringLiteral("td"); // the tag, normally td or th
    QString Text;                            // the content, markup as written
    QString Width;                           // the cell's width attribute; empty: none
    TKeptAttributes Extra;
    bool Covered() const { return RowSpan == 0 || ColSpan == 0; }
    bool operator==(const TCellAttributes &other) const = default;
};

struct TRowAttributes
{
    TKeptAttributes Extra;
    // Markup between the previous row and this one that is no row (a tbody tag, a comment), one
    // piece a line.
    QStringList Before;
    bool operator==(const TRowAttributes &other) const = default;
};

struct TCellPos
{
    int Row = 0;
    int Col = 0;
    bool operator==(const TCellPos &other) const = default;
};

// The navigation key that moved the selection last (page up to arrow down).
enum class TNavKey { None, Left, Right, Up, Down, Other };

class TTableGrid
{
public:
    TTableGrid(int rows = 2, int cols = 2);

    int RowCount() const { return m_rows; }
    int ColCount() const { return m_cols; }
    bool Contains(TCellPos pos) const;

    // The cell list runs column by column: column c, row r is entry RowCount * c + r.
    int Index(TCellPos pos) const { return m_rows * pos.Col + pos.Row; }
    const TCellAttributes &Cell(TCellPos pos) const { return m_cells[size_t(Index(pos))]; }
    TCellAttributes &Cell(TCellPos pos) { return m_cells[size_t(Index(pos))]; }
    const TRowAttributes &Row(int row) const { return m_rowAttributes[size_t(row)]; }
    TRowAttributes &Row(int row) { return m_rowAttributes[size_t(row)]; }

    // Counts are clamped to 1 .. kMaxRows and 1 .. kMaxCols. Cells that still fit keep their
    // contents, kinds and blocks; a block reaching over the new edge is cut back to it.
    void Resize(int rows, int cols);

    // The cell whose block covers pos: pos itself when it is not covered, none for a place
    // without a cell.
    std::optional<TCellPos> OwnerOf(TCellPos pos) const;

    struct TMergeResult
    {
        bool Done = false;
        TCellPos Conflict; // when refused: the owner of the block the new one would cut through
    };
    // Makes the cell at pos the owner of a block of rowSpan by colSpan cells (clamped to the grid).
    // Its old block is split first; the new block may take in plain cells and whole blocks, but
    // is refused when it would cut through another block, and then nothing changes. A covered
    // pos is refused too (Conflict names its owner).
    TMergeResult Merge(TCellPos pos, int rowSpan, int colSpan);

    // Where the selection comes to rest when it stops on pos: pos when it is no covered cell;
    // after Right or Down, the next cell that way that is not covered; else the owner of the
    // block, or for a place without a cell the nearest cell before it (left, then the rows
    // above from their end), then after it. Returns pos when the grid has no cell at all.
    TCellPos Landing(TCellPos pos, TNavKey lastKey) const;

    bool operator==(const TTableGrid &other) const = default;

private:
    int m_rows = 0;
    int m_cols = 0;
    std::vector<TCellAttributes> m_cells;
    std::vector<TRowAttributes> m_rowAttributes;
};

} // namespace TableWiz
