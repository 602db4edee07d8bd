// The user's preferences as plain values, with the ranges every reader and editor of them keeps.
#include "platform/core/preferences.h"

namespace Preferences {

namespace {

void ClampOne(QStringList &messages, const char *label, qint32 &value, TRange range)
{
    const int clamped = range.Clamp(value);
    if (clamped == value)
        return;
    messages << QStringLiteral("%1: %2 is outside %3 to %4; %5 is used instead.")
                    .arg(QLatin1String(label))
                    .arg(value)
                    .arg(range.Min)
                    .arg(range.Max)
                    .arg(clamped);
    value = clamped;
}

} // namespace

QStringList Clamp(TPreferences &prefs)
{
    QStringList messages;
    TSettings &s = prefs.Settings;
    ClampOne(messages, "Automatic refresh every X seconds", prefs.UpdateSecs, kSecondsRange);
    ClampOne(messages, "Auto Save every X seconds", prefs.SaveSecs, kSecondsRange);
    ClampOne(messages, "Max. number of \"Undos\"", s.MaxUndo, kMaxUndoRange);
    ClampOne(messages, "Tag Insight popup time-out (ms)", s.TagInsightTimeOut, kTagInsightTimeOutRange);
    ClampOne(messages, "Tab Width", s.TabWidth, kTabWidthRange);
    if (s.FileType > 2) {
        messages << QStringLiteral("File Format: %1 is no known format; Unix is used instead.").arg(s.FileType);
        s.FileType = 1;
    }
    return messages;
}

} // namespace Preferences
