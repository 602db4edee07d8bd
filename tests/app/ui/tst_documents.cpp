// Documents in tabs: open, save with includes, close and the recent-files menu.
#include "aids/core/myrichedit.h"
#include "app/ui/documenttab.h"
#include "app/ui/mainstatusbar.h"
#include "app/ui/documentmanager.h"
#include "app/ui/mainwindow.h"
#include "app/ui/previewcontroller.h"
#include "windowharness.h"
#include "../core/fulldiskwriter.h"
#include "../core/roundtripfiles.h"
#include "platform/core/inputfile.h"

#include <QDir>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QSemaphore>
#include <QTimer>
#include <QMessageBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

// A real writer that waits to be let go before it opens: a backup still being written.
class THeldWriter : public TSafeFileWriter
{
public:
    THeldWriter(const QString &target, QSemaphore &held, std::atomic<int> &opened)
        : TSafeFileWriter(target), m_held(held), m_opened(opened)
    {}
    bool Open() override
    {
        ++m_opened;
        m_held.acquire();
        return TSafeFileWriter::Open();
    }

private:
    QSemaphore &m_held;
    std::atomic<int> &m_opened;
};

class TestDocuments : public QObject
{
    Q_OBJECT
private:
    TWindowHarness m_h;
    std::unique_ptr<TfrmHTMLEdit> &m_window = m_h.Window;
    int &m_answer = m_h.Answer;
    QString &m_openChoice = m_h.OpenChoice;
    QString &m_saveChoice = m_h.SaveChoice;
    QStringList &m_messages = m_h.Messages;
    QDir m_dir{m_h.Dir.path()};

    QString Write(const QString &name, const QByteArray &bytes) { return m_h.Write(name, bytes); }
    QByteArray Read(const QString &name) { return m_h.Read(name); }
    static qint64 DocumentManagerReadInBackgroundBytes() { return TDocumentManager::kReadInBackgroundBytes; }
    static bool WriteAllTo(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    }
    static QByteArray ReadFrom(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QStringList TabTexts() const
    {
        QStringList texts;
        for (int i = 0; i < m_window->PageControl1()->count(); ++i)
            texts << m_window->PageControl1()->tabText(i);
        return texts;
    }
    QStringList ReopenTexts() const
    {
        QStringList texts;
        for (QAction *a : m_window->Menu(QStringLiteral("Reopen1"))->actions())
            texts << (a->toolTip().startsWith(QLatin1Char('/')) ? a->toolTip() : a->text());
        return texts;
    }

private Q_SLOTS:
    void initTestCase() { qputenv("TAGFORGE_NO_BROWSER", "1"); }

    void init() { QVERIFY(m_h.Start()); }
    void cleanup()
    {
        m_window->close();
        m_h.Stop();
    }

    void openingAnOpenFileActivatesItsTab()
    {
        const QString a = Write("a.html", "<p>a</p>\n");
        const QString b = Write("b.html", "<p>b</p>\n");
        m_window->OpenFile(a);
        m_window->OpenFile(b);
        const QStringList mru = m_window->Documents()->MRUFileList();
        m_window->OpenFile(a);
        QCOMPARE(m_window->PageControl1()->tabText(m_window->PageControl1()->currentIndex()), QStringLiteral("a.html"));
        QCOMPARE(m_window->PageControl1()->count(), 3);
        QCOMPARE(m_window->Documents()->MRUFileList(), mru);
    }

    // A large file is read on a worker thread while the window runs its events: the document
    // arrives whole, and a second file asked for meanwhile opens after it.
    void largeFileIsReadOnAWorker()
    {
        QByteArray bytes;
        const QByteArray line = "<p>\tcaf\xC3\xA9 paragraph</p>\r\n";
        while (bytes.size() < DocumentManagerReadInBackgroundBytes())
            bytes += line;
        const int lines = int(bytes.count('\n'));
        const QString large = Write("large.html", bytes);
        const QString small = Write("small.html", "<p>s</p>\n");
        bool secondAsked = false;
        QTimer::singleShot(0, m_window.get(), [&] {
            m_window->OpenFile(small); // while the large one is still being read
            secondAsked = true;
        });
        m_window->Settings().TabWidth = 2;
        m_window->OpenFile(large);
        QVERIFY(secondAsked);
        QCOMPARE(m_window->ActiveTab()->Path(), large);
        QCOMPARE(m_window->ActiveEditor()->LineCount(), lines);
        QCOMPARE(m_window->ActiveEditor()->Lines()[lines - 1], QStringLiteral("<p>  caf\u00E9 paragraph</p>"));
        QCOMPARE(int(m_window->ActiveTab()->Format().LineBreak), int(TLineBreakStyle::CRLF));
        QVERIFY(!m_window->ActiveEditor()->Modified());
        QTRY_COMPARE(m_window->ActiveTab()->Path(), small);
        QCOMPARE(m_window->PageControl1()->count(), 3);
    }

    void openDialogPrefersTheIncludeSource()
    {
        Write("page.htm", "<p>expanded</p>\n");
        const QString source = Write("page.htc", "#include{head.txt}\n<p>source</p>\n");
        m_openChoice = m_dir.filePath("page.htm");
        m_window->Action(QStringLiteral("Open1"))->trigger();
        QCOMPARE(m_window->ActiveTab()->Path(), source);
    }

    void tabsBecomeBlanksWithoutMarkingModified()
    {
        m_window->Settings().TabWidth = 4;
        m_window->OpenFile(Write("tabs.html", "\t<p>x</p>\n"));
        QCOMPARE(m_window->ActiveEditor()->Lines()[0], QStringLiteral("    <p>x</p>"));
        QVERIFY(!m_window->ActiveEditor()->Modified());
        QVERIFY(!m_window->ActiveEditor()->CanUndo());
    }

    void savingWithAnIncludeWritesBothFiles()
    {
        Write("head.txt", "<h1>Head</h1>\n");
        const QString source = Write("page.htc", "#include{head.txt}\n<p>body</p>\n");
        m_window->OpenFile(source);
        TMyRichEdit *editor = m_window->ActiveEditor();
        editor->SetSelStart(editor->SelEnd());
        editor->CommandProcessor(ecEditorBottom);
        editor->SetSelText(QStringLiteral("<p>more</p>"));
        QVERIFY(editor->Modified());
        m_window->Action(QStringLiteral("Save1"))->trigger();
        QCOMPARE(Read("page.html"), QByteArray("<h1>Head</h1>\n<p>body</p><p>more</p>\n"));
        QCOMPARE(Read("page.htc"), QByteArray("#include{head.txt}\n<p>body</p><p>more</p>\n"));
        QCOMPARE(m_window->ActiveTab()->Path(), source);
        QVERIFY(!editor->Modified());
        QVERIFY(editor->Text().startsWith(QStringLiteral("#include{head.txt}")));
        QCOMPARE(m_window->PageControl1()->tabText(m_window->PageControl1()->currentIndex()),
                 QStringLiteral("page.htc"));
    }

    void saveAsAddsHtmlAndKeepsTheBytes()
    {
        m_window->Action(QStringLiteral("New1"))->trigger();
        m_window->ActiveEditor()->SetSelText(QStringLiteral("<p>caf\u00e9</p>"));
        m_saveChoice = m_dir.filePath("fresh");
        m_window->Action(QStringLiteral("SaveAs1"))->trigger();
        QCOMPARE(m_window->ActiveTab()->Path(), m_dir.filePath("fresh.html"));
        QCOMPARE(Read("fresh.html"), QByteArray("<p>caf\xc3\xa9</p>\n"));
        QCOMPARE(m_window->Documents()->MRUFileList().first(), QStringLiteral("File1=") + m_dir.filePath("fresh.html"));
    }

    void failedSaveChangesNothing()
    {
        const QString path = Write("keep.html", "<p>old</p>\n");
        m_window->OpenFile(path);
        m_window->ActiveEditor()->SetSelText(QStringLiteral("new "));
        // A file the system will not let anybody replace.
        m_saveChoice = QStringLiteral("/proc/version");
        m_window->Action(QStringLiteral("SaveAs1"))->trigger();
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_window->ActiveTab()->Path(), path);
        QVERIFY(m_window->ActiveEditor()->Modified());
        QVERIFY(m_window->PageControl1()->tabText(m_window->PageControl1()->currentIndex()).endsWith(QLatin1Char('*')));
        QCOMPARE(Read("keep.html"), QByteArray("<p>old</p>\n"));
    }

    // A disk that fills up while saving: the file keeps its old bytes, the tab its "*", and the
    // message gives the system's reason. Through an injected writer everywhere, on a real small
    // tmpfs where the test may mount one.
    void fullDiskSaveKeepsTheTabModified_data()
    {
        QTest::addColumn<bool>("realDisk");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("name");
        QTest::newRow("Save, injected full disk") << false << "Save1"
                                                  << "page.html";
        QTest::newRow("Save All, injected full disk") << false << "SaveAll1"
                                                      << "page.html";
        QTest::newRow("Save of an include source, injected") << false << "Save1"
                                                             << "page.htc";
        QTest::newRow("Save, real full tmpfs") << true << "Save1"
                                               << "page.html";
    }
    void fullDiskSaveKeepsTheTabModified()
    {
        QFETCH(bool, realDisk);
        QFETCH(QString, command);
        QFETCH(QString, name);
        const QString folder = m_dir.filePath("disk");
        QVERIFY(m_dir.mkpath(folder));
        TSmallDisk disk(folder, 24);
        if (realDisk && !disk.Mounted())
            QSKIP("no small tmpfs can be mounted here (needs root); the injected rows cover the path");
        QByteArray old;
        while (old.size() < 7500)
            old += "<p>A line of the page that fills it up.</p>\n";
        if (name.endsWith(QLatin1String(".htc")))
            old.prepend("#include{head.txt}\n");
        QVERIFY(WriteAllTo(folder + "/head.txt", "<h1>Head</h1>\n"));
        QVERIFY(WriteAllTo(folder + "/page.html", old));
        QVERIFY(WriteAllTo(folder + "/" + name, old));
        m_window->OpenFile(folder + "/" + name);
        int commits = 0;
        if (realDisk)
            QVERIFY(disk.FillLeaving(4096));
        else
            DocumentFile::SetSaveWriterFactory([&](const QString &target) {
                return std::make_unique<TFullDiskWriter>(target, 4096, false, &commits);
            });
        m_window->ActiveEditor()->SetSelText(QStringLiteral("x"));
        m_window->Action(command)->trigger();
        DocumentFile::SetSaveWriterFactory({});
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages.first().contains(NoSpace), qPrintable(m_messages.first()));
        QVERIFY(m_window->ActiveEditor()->Modified());
        QVERIFY(m_window->PageControl1()->tabText(m_window->PageControl1()->currentIndex()).endsWith(QLatin1Char('*')));
        QCOMPARE(ReadFrom(folder + "/" + name), old);
        QCOMPARE(ReadFrom(folder + "/page.html"), old);
        QCOMPARE(commits, 0);
        m_window->ActiveEditor()->SetModified(false);
    }

    // Open, save without an edit, compare: the window path keeps every byte of a file that opened
    // without a warning; the others open with a message and the status bar says how they are saved.

    // Saving where the file system says no: the old file stays as it was (or is replaced whole),
    // the message gives the system's reason, and the document stays modified.
    void faultySaveTargets_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("reason"); // empty: the save succeeds
        QTest::newRow("the file became a folder") << "folder"
                                                  << "directory";
        QTest::newRow("a read-only folder") << "read-only folder"
                                            << "ead-only";
        QTest::newRow("a chain of links: the last target is written") << "chain"
                                                                      << "";
        QTest::newRow("a link whose target was removed: written again") << "dangling"
                                                                        << "";
    }
    void faultySaveTargets()
    {
        QFETCH(QString, fault);
        QFETCH(QString, reason);
        const QString folder = m_dir.filePath("faults");
        QVERIFY(m_dir.mkpath(folder));
        TSmallDisk disk(folder, 64);
        const QByteArray old("<p>old</p>\n");
        QVERIFY(WriteAllTo(folder + "/target.html", old));
        QString opened = folder + "/target.html";
        if (fault == QLatin1String("chain") || fault == QLatin1String("dangling")) {
            QVERIFY(QFile::link(folder + "/target.html", folder + "/middle.html"));
            QVERIFY(QFile::link(folder + "/middle.html", folder + "/page.html"));
            opened = folder + "/page.html";
        }
        m_window->OpenFile(opened);
        m_window->ActiveEditor()->SetSelText(QStringLiteral("new "));
        if (fault == QLatin1String("folder")) {
            QVERIFY(QFile::remove(opened));
            QVERIFY(QDir().mkdir(opened));
        } else if (fault == QLatin1String("read-only folder")) {
            if (disk.Mounted()) {
                QVERIFY(disk.RemountReadOnly());
            } else {
                if (geteuid() == 0)
                    QSKIP("root writes into read-only folders and no read-only tmpfs can be mounted here");
                QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
            }
        } else if (fault == QLatin1String("dangling")) {
            QVERIFY(QFile::remove(folder + "/target.html"));
        }
        m_window->Action(QStringLiteral("Save1"))->trigger();
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        if (reason.isEmpty()) {
            QCOMPARE(m_messages, QStringList());
            QVERIFY(!m_window->ActiveEditor()->Modified());
            QCOMPARE(ReadFrom(folder + "/target.html"), QByteArray("new <p>old</p>\n"));
            // The links stay links: only what they lead to is replaced.
            QVERIFY(QFileInfo(folder + "/page.html").isSymLink());
            QVERIFY(QFileInfo(folder + "/middle.html").isSymLink());
            return;
        }
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages.first().contains(reason), qPrintable(m_messages.first()));
        QVERIFY(m_window->ActiveEditor()->Modified());
        if (fault == QLatin1String("folder"))
            QVERIFY(QFileInfo(opened).isDir());
        else
            QCOMPARE(ReadFrom(opened), old);
    }

    // An include source saves its page first; when the source itself then fails, the message says
    // that the two files now disagree.
    void sourceFailingAfterItsPageIsTold()
    {
        const QString folder = m_dir.filePath("pair");
        QVERIFY(m_dir.mkpath(folder));
        QVERIFY(WriteAllTo(folder + "/head.txt", "<h1>Head</h1>\n"));
        QVERIFY(WriteAllTo(folder + "/page.htc", "#include{head.txt}\n<p>old</p>\n"));
        m_window->OpenFile(folder + "/page.htc");
        m_window->ActiveEditor()->SetSelText(QStringLiteral("<!-- new -->"));
        int commits = 0;
        DocumentFile::SetSaveWriterFactory([&](const QString &target) {
            return std::make_unique<TFullDiskWriter>(target, target.endsWith(QLatin1String(".htc")) ? 0 : 1 << 20,
                                                     false, &commits);
        });
        m_window->Action(QStringLiteral("Save1"))->trigger();
        DocumentFile::SetSaveWriterFactory({});
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages.first().contains(NoSpace), qPrintable(m_messages.first()));
        QVERIFY2(m_messages.first().contains(QLatin1String("page.html was written from the new text")),
                 qPrintable(m_messages.first()));
        QVERIFY(m_window->ActiveEditor()->Modified());
        QCOMPARE(ReadFrom(folder + "/page.htc"), QByteArray("#include{head.txt}\n<p>old</p>\n"));
        QVERIFY(ReadFrom(folder + "/page.html").contains("<!-- new -->"));
    }
    void openAndSaveWithoutEditKeepsTheBytes_data() { AddRoundTripRows(); }
    void openAndSaveWithoutEditKeepsTheBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, warned);
        QFETCH(QByteArray, saved);
        const QString path = Write("round.html", bytes);
        m_window->RunGuarded([&] { m_window->OpenFile(path); });
        if (InputFile::LooksBinary(bytes)) {
            // Refused with the reason; nothing opened, the file untouched.
            QCOMPARE(m_window->ActiveTab()->Path(), QStringLiteral("Untitled0"));
            QCOMPARE(m_messages.size(), 1);
            QVERIFY2(m_messages.first().contains(QLatin1String("not a text file")), qPrintable(m_messages.first()));
            QCOMPARE(Read("round.html"), bytes);
            return;
        }
        QCOMPARE(m_window->ActiveTab()->Path(), path);
        QCOMPARE(m_messages.size(), warned ? 1 : 0);
        if (warned) {
            QVERIFY2(m_messages.first().startsWith(QLatin1String("round.html: ")), qPrintable(m_messages.first()));
            const QString status = m_window->StatusBar()->PanelText(TMainStatusBar::Message);
            QVERIFY2(status.contains(QLatin1String("will be saved")), qPrintable(status));
        }
        QVERIFY(!m_window->ActiveEditor()->Modified());
        // Save stays greyed while nothing changed, so the unedited document goes out by Save As.
        m_saveChoice = m_dir.filePath("copy.html");
        m_window->Action(QStringLiteral("SaveAs1"))->trigger();
        QCOMPARE(m_messages.size(), warned ? 1 : 0);
        QCOMPARE(m_window->ActiveTab()->Path(), m_saveChoice);
        QCOMPARE(Read("copy.html").toHex(' '), saved.toHex(' '));
        QCOMPARE(Read("round.html"), bytes);
        m_saveChoice.clear();
    }

    void backupOnAFullDiskSaysWhy()
    {
        m_window->OpenFile(Write("b.html", "<p>b</p>\n"));
        int commits = 0;
        DocumentFile::SetSaveWriterFactory(
            [&](const QString &target) { return std::make_unique<TFullDiskWriter>(target, 2, false, &commits); });
        m_window->Action(QStringLiteral("Backup1"))->trigger();
        DocumentFile::SetSaveWriterFactory({});
        const QString status = m_window->StatusBar()->PanelText(TMainStatusBar::Message);
        QVERIFY2(status.startsWith(QLatin1String("Error creating Backup of b.html!")), qPrintable(status));
        QVERIFY2(status.contains(NoSpace), qPrintable(status));
        QVERIFY(m_messages.isEmpty());
        QVERIFY(!QFileInfo::exists(m_dir.filePath("program/Backups/bak~b.html")));
    }

    // The timer's backup is written on the worker thread; a turn that comes while the last one is
    // still being written is left out. A failure tells the system's reason in the status bar.
    void automaticBackupIsWrittenAside()
    {
        m_window->OpenFile(Write("auto.html", "<p>auto</p>\n"));
        m_window->ActiveEditor()->SetSelText(QStringLiteral("new "));
        QSemaphore held;
        std::atomic<int> opened{0};
        DocumentFile::SetSaveWriterFactory(
            [&](const QString &target) { return std::make_unique<THeldWriter>(target, held, opened); });
        TDocumentManager *documents = m_window->Documents();
        documents->SetSaveSecs(1);
        documents->Tick();
        QVERIFY(documents->BackupBeingWritten());
        documents->Tick();
        held.release();
        QTRY_VERIFY(!documents->BackupBeingWritten());
        QCOMPARE(opened.load(), 1);
        QCOMPARE(Read("program/Backups/bak~auto.html"), QByteArray("new <p>auto</p>\n"));

        int commits = 0;
        DocumentFile::SetSaveWriterFactory(
            [&](const QString &target) { return std::make_unique<TFullDiskWriter>(target, 2, false, &commits); });
        m_window->ActiveEditor()->SetSelText(QStringLiteral("more "));
        documents->Tick();
        QTRY_VERIFY(!documents->BackupBeingWritten());
        DocumentFile::SetSaveWriterFactory({});
        const QString status = m_window->StatusBar()->PanelText(TMainStatusBar::Message);
        QVERIFY2(status.startsWith(QLatin1String("Error creating Backup of auto.html!")), qPrintable(status));
        QVERIFY2(status.contains(NoSpace), qPrintable(status));
        QCOMPARE(Read("program/Backups/bak~auto.html"), QByteArray("new <p>auto</p>\n"));
    }

    void endingFromOutsideKeepsModifiedDocumentsAsBackups()
    {
        m_window->OpenFile(Write("edited.html", "<p>saved</p>\n"));
        m_window->ActiveEditor()->SetSelText(QStringLiteral("unsaved "));
        m_window->OpenFile(Write("clean.html", "<p>clean</p>\n"));
        const QStringList backups = m_window->TerminateNow();
        QCOMPARE(backups.size(), 1);
        QFile backup(backups.first());
        QVERIFY(backup.open(QIODevice::ReadOnly));
        QCOMPARE(backup.readAll(), QByteArray("unsaved <p>saved</p>\n"));
        QVERIFY(backups.first().endsWith(QLatin1String("/bak~edited.html")));
        QCOMPARE(Read("edited.html"), QByteArray("<p>saved</p>\n"));
    }

    void closingUntitledDocuments()
    {
        QCOMPARE(TabTexts(), QStringList{"Untitled0"});
        m_window->Action(QStringLiteral("New1"))->trigger();
        m_window->Action(QStringLiteral("New1"))->trigger();
        QCOMPARE(TabTexts(), QStringList({"Untitled0", "Untitled1", "Untitled2"}));
        m_window->Action(QStringLiteral("Close1"))->trigger();
        // Closing an unchanged document frees its number.
        QCOMPARE(m_window->Documents()->UntitledCount(), 1);
        m_window->Action(QStringLiteral("CloseAll1"))->trigger();
        QCOMPARE(TabTexts(), QStringList{"Untitled1"});
    }

    void closingTheLastTabCreatesUntitled1()
    {
        m_window->Action(QStringLiteral("Close1"))->trigger();
        QCOMPARE(TabTexts(), QStringList{"Untitled1"});
    }

    void modifiedDocumentsAreNeverLostOnClose_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("saveChoice");
        QTest::addColumn<int>("tabsLeft");
        QTest::newRow("cancel keeps the tab") << int(QMessageBox::Cancel) << QString() << 1;
        QTest::newRow("yes but save dialog cancelled keeps it") << int(QMessageBox::Yes) << QString() << 1;
        QTest::newRow("yes and saved closes it") << int(QMessageBox::Yes) << QStringLiteral("kept.html") << 1;
        QTest::newRow("no discards") << int(QMessageBox::No) << QString() << 1;
    }
    void modifiedDocumentsAreNeverLostOnClose()
    {
        QFETCH(int, answer);
        QFETCH(QString, saveChoice);
        QFETCH(int, tabsLeft);
        m_window->ActiveEditor()->SetSelText(QStringLiteral("typed"));
        m_answer = answer;
        m_saveChoice = saveChoice.isEmpty() ? QString() : m_dir.filePath(saveChoice);
        m_window->Action(QStringLiteral("Close1"))->trigger();
        QCOMPARE(m_window->PageControl1()->count(), tabsLeft);
        const bool closed = m_window->ActiveEditor()->Text().indexOf(QStringLiteral("typed")) < 0;
        QCOMPARE(closed, answer == QMessageBox::No || !saveChoice.isEmpty());
        if (!saveChoice.isEmpty())
            QVERIFY(Read(saveChoice).contains("typed"));
        m_answer = QMessageBox::No;
    }

    void windowCloseCanBeRefused()
    {
        m_window->ActiveEditor()->SetSelText(QStringLiteral("typed"));
        m_answer = QMessageBox::Cancel;
        QVERIFY(!m_window->close());
        QCOMPARE(m_window->PageControl1()->count(), 1);
        m_answer = QMessageBox::No;
    }

    void reopenMenuListsFiveNewestThatAreNotOpen()
    {
        QStringList paths;
        for (int i = 1; i <= 6; ++i) {
            paths << Write(QStringLiteral("f%1.html").arg(i), "x\n");
            m_window->OpenFile(paths.last());
            m_window->Action(QStringLiteral("Close1"))->trigger();
        }
        QCOMPARE(ReopenTexts(), QStringList({paths[5], paths[4], paths[3], paths[2], paths[1]}));
        for (const QString &p : paths)
            m_window->OpenFile(p);
        QCOMPARE(ReopenTexts(), QStringList{"[Empty]"});
    }

    void missingRecentFileCanBeRemoved()
    {
        const QString path = Write("gone.html", "x\n");
        m_window->OpenFile(path);
        m_window->Action(QStringLiteral("Close1"))->trigger();
        QFile::remove(path);
        QList<QAction *> items = m_window->Menu(QStringLiteral("Reopen1"))->actions();
        QCOMPARE(items.size(), 1);
        items.first()->trigger();
        QVERIFY(m_window->Documents()->MRUFileList().isEmpty());
        QCOMPARE(ReopenTexts(), QStringList{"[Empty]"});
    }

    void noDocumentMeansAMessage()
    {
        // Freeing the tab directly leaves the window without documents.
        delete m_window->ActiveTab();
        QCOMPARE(m_window->PageControl1()->count(), 0);
        m_window->Action(QStringLiteral("Save1"))->setEnabled(true);
        m_window->Action(QStringLiteral("Save1"))->trigger();
        QCOMPARE(m_messages, QStringList{"No HTML-File opened"});
    }

    void readoutFollowsTheCaret()
    {
        m_window->ActiveEditor()->SetText(QStringLiteral("ab\r\ncdef"));
        TBufferCoord target = BufferCoord(3, 2);
        m_window->ActiveEditor()->CommandProcessor(ecGotoXY, QChar(), &target);
        QCOMPARE(m_window->StatusBar()->PanelText(0), QStringLiteral("Row: 2"));
        QCOMPARE(m_window->StatusBar()->PanelText(1), QStringLiteral("Column: 3"));
        QCOMPARE(m_window->StatusBar()->PanelText(2), QStringLiteral("Chr: 7"));
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    TestDocuments test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_documents.moc"
