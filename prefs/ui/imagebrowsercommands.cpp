// Showing, hiding and filling the image browser.
#include "prefs/ui/imagebrowsercommands.h"

#include "platform/qt/commandhost.h"
#include "prefs/ui/imagebrowser.h"

#include <QAction>
#include <QMainWindow>

TImageBrowserCommands::TImageBrowserCommands(TCommandHost &host, QObject *parent) : QObject(parent), m_host(host)
{
    m_action = m_host.BindCommand(QStringLiteral("ImageBrowser1"), [this] { Toggle(); });
    if (m_action)
        m_action->setCheckable(true);
}

void TImageBrowserCommands::Toggle()
{
    if (m_browser && !m_browser->isHidden()) {
        m_browser->hide();
        SetPressed(false);
        return;
    }
    QWidget *window = m_host.HostWindow();
    if (!m_browser) {
        m_browser = new TfrmImgBrowser(m_host, window);
        // Closed by its own button: both buttons come up again.
        connect(m_browser, &QDockWidget::visibilityChanged, this, [this] {
            if (m_browser && m_browser->isHidden())
                SetPressed(false);
        });
    }
    m_browser->Clear();
    // Docked at the window's left edge, the window's other parts give it room; floating where
    // the host is no main window.
    if (auto *main = qobject_cast<QMainWindow *>(window)) {
        if (main->dockWidgetArea(m_browser) == Qt::NoDockWidgetArea)
            main->addDockWidget(Qt::LeftDockWidgetArea, m_browser);
    } else {
        m_browser->setFloating(true);
    }
    m_browser->show();
    m_browser->raise();
    SetPressed(true);
    if (SelectedFolder)
        m_browser->Fill(SelectedFolder());
}

void TImageBrowserCommands::FolderChanged(const QString &folder)
{
    if (m_browser && !m_browser->isHidden())
        m_browser->Fill(folder);
}

void TImageBrowserCommands::SetPressed(bool shown)
{
    if (m_action)
        m_action->setChecked(shown);
    if (ShowPressed)
        ShowPressed(shown);
}
