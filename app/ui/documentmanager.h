// Document life: new, open, reopen, save, save as, close with its prompts, backups and printing.
// The file rules themselves (encodings, safe saving, includes, recent files) live in app/core.
#pragma once

#include "app/ui/backgroundjob.h"
#include "app/ui/charsetguard.h"
#include "app/core/documentfile.h"
#include "editor/core/linesnapshot.h"

#include <QObject>
#include <QStringList>

#include <memory>

class QPrinter;
class QTabWidget;
class TDocumentTab;
class TMyRichEdit;
class TfrmHTMLEdit;

class TDocumentManager : public QObject
{
    Q_OBJECT
public:
    explicit TDocumentManager(TfrmHTMLEdit &window);
    ~TDocumentManager() override;

    // The document tabs, once the window has made them.
    void SetTabs(QTabWidget *tabs) { m_tabs = tabs; }
    // Binds the file and edit commands and the tab's popup menu.
    void RegisterCommands();
    // Closing the window: asks for every modified document; false when the user keeps it open.
    bool CloseQuery();

    void btnNewClick(bool askTemplate = true);
    void btnOpenClick();
    // The open dialog (or the test's answer) in the current folder; empty when cancelled.
    QString ChooseOpenFile(const QString &caption, const QString &filter, const QString &dir = QString());
    void OpenFile(const QString &path);
    // A document an earlier run left unsaved, opened with the text it had: its file when it is
    // still there (the text then differs from it and can be undone back to it), a tab that saves
    // to the same place when the file is gone, or a new untitled document.
    void OpenRecovered(const QString &path, bool untitled, const QString &text);
    // The first document of a start without a file: Untitled0 from the standard template.
    void CreateUntitledFromTemplate();
    bool btnsaveClick();
    bool SaveAs1Click();
    void SaveAll();
    bool Close1Click();
    void btnCloseClick();
    void Backup(bool silent);
    QString BackupDir() const;
    // Every modified document kept as a backup, as when the program is ended by a signal.
    QStringList BackupModified();
    void DeleteLine1Click();
    void Print1Click();
    void PrinterSetup1Click();
    void AddToMRU(const QString &path, bool rebuild);
    void BuildReopenMenu();
    int AskSave(const QString &text);
    // The status bar says when the document's declared charset disagrees with its file.
    void ReportCharset(TDocumentTab *tab) { m_charsets.Report(tab); }

    // One tick of the window's timer: the automatic backup every SaveSecs ticks.
    void Tick();
    // Waits for an automatic backup still being written (the program is ending).
    void WaitForWrites() { m_backupJob.Wait(); }
    bool BackupBeingWritten() const { return m_backupJob.Busy() || m_backupSnapshot.Running(); }
    void SetSaveSecs(int seconds) { m_saveSecs = seconds; }
    int SaveSecs() const { return m_saveSecs; }

    QStringList &MRUFileList() { return m_mruFileList; }
    int UntitledCount() const { return m_untitledCount; }
    void SetUntitledCount(int count) { m_untitledCount = count; }
    // The tab and editor made by the last New or Open.
    TDocumentTab *NewTab() const { return m_newTab; }
    TMyRichEdit *NewEditor() const { return m_newEditor; }

    // Files from this size on are read on a worker thread, the window answering meanwhile.
    static constexpr qint64 kReadInBackgroundBytes = 16 * 1024 * 1024;

private:
    // Reads a document's file into lines (tabs expanded as set); throws EFileError.
    TDocumentFormat ReadDocument(const QString &path, TEditLines &lines, QString &warning);
    TDocumentTab *CreateTab(const QString &caption, const QString &path);
    void SetupEditor(TDocumentTab *tab);
    void FreeTab(TDocumentTab *tab);
    bool SaveTabAs(TDocumentTab *tab, const QString &path);
    void AnyMRUClick(int index);
    QString FileFilter() const;
    QString CurrentDir() const;
    void AutoBackup();

    TfrmHTMLEdit &m_w;
    TCharsetGuard m_charsets{m_w};
    QTabWidget *m_tabs = nullptr;
    QStringList m_mruFileList;
    int m_untitledCount = 0;
    int m_saveSecs = 60;
    int m_backupTicks = 0;
    // The automatic backup is written on a worker thread: the error text, empty when written.
    TBackgroundJob<QString> m_backupJob{this};
    TLineSnapshotJob m_backupSnapshot{this}; // the lines the next backup writes
    TDocumentTab *m_newTab = nullptr;
    TMyRichEdit *m_newEditor = nullptr;
    QString m_lastDir;
    bool m_reading = false; // a large file is being read on a worker thread
    std::unique_ptr<QPrinter> m_printer;
};
