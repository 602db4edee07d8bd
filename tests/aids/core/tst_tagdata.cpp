// Reading tags.dat and insight.dat: names, entries, trimming, line ends and missing files.
#include "aids/core/tagdata.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestTagData : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private Q_SLOTS:
    // Rows give the file's lines separated by "|" and the entries as "[NAME]line|line".
    void insightEntries_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QString>("expected");
        QTest::newRow("header with blanks") << "  <A>  "
                                            << "[A]";
        QTest::newRow("header keeps what is inside the brackets") << "<A HREF>"
                                                                  << "[A HREF]";
        QTest::newRow("header without closing bracket has no name") << "<A"
                                                                    << "[]";
        QTest::newRow("parameter line kept as written") << "<A>|HREF=URL of the link"
                                                        << "[A]HREF=URL of the link";
        QTest::newRow("tabs and control characters trimmed") << "\t<B>\x01|\x02 ID=name \t"
                                                             << "[B]ID=name";
        QTest::newRow("comments and empty lines ignored") << "// <X>|<A>||   |  /HREF=x|ID=y"
                                                          << "[A]ID=y";
        QTest::newRow("parameter before the first entry dropped") << "HREF=lost|<A>|ID=kept"
                                                                  << "[A]ID=kept";
        QTest::newRow("duplicates stay separate entries") << "<A>|X=1|<A>|Y=2"
                                                          << "[A]X=1 [A]Y=2";
    }

    void insightEntries()
    {
        QFETCH(QString, lines);
        QFETCH(QString, expected);
        QStringList parts;
        for (const TMyHTMLTag &t : TagData::ParseInsightData(lines.split(QLatin1Char('|'))))
            parts << QLatin1Char('[') + t.Name + QLatin1Char(']') + t.Strings.join(QLatin1Char('|'));
        QCOMPARE(parts.join(QLatin1Char(' ')), expected);
    }

    void tagNames_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("known");
        QTest::newRow("plain name") << "B|/B"
                                    << "B" << true;
        QTest::newRow("lower case") << "B|/B"
                                    << "b" << true;
        QTest::newRow("the slash is not part of the name") << "B|/B"
                                                           << "/B" << false;
        QTest::newRow("prefix is not a name") << "TABLE"
                                              << "TA" << false;
        QTest::newRow("found after sorting") << "/UL|P|/a|BR"
                                             << "A" << true;
        QTest::newRow("empty line is an empty name") << "P|"
                                                     << "" << true;
    }

    void tagNames()
    {
        QFETCH(QString, lines);
        QFETCH(QString, name);
        QFETCH(bool, known);
        TTagNames names;
        names.Assign(lines.split(QLatin1Char('|')));
        QCOMPARE(names.IsKnownTag(name), known);
    }

    void tagNamesKeepDuplicatesSorted()
    {
        TTagNames names;
        names.Assign({QStringLiteral("P"), QStringLiteral("b"), QStringLiteral("/B"), QStringLiteral("/A")});
        QCOMPARE(names.Strings(), QStringList({"A", "b", "B", "P"}));
    }

    void lineEnds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        const QStringList ab{QStringLiteral("A"), QStringLiteral("B")};
        QTest::newRow("CR LF") << QByteArray("A\r\nB\r\n") << ab;
        QTest::newRow("LF") << QByteArray("A\nB\n") << ab;
        QTest::newRow("CR") << QByteArray("A\rB\r") << ab;
        QTest::newRow("no final line break") << QByteArray("A\r\nB") << ab;
        QTest::newRow("blank line kept") << QByteArray("A\n\nB\n") << QStringList{"A", "", "B"};
        QTest::newRow("byte order mark dropped") << QByteArray("\xEF\xBB\xBF"
                                                               "A\nB")
                                                 << ab;
        QTest::newRow("empty file") << QByteArray() << QStringList{};
    }

    void lineEnds()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QFile f(m_dir.filePath(QStringLiteral("lines.dat")));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(bytes), bytes.size());
        f.close();
        QStringList read;
        QVERIFY(TagData::ReadLines(f.fileName(), read));
        QCOMPARE(read, lines);
    }

    void missingFilesLeaveEmptyLists()
    {
        TTagNames names;
        names.Assign({QStringLiteral("OLD")});
        QVERIFY(!TagData::LoadTagNames(m_dir.filePath(QStringLiteral("none.dat")), names));
        QCOMPARE(names.Count(), 0);
        QList<TMyHTMLTag> tags{TMyHTMLTag(QStringLiteral("OLD"))};
        QVERIFY(!TagData::LoadInsightData(m_dir.filePath(QStringLiteral("none.dat")), tags));
        QVERIFY(tags.isEmpty());
    }

    // The shipped data: every entry of insight.dat is a known tag (else typing it opens the list
    // instead of its hints), and tags.dat keeps its plain names before the "/" names.
    void shippedDataAgrees()
    {
        const QString dataDir = QStringLiteral(TAGFORGE_SOURCE_DIR "/Data/");
        TTagNames names;
        QVERIFY(TagData::LoadTagNames(dataDir + QStringLiteral("tags.dat"), names));
        QList<TMyHTMLTag> tags;
        QVERIFY(TagData::LoadInsightData(dataDir + QStringLiteral("insight.dat"), tags));
        QVERIFY(tags.size() > 50);
        for (const TMyHTMLTag &tag : tags) {
            QVERIFY2(names.IsKnownTag(tag.Name), qPrintable(tag.Name));
            for (const QString &line : tag.Strings)
                QVERIFY2(line.indexOf(QLatin1Char('=')) > 0, qPrintable(tag.Name + QLatin1Char(' ') + line));
        }
        QStringList lines;
        QVERIFY(TagData::ReadLines(dataDir + QStringLiteral("tags.dat"), lines));
        bool seenEndTag = false;
        for (const QString &line : lines) {
            if (line.startsWith(QLatin1Char('/')))
                seenEndTag = true;
            else
                QVERIFY2(!seenEndTag, qPrintable(line));
        }
    }
};

QTEST_GUILESS_MAIN(TestTagData)
#include "tst_tagdata.moc"
