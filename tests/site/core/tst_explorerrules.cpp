// What the explorer does with a file by its name, and the markup it writes.
#include "site/core/explorerrules.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Explorer;

Q_DECLARE_METATYPE(Explorer::TClickAction)

class TestExplorerRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void clicks_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<TClickAction>("action");
        QTest::newRow("page") << "/s/index.html" << TClickAction::OpenDocument;
        QTest::newRow("page in capitals") << "/s/INDEX.HTM" << TClickAction::OpenDocument;
        QTest::newRow("picture") << "/s/photo.JPG" << TClickAction::PreviewPicture;
        QTest::newRow("png") << "/s/a.png" << TClickAction::PreviewPicture;
        QTest::newRow("style sheet") << "/s/site.css" << TClickAction::HidePreview;
        QTest::newRow("no extension") << "/s/README" << TClickAction::HidePreview;
        QTest::newRow("htc source") << "/s/page.htc" << TClickAction::HidePreview;
    }
    void clicks()
    {
        QFETCH(QString, path);
        QFETCH(TClickAction, action);
        QCOMPARE(ClickAction(path), action);
        QCOMPARE(IsInsertablePicture(path), action == TClickAction::PreviewPicture);
    }

    void markup_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("documentDir");
        QTest::addColumn<QString>("link");
        QTest::newRow("same folder") << "/s/b.html"
                                     << "/s"
                                     << "<a href=\"b.html\">b.html</a>";
        QTest::newRow("sub folder") << "/s/img/p.gif"
                                    << "/s"
                                    << "<a href=\"img/p.gif\">p.gif</a>";
        QTest::newRow("up a folder") << "/s/b.html"
                                     << "/s/sub"
                                     << "<a href=\"../b.html\">b.html</a>";
    }
    void markup()
    {
        QFETCH(QString, path);
        QFETCH(QString, documentDir);
        QFETCH(QString, link);
        QCOMPARE(LinkMarkup(path, documentDir), link);
        QCOMPARE(ImageTag(QStringLiteral("/s/img/photo.JPG")), QStringLiteral("<img src=\"photo.JPG\" alt=\"\">"));
    }

    void filters()
    {
        QCOMPARE(Filters().size(), 4);
        QVERIFY(Filters().at(0).Masks.isEmpty()); // everything
        QVERIFY(Filters().at(1).Masks.contains(QStringLiteral("*.gif")));
        QVERIFY(!Filters().at(1).Masks.contains(QStringLiteral("*.html")));
        QCOMPARE(Filters().at(2).Masks, (QStringList{"*.htm", "*.html"}));
        QVERIFY(Filters().at(3).Masks.contains(QStringLiteral("*.html")) && Filters().at(3).Masks.contains("*.jpg"));
        QCOMPARE(SizeText(640, 480), QStringLiteral("640 X 480"));
    }

    void specialFolders()
    {
        QTemporaryDir home;
        QDir(home.path()).mkpath(QStringLiteral("Desktop"));
        const QList<TSpecialFolder> f = SpecialFolders(home.path(), home.filePath(QStringLiteral("Desktop")),
                                                       home.filePath(QStringLiteral("none")));
        QCOMPARE(f.at(0).Path, home.filePath(QStringLiteral("Desktop")));
        QCOMPARE(f.at(1).Path, QDir::rootPath());
        QCOMPARE(f.at(2).Path, home.path()); // no documents folder: home instead
        QVERIFY(f.at(4).Path.isEmpty());     // no trash kept yet
    }
};

QTEST_APPLESS_MAIN(TestExplorerRules)
#include "tst_explorerrules.moc"
