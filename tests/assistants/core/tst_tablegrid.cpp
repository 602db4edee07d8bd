// The table wizard's grid: sizes, merging, and where the selection lands off a covered cell.
#include "assistants/core/tablegrid.h"

#include <QTest>

using namespace TableWiz;

Q_DECLARE_METATYPE(TableWiz::TCellPos)
Q_DECLARE_METATYPE(TableWiz::TNavKey)

namespace {

// Rows of the grid as text: a plain or owner cell is its spans "RxC", a covered place ".".
QStringList Layout(const TTableGrid &g)
{
    QStringList rows;
    for (int r = 0; r < g.RowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < g.ColCount(); ++c) {
            const TCellAttributes &cell = g.Cell({r, c});
            cells << (cell.Covered() ? QStringLiteral(".")
                                     : QStringLiteral("%1x%2").arg(cell.RowSpan).arg(cell.ColSpan));
        }
        rows << cells.join(u' ');
    }
    return rows;
}

// A 4 x 4 grid with a 2 x 2 block at row 1, column 1 and a hole (no cell) at row 0, column 3.
TTableGrid Sample()
{
    TTableGrid g(4, 4);
    g.Merge({1, 1}, 2, 2);
    g.Cell({0, 3}).RowSpan = g.Cell({0, 3}).ColSpan = 0;
    return g;
}

} // namespace

class TestTableGrid : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cellsAreListedColumnByColumn()
    {
        TTableGrid g(3, 2);
        QCOMPARE(g.Index({0, 0}), 0);
        QCOMPARE(g.Index({2, 0}), 2);
        QCOMPARE(g.Index({0, 1}), 3);
        QCOMPARE(g.Index({2, 1}), 5);
        QCOMPARE(g.Cell({1, 1}).CellType, QStringLiteral("td"));
    }

    void sizesAreClamped_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("cols");
        QTest::addColumn<int>("wantRows");
        QTest::addColumn<int>("wantCols");
        QTest::newRow("zero") << 0 << 0 << 1 << 1;
        QTest::newRow("negative") << -5 << -1 << 1 << 1;
        QTest::newRow("ten thousand") << 10000 << 10000 << kMaxRows << kMaxCols;
        QTest::newRow("ordinary") << 7 << 3 << 7 << 3;
    }
    void sizesAreClamped()
    {
        QFETCH(int, rows);
        QFETCH(int, cols);
        QFETCH(int, wantRows);
        QFETCH(int, wantCols);
        TTableGrid g(rows, cols);
        QCOMPARE(g.RowCount(), wantRows);
        QCOMPARE(g.ColCount(), wantCols);
        // Resizing an existing grid clamps the same way, and keeps a cell in every place.
        TTableGrid resized(2, 2);
        resized.Resize(rows, cols);
        QCOMPARE(resized.RowCount(), wantRows);
        QCOMPARE(resized.ColCount(), wantCols);
        QVERIFY(!resized.Cell({wantRows - 1, wantCols - 1}).Covered());
    }

    void resizingKeepsWhatStillFits()
    {
        TTableGrid g(3, 3);
        g.Cell({0, 0}).Text = QStringLiteral("kept");
        g.Cell({0, 0}).CellType = QStringLiteral("th");
        QVERIFY(g.Merge({1, 1}, 2, 2).Done);
        g.Resize(4, 4);
        QCOMPARE(Layout(g), QStringList({"1x1 1x1 1x1 1x1", "1x1 2x2 . 1x1", "1x1 . . 1x1", "1x1 1x1 1x1 1x1"}));
        QCOMPARE(g.Cell({0, 0}).Text, QStringLiteral("kept"));
        QCOMPARE(g.Cell({0, 0}).CellType, QStringLiteral("th"));
        // A block over the new edge is cut back to it.
        g.Resize(2, 4);
        QCOMPARE(Layout(g), QStringList({"1x1 1x1 1x1 1x1", "1x1 1x2 . 1x1"}));
        QVERIFY(g.OwnerOf({1, 2}) == (TCellPos{1, 1}));
    }

    void mergingAndSplitting()
    {
        TTableGrid g(3, 3);
        QVERIFY(g.Merge({0, 0}, 2, 2).Done);
        QCOMPARE(Layout(g), QStringList({"2x2 . 1x1", ". . 1x1", "1x1 1x1 1x1"}));
        // Growing the block first splits the old one.
        QVERIFY(g.Merge({0, 0}, 1, 3).Done);
        QCOMPARE(Layout(g), QStringList({"1x3 . .", "1x1 1x1 1x1", "1x1 1x1 1x1"}));
        QVERIFY(g.Merge({0, 0}, 1, 1).Done);
        QCOMPARE(Layout(g), QStringList({"1x1 1x1 1x1", "1x1 1x1 1x1", "1x1 1x1 1x1"}));
        // Spans past the grid's edge are cut to it.
        QVERIFY(g.Merge({1, 1}, 9, 9).Done);
        QCOMPARE(Layout(g), QStringList({"1x1 1x1 1x1", "1x1 2x2 .", "1x1 . ."}));
    }

    void mergingAcrossAnotherBlockIsRefused()
    {
        TTableGrid g(4, 4);
        QVERIFY(g.Merge({1, 1}, 2, 2).Done);
        const TTableGrid before = g;
        // Cuts through the block: refused, names its owner and changes nothing.
        const TTableGrid::TMergeResult crossing = g.Merge({0, 0}, 2, 2);
        QVERIFY(!crossing.Done);
        QVERIFY(crossing.Conflict == (TCellPos{1, 1}));
        QVERIFY(g == before);
        // A covered cell is no owner to merge from.
        QVERIFY(!g.Merge({2, 2}, 1, 2).Done);
        QVERIFY(g == before);
        // Taking the whole block in is fine.
        QVERIFY(g.Merge({0, 0}, 3, 3).Done);
        QCOMPARE(Layout(g), QStringList({"3x3 . . 1x1", ". . . 1x1", ". . . 1x1", "1x1 1x1 1x1 1x1"}));
        // Splitting it again leaves plain cells, the taken-in block too.
        QVERIFY(g.Merge({0, 0}, 1, 1).Done);
        QCOMPARE(Layout(g).first(), QStringLiteral("1x1 1x1 1x1 1x1"));
        QCOMPARE(Layout(g).at(1), QStringLiteral("1x1 1x1 1x1 1x1"));
    }

    void ownersAndHoles()
    {
        const TTableGrid g = Sample();
        QVERIFY(g.OwnerOf({2, 2}) == (TCellPos{1, 1}));
        QVERIFY(g.OwnerOf({1, 1}) == (TCellPos{1, 1}));
        QVERIFY(!g.OwnerOf({0, 3}).has_value());
        QVERIFY(!g.OwnerOf({9, 9}).has_value());
    }

    void landing_data()
    {
        QTest::addColumn<TTableGrid>("grid");
        QTest::addColumn<TCellPos>("pos");
        QTest::addColumn<TNavKey>("key");
        QTest::addColumn<TCellPos>("want");
        const TTableGrid s = Sample();
        QTest::newRow("plain cell stays") << s << TCellPos{0, 0} << TNavKey::None << TCellPos{0, 0};
        QTest::newRow("click in a block: its owner") << s << TCellPos{2, 2} << TNavKey::None << TCellPos{1, 1};
        QTest::newRow("right over a block") << s << TCellPos{1, 2} << TNavKey::Right << TCellPos{1, 3};
        QTest::newRow("down over a block") << s << TCellPos{2, 1} << TNavKey::Down << TCellPos{3, 1};
        QTest::newRow("up into a block: its owner") << s << TCellPos{2, 2} << TNavKey::Up << TCellPos{1, 1};
        QTest::newRow("hole: the cell before it") << s << TCellPos{0, 3} << TNavKey::None << TCellPos{0, 2};
        QTest::newRow("hole at the right edge after Right") << s << TCellPos{0, 3} << TNavKey::Right << TCellPos{0, 2};

        // A block in the top row whose column to the left ends in a covered cell.
        TTableGrid top(3, 3);
        top.Merge({1, 0}, 2, 1);
        top.Merge({0, 1}, 1, 2);
        QTest::newRow("top-row block: its owner") << top << TCellPos{0, 2} << TNavKey::None << TCellPos{0, 1};
        QTest::newRow("block at the bottom, down") << top << TCellPos{2, 0} << TNavKey::Down << TCellPos{1, 0};

        TTableGrid first(2, 2);
        first.Cell({0, 0}).RowSpan = first.Cell({0, 0}).ColSpan = 0;
        QTest::newRow("hole first: the cell after it") << first << TCellPos{0, 0} << TNavKey::None << TCellPos{0, 1};
        TTableGrid none(1, 2);
        for (int c = 0; c < 2; ++c)
            none.Cell({0, c}).RowSpan = none.Cell({0, c}).ColSpan = 0;
        QTest::newRow("no cell at all") << none << TCellPos{0, 1} << TNavKey::None << TCellPos{0, 1};
    }
    void landing()
    {
        QFETCH(TTableGrid, grid);
        QFETCH(TCellPos, pos);
        QFETCH(TNavKey, key);
        QFETCH(TCellPos, want);
        const TCellPos got = grid.Landing(pos, key);
        QCOMPARE(got.Row, want.Row);
        QCOMPARE(got.Col, want.Col);
    }
};

QTEST_GUILESS_MAIN(TestTableGrid)
#include "tst_tablegrid.moc"
