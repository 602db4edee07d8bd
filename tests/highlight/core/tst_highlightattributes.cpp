// Attribute change notification, Assign, colour conversion and storage in the settings store.
#include "highlight/core/highlightattributes.h"
#include "platform/core/settingsstore.h"

#include <QTemporaryDir>
#include <QTest>

class TestHighlightAttributes : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { m_path = m_dir.filePath(QStringLiteral("a%1.conf").arg(++m_n)); }

    void changeFiresOnlyOnRealChange_data()
    {
        QTest::addColumn<int>("property"); // 0 background, 1 foreground, 2 style
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("fires");
        QTest::newRow("background to a colour") << 0 << clRed << 1;
        QTest::newRow("background to clNone again") << 0 << clNone << 0;
        QTest::newRow("background to black (zero)") << 0 << clBlack << 1;
        QTest::newRow("foreground to a colour") << 1 << clNavy << 1;
        QTest::newRow("foreground unchanged") << 1 << clNone << 0;
        QTest::newRow("style set") << 2 << int(fsBold | fsItalic) << 1;
        QTest::newRow("style unchanged") << 2 << 0 << 0;
    }
    void changeFiresOnlyOnRealChange()
    {
        QFETCH(int, property);
        QFETCH(int, value);
        QFETCH(int, fires);
        THighlightAttributes attr(QStringLiteral("Comment"));
        int count = 0;
        attr.OnChange = [&](THighlightAttributes *sender) {
            QCOMPARE(sender, &attr);
            ++count;
        };
        for (int round = 0; round < 2; ++round) { // the second time is never a change
            if (property == 0)
                attr.SetBackground(value);
            else if (property == 1)
                attr.SetForeground(value);
            else
                attr.SetStyle(TFontStyles::fromInt(value));
        }
        QCOMPARE(count, fires);
    }

    void assign_data()
    {
        QTest::addColumn<int>("foreground");
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("fires");
        QTest::newRow("same values, only the name differs") << clNone << 0 << 0;
        QTest::newRow("all three differ, fires once") << clBlue << int(fsUnderline) << 1;
        QTest::newRow("style differs") << clNone << int(fsStrikeOut) << 1;
    }
    void assign()
    {
        QFETCH(int, foreground);
        QFETCH(int, style);
        QFETCH(int, fires);
        THighlightAttributes source(QStringLiteral("Source"));
        source.SetForeground(foreground);
        source.SetBackground(foreground == clNone ? clNone : clYellow);
        source.SetStyle(TFontStyles::fromInt(style));
        THighlightAttributes target(QStringLiteral("Target"));
        int count = 0;
        target.OnChange = [&](THighlightAttributes *) { ++count; };
        target.Assign(source);
        QCOMPARE(count, fires);
        QCOMPARE(target.Name(), QStringLiteral("Source"));
        QCOMPARE(target.Foreground(), source.Foreground());
        QCOMPARE(target.Background(), source.Background());
        QCOMPARE(target.Style(), source.Style());
    }

    void colorConversion_data()
    {
        QTest::addColumn<int>("color");
        QTest::addColumn<uint>("rgb");
        QTest::newRow("value colour of the main window") << 16744576 << 0x8080FFu;
        QTest::newRow("navy") << clNavy << 0x000080u;
        QTest::newRow("red") << clRed << 0xFF0000u;
        QTest::newRow("built from rgb") << RGBToColor(0x12, 0x34, 0x56) << 0x123456u;
    }
    void colorConversion()
    {
        QFETCH(int, color);
        QFETCH(uint, rgb);
        QCOMPARE(ColorToRgb(color), quint32(rgb));
    }

    void storeRoundTrip()
    {
        THighlightAttributes saved(QStringLiteral("Escape ampersand"));
        saved.SetBackground(clNone);
        saved.SetForeground(clTeal);
        saved.SetStyle(fsBold | fsUnderline);
        {
            TSettingsStore store(m_path);
            QVERIFY(store.OpenKey(QStringLiteral("Settings\\Colors"), true));
            QVERIFY(saved.SaveToRegistry(store));
            QCOMPARE(store.CurrentPath(), QStringLiteral("Settings/Colors"));
        }
        TSettingsStore store(m_path);
        QVERIFY(store.OpenKey(QStringLiteral("Settings\\Colors\\Escape ampersand"), false));
        QCOMPARE(store.ReadInteger(QStringLiteral("Style")), 5); // bit 0 bold, bit 2 underline
        QCOMPARE(store.ReadInteger(QStringLiteral("Foreground")), clTeal);
        QCOMPARE(store.ReadInteger(QStringLiteral("Background")), clNone);

        QVERIFY(store.OpenKey(QStringLiteral("Settings\\Colors"), false));
        THighlightAttributes loaded(QStringLiteral("Escape ampersand"));
        loaded.SetBackground(clRed);
        QVERIFY(loaded.LoadFromRegistry(store));
        QCOMPARE(loaded.Background(), clNone);
        QCOMPARE(loaded.Foreground(), clTeal);
        QCOMPARE(loaded.Style(), fsBold | fsUnderline);
        QCOMPARE(store.CurrentPath(), QStringLiteral("Settings/Colors"));
    }

    void loadingPartialOrBadValues_data()
    {
        QTest::addColumn<bool>("writeForeground");
        QTest::addColumn<bool>("mistypeStyle");
        QTest::addColumn<bool>("result");
        QTest::addColumn<int>("foreground");
        QTest::newRow("absent values leave properties alone") << false << false << true << int(clGreen);
        QTest::newRow("present value is taken") << true << false << true << int(clMaroon);
        QTest::newRow("mistyped value fails and changes nothing") << true << true << false << int(clGreen);
    }
    void loadingPartialOrBadValues()
    {
        QFETCH(bool, writeForeground);
        QFETCH(bool, mistypeStyle);
        QFETCH(bool, result);
        QFETCH(int, foreground);
        TSettingsStore store(m_path);
        QVERIFY(store.OpenKey(QStringLiteral("Hl\\Comment"), true));
        store.WriteInteger(QStringLiteral("Other"), 1);
        if (writeForeground)
            store.WriteInteger(QStringLiteral("Foreground"), clMaroon);
        if (mistypeStyle)
            store.WriteString(QStringLiteral("Style"), QStringLiteral("2"));
        QVERIFY(store.OpenKey(QStringLiteral("Hl"), false));

        THighlightAttributes attr(QStringLiteral("Comment"));
        attr.SetForeground(clGreen);
        attr.SetStyle(fsItalic);
        bool ok = false;
        try {
            ok = attr.LoadFromRegistry(store);
        } catch (const ERegistryException &) {
            ok = false;
        }
        QCOMPARE(ok, result);
        QCOMPARE(attr.Foreground(), foreground);
        QCOMPARE(attr.Style(), TFontStyles(fsItalic));
        QCOMPARE(attr.Background(), clNone);
        QCOMPARE(store.CurrentPath(), QStringLiteral("Hl"));
    }

    void missingSubkeyOrReadOnlyStore()
    {
        THighlightAttributes attr(QStringLiteral("Symbol"));
        {
            TSettingsStore store(m_path);
            QVERIFY(store.OpenKey(QStringLiteral("Hl\\Other"), true));
            store.WriteInteger(QStringLiteral("Style"), 1);
            QVERIFY(store.OpenKey(QStringLiteral("Hl"), false));
            QVERIFY(!attr.LoadFromRegistry(store));
            QCOMPARE(store.CurrentPath(), QStringLiteral("Hl"));
        }
        TSettingsStore readOnly(m_path, true);
        QVERIFY(readOnly.OpenKey(QStringLiteral("Hl"), false));
        QVERIFY(!attr.SaveToRegistry(readOnly));
        QCOMPARE(readOnly.CurrentPath(), QStringLiteral("Hl"));
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
    int m_n = 0;
};

QTEST_GUILESS_MAIN(TestHighlightAttributes)
#include "tst_highlightattributes.moc"
