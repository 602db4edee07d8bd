// The body assistant's tag: found in a page, read into fields, written back; nothing of an old tag
// is lost on the way.
#include "assistants/core/bodyassistantcode.h"
#include "assistants/core/pagescan.h"

#include <QTest>

using namespace BodyAssistant;

class TestBodyAssistantCode : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaultsGiveABareTag()
    {
        QCOMPARE(BodyCode(TBodyFields(), QStringLiteral("/site")), QStringLiteral("<body>"));
    }

    void navyAndWhiteReadBackAndWrittenInLowerCase()
    {
        const TBodyFields f = ReadBody(u"<BODY BGCOLOR=\"#000080\" TEXT=\"#FFFFFF\">");
        QCOMPARE(f.Background, 0x000080u);
        QCOMPARE(f.Text, 0xFFFFFFu);
        QCOMPARE(f.Link, kDefaultLink);
        QVERIFY(f.Kept.isEmpty());
        QCOMPARE(BodyCode(f, QStringLiteral("/site")), QStringLiteral("<body bgcolor=\"#000080\" text=\"#FFFFFF\">"));
    }

    void everyFieldInItsOrder()
    {
        TBodyFields f;
        f.BackgroundImage = QStringLiteral("/site/images/back.gif");
        f.Watermark = true;
        f.Background = 0x102030;
        f.Text = 0xFFFFFF;
        f.Link = 0x00FF00;
        f.ActiveLink = 0x0000FF;
        f.VisitedLink = 0x808080;
        f.MarginTop = 10;
        f.MarginLeft = 4;
        f.OnLoad = QStringLiteral("start()");
        f.OnUnLoad = QStringLiteral("stop()");
        QCOMPARE(BodyCode(f, QStringLiteral("/site")),
                 QStringLiteral("<body background=\"images/back.gif\" bgproperties=\"fixed\" bgcolor=\"#102030\" "
                                "text=\"#FFFFFF\" link=\"#00FF00\" alink=\"#0000FF\" vlink=\"#808080\" "
                                "topmargin=\"10\" leftmargin=\"4\" onLoad=\"start()\" onUnLoad=\"stop()\">"));
    }

    void backgroundImagePaths_data()
    {
        QTest::addColumn<QString>("image");
        QTest::addColumn<bool>("absolute");
        QTest::addColumn<QString>("documentDir");
        QTest::addColumn<QString>("written");
        QTest::newRow("subfolder") << "/site/images/back.gif" << false << "/site"
                                   << "images/back.gif";
        QTest::newRow("beside") << "/site/images/back.gif" << false << "/site/pages"
                                << "../images/back.gif";
        QTest::newRow("absolute kept") << "/site/images/back.gif" << true << "/site"
                                       << "/site/images/back.gif";
        QTest::newRow("relative as typed") << "images/back.gif" << false << "/elsewhere"
                                           << "images/back.gif";
        QTest::newRow("address") << "http://example.com/b.gif" << false << "/site"
                                 << "http://example.com/b.gif";
    }
    void backgroundImagePaths()
    {
        QFETCH(QString, image);
        QFETCH(bool, absolute);
        QFETCH(QString, documentDir);
        QFETCH(QString, written);
        TBodyFields f;
        f.BackgroundImage = image;
        f.AbsolutePath = absolute;
        QCOMPARE(BodyCode(f, documentDir), QStringLiteral("<body background=\"%1\">").arg(written));
    }

    // What an old tag becomes when OK is pressed without changes.
    void oldTagsRewritten_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("written");
        QTest::newRow("duplicates: the first counts") << "<body bgcolor=\"navy\" BGCOLOR=\"red\" text=white text=red>"
                                                      << "<body bgcolor=\"#000080\" text=\"#FFFFFF\">";
        QTest::newRow("unquoted") << "<body bgcolor=#000080 text=white topmargin=5>"
                                  << "<body bgcolor=\"#000080\" text=\"#FFFFFF\" topmargin=\"5\">";
        QTest::newRow("blanks around =") << "<body bgcolor = \"navy\" >"
                                         << "<body bgcolor=\"#000080\">";
        QTest::newRow("tag over lines") << "<body\r\n  link=\"lime\"\r\n  alink='#0000ff'>"
                                        << "<body link=\"#00FF00\" alink=\"#0000FF\">";
        QTest::newRow("other attributes kept as written")
            << "<body class=\"home\" id=top onresize=\"fit()\" bgcolor=\"#FFFF00\">"
            << "<body bgcolor=\"#FFFF00\" class=\"home\" id=top onresize=\"fit()\">";
        QTest::newRow("margins of 0 kept") << "<body topmargin=\"0\" leftmargin=0>"
                                           << "<body topmargin=\"0\" leftmargin=0>";
        QTest::newRow("margin with a unit kept") << "<body topmargin=\"10px\">"
                                                 << "<body topmargin=\"10px\">";
        QTest::newRow("no colour kept") << "<body bgcolor=\"transparent\" text=\"\">"
                                        << "<body bgcolor=\"transparent\" text=\"\">";
        QTest::newRow("a default colour kept") << "<body text=\"#000000\" vlink=purple>"
                                               << "<body text=\"#000000\" vlink=purple>";
        QTest::newRow("bare attribute kept") << "<body onload>"
                                             << "<body onload>";
        QTest::newRow("watermark") << "<body background=\"back.gif\" bgproperties=\"FIXED\">"
                                   << "<body background=\"back.gif\" bgproperties=\"fixed\">";
        QTest::newRow("other bgproperties kept") << "<body bgproperties=\"scroll\">"
                                                 << "<body bgproperties=\"scroll\">";
        QTest::newRow("script with double quotes") << "<body onload='alert(\"hi\")' onunload=\"bye('x')\">"
                                                   << "<body onLoad='alert(\"hi\")' onUnLoad=\"bye('x')\">";
        QTest::newRow("script with a >") << "<body onload=\"if (a > b) go()\">"
                                         << "<body onLoad=\"if (a > b) go()\">";
    }
    void oldTagsRewritten()
    {
        QFETCH(QString, tag);
        QFETCH(QString, written);
        const BodyAssistant::TTagSpan span = FindBodyTag(tag);
        QCOMPARE(span.Start, 0);
        QCOMPARE(span.End, tag.size());
        QCOMPARE(BodyCode(ReadBody(tag), QStringLiteral("/site")), written);
    }

    void aChangedFieldReplacesTheKeptAttribute()
    {
        TBodyFields f = ReadBody(u"<body bgcolor=\"transparent\" topmargin=0 class=x>");
        f.Background = 0xFF0000;
        f.MarginTop = 3;
        QCOMPARE(BodyCode(f, QString()), QStringLiteral("<body bgcolor=\"#FF0000\" topmargin=\"3\" class=x>"));
    }

    void bodyTagFound_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::newRow("none") << "<html><p>body</p></html>" << -1 << -1;
        QTest::newRow("tbody is no body") << "<table><tbody><tr></tr></tbody></table>" << -1 << -1;
        QTest::newRow("bodyguard is no body") << "<bodyguard>" << -1 << -1;
        QTest::newRow("plain") << "<head></head><body>x" << 13 << 19;
        QTest::newRow("capitals") << "<BODY BGCOLOR=red>" << 0 << 18;
        QTest::newRow("> in quotes") << "<body onload=\"a>b\">x" << 0 << 19;
        QTest::newRow("left open before a tag") << "<body bgcolor=red\r\n<p>x</p>" << 0 << 17;
        QTest::newRow("left open at the end") << "x<body \r\n" << 1 << 6;
        QTest::newRow("quote left open") << "<body onload=\"x>\r\n<p>" << 0 << 16;
    }
    void bodyTagFound()
    {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, end);
        const BodyAssistant::TTagSpan span = FindBodyTag(text);
        QCOMPARE(int(span.Start), start);
        if (start >= 0)
            QCOMPARE(int(span.End), end);
    }

    void splices_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("removed");
        QTest::addColumn<QString>("inserted");
        QTest::newRow("same") << "abc"
                              << "abc" << 3 << 0 << "";
        QTest::newRow("middle") << "<b>old</b>"
                                << "<b>new</b>" << 3 << 3 << "new";
        QTest::newRow("from nothing") << ""
                                      << "a\r\nb" << 0 << 0 << "a\r\nb";
        QTest::newRow("line added at the end") << "a"
                                               << "a\r\nb" << 1 << 0 << "\r\nb";
        QTest::newRow("never between CR and LF") << "a\r\nb"
                                                 << "a\r\r\nb" << 1 << 0 << "\r";
        QTest::newRow("suffix keeps the pair") << "a\n"
                                               << "b\r\n"
                                               << 0 << 2 << "b\r\n";
    }
    void splices()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(int, start);
        QFETCH(int, removed);
        QFETCH(QString, inserted);
        const PageScan::TSplice s = PageScan::Difference(before, after);
        QCOMPARE(int(s.Start), start);
        QCOMPARE(int(s.Removed), removed);
        QCOMPARE(s.Inserted, inserted);
        QString applied = before;
        applied.replace(s.Start, s.Removed, s.Inserted);
        QCOMPARE(applied, after);
    }
};

QTEST_APPLESS_MAIN(TestBodyAssistantCode)
#include "tst_bodyassistantcode.moc"
