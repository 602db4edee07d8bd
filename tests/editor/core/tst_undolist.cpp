// Tests of TEditUndoList: records, MaxUndo trimming, locking, the empty list.
#include "editor/core/codeedit.h"
#include "editor/core/undolist.h"

#include <QTest>

class TestUndoList : public QObject
{
    Q_OBJECT

private slots:
    void getChangeReturnsNewestAndRemovesIt()
    {
        TEditUndoList list;
        list.AddChange(urInsert, {1, 1}, {2, 1}, "", smNormal);
        list.AddChange(urDeleteBackward, {3, 2}, {5, 2}, "xy", smColumn);
        QCOMPARE(list.GetChangeReason(), urDeleteBackward);
        TBufferCoord s, e;
        QString t;
        TSelectionMode m = smNormal;
        QCOMPARE(list.GetChange(s, e, t, m), urDeleteBackward);
        QCOMPARE(s, BufferCoord(3, 2));
        QCOMPARE(e, BufferCoord(5, 2));
        QCOMPARE(t, QString("xy"));
        QCOMPARE(m, smColumn);
        QCOMPARE(list.ItemCount(), 1);
    }

    void emptyListReportsTenAndLeavesOutputs()
    {
        TEditUndoList list;
        TBufferCoord s{7, 7}, e{8, 8};
        QString t = "keep";
        TSelectionMode m = smLine;
        QCOMPARE(list.GetChange(s, e, t, m), urNone);
        QCOMPARE(int(urNone), 10);
        QCOMPARE(s, BufferCoord(7, 7));
        QCOMPARE(t, QString("keep"));
        QCOMPARE(m, smLine);
        QCOMPARE(list.GetChangeReason(), urNone);
        QVERIFY(!list.CanUndo());
    }

    void maxUndoTrimming_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("added");
        QTest::addColumn<int>("kept");
        QTest::addColumn<int>("oldestKept");
        QTest::newRow("default 10, eleventh drops the oldest") << 10 << 11 << 10 << 2;
        QTest::newRow("limit 0 keeps the most recent") << 0 << 3 << 1 << 3;
        QTest::newRow("under the limit keeps all") << 5 << 3 << 3 << 1;
    }
    void maxUndoTrimming()
    {
        QFETCH(int, limit);
        QFETCH(int, added);
        QFETCH(int, kept);
        QFETCH(int, oldestKept);
        TEditUndoList list;
        QCOMPARE(list.MaxUndo(), 10);
        list.SetMaxUndo(limit);
        for (int i = 1; i <= added; ++i)
            list.AddChange(urInsert, {i, 1}, {i, 1}, "", smNormal);
        QCOMPARE(list.ItemCount(), kept);
        QCOMPARE(list.Item(0).ChangeStartPos.X, oldestKept);
    }

    void loweringMaxUndoTrimsOldestAtOnce()
    {
        TEditUndoList list;
        for (int i = 1; i <= 8; ++i)
            list.AddChange(urInsert, {i, 1}, {i, 1}, "", smNormal);
        list.SetMaxUndo(3);
        QCOMPARE(list.ItemCount(), 3);
        QCOMPARE(list.Item(0).ChangeStartPos.X, 6);
        list.SetMaxUndo(-1); // ignored
        QCOMPARE(list.MaxUndo(), 3);
    }

    void lockedListRecordsNothing()
    {
        TEditUndoList list;
        list.Lock();
        QCOMPARE(list.AddChange(urInsert, {1, 1}, {1, 1}, "", smNormal), nullptr);
        QCOMPARE(list.ItemCount(), 0);
        list.Unlock();
        const TEditUndoItem *added = list.AddChange(urInsert, {1, 1}, {2, 1}, "", smNormal);
        QCOMPARE(list.ItemCount(), 1);
        QCOMPARE(added, list.PeekItem()); // the record as stored
        QCOMPARE(added->ChangeEndPos, BufferCoord(2, 1));
        list.ClearList();
        QVERIFY(!list.CanUndo());
    }

    void addChangeMarksOwnerAndFiresOnChange()
    {
        TCodeEdit edit;
        int changes = 0;
        edit.OnChange.Add([&changes](TCodeEdit *) { ++changes; });
        QVERIFY(!edit.Modified());
        edit.AddUndoChange(urInsert, {1, 1}, {1, 1}, "", smNormal);
        QVERIFY(edit.Modified());
        QCOMPARE(changes, 1);
        // While undo is locked nothing is recorded, so nothing is reported either.
        edit.SetModified(false);
        edit.LockUndo();
        edit.AddUndoChange(urInsert, {1, 1}, {1, 1}, "", smNormal);
        QVERIFY(!edit.Modified());
        QCOMPARE(changes, 1);
        QCOMPARE(edit.UndoList().ItemCount(), 1);
        edit.UnlockUndo();
        edit.SetMaxUndo(-5); // negative values are ignored
        QCOMPARE(edit.MaxUndo(), 10);
        edit.SetMaxUndo(4);
        QCOMPARE(edit.RedoList().MaxUndo(), 4);
    }
};

QTEST_GUILESS_MAIN(TestUndoList)
#include "tst_undolist.moc"
