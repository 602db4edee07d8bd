// The explorer page as a user reaches it: folders, filters, the preview, images and links.
#include "aids/core/myrichedit.h"
#include "site/ui/explorerpage.h"
#include "windowharness.h"

#include <QAbstractItemModel>
#include <QFileSystemModel>
#include <QImage>
#include <QMimeData>
#include <QTreeView>

class TestExplorerPage : public QObject
{
    Q_OBJECT

    TWindowHarness h;
    TExplorerPage *E() { return h.Window->ExplorerPage(); }
    QString Site() { return h.Dir.filePath(QStringLiteral("site")); }
    QStringList Listed()
    {
        QTreeView *list = E()->FileList();
        QAbstractItemModel *model = list->model();
        QStringList names;
        for (int i = 0; i < model->rowCount(list->rootIndex()); ++i)
            names << model->index(i, 0, list->rootIndex()).data().toString();
        names.sort();
        return names;
    }
    QModelIndex IndexOf(const QString &name)
    {
        auto *model = qobject_cast<QFileSystemModel *>(E()->FileList()->model());
        return model->index(Site() + u'/' + name);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QDir().mkpath(h.Dir.filePath(QStringLiteral("site/img")));
        QImage red(30, 20, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(h.Dir.filePath(QStringLiteral("site/photo.JPG")), "JPG"));
        h.Write(QStringLiteral("site/index.html"), "<p>home</p>");
        h.Write(QStringLiteral("site/notes.txt"), "text");
        h.Write(QStringLiteral("site/broken.png"), "not a picture");
    }
    void init() { QVERIFY(h.Start()); }
    void cleanup() { h.Stop(); }

    void foldersAndFilters()
    {
        E()->SelectFolder(Site());
        QTRY_COMPARE(Listed(), (QStringList{"broken.png", "index.html", "notes.txt", "photo.JPG"}));
        E()->SetFilter(2);
        QTRY_COMPARE(Listed(), QStringList{"index.html"});
        E()->SetFilter(1);
        QTRY_COMPARE(Listed(), (QStringList{"broken.png", "photo.JPG"}));
        E()->SetFilter(3);
        QTRY_COMPARE(Listed().size(), 3);
        // A file made meanwhile shows up.
        E()->SetFilter(0);
        h.Write(QStringLiteral("site/later.html"), "x");
        QTRY_VERIFY(Listed().contains(QStringLiteral("later.html")));
        QFile::remove(Site() + QStringLiteral("/later.html"));
    }

    void clicksPreviewAndInsert()
    {
        TMyRichEdit *edit = h.Window->ActiveEditor();
        E()->SelectFolder(Site());
        E()->FileClicked(Site() + QStringLiteral("/photo.JPG"));
        QVERIFY(E()->PreviewVisible());
        QCOMPARE(E()->PreviewSizeText(), QStringLiteral("30 X 20"));
        // Not a picture after all: the status bar says so and the preview keeps the last one.
        E()->FileClicked(Site() + QStringLiteral("/broken.png"));
        QCOMPARE(E()->PreviewPath(), Site() + QStringLiteral("/photo.JPG"));
        E()->FileClicked(Site() + QStringLiteral("/notes.txt"));
        QVERIFY(!E()->PreviewVisible());

        E()->FileActivated(Site() + QStringLiteral("/photo.JPG"));
        QVERIFY(edit->Text().startsWith(QStringLiteral("<img src=\"photo.JPG\" alt=\"\">")));
        E()->FileActivated(Site() + QStringLiteral("/notes.txt"));
        QCOMPARE(h.Opened, QList<QUrl>{QUrl::fromLocalFile(Site() + QStringLiteral("/notes.txt"))});
        E()->FileClicked(Site() + QStringLiteral("/index.html"));
        QCOMPARE(QFileInfo(h.Window->ActiveDocumentPath()).fileName(), QStringLiteral("index.html"));
    }

    void draggedFilesBecomeRelativeLinks()
    {
        h.Window->OpenFile(Site() + QStringLiteral("/index.html"));
        E()->SelectFolder(Site());
        QTRY_VERIFY(IndexOf(QStringLiteral("photo.JPG")).isValid());
        std::unique_ptr<QMimeData> mime(E()->FileList()->model()->mimeData({IndexOf(QStringLiteral("photo.JPG"))}));
        QVERIFY(!mime->hasUrls()); // a link, not a document to open
        QCOMPARE(mime->text(), QStringLiteral("<a href=\"photo.JPG\">photo.JPG</a>"));
    }

    void pictureWithoutADocument()
    {
        while (h.Window->PageControl1()->count() > 0)
            delete h.Window->PageControl1()->widget(0);
        h.Window->RunGuarded([&] { E()->FileActivated(Site() + QStringLiteral("/photo.JPG")); });
        QCOMPARE(h.Messages, QStringList{QStringLiteral("No HTML-File opened")});
    }
};

QTEST_MAIN(TestExplorerPage)
#include "tst_explorerpage.moc"
