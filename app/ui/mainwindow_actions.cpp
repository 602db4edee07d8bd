// The main window's commands: every menu item, its caption, shortcut and toolbar button.
#include "app/ui/mainwindow.h"

#include "app/ui/actioncatalog.h"
#include "app/ui/mainmenu.h"

#include "aids/ui/quickbar.h"
#include "app/ui/explorerbar.h"
#include "app/ui/mainstatusbar.h"
#include "app/ui/multilinetabs.h"
#include "app/ui/workarea.h"
#include "app/ui/previewcontroller.h"

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

void TfrmHTMLEdit::CreateActions()
{
    m_catalog = new TActionCatalog(this);
    m_actions = m_catalog->ByName();
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
    enable("WebValidator1", [] { QDesktopServices::openUrl(QUrl(QStringLiteral("https://validator.w3.org/"))); });
    enable("WebMDN1",
           [] { QDesktopServices::openUrl(QUrl(QStringLiteral("https://developer.mozilla.org/docs/Web/HTML"))); });
    for (const char *name : {"MainTb1", "QuickTab1", "StatusBar1", "BrowserToolbar1", "ExploreWin1", "TagParams1"}) {
        QAction *a = m_actions.value(QLatin1String(name));
        a->setCheckable(true);
        a->setEnabled(true);
    }
    Action(TActionId::PathQuicktab1)->setCheckable(true);
    Action(TActionId::PageControl1MultiLine1)->setCheckable(true);
    connect(Action(TActionId::MainTb1), &QAction::triggered, this, [this](bool on) {
        m_tbMain->setVisible(on);
        m_tbMain2->setVisible(on);
    });
    connect(Action(TActionId::QuickTab1), &QAction::triggered, this, [this](bool on) { m_quickBar->setVisible(on); });
    connect(Action(TActionId::StatusBar1), &QAction::triggered, this, [this](bool on) { m_statusBar->setVisible(on); });
    connect(Action(TActionId::BrowserToolbar1), &QAction::triggered, this, [this](bool on) {
        if (QToolBar *bar = m_preview->tbrBrowser())
            bar->setVisible(on);
    });
    connect(Action(TActionId::ExploreWin1), &QAction::triggered, this, [this](bool on) { SetBarVisible(on); });
    QAction *multiLine = Action(TActionId::PageControl1MultiLine1);
    multiLine->setEnabled(true);
    connect(multiLine, &QAction::triggered, this, [this](bool on) { MultiLineTabs()->SetActive(on); });
    connect(Action(TActionId::TagParams1), &QAction::triggered, this,
            [this](bool on) { m_workArea->TagTipStrip()->setVisible(on); });
}

void TfrmHTMLEdit::CreateMenus()
{
    m_menus =
        BuildMainMenu(menuBar(), m_actions, m_quickBar ? m_quickBar->MetaTagMenu()->actions() : QList<QAction *>());
    connect(m_menus.value(QStringLiteral("Ansicht1")), &QMenu::aboutToShow, this, &TfrmHTMLEdit::UpdateViewMenuChecks);
}

void TfrmHTMLEdit::UpdateViewMenuChecks()
{
    Action(TActionId::StatusBar1)->setChecked(m_statusBar->isVisible());
    Action(TActionId::MainTb1)->setChecked(m_tbMain->isVisible());
    Action(TActionId::QuickTab1)->setChecked(m_quickBar->isVisible());
    Action(TActionId::BrowserToolbar1)->setChecked(m_preview->tbrBrowser() && m_preview->tbrBrowser()->isVisible());
    Action(TActionId::ExploreWin1)->setChecked(BarVisible());
    Action(TActionId::TagParams1)->setChecked(m_workArea->TagTipStrip()->isVisible());
    Action(TActionId::PageControl1MultiLine1)->setChecked(MultiLineTabs()->Active());
    Action(TActionId::PathQuicktab1)->setChecked(false);
}

void TfrmHTMLEdit::CreateToolbars()
{
    m_tbMain = addToolBar(QStringLiteral("Main Toolbar"));
    m_tbMain->setObjectName(QStringLiteral("tbMain"));
    m_tbMain->setIconSize(QSize(22, 22));
    for (const char *name : {"New1", "Open1", "Save1", "SaveAll1", "CloseAll1", "", "Copy1", "Paste1", "Cut1", "",
                             "Undo1", "Redo1", "", "TagAssistent1", "SyntaxCheck1", "LinkCheckerlocal1", "Dokument2"}) {
        if (!*name)
            m_tbMain->addSeparator();
        else
            m_tbMain->addAction(m_actions.value(QLatin1String(name)));
    }

    m_tbMain2 = addToolBar(QStringLiteral("Toolbar"));
    m_tbMain2->setObjectName(QStringLiteral("tbMain2"));
    m_tbMain2->setIconSize(QSize(22, 22));
    for (const char *name :
         {"Find1", "FindNext1", "Replace1", "", "SendMail1", "btnPreview", "Repeat1", "TagSelect1", "ImageBrowser1"}) {
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

QAction *TfrmHTMLEdit::Action(TActionId id) const
{
    return m_catalog->Action(id);
}

bool TfrmHTMLEdit::ClaimsKey(QKeyCombination key) const
{
    return m_catalog->ClaimsKey(key, menuBar());
}
