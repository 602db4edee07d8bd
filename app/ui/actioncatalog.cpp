// The window's commands: every menu item with its caption, shortcut, icon and hint, by name and id.
#include "app/ui/actioncatalog.h"

#include <QAction>
#include <QMenuBar>

TActionCatalog::TActionCatalog(QObject *owner) : QObject(owner)
{

    using QK = QKeySequence;
    // File
    Add("New1", "&New...", QK(Qt::CTRL | Qt::Key_N), "document-new", "Create a new document");
    Add("Open1", "&Open...", QK(Qt::CTRL | Qt::Key_O), "document-open", "Open a document");
    Add("Close1", "&Close", QK(Qt::CTRL | Qt::Key_F4), "document-close", "Close the document");
    Add("CloseAll1", "Close A&ll", QK(Qt::CTRL | Qt::SHIFT | Qt::Key_F12), "window-close", "Close all documents");
    Add("Save1", "&Save", QK(Qt::CTRL | Qt::Key_S), "document-save", "Save the document");
    Add("SaveAs1", "Save &As...", QK(Qt::Key_F12), "document-save-as");
    Add("SaveAll1", "Save A&ll", QK(Qt::CTRL | Qt::SHIFT | Qt::Key_S), "document-save-all", "Save all documents");
    Add("Print1", "&Print...", QK(Qt::CTRL | Qt::Key_P), "document-print");
    Add("PrinterSetup1", "P&rinter Setup...", {}, "document-print-preview");
    Add("Backup1", "&Backup", {}, "document-save-as-template", "Write a backup copy");
    Add("Exit1", "E&xit", QK(Qt::ALT | Qt::Key_F4), "application-exit", "Quit TagForge");
    // Edit
    Add("Undo1", "&Undo", QK(Qt::CTRL | Qt::Key_Z), "edit-undo");
    Add("Redo1", "&Redo", QK(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), "edit-redo");
    Add("Repeat1", "Repeat &Last Action", QK(Qt::CTRL | Qt::SHIFT | Qt::Key_R), "view-refresh");
    Add("Copy1", "&Copy", QK(Qt::CTRL | Qt::Key_C), "edit-copy");
    Add("Cut1", "Cu&t", QK(Qt::CTRL | Qt::Key_X), "edit-cut");
    Add("Paste1", "&Paste", QK(Qt::CTRL | Qt::Key_V), "edit-paste");
    Add("Delete1", "&Delete", QK(Qt::CTRL | Qt::Key_Delete), "edit-delete");
    Add("DeleteLine1", "Delete L&ine", QK(Qt::SHIFT | Qt::Key_Delete), "edit-delete-remove");
    Add("Indent1", "&Indent", QK(Qt::CTRL | Qt::SHIFT | Qt::Key_I), "format-indent-more");
    Add("Unindent1", "U&nindent", QK(Qt::CTRL | Qt::SHIFT | Qt::Key_U), "format-indent-less");
    Add("GotoLine1", "&Go to Line...", QK(Qt::CTRL | Qt::Key_G), "go-jump");
    Add("GotoChar1", "Go to C&haracter...", QK(Qt::CTRL | Qt::SHIFT | Qt::Key_G));
    Add("SelectAll1", "Select &All", QK(Qt::CTRL | Qt::Key_A), "edit-select-all");
    // Insert
    Add("Hyperlink1", "&Hyperlink...", {}, "insert-link");
    Add("EigeneHomepageAdresse1", "Own &Homepage Address", QK(Qt::CTRL | Qt::SHIFT | Qt::Key_H), "go-home");
    Add("EigeneeMailAdresse1", "Own &eMail Address", QK(Qt::CTRL | Qt::SHIFT | Qt::Key_E), "mail-message");
    Add("HexadecimalColor1", "Hexadecimal &Color...", {}, "color-picker");
    Add("BRTag1", "&BR Tag", QK(Qt::CTRL | Qt::Key_Return));
    Add("CurrDate1", "Current &Date", QK(Qt::CTRL | Qt::Key_D), "view-calendar-day");
    Add("CurrTime1", "Current &Time", QK(Qt::CTRL | Qt::Key_T), "chronometer");
    Add("AutoDateRefresh1", "Update &AutoDate Dates/Times", {}, "view-refresh");
    Add("TextDatum1", "Text + Date");
    Add("LastUpdateDate1", "Last updated: + Date");
    Add("CreatedDate1", "Created: +Date");
    Add("InsertText1", "Text from external File...", {}, "insert-text");
    Add("Template1", "Template ...", {}, "text-x-generic-template");
    Add("MinimalenHTMLRumpf1", "Minimal HTML code", QK(Qt::CTRL | Qt::Key_H));
    Add("TableWizard1", "&Table Assistant...", {}, "insert-table",
        "Lay out a table, or change the table at the cursor");
    // Search
    Add("Find1", "&Find...", QK(Qt::CTRL | Qt::Key_F), "edit-find");
    Add("FindNext1", "Find &Next", QK(Qt::Key_F3), "go-down-search");
    Add("Replace1", "&Replace...", QK(Qt::CTRL | Qt::Key_R), "edit-find-replace");
    // View
    Add("Preview1", "&Preview in Default Browser", QK(Qt::Key_F9), "internet-web-browser");
    Add("Preview2", "Preview in Browser &1", QK(Qt::CTRL | Qt::Key_F9));
    Add("Preview3", "Preview in Browser &2", QK(Qt::CTRL | Qt::SHIFT | Qt::Key_F9));
    Add("MainTb1", "&Main Toolbar");
    Add("QuickTab1", "&QuickBar");
    Add("PathQuicktab1", "Explorer &Path Bar");
    Add("StatusBar1", "&Status Bar");
    Add("BrowserToolbar1", "&Browser Toolbar");
    Add("PageControl1MultiLine1", "&Multi-line Tabs");
    Add("ExploreWin1", "&Explorer Bar");
    Add("TagParams1", "&Tag Parameters");
    // Document
    Add("TagAssistent1", "Tag &Assistant...", QK(Qt::CTRL | Qt::SHIFT | Qt::Key_A), "tools-wizard");
    Add("BodyAssistant1", "&Body Assistant...", {}, {}, "Edit the attributes of the page's body tag");
    Add("QuickStart1", "&Quick Start...", {}, {}, "Complete the head and frame of the page");
    Add("SyntaxCheck1", "&Syntax Check", QK(Qt::SHIFT | Qt::Key_F6), "tools-check-spelling");
    Add("LinkCheckerlocal1", "&Link Check (local)", QK(Qt::SHIFT | Qt::Key_F7), "link");
    Add("ReplaceSlashes1", "Backslashes to S&lashes");
    Add("UpperCaseTags1", "Tags to &Upper Case", {}, "format-text-uppercase");
    Add("LowerCaseTags1", "Tags to L&ower Case", {}, "format-text-lowercase");
    Add("AlleTagsentfernen1", "&Remove all Tags");
    Add("Chars2Entities1", "Characters to &Entities", QK(Qt::CTRL | Qt::SHIFT | Qt::Key_X));
    Add("Entities2Chars1", "Entities to &Characters", QK(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    Add("TagSelect1", "Select &Tag", QK(Qt::CTRL | Qt::SHIFT | Qt::Key_T), "edit-select");
    Add("Dokument2", "Document &Weight...", QK(Qt::CTRL | Qt::Key_W), "document-properties");
    Add("SpellCheck1", "Spe&ll Check...", {}, "tools-check-spelling");
    // Tools
    Add("Text2HtmlKonverter1", "&Text to HTML Converter...");
    Add("JavaApplets1", "Java Applets...");
    // Project
    Add("New2", "&New Project...", QK(Qt::CTRL | Qt::SHIFT | Qt::Key_N), "project-development-new-template");
    Add("Add1", "&Add File...", {}, "list-add");
    Add("Delete2", "&Remove File", {}, "list-remove");
    Add("ProjectOptions1", "Project &Options ...");
    Add("Infomation1", "&Infomation...");
    Add("Upload1", "&Upload...");
    // Options
    Add("Einstellungen1", "&Preferences...", QK(Qt::Key_F10), "configure");
    Add("Properties1", "&General Properties...", QK(Qt::CTRL | Qt::Key_F2));
    Add("EditorProperties1", "&Editor Properties...", QK(Qt::SHIFT | Qt::Key_F2));
    Add("Browser1", "&Browser Settings...");
    Add("Resettodefaults1", "&Reset to defaults", {}, "edit-reset");
    // Help
    Add("HTMLDocumentation1", "&HTML Reference", QK(Qt::Key_F4), "help-contents");
    Add("Help1", "&Help", QK(Qt::Key_F1), "help-contextual");
    Add("WebValidator1", "W3C Markup &Validator on the Web", {}, "internet-web-browser");
    Add("WebMDN1", "&MDN Web Docs on the Web", {}, "internet-web-browser");
    Add("About1", "&About TagForge...", {}, "help-about");
    // Toolbar-only commands
    Add("SendMail1", "Send by &Mail", {}, "mail-send", "Send the document by mail");
    Add("btnPreview", "Preview", {}, "view-refresh", "Refresh the preview");
    Add("ImageBrowser1", "&Image Browser", {}, "image-x-generic", "Image browser");

    for (int i = 0; i < int(TActionId::Count); ++i) {
        m_table[size_t(i)] = m_byName.value(QLatin1String(ActionName(TActionId(i))));
        Q_ASSERT_X(m_table[size_t(i)], "TActionCatalog", ActionName(TActionId(i)));
    }
    Q_ASSERT(m_byName.size() == int(TActionId::Count));
}

QAction *TActionCatalog::Add(const QString &name, const QString &caption, const QKeySequence &shortcut,
                             const QString &icon, const QString &hint)
{
    auto *action = new QAction(caption, parent());
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
                                          : tip + QStringLiteral(" (") + shortcut.toString(QKeySequence::NativeText)
                                                + QLatin1Char(')'));
    // Commands are enabled once they are built; until then they show but do nothing.
    action->setEnabled(false);
    m_byName.insert(name, action);
    return action;
}

bool TActionCatalog::ClaimsKey(QKeyCombination key, const QMenuBar *menuBar) const
{
    if (m_claimedKeys.isEmpty()) {
        for (const QAction *action : m_byName) {
            for (const QKeySequence &shortcut : action->shortcuts())
                if (!shortcut.isEmpty())
                    m_claimedKeys.insert(shortcut[0].toCombined());
        }
        // Alt plus the underlined letter of a menu-bar title opens that menu.
        for (const QAction *title : menuBar->actions()) {
            const QKeySequence mnemonic = QKeySequence::mnemonic(title->text());
            if (!mnemonic.isEmpty())
                m_claimedKeys.insert(mnemonic[0].toCombined());
        }
    }
    return m_claimedKeys.contains(key.toCombined());
}
