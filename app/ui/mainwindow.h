// The main window: owns the documents, panels, toolbars, menus, timers and the settings.
#pragma once

#include "aids/core/tagdata.h"
#include "app/core/appsettings.h"
#include "editor/core/editsearch.h"
#include "platform/core/windowstate.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QSplitter;
class QTabWidget;
class QToolBar;
class QToolButton;
class TExplorerBar;
class TTreePanel;
class TReportPanel;
class TMainStatusBar;
class TMultiLineTabs;
class TQuickBar;
class TTagInsight;
class TSettingsStore;
class TWebBrowser;
class TfrmSplash;
class TDocumentTab;
class TMyRichEdit;
class QPrinter;
class QUrl;
class THTMLSyn;
class THighlighterLink;
class THighlighterTokens;
class TSearchCommands;

// What the window needs from the outside world; tests hand in temporary stores.
struct TMainWindowContext
{
    TSettingsStore *UserStore = nullptr;
    const TSettingsStore *MachineStore = nullptr;
    QString ProgramDir;
    QStringList Arguments;       // command-line arguments after the program name
    TfrmSplash *Splash = nullptr;
    // Message boxes go through these so that tests can answer them; empty means a real box.
    std::function<void(int icon, const QString &caption, const QString &text)> ShowMessage;
    std::function<bool(const QString &caption, const QString &text)> AskYesNo;
    // Returns QMessageBox::Yes, No or Cancel.
    std::function<int(const QString &caption, const QString &text)> AskYesNoCancel;
    // File dialogs; an empty result means cancelled.
    std::function<QString(const QString &caption, const QString &dir, const QString &filter)> ChooseOpenFile;
    std::function<QString(const QString &caption, const QString &dir, const QString &filter)> ChooseSaveFile;
    // The single-line input box: returns whether OK was pressed.
    std::function<bool(const QString &caption, const QString &prompt, QString &value)> InputQuery;
    // Opens a document or address with the desktop's program for it.
    std::function<bool(const QUrl &url)> OpenUrl;
    // Starts a program without a shell.
    std::function<bool(const QString &program, const QStringList &arguments)> StartProgram;
    std::function<void()> Beep;
};

class TfrmHTMLEdit : public QMainWindow
{
    Q_OBJECT
public:
    explicit TfrmHTMLEdit(const TMainWindowContext &context, QWidget *parent = nullptr);
    ~TfrmHTMLEdit() override;

    // Fields the rest of the program works with.
    TSettings Settings;
    qint32 SaveSecs = 60;
    qint32 UpdateSecs = 10;
    qint32 BackupTicks = 0;
    qint32 PreviewTicks = 0;
    qint32 LastTextLength = 0;
    qint32 UntitledCount = 0;
    QStringList TempFiles;
    QStringList MailAdresses;
    QStringList MRUFileList;
    QStringList UserTools;
    QStringList Notes;
    QList<TTaskEntry> Tasks;
    QString ProjectFile;
    QString LastPreviewFile;

    // The flags the helpers share.
    TWindowState &State() { return m_state; }
    const TWindowFlags &Flags() const { return m_state.Flags(); }

    QAction *Action(const QString &name) const { return m_actions.value(name); }
    QMenu *Menu(const QString &name) const { return m_menus.value(name); }
    TMainStatusBar *StatusBar() const { return m_statusBar; }
    TExplorerBar *ExplorerBar() const { return m_explorerBar; }
    TQuickBar *QuickBar() const { return m_quickBar; }
    TWebBrowser *WebBrowser() const { return m_webBrowser; }
    QSplitter *IESplitter() const { return m_ieSplitter; }
    QSplitter *BarSplitter() const { return m_barSplitter; }
    QTabWidget *PageControl1() const { return m_pageControl; }
    THTMLSyn *HTMLHiLiter() const { return m_htmlHiLiter.get(); }
    QToolButton *ToolButton(const QString &name) const { return m_toolButtons.value(name); }
    QComboBox *cbxFind() const { return m_cbxFind; }
    bool FirstRunShown() const { return m_firstRunShown; }
    TTagInsight *TagInsightAid() const { return m_tagInsight; }
    // The user chose to stop during start-up; the program ends once the window is created.
    bool TerminateRequested() const { return m_terminateRequested; }

    // Side bar placement: 3 left, 4 right (the stored "BarAlign" values).
    int BarAlign() const { return m_barAlign; }
    void SetBarAlign(int align);
    int BarWidth() const;
    void SetBarVisible(bool visible);
    bool BarVisible() const;

    // 0: editor above the browser, 1: side by side (the stored "IEPrevOrientation").
    int IEPrevOrientation() const;
    bool IEPrevSwapped() const;
    bool PreviewVisible() const;
    void SetPreviewVisible(bool visible);

    void RefreshKeyIndicators();
    // A key one of the window's menu items or menu-bar mnemonics answers to.
    bool ClaimsKey(QKeyCombination key) const;
    void ResetToDefaults(bool ask = true);

    // Documents.
    TMyRichEdit *ActiveEditor() const;       // throws ENoActiveRE when no tab is open
    TDocumentTab *ActiveTab() const;         // null when no tab is open
    TDocumentTab *Tab(int index) const;
    TDocumentTab *NewTab = nullptr;
    TMyRichEdit *NewEditor = nullptr;
    void OpenFile(const QString &path);
    void AddToMRU(const QString &path, bool rebuild);
    void BuildReopenMenu();
    void UpdateControls();
    void UpdateWindowTitle();
    // Runs a command the way the application's error handler would: failures become a message.
    void RunGuarded(const std::function<void()> &command);
    void btnNewClick(bool askTemplate = true);
    bool btnsaveClick();
    bool SaveAs1Click();
    void SaveAll();
    bool Close1Click();
    void btnCloseClick();
    void Backup(bool silent);
    QString BackupDir() const;
    // Ends the program without asking, as on a termination signal: every modified document is
    // kept as a backup first, then the window closes as usual. Returns the backups written.
    QStringList TerminateNow();

    // Preview and mail.
    void btnPreviewClick(bool automatic);
    void RichEdit1Exit(TDocumentTab *tab);
    void Preview1Click();
    // Writes the tab's include-expanded preview copy and returns its name; throws EFileError.
    QString WritePreviewCopy(TDocumentTab *tab);
    void Preview2Click(int browserSet);
    void DeletePreviewCopy(const QString &path);
    void btnWriteMailClick();
    void MailDocumentTo(const QString &address);
    QString PreviewFallbackDir() const;
    QComboBox *cbxBrwseURL() const { return m_cbxBrwseURL; }
    void btnBrwseGoClick();
    void btnBrwseHomeClick();

    // Document analysis.
    TTreePanel *TreePanel() const { return m_treePanel; }
    TReportPanel *ReportPanel() const { return m_reportPanel; }
    void btnRefreshHTreeClick();
    void SyntaxCheck1Click();
    void LinkCheckerlocal1Click();

    // Search (mainwindow_search.cpp). FindText searches the active editor and selects the hit;
    // ReplaceInRange replaces inside the character positions start..end, moving end by the change.
    TSearchCommands *SearchCommands() const { return m_search; }
    bool FindText(const QString &text, TSynSearchOptions options);
    void ReplaceInRange(int &start, int &end, const QString &search, const QString &replace);

Q_SIGNALS:
    // One tick of the one-second timer has been handled.
    void Timer1Ticked();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    void Timer1Timer();
    void CreateTagInsight();

    void CreateActions();
    void CreateMenus();
    void CreateToolbars();
    void CreateCentralArea();
    void CreateBrowser();
    void CreateBrowserToolbar(QWidget *pane);
    void ConnectPreviewCommands();
    void CreateAnalysisPanels();
    void ShowReportPage();
    bool InputBox(const QString &caption, const QString &prompt, QString &value);
    bool OpenUrl(const QUrl &url);
    void AddMailItem(const QString &address);
    void ApplyLoadedSettings(const TLoadedSettings &loaded);
    TSavedState CollectState() const;
    void ApplyPreferencesToControls();
    void UpdateViewMenuChecks();
    void SplashStatus(const QString &text, int progress);
    void ShowStatusMessage(const QString &text);
    void Message(int icon, const QString &caption, const QString &text);
    bool Ask(const QString &caption, const QString &text);

    void btnMainHorzVertClick();
    void ApplyPaneMinimums();
    void btnMainWinResClick();
    void HTMLDocumentation1Click();
    void Help1Click();
    void CreateUntitledFromTemplate();
    void ConnectDocumentCommands();
    void ConnectSearchCommands();
    TDocumentTab *CreateTab(const QString &caption, const QString &path);
    void SetupEditor(TDocumentTab *tab);
    void FreeTab(TDocumentTab *tab);
    bool SaveTabAs(TDocumentTab *tab, const QString &path);
    void RichEdit1Change(TDocumentTab *tab);
    void RichEdit1SelectionChange(TDocumentTab *tab);
    void PageControl1Change();
    void AnyMRUClick(int index);
    void DeleteLine1Click();
    void Print1Click();
    void PrinterSetup1Click();
    void btnOpenClick();
    int AskSave(const QString &text);
    QString FileFilter() const;
    QString CurrentDir() const;
    bool m_textChangedSinceTick = false;
    QPointer<QObject> m_treeEditor;          // the document the tree was built from
    QString m_lastDir;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<THTMLSyn> m_htmlHiLiter;
    std::unique_ptr<THighlighterLink> m_hiLiterLink;
    std::unique_ptr<THighlighterTokens> m_hiLiterTokens;

    QAction *AddAction(const QString &name, const QString &caption, const QKeySequence &shortcut = {},
                       const QString &icon = {}, const QString &hint = {});
    QToolButton *AddToggle(QWidget *parent, const QString &name, const QString &icon,
                           const QString &caption, const QString &hint);

    TMainWindowContext m_context;
    TWindowState m_state;
    QHash<QString, QAction *> m_actions;
    QHash<QString, QMenu *> m_menus;
    QHash<QString, QToolButton *> m_toolButtons;
    mutable QSet<int> m_claimedKeys;         // filled on first use, once every action exists
    TMainStatusBar *m_statusBar = nullptr;
    TExplorerBar *m_explorerBar = nullptr;
    TQuickBar *m_quickBar = nullptr;
    TTagInsight *m_tagInsight = nullptr;
    TWebBrowser *m_webBrowser = nullptr;
    QWidget *m_browserPane = nullptr;
    QToolBar *m_tbMain = nullptr;
    QToolBar *m_tbMain2 = nullptr;
    QToolBar *m_tbrBrowser = nullptr;
    QComboBox *m_cbxFind = nullptr;
    QComboBox *m_cbxBrwseURL = nullptr;
    TTreePanel *m_treePanel = nullptr;
    TReportPanel *m_reportPanel = nullptr;
    QMenu *m_pmMailAdresses = nullptr;
    TSearchCommands *m_search = nullptr;
    QSplitter *m_barSplitter = nullptr;
    QSplitter *m_ieSplitter = nullptr;
    QWidget *m_editPane = nullptr;
    QWidget *m_pnlTagTip = nullptr;
    QLineEdit *m_mmoTagHint = nullptr;
    QTabWidget *m_pageControl = nullptr;
    TMultiLineTabs *m_multiLineTabs = nullptr;
    QTimer m_timer1;
    QTimer m_timer2;
    int m_barAlign = 3;
    int m_pendingSplitPosition = -1;
    bool m_firstShow = true;
    bool m_closing = false;
    bool m_firstRunShown = false;
    bool m_terminateRequested = false;
};
