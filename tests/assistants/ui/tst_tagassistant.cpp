// The tag assistant dialog: fields to code, tags read back, hand edits, previews.
#include "assistants/ui/colorbox.h"
#include "assistants/ui/tagassistant.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

template <typename T>
T *Field(TfrmTagAssistant &d, const char *name)
{
    T *w = d.findChild<T *>(QLatin1String(name));
    if (!w)
        qFatal("no field %s", name);
    return w;
}

TTagAssistantInput Selected(const QString &text, const QString &name, const QString &doc = QString())
{
    return {text, name, !name.isEmpty(), doc};
}

// Presses OK on the dialog once it runs.
void OkWhenShown(TfrmTagAssistant &d)
{
    QTimer::singleShot(0, &d, [&d] { d.btnApplyClick(); });
}

} // namespace

class TestTagAssistant : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void untouchedOkReturnsTheSelection()
    {
        const QString tag = QStringLiteral("<font color=\"red\">hi</font>");
        TfrmTagAssistant d(nullptr, Selected(tag, QStringLiteral("font")));
        OkWhenShown(d);
        QCOMPARE(d.EditTag(), tag);
        QCOMPARE(Field<QLineEdit>(d, "edtFoHtmlColor")->text(), QStringLiteral("#FF0000"));
    }

    void editedFieldsRewriteTheTagAroundItsContent()
    {
        TfrmTagAssistant d(nullptr, Selected(QStringLiteral("<font color=\"red\">hi <b>x</b></font>"), "font"));
        QTimer::singleShot(0, &d, [&d] {
            Field<QComboBox>(d, "cmbFoSize")->setEditText(QStringLiteral("+2"));
            d.btnApplyClick();
        });
        QCOMPARE(d.EditTag(), QStringLiteral("<font color=\"#FF0000\" size=\"+2\">hi <b>x</b></font>"));
        QCOMPARE(d.CursorBack(), 7);
    }

    void imageTagReadBack()
    {
        TfrmTagAssistant d(nullptr, Selected(QStringLiteral("<IMG SRC=\"a.gif\" ISMAP>"), QStringLiteral("IMG")));
        OkWhenShown(d);
        d.EditTag();
        QVERIFY(Field<QCheckBox>(d, "chkISMAP")->isChecked());
        QCOMPARE(Field<QLineEdit>(d, "edtImgSource")->text(), QStringLiteral("a.gif"));
        QCOMPARE(d.windowTitle(), QStringLiteral("Image Assistant"));
    }

    void unsupportedTagOffersTheParagraphPage()
    {
        const QString para = QStringLiteral("<p align=\"center\">text</p>");
        {
            TfrmTagAssistant d(nullptr, Selected(para, QStringLiteral("p")));
            QString asked;
            d.AskParagraph = [&](const QString &title, const QString &) {
                asked = title;
                return false;
            };
            QCOMPARE(d.EditTag(), QString());
            QCOMPARE(asked, QStringLiteral("Tag Assistant: p"));
        }
        TfrmTagAssistant d(nullptr, Selected(para, QStringLiteral("p")));
        d.AskParagraph = [](const QString &, const QString &) { return true; };
        QTimer::singleShot(0, &d, [&d] {
            d.btnInsCodeClick();
            d.btnApplyClick();
        });
        QCOMPARE(d.EditTag(), QStringLiteral("<p align=\"left\">\n") + para + QStringLiteral("\n</p>"));
        QCOMPARE(Field<QPlainTextEdit>(d, "reParaPrev")->toPlainText(), para);
    }

    void newTagsAndHandEdits()
    {
        TfrmTagAssistant d(nullptr, Selected(QString(), QString(), QStringLiteral("/site/index.html")));
        d.SelectPage(0);
        Field<QLineEdit>(d, "edtImgSource")->setText(QStringLiteral("/site/img/a.gif"));
        QCOMPARE(Field<QPlainTextEdit>(d, "reCodePrev")->toPlainText(),
                 QStringLiteral("<img src=\"img/a.gif\" width=0 height=0>"));
        Field<QCheckBox>(d, "chkAbsPath")->setChecked(true);
        QCOMPARE(Field<QPlainTextEdit>(d, "reCodePrev")->toPlainText(),
                 QStringLiteral("<img src=\"/site/img/a.gif\" width=0 height=0>"));
        // The box wins on OK, and its final line break goes.
        Field<QPlainTextEdit>(d, "reCodePrev")->setPlainText(QStringLiteral("<img src=\"mine.gif\">\n"));
        d.btnApplyClick();
        QCOMPARE(d.Code(), QStringLiteral("<img src=\"mine.gif\">"));

        // An empty box on OK is filled from the fields first.
        TfrmTagAssistant e(nullptr, {});
        e.SelectPage(6);
        e.btnApplyClick();
        QCOMPARE(e.Code(), QStringLiteral("<form action=\"\" method=\"POST\" target=\"\"></form>"));
        QCOMPARE(e.CursorBack(), 7);

        // A new tag wraps the selection.
        TfrmTagAssistant f(nullptr, Selected(QStringLiteral("word"), QString()));
        f.SelectPage(3);
        Field<QComboBox>(f, "cmbFoSize")->setEditText(QStringLiteral("2"));
        f.btnApplyClick();
        QCOMPARE(f.Code(), QStringLiteral("<font size=\"2\">word</font>"));
    }

    void listsAndColours()
    {
        TfrmTagAssistant d(nullptr, {});
        d.SelectPage(5);
        QVERIFY(!Field<QWidget>(d, "rdoNumbering")->isEnabled());
        d.btnInsCodeClick();
        QCOMPARE(Field<QPlainTextEdit>(d, "reCodePrev")->toPlainText(), QStringLiteral("<ul>\n</ul>"));
        Field<QPlainTextEdit>(d, "mmoList")->setPlainText(QStringLiteral("one\ntwo\n"));
        QCOMPARE(Field<QPlainTextEdit>(d, "reCodePrev")->toPlainText(),
                 QStringLiteral("<ul>\n<li>one\n<li>two\n</ul>"));

        TfrmTagAssistant font(nullptr, {});
        font.SelectPage(3);
        Field<TColorBox>(font, "cmbFoColor")->SetColor(0x0080FF);
        QCOMPARE(Field<QLineEdit>(font, "edtFoHtmlColor")->text(), QStringLiteral("#0080FF"));

        TfrmTagAssistant hr(nullptr, {});
        hr.SelectPage(1);
        hr.btnInsCodeClick();
        QCOMPARE(hr.Code(), QStringLiteral("<hr color=\"#000000\">"));
        // No size: a full-width rule.
        QCOMPARE(Field<QFrame>(hr, "pnlHRPrev")->width(), 418);
        Field<QSpinBox>(hr, "spnHRSize")->setValue(100);
        Field<QComboBox>(hr, "cmbHRAlign")->setCurrentText(QStringLiteral("right"));
        QCOMPARE(Field<QFrame>(hr, "pnlHRPrev")->x(), 434 - 8 - 100);
        QCOMPARE(hr.Code(), QStringLiteral("<hr size=100 color=\"#000000\" align=\"right\">"));
        // Back to no size: centred again, and the align box says so.
        Field<QSpinBox>(hr, "spnHRSize")->setValue(0);
        QCOMPARE(Field<QComboBox>(hr, "cmbHRAlign")->currentText(), QStringLiteral("center"));
        QCOMPARE(Field<QFrame>(hr, "pnlHRPrev")->x(), 0);
    }

    void imagePreview()
    {
        QTemporaryDir dir;
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(dir.filePath(QStringLiteral("pic.png"))));
        QFile text(dir.filePath(QStringLiteral("notes.png")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("not a picture");
        text.close();

        TfrmTagAssistant d(nullptr, Selected(QString(), QString(), dir.filePath(QStringLiteral("page.html"))));
        d.SelectPage(0);
        auto *source = Field<QLineEdit>(d, "edtImgSource");
        source->setText(QStringLiteral("pic.png")); // relative to the document
        Q_EMIT source->editingFinished();
        QTest::mouseClick(Field<QWidget>(d, "btnImgSetAttribs"), Qt::LeftButton);
        QCOMPARE(Field<QSpinBox>(d, "spnImgWidth")->value(), 40);
        QCOMPARE(Field<QSpinBox>(d, "spnImgHeight")->value(), 30);
        QVERIFY(!Field<QLabel>(d, "Image")->pixmap().isNull());

        source->setText(dir.filePath(QStringLiteral("notes.png")));
        Q_EMIT source->editingFinished();
        QVERIFY(Field<QLabel>(d, "Image")->text().contains(QStringLiteral("not an image")));
        source->setText(QStringLiteral("missing.gif"));
        Q_EMIT source->editingFinished();
        QVERIFY(Field<QLabel>(d, "Image")->text().contains(QStringLiteral("does not exist")));
    }
};

QTEST_MAIN(TestTagAssistant)
#include "tst_tagassistant.moc"
