// Preferences, window layout and stored lists: reading them at start-up, writing them at exit.
#pragma once

#include "platform/core/preferences.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class TSettingsStore;

// Window layout values; on reading, only those that were read successfully are set.
struct TWindowLayout
{
    std::optional<int> FormTop, FormLeft, FormHeight, FormWidth, FormState;
    std::optional<int> BarWidth, BarAlign;
    std::optional<bool> BarVisible, IEPrevVisible;
    std::optional<int> IEPrevOrientation;
    std::optional<bool> IEPrevSwapped;
    std::optional<int> IEPrevPosition;
    std::optional<QString> Project;
};

struct TTaskEntry
{
    QString Text;
    QString Detail1;
    QString Detail2;
    bool operator==(const TTaskEntry &) const = default;
};

// Everything read at start-up.
struct TLoadedSettings
{
    TPreferences Preferences;
    TWindowLayout Layout;
    QStringList Notes;
    QList<TTaskEntry> Tasks;
    bool FirstRun = false;   // the settings key was missing or damaged: defaults apply
    bool HideWinRes = false; // browser version key present but not "5..."
    // One message per stored number that was out of range and has been brought into it.
    QStringList Clamped;
    // Where a settings file that could not be read was copied before the defaults replace it;
    // empty when there was no such file (a real first run).
    QString DamagedCopy;
};

// What the window hands over at exit.
struct TSavedState
{
    TPreferences Preferences;
    int FormTop = 0, FormLeft = 0, FormHeight = 0, FormWidth = 0, FormState = 0;
    int BarWidth = 0, BarAlign = 3;
    bool BarVisible = true;
    bool HaveBrowser = true;
    bool IEPrevVisible = false;
    int IEPrevOrientation = 0;
    bool IEPrevSwapped = false;
    int IEPrevPosition = 0;
    QString Project;
    QStringList Notes;
    QList<TTaskEntry> Tasks;
};

namespace AppSettings {

extern const QString kRootKey;     // "Software\Quillworks\TagForge"
extern const QString kSettingsKey; // kRootKey + "\Settings"
extern const QString kBrowserKey;  // the machine-wide browser version key

using StatusSink = std::function<void(const QString &)>;

// The first-run message box's caption and text.
QString FirstRunCaption();
QString FirstRunText();
// The message that names the copy of a damaged settings file.
QString DamagedCopyText(const QString &copy);

// Copies a settings file that exists and is not empty to a dated name beside it
// ("TagForge.conf.damaged-20261208-043000"); the copy's path, empty when nothing was copied.
QString KeepDamagedCopy(const QString &file, const QDateTime &now);

void ApplyDefaults(TPreferences &prefs);
TPreferences DefaultPreferences();

// Appends the list's lines to target; on failure reports to status and keeps what was read.
bool LoadRegList(TSettingsStore &store, QStringList &target, const QString &listName, const StatusSink &status = {});
void SaveRegList(TSettingsStore &store, const QStringList &source, const QString &listName);

// machine may be null (no machine-wide store).
TLoadedSettings LoadSettings(TSettingsStore &user, const TSettingsStore *machine, const StatusSink &status = {});
void SaveSettings(TSettingsStore &user, const TSavedState &state);

} // namespace AppSettings
