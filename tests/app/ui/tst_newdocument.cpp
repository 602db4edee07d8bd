// New documents through the new-document dialog, the HTML Wizard, and the body assistant and
// quick start wizard on open pages, in the real window with every dialog answered.
#include "aids/core/myrichedit.h"
#include "app/ui/documentmanager.h"
#include "app/ui/documenttab.h"
#include "assistants/ui/bodyassistant.h"
#include "assistants/ui/colorbox.h"
#include "assistants/ui/newdoc.h"
#include "assistants/ui/quickstart.h"
#include "windowharness.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>

namespace {

QString Lf(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Chooses an entry of the new-document dialog and presses OK; any other dialog is cancelled.
int ChooseEntry(QDialog &dialog, const QString &caption)
{
    auto *newDoc = qobject_cast<TfrmNewDoc *>(&dialog);
    if (!newDoc || !newDoc->SelectEntry(caption))
        return QDialog::Rejected;
    newDoc->btnOkClick();
    return newDoc->result();
}

template <typename T>
T *Field(QDialog &d, const char *name)
{
    T *w = d.findChild<T *>(QLatin1String(name));
    if (!w)
        qFatal("no field %s", name);
    return w;
}

} // namespace

class TestNewDocument : public QObject
{
    Q_OBJECT

    TWindowHarness h;

    QString TemplatePath(const char *name) const { return h.Dir.filePath(QStringLiteral("program/Templates/") + name); }
    void WriteTemplate(const char *name, const QByteArray &bytes)
    {
        QFile f(TemplatePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QStringList TabTexts() const
    {
        QStringList texts;
        for (int i = 0; i < h.Window->PageControl1()->count(); ++i)
            texts << h.Window->PageControl1()->tabText(i);
        return texts;
    }
    void Trigger(const char *action) { h.Window->Action(QLatin1String(action))->trigger(); }
    QString Text() const { return Lf(h.Window->ActiveEditor()->Text()); }

private Q_SLOTS:
    void initTestCase()
    {
        // A program folder of the test's own: the shipped data, and templates good and bad.
        const QString program = h.Dir.filePath(QStringLiteral("program"));
        QVERIFY(QDir().mkpath(program + QStringLiteral("/Templates")));
        QVERIFY(QFile::link(QStringLiteral(TAGFORGE_SOURCE_DIR "/Data"), program + QStringLiteral("/Data")));
        QVERIFY(QFile::copy(QStringLiteral(TAGFORGE_SOURCE_DIR "/Templates/Frames.tpl"), TemplatePath("Frames.tpl")));
        WriteTemplate("a.tpl.tpl", "<p>a</p>\n");
        WriteTemplate("Empty.tpl", "");
        WriteTemplate("Binary.tpl", QByteArray("GIF89a\0\0\0\0", 10));
    }
    void init() { QVERIFY(h.Start()); }
    void cleanup() { h.Stop(); }

    void newLoadsTheChosenTemplateAsStored_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("file");
        QTest::newRow("Frames") << "Frames"
                                << "Frames.tpl";
        QTest::newRow("a.tpl") << "a.tpl"
                               << "a.tpl.tpl";
    }
    void newLoadsTheChosenTemplateAsStored()
    {
        QFETCH(QString, entry);
        QFETCH(QString, file);
        h.DialogAnswer = [entry](QDialog &d) { return ChooseEntry(d, entry); };
        Trigger("New1");
        QCOMPARE(h.Dialogs, QStringList{"frmNewDoc"});
        QCOMPARE(TabTexts(), QStringList({"Untitled0", "Untitled1"}));
        QFile stored(h.Dir.filePath(QStringLiteral("program/Templates/") + file));
        QVERIFY(stored.open(QIODevice::ReadOnly));
        QCOMPARE(Text(), QString::fromUtf8(stored.readAll()));
        QVERIFY(!h.Window->ActiveEditor()->Modified());
        QVERIFY(!h.Window->ActiveEditor()->CanUndo());
        QVERIFY(h.Messages.isEmpty());
    }

    void cancelLeavesNoExtraTab()
    {
        h.DialogAnswer = [](QDialog &) { return int(QDialog::Rejected); };
        Trigger("New1");
        // The only document stays.
        QCOMPARE(TabTexts(), QStringList{"Untitled0"});
        h.Window->OpenFile(h.Write("page.html", "<p>x</p>\n"));
        Trigger("New1");
        QCOMPARE(TabTexts(), QStringList({"Untitled0", "page.html"}));
        QCOMPARE(h.Window->PageControl1()->currentIndex(), 1);
        QCOMPARE(h.Dialogs, QStringList({"frmNewDoc", "frmNewDoc"}));
        // The number given back is the next one again.
        h.DialogAnswer = nullptr;
        Trigger("New1");
        QCOMPARE(TabTexts().last(), QStringLiteral("Untitled1"));
    }

    void closingTheLastTabShowsTheDialog()
    {
        h.DialogAnswer = [](QDialog &) { return int(QDialog::Rejected); };
        Trigger("Close1");
        QCOMPARE(h.Dialogs, QStringList{"frmNewDoc"});
        QCOMPARE(TabTexts(), QStringList{"Untitled1"});
        h.DialogAnswer = [](QDialog &d) { return ChooseEntry(d, QStringLiteral("Frames")); };
        Trigger("Close1");
        QCOMPARE(TabTexts(), QStringList{"Untitled1"});
        QVERIFY(Text().startsWith(QLatin1String("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Frameset//EN\"")));
    }

    void unusableTemplatesAreNamed_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("message"); // empty: none
        QTest::newRow("empty") << "Empty"
                               << "";
        QTest::newRow("binary") << "Binary"
                                << "\"Binary.tpl\" is not a text file";
        QTest::newRow("gone since the list was made") << "Gone"
                                                      << "Gone.tpl";
    }
    void unusableTemplatesAreNamed()
    {
        QFETCH(QString, entry);
        QFETCH(QString, message);
        WriteTemplate("Gone.tpl", "<p>soon gone</p>\n");
        h.DialogAnswer = [entry, this](QDialog &d) {
            QFile::remove(TemplatePath("Gone.tpl"));
            return ChooseEntry(d, entry);
        };
        Trigger("New1");
        QCOMPARE(TabTexts(), QStringList({"Untitled0", "Untitled1"}));
        QCOMPARE(Text().trimmed(), QString());
        QCOMPARE(h.Messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QVERIFY2(h.Messages.first().contains(message), qPrintable(h.Messages.first()));
    }

    void theWizardBuildsThePage()
    {
        h.DialogAnswer = [](QDialog &d) {
            if (qobject_cast<TfrmNewDoc *>(&d))
                return ChooseEntry(d, QStringLiteral("HTML Wizard"));
            if (auto *wizard = qobject_cast<TfrmQuickStart *>(&d)) {
                Field<QLineEdit>(d, "edtTitle")->setText(QStringLiteral("Home"));
                Field<QComboBox>(d, "cbxDocType")->setCurrentIndex(1);
                wizard->btnNextClick();
                return int(QDialog::Accepted);
            }
            if (qobject_cast<TfrmBodyAssistant *>(&d)) {
                Field<TColorBox>(d, "cbxbg")->SetColor(0x000080);
                return int(QDialog::Accepted);
            }
            return int(QDialog::Rejected);
        };
        Trigger("New1");
        QCOMPARE(h.Dialogs, QStringList({"frmNewDoc", "frmQuickStart", "frmBodyAssistant"}));
        QCOMPARE(TabTexts(), QStringList({"Untitled0", "Untitled1*"}));
        QCOMPARE(Text(), QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">\n<html>\n<head>\n"
                                        "       <title>Home</title>\n</head>\n<body bgcolor=\"#000080\">\n\n</body>\n"
                                        "</html>\n"));
        TMyRichEdit *edit = h.Window->ActiveEditor();
        QVERIFY(edit->Modified());
        // Each assistant is one step back.
        edit->Undo();
        QVERIFY(Text().contains(QLatin1String("\n<body>\n\n</body>")));
        edit->Undo();
        QCOMPARE(edit->Text().trimmed(), QString());
    }

    void aFileOnTheCommandLineOpensWithoutTheDialog()
    {
        h.Stop();
        h.Arguments = QStringList{h.Write("start.html", "<p>start</p>\n")};
        QVERIFY(h.Start());
        h.Arguments.clear();
        QCOMPARE(TabTexts(), QStringList{"start.html"});
        QVERIFY(h.Dialogs.isEmpty());
    }

    void bodyAssistantOnAPageWithColours()
    {
        QVERIFY(QDir(h.Dir.path()).mkpath(QStringLiteral("images")));
        const QString page = h.Write("colors.html", "<html>\n<BODY BGCOLOR=\"#000080\" TEXT=\"#FFFFFF\" class=\"x\">\n"
                                                    "<p>Hi</p>\n</BODY>\n</html>\n");
        h.Window->OpenFile(page);
        QStringList shown;
        h.DialogAnswer = [&shown, this](QDialog &d) {
            shown << Field<TColorBox>(d, "cbxbg")->currentText() << Field<TColorBox>(d, "cbxtext")->currentText();
            Field<QLineEdit>(d, "edtBGImg")->setText(h.Dir.filePath(QStringLiteral("images/back.gif")));
            return int(QDialog::Accepted);
        };
        QVERIFY(h.Window->Action(QStringLiteral("BodyAssistant1"))->isEnabled());
        Trigger("BodyAssistant1");
        QCOMPARE(shown, QStringList({"Navy", "White"}));
        QCOMPARE(Text(), QStringLiteral("<html>\n<body background=\"images/back.gif\" bgcolor=\"#000080\" "
                                        "text=\"#FFFFFF\" class=\"x\">\n<p>Hi</p>\n</BODY>\n</html>\n"));
        h.Window->ActiveEditor()->Undo();
        QVERIFY(Text().startsWith(QLatin1String("<html>\n<BODY BGCOLOR=\"#000080\" TEXT=\"#FFFFFF\" class=\"x\">\n")));

        // Cancel changes nothing.
        h.DialogAnswer = [](QDialog &) { return int(QDialog::Rejected); };
        const QString before = Text();
        Trigger("BodyAssistant1");
        QCOMPARE(Text(), before);
    }

    void bodyAssistantWithoutBodyKeepsTheSelection()
    {
        Trigger("New1");
        TMyRichEdit *edit = h.Window->ActiveEditor();
        edit->SetText(QStringLiteral("<p>keep</p>"));
        edit->SetSelStart(4);
        edit->SetSelEnd(8);
        Trigger("BodyAssistant1");
        QCOMPARE(Text(), QStringLiteral("<p>keep<body></p>\n"));
    }

    void quickStartOnAnOpenPageTwice()
    {
        h.Window->OpenFile(h.Write("caps.html", "<HTML>\n<HEAD>\n<TITLE>Old</TITLE>\n</HEAD>\n<BODY>\nx\n</BODY>\n"
                                                "</HTML>\n"));
        QStringList titles;
        h.DialogAnswer = [&titles](QDialog &d) {
            titles << Field<QLineEdit>(d, "edtTitle")->text();
            Field<QLineEdit>(d, "edtTitle")->setText(QStringLiteral("New"));
            return int(QDialog::Accepted);
        };
        QVERIFY(h.Window->Menu(QStringLiteral("Dokument1"))
                    ->actions()
                    .contains(h.Window->Action(QStringLiteral("QuickStart1"))));
        Trigger("QuickStart1");
        const QString once = Text();
        QCOMPARE(once, QuickStartPage());
        Trigger("QuickStart1");
        QCOMPARE(Text(), once);
        QCOMPARE(titles, QStringList({"Old", "New"}));
        // The first run is one step back; the second changed nothing and left no step.
        h.Window->ActiveEditor()->Undo();
        QVERIFY(Text().startsWith(QLatin1String("<HTML>\n<HEAD>\n<TITLE>Old</TITLE>")));
    }

private:
    static QString QuickStartPage()
    {
        // The editor drops the blanks the first document type ends in.
        return QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 //EN\">\n<HTML>\n<HEAD>\n"
                              "<title>New</title>\n</HEAD>\n<BODY>\nx\n</BODY>\n</HTML>\n");
    }
};

QTEST_MAIN(TestNewDocument)
#include "tst_newdocument.moc"
