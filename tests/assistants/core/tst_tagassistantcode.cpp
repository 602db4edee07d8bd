// The tag assistant's generators and readers: the markup of every page, and tags read back.
#include "assistants/core/tagassistantcode.h"

#include <QTest>

using namespace TagAssistant;

Q_DECLARE_METATYPE(TagAssistant::TCode)

class TestTagAssistantCode : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void colours_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rgb"); // -1: no colour
        QTest::newRow("hash") << "#0080FF" << 0x0080FF;
        QTest::newRow("bare, lower case") << "ff0000" << 0xFF0000;
        QTest::newRow("short") << "#0f8" << 0x00FF88;
        QTest::newRow("name any case") << "NaVy" << 0x000080;
        QTest::newRow("white") << "white" << 0xFFFFFF;
        QTest::newRow("unknown name") << "fuchsia" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("not hex") << "#GG0000" << -1;
        QTest::newRow("too long") << "#12345678" << -1;
    }
    void colours()
    {
        QFETCH(QString, text);
        QFETCH(int, rgb);
        const auto read = HtmlToColor(text);
        QCOMPARE(read.has_value(), rgb >= 0);
        if (rgb >= 0) {
            QCOMPARE(int(*read), rgb);
            QCOMPARE(HtmlToColor(QLatin1Char('#') + ColorToHtml(*read)), read);
        }
    }

    void relativePaths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QString>("expected");
        QTest::newRow("same folder") << "/site/pic.gif"
                                     << "/site"
                                     << "pic.gif";
        QTest::newRow("below") << "/site/img/pic.gif"
                               << "/site"
                               << "img/pic.gif";
        QTest::newRow("beside") << "/site/img/pic.gif"
                                << "/site/pages"
                                << "../img/pic.gif";
        QTest::newRow("two up") << "/a/pic.gif"
                                << "/a/b/c"
                                << "../../pic.gif";
        QTest::newRow("case counts") << "/Site/pic.gif"
                                     << "/site"
                                     << "../Site/pic.gif";
        QTest::newRow("relative kept") << "img/pic.gif"
                                       << "/site"
                                       << "img/pic.gif";
        QTest::newRow("url kept") << "http://x.org/a.gif"
                                  << "/site"
                                  << "http://x.org/a.gif";
        QTest::newRow("empty") << ""
                               << "/site"
                               << "";
    }
    void relativePaths()
    {
        QFETCH(QString, path);
        QFETCH(QString, dir);
        QFETCH(QString, expected);
        QCOMPARE(RelativePath(path, dir), expected);
    }

    void generators_data()
    {
        QTest::addColumn<TCode>("code");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("back");

        TImageFields img;
        img.Source = QStringLiteral("/site/pic.gif");
        QTest::newRow("image, source only")
            << ImageCode(img, QStringLiteral("/site")) << "<img src=\"pic.gif\" width=0 height=0>" << 6;
        img.AbsolutePath = true;
        img.Width = 20;
        img.Height = 10;
        img.Alt = QStringLiteral("a b");
        img.HSpace = 1;
        img.VSpace = 2;
        img.Border = 3;
        img.Align = QStringLiteral("left");
        img.Map = QStringLiteral("#m");
        img.IsMap = true;
        QTest::newRow("image, everything") << ImageCode(img, QStringLiteral("/site"))
                                           << "<img src=\"/site/pic.gif\" width=20 height=10 alt=\"a b\" hspace=1 "
                                              "vspace=2 border=3 align=\"left\" usemap=\"#m\" ismap>"
                                           << 6;

        QTest::newRow("hr defaults") << HrCode({}) << "<hr color=\"#000000\">" << 5;
        QTest::newRow("hr all") << HrCode({50, 4, 0x0080FF, QStringLiteral("right"), true})
                                << "<hr size=50 height=4 color=\"#0080FF\" align=\"right\" noshade>" << 5;
        QTest::newRow("title") << TitleCode(QStringLiteral("Home")) << "<title>Home</title>" << 8;

        QTest::newRow("font, colour by name not written")
            << FontCode({QStringLiteral("Arial"), QStringLiteral("red"), QString()}, QStringLiteral("x"))
            << "<font face=\"Arial\">x</font>" << 7;
        QTest::newRow("font, colour and size")
            << FontCode({QString(), QStringLiteral("#FF0000"), QStringLiteral("+2")}, QString())
            << "<font color=\"#FF0000\" size=\"+2\"></font>" << 7;

        QTest::newRow("paragraph") << ParagraphCode(QStringLiteral("one\r\ntwo"), 2)
                                   << "<p align=\"center\">\r\none\r\ntwo\r\n</p>" << 6;
        QTest::newRow("paragraph, justify, empty")
            << ParagraphCode(QString(), 3) << "<p align=\"justify\">\r\n</p>" << 6;

        QTest::newRow("list, unordered") << ListCode({false, 2, {QStringLiteral("a"), QStringLiteral("b")}})
                                         << "<ul>\r\n<li>a\r\n<li>b\r\n</ul>" << 5;
        QTest::newRow("list, ordered numbers")
            << ListCode({true, 0, {QStringLiteral("a")}}) << "<ol>\r\n<li>a\r\n</ol>" << 5;
        QTest::newRow("list, roman upper") << ListCode({true, 1, {}}) << "<ol start=\"1\" type=\"I\">\r\n</ol>" << 5;
        QTest::newRow("list, alpha lower") << ListCode({true, 4, {}}) << "<ol start=\"1\" type=\"a\">\r\n</ol>" << 5;
        QTest::newRow("list, empty") << ListCode({}) << "<ul>\r\n</ul>" << 5;

        QTest::newRow("form, empty fields")
            << FormCode({}, QString()) << "<form action=\"\" method=\"\" target=\"\"></form>" << 7;
        QTest::newRow("textarea") << TextAreaCode({QStringLiteral("n"), 4, 40, QStringLiteral("VIRTUAL")},
                                                  QStringLiteral("hi"))
                                  << "<textarea name=\"n\" cols=\"40\" rows=\"4\" wrap=\"VIRTUAL\">\r\nhi</textarea>"
                                  << 13;
        QTest::newRow("base, no target") << BaseCode({QStringLiteral("http://x/"), QString()})
                                         << "<base href=\"http://x/\">" << 0;
        QTest::newRow("base, target") << BaseCode({QString(), QStringLiteral("main")})
                                      << "<base href=\"\" target=\"main\">" << 0;

        QTest::newRow("frameset, colour always")
            << FramesetCode({}, QString()) << "<frameset bordercolor=\"#000000\"></frameset>" << 11;
        QTest::newRow("frameset, all")
            << FramesetCode(
                   {QStringLiteral("50%,*"), QStringLiteral("*"), QStringLiteral("0 ( MS, Netscape)"), 2, 3, 0xFFFFFF},
                   QStringLiteral("<frame>"))
            << "<frameset rows=\"50%,*\" cols=\"*\" frameborder=\"0 \" border=\"2\" framespacing=\"3\" "
               "bordercolor=\"#FFFFFF\"><frame></frameset>"
            << 11;

        TFrameFields frame;
        frame.Source = QStringLiteral("/site/nav/menu.html");
        frame.Name = QStringLiteral("nav");
        QTest::newRow("frame, black writes no colour") << FrameCode(frame, QString(), QStringLiteral("/site/pages"))
                                                       << "<frame name=\"nav\" src=\"../nav/menu.html\"></frame>" << 8;
        frame.MarginWidth = 1;
        frame.MarginHeight = 2;
        frame.Scrolling = QStringLiteral("No");
        frame.FrameBorder = QStringLiteral("Yes (Netscape)");
        frame.FrameSpacing = 5;
        frame.NoResize = true;
        frame.Color = 0x008080;
        QTest::newRow("frame, all")
            << FrameCode(frame, QString(), QStringLiteral("/site/nav"))
            << "<frame name=\"nav\" src=\"menu.html\" marginwidth=\"1\" marginheight=\"2\" scrolling=\"No\" "
               "frameborder=\"Yes \" framespacing=\"5\" noresize bordercolor=\"#008080\"></frame>"
            << 8;
    }
    void generators()
    {
        QFETCH(TCode, code);
        QFETCH(QString, text);
        QFETCH(int, back);
        QCOMPARE(code.Text, text);
        QCOMPARE(code.CursorBack, back);
    }

    void attributes_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value"); // "<none>": absent
        QTest::newRow("quoted") << "<img src=\"a b.gif\">"
                                << "src"
                                << "a b.gif";
        QTest::newRow("unquoted") << "<img src=a.gif>"
                                  << "src"
                                  << "a.gif";
        QTest::newRow("upper case") << "<IMG SRC=\"a.gif\" ISMAP>"
                                    << "src"
                                    << "a.gif";
        QTest::newRow("bare flag") << "<IMG SRC=\"a.gif\" ISMAP>"
                                   << "ismap"
                                   << "1";
        QTest::newRow("single quotes") << "<img alt='it is'>"
                                       << "alt"
                                       << "it is";
        QTest::newRow("apostrophe in double quotes") << "<img alt=\"it's\">"
                                                     << "alt"
                                                     << "it's";
        QTest::newRow("empty value is absent") << "<img alt= src=a>"
                                               << "alt"
                                               << "<none>";
        QTest::newRow("quoted empty value") << "<img alt=\"\">"
                                            << "alt"
                                            << "<none>";
        QTest::newRow("not a prefix") << "<img srcset=x>"
                                      << "src"
                                      << "<none>";
        QTest::newRow("stops at >") << "<b>x</b><img src=a>"
                                    << "src"
                                    << "<none>";
        QTest::newRow("across lines") << "<img\r\n  src=\"a.gif\"\r\n  alt=x>"
                                      << "alt"
                                      << "x";
        QTest::newRow("broken quote") << "<img src=\"a.gif>"
                                      << "src"
                                      << "a.gif";
        QTest::newRow("first wins") << "<hr size=1 size=2>"
                                    << "size"
                                    << "1";
    }
    void attributes()
    {
        QFETCH(QString, tag);
        QFETCH(QString, name);
        QFETCH(QString, value);
        const auto read = Attribute(tag, name);
        QCOMPARE(read.value_or(QStringLiteral("<none>")), value);
    }

    void readBack()
    {
        const TImageFields img =
            ReadImage(QStringLiteral("<IMG SRC=\"a.gif\" ISMAP width=\"100%\" height=-3 border=abc>"));
        QCOMPARE(img.Source, QStringLiteral("a.gif"));
        QVERIFY(img.IsMap);
        QCOMPARE(img.Width, 100);
        QCOMPARE(img.Height, 0);
        QCOMPARE(img.Border, 0);
        QCOMPARE(ReadImage(QStringLiteral("<img width=1000000000>")).Width, 9999);
        // Reading then writing gives the tag back.
        const QString tag = QStringLiteral("<img src=\"a.gif\" width=2 height=3 alt=\"x y\" ismap>");
        QCOMPARE(ImageCode(ReadImage(tag), QStringLiteral("/site")).Text, tag);

        const THrFields hr = ReadHr(QStringLiteral("<hr size=3 color=navy align=center noshade>"));
        QCOMPARE(hr.Color, 0x000080u);
        QCOMPARE(HrCode(hr).Text, QStringLiteral("<hr size=3 color=\"#000080\" align=\"center\" noshade>"));

        const TFontFields font = ReadFont(QStringLiteral("<font color=\"red\" size=\"+1234\">"));
        QCOMPARE(font.HtmlColor, QStringLiteral("#FF0000"));
        QCOMPARE(font.Size, QStringLiteral("+12"));

        const TFramesetFields set = ReadFrameset(QStringLiteral("<frameset cols=\"20%,*\" frameborder=0>"));
        QCOMPARE(FramesetCode(set, QString()).Text,
                 QStringLiteral("<frameset cols=\"20%,*\" frameborder=\"0\" bordercolor=\"#000000\"></frameset>"));
        const TFrameFields frame =
            ReadFrame(QStringLiteral("<frame src=\"a.htm\" name=m noresize bordercolor=#FF0000>"));
        QCOMPARE(FrameCode(frame, QString(), QStringLiteral("/x")).Text,
                 QStringLiteral("<frame name=\"m\" src=\"a.htm\" noresize bordercolor=\"#FF0000\"></frame>"));

        const TFormFields form = ReadForm(QStringLiteral("<form action=\"go.cgi\" method=GET>"));
        QCOMPARE(FormCode(form, QStringLiteral("x")).Text,
                 QStringLiteral("<form action=\"go.cgi\" method=\"GET\" target=\"\">x</form>"));
        QCOMPARE(ReadTextArea(QStringLiteral("<textarea rows=3 cols=9 wrap=OFF name=t>")).Cols, 9);
        QCOMPARE(ReadBase(QStringLiteral("<base target=_top>")).Target, QStringLiteral("_top"));
    }

    void lists_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<bool>("ordered");
        QTest::addColumn<int>("numbering");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("unordered") << "<ul>\r\n<li>a\r\n  <li>b\r\n</ul>" << false << 0 << QStringList{"a", "b"};
        QTest::newRow("upper case") << "<UL><LI>a</LI></UL>" << false << 0 << QStringList{"a"};
        QTest::newRow("closed items stay apart")
            << "<ol type=\"i\">\r\n<li>a</li>\r\n<li>b</li>\r\n</ol>" << true << 2 << QStringList{"a", "b"};
        QTest::newRow("inner markup kept")
            << "<ul>\r\n<li><b>bold</b> x\r\n</ul>" << false << 0 << QStringList{"<b>bold</b> x"};
        QTest::newRow("empty") << "<ol>\r\n</ol>" << true << 0 << QStringList{};
    }
    void lists()
    {
        QFETCH(QString, selected);
        QFETCH(bool, ordered);
        QFETCH(int, numbering);
        QFETCH(QStringList, items);
        const TListFields f = ReadList(selected);
        QCOMPARE(f.Ordered, ordered);
        QCOMPARE(f.Numbering, numbering);
        QCOMPARE(f.Items, items);
    }

    void innerTextAndPages()
    {
        QCOMPARE(InnerText(QStringLiteral("<font color=red>hi <b>x</b></font>")), QStringLiteral("hi <b>x</b>"));
        QCOMPARE(InnerText(QStringLiteral("<img src=a.gif>")), QString());
        QCOMPARE(InnerText(QStringLiteral("<p>")), QString());
        QCOMPARE(PageForTag(QStringLiteral("OL")), int(ListPage));
        QCOMPARE(PageForTag(QStringLiteral("IMG")), int(ImagePage));
        QCOMPARE(PageForTag(QStringLiteral("frame")), int(FramePage));
        QCOMPARE(PageForTag(QStringLiteral("p")), -1);
        QCOMPARE(PageInfo(ListPage).Caption, QStringLiteral("Quick List Assistant"));
        QCOMPARE(PageInfo(99).Caption, QStringLiteral("Emptypage"));
        QVERIFY(UnsupportedTagText().contains(QStringLiteral("\r  img, hr, title")));
    }

    void hrPreview_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("align");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("h");
        QTest::addColumn<bool>("forcesCenter");
        QTest::newRow("defaults") << 0 << 0 << "left" << 0 << 418 << 2 << true;
        QTest::newRow("left") << 100 << 5 << "left" << 8 << 100 << 5 << false;
        QTest::newRow("center") << 101 << 1 << "center" << 158 << 101 << 1 << false;
        QTest::newRow("right") << 100 << 1 << "right" << 326 << 100 << 1 << false;
    }
    void hrPreview()
    {
        QFETCH(int, size);
        QFETCH(int, height);
        QFETCH(QString, align);
        QFETCH(int, x);
        QFETCH(int, width);
        QFETCH(int, h);
        QFETCH(bool, forcesCenter);
        const THrPreview p = HrPreview(size, height, align, 434);
        QCOMPARE(p.X, x);
        QCOMPARE(p.Width, width);
        QCOMPARE(p.Height, h);
        QCOMPARE(p.ForcesCenter, forcesCenter);
    }
};

QTEST_APPLESS_MAIN(TestTagAssistantCode)
#include "tst_tagassistantcode.moc"
