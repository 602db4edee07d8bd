// Tests of TCodeEdit::SearchReplace: scope, direction, selections, prompt, undo of replace-all.
#include "tests/support/testsupport.h"
#include "editor/core/codeedit.h"

#include <QRandomGenerator>
#include <QTest>

Q_DECLARE_METATYPE(TBufferCoord)
Q_DECLARE_METATYPE(TSynSearchOptions)

namespace {

using TestSupport::Lf;

QString Pos(TBufferCoord p)
{
    return QStringLiteral("%1,%2").arg(p.X).arg(p.Y);
}

qsizetype Trimmed(const QString &s)
{
    qsizetype n = s.size();
    while (n > 0 && s[n - 1].unicode() <= 32)
        --n;
    return n;
}

// What replace-all should leave: every match in scope replaced, each rewritten line right-trimmed.
QString ExpectedReplaceAll(const QStringList &lines, const QString &search, const QString &replace, bool whole,
                           TBufferCoord from, TBufferCoord to)
{
    QStringList out;
    for (int y = 1; y <= lines.size(); ++y) {
        const QString &line = lines[y - 1];
        QString built;
        qsizetype i = 0;
        qsizetype src = 0;
        bool changed = false;
        const qsizetype m = search.size();
        while (i + m <= line.size()) {
            bool match = QStringView(line).mid(i, m).compare(search, Qt::CaseInsensitive) == 0;
            if (match && whole)
                match = (i == 0 || !line[i - 1].isLetterOrNumber())
                        && (i + m >= line.size() || !line[i + m].isLetterOrNumber());
            if (!match) {
                ++i;
                continue;
            }
            const int c = int(i + 1);
            const bool inScope =
                y >= from.Y && y <= to.Y && (y != from.Y || c >= from.X) && (y != to.Y || c + m <= to.X);
            if (inScope) {
                built += line.mid(src, i - src) + replace;
                src = i + m;
                changed = true;
            }
            i += m;
        }
        if (!changed) {
            out << line;
            continue;
        }
        built += line.mid(src);
        built.replace("\r\n", "\n").replace('\r', '\n');
        for (QString piece : built.split('\n')) {
            piece.truncate(Trimmed(piece));
            out << piece;
        }
    }
    return out.join("\r\n") + "\r\n";
}

} // namespace

class TestSearchReplace : public QObject
{
    Q_OBJECT

private slots:
    void findWalksForwardFromTheCaret()
    {
        TCodeEdit edit;
        edit.SetText(u"ab xAB\nab");
        QStringList found;
        while (edit.SearchReplace("ab", QString(), {}) == 1)
            found << Pos(edit.BlockBegin()) + "-" + Pos(edit.BlockEnd()) + " caret " + Pos(edit.CaretXY());
        QCOMPARE(found, QStringList({"1,1-3,1 caret 3,1", "5,1-7,1 caret 7,1", "1,2-3,2 caret 3,2"}));
        // Nothing more: the last match stays selected.
        QCOMPARE(edit.SelText(), QStringLiteral("ab"));
    }

    void backwardsStopsAtTheCaret()
    {
        TCodeEdit edit;
        edit.SetText(u"abab\nabab\nabab\nabab\nabab\nabab");
        edit.SetCaretXY(BufferCoord(3, 5));
        QStringList found;
        while (edit.SearchReplace("ab", QString(), soBackwards) == 1) {
            found << Pos(edit.BlockBegin());
            QCOMPARE(edit.CaretXY(), edit.BlockBegin());
        }
        // Line 5 only up to column 3, line 6 never.
        QCOMPARE(found, QStringList({"1,5", "3,4", "1,4", "3,3", "1,3", "3,2", "1,2", "3,1", "1,1"}));
    }

    void entireScopeIgnoresTheCaret_data()
    {
        QTest::addColumn<TSynSearchOptions>("options");
        QTest::addColumn<QString>("expected");
        QTest::newRow("forward from the caret") << TSynSearchOptions() << "3,2";
        QTest::newRow("forward, entire scope") << TSynSearchOptions(soEntireScope) << "1,1";
        QTest::newRow("backward from the caret") << TSynSearchOptions(soBackwards) << "1,2";
        QTest::newRow("backward, entire scope") << TSynSearchOptions(soBackwards | soEntireScope) << "3,3";
    }
    void entireScopeIgnoresTheCaret()
    {
        QFETCH(TSynSearchOptions, options);
        QFETCH(QString, expected);
        TCodeEdit edit;
        edit.SetText(u"x\nx x\nx x");
        edit.SetCaretXY(BufferCoord(3, 2));
        QCOMPARE(edit.SearchReplace("X", QString(), options), 1);
        QCOMPARE(Pos(edit.BlockBegin()), expected);
    }

    void notFoundChangesNothing()
    {
        TCodeEdit edit;
        edit.SetText(u"abc\ndef");
        edit.SetCaretXY(BufferCoord(2, 2));
        edit.SetBlockBegin(BufferCoord(1, 2));
        edit.SetBlockEnd(BufferCoord(2, 2));
        QCOMPARE(edit.SearchReplace("zz", "y", soReplaceAll), 0);
        QCOMPARE(edit.SearchReplace(QString(), "y", soReplaceAll | soEntireScope), 0);
        QCOMPARE(edit.CaretXY(), BufferCoord(2, 2));
        QCOMPARE(edit.SelText(), QStringLiteral("d"));
        QVERIFY(!edit.Modified());
        QVERIFY(!edit.CanUndo());
    }

    void readOnlyTextIsOnlySearched()
    {
        TCodeEdit edit;
        edit.SetText(u"a a");
        edit.SetReadOnly(true);
        QCOMPARE(edit.SearchReplace("a", "b", soReplaceAll | soEntireScope), 1);
        QCOMPARE(edit.Text(), Lf("a a"));
        QCOMPARE(edit.SelText(), QStringLiteral("a"));
        QVERIFY(!edit.CanUndo());
    }

    void caseOptionAppliesPerSearch()
    {
        TCodeEdit edit;
        edit.SetText(u"xABxab");
        QCOMPARE(edit.SearchReplace("ab", QString(), soMatchCase | soEntireScope), 1);
        QCOMPARE(edit.BlockBegin(), BufferCoord(5, 1));
        QCOMPARE(edit.SearchReplace("ab", QString(), soEntireScope), 1);
        QCOMPARE(edit.BlockBegin(), BufferCoord(2, 1));
        QCOMPARE(edit.SearchReplace("ab", QString(), soMatchCase | soEntireScope), 1);
        QCOMPARE(edit.BlockBegin(), BufferCoord(5, 1));
    }

    void replaceAllShiftsLaterMatches_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("search");
        QTest::addColumn<QString>("replace");
        QTest::addColumn<TSynSearchOptions>("options");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<TBufferCoord>("caret");
        const TSynSearchOptions all = soReplaceAll | soEntireScope;
        QTest::newRow("longer replacement") << "a a"
                                            << "a"
                                            << "abc" << all << 2 << "abc abc" << BufferCoord(8, 1);
        QTest::newRow("shorter replacement") << "abc abc"
                                             << "abc"
                                             << "a" << all << 2 << "a a" << BufferCoord(4, 1);
        QTest::newRow("whole words only") << "in begin in"
                                          << "in"
                                          << "out" << (all | soWholeWord) << 2 << "out begin out" << BufferCoord(14, 1);
        QTest::newRow("backwards") << "a a\na"
                                   << "a"
                                   << "bb" << (all | soBackwards) << 3 << "bb bb\nbb" << BufferCoord(1, 1);
        QTest::newRow("deleting trims the line") << "x td\ntd"
                                                 << "td"
                                                 << "" << all << 2 << "x\n"
                                                 << BufferCoord(1, 2);
        QTest::newRow("tabs before a match are kept") << "a\ttd"
                                                      << "td"
                                                      << "x" << all << 1 << "a\tx" << BufferCoord(4, 1);
        QTest::newRow("line breaks in the replacement") << "<a><b>\n<c>"
                                                        << "><"
                                                        << ">\r\n<" << all << 1 << "<a>\n<b>\n<c>" << BufferCoord(2, 2);
        QTest::newRow("line breaks, backwards") << "1,2,3\nx"
                                                << ","
                                                << "\n"
                                                << (all | soBackwards) << 2 << "1\n2\n3\nx" << BufferCoord(2, 1);
        QTest::newRow("one replacement") << "a a"
                                         << "a"
                                         << "b" << TSynSearchOptions(soReplace) << 1 << "b a" << BufferCoord(2, 1);
    }
    void replaceAllShiftsLaterMatches()
    {
        QFETCH(QString, text);
        QFETCH(QString, search);
        QFETCH(QString, replace);
        QFETCH(TSynSearchOptions, options);
        QFETCH(int, count);
        QFETCH(QString, expected);
        QFETCH(TBufferCoord, caret);
        TCodeEdit edit;
        edit.SetMaxUndo(100);
        edit.SetText(text);
        int changes = 0;
        edit.OnChange.Add([&changes](TCodeEdit *) { ++changes; });
        QCOMPARE(edit.SearchReplace(search, replace, options), count);
        QCOMPARE(edit.Text(), Lf(expected));
        QCOMPARE(Pos(edit.CaretXY()), Pos(caret));
        QVERIFY(!edit.SelAvail());
        QVERIFY(edit.Modified());
        QCOMPARE(changes, (options & soReplaceAll) ? 1 : 2); // replace-all reports once
        QCOMPARE(edit.UndoList().ItemCount(), 2 * count);
        for (int i = 0; i < count; ++i)
            edit.Undo();
        QCOMPARE(edit.Text(), Lf(text));
        for (int i = 0; i < count; ++i)
            edit.Redo();
        QCOMPARE(edit.Text(), Lf(expected));
    }

    void replaceInsideTheSelection_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("expected");
        QTest::newRow("normal") << int(smNormal) << 7 << "abb\nbbb\nbba\naaa";
        QTest::newRow("column") << int(smColumn) << 3 << "aba\naba\naba\naaa";
        QTest::newRow("line") << int(smLine) << 9 << "bbb\nbbb\nbbb\naaa";
    }
    void replaceInsideTheSelection()
    {
        QFETCH(int, mode);
        QFETCH(int, count);
        QFETCH(QString, expected);
        TCodeEdit edit;
        edit.SetText(u"aaa\naaa\naaa\naaa");
        edit.SetSelectionMode(TSelectionMode(mode));
        edit.SetBlockBegin(BufferCoord(2, 1));
        edit.SetBlockEnd(BufferCoord(3, 3));
        QCOMPARE(edit.SearchReplace("A", "b", soSelectedOnly | soReplaceAll), count);
        QCOMPARE(edit.Text(), Lf(expected));
        QCOMPARE(edit.SelectionMode(), TSelectionMode(mode));
    }

    void selectedOnlyWithoutSelectionSearchesFromTheCaret()
    {
        TCodeEdit edit;
        edit.SetText(u"a a a");
        edit.SetCaretXY(BufferCoord(2, 1));
        QCOMPARE(edit.SearchReplace("a", "b", soSelectedOnly | soReplaceAll), 2);
        QCOMPARE(edit.Text(), Lf("a b b"));
    }

    void promptActions_data()
    {
        QTest::addColumn<TSynSearchOptions>("options");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QStringList>("asked");
        const TSynSearchOptions all = soReplaceAll | soPrompt | soEntireScope;
        QTest::newRow("skip, replace, cancel")
            << all << QList<int>{raSkip, raReplace, raCancel} << 3 << "a xy a a" << QStringList{"1,1", "3,1", "6,1"};
        QTest::newRow("skip, then replace all")
            << all << QList<int>{raSkip, raReplaceAll} << 4 << "a xy xy xy" << QStringList{"1,1", "3,1"};
        QTest::newRow("replace once") << (soReplace | soPrompt | soEntireScope) << QList<int>{raReplace} << 1
                                      << "xy a a a" << QStringList{"1,1"};
        QTest::newRow("skip every match") << all << QList<int>{raSkip, raSkip, raSkip, raSkip} << 4 << "a a a a"
                                          << QStringList{"1,1", "3,1", "5,1", "7,1"};
        QTest::newRow("cancel at once") << all << QList<int>{raCancel} << 1 << "a a a a" << QStringList{"1,1"};
    }
    void promptActions()
    {
        QFETCH(TSynSearchOptions, options);
        QFETCH(QList<int>, answers);
        QFETCH(int, count);
        QFETCH(QString, expected);
        QFETCH(QStringList, asked);
        TCodeEdit edit;
        edit.SetText(u"a a a a");
        QStringList calls;
        edit.OnReplaceText.Add([&](TCodeEdit *sender, const QString &search, const QString &replace, int line,
                                   int column, TReplaceAction &action) {
            QCOMPARE(sender, &edit);
            QCOMPARE(search, QStringLiteral("a"));
            QCOMPARE(replace, QStringLiteral("xy"));
            // The match is selected in the text as it stands now.
            QCOMPARE(edit.BlockBegin(), BufferCoord(column, line));
            QCOMPARE(edit.SelText(), QStringLiteral("a"));
            QCOMPARE(edit.PaintLock(), 0);
            calls << Pos(BufferCoord(column, line));
            action = TReplaceAction(answers.value(calls.size() - 1, raCancel));
        });
        QCOMPARE(edit.SearchReplace("a", "xy", options), count);
        QCOMPARE(edit.Text(), Lf(expected));
        QCOMPARE(calls, asked);
        QCOMPARE(edit.PaintLock(), 0);
    }

    void undoTakesReplacementsBackOneAtATime()
    {
        TCodeEdit edit;
        edit.SetMaxUndo(100);
        edit.SetText(u"a a a\na");
        QCOMPARE(edit.SearchReplace("a", "bc", soReplaceAll | soEntireScope), 4);
        QCOMPARE(edit.UndoList().GetChangeReason(), urInsert);
        const QStringList steps = {"bc bc bc\na", "bc bc a\na", "bc a a\na", "a a a\na"};
        for (const QString &step : steps) {
            edit.Undo();
            QCOMPARE(edit.Text(), Lf(step));
        }
        QVERIFY(!edit.CanUndo());
        QCOMPARE(edit.SelText(), QStringLiteral("a")); // the restored text is selected
        edit.Redo();
        QCOMPARE(edit.Text(), Lf("bc a a\na"));
        QCOMPARE(edit.CaretXY(), BufferCoord(3, 1));
    }

    void longLineIsReplacedCorrectly()
    {
        QString line;
        for (int i = 0; i < 20000; ++i)
            line += QStringLiteral("<td class=x>%1</TD>").arg(i);
        TCodeEdit edit;
        edit.SetMaxUndo(10);
        edit.SetText(line);
        QCOMPARE(edit.SearchReplace("td", "TH", soReplaceAll | soEntireScope), 40000);
        QString expected = line;
        expected.replace("td", "TH", Qt::CaseInsensitive);
        QCOMPARE(edit.LineCount(), 1);
        QVERIFY(edit.Lines()[0] == expected);
        QCOMPARE(edit.CaretXY(), BufferCoord(int(line.size()), 1));
        edit.Undo(); // only the last replacement comes back
        QVERIFY(edit.Lines()[0] == expected.left(expected.size() - 3) + "TD>");
    }

    void longLineSplitIntoLines()
    {
        const QString line = QStringLiteral("<a><b>").repeated(5000);
        TCodeEdit edit;
        edit.SetMaxUndo(20000);
        edit.SetText(line + "\nend");
        edit.SetBookMark(1, 2, 2);
        QCOMPARE(edit.SearchReplace("><", ">\r\n<", soReplaceAll | soEntireScope), 9999);
        QCOMPARE(edit.LineCount(), 10001);
        QCOMPARE(edit.Lines()[9999], QStringLiteral("<b>"));
        QCOMPARE(edit.Lines()[2], QStringLiteral("<a>"));
        QCOMPARE(edit.BookMark(1)->Line(), 10001); // marks below follow the new lines
        for (int i = 0; i < 9999; ++i)
            edit.Undo();
        QCOMPARE(edit.LineCount(), 2);
        QVERIFY(edit.Lines()[0] == line);
        QCOMPARE(edit.BookMark(1)->Line(), 2);
    }

    // Random texts, patterns, replacements and scopes: replace-all gives the expected text, undo
    // restores the original exactly and redo the result.
    void replaceAllRoundTrips()
    {
        QRandomGenerator rng(2024);
        const QString alphabet = "aAb \t";
        const QStringList searches = {"a", "ab", " ", "a ", "aa", "B"};
        const QStringList replaces = {"", "x", "A", " ", "y ", "\r\n", "p\r\nq ", "\n\n"};
        for (int round = 0; round < 600; ++round) {
            QStringList lines;
            const int n = 1 + int(rng.bounded(5));
            for (int y = 0; y < n; ++y) {
                QString line;
                const int len = int(rng.bounded(12));
                for (int i = 0; i < len; ++i)
                    line += alphabet[int(rng.bounded(int(alphabet.size())))];
                lines << line;
            }
            if (lines.last().isEmpty()) // a text ending in a line break has no empty last line
                lines.last() = "b";
            const QString search = searches[int(rng.bounded(int(searches.size())))];
            const QString replace = replaces[int(rng.bounded(int(replaces.size())))];
            const bool whole = rng.bounded(4) == 0;
            TSynSearchOptions options = soReplaceAll;
            if (whole)
                options |= soWholeWord;
            if (rng.bounded(2))
                options |= soBackwards;
            TCodeEdit edit;
            edit.SetMaxUndo(1000);
            edit.SetText(lines.join("\n"));
            const QString before = edit.Text();
            TBufferCoord from = BufferCoord(1, 1);
            TBufferCoord to = BufferCoord(int(lines.last().size()) + 1, n);
            if (rng.bounded(2)) {
                const int y1 = 1 + int(rng.bounded(n));
                const int y2 = y1 + int(rng.bounded(n - y1 + 1));
                from = BufferCoord(1 + int(rng.bounded(int(lines[y1 - 1].size()) + 1)), y1);
                to = BufferCoord(1 + int(rng.bounded(int(lines[y2 - 1].size()) + 1)), y2);
                if (to < from)
                    std::swap(from, to);
                edit.SetBlockBegin(from);
                edit.SetBlockEnd(to);
                if (edit.SelAvail())
                    options |= soSelectedOnly;
                else
                    options |= soEntireScope;
                if (!edit.SelAvail())
                    from = BufferCoord(1, 1), to = BufferCoord(int(lines.last().size()) + 1, n);
            } else {
                options |= soEntireScope;
            }
            const QString what =
                QStringLiteral("round %1: '%2' -> '%3' in %4").arg(round).arg(search, replace, lines.join("|"));
            const int count = edit.SearchReplace(search, replace, options);
            const QString after = edit.Text();
            QVERIFY2(after == ExpectedReplaceAll(lines, search, replace, whole, from, to), qPrintable(what));
            QCOMPARE(edit.UndoList().ItemCount(), 2 * count);
            for (int i = 0; i < count; ++i)
                edit.Undo();
            QVERIFY2(edit.Text() == before, qPrintable(what));
            for (int i = 0; i < count; ++i)
                edit.Redo();
            QVERIFY2(edit.Text() == after, qPrintable(what));
        }
    }
};

QTEST_GUILESS_MAIN(TestSearchReplace)
#include "tst_searchreplace.moc"
