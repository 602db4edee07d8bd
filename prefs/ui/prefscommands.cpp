// The preferences and image tools' commands.
#include "prefs/ui/prefscommands.h"

#include "platform/qt/commandhost.h"
#include "prefs/ui/about.h"

TPrefsCommands::TPrefsCommands(TCommandHost &host, QObject *parent) : QObject(parent), m_host(host)
{
    ShowAbout = [](TfrmAbout &dialog) { dialog.exec(); };
    m_host.BindCommand(QStringLiteral("About1"), [this] { About1Click(); });
}

void TPrefsCommands::About1Click()
{
    TfrmAbout dialog(m_host.HostWindow());
    ShowAbout(dialog);
}
