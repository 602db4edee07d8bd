// The quick start wizard on a page: the skeleton of an empty page, the head of an existing one
// completed in place, a second run that only retitles, and what is read back.
#include "assistants/core/quickstartcode.h"

#include <QTest>

using namespace QuickStart;

namespace {

// Pages are written with \n here; the wizard sees and writes CR LF.
QString Crlf(QString text)
{
    return text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
}

QString Lf(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

TFields Titled(const QString &title, int docType = 1)
{
    TFields f;
    f.Title = title;
    f.DocType = DocTypes().at(docType);
    return f;
}

} // namespace

class TestQuickStartCode : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void emptyPageBecomesTheSkeleton()
    {
        const TResult r = Complete(QString(), Titled(QStringLiteral("Home")));
        const QString expected = Crlf(DocTypes().at(1)
                                      + QStringLiteral("\n<html>\n<head>\n       <title>Home</title>\n</head>\n"
                                                       "<body>\n\n</body>\n</html>"));
        QCOMPARE(r.Text, expected);
        // The caret waits on the empty line inside the body.
        QCOMPARE(r.Text.mid(r.Caret, 9), QStringLiteral("\r\n</body>"));
    }

    void pageTwoEntriesGoIntoTheHead()
    {
        TFields f = Titled(QStringLiteral("Home"));
        f.RefreshSeconds = 5;
        f.RefreshUrl = QStringLiteral("next.html");
        f.Keywords = QStringLiteral("tea, \"green\"");
        f.Description = QStringLiteral("About tea");
        QCOMPARE(Lf(Complete(QString(), f).Text),
                 DocTypes().at(1)
                     + QStringLiteral("\n<html>\n<head>\n       <title>Home</title>\n"
                                      "<meta http-equiv=\"refresh\" content=\"5; URL=next.html\">\n"
                                      "<meta name=\"keywords\" content=\"tea, &quot;green&quot;\">\n"
                                      "<meta name=\"description\" content=\"About tea\">\n"
                                      "</head>\n<body>\n\n</body>\n</html>"));
    }

    void refreshNeedsSecondsAndAnAddress_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("url");
        QTest::newRow("no address") << 5 << "";
        QTest::newRow("blank address") << 5 << "  ";
        QTest::newRow("no seconds") << 0 << "next.html";
    }
    void refreshNeedsSecondsAndAnAddress()
    {
        QFETCH(int, seconds);
        QFETCH(QString, url);
        TFields f = Titled(QStringLiteral("Home"));
        f.RefreshSeconds = seconds;
        f.RefreshUrl = url;
        QCOMPARE(Complete(QString(), f).Text, Complete(QString(), Titled(QStringLiteral("Home"))).Text);
    }

    void aSecondRunOnlyRetitles()
    {
        TFields first = Titled(QStringLiteral("Home"), 0);
        first.Keywords = QStringLiteral("tea");
        first.RefreshSeconds = 3;
        first.RefreshUrl = QStringLiteral("a.html");
        QString page = Complete(QString(), first).Text;
        page.replace(QStringLiteral("<body>\r\n\r\n"), QStringLiteral("<body>\r\n<p>Text</p>\r\n"));

        // What the wizard reads back is what it wrote.
        const TFields read = ReadPage(page);
        QCOMPARE(read.Title, QStringLiteral("Home"));
        QCOMPARE(read.DocType, DocTypes().at(0).trimmed());
        QCOMPARE(read.Keywords, QStringLiteral("tea"));
        QCOMPARE(read.RefreshSeconds, 3);
        QCOMPARE(read.RefreshUrl, QStringLiteral("a.html"));

        TFields second = read;
        second.Title = QStringLiteral("Start");
        second.DocType = DocTypes().at(3);
        const TResult again = Complete(page, second);
        QString expected = page;
        // The blanks the first type ends in stay behind it: the type is read up to its ">".
        expected.replace(DocTypes().at(0).trimmed(), DocTypes().at(3));
        expected.replace(QStringLiteral("<title>Home</title>"), QStringLiteral("<title>Start</title>"));
        QCOMPARE(again.Text, expected);
        QCOMPARE(again.Caret, -1);
        QCOMPARE(Complete(again.Text, second).Text, again.Text);
    }

    void existingPagesAreCompletedInPlace_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("completed");
        QTest::newRow("capital head: no second head")
            << "<HTML>\n<HEAD>\n<TITLE>Old</TITLE>\n</HEAD>\n<BODY>\n<p>x</p>\n</BODY>\n</HTML>"
            << "<DT>\n<HTML>\n<HEAD>\n<title>New</title>\n</HEAD>\n<BODY>\n<p>x</p>\n</BODY>\n</HTML>";
        QTest::newRow("html with attributes and a header element")
            << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n  "
               "<title>Old</title>\n</head>\n<body>\n<header>h</header>\n"
               "</body>\n</html>"
            << "<DT>\n<html lang=\"en\">\n<head>\n  <title>New</title>\n</head>\n<body>\n<header>h</header>\n"
               "</body>\n</html>";
        QTest::newRow("a fragment is wrapped")
            << "<p>Hello</p>"
            << "<DT>\n<html>\n<head>\n       <title>New</title>\n</head>\n<body>\n\n<p>Hello</p>\n</body>\n</html>";
        QTest::newRow("head without a title gets it after <head>")
            << "<html><head>\n<meta charset=\"utf-8\">\n</head>\n<body></body></html>"
            << "<DT>\n<html><head>\n       <title>New</title>\n<meta charset=\"utf-8\">\n</head>\n<body></body></html>";
        QTest::newRow("missing </head> goes before the body")
            << "<html>\n<head>\n<title>Old</title>\n<body>\nx\n</body>\n</html>"
            << "<DT>\n<html>\n<head>\n<title>New</title>\n</head>\n<body>\nx\n</body>\n</html>";
        QTest::newRow("missing </body> goes before </html>")
            << "<html><head><title>Old</title></head><body>x</html>"
            << "<DT>\n<html><head><title>New</title></head><body>x\n</body>\n</html>";
        QTest::newRow("title without its end tag")
            << "<html><head>\n<title>Old\n</head><body></body></html>"
            << "<DT>\n<html><head>\n<title>New</title>\n</head><body></body></html>";
        QTest::newRow("doctype left open")
            << "<!DOCTYPE html\n<html><head><title>Old</title></head><body></body></html>"
            << "<DT>\n<html><head><title>New</title></head><body></body></html>";
        QTest::newRow("doctype over two lines")
            << "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\"\n   \"http://www.w3.org/TR/html4/strict.dtd\">\n"
               "<html><head><title>Old</title></head><body></body></html>"
            << "<DT>\n<html><head><title>New</title></head><body></body></html>";
    }
    void existingPagesAreCompletedInPlace()
    {
        QFETCH(QString, page);
        QFETCH(QString, completed);
        TFields f;
        f.Title = QStringLiteral("New");
        f.DocType = QStringLiteral("<!DOCTYPE x>");
        const QString result = Lf(Complete(Crlf(page), f).Text);
        completed.replace(QStringLiteral("<DT>"), f.DocType);
        QCOMPARE(result, completed);
    }

    void existingMetaTagsAreReplacedNotDoubled()
    {
        const QString page = Crlf(QStringLiteral("<html>\n<head>\n<title>T</title>\n"
                                                 "<META NAME=\"Keywords\" CONTENT=\"old\">\n"
                                                 "</head>\n<body>\n</body>\n</html>"));
        TFields f = ReadPage(page);
        QCOMPARE(f.Keywords, QStringLiteral("old"));
        f.Keywords = QStringLiteral("new");
        f.Description = QStringLiteral("d");
        QCOMPARE(Lf(Complete(page, f).Text),
                 QStringLiteral("<html>\n<head>\n<title>T</title>\n<meta name=\"keywords\" content=\"new\">\n"
                                "<meta name=\"description\" content=\"d\">\n</head>\n<body>\n</body>\n</html>"));
    }

    void metaContentsReadAsTypedAndKeptAsWritten()
    {
        TFields f = Titled(QStringLiteral("T"));
        f.Description = QStringLiteral("The \"Tea Room\"");
        QCOMPARE(ReadPage(Complete(QString(), f).Text).Description, f.Description);
        const QString single = Crlf(QStringLiteral("<html><head><title>T</title>\n"
                                                   "<meta name=description content='Say \"hi\"'>\n"
                                                   "</head><body></body></html>"));
        const TFields read = ReadPage(single);
        QCOMPARE(read.Description, QStringLiteral("Say \"hi\""));
        QCOMPARE(Complete(single, read).Text, single);
    }

    void pageReadBack_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("docType");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("url");
        QTest::newRow("nothing") << "<p>x</p>"
                                 << ""
                                 << "" << 0 << "";
        QTest::newRow("title up to a tag") << "<TITLE>Tea <b>time</b></TITLE>"
                                           << "Tea "
                                           << "" << 0 << "";
        QTest::newRow("title up to the line break") << "<title>Tea\ntime</title>"
                                                    << "Tea"
                                                    << "" << 0 << "";
        QTest::newRow("title with attributes") << "<title lang=en>Tea</title>"
                                               << "Tea"
                                               << "" << 0 << "";
        QTest::newRow("doctype any case") << "<!doctype html>\n<html>"
                                          << ""
                                          << "<!doctype html>" << 0 << "";
        QTest::newRow("refresh") << "<meta http-equiv=\"Refresh\" content=\"10;url=b.html\">"
                                 << ""
                                 << "" << 10 << "b.html";
        QTest::newRow("refresh without address") << "<meta http-equiv=refresh content=10>"
                                                 << ""
                                                 << "" << 0 << "";
    }
    void pageReadBack()
    {
        QFETCH(QString, page);
        QFETCH(QString, title);
        QFETCH(QString, docType);
        QFETCH(int, seconds);
        QFETCH(QString, url);
        const TFields f = ReadPage(Crlf(page));
        QCOMPARE(f.Title, title);
        QCOMPARE(f.DocType, docType);
        QCOMPARE(f.RefreshSeconds, seconds);
        QCOMPARE(f.RefreshUrl, url);
    }
};

QTEST_APPLESS_MAIN(TestQuickStartCode)
#include "tst_quickstartcode.moc"
