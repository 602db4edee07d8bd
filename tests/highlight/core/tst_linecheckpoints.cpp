// Tokens resumed from checkpoints inside long lines against the tokens from the line's start,
// on random lines edited at random places.
#include "highlight/core/htmlsyn.h"
#include "highlight/core/linecheckpoints.h"
#include "tokendump.h"

#include <QRandomGenerator>
#include <QTest>

class TestLineCheckpoints : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void resumingAtEveryCheckpointGivesTheSameTokens_data();
    void resumingAtEveryCheckpointGivesTheSameTokens();
    void editedLinesGiveTheTokensFromTheStart_data();
    void editedLinesGiveTheTokensFromTheStart();
    void checkpointsAreUsedAndKeptBeforeAnEdit();
    void anotherStartStateDropsTheCheckpoints();
    void shortLinesAndOtherLinesOfTheSameIndex();
};

using S = THTMLSyn;

namespace {

// Fragments that open and close every range, entities listed and not, stray "&" in tags.
const char *const kPieces[] = {"<p>",
                               "</p>",
                               "<a href=\"x y.html\">",
                               "<td width=10>",
                               "<!-- note -->",
                               "<!--",
                               "-->",
                               "&amp;",
                               "&nbsp;",
                               "&thetasym;",
                               "&bogus;",
                               "&",
                               "<%= x %>",
                               "<%",
                               "%>",
                               "<b",
                               ">",
                               " ",
                               "   ",
                               "text",
                               "=",
                               "\"",
                               "<img & x>",
                               "<FONT color=red>",
                               "a&amp",
                               "<!",
                               "<!-",
                               "\x01",
                               "<h1a>",
                               "-->x",
                               "<\"x\"b>",
                               "&lt;&gt;",
                               "<br/>",
                               "word "};

QString RandomLine(QRandomGenerator &random, int length)
{
    QString line;
    while (line.size() < length)
        line += QString::fromLatin1(kPieces[random.bounded(int(std::size(kPieces)))]);
    return line;
}

// The tokens from the line's start, as a paint of columns keepFrom .. stopColumn needs them.
TRangeState Reference(S &syn, QStringView line, TRangeState start, std::vector<THighlightToken> &tokens, int stopColumn,
                      int keepFrom)
{
    const TRangeState end = syn.TokenizeLineUpTo(line, 0, start, tokens, stopColumn);
    std::erase_if(tokens, [keepFrom](const THighlightToken &t) { return t.Start + t.Length <= keepFrom; });
    return end;
}

QString Dump(const std::vector<THighlightToken> &tokens, QStringView line)
{
    QStringList out;
    for (const THighlightToken &t : tokens)
        out << QStringLiteral("%1@%2%3").arg(KindName(t.Kind)).arg(t.Start).arg(Quoted(line.mid(t.Start, t.Length)));
    return out.join(QLatin1Char(' '));
}

// Paints the window at column from and compares it with the tokens from the line's start.
bool PaintMatches(TLineCheckpoints &points, S &syn, const QString &line, TRangeState start, int from, int width)
{
    std::vector<THighlightToken> got, want;
    const TRangeState gotEnd = points.Tokenize(syn, line, 0, start, got, from + width, from);
    const TRangeState wantEnd = Reference(syn, line, start, want, from + width, from);
    const QString gotDump = Dump(got, line), wantDump = Dump(want, line);
    if (gotDump != wantDump || gotEnd != wantEnd) {
        qWarning("window at %d, resumed from %d: end %s, expected %s\n got  %s\n want %s", from,
                 points.LastResumeColumn(), qPrintable(RangeName(gotEnd)), qPrintable(RangeName(wantEnd)),
                 qPrintable(gotDump.left(600)), qPrintable(wantDump.left(600)));
        return false;
    }
    for (size_t i = 0; i < got.size(); ++i)
        if (got[i].Attribute != want[i].Attribute)
            return false;
    return true;
}

// A random place inside the first match of one of needles at or after a random column, or -1.
int InsidePiece(QRandomGenerator &random, const QString &line, const QStringList &needles)
{
    const int from = random.bounded(int(line.size()));
    for (int pass = 0; pass < 2; ++pass) {
        int best = -1, bestLength = 0;
        for (const QString &needle : needles) {
            const int at = int(line.indexOf(needle, pass ? 0 : from));
            if (at >= 0 && (best < 0 || at < best)) {
                best = at;
                bestLength = int(needle.size());
            }
        }
        if (best >= 0)
            return best + 1 + random.bounded(std::max(1, bestLength - 1));
    }
    return -1;
}

} // namespace

// Resuming at any checkpoint taken on a line gives the rest of the line's tokens and its end
// state as the run from the line's start does.
void TestLineCheckpoints::resumingAtEveryCheckpointGivesTheSameTokens_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("start");
    QTest::newRow("entity after text") << "ab&amp;cd&nbsp;" << int(S::rsText);
    QTest::newRow("entity not listed") << "ab&bogus;cd &amp" << int(S::rsText);
    QTest::newRow("stray ampersand in a tag") << "<img & x>&<b &>" << int(S::rsText);
    QTest::newRow("comment closed and not") << "<!---->x<!-->y<!-- a -- > b -->z" << int(S::rsText);
    QTest::newRow("server script") << "<% a %>b<%%>c<%" << int(S::rsText);
    QTest::newRow("values quoted and bare") << R"(<a href="x y" b=c d="e>f)" << int(S::rsText);
    QTest::newRow("starts in a comment") << "a -- b --> <i>" << int(S::rsComment);
    QTest::newRow("starts in a value") << "\"q\" x>&lt;" << int(S::rsValue);
    QTest::newRow("starts with an entity pending") << "&amp;x" << int(S::rsEntityPending);
    QTest::newRow("line breaks and controls") << "a\r\nb\n\x01<b\r>" << int(S::rsText);
}

void TestLineCheckpoints::resumingAtEveryCheckpointGivesTheSameTokens()
{
    QFETCH(QString, line);
    QFETCH(int, start);
    S syn;
    std::vector<THighlightToken> whole;
    const TRangeState wholeEnd = syn.TokenizeLine(line, 0, TRangeState(start), whole);
    for (int interval = 1; interval <= 3; ++interval) {
        std::vector<TTokenCheckpoint> points;
        std::vector<THighlightToken> tokens;
        QCOMPARE(syn.TokenizeFrom(line, 0, syn.LineStartCheckpoint(TRangeState(start)), tokens, INT_MAX, -1, &points,
                                  interval),
                 wholeEnd);
        QVERIFY(!points.empty());
        for (const TTokenCheckpoint &p : points) {
            QCOMPARE(syn.TokenizeFrom(line, 0, p, tokens, INT_MAX, -1, nullptr, 0), wholeEnd);
            std::vector<THighlightToken> tail;
            for (const THighlightToken &t : whole)
                if (t.Start >= p.Column) // a checkpoint follows the token that ends at its column
                    tail.push_back(t);
            QCOMPARE(Dump(tokens, line), Dump(tail, line));
        }
    }
}

void TestLineCheckpoints::editedLinesGiveTheTokensFromTheStart_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<bool>("deleting");
    QTest::newRow("typing anywhere") << "anywhere" << false;
    QTest::newRow("typing inside comments") << "comment" << false;
    QTest::newRow("typing inside entities") << "entity" << false;
    QTest::newRow("typing inside tags") << "tag" << false;
    QTest::newRow("typing inside quoted values") << "quoted" << false;
    QTest::newRow("typing at a checkpoint column") << "checkpoint" << false;
    QTest::newRow("typing in a checkpoint's lookahead") << "lookahead" << false;
    QTest::newRow("typing at the end of the line") << "end" << false;
    QTest::newRow("deleting inside comments") << "comment" << true;
    QTest::newRow("deleting inside entities") << "entity" << true;
    QTest::newRow("deleting at a checkpoint column") << "checkpoint" << true;
    QTest::newRow("deleting across checkpoints") << "across" << true;
}

void TestLineCheckpoints::editedLinesGiveTheTokensFromTheStart()
{
    QFETCH(QString, where);
    QFETCH(bool, deleting);
    static const char *const kTyped[] = {"<", ">", "\"", "&", "&amp;", "<!--", "-->", "=", " ", "x", "%>", "<%", "-"};
    S syn;
    const int lookahead = syn.CheckpointLookahead();
    QRandomGenerator random(qHash(where) ^ (deleting ? 0x5a5a : 0));
    for (int round = 0; round < 30; ++round) {
        TLineCheckpoints points(64, 0);
        const TRangeState start = round % 5 == 4 ? S::rsComment : S::rsText;
        QString line = RandomLine(random, 3000 + random.bounded(3000));
        // Paints at the end build checkpoints over the whole line, then the window moves about.
        QVERIFY(PaintMatches(points, syn, line, start, int(line.size()) - 60, 80));
        QVERIFY(PaintMatches(points, syn, line, start, random.bounded(int(line.size())), 80));
        for (int edit = 0; edit < 8; ++edit) {
            const std::vector<TTokenCheckpoint> taken = points.Checkpoints(syn, 0);
            int at = -1, mark = -1;
            if (where == "comment")
                at = InsidePiece(random, line, {"<!--", "-->"});
            else if (where == "entity")
                at = InsidePiece(random, line, {"&amp;", "&nbsp;", "&thetasym;", "&lt;"});
            else if (where == "tag")
                at = InsidePiece(random, line, {"<p>", "<b", "<FONT color=red>", "<img & x>", "<td width=10>"});
            else if (where == "quoted")
                at = InsidePiece(random, line, {"\"x y.html\"", "\"x\""});
            else if ((where == "checkpoint" || where == "lookahead") && !taken.empty()) {
                mark = taken[size_t(random.bounded(int(taken.size())))].Column;
                at = mark + (where == "lookahead" ? random.bounded(lookahead + 1) : 0);
            } else if (where == "end")
                at = int(line.size());
            if (at < 0 || at > line.size())
                at = random.bounded(int(line.size()) + 1);
            if (deleting) {
                const int length =
                    where == "across" ? 64 * (2 + random.bounded(4)) + random.bounded(64) : 1 + random.bounded(4);
                line.remove(std::min<int>(at, int(line.size()) - 1), length);
            } else {
                // Right after a checkpoint, what decides the token before it: "<!--" or "<", an entity or text.
                static const char *const kDeciding[] = {"!--", "amp;", "!", "-", "%", "lt;", "nbsp;"};
                line.insert(at, QString::fromLatin1(where == "lookahead"
                                                        ? kDeciding[random.bounded(int(std::size(kDeciding)))]
                                                        : kTyped[random.bounded(int(std::size(kTyped)))]));
            }
            const int len = int(line.size());
            // The view paints at the edit first, then elsewhere: before it and after it. A window
            // starting at the checkpoint edited after resumes right there if it is kept.
            for (const int from :
                 {std::max(0, mark), std::max(0, at - 40), random.bounded(len), std::max(0, len - 60), 0})
                QVERIFY2(PaintMatches(points, syn, line, start, from, 80),
                         qPrintable(QStringLiteral("round %1 edit %2 at %3").arg(round).arg(edit).arg(at)));
        }
    }
}

// After a paint far into the line, a later one resumes near its window; an edit keeps the
// checkpoints whose column + lookahead lies before it and drops the others.
void TestLineCheckpoints::checkpointsAreUsedAndKeptBeforeAnEdit()
{
    S syn;
    const int lookahead = syn.CheckpointLookahead();
    QRandomGenerator random(7);
    QString line = RandomLine(random, 20000);
    TLineCheckpoints points(256, 0);
    QVERIFY(PaintMatches(points, syn, line, S::rsText, 0, int(line.size())));
    QCOMPARE(points.LastResumeColumn(), 0);
    const std::vector<TTokenCheckpoint> taken = points.Checkpoints(syn, 0);
    QVERIFY(taken.size() >= 40);
    for (size_t i = 1; i < taken.size(); ++i)
        QVERIFY(taken[i].Column / 256 > taken[i - 1].Column / 256);

    QVERIFY(PaintMatches(points, syn, line, S::rsText, 15000, 80));
    QVERIFY(points.LastResumeColumn() > 15000 - 2 * 256 && points.LastResumeColumn() <= 15000);

    const TTokenCheckpoint mark = taken[40];
    line.insert(mark.Column + lookahead, QChar(0x263A)); // in no piece: the text differs right there
    QVERIFY(PaintMatches(points, syn, line, S::rsText, 15000, 80));
    QCOMPARE(points.LastResumeColumn(), mark.Column);
    QCOMPARE(points.Checkpoints(syn, 0).front(), taken.front());
    QVERIFY(PaintMatches(points, syn, line, S::rsText, 15000, 80));
    QVERIFY(points.LastResumeColumn() > 15000 - 2 * 256);

    line.insert(mark.Column + lookahead - 1, QChar(0x263A));
    QVERIFY(PaintMatches(points, syn, line, S::rsText, mark.Column + 10, 80));
    QCOMPARE(points.LastResumeColumn(), taken[39].Column);
}

void TestLineCheckpoints::anotherStartStateDropsTheCheckpoints()
{
    S syn;
    QRandomGenerator random(11);
    const QString line = RandomLine(random, 5000);
    TLineCheckpoints points(64, 0);
    QVERIFY(PaintMatches(points, syn, line, S::rsText, 4900, 80));
    QVERIFY(PaintMatches(points, syn, line, S::rsAsp, 4900, 80));
    QCOMPARE(points.LastResumeColumn(), 0);
    QVERIFY(PaintMatches(points, syn, line, S::rsAsp, 4900, 80));
    QVERIFY(points.LastResumeColumn() > 0);
}

void TestLineCheckpoints::shortLinesAndOtherLinesOfTheSameIndex()
{
    S syn;
    QRandomGenerator random(13);
    const QString first = RandomLine(random, 6000);
    TLineCheckpoints points(64, 1000);
    QVERIFY(PaintMatches(points, syn, first.left(999), S::rsText, 900, 80));
    QVERIFY(PaintMatches(points, syn, first.left(999), S::rsText, 900, 80));
    QCOMPARE(points.LastResumeColumn(), 0);
    QVERIFY(points.Checkpoints(syn, 0).empty());

    // Line 0 of another document, then the first again: each is told from the other by its text.
    QVERIFY(PaintMatches(points, syn, first, S::rsText, 5900, 80));
    const QString second = RandomLine(random, 6000);
    QVERIFY(PaintMatches(points, syn, second, S::rsText, 5900, 80));
    QVERIFY(PaintMatches(points, syn, first, S::rsText, 5900, 80));
    QVERIFY(PaintMatches(points, syn, first.left(5950), S::rsText, 5900, 80));
    QVERIFY(PaintMatches(points, syn, first.left(3000), S::rsText, 2950, 80));
    QVERIFY(PaintMatches(points, syn, first, S::rsText, 5900, 80));
}

QTEST_GUILESS_MAIN(TestLineCheckpoints)
#include "tst_linecheckpoints.moc"
