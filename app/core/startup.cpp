// Start-up checks that run before the main window exists.
#include "app/core/startup.h"

#include "analysis/core/analysiscli.h"
#include "app/core/appsettings.h"
#include "app/core/expandcli.h"
#include "platform/core/settingsstore.h"

namespace Startup {

BrowserCheckResult CheckBrowserVersion(const TSettingsStore *machine)
{
    BrowserCheckResult result;
    if (!machine)
        return result;
    auto &store = const_cast<TSettingsStore &>(*machine);
    if (!store.OpenKey(AppSettings::kBrowserKey, false))
        return result;
    QString version;
    try {
        version = store.ReadString(QStringLiteral("Version"));
    } catch (const ERegistryException &) {
        version.clear();
    }
    store.CloseKey();
    // The whole leading number counts, so that version 10 and later are not taken for 1.
    qsizetype digits = 0;
    while (digits < version.size() && version.at(digits).isDigit())
        ++digits;
    if (digits == 0)
        return result;
    if (version.left(digits).toInt() < 4) {
        result.Passed = false;
        result.Caption = QStringLiteral("Fatal Error");
        result.Message = QStringLiteral("Error: Internet Explorer 4.0 or higher NOT installed!\r\n\r\n"
                                        "This Program will not run without Internet Explorer 4.0 or higher!\r\n"
                                        "Please download latest Version from \"https://www.qt.io/download\".");
    }
    return result;
}

QString VersionText()
{
    return QStringLiteral("TagForge " TAGFORGE_VERSION);
}

QString HelpText(const QString &programName)
{
    return QStringLiteral("Usage: %1 [FILE]\n"
                          "       %1 --check [--format=json] [--jobs=N] PATH...\n"
                          "       %1 --links [--format=json] [--jobs=N] PATH...\n"
                          "       %1 --expand FILE.htc...\n\n"
                          "TagForge, an editor for hand-written HTML. The options below run without a\n"
                          "display and load no GUI library; anything else starts the window program\n"
                          "tagforge-gui (installed in libexec). An unknown option is an error (exit 2).\n\n"
                          "  FILE              open FILE in the editor (after \"--\", names starting\n"
                          "                    with \"-\" are files too)\n")
               .arg(programName)
           + AnalysisCommandUsage() + ExpandCommandUsage()
           + QStringLiteral("  --version         print the version and exit\n"
                            "  --help            print this help and exit\n");
}

} // namespace Startup
