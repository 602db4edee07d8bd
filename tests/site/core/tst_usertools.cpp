// The user tools' item numbers, the submenu's items and the start check.
#include "site/core/usertools.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace UserTools;

class TestUserTools : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void chooseItem_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("tools");
        QTest::addColumn<int>("index"); // -1: an error
        QTest::newRow("the preset on an empty list adds") << "1" << 0 << 0;
        QTest::newRow("1 is the first tool") << "1" << 2 << 0;
        QTest::newRow("2 is the second") << " 2 " << 2 << 1;
        QTest::newRow("0 adds") << "0" << 2 << 2;
        QTest::newRow("one past the end adds") << "3" << 2 << 2;
        QTest::newRow("far past the end adds") << "5" << 2 << 2;
        QTest::newRow("negative") << "-1" << 2 << -1;
        QTest::newRow("not a number") << "abc" << 2 << -1;
        QTest::newRow("empty") << "" << 2 << -1;
        QTest::newRow("too large for a number") << "99999999999" << 2 << -1;
    }
    void chooseItem()
    {
        QFETCH(QString, answer);
        QFETCH(int, tools);
        QFETCH(int, index);
        const TItemChoice choice = ChooseItem(answer, tools);
        QCOMPARE(choice.Index, index);
        QCOMPARE(choice.Error.isEmpty(), index >= 0);
        const QStringList before = QStringList{"/a", "/b"}.mid(0, tools);
        const QStringList after = Edited(before, choice, QStringLiteral("/new"));
        if (index < 0) {
            QCOMPARE(after, before);
        } else {
            QCOMPARE(after.value(index), QStringLiteral("/new"));
            QCOMPARE(after.size(), std::max<qsizetype>(before.size(), index + 1));
        }
    }

    void menuItems()
    {
        const QList<TMenuItem> none = MenuItems({});
        QCOMPARE(none.size(), 10);
        QVERIFY(std::all_of(none.begin(), none.end(),
                            [](const TMenuItem &i) { return i.Caption == "[Empty]" && i.Path.isEmpty(); }));
        const QList<TMenuItem> one = MenuItems({QStringLiteral("/usr/bin/gimp")});
        QCOMPARE(one.size(), 10);
        QCOMPARE(one.first().Caption, QStringLiteral("gimp"));
        QCOMPARE(one.first().Path, QStringLiteral("/usr/bin/gimp"));
        QCOMPARE(one.at(1).Caption, QStringLiteral("[Empty]"));
        QStringList many;
        for (int i = 0; i < 11; ++i)
            many << QStringLiteral("/bin/t%1").arg(i);
        QCOMPARE(MenuItems(many).size(), 11); // no fillers past twelve items
    }

    void cannotStart()
    {
        QTemporaryDir dir;
        QVERIFY(CannotStart(dir.filePath(QStringLiteral("missing"))).contains(QStringLiteral("does not exist")));
        QVERIFY(!CannotStart(dir.path()).isEmpty());
        QFile plain(dir.filePath(QStringLiteral("notes.txt")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        QVERIFY(!CannotStart(plain.fileName()).isEmpty());
        QVERIFY(CannotStart(QStringLiteral("/bin/sh")).isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestUserTools)
#include "tst_usertools.moc"
