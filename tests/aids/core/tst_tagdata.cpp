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

    QString Write(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return QString();
        return path;
    }

    static QString Dump(const QList<TMyHTMLTag> &tags)
    {
        QStringList parts;
        for (const TMyHTMLTag &t : tags)
            parts << QLatin1Char('[') + t.Name + QLatin1Char(']') + t.Strings.join(QLatin1Char('|'));
        return parts.join(QLatin1Char(' '));
    }

private Q_SLOTS:
    void insightEntries_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("expected");
        QTest::newRow("header with blanks") << QStringList{QStringLiteral("  <A>  ")} << QStringLiteral("[A]");
        QTest::newRow("header keeps what is inside the brackets")
            << QStringList{QStringLiteral("<A HREF>")} << QStringLiteral("[A HREF]");
        QTest::newRow("header without closing bracket has no name")
            << QStringList{QStringLiteral("<A")} << QStringLiteral("[]");
        QTest::newRow("parameter line kept as written")
            << QStringList{QStringLiteral("<A>"), QStringLiteral("HREF=URL of the link")}
            << QStringLiteral("[A]HREF=URL of the link");
        QTest::newRow("tabs and control characters trimmed")
            << QStringList{QStringLiteral("\t<B>\x01"), QStringLiteral("\x02 ID=name \t")}
            << QStringLiteral("[B]ID=name");
        QTest::newRow("comments and empty lines ignored")
            << QStringList{QStringLiteral("// <X>"), QStringLiteral("<A>"), QStringLiteral(""),
                           QStringLiteral("   "), QStringLiteral("  /HREF=x"), QStringLiteral("ID=y")}
            << QStringLiteral("[A]ID=y");
        QTest::newRow("parameter before the first entry dropped")
            << QStringList{QStringLiteral("HREF=lost"), QStringLiteral("<A>"), QStringLiteral("ID=kept")}
            << QStringLiteral("[A]ID=kept");
        QTest::newRow("duplicates stay separate entries")
            << QStringList{QStringLiteral("<A>"), QStringLiteral("X=1"), QStringLiteral("<A>"),
                           QStringLiteral("Y=2")}
            << QStringLiteral("[A]X=1 [A]Y=2");
        QTest::newRow("line without equals sign kept")
            << QStringList{QStringLiteral("<OL>"), QStringLiteral("COMPACT")} << QStringLiteral("[OL]COMPACT");
    }

    void insightEntries()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, expected);
        QCOMPARE(Dump(TagData::ParseInsightData(lines)), expected);
    }

    void tagNames_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("known");
        const QStringList bAndEnd{QStringLiteral("B"), QStringLiteral("/B")};
        QTest::newRow("plain name") << bAndEnd << QStringLiteral("B") << true;
        QTest::newRow("lower case") << bAndEnd << QStringLiteral("b") << true;
        QTest::newRow("the slash is not part of the name") << bAndEnd << QStringLiteral("/B") << false;
        QTest::newRow("prefix is not a name") << QStringList{QStringLiteral("TABLE")} << QStringLiteral("TA") << false;
        QTest::newRow("found after sorting")
            << QStringList{QStringLiteral("/UL"), QStringLiteral("P"), QStringLiteral("/a"), QStringLiteral("BR")}
            << QStringLiteral("A") << true;
        QTest::newRow("empty line is an empty name")
            << QStringList{QStringLiteral("P"), QString()} << QString() << true;
    }

    void tagNames()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, name);
        QFETCH(bool, known);
        TTagNames names;
        names.Assign(lines);
        QCOMPARE(names.IsKnownTag(name), known);
    }

    void tagNamesKeepDuplicatesSorted()
    {
        TTagNames names;
        names.Assign({QStringLiteral("P"), QStringLiteral("b"), QStringLiteral("/B"), QStringLiteral("/A")});
        QCOMPARE(names.Strings(), QStringList({QStringLiteral("A"), QStringLiteral("b"), QStringLiteral("B"),
                                                QStringLiteral("P")}));
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
        QTest::newRow("blank line kept") << QByteArray("A\n\nB\n")
                                         << QStringList{QStringLiteral("A"), QString(), QStringLiteral("B")};
        QTest::newRow("byte order mark dropped") << QByteArray("\xEF\xBB\xBF" "A\nB") << ab;
        QTest::newRow("empty file") << QByteArray() << QStringList{};
    }

    void lineEnds()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        const QString path = Write(QStringLiteral("lines.dat"), bytes);
        QVERIFY(!path.isEmpty());
        QStringList read;
        QVERIFY(TagData::ReadLines(path, read));
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
