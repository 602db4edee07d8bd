// The main window's commands: every menu item, its caption, shortcut and toolbar button.
#include "app/ui/mainwindow.h"

#include "aids/ui/quickbar.h"
#include "app/ui/explorerbar.h"
#include "app/ui/mainstatusbar.h"
#include "app/ui/multilinetabs.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

QAction *TfrmHTMLEdit::AddAction(const QString &name, const QString &caption,
                                 const QKeySequence &shortcut, const QString &icon,
                                 const QString &hint)
{
    auto *action = new QAction(caption, this);
    action->setObjectName(name);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    if (!icon.isEmpty())
        action->setIcon(QIcon::fromTheme(icon));
    QString tip = hint;
    if (tip.isEmpty()) {
        tip = caption;
        tip.remove(QLatin1Char('&'));
        if (tip.endsWith(QLatin1String("...")))
            tip.chop(3);
    }
    action->setStatusTip(tip);
    action->setToolTip(shortcut.isEmpty() ? tip
                                          : tip + QStringLiteral(" (")
                                                + shortcut.toString(QKeySequence::NativeText)
                                                + QLatin1Char(')'));
    // Commands are enabled once they are built; until then they show but do nothing.
    action->setEnabled(false);
    m_actions.insert(name, action);
    return action;
}

void TfrmHTMLEdit::CreateActions()
{
    using QK = QKeySequence;
    // File
    AddAction("New1", "&New...", QK(Qt::CTRL | Qt::Key_N), "document-new", "Create a new document");
    AddAction("Open1", "&Open...", QK(Qt::CTRL | Qt::Key_O), "document-open", "Open a document");
    AddAction("Close1", "&Close", QK(Qt::CTRL | Qt::Key_F4), "document-close", "Close the document");
    AddAction("CloseAll1", "Close A&ll", QK(Qt::CTRL | Qt::SHIFT | Qt::Key_F12), "window-close",
              "Close all documents");
    AddAction("Save1", "&Save", QK(Qt::CTRL | Qt::Key_S), "document-save", "Save the document");
    AddAction("SaveAs1", "Save &As...", QK(Qt::Key_F12), "document-save-as");
    AddAction("SaveAll1", "Save A&ll", QK(Qt::CTRL | Qt::SHIFT | Qt::Key_S), "document-save-all",
              "Save all documents");
    AddAction("Print1", "&Print...", QK(Qt::CTRL | Qt::Key_P), "document-print");
    AddAction("PrinterSetup1", "P&rinter Setup...", {}, "document-print-preview");
    AddAction("Backup1", "&Backup", {}, "document-save-as-template", "Write a backup copy");
    AddAction("Exit1", "E&xit", QK(Qt::ALT | Qt::Key_F4), "application-exit", "Quit TagForge");
    // Edit
    AddAction("Undo1", "&Undo", QK(Qt::CTRL | Qt::Key_Z), "edit-undo");
    AddAction("Redo1", "&Redo", QK(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), "edit-redo");
    AddAction("Repeat1", "Repeat &Last Action", QK(Qt::CTRL | Qt::SHIFT | Qt::Key_R), "view-refresh");
    AddAction("Copy1", "&Copy", QK(Qt::CTRL | Qt::Key_C), "edit-copy");
    AddAction("Cut1", "Cu&t", QK(Qt::CTRL | Qt::Key_X), "edit-cut");
    AddAction("Paste1", "&Paste", QK(Qt::CTRL | Qt::Key_V), "edit-paste");
    AddAction("Delete1", "&Delete", QK(Qt::CTRL | Qt::Key_Delete), "edit-delete");
    AddAction("DeleteLine1", "Delete L&ine", QK(Qt::SHIFT | Qt::Key_Delete), "edit-delete-remove");
    AddAction("Indent1", "&Indent", QK(Qt::CTRL | Qt::SHIFT | Qt::Key_I), "format-indent-more");
    AddAction("Unindent1", "U&nindent", QK(Qt::CTRL | Qt::SHIFT | Qt::Key_U), "format-indent-less");
    AddAction("GotoLine1", "&Go to Line...", QK(Qt::CTRL | Qt::Key_G), "go-jump");
    AddAction("GotoChar1", "Go to C&haracter...", QK(Qt::CTRL | Qt::SHIFT | Qt::Key_G));
    AddAction("SelectAll1", "Select &All", QK(Qt::CTRL | Qt::Key_A), "edit-select-all");
    // Insert
    AddAction("Hyperlink1", "&Hyperlink...", {}, "insert-link");
    AddAction("EigeneHomepageAdresse1", "Own &Homepage Address", QK(Qt::CTRL | Qt::SHIFT | Qt::Key_H), "go-home");
    AddAction("EigeneeMailAdresse1", "Own &eMail Address", QK(Qt::CTRL | Qt::SHIFT | Qt::Key_E), "mail-message");
    AddAction("HexadecimalColor1", "Hexadecimal &Color...", {}, "color-picker");
    AddAction("BRTag1", "&BR Tag", QK(Qt::CTRL | Qt::Key_Return));
    AddAction("CurrDate1", "Current &Date", QK(Qt::CTRL | Qt::Key_D), "view-calendar-day");
    AddAction("CurrTime1", "Current &Time", QK(Qt::CTRL | Qt::Key_T), "chronometer");
    AddAction("InsertText1", "Te&xt File...", {}, "insert-text");
    AddAction("Template1", "Te&mplate...", {}, "text-x-generic-template");
    AddAction("MinimalenHTMLRumpf1", "Minimal HTML &Skeleton", QK(Qt::CTRL | Qt::Key_H));
    // Search
    AddAction("Find1", "&Find...", QK(Qt::CTRL | Qt::Key_F), "edit-find");
    AddAction("FindNext1", "Find &Next", QK(Qt::Key_F3), "go-down-search");
    AddAction("Replace1", "&Replace...", QK(Qt::CTRL | Qt::Key_R), "edit-find-replace");
    // View
    AddAction("Preview1", "&Preview in Default Browser", QK(Qt::Key_F9), "internet-web-browser");
    AddAction("Preview2", "Preview in Browser &1", QK(Qt::CTRL | Qt::Key_F9));
    AddAction("Preview3", "Preview in Browser &2", QK(Qt::CTRL | Qt::SHIFT | Qt::Key_F9));
    AddAction("MainTb1", "&Main Toolbar");
    AddAction("QuickTab1", "&QuickBar");
    AddAction("PathQuicktab1", "Explorer &Path Bar");
    AddAction("StatusBar1", "&Status Bar");
    AddAction("BrowserToolbar1", "&Browser Toolbar");
    AddAction("PageControl1MultiLine1", "&Multi-line Tabs");
    AddAction("ExploreWin1", "&Explorer Bar");
    AddAction("TagParams1", "&Tag Parameters");
    // Document
    AddAction("TagAssistent1", "Tag &Assistant...", QK(Qt::CTRL | Qt::SHIFT | Qt::Key_A), "tools-wizard");
    AddAction("SyntaxCheck1", "&Syntax Check", QK(Qt::SHIFT | Qt::Key_F6), "tools-check-spelling");
    AddAction("LinkCheckerlocal1", "&Link Check (local)", QK(Qt::SHIFT | Qt::Key_F7), "link");
    AddAction("ReplaceSlashes1", "Backslashes to S&lashes");
    AddAction("UpperCaseTags1", "Tags to &Upper Case", {}, "format-text-uppercase");
    AddAction("LowerCaseTags1", "Tags to L&ower Case", {}, "format-text-lowercase");
    AddAction("AlleTagsentfernen1", "&Remove all Tags");
    AddAction("Chars2Entities1", "Characters to &Entities", QK(Qt::CTRL | Qt::SHIFT | Qt::Key_X));
    AddAction("Entities2Chars1", "Entities to &Characters", QK(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    AddAction("TagSelect1", "Select &Tag", QK(Qt::CTRL | Qt::SHIFT | Qt::Key_T), "edit-select");
    AddAction("Dokument2", "Document &Weight...", QK(Qt::CTRL | Qt::Key_W), "document-properties");
    AddAction("SpellCheck1", "Spe&ll Check...", {}, "tools-check-spelling");
    // Tools
    AddAction("Text2HtmlKonverter1", "&Text to HTML Converter...");
    AddAction("JavaApplets1", "Java Applets...");
    // Project
    AddAction("New2", "&New Project...", QK(Qt::CTRL | Qt::SHIFT | Qt::Key_N), "project-development-new-template");
    AddAction("Add1", "&Add File...", {}, "list-add");
    AddAction("Delete2", "&Remove File", {}, "list-remove");
    AddAction("ProjectOptions1", "Project &Options ...");
    AddAction("Infomation1", "&Infomation...");
    AddAction("Upload1", "&Upload...");
    // Options
    AddAction("Einstellungen1", "&Preferences...", QK(Qt::Key_F10), "configure");
    AddAction("Properties1", "&General Properties...", QK(Qt::CTRL | Qt::Key_F2));
    AddAction("EditorProperties1", "&Editor Properties...", QK(Qt::SHIFT | Qt::Key_F2));
    AddAction("Browser1", "&Browser Settings...");
    AddAction("Resettodefaults1", "&Reset to defaults", {}, "edit-reset");
    // Help
    AddAction("HTMLDocumentation1", "&HTML Reference", QK(Qt::Key_F4), "help-contents");
    AddAction("Help1", "&Help", QK(Qt::Key_F1), "help-contextual");
    AddAction("WebValidator1", "W3C Markup &Validator on the Web", {}, "internet-web-browser");
    AddAction("WebMDN1", "&MDN Web Docs on the Web", {}, "internet-web-browser");
    AddAction("About1", "&About TagForge...", {}, "help-about");
    // Toolbar-only commands
    AddAction("SendMail1", "Send by &Mail", {}, "mail-send", "Send the document by mail");
    AddAction("btnPreview", "Preview", {}, "view-refresh", "Refresh the preview");
    AddAction("ImageBrowser1", "&Image Browser", {}, "image-x-generic", "Image browser");

    // What works already.
    auto enable = [this](const char *name, auto slot) {
        QAction *a = m_actions.value(QLatin1String(name));
        a->setEnabled(true);
        connect(a, &QAction::triggered, this, slot);
    };
    enable("Exit1", [this] { close(); });
    enable("Resettodefaults1", [this] { ResetToDefaults(true); });
    enable("HTMLDocumentation1", [this] { HTMLDocumentation1Click(); });
    enable("Help1", [this] { Help1Click(); });
    enable("WebValidator1", [] {
        QDesktopServices::openUrl(QUrl(QStringLiteral("https://validator.w3.org/")));
    });
    enable("WebMDN1", [] {
        QDesktopServices::openUrl(QUrl(QStringLiteral("https://developer.mozilla.org/docs/Web/HTML")));
    });
    for (const char *name : {"MainTb1", "QuickTab1", "StatusBar1", "BrowserToolbar1",
                             "ExploreWin1", "TagParams1"}) {
        QAction *a = m_actions.value(QLatin1String(name));
        a->setCheckable(true);
        a->setEnabled(true);
    }
    m_actions.value(QStringLiteral("PathQuicktab1"))->setCheckable(true);
    m_actions.value(QStringLiteral("PageControl1MultiLine1"))->setCheckable(true);
    connect(m_actions.value(QStringLiteral("MainTb1")), &QAction::triggered, this, [this](bool on) {
        m_tbMain->setVisible(on);
        m_tbMain2->setVisible(on);
    });
    connect(m_actions.value(QStringLiteral("QuickTab1")), &QAction::triggered, this,
            [this](bool on) { m_quickBar->setVisible(on); });
    connect(m_actions.value(QStringLiteral("StatusBar1")), &QAction::triggered, this,
            [this](bool on) { m_statusBar->setVisible(on); });
    connect(m_actions.value(QStringLiteral("BrowserToolbar1")), &QAction::triggered, this,
            [this](bool on) { if (m_tbrBrowser) m_tbrBrowser->setVisible(on); });
    connect(m_actions.value(QStringLiteral("ExploreWin1")), &QAction::triggered, this,
            [this](bool on) { SetBarVisible(on); });
    QAction *multiLine = m_actions.value(QStringLiteral("PageControl1MultiLine1"));
    multiLine->setEnabled(true);
    connect(multiLine, &QAction::triggered, this, [this](bool on) { m_multiLineTabs->SetActive(on); });
    connect(m_actions.value(QStringLiteral("TagParams1")), &QAction::triggered, this,
            [this](bool on) { m_pnlTagTip->setVisible(on); });
}

void TfrmHTMLEdit::CreateMenus()
{
    auto menu = [this](const char *name, const QString &caption) {
        QMenu *m = menuBar()->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        m_menus.insert(QLatin1String(name), m);
        return m;
    };
    auto add = [this](QMenu *m, std::initializer_list<const char *> names) {
        for (const char *n : names) {
            if (!*n)
                m->addSeparator();
            else
                m->addAction(m_actions.value(QLatin1String(n)));
        }
    };
    auto submenu = [this](QMenu *parent, const char *name, const QString &caption) {
        QMenu *m = parent->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        m_menus.insert(QLatin1String(name), m);
        return m;
    };

    QMenu *file = menu("File2", QStringLiteral("&File"));
    add(file, {"New1", "Open1"});
    QMenu *reopen = submenu(file, "Reopen1", QStringLiteral("&Reopen"));
    reopen->setIcon(QIcon::fromTheme(QStringLiteral("document-open-recent")));
    reopen->setEnabled(false);
    add(file, {"", "Close1", "CloseAll1", "", "Save1", "SaveAs1", "SaveAll1", "", "Print1",
               "PrinterSetup1", "", "Backup1", "", "Exit1"});

    QMenu *edit = menu("File1", QStringLiteral("&Edit"));
    add(edit, {"Undo1", "Redo1", "Repeat1", "", "Copy1", "Cut1", "Paste1", "Delete1",
               "DeleteLine1", "", "Indent1", "Unindent1", "", "GotoLine1", "GotoChar1", "",
               "SelectAll1"});

    QMenu *insert = menu("HTMLTags1", QStringLiteral("&Insert"));
    add(insert, {"Hyperlink1", "EigeneHomepageAdresse1", "EigeneeMailAdresse1",
                 "HexadecimalColor1", "BRTag1", "", "CurrDate1", "CurrTime1"});
    QMenu *dateTime = submenu(insert, "CurrentDateTime1", QStringLiteral("Date and Time"));
    dateTime->setEnabled(false);
    insert->addSeparator();
    QMenu *meta = submenu(insert, "MetaTags1", QStringLiteral("&Meta Tags"));
    meta->addActions(m_quickBar ? m_quickBar->MetaTagMenu()->actions() : QList<QAction *>());
    meta->setEnabled(false);
    add(insert, {"", "InsertText1", "Template1", "MinimalenHTMLRumpf1"});

    QMenu *search = menu("Suchen1", QStringLiteral("&Search"));
    add(search, {"Find1", "FindNext1", "Replace1"});

    QMenu *view = menu("Ansicht1", QStringLiteral("&View"));
    add(view, {"Preview1", "Preview2", "Preview3", "", "MainTb1", "QuickTab1", "PathQuicktab1",
               "StatusBar1", "BrowserToolbar1", "PageControl1MultiLine1", "", "ExploreWin1",
               "TagParams1"});
    connect(view, &QMenu::aboutToShow, this, &TfrmHTMLEdit::UpdateViewMenuChecks);

    QMenu *document = menu("Dokument1", QStringLiteral("&Document"));
    add(document, {"TagAssistent1", "", "SyntaxCheck1", "LinkCheckerlocal1", "", "ReplaceSlashes1",
                   "UpperCaseTags1", "LowerCaseTags1", "AlleTagsentfernen1", "Chars2Entities1",
                   "Entities2Chars1", "", "TagSelect1", "Dokument2", "", "SpellCheck1"});

    QMenu *tools = menu("Tools1", QStringLiteral("&Tools"));
    add(tools, {"Text2HtmlKonverter1", "JavaApplets1", ""});
    QMenu *userTools = submenu(tools, "MainUserTools1", QStringLiteral("&User Tools"));
    userTools->setEnabled(false);

    QMenu *project = menu("Projekt1", QStringLiteral("&Project"));
    add(project, {"New2", "Add1", "Delete2", "", "ProjectOptions1", "Infomation1", "Upload1"});
    for (const char *hidden : {"ProjectOptions1", "Infomation1", "Upload1"})
        m_actions.value(QLatin1String(hidden))->setVisible(false);

    QMenu *options = menu("Options1", QStringLiteral("&Options"));
    add(options, {"Einstellungen1", "Properties1", "EditorProperties1", "Browser1", "",
                  "Resettodefaults1"});

    QMenu *help = menu("Hilfe2", QStringLiteral("&?"));
    add(help, {"HTMLDocumentation1", "Help1", "", "WebValidator1", "WebMDN1", "", "About1"});
}

void TfrmHTMLEdit::UpdateViewMenuChecks()
{
    m_actions.value(QStringLiteral("StatusBar1"))->setChecked(m_statusBar->isVisible());
    m_actions.value(QStringLiteral("MainTb1"))->setChecked(m_tbMain->isVisible());
    m_actions.value(QStringLiteral("QuickTab1"))->setChecked(m_quickBar->isVisible());
    m_actions.value(QStringLiteral("BrowserToolbar1"))->setChecked(m_tbrBrowser && m_tbrBrowser->isVisible());
    m_actions.value(QStringLiteral("ExploreWin1"))->setChecked(BarVisible());
    m_actions.value(QStringLiteral("TagParams1"))->setChecked(m_pnlTagTip->isVisible());
    m_actions.value(QStringLiteral("PageControl1MultiLine1"))->setChecked(m_multiLineTabs->Active());
    m_actions.value(QStringLiteral("PathQuicktab1"))->setChecked(false);
}

void TfrmHTMLEdit::CreateToolbars()
{
    m_tbMain = addToolBar(QStringLiteral("Main Toolbar"));
    m_tbMain->setObjectName(QStringLiteral("tbMain"));
    m_tbMain->setIconSize(QSize(22, 22));
    for (const char *name : {"New1", "Open1", "Save1", "SaveAll1", "CloseAll1", "", "Copy1",
                             "Paste1", "Cut1", "", "Undo1", "Redo1", "", "TagAssistent1",
                             "SyntaxCheck1", "LinkCheckerlocal1", "Dokument2"}) {
        if (!*name)
            m_tbMain->addSeparator();
        else
            m_tbMain->addAction(m_actions.value(QLatin1String(name)));
    }

    m_tbMain2 = addToolBar(QStringLiteral("Toolbar"));
    m_tbMain2->setObjectName(QStringLiteral("tbMain2"));
    m_tbMain2->setIconSize(QSize(22, 22));
    for (const char *name : {"Find1", "FindNext1", "Replace1", "", "SendMail1", "btnPreview",
                             "Repeat1", "TagSelect1", "ImageBrowser1"}) {
        if (!*name)
            m_tbMain2->addSeparator();
        else
            m_tbMain2->addAction(m_actions.value(QLatin1String(name)));
    }
    m_cbxFind = new QComboBox(m_tbMain2);
    m_cbxFind->setObjectName(QStringLiteral("cbxFind"));
    m_cbxFind->setEditable(true);
    m_cbxFind->setMinimumWidth(180);
    m_cbxFind->setToolTip(QStringLiteral("Fast search"));
    m_cbxFind->lineEdit()->setPlaceholderText(QStringLiteral("Search"));
    m_cbxFind->setEnabled(false);
    m_tbMain2->addWidget(m_cbxFind);

    addToolBarBreak();
    m_quickBar = new TQuickBar(this);
    addDockWidget(Qt::TopDockWidgetArea, m_quickBar);
}

bool TfrmHTMLEdit::ClaimsKey(QKeyCombination key) const
{
    if (m_claimedKeys.isEmpty()) {
        for (const QAction *action : m_actions) {
            for (const QKeySequence &shortcut : action->shortcuts())
                if (!shortcut.isEmpty())
                    m_claimedKeys.insert(shortcut[0].toCombined());
        }
        // Alt plus the underlined letter of a menu-bar title opens that menu.
        for (const QAction *title : menuBar()->actions()) {
            const QKeySequence mnemonic = QKeySequence::mnemonic(title->text());
            if (!mnemonic.isEmpty())
                m_claimedKeys.insert(mnemonic[0].toCombined());
        }
    }
    return m_claimedKeys.contains(key.toCombined());
}
