// Unsaved documents survive a crash, a kill -9 and a termination signal: a child process types
// into the real window, is ended from outside, and the next start offers the text back.
#include "aids/core/myrichedit.h"
#include "app/ui/documentjournal.h"
#include "app/ui/documentmanager.h"
#include "app/ui/documenttab.h"
#include "app/ui/recoverydialog.h"
#include "app/ui/terminationhandling.h"
#include "editor/ui/codeeditview.h"
#include "windowharness.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTabWidget>
#include <QTimer>

#include <csignal>
#include <cstdio>

namespace {

QString EditorText(TMyRichEdit *editor)
{
    QStringList lines;
    for (int i = 0; i < editor->Lines().Count(); ++i)
        lines << editor->Lines()[i];
    return lines.join(QLatin1Char('\n'));
}

// Typed as the keyboard sends it: one key event per character, with its text.
void Type(QWidget *view, const QString &text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(view, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(view, &release);
    }
}

// The child: opens page.html in dir, types, waits until the journal has it, says so on its
// output with the editor's text, then runs until it is ended from outside.
int RunChild(const QString &mode, const QString &dir)
{
    TWindowHarness h;
    h.Dir.remove(); // the child works in its parent's folder; a kill would leave its own behind
    h.Root = dir;
    h.JournalDir = dir + QStringLiteral("/journal");
    // What an earlier child left is for the parent to recover.
    h.DialogAnswer = [](QDialog &dialog) {
        return qobject_cast<TRecoveryDialog *>(&dialog) ? int(QDialog::Rejected) : int(QDialog::Accepted);
    };
    if (!h.Start())
        return 3;
    h.Window->OpenFile(dir + QStringLiteral("/page.html"));
    TDocumentTab *tab = h.Window->ActiveTab();
    Type(tab->View(), QStringLiteral("<p>typed \u00e9</p>"));
    QTest::keyClick(tab->View(), Qt::Key_Return);
    // A character outside the BMP and a second, untitled document.
    tab->Editor()->SetSelText(QString::fromUtf8("\xF0\x9F\x98\x80 "));
    if (mode == QLatin1String("kill-twice"))
        tab->Editor()->SetSelText(QStringLiteral("second run "));
    h.Window->Action(QStringLiteral("New1"))->trigger();
    h.Window->ActiveEditor()->SetSelText(QStringLiteral("never saved\n\tline two"));
    if (mode == QLatin1String("term-unjournalled")) {
        // Ended before any pass wrote the journal: the signal itself must keep the text.
    } else {
        // One pass takes every changed document.
        h.Window->Journal()->Tick();
        h.Window->Journal()->WaitForWrites();
    }
    EndOnTerminationSignals(*h.Window);
    if (mode == QLatin1String("term-question"))
        // A question is open when the signal comes, and nobody answers it.
        QTimer::singleShot(0, h.Window.get(), [&] {
            QMessageBox::question(h.Window.get(), QStringLiteral("Q"), QStringLiteral("Open?"));
        });
    const QString text = EditorText(tab->Editor()) + QStringLiteral("\x01") + EditorText(h.Window->ActiveEditor());
    const QByteArray bytes(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    std::printf("ready %s\n", bytes.toBase64().constData());
    std::fflush(stdout);
    return QApplication::exec();
}

} // namespace

class tst_Recovery : public QObject
{
    Q_OBJECT
    TWindowHarness m_h;
    QStringList m_expected; // the texts the child had, per document

    // Starts the child in the harness's folder and waits until it has journalled its typing.
    bool StartChild(QProcess &child, const QString &mode)
    {
        m_h.Write(QStringLiteral("page.html"), "<html>\n<body>\n</body>\n</html>\n");
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), mode, m_h.Home()});
        if (!child.waitForStarted(10000))
            return false;
        QByteArray line;
        QElapsedTimer clock;
        clock.start();
        while (!line.endsWith('\n') && clock.elapsed() < 120000) {
            child.waitForReadyRead(1000);
            line += child.readAll();
        }
        if (!line.startsWith("ready "))
            return false;
        const QByteArray utf16 = QByteArray::fromBase64(line.mid(6).trimmed());
        const QString text(reinterpret_cast<const QChar *>(utf16.constData()), utf16.size() / 2);
        m_expected = text.split(QLatin1Char('\x01'));
        return m_expected.size() == 2 && m_expected.first().contains(QStringLiteral("<p>typed \u00e9</p>"));
    }

    // Starts the window again on the same journal and answers the recovery question with answer.
    QList<TRecoveryDialog::TItem> Restart(int answer, QString *difference = nullptr)
    {
        QList<TRecoveryDialog::TItem> offered;
        m_h.DialogAnswer = [&](QDialog &dialog) {
            auto *question = qobject_cast<TRecoveryDialog *>(&dialog);
            if (question && difference)
                *difference = question->DifferenceView()->toPlainText();
            if (question)
                for (int i = 0; i < question->List()->count(); ++i)
                    offered << TRecoveryDialog::TItem{question->List()->item(i)->toolTip(), {}, {}};
            return answer;
        };
        if (!m_h.Start())
            return offered;
        QTest::qWait(0);
        QCoreApplication::processEvents();
        return offered;
    }

    TDocumentTab *TabFor(const QString &suffix)
    {
        for (int i = 0; i < m_h.Window->PageControl1()->count(); ++i)
            if (m_h.Window->Tab(i)->Path().endsWith(suffix) && m_h.Window->Tab(i)->Editor()->Modified())
                return m_h.Window->Tab(i);
        return nullptr;
    }

private Q_SLOTS:
    void init() { m_h.JournalDir = m_h.Dir.filePath(QStringLiteral("journal")); }
    void cleanup() { m_h.Stop(); }

    void killedChildIsRecoveredExactly()
    {
        QProcess child;
        QVERIFY(StartChild(child, QStringLiteral("kill")));
        child.kill(); // SIGKILL: nothing of the program runs any more
        QVERIFY(child.waitForFinished(10000));

        QString difference;
        const auto offered = Restart(QDialog::Accepted, &difference);
        QCOMPARE(offered.size(), 2);
        QCOMPARE(offered.first().Title, m_h.FilePath(QStringLiteral("page.html")));
        QVERIFY2(difference.contains(QStringLiteral("+ <p>typed \u00e9</p>")), qPrintable(difference));
        TDocumentTab *page = TabFor(QStringLiteral("page.html"));
        QVERIFY(page);
        QCOMPARE(EditorText(page->Editor()), m_expected.first());
        QCOMPARE(page->Editor()->SelStart(), 1); // the caret at the top, nothing selected
        QVERIFY(!page->Editor()->SelAvail());
        TDocumentTab *untitled = TabFor(QStringLiteral("Untitled1"));
        QVERIFY(untitled);
        QCOMPARE(EditorText(untitled->Editor()), m_expected.last());
        // Saved, the recovered page is the typed text in the file's own format, byte for byte.
        m_h.Window->PageControl1()->setCurrentWidget(page);
        QVERIFY(m_h.Window->Documents()->btnsaveClick());
        QCOMPARE(QString::fromUtf8(m_h.Read(QStringLiteral("page.html"))), m_expected.first() + QLatin1Char('\n'));
        // Undo goes back to the file's text: recovering is one step.
        page->Editor()->Undo();
        QCOMPARE(EditorText(page->Editor()), QStringLiteral("<html>\n<body>\n</body>\n</html>"));

        // Recovered once, never offered again.
        m_h.Window->close();
        m_h.Window.reset();
        QCOMPARE(Restart(QDialog::Accepted).size(), 0);
    }

    void terminatedChildEndsAtOnceAndIsRecovered_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("journalled before the signal") << QStringLiteral("term");
        QTest::newRow("nothing journalled yet") << QStringLiteral("term-unjournalled");
        QTest::newRow("a question open") << QStringLiteral("term-question");
    }

    void terminatedChildEndsAtOnceAndIsRecovered()
    {
        QFETCH(QString, mode);
        QProcess child;
        QVERIFY(StartChild(child, mode));
        QElapsedTimer clock;
        clock.start();
        child.terminate(); // SIGTERM
        QVERIFY2(child.waitForFinished(2000), "the program did not end within 2 s of SIGTERM");
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        qInfo("ended %lld ms after SIGTERM", qint64(clock.elapsed()));
        // It asked nothing and left the file alone.
        QCOMPARE(m_h.Read(QStringLiteral("page.html")), QByteArray("<html>\n<body>\n</body>\n</html>\n"));

        QCOMPARE(Restart(QDialog::Accepted).size(), 2);
        TDocumentTab *page = TabFor(QStringLiteral("page.html"));
        QVERIFY(page);
        QCOMPARE(EditorText(page->Editor()), m_expected.first());
    }

    void askLaterKeepsTheJournalAndDiscardRemovesIt()
    {
        QProcess child;
        QVERIFY(StartChild(child, QStringLiteral("kill")));
        child.kill();
        QVERIFY(child.waitForFinished(10000));
        QCOMPARE(Restart(QDialog::Rejected).size(), 2);
        QVERIFY(!TabFor(QStringLiteral("page.html")));
        m_h.Window->close();
        m_h.Window.reset();
        QCOMPARE(Restart(TRecoveryDialog::Discarded).size(), 2);
        QVERIFY(!TabFor(QStringLiteral("page.html")));
        m_h.Window->close();
        m_h.Window.reset();
        QCOMPARE(Restart(QDialog::Accepted).size(), 0);
    }

    void aFileLeftByTwoRunsIsOfferedOnceAsTheLaterHadIt()
    {
        QProcess first;
        QVERIFY(StartChild(first, QStringLiteral("kill")));
        first.kill();
        QVERIFY(first.waitForFinished(10000));
        QProcess second;
        QVERIFY(StartChild(second, QStringLiteral("kill-twice")));
        second.kill();
        QVERIFY(second.waitForFinished(10000));
        // Two untitled documents (one per run) and the page once.
        const auto offered = Restart(QDialog::Accepted);
        QCOMPARE(offered.size(), 3);
        QCOMPARE(offered.count(TRecoveryDialog::TItem{m_h.FilePath(QStringLiteral("page.html")), {}, {}}), 1);
        TDocumentTab *page = TabFor(QStringLiteral("page.html"));
        QVERIFY(page);
        QCOMPARE(EditorText(page->Editor()), m_expected.first());
        QVERIFY(m_expected.first().contains(QStringLiteral("second run")));
    }

    void journalFollowsTheDocument()
    {
        QVERIFY(m_h.Start());
        TDocumentJournal *journal = m_h.Window->Journal();
        QVERIFY(journal->Active());
        const QDir session(journal->SessionDir());
        const auto entries = [&] { return session.entryList({QStringLiteral("*.journal")}, QDir::Files).size(); };
        m_h.Window->OpenFile(m_h.Write(QStringLiteral("a.html"), "<p>a</p>\n"));
        TMyRichEdit *editor = m_h.Window->ActiveEditor();
        journal->Tick();
        journal->WaitForWrites();
        QCOMPARE(entries(), 0); // unmodified documents are not journalled
        editor->SetSelText(QStringLiteral("x"));
        journal->Tick();
        journal->WaitForWrites();
        QCOMPARE(entries(), 1);
        // Saved: nothing left to recover.
        QVERIFY(m_h.Window->Documents()->btnsaveClick());
        journal->Tick();
        journal->WaitForWrites();
        QCOMPARE(entries(), 0);
        // Changed and closed without saving: the entry goes with the document.
        editor->SetSelText(QStringLiteral("y"));
        journal->Tick();
        journal->WaitForWrites();
        QCOMPARE(entries(), 1);
        m_h.Answer = QMessageBox::No;
        QVERIFY(m_h.Window->Documents()->Close1Click());
        QCOMPARE(entries(), 0);
        // A clean exit removes the session.
        m_h.Window->close();
        QVERIFY(!session.exists());
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc >= 4 && QByteArray(argv[1]) == "--child")
        return RunChild(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    tst_Recovery test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recovery.moc"
