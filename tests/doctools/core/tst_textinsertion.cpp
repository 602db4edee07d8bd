// Text read from files for insertion, and the palette's colours.
#include "doctools/core/textinsertion.h"

#include <QTemporaryDir>
#include <QTest>

using namespace TextInsertion;

class TestTextInsertion : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void files_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("refused");
        QTest::newRow("no final break") << QByteArray("a\nb") << "a\r\nb\r\n" << false;
        QTest::newRow("ends in CR LF") << QByteArray("a\r\nb\r\n") << "a\r\nb\r\n" << false;
        QTest::newRow("lone CR and blank lines") << QByteArray("a\r\rb\n\n") << "a\r\n\r\nb\r\n\r\n" << false;
        QTest::newRow("empty") << QByteArray() << "" << false;
        QTest::newRow("utf-8 with mark") << QByteArray("\xEF\xBB\xBF\xC3\xA9t\xC3\xA9") << QString::fromUtf8("été\r\n")
                                         << false;
        QTest::newRow("not utf-8: windows-1252")
            << QByteArray("caf\xE9 \x80") << QString::fromUtf8("café €\r\n") << false;
        QTest::newRow("binary") << QByteArray("GIF89a\0\0\x01", 9) << "" << true;
    }
    void files()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(bool, refused);
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("in.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        const TFileText read = ReadFileText(file.fileName());
        QCOMPARE(read.Text, text);
        QCOMPARE(!read.Error.isEmpty(), refused);
        if (refused)
            QVERIFY(read.Error.contains(QStringLiteral("in.txt")));
    }

    void unreadableFiles()
    {
        QTemporaryDir dir;
        QVERIFY(
            ReadFileText(dir.filePath(QStringLiteral("missing.txt"))).Error.contains(QStringLiteral("missing.txt")));
        QVERIFY(!ReadFileText(dir.path()).Error.isEmpty()); // a folder
        QFile big(dir.filePath(QStringLiteral("big.txt")));
        QVERIFY(big.open(QIODevice::WriteOnly));
        big.write(QByteArray(2048, 'x'));
        big.close();
        const TFileText read = ReadFileText(big.fileName(), 1024);
        QVERIFY(read.Text.isEmpty());
        QVERIFY(read.Error.contains(QStringLiteral("big.txt")));
    }

    void palette()
    {
        QCOMPARE(ColorCaption(PaletteColor(245, 14)), QStringLiteral("#0080FF"));
        QCOMPARE(ColorCaption(PaletteColor(0, 15)), QStringLiteral("#FF0000"));
        QCOMPARE(ColorCaption(0xFF0000), QStringLiteral("#FF0000"));
        QCOMPARE(PaletteColor(kPaletteWidth - 30, 0), 0xFFFFFFu);
        QCOMPARE(PaletteColor(kPaletteWidth + 100, 99), 0x000000u); // clamped to the last grey
        QVERIFY(PaletteColor(100, 0) != PaletteColor(100, 29));
    }
};

QTEST_APPLESS_MAIN(TestTextInsertion)
#include "tst_textinsertion.moc"
