// Opening a document through TCodeEdit::LoadFrom: a load, not an edit.
#include "editor/core/codeedit.h"

#include <QSignalSpy>
#include <QTest>

namespace {
// State = depth of open "{" so far.
class TDepthHighlighter : public TEditHighlighterLink
{
public:
    TRangeState ResetState() override { return 0; }
    TRangeState ScanLine(QStringView line, int, TRangeState start) override
    {
        qint64 depth = qint64(start);
        for (QChar c : line)
            depth += c == u'{' ? 1 : (c == u'}' && depth > 0 ? -1 : 0);
        return TRangeState(depth);
    }
};

// Loads `texts` as a file reader would: into a store of its own, then into the editor.
void Load(TCodeEdit &edit, const QStringList &texts)
{
    TEditLines lines;
    lines.Assign(texts);
    edit.LoadFrom(std::move(lines));
}
} // namespace

class TestCodeEditLoad : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void loadReplacesTheDocumentWithoutRecordingOrReporting()
    {
        TCodeEdit edit;
        edit.SetLinesInWindow(2);
        edit.SetText(u"one\r\ntwo\r\nthree\r\nfour");
        edit.SetCaretXY(BufferCoord(3, 4));
        edit.CommandProcessor(ecChar, u'x');
        edit.CommandProcessor(ecChar, u'y');
        edit.Undo();
        QVERIFY(edit.CanUndo() && edit.CanRedo() && edit.Modified());
        QVERIFY(edit.TopLine() > 1);
        int changes = 0;
        int selections = 0;
        edit.OnChange.Add([&changes](TCodeEdit *) { ++changes; });
        edit.OnSelectionChange.Add([&selections](TCodeEdit *) { ++selections; });
        QSignalSpy scroll(&edit, &TCodeEdit::scrollRangeChanged);
        QSignalSpy invalid(&edit, &TCodeEdit::linesInvalidated);

        TEditLines lines;
        lines.Assign(QStringList{"a", "b"});
        edit.LoadFrom(std::move(lines));

        QCOMPARE(edit.Text(), QString("a\r\nb\r\n"));
        QCOMPARE(lines.Count(), 0); // taken, not copied
        QVERIFY(!edit.Modified());
        QVERIFY(!edit.CanUndo());
        QVERIFY(!edit.CanRedo());
        QCOMPARE(edit.CaretXY(), BufferCoord(1, 1));
        QVERIFY(!edit.SelAvail());
        QCOMPARE(edit.TopLine(), 1);
        QCOMPARE(edit.LeftChar(), 1);
        QCOMPARE(changes, 0);
        QCOMPARE(selections, 0);
        // The view still hears of it: new scroll ranges and every line to repaint.
        QVERIFY(scroll.count() >= 1);
        QVERIFY(!invalid.isEmpty());
        QCOMPARE(invalid.last().at(0).toInt(), 1);
        // Editing goes on from the loaded text, and undo stops there.
        edit.CommandProcessor(ecChar, u'z');
        QCOMPARE(changes, 1);
        QVERIFY(edit.Modified());
        edit.Undo();
        QCOMPARE(edit.Text(), QString("a\r\nb\r\n"));
        QVERIFY(!edit.CanUndo());
    }

    void anEmptyLoadLeavesOneEmptyLine()
    {
        TCodeEdit edit;
        edit.SetText(u"old text");
        TEditLines lines; // a new store holds no line at all
        QCOMPARE(lines.Count(), 0);
        edit.LoadFrom(std::move(lines));
        QCOMPARE(edit.LineCount(), 1);
        QCOMPARE(edit.Lines()[0], QString());
    }

    void statesAreRescannedFromTheTop()
    {
        TCodeEdit edit;
        TDepthHighlighter hl;
        edit.SetHighlighter(&hl);
        edit.SetText(u"{{{\r\n}");
        Load(edit, {"x{", "{", "}", "y"});
        QList<TRangeState> states;
        for (int i = 0; i < edit.LineCount(); ++i)
            states << edit.RangeAt(i);
        QCOMPARE(states, (QList<TRangeState>{0, 1, 2, 1}));
        edit.SetHighlighter(nullptr);
    }

    void aSelectionChangePendingBeforeTheLoadIsStillReported()
    {
        TCodeEdit edit;
        edit.SetText(u"abc\r\ndef");
        int selections = 0;
        edit.OnSelectionChange.Add([&selections](TCodeEdit *) { ++selections; });
        edit.BeginUpdate();
        edit.SetCaretXY(BufferCoord(2, 2));
        Load(edit, {"new"});
        QCOMPARE(selections, 0);
        edit.EndUpdate();
        QCOMPARE(selections, 1);
        QCOMPARE(edit.CaretXY(), BufferCoord(1, 1));
    }
};

QTEST_GUILESS_MAIN(TestCodeEditLoad)
#include "tst_codeeditload.moc"
