// Gutter numbers, tab expansion and wheel steps: the rules the painting view relies on.
#include "editor/core/editgutter.h"
#include "editor/core/tabexpansion.h"
#include "editor/core/wheelscroll.h"

#include <QTest>

class TestDisplayMetrics : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void digitCountIsClamped_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("got");
        QTest::newRow("1 becomes 2") << 1 << 2;
        QTest::newRow("20 becomes 12") << 20 << 12;
        QTest::newRow("7 stays") << 7 << 7;
    }
    void digitCountIsClamped()
    {
        QFETCH(int, set);
        QFETCH(int, got);
        TEditGutter gutter;
        gutter.SetDigitCount(set);
        QCOMPARE(gutter.DigitCount(), got);
    }

    void lineNumbers_data()
    {
        QTest::addColumn<bool>("autoSize");
        QTest::addColumn<bool>("zeros");
        QTest::addColumn<bool>("zeroStart");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        QTest::newRow("auto size widens to five digits") << true << false << false << 7 << "    7";
        QTest::newRow("leading zeros") << true << true << false << 7 << "00007";
        QTest::newRow("zero start numbers the first line 0") << true << false << true << 1 << "    0";
        QTest::newRow("zero start with zeros keeps one digit") << true << true << true << 1 << "00000";
        QTest::newRow("fixed width keeps digit count") << false << false << false << 12345 << "12345";
        QTest::newRow("fixed width pads to three") << false << true << false << 7 << "007";
    }
    void lineNumbers()
    {
        QFETCH(bool, autoSize);
        QFETCH(bool, zeros);
        QFETCH(bool, zeroStart);
        QFETCH(int, line);
        QFETCH(QString, text);
        TEditGutter gutter;
        gutter.SetShowLineNumbers(true);
        gutter.SetAutoSize(autoSize);
        gutter.SetDigitCount(3);
        gutter.SetLeadingZeros(zeros);
        gutter.SetZeroStart(zeroStart);
        gutter.AutoSizeDigitCount(12345);
        QCOMPARE(gutter.FormatLineNumber(line), text);
    }

    void gutterWidthAndChanges()
    {
        TEditGutter gutter;
        int changes = 0;
        gutter.OnChange = [&] { ++changes; };
        QCOMPARE(gutter.RealGutterWidth(8), 30);
        gutter.SetShowLineNumbers(true);
        gutter.SetShowLineNumbers(true);
        QCOMPARE(changes, 1);
        QCOMPARE(gutter.RealGutterWidth(8), 16 + 2 + 4 * 8 + 2);
        gutter.SetWidth(-5);
        QCOMPARE(gutter.Width(), 0);
        gutter.SetVisible(false);
        QCOMPARE(gutter.RealGutterWidth(8), 0);
        TEditGutter other;
        changes = 0;
        gutter.Assign(other);
        QCOMPARE(changes, 1);
        QVERIFY(gutter.Visible());
    }

    void tabs_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("tabWidth");
        QTest::addColumn<QString>("expanded");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("display");
        QTest::newRow("tab at start") << "\tx" << 4 << "    x" << 2 << 5;
        QTest::newRow("tab after two chars") << "ab\tc" << 4 << "ab  c" << 4 << 5;
        QTest::newRow("two tabs") << "\t\tz" << 3 << "      z" << 3 << 7;
        QTest::newRow("width one") << "a\tb" << 1 << "a b" << 3 << 3;
        QTest::newRow("width zero") << "a\tb" << 0 << "a b" << 3 << 3;
        QTest::newRow("past the end") << "\t" << 8 << "        " << 4 << 11;
        QTest::newRow("no tabs") << "plain" << 8 << "plain" << 3 << 3;
    }
    void tabs()
    {
        QFETCH(QString, line);
        QFETCH(int, tabWidth);
        QFETCH(QString, expanded);
        QFETCH(int, column);
        QFETCH(int, display);
        QCOMPARE(TabExpansion::Expand(line, tabWidth), expanded);
        QCOMPARE(TabExpansion::ToDisplayColumn(line, column, tabWidth), display);
        QCOMPARE(TabExpansion::ToBufferColumn(line, display, tabWidth), column);
    }

    void clickInsideATabGoesToTheNearerEdge()
    {
        const QString line = QStringLiteral("\tx");
        QCOMPARE(TabExpansion::ToBufferColumn(line, 2, 8), 1);
        QCOMPARE(TabExpansion::ToBufferColumn(line, 6, 8), 2);
    }

    void wheel_data()
    {
        QTest::addColumn<QList<int>>("deltas");
        QTest::addColumn<bool>("ctrl");
        QTest::addColumn<int>("lines");
        QTest::newRow("one notch scrolls three") << QList<int>{120} << false << 3;
        QTest::newRow("two half notches scroll three once") << QList<int>{60, 60} << false << 3;
        QTest::newRow("half notch alone does nothing") << QList<int>{60} << false << 0;
        QTest::newRow("down two notches") << QList<int>{-240} << false << -6;
        QTest::newRow("ctrl scrolls a page") << QList<int>{120} << true << 20;
    }
    void wheel()
    {
        QFETCH(QList<int>, deltas);
        QFETCH(bool, ctrl);
        QFETCH(int, lines);
        TWheelAccumulator wheel;
        int total = 0;
        for (int d : deltas)
            total += wheel.Add(d, ctrl, 20, false);
        QCOMPARE(total, lines);
    }
};

QTEST_GUILESS_MAIN(TestDisplayMetrics)
#include "tst_displaymetrics.moc"
