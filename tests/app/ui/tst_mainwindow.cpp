// Start-up, the window's parts, and settings surviving a restart.
#include "aids/core/myrichedit.h"
#include "app/ui/explorerbar.h"
#include "app/ui/mainstatusbar.h"
#include "app/ui/documentmanager.h"
#include "app/ui/documenttab.h"
#include "editor/ui/codeeditview.h"
#include "app/ui/mainwindow.h"
#include "app/ui/previewcontroller.h"
#include "app/ui/splash.h"
#include "platform/core/settingsstore.h"
#include "platform/qt/webbrowser.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

class TestMainWindow : public QObject
{
    Q_OBJECT
private:
    struct Run
    {
        QStringList messages;
        QStringList splashSteps;
    };

    std::unique_ptr<TfrmHTMLEdit> Start(TSettingsStore &store, Run &run, QStringList args = {})
    {
        TfrmSplash splash;
        connect(&splash, &TfrmSplash::StatusChanged, this, [&run](const QString &text, int progress) {
            run.splashSteps << QStringLiteral("%1 %2").arg(text).arg(progress);
        });
        TMainWindowContext context;
        context.UserStore = &store;
        context.ProgramDir = QStringLiteral(TAGFORGE_SOURCE_DIR);
        context.Arguments = args;
        context.Splash = &splash;
        context.ShowMessage = [&run](int, const QString &caption, const QString &) { run.messages << caption; };
        context.AskYesNo = [this](const QString &, const QString &) { return m_answerYes; };
        context.TimersDrivenByCaller = true;
        auto window = std::make_unique<TfrmHTMLEdit>(context);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            return nullptr;
        return window;
    }

    QTemporaryDir m_dir;
    bool m_answerYes = true;

private Q_SLOTS:
    void initTestCase() { qputenv("TAGFORGE_NO_BROWSER", "1"); }

    void firstStartShowsStandardDocumentAndMessageOnce()
    {
        TSettingsStore store(m_dir.filePath(QStringLiteral("first.conf")));
        Run run;
        auto window = Start(store, run);
        QVERIFY(window);
        // The title names the document in front, with Qt's place for the modified mark.
        QCOMPARE(window->windowTitle(), QStringLiteral("Untitled0[*] - TagForge!"));
        QVERIFY(!window->isWindowModified());
        QCOMPARE(run.splashSteps,
                 QStringList({QStringLiteral("Initializing... 73"), QStringLiteral("Loading Data... 86")}));
        QCOMPARE(run.messages, QStringList{QStringLiteral("Error Loading Settings...")});
        QCOMPARE(window->PageControl1()->count(), 1);
        QCOMPARE(window->PageControl1()->tabText(0), QStringLiteral("Untitled0"));
        QVERIFY(window->ActiveEditor()->Text().contains(QStringLiteral("<html")));
        QVERIFY(!window->ActiveEditor()->Modified());
        QCOMPARE(window->Documents()->UntitledCount(), 0);
        window->close();

        Run second;
        auto again = Start(store, second);
        QVERIFY(again);
        QVERIFY(second.messages.isEmpty());
    }

    // What the window does on a key (status readouts, tag aid, tree and preview ticks) costs what
    // changed, not the document: counted by the lines the position index sums.
    void keysAndTicksOnAMillionLinesWalkNoWholeDocument()
    {
        const QString path = m_dir.filePath(QStringLiteral("million.html"));
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            const QByteArray line("<p>x</p>\n");
            QByteArray all;
            all.reserve(line.size() * 1000000);
            for (int i = 0; i < 1000000; ++i)
                all += line;
            f.write(all);
        }
        TSettingsStore store(m_dir.filePath(QStringLiteral("million.conf")));
        Run run;
        auto window = Start(store, run, {path});
        QVERIFY(window);
        TMyRichEdit *editor = window->ActiveEditor();
        QCOMPARE(editor->LineCount(), 1000000);
        window->ShowSidePage(TCommandHost::TreePage);
        for (const int line : {1000000, 500000, 1}) {
            editor->SetCaretXY(BufferCoord(1, line));
            (void)editor->CharPosOf(editor->CaretXY()); // the first reading there counts up to it once
            window->Tick();
            QApplication::processEvents();
            const qint64 before = editor->Lines().LinesSummed();
            for (int key = 0; key < 3; ++key) {
                QTest::keyClick(window->ActiveTab()->View(), Qt::Key_A);
                window->Tick();
            }
            QCOMPARE(editor->SelStart(), editor->CharPosOf(editor->CaretXY()));
            QVERIFY2(
                editor->Lines().LinesSummed() - before < 10,
                qPrintable(
                    QStringLiteral("line %1: %2 lines summed").arg(line).arg(editor->Lines().LinesSummed() - before)));
        }
        editor->SetModified(false);
    }

    void commandLineFile_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QString>("tab");
        QTest::newRow("existing file is opened") << true << QStringLiteral("page.html");
        QTest::newRow("missing file opens nothing") << false << QStringLiteral("Untitled0");
    }
    void commandLineFile()
    {
        QFETCH(bool, exists);
        QFETCH(QString, tab);
        const QString path = m_dir.filePath(QStringLiteral("page.html"));
        QFile::remove(path);
        if (exists) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("<p>hello</p>\n");
        }
        TSettingsStore store(m_dir.filePath(QStringLiteral("cmd.conf")));
        Run run;
        auto window = Start(store, run, {path});
        QVERIFY(window);
        QCOMPARE(window->PageControl1()->count(), 1);
        QCOMPARE(window->PageControl1()->tabText(0), tab);
    }

    void layoutSurvivesRestart()
    {
        TSettingsStore store(m_dir.filePath(QStringLiteral("layout.conf")));
        Run run;
        auto window = Start(store, run);
        QVERIFY(window);
        window->setGeometry(60, 70, 900, 640);
        window->SetBarAlign(4);
        QToolButton *swap = window->ToolButton(QStringLiteral("btnMainWinRes"));
        QVERIFY(swap);
        window->close();
        window.reset();

        Run second;
        auto again = Start(store, second);
        QVERIFY(again);
        QVERIFY(second.messages.isEmpty());
        QCOMPARE(again->geometry().size(), QSize(900, 640));
        QCOMPARE(again->BarAlign(), 4);
        // On the right edge the bar comes second, so the drag strip sits on its left.
        QCOMPARE(again->BarSplitter()->indexOf(again->ExplorerBar()), 1);
    }

    void barAlignFourInStorePutsBarRight()
    {
        TSettingsStore store(m_dir.filePath(QStringLiteral("align.conf")));
        {
            Run run;
            auto window = Start(store, run);
            window->close();
        }
        store.OpenKey(QStringLiteral("Software\\Quillworks\\TagForge\\Settings"), false);
        store.WriteInteger(QStringLiteral("BarAlign"), 4);
        store.WriteBool(QStringLiteral("BarVisible"), false);
        store.CloseKey();
        Run run;
        auto window = Start(store, run);
        QCOMPARE(window->BarSplitter()->indexOf(window->ExplorerBar()), 1);
        QVERIFY(!window->BarVisible());
    }

    void windowHasItsParts()
    {
        TSettingsStore store(m_dir.filePath(QStringLiteral("parts.conf")));
        Run run;
        auto window = Start(store, run);
        QCOMPARE(window->StatusBar()->PanelText(TMainStatusBar::InsOvr), QStringLiteral("Ins"));
        for (const char *name : {"New1",
                                 "Open1",
                                 "Close1",
                                 "CloseAll1",
                                 "Save1",
                                 "SaveAs1",
                                 "SaveAll1",
                                 "Print1",
                                 "PrinterSetup1",
                                 "Backup1",
                                 "Exit1",
                                 "Undo1",
                                 "Redo1",
                                 "Repeat1",
                                 "Copy1",
                                 "Cut1",
                                 "Paste1",
                                 "Delete1",
                                 "DeleteLine1",
                                 "Indent1",
                                 "Unindent1",
                                 "GotoLine1",
                                 "GotoChar1",
                                 "SelectAll1",
                                 "Find1",
                                 "FindNext1",
                                 "Replace1",
                                 "Preview1",
                                 "Preview2",
                                 "Preview3",
                                 "TagAssistent1",
                                 "SyntaxCheck1",
                                 "LinkCheckerlocal1",
                                 "TagSelect1",
                                 "Dokument2",
                                 "Einstellungen1",
                                 "Resettodefaults1",
                                 "HTMLDocumentation1",
                                 "Help1",
                                 "About1"})
            QVERIFY2(window->Action(QLatin1String(name)), name);
        QCOMPARE(window->Action(QStringLiteral("Save1"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
        QCOMPARE(window->Action(QStringLiteral("CloseAll1"))->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+Shift+F12")));
        QCOMPARE(window->Action(QStringLiteral("SyntaxCheck1"))->shortcut(), QKeySequence(QStringLiteral("Shift+F6")));
        // Commands not built yet are shown disabled rather than doing nothing.
        QVERIFY(!window->Action(QStringLiteral("Find1"))->isEnabled());
        QVERIFY(window->Action(QStringLiteral("Exit1"))->isEnabled());

        // Without a browser engine the preview pane and its buttons are off.
        QVERIFY(!window->PreviewVisible());
        QVERIFY(!window->ToolButton(QStringLiteral("btnToggleBrowser"))->isEnabled());
        QVERIFY(!window->ToolButton(QStringLiteral("btnMainHorzVert"))->isEnabled());
    }

    void viewMenuFollowsVisibility()
    {
        TSettingsStore store(m_dir.filePath(QStringLiteral("view.conf")));
        Run run;
        auto window = Start(store, run);
        Q_EMIT window->Menu(QStringLiteral("Ansicht1"))->aboutToShow();
        window->Action(QStringLiteral("StatusBar1"))->trigger();
        QVERIFY(!window->StatusBar()->isVisible());
        window->SetBarVisible(false);
        Q_EMIT window->Menu(QStringLiteral("Ansicht1"))->aboutToShow();
        QVERIFY(!window->Action(QStringLiteral("ExploreWin1"))->isChecked());
        QVERIFY(!window->Action(QStringLiteral("StatusBar1"))->isChecked());
        QVERIFY(window->Action(QStringLiteral("MainTb1"))->isChecked());
    }

    void resetToDefaultsAsksFirst_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<int>("tabWidth");
        QTest::newRow("yes resets") << true << 8;
        QTest::newRow("no keeps") << false << 3;
    }
    void resetToDefaultsAsksFirst()
    {
        QFETCH(bool, yes);
        QFETCH(int, tabWidth);
        TSettingsStore store(m_dir.filePath(QStringLiteral("reset.conf")));
        Run run;
        auto window = Start(store, run);
        window->Settings().TabWidth = 3;
        window->ActiveEditor()->SetTabWidth(3);
        m_answerYes = yes;
        window->Action(QStringLiteral("Resettodefaults1"))->trigger();
        QCOMPARE(window->Settings().TabWidth, tabWidth);
        // The open editor follows the settings it is reset to.
        QCOMPARE(window->ActiveEditor()->TabWidth(), tabWidth);
    }

    void timerTickRefreshesIndicators()
    {
        TSettingsStore store(m_dir.filePath(QStringLiteral("tick.conf")));
        Run run;
        auto window = Start(store, run);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        window->State().Set(&TWindowFlags::InsertState, false);
        QSignalSpy ticks(window.get(), &TfrmHTMLEdit::Timer1Ticked);
        window->Tick();
        QCOMPARE(ticks.count(), 1);
        QCOMPARE(window->StatusBar()->PanelText(TMainStatusBar::InsOvr), QStringLiteral("Ovr"));
    }

    void realBrowserIsCreated()
    {
        if (!TWebBrowser::EngineBuiltIn())
            QSKIP("this build has no browser engine");
        qunsetenv("TAGFORGE_NO_BROWSER");
        QWidget host;
        TWebBrowser *browser = TWebBrowser::Create(&host);
        QVERIFY(browser);
        qputenv("TAGFORGE_NO_BROWSER", "1");
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainwindow.moc"
