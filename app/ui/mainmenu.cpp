// The main menu: which commands each menu holds, in order, with its submenus.
#include "app/ui/mainmenu.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>

QHash<QString, QMenu *> BuildMainMenu(QMenuBar *bar, const QHash<QString, QAction *> &actions,
                                      const QList<QAction *> &metaTags)
{
    QHash<QString, QMenu *> menus;
    auto menu = [&](const char *name, const QString &caption) {
        QMenu *m = bar->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        menus.insert(QLatin1String(name), m);
        return m;
    };
    auto add = [&](QMenu *m, std::initializer_list<const char *> names) {
        for (const char *n : names) {
            if (!*n)
                m->addSeparator();
            else
                m->addAction(actions.value(QLatin1String(n)));
        }
    };
    auto submenu = [&](QMenu *parent, const char *name, const QString &caption) {
        QMenu *m = parent->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        menus.insert(QLatin1String(name), m);
        return m;
    };

    QMenu *file = menu("File2", QStringLiteral("&File"));
    add(file, {"New1", "Open1"});
    QMenu *reopen = submenu(file, "Reopen1", QStringLiteral("&Reopen"));
    reopen->setIcon(QIcon::fromTheme(QStringLiteral("document-open-recent")));
    reopen->setEnabled(false);
    add(file, {"", "Close1", "CloseAll1", "", "Save1", "SaveAs1", "SaveAll1", "", "Print1", "PrinterSetup1", "",
               "Backup1", "", "Exit1"});

    QMenu *edit = menu("File1", QStringLiteral("&Edit"));
    add(edit, {"Undo1", "Redo1", "Repeat1", "", "Copy1", "Cut1", "Paste1", "Delete1", "DeleteLine1", "", "Indent1",
               "Unindent1", "", "GotoLine1", "GotoChar1", "", "SelectAll1"});

    QMenu *insert = menu("HTMLTags1", QStringLiteral("&Insert"));
    add(insert, {"Hyperlink1", "EigeneHomepageAdresse1", "EigeneeMailAdresse1", "HexadecimalColor1", "BRTag1", "",
                 "CurrDate1", "CurrTime1"});
    QMenu *dateTime = submenu(insert, "CurrentDateTime1", QStringLiteral("&Current Date, current Time"));
    add(dateTime, {"AutoDateRefresh1", "", "TextDatum1", "LastUpdateDate1", "CreatedDate1"});
    insert->addSeparator();
    QMenu *meta = submenu(insert, "MetaTags1", QStringLiteral("&Meta Tags"));
    meta->addActions(metaTags);
    meta->setEnabled(false);
    add(insert, {"", "TableWizard1", "", "InsertText1", "Template1", "MinimalenHTMLRumpf1"});

    QMenu *search = menu("Suchen1", QStringLiteral("&Search"));
    add(search, {"Find1", "FindNext1", "Replace1"});

    QMenu *view = menu("Ansicht1", QStringLiteral("&View"));
    add(view, {"Preview1", "Preview2", "Preview3", "", "MainTb1", "QuickTab1", "PathQuicktab1", "StatusBar1",
               "BrowserToolbar1", "PageControl1MultiLine1", "", "ExploreWin1", "TagParams1"});

    QMenu *document = menu("Dokument1", QStringLiteral("&Document"));
    add(document, {"TagAssistent1", "BodyAssistant1", "QuickStart1", "", "SyntaxCheck1", "LinkCheckerlocal1", "",
                   "ReplaceSlashes1", "UpperCaseTags1", "LowerCaseTags1", "AlleTagsentfernen1", "Chars2Entities1",
                   "Entities2Chars1", "", "TagSelect1", "Dokument2", "", "SpellCheck1"});

    QMenu *tools = menu("Tools1", QStringLiteral("&Tools"));
    add(tools, {"Text2HtmlKonverter1", "JavaApplets1", ""});
    submenu(tools, "MainUserTools1", QStringLiteral("&User Tools"));

    QMenu *project = menu("Projekt1", QStringLiteral("&Project"));
    add(project, {"New2", "Add1", "Delete2", "", "ProjectOptions1", "Infomation1", "Upload1"});
    for (const char *hidden : {"ProjectOptions1", "Infomation1", "Upload1"})
        actions.value(QLatin1String(hidden))->setVisible(false);

    QMenu *options = menu("Options1", QStringLiteral("&Options"));
    add(options, {"Einstellungen1", "Properties1", "EditorProperties1", "Browser1", "", "Resettodefaults1"});

    QMenu *help = menu("Hilfe2", QStringLiteral("&?"));
    add(help, {"HTMLDocumentation1", "Help1", "", "WebValidator1", "WebMDN1", "", "About1"});
    return menus;
}
