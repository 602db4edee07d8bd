// Tests of the validator: tag data, unknown tags, missing end tags, and link collection.
#include "analysis/core/htmlvalidator.h"
#include "../../currenthtml.h"

#include <QtTest>

namespace {

const QString TagDataFile = QStringLiteral(TAGFORGE_TEST_DATA "/tags.dat");

QStringList ErrorsOf(const THTMLValidator &validator)
{
    QStringList out;
    for (int i = 0; i < validator.ErrorCount(); ++i)
        out << validator.GetError(i).Msg;
    return out;
}

QString NoEnd(int line, const QString &name)
{
    return QStringLiteral("%1: Tag \"%2\" has no end tag ( missing </%2> )").arg(line).arg(name);
}

QString Unknown(int line, const QString &name)
{
    return QStringLiteral("%1: unknown Tag \"%2\"").arg(line).arg(name);
}

// The rule as first stated: walk on from the tag, counting its name up for start tags and down for
// end tags; it has an end tag as soon as the count drops below 1.
bool HasEndTagByWalking(const QList<THTMLTag> &tags, int i)
{
    int depth = 0;
    for (int j = i; j < tags.size(); ++j) {
        if (tags[j].Name().compare(tags[i].Name(), Qt::CaseInsensitive) != 0)
            continue;
        depth += tags[j].IsEndTag() ? -1 : 1;
        if (depth < 1)
            return true;
    }
    return false;
}

} // namespace

class TestHTMLValidator : public QObject
{
    Q_OBJECT

private slots:
    void tagData()
    {
        THTMLValidator validator;
        QVERIFY_THROWS_EXCEPTION(ENoTagDataLoaded, validator.Validate("<b>"));
        validator.LoadTagData(TagDataFile);
        validator.LoadTagData(TagDataFile); // loading again replaces, it does not add
        QCOMPARE(validator.TagData(), (QStringList{"BR", "IMG", "P", "LI", "B", "TABLE", "A", "I", "p"}));
        QCOMPARE(validator.NoEndTagCount(), 4);
        QVERIFY(validator.NeedsEndTag("table"));
        QVERIFY(!validator.NeedsEndTag("P")); // its first listing has no "/"
        QVERIFY(!validator.NeedsEndTag("blink"));
    }

    void validate_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("errors");

        QTest::newRow("<P>a<P>b") << "<P>a<P>b" << QStringList();
        QTest::newRow("<TABLE> alone") << "<TABLE>" << QStringList{NoEnd(0, "TABLE")};
        QTest::newRow("<b><b></b>: the first is open") << "<b><b></b>" << QStringList{NoEnd(0, "b")};
        QTest::newRow("nested pairs") << "<b><b></b></b>" << QStringList();
        QTest::newRow("</b> alone") << "</b>" << QStringList();
        QTest::newRow("end tag before start tag") << "<b></b></b><b>" << QStringList{NoEnd(0, "b")};
        QTest::newRow("case does not matter") << "<B>x</b><ImG SrC=x.gif>" << QStringList();
        QTest::newRow("comments") << "<!-- note --><!--note-->" << QStringList();
        QTest::newRow("unknown on line 0")
            << "<blink>x</blink>" << QStringList{Unknown(0, "blink"), Unknown(0, "blink")};
        QTest::newRow("lines counted by CR LF, LF or CR") << "<p>\r\n\n\r<x>" << QStringList{Unknown(3, "x")};
        QTest::newRow("a tag's line is that of its >") << "<x\r\ny=1>" << QStringList{Unknown(1, "x")};
        QTest::newRow("empty name") << "<>" << QStringList{Unknown(0, "")};
        QTest::newRow("> in running text adds no tag") << "<b>a > b</b>" << QStringList();
        QTest::newRow("unknown and open in order")
            << "<table>\r\n<font>\r\n<i>" << QStringList{NoEnd(0, "table"), Unknown(1, "font"), NoEnd(2, "i")};
        QTest::newRow("self-closing tags") << "<br/><a name=x/><b><b /></b><TABLE/>" << QStringList();
        QTest::newRow("e-mail address in a comment")
            << "<!-- Mail <me@example.org> --><x>" << QStringList{Unknown(0, "x")};
        QTest::newRow("comment over lines still counts them")
            << "<!--\r\n<y>\r\n-->\r\n<x>" << QStringList{Unknown(3, "x")};
        QTest::newRow("empty comment <!-->") << "<!--><x>" << QStringList{Unknown(0, "x")};
        QTest::newRow("unclosed comment hides the rest") << "<!-- <x>\r\n<y>" << QStringList();
        // The fixture's tag data knows neither script nor style.
        QTest::newRow("script contents") << "<script>var a = new Array<string>(); if (a<b) x();</script><x>"
                                         << QStringList{Unknown(0, "script"), Unknown(0, "script"), Unknown(0, "x")};
        QTest::newRow("style contents, end tag in capitals")
            << "<style>a<b {}</STYLE>" << QStringList{Unknown(0, "style"), Unknown(0, "STYLE")};
        QTest::newRow("self-closing script has no contents")
            << "<script src=x/><blink>" << QStringList{Unknown(0, "script"), Unknown(0, "blink")};
        QTest::newRow("XML declaration and processing instruction")
            << "<?xml version=\"1.0\"?><?php echo 1 ?>" << QStringList();
        QTest::newRow("declarations and CDATA") << "<!DOCTYPE html><![CDATA[ a <b> c ]]>" << QStringList();
        QTest::newRow("inline svg is foreign content")
            << "<svg viewBox=\"0 0 1 1\"><g><path d=\"M0 0\"/><circle r=1></circle></g><svg><rect/></svg></svg>"
            << QStringList();
        QTest::newRow("MathML is foreign content")
            << "<math><mi>x</mi><mo>=</mo><mn>2</mn></math><x>" << QStringList{Unknown(0, "x")};
        QTest::newRow("names of one length, one after the other") << "<a><i></a><b></i></b></I>" << QStringList();
        QTest::newRow("the same name in two spellings") << "<TABLE></table><Table>" << QStringList{NoEnd(0, "Table")};
        QTest::newRow("svg element outside svg is unknown") << "<path d=x>" << QStringList{Unknown(0, "path")};
    }

    void validate()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, errors);
        THTMLValidator validator;
        validator.LoadTagData(TagDataFile);
        validator.Validate(text);
        QCOMPARE(ErrorsOf(validator), errors);
        for (int i = 0; i < validator.ErrorCount(); ++i) {
            const TError &error = validator.GetError(i);
            QVERIFY(error.Msg.startsWith(QString::number(error.Line) + ':'));
            QCOMPARE(text.mid(error.Offset, 1), QStringLiteral("<"));
            QCOMPARE(error.IsEndTag, text.mid(error.Offset, 2) == QStringLiteral("</"));
            QVERIFY(error.Msg.contains(QLatin1Char('"') + error.Name + QLatin1Char('"')));
        }
    }

    // The one-pass matching must give the same answers as walking on from every tag.
    void endTagsMatchTheWalkingRule()
    {
        QRandomGenerator random(20240601);
        const QStringList spellings{"b", "B", "i", "a"};
        for (int round = 0; round < 2000; ++round) {
            QString text;
            const int count = random.bounded(1, 14);
            for (int k = 0; k < count; ++k)
                text += (random.bounded(2) ? "</" : "<") + spellings[random.bounded(4)] + '>';
            THTMLValidator validator;
            validator.LoadTagData(TagDataFile);
            validator.Validate(text);
            QStringList expected;
            for (int i = 0; i < validator.Tags().size(); ++i) {
                if (!HasEndTagByWalking(validator.Tags(), i))
                    expected << NoEnd(0, validator.Tags()[i].Name().toString());
            }
            QVERIFY2(ErrorsOf(validator) == expected, qPrintable(text));
        }
    }

    // Tags are found a block of characters at a time: a tag or a line break may sit anywhere in a
    // block, straddle two blocks or fall in the short rest at the end of the text.
    void tagsAndLinesAtEveryOffset()
    {
        for (int pad = 0; pad < 40; ++pad) {
            const QString a(pad, u'a');
            const QString text =
                a + "<p class=x>" + a + "\r\n" + a.left(pad % 7) + "<br>x > y\n\r" + a + "</p>" + a + "\n<" + a;
            THTMLValidator validator;
            validator.LoadTagData(TagDataFile);
            validator.Validate(text);
            const QList<THTMLTag> &tags = validator.Tags();
            QCOMPARE(tags.size(), 3);
            QCOMPARE(tags[0].Name().toString(), QStringLiteral("p"));
            QCOMPARE(tags[0].Line(), 0);
            QCOMPARE(tags[0].Params(), QStringList{"class=x"});
            QCOMPARE(tags[1].Name().toString(), QStringLiteral("br"));
            QCOMPARE(tags[1].Line(), 1);
            QCOMPARE(tags[2].Name().toString(), QStringLiteral("p"));
            QVERIFY(tags[2].IsEndTag());
            QCOMPARE(tags[2].Line(), 3);
            QCOMPARE(validator.ErrorCount(), 0);
        }
    }

    void tagReading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("isEndTag");
        QTest::addColumn<QStringList>("params");

        QTest::newRow("end tag") << "</TD>"
                                 << "TD" << true << QStringList();
        QTest::newRow("parameters as written") << "<IMG SRC=\"a b.gif\"  Alt=x>"
                                               << "IMG" << false << QStringList{"SRC=\"a b.gif\"", "Alt=x"};
        QTest::newRow("single-quoted value") << "<a title='a b' x=it's>"
                                             << "a" << false << QStringList{"title='a b'", "x=it's"};
        QTest::newRow("attributes on lines of their own") << "<img\r\n  src=x\r\n\talt=\"\">"
                                                          << "img" << false << QStringList{"src=x", "alt=\"\""};
        QTest::newRow("self-closing") << "<img src=\"a.gif\"/>"
                                      << "img" << false << QStringList{"src=\"a.gif\""};
        QTest::newRow("slash in a value") << "<a href=/x/>"
                                          << "a" << false << QStringList{"href=/x"};
        QTest::newRow("end tag is not self-closing") << "</b/>"
                                                     << "b/" << true << QStringList();
        QTest::newRow("blanks around =") << "<a href = \"x y\" b\r\n=\r\nc d= 'e f' g>"
                                         << "a" << false
                                         << QStringList{"href = \"x y\"", "b\r\n=\r\nc", "d= 'e f'", "g"};
        QTest::newRow("blank before >") << "<a href= >"
                                        << "a" << false << QStringList{"href="};
    }

    void tagReading()
    {
        QFETCH(QString, text);
        QFETCH(QString, name);
        QFETCH(bool, isEndTag);
        QFETCH(QStringList, params);
        const THTMLTag tag(QStringView(text), 7);
        QCOMPARE(tag.Name().toString(), name);
        QCOMPARE(tag.IsEndTag(), isEndTag);
        QCOMPARE(tag.IsSelfClosing(), !isEndTag && text.endsWith("/>"));
        QCOMPARE(tag.Params(), params);
        QCOMPARE(tag.ParamCount(), int(params.size()));
        for (int i = 0; i <= params.size(); ++i)
            QCOMPARE(tag.GetParam(i), params.value(i));
    }

    void isLocal_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("local");

        QTest::newRow("relative file") << "a.html" << true;
        QTest::newRow("HTTP: in capitals") << "HTTP://example.org/" << false;
        QTest::newRow("http: anywhere") << "go.html?to=http://x" << false;
        QTest::newRow("WWW at the start") << "WWW.example.org" << false;
        QTest::newRow("mailto") << "mailto:me@example.org" << false;
        QTest::newRow("javascript") << "javascript:void(0)" << false;
        QTest::newRow("file URL") << "file:///tmp/x.html" << true;
        QTest::newRow("drive letter") << "c:/pages/x.html" << true;
        QTest::newRow("network path") << "//cdn.example/x.js" << false;
        QTest::newRow("root-relative path") << "/x.js" << true;
    }

    void isLocal()
    {
        QFETCH(QString, url);
        QFETCH(bool, local);
        QCOMPARE(THTMLValidator::IsLocal(url), local);
    }

    void links_data()
    {
        QTest::addColumn<QString>("text");
        // "URL | file relative to the page's folder (= for the URL itself) | status | tag | line"
        QTest::addColumn<QStringList>("links");

        QTest::newRow("missing file") << "<a href=\"a.html\">x</a>" << QStringList{"a.html | a.html | broken | a | 0"};
        QTest::newRow("single quotes, later line")
            << "<html>\r\n<IMG SRC='img/pic.gif'/>" << QStringList{"img/pic.gif | img/pic.gif | ok | IMG | 1"};
        QTest::newRow("empty href is the page's folder") << "<a href=>" << QStringList{" |  | ok | a | 0"};
        QTest::newRow("page.html#top names page.html")
            << "<a href=\"page.html#top\">" << QStringList{"page.html#top | page.html | ok | a | 0"};
        QTest::newRow("query and escapes")
            << "<a href=my%20pic.gif?x=1>" << QStringList{"my%20pic.gif?x=1 | my pic.gif | ok | a | 0"};
        QTest::newRow("remote") << "<a href=\"http://example.org/a.gif\">"
                                << QStringList{"http://example.org/a.gif | = | remote | a | 0"};
        QTest::newRow("only src, href and background, in order")
            << "<body lowsrc=a.gif src=../x.gif HREF=a.html Background=img/pic.gif>"
            << QStringList{"../x.gif | ../x.gif | broken | body | 0", "a.html | a.html | broken | body | 0",
                           "img/pic.gif | img/pic.gif | ok | body | 0"};
        QTest::newRow("link names elsewhere in a tag are no links")
            << "<td title=\"a src=b.gif\" class=src data-href =x><p>src=y.gif</p><IMG SRC=\"img/pic.gif\">"
            << QStringList{"img/pic.gif | img/pic.gif | ok | IMG | 0"};
        QTest::newRow("commented-out link") << "<!-- <a href=\"gone.html\"> -->" << QStringList();
        QTest::newRow("markup written by a script") << "<script>w('<a href=gone.html>')</script>" << QStringList();
        QTest::newRow("script from another host") << "<script src=\"//cdn.example/x.js\"></script>"
                                                  << QStringList{"//cdn.example/x.js | = | remote | script | 0"};
        QTest::newRow("the same link under tag names that change")
            << "<a href=x.html><A href=x.html><img src=x.html>\r\n<a href=page.html><a href=x.html>"
            << QStringList{"x.html | x.html | broken | a | 0", "x.html | x.html | broken | A | 0",
                           "x.html | x.html | broken | img | 0", "page.html | page.html | ok | a | 1",
                           "x.html | x.html | broken | a | 1"};
        QTest::newRow("blanks around =") << "<a href = \"page.html\"><img\r\nsrc\r\n=\r\n'img/pic.gif'>"
                                         << QStringList{"page.html | page.html | ok | a | 0",
                                                        "img/pic.gif | img/pic.gif | ok | img | 3"};
    }

    // Links resolve against the page's folder; the process's current directory stays as it was.
    void links()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, links);
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath("site/img"));
        const QString site = root.filePath("site");
        for (const char *name : {"site/page.html", "site/img/pic.gif", "site/my pic.gif"}) {
            QFile file(root.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }

        const QString cwd = QDir::currentPath();
        THTMLValidator validator;
        validator.CheckLinks(text, site + '/');
        QCOMPARE(QDir::currentPath(), cwd);
        QStringList got;
        for (int i = 0; i < validator.LinkCount(); ++i) {
            const TLink &link = validator.GetLink(i);
            QString file = QStringLiteral("=");
            if (link.IsLocal) {
                QVERIFY(QFileInfo(link.FileName).isAbsolute());
                file = link.FileName == site ? QString() : QDir(site).relativeFilePath(link.FileName);
            } else {
                QCOMPARE(link.FileName, link.URL);
            }
            const QString status = !link.IsLocal ? "remote" : link.Exists ? "ok" : "broken";
            got << QStringLiteral("%1 | %2 | %3 | %4 | %5").arg(link.URL, file, status, link.TagName).arg(link.Line);
        }
        QCOMPARE(got, links);
    }

    // With the shipped tag data, every current element passes in a valid page: those that need
    // an end tag with theirs, void ones alone, and inline SVG and MathML with their own elements.
    void currentElementsPassWithShippedData_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : kCurrentHtmlElements)
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void currentElementsPassWithShippedData()
    {
        QFETCH(QString, name);
        THTMLValidator validator;
        validator.LoadTagData(QStringLiteral(TAGFORGE_SOURCE_DIR "/Data/tags.dat"));
        const QString element = validator.NeedsEndTag(name)
                                    ? QStringLiteral("<%1 class=x>\r\n%2\r\n</%1>")
                                          .arg(name, name == "svg"    ? "<path d=\"M0 0\"/><g><circle r=1></circle></g>"
                                                     : name == "math" ? "<mrow><mi>x</mi></mrow>"
                                                                      : "<span>x</span>")
                                    : QStringLiteral("<%1 id=x>").arg(name);
        const QString page = QStringLiteral("<!DOCTYPE html>\r\n<?xml-stylesheet href=\"a.css\"?>\r\n"
                                            "<html lang=en>\r\n<body>\r\n%1\r\n</body>\r\n</html>\r\n")
                                 .arg(element);
        validator.Validate(page);
        QVERIFY2(validator.ErrorCount() == 0,
                 qPrintable(validator.ErrorCount() ? validator.GetError(0).Msg : QString()));
        // The same element misspelt is caught.
        THTMLValidator misspelt;
        misspelt.LoadTagData(QStringLiteral(TAGFORGE_SOURCE_DIR "/Data/tags.dat"));
        misspelt.Validate(QStringLiteral("<%1x>").arg(name));
        QCOMPARE(misspelt.ErrorCount(), 1);
    }
};

QTEST_GUILESS_MAIN(TestHTMLValidator)
#include "tst_htmlvalidator.moc"
