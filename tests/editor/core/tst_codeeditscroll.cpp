// Horizontal scrolling: the engine keeps the caret in the window counting painted (tab-expanded) columns.
#include "editor/core/codeedit.h"

#include <QTest>

Q_DECLARE_METATYPE(TBufferCoord)

class TestCodeEditScroll : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void caretIsKeptInTheWindow_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("tabWidth");
        QTest::addColumn<int>("startLeft");
        QTest::addColumn<int>("caretX");
        QTest::addColumn<int>("display");
        QTest::addColumn<int>("left");
        // The window shows 20 columns.
        QTest::newRow("no tabs, past the right edge")
            << "abcdefghijklmnopqrstuvwxyz0123456789" << 8 << 1 << 30 << 30 << 11;
        QTest::newRow("after tabs, past the right edge") << "\t\t\t\tx" << 8 << 1 << 5 << 33 << 14;
        QTest::newRow("after tabs, stored column inside the window") << "\t\t\tx" << 8 << 1 << 3 << 17 << 1;
        QTest::newRow("after tabs, painted one past the edge") << "\t\t\tx" << 8 << 1 << 4 << 25 << 6;
        QTest::newRow("back left onto a tab's end") << "\t\t\t\tx" << 8 << 14 << 2 << 9 << 9;
        QTest::newRow("tab width 4") << "\t\t\t\t\t\tx" << 4 << 1 << 7 << 25 << 6;
        QTest::newRow("tab in the middle of text") << "abc\tdefghijklmnopqrstu" << 8 << 1 << 18 << 22 << 3;
        QTest::newRow("painted past column 1024") << QString(200, u'\t') << 8 << 1 << 201 << 1601 << 1582;
        QTest::newRow("past the line end after tabs") << "\t\t" << 8 << 1 << 30 << 44 << 25;
    }
    void caretIsKeptInTheWindow()
    {
        QFETCH(QString, line);
        QFETCH(int, tabWidth);
        QFETCH(int, startLeft);
        QFETCH(int, caretX);
        QFETCH(int, display);
        QFETCH(int, left);
        TCodeEdit edit;
        edit.SetCharsInWindow(20);
        edit.SetTabWidth(tabWidth);
        edit.SetText(line);
        if (startLeft > 1) {
            edit.SetCaretXY(BufferCoord(int(line.size()) + 1, 1));
            edit.SetLeftChar(startLeft);
            QCOMPARE(edit.LeftChar(), startLeft);
        }
        edit.SetCaretXY(BufferCoord(caretX, 1));
        QCOMPARE(edit.CaretX(), caretX);
        QCOMPARE(edit.CaretDisplayX(), display);
        QCOMPARE(edit.LeftChar(), left);
        QVERIFY(display >= edit.LeftChar() && display < edit.LeftChar() + edit.CharsInWindow());
    }

    void cachedCaretColumnFollowsTextAndTabWidth()
    {
        TCodeEdit edit;
        edit.SetText(u"abc");
        edit.SetCaretXY(BufferCoord(2, 1));
        QCOMPARE(edit.CaretDisplayX(), 2);
        // "a" replaced by a tab: the caret ends at the same column, painted at the next tab stop.
        edit.SetBlockBegin(BufferCoord(1, 1));
        edit.SetBlockEnd(BufferCoord(2, 1));
        edit.SetSelText(QStringLiteral("\t"));
        QCOMPARE(edit.Lines()[0], QString("\tbc"));
        QCOMPARE(edit.CaretXY(), BufferCoord(2, 1));
        QCOMPARE(edit.CaretDisplayX(), 9);
        edit.SetTabWidth(4);
        QCOMPARE(edit.CaretDisplayX(), 5);
        edit.Undo();
        edit.SetCaretXY(BufferCoord(2, 1));
        QCOMPARE(edit.CaretDisplayX(), 2);
    }

    void scrollCommandsKeepTheCaretInTheWindow_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("steps");
        QTest::newRow("right over plain text") << QString(100, u'x') << int(ecScrollRight) << 30;
        QTest::newRow("right over tabs") << QString("\t\t\t\t\t\t\t\tabc") << int(ecScrollRight) << 30;
        QTest::newRow("left back over tabs") << QString("\t\t\t\t\t\t\t\tabc") << int(ecScrollLeft) << 30;
    }
    void scrollCommandsKeepTheCaretInTheWindow()
    {
        QFETCH(QString, line);
        QFETCH(int, command);
        QFETCH(int, steps);
        TCodeEdit edit;
        edit.SetCharsInWindow(6);
        edit.SetTabWidth(4);
        edit.SetText(line);
        if (command == ecScrollLeft)
            edit.SetCaretXY(BufferCoord(int(line.size()) + 1, 1));
        int previousLeft = edit.LeftChar();
        for (int i = 0; i < steps; ++i) {
            edit.CommandProcessor(TEditorCommand(command));
            const int x = edit.CaretDisplayX();
            QVERIFY2(x >= edit.LeftChar() && x < edit.LeftChar() + edit.CharsInWindow(),
                     qPrintable(QStringLiteral("step %1: caret %2, left %3").arg(i).arg(x).arg(edit.LeftChar())));
            // Never stuck and never backwards: every step scrolls in its direction (or is at the end).
            if (command == ecScrollRight)
                QVERIFY(edit.LeftChar() > previousLeft);
            else
                QVERIFY(edit.LeftChar() < previousLeft || edit.LeftChar() == 1);
            previousLeft = edit.LeftChar();
        }
    }

    void columnMapping_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("display");
        QTest::newRow("no tabs") << "abc" << 3 << 3;
        QTest::newRow("after a tab") << "\tb" << 2 << 9;
        QTest::newRow("a tab after the column does not count") << "ab\t" << 2 << 2;
        QTest::newRow("past the end after a tab") << "\t" << 4 << 11;
    }
    void columnMapping()
    {
        QFETCH(QString, line);
        QFETCH(int, column);
        QFETCH(int, display);
        TCodeEdit edit;
        edit.SetText(line);
        QCOMPARE(edit.DisplayColumn(1, column), display);
        if (column <= line.size() + 1)
            QCOMPARE(edit.BufferColumn(1, display), column);
        // Lines outside the text map one to one.
        QCOMPARE(edit.DisplayColumn(5, column), column);
        QCOMPARE(edit.BufferColumn(0, display), display);
    }
};

QTEST_GUILESS_MAIN(TestCodeEditScroll)
#include "tst_codeeditscroll.moc"
