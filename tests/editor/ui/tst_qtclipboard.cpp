// Tests of TQtEditClipboard: copy and paste between engines through the real (offscreen) clipboard.
#include "editor/core/codeedit.h"
#include "editor/ui/qtclipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

class TestQtClipboard : public QObject
{
    Q_OBJECT

private slots:
    void columnBlockSurvivesTheClipboard()
    {
        TQtEditClipboard clipboard;
        TCodeEdit source;
        source.SetClipboard(&clipboard);
        source.SetText(u"abcdef\nabcdef");
        source.SetSelectionMode(smColumn);
        source.SetBlockBegin({2, 1});
        source.SetBlockEnd({4, 2});
        source.CopyToClipboard();
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("bc\r\nbc"));

        TCodeEdit target;
        target.SetClipboard(&clipboard);
        target.SetText(u"xy\nxy");
        target.SetCaretXY({2, 1});
        target.PasteFromClipboard();
        QCOMPARE(target.Text(), QString("xbcy\r\nxbcy\r\n"));
    }

    void plainTextFromOtherProgramsPastesInCurrentMode()
    {
        QGuiApplication::clipboard()->setText("one\ntwo");
        TQtEditClipboard clipboard;
        TCodeEdit edit;
        edit.SetClipboard(&clipboard);
        edit.PasteFromClipboard();
        QCOMPARE(edit.Text(), QString("one\r\ntwo\r\n"));
    }
};

QTEST_MAIN(TestQtClipboard)
#include "tst_qtclipboard.moc"
