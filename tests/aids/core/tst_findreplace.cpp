// Tests of the search commands' logic: dialog finds and replaces, prefill, number entry, ReplaceInRange.
#include "tests/support/testsupport.h"
#include "aids/core/findreplace.h"

#include <QTest>

namespace {

using TestSupport::Lf;

} // namespace

class TestFindReplace : public QObject
{
    Q_OBJECT

private:
    int m_beeps = 0;
    FindReplace::TBeep Beeper()
    {
        return [this] { ++m_beeps; };
    }

private slots:
    void init() { m_beeps = 0; }

    void dialogFind_data()
    {
        QTest::addColumn<bool>("down");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<QString>("found"); // "column,line" of the hit, or "" for a beep
        QTest::newRow("down from the caret") << true << false << false << "6,1";
        QTest::newRow("up from the caret") << false << false << false << "1,1";
        QTest::newRow("down, matching case") << true << true << false << "14,1";
        QTest::newRow("down, whole words") << true << false << true << "14,1";
        QTest::newRow("up, matching case: nothing") << false << true << false << "";
    }
    void dialogFind()
    {
        QFETCH(bool, down);
        QFETCH(bool, matchCase);
        QFETCH(bool, wholeWord);
        QFETCH(QString, found);
        TCodeEdit edit;
        edit.SetText(u"Word Words x word");
        edit.SetCaretXY(BufferCoord(5, 1));
        TSearchDialogState state;
        state.FindText = "word";
        state.Down = down;
        state.MatchCase = matchCase;
        state.WholeWord = wholeWord;
        const bool hit = FindReplace::DialogFind(edit, state, Beeper());
        QCOMPARE(hit, !found.isEmpty());
        QCOMPARE(m_beeps, found.isEmpty() ? 1 : 0);
        if (hit)
            QCOMPARE(QStringLiteral("%1,%2").arg(edit.BlockBegin().X).arg(edit.BlockBegin().Y), found);
        else
            QCOMPARE(edit.CaretXY(), BufferCoord(5, 1)); // a miss moves nothing
    }

    void replaceAllFromTheCaret_data()
    {
        QTest::addColumn<int>("caretX");
        QTest::addColumn<bool>("down");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("beeps");
        QTest::newRow("from the start") << 1 << true << 3 << "b b b" << 0;
        QTest::newRow("after the last a") << 6 << true << 0 << "a a a" << 1;
        QTest::newRow("direction up still replaces forwards") << 3 << false << 2 << "a b b" << 0;
    }
    void replaceAllFromTheCaret()
    {
        QFETCH(int, caretX);
        QFETCH(bool, down);
        QFETCH(int, count);
        QFETCH(QString, expected);
        QFETCH(int, beeps);
        TCodeEdit edit;
        edit.SetText(u"a a a");
        edit.SetCaretXY(BufferCoord(caretX, 1));
        TSearchDialogState state;
        state.FindText = "a";
        state.ReplaceText = "b";
        state.Down = down;
        QCOMPARE(FindReplace::DialogReplace(edit, state, true, Beeper()), count);
        QCOMPARE(edit.Text(), Lf(expected));
        QCOMPARE(m_beeps, beeps);
        QVERIFY(edit.HideSelection());
    }

    void replaceWithEmptyFindTextBeeps()
    {
        TCodeEdit edit;
        edit.SetText(u"a");
        TSearchDialogState state;
        state.ReplaceText = "b";
        QCOMPARE(FindReplace::DialogReplace(edit, state, false, Beeper()), 0);
        QCOMPARE(m_beeps, 1);
        QVERIFY(edit.HideSelection()); // switched on again on this path too
        QVERIFY(!edit.Modified());
    }

    void prefillCountsLineBreaksAsTwo()
    {
        TCodeEdit edit;
        edit.SetText(QString(14, u'a') + "\n" + QString(14, u'b'));
        edit.SetSelStart(1);
        edit.SetSelEnd(31); // 14 + 2 + 14 characters: 30 positions
        QVERIFY(FindReplace::PrefillFromSelection(edit).isNull());
        edit.SetSelEnd(30);
        QCOMPARE(FindReplace::PrefillFromSelection(edit), QString(14, u'a') + "\r\n" + QString(13, u'b'));
    }

    void strToInt_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");
        QTest::newRow("digits") << "42" << true << 42;
        QTest::newRow("sign") << "-3" << true << -3;
        QTest::newRow("blanks around") << " 7 " << true << 7;
        QTest::newRow("letters") << "abc" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("decimal point") << "1.5" << false << 0;
        QTest::newRow("beyond 32 bits") << "99999999999" << false << 0;
    }
    void strToInt()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, value);
        try {
            QCOMPARE(FindReplace::StrToInt(text), value);
            QVERIFY(valid);
        } catch (const EConvertError &e) {
            QVERIFY(!valid);
            QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("'%1' is not a valid integer value.").arg(text));
        }
    }

    void replaceInRange_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::addColumn<bool>("exchange");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("newEnd");
        // "a&b a&b\na&b" with "&" <-> "&amp;"
        QTest::newRow("inside the first line") << 1 << 4 << false << "a&amp;b a&b\na&b" << 8;
        QTest::newRow("across the line break") << 5 << 13 << false << "a&b a&amp;b\na&amp;b" << 21;
        QTest::newRow("entity direction swaps") << 1 << 12 << true << "a&b a&b\na&b" << 8;
        QTest::newRow("empty range changes nothing") << 3 << 3 << false << "a&b a&b\na&b" << 3;
    }
    void replaceInRange()
    {
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(bool, exchange);
        QFETCH(QString, expected);
        QFETCH(int, newEnd);
        TCodeEdit edit;
        edit.SetText(u"a&b a&b\na&b");
        if (exchange) // text that holds the entities to be turned back
            edit.SetText(u"a&amp;b a&b\na&b");
        edit.SetSelectionMode(smColumn);
        int s = start;
        int e = end;
        FindReplace::ReplaceInRange(edit, s, e, "&", "&amp;", exchange);
        QCOMPARE(edit.Text(), Lf(expected));
        QCOMPARE(s, start);
        QCOMPARE(e, newEnd);
        QCOMPARE(edit.SelectionMode(), smColumn);
    }
};

QTEST_GUILESS_MAIN(TestFindReplace)
#include "tst_findreplace.moc"
