// What the window shows follows the document in front: title, tree, line numbers, tabs, previews,
// the status bar and the panes' least sizes.
#include "aids/core/myrichedit.h"
#include "aids/ui/myhintwindow.h"
#include "aids/ui/taginsight.h"
#include "analysis/ui/treepanel.h"
#include "app/ui/documenttab.h"
#include "app/ui/explorerbar.h"
#include "app/ui/mainstatusbar.h"
#include "app/ui/documentmanager.h"
#include "app/ui/mainwindow.h"
#include "app/ui/previewcontroller.h"
#include "app/ui/multilinetabs.h"
#include "editor/ui/codeeditview.h"
#include "windowharness.h"

#include <QAbstractButton>
#include <QLabel>
#include <QScreen>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

#include <sys/stat.h>

class TestWindowState : public QObject
{
    Q_OBJECT
private:
    TWindowHarness m_h;

    TfrmHTMLEdit *Window() const { return m_h.Window.get(); }
    QTabWidget *Tabs() const { return Window()->PageControl1(); }
    QStringList TreeTexts() const
    {
        QStringList texts;
        const QAbstractItemModel *tree = Window()->TreePanel()->HTMLTree()->model();
        const QModelIndex root = tree->index(0, 0);
        for (int i = 0; i < tree->rowCount(root); ++i)
            texts << tree->index(i, 0, root).data().toString();
        return texts;
    }

private Q_SLOTS:
    void initTestCase() { qputenv("TAGFORGE_NO_BROWSER", "1"); }
    void init() { QVERIFY(m_h.Start()); }
    void cleanup()
    {
        Window()->close();
        m_h.Stop();
    }

    void titleNamesTheDocumentInFront()
    {
        Window()->OpenFile(m_h.Write(QStringLiteral("a.html"), "<p>a</p>\n"));
        QCOMPARE(Window()->windowTitle(), QStringLiteral("a.html[*] - TagForge!"));
        QVERIFY(!Window()->isWindowModified());
        Window()->ActiveEditor()->SetSelText(QStringLiteral("x"));
        QVERIFY(Window()->isWindowModified());
        Tabs()->setCurrentIndex(0);
        QCOMPARE(Window()->windowTitle(), QStringLiteral("Untitled0[*] - TagForge!"));
        QVERIFY(!Window()->isWindowModified());
    }

    void treeFollowsTheActiveDocument()
    {
        Window()->ExplorerBar()->ShowPage(TExplorerBar::TreePage);
        Window()->OpenFile(m_h.Write(QStringLiteral("a.html"), "<p>a</p>\n"));
        QVERIFY(TreeTexts().contains(QStringLiteral("P")));
        Window()->OpenFile(m_h.Write(QStringLiteral("b.html"), "<table></table>\n"));
        QVERIFY(TreeTexts().contains(QStringLiteral("TABLE")));
        QVERIFY(!TreeTexts().contains(QStringLiteral("P")));
        Tabs()->setCurrentIndex(Tabs()->currentIndex() - 1);
        QVERIFY(TreeTexts().contains(QStringLiteral("P")));
    }

    void aStaleNodeSelectsNothingInAnotherDocument()
    {
        Window()->ExplorerBar()->ShowPage(TExplorerBar::TreePage);
        Window()->OpenFile(m_h.Write(QStringLiteral("a.html"), "<p>aaaaaaaaaa</p>\n"));
        Window()->OpenFile(m_h.Write(QStringLiteral("b.html"), "<b>b</b>\n"));
        TMyRichEdit *b = Window()->ActiveEditor();
        // Built for a.html, then b.html came in front without a rebuild.
        Tabs()->blockSignals(true);
        Tabs()->setCurrentIndex(Tabs()->currentIndex() - 1);
        Window()->btnRefreshHTreeClick();
        Tabs()->setCurrentIndex(Tabs()->currentIndex() + 1);
        Tabs()->blockSignals(false);
        QCOMPARE(Window()->ActiveEditor(), b);
        Q_EMIT Window()->TreePanel()->NodeChosen(4, 14);
        QVERIFY(!b->SelAvail());
        QVERIFY(TreeTexts().contains(QStringLiteral("B")));
    }

    void lineNumbersToggleInTheActiveEditor()
    {
        QToolButton *nums = Window()->ToolButton(QStringLiteral("btnToggleNums"));
        TCodeEditView *view = Window()->ActiveTab()->View();
        const bool shown = view->Gutter().ShowLineNumbers();
        nums->click();
        QCOMPARE(view->Gutter().ShowLineNumbers(), !shown);
        QCOMPARE(Window()->Settings().ShowLineNums, !shown);
        nums->click();
        QCOMPARE(view->Gutter().ShowLineNumbers(), shown);
    }

    void toolbarPreviewButtonIsThePanesRefresh()
    {
        QToolBar *bar = Window()->findChild<QToolBar *>(QStringLiteral("tbMain2"));
        QStringList names;
        for (QAction *a : bar->actions())
            names << a->objectName();
        QVERIFY(names.contains(QStringLiteral("btnPreview")));
        QVERIFY(!names.contains(QStringLiteral("Preview1")));
        // Without a browser engine there is nothing to refresh.
        QVERIFY(!Window()->Action(QStringLiteral("btnPreview"))->isEnabled());
    }

    void defaultProgramPreviewOfAnUntitledDocument()
    {
        Window()->ActiveEditor()->SetText(QStringLiteral("<p>draft</p>"));
        Window()->Action(QStringLiteral("Preview1"))->trigger();
        QCOMPARE(m_h.Opened.size(), 1);
        const QString file = m_h.Opened.first().toLocalFile();
        QVERIFY2(file.endsWith(QLatin1String(".htm")), qPrintable(file));
        QFile copy(file);
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QVERIFY(copy.readAll().startsWith("<p>draft</p>"));
        QVERIFY(Window()->Preview()->TempFiles().contains(file));
    }

    void multiLineTabsWrapTheDocuments()
    {
        for (int i = 0; i < 3; ++i)
            Window()->Documents()->btnNewClick();
        QAction *multiLine = Window()->Action(QStringLiteral("PageControl1MultiLine1"));
        QVERIFY(multiLine->isEnabled());
        multiLine->trigger();
        auto *strip = Window()->findChild<TMultiLineTabs *>();
        QVERIFY(strip->isVisible());
        QVERIFY(!Tabs()->tabBar()->isVisible());
        const QList<QAbstractButton *> buttons = strip->findChildren<QAbstractButton *>();
        QCOMPARE(buttons.size(), Tabs()->count());
        buttons.first()->click();
        QCOMPARE(Tabs()->currentIndex(), 0);
        Window()->ActiveEditor()->SetSelText(QStringLiteral("x"));
        QCOMPARE(strip->findChildren<QAbstractButton *>().first()->text(), Tabs()->tabText(0));
        multiLine->trigger();
        QVERIFY(!strip->isVisible());
        QVERIFY(Tabs()->tabBar()->isVisible());
    }

    void panesKeepTheirLeastSizes()
    {
        QWidget *edit = Window()->findChild<QWidget *>(QStringLiteral("pnlEdit"));
        QWidget *browser = Window()->findChild<QWidget *>(QStringLiteral("pnlBrowser"));
        QVERIFY(Window()->findChild<QWidget *>(QStringLiteral("pnlIETopBar")));
        const bool stacked = Window()->IESplitter()->orientation() == Qt::Vertical;
        QCOMPARE(stacked ? edit->minimumHeight() : edit->minimumWidth(), 200);
        QCOMPARE(stacked ? browser->minimumHeight() : browser->minimumWidth(), 10);
    }

    void onlyRegularFilesOpen_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("a device") << "/dev/zero";
        QTest::newRow("a folder") << "/tmp";
        QTest::newRow("a pipe") << "fifo";
    }
    void onlyRegularFilesOpen()
    {
        QFETCH(QString, path);
        if (path == QLatin1String("fifo")) {
            path = m_h.Dir.filePath(QStringLiteral("fifo"));
            QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        }
        const int before = Tabs()->count();
        m_h.OpenChoice = path;
        Window()->Action(QStringLiteral("Open1"))->trigger();
        QCOMPARE(Tabs()->count(), before);
        QCOMPARE(m_h.Messages.size(), 1);
    }

    void openingClearsItsLoadingMessage()
    {
        m_h.OpenChoice = m_h.Write(QStringLiteral("c.html"), "<p>c</p>\n");
        Window()->Action(QStringLiteral("Open1"))->trigger();
        QCOMPARE(Window()->ActiveTab()->Path(), m_h.OpenChoice);
        QCOMPARE(Window()->StatusBar()->PanelText(TMainStatusBar::Message), QString());
    }

    void positionReadoutsNeverCutTheirNumbers()
    {
        Window()->resize(400, 300);
        Window()->StatusBar()->SetPanelText(TMainStatusBar::Column, QStringLiteral("Column: 1,234,567"));
        QLabel *column = Window()->StatusBar()->PanelLabel(TMainStatusBar::Column);
        QVERIFY(column->minimumWidth() >= column->sizeHint().width());
    }

    void firstSizeFitsTheScreen()
    {
        const QSize screen = Window()->screen()->availableGeometry().size();
        QVERIFY(Window()->width() <= screen.width());
        QVERIFY(Window()->height() <= screen.height());
    }

    void aClickOutsideTheEditorTakesTheTooltipDown()
    {
        TMyHintWindow *hint = Window()->TagInsightAid()->HintWindow();
        hint->ActivateHint(Window()->mapToGlobal(QPoint(300, 300)), {QStringLiteral("HREF=address")});
        QVERIFY(hint->isVisible());
        // The side bar's page buttons never take the focus from the editor.
        auto *treeButton = Window()->ExplorerBar()->findChild<QAbstractButton *>(QStringLiteral("btnShowTreeView"));
        QVERIFY(treeButton);
        QTest::mouseClick(treeButton, Qt::LeftButton);
        QVERIFY(!hint->isVisible());
    }
};

QTEST_MAIN(TestWindowState)
#include "tst_windowstate.moc"
