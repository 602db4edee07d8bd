// The document tree and the check reports as the window shows them.
#include "aids/core/myrichedit.h"
#include "analysis/ui/reportpanel.h"
#include "analysis/ui/treepanel.h"
#include "app/ui/documenttab.h"
#include "app/ui/explorerbar.h"
#include "analysis/ui/analysiscommands.h"
#include "app/ui/mainwindow.h"
#include "windowharness.h"

#include <QDir>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QSignalSpy>
#include <QTreeView>
#include <QTreeWidget>

class TestAnalysisPanels : public QObject
{
    Q_OBJECT
private:
    TWindowHarness m_h;
    std::unique_ptr<TfrmHTMLEdit> &m_window = m_h.Window;
    QDir m_dir{m_h.Dir.path()};

    QAbstractItemModel *Tree() const { return m_window->TreePanel()->HTMLTree()->model(); }
    QModelIndex Node(int row, QModelIndex parent = {}) const { return Tree()->index(row, 0, parent); }
    QModelIndex RootChild(int row) const { return Node(row, Node(0)); }
    void Choose(const QModelIndex &node) const { m_window->TreePanel()->HTMLTree()->setCurrentIndex(node); }
    QStringList TopTexts() const
    {
        QStringList texts;
        const QModelIndex root = Node(0);
        texts << root.data().toString();
        for (int i = 0; i < Tree()->rowCount(root); ++i)
            texts << RootChild(i).data().toString();
        return texts;
    }
    QStringList ReportCaptions() const
    {
        QStringList texts;
        for (const TReportRow &row : m_window->ReportPanel()->Rows())
            texts << row.Caption;
        return texts;
    }
    void SetText(const QString &text) { m_window->ActiveEditor()->SetText(text); }

private Q_SLOTS:
    void initTestCase() { qputenv("TAGFORGE_NO_BROWSER", "1"); }
    void init() { QVERIFY(m_h.Start()); }
    void cleanup() { m_h.Stop(); }

    void treeShowsTagsAndTexts()
    {
        SetText(QStringLiteral("<p>Hello</p>"));
        m_window->ExplorerBar()->ShowPage(TExplorerBar::TreePage);
        QCOMPARE(TopTexts(), QStringList({"HTML Document", "P", "Hello", "/P"}));
        QVERIFY(m_window->TreePanel()->HTMLTree()->isExpanded(Node(0)));
        m_window->TreePanel()->btnToggleEndTags()->click();
        QCOMPARE(TopTexts(), QStringList({"HTML Document", "P", "Hello"}));
        Choose(RootChild(1));
        QCOMPARE(m_window->ActiveEditor()->SelText(), QStringLiteral("Hello"));
        Choose(RootChild(0));
        QCOMPARE(m_window->ActiveEditor()->SelText(), QStringLiteral("<p>"));
    }

    // A page past the inline size is parsed on the worker thread; its tree arrives afterwards.
    void largePageGetsItsTreeFromTheWorker()
    {
        QString page;
        for (int i = 0; page.size() <= TAnalysisCommands::InlineTreeChars; ++i)
            page += QStringLiteral("<p>paragraph number %1</p>\n").arg(i);
        const int lines = int(page.count(QLatin1Char('\n')));
        SetText(page);
        QSignalSpy shown(m_window->Analysis(), &TAnalysisCommands::TreeShown);
        m_window->ExplorerBar()->ShowPage(TExplorerBar::TreePage);
        QVERIFY(m_window->Analysis()->TreePending());
        QVERIFY(shown.wait(60000));
        QCOMPARE(Tree()->rowCount(Node(0)), 3 * lines);
        // More rows than the view lays out at once: the root waits for the user to open it.
        QVERIFY(3 * lines > TTreePanel::AutoExpandRows);
        QVERIFY(!m_window->TreePanel()->HTMLTree()->isExpanded(Node(0)));
        QCOMPARE(RootChild(3 * lines - 2).data().toString(), QStringLiteral("paragraph number %1").arg(lines - 1));
        Choose(RootChild(3));
        QCOMPARE(m_window->ActiveEditor()->SelText(), QStringLiteral("<p>"));
        QCOMPARE(m_window->ActiveEditor()->CaretY(), 2);
    }

    // A change while the worker parses makes its tree stale: the newer one is shown, never the old.
    void staleTreeIsNotShown()
    {
        QString page;
        while (page.size() <= TAnalysisCommands::InlineTreeChars)
            page += QStringLiteral("<i>slanted</i>\n");
        SetText(page);
        QSignalSpy shown(m_window->Analysis(), &TAnalysisCommands::TreeShown);
        m_window->ExplorerBar()->ShowPage(TExplorerBar::TreePage);
        QVERIFY(m_window->Analysis()->TreePending());
        SetText(QStringLiteral("<b>x</b>"));
        m_window->TreePanel()->btnRefreshHTree()->click();
        QCOMPARE(TopTexts(), QStringList({"HTML Document", "B", "/B"}));
        QTRY_VERIFY_WITH_TIMEOUT(!m_window->Analysis()->TreePending(), 60000);
        QCOMPARE(shown.count(), 0);
        QCOMPARE(TopTexts(), QStringList({"HTML Document", "B", "/B"}));
    }

    void treeFollowsChangesOnlyWhileShown()
    {
        SetText(QStringLiteral("<b>x</b>"));
        m_window->ExplorerBar()->ShowPage(TExplorerBar::TreePage);
        QCOMPARE(TopTexts(), QStringList({"HTML Document", "B", "/B"}));
        m_window->ExplorerBar()->ShowPage(TExplorerBar::ExplorerPage);
        SetText(QStringLiteral("<i>text</i>"));
        m_window->TreePanel()->btnRefreshHTree()->click();
        QCOMPARE(TopTexts(), QStringList({"HTML Document", "B", "/B"}));
        m_window->ExplorerBar()->ShowPage(TExplorerBar::TreePage);
        QCOMPARE(TopTexts(), QStringList({"HTML Document", "I", "text", "/I"}));
    }

    void choosingANodeSelectsItsRange()
    {
        SetText(QStringLiteral("<img src=\"a.gif\" alt=\"\">"));
        m_window->ExplorerBar()->ShowPage(TExplorerBar::TreePage);
        const QModelIndex img = RootChild(0);
        QCOMPARE(img.data().toString(), QStringLiteral("IMG"));
        QCOMPARE(Tree()->rowCount(img), 2);
        QCOMPARE(Tree()->rowCount(Node(0, img)), 1);
        QCOMPARE(Tree()->rowCount(Node(1, img)), 0);
        Choose(Node(0, img));
        QCOMPARE(m_window->ActiveEditor()->SelText(), QStringLiteral("src=\"a.gif\""));
    }

    void syntaxReports_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("no tags") << "just words"
                                 << QStringList{"Quillworks HTML Validator V. 0.1", "Validating 1 Lines ...", "",
                                                "No Errors found..."};
        QTest::newRow("two unknown tags")
            << "<zork><blah>" << QStringList{"Quillworks HTML Validator V. 0.1", "Validating 1 Lines ...",  "",
                                             "0: unknown Tag \"zork\"",          "0: unknown Tag \"blah\"", "",
                                             "Total of 2 Errors found!"};
    }
    void syntaxReports()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, rows);
        SetText(text);
        m_window->SetBarVisible(false);
        m_window->Action(QStringLiteral("SyntaxCheck1"))->trigger();
        QCOMPARE(ReportCaptions(), rows);
        QCOMPARE(m_window->ReportPanel()->Title(), QStringLiteral("HTML Validator"));
        QVERIFY(!m_window->ReportPanel()->ReportStyle());
        QVERIFY(m_window->BarVisible());
        QCOMPARE(m_window->ExplorerBar()->CurrentPage(), int(TExplorerBar::ReportPage));
    }

    // A large page is checked on a worker: the same findings, the window answering meanwhile.
    void largePageIsCheckedOnTheWorker_data()
    {
        QTest::addColumn<bool>("links");
        QTest::newRow("syntax") << false;
        QTest::newRow("links") << true;
    }
    void largePageIsCheckedOnTheWorker()
    {
        QFETCH(bool, links);
        QString page = QStringLiteral("<zork>\n");
        for (int i = 0; page.size() <= TAnalysisCommands::InlineTreeChars; ++i)
            page += QStringLiteral("<p>paragraph <a href=\"p%1.html\">%1</a></p>\n").arg(i);
        page += QStringLiteral("<blah>\n");
        const int lines = int(page.count(QLatin1Char('\n')));
        SetText(page);
        QSignalSpy shown(m_window->Analysis(), &TAnalysisCommands::CheckShown);
        m_window->Action(links ? QStringLiteral("LinkCheckerlocal1") : QStringLiteral("SyntaxCheck1"))->trigger();
        QVERIFY(m_window->Analysis()->CheckPending());
        QVERIFY(shown.wait(60000));
        QVERIFY(!m_window->Analysis()->CheckPending());
        const QStringList rows = ReportCaptions();
        if (links) {
            QCOMPARE(m_window->ReportPanel()->Title(), QStringLiteral("Link Verifier"));
            QCOMPARE(rows.size(), lines - 2 + 1); // a link per paragraph, and the title row
        } else {
            QCOMPARE(rows.value(1), QStringLiteral("Validating %1 Lines ...").arg(lines));
            QVERIFY(rows.contains(QStringLiteral("0: unknown Tag \"zork\"")));
            QVERIFY(rows.contains(QStringLiteral("%1: unknown Tag \"blah\"").arg(lines - 1)));
        }
    }

    // A check asked for while another runs: only the newer one's findings are shown.
    void newerCheckWins()
    {
        QString page;
        while (page.size() <= TAnalysisCommands::InlineTreeChars)
            page += QStringLiteral("<zork>\n");
        SetText(page);
        QSignalSpy shown(m_window->Analysis(), &TAnalysisCommands::CheckShown);
        m_window->Action(QStringLiteral("SyntaxCheck1"))->trigger();
        QVERIFY(m_window->Analysis()->CheckPending());
        SetText(QStringLiteral("<b>x</b>"));
        m_window->Action(QStringLiteral("SyntaxCheck1"))->trigger();
        QCOMPARE(ReportCaptions().value(3), QStringLiteral("No Errors found..."));
        QTRY_VERIFY_WITH_TIMEOUT(!m_window->Analysis()->CheckPending(), 60000);
        QTest::qWait(50);
        QCOMPARE(shown.count(), 0);
        QCOMPARE(ReportCaptions().value(3), QStringLiteral("No Errors found..."));
    }

    void linkReportAndJump()
    {
        QFile gif(m_dir.filePath("a.gif"));
        QVERIFY(gif.open(QIODevice::WriteOnly));
        gif.close();
        QFile page(m_dir.filePath("links.html"));
        QVERIFY(page.open(QIODevice::WriteOnly));
        QByteArray body;
        for (int i = 0; i < 60; ++i)
            body += i == 7 ? "<img src=\"a.gif\"><a href=\"http://example.org/\">x</a><img src=\"none.gif\">\n"
                           : "<p>line</p>\n";
        page.write(body);
        page.close();
        m_window->OpenFile(m_dir.filePath("links.html"));
        m_window->Action(QStringLiteral("LinkCheckerlocal1"))->trigger();
        QCOMPARE(m_window->ReportPanel()->Title(), QStringLiteral("Link Verifier"));
        QVERIFY(m_window->ReportPanel()->ReportStyle());
        const QList<TReportRow> rows = m_window->ReportPanel()->Rows();
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows[1].SubItems.value(2), QStringLiteral("OK"));
        QCOMPARE(rows[2].SubItems.value(2), QStringLiteral("Not Local"));
        QCOMPARE(rows[3].SubItems.value(2), QStringLiteral("Broken"));
        QCOMPARE(rows[3].ImageIndex, int(riError));
        QTreeView *list = m_window->ReportPanel()->elvReport();
        Q_EMIT list->doubleClicked(list->model()->index(1, 0));
        QCOMPARE(m_window->ActiveEditor()->TopLine(), 7);
        // The title row names no line and leads nowhere.
        m_window->ActiveEditor()->SetTopLine(1);
        Q_EMIT list->doubleClicked(list->model()->index(0, 0));
        QCOMPARE(m_window->ActiveEditor()->TopLine(), 1);
        // A syntax check afterwards goes back to the list style.
        m_window->Action(QStringLiteral("SyntaxCheck1"))->trigger();
        QVERIFY(!m_window->ReportPanel()->ReportStyle());
    }

    // A .htc source is checked as its expanded page: a finding inside an included file names it,
    // and a double click opens that file at the line.
    void includedFindingOpensItsFile()
    {
        QByteArray head;
        for (int i = 0; i < 40; ++i)
            head += i == 20 ? "  <blink>x</blink>\n" : "<meta name=x>\n";
        QFile inc(m_dir.filePath("head.inc"));
        QVERIFY(inc.open(QIODevice::WriteOnly));
        inc.write(head);
        inc.close();
        QFile page(m_dir.filePath("page.htc"));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<p>\n#include{head.inc}\n<zork>\n");
        page.close();
        m_window->OpenFile(m_dir.filePath("page.htc"));
        m_window->Action(QStringLiteral("SyntaxCheck1"))->trigger();
        const QStringList captions = ReportCaptions();
        QCOMPARE(captions.mid(3),
                 (QStringList{"head.inc:20: unknown Tag \"blink\"", "head.inc:20: unknown Tag \"blink\"",
                              "2: unknown Tag \"zork\"", "", "Total of 3 Errors found!"}));
        QTreeView *list = m_window->ReportPanel()->elvReport();
        Q_EMIT list->doubleClicked(list->model()->index(5, 0));
        QCOMPARE(m_window->ActiveEditor()->TopLine(), 2);
        Q_EMIT list->doubleClicked(list->model()->index(3, 0));
        QCOMPARE(QFileInfo(m_window->ActiveTab()->Path()).canonicalFilePath(),
                 QFileInfo(m_dir.filePath("head.inc")).canonicalFilePath());
        QCOMPARE(m_window->ActiveEditor()->CaretY(), 21);
        QCOMPARE(m_window->ActiveEditor()->TopLine(), 20);
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TestAnalysisPanels test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_analysispanels.moc"
