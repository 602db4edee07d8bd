// The preferences and image tools' commands, registered with the window through TCommandHost.
#pragma once

#include <QObject>

#include <functional>

class TCommandHost;
class TfrmAbout;

class TPrefsCommands : public QObject
{
    Q_OBJECT
public:
    TPrefsCommands(TCommandHost &host, QObject *parent);

    // Help > About: the about window, modal, freed when it closes.
    void About1Click();
    // Shows the about window; modal by default, tests look at it instead.
    std::function<void(TfrmAbout &dialog)> ShowAbout;

private:
    TCommandHost &m_host;
};
