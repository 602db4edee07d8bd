// The Manager page as a user reaches it: projects, tasks and notes, kept across a restart.
#include "app/ui/mainstatusbar.h"
#include "site/ui/sitemanager.h"
#include "windowharness.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <QListWidget>
#include <QToolButton>
#include <QTreeWidget>

class TestSiteManager : public QObject
{
    Q_OBJECT

    TWindowHarness h;
    TSiteManager *M() { return h.Window->SiteManager(); }
    QStringList Paths()
    {
        QStringList out;
        for (int i = 0; i < M()->ProjectList()->topLevelItemCount(); ++i)
            out << M()->ProjectList()->topLevelItem(i)->text(1);
        return out;
    }
    QString ProjectStatus() const { return h.Window->StatusBar()->PanelText(TMainStatusBar::Project); }
    void Click(const char *name) { h.Window->findChild<QToolButton *>(QLatin1String(name))->click(); }

private Q_SLOTS:
    void init() { QVERIFY(h.Start()); }
    void cleanup() { h.Stop(); }

    void newProjectThenSaveAsksOnceForItsFile()
    {
        h.Inputs = {QStringLiteral("site")};
        h.Window->Action(QStringLiteral("New2"))->trigger();
        QCOMPARE(M()->ProjectFile(), QStringLiteral("site.tfp"));
        QCOMPARE(M()->CurrentPage(), 1);
        const QString a = h.Write(QStringLiteral("a.html"), "<p>a</p>");
        h.OpenChoice = a;
        h.Window->Action(QStringLiteral("Add1"))->trigger();
        Click("btnPrjAdd"); // the same file twice gives two rows
        QCOMPARE(Paths(), (QStringList{a, a}));
        M()->ProjectList()->setCurrentItem(M()->ProjectList()->topLevelItem(1));
        h.Window->Action(QStringLiteral("Delete2"))->trigger();
        QCOMPARE(Paths(), QStringList{a});

        h.SaveChoice = h.Dir.filePath(QStringLiteral("site.tfp"));
        Click("btnPrjSave");
        QCOMPARE(h.SaveOffered.size(), 1);
        QCOMPARE(QFileInfo(h.SaveOffered.first()).fileName(), QStringLiteral("site.tfp"));
        QCOMPARE(h.Read(QStringLiteral("site.tfp")), a.toUtf8() + "\r\n");
        QCOMPARE(ProjectStatus(), QStringLiteral("Project: site.tfp"));
        // Now the file exists: the second save writes without asking.
        h.SaveChoice.clear();
        h.OpenChoice = h.Write(QStringLiteral("b.html"), "<p>b</p>");
        Click("btnPrjAdd");
        Click("btnPrjSave");
        QCOMPARE(h.Read(QStringLiteral("site.tfp")), a.toUtf8() + "\r\n" + h.OpenChoice.toUtf8() + "\r\n");
        QCOMPARE(h.SaveOffered.size(), 1);

        // Cancelling the name changes nothing.
        h.Inputs = {QStringLiteral("<cancel>")};
        h.Window->Action(QStringLiteral("New2"))->trigger();
        QCOMPARE(Paths().size(), 2);
    }

    void loadingReplacesRowsAndKeepsMissingOnes()
    {
        const QString a = h.Write(QStringLiteral("a.html"), "x");
        const QString gone = h.Dir.filePath(QStringLiteral("gone.html"));
        const QString project = h.Write(QStringLiteral("p.tfp"), a.toUtf8() + "\r\n\r\n" + gone.toUtf8() + "\r\n");
        h.OpenChoice = project;
        Click("btnPrjLoad");
        QCOMPARE(Paths(), (QStringList{a, "", gone}));
        QCOMPARE(ProjectStatus(), QStringLiteral("Project: p.tfp"));
        QVERIFY(M()->ProjectList()->topLevelItem(2)->toolTip(1).contains(QStringLiteral("missing")));
        // A file that is no project says so and keeps the rows; cancelling keeps them too.
        h.OpenChoice = h.Write(QStringLiteral("bin.tfp"), QByteArray("\0\0\0\1", 4));
        Click("btnPrjLoad");
        QCOMPARE(Paths().size(), 3);
        QVERIFY(h.Messages.last().contains(QStringLiteral("bin.tfp")));
        h.OpenChoice.clear();
        Click("btnPrjLoad");
        QCOMPARE(M()->ProjectFile(), project);
        // Activating a row opens its file.
        M()->ProjectList()->setCurrentItem(M()->ProjectList()->topLevelItem(0));
        M()->OpenSelectedFile();
        QCOMPARE(QFileInfo(h.Window->ActiveDocumentPath()).fileName(), QStringLiteral("a.html"));

        // The project comes back at the next start.
        QVERIFY(h.Restart());
        QCOMPARE(M()->ProjectFile(), project);
        QCOMPARE(Paths().size(), 3);
    }

    void tasksAndNotesOutliveARestart()
    {
        // Cancelling description and date still adds the task.
        h.Inputs = {QStringLiteral("Upload"),      QStringLiteral("<cancel>"),  QStringLiteral("<cancel>"),
                    QStringLiteral("Check links"), QStringLiteral("all pages"), QStringLiteral("Friday")};
        Click("btnNewTask");
        Click("btnNewTask");
        QCOMPARE(M()->Tasks().size(), 2);
        QCOMPARE(M()->Tasks().at(0), (TSiteManager::TTask{"Upload", "", ""}));
        // Cancelling the name adds nothing.
        h.Inputs = {QStringLiteral("<cancel>")};
        Click("btnNewTask");
        QCOMPARE(M()->Tasks().size(), 2);
        auto *deleteTask = h.Window->findChild<QToolButton *>(QStringLiteral("btnDeleteTask"));
        QVERIFY(!deleteTask->isEnabled());

        h.Inputs = {QStringLiteral("first"), QStringLiteral("second")};
        M()->NewNote();
        M()->NewNote();
        QVERIFY(h.Restart());
        // Stored three strings a task, in order.
        QVERIFY(h.Store->OpenKey(QStringLiteral("Software\\Quillworks\\TagForge\\Tasks"), false));
        QCOMPARE(h.Store->ReadInteger(QStringLiteral("Count")), 6);
        QCOMPARE(h.Store->ReadString(QStringLiteral("3")), QStringLiteral("Check links"));
        QCOMPARE(h.Store->ReadString(QStringLiteral("5")), QStringLiteral("Friday"));
        h.Store->CloseKey();
        QCOMPARE(M()->Tasks().at(1), (TSiteManager::TTask{"Check links", "all pages", "Friday"}));
        QCOMPARE(M()->Notes(), (QStringList{"first", "second"}));

        // A deleted note stays gone though its old value is left under its number.
        M()->NoteList()->setCurrentRow(0);
        M()->DeleteNote();
        M()->TaskList()->setCurrentItem(M()->TaskList()->topLevelItem(0));
        QVERIFY(deleteTask = h.Window->findChild<QToolButton *>(QStringLiteral("btnDeleteTask")));
        QVERIFY(deleteTask->isEnabled());
        deleteTask->click();
        QVERIFY(h.Restart());
        QCOMPARE(M()->Notes(), QStringList{"second"});
        QCOMPARE(M()->Tasks().size(), 1);
        // A right click on empty space offers New only; on a note, Delete and Edit too.
        QStringList enabled;
        QTimer::singleShot(0, [&] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                for (QAction *a : menu->actions())
                    if (!a->isSeparator() && a->isEnabled())
                        enabled << a->text();
                menu->close();
            }
        });
        QListWidget *notes = M()->NoteList();
        h.Window->ShowSidePage(TCommandHost::ManagerPage);
        M()->ShowPage(3);
        notes->setViewMode(QListView::ListMode);
        Q_EMIT notes->customContextMenuRequested(
            QPoint(notes->viewport()->width() - 2, notes->viewport()->height() - 2));
        QCOMPARE(enabled, (QStringList{"&New Note...", "View"}));
        // Editing a note.
        M()->NoteList()->setCurrentRow(0);
        h.Inputs = {QStringLiteral("changed")};
        M()->EditNote();
        QCOMPARE(M()->Notes(), QStringList{"changed"});
    }
};

QTEST_MAIN(TestSiteManager)
#include "tst_sitemanager.moc"
