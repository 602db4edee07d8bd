// The image browser command: one browser per window, shown and hidden by the toolbar action and
// the explorer's button, filled with the explorer's folder while shown.
#pragma once

#include <QObject>
#include <QPointer>

#include "prefs/ui/imagebrowser.h"

#include <functional>

class QAction;
class TCommandHost;

class TImageBrowserCommands : public QObject
{
    Q_OBJECT
public:
    TImageBrowserCommands(TCommandHost &host, QObject *parent);

    // Hidden or not created: creates it on first use, clears it, docks and shows it and fills it
    // with SelectedFolder(). Shown: hides it.
    void Toggle();
    // The explorer's folder changed: a shown browser is refilled.
    void FolderChanged(const QString &folder);
    TfrmImgBrowser *Browser() const { return m_browser; }

    std::function<QString()> SelectedFolder;
    // Called with whether the browser is shown, to press or raise the explorer's button.
    std::function<void(bool shown)> ShowPressed;

private:
    void SetPressed(bool shown);

    TCommandHost &m_host;
    QPointer<TfrmImgBrowser> m_browser;
    QAction *m_action = nullptr;
};
