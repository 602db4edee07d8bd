// Preferences, window layout and stored lists: reading them at start-up, writing them at exit.
#include "app/core/appsettings.h"

#include "platform/core/settingsstore.h"

#include <QFile>
#include <QFileInfo>

namespace AppSettings {

const QString kRootKey = QStringLiteral("Software\\Quillworks\\TagForge");
const QString kSettingsKey = kRootKey + QStringLiteral("\\Settings");
const QString kBrowserKey = QStringLiteral("Software\\Microsoft\\Internet Explorer");

QString FirstRunCaption()
{
    return QStringLiteral("Error Loading Settings...");
}

QString FirstRunText()
{
    return QStringLiteral("This should be your first run!\rCould not load settings. If this is not "
                          "your first run, your settings have been destroyed.\r\rLoading Default "
                          "Settings...");
}

QString DamagedCopyText(const QString &copy)
{
    return QStringLiteral("The settings file that could not be read was kept as ") + copy
           + QStringLiteral(". The defaults are written over the original when TagForge ends.");
}

QString KeepDamagedCopy(const QString &file, const QDateTime &now)
{
    const QFileInfo info(file);
    if (!info.isFile() || info.size() == 0)
        return QString();
    const QString base = file + QStringLiteral(".damaged-") + now.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString copy = base;
    for (int n = 2; QFileInfo::exists(copy); ++n)
        copy = base + QStringLiteral("-%1").arg(n);
    return QFile::copy(file, copy) ? copy : QString();
}

void ApplyDefaults(TPreferences &prefs)
{
    const QString notDefined = QStringLiteral("not defined yet");
    TSettings &s = prefs.Settings;
    s.HomepageRef = notDefined;
    s.eMailRef = notDefined;
    // Linux documents use LF line breaks unless the user picks another style.
    s.FileType = 1;
    s.HTMLReference = notDefined;
    prefs.SaveSecs = 60;
    prefs.UpdateSecs = 10;
    s.AutoIndent = true;
    s.ShowLineNums = true;
    s.ShowZeros = false;
    s.ShowEdge = true;
    s.MaxUndo = 60;
    s.TagInsightTimeOut = 400;
    s.TabWidth = 8;
    s.AnimateMenus = true;
    s.Path1 = QStringLiteral("Not defined yet");
    s.Path2 = QStringLiteral("Not defined yet");
    s.ParamStart1 = QStringLiteral("\"file://");
    s.ParamStart2 = s.ParamStart1;
    s.ParamEnd1 = QStringLiteral("\"");
    s.ParamEnd2 = s.ParamEnd1;
}

TPreferences DefaultPreferences()
{
    TPreferences prefs;
    ApplyDefaults(prefs);
    return prefs;
}

static QString ListKey(const QString &listName)
{
    return kRootKey + QLatin1Char('\\') + listName;
}

bool LoadRegList(TSettingsStore &store, QStringList &target, const QString &listName, const StatusSink &status)
{
    bool ok = false;
    try {
        if (store.OpenKey(ListKey(listName), false)) {
            const int count = store.ReadInteger(QStringLiteral("Count"));
            for (int i = 0; i < count; ++i) {
                if (!store.ValueExists(QString::number(i)))
                    throw ERegistryException(QStringLiteral("missing line"));
                target.append(store.ReadString(QString::number(i)));
            }
            ok = true;
        }
    } catch (const ERegistryException &) {
        ok = false;
    }
    store.CloseKey();
    if (!ok && status)
        status(QStringLiteral("Failed to get Contents of ") + listName + QStringLiteral(". Should be your 1st Run!"));
    return ok;
}

void SaveRegList(TSettingsStore &store, const QStringList &source, const QString &listName)
{
    store.OpenKey(ListKey(listName), true);
    for (int i = 0; i < source.size(); ++i)
        store.WriteString(QString::number(i), source.at(i));
    store.WriteInteger(QStringLiteral("Count"), int(source.size()));
    store.CloseKey();
}

namespace {

// Reads the settings key in its stored order. Preference failures stop the preference part;
// layout values are read independently so that a damaged key does not also lose the window.
class SettingsReader
{
public:
    SettingsReader(TSettingsStore &store, TLoadedSettings &out) : m_store(store), m_out(out) {}

    void Run()
    {
        TPreferences prefs;
        TSettings &s = prefs.Settings;
        bool prefsOk = true;
        auto str = [&](const char *name, QString &field) {
            if (prefsOk)
                prefsOk = Try([&] { field = m_store.ReadString(QLatin1String(name)); });
        };
        auto num = [&](const char *name, qint32 &field) {
            if (prefsOk)
                prefsOk = Try([&] { field = m_store.ReadInteger(QLatin1String(name)); });
        };
        auto flag = [&](const char *name, bool &field) {
            if (prefsOk)
                prefsOk = Try([&] { field = m_store.ReadBool(QLatin1String(name)); });
        };

        str("HomepageRef", s.HomepageRef);
        str("eMailRef", s.eMailRef);
        qint32 fileType = 0;
        num("FileType", fileType);
        // Anything but 0..2 is reported and replaced when the preferences are clamped.
        s.FileType = quint8(fileType >= 0 && fileType <= 2 ? fileType : 255);
        str("HTMLReference", s.HTMLReference);
        num("SaveSecs", prefs.SaveSecs);
        num("UpdateSecs", prefs.UpdateSecs);
        flag("AutoIndent", s.AutoIndent);
        flag("ShowLineNums", s.ShowLineNums);
        flag("ShowZeros", s.ShowZeros);
        flag("ShowEdge", s.ShowEdge);
        num("MaxUndo", s.MaxUndo);
        num("TagInsightTimeOut", s.TagInsightTimeOut);
        num("TabWidth", s.TabWidth);
        str("Path1", s.Path1);
        str("Path2", s.Path2);
        str("ParamStart1", s.ParamStart1);
        str("ParamStart2", s.ParamStart2);
        str("ParamEnd1", s.ParamEnd1);
        str("ParamEnd2", s.ParamEnd2);
        // Values this version added: a file written before them is no damaged file.
        OptionalFlag("AnimateMenus", s.AnimateMenus);
        OptionalFlag("UserColors", s.UserColors);

        TWindowLayout &l = m_out.Layout;
        bool layoutOk = true;
        layoutOk &= ReadInt("FormTop", l.FormTop);
        layoutOk &= ReadInt("FormLeft", l.FormLeft);
        layoutOk &= ReadInt("FormHeight", l.FormHeight);
        layoutOk &= ReadInt("FormWidth", l.FormWidth);
        layoutOk &= ReadInt("FormState", l.FormState);
        layoutOk &= ReadInt("BarWidth", l.BarWidth);
        layoutOk &= ReadInt("BarAlign", l.BarAlign);
        layoutOk &= ReadFlag("BarVisible", l.BarVisible);
        layoutOk &= ReadFlag("IEPrevVisible", l.IEPrevVisible);
        layoutOk &= ReadInt("IEPrevOrientation", l.IEPrevOrientation);
        layoutOk &= ReadFlag("IEPrevSwapped", l.IEPrevSwapped);
        layoutOk &= ReadInt("IEPrevPosition", l.IEPrevPosition);
        QString project;
        if (Try([&] { project = m_store.ReadString(QStringLiteral("Project")); }))
            l.Project = project;
        else
            layoutOk = false;

        if (prefsOk && layoutOk) {
            m_out.Clamped = Preferences::Clamp(prefs);
            m_out.Preferences = prefs;
        } else {
            m_out.FirstRun = true;
            ApplyDefaults(m_out.Preferences);
        }
    }

private:
    template <typename F>
    static bool Try(F &&read)
    {
        try {
            read();
            return true;
        } catch (const ERegistryException &) {
            return false;
        }
    }

    bool ReadInt(const char *name, std::optional<int> &field)
    {
        return Try([&] { field = m_store.ReadInteger(QLatin1String(name)); });
    }

    void OptionalFlag(const char *name, bool &field)
    {
        if (m_store.ValueExists(QLatin1String(name)))
            Try([&] { field = m_store.ReadBool(QLatin1String(name)); });
    }

    bool ReadFlag(const char *name, std::optional<bool> &field)
    {
        return Try([&] { field = m_store.ReadBool(QLatin1String(name)); });
    }

    TSettingsStore &m_store;
    TLoadedSettings &m_out;
};

} // namespace

TLoadedSettings LoadSettings(TSettingsStore &user, const TSettingsStore *machine, const StatusSink &status)
{
    TLoadedSettings out;

    QStringList notes;
    LoadRegList(user, notes, QStringLiteral("Notes"), status);
    out.Notes = notes;
    QStringList tasks;
    LoadRegList(user, tasks, QStringLiteral("Tasks"), status);
    // Three lines per task; a truncated last task keeps what it has instead of reading
    // past the end of the list.
    for (int i = 0; i < tasks.size() - 1; i += 3)
        out.Tasks.append({tasks.value(i), tasks.value(i + 1), tasks.value(i + 2)});

    if (machine) {
        auto &m = const_cast<TSettingsStore &>(*machine);
        if (m.OpenKey(kBrowserKey, false)) {
            QString version;
            try {
                version = m.ReadString(QStringLiteral("Version"));
            } catch (const ERegistryException &) {
            }
            out.HideWinRes = !version.startsWith(QLatin1Char('5'));
            m.CloseKey();
        }
    }

    const bool keyFound = user.OpenKey(kSettingsKey, false);
    if (keyFound) {
        SettingsReader(user, out).Run();
        user.CloseKey();
    } else {
        out.FirstRun = true;
        ApplyDefaults(out.Preferences);
    }
    // Whatever made it unreadable, the user's file is kept before the exit writes defaults over it.
    if (out.FirstRun) {
        out.DamagedCopy = KeepDamagedCopy(user.FileName(), QDateTime::currentDateTime());
        // A file without the settings key is no settings file (it may not even parse, and the
        // store would then report every save as failed): once it is kept, the store starts from
        // nothing. A file with the key keeps what it holds, values of newer versions included.
        if (!out.DamagedCopy.isEmpty() && !keyFound)
            user.StartAfresh();
    }
    return out;
}

void SaveSettings(TSettingsStore &user, const TSavedState &state)
{
    QStringList tasks;
    for (const TTaskEntry &t : state.Tasks)
        tasks << t.Text << t.Detail1 << t.Detail2;
    SaveRegList(user, state.Notes, QStringLiteral("Notes"));
    SaveRegList(user, tasks, QStringLiteral("Tasks"));

    const TSettings &s = state.Preferences.Settings;
    user.OpenKey(kSettingsKey, true);
    user.WriteString(QStringLiteral("HomepageRef"), s.HomepageRef);
    user.WriteString(QStringLiteral("eMailRef"), s.eMailRef);
    user.WriteInteger(QStringLiteral("FileType"), s.FileType);
    user.WriteString(QStringLiteral("HTMLReference"), s.HTMLReference);
    user.WriteInteger(QStringLiteral("SaveSecs"), state.Preferences.SaveSecs);
    user.WriteInteger(QStringLiteral("UpdateSecs"), state.Preferences.UpdateSecs);
    user.WriteBool(QStringLiteral("AutoIndent"), s.AutoIndent);
    user.WriteBool(QStringLiteral("ShowLineNums"), s.ShowLineNums);
    user.WriteBool(QStringLiteral("ShowZeros"), s.ShowZeros);
    user.WriteBool(QStringLiteral("ShowEdge"), s.ShowEdge);
    user.WriteInteger(QStringLiteral("MaxUndo"), s.MaxUndo);
    user.WriteInteger(QStringLiteral("TagInsightTimeOut"), s.TagInsightTimeOut);
    user.WriteInteger(QStringLiteral("TabWidth"), s.TabWidth);
    user.WriteString(QStringLiteral("Path1"), s.Path1);
    user.WriteString(QStringLiteral("Path2"), s.Path2);
    user.WriteString(QStringLiteral("ParamStart1"), s.ParamStart1);
    user.WriteString(QStringLiteral("ParamStart2"), s.ParamStart2);
    user.WriteString(QStringLiteral("ParamEnd1"), s.ParamEnd1);
    user.WriteString(QStringLiteral("ParamEnd2"), s.ParamEnd2);
    user.WriteBool(QStringLiteral("AnimateMenus"), s.AnimateMenus);
    user.WriteBool(QStringLiteral("UserColors"), s.UserColors);
    user.WriteInteger(QStringLiteral("FormTop"), state.FormTop);
    user.WriteInteger(QStringLiteral("FormLeft"), state.FormLeft);
    user.WriteInteger(QStringLiteral("FormHeight"), state.FormHeight);
    user.WriteInteger(QStringLiteral("FormWidth"), state.FormWidth);
    user.WriteInteger(QStringLiteral("FormState"), state.FormState);
    user.WriteInteger(QStringLiteral("BarWidth"), state.BarWidth);
    user.WriteInteger(QStringLiteral("BarAlign"), state.BarAlign);
    user.WriteBool(QStringLiteral("BarVisible"), state.BarVisible);
    user.WriteBool(QStringLiteral("IEPrevVisible"), state.HaveBrowser && state.IEPrevVisible);
    user.WriteInteger(QStringLiteral("IEPrevOrientation"), state.HaveBrowser ? state.IEPrevOrientation : 0);
    user.WriteBool(QStringLiteral("IEPrevSwapped"), state.HaveBrowser && state.IEPrevSwapped);
    user.WriteInteger(QStringLiteral("IEPrevPosition"), state.IEPrevPosition);
    user.WriteString(QStringLiteral("Project"), state.Project);
    user.CloseKey();
    user.Flush();
}

} // namespace AppSettings
