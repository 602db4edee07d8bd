// The Options menu's dialog commands and the editor colours, registered with the window
// through TCommandHost.
#pragma once

#include <QObject>

#include <functional>

class TCommandHost;
class TEditorColors;
class TfrmColors;
class TfrmOptions;

class TOptionsCommands : public QObject
{
    Q_OBJECT
public:
    TOptionsCommands(TCommandHost &host, QObject *parent);

    // Opens the options on a tab (TfrmOptions::TTab).
    void ShowOptions(int tab);
    // The Colors page; its result goes to every editor and the store.
    void ShowColors();
    TEditorColors *Colors() const { return m_colors; }

    // Called with each options dialog before it runs; tests look at it.
    std::function<void(TfrmOptions &dialog)> OnOptionsShown;
    std::function<void(TfrmColors &dialog)> OnColorsShown;

private:
    TCommandHost &m_host;
    TEditorColors *m_colors;
};
