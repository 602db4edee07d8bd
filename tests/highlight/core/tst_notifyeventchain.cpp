// The notify chain: order, removal while firing, and what happens when a hook throws.
#include "highlight/core/notifyeventchain.h"

#include <QObject>
#include <QTest>
#include <stdexcept>

class TestNotifyEventChain : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firesInOrderWithSender()
    {
        TNotifyEventChain chain;
        QStringList calls;
        QObject sender;
        chain.Add([&](QObject *s) {
            QCOMPARE(s, &sender);
            calls << "a";
        });
        const auto b = chain.Add([&](QObject *) { calls << "b"; });
        chain.Add([&](QObject *) { calls << "c"; });
        chain.Fire(&sender);
        QCOMPARE(calls.join(""), QStringLiteral("abc"));
        QVERIFY(chain.Remove(b));
        QVERIFY(!chain.Remove(b));
        chain.Fire(&sender);
        QCOMPARE(calls.join(""), QStringLiteral("abcac"));
    }

    void changesWhileFiring()
    {
        TNotifyEventChain chain;
        QStringList calls;
        TNotifyEventChain::THookId second = 0, self = 0;
        self = chain.Add([&](QObject *) {
            calls << "first";
            chain.Remove(self);   // removing itself
            chain.Remove(second); // and a later hook
            chain.Add([&](QObject *) { calls << "added"; });
        });
        second = chain.Add([&](QObject *) { calls << "second"; });
        chain.Fire(nullptr);
        QCOMPARE(calls.join(","), QStringLiteral("first"));
        chain.Fire(nullptr);
        QCOMPARE(calls.join(","), QStringLiteral("first,added"));
        QCOMPARE(chain.Count(), 1);
    }

    void exceptions_data()
    {
        QTest::addColumn<int>("handler"); // 0 none, 1 continue, 2 stop
        QTest::addColumn<bool>("propagates");
        QTest::addColumn<QString>("calls");
        QTest::newRow("no exception hook: propagates, later hooks skipped") << 0 << true << "a,throw";
        QTest::newRow("exception hook continues") << 1 << false << "a,throw,handled,c";
        QTest::newRow("exception hook stops") << 2 << false << "a,throw,handled";
    }
    void exceptions()
    {
        QFETCH(int, handler);
        QFETCH(bool, propagates);
        QFETCH(QString, calls);

        TNotifyEventChain chain;
        QStringList seen;
        chain.Add([&](QObject *) { seen << "a"; });
        chain.Add([&](QObject *) {
            seen << "throw";
            throw std::runtime_error("hook failed");
        });
        chain.Add([&](QObject *) { seen << "c"; });
        if (handler != 0) {
            chain.OnException = [&](QObject *, std::exception_ptr error, bool &doContinue) {
                try {
                    std::rethrow_exception(error);
                } catch (const std::runtime_error &e) {
                    QCOMPARE(QString::fromStdString(e.what()), QStringLiteral("hook failed"));
                }
                seen << "handled";
                QVERIFY(doContinue);
                doContinue = handler == 1;
            };
        }
        bool thrown = false;
        try {
            chain.Fire(nullptr);
        } catch (const std::runtime_error &e) {
            thrown = true;
            QCOMPARE(QString::fromStdString(e.what()), QStringLiteral("hook failed"));
        }
        QCOMPARE(thrown, propagates);
        QCOMPARE(seen.join(","), calls);
    }

    void throwingExceptionHookIsReported()
    {
        TNotifyEventChain chain;
        chain.Add([](QObject *) { throw std::logic_error("first"); });
        chain.OnException = [](QObject *, std::exception_ptr, bool &) { throw std::logic_error("second"); };
        try {
            chain.Fire(nullptr);
            QFAIL("no exception");
        } catch (const ENotifyEventChainError &e) {
            QCOMPARE(
                QString::fromStdString(e.what()),
                QStringLiteral(
                    "TNotifyEventChain.DoHandleException : MUST NOT occur any kind of exception in ExceptionHandler"));
        }
    }
};

QTEST_GUILESS_MAIN(TestNotifyEventChain)
#include "tst_notifyeventchain.moc"
