// Copies of an editor's lines made in slices: always one state of the document, whatever the
// edits in between.
#include "editor/core/codeedit.h"
#include "editor/core/linesnapshot.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <optional>

namespace {

QString NumberedLines(int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QStringLiteral("line %1").arg(i);
    return lines.join(QStringLiteral("\r\n"));
}

QStringList LinesOf(const TCodeEdit &edit)
{
    QStringList lines;
    for (int i = 0; i < edit.LineCount(); ++i)
        lines << edit.Lines()[i];
    return lines;
}

void Replace(TCodeEdit &edit, TBufferCoord from, TBufferCoord to, const QString &text)
{
    edit.SetBlockBegin(from);
    edit.SetBlockEnd(to);
    edit.SetSelText(text);
}

} // namespace

class TestLineSnapshot : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void smallDocumentIsCopiedAtOnce()
    {
        TCodeEdit edit;
        edit.SetText(NumberedLines(10));
        TLineSnapshotJob job(nullptr, 100);
        std::optional<QStringList> result;
        job.Start(&edit, [&](QStringList lines) { result = std::move(lines); });
        QVERIFY(result.has_value());
        QCOMPARE(*result, LinesOf(edit));
        QVERIFY(!job.Running());
    }

    void largeDocumentIsCopiedBetweenEvents()
    {
        TCodeEdit edit;
        edit.SetText(NumberedLines(1000));
        TLineSnapshotJob job(nullptr, 64);
        std::optional<QStringList> result;
        job.Start(&edit, [&](QStringList lines) { result = std::move(lines); });
        QVERIFY(!result.has_value());
        QVERIFY(job.Running());
        QTRY_VERIFY(result.has_value());
        QCOMPARE(*result, LinesOf(edit));
    }

    void editsDuringTheCopyEndInTheLastState_data()
    {
        QTest::addColumn<int>("line");      // 1-based line edited after two slices
        QTest::addColumn<QString>("text");  // replaces the whole line; line breaks add lines
        QTest::addColumn<bool>("joinNext"); // also takes the line break after it
        QTest::newRow("a copied line changes") << 3 << "changed" << false;
        QTest::newRow("a line not copied yet changes") << 900 << "changed" << false;
        QTest::newRow("lines inserted among the copied") << 5 << "a\r\nb\r\nc" << false;
        QTest::newRow("a copied line deleted") << 2 << "" << true;
        QTest::newRow("the last line deleted") << 999 << "" << true;
    }
    void editsDuringTheCopyEndInTheLastState()
    {
        QFETCH(int, line);
        QFETCH(QString, text);
        QFETCH(bool, joinNext);
        TCodeEdit edit;
        edit.SetText(NumberedLines(1000));
        TLineSnapshotJob job(nullptr, 100);
        std::optional<QStringList> result;
        job.Start(&edit, [&](QStringList lines) { result = std::move(lines); });
        QVERIFY(!job.Step());
        const int length = int(edit.Lines()[line - 1].size());
        Replace(edit, BufferCoord(1, line), joinNext ? BufferCoord(1, line + 1) : BufferCoord(length + 1, line), text);
        while (!result)
            job.Step();
        QCOMPARE(*result, LinesOf(edit));
    }

    void randomEditsBetweenSlices()
    {
        QRandomGenerator random(20261207);
        for (int round = 0; round < 200; ++round) {
            TCodeEdit edit;
            edit.SetText(NumberedLines(1 + random.bounded(600)));
            TLineSnapshotJob job(nullptr, 1 + random.bounded(80));
            std::optional<QStringList> result;
            job.Start(&edit, [&](QStringList lines) { result = std::move(lines); });
            // Edits in the first turns only: an edit in every turn may keep sending the copy back.
            for (int turn = 0; !result; ++turn) {
                const int count = edit.LineCount();
                const int y = 1 + random.bounded(count);
                switch (turn < 30 ? random.bounded(5) : 4) {
                case 0: Replace(edit, BufferCoord(1, y), BufferCoord(1, y), QStringLiteral("x")); break;
                case 1: Replace(edit, BufferCoord(1, y), BufferCoord(1, y), QStringLiteral("new\r\n")); break;
                case 2:
                    if (y < count)
                        Replace(edit, BufferCoord(1, y), BufferCoord(1, y + 1), QString());
                    break;
                case 3:
                    if (edit.CanUndo())
                        edit.Undo();
                    break;
                default: break; // no edit in this turn
                }
                job.Step();
            }
            QVERIFY2(*result == LinesOf(edit), qPrintable(QStringLiteral("round %1").arg(round)));
        }
    }

    void aNewTextStartsTheCopyAgain()
    {
        TCodeEdit edit;
        edit.SetText(NumberedLines(500));
        TLineSnapshotJob job(nullptr, 100);
        std::optional<QStringList> result;
        job.Start(&edit, [&](QStringList lines) { result = std::move(lines); });
        job.Step();
        edit.SetText(QStringLiteral("only\r\ntwo"));
        while (!result)
            job.Step();
        QCOMPARE(*result, QStringList({QStringLiteral("only"), QStringLiteral("two")}));
    }

    void nothingIsHandedOverWhenCancelledOrTheEditorGoes()
    {
        auto edit = std::make_unique<TCodeEdit>();
        edit->SetText(NumberedLines(500));
        TLineSnapshotJob job(nullptr, 100);
        int handed = 0;
        job.Start(edit.get(), [&](QStringList) { ++handed; });
        job.Cancel();
        QVERIFY(!job.Running());
        job.Start(edit.get(), [&](QStringList) { ++handed; });
        // A second start drops the first copy; the editor then goes away under the second.
        job.Start(edit.get(), [&](QStringList) { ++handed; });
        edit.reset();
        QVERIFY(!job.Step());
        QTest::qWait(20);
        QCOMPARE(handed, 0);
        QVERIFY(!job.Running());
    }
};

QTEST_GUILESS_MAIN(TestLineSnapshot)
#include "tst_linesnapshot.moc"
