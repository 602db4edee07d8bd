// Tests of TEventChain and the engine hooks built on it: order, removal while firing, consuming.
#include "editor/core/codeedit.h"
#include "editor/core/eventchain.h"

#include <QTest>

class TestEventChain : public QObject
{
    Q_OBJECT

private slots:
    void listenersRunByOrderThenByInsertion_data()
    {
        QTest::addColumn<QList<int>>("orders");
        QTest::addColumn<QString>("calls");
        QTest::newRow("all equal: as added") << QList<int>{0, 0, 0} << "abc";
        QTest::newRow("lower order first") << QList<int>{5, -5, 0} << "bca";
        QTest::newRow("ties keep insertion among others") << QList<int>{1, 0, 1, 0} << "bdac";
        QTest::newRow("named orders") << QList<int>{EventOrder::Last, EventOrder::Normal, EventOrder::First} << "cba";
    }
    void listenersRunByOrderThenByInsertion()
    {
        QFETCH(QList<int>, orders);
        QFETCH(QString, calls);
        TEventChain<QString &> chain;
        for (int i = 0; i < orders.size(); ++i) {
            const QChar name(u'a' + i);
            chain.Add([name](QString &log) { log += name; }, orders[i]);
        }
        QString log;
        chain.Fire(log);
        QCOMPARE(log, calls);
    }

    void removeTakesOnlyThatListener()
    {
        TEventChain<QString &> chain;
        const TEventId a = chain.Add([](QString &log) { log += u'a'; });
        const TEventId b = chain.Add([](QString &log) { log += u'b'; });
        QVERIFY(a != 0 && b != 0 && a != b);
        QVERIFY(chain.Remove(a));
        QVERIFY(!chain.Remove(a)); // twice: the second time there is nothing to remove
        QVERIFY(!chain.Remove(0));
        QString log;
        chain.Fire(log);
        QCOMPARE(log, QString("b"));
        QCOMPARE(chain.Count(), 1);
        QVERIFY(chain.Remove(b));
        QVERIFY(chain.IsEmpty());
    }

    void removingWhileFiringIsSafe()
    {
        TEventChain<QString &> chain;
        TEventId self = 0;
        TEventId later = 0;
        // The first listener removes itself and the one after it; the third still runs.
        self = chain.Add([&](QString &log) {
            log += u'a';
            QVERIFY(chain.Remove(self));
            QVERIFY(chain.Remove(later));
        });
        later = chain.Add([](QString &log) { log += u'b'; });
        chain.Add([](QString &log) { log += u'c'; });
        QString log;
        chain.Fire(log);
        QCOMPARE(log, QString("ac"));
        log.clear();
        chain.Fire(log);
        QCOMPARE(log, QString("c"));
        QCOMPARE(chain.Count(), 1);
    }

    void addingWhileFiringWaitsForTheNextDispatch()
    {
        TEventChain<QString &> chain;
        bool added = false;
        chain.Add([&](QString &log) {
            log += u'b';
            if (!added) {
                added = true;
                chain.Add([](QString &l) { l += u'a'; }, EventOrder::First);
                chain.Add([](QString &l) { l += u'z'; }, EventOrder::Last);
            }
        });
        QString log;
        chain.Fire(log);
        QCOMPARE(log, QString("b"));
        log.clear();
        chain.Fire(log);
        QCOMPARE(log, QString("abz"));
    }

    void nestedFiringAndClearWhileFiring()
    {
        TEventChain<int &> chain;
        int calls = 0;
        chain.Add([&](int &depth) {
            ++calls;
            if (depth < 2) {
                int next = depth + 1;
                chain.Fire(next); // a listener that edits again fires the hook again
            }
        });
        chain.Add([&](int &depth) {
            ++calls;
            if (depth == 0)
                chain.Clear();
        });
        int depth = 0;
        chain.Fire(depth);
        // Depths 2 and 1 run both listeners (4 calls), depth 0 both (2): the clear comes last.
        QCOMPARE(calls, 6);
        QVERIFY(chain.IsEmpty());
        chain.Fire(depth);
        QCOMPARE(calls, 6);
    }

    void aThrowingListenerLeavesTheChainUsable()
    {
        TEventChain<int &> chain;
        TEventId first = 0;
        first = chain.Add([&](int &) {
            chain.Remove(first);
            throw std::runtime_error("listener failed");
        });
        chain.Add([](int &n) { ++n; });
        int n = 0;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, chain.Fire(n));
        QCOMPARE(n, 0);
        chain.Fire(n); // the removal took effect although the dispatch ended by an exception
        QCOMPARE(n, 1);
    }

    void consumingStopsLaterListeners_data()
    {
        QTest::addColumn<QChar>("typed");
        QTest::addColumn<QString>("calls");
        QTest::addColumn<QString>("text");
        QTest::newRow("not consumed: every listener, then typed") << QChar(u'a') << "12"
                                                                  << "a";
        QTest::newRow("consumed by the first: the second skipped") << QChar(u'x') << "1"
                                                                   << "";
        QTest::newRow("changed by the first: the second sees it") << QChar(u'y') << "12"
                                                                  << "z";
    }
    void consumingStopsLaterListeners()
    {
        QFETCH(QChar, typed);
        QFETCH(QString, calls);
        QFETCH(QString, text);
        TCodeEdit edit;
        QString log;
        QChar seen;
        edit.OnKeyPress.Add([&log](TCodeEdit *, QChar &key) {
            log += u'1';
            if (key == u'x')
                key = QChar();
            else if (key == u'y')
                key = u'z';
        });
        edit.OnKeyPress.Add([&](TCodeEdit *, QChar &key) {
            log += u'2';
            seen = key;
        });
        QChar key = typed;
        edit.KeyPress(key);
        QCOMPARE(log, calls);
        QCOMPARE(edit.Lines()[0], text);
        if (calls.size() == 2)
            QCOMPARE(seen, text.at(0));
    }

    void aCancelledCommandReachesNoLaterListenerAndIsNotExecuted()
    {
        TCodeEdit edit;
        edit.SetText(u"abc");
        edit.SetCaretXY(BufferCoord(4, 1));
        QStringList log;
        edit.OnProcessCommand.Add(
            [&log](TCodeEdit *, TEditorCommand &c, QChar &, void *) {
                log << "late";
                c = ecNone;
            },
            EventOrder::Last);
        edit.OnProcessCommand.Add([&log](TCodeEdit *, TEditorCommand &c, QChar &, void *) {
            log << EditorCommandToString(c);
            if (c == ecDeleteLastChar)
                c = ecNone;
        });
        int done = 0;
        edit.OnCommandDone.Add([&done](TCodeEdit *) { ++done; });
        edit.CommandProcessor(ecDeleteLastChar);
        QCOMPARE(log, QStringList{"ecDeleteLastChar"});
        QCOMPARE(edit.Text(), QString("abc\r\n"));
        QCOMPARE(done, 0);
        // Not consumed by the first: the later one runs, and it cancels.
        edit.CommandProcessor(ecLeft);
        QCOMPARE(log, (QStringList{"ecDeleteLastChar", "ecLeft", "late"}));
        QCOMPARE(edit.CaretX(), 4);
    }

    void keyDownConsumedByAListenerIsNotTranslated()
    {
        TCodeEdit edit;
        edit.SetText(u"abc");
        int second = 0;
        edit.OnKeyDown.Add([](TCodeEdit *, quint16 &key, TShiftState) {
            if (key == VK_END)
                key = 0;
        });
        edit.OnKeyDown.Add([&second](TCodeEdit *, quint16 &, TShiftState) { ++second; });
        quint16 key = VK_END;
        edit.KeyDown(key, {});
        QCOMPARE(key, quint16(0));
        QCOMPARE(edit.CaretX(), 1);
        QCOMPARE(second, 0);
        key = VK_RIGHT;
        edit.KeyDown(key, {});
        QCOMPARE(second, 1);
        QCOMPARE(edit.CaretX(), 2);
    }

    void changeListenersAllHearOneEdit()
    {
        TCodeEdit edit;
        int first = 0;
        int second = 0;
        const TEventId id = edit.OnChange.Add([&first](TCodeEdit *) { ++first; });
        edit.OnChange.Add([&second](TCodeEdit *) { ++second; });
        edit.CommandProcessor(ecChar, u'a');
        QCOMPARE(first, 1);
        QCOMPARE(second, 1);
        edit.OnChange.Remove(id);
        edit.CommandProcessor(ecChar, u'b');
        QCOMPARE(first, 1);
        QCOMPARE(second, 2);
    }
};

QTEST_GUILESS_MAIN(TestEventChain)
#include "tst_eventchain.moc"
