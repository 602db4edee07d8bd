// The preview: copies for the browser pane and outside browsers, mail, the browser pane's toolbar.
// Where copies go and how outside browsers are started is decided in app/core/preview.
#pragma once

#include "app/ui/backgroundjob.h"

#include <QObject>
#include <QStringList>

#include <functional>

class QComboBox;
class QMenu;
class QToolBar;
class QWidget;
class TDocumentTab;
class TfrmHTMLEdit;

class TPreviewController : public QObject
{
    Q_OBJECT
public:
    explicit TPreviewController(TfrmHTMLEdit &window);

    // The browser pane's toolbar, made as the pane's first child.
    QToolBar *CreateBrowserToolbar(QWidget *pane);
    // Binds the preview and mail commands, once the browser pane exists (or failed to).
    void RegisterCommands();

    void btnPreviewClick(bool automatic);
    // Another document came to the front while the pane shows.
    void TabChanged();
    // Pages past this many characters are previewed only on demand, their copy written on a worker
    // thread: the browser would take seconds and gigabytes for each automatic reload.
    static constexpr qint64 LargePageChars = 4 << 20;
    static QString LargePageText();
    bool WritingCopy() const { return m_copyJob.Busy() || m_exitCopyJob.Busy(); }
    // Preview copies begun so far, for tests of when the preview is refreshed.
    int PreviewWrites() const { return m_previewWrites; }
    // The copy written when an editor loses the focus, for outside programs.
    void RichEdit1Exit(TDocumentTab *tab);
    void Preview1Click();
    void Preview2Click(int browserSet);
    // Writes the tab's include-expanded preview copy and returns its name; throws EFileError.
    QString WritePreviewCopy(TDocumentTab *tab);
    void DeletePreviewCopy(const QString &path);
    // Every copy this program made, removed at exit.
    void DeleteAllCopies();
    void WaitForWrites()
    {
        m_copyJob.Wait();
        m_exitCopyJob.Wait();
    }
    void btnWriteMailClick();
    void MailDocumentTo(const QString &address);
    QString PreviewFallbackDir() const;
    void btnBrwseGoClick();
    void btnBrwseHomeClick();

    // One tick of the window's timer: the automatic refresh every UpdateSecs ticks.
    void Tick();
    void SetUpdateSecs(int seconds) { m_updateSecs = seconds; }
    int UpdateSecs() const { return m_updateSecs; }

    QComboBox *cbxBrwseURL() const { return m_cbxBrwseURL; }
    QToolBar *tbrBrowser() const { return m_tbrBrowser; }
    const QStringList &TempFiles() const { return m_tempFiles; }
    QStringList &MailAdresses() { return m_mailAdresses; }
    QString LastPreviewFile() const { return m_lastPreviewFile; }
    // The HTML reference shown in the pane stays there: the refresh leaves other pages alone.
    void SetLastPreviewFile(const QString &path) { m_lastPreviewFile = path; }

Q_SIGNALS:
    // A preview copy written on the worker thread is in the browser pane.
    void CopyShown(const QString &path);

private:
    void AddMailItem(const QString &address);
    static bool IsLarge(const TDocumentTab *tab);
    void ShowInPane(const QString &name, bool refresh);
    void WriteLargeCopy(TDocumentTab *tab, const QString &name, bool refresh);
    struct TCopyResult
    {
        QStringList Messages; // from the include expansion
        QString Error;        // empty when written
    };

    TfrmHTMLEdit &m_w;
    QToolBar *m_tbrBrowser = nullptr;
    QComboBox *m_cbxBrwseURL = nullptr;
    QMenu *m_pmMailAdresses = nullptr;
    QStringList m_tempFiles;
    QStringList m_mailAdresses;
    QString m_lastPreviewFile;
    int m_updateSecs = 10;
    int m_previewTicks = 0;
    int m_previewWrites = 0;
    TBackgroundJob<TCopyResult> m_copyJob{this};
    TBackgroundJob<QString> m_exitCopyJob{this}; // the error text, empty when written
};
