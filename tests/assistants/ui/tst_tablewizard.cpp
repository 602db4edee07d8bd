// The Table Assistant dialog: its pages, the grid's size, cells, merging and reading a table back.
#include "assistants/tablewiz/tablewizard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using namespace TableWiz;

namespace {

template <typename T>
T *Field(TfrmTableWiz &d, const char *name)
{
    T *w = d.findChild<T *>(QLatin1String(name));
    if (!w)
        qFatal("no field %s", name);
    return w;
}

void Type(TfrmTableWiz &d, TCellPos pos, const QString &text)
{
    d.SelectCell(pos);
    Field<QPlainTextEdit>(d, "edtCellText")->setPlainText(text);
}

QString Cr(const QStringList &lines)
{
    return lines.join(u'\r');
}

} // namespace

class TestTableWizard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pagesAndTheirButtons()
    {
        TfrmTableWiz d;
        QCOMPARE(d.windowTitle(), QStringLiteral("Table Assistant"));
        auto *prev = Field<QPushButton>(d, "btnPrev");
        auto *next = Field<QPushButton>(d, "btnNext");
        auto *finish = Field<QPushButton>(d, "btnFinish");
        QCOMPARE(d.Page(), 0);
        QVERIFY(!prev->isEnabled() && next->isEnabled() && !finish->isEnabled());
        d.btnFinishClick(); // not on this page
        QCOMPARE(d.result(), 0);
        QVERIFY(d.Markup().isEmpty());
        d.btnNextClick();
        QCOMPARE(d.Page(), 1);
        QVERIFY(prev->isEnabled() && next->isEnabled() && !finish->isEnabled());
        d.btnNextClick();
        QCOMPARE(d.Page(), 2);
        QVERIFY(prev->isEnabled() && !next->isEnabled() && finish->isEnabled());
        d.btnNextClick();
        QCOMPARE(d.Page(), 2);
        // One grid, moved to the page that shows it.
        auto *grid = d.findChild<QTableView *>(QStringLiteral("table"));
        QVERIFY(Field<QWidget>(d, "pnlGrid3")->isAncestorOf(grid));
        d.btnPrevClick();
        d.btnPrevClick();
        QVERIFY(Field<QWidget>(d, "pnlGrid1")->isAncestorOf(grid));
    }

    void twoByTwoExample()
    {
        TfrmTableWiz d;
        d.btnNextClick();
        d.btnNextClick();
        Type(d, {0, 0}, QStringLiteral("a"));
        Type(d, {0, 1}, QStringLiteral("b"));
        Type(d, {1, 0}, QStringLiteral("c"));
        Type(d, {1, 1}, QStringLiteral("d"));
        d.btnFinishClick();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.Markup(), Cr({"<table>", "<tr>", "    <td>a</td>", "    <td>b</td>", "</tr>", "<tr>",
                                 "    <td>c</td>", "    <td>d</td>", "</tr>", "</table>"}));
    }

    void sizeButtonsStopAtOne()
    {
        TfrmTableWiz d;
        auto *rowUp = Field<QToolButton>(d, "btnRowUp");
        auto *colsLeft = Field<QToolButton>(d, "btnColsLeft");
        d.btnRowUpClick();
        d.btnColsLeftClick();
        QVERIFY(!rowUp->isEnabled() && !colsLeft->isEnabled());
        d.btnRowUpClick(); // already at one
        QCOMPARE(d.Fields().Grid.RowCount(), 1);
        QVERIFY(Field<QLabel>(d, "lblRows")->text().startsWith(QLatin1String("1 ")));
        d.btnRowDownClick();
        d.btnRowDownClick();
        d.btnColsRightClick();
        QCOMPARE(d.Fields().Grid.RowCount(), 3);
        QCOMPARE(d.Fields().Grid.ColCount(), 2);
        QVERIFY(Field<QLabel>(d, "lblCols")->text().startsWith(QLatin1String("2 ")));
    }

    void mergingWithTheSpins()
    {
        TfrmTableWiz d;
        d.show();
        d.btnRowDownClick();
        d.btnColsRightClick();
        d.btnColsRightClick();
        d.btnNextClick();
        d.btnNextClick();
        d.SelectCell({1, 1});
        auto *colSpan = Field<QSpinBox>(d, "spnCellWidth");
        auto *rowSpan = Field<QSpinBox>(d, "spnCellHeight");
        QCOMPARE(colSpan->maximum(), 3);
        QCOMPARE(rowSpan->maximum(), 2);
        colSpan->setValue(2);
        rowSpan->setValue(2);
        const TTableGrid grid = d.Fields().Grid;
        QCOMPARE(grid.Cell({1, 1}).ColSpan, 2);
        QCOMPARE(grid.Cell({1, 1}).RowSpan, 2);
        QVERIFY(grid.Cell({2, 2}).Covered());

        // A click in the block lands on its owner, whose spans the spins show.
        d.SelectCell({2, 2});
        QVERIFY(d.SelectedCell() == (TCellPos{1, 1}));
        QCOMPARE(colSpan->value(), 2);
        // Right from the owner steps past the block.
        auto *view = d.findChild<QTableView *>(QStringLiteral("table"));
        QTest::keyClick(view, Qt::Key_Right);
        QVERIFY(d.SelectedCell() == (TCellPos{1, 3}));
        // Down into the block from above lands on its owner.
        d.SelectCell({0, 2});
        QTest::keyClick(view, Qt::Key_Down);
        QVERIFY(d.SelectedCell() == (TCellPos{1, 1}));

        // Merging across the block is refused with a message and changes nothing.
        QStringList warnings;
        d.ShowWarning = [&](const QString &text) { warnings << text; };
        d.SelectCell({0, 0});
        rowSpan->setValue(2);
        rowSpan->setValue(1);
        QVERIFY(warnings.isEmpty());
        colSpan->setValue(2);
        rowSpan->setValue(2);
        QCOMPARE(warnings.size(), 1);
        QVERIFY2(warnings.first().contains(QLatin1String("row 2, column 2")), qPrintable(warnings.first()));
        QCOMPARE(rowSpan->value(), 1);
        QVERIFY(d.Fields().Grid.Cell({1, 1}).ColSpan == 2);
        QVERIFY(!d.Fields().Grid.Cell({1, 0}).Covered());
    }

    void keysInTheGridGoToTheCellText()
    {
        TfrmTableWiz d;
        d.show();
        d.btnNextClick();
        d.btnNextClick();
        d.SelectCell({0, 1});
        auto *view = d.findChild<QTableView *>(QStringLiteral("table"));
        QTest::keyClicks(view, QStringLiteral("H"));
        auto *text = Field<QPlainTextEdit>(d, "edtCellText");
        // The first character goes through the grid; the rest is typed into the box it focused.
        QTest::keyClicks(text, QStringLiteral("i!"));
        QCOMPARE(d.Fields().Grid.Cell({0, 1}).Text, QStringLiteral("Hi!"));
    }

    void propertiesPage()
    {
        TfrmTableWiz d;
        auto *captionAlign = Field<QComboBox>(d, "cbxCapAlign");
        auto *borderWidth = Field<QSpinBox>(d, "spnWidth");
        QVERIFY(!captionAlign->isEnabled());
        QVERIFY(!borderWidth->isEnabled());
        Field<QLineEdit>(d, "edtCap")->setText(QStringLiteral("Sales"));
        captionAlign->setEditText(QStringLiteral("Bottom"));
        Field<QCheckBox>(d, "chkBorder")->setChecked(true);
        QVERIFY(captionAlign->isEnabled() && borderWidth->isEnabled());
        borderWidth->setValue(0);
        Field<QLineEdit>(d, "edttblWidth")->setText(QStringLiteral("1234567"));
        auto *colors = Field<QComboBox>(d, "cbxColors");
        QCOMPARE(colors->currentText(), QStringLiteral("White"));
        colors->setCurrentIndex(colors->findText(QStringLiteral("Red")));
        QCOMPARE(Field<QWidget>(d, "pnlColor")->palette().color(QPalette::Window), QColor(Qt::red));
        d.btnNextClick();
        d.btnNextClick();
        d.btnFinishClick();
        const QStringList lines = d.Markup().split(u'\r');
        QCOMPARE(lines.at(0), QStringLiteral("<table width=\"123456\" border=\"0\">"));
        QCOMPARE(lines.at(1), QStringLiteral("<caption align=\"Bottom\">Sales</caption>"));
        QCOMPARE(lines.at(2), QStringLiteral("<tr bgcolor=\"#FF0000\">"));
    }

    void readBackShowsTheTableAndMakesItAgain()
    {
        const QString markup = Cr({"<table border=\"1\" class=\"prices\">", "  <tr bgcolor=\"#FFFF00\">",
                                   "      <th bgcolor=\"#FFFF00\" colspan=\"2\">Fruit</th>", "  </tr>",
                                   "  <tr bgcolor=\"#FFFF00\">", "      <td bgcolor=\"#FFFF00\">apple</td>",
                                   "      <td bgcolor=\"#FFFF00\" width=\"40\">3</td>", "  </tr>", "  </table>"});
        const TReadTable read = ReadTable(markup);
        QVERIFY(read.Ok);
        TfrmTableWiz d;
        d.SetFields(read.Fields);
        d.SetIndent(QStringLiteral("  "));
        QVERIFY(Field<QLabel>(d, "lblRows")->text().startsWith(QLatin1String("2 ")));
        QVERIFY(Field<QCheckBox>(d, "chkBorder")->isChecked());
        QCOMPARE(Field<QLineEdit>(d, "edtTblAttribs")->text(), QStringLiteral("class=\"prices\""));
        QCOMPARE(Field<QWidget>(d, "pnlColor")->palette().color(QPalette::Window), QColor(Qt::yellow));
        d.btnNextClick();
        d.btnNextClick();
        QCOMPARE(Field<QComboBox>(d, "cbxCellType")->currentText(), QStringLiteral("th"));
        QCOMPARE(Field<QSpinBox>(d, "spnCellWidth")->value(), 2);
        d.SelectCell({1, 1});
        QCOMPARE(Field<QLineEdit>(d, "edtCellWidth")->text(), QStringLiteral("40"));
        d.btnFinishClick();
        QCOMPARE(d.Markup(), markup);

        // A kept attribute edited by hand is read again.
        TfrmTableWiz e;
        e.SetFields(read.Fields);
        Field<QLineEdit>(e, "edtTblAttribs")->setText(QStringLiteral("id=t   class=\"p q\""));
        QCOMPARE(JoinAttributes(e.Fields().Extra), QStringLiteral("id=t class=\"p q\""));
    }
};

QTEST_MAIN(TestTableWizard)
#include "tst_tablewizard.moc"
