// The user's preferences as plain values, with the ranges every reader and editor of them keeps.
#pragma once

#include <QString>
#include <QStringList>

// The preference record of the main window.
struct TSettings
{
    quint8 FileType = 1;
    QString HomepageRef;
    QString eMailRef;
    QString HTMLReference;
    QString Path1;
    QString ParamStart1;
    QString ParamEnd1;
    QString Path2;
    QString ParamStart2;
    QString ParamEnd2;
    bool AutoIndent = true;
    bool ShowLineNums = true;
    bool ShowZeros = false;
    bool ShowEdge = true;
    qint32 MaxUndo = 60;
    qint32 TagInsightTimeOut = 400;
    qint32 TabWidth = 8;
    // Menus and combo boxes open with the desktop's animation.
    bool AnimateMenus = true;
    // The editor colours are the user's own (stored with the highlighter) instead of the scheme
    // that follows the desktop's light or dark mode.
    bool UserColors = false;

    bool operator==(const TSettings &) const = default;
};

// Preferences plus the two timer periods the window keeps as separate fields.
struct TPreferences
{
    TSettings Settings;
    qint32 SaveSecs = 60;
    qint32 UpdateSecs = 10;

    bool operator==(const TPreferences &) const = default;
};

// Which of the window's bars are shown; the options edit them with the preferences.
struct TToolbarsShown
{
    bool Tools = true;    // the second toolbar: search, mail, preview, tag selection
    bool Main = true;     // files, clipboard, undo, assistants, checks
    bool QuickTab = true; // the tabbed tag toolbar

    bool operator==(const TToolbarsShown &) const = default;
};

namespace Preferences {

// The allowed range of one number.
struct TRange
{
    int Min;
    int Max;
    int Clamp(int value) const { return value < Min ? Min : value > Max ? Max : value; }
};

// Seconds between preview refreshes and between backups: at least one, at most a day.
constexpr TRange kSecondsRange{1, 86400};
// The editor keeps any number of undo steps; more than this only costs memory.
constexpr TRange kMaxUndoRange{0, 100000};
constexpr TRange kTagInsightTimeOutRange{50, 10000};
constexpr TRange kTabWidthRange{1, 64};

// Brings every number into its range and the file type to 0..2; returns one message per
// value changed, naming it, what it was and what is used instead.
QStringList Clamp(TPreferences &prefs);

} // namespace Preferences
