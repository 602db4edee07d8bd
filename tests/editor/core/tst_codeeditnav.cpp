// Tests of TCodeEdit moves and the rest of its commands: word and line moves, paging, the clipboard,
// bracket matching, bookmarks, batched status changes and rescans.
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

class TestCodeEditNav : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // ---- moves ----
    void wordMoves()
    {
        TCodeEdit edit;
        edit.SetText(u"ab, cd\n  ef");
        edit.CommandProcessor(ecWordRight);
        QCOMPARE(edit.CaretXY(), BufferCoord(5, 1));
        edit.CommandProcessor(ecWordRight);
        QCOMPARE(edit.CaretXY(), BufferCoord(7, 1));
        edit.CommandProcessor(ecWordRight);
        QCOMPARE(edit.CaretXY(), BufferCoord(3, 2));
        edit.CommandProcessor(ecWordLeft);
        QCOMPARE(edit.CaretXY(), BufferCoord(1, 2));
        edit.CommandProcessor(ecWordLeft);
        QCOMPARE(edit.CaretXY(), BufferCoord(7, 1));
        edit.CommandProcessor(ecSelWordLeft);
        QCOMPARE(edit.SelText(), QString("cd"));
        edit.SetWordBlock({2, 1});
        QCOMPARE(edit.SelText(), QString("ab,")); // without a highlighter codes 33 and up make words
        TBraceHighlighter hl;
        edit.SetHighlighter(&hl);
        edit.SetWordBlock({2, 1});
        QCOMPARE(edit.SelText(), QString("ab")); // the highlighter's identifier characters
        QCOMPARE(edit.CaretXY(), BufferCoord(3, 1));
        edit.SetHighlighter(nullptr);
    }

    void selectionCommandsExtend()
    {
        TCodeEdit edit;
        edit.SetText(u"abcdef\nabcdef\nabcdef");
        edit.SetCaretXY({2, 1});
        edit.CommandProcessor(ecSelRight);
        edit.CommandProcessor(ecSelRight);
        edit.CommandProcessor(ecSelDown);
        QCOMPARE(edit.BlockBegin(), BufferCoord(2, 1));
        QCOMPARE(edit.BlockEnd(), BufferCoord(4, 2));
        edit.CommandProcessor(ecLeft); // a plain move drops the selection
        QVERIFY(!edit.SelAvail());
        // Column mode keeps its anchor while the columns are equal.
        edit.CommandProcessor(ecColumnSelect);
        edit.CommandProcessor(ecSelDown);
        edit.CommandProcessor(ecSelRight);
        QCOMPARE(edit.SelText(), QString("c\r\nc"));
        edit.CommandProcessor(ecSelectAll);
        QCOMPARE(edit.BlockBegin(), BufferCoord(1, 1));
        QCOMPARE(edit.BlockEnd(), BufferCoord(7, 3));
    }

    void lineEndsAndEditorEnds()
    {
        TCodeEdit edit;
        edit.SetText(u"abc\nde");
        edit.CommandProcessor(ecLineEnd);
        QCOMPARE(edit.CaretXY(), BufferCoord(4, 1));
        edit.CommandProcessor(ecEditorBottom);
        QCOMPARE(edit.CaretXY(), BufferCoord(3, 2));
        edit.CommandProcessor(ecLineStart);
        QCOMPARE(edit.CaretXY(), BufferCoord(1, 2));
        edit.CommandProcessor(ecEditorTop);
        QCOMPARE(edit.CaretXY(), BufferCoord(1, 1));
        TBufferCoord target{2, 2};
        edit.CommandProcessor(ecSelGotoXY, QChar(), &target);
        QCOMPARE(edit.SelText(), QString("abc\r\nd"));
        edit.CommandProcessor(ecGotoXY); // no data: ignored
        QCOMPARE(edit.CaretXY(), BufferCoord(2, 2));
    }

    void pagingAndScrolling()
    {
        TCodeEdit edit;
        QStringList lines;
        for (int i = 1; i <= 100; ++i)
            lines << QString::number(i);
        edit.SetText(lines.join("\n"));
        edit.SetLinesInWindow(10);
        edit.CommandProcessor(ecPageDown);
        QCOMPARE(edit.CaretY(), 11);
        QCOMPARE(edit.TopLine(), 11);
        edit.CommandProcessor(ecPageBottom);
        QCOMPARE(edit.CaretY(), 20);
        edit.CommandProcessor(ecScrollDown);
        QCOMPARE(edit.TopLine(), 12);
        edit.CommandProcessor(ecPageTop);
        QCOMPARE(edit.CaretY(), 12);
        edit.CommandProcessor(ecScrollDown); // the caret is pulled back into the window
        QCOMPARE(edit.TopLine(), 13);
        QCOMPARE(edit.CaretY(), 13);
        edit.SetOptions(edit.Options() | eoHalfPageScroll);
        edit.CommandProcessor(ecPageUp);
        QCOMPARE(edit.CaretY(), 8);
        edit.SetTopLine(500);
        QCOMPARE(edit.TopLine(), 100);
        edit.SetTopLine(-4);
        QCOMPARE(edit.TopLine(), 1);
        edit.SetCaretXY({1, 90}); // keeping the caret visible scrolls
        QCOMPARE(edit.TopLine(), 81);
    }

    // ---- clipboard ----
    void copyPlacesBothFormats()
    {
        TCodeEdit edit;
        TFakeClipboard clip;
        edit.SetClipboard(&clip);
        edit.SetText(u"abcdef\nabcdef");
        edit.SetSelectionMode(smColumn);
        edit.SetBlockBegin({2, 1});
        edit.SetBlockEnd({4, 2});
        edit.CopyToClipboard();
        QCOMPARE(clip.text, QString("bc\r\nbc"));
        QCOMPARE(int(clip.block.at(0)), int(smColumn));
        QCOMPARE(clip.block.back(), '\0');
        TSelectionMode mode = smNormal;
        QString text;
        QVERIFY(DecodeBlockType(clip.block, mode, text));
        QCOMPARE(mode, smColumn);
        QCOMPARE(text, clip.text);
    }

    void pasteUsesBlockMode()
    {
        TCodeEdit edit;
        TFakeClipboard clip;
        edit.SetClipboard(&clip);
        clip.SetData("12\r\n34", EncodeBlockType(smColumn, "12\r\n34"));
        edit.SetText(u"abc\nabc");
        edit.SetCaretXY({2, 1});
        edit.PasteFromClipboard(); // inserted as a column block although the mode is normal
        QCOMPARE(edit.Text(), Lf("a12bc\na34bc"));
        QCOMPARE(edit.SelectionMode(), smNormal);
        QCOMPARE(edit.UndoList().GetChangeReason(), urPaste);
        clip.SetPlain("X\nY");
        edit.SetCaretXY({1, 1});
        edit.PasteFromClipboard(); // plain text in the current (normal) mode
        QCOMPARE(edit.Text(), Lf("X\nYa12bc\na34bc"));
        edit.ClearUndo();
        clip.SetPlain("Z");
        edit.SetBlockBegin({1, 2});
        edit.SetBlockEnd({3, 2});
        edit.CommandProcessor(ecPaste); // over a selection: two records
        QCOMPARE(edit.Text(), Lf("X\nZ12bc\na34bc"));
        QCOMPARE(edit.UndoList().ItemCount(), 2);
        QCOMPARE(edit.UndoList().Item(0).ChangeReason, urDeleteSelection);
        QCOMPARE(edit.UndoList().Item(1).ChangeReason, urPaste);
    }

    void cutCopiesAndDeletes()
    {
        TCodeEdit edit;
        TFakeClipboard clip;
        edit.SetClipboard(&clip);
        edit.SetText(u"abc");
        edit.SetBlockBegin({2, 1});
        edit.SetBlockEnd({4, 1});
        edit.CommandProcessor(ecCut);
        QCOMPARE(clip.text, QString("bc"));
        QCOMPARE(edit.Text(), Lf("a"));
        QCOMPARE(edit.UndoList().GetChangeReason(), urDeleteBackward);
    }

    void clipboardFailures()
    {
        TCodeEdit edit;
        edit.SetText(u"abc");
        edit.SelectAll();
        try {
            edit.CopyToClipboard(); // no clipboard at all
            QFAIL("no error");
        } catch (const EEditError &e) {
            QCOMPARE(QString(e.what()), QString("Clipboard copy operation failed"));
        }
        TFakeClipboard clip;
        clip.failWrites = true;
        clip.failReads = true;
        edit.SetClipboard(&clip);
        QVERIFY_THROWS_EXCEPTION(EEditError, edit.CopyToClipboard());
        QVERIFY_THROWS_EXCEPTION(EEditError, edit.CutToClipboard());
        QCOMPARE(edit.Text(), Lf("abc")); // a failed cut deletes nothing
        try {
            edit.PasteFromClipboard();
            QFAIL("no error");
        } catch (const EEditError &e) {
            QCOMPARE(QString(e.what()), QString("Clipboard paste operation failed."));
        }
        QVERIFY(!edit.Modified());
        QByteArray bad("\x07xyz");
        TSelectionMode m;
        QString t;
        QVERIFY(!DecodeBlockType(bad, m, t));
        QVERIFY(!DecodeBlockType(QByteArray(), m, t));
    }

    // ---- brackets ----
    void matchBracket_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<TBufferCoord>("caret");
        QTest::addColumn<TBufferCoord>("expected");
        QTest::newRow("forward to the partner") << "a(b)c" << BufferCoord(2, 1) << BufferCoord(4, 1);
        QTest::newRow("backward to the partner") << "a(b)c" << BufferCoord(4, 1) << BufferCoord(2, 1);
        QTest::newRow("nesting of the same kind") << "((x)[)])" << BufferCoord(1, 1) << BufferCoord(6, 1);
        QTest::newRow("across lines and empty lines") << "{\n\n x\n}" << BufferCoord(1, 1) << BufferCoord(1, 4);
        QTest::newRow("backward across lines") << "[\n\n]" << BufferCoord(1, 3) << BufferCoord(1, 1);
        QTest::newRow("no partner: caret stays") << "(abc" << BufferCoord(1, 1) << BufferCoord(1, 1);
        QTest::newRow("not on a bracket: caret stays") << "a(b)" << BufferCoord(1, 1) << BufferCoord(1, 1);
        QTest::newRow("quotes are not regarded") << "(\")\")" << BufferCoord(1, 1) << BufferCoord(3, 1);
    }
    void matchBracket()
    {
        QFETCH(QString, text);
        QFETCH(TBufferCoord, caret);
        QFETCH(TBufferCoord, expected);
        TCodeEdit edit;
        edit.SetText(text);
        edit.SetCaretXY(caret);
        edit.CommandProcessor(ecMatchBracket);
        QCOMPARE(edit.CaretXY(), expected);
    }

    // ---- bookmarks ----
    void bookmarksSetToggleMove()
    {
        TCodeEdit edit;
        edit.SetText(u"a\nb\nc\nd");
        edit.SetCaretXY({1, 2});
        edit.CommandProcessor(TEditorCommand(ecSetMarker0 + 1));
        QVERIFY(edit.IsBookmark(1));
        int x = 0, y = 0;
        QVERIFY(edit.GetBookMark(1, x, y));
        QCOMPARE(y, 2);
        edit.CommandProcessor(TEditorCommand(ecSetMarker0 + 1)); // same line: toggled off
        QVERIFY(!edit.IsBookmark(1));
        edit.CommandProcessor(TEditorCommand(ecSetMarker0 + 1));
        edit.SetCaretXY({1, 4});
        edit.CommandProcessor(TEditorCommand(ecSetMarker0 + 1)); // other line: moved
        QVERIFY(edit.GetBookMark(1, x, y));
        QCOMPARE(y, 4);
        QCOMPARE(edit.Marks().Count(), 1);
        edit.SetCaretXY({1, 1});
        edit.CommandProcessor(TEditorCommand(ecGotoMarker0 + 1));
        QCOMPARE(edit.CaretXY(), BufferCoord(1, 4));
        edit.BookMarkOptions().SetEnableKeys(false);
        edit.SetCaretXY({1, 1});
        edit.CommandProcessor(TEditorCommand(ecGotoMarker0 + 1));
        edit.CommandProcessor(TEditorCommand(ecSetMarker0 + 2));
        QCOMPARE(edit.CaretXY(), BufferCoord(1, 1));
        QVERIFY(!edit.IsBookmark(2));
    }

    void bookmarkReplacesOtherOnSameLine()
    {
        TCodeEdit edit;
        edit.SetText(u"a\nb\nc");
        edit.SetBookMark(5, 1, 2);
        edit.SetBookMark(3, 1, 2);
        QVERIFY(edit.IsBookmark(3));
        QVERIFY(!edit.IsBookmark(5));
        QCOMPARE(edit.Marks().Count(), 1);
        edit.SetBookMark(3, 1, 9); // beyond the text: refused
        edit.SetBookMark(10, 1, 1);
        QCOMPARE(edit.Marks().Count(), 1);
        int placed = 0;
        edit.OnPlaceBookmark.Add([&placed](TCodeEdit *, TMark *mark) {
            ++placed;
            mark->SetColumn(7);
        });
        edit.SetBookMark(0, 1, 1);
        QCOMPARE(placed, 1);
        QCOMPARE(edit.BookMark(0)->Column(), 7);
        edit.Marks().Clear(); // the table never keeps freed marks
        QVERIFY(!edit.IsBookmark(0));
        QVERIFY(!edit.IsBookmark(3));
    }

    void marksFollowLineChanges()
    {
        TCodeEdit edit;
        edit.SetText(u"a\nb\nc\nd");
        edit.SetBookMark(0, 1, 3);
        edit.SetCaretXY({2, 1});
        edit.CommandProcessor(ecLineBreak); // below the caret line: moves down
        QCOMPARE(edit.BookMark(0)->Line(), 4);
        edit.CommandProcessor(ecDeleteLastChar); // join: moves up again
        QCOMPARE(edit.BookMark(0)->Line(), 3);
        edit.SetCaretXY({2, 3});
        edit.CommandProcessor(ecInsertLine); // a mark on the split line moves with ecInsertLine
        QCOMPARE(edit.BookMark(0)->Line(), 4);
        edit.SetBlockBegin({1, 2});
        edit.SetBlockEnd({1, 5});
        edit.SetSelText(""); // marks inside a removed range go to its first line
        QCOMPARE(edit.BookMark(0)->Line(), 2);
    }

    // ---- status changes and paint lock ----
    void statusChangesAreBatched()
    {
        TCodeEdit edit;
        edit.SetText(u"abc\ndef");
        QList<TStatusChanges> seen;
        edit.OnStatusChange.Add([&seen](TCodeEdit *, TStatusChanges c) { seen << c; });
        int selectionChanges = 0;
        edit.OnSelectionChange.Add([&selectionChanges](TCodeEdit *) { ++selectionChanges; });
        edit.BeginUpdate();
        edit.SetCaretXY({2, 2});
        edit.SetInsertMode(false);
        edit.SetBlockEnd({3, 2});
        QVERIFY(seen.isEmpty());
        edit.EndUpdate();
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0], TStatusChanges(scCaretX | scCaretY | scInsertMode | scSelection));
        QCOMPARE(selectionChanges, 1);
        seen.clear();
        edit.CommandProcessor(ecChar, u'x');
        QCOMPARE(seen.size(), 1);
        QVERIFY(seen[0] & scModified);
        QVERIFY(seen[0] & scCaretX);
        seen.clear();
        edit.SetModified(false);
        QCOMPARE(seen, QList<TStatusChanges>{TStatusChanges(scModified)});
        seen.clear();
        edit.CommandProcessor(ecToggleMode);
        QCOMPARE(seen, QList<TStatusChanges>{TStatusChanges(scInsertMode)});
    }

    // ---- highlighter rescans (interface) ----
    void rescanStopsWhenStatesAgree()
    {
        TCodeEdit edit;
        edit.SetText(u"a\n{\nb\nc\n}\nd");
        TBraceHighlighter hl;
        edit.SetHighlighter(&hl);
        QCOMPARE(hl.scanned.size(), 5); // every line but the last, to give each line its state
        QCOMPARE(edit.Lines().Objects(2), TRangeState(1));
        hl.scanned.clear();
        edit.SetCaretXY({2, 3});
        edit.CommandProcessor(ecChar, u'x'); // no state change: only the edited line
        QCOMPARE(hl.scanned, QList<int>{2});
        hl.scanned.clear();
        edit.CommandProcessor(ecChar, u'{'); // opens a brace: states change down to the end
        QCOMPARE(hl.scanned, (QList<int>{2, 3, 4, 5}));
        QCOMPARE(edit.Lines().Objects(5), TRangeState(1));
        hl.scanned.clear();
        edit.SetCaretXY({2, 6});
        edit.CommandProcessor(ecChar, u'{'); // the last line: nothing to scan
        QVERIFY(hl.scanned.isEmpty());
        edit.SetHighlighter(nullptr);
        hl.scanned.clear();
        edit.CommandProcessor(ecChar, u'{');
        QVERIFY(hl.scanned.isEmpty()); // no highlighter: nothing is scanned
    }

    void loadScansEveryLineOnce()
    {
        TCodeEdit edit;
        TBraceHighlighter hl;
        edit.SetHighlighter(&hl);
        hl.scanned.clear();
        edit.SetText(u"{\na\nb\n}");
        // Each appended line's state comes from the line before it.
        QCOMPARE(hl.scanned, (QList<int>{0, 1, 2}));
        QCOMPARE(edit.Lines().Objects(3), TRangeState(1));
        edit.SetHighlighter(nullptr);
    }
};

QTEST_GUILESS_MAIN(TestCodeEditNav)
#include "tst_codeeditnav.moc"
