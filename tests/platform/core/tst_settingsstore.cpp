// The settings store keeps types apart, fails on missing numbers and survives odd strings.
#include "platform/core/settingsstore.h"

#include <QTemporaryDir>
#include <QTest>

class TestSettingsStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("t%1.conf").arg(++m_n));
    }

    void stringsRoundTrip_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("plain") << QStringLiteral("hello");
        QTest::newRow("empty") << QString();
        QTest::newRow("commas and quotes") << QStringLiteral("a, \"b\", c");
        QTest::newRow("looks like a number") << QStringLiteral("60");
        QTest::newRow("looks like a type tag") << QStringLiteral("dword:5");
        QTest::newRow("backslashes and equals") << QStringLiteral("C:\\dir\\x=y;z");
        QTest::newRow("non-latin") << QStringLiteral("Grüße • 日本");
        QTest::newRow("line breaks") << QStringLiteral("a\r\nb\nc");
    }
    void stringsRoundTrip()
    {
        QFETCH(QString, value);
        {
            TSettingsStore store(m_path);
            QVERIFY(store.OpenKey(QStringLiteral("Software\\Quillworks\\TagForge\\Settings"), true));
            store.WriteString(QStringLiteral("v"), value);
            QVERIFY(store.Flush());
        }
        TSettingsStore store(m_path);
        QVERIFY(store.OpenKey(QStringLiteral("Software\\Quillworks\\TagForge\\Settings"), false));
        QCOMPARE(store.ReadString(QStringLiteral("v")), value);
    }

    void typesAreKept()
    {
        {
            TSettingsStore store(m_path);
            store.OpenKey(QStringLiteral("K"), true);
            store.WriteString(QStringLiteral("s"), QStringLiteral("60"));
            store.WriteInteger(QStringLiteral("i"), -7);
            store.WriteBool(QStringLiteral("b"), true);
        }
        TSettingsStore store(m_path);
        QVERIFY(store.OpenKey(QStringLiteral("K"), false));
        QCOMPARE(store.ReadInteger(QStringLiteral("i")), -7);
        QCOMPARE(store.ReadBool(QStringLiteral("b")), true);
        QVERIFY_THROWS_EXCEPTION(ERegistryException, store.ReadInteger(QStringLiteral("s")));
        QVERIFY_THROWS_EXCEPTION(ERegistryException, store.ReadString(QStringLiteral("i")));
        QVERIFY_THROWS_EXCEPTION(ERegistryException, store.ReadInteger(QStringLiteral("missing")));
        QVERIFY_THROWS_EXCEPTION(ERegistryException, store.ReadBool(QStringLiteral("missing")));
        QCOMPARE(store.ReadString(QStringLiteral("missing")), QString());
    }

    void keysOpenOnlyWhenPresentUnlessCreated()
    {
        TSettingsStore store(m_path);
        QVERIFY(!store.OpenKey(QStringLiteral("Software\\Quillworks\\TagForge\\Settings"), false));
        QVERIFY(store.OpenKey(QStringLiteral("Software\\Quillworks\\TagForge\\Settings"), true));
        store.WriteInteger(QStringLiteral("x"), 1);
        store.CloseKey();
        QVERIFY(store.KeyExists(QStringLiteral("Software\\Quillworks\\TagForge\\Settings")));
        QVERIFY(!store.KeyExists(QStringLiteral("Software\\Quillworks\\TagForge\\Other")));
        QVERIFY_THROWS_EXCEPTION(ERegistryException, store.ReadInteger(QStringLiteral("x")));
    }

    void readOnlyStoreRefusesWrites()
    {
        TSettingsStore store(m_path, true);
        QVERIFY_THROWS_EXCEPTION(ERegistryException, store.OpenKey(QStringLiteral("K"), true));
    }

    void unwritableFileIsReported()
    {
        TSettingsStore store(QStringLiteral("/proc/tagforge-cannot-write/x.conf"));
        store.OpenKey(QStringLiteral("K"), true);
        store.WriteInteger(QStringLiteral("x"), 1);
        QVERIFY(!store.Flush());
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
    int m_n = 0;
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
