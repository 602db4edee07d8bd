// Start-up checks that run before the main window exists.
#pragma once

#include <QString>

class TSettingsStore;

namespace Startup {

// Exit code the program ends with when the browser check fails.
constexpr int kStopCodeOldBrowser = 101;

struct BrowserCheckResult
{
    bool Passed = true;
    QString Caption; // set when the check failed
    QString Message;
};

// Reads the machine-wide browser version; a missing key, or a version that does not start
// with a digit, passes. A version below 4 fails with the fatal message.
BrowserCheckResult CheckBrowserVersion(const TSettingsStore *machine);

// Text for --help and the version string for --version.
QString VersionText();
QString HelpText(const QString &programName);

} // namespace Startup
