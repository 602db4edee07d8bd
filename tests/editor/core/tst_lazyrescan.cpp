// Long rescans go on in slices, and every reader still sees the states a full scan gives.
#include "editor/core/codeedit.h"
#include "tests/support/testsupport.h"

#include <QCoreApplication>
#include <QTest>

namespace {
// States count the open "{" so far, like a comment opened near the top of a page.
using TDepthHighlighter = TestSupport::TBraceHighlighter;

QList<TRangeState> FullScan(const TCodeEdit &edit)
{
    TDepthHighlighter hl;
    QList<TRangeState> states;
    TRangeState state = hl.ResetState();
    for (int i = 0; i < edit.LineCount(); ++i) {
        states << state;
        state = hl.ScanLine(edit.Lines()[i], i, state);
    }
    return states;
}

QList<TRangeState> Stored(TCodeEdit &edit)
{
    QList<TRangeState> states;
    for (int i = 0; i < edit.LineCount(); ++i)
        states << edit.RangeAt(i);
    return states;
}
} // namespace

class TestLazyRescan : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void openingNearTheTopDoesNotScanTheWholeDocument()
    {
        const int lines = 60000;
        QString text;
        for (int i = 0; i < lines; ++i)
            text += QStringLiteral("<td>cell %1</td>\r\n").arg(i);
        TCodeEdit edit;
        TDepthHighlighter hl;
        edit.SetHighlighter(&hl);
        edit.SetText(text);
        edit.ResetScannedLineCount();

        edit.SetCaretXY(BufferCoord(1, 3));
        edit.SetSelText(QStringLiteral("{"));
        QVERIFY(edit.ScannedLineCount() <= TCodeEdit::kSyncScanLines + 2);
        QVERIFY(edit.RescanPending());

        // Edits while the rescan is under way, before and inside the stale part.
        edit.SetCaretXY(BufferCoord(1, 40000));
        edit.SetSelText(QStringLiteral("}\r\nnew line\r\n"));
        edit.SetCaretXY(BufferCoord(1, 10));
        edit.CommandProcessor(ecLineBreak);
        edit.CommandProcessor(ecDeleteLine);

        // A reader far down gets the right state at once.
        QCOMPARE(edit.RangeAt(edit.LineCount() - 1), FullScan(edit).last());
        // Slices run between events and finish the job.
        QTRY_VERIFY(!edit.RescanPending());
        QCOMPARE(Stored(edit), FullScan(edit));

        // Closing the brace again converges quickly.
        edit.ResetScannedLineCount();
        edit.SetCaretXY(BufferCoord(1, 3));
        edit.CommandProcessor(ecDeleteChar);
        edit.FinishRescan();
        QCOMPARE(Stored(edit), FullScan(edit));
    }

    void smallDocumentsScanAtOnce()
    {
        TCodeEdit edit;
        TDepthHighlighter hl;
        edit.SetHighlighter(&hl);
        edit.SetText(QStringLiteral("a\r\nb\r\nc\r\nd"));
        edit.SetCaretXY(BufferCoord(1, 1));
        edit.SetSelText(QStringLiteral("{"));
        QVERIFY(!edit.RescanPending());
        QCOMPARE(Stored(edit), FullScan(edit));
    }
};

QTEST_GUILESS_MAIN(TestLazyRescan)
#include "tst_lazyrescan.moc"
