// Selecting the element at the caret: the depth rule, case, tags over lines, the failures, and
// the tag assistant's write-back as one undo step.
#include "aids/core/myrichedit.h"
#include "aids/core/tagselection.h"

#include <QSignalSpy>
#include <QTest>

using namespace TagSelection;

namespace {

// "|" marks the caret in text whose lines are broken by "\n".
void Load(TCodeEdit &edit, QString marked)
{
    const qsizetype caret = marked.indexOf(u'|');
    marked.remove(u'|');
    edit.SetText(marked);
    edit.SetSelStart(int(caret + marked.left(caret).count(u'\n')) + 1);
}

QString Selected(const TCodeEdit &edit)
{
    return edit.SelText().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

class TestTagSelection : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void selectsTheElement_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("selected");
        // clang-format off
        const struct { const char *text, *name, *selected; } rows[] = {
            {"x<p align=\"ce|nter\">text</p>y", "p", "<p align=\"center\">text</p>"},
            {"<div>|<div>x</div></div>z", "div", "<div>x</div>"}, // the caret before "<div" selects the inner one
            {"<d|iv><div>x</div></div>z", "div", "<div><div>x</div></div>"},
            {"a <img src=a.gif>| b", "img", "<img src=a.gif>"},
            {"<TA|BLE><tr><td>1</td></tr>\n</table>", "TABLE", "<TABLE><tr><td>1</td></tr>\n</table>"},
            {"<|b><br>x</b>", "b", "<b>"}, // "<br" counts as a nested "<b"
            {"<a\nhref=\"x\">|link</a>", "a", "<a\nhref=\"x\">link</a>"},
            {"<p>one\n\ntw|o\n</p>", "p", "<p>one\n\ntwo\n</p>"},
        };
        // clang-format on
        for (const auto &r : rows)
            QTest::newRow(QString::fromUtf8(r.text).replace(u'\n', u'~').toUtf8().constData())
                << QString::fromUtf8(r.text) << QString::fromUtf8(r.name) << QString::fromUtf8(r.selected);
    }
    void selectsTheElement()
    {
        QFETCH(QString, text);
        QFETCH(QString, name);
        QFETCH(QString, selected);
        TMyRichEdit edit;
        Load(edit, text);
        QCOMPARE(SelectTagAtCursor(edit), TSelectOutcome::Selected);
        QCOMPARE(edit.SelTagName(), name);
        QVERIFY(edit.HasSelectedTag());
        QCOMPARE(Selected(edit), selected);
    }

    void failures_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caretAfter"); // SelStart afterwards
        QTest::newRow("closing tag") << "<p>x</p|>" << 8;
        QTest::newRow("no < before the caret") << "plain |text" << 7;
        QTest::newRow("no > after the name") << "x <img src=\"a.gif|" << 7;
        QTest::newRow("a lone <") << "a < |b" << 4;
    }
    void failures()
    {
        QFETCH(QString, text);
        QFETCH(int, caretAfter);
        TMyRichEdit edit;
        Load(edit, text);
        edit.SetSelTagName(QStringLiteral("old"));
        edit.SetHasSelectedTag(true);
        QCOMPARE(SelectTagAtCursor(edit), TSelectOutcome::NoTag);
        QCOMPARE(edit.SelTagName(), QString());
        QVERIFY(edit.HasSelectedTag()); // keeps its value
        QVERIFY(!edit.SelAvail());
        QCOMPARE(edit.SelStart(), caretAfter);
    }

    void emptyTextIsNoFailure()
    {
        TMyRichEdit edit;
        QCOMPARE(SelectTagAtCursor(edit), TSelectOutcome::EmptyText);
    }

    void writeBackIsOneUndoStepUnderTheLock()
    {
        TMyRichEdit edit;
        Load(edit, "a <font color=\"red\">|hi</font> b");
        QCOMPARE(SelectTagAtCursor(edit), TSelectOutcome::Selected);
        QSignalSpy locks(&edit, &TMyRichEdit::lockChanged);
        ReplaceSelectedTag(edit, QStringLiteral("<font color=\"#0000FF\">hi</font>"));
        QCOMPARE(locks.count(), 2);
        QVERIFY(!edit.IsLocked());
        QCOMPARE(edit.Text(), QStringLiteral("a <font color=\"#0000FF\">hi</font> b\r\n"));
        // The caret sits before the closing tag.
        QCOMPARE(edit.CaretXY(), BufferCoord(27, 1));
        edit.Undo();
        QCOMPARE(edit.Text(), QStringLiteral("a <font color=\"red\">hi</font> b\r\n"));
    }
};

QTEST_APPLESS_MAIN(TestTagSelection)
#include "tst_tagselection.moc"
