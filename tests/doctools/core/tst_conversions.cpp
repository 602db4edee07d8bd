// The character table's line rules and the conversions built on it, including their one-pass
// results against the row-by-row rules they replace.
#include "doctools/core/charactertable.h"
#include "doctools/core/textconversions.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Conversions;

class TestConversions : public QObject
{
    Q_OBJECT

    static QList<TCharacterRow> Table()
    {
        return ParseCharacterTable({QStringLiteral("& &amp; ampersand"), QStringLiteral("< &lt; less-than"),
                                    QStringLiteral("é &eacute; e acute"), QStringLiteral("É &Eacute; E acute"),
                                    QStringLiteral("© &copy; copyright"), QStringLiteral("ß &szlig; sharp s")});
    }

private Q_SLOTS:
    void tableLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("row"); // character, entity, name; empty: no row
        QTest::newRow("three fields") << "é &eacute; e acute" << QStringList{"é", "&eacute;", "e acute"};
        QTest::newRow("trimmed first") << "  \t© &copy; copyright sign \r"
                                       << QStringList{"©", "&copy;", "copyright sign"};
        QTest::newRow("comment") << "// Latin-1" << QStringList{};
        QTest::newRow("empty") << "   " << QStringList{};
        QTest::newRow("solidus by the comment rule") << "/ &#47; solidus" << QStringList{};
        QTest::newRow("second character /") << "a/ b" << QStringList{};
        QTest::newRow("no blank") << "x" << QStringList{"x", "", ""};
        QTest::newRow("one blank") << "x &x;" << QStringList{"x", "&x;", ""};
        QTest::newRow("two blanks: the name moves up") << "x  name" << QStringList{"x", "name", ""};
        QTest::newRow("a longer character field") << "fi &filig; ligature" << QStringList{"fi", "&filig;", "ligature"};
    }
    void tableLines()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, row);
        const QList<TCharacterRow> rows = ParseCharacterTable({line});
        QCOMPARE(rows.size(), row.isEmpty() ? 0 : 1);
        if (!rows.isEmpty())
            QCOMPARE((QStringList{rows[0].Character, rows[0].Entity, rows[0].Name}), row);
    }

    void tableFile()
    {
        QTemporaryDir dir;
        QVERIFY(LoadCharacterTable(dir.filePath(QStringLiteral("missing.dat")))
                    .Error.contains(QLatin1String("Characters.dat")));
        QFile binary(dir.filePath(QStringLiteral("bin.dat")));
        QVERIFY(binary.open(QIODevice::WriteOnly));
        binary.write(QByteArray("\xff\xfe\x00\x01 junk", 10));
        binary.close();
        const TCharacterTableFile bad = LoadCharacterTable(binary.fileName());
        QVERIFY(bad.Rows.isEmpty());
        QVERIFY(!bad.Error.isEmpty());
        // The shipped table reads whole, in file order.
        const TCharacterTableFile shipped =
            LoadCharacterTable(QStringLiteral(TAGFORGE_SOURCE_DIR "/Data/Characters.dat"));
        QVERIFY(shipped.Error.isEmpty());
        QVERIFY(shipped.Rows.size() >= 96);
        QCOMPARE(shipped.Rows[0].Character, QStringLiteral("&"));
    }

    void removeTags_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("questions");
        QTest::newRow("element") << "<p>Hello <b>World</b></p>"
                                 << "Hello World" << 0;
        QTest::newRow("the last < opens") << "a < b <i>x"
                                          << "a < b x" << 0;
        QTest::newRow("over lines") << "a<p\r\nclass=x>b"
                                    << "ab" << 0;
        QTest::newRow("stray >, continued") << "a > b"
                                            << "a > b" << 1;
        QTest::newRow("unclosed <") << "a <b"
                                    << "a <b" << 0;
    }
    void removeTags()
    {
        QFETCH(QString, text);
        QFETCH(QString, result);
        QFETCH(int, questions);
        int asked = 0;
        const TRemovedTags r = RemoveAllTags(text, [&] {
            ++asked;
            return true;
        });
        QCOMPARE(r.Text, result);
        QCOMPARE(asked, questions);
        QVERIFY(!r.Stopped);
    }
    void removeTagsStopsWithTheTextSoFar()
    {
        const TRemovedTags r = RemoveAllTags(u"<b>x</b> > <i>y</i>", [] { return false; });
        QVERIFY(r.Stopped);
        QCOMPARE(r.Text, QStringLiteral("x > <i>y</i>"));
        QCOMPARE(TrimLineStarts(u"\t\t word\r\n  next\r\nlast "), QStringLiteral("word\r\nnext\r\nlast "));
    }

    void entities_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("entities");
        QTest::newRow("letters keep their case") << "é É ß"
                                                 << "&eacute; &Eacute; &szlig;";
        QTest::newRow("markup characters stay") << "<a>&amp; ©"
                                                << "<a>&amp; &copy;";
        QTest::newRow("nothing to do") << "plain"
                                       << "plain";
    }
    void entities()
    {
        QFETCH(QString, text);
        QFETCH(QString, entities);
        const TEntityMap map(Table());
        QCOMPARE(map.CharactersToEntities(text), entities);
        QCOMPARE(map.EntitiesToCharacters(entities), text);
        // "&lt;" and "&amp;" never become markup characters.
        QCOMPARE(map.EntitiesToCharacters(u"&lt;b&gt; &amp;amp; &unknown; &"),
                 QStringLiteral("&lt;b&gt; &amp;amp; &unknown; &"));
        QVERIFY(TEntityMap({}).IsEmpty());
    }

    void namedReferences_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("entities"); // named only
        QTest::addColumn<QString>("numeric");  // the rest as numeric references
        QTest::newRow("the table first, then HTML's names") << "é → €"
                                                            << "&eacute; &rarr; &euro;"
                                                            << "&eacute; &rarr; &euro;";
        QTest::newRow("outside the BMP") << "𝔸"
                                         << "&Aopf;"
                                         << "&Aopf;";
        QTest::newRow("no name") << "☃x"
                                 << "☃x"
                                 << "&#x2603;x";
        QTest::newRow("ASCII untouched") << "(\"a\", 'b'; c)"
                                         << "(\"a\", 'b'; c)"
                                         << "(\"a\", 'b'; c)";
        QTest::newRow("a lone surrogate is left")
            << QString(QChar(0xD800)) + "a" << QString(QChar(0xD800)) + "a" << QString(QChar(0xD800)) + "a";
    }
    void namedReferences()
    {
        QFETCH(QString, text);
        QFETCH(QString, entities);
        QFETCH(QString, numeric);
        const TEntityMap map(Table());
        qsizetype unnamed = -1;
        QCOMPARE(map.CharactersToEntities(text, true, false, &unnamed), entities);
        QCOMPARE(unnamed, qsizetype(entities == numeric ? 0 : 1));
        QCOMPARE(map.CharactersToEntities(text, true, true), numeric);
        QCOMPARE(map.EntitiesToCharacters(numeric), text);
    }

    void referencesBackToCharacters_data()
    {
        QTest::addColumn<QString>("references");
        QTest::addColumn<QString>("characters");
        QTest::newRow("every spelling of an arrow") << "&#8594;&#x2192;&#X2192;&rarr;&RightArrow;"
                                                    << "→→→→→";
        QTest::newRow("two characters") << "&NotEqualTilde;" << QString::fromUtf8("\u2242\u0338");
        QTest::newRow("markup and quotes stay") << "&#60;&#x26;&quot;&lpar;&apos;&#34;"
                                                << "&#60;&#x26;&quot;&lpar;&apos;&#34;";
        QTest::newRow("no scalar value") << "&#xD800;&#1114112;&#0;&#;&#x;"
                                         << "&#xD800;&#1114112;&#0;&#;&#x;";
        QTest::newRow("not a reference") << "&rarr &nosuchname; & &#12a; &#+160;"
                                         << "&rarr &nosuchname; & &#12a; &#+160;";
        QTest::newRow("names are case-sensitive") << "&RARR;&Rarr;"
                                                  << "&RARR;↠";
    }
    void referencesBackToCharacters()
    {
        QFETCH(QString, references);
        QFETCH(QString, characters);
        QCOMPARE(TEntityMap(Table()).EntitiesToCharacters(references), characters);
    }

    void theWholeTableRoundTrips()
    {
        const TCharacterTableFile table =
            LoadCharacterTable(QStringLiteral(TAGFORGE_SOURCE_DIR "/Data/Characters.dat"));
        QVERIFY(table.Error.isEmpty());
        QVERIFY(table.Rows.size() > 100);
        const TEntityMap map(table.Rows);
        QString all;
        for (const TCharacterRow &row : table.Rows)
            all += row.Character + u' ';
        const QString entities = map.CharactersToEntities(all, true, true);
        QVERIFY(!entities.contains(QStringLiteral("&#x"))); // every character has its name
        QCOMPARE(map.EntitiesToCharacters(entities), all);
        // The table's own entities come first, in its order.
        for (const TCharacterRow &row : table.Rows) {
            if (row.Character != QLatin1String("<") && row.Character != QLatin1String(">")
                && row.Character != QLatin1String("&"))
                QVERIFY2(entities.contains(row.Entity), qPrintable(row.Entity));
        }
    }

    void tagCase_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("lower");
        QTest::newRow("element") << "<a href=\"x\">link</a>"
                                 << "<A href=\"x\">link</A>"
                                 << "<a href=\"x\">link</a>";
        QTest::newRow("comment") << "<!-- c -->"
                                 << "<!-- c -->"
                                 << "<!-- c -->";
        QTest::newRow("script compare") << "a<b;"
                                        << "a<B;"
                                        << "a<b;";
        QTest::newRow("blank after <") << "a < b"
                                       << "a < b"
                                       << "a < b";
        QTest::newRow("only ASCII letters") << "<tëst>"
                                            << "<TëST>"
                                            << "<tëst>";
        QTest::newRow("nested <") << "<<b>x"
                                  << "<<B>x"
                                  << "<<b>x";
        QTest::newRow("over lines") << "<TD\r\nclass=A>"
                                    << "<TD\r\nclass=A>"
                                    << "<td\r\nclass=A>";
    }
    void tagCase()
    {
        QFETCH(QString, text);
        QFETCH(QString, upper);
        QFETCH(QString, lower);
        QCOMPARE(ConvertTagCase(text, true), upper);
        QCOMPARE(ConvertTagCase(text, false), lower);
        QString inPlace = text;
        QCOMPARE(ConvertTagCaseInPlace(inPlace, true), upper != text);
        QCOMPARE(inPlace, upper);
    }

    void textFileToPage()
    {
        const TEntityMap map(Table());
        const QStringList page = TextToHtml({QStringLiteral("a\\b é"), QStringLiteral("x < y")}, map);
        QCOMPARE(page, (QStringList{"<html>", "<head>", "        <title></title>", "</head>", "<body>",
                                    "a/b &eacute;<br>", "x < y<br>", "</body>", "</html>"}));
    }
};

QTEST_APPLESS_MAIN(TestConversions)
#include "tst_conversions.moc"
