// Tests of the HTML parser: records, positions, parameter splitting and text decoding.
#include "analysis/core/htmlparser.h"

#include <QtTest>

namespace {

// "tag NAME start end" with " | PARAMNAME=VALUE start end" per parameter, or "text TEXT start end".
QStringList Describe(const THTMLParser &parser)
{
    QStringList out;
    for (const auto &item : parser.Items()) {
        if (const auto *tag = dynamic_cast<const THPHTMLTag *>(item.get())) {
            QString line = QStringLiteral("tag %1 %2 %3").arg(tag->Name()).arg(tag->StartPos()).arg(tag->EndPos());
            for (const THPHTMLParam &p : tag->Params())
                line += QStringLiteral(" | %1=%2 %3 %4")
                            .arg(p.Name(), p.Value().toString())
                            .arg(p.StartPos())
                            .arg(p.EndPos());
            out << line;
        } else if (const auto *text = dynamic_cast<const THPHTMLText *>(item.get())) {
            out << QStringLiteral("text %1 %2 %3").arg(text->Text()).arg(text->StartPos()).arg(text->EndPos());
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
    THPHTMLText record;
    record.Parse(raw);
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
    for (const auto &item : parser.Items()) {
        const auto *tag = dynamic_cast<const THPHTMLTag *>(item.get());
        if (!tag)
            continue;
        QCOMPARE(doc.mid(tag->StartPos() - 1, tag->EndPos() - tag->StartPos()), "<" + tag->Raw().toString() + ">");
        for (const THPHTMLParam &p : tag->Params()) {
            QCOMPARE(doc.mid(p.StartPos() - 1, p.EndPos() - p.StartPos()), p.Raw().toString());
            ++checked;
        }
    }
    QVERIFY(checked > 0);
}

QTEST_GUILESS_MAIN(TestHTMLParser)
#include "tst_htmlparser.moc"
