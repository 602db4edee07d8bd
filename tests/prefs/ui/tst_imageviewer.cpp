// The image viewer: colours picked on a real picture, coordinates and names inserted into the
// document, the generic loader for capital extensions, and files it cannot or should not show.
#include "fakehost.h"
#include "tests/support/scratchfiles.h"
#include "prefs/ui/imageviewer.h"
#include "prefs/ui/pictureloader.h"
#include "prefs/ui/pictureview.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

namespace {

// Left half pure red, right half pure blue, a green pixel at (12, 40).
QImage TestPicture()
{
    QImage image(100, 60, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(0, 0, 50, 60, QColor(255, 0, 0));
    p.fillRect(50, 0, 50, 60, QColor(0, 0, 255));
    p.end();
    image.setPixel(12, 40, qRgb(0, 255, 0));
    return image;
}

QAction *ToolButton(TfrmImgEdit &viewer, const char *name)
{
    auto *action = viewer.findChild<QAction *>(QLatin1String(name));
    if (!action)
        qFatal("no tool button %s", name);
    return action;
}

} // namespace

class TestImageViewer : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString Write(const QString &name, const QByteArray &bytes)
    {
        return TestSupport::WriteScratchFile(m_dir, name, bytes);
    }
    QString Save(const QString &name, const char *format)
    {
        const QString path = m_dir.filePath(name);
        if (!TestPicture().save(path, format, 100))
            qFatal("cannot save %s", qPrintable(name));
        return path;
    }
    // A BMP header announcing width x height pixels of 24 bits, with no pixel data behind it.
    QString HeaderOnlyBmp(const QString &name, qint32 width, qint32 height)
    {
        QByteArray bmp("BM");
        auto le32 = [&](quint32 v) {
            for (int i = 0; i < 4; ++i)
                bmp.append(char((v >> (8 * i)) & 0xFF));
        };
        auto le16 = [&](quint16 v) {
            bmp.append(char(v & 0xFF));
            bmp.append(char(v >> 8));
        };
        le32(54 + quint32(width) * 3 * quint32(height));
        le32(0);
        le32(54);
        le32(40);
        le32(quint32(width));
        le32(quint32(height));
        le16(1);
        le16(24);
        le32(0);
        le32(0);
        le32(2835);
        le32(2835);
        le32(0);
        le32(0);
        return Write(name, bmp);
    }

    // A PNG whose header announces width x height pixels and whose pixel data is missing.
    QString HeaderOnlyPng(const QString &name, quint32 width, quint32 height)
    {
        auto be32 = [](QByteArray &b, quint32 v) {
            for (int i = 3; i >= 0; --i)
                b.append(char((v >> (8 * i)) & 0xFF));
        };
        auto crc32 = [](const QByteArray &b) {
            quint32 crc = 0xFFFFFFFFu;
            for (char c : b) {
                crc ^= quint8(c);
                for (int k = 0; k < 8; ++k)
                    crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
            }
            return ~crc;
        };
        QByteArray ihdr("IHDR");
        be32(ihdr, width);
        be32(ihdr, height);
        ihdr.append("\x08\x02\x00\x00\x00", 5);
        QByteArray png("\x89PNG\r\n\x1a\n", 8);
        be32(png, 13);
        png.append(ihdr);
        be32(png, crc32(ihdr));
        // The start of a compressed stream, cut off after its header.
        const QByteArray idat("IDAT\x78\x9c", 6);
        be32(png, 2);
        png.append(idat);
        be32(png, crc32(idat));
        be32(png, 0);
        png.append("IEND");
        be32(png, crc32("IEND"));
        return Write(name, png);
    }

private Q_SLOTS:
    void pickColorsAndCoordinates()
    {
        TFakeHost host;
        TfrmImgEdit *viewer = ShowImageViewer(&host.window, Save(QStringLiteral("colours.png"), "PNG"), host);
        QVERIFY(viewer->testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(viewer->windowTitle(), QStringLiteral("[Viewer] - ") + m_dir.filePath(QStringLiteral("colours.png")));
        viewer->resize(400, 400);
        QApplication::processEvents();
        TPictureView *image = viewer->Image();
        auto *edtColor = viewer->findChild<QLineEdit *>(QStringLiteral("edtColor"));
        const QPoint origin = image->PictureRect().topLeft();
        QVERIFY2(origin.x() > 0 && origin.y() > 0, "the picture is centred in the larger window");
        QCOMPARE(image->toolTip(), m_dir.filePath(QStringLiteral("colours.png")));

        // "Insert into Editor" with an empty colour box inserts nothing.
        ToolButton(*viewer, "btnInsertColor")->trigger();
        QCOMPARE(host.Text(), QString());

        QTest::mousePress(image, Qt::LeftButton, {}, origin + QPoint(5, 5));
        QCOMPARE(edtColor->text(), QStringLiteral("#FF0000"));
        // Dragging with the button held follows the mouse; after release moving changes nothing.
        QTest::mouseMove(image, origin + QPoint(80, 5));
        QCOMPARE(edtColor->text(), QStringLiteral("#0000FF"));
        QTest::mouseRelease(image, Qt::LeftButton, {}, origin + QPoint(80, 5));
        QTest::mouseMove(image, origin + QPoint(5, 5));
        QCOMPARE(edtColor->text(), QStringLiteral("#0000FF"));
        // Outside the picture there is no pixel: the box keeps its value.
        QTest::mousePress(image, Qt::LeftButton, {}, origin - QPoint(1, 1));
        QCOMPARE(edtColor->text(), QStringLiteral("#0000FF"));
        QTest::mouseRelease(image, Qt::LeftButton, {}, origin - QPoint(1, 1));
        QTest::mouseClick(image, Qt::LeftButton, {}, origin + QPoint(12, 40));
        QCOMPARE(edtColor->text(), QStringLiteral("#00FF00"));

        ToolButton(*viewer, "btnInsertColor")->trigger();
        QCOMPARE(host.Text(), QStringLiteral("#00FF00"));
        QTest::mouseClick(image, Qt::RightButton, {}, origin + QPoint(12, 40));
        QCOMPARE(host.Text(), QStringLiteral("#00FF0012,40"));
        // Right of the picture: nothing to insert.
        QTest::mouseClick(image, Qt::RightButton, {}, origin + QPoint(100, 40));
        QCOMPARE(host.Text(), QStringLiteral("#00FF0012,40"));

        // Stretched, the same picture pixel lies elsewhere in the control.
        viewer->findChild<QCheckBox *>(QStringLiteral("CheckBox1"))->setChecked(true);
        QCOMPARE(image->PictureRect(), image->rect());
        const QPoint stretched(12 * image->width() / 100 + 1, 40 * image->height() / 60 + 1);
        QTest::mouseClick(image, Qt::RightButton, {}, stretched);
        QVERIFY(host.Text().endsWith(QStringLiteral("12,40")));
        viewer->close();
    }

    void copyColorAndPicture()
    {
        TFakeHost host;
        TfrmImgEdit viewer(&host.window, host);
        viewer.setAttribute(Qt::WA_DeleteOnClose, false);
        QVERIFY(viewer.LoadFromFile(Save(QStringLiteral("copy.bmp"), "BMP")));
        viewer.show();
        auto *edtColor = viewer.findChild<QLineEdit *>(QStringLiteral("edtColor"));
        QApplication::clipboard()->setText(QStringLiteral("before"));
        viewer.CopyColorClick();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("before"));
        edtColor->setText(QStringLiteral("#FF0000"));
        viewer.CopyColorClick();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("#FF0000"));
        QVERIFY(!edtColor->hasSelectedText());
        ToolButton(viewer, "btnCopy")->trigger();
        QCOMPARE(QApplication::clipboard()->image().size(), QSize(100, 60));
    }

    void pasteFileNameRelativeToTheDocument()
    {
        TFakeHost host;
        QDir(m_dir.path()).mkpath(QStringLiteral("pics"));
        const QString picture = m_dir.filePath(QStringLiteral("pics/logo.gif"));
        QVERIFY(QFile::copy(Save(QStringLiteral("logo.png"), "PNG"), picture));
        host.documentPath = m_dir.filePath(QStringLiteral("site/page.html"));
        TfrmImgEdit viewer(&host.window, host);
        viewer.setAttribute(Qt::WA_DeleteOnClose, false);
        // Nothing loaded: no name to insert.
        viewer.PasteFileNameClick();
        QCOMPARE(host.Text(), QString());
        // A PNG named .gif: the generic loader goes by the content.
        QVERIFY(viewer.LoadFromFile(picture));
        viewer.PasteFileNameClick();
        QCOMPARE(host.Text(), QStringLiteral("../pics/logo.gif"));

        // Without a document the insertion fails the usual way.
        host.hasDocument = false;
        viewer.PasteFileNameClick();
        QCOMPARE(host.errors, QStringList{QStringLiteral("No HTML-File opened")});
    }

    void decoderByExtensionAsWritten()
    {
        const QString upper = Save(QStringLiteral("photo.JPG"), "JPEG");
        const TLoadedPicture generic = LoadPicture(upper);
        QCOMPARE(generic.Decoder, ImagePicking::TDecoder::Generic);
        QCOMPARE(generic.Image.size(), QSize(100, 60));
        QVERIFY(generic.Error.isEmpty());
        QVERIFY(QFile::copy(upper, m_dir.filePath(QStringLiteral("photo.jpg"))));
        const TLoadedPicture jpeg = LoadPicture(m_dir.filePath(QStringLiteral("photo.jpg")));
        QCOMPARE(jpeg.Decoder, ImagePicking::TDecoder::Jpeg);
        QCOMPARE(jpeg.Image.size(), QSize(100, 60));
        // JPEG is lossy: the red half stays near red.
        QVERIFY(qRed(jpeg.Image.pixel(5, 5)) > 240 && qBlue(jpeg.Image.pixel(5, 5)) < 16);
    }

    void overBudgetIsKeptSmaller()
    {
        const TLoadedPicture picture = LoadPicture(Save(QStringLiteral("big.jpg"), "JPEG"), 1500);
        QVERIFY(picture.Error.isEmpty());
        QCOMPARE(picture.OriginalSize, QSize(100, 60));
        QVERIFY(qint64(picture.Image.width()) * picture.Image.height() <= 1500);
        QCOMPARE(picture.Note, QStringLiteral("The picture has 100 x 60 pixels; it is shown at 50 x 30."));

        // Coordinates stay the file's own while the smaller copy is drawn.
        TPictureView view;
        view.resize(picture.Image.size());
        view.SetPicture(picture.Image, picture.OriginalSize);
        QCOMPARE(view.PixelAt(QPoint(6, 20)), std::optional<QPoint>(QPoint(12, 40)));
    }

    void badFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        QTest::newRow("text named .gif") << "notes.gif" << QByteArray("<html>not a picture</html>")
                                         << "Cannot show \"notes.gif\": it is not a picture TagForge can read.";
        QTest::newRow("text named .jpg") << "notes.jpg" << QByteArray("hello")
                                         << "Cannot show \"notes.jpg\": it is not a picture TagForge can read.";
        QTest::newRow("empty file") << "empty.bmp" << QByteArray()
                                    << "Cannot show \"empty.bmp\": it is not a picture TagForge can read.";
    }
    void badFiles()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        TFakeHost host;
        TfrmImgEdit viewer(&host.window, host);
        viewer.setAttribute(Qt::WA_DeleteOnClose, false);
        QStringList shown;
        viewer.ShowError = [&](const QString &text) { shown << text; };
        QVERIFY(!viewer.LoadFromFile(Write(name, bytes)));
        QCOMPARE(shown, QStringList{error});
        QVERIFY(viewer.Image()->Picture().isNull());
        QCOMPARE(viewer.FileName(), QString());
    }

    void truncatedAndHugeEndInAMessage_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("side");
        QTest::newRow("truncated 300 x 200 BMP") << "cut.bmp" << 300;
        QTest::newRow("20000 x 20000 BMP header") << "huge.bmp" << 20000;
        QTest::newRow("truncated 300 x 200 PNG") << "cut.png" << 300;
        QTest::newRow("20000 x 20000 PNG header") << "huge.png" << 20000;
    }
    void truncatedAndHugeEndInAMessage()
    {
        QFETCH(QString, name);
        QFETCH(int, side);
        const QString path =
            name.endsWith(QLatin1String(".png")) ? HeaderOnlyPng(name, side, side) : HeaderOnlyBmp(name, side, side);
        QElapsedTimer clock;
        clock.start();
        TFakeHost host;
        TfrmImgEdit viewer(&host.window, host);
        viewer.setAttribute(Qt::WA_DeleteOnClose, false);
        QStringList shown;
        viewer.ShowError = [&](const QString &text) { shown << text; };
        const bool loaded = viewer.LoadFromFile(path);
        QVERIFY(clock.elapsed() < 5000);
        // Either nothing is shown, with the reason, or a copy within the budget.
        if (loaded) {
            const QImage &image = viewer.Image()->Picture();
            QVERIFY(qint64(image.width()) * image.height() <= ImagePicking::kPixelBudget);
            QVERIFY(shown.isEmpty());
        } else {
            QCOMPARE(shown.size(), 1);
            QVERIFY2(shown.first().startsWith(QStringLiteral("Cannot show \"") + name + QStringLiteral("\": ")),
                     qPrintable(shown.first()));
            QVERIFY(viewer.Image()->Picture().isNull());
        }
        qInfo("%s: %s", qPrintable(name), loaded ? "shown" : qPrintable(shown.first()));
    }

    void missingFileAndFolder()
    {
        QCOMPARE(LoadPicture(m_dir.filePath(QStringLiteral("gone.gif"))).Error,
                 QStringLiteral("Cannot show \"gone.gif\": the file does not exist."));
        QDir(m_dir.path()).mkpath(QStringLiteral("folder.jpg"));
        QCOMPARE(LoadPicture(m_dir.filePath(QStringLiteral("folder.jpg"))).Error,
                 QStringLiteral("Cannot show \"folder.jpg\": it is not a file."));
    }

    void openImageUsesThePictureFilter()
    {
        TFakeHost host;
        TfrmImgEdit viewer(&host.window, host);
        viewer.setAttribute(Qt::WA_DeleteOnClose, false);
        viewer.OpenImageClick();
        QCOMPARE(host.lastFilter, QStringLiteral("Grafiken (*.jpg *.jpeg *.gif *.bmp)"));
        QCOMPARE(viewer.FileName(), QString());
        host.chosenFile = Save(QStringLiteral("opened.bmp"), "BMP");
        ToolButton(viewer, "btnOpen")->trigger();
        QCOMPARE(viewer.FileName(), host.chosenFile);
        QCOMPARE(viewer.windowTitle(), QStringLiteral("Image"));
    }
};

QTEST_MAIN(TestImageViewer)
#include "tst_imageviewer.moc"
