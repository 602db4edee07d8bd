// The text the tag aid reads around the caret: exactly the document's characters within the
// budgets, at the document's positions, whatever the lines' lengths.
#include "aids/core/caretwindow.h"
#include "aids/core/taginsight.h"

#include <QRandomGenerator>
#include <QTest>

using namespace TagInsight;

namespace {

// The editor's SelStart for a caret at (x, y): characters before line y, each line with CR LF, plus x.
int SelStartOf(const TEditLines &lines, TBufferCoord caret)
{
    int total = 0;
    for (int i = 0; i < caret.Y - 1; ++i)
        total += int(lines[i].size()) + 2;
    return total + std::min(caret.X, int(lines[caret.Y - 1].size()) + 2);
}

QString RandomPage(QRandomGenerator &random)
{
    static const QStringList pieces = {QStringLiteral("<a href=\"x\">"),
                                       QStringLiteral("</a>"),
                                       QStringLiteral("<table"),
                                       QStringLiteral(" border=1>"),
                                       QStringLiteral("text "),
                                       QStringLiteral("\r\n"),
                                       QStringLiteral("\r\n\r\n"),
                                       QStringLiteral("<ta"),
                                       QStringLiteral("\""),
                                       QStringLiteral(">")};
    QString page;
    const int count = random.bounded(1, 60);
    for (int i = 0; i < count; ++i)
        page += pieces.at(random.bounded(int(pieces.size())));
    return page;
}

} // namespace

class TestCaretWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void bounds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::addColumn<int>("base");
        QTest::addColumn<QString>("window");
        QTest::newRow("all within the budgets") << "ab\ncd" << 2 << 2 << 100 << 100 << 0 << "ab\r\ncd\r\n";
        QTest::newRow("cut inside the caret's line") << "abcdefgh" << 6 << 1 << 3 << 2 << 2 << "cdefg";
        QTest::newRow("cut inside an earlier line") << "abcd\nef" << 2 << 2 << 4 << 1 << 3 << "d\r\nef";
        QTest::newRow("caret at the very start") << "abc\ndef" << 1 << 1 << 5 << 4 << 0 << "abc\r";
        QTest::newRow("caret past the last line's end") << "ab" << 3 << 1 << 1 << 9 << 1 << "b\r\n";
        QTest::newRow("later lines up to the budget") << "a\nb\nc\nd" << 1 << 1 << 0 << 5 << 0 << "a\r\nb\r";
    }

    void bounds()
    {
        QFETCH(QString, text);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, before);
        QFETCH(int, after);
        QFETCH(int, base);
        QFETCH(QString, window);
        TEditLines lines;
        lines.SetTextStr(text);
        const TBufferCoord caret{x, y};
        const int selStart = SelStartOf(lines, caret);
        const TCaretText around = TextAroundCaret(lines, caret, selStart, before, after);
        QCOMPARE(around.Base, base);
        QCOMPARE(around.Text, window);
        QCOMPARE(around.SelStart + around.Base, selStart);
    }

    void emptyDocument()
    {
        TEditLines lines;
        const TCaretText around = TextAroundCaret(lines, TBufferCoord{1, 1}, 1);
        QVERIFY(around.Text.isEmpty());
        QCOMPARE(around.Base, 0);
    }

    // A long line is cut to the budgets, not copied whole.
    void longLineIsCut()
    {
        TEditLines lines;
        lines.SetTextStr(QString(1000000, QLatin1Char('x')) + QStringLiteral("<ta ")
                         + QString(1000000, QLatin1Char('y')));
        const TBufferCoord caret{1000004, 1};
        const TCaretText around = TextAroundCaret(lines, caret, 1000004, 4096, 256);
        QCOMPARE(around.Text.size(), 4096 + 256);
        QCOMPARE(around.Text.mid(around.SelStart - 4, 3), QStringLiteral("<ta"));
        QCOMPARE(FillInsightList(around.Text, around.SelStart, TTagNames(),
                                 QList<TMyHTMLTag>{TMyHTMLTag(QStringLiteral("TABLE"))})
                         .InsightStart
                     + around.Base,
                 1000001);
    }

    // Random pages and carets: the window is the document's text at its positions, and where it
    // holds the whole page the aid decides on it as on the whole text.
    void matchesTheWholeText()
    {
        QRandomGenerator random(20261207);
        TTagNames names;
        names.Assign({QStringLiteral("A"), QStringLiteral("TABLE")});
        for (int round = 0; round < 2000; ++round) {
            TEditLines lines;
            lines.SetTextStr(RandomPage(random));
            const QString whole = lines.Text();
            const int y = random.bounded(1, lines.Count() + 1);
            const int x = random.bounded(1, int(lines[y - 1].size()) + 2);
            const TBufferCoord caret{x, y};
            const int selStart = SelStartOf(lines, caret);
            const int before = random.bounded(0, 40), after = random.bounded(0, 20);
            const TCaretText cut = TextAroundCaret(lines, caret, selStart, before, after);
            QCOMPARE(cut.Base, std::max(0, selStart - 1 - before));
            QCOMPARE(cut.Text, whole.mid(cut.Base, std::min<int>(whole.size(), selStart - 1 + after) - cut.Base));

            const TCaretText around = TextAroundCaret(lines, caret, selStart, 100000, 100000);
            QCOMPARE(around.Text, whole);
            const TTagHintCheck full = CheckTagHint(whole, selStart, false, names);
            const TTagHintCheck windowed = CheckTagHint(around.Text, around.SelStart, false, names);
            QCOMPARE(int(windowed.Decision), int(full.Decision));
            QCOMPARE(windowed.SelTagName, full.SelTagName);
            QCOMPARE(windowed.ScanPos + around.Base, full.ScanPos);
        }
    }
};

QTEST_APPLESS_MAIN(TestCaretWindow)
#include "tst_caretwindow.moc"
