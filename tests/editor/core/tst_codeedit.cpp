// Tests of TCodeEdit editing with the keystroke commands: caret, selection, typing, line breaks,
// tabs, backspace, delete and the read-only state.
#include "editor/core/codeedit.h"
#include "fakeclipboard.h"
#include "tests/support/testsupport.h"

#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(TBufferCoord)
Q_DECLARE_METATYPE(TSelectionMode)
Q_DECLARE_METATYPE(TEditorOptions)

using TestSupport::Lf;
using TestSupport::TBraceHighlighter;

class TestCodeEdit : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // ---- caret ----
    void caretClamping_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("pastEol");
        QTest::addColumn<TBufferCoord>("set");
        QTest::addColumn<TBufferCoord>("expected");
        const QString ten = "0123456789";
        QTest::newRow("past eol off: column 50 -> 11") << ten << false << BufferCoord(50, 1) << BufferCoord(11, 1);
        QTest::newRow("past eol on: column 50 kept") << ten << true << BufferCoord(50, 1) << BufferCoord(50, 1);
        QTest::newRow("past eol on: column 2000 -> 1025")
            << ten << true << BufferCoord(2000, 1) << BufferCoord(1025, 1);
        QTest::newRow("long line end reachable")
            << QString(3000, u'x') << true << BufferCoord(3001, 1) << BufferCoord(3001, 1);
        QTest::newRow("long line: past its end clamps to end")
            << QString(3000, u'x') << true << BufferCoord(5000, 1) << BufferCoord(3001, 1);
        QTest::newRow("line beyond last -> last line") << "a\nb" << false << BufferCoord(1, 9) << BufferCoord(1, 2);
        QTest::newRow("column 0 -> 1") << ten << false << BufferCoord(0, 1) << BufferCoord(1, 1);
    }
    void caretClamping()
    {
        QFETCH(QString, text);
        QFETCH(bool, pastEol);
        QFETCH(TBufferCoord, set);
        QFETCH(TBufferCoord, expected);
        TCodeEdit edit;
        edit.SetText(text);
        edit.SetOptions(pastEol ? kDefaultEditorOptions : kDefaultEditorOptions & ~TEditorOptions(eoScrollPastEol));
        edit.SetCaretXY(set);
        QCOMPARE(edit.CaretXY(), expected);
    }

    void blockBoundsAreStoredAsTheCaretReachesThem_data()
    {
        QTest::addColumn<bool>("pastEol");
        QTest::addColumn<int>("rights");
        QTest::newRow("past the end of the line") << true << 6;
        QTest::newRow("inside the line") << true << 2;
        QTest::newRow("at the end, past eol off") << false << 6;
    }
    void blockBoundsAreStoredAsTheCaretReachesThem()
    {
        QFETCH(bool, pastEol);
        QFETCH(int, rights);
        TCodeEdit edit;
        edit.SetText(u"abc\ndef");
        edit.SetOptions(pastEol ? kDefaultEditorOptions : kDefaultEditorOptions & ~TEditorOptions(eoScrollPastEol));
        edit.SetCaretXY({1, 1});
        for (int i = 0; i < rights; ++i)
            edit.CommandProcessor(ecRight);
        const TBufferCoord reached = edit.CaretXY();
        const int byKeys = edit.SelStart();
        // The same place set directly is the same place.
        edit.SetCaretXY({1, 2});
        edit.SetBlockBegin(reached);
        QCOMPARE(edit.BlockBegin(), reached);
        QCOMPARE(edit.SelStart(), byKeys);
        edit.SetBlockEnd(reached);
        QCOMPARE(edit.SelEnd(), byKeys);
    }

    void caretXAndYKeepEachOther()
    {
        TCodeEdit edit;
        edit.SetText(u"abcdef\nabcdef\nabcdef");
        edit.SetCaretXY({4, 2});
        edit.SetCaretY(3);
        QCOMPARE(edit.CaretXY(), BufferCoord(4, 3));
        edit.SetCaretX(2);
        QCOMPARE(edit.CaretXY(), BufferCoord(2, 3));
    }

    // ---- SelStart / SelEnd ----
    void selStartPositions_data()
    {
        QTest::addColumn<TBufferCoord>("pos");
        QTest::addColumn<int>("selStart");
        QTest::newRow("very start is 1") << BufferCoord(1, 1) << 1;
        QTest::newRow("after abc is 4") << BufferCoord(4, 1) << 4;
        QTest::newRow("start of second line is 6") << BufferCoord(1, 2) << 6;
        QTest::newRow("second char of line 2 is 7") << BufferCoord(2, 2) << 7;
    }
    void selStartPositions()
    {
        QFETCH(TBufferCoord, pos);
        QFETCH(int, selStart);
        TCodeEdit edit;
        edit.SetText(u"abc\nde");
        edit.SetCaretXY(pos);
        edit.SetBlockBegin(pos);
        QCOMPARE(edit.SelStart(), selStart);
        QCOMPARE(edit.SelEnd(), selStart);
        // Writing it back puts the caret at the same place.
        edit.SetCaretXY({1, 1});
        edit.SetSelStart(selStart);
        QCOMPARE(edit.CaretXY(), pos);
        QCOMPARE(edit.BlockBegin(), pos);
    }

    void selStartEndSelectRange()
    {
        TCodeEdit edit;
        edit.SetText(u"abc\ndefg\nh");
        edit.SetSelStart(2);
        edit.SetSelEnd(8);
        QCOMPARE(edit.SelText(), QString("bc\r\nde"));
        QCOMPARE(edit.SelStart(), 2);
        QCOMPARE(edit.SelEnd(), 8);
        edit.SetSelEnd(500); // past the end: the end of the text
        QCOMPARE(edit.SelText(), QString("bc\r\ndefg\r\nh"));
        edit.SetSelStart(500);
        QCOMPARE(edit.CaretXY(), BufferCoord(2, 3));
    }

    // ---- SelText reading ----
    void selTextRead_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<TBufferCoord>("begin");
        QTest::addColumn<TBufferCoord>("end");
        QTest::addColumn<TSelectionMode>("mode");
        QTest::addColumn<QString>("expected");
        const QString three = "abcdef\na\nabcdef";
        QTest::newRow("column block pads short lines")
            << three << BufferCoord(3, 1) << BufferCoord(5, 3) << smColumn << "cd\r\n  \r\ncd";
        QTest::newRow("column block with reversed columns")
            << three << BufferCoord(5, 1) << BufferCoord(3, 3) << smColumn << "cd\r\n  \r\ncd";
        QTest::newRow("normal across lines")
            << three << BufferCoord(3, 1) << BufferCoord(2, 3) << smNormal << "cdef\r\na\r\na";
        QTest::newRow("normal on one line") << three << BufferCoord(2, 1) << BufferCoord(4, 1) << smNormal << "bc";
        QTest::newRow("line mode takes whole lines")
            << three << BufferCoord(3, 1) << BufferCoord(1, 2) << smLine << "abcdef\r\na\r\n";
        QTest::newRow("reversed bounds read the same")
            << three << BufferCoord(2, 3) << BufferCoord(3, 1) << smNormal << "cdef\r\na\r\na";
    }
    void selTextRead()
    {
        QFETCH(QString, text);
        QFETCH(TBufferCoord, begin);
        QFETCH(TBufferCoord, end);
        QFETCH(TSelectionMode, mode);
        QFETCH(QString, expected);
        TCodeEdit edit;
        edit.SetText(text);
        edit.SetSelectionMode(mode);
        edit.SetBlockBegin(begin);
        edit.SetBlockEnd(end);
        QVERIFY(edit.SelAvail());
        QCOMPARE(edit.SelText(), expected);
    }

    void selAvailRules()
    {
        TCodeEdit edit;
        edit.SetText(u"abc\nabc");
        edit.SetBlockBegin({2, 1});
        edit.SetBlockEnd({2, 2});
        QVERIFY(edit.SelAvail());
        edit.SetSelectionMode(smColumn);
        QVERIFY(!edit.SelAvail()); // same column in column mode
        QCOMPARE(edit.SelText(), QString());
    }

    // ---- SelText writing (the replacement primitive) ----
    void selTextWrite_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<TBufferCoord>("begin");
        QTest::addColumn<TBufferCoord>("end");
        QTest::addColumn<TSelectionMode>("mode");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<TBufferCoord>("caret");
        QTest::newRow("normal: replace across lines") << "abc\ndef\nghi" << BufferCoord(2, 1) << BufferCoord(3, 3)
                                                      << smNormal << "X\nY" << Lf("aX\nYi") << BufferCoord(2, 2);
        QTest::newRow("normal: insert without selection")
            << "abc" << BufferCoord(2, 1) << BufferCoord(2, 1) << smNormal << "12" << Lf("a12bc") << BufferCoord(4, 1);
        QTest::newRow("normal: lone CR and LF split lines")
            << "ab" << BufferCoord(2, 1) << BufferCoord(2, 1) << smNormal << "1\r2\n3" << Lf("a1\n2\n3b")
            << BufferCoord(2, 3);
        QTest::newRow("normal: insert past line end pads")
            << "ab" << BufferCoord(5, 1) << BufferCoord(5, 1) << smColumn << "x" << Lf("ab  x") << BufferCoord(6, 1);
        QTest::newRow("normal: joined line is right-trimmed")
            << "ab  cd" << BufferCoord(4, 1) << BufferCoord(7, 1) << smNormal << "" << Lf("ab") << BufferCoord(4, 1);
        QTest::newRow("column: delete block and insert rows")
            << "abcdef\na\nabcdef" << BufferCoord(3, 1) << BufferCoord(5, 3) << smColumn << "12\n34\n56"
            << Lf("ab12ef\na 34\nab56ef") << BufferCoord(5, 3);
        QTest::newRow("column: rows append missing lines")
            << "abc" << BufferCoord(2, 1) << BufferCoord(2, 1) << smColumn << "1\n2\n3" << Lf("a1bc\n 2\n 3")
            << BufferCoord(3, 3);
        QTest::newRow("line: replace whole lines")
            << "a\nb\nc" << BufferCoord(2, 1) << BufferCoord(1, 2) << smLine << "X\r\n"
            << Lf("X\nc") << BufferCoord(1, 2);
        QTest::newRow("line: range reaching the last line keeps it emptied")
            << "a\nb\nc" << BufferCoord(1, 2) << BufferCoord(1, 3) << smLine << "" << Lf("a\n") << BufferCoord(1, 2);
        QTest::newRow("line: whole text leaves one empty line")
            << "a\nb" << BufferCoord(1, 1) << BufferCoord(2, 2) << smLine << "" << Lf("") << BufferCoord(1, 1);
    }
    void selTextWrite()
    {
        QFETCH(QString, text);
        QFETCH(TBufferCoord, begin);
        QFETCH(TBufferCoord, end);
        QFETCH(TSelectionMode, mode);
        QFETCH(QString, value);
        QFETCH(QString, expected);
        QFETCH(TBufferCoord, caret);
        TCodeEdit edit;
        edit.SetText(text);
        edit.SetSelectionMode(mode);
        edit.SetCaretXY(begin);
        edit.SetBlockBegin(begin);
        edit.SetBlockEnd(end);
        edit.SetSelText(value);
        QCOMPARE(edit.Text(), expected);
        QCOMPARE(edit.CaretXY(), caret);
        QVERIFY(!edit.SelAvail());
        QVERIFY(edit.Modified());
    }

    void selTextWriteRecordsDeleteThenInsert()
    {
        TCodeEdit edit;
        edit.SetText(u"hello world");
        edit.SetBlockBegin({1, 1});
        edit.SetBlockEnd({6, 1});
        edit.SetSelText("bye");
        QCOMPARE(edit.UndoList().ItemCount(), 2);
        QCOMPARE(edit.UndoList().Item(0).ChangeReason, urDeleteSelection);
        QCOMPARE(edit.UndoList().Item(0).ChangeStr, QString("hello"));
        QCOMPARE(edit.UndoList().Item(1).ChangeReason, urInsert);
        QCOMPARE(edit.UndoList().Item(1).ChangeEndPos, BufferCoord(4, 1));
    }

    // ---- typing ----
    void typing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<TBufferCoord>("caret");
        QTest::addColumn<bool>("insertMode");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<TBufferCoord>("caretAfter");
        QTest::newRow("insert in the middle")
            << "abc" << BufferCoord(2, 1) << true << "XY" << Lf("aXYbc") << BufferCoord(4, 1);
        QTest::newRow("blank at the end stores nothing")
            << "abc" << BufferCoord(4, 1) << true << "  " << Lf("abc") << BufferCoord(6, 1);
        QTest::newRow("past the end pads")
            << "abc" << BufferCoord(6, 1) << true << "x" << Lf("abc  x") << BufferCoord(7, 1);
        QTest::newRow("overwrite replaces")
            << "abc" << BufferCoord(2, 1) << false << "XY" << Lf("aXY") << BufferCoord(4, 1);
        QTest::newRow("overwrite at the end appends")
            << "abc" << BufferCoord(3, 1) << false << "XYZ" << Lf("abXYZ") << BufferCoord(6, 1);
        QTest::newRow("control characters are refused")
            << "abc" << BufferCoord(1, 1) << true << QString(QChar(127)) + "\t" << Lf("abc") << BufferCoord(1, 1);
        QTest::newRow("non-latin characters are typed")
            << "" << BufferCoord(1, 1) << true << QString::fromUtf8("\xe2\x82\xac")
            << Lf(QString::fromUtf8("\xe2\x82\xac")) << BufferCoord(2, 1);
    }
    void typing()
    {
        QFETCH(QString, text);
        QFETCH(TBufferCoord, caret);
        QFETCH(bool, insertMode);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QFETCH(TBufferCoord, caretAfter);
        TCodeEdit edit;
        edit.SetText(text);
        edit.SetInsertMode(insertMode);
        edit.SetCaretXY(caret);
        for (QChar c : typed)
            edit.CommandProcessor(ecChar, c);
        QCOMPARE(edit.Text(), expected);
        QCOMPARE(edit.CaretXY(), caretAfter);
    }

    void typingOverSelectionReplacesIt()
    {
        TCodeEdit edit;
        edit.SetText(u"abcdef");
        edit.SetBlockBegin({2, 1});
        edit.SetBlockEnd({5, 1});
        edit.CommandProcessor(ecChar, u'X');
        QCOMPARE(edit.Text(), Lf("aXef"));
        QCOMPARE(edit.UndoList().Item(0).ChangeReason, urDeleteSelection);
        QCOMPARE(edit.UndoList().Item(1).ChangeReason, urInsert);
    }

    void typingTouchesOnlyItsLine()
    {
        TCodeEdit edit;
        edit.SetText(u"one\ntwo\nthree");
        edit.SetCaretXY({2, 2});
        QSignalSpy spy(&edit, &TCodeEdit::linesInvalidated);
        edit.CommandProcessor(ecChar, u'x');
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), 2);
        QCOMPARE(spy.at(0).at(1).toInt(), 2);
    }

    // ---- line break ----
    void lineBreak_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<TBufferCoord>("caret");
        QTest::addColumn<bool>("autoIndent");
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<TBufferCoord>("caretAfter");
        QTest::newRow("auto-indent keeps the indentation")
            << "    abcd" << BufferCoord(7, 1) << true << int(ecLineBreak) << Lf("    ab\n    cd") << BufferCoord(5, 2);
        QTest::newRow("at the end: new line after the indentation")
            << "  ab" << BufferCoord(5, 1) << true << int(ecLineBreak) << Lf("  ab\n") << BufferCoord(3, 2);
        QTest::newRow("without auto-indent no indentation")
            << "    abcd" << BufferCoord(7, 1) << false << int(ecLineBreak) << Lf("    ab\ncd") << BufferCoord(1, 2);
        QTest::newRow("empty line takes the indentation above")
            << "   x\n\nz" << BufferCoord(1, 2) << true << int(ecLineBreak) << Lf("   x\n\n\nz") << BufferCoord(4, 3);
        QTest::newRow("column 1 moves the line down unchanged")
            << "  ab" << BufferCoord(1, 1) << true << int(ecLineBreak) << Lf("\n  ab") << BufferCoord(1, 2);
        QTest::newRow("beyond the line end")
            << "ab" << BufferCoord(9, 1) << true << int(ecLineBreak) << Lf("ab\n") << BufferCoord(1, 2);
        QTest::newRow("split part is right-trimmed")
            << "ab  cd" << BufferCoord(4, 1) << false << int(ecLineBreak) << Lf("ab\n cd") << BufferCoord(1, 2);
        QTest::newRow("insert line leaves the caret")
            << "abcd" << BufferCoord(3, 1) << true << int(ecInsertLine) << Lf("ab\ncd") << BufferCoord(3, 1);
    }
    void lineBreak()
    {
        QFETCH(QString, text);
        QFETCH(TBufferCoord, caret);
        QFETCH(bool, autoIndent);
        QFETCH(int, command);
        QFETCH(QString, expected);
        QFETCH(TBufferCoord, caretAfter);
        TCodeEdit edit;
        edit.SetText(text);
        TEditorOptions o = edit.Options();
        o.setFlag(eoAutoIndent, autoIndent);
        edit.SetOptions(o);
        edit.SetCaretXY(caret);
        edit.CommandProcessor(TEditorCommand(command));
        QCOMPARE(edit.Text(), expected);
        QCOMPARE(edit.CaretXY(), caretAfter);
        QCOMPARE(edit.UndoList().GetChangeReason(), urLineBreak);
    }

    // ---- tab key ----
    void tabKey_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<TBufferCoord>("caret");
        QTest::addColumn<bool>("smart");
        QTest::addColumn<int>("tabWidth");
        QTest::addColumn<int>("blanks");
        QTest::newRow("TabWidth 8 at column 3 inserts 6") << "abcd" << BufferCoord(3, 1) << false << 8 << 6;
        QTest::newRow("TabWidth 8 at column 9 inserts 8") << "abcdefghij" << BufferCoord(9, 1) << false << 8 << 8;
        QTest::newRow("TabWidth 4 at column 2 inserts 3") << "abcd" << BufferCoord(2, 1) << false << 4 << 3;
        QTest::newRow("TabWidth 0 inserts one blank") << "abcd" << BufferCoord(2, 1) << false << 0 << 1;
        QTest::newRow("smart tab to next word of line above") << "abc def\nxyz" << BufferCoord(2, 2) << true << 8 << 3;
        QTest::newRow("smart tab from a blank counts blanks") << "ab   cd\nxy" << BufferCoord(3, 2) << true << 8 << 3;
        QTest::newRow("smart tab skips short lines above") << "a    b\nx\nyz" << BufferCoord(2, 3) << true << 8 << 4;
        QTest::newRow("smart tab without guide line uses tab stop") << "abcd" << BufferCoord(3, 1) << true << 8 << 6;
    }
    void tabKey()
    {
        QFETCH(QString, text);
        QFETCH(TBufferCoord, caret);
        QFETCH(bool, smart);
        QFETCH(int, tabWidth);
        QFETCH(int, blanks);
        TCodeEdit edit;
        edit.SetText(text);
        TEditorOptions o = edit.Options();
        o.setFlag(eoSmartTabs, smart);
        edit.SetOptions(o);
        edit.SetTabWidth(tabWidth);
        edit.SetCaretXY(caret);
        const QString before = edit.Lines()[caret.Y - 1];
        edit.CommandProcessor(ecTab);
        QCOMPARE(edit.CaretXY(), BufferCoord(caret.X + blanks, caret.Y));
        QString expectedLine = before;
        expectedLine.insert(caret.X - 1, QString(blanks, u' '));
        while (expectedLine.endsWith(u' ')) // blanks at the line end only move the caret
            expectedLine.chop(1);
        QCOMPARE(edit.Lines()[caret.Y - 1], expectedLine);
        QCOMPARE(edit.UndoList().GetChangeReason(), urInsert);
    }

    void tabWidthIsClamped()
    {
        TCodeEdit edit;
        edit.SetTabWidth(1000);
        QCOMPARE(edit.TabWidth(), 256);
        edit.SetTabWidth(-3);
        QCOMPARE(edit.TabWidth(), 0);
    }

    // ---- backspace: the five cases ----
    void backspace_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<TBufferCoord>("caret");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<TBufferCoord>("caretAfter");
        QTest::addColumn<bool>("recorded");
        QTest::newRow("2: beyond the line end only moves")
            << "ab" << BufferCoord(6, 1) << Lf("ab") << BufferCoord(5, 1) << false;
        QTest::newRow("3: column 1 joins with the line above")
            << "ab\ncd" << BufferCoord(1, 2) << Lf("abcd") << BufferCoord(3, 1) << true;
        QTest::newRow("3: column 1 of the first line does nothing")
            << "ab" << BufferCoord(1, 1) << Lf("ab") << BufferCoord(1, 1) << false;
        QTest::newRow("4: unindents to the guide line above")
            << "  a\n      b" << BufferCoord(7, 2) << Lf("  a\n  b") << BufferCoord(3, 2) << true;
        QTest::newRow("4: no smaller indentation above goes to 0")
            << "    a\n    b" << BufferCoord(5, 2) << Lf("    a\nb") << BufferCoord(1, 2) << true;
        QTest::newRow("4: an empty line above counts as 0")
            << "  a\n\n    b" << BufferCoord(5, 3) << Lf("  a\n\nb") << BufferCoord(1, 3) << true;
        QTest::newRow("5: deletes the character before")
            << "abc" << BufferCoord(3, 1) << Lf("ac") << BufferCoord(2, 1) << true;
        QTest::newRow("5: right-trims the line")
            << "ab x" << BufferCoord(5, 1) << Lf("ab") << BufferCoord(4, 1) << true;
        QTest::newRow("5: blank inside the text is one char")
            << "a  b" << BufferCoord(3, 1) << Lf("a b") << BufferCoord(2, 1) << true;
    }
    void backspace()
    {
        QFETCH(QString, text);
        QFETCH(TBufferCoord, caret);
        QFETCH(QString, expected);
        QFETCH(TBufferCoord, caretAfter);
        QFETCH(bool, recorded);
        TCodeEdit edit;
        edit.SetText(text);
        edit.SetCaretXY(caret);
        edit.CommandProcessor(ecDeleteLastChar);
        QCOMPARE(edit.Text(), expected);
        QCOMPARE(edit.CaretXY(), caretAfter);
        QCOMPARE(edit.UndoList().ItemCount(), recorded ? 1 : 0);
        if (recorded)
            QCOMPARE(edit.UndoList().GetChangeReason(), urDeleteBackward);
    }

    void backspaceCase1DeletesSelection()
    {
        TCodeEdit edit;
        edit.SetText(u"abc\ndef");
        edit.SetBlockBegin({2, 1});
        edit.SetBlockEnd({2, 2});
        edit.CommandProcessor(ecDeleteLastChar);
        QCOMPARE(edit.Text(), Lf("aef"));
        QCOMPARE(edit.UndoList().Item(0).ChangeReason, urDeleteBackward);
        QCOMPARE(edit.UndoList().Item(0).ChangeStr, QString("bc\r\nd"));
    }

    void backspaceCase4NeedsAutoIndent()
    {
        TCodeEdit edit;
        edit.SetOptions(edit.Options() & ~TEditorOptions(eoAutoIndent));
        edit.SetText(u"  a\n      b");
        edit.SetCaretXY({7, 2});
        edit.CommandProcessor(ecDeleteLastChar);
        QCOMPARE(edit.Lines()[1], QString("     b"));
    }

    // ---- delete ----
    void deletionCommands_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<TBufferCoord>("caret");
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<TBufferCoord>("caretAfter");
        const int del = ecDeleteChar; // the caret stays where it is
        QTest::newRow("delete inside the line") << "abc" << BufferCoord(2, 1) << del << Lf("ac") << BufferCoord(2, 1);
        QTest::newRow("delete at the end joins the next line")
            << "ab\ncd" << BufferCoord(3, 1) << del << Lf("abcd") << BufferCoord(3, 1);
        QTest::newRow("delete beyond the end pads up to the caret")
            << "ab\ncd" << BufferCoord(5, 1) << del << Lf("ab  cd") << BufferCoord(5, 1);
        QTest::newRow("delete joining an empty line trims")
            << "ab\n"
            << BufferCoord(5, 1) << del << Lf("ab") << BufferCoord(5, 1);
        QTest::newRow("delete at the end of the last line: nothing")
            << "ab" << BufferCoord(3, 1) << del << Lf("ab") << BufferCoord(3, 1);
        QTest::newRow("delete word to next word start")
            << "ab cd ef" << BufferCoord(1, 1) << int(ecDeleteWord) << Lf("cd ef") << BufferCoord(1, 1);
        QTest::newRow("delete last word")
            << "ab cd ef" << BufferCoord(7, 1) << int(ecDeleteLastWord) << Lf("ab ef") << BufferCoord(4, 1);
        QTest::newRow("delete to line start")
            << "abcdef" << BufferCoord(4, 1) << int(ecDeleteBOL) << Lf("def") << BufferCoord(1, 1);
        QTest::newRow("delete to line end")
            << "abcdef\nx" << BufferCoord(4, 1) << int(ecDeleteEOL) << Lf("abc\nx") << BufferCoord(4, 1);
        QTest::newRow("delete line in the middle")
            << "a\nb\nc" << BufferCoord(1, 2) << int(ecDeleteLine) << Lf("a\nc") << BufferCoord(1, 2);
        QTest::newRow("delete the last line")
            << "a\nb" << BufferCoord(1, 2) << int(ecDeleteLine) << Lf("a") << BufferCoord(1, 1);
        QTest::newRow("delete the only line")
            << "abc" << BufferCoord(2, 1) << int(ecDeleteLine) << Lf("") << BufferCoord(1, 1);
        QTest::newRow("clear all") << "a\nb" << BufferCoord(1, 2) << int(ecClearAll) << Lf("") << BufferCoord(1, 1);
    }
    void deletionCommands()
    {
        QFETCH(QString, text);
        QFETCH(TBufferCoord, caret);
        QFETCH(int, command);
        QFETCH(QString, expected);
        QFETCH(TBufferCoord, caretAfter);
        TCodeEdit edit;
        edit.SetText(text);
        const QString before = edit.Text();
        edit.SetCaretXY(caret);
        edit.CommandProcessor(TEditorCommand(command));
        QCOMPARE(edit.Text(), expected);
        QCOMPARE(edit.CaretXY(), caretAfter);
        QCOMPARE(edit.UndoList().GetChangeReason(), expected == before ? urNone : urDeleteForward);
        edit.Undo();
        QCOMPARE(edit.Text(), before);
    }

    void readOnlyRefusesEdits()
    {
        TCodeEdit edit;
        edit.SetText(u"abc");
        edit.SetReadOnly(true);
        edit.SetCaretXY({2, 1});
        for (TEditorCommand c : {ecDeleteLastChar, ecDeleteChar, ecDeleteWord, ecDeleteLine, ecClearAll, ecLineBreak,
                                 ecTab, ecPaste, ecCut, ecBlockIndent})
            edit.CommandProcessor(c);
        edit.CommandProcessor(ecChar, u'x');
        QCOMPARE(edit.Text(), Lf("abc"));
        QVERIFY(!edit.Modified());
        edit.CommandProcessor(ecRight); // moving still works
        QCOMPARE(edit.CaretX(), 3);
    }
};

QTEST_GUILESS_MAIN(TestCodeEdit)
#include "tst_codeedit.moc"
