// Keys as the user presses them: delivered to the window through the application's event path
// (shortcut map included) while the editor has the focus.
#include "aids/core/myrichedit.h"
#include "app/ui/documenttab.h"
#include "app/ui/mainwindow.h"
#include "editor/ui/codeeditview.h"
#include "windowharness.h"

#include <QMenu>
#include <QTabWidget>
#include <QTest>

class TestWindowKeys : public QObject
{
    Q_OBJECT
private:
    TWindowHarness m_h;

    TfrmHTMLEdit *Window() const { return m_h.Window.get(); }
    TCodeEditView *View() const { return Window()->ActiveTab()->View(); }
    TMyRichEdit *Editor() const { return Window()->ActiveEditor(); }

    // A key through the window system, as a real keyboard delivers it to the focused widget.
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(Window()->windowHandle(), key, modifiers);
    }
    void Type(const QString &text)
    {
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, Window()->windowHandle(), Qt::Key_unknown, c, Qt::NoModifier);
    }
    void Focus()
    {
        Window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Window()));
        View()->setFocus();
        QTRY_VERIFY(View()->hasFocus());
    }

private Q_SLOTS:
    void initTestCase() { qputenv("TAGFORGE_NO_BROWSER", "1"); }
    void init()
    {
        QVERIFY(m_h.Start());
        Focus();
    }
    void cleanup()
    {
        m_h.Answer = QMessageBox::No;
        Window()->close();
        m_h.Stop();
    }

    void ctrlSSavesTheDocument()
    {
        const QString path = m_h.Write(QStringLiteral("page.html"), "<p>old</p>\n");
        Window()->OpenFile(path);
        Focus();
        Type(QStringLiteral("x"));
        QVERIFY(Editor()->Modified());
        Press(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(m_h.Read(QStringLiteral("page.html")), QByteArray("x<p>old</p>\n"));
        QVERIFY(!Editor()->Modified());
        QVERIFY(!Window()->PageControl1()->tabText(Window()->PageControl1()->currentIndex()).endsWith('*'));
    }

    void ctrlOOpensAndCtrlNCreates()
    {
        m_h.OpenChoice = m_h.Write(QStringLiteral("other.html"), "<p>other</p>\n");
        const int before = Window()->PageControl1()->count();
        Press(Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(Window()->PageControl1()->count(), before + 1);
        QCOMPARE(Window()->ActiveTab()->Path, m_h.OpenChoice);
        Focus();
        const QString text = Editor()->Text();
        Press(Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(Window()->PageControl1()->count(), before + 2);
        QVERIFY(Window()->ActiveTab()->Path.startsWith(QLatin1String("Untitled")));
        // The editor's own Ctrl+N (insert a line) did not run in the other document.
        QCOMPARE(Window()->Tab(before)->Editor()->Text(), text);
    }

    void shiftDeleteDeletesTheLine()
    {
        Editor()->SetText(QStringLiteral("one\r\ntwo\r\nthree"));
        Editor()->SetCaretXY(BufferCoord(2, 2));
        m_h.YesNoAnswer = true;
        Press(Qt::Key_Delete, Qt::ShiftModifier);
        QCOMPARE(Editor()->Text(), QStringLiteral("one\r\nthree\r\n"));
        // Undoable, as the editor's own command.
        Editor()->Undo();
        QCOMPARE(Editor()->Lines()[1], QStringLiteral("two"));
    }

    void altFOpensTheFileMenu()
    {
        Editor()->SetText(QString());
        Press(Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(Window()->Menu(QStringLiteral("File2"))->isVisible());
        QCOMPARE(Editor()->Lines()[0], QString());
        Press(Qt::Key_Escape);
    }

    void unclaimedKeysStayWithTheEditor()
    {
        Editor()->SetText(QStringLiteral("abc"));
        Editor()->SetCaretXY(BufferCoord(1, 1));
        Press(Qt::Key_End);
        QCOMPARE(Editor()->CaretX(), 4);
        Press(Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(Editor()->SelText(), QStringLiteral("c"));
    }

    void typedMarkupIsNotDoubled_data()
    {
        QTest::addColumn<bool>("completion");
        QTest::newRow("completion on") << true;
        QTest::newRow("completion off") << false;
    }
    void typedMarkupIsNotDoubled()
    {
        QFETCH(bool, completion);
        Window()->State().Set(&TWindowFlags::TagCompletion, completion);
        Editor()->SetText(QString());
        const QString sentence = QStringLiteral("<p>Hello <b>x</b></p>");
        Type(sentence);
        QCOMPARE(Editor()->Lines()[0], sentence);
    }

    void greaterThanOutsideTheTypedTagIsTyped()
    {
        Editor()->SetText(QString());
        Type(QStringLiteral("<b"));
        // The caret leaves the tag: a ">" typed elsewhere is a character of its own.
        Press(Qt::Key_End);
        Type(QStringLiteral(">"));
        QCOMPARE(Editor()->Lines()[0], QStringLiteral("<b>>"));
    }

    void backspaceTakesAJustCompletedPair()
    {
        Editor()->SetText(QStringLiteral("ab"));
        Editor()->SetSelStart(2);
        Type(QStringLiteral("<"));
        QCOMPARE(Editor()->Lines()[0], QStringLiteral("a<>b"));
        Press(Qt::Key_Backspace);
        QCOMPARE(Editor()->Lines()[0], QStringLiteral("ab"));
        QCOMPARE(Editor()->CaretX(), 2);
        // A "<" that was not completed is removed alone.
        Editor()->SetText(QStringLiteral("a<>b"));
        Editor()->SetSelStart(3);
        Press(Qt::Key_Backspace);
        QCOMPARE(Editor()->Lines()[0], QStringLiteral("a>b"));
    }
};

QTEST_MAIN(TestWindowKeys)
#include "tst_windowkeys.moc"
