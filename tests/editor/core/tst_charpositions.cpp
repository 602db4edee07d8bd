// Character positions from the line store's running index, checked against counting every line.
#include "editor/core/codeedit.h"
#include "editor/core/editcommands.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

qint64 NaiveTotal(const TCodeEdit &edit)
{
    qint64 total = 0;
    for (int i = 0; i < edit.LineCount(); ++i)
        total += edit.Lines()[i].size() + 2;
    return total;
}

int NaiveCharPos(const TCodeEdit &edit, TBufferCoord pos)
{
    qint64 total = 0;
    for (int i = 0; i < pos.Y - 1 && i < edit.LineCount(); ++i)
        total += edit.Lines()[i].size() + 2;
    const int len = pos.Y >= 1 && pos.Y <= edit.LineCount() ? int(edit.Lines()[pos.Y - 1].size()) : 0;
    return int(total + std::min(pos.X, len + 2));
}

TBufferCoord NaiveCoord(const TCodeEdit &edit, int p)
{
    qint64 total = 0;
    const int count = edit.LineCount();
    int i = 0;
    while (i < count && total + edit.Lines()[i].size() + 2 < p) {
        total += edit.Lines()[i].size() + 2;
        ++i;
    }
    if (i >= count)
        return BufferCoord(int(edit.Lines()[count - 1].size()) + 1, count);
    return BufferCoord(int(p - total), i + 1);
}

void Replace(TCodeEdit &edit, TBufferCoord from, TBufferCoord to, const QString &text)
{
    edit.SetBlockBegin(from);
    edit.SetBlockEnd(to);
    edit.SetSelText(text);
}

QString RandomText(QRandomGenerator &random)
{
    static const QString pieces[] = {
        QStringLiteral("a"), QStringLiteral("<p>"), QStringLiteral("\r\n"), QStringLiteral("two\r\nlines"),
        QString(),           QStringLiteral("\t")};
    QString text;
    for (int n = random.bounded(4); n > 0; --n)
        text += pieces[random.bounded(int(std::size(pieces)))];
    return text;
}

TBufferCoord RandomPlace(const TCodeEdit &edit, QRandomGenerator &random)
{
    const int y = 1 + random.bounded(edit.LineCount());
    return BufferCoord(1 + random.bounded(int(edit.Lines()[y - 1].size()) + 1), y);
}

} // namespace

class TestCharPositions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void positionsMatchCountingEveryLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("one line") << QStringLiteral("<p>x</p>");
        QTest::newRow("empty lines") << QStringLiteral("\r\n\r\n\r\n");
        QTest::newRow("mixed") << QStringLiteral("<html>\r\n\t<body>\r\n\r\nlong line here\r\n</html>");
    }
    void positionsMatchCountingEveryLine()
    {
        QFETCH(QString, text);
        TCodeEdit edit;
        edit.SetText(text);
        QCOMPARE(edit.TotalCharCount(), NaiveTotal(edit));
        for (int y = 0; y <= edit.LineCount() + 1; ++y)
            for (int x = 0; x <= 20; ++x)
                QCOMPARE(edit.CharPosOf(BufferCoord(x, y)), NaiveCharPos(edit, BufferCoord(x, y)));
        // Positions before the text, in it, and well past its end.
        for (int p = -2; p <= int(NaiveTotal(edit)) + 5; ++p)
            QCOMPARE(edit.CoordOfCharPos(p), NaiveCoord(edit, p));
    }

    void randomEditsKeepTheIndexRight()
    {
        QRandomGenerator random(4711);
        TCodeEdit edit;
        edit.SetText(QStringLiteral("<html>\r\n<body>\r\ntext\r\n</body>\r\n</html>"));
        for (int step = 0; step < 3000; ++step) {
            switch (random.bounded(8)) {
            case 0:
            case 1:
            case 2: {
                TBufferCoord a = RandomPlace(edit, random);
                TBufferCoord b = RandomPlace(edit, random);
                if (b < a)
                    std::swap(a, b);
                Replace(edit, a, b, RandomText(random));
                break;
            }
            case 3:
                if (edit.CanUndo())
                    edit.Undo();
                break;
            case 4:
                if (edit.CanRedo())
                    edit.Redo();
                break;
            case 5: edit.SetSelStart(1 + random.bounded(int(edit.TotalCharCount()) + 1)); break;
            case 6:
                if (random.bounded(40) == 0)
                    edit.SetText(random.bounded(2) ? QString() : QStringLiteral("a\r\nb\r\nc"));
                break;
            default: edit.CommandProcessor(random.bounded(2) ? ecLineBreak : ecDeleteLastChar); break;
            }
            QCOMPARE(edit.TotalCharCount(), NaiveTotal(edit));
            const TBufferCoord place = RandomPlace(edit, random);
            QCOMPARE(edit.CharPosOf(place), NaiveCharPos(edit, place));
            const int p = random.bounded(int(NaiveTotal(edit)) + 3);
            QCOMPARE(edit.CoordOfCharPos(p), NaiveCoord(edit, p));
            QCOMPARE(edit.SelStart(), NaiveCharPos(edit, edit.BlockBegin()));
        }
    }

    // Typing and reading the caret's position walks only what changed, never the whole text.
    void aKeyOnAMillionLinesWalksNoWholeDocument_data()
    {
        QTest::addColumn<int>("line");
        QTest::newRow("at the end") << 1000000;
        QTest::newRow("in the middle") << 500000;
        QTest::newRow("at the top") << 1;
    }
    void aKeyOnAMillionLinesWalksNoWholeDocument()
    {
        QFETCH(int, line);
        TCodeEdit edit;
        QString text;
        text.reserve(1000000 * 7);
        for (int i = 0; i < 1000000; ++i)
            text += QStringLiteral("<p>x</p>\r\n").first(i + 1 < 1000000 ? 10 : 8);
        edit.SetText(text);
        QCOMPARE(edit.LineCount(), 1000000);
        edit.SetCaretXY(BufferCoord(1, line));
        (void)edit.CharPosOf(edit.CaretXY()); // the first reading may count up to the caret once
        const qint64 before = edit.Lines().LinesSummed();
        for (int key = 0; key < 5; ++key) {
            edit.CommandProcessor(ecChar, QLatin1Char('a'));
            QCOMPARE(edit.SelStart(), NaiveCharPos(edit, edit.CaretXY()));
            QVERIFY(edit.TotalCharCount() > 0);
        }
        QVERIFY2(edit.Lines().LinesSummed() - before < 10,
                 qPrintable(QString::number(edit.Lines().LinesSummed() - before)));
    }
};

QTEST_GUILESS_MAIN(TestCharPositions)
#include "tst_charpositions.moc"
