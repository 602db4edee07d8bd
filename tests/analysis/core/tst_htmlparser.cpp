// Tests of the HTML parser: records, positions, parameter splitting and text decoding.
#include "analysis/core/htmlparser.h"

#include <QtTest>

namespace {

// "tag NAME start end" with " | PARAMNAME=VALUE start end" per parameter, or "text TEXT start end".
QStringList Describe(const THTMLParser &parser)
{
    QStringList out;
    for (const THPHTMLItem &item : parser.Items()) {
        if (item.IsTag()) {
            const THPHTMLTag tag = item.Tag();
            QString line = QStringLiteral("tag %1 %2 %3").arg(tag.Name()).arg(tag.StartPos()).arg(tag.EndPos());
            for (const THPHTMLParam &p : tag.Params())
                line += QStringLiteral(" | %1=%2 %3 %4")
                            .arg(p.Name(), p.Value().toString())
                            .arg(p.StartPos())
                            .arg(p.EndPos());
            out << line;
        } else {
            const THPHTMLText text = item.Text();
            out << QStringLiteral("text %1 %2 %3").arg(text.Text()).arg(text.StartPos()).arg(text.EndPos());
        }
    }
    return out;
}

QStringList Parse(const QStringList &lines)
{
    THTMLParser parser;
    parser.SetLines(lines);
    parser.Execute();
    return Describe(parser);
}

} // namespace

class TestHTMLParser : public QObject
{
    Q_OBJECT

private slots:
    void records_data();
    void records();
    void textDecoding_data();
    void textDecoding();
    void rangesSelectTheirText_data();
    void rangesSelectTheirText();
    void recordsPastBlockAndPieceBounds();
    void recordLongerThanAPiece();
    void parseFreedAndRedone();
    void secondRunContinuesThePositions();
};

void TestHTMLParser::records_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("one empty line") << QStringList{QString()} << QStringList();
    QTest::newRow("<p>Hello</p>") << QStringList{"<p>Hello</p>"}
                                  << QStringList{"tag P 1 4", "text Hello 4 9", "tag /P 9 13"};
    QTest::newRow("quoted blank does not split")
        << QStringList{"<IMG SRC=\"a b.gif\" alt=x>"} << QStringList{"tag IMG 1 26 | SRC=a b.gif 6 19 | ALT=x 20 25"};
    QTest::newRow("two blanks make no empty parameter")
        << QStringList{"<a  href=x>"} << QStringList{"tag A 1 12 | HREF=x 5 11"};
    QTest::newRow("empty quoted value") << QStringList{"<x value=\"\">"} << QStringList{"tag X 1 13 | VALUE= 4 12"};
    QTest::newRow("lone quote stays") << QStringList{"<x value=\">"} << QStringList{"tag X 1 12 | VALUE=\" 4 11"};
    QTest::newRow("single quotes have no meaning")
        << QStringList{"<a title='a b'>"} << QStringList{"tag A 1 16 | TITLE='a 4 12 | B'= 13 15"};
    QTest::newRow("tab does not separate") << QStringList{"<br\tclear=all>"} << QStringList{"tag BR\tCLEAR=ALL 1 15"};
    QTest::newRow("line break inside a tag separates its name from a parameter")
        << QStringList{"<a", "href=x>"} << QStringList{"tag A 1 12 | HREF=x 5 11"};
    QTest::newRow("tag over three lines keeps exact positions")
        << QStringList{"<img", "src=a", "alt=b>"} << QStringList{"tag IMG 1 20 | SRC=a 7 12 | ALT=b 14 19"};
    QTest::newRow("> in text, then text over lines")
        << QStringList{"x > y", "z<p>"} << QStringList{"tag  2 4", "text x y z 1 9", "tag P 9 12"};
    // The ">" yields an empty tag first; the last line's line feed becomes a trailing blank.
    QTest::newRow("a > b in running text") << QStringList{"a > b"} << QStringList{"tag  2 4", "text a b  1 6"};
    QTest::newRow("unterminated tag at the end") << QStringList{"<b"} << QStringList{"tag B 1 4"};
    QTest::newRow("text over lines") << QStringList{"<p>one", "two</p>"}
                                     << QStringList{"tag P 1 4", "text one two 4 12", "tag /P 12 16"};
    QTest::newRow("second < inside a tag is dropped") << QStringList{"<a <b>"} << QStringList{"tag A 2 7 | B= 5 6"};
    QTest::newRow("no lines") << QStringList() << QStringList();
    QTest::newRow("empty lines") << QStringList{QString(), QString()} << QStringList();
    QTest::newRow("empty lines between tags make no text")
        << QStringList{"<p>", "", "<b>"} << QStringList{"tag P 1 4", "tag B 8 11"};
    QTest::newRow("quoted value broken over lines")
        << QStringList{"<a title=\"x", "y\" href=z>"} << QStringList{"tag A 1 24 | TITLE=x  y 4 16 | HREF=z 17 23"};
    QTest::newRow("text over three lines") << QStringList{"<p>one", "two", "three</p>"}
                                           << QStringList{"tag P 1 4", "text one two three 4 19", "tag /P 19 23"};
    QTest::newRow("unterminated tag over lines at the end")
        << QStringList{"<a", "href=x"} << QStringList{"tag A 1 12 | HREF=x 5 11"};
    QTest::newRow("> in text over lines")
        << QStringList{"a", "b > c", "d<p>"} << QStringList{"tag  5 7", "text a b c d 1 12", "tag P 12 15"};
}

void TestHTMLParser::records()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, expected);
    QCOMPARE(Parse(lines), expected);
}

void TestHTMLParser::textDecoding_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("text");

    QTest::newRow("&lt;") << "x&lt;y"
                          << "x<y";
    QTest::newRow("names are case-sensitive") << "&AMP;"
                                              << "&AMP;";
    QTest::newRow("&#x41;") << "&#x41;"
                            << "A";
    QTest::newRow("blank-terminated numeric consumes the blank") << "&#65 b"
                                                                 << "Ab";
    QTest::newRow("blank-terminated name stays") << "&amp b"
                                                 << "&amp b";
    QTest::newRow("&#0; is a blank") << "&#0;"
                                     << " ";
    QTest::newRow("decoded once only") << "&amp;lt;"
                                       << "&lt;";
    QTest::newRow("Latin-1 names") << "&copy; &eacute; &yuml;" << QString::fromUtf8("© é ÿ");
    QTest::newRow("name outside the table stays") << "&mdash;"
                                                  << "&mdash;";
    QTest::newRow("a second & restarts") << "&&amp;"
                                         << "&&";
    QTest::newRow("negative stays") << "&#-1;"
                                    << "&#-1;";
    QTest::newRow("low value in four digits stays") << "&#0065;"
                                                    << "&#0065;";
    QTest::newRow("&#8212; decodes") << "&#8212;" << QString(QChar(0x2014));
    QTest::newRow("beyond the BMP") << "&#x1F600;" << QString::fromUtf8("\xF0\x9F\x98\x80");
    QTest::newRow("surrogate stays") << "&#55296;"
                                     << "&#55296;";
    QTest::newRow("line feeds and runs of blanks collapse") << "a\n\n  b   c"
                                                            << "a b c";
    QTest::newRow("tabs are not blanks") << "a\t\tb"
                                         << "a\t\tb";
    QTest::newRow("collapse happens before decoding") << "a&#32;&#32;b"
                                                      << "a  b";
}

void TestHTMLParser::textDecoding()
{
    QFETCH(QString, raw);
    QFETCH(QString, text);
    const THPHTMLText record(raw);
    QCOMPARE(record.Raw().toString(), raw);
    QCOMPARE(record.Text(), text);
}

void TestHTMLParser::rangesSelectTheirText_data()
{
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("tag after text") << QStringList{"some text <img src=\"x y.gif\"  alt=z>"};
    QTest::newRow("on a later line") << QStringList{"<html>", "", "  <a href=\"p.html#top\" name=x>go</a>"};
}

// A single-line tag selects "<...>" and each parameter its own text, in the editor's 1-based
// positions over the text joined with CR LF.
void TestHTMLParser::rangesSelectTheirText()
{
    QFETCH(QStringList, lines);
    const QString doc = lines.join(QStringLiteral("\r\n"));
    THTMLParser parser;
    parser.SetLines(lines);
    parser.Execute();
    int checked = 0;
    for (const THPHTMLItem &item : parser.Items()) {
        if (!item.IsTag())
            continue;
        const THPHTMLTag tag = item.Tag();
        QCOMPARE(doc.mid(tag.StartPos() - 1, tag.EndPos() - tag.StartPos()), "<" + tag.Raw().toString() + ">");
        for (const THPHTMLParam &p : tag.Params()) {
            QCOMPARE(doc.mid(p.StartPos() - 1, p.EndPos() - p.StartPos()), p.Raw().toString());
            ++checked;
        }
    }
    QVERIFY(checked > 0);
}

// Enough records, parameters and joined text to fill several storage blocks and pieces: every
// record must still read its own text and positions.
void TestHTMLParser::recordsPastBlockAndPieceBounds()
{
    constexpr int count = 70000;
    const QString padding(20, u'x');
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QStringLiteral("<td class=c%1>v%1").arg(i) + padding;
    THTMLParser parser;
    parser.SetLines(lines);
    parser.Execute();
    QCOMPARE(parser.Count(), 2 * count);
    int lineStart = 0;
    for (int i = 0; i < count; ++i) {
        const QString &line = lines.at(i);
        const THPHTMLItem tagItem = parser.Items()[2 * i];
        const THPHTMLItem textItem = parser.Items()[2 * i + 1];
        QVERIFY(tagItem.IsTag());
        QVERIFY(!textItem.IsTag());
        const THPHTMLTag tag = tagItem.Tag();
        const int close = int(line.indexOf(u'>'));
        QCOMPARE(tag.StartPos(), lineStart + 1);
        QCOMPARE(tag.EndPos(), lineStart + close + 2);
        QCOMPARE(tag.Raw(), QStringView(line).mid(1, close - 1));
        const THPHTMLParams params = tag.Params();
        QCOMPARE(params.size(), 1);
        QCOMPARE(params[0].Value(), QStringLiteral("c%1").arg(i));
        QCOMPARE(params[0].StartPos(), lineStart + 5);
        // The text runs on to the next line's "<" (the last one to the end): its line feed is kept.
        const THPHTMLText text = textItem.Text();
        QCOMPARE(text.Raw().toString(), line.mid(close + 1) + u'\n');
        QCOMPARE(text.StartPos(), lineStart + close + 2);
        lineStart += int(line.size()) + 2;
        if (QTest::currentTestFailed()) {
            qWarning("record pair %d", i);
            return;
        }
    }
}

// A text over lines longer than a piece of joined text, between two short ones.
void TestHTMLParser::recordLongerThanAPiece()
{
    const QString longText(1500000, u'w');
    const QStringList lines{"<p>a", "b<p>" + longText, longText + "<p>c", "d"};
    THTMLParser parser;
    parser.SetLines(lines);
    parser.Execute();
    QCOMPARE(parser.Count(), 6);
    QCOMPARE(parser.Items()[1].Raw().toString(), QStringLiteral("a\nb"));
    QCOMPARE(parser.Items()[3].Raw().toString(), longText + u'\n' + longText);
    QCOMPARE(parser.Items()[5].Raw().toString(), QStringLiteral("c\nd\n"));
    QCOMPARE(parser.Items()[4].Tag().StartPos(), parser.Items()[3].EndPos());
}

void TestHTMLParser::parseFreedAndRedone()
{
    const QStringList lines{"<html>", "<a href=\"p.html\"", " name=x>go", "on</a>", "&amp; more"};
    QStringList first;
    {
        auto parser = std::make_unique<THTMLParser>();
        parser->SetLines(lines);
        parser->Execute();
        first = Describe(*parser);
    }
    QVERIFY(first.size() >= 5);
    QCOMPARE(Parse(lines), first);
}

// The documented rule: a second run over the same lines appends records whose positions go on
// from where the first run ended.
void TestHTMLParser::secondRunContinuesThePositions()
{
    THTMLParser parser;
    parser.SetLines({"<p>a"});
    parser.Execute();
    parser.Execute();
    QCOMPARE(Describe(parser), (QStringList{"tag P 1 4", "text a  4 5", "tag P 7 10", "text a  10 11"}));
}

QTEST_GUILESS_MAIN(TestHTMLParser)
#include "tst_htmlparser.moc"
