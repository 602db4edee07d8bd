// Previews: copies beside the document, includes expanded, the browser shown, external browsers.
#include "aids/core/myrichedit.h"
#include "app/ui/documenttab.h"
#include "app/ui/documentmanager.h"
#include "app/ui/mainstatusbar.h"
#include "app/ui/mainwindow.h"
#include "app/ui/previewcontroller.h"
#include "windowharness.h"

#include <QDir>
#include "platform/qt/webbrowser.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

class TestPreviewPane : public QObject
{
    Q_OBJECT
private:
    TWindowHarness m_h;
    std::unique_ptr<TfrmHTMLEdit> &m_window = m_h.Window;
    QStringList &m_messages = m_h.Messages;
    QList<QStringList> &m_started = m_h.Started;
    QDir m_dir{m_h.Dir.path()};

    QString Write(const QString &name, const QByteArray &bytes) { return m_h.Write(name, bytes); }
    QByteArray Read(const QString &name) { return m_h.Read(name); }

private Q_SLOTS:
    void init() { QVERIFY(m_h.Start()); }
    void cleanup() { m_h.Stop(); }

    void previewWritesExpandedCopyAndShowsIt()
    {
        if (!m_window->WebBrowser())
            QSKIP("the browser engine is switched off");
        Write("head.txt", "<h1>Head</h1>\n");
        const QString source = Write("page.htc", "#include{head.txt}\n<p>body</p>\n");
        m_window->OpenFile(source);
        QSignalSpy loaded(m_window->WebBrowser(), &TWebBrowser::OnDocumentComplete);
        m_window->Preview()->btnPreviewClick(false);
        QCOMPARE(Read("~qwpage.htc.htm"), QByteArray("<h1>Head</h1>\n<p>body</p>\n"));
        QVERIFY(m_window->ActiveEditor()->Text().startsWith(QStringLiteral("#include{head.txt}")));
        QVERIFY(!m_window->ActiveEditor()->Modified());
        QCOMPARE(m_window->Preview()->LastPreviewFile(), m_dir.filePath("~qwpage.htc.htm"));
        QVERIFY(loaded.wait(20000));
        QCOMPARE(m_window->WebBrowser()->Url(), QUrl::fromLocalFile(m_dir.filePath("~qwpage.htc.htm")));
        // Closing the document removes its copy.
        m_window->Action(QStringLiteral("Close1"))->trigger();
        QVERIFY(!QFile::exists(m_dir.filePath("~qwpage.htc.htm")));
    }

    void switchingTabsPreviewsTheNewDocument()
    {
        if (!m_window->WebBrowser())
            QSKIP("the browser engine is switched off");
        m_window->OpenFile(Write("a.html", "<p>a</p>\n"));
        m_window->OpenFile(Write("b.html", "<p>b</p>\n"));
        m_window->PageControl1()->setCurrentIndex(1);
        QCOMPARE(m_window->Preview()->LastPreviewFile(), m_dir.filePath("~qwa.html"));
        QVERIFY(QFile::exists(m_dir.filePath("~qwa.html")));
    }

    void externalBrowser_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("started");
        QTest::addColumn<int>("messages");
        QTest::newRow("empty path shows the error") << QString() << 0 << 1;
        QTest::newRow("first-run text is no program") << QStringLiteral("Not defined yet") << 0 << 1;
        QTest::newRow("configured browser starts") << QStringLiteral("/usr/bin/firefox") << 1 << 0;
    }
    void externalBrowser()
    {
        QFETCH(QString, path);
        QFETCH(int, started);
        QFETCH(int, messages);
        m_window->OpenFile(Write("ext.html", "<p>x</p>\n"));
        m_window->Settings().Path1 = path;
        m_window->Action(QStringLiteral("Preview2"))->trigger();
        QCOMPARE(m_started.size(), started);
        QCOMPARE(m_messages.size(), messages);
        if (started)
            QCOMPARE(m_started.first(), QStringList({path, "file://" + m_dir.filePath("~qwext.html")}));
        m_started.clear();
    }

    // A large page is previewed only on demand, its copy written on the worker thread.
    void largePageIsPreviewedOnDemand()
    {
        QByteArray page;
        while (page.size() <= TPreviewController::LargePageChars)
            page += "<p>a line of a large page</p>\n";
        TPreviewController *preview = m_window->Preview();
        auto status = [this] { return m_window->StatusBar()->PanelText(TMainStatusBar::Message); };
        m_window->OpenFile(Write("big.html", page));
        QCOMPARE(status(), TPreviewController::LargePageText());
        const int writes = preview->PreviewWrites();

        QSignalSpy shown(preview, &TPreviewController::CopyShown);
        preview->btnPreviewClick(false);
        QVERIFY(preview->WritingCopy());
        preview->btnPreviewClick(false);
        QCOMPARE(status(), QStringLiteral("The preview is still being written"));
        QVERIFY(shown.wait(60000));
        QCOMPARE(shown.count(), 1);
        QCOMPARE(preview->PreviewWrites(), writes + 1);
        QCOMPARE(Read("~qwbig.html"), page);
        QVERIFY(!preview->WritingCopy());

        // The timer's refresh leaves it alone.
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        preview->SetUpdateSecs(1);
        preview->Tick();
        QCOMPARE(preview->PreviewWrites(), writes + 1);
    }

    void addressBoxNavigatesAndRemembers()
    {
        m_window->Preview()->cbxBrwseURL()->setCurrentText(QStringLiteral("about:blank"));
        m_window->Preview()->btnBrwseGoClick();
        QCOMPARE(m_window->Preview()->cbxBrwseURL()->count(), 1);
        QVERIFY(m_window->Preview()->LastPreviewFile().isEmpty());
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    TestPreviewPane test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_previewpane.moc"
