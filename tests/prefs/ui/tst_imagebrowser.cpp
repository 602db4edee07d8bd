// The image browser: thumbnail places, placeholders for files it cannot show, results that
// arrive after a clear, listing in batches, and the context menu commands on real files.
#include "fakehost.h"
#include "prefs/ui/imagebrowser.h"
#include "prefs/ui/imagebrowsercommands.h"
#include "prefs/ui/thumbnailloader.h"
#include "tests/support/scratchfiles.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Left half pure red, right half pure blue.
QImage TestPicture()
{
    QImage image(100, 60, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(0, 0, 50, 60, QColor(255, 0, 0));
    p.fillRect(50, 0, 50, 60, QColor(0, 0, 255));
    return image;
}

// A BMP header announcing width x height pixels of 24 bits, with no pixel data behind it.
QByteArray HeaderOnlyBmp(quint32 width, quint32 height)
{
    QByteArray bmp("BM");
    auto le = [&](quint32 v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            bmp.append(char((v >> (8 * i)) & 0xFF));
    };
    le(54 + width * 3 * height, 4);
    le(0, 4);
    le(54, 4);
    le(40, 4);
    le(width, 4);
    le(height, 4);
    le(1, 2);
    le(24, 2);
    for (int i = 0; i < 6; ++i)
        le(0, 4);
    return bmp;
}

bool ShowsPicture(const QLabel *label)
{
    // The test picture's left half is red; the placeholder is grey.
    return label->pixmap().toImage().pixelColor(5, 24) == QColor(255, 0, 0);
}

QAction *MenuAction(TfrmImgBrowser &browser, const char *name)
{
    auto *action = browser.ContextMenu()->findChild<QAction *>(QLatin1String(name));
    if (!action)
        qFatal("no menu item %s", name);
    return action;
}

} // namespace

class TestImageBrowser : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QTemporaryDir m_trashHome;

    QString Save(const QString &name, const char *format = "PNG")
    {
        QDir().mkpath(QFileInfo(m_dir.filePath(name)).absolutePath());
        const QString path = m_dir.filePath(name);
        if (!TestPicture().save(path, format, 100))
            qFatal("cannot save %s", qPrintable(name));
        return path;
    }
    QString Write(const QString &name, const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(m_dir.filePath(name)).absolutePath());
        return TestSupport::WriteScratchFile(m_dir, name, bytes);
    }
    QString TruncatedPng(const QString &name)
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImage noise(200, 200, QImage::Format_RGB32);
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x)
                noise.setPixel(x, y, qRgb((x * 37 + y * 11) & 0xFF, (x * y) & 0xFF, (x ^ y) & 0xFF));
        noise.save(&buffer, "PNG");
        return Write(name, bytes.left(bytes.size() / 2));
    }

private Q_SLOTS:
    void initTestCase()
    {
        // The trash used by Delete lies in a scratch folder, never in the user's own.
        qputenv("HOME", m_trashHome.path().toLocal8Bit());
        QDir(m_trashHome.path()).mkpath(QStringLiteral("share"));
        qputenv("XDG_DATA_HOME", m_trashHome.filePath(QStringLiteral("share")).toLocal8Bit());
    }

    void thumbnailDecoding_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("picture");
        QTest::newRow("png") << Save(QStringLiteral("dec/ok.png")) << true;
        QTest::newRow("jpeg") << Save(QStringLiteral("dec/ok.jpg"), "JPEG") << true;
        QTest::newRow("photo.JPG by content") << Save(QStringLiteral("dec/photo.JPG"), "JPEG") << true;
        QTest::newRow("png named gif") << Save(QStringLiteral("dec/really-png.gif")) << true;
        QTest::newRow("truncated png") << TruncatedPng(QStringLiteral("dec/cut.png")) << false;
        QTest::newRow("text named jpg") << Write(QStringLiteral("dec/text.jpg"), "not a picture at all\n") << false;
        QTest::newRow("empty bmp") << Write(QStringLiteral("dec/empty.bmp"), QByteArray()) << false;
        QTest::newRow("20000 x 20000 declared, no data")
            << Write(QStringLiteral("dec/huge.bmp"), HeaderOnlyBmp(20000, 20000)) << false;
        QTest::newRow("html is no picture") << Write(QStringLiteral("dec/page.html"), "<html></html>") << false;
        QTest::newRow("missing file") << m_dir.filePath(QStringLiteral("dec/gone.png")) << false;
    }
    void thumbnailDecoding()
    {
        QFETCH(QString, path);
        QFETCH(bool, picture);
        const QImage image = LoadThumbnail(path);
        QCOMPARE(!image.isNull(), picture);
        if (picture) {
            // Stretched over the whole box: 100 x 60 does not keep its proportions.
            QCOMPARE(image.size(), QSize(64, 48));
            QCOMPARE(image.pixelColor(5, 24).red() > 200, true);
            QCOMPARE(image.pixelColor(58, 24).blue() > 200, true);
        }
    }

    void fourImagesGiveTwoRows()
    {
        TFakeHost host;
        TfrmImgBrowser browser(host, &host.window);
        QStringList paths;
        for (int i = 0; i < 4; ++i)
            paths << Save(QStringLiteral("four/p%1.png").arg(i));
        for (const QString &p : paths)
            browser.AddImage(QFileInfo(p));
        const QList<QLabel *> thumbs = browser.Thumbnails();
        QCOMPARE(thumbs.size(), 4);
        const QList<QPoint> places{{0, 0}, {74, 0}, {148, 0}, {0, 58}};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(thumbs.at(i)->geometry(), QRect(TfrmImgBrowser::kOrigin + places.at(i), QSize(64, 48)));
            QCOMPARE(browser.FrameOf(thumbs.at(i))->geometry(),
                     QRect(TfrmImgBrowser::kOrigin + places.at(i) - QPoint(2, 2), QSize(68, 52)));
            QCOMPARE(thumbs.at(i)->toolTip(), QDir::toNativeSeparators(paths.at(i)));
        }
        QTRY_COMPARE(browser.Pending(), 0);
        for (QLabel *t : thumbs)
            QVERIFY(ShowsPicture(t));
    }

    void missingEntryAddsNothing()
    {
        TFakeHost host;
        TfrmImgBrowser browser(host, &host.window);
        browser.AddImage(QFileInfo(m_dir.filePath(QStringLiteral("nowhere/none.png"))));
        QVERIFY(browser.Thumbnails().isEmpty());
        browser.AddImage(QFileInfo(Save(QStringLiteral("one/a.png"))));
        QCOMPARE(browser.Thumbnails().first()->pos(), TfrmImgBrowser::kOrigin);
    }

    void badFilesShowPlaceholders()
    {
        TFakeHost host;
        TfrmImgBrowser browser(host, &host.window);
        const QString good = Save(QStringLiteral("bad/good.png"));
        const QStringList bad{TruncatedPng(QStringLiteral("bad/cut.png")),
                              Write(QStringLiteral("bad/fake.jpg"), "plain text"),
                              Write(QStringLiteral("bad/huge.bmp"), HeaderOnlyBmp(20000, 20000)),
                              Write(QStringLiteral("bad/page.html"), "<p>x</p>")};
        browser.AddImage(QFileInfo(good));
        for (const QString &b : bad)
            browser.AddImage(QFileInfo(b));
        QTRY_COMPARE(browser.Pending(), 0);
        const QList<QLabel *> thumbs = browser.Thumbnails();
        QCOMPARE(thumbs.size(), 5);
        QVERIFY(ShowsPicture(thumbs.at(0)));
        for (int i = 1; i < 5; ++i) {
            QVERIFY2(!ShowsPicture(thumbs.at(i)), qPrintable(bad.at(i - 1)));
            QCOMPARE(thumbs.at(i)->pixmap().size(), QSize(64, 48));
        }

        // The HTML file's thumbnail has a working menu.
        QLabel *html = thumbs.at(4);
        browser.PopupMenu(html, QPoint(3, 3));
        QVERIFY(browser.ContextMenu()->isVisible());
        QCOMPARE(browser.MenuFile(), bad.at(3));
        browser.ContextMenu()->hide();
        host.documentPath = m_dir.filePath(QStringLiteral("bad/index.html"));
        MenuAction(browser, "InsertasLink1")->trigger();
        QCOMPARE(host.Text(), QStringLiteral("page.html"));
    }

    void clearAndRefillStartsAtTopLeft()
    {
        TFakeHost host;
        TfrmImgBrowser browser(host, &host.window);
        for (int i = 0; i < 5; ++i)
            Save(QStringLiteral("refill/r%1.png").arg(i));
        Write(QStringLiteral("refill/notes.txt"), "not listed");
        Write(QStringLiteral("refill/index.html"), "not listed either");
        const QString folder = m_dir.filePath(QStringLiteral("refill"));
        browser.Fill(folder);
        QCOMPARE(browser.Thumbnails().size(), 5);
        QCOMPARE(browser.Thumbnails().last()->pos(), TfrmImgBrowser::kOrigin + QPoint(74, 58));
        browser.Clear();
        QVERIFY(browser.Thumbnails().isEmpty());
        QCOMPARE(browser.Pending(), 0);
        browser.Fill(folder);
        QCOMPARE(browser.Thumbnails().size(), 5);
        QCOMPARE(browser.Thumbnails().first()->pos(), TfrmImgBrowser::kOrigin);
        QCOMPARE(browser.Thumbnails().last()->pos(), TfrmImgBrowser::kOrigin + QPoint(74, 58));
        QTRY_COMPARE(browser.Pending(), 0);
    }

    void resultsAfterClearAreDropped()
    {
        TFakeHost host;
        TfrmImgBrowser browser(host, &host.window);
        for (int i = 0; i < 40; ++i)
            Save(QStringLiteral("late/l%1.png").arg(i));
        browser.Fill(m_dir.filePath(QStringLiteral("late")));
        QVERIFY(browser.Pending() > 0);
        browser.Clear();
        const QString html = Write(QStringLiteral("late2/page.html"), "<p></p>");
        browser.AddImage(QFileInfo(html));
        // Let every decode that was already running deliver.
        QTest::qWait(500);
        QCOMPARE(browser.Pending(), 0);
        QCOMPARE(browser.Thumbnails().size(), 1);
        QVERIFY(!ShowsPicture(browser.Thumbnails().first()));
    }

    void largeFolderIsListedInBatches()
    {
        TFakeHost host;
        TfrmImgBrowser browser(host, &host.window);
        const QString first = Save(QStringLiteral("many/m0000.png"));
        for (int i = 1; i < 250; ++i)
            QFile::copy(first, m_dir.filePath(QStringLiteral("many/m%1.png").arg(i, 4, 10, QLatin1Char('0'))));
        browser.Fill(m_dir.filePath(QStringLiteral("many")));
        // The first batch is there at once; the rest follows between events.
        QVERIFY(browser.Thumbnails().size() < 250);
        QVERIFY(!browser.Thumbnails().isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(browser.Thumbnails().size(), 250, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(browser.Pending(), 0, 20000);
        QCOMPARE(browser.Thumbnails().last()->pos(), TfrmImgBrowser::kOrigin + QPoint(0, 83 * 58));
        QVERIFY(ShowsPicture(browser.Thumbnails().last()));
    }

    void insertAsLinkIsRelativeAndOneUndoStep()
    {
        TFakeHost host;
        TfrmImgBrowser browser(host, &host.window);
        const QString picture = Save(QStringLiteral("links/pics/logo.png"));
        host.documentPath = m_dir.filePath(QStringLiteral("links/site/page.html"));
        host.edit->SetText(u"see HERE now");
        host.edit->SetBlockBegin(BufferCoord(5, 1));
        host.edit->SetBlockEnd(BufferCoord(9, 1));
        browser.SetMenuFile(picture);
        MenuAction(browser, "InsertasLink1")->trigger();
        QCOMPARE(host.Text(), QStringLiteral("see ../pics/logo.png now"));
        host.edit->Undo();
        QCOMPARE(host.Text(), QStringLiteral("see HERE now"));

        host.hasDocument = false;
        MenuAction(browser, "InsertasLink1")->trigger();
        QCOMPARE(host.errors, QStringList{QStringLiteral("No HTML-File opened")});
    }

    void deleteAsksAndMovesToTheTrash()
    {
        TFakeHost host;
        TfrmImgBrowser browser(host, &host.window);
        const QString keep = Save(QStringLiteral("del/keep.png"));
        const QString victim = Save(QStringLiteral("del/victim.png"));
        browser.AddImage(QFileInfo(keep));
        browser.AddImage(QFileInfo(victim));

        // Declined: nothing happens to the file or the thumbnail.
        browser.SetMenuFile(victim);
        MenuAction(browser, "Delete1")->trigger();
        QCOMPARE(host.questions.size(), 1);
        QVERIFY(host.questions.first().contains(QStringLiteral("victim.png")));
        QVERIFY(QFile::exists(victim));
        QCOMPARE(browser.Thumbnails().size(), 2);

        // Accepted: the file goes to the trash and its thumbnail away.
        host.answerYes = true;
        MenuAction(browser, "Delete1")->trigger();
        QVERIFY(!QFile::exists(victim));
        QVERIFY(QFile::exists(m_trashHome.filePath(QStringLiteral("share/Trash/files/victim.png"))));
        QCOMPARE(browser.Thumbnails().size(), 1);
        QCOMPARE(browser.Thumbnails().first()->toolTip(), QDir::toNativeSeparators(keep));
        QVERIFY(host.errors.isEmpty());

        // A file gone meanwhile: the failure is reported, the thumbnail stays.
        QVERIFY(QFile::remove(keep));
        browser.SetMenuFile(keep);
        MenuAction(browser, "Delete1")->trigger();
        QCOMPARE(host.errors.size(), 1);
        QVERIFY(host.errors.first().startsWith(QStringLiteral("Cannot move")));
        QCOMPARE(browser.Thumbnails().size(), 1);
    }

    void openAndPrint()
    {
        TFakeHost host;
        TfrmImgBrowser browser(host, &host.window);
        const QString picture = Save(QStringLiteral("print/p.png"));
        browser.SetMenuFile(picture);
        MenuAction(browser, "Open1")->trigger();
        QCOMPARE(host.openedUrls, QList<QUrl>{QUrl::fromLocalFile(picture)});
        // The fake host opens nothing, which is reported.
        QCOMPARE(host.errors.size(), 1);

        const QString pdf = m_dir.filePath(QStringLiteral("print/out.pdf"));
        bool cancel = true;
        int asked = 0;
        browser.ChoosePrinter = [&](QPrinter &printer) {
            ++asked;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return !cancel;
        };
        MenuAction(browser, "Print1")->trigger();
        QCOMPARE(asked, 1);
        QVERIFY(!QFile::exists(pdf));
        cancel = false;
        MenuAction(browser, "Print1")->trigger();
        QVERIFY(QFileInfo(pdf).size() > 500);

        // No picture: said so, and no printer is asked for.
        browser.SetMenuFile(Write(QStringLiteral("print/x.jpg"), "text"));
        MenuAction(browser, "Print1")->trigger();
        QCOMPARE(asked, 2);
        QCOMPARE(host.errors.size(), 2);
    }

    void properties_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("pixels");
        QTest::addColumn<QString>("type");
        QTest::newRow("png") << Save(QStringLiteral("props/a.png")) << "100 x 60"
                             << "PNG";
        QTest::newRow("JPG by content") << Save(QStringLiteral("props/b.JPG"), "JPEG") << "100 x 60"
                                        << "JPEG";
        QTest::newRow("html") << Write(QStringLiteral("props/c.html"), "<p></p>") << "not a picture"
                              << "HTML";
        QTest::newRow("text named jpg") << Write(QStringLiteral("props/d.jpg"), "plain") << "not a picture"
                                        << "JPEG";
    }
    void properties()
    {
        QFETCH(QString, path);
        QFETCH(QString, pixels);
        QFETCH(QString, type);
        TFakeHost host;
        TfrmImgBrowser browser(host, &host.window);
        QMap<QString, QString> shown;
        browser.ShowProperties = [&](QDialog &dialog) {
            for (QLabel *l : dialog.findChildren<QLabel *>())
                if (!l->objectName().isEmpty())
                    shown.insert(l->objectName(), l->text());
        };
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
        browser.SetMenuFile(path);
        MenuAction(browser, "Properties1")->trigger();
        const QFileInfo info(path);
        QCOMPARE(shown.value(QStringLiteral("lblName")), info.fileName());
        QCOMPARE(shown.value(QStringLiteral("lblFolder")), QDir::toNativeSeparators(info.absolutePath()));
        QVERIFY(shown.value(QStringLiteral("lblSize")).endsWith(QStringLiteral(" bytes")));
        QCOMPARE(shown.value(QStringLiteral("lblPixels")), pixels);
        QVERIFY2(shown.value(QStringLiteral("lblType")).contains(type, Qt::CaseInsensitive),
                 qPrintable(shown.value(QStringLiteral("lblType"))));
        QCOMPARE(shown.value(QStringLiteral("lblPermissions")), QStringLiteral("rw-r-----"));
    }

    void doubleClickOpensTheViewer()
    {
        TFakeHost host;
        TfrmImgBrowser browser(host, &host.window);
        const QString picture = Save(QStringLiteral("dbl/v.png"));
        browser.AddImage(QFileInfo(picture));
        QTest::mouseDClick(browser.Thumbnails().first(), Qt::LeftButton);
        QWidget *viewer = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->windowTitle() == QStringLiteral("[Viewer] - ") + picture)
                viewer = w;
        QVERIFY(viewer);
        delete viewer;
    }

    void toggleShowsHidesAndFollowsTheFolder()
    {
        TFakeHost host;
        const QString a = m_dir.filePath(QStringLiteral("toggleA"));
        const QString b = m_dir.filePath(QStringLiteral("toggleB"));
        for (int i = 0; i < 2; ++i)
            Save(QStringLiteral("toggleA/a%1.png").arg(i));
        for (int i = 0; i < 5; ++i)
            Save(QStringLiteral("toggleB/b%1.gif").arg(i));
        TImageBrowserCommands commands(host, nullptr);
        QString folder = a;
        QList<bool> pressed;
        commands.SelectedFolder = [&] { return folder; };
        commands.ShowPressed = [&](bool down) { pressed << down; };
        QAction *action = host.FindAction(QStringLiteral("ImageBrowser1"));
        QVERIFY(action && action->isCheckable());
        QVERIFY(!commands.Browser());

        action->trigger();
        TfrmImgBrowser *browser = commands.Browser();
        QVERIFY(browser && browser->isVisible());
        QCOMPARE(browser->windowTitle(), QStringLiteral("Image Browser"));
        QCOMPARE(browser->Thumbnails().size(), 2);
        QVERIFY(action->isChecked());
        QCOMPARE(pressed, QList<bool>{true});

        // A folder change while shown refills.
        folder = b;
        commands.FolderChanged(b);
        QCOMPARE(browser->Thumbnails().size(), 5);

        action->trigger();
        QVERIFY(browser->isHidden());
        QVERIFY(!action->isChecked());
        QCOMPARE(pressed.last(), false);
        // Hidden: no refill.
        commands.FolderChanged(a);
        QCOMPARE(browser->Thumbnails().size(), 5);

        // Shown again: the same browser, refilled with the selected folder.
        folder = a;
        action->trigger();
        QCOMPARE(commands.Browser(), browser);
        QCOMPARE(browser->Thumbnails().size(), 2);
        QCOMPARE(pressed.last(), true);

        // Closed by its own button: both buttons come up.
        browser->close();
        QVERIFY(!action->isChecked());
        QCOMPARE(pressed.last(), false);
        delete browser;
    }
};

QTEST_MAIN(TestImageBrowser)
#include "tst_imagebrowser.moc"
