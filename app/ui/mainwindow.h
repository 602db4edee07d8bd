// The main window: a host for the documents, panels, toolbars, menus, timers and settings.
// Document life is the document manager's, the preview the preview controller's; subsystems
// bind their commands and side pages through TCommandHost.
#pragma once

#include "aids/core/tagdata.h"
#include "app/core/appsettings.h"
#include "editor/core/editsearch.h"
#include "app/ui/actiontable.h"
#include "app/ui/windowcontext.h"
#include "platform/core/windowstate.h"
#include "platform/qt/commandhost.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <QTimer>

#include <array>
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
class TActionCatalog;
class TAnalysisCommands;
class TSnippetCommands;
class TDocumentTools;
class TUserToolCommands;
class TSiteManager;
class TExplorerPage;
class TOptionsCommands;
class TDiskWatcher;
class TDocumentJournal;
class TDocumentManager;
class TPreviewController;
class TWorkArea;

class TfrmHTMLEdit : public QMainWindow, public TCommandHost
{
    Q_OBJECT
public:
    explicit TfrmHTMLEdit(const TMainWindowContext &context, QWidget *parent = nullptr);
    ~TfrmHTMLEdit() override;

    // The preferences and the stores' lists.
    TSettings &Settings() { return m_settings; }
    const TSettings &Settings() const { return m_settings; }
    const TMainWindowContext &Context() const { return m_context; }
    QStringList &UserTools() { return m_userTools; }
    QStringList &Notes() { return m_notes; }
    QList<TTaskEntry> &Tasks() { return m_tasks; }
    QString ProjectFile() const { return m_projectFile; }

    TDocumentManager *Documents() const { return m_documents; }
    TDocumentJournal *Journal() const { return m_journal; }
    TDiskWatcher *DiskWatcher() const { return m_diskWatcher; }
    TPreviewController *Preview() const { return m_preview; }

    // TCommandHost: what the subsystems register with.
    QWidget *HostWindow() override { return this; }
    QAction *FindAction(const QString &name) const override { return m_actions.value(name); }
    QMenu *FindMenu(const QString &name) const override { return Menu(name); }
    QAction *BindCommand(const QString &name, std::function<void()> handler) override;
    void RunGuarded(const std::function<void()> &command) override;
    QWidget *SidePageWidget(SidePage page) override;
    void ShowSidePage(SidePage page) override;
    int CurrentSidePage() const override;
    void WhenSidePageShown(std::function<void(SidePage page)> listener) override;
    QWidget *ActiveEditorView() const override;
    QWidget *RequiredEditorView() const override;
    QString ActiveDocumentPath() const override;
    void OpenDocument(const QString &path) override { OpenFile(path); }
    QString ProgramDir() const override { return m_context.ProgramDir; }
    void ShowStatus(const QString &text) override { ShowStatusMessage(text); }
    void ShowMessage(int icon, const QString &caption, const QString &text) override { Message(icon, caption, text); }
    TWindowState &State() override { return m_state; }
    TPreferences CurrentPreferences() const override;
    TToolbarsShown ToolbarsShown() const override;
    void ApplyPreferences(const TPreferences &prefs, const TToolbarsShown &toolbars) override;
    TCustomHighlighter &SharedHighlighter() override;
    QList<QWidget *> EditorViews() const override;
    void WhenEditorOpened(std::function<void(QWidget *view)> listener) override
    {
        m_editorListeners.append(std::move(listener));
    }
    TSettingsStore *UserStore() const override { return m_context.UserStore; }
    // The document manager reports each editor it has set up.
    void EditorOpened(TDocumentTab *tab);
    bool InputQuery(const QString &caption, const QString &prompt, QString &value) override
    {
        return InputBox(caption, prompt, value);
    }
    QString UserSetting(const QString &name) const override;
    bool AskYesNo(const QString &caption, const QString &text) override { return Ask(caption, text); }
    QString ChooseOpenFile(const QString &caption, const QString &filter, const QString &dir = QString()) override;
    int ExecDialog(QDialog &dialog) override;
    void NewDocument() override;
    QString ChooseSaveFile(const QString &caption, const QString &filter, const QString &start) override;
    void SetStatusPanelText(int panel, const QString &text) override;
    void WhenSaving(std::function<void(TCodeEdit &edit)> listener) override
    {
        m_saveListeners.append(std::move(listener));
    }
    void SetCopyTextFilter(std::function<QString(const QString &text)> filter) override
    {
        m_copyTextFilter = std::move(filter);
    }
    // What the save commands and the preview copies run through.
    void BeforeSaving(TCodeEdit &edit) const
    {
        for (const auto &listener : m_saveListeners)
            listener(edit);
    }
    QString CopyText(const QString &text) const { return m_copyTextFilter ? m_copyTextFilter(text) : text; }
    const std::function<QString(const QString &text)> &CopyTextFilter() const { return m_copyTextFilter; }

    const TWindowFlags &Flags() const { return m_state.Flags(); }

    QAction *Action(TActionId id) const;
    QAction *Action(const QString &name) const { return m_actions.value(name); }
    QMenu *Menu(const QString &name) const { return m_menus.value(name); }
    TMainStatusBar *StatusBar() const { return m_statusBar; }
    TQuickBar *QuickBar() const { return m_quickBar; }
    // The panes and their splitters (the work area's, shown here for the commands and tests).
    TWorkArea *WorkArea() const { return m_workArea; }
    TExplorerBar *ExplorerBar() const;
    TWebBrowser *WebBrowser() const;
    QSplitter *IESplitter() const;
    QSplitter *BarSplitter() const;
    QTabWidget *PageControl1() const;
    TMultiLineTabs *MultiLineTabs() const;
    THTMLSyn *HTMLHiLiter() const { return m_htmlHiLiter.get(); }
    QToolButton *ToolButton(const QString &name) const { return m_toolButtons.value(name); }
    QComboBox *cbxFind() const { return m_cbxFind; }
    bool FirstRunShown() const { return m_firstRunShown; }
    TTagInsight *TagInsightAid() const { return m_tagInsight; }
    // The user chose to stop during start-up; the program ends once the window is created.
    bool TerminateRequested() const { return m_terminateRequested; }

    // Side bar placement: 3 left, 4 right (the stored "BarAlign" values).
    int BarAlign() const;
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

    // The documents in their tabs (the document manager opens, saves and closes them).
    TMyRichEdit *ActiveEditor() const; // throws ENoActiveRE when no tab is open
    TDocumentTab *ActiveTab() const;   // null when no tab is open
    TDocumentTab *Tab(int index) const;
    void OpenFile(const QString &path);
    void UpdateControls();
    void UpdateWindowTitle();
    // The active editor's change and selection events, and a switch of tabs.
    void RichEdit1Change(TDocumentTab *tab);
    void RichEdit1SelectionChange(TDocumentTab *tab);
    void PageControl1Change();
    // Ends the program without asking, as on a termination signal: every modified document is
    // kept in the recovery journal (as a backup when there is no journal), then the window closes
    // as usual. Returns the backups written.
    QStringList TerminateNow();
    // The pieces a document's editor is set up with.
    THighlighterLink *HiLiterLink() const { return m_hiLiterLink.get(); }
    THighlighterTokens *HiLiterTokens() const { return m_hiLiterTokens.get(); }

    void ShowStatusMessage(const QString &text);
    void Message(int icon, const QString &caption, const QString &text);
    bool Ask(const QString &caption, const QString &text);
    bool InputBox(const QString &caption, const QString &prompt, QString &value);
    bool OpenUrl(const QUrl &url) override;

    // Document analysis: the tree and the checks.
    TAnalysisCommands *Analysis() const { return m_analysis; }
    TSnippetCommands *Snippets() const { return m_snippets; }
    TDocumentTools *DocumentTools() const { return m_documentTools; }
    TUserToolCommands *UserToolCommands() const { return m_userToolCommands; }
    TSiteManager *SiteManager() const { return m_siteManager; }
    TExplorerPage *ExplorerPage() const { return m_explorerPage; }
    TOptionsCommands *Options() const { return m_options; }
    TTreePanel *TreePanel() const;
    TReportPanel *ReportPanel() const;
    void btnRefreshHTreeClick();

    // Search (mainwindow_search.cpp). FindText searches the active editor and selects the hit;
    // ReplaceInRange replaces inside the character positions start..end, moving end by the change.
    TSearchCommands *SearchCommands() const { return m_search; }
    bool FindText(const QString &text, TSynSearchOptions options);
    void ReplaceInRange(int &start, int &end, const QString &search, const QString &replace);

    // One tick of the one-second timer, as the timer runs it.
    void Tick() { Timer1Timer(); }

Q_SIGNALS:
    // One tick of the one-second timer has been handled.
    void Timer1Ticked();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    void Timer1Timer();
    void StartTimer1();
    void CreateTagInsight();

    void CreateActions();
    void CreateMenus();
    void CreateToolbars();
    void CreateCentralArea();
    void ApplyLoadedSettings(const TLoadedSettings &loaded);
    TSavedState CollectState() const;
    void ApplyPreferencesToControls();
    void ApplyEditorPreferences(TDocumentTab *tab) const;
    void UpdateViewMenuChecks();
    void SplashStatus(const QString &text, int progress);

    void HTMLDocumentation1Click();
    void Help1Click();
    void ConnectSearchCommands();

    bool m_textChangedSinceTick = false;
    std::unique_ptr<THTMLSyn> m_htmlHiLiter;
    std::unique_ptr<THighlighterLink> m_hiLiterLink;
    std::unique_ptr<THighlighterTokens> m_hiLiterTokens;
    TMainWindowContext m_context;
    TWindowState m_state;
    TSettings m_settings;
    QStringList m_userTools;
    QStringList m_notes;
    QList<TTaskEntry> m_tasks;
    QString m_projectFile;
    qint64 m_lastTextLength = 0; // the active document's length at the last tick
    TDocumentManager *m_documents = nullptr;
    TDocumentJournal *m_journal = nullptr;
    TDiskWatcher *m_diskWatcher = nullptr;
    TPreviewController *m_preview = nullptr;
    QList<std::function<void(TCodeEdit &edit)>> m_saveListeners;
    QList<std::function<void(QWidget *view)>> m_editorListeners;
    std::function<QString(const QString &text)> m_copyTextFilter;
    TActionCatalog *m_catalog = nullptr;
    QHash<QString, QAction *> m_actions;
    QHash<QString, QMenu *> m_menus;
    QHash<QString, QToolButton *> m_toolButtons;
    TMainStatusBar *m_statusBar = nullptr;
    TQuickBar *m_quickBar = nullptr;
    TTagInsight *m_tagInsight = nullptr;
    QToolBar *m_tbMain = nullptr;
    QToolBar *m_tbMain2 = nullptr;
    QComboBox *m_cbxFind = nullptr;
    TAnalysisCommands *m_analysis = nullptr;
    TSnippetCommands *m_snippets = nullptr;
    TDocumentTools *m_documentTools = nullptr;
    TUserToolCommands *m_userToolCommands = nullptr;
    TSiteManager *m_siteManager = nullptr;
    TExplorerPage *m_explorerPage = nullptr;
    TOptionsCommands *m_options = nullptr;
    TWorkArea *m_workArea = nullptr;
    TSearchCommands *m_search = nullptr;
    QTimer m_timer1;
    QTimer m_timer2;
    bool m_firstShow = true;
    bool m_closing = false;
    bool m_endedFromOutside = false; // the journal is kept for the next start
    bool m_firstRunShown = false;
    bool m_terminateRequested = false;
};
