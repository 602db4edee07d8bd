// The image viewer's arithmetic: colour and coordinate texts, the decoder by extension, the kept
// size of huge pictures and the pixel under the mouse, centred and stretched.
#include "prefs/core/imagepicking.h"

#include <QTest>

using namespace ImagePicking;

Q_DECLARE_METATYPE(std::optional<QPoint>)

class TestImagePicking : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void colorText_data()
    {
        QTest::addColumn<uint>("rgb");
        QTest::addColumn<QString>("text");
        QTest::newRow("pure red") << 0xFF0000u << "#FF0000";
        QTest::newRow("black keeps six digits") << 0x000000u << "#000000";
        QTest::newRow("upper-case digits") << 0x0A0B0Cu << "#0A0B0C";
        QTest::newRow("alpha is left out") << 0xFF12ABCDu << "#12ABCD";
    }
    void colorText()
    {
        QFETCH(uint, rgb);
        QFETCH(QString, text);
        QCOMPARE(PixelColorText(rgb), text);
    }

    void coordinateText()
    {
        QCOMPARE(CoordinateText(QPoint(12, 40)), QStringLiteral("12,40"));
        QCOMPARE(CoordinateText(QPoint(0, 0)), QStringLiteral("0,0"));
        QCOMPARE(CoordinateText(QPoint(19999, 7)), QStringLiteral("19999,7"));
    }

    void decoder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("jpeg");
        QTest::newRow("photo.jpg") << "photo.jpg" << true;
        QTest::newRow("photo.jpeg") << "/pics/photo.jpeg" << true;
        QTest::newRow("capitals go to the generic loader") << "photo.JPG" << false;
        QTest::newRow("mixed case") << "photo.Jpeg" << false;
        QTest::newRow("gif") << "anim.gif" << false;
        QTest::newRow("jpg inside the name") << "photo.jpg.bmp" << false;
        QTest::newRow("no extension") << "jpg" << false;
    }
    void decoder()
    {
        QFETCH(QString, name);
        QFETCH(bool, jpeg);
        QCOMPARE(DecoderFor(name) == TDecoder::Jpeg, jpeg);
    }

    void keptSize_data()
    {
        QTest::addColumn<QSize>("original");
        QTest::addColumn<qlonglong>("budget");
        QTest::addColumn<QSize>("kept");
        QTest::newRow("within the budget") << QSize(640, 480) << qlonglong(kPixelBudget) << QSize(640, 480);
        QTest::newRow("exactly the budget") << QSize(5000, 5000) << qlonglong(kPixelBudget) << QSize(5000, 5000);
        QTest::newRow("20000 x 20000") << QSize(20000, 20000) << qlonglong(kPixelBudget) << QSize(5000, 5000);
        QTest::newRow("a thin strip keeps one row") << QSize(1000000, 1) << qlonglong(1000) << QSize(1000, 1);
        QTest::newRow("empty stays empty") << QSize(0, 0) << qlonglong(100) << QSize(0, 0);
    }
    void keptSize()
    {
        QFETCH(QSize, original);
        QFETCH(qlonglong, budget);
        QFETCH(QSize, kept);
        QCOMPARE(KeptSize(original, budget), kept);
    }

    void keptSizeStaysWithinBudgetAndProportion()
    {
        for (const QSize original : {QSize(20000, 20000), QSize(30001, 17), QSize(7919, 6007), QSize(3, 99999999)}) {
            const QSize kept = KeptSize(original, kPixelBudget);
            QVERIFY(qint64(kept.width()) * kept.height() <= kPixelBudget);
            QVERIFY(kept.width() >= 1 && kept.height() >= 1);
            const double before = double(original.width()) / original.height();
            const double after = double(kept.width()) / kept.height();
            QVERIFY2(std::abs(after - before) / before < 0.05 || kept.width() == 1 || kept.height() == 1,
                     qPrintable(QStringLiteral("%1x%2").arg(kept.width()).arg(kept.height())));
        }
    }

    void pictureRect()
    {
        QCOMPARE(PictureRect(QSize(100, 50), QSize(300, 250), false), QRect(100, 100, 100, 50));
        QCOMPARE(PictureRect(QSize(100, 50), QSize(300, 250), true), QRect(0, 0, 300, 250));
        // Larger than the control: centred, sticking out on both sides.
        QCOMPARE(PictureRect(QSize(400, 50), QSize(300, 50), false), QRect(-50, 0, 400, 50));
    }

    void pixelUnder_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<std::optional<QPoint>>("pixel");
        const QRect natural(100, 100, 100, 50);
        QTest::newRow("centred: offset taken off")
            << QPoint(112, 140) << natural << QSize(100, 50) << std::optional<QPoint>(QPoint(12, 40));
        QTest::newRow("top left pixel") << QPoint(100, 100) << natural << QSize(100, 50)
                                        << std::optional<QPoint>(QPoint(0, 0));
        QTest::newRow("bottom right pixel")
            << QPoint(199, 149) << natural << QSize(100, 50) << std::optional<QPoint>(QPoint(99, 49));
        QTest::newRow("beside the picture") << QPoint(99, 120) << natural << QSize(100, 50) << std::optional<QPoint>();
        QTest::newRow("below the picture") << QPoint(150, 150) << natural << QSize(100, 50) << std::optional<QPoint>();
        QTest::newRow("stretched twice as wide")
            << QPoint(25, 10) << QRect(0, 0, 200, 50) << QSize(100, 50) << std::optional<QPoint>(QPoint(12, 10));
        QTest::newRow("kept copy of 20000 pixels")
            << QPoint(2500, 4999) << QRect(0, 0, 5000, 5000) << QSize(20000, 20000)
            << std::optional<QPoint>(QPoint(10000, 19996));
        QTest::newRow("no picture") << QPoint(0, 0) << QRect(0, 0, 0, 0) << QSize(0, 0) << std::optional<QPoint>();
    }
    void pixelUnder()
    {
        QFETCH(QPoint, point);
        QFETCH(QRect, rect);
        QFETCH(QSize, picture);
        QFETCH(std::optional<QPoint>, pixel);
        QCOMPARE(PixelUnder(point, rect, picture), pixel);
    }
};

QTEST_APPLESS_MAIN(TestImagePicking)
#include "tst_imagepicking.moc"
