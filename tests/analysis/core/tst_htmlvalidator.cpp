// Tests of the validator: tag data, unknown tags, missing end tags, and link collection.
#include "analysis/core/htmlvalidator.h"

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
    void tagData();
    void tagDataFailures();
    void validate_data();
    void validate();
    void endTagsMatchTheWalkingRule();
    void tagReading_data();
    void tagReading();
    void isLocal_data();
    void isLocal();
    void links_data();
    void links();
    void linksLeaveCurrentDirectory();
};

void TestHTMLValidator::tagData()
{
    THTMLValidator validator;
    QCOMPARE(validator.GetVersion(), QStringLiteral("Quillworks HTML Validator V. 0.1"));
    validator.LoadTagData(TagDataFile);
    QCOMPARE(validator.TagData(), (QStringList{"BR", "IMG", "P", "LI", "B", "TABLE", "A", "I", "p"}));
    QCOMPARE(validator.NoEndTagCount(), 4);
    validator.LoadTagData(TagDataFile);
    QCOMPARE(validator.NoEndTagCount(), 4);
    QVERIFY(validator.IsKnownTag("img"));
    QVERIFY(validator.IsKnownTag("!--x"));
    QVERIFY(!validator.IsKnownTag("blink"));
    QVERIFY(validator.NeedsEndTag("table"));
    QVERIFY(!validator.NeedsEndTag("br"));
    QVERIFY(!validator.NeedsEndTag("P"));  // its first listing has no "/"
    QVERIFY(!validator.NeedsEndTag("blink"));
}

void TestHTMLValidator::tagDataFailures()
{
    THTMLValidator none;
    QVERIFY_THROWS_EXCEPTION(ENoTagDataLoaded, none.Validate("<b>"));
    QCOMPARE(none.Tags().size(), 0);
    try {
        none.Validate("<b>");
    } catch (const ENoTagDataLoaded &e) {
        QCOMPARE(e.Message(), QStringLiteral("No Tag Data loaded!"));
    }

    QTemporaryDir dir;
    const QString missing = dir.filePath("nothere.dat");
    THTMLValidator validator;
    try {
        validator.LoadTagData(missing);
        QFAIL("a missing tag data file loaded");
    } catch (const EFileOpenError &e) {
        QVERIFY(e.Message().contains(missing));
    }

    const QString empty = dir.filePath("empty.dat");
    QFile file(empty);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\n\r\n\n");
    file.close();
    validator.LoadTagData(empty);
    QVERIFY(validator.TagData().isEmpty());
    QVERIFY_THROWS_EXCEPTION(ENoTagDataLoaded, validator.Validate("<b>"));
}

void TestHTMLValidator::validate_data()
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
    QTest::newRow("comment") << "<!-- note -->" << QStringList();
    QTest::newRow("comment without blanks") << "<!--note-->" << QStringList();
    QTest::newRow("unknown on line 0") << "<blink>x</blink>"
        << QStringList{Unknown(0, "blink"), Unknown(0, "blink")};
    QTest::newRow("lines counted by CR LF") << "<p>\r\n\r\n<x>" << QStringList{Unknown(2, "x")};
    QTest::newRow("lines counted by LF or CR") << "a\nb\rc\n<x>" << QStringList{Unknown(3, "x")};
    QTest::newRow("a tag's line is that of its >") << "<x\r\ny=1>" << QStringList{Unknown(1, "x")};
    QTest::newRow("name ends at a line break") << "<a\r\nhref=x>y</a>" << QStringList();
    QTest::newRow("empty name") << "<>" << QStringList{Unknown(0, "")};
    QTest::newRow("> in running text adds no tag") << "<b>a > b</b>" << QStringList();
    QTest::newRow("> inside a value") << "<a title=\"x>y\">t</a>" << QStringList();
    QTest::newRow("unknown and open in order") << "<table>\r\n<font>\r\n<i>"
        << QStringList{NoEnd(0, "table"), Unknown(1, "font"), NoEnd(2, "i")};
    QTest::newRow("unterminated tag is no tag") << "x <b" << QStringList();
    QTest::newRow("self-closing tags") << "<br/><a name=x/><b /><TABLE/>" << QStringList();
    QTest::newRow("self-closing tag takes no end tag") << "<b><b/></b>" << QStringList();
    QTest::newRow("self-closing unknown tag") << "<x/>" << QStringList{Unknown(0, "x")};
}

void TestHTMLValidator::validate()
{
    QFETCH(QString, text);
    QFETCH(QStringList, errors);
    THTMLValidator validator;
    validator.LoadTagData(TagDataFile);
    validator.Validate(text);
    QCOMPARE(ErrorsOf(validator), errors);
    for (int i = 0; i < validator.ErrorCount(); ++i)
        QVERIFY(validator.GetError(i).Msg.startsWith(QString::number(validator.GetError(i).Line) + ':'));
}

// The one-pass matching must give the same answers as walking on from every tag.
void TestHTMLValidator::endTagsMatchTheWalkingRule()
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

void TestHTMLValidator::tagReading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("isEndTag");
    QTest::addColumn<QStringList>("params");

    QTest::newRow("plain") << "<p>" << "p" << false << QStringList();
    QTest::newRow("end tag") << "</TD>" << "TD" << true << QStringList();
    QTest::newRow("parameters as written") << "<IMG SRC=\"a b.gif\"  Alt=x>" << "IMG" << false
        << QStringList{"SRC=\"a b.gif\"", "Alt=x"};
    QTest::newRow("single-quoted value") << "<a title='a b' x=it's>" << "a" << false
        << QStringList{"title='a b'", "x=it's"};
    QTest::newRow("attributes on lines of their own") << "<img\r\n  src=x\r\n\talt=\"\">" << "img"
        << false << QStringList{"src=x", "alt=\"\""};
    QTest::newRow("comment") << "<!-- a b -->" << "!--" << false << QStringList{"a", "b", "--"};
    QTest::newRow("self-closing") << "<br/>" << "br" << false << QStringList();
    QTest::newRow("self-closing with parameters") << "<img src=\"a.gif\"/>" << "img" << false
        << QStringList{"src=\"a.gif\""};
    QTest::newRow("slash in a value") << "<a href=/x/>" << "a" << false << QStringList{"href=/x"};
    QTest::newRow("end tag is not self-closing") << "</b/>" << "b/" << true << QStringList();
}

void TestHTMLValidator::tagReading()
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
    QCOMPARE(tag.Line(), 7);
}

void TestHTMLValidator::isLocal_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("local");

    QTest::newRow("relative file") << "a.html" << true;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("fragment") << "page.html#top" << true;
    QTest::newRow("HTTP: in capitals") << "HTTP://example.org/" << false;
    QTest::newRow("https") << "https://example.org/" << false;
    QTest::newRow("http: anywhere") << "go.html?to=http://x" << false;
    QTest::newRow("WWW at the start") << "WWW.example.org" << false;
    QTest::newRow("www later is a file") << "docs/www.html" << true;
    QTest::newRow("mailto") << "mailto:me@example.org" << false;
    QTest::newRow("gopher") << "gopher://x" << false;
    QTest::newRow("javascript") << "javascript:void(0)" << false;
    QTest::newRow("data") << "data:image/png;base64,AAAA" << false;
    QTest::newRow("file URL") << "file:///tmp/x.html" << true;
    QTest::newRow("drive letter") << "c:/pages/x.html" << true;
}

void TestHTMLValidator::isLocal()
{
    QFETCH(QString, url);
    QFETCH(bool, local);
    QCOMPARE(THTMLValidator::IsLocal(url), local);
}

void TestHTMLValidator::links_data()
{
    QTest::addColumn<QString>("text");
    // "URL | file name relative to the folder, or = for the URL itself | status | tag | line"
    QTest::addColumn<QStringList>("links");

    QTest::newRow("double-quoted href") << "<a href=\"a.html\">x</a>"
        << QStringList{"a.html | a.html | broken | a | 0"};
    QTest::newRow("existing image") << "<IMG SRC=\"img/pic.gif\">"
        << QStringList{"img/pic.gif | img/pic.gif | ok | IMG | 0"};
    QTest::newRow("single-quoted value") << "<img src='img/pic.gif'>"
        << QStringList{"img/pic.gif | img/pic.gif | ok | img | 0"};
    QTest::newRow("background on a later line") << "<html>\r\n<body background=img/pic.gif>"
        << QStringList{"img/pic.gif | img/pic.gif | ok | body | 1"};
    QTest::newRow("empty href is the page itself") << "<a href=>" << QStringList{" |  | ok | a | 0"};
    QTest::newRow("fragment names the page") << "<a href=\"page.html#top\">"
        << QStringList{"page.html#top | page.html | ok | a | 0"};
    QTest::newRow("fragment alone") << "<a href=\"#top\">" << QStringList{"#top |  | ok | a | 0"};
    QTest::newRow("query cut off") << "<form><a href=page.html?x=1>"
        << QStringList{"page.html?x=1 | page.html | ok | a | 0"};
    QTest::newRow("escaped blank") << "<img src=\"my%20pic.gif\">"
        << QStringList{"my%20pic.gif | my pic.gif | ok | img | 0"};
    QTest::newRow("remote") << "<a href=\"http://example.org/a.gif\">"
        << QStringList{"http://example.org/a.gif | = | remote | a | 0"};
    QTest::newRow("parent folder") << "<a href=\"../x.html\">"
        << QStringList{"../x.html | ../x.html | broken | a | 0"};
    QTest::newRow("only src, href and background, in order")
        << "<img lowsrc=a.gif src=img/pic.gif HREF=a.html Background=b.gif srcset=c.gif>"
        << QStringList{"img/pic.gif | img/pic.gif | ok | img | 0", "a.html | a.html | broken | img | 0",
                       "b.gif | b.gif | broken | img | 0"};
    QTest::newRow("self-closing tag") << "<img src=\"img/pic.gif\"/>"
        << QStringList{"img/pic.gif | img/pic.gif | ok | img | 0"};
    QTest::newRow("no links") << "<p>plain</p>" << QStringList();
}

void TestHTMLValidator::links()
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

    THTMLValidator validator;
    validator.CheckLinks(text, site + '/');
    QStringList got;
    for (int i = 0; i < validator.LinkCount(); ++i) {
        const TLink &link = validator.GetLink(i);
        QString file = link.FileName;
        if (!link.IsLocal)
            file = file == link.URL ? QStringLiteral("=") : file;
        else
            file = QDir(site).relativeFilePath(file).replace(QRegularExpression("^\\.$"), QString());
        const QString status = !link.IsLocal ? "remote" : link.Exists ? "ok" : "broken";
        got << QStringLiteral("%1 | %2 | %3 | %4 | %5").arg(link.URL, file, status, link.TagName).arg(link.Line);
        if (link.IsLocal)
            QVERIFY(QFileInfo(link.FileName).isAbsolute());
    }
    QCOMPARE(got, links);
}

void TestHTMLValidator::linksLeaveCurrentDirectory()
{
    QTemporaryDir dir;
    QFile file(dir.filePath("here.html"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QString before = QDir::currentPath();
    THTMLValidator validator;
    validator.CheckLinks("<a href=here.html>", dir.path());
    QCOMPARE(QDir::currentPath(), before);
    QCOMPARE(validator.LinkCount(), 1);
    QVERIFY(validator.GetLink(0).Exists);
}

QTEST_GUILESS_MAIN(TestHTMLValidator)
#include "tst_htmlvalidator.moc"
