// Tests of TEditLines: hooks, load depth, text assignment rules, range slots, streaming load.
#include "editor/core/codeedit.h"
#include "editor/core/editlines.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTest>

class TestEditLines : public QObject
{
    Q_OBJECT

private:
    // Records every hook as a short token, e.g. "added", "deleted:0".
    static void Trace(TEditLines &lines, QStringList &log)
    {
        lines.OnAdded = [&log](TEditLines *) { log << "added"; };
        lines.OnCleared = [&log](TEditLines *) { log << "cleared"; };
        lines.OnDeleted = [&log](int i) { log << QStringLiteral("deleted:%1").arg(i); };
        lines.OnInserted = [&log](int i) { log << QStringLiteral("inserted:%1").arg(i); };
        lines.OnPutted = [&log](int i) { log << QStringLiteral("putted:%1").arg(i); };
        lines.OnScanRanges = [&log](TEditLines *) { log << "scan"; };
        lines.OnSetText = [&log](TEditLines *) { log << "settext"; };
        lines.OnChanging = [&log](TEditLines *) { log << "changing"; };
        lines.OnChange = [&log](TEditLines *) { log << "change"; };
    }
    static QStringList All(const TEditLines &lines)
    {
        QStringList r;
        for (int i = 0; i < lines.Count(); ++i)
            r << lines[i];
        return r;
    }

private slots:
    void textAssignment_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("CR LF ends lines") << "a\r\nb\r\n" << QStringList{"a", "b"};
        QTest::newRow("LF ends lines") << "a\nb" << QStringList{"a", "b"};
        QTest::newRow("CR ends lines") << "a\rb\r" << QStringList{"a", "b"};
        QTest::newRow("CR CR is two line ends") << "a\r\rb" << QStringList{"a", "", "b"};
        QTest::newRow("LF CR is two line ends") << "a\n\rb" << QStringList{"a", "", "b"};
        QTest::newRow("empty text gives one empty line") << "" << QStringList{""};
        QTest::newRow("only a line break") << "\r\n" << QStringList{""};
        QTest::newRow("two line breaks") << "\r\n\r\n" << QStringList{"", ""};
        QTest::newRow("terminator at end adds no line") << "x\n" << QStringList{"x"};
        QTest::newRow("NUL does not end the text")
            << QString::fromLatin1("a\0b\nc", 5) << QStringList{QString::fromLatin1("a\0b", 3), "c"};
        QTest::newRow("tabs are stored as they are") << "\ta\tb" << QStringList{"\ta\tb"};
        QTest::newRow("trailing blanks are kept on load") << "a  \r\nb" << QStringList{"a  ", "b"};
    }
    void textAssignment()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        TCodeEdit edit;
        edit.SetText(text);
        QCOMPARE(All(edit.Lines()), expected);
        QCOMPARE(edit.LineCount(), expected.size());
        // Direct assignment to Lines gives the same lines (no spurious empty first line).
        TEditLines lines;
        lines.SetTextStr(text);
        QCOMPARE(All(lines), expected);
    }

    void textRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << "<p>\r\n  x\r\n</p>\r\n";
        QTest::newRow("empty lines") << "\r\n\r\na\r\n\r\n";
        QTest::newRow("unicode and NUL") << QString::fromUtf8("caf\xc3\xa9 \xe2\x82\xac\r\n") + QChar(0) + "z\r\n";
    }
    void textRoundTrip()
    {
        QFETCH(QString, text);
        TCodeEdit edit;
        edit.SetText(text);
        QCOMPARE(edit.Text(), text);
    }

    void deletingOnlyLineEmptiesIt()
    {
        TEditLines lines;
        lines.Add("abc");
        QStringList log;
        Trace(lines, log);
        lines.Delete(0);
        QCOMPARE(lines.Count(), 1);
        QCOMPARE(lines[0], QString());
        QCOMPARE(log, (QStringList{"changing", "deleted:0", "change"})); // no putted
    }

    void clearLeavesOneEmptyLine()
    {
        TEditLines lines;
        lines.Add("a");
        lines.Add("b");
        QStringList log;
        Trace(lines, log);
        lines.Clear();
        QCOMPARE(All(lines), QStringList{""});
        QCOMPARE(log.first(), QString("cleared"));
        QVERIFY(log.contains("added"));
    }

    void clearInsideLoadAddsNothing()
    {
        TEditLines lines;
        lines.Add("a");
        lines.BeginLoad();
        lines.Clear();
        QCOMPARE(lines.Count(), 0);
        lines.EndLoad();
        QCOMPARE(All(lines), QStringList{""});
        lines.EndLoad(); // below 1: nothing happens
        QCOMPARE(lines.LoadDepth(), 0);
    }

    void assignFiresScanOnceAndNoAdded()
    {
        TEditLines src;
        src.SetTextStr(u"a\nb\nc");
        TEditLines dst;
        dst.Add("old");
        QStringList log;
        Trace(dst, log);
        dst.Assign(src);
        QCOMPARE(All(dst), (QStringList{"a", "b", "c"}));
        QCOMPARE(log.count("scan"), 1);
        QCOMPARE(log.count("added"), 0);
        QCOMPARE(log.count("changing"), 1);
        QCOMPARE(log.count("change"), 1);
    }

    void streamLoadFiresScanOnceAndNoAdded()
    {
        QByteArray bytes = QByteArray("x\r\ny\n") + QByteArray(3000000, 'z') + "\rend";
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        TEditLines lines;
        lines.Add("old");
        QStringList log;
        Trace(lines, log);
        QVERIFY(lines.LoadFromStream(buffer));
        QCOMPARE(lines.Count(), 4);
        QCOMPARE(lines[0], QString("x"));
        QCOMPARE(lines[2].size(), 3000000); // a line spanning several read blocks
        QCOMPARE(lines[3], QString("end"));
        QCOMPARE(log.count("scan"), 1);
        QCOMPARE(log.count("added"), 0);
        QVERIFY(lines.OnAdded); // restored afterwards
    }

    void streamLoadSplitsCrLfAcrossBlocks()
    {
        // The CR ends one read block and its LF starts the next: still one line break.
        QByteArray bytes(1 << 20, 'a');
        bytes[(1 << 20) - 1] = '\r';
        bytes.append("\nb");
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        TEditLines lines;
        QVERIFY(lines.LoadFromStream(buffer));
        QCOMPARE(lines.Count(), 2);
        QCOMPARE(lines[1], QString("b"));
    }

    void streamLoadDecodesMultibyteAcrossBlocks()
    {
        QByteArray bytes((1 << 20) - 1, 'a');
        bytes.append("\xe2\x82\xac"); // the euro sign straddles the block boundary
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        TEditLines lines;
        QVERIFY(lines.LoadFromStream(buffer));
        QCOMPARE(lines[0].right(1), QString(QChar(0x20AC)));
    }

    void streamLoadFailsOnUnreadableDevice()
    {
        QBuffer buffer; // not open
        TEditLines lines;
        QVERIFY(!lines.LoadFromStream(buffer));
        QCOMPARE(All(lines), QStringList{""});
        QVERIFY(!lines.LoadFromFile("/nonexistent/file.html"));
    }

    void putKeepsSlotInsertGivesZero()
    {
        TEditLines lines;
        lines.SetTextStr(u"a\nb");
        lines.PutObject(1, 42);
        lines.Put(1, "B");
        QCOMPARE(lines.Objects(1), TRangeState(42));
        lines.Insert(1, "new");
        QCOMPARE(lines.Objects(1), TRangeState(0));
        QCOMPARE(lines.Objects(2), TRangeState(42));
    }

    void hooksCarryIndices()
    {
        TEditLines lines;
        lines.SetTextStr(u"a\nb\nc");
        QStringList log;
        Trace(lines, log);
        lines.Insert(1, "x");
        lines.Put(2, "y");
        lines.Delete(3);
        QCOMPARE(log, (QStringList{"changing", "inserted:1", "change", "changing", "putted:2", "change", "changing",
                                   "deleted:3", "change"}));
    }

    void updateBracketBatchesChangeHooks()
    {
        TEditLines lines;
        QStringList log;
        Trace(lines, log);
        lines.BeginUpdate();
        lines.Add("a");
        lines.Add("b");
        lines.EndUpdate();
        QCOMPARE(log, (QStringList{"changing", "added", "added", "change"}));
    }

    void badIndexThrows()
    {
        TEditLines lines;
        lines.Add("a");
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, lines.Put(5, "x"));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, lines.Delete(-1));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, lines.Insert(3, "x"));
        QCOMPARE(All(lines), QStringList{"a"});
    }

    void gapBufferMatchesModel()
    {
        // Random inserts and deletes at moving places, checked against a plain list.
        TEditLineBuffer buffer;
        QList<QString> model;
        QRandomGenerator rng(7);
        for (int step = 0; step < 20000; ++step) {
            const int op = rng.bounded(3);
            if (op < 2 || model.isEmpty()) {
                const int at = rng.bounded(int(model.size()) + 1);
                const QString s = QString::number(step);
                buffer.insert(at, TEditLineEntry{s, TRangeState(step)});
                model.insert(at, s);
            } else {
                const int at = rng.bounded(int(model.size()));
                buffer.erase(at);
                model.removeAt(at);
            }
        }
        QCOMPARE(buffer.size(), model.size());
        for (int i = 0; i < model.size(); ++i)
            QCOMPARE(buffer.at(i).text, model.at(i));
    }
};

QTEST_GUILESS_MAIN(TestEditLines)
#include "tst_editlines.moc"
