// The body assistant, quick start and new-document dialogs: fields in and out, colours kept in
// step, the wizard's page buttons, the template list and its OK.
#include "assistants/core/newdocumentcode.h"
#include "assistants/ui/bodyassistant.h"
#include "assistants/ui/colorbox.h"
#include "assistants/ui/newdoc.h"
#include "assistants/ui/quickstart.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

namespace {

template <typename T>
T *Field(QDialog &d, const char *name)
{
    T *w = d.findChild<T *>(QLatin1String(name));
    if (!w)
        qFatal("no field %s", name);
    return w;
}

QStringList Entries(TfrmNewDoc &d)
{
    QStringList captions;
    for (int i = 0; i < d.Templates()->count(); ++i)
        captions << d.Templates()->item(i)->text();
    return captions;
}

} // namespace

class TestDocumentDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bodyFieldsShownAndHandedBack()
    {
        BodyAssistant::TBodyFields in =
            BodyAssistant::ReadBody(u"<BODY BGCOLOR=\"#000080\" TEXT=\"#FFFFFF\" class=\"home\" topmargin=4>");
        TfrmBodyAssistant d(nullptr, in);
        QCOMPARE(d.windowTitle(), QStringLiteral("Body"));
        QCOMPARE(Field<TColorBox>(d, "cbxbg")->currentText(), QStringLiteral("Navy"));
        QCOMPARE(Field<TColorBox>(d, "cbxtext")->currentText(), QStringLiteral("White"));
        QCOMPARE(Field<TColorBox>(d, "cbxlink")->currentText(), QStringLiteral("Blue"));
        QCOMPARE(Field<TColorBox>(d, "cbxalink")->currentText(), QStringLiteral("Red"));
        QCOMPARE(Field<TColorBox>(d, "cbxvlink")->currentText(), QStringLiteral("Purple"));
        QCOMPARE(Field<QSpinBox>(d, "spnMargTop")->value(), 4);
        // Untouched, the same tag comes back, with what no field shows.
        QCOMPARE(BodyAssistant::BodyCode(d.Fields(), QString()),
                 QStringLiteral("<body bgcolor=\"#000080\" text=\"#FFFFFF\" topmargin=\"4\" class=\"home\">"));
    }

    void colourListsPanelsAndPreviewKeptInStep()
    {
        TfrmBodyAssistant d(nullptr, BodyAssistant::TBodyFields());
        Field<TColorBox>(d, "cbxbg")->SetColor(0xFFFF00);
        Field<TColorBox>(d, "cbxlink")->SetColor(0x008000);
        QCOMPARE(Field<QFrame>(d, "pnlBg")->palette().color(QPalette::Window), QColor(0xFF, 0xFF, 0x00));
        QCOMPARE(Field<QLabel>(d, "l2")->palette().color(QPalette::WindowText), QColor(0x00, 0x80, 0x00));
        QVERIFY(Field<QPushButton>(d, "c3")->styleSheet().contains(QLatin1String("#008000")));

        // A colour from the colour dialog goes to its panel and back to the list, as its own entry.
        d.PickColor = [](std::uint32_t &rgb) {
            rgb = 0x123456;
            return true;
        };
        d.PanelClick(1);
        QCOMPARE(Field<TColorBox>(d, "cbxtext")->Color(), 0x123456u);
        QCOMPARE(Field<TColorBox>(d, "cbxtext")->currentText(), QStringLiteral("#123456"));
        QCOMPARE(Field<QLabel>(d, "l1")->palette().color(QPalette::WindowText), QColor(0x12, 0x34, 0x56));
        const BodyAssistant::TBodyFields f = d.Fields();
        QCOMPARE(f.Background, 0xFFFF00u);
        QCOMPARE(f.Text, 0x123456u);
        QCOMPARE(f.Link, 0x008000u);
        // Cancelling the colour dialog changes nothing.
        d.PickColor = [](std::uint32_t &) { return false; };
        d.PanelClick(1);
        QCOMPARE(d.Fields().Text, 0x123456u);
    }

    void quickStartPagesAndButtons()
    {
        TfrmQuickStart d(nullptr, QuickStart::TFields());
        auto *prev = Field<QPushButton>(d, "btnPrev");
        auto *next = Field<QPushButton>(d, "btnNext");
        auto *finish = Field<QPushButton>(d, "btnFinish");
        QCOMPARE(d.CurrentPage(), 0);
        QVERIFY(!prev->isEnabled());
        QVERIFY(!finish->isEnabled());
        QVERIFY(next->isEnabled());
        QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(d.CurrentPage(), 1);
        QVERIFY(prev->isEnabled());
        QVERIFY(finish->isEnabled());
        QVERIFY(!next->isEnabled());
        QTest::mouseClick(prev, Qt::LeftButton);
        QCOMPARE(d.CurrentPage(), 0);
        QVERIFY(!finish->isEnabled());
        // A page without a document type is offered HTML 4.0.
        QCOMPARE(d.Fields().DocType, QuickStart::DocTypes().first());
        QCOMPARE(Field<QComboBox>(d, "cbxDocType")->count(), 5);
    }

    void quickStartFieldsShownAndHandedBack()
    {
        QuickStart::TFields in;
        in.Title = QStringLiteral("Tea");
        in.DocType = QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\"\r\n   \"strict.dtd\">");
        in.RefreshSeconds = 5;
        in.RefreshUrl = QStringLiteral("b.html");
        in.Keywords = QStringLiteral("green\r\nblack");
        TfrmQuickStart d(nullptr, in);
        QCOMPARE(Field<QLineEdit>(d, "edtTitle")->text(), QStringLiteral("Tea"));
        // Shown on one line, written back as read while unchanged.
        QCOMPARE(Field<QComboBox>(d, "cbxDocType")->currentText(),
                 QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"strict.dtd\">"));
        QCOMPARE(Field<QPlainTextEdit>(d, "mmoKeywords")->toPlainText(), QStringLiteral("green\nblack"));
        QuickStart::TFields out = d.Fields();
        QCOMPARE(out.DocType, in.DocType);
        QCOMPARE(out.Keywords, in.Keywords);
        QCOMPARE(out.RefreshSeconds, 5);
        QCOMPARE(out.RefreshUrl, QStringLiteral("b.html"));
        Field<QComboBox>(d, "cbxDocType")->setCurrentIndex(1);
        QCOMPARE(d.Fields().DocType, QuickStart::DocTypes().at(1));
    }

    void newDocumentListsTheWizardAndTheTemplates()
    {
        QTemporaryDir dir;
        for (const char *name : {"Frames.tpl", "a.tpl.tpl", "readme.txt"}) {
            QFile f(dir.filePath(QLatin1String(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        TfrmNewDoc d(nullptr, dir.path());
        QCOMPARE(d.windowTitle(), QStringLiteral("Create New HTML Document"));
        QVERIFY(d.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(Entries(d), QStringList({"HTML Wizard", "a.tpl", "Frames"}));

        QVERIFY(d.SelectEntry(QStringLiteral("a.tpl")));
        d.btnOkClick();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QVERIFY(!d.WizardChosen());
        QCOMPARE(d.TemplateFile(), dir.filePath(QStringLiteral("a.tpl.tpl")));
    }

    void newDocumentWizardAndNothingSelected()
    {
        TfrmNewDoc d(nullptr, QStringLiteral("/nonexistent/Templates"));
        QCOMPARE(Entries(d), QStringList{NewDocument::WizardCaption()});
        auto *ok = Field<QPushButton>(d, "btnOk");
        QVERIFY(ok->isEnabled());

        // OK with nothing selected does nothing, and says so by being disabled.
        d.Templates()->clearSelection();
        QVERIFY(!ok->isEnabled());
        d.btnOkClick();
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QVERIFY(!d.WizardChosen());

        // Double-clicking an entry chooses nothing either.
        QListWidget *list = d.Templates();
        const QRect first = list->visualItemRect(list->item(0));
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first.center());
        QCOMPARE(d.result(), int(QDialog::Rejected));

        QVERIFY(d.SelectEntry(QStringLiteral("HTML Wizard")));
        d.btnOkClick();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QVERIFY(d.WizardChosen());
        QVERIFY(d.TemplateFile().isEmpty());
    }
};

QTEST_MAIN(TestDocumentDialogs)
#include "tst_documentdialogs.moc"
