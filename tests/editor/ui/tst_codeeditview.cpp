// The painting view: keys, mouse, wheel and scrolling reach the engine as a user expects.
#include "editor/ui/codeeditview.h"
#include "editor/ui/keymapping.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

class TestCodeEditView : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TCodeEdit> m_engine;
    std::unique_ptr<TCodeEditView> m_view;

    QPoint CellCenter(int column, int line) const
    {
        const QPoint p = m_view->RowColumnToPixels(BufferCoord(column, line));
        return p + QPoint(m_view->CharWidth() / 2 - m_view->CharWidth() / 2, m_view->LineHeight() / 2);
    }

private Q_SLOTS:
    void init()
    {
        m_engine = std::make_unique<TCodeEdit>();
        m_view = std::make_unique<TCodeEditView>(m_engine.get());
        m_view->resize(600, 300);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
        m_view->setFocus();
    }
    void cleanup()
    {
        m_view.reset();
        m_engine.reset();
    }

    void typingGoesToTheEngine()
    {
        QTest::keyClicks(m_view.get(), QStringLiteral("<p>hi"));
        QTest::keyClick(m_view.get(), Qt::Key_Return);
        QTest::keyClicks(m_view.get(), QStringLiteral("x"));
        QCOMPARE(m_engine->Text(), QStringLiteral("<p>hi\r\nx\r\n"));
        QTest::keyClick(m_view.get(), Qt::Key_Backspace);
        QTest::keyClick(m_view.get(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(m_engine->Text().startsWith(QStringLiteral("<p>hi")));
        QVERIFY(m_engine->Modified());
    }

    void keyTranslation_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("shift");
        QTest::newRow("letter with ctrl") << int(Qt::Key_C) << int(Qt::ControlModifier) << int('C') << int(ssCtrl);
        QTest::newRow("page down") << int(Qt::Key_PageDown) << 0 << int(VK_NEXT) << 0;
        QTest::newRow("back tab is shift tab")
            << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << int(VK_TAB) << int(ssShift);
        QTest::newRow("F5") << int(Qt::Key_F5) << 0 << int(VK_F1 + 4) << 0;
        QTest::newRow("shifted 3 is the digit key")
            << int(Qt::Key_NumberSign) << int(Qt::ControlModifier | Qt::ShiftModifier) << int('3')
            << int(ssCtrl | ssShift);
        QTest::newRow("a bare symbol names no key") << int(Qt::Key_NumberSign) << 0 << 0 << 0;
    }
    void keyTranslation()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, code);
        QFETCH(int, shift);
        const TKeyTranslation t = TranslateQtKey(key, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(int(t.Code), code);
        if (code)
            QCOMPARE(int(t.Shift.toInt()), shift);
    }

    void clickPlacesTheCaretAndShiftClickSelects()
    {
        m_engine->SetText(QStringLiteral("abcdef\r\n\tx\r\nlast"));
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, CellCenter(3, 1));
        QCOMPARE(m_engine->CaretXY(), BufferCoord(3, 1));
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, Qt::ShiftModifier, CellCenter(3, 3));
        QCOMPARE(m_engine->SelText(), QStringLiteral("cdef\r\n\tx\r\nla"));
        // Past the tab's blanks the click lands on the character painted there.
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {},
                          m_view->RowColumnToPixels(BufferCoord(2, 2)) + QPoint(1, m_view->LineHeight() / 2));
        QCOMPARE(m_engine->CaretXY(), BufferCoord(2, 2));
    }

    void doubleClickSelectsAWord()
    {
        m_engine->SetText(QStringLiteral("<p class=main>"));
        QTest::mouseDClick(m_view->viewport(), Qt::LeftButton, {}, CellCenter(12, 1));
        QVERIFY(m_engine->SelAvail());
        QVERIFY(m_engine->SelText().contains(QStringLiteral("main")));
    }

    void wheelNotchesScrollThreeLines()
    {
        QStringList lines;
        for (int i = 0; i < 200; ++i)
            lines << QStringLiteral("line %1").arg(i);
        m_engine->SetText(lines.join(QStringLiteral("\r\n")));
        m_engine->SetTopLine(50);
        auto wheel = [this](int delta) {
            QWheelEvent event(QPointF(20, 20), m_view->mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, delta),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(m_view->viewport(), &event);
        };
        wheel(-120);
        QCOMPARE(m_engine->TopLine(), 53);
        wheel(60);
        QCOMPARE(m_engine->TopLine(), 53);
        wheel(60);
        QCOMPARE(m_engine->TopLine(), 50);
    }

    void caretStaysVisible()
    {
        QStringList lines;
        for (int i = 0; i < 100; ++i)
            lines << QString(300, QLatin1Char('x'));
        m_engine->SetText(lines.join(QStringLiteral("\r\n")));
        QTest::keyClick(m_view.get(), Qt::Key_End, Qt::ControlModifier);
        QVERIFY(m_engine->TopLine() > 1);
        QVERIFY(m_engine->CaretY() >= m_engine->TopLine());
        QVERIFY(m_engine->CaretY() < m_engine->TopLine() + m_engine->LinesInWindow());
        QVERIFY(m_engine->LeftChar() > 1);
        QCOMPARE(m_view->verticalScrollBar()->value(), m_engine->TopLine() - 1);
    }

    void caretAfterTabsIsScrolledIntoViewOnce()
    {
        m_engine->SetTabWidth(8);
        m_engine->SetText(QString(40, QLatin1Char('\t')) + QStringLiteral("end"));
        const int chars = m_engine->CharsInWindow();
        QTest::keyClick(m_view.get(), Qt::Key_End);
        // Painted column 324 (40 tabs of 8, then 3 characters): at the window's right edge.
        QCOMPARE(m_engine->CaretDisplayX(), 324);
        QCOMPARE(m_engine->LeftChar(), 324 - chars + 1);
        QCOMPARE(m_view->horizontalScrollBar()->value(), m_engine->LeftChar() - 1);
        const QRect caret(m_view->RowColumnToPixels(m_engine->CaretXY()), QSize(1, m_view->LineHeight()));
        QVERIFY(m_view->viewport()->rect().contains(caret.topLeft()));
        QTest::keyClick(m_view.get(), Qt::Key_Home);
        QCOMPARE(m_engine->LeftChar(), 1);
        // The range still reaches the widest column the caret was at.
        QVERIFY(m_view->horizontalScrollBar()->maximum() >= 324 - chars);
    }

    void paintsOddLinesWithoutTrouble()
    {
        m_engine->SetText(QStringLiteral("\t\ttabs\r\n") + QString(200000, QLatin1Char('m'))
                          + QStringLiteral("\r\nnul\0here\r\n\U0001F600 emoji"));
        m_view->Gutter().SetShowLineNumbers(true);
        m_engine->SelectAll();
        const QImage image = m_view->grab().toImage();
        QVERIFY(!image.isNull());
        QCOMPARE(m_view->GutterWidth(), 16 + 2 + 4 * m_view->CharWidth() + 2);
    }
};

QTEST_MAIN(TestCodeEditView)
#include "tst_codeeditview.moc"
