// The Options menu's dialog commands and the editor colours, registered with the window
// through TCommandHost.
#include "prefs/ui/optionscommands.h"

#include "platform/qt/commandhost.h"
#include "prefs/ui/colorspage.h"
#include "prefs/ui/editorcolors.h"
#include "prefs/ui/options.h"

#include <QFileInfo>
#include <QMessageBox>

TOptionsCommands::TOptionsCommands(TCommandHost &host, QObject *parent)
    : QObject(parent), m_host(host), m_colors(new TEditorColors(host, this))
{
    m_host.BindCommand(QStringLiteral("Einstellungen1"), [this] { ShowOptions(TfrmOptions::tabAll); });
    m_host.BindCommand(QStringLiteral("Properties1"), [this] { ShowOptions(TfrmOptions::tabGeneral); });
    m_host.BindCommand(QStringLiteral("EditorProperties1"), [this] { ShowOptions(TfrmOptions::tabEditor); });
    m_host.BindCommand(QStringLiteral("Browser1"), [this] { ShowOptions(TfrmOptions::tabBrowser); });
}

void TOptionsCommands::ShowOptions(int tab)
{
    TfrmOptions dialog({m_host.CurrentPreferences(), m_host.ToolbarsShown()}, m_host.HostWindow());
    dialog.SetTab(tab);
    dialog.OnApply = [this](const TOptionValues &values) {
        // The colour flag belongs to the Colors page, which may have changed it meanwhile.
        TPreferences prefs = values.Preferences;
        prefs.Settings.UserColors = m_host.CurrentPreferences().Settings.UserColors;
        m_host.ApplyPreferences(prefs, values.Toolbars);
    };
    dialog.OnColors = [this] { m_host.RunGuarded([this] { ShowColors(); }); };
    dialog.ShowMessage = [this](const QString &text) {
        m_host.ShowMessage(QMessageBox::Warning, QStringLiteral("TagForge Options"), text);
    };
    dialog.ChooseFile = [this](const QString &filter, const QString &start) {
        // The node's own filter comes first, so the dialog starts with it.
        QStringList filters = TOptionTree::FileFilters();
        filters.removeAll(filter);
        filters.prepend(filter);
        // It opens where the file named so far is; "Not defined yet" names no folder.
        const QFileInfo current(start);
        return m_host.ChooseOpenFile(QStringLiteral("Choose File"), filters.join(QStringLiteral(";;")),
                                     current.exists() ? current.absolutePath() : QString());
    };
    if (OnOptionsShown)
        OnOptionsShown(dialog);
    // A dialog accepted without its OK button (as tests may) still applies, as OK does.
    if (m_host.ExecDialog(dialog) == QDialog::Accepted && !dialog.OkPressed())
        dialog.btnApplyClick();
}

void TOptionsCommands::ShowColors()
{
    TfrmColors dialog(m_colors->Current(), m_host.HostWindow());
    if (OnColorsShown)
        OnColorsShown(dialog);
    const int result = m_host.ExecDialog(dialog);
    if (result == TfrmColors::UseColors)
        m_colors->UseUserColors(dialog.Colors());
    else if (result == TfrmColors::UseDesktopScheme)
        m_colors->FollowDesktop();
}
