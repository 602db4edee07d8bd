// Preview copy names and the external browser's command line.
#include "app/core/preview.h"

#include <QTest>

class TestPreview : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void names_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("preview");
        QTest::addColumn<QString>("exitCopy");
        QTest::newRow("page") << "/site/page.htm"
                              << "/site/~qwpage.htm"
                              << "/site/~qwpage.htm";
        QTest::newRow("include source") << "/site/page.htc"
                                        << "/site/~qwpage.htc.htm"
                                        << "/site/~qwpage.htc";
        // The preview copy of a document never saved must still read as a page in a browser.
        QTest::newRow("untitled uses the fallback") << "Untitled3"
                                                    << "/tmp/x/~qwUntitled3.htm"
                                                    << "/tmp/x/~qwUntitled3";
    }
    void names()
    {
        QFETCH(QString, path);
        QFETCH(QString, preview);
        QFETCH(QString, exitCopy);
        QCOMPARE(Preview::PreviewName(path, QStringLiteral("/tmp/x")), preview);
        QCOMPARE(Preview::ExitCopyName(path, QStringLiteral("/tmp/x")), exitCopy);
    }

    void browserCommand_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QStringList>("args");
        QTest::newRow("defaults quote the url") << "\"file://"
                                                << "\"" << QStringList{"file:///s p/~qwa.htm"};
        QTest::newRow("extra options") << "--new-window \""
                                       << "\" --private" << QStringList{"--new-window", "/s p/~qwa.htm", "--private"};
        QTest::newRow("no quoting splits at blanks") << ""
                                                     << "" << QStringList{"/s", "p/~qwa.htm"};
        QTest::newRow("shell characters stay literal") << "\""
                                                       << ";rm -rf x\"" << QStringList{"/s p/~qwa.htm;rm -rf x"};
    }
    void browserCommand()
    {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QStringList, args);
        const Preview::TCommand c = Preview::ExternalBrowserCommand("firefox", start, "/s p/~qwa.htm", end);
        QCOMPARE(c.Program, QStringLiteral("firefox"));
        QCOMPARE(c.Arguments, args);
    }
};

QTEST_GUILESS_MAIN(TestPreview)
#include "tst_preview.moc"
