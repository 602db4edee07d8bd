// The date commands as a user reaches them: the Insert menu, the AutoDate page, the refresh on
// saving and in the preview copy.
#include "aids/core/myrichedit.h"
#include "aids/ui/quickbar.h"
#include "app/ui/mainstatusbar.h"
#include "doctools/ui/datestampcommands.h"
#include "doctools/ui/documenttools.h"
#include "windowharness.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QToolButton>

namespace {

QString Text(TMyRichEdit *edit)
{
    return edit->Text().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

class TestDateStampCommands : public QObject
{
    Q_OBJECT

    TWindowHarness h;
    QDateTime m_now{QDate(1999, 4, 5), QTime(9, 30, 12)};

    TDateStampCommands *Dates() { return h.Window->DocumentTools()->DateStamps(); }
    TMyRichEdit *NewDocument()
    {
        h.Window->Action(QStringLiteral("New1"))->trigger();
        return h.Window->ActiveEditor();
    }
    QString Status() const { return h.Window->StatusBar()->PanelText(TMainStatusBar::Message); }
    QToolButton *PageButton(const char *name) { return h.Window->findChild<QToolButton *>(QLatin1String(name)); }

private Q_SLOTS:
    void init()
    {
        QVERIFY(h.Start());
        Dates()->Now = [this] { return m_now; };
        Dates()->Locale = DateStamps::FromQLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void cleanup() { h.Stop(); }

    void menuItems_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QString>("inserted");
        QTest::newRow("current date") << "CurrDate1" << QStringList{} << "Mon, April 5, 1999";
        QTest::newRow("current time") << "CurrTime1" << QStringList{} << "09:30h";
        QTest::newRow("last updated") << "LastUpdateDate1" << QStringList{} << "Last updated: 05.04.99";
        QTest::newRow("created") << "CreatedDate1" << QStringList{} << "Created: 05.04.99";
        QTest::newRow("text + date") << "TextDatum1" << QStringList{"Seen"} << "Seen 05.04.99";
        QTest::newRow("text + date, empty text") << "TextDatum1" << QStringList{""} << " 05.04.99";
        QTest::newRow("text + date, cancelled") << "TextDatum1" << QStringList{"<cancel>"} << "";
    }
    void menuItems()
    {
        QFETCH(QString, action);
        QFETCH(QStringList, inputs);
        QFETCH(QString, inserted);
        TMyRichEdit *edit = NewDocument();
        edit->SetText(QStringLiteral("<p>old</p>"));
        edit->SetSelStart(4);
        edit->SetSelEnd(7); // the selection gives way
        h.Inputs = inputs;
        h.Prompts.clear();
        QAction *item = h.Window->Action(action);
        QVERIFY(item->isEnabled());
        item->trigger();
        QCOMPARE(Text(edit), inserted.isEmpty() && !inputs.isEmpty() ? QStringLiteral("<p>old</p>\n")
                                                                     : QStringLiteral("<p>%1</p>\n").arg(inserted));
        if (action == QLatin1String("TextDatum1"))
            QCOMPARE(h.Prompts, QStringList{QStringLiteral("Please enter Text:")});
    }

    void theAutoDatePage()
    {
        TMyRichEdit *edit = NewDocument();
        QComboBox *box = Dates()->DateBox();
        QVERIFY(box);
        QCOMPARE(box->count(), 11);
        QCOMPARE(box->currentText(), DateStamps::InitialDateChoice());
        box->setCurrentIndex(3);
        PageButton("btnInsAutoDate")->click();
        QCOMPARE(Text(edit), QStringLiteral("<!--Date(dd.mm.yy)-->05.04.99<!--/Date-->\n"));

        // A typed format, then the date alone.
        edit->SetText(QString());
        box->setEditText(QStringLiteral("hh:mm \"h\""));
        PageButton("btnInsAutoDate")->click();
        Dates()->JustDateBox()->setChecked(true);
        PageButton("btnInsAutoDate")->click();
        QCOMPARE(Text(edit), QStringLiteral("<!--Date(hh:mm \"h\")-->09:30 h<!--/Date-->09:30 h\n"));
        // The empty choice writes the locale's date and time between bare markers.
        Dates()->JustDateBox()->setChecked(false);
        edit->SetText(QString());
        box->setCurrentIndex(10);
        PageButton("btnInsAutoDate")->click();
        QVERIFY(Text(edit).startsWith(QStringLiteral("<!--Date-->4/5/99 ")));
    }

    void refreshAsOneUndoStep()
    {
        TMyRichEdit *edit = NewDocument();
        const QString old = QStringLiteral("a<!--Date(dd.mm.yy)-->01.01.90<!--/Date-->\r\n"
                                           "b<!--date(hh:nn)-->x<!--/date--> caret here");
        edit->SetText(old);
        edit->SetModified(false);
        const int caret = int(old.size()) - 3;
        edit->SetSelStart(caret);
        PageButton("btnRefreshAutoDates")->click();
        QCOMPARE(Text(edit), QStringLiteral("a<!--Date(dd.mm.yy)-->05.04.99<!--/Date-->\n"
                                            "b<!--date(hh:nn)-->09:30<!--/date--> caret here\n"));
        QCOMPARE(edit->SelStart(), caret);
        QCOMPARE(edit->SelEnd(), caret);
        QVERIFY(edit->Modified());
        QVERIFY(Status().startsWith(QStringLiteral("Scanning at char ... ")));
        edit->Undo();
        QCOMPARE(Text(edit), QString(old).replace(QStringLiteral("\r\n"), QStringLiteral("\n")) + u'\n');

        // Nothing to change: no edit, no modified marker.
        edit->SetText(QStringLiteral("<p>no stamps</p>"));
        edit->SetModified(false);
        h.Window->Action(QStringLiteral("AutoDateRefresh1"))->trigger();
        QVERIFY(!edit->Modified());
    }

    void saveRefreshesFirst()
    {
        TMyRichEdit *edit = NewDocument();
        edit->SetText(QStringLiteral("<!--Date(yyyy)-->1900<!--/Date--> <!--Date(d)-->9 never closed"));
        h.SaveChoice = h.Dir.filePath(QStringLiteral("dated.html"));
        h.Window->Action(QStringLiteral("SaveAs1"))->trigger();
        QCOMPARE(h.Read(QStringLiteral("dated.html")).trimmed(),
                 QByteArray("<!--Date(yyyy)-->1999<!--/Date--> <!--Date(d)-->9 never closed"));
        QCOMPARE(Status(), QStringLiteral("AutoDate Syntax Error: missing <!--/Date--> after Char 49..."));
        QVERIFY(!edit->Modified());

        // Save refreshes again at its own moment.
        m_now = m_now.addYears(1);
        edit->SetSelText(QStringLiteral("!")); // an edit, so that Save is offered
        h.Window->UpdateControls();
        h.Window->Action(QStringLiteral("Save1"))->trigger();
        QVERIFY(h.Read(QStringLiteral("dated.html")).startsWith("!<!--Date(yyyy)-->2000<!--/Date-->"));
        QVERIFY(Text(edit).startsWith(QStringLiteral("!<!--Date(yyyy)-->2000<!--/Date-->")));
    }

    void previewCopyRefreshedDocumentLeftAlone()
    {
        TMyRichEdit *edit = NewDocument();
        edit->SetText(QStringLiteral("<!--Date-->old<!--/Date-->"));
        edit->SetModified(false);
        const QString copy = h.Window->CopyText(edit->Text());
        QVERIFY(copy.startsWith(QStringLiteral("<!--Date-->")));
        QVERIFY(!copy.contains(QStringLiteral("old")));
        QCOMPARE(Text(edit), QStringLiteral("<!--Date-->old<!--/Date-->\n"));
        QVERIFY(!edit->Modified());
    }

    void noDocumentOpen()
    {
        // Freeing the tab directly leaves the window without documents.
        while (h.Window->PageControl1()->count() > 0)
            delete h.Window->PageControl1()->widget(0);
        h.Window->Action(QStringLiteral("CurrDate1"))->trigger();
        QCOMPARE(h.Messages.value(0), QStringLiteral("No HTML-File opened"));
    }
};

QTEST_MAIN(TestDateStampCommands)
#include "tst_datestampcommands.moc"
