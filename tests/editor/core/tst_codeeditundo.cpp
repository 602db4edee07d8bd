// Tests of undo and redo: records, chains, indent and unindent, exactness, a random property test.
#include "tests/support/testsupport.h"
#include "editor/core/codeedit.h"
#include "fakeclipboard.h"

#include <QRandomGenerator>
#include <QTest>

Q_DECLARE_METATYPE(TBufferCoord)

namespace {
using TestSupport::Lf;
} // namespace

class TestCodeEditUndo : public QObject
{
    Q_OBJECT

private slots:
    void typingOverSelectionUndoesInOneStep()
    {
        TCodeEdit edit;
        edit.SetText(u"hello world");
        edit.SetBlockBegin({1, 1});
        edit.SetBlockEnd({6, 1});
        edit.CommandProcessor(ecChar, u'J');
        QCOMPARE(edit.Text(), Lf("J world"));
        edit.Undo();
        QCOMPARE(edit.Text(), Lf("hello world"));
        QVERIFY(!edit.CanUndo());
        QCOMPARE(edit.BlockBegin(), BufferCoord(1, 1)); // the restored text is selected
        QCOMPARE(edit.BlockEnd(), BufferCoord(6, 1));
        edit.Redo();
        QCOMPARE(edit.Text(), Lf("J world"));
        QVERIFY(!edit.CanRedo());
        QCOMPARE(edit.CaretXY(), BufferCoord(2, 1));
    }

    void pasteOverSelectionUndoesInOneStep()
    {
        TCodeEdit edit;
        TFakeClipboard clip;
        edit.SetClipboard(&clip);
        clip.SetData("1\r\n2", EncodeBlockType(smColumn, "1\r\n2"));
        edit.SetText(u"abc\ndef");
        edit.SetBlockBegin({1, 1});
        edit.SetBlockEnd({3, 2});
        edit.PasteFromClipboard();
        QCOMPARE(edit.Text(), Lf("1f\n2"));
        edit.Undo();
        QCOMPARE(edit.Text(), Lf("abc\ndef"));
        QCOMPARE(edit.RedoList().ItemCount(), 2);
        edit.Redo();
        QCOMPARE(edit.Text(), Lf("1f\n2"));
        QCOMPARE(edit.UndoList().ItemCount(), 2);
    }

    void dragMoveUndoesInOneStep_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<TBufferCoord>("begin");
        QTest::addColumn<TBufferCoord>("end");
        QTest::addColumn<TBufferCoord>("target");
        QTest::addColumn<bool>("copy");
        QTest::addColumn<QString>("expected");
        QTest::newRow("move forward on one line")
            << "abcdef" << BufferCoord(2, 1) << BufferCoord(4, 1) << BufferCoord(6, 1) << false << Lf("adebcf");
        QTest::newRow("move backward") << "abcdef" << BufferCoord(4, 1) << BufferCoord(6, 1) << BufferCoord(1, 1)
                                       << false << Lf("deabcf");
        QTest::newRow("move to a later line")
            << "ab\ncd\nef" << BufferCoord(1, 1) << BufferCoord(1, 2) << BufferCoord(2, 3) << false << Lf("cd\neab\nf");
        QTest::newRow("copy") << "abcdef" << BufferCoord(2, 1) << BufferCoord(4, 1) << BufferCoord(7, 1) << true
                              << Lf("abcdefbc");
    }
    void dragMoveUndoesInOneStep()
    {
        QFETCH(QString, text);
        QFETCH(TBufferCoord, begin);
        QFETCH(TBufferCoord, end);
        QFETCH(TBufferCoord, target);
        QFETCH(bool, copy);
        QFETCH(QString, expected);
        TCodeEdit edit;
        edit.SetText(text);
        edit.SetBlockBegin(begin);
        edit.SetBlockEnd(end);
        QVERIFY(edit.DropSelection(target, copy));
        QCOMPARE(edit.Text(), expected);
        QCOMPARE(edit.UndoList().ItemCount(), copy ? 1 : 2);
        if (!copy)
            QCOMPARE(edit.UndoList().Item(0).ChangeReason, urDropDelete);
        QCOMPARE(edit.UndoList().GetChangeReason(), urDropInsert);
        edit.Undo();
        QCOMPARE(edit.Text(), Lf(text));
        QVERIFY(!edit.CanUndo());
        edit.Redo();
        QCOMPARE(edit.Text(), expected);
        QVERIFY(!edit.CanRedo());
    }

    void dropInsideSelectionDoesNothing()
    {
        TCodeEdit edit;
        edit.SetText(u"abcdef");
        edit.SetBlockBegin({2, 1});
        edit.SetBlockEnd({5, 1});
        QVERIFY(!edit.DropSelection({3, 1}, false));
        QCOMPARE(edit.Text(), Lf("abcdef"));
        QVERIFY(!edit.Modified());
    }

    void undoOnEmptyListChangesNothing()
    {
        TCodeEdit edit;
        edit.SetText(u"abc");
        int changes = 0;
        edit.OnChange.Add([&changes](TCodeEdit *) { ++changes; });
        edit.Undo();
        edit.Redo();
        QCOMPARE(changes, 0);
        QCOMPARE(edit.Text(), Lf("abc"));
        QVERIFY(!edit.Modified());
    }

    void everyRecordedChangeFiresOnChange()
    {
        TCodeEdit edit;
        int changes = 0;
        edit.OnChange.Add([&changes](TCodeEdit *) { ++changes; });
        edit.CommandProcessor(ecChar, u'a');
        QCOMPARE(changes, 1);
        QVERIFY(edit.Modified());
        edit.SetModified(false);
        edit.Undo(); // recorded on the redo list: fires and marks modified again
        QCOMPARE(changes, 2);
        QVERIFY(edit.Modified());
        edit.Redo();
        QCOMPARE(changes, 3);
    }

    void newChangeClearsRedoList()
    {
        TCodeEdit edit;
        edit.CommandProcessor(ecChar, u'a');
        edit.CommandProcessor(ecChar, u'b');
        edit.Undo();
        QVERIFY(edit.CanRedo());
        edit.CommandProcessor(ecChar, u'c');
        QVERIFY(!edit.CanRedo()); // stale redo positions are dropped
        QCOMPARE(edit.Text(), Lf("ac"));
    }

    void maxUndoLimitsSteps()
    {
        TCodeEdit edit;
        for (QChar c : QString("abcdefghijkl"))
            edit.CommandProcessor(ecChar, c);
        QCOMPARE(edit.UndoList().ItemCount(), 10);
        while (edit.CanUndo())
            edit.Undo();
        QCOMPARE(edit.Text(), Lf("ab")); // the two oldest changes were dropped
        edit.SetMaxUndo(3);
        QCOMPARE(edit.RedoList().ItemCount(), 3);
    }

    void lockUndoRecordsNothing()
    {
        TCodeEdit edit;
        edit.LockUndo();
        edit.CommandProcessor(ecChar, u'a');
        QVERIFY(!edit.CanUndo());
        edit.UnlockUndo();
        edit.CommandProcessor(ecChar, u'b');
        QCOMPARE(edit.UndoList().ItemCount(), 1);
        edit.ClearUndo();
        QVERIFY(!edit.CanUndo());
    }

    void lineBreakUndoRestoresIndentationExactly()
    {
        TCodeEdit edit;
        edit.SetText(u"\t<p>\n    abcd");
        edit.SetCaretXY({7, 2});
        edit.CommandProcessor(ecLineBreak);
        QCOMPARE(edit.Text(), Lf("\t<p>\n    ab\n    cd"));
        edit.SetCaretXY({2, 1});
        edit.CommandProcessor(ecLineBreak); // leaves "\t" which is right-trimmed away
        QCOMPARE(edit.Lines()[0], QString());
        edit.Undo();
        edit.Undo();
        QCOMPARE(edit.Text(), Lf("\t<p>\n    abcd"));
        QCOMPARE(edit.CaretXY(), BufferCoord(7, 2));
    }

    void deletionUndoKeepsTabsAndTrailingBlanks()
    {
        // Right-trimming removes a tab or trailing blanks that were in the text: undo puts them back.
        TCodeEdit edit;
        edit.SetText(u"\tabc  \nx");
        edit.SetCaretXY({2, 1});
        edit.SetBlockBegin({2, 1});
        edit.SetBlockEnd({5, 1});
        edit.CommandProcessor(ecDeleteChar);
        QCOMPARE(edit.Lines()[0], QString());
        edit.Undo();
        QCOMPARE(edit.Text(), Lf("\tabc  \nx"));
    }

    void blockIndent_data()
    {
        QTest::addColumn<TBufferCoord>("begin");
        QTest::addColumn<TBufferCoord>("end");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<TBufferCoord>("newBegin");
        QTest::addColumn<TBufferCoord>("newEnd");
        const QString six = "l1\nl2\nl3\nl4\nl5\nl6\nl7";
        QTest::newRow("ending in column 1 leaves the last line out")
            << BufferCoord(2, 3) << BufferCoord(1, 6) << Lf("l1\nl2\n  l3\n  l4\n  l5\nl6\nl7") << BufferCoord(4, 3)
            << BufferCoord(1, 6);
        QTest::newRow("ending inside a line indents it")
            << BufferCoord(1, 1) << BufferCoord(2, 2) << Lf("  l1\n  l2\nl3\nl4\nl5\nl6\nl7") << BufferCoord(3, 1)
            << BufferCoord(4, 2);
    }
    void blockIndent()
    {
        QFETCH(TBufferCoord, begin);
        QFETCH(TBufferCoord, end);
        QFETCH(QString, expected);
        QFETCH(TBufferCoord, newBegin);
        QFETCH(TBufferCoord, newEnd);
        TCodeEdit edit;
        edit.SetText(u"l1\nl2\nl3\nl4\nl5\nl6\nl7");
        edit.SetTabWidth(2);
        edit.SetCaretXY(end);
        edit.SetBlockBegin(begin);
        edit.SetBlockEnd(end);
        edit.CommandProcessor(ecBlockIndent);
        QCOMPARE(edit.Text(), expected);
        QCOMPARE(edit.BlockBegin(), newBegin);
        QCOMPARE(edit.BlockEnd(), newEnd);
        QCOMPARE(edit.CaretXY(), end); // the caret stays where it was
        const TEditUndoItem &rec = edit.UndoList().Item(0);
        QCOMPARE(rec.ChangeReason, urIndent);
        QCOMPARE(rec.ChangeSelMode, smColumn);
        edit.CommandProcessor(ecUndo);
        QCOMPARE(edit.Text(), Lf("l1\nl2\nl3\nl4\nl5\nl6\nl7"));
        QCOMPARE(edit.BlockBegin(), begin);
        QCOMPARE(edit.BlockEnd(), end);
        QCOMPARE(edit.RedoList().Item(0).ChangeStr.count(u' '), 2 * (rec.ChangeEndPos.Y - rec.ChangeStartPos.Y + 1));
        edit.CommandProcessor(ecRedo);
        QCOMPARE(edit.Text(), expected);
        QCOMPARE(edit.BlockBegin(), newBegin);
    }

    void blockUnindentRecordsRemovedBlanks()
    {
        TCodeEdit edit;
        edit.SetText(u"    a\n b\nc\n      d");
        edit.SetTabWidth(4);
        edit.SetBlockBegin({6, 1});
        edit.SetBlockEnd({8, 4});
        edit.CommandProcessor(ecBlockUnindent);
        QCOMPARE(edit.Text(), Lf("a\nb\nc\n  d"));
        const TEditUndoItem &rec = edit.UndoList().Item(0);
        QCOMPARE(rec.ChangeReason, urUnindent);
        QCOMPARE(rec.ChangeStr, QString("    \r\n \r\n\r\n    "));
        QCOMPARE(edit.BlockBegin(), BufferCoord(2, 1));
        QCOMPARE(edit.BlockEnd(), BufferCoord(4, 4));
        edit.Undo();
        QCOMPARE(edit.Text(), Lf("    a\n b\nc\n      d"));
        edit.Redo();
        QCOMPARE(edit.Text(), Lf("a\nb\nc\n  d"));
        // Nothing left to remove: nothing is recorded.
        edit.SetBlockBegin({1, 1});
        edit.SetBlockEnd({2, 3});
        const int before = edit.UndoList().ItemCount();
        edit.CommandProcessor(ecBlockUnindent);
        QCOMPARE(edit.UndoList().ItemCount(), before);
    }

    void recordsCarryPositionsAndText()
    {
        TCodeEdit edit;
        edit.SetText(u"abc");
        edit.SetCaretXY({4, 1});
        edit.CommandProcessor(ecChar, u'd');
        TBufferCoord s, e;
        QString t;
        TSelectionMode m;
        edit.CommandProcessor(ecDeleteLastChar);
        TEditUndoList undo = edit.UndoList(); // popped from a copy: the engine's list is its own
        QCOMPARE(undo.GetChange(s, e, t, m), urDeleteBackward);
        QCOMPARE(s, BufferCoord(4, 1));
        QCOMPARE(e, BufferCoord(5, 1));
        QCOMPARE(t, QString("d"));
        QCOMPARE(undo.GetChange(s, e, t, m), urInsert);
        QCOMPARE(s, BufferCoord(4, 1));
        QCOMPARE(e, BufferCoord(5, 1));
        QCOMPARE(t, QString());
    }

    void externalRecordReplaysByTheSameRules()
    {
        // A record added through the plain AddChange (no splices) still undoes and redoes.
        TCodeEdit edit;
        edit.SetText(u"abcdef");
        edit.AddUndoChange(urDeleteForward, {3, 1}, {5, 1}, "XY", smNormal);
        edit.Undo();
        QCOMPARE(edit.Text(), Lf("abXYcdef"));
        edit.Redo();
        QCOMPARE(edit.Text(), Lf("abcdef"));
        edit.AddUndoChange(urInsert, {1, 1}, {3, 1}, "", smNormal);
        edit.Undo();
        QCOMPARE(edit.Text(), Lf("cdef"));
    }

    // Thousands of random edits, undone to the start and redone to the end, exactly.
    void randomEditsUndoAndRedoExactly_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 2u, 3u, 4u, 5u})
            QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
    }
    void randomEditsUndoAndRedoExactly()
    {
        QFETCH(quint32, seed);
        QRandomGenerator rng(seed);
        TCodeEdit edit;
        TFakeClipboard clip;
        edit.SetClipboard(&clip);
        edit.SetMaxUndo(1000000);
        edit.SetTabWidth(4);
        // Deliberately unnormalised: tabs, trailing blanks, empty lines, indentation.
        const QString original = QStringLiteral("<html>\r\n\t<body>  \r\n    <p>one (two) [three]\r\n\r\n"
                                                "  \t<td>x</td>\t\r\nlast line  ");
        edit.SetText(original);
        const QString start = edit.Text();
        edit.SetModified(false);
        int changes = 0;
        edit.OnChange.Add([&changes](TCodeEdit *) { ++changes; });
        const QString alphabet = QStringLiteral("ab <>/(){}  \tx");
        const QList<TEditorCommand> commands = {
            ecDeleteLastChar, ecDeleteChar, ecLineBreak, ecInsertLine, ecTab,         ecDeleteWord,
            ecDeleteLastWord, ecDeleteBOL,  ecDeleteEOL, ecDeleteLine, ecBlockIndent, ecBlockUnindent,
            ecToggleMode,     ecCut,        ecPaste,     ecCopy};
        auto randomPos = [&]() {
            const int y = 1 + rng.bounded(edit.LineCount());
            const int len = int(edit.Lines()[y - 1].size());
            return BufferCoord(1 + rng.bounded(len + 4), y);
        };
        const int steps = 3000;
        for (int i = 0; i < steps; ++i) {
            const int r = rng.bounded(100);
            edit.SetSelectionMode(TSelectionMode(rng.bounded(3)));
            edit.SetCaretXY(randomPos());
            if (rng.bounded(3) == 0) {
                edit.SetBlockBegin(randomPos());
                edit.SetBlockEnd(randomPos());
            } else {
                edit.SetBlockBegin(edit.CaretXY());
            }
            TEditorOptions o = edit.Options();
            o.setFlag(eoAutoIndent, rng.bounded(2));
            o.setFlag(eoSmartTabs, rng.bounded(2));
            edit.SetOptions(o);
            if (r < 40) {
                edit.CommandProcessor(ecChar, alphabet.at(rng.bounded(int(alphabet.size()))));
            } else if (r < 80) {
                edit.CommandProcessor(commands.at(rng.bounded(int(commands.size()))));
            } else if (r < 88) {
                QString value;
                const int n = rng.bounded(12);
                for (int k = 0; k < n; ++k)
                    value += rng.bounded(5) == 0 ? QStringLiteral("\r\n") : QString(alphabet.at(rng.bounded(14)));
                if (rng.bounded(2))
                    clip.SetData(value, EncodeBlockType(TSelectionMode(rng.bounded(3)), value));
                else
                    clip.SetPlain(value);
                edit.CommandProcessor(ecPaste);
            } else if (r < 94) {
                edit.SetSelText(rng.bounded(2) ? QStringLiteral("q\r\n  w") : QString());
            } else {
                edit.DropSelection(randomPos(), rng.bounded(2));
            }
            QVERIFY(edit.LineCount() >= 1);
            QVERIFY(edit.CaretY() >= 1 && edit.CaretY() <= edit.LineCount());
        }
        const QString final = edit.Text();
        QVERIFY(final != start);
        QVERIFY(edit.Modified());
        const int recorded = changes;
        QVERIFY(recorded > steps / 2);
        int undoSteps = 0;
        while (edit.CanUndo()) {
            const int before = changes;
            edit.Undo();
            QVERIFY(changes > before); // every undo step records on the redo list
            ++undoSteps;
        }
        QCOMPARE(edit.Text(), start);
        QVERIFY(edit.Modified());
        edit.Undo(); // empty: nothing happens
        QCOMPARE(edit.Text(), start);
        while (edit.CanRedo())
            edit.Redo();
        QCOMPARE(edit.Text(), final);
        QVERIFY(!edit.CanRedo());
        // Half way back and forth again.
        for (int k = 0; k < undoSteps / 2; ++k)
            edit.Undo();
        while (edit.CanRedo())
            edit.Redo();
        QCOMPARE(edit.Text(), final);
    }
    void severalRangesReplacedAsOneStep_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("ranges"); // start, end pairs (character positions)
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("result");
        QTest::newRow("two on one line") << "a-b-c" << QList<int>{2, 3, 4, 5} << QStringList{"XX", ""} << "aXXbc";
        QTest::newRow("across line breaks")
            << "ab\ncd\nef" << QList<int>{2, 6, 9, 10} << QStringList{"1\r\n2", "Z"} << "a1\n2d\nZf";
        QTest::newRow("inserts only") << "xy" << QList<int>{1, 1, 3, 3} << QStringList{"<", ">"} << "<xy>";
    }
    void severalRangesReplacedAsOneStep()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, ranges);
        QFETCH(QStringList, texts);
        QFETCH(QString, result);
        TCodeEdit edit;
        edit.SetText(text);
        edit.SetCaretXY(BufferCoord(2, 1));
        QList<TCodeEdit::TTextReplacement> replacements;
        for (int i = 0; i < texts.size(); ++i)
            replacements.append({ranges[2 * i], ranges[2 * i + 1], texts[i]});
        edit.ReplaceRanges(replacements);
        QCOMPARE(edit.Text(), Lf(result));
        QVERIFY(edit.Modified());
        QCOMPARE(edit.CaretXY(), BufferCoord(2, 1));
        edit.Undo();
        QCOMPARE(edit.Text(), Lf(text));
        QVERIFY(!edit.CanUndo());
        edit.Redo();
        QCOMPARE(edit.Text(), Lf(result));
        edit.ReplaceRanges({});
        edit.Undo();
        QCOMPARE(edit.Text(), Lf(text)); // nothing to replace records nothing
    }
};

QTEST_GUILESS_MAIN(TestCodeEditUndo)
#include "tst_codeeditundo.moc"
