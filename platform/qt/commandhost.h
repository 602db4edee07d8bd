// What the main window offers the subsystems: its named commands, its side pages, the active
// document and the shared flags. A subsystem registers through this and never includes app/.
#pragma once

#include "platform/core/preferences.h"

#include <QList>
#include <QString>

#include <functional>

class QAction;
class QDialog;
class QMenu;
class QUrl;
class QWidget;
class TCodeEdit;
class TCustomHighlighter;
class TSettingsStore;
class TWindowState;

class TCommandHost
{
public:
    // The side bar's pages a subsystem may fill.
    enum SidePage { ExplorerPage = 0, TreePage, CharsPage, ManagerPage, ReportPage };

    virtual ~TCommandHost() = default;

    // The window, as the parent of a subsystem's dialogs and helpers.
    virtual QWidget *HostWindow() = 0;
    // A menu or toolbar command by its name ("SyntaxCheck1"); null when there is none.
    virtual QAction *FindAction(const QString &name) const = 0;
    // Makes the named command live: enabled, and running handler the way the application's error
    // handler would (a failure becomes a message box). Returns the action, or null for an unknown name.
    virtual QAction *BindCommand(const QString &name, std::function<void()> handler) = 0;
    // Runs a command with the same error handling.
    virtual void RunGuarded(const std::function<void()> &command) = 0;
    // A menu of the menu bar by its name ("MainUserTools1"); null when there is none.
    virtual QMenu *FindMenu(const QString &name) const = 0;
    // The panel of a side page, to put a subsystem's content into; ShowSidePage brings it forward.
    virtual QWidget *SidePageWidget(SidePage page) = 0;
    // Brings a page forward, showing the side bar when it was put away.
    virtual void ShowSidePage(SidePage page) = 0;
    virtual int CurrentSidePage() const = 0;
    // Calls listener each time a side page comes forward.
    virtual void WhenSidePageShown(std::function<void(SidePage page)> listener) = 0;
    // The active document's editor view, null when no document is open.
    virtual QWidget *ActiveEditorView() const = 0;
    // The same for a command that needs one: throws "No HTML-File opened" when none is open.
    virtual QWidget *RequiredEditorView() const = 0;
    // Its file ("Untitled" + number for a document never saved), and opening another document.
    virtual QString ActiveDocumentPath() const = 0;
    virtual void OpenDocument(const QString &path) = 0;
    // The program's folder, which holds Data/ and Templates/.
    virtual QString ProgramDir() const = 0;
    // Status panel 7 and message boxes (icon as QMessageBox::Icon).
    virtual void ShowStatus(const QString &text) = 0;
    virtual void ShowMessage(int icon, const QString &caption, const QString &text) = 0;
    // The single-line input box: returns whether OK was pressed; value is the initial and the new text.
    virtual bool InputQuery(const QString &caption, const QString &prompt, QString &value) = 0;
    // A Yes/No question; true for Yes.
    virtual bool AskYesNo(const QString &caption, const QString &text) = 0;
    // The open dialog in dir (empty: the documents' folder); empty when cancelled.
    virtual QString ChooseOpenFile(const QString &caption, const QString &filter, const QString &dir = QString()) = 0;
    // The save dialog starting at start (a folder or a file name); empty when cancelled.
    virtual QString ChooseSaveFile(const QString &caption, const QString &filter, const QString &start) = 0;
    // A panel of the status bar by number (8: the project).
    virtual void SetStatusPanelText(int panel, const QString &text) = 0;
    // Hands an address to the desktop (a file: its default program); false when nothing took it.
    virtual bool OpenUrl(const QUrl &url) = 0;
    // Runs a subsystem's dialog modally and returns its result (QDialog::Accepted or Rejected);
    // tests answer it instead, after filling its fields as a user would.
    virtual int ExecDialog(QDialog &dialog) = 0;
    // A new untitled document, made the active one.
    virtual void NewDocument() = 0;
    // A user setting by its stored name ("HomepageRef", "eMailRef"); empty for an unknown name.
    virtual QString UserSetting(const QString &name) const = 0;
    // Calls listener on a document's editor just before Save, Save As or Save All writes it.
    virtual void WhenSaving(std::function<void(TCodeEdit &edit)> listener) = 0;
    // Changes the text of every preview copy before it is written; it may run on a worker thread.
    virtual void SetCopyTextFilter(std::function<QString(const QString &text)> filter) = 0;
    // The flags the window's helpers share.
    virtual TWindowState &State() = 0;

    // The preferences in force ("ShowEdge" as the active editor shows it) and the bars shown.
    virtual TPreferences CurrentPreferences() const = 0;
    virtual TToolbarsShown ToolbarsShown() const = 0;
    // Takes new preferences (written with the other settings at exit) and applies them at once:
    // timers, bars, menu animation and every open editor.
    virtual void ApplyPreferences(const TPreferences &prefs, const TToolbarsShown &toolbars) = 0;
    // The highlighter every editor shares, and the view of every open document in tab order.
    virtual TCustomHighlighter &SharedHighlighter() = 0;
    virtual QList<QWidget *> EditorViews() const = 0;
    // Calls listener with the view of each document opened from now on, once it is set up.
    virtual void WhenEditorOpened(std::function<void(QWidget *view)> listener) = 0;
    // The user's settings store; null when the program runs without one.
    virtual TSettingsStore *UserStore() const = 0;
};
