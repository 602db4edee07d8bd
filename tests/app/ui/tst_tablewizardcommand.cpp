// The Table Assistant as a user reaches it: the Insert menu and the QuickBar run the wizard through
// its library entry; a new table goes in at the caret, a table at the caret is read back and
// replaced, each as one undo step.
#include "aids/core/myrichedit.h"
#include "aids/ui/quickbar.h"
#include "assistants/tablewiz/tablewizard.h"
#include "windowharness.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>

namespace {

QString Text(TMyRichEdit *edit)
{
    return edit->Text().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Runs what on the wizard once it is shown (it is modal), then closes it with Finish or Cancel.
void WhenShown(std::function<void(TfrmTableWiz &)> what, bool finish, bool *seen)
{
    QTimer::singleShot(0, [what, finish, seen] {
        auto *wizard = qobject_cast<TfrmTableWiz *>(QApplication::activeModalWidget());
        if (!wizard)
            return;
        *seen = true;
        what(*wizard);
        if (finish) {
            while (wizard->Page() < TfrmTableWiz::CellsPage)
                wizard->btnNextClick();
            wizard->btnFinishClick();
        } else {
            wizard->reject();
        }
    });
}

} // namespace

class TestTableWizardCommand : public QObject
{
    Q_OBJECT

    TWindowHarness h;
    TMyRichEdit *NewDocument()
    {
        h.Window->Action(QStringLiteral("New1"))->trigger();
        return h.Window->ActiveEditor();
    }
    QAction *Command() const { return h.Window->Action(QStringLiteral("TableWizard1")); }

private Q_SLOTS:
    void init() { QVERIFY(h.Start()); }
    void cleanup() { h.Stop(); }

    void onTheInsertMenuAndTheQuickBar()
    {
        QAction *action = Command();
        QVERIFY(action);
        QCOMPARE(action->text(), QStringLiteral("&Table Assistant..."));
        QVERIFY(action->isEnabled());
        auto *insert = h.Window->menuBar()->findChild<QMenu *>(QStringLiteral("HTMLTags1"));
        QVERIFY(insert && insert->actions().contains(action));

        QToolButton *button = h.Window->QuickBar()->Button(QStringLiteral("btnTableWiz"));
        QVERIFY(button);
        QCOMPARE(button->text(), QStringLiteral("Tbl…"));
        QCOMPARE(button->toolTip(), QStringLiteral("Table Assistant"));
        QVERIFY(button->isEnabled());
        QVERIFY(h.Window->findChild<QWidget *>(QStringLiteral("tabTable"))->isAncestorOf(button));

        TMyRichEdit *edit = NewDocument();
        bool seen = false;
        WhenShown([](TfrmTableWiz &) {}, false, &seen);
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(seen);
        QCOMPARE(Text(edit), QStringLiteral("\n"));
        QVERIFY(!edit->CanUndo());
        QVERIFY(h.Messages.isEmpty());
    }

    void newTableAtTheCaret()
    {
        TMyRichEdit *edit = NewDocument();
        edit->SetText(QStringLiteral("<body>\n  x\n</body>"));
        edit->SetCaretXY(BufferCoord(3, 2)); // before the x, after two blanks
        bool seen = false;
        WhenShown(
            [](TfrmTableWiz &w) {
                w.btnNextClick();
                w.btnNextClick();
                w.SelectCell({0, 0});
                w.findChild<QPlainTextEdit *>(QStringLiteral("edtCellText"))->setPlainText(QStringLiteral("a"));
            },
            true, &seen);
        Command()->trigger();
        QVERIFY(seen);
        QCOMPARE(Text(edit),
                 QStringLiteral("<body>\n  <table>\n  <tr>\n      <td>a</td>\n      <td></td>\n  </tr>\n"
                                "  <tr>\n      <td></td>\n      <td></td>\n  </tr>\n  </table>x\n</body>\n"));
        edit->Undo();
        QCOMPARE(Text(edit), QStringLiteral("<body>\n  x\n</body>\n"));
    }

    void tableAtTheCaretIsReadBackAndReplaced()
    {
        TMyRichEdit *edit = NewDocument();
        const QString page = QStringLiteral("<p>before</p>\n"
                                            "\t<table class=\"t\">\n"
                                            "\t<tr>\n"
                                            "\t    <td rowspan=\"2\" colspan=\"2\">big</td>\n"
                                            "\t    <td>c</td>\n"
                                            "\t</tr>\n"
                                            "\t<tr>\n"
                                            "\t    <td>f</td>\n"
                                            "\t</tr>\n"
                                            "\t</table>\n"
                                            "<p>after</p>");
        edit->SetText(page);
        edit->SetCaretXY(BufferCoord(10, 4)); // inside "big"
        bool seen = false;
        int rows = 0, span = 0;
        WhenShown(
            [&](TfrmTableWiz &w) {
                rows = w.Fields().Grid.RowCount();
                span = w.Fields().Grid.Cell({0, 0}).ColSpan;
                w.findChild<QCheckBox *>(QStringLiteral("chkBorder"))->setChecked(true);
            },
            true, &seen);
        Command()->trigger();
        QVERIFY(seen);
        QCOMPARE(rows, 2);
        QCOMPARE(span, 2);
        QString want = page;
        want.replace(QStringLiteral("<table class=\"t\">"), QStringLiteral("<table border=\"1\" class=\"t\">"));
        QCOMPARE(Text(edit), want + QStringLiteral("\n"));
        QVERIFY(h.Messages.isEmpty());
        // One undo step takes the whole replacement back.
        edit->Undo();
        QCOMPARE(Text(edit), page + QStringLiteral("\n"));
        edit->Redo();
        QCOMPARE(Text(edit), want + QStringLiteral("\n"));

        // Cancel leaves the table as it is.
        edit->SetCaretXY(BufferCoord(3, 3));
        WhenShown([](TfrmTableWiz &) {}, false, &seen);
        Command()->trigger();
        QCOMPARE(Text(edit), want + QStringLiteral("\n"));
    }

    void aSelectionIsReplacedUnlessItIsATable()
    {
        TMyRichEdit *edit = NewDocument();
        edit->SetText(QStringLiteral("old <table><tr><th>h</th></tr></table> text"));
        // Exactly the table selected: it is read back.
        edit->SetSelStart(5);
        edit->SetSelEnd(39);
        bool seen = false;
        QString type;
        WhenShown([&](TfrmTableWiz &w) { type = w.Fields().Grid.Cell({0, 0}).CellType; }, true, &seen);
        Command()->trigger();
        QVERIFY(seen);
        QCOMPARE(type, QStringLiteral("th"));
        QCOMPARE(Text(edit),
                 QStringLiteral("old <table>\n    <tr>\n        <th>h</th>\n    </tr>\n    </table> text\n"));
        edit->Undo();
        QCOMPARE(Text(edit), QStringLiteral("old <table><tr><th>h</th></tr></table> text\n"));

        // Any other selection makes way for a new table.
        edit->SetSelStart(1);
        edit->SetSelEnd(4);
        WhenShown([&](TfrmTableWiz &w) { type = w.Fields().Grid.Cell({0, 0}).CellType; }, true, &seen);
        Command()->trigger();
        QCOMPARE(type, QStringLiteral("td"));
        QVERIFY(Text(edit).startsWith(QLatin1String("<table>\n<tr>\n    <td></td>")));
        QVERIFY(Text(edit).endsWith(QLatin1String("</table> <table><tr><th>h</th></tr></table> text\n")));
    }

    void aTableThatCannotBeReadIsSaidSo()
    {
        TMyRichEdit *edit = NewDocument();
        QString big = QStringLiteral("<table>");
        for (int i = 0; i < 1001; ++i)
            big += QStringLiteral("<tr><td></td></tr>\n");
        edit->SetText(big + QStringLiteral("</table>"));
        edit->SetCaretXY(BufferCoord(2, 1));
        bool seen = false;
        // The message box is modal too: close it.
        QTimer::singleShot(0, [&] {
            if (QWidget *box = QApplication::activeModalWidget()) {
                seen = !qobject_cast<TfrmTableWiz *>(box);
                box->close();
            }
        });
        Command()->trigger();
        QVERIFY(seen);
        QVERIFY(!edit->Modified());
    }
};

QTEST_MAIN(TestTableWizardCommand)
#include "tst_tablewizardcommand.moc"
