// The image browser's rules: thumbnail places in rows of three, which names the folder listing
// takes, the loader each name goes to, and the permission text of the properties.
#include "prefs/core/thumbnaillayout.h"

#include <QTest>

using namespace ImageBrowser;

Q_DECLARE_METATYPE(ImageBrowser::TLoader)

class TestThumbnailLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void places_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QPoint>("place");
        QTest::addColumn<int>("rowCountBefore");
        QTest::newRow("first at the top left") << 0 << QPoint(0, 0) << 0;
        QTest::newRow("second 74 to the right") << 1 << QPoint(74, 0) << 1;
        QTest::newRow("third ends the row") << 2 << QPoint(148, 0) << 2;
        QTest::newRow("fourth starts row two") << 3 << QPoint(0, 58) << 0;
        QTest::newRow("fifth") << 4 << QPoint(74, 58) << 1;
        QTest::newRow("seventh starts row three") << 6 << QPoint(0, 116) << 0;
        QTest::newRow("two thousandth") << 1999 << QPoint(74, 666 * 58) << 1;
    }
    void places()
    {
        QFETCH(int, index);
        QFETCH(QPoint, place);
        QFETCH(int, rowCountBefore);
        TThumbLayout layout;
        for (int i = 0; i < index; ++i)
            layout.Advance();
        QCOMPARE(layout.Next(), place);
        QCOMPARE(layout.RowCount(), rowCountBefore);
    }

    void clearStartsAgainAtTopLeft()
    {
        TThumbLayout layout;
        for (int i = 0; i < 5; ++i)
            layout.Advance();
        QCOMPARE(layout.Next(), QPoint(148, 58));
        layout.Clear();
        QCOMPARE(layout.Next(), QPoint(0, 0));
        QCOMPARE(layout.RowCount(), 0);
        // Refilled, it lays out exactly as the first time.
        for (int i = 0; i < 4; ++i)
            layout.Advance();
        QCOMPARE(layout.Next(), QPoint(74, 58));
    }

    void listingAndLoader_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("listed");
        QTest::addColumn<TLoader>("loader");
        QTest::newRow("jpg") << "photo.jpg" << true << TLoader::Jpeg;
        QTest::newRow("jpeg") << "photo.jpeg" << true << TLoader::Jpeg;
        QTest::newRow("capital JPG goes by content") << "photo.JPG" << true << TLoader::Generic;
        QTest::newRow("mixed case Jpeg") << "photo.Jpeg" << true << TLoader::Generic;
        QTest::newRow("gif") << "anim.gif" << true << TLoader::Generic;
        QTest::newRow("capital BMP") << "OLD.BMP" << true << TLoader::Generic;
        QTest::newRow("png") << "icon.png" << true << TLoader::Generic;
        QTest::newRow("webp") << "pic.webp" << true << TLoader::Generic;
        QTest::newRow("svg") << "logo.svg" << true << TLoader::Generic;
        QTest::newRow("html gets no picture") << "index.html" << false << TLoader::None;
        QTest::newRow("no extension") << "README" << false << TLoader::None;
        QTest::newRow("jpg inside the name only") << "photo.jpg.txt" << false << TLoader::None;
        QTest::newRow("hidden file named like an extension") << ".png" << false << TLoader::None;
        QTest::newRow("folder and dots") << "/a.b/c.d/pic.gif" << true << TLoader::Generic;
        QTest::newRow("jpgx is not jpg") << "photo.jpgx" << false << TLoader::None;
    }
    void listingAndLoader()
    {
        QFETCH(QString, name);
        QFETCH(bool, listed);
        QFETCH(TLoader, loader);
        QCOMPARE(IsListedPicture(name), listed);
        QCOMPARE(LoaderFor(name), loader);
    }

    void filtersTakeTheWebPictures()
    {
        const QStringList filters = PictureNameFilters();
        for (const char *f : {"*.jpg", "*.jpeg", "*.gif", "*.bmp"})
            QVERIFY2(filters.contains(QLatin1String(f)), f);
    }

    void permissions_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << 0 << "---------";
        QTest::newRow("rw-r--r--") << int(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                                          | QFileDevice::ReadOther)
                                   << "rw-r--r--";
        QTest::newRow("others only execute") << int(QFileDevice::ExeOther) << "--------x";
        QTest::newRow("user bits are not the owner's")
            << int(QFileDevice::ReadUser | QFileDevice::WriteUser) << "---------";
    }
    void permissions()
    {
        QFETCH(int, flags);
        QFETCH(QString, text);
        QCOMPARE(PermissionText(QFileDevice::Permissions(flags)), text);
    }
};

QTEST_GUILESS_MAIN(TestThumbnailLayout)
#include "tst_thumbnaillayout.moc"
