// Tests of TEditSearch: results per line, case and word rules, skip-table edge cases.
#include "editor/core/editsearch.h"
#include "editor/core/edittypes.h"

#include <QRandomGenerator>
#include <QTest>

using TColumns = QList<int>;

namespace {

TColumns Columns(const TEditSearch &s)
{
    TColumns result;
    for (int i = 0; i < s.ResultCount(); ++i)
        result << s.Results(i);
    return result;
}

bool SameChar(QChar a, QChar b, bool sensitive)
{
    return sensitive ? a == b : a.toCaseFolded() == b.toCaseFolded();
}

// Leftmost, non-overlapping matches found by trying every position.
TColumns NaiveFind(const QString &text, const QString &pattern, bool sensitive, bool whole)
{
    TColumns result;
    const qsizetype m = pattern.size();
    qsizetype i = 0;
    while (i + m <= text.size()) {
        bool match = true;
        for (qsizetype j = 0; j < m && match; ++j)
            match = SameChar(text[i + j], pattern[j], sensitive);
        if (match && whole) {
            const bool before = i == 0 || !text[i - 1].isLetterOrNumber();
            const bool after = i + m >= text.size() || !text[i + m].isLetterOrNumber();
            match = before && after;
        }
        if (match) {
            result << int(i + 1);
            i += m;
        } else {
            ++i;
        }
    }
    return result;
}

} // namespace

class TestEditSearch : public QObject
{
    Q_OBJECT

private slots:
    void findAll_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("sensitive");
        QTest::addColumn<bool>("whole");
        QTest::addColumn<TColumns>("expected");
        QTest::newRow("ignoring case") << "ab"
                                       << "xABxab" << false << false << TColumns{2, 5};
        QTest::newRow("matching case") << "ab"
                                       << "xABxab" << true << false << TColumns{5};
        QTest::newRow("whole word skips the one inside a word") << "in"
                                                                << "in begin in" << false << true << TColumns{1, 10};
        QTest::newRow("pattern longer than the line") << "abcdef"
                                                      << "abc" << false << false << TColumns{};
        QTest::newRow("pattern as long as the line") << "abc"
                                                     << "ABC" << false << false << TColumns{1};
        QTest::newRow("matches do not overlap") << "aa"
                                                << "aaaaa" << false << false << TColumns{1, 3};
        QTest::newRow("last character repeats in the pattern") << "aab"
                                                               << "aaab aab" << true << false << TColumns{2, 6};
        QTest::newRow("rejected word, overlapping candidate") << "aa"
                                                              << "aaa aa" << false << true << TColumns{5};
        QTest::newRow("match at the very end") << "ab"
                                               << "abcab" << false << false << TColumns{1, 4};
        QTest::newRow("one character") << "x"
                                       << "xXx" << false << false << TColumns{1, 2, 3};
        QTest::newRow("accented letters fold")
            << QString::fromUtf8("ÄB") << QString::fromUtf8("xäbx") << false << false << TColumns{2};
        QTest::newRow("accented letters are word characters")
            << "in" << QString::fromUtf8("éin in") << false << true << TColumns{5};
        QTest::newRow("underscore separates words") << "in"
                                                    << "a_in_b" << false << true << TColumns{3};
        QTest::newRow("characters sharing a low byte")
            << QString::fromUtf8("aš") << QString::fromUtf8("aa ašŠ aŠ") << false << false << TColumns{4, 8};
        QTest::newRow("empty line") << "a"
                                    << "" << false << false << TColumns{};
    }
    void findAll()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, text);
        QFETCH(bool, sensitive);
        QFETCH(bool, whole);
        QFETCH(TColumns, expected);
        TEditSearch s;
        s.SetSensitive(sensitive);
        s.SetPattern(pattern);
        s.SetWhole(whole);
        QCOMPARE(s.FindAll(text), int(expected.size()));
        QCOMPARE(Columns(s), expected);
        QCOMPARE(s.Count(), int(expected.size()));
    }

    void emptyPatternIsRefused()
    {
        TEditSearch s;
        s.SetPattern("ab");
        try {
            s.SetPattern(QString());
            QFAIL("no exception");
        } catch (const EEditError &e) {
            QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("Pattern is empty"));
        }
        QCOMPARE(s.Pattern(), QStringLiteral("ab")); // the old pattern still holds
        QCOMPARE(s.FindAll(u"xab"), 1);
    }

    void togglingCaseGivesFreshResults()
    {
        TEditSearch s;
        s.SetPattern("AB"); // built ignoring case
        QCOMPARE(s.FindAll(u"xABxab"), 2);
        s.SetSensitive(true); // the skip table must follow, or "ab" would be skipped over
        QCOMPARE(s.FindAll(u"xabxAB"), 1);
        QCOMPARE(s.Results(0), 5);
        s.SetSensitive(false);
        QCOMPARE(s.FindAll(u"xabxAB"), 2);
    }

    void findFirstAndNextWalkTheLine()
    {
        TEditSearch s;
        s.SetPattern("ab");
        const QString text = "ab ab ab";
        QCOMPARE(s.FindFirst(text), 1);
        QCOMPARE(s.FindNext(), 4);
        QCOMPARE(s.FindNext(), 7);
        QCOMPARE(s.FindNext(), 0);
        QCOMPARE(s.FindNext(), 0); // stays exhausted
        QCOMPARE(s.FindFirst(u"a"), 0);
    }

    void resultsOutOfRangeAreZero()
    {
        TEditSearch s;
        s.SetPattern("a");
        s.FindAll(u"aa");
        QCOMPARE(s.Results(-1), 0);
        QCOMPARE(s.Results(2), 0);
        QCOMPARE(s.Count(), 2);
        s.SetPattern("a");
        QCOMPARE(s.Count(), 0);
    }

    void fixResultsShiftsLaterResults_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("delta");
        QTest::addColumn<TColumns>("expected");
        QTest::newRow("longer replacement") << 1 << 2 << TColumns{1, 5, 7};
        QTest::newRow("shorter replacement") << 3 << -1 << TColumns{1, 3, 4};
        QTest::newRow("no change") << 1 << 0 << TColumns{1, 3, 5};
        QTest::newRow("after the last") << 5 << 4 << TColumns{1, 3, 5};
    }
    void fixResultsShiftsLaterResults()
    {
        QFETCH(int, first);
        QFETCH(int, delta);
        QFETCH(TColumns, expected);
        TEditSearch s;
        s.SetPattern("a");
        s.FindAll(u"a a a");
        s.FixResults(first, delta);
        QCOMPARE(Columns(s), expected);
    }

    // Every skip the table allows must be safe: compare with trying every position.
    void agreesWithNaiveSearch()
    {
        QRandomGenerator rng(4711);
        const QString alphabet = QString::fromUtf8("aAbB šŠé_");
        auto randomText = [&](int maxLen) {
            QString t;
            const int n = int(rng.bounded(maxLen + 1));
            for (int i = 0; i < n; ++i)
                t += alphabet[int(rng.bounded(int(alphabet.size())))];
            return t;
        };
        TEditSearch s;
        for (int round = 0; round < 4000; ++round) {
            QString pattern = randomText(4);
            if (pattern.isEmpty())
                pattern = "a";
            const QString text = randomText(40);
            const bool sensitive = rng.bounded(2);
            const bool whole = rng.bounded(3) == 0;
            s.SetSensitive(sensitive);
            s.SetPattern(pattern);
            s.SetWhole(whole);
            s.FindAll(text);
            QVERIFY2(
                Columns(s) == NaiveFind(text, pattern, sensitive, whole),
                qPrintable(
                    QStringLiteral("'%1' in '%2' (case %3, word %4)").arg(pattern, text).arg(sensitive).arg(whole)));
        }
    }
};

QTEST_GUILESS_MAIN(TestEditSearch)
#include "tst_editsearch.moc"
