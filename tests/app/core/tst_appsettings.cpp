// Reading and writing preferences, layout and lists: first run, damaged keys, list bounds.
#include "app/core/appsettings.h"
#include "app/core/startup.h"
#include "platform/core/settingsstore.h"

#include <QTemporaryDir>
#include <QTest>

namespace {
const QString kSettings = QStringLiteral("Software\\Quillworks\\TagForge\\Settings");

TSavedState SampleState()
{
    TSavedState s;
    s.Preferences = AppSettings::DefaultPreferences();
    s.Preferences.Settings.TabWidth = 4;
    s.Preferences.Settings.HomepageRef = QStringLiteral("https://example.org/");
    s.Preferences.SaveSecs = 120;
    s.FormTop = 40;
    s.FormLeft = 50;
    s.FormHeight = 700;
    s.FormWidth = 1000;
    s.FormState = 0;
    s.BarWidth = 260;
    s.BarAlign = 4;
    s.BarVisible = false;
    s.IEPrevVisible = true;
    s.IEPrevOrientation = 1;
    s.IEPrevSwapped = true;
    s.IEPrevPosition = 333;
    s.Project = QStringLiteral("/home/u/site.tfp");
    s.Notes = {QStringLiteral("first note"), QStringLiteral("second")};
    s.Tasks = {{QStringLiteral("fix nav"), QStringLiteral("high"), QStringLiteral("today")}};
    return s;
}
} // namespace

class TestAppSettings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { m_path = m_dir.filePath(QStringLiteral("s%1.conf").arg(++m_n)); }

    void firstRunAppliesDefaultsAndSaveWritesEveryValue()
    {
        TSettingsStore store(m_path);
        QStringList statuses;
        const TLoadedSettings loaded =
            AppSettings::LoadSettings(store, nullptr, [&](const QString &m) { statuses << m; });
        QVERIFY(loaded.FirstRun);
        QCOMPARE(loaded.Preferences.Settings.TabWidth, 8);
        QCOMPARE(loaded.Preferences.Settings.FileType, quint8(1));
        QCOMPARE(loaded.Preferences.Settings.ParamStart1, QStringLiteral("\"file://"));
        QCOMPARE(loaded.Preferences.UpdateSecs, 10);
        QVERIFY(!loaded.Layout.FormTop.has_value());
        QVERIFY(statuses.contains(QStringLiteral("Failed to get Contents of Notes. Should be your 1st Run!")));

        TSavedState state;
        state.Preferences = loaded.Preferences;
        AppSettings::SaveSettings(store, state);
        QVERIFY(store.OpenKey(kSettings, false));
        for (const char *name :
             {"HomepageRef",    "eMailRef",     "FileType",   "HTMLReference", "SaveSecs",          "UpdateSecs",
              "AutoIndent",     "ShowLineNums", "ShowZeros",  "ShowEdge",      "MaxUndo",           "TagInsightTimeOut",
              "TabWidth",       "Path1",        "Path2",      "ParamStart1",   "ParamStart2",       "ParamEnd1",
              "ParamEnd2",      "FormTop",      "FormLeft",   "FormHeight",    "FormWidth",         "FormState",
              "BarWidth",       "BarAlign",     "BarVisible", "IEPrevVisible", "IEPrevOrientation", "IEPrevSwapped",
              "IEPrevPosition", "Project"})
            QVERIFY2(store.ValueExists(QLatin1String(name)), name);
    }

    void saveThenLoadRoundTrips()
    {
        TSettingsStore store(m_path);
        AppSettings::SaveSettings(store, SampleState());
        const TLoadedSettings loaded = AppSettings::LoadSettings(store, nullptr);
        QVERIFY(!loaded.FirstRun);
        QCOMPARE(loaded.Preferences.Settings.TabWidth, 4);
        QCOMPARE(loaded.Preferences.Settings.HomepageRef, QStringLiteral("https://example.org/"));
        QCOMPARE(loaded.Preferences.SaveSecs, 120);
        QCOMPARE(loaded.Layout.FormTop, std::optional<int>(40));
        QCOMPARE(loaded.Layout.FormWidth, std::optional<int>(1000));
        QCOMPARE(loaded.Layout.BarAlign, std::optional<int>(4));
        QCOMPARE(loaded.Layout.BarVisible, std::optional<bool>(false));
        QCOMPARE(loaded.Layout.IEPrevSwapped, std::optional<bool>(true));
        QCOMPARE(loaded.Layout.IEPrevPosition, std::optional<int>(333));
        QCOMPARE(loaded.Layout.Project, std::optional<QString>(QStringLiteral("/home/u/site.tfp")));
        QCOMPARE(loaded.Notes, SampleState().Notes);
        QCOMPARE(loaded.Tasks, SampleState().Tasks);
    }

    void withoutBrowserThePreviewIsStoredHidden()
    {
        TSettingsStore store(m_path);
        TSavedState state = SampleState();
        state.HaveBrowser = false;
        AppSettings::SaveSettings(store, state);
        const TLoadedSettings loaded = AppSettings::LoadSettings(store, nullptr);
        QCOMPARE(loaded.Layout.IEPrevVisible, std::optional<bool>(false));
        QCOMPARE(loaded.Layout.IEPrevOrientation, std::optional<int>(0));
        QCOMPARE(loaded.Layout.IEPrevSwapped, std::optional<bool>(false));
    }

    void storedNumbersOutOfRangeAreClamped_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("used");
        QTest::newRow("tab width 0") << "TabWidth" << 0 << 1;
        QTest::newRow("tab width 1000") << "TabWidth" << 1000 << 64;
        QTest::newRow("undo negative") << "MaxUndo" << -1 << 0;
        QTest::newRow("refresh 0 seconds") << "UpdateSecs" << 0 << 1;
        QTest::newRow("backup every -60 seconds") << "SaveSecs" << -60 << 1;
        QTest::newRow("time-out 0") << "TagInsightTimeOut" << 0 << 50;
        QTest::newRow("file type 7") << "FileType" << 7 << 1;
        QTest::newRow("file type 258 wraps to no real type") << "FileType" << 258 << 1;
        QTest::newRow("tab width in range") << "TabWidth" << 3 << 3;
    }
    void storedNumbersOutOfRangeAreClamped()
    {
        QFETCH(QString, name);
        QFETCH(int, stored);
        QFETCH(int, used);
        TSettingsStore store(m_path);
        AppSettings::SaveSettings(store, SampleState());
        store.OpenKey(kSettings, false);
        store.WriteInteger(name, stored);
        store.CloseKey();
        const TLoadedSettings loaded = AppSettings::LoadSettings(store, nullptr);
        QVERIFY(!loaded.FirstRun);
        const TPreferences &p = loaded.Preferences;
        const QHash<QString, int> values{{QStringLiteral("TabWidth"), p.Settings.TabWidth},
                                         {QStringLiteral("MaxUndo"), p.Settings.MaxUndo},
                                         {QStringLiteral("UpdateSecs"), p.UpdateSecs},
                                         {QStringLiteral("SaveSecs"), p.SaveSecs},
                                         {QStringLiteral("TagInsightTimeOut"), p.Settings.TagInsightTimeOut},
                                         {QStringLiteral("FileType"), int(p.Settings.FileType)}};
        QCOMPARE(values.value(name), used);
        QCOMPARE(loaded.Clamped.size(), stored == used ? 0 : 1);
        // The other preferences are still the stored ones.
        QCOMPARE(p.Settings.HomepageRef, QStringLiteral("https://example.org/"));
    }

    void newerVersionsKeysSurviveARoundTrip()
    {
        {
            TSettingsStore store(m_path);
            AppSettings::SaveSettings(store, SampleState());
            store.OpenKey(kSettings, false);
            store.WriteString(QStringLiteral("SpellLanguage"), QStringLiteral("en_GB"));
            store.WriteInteger(QStringLiteral("MinimapWidth"), 120);
            store.OpenKey(QStringLiteral("Software\\Quillworks\\TagForge\\Snippets"), true);
            store.WriteString(QStringLiteral("0"), QStringLiteral("<br>"));
            store.CloseKey();
            QVERIFY(store.Flush());
        }
        TSettingsStore store(m_path);
        const TLoadedSettings loaded = AppSettings::LoadSettings(store, nullptr);
        QVERIFY(!loaded.FirstRun);
        TSavedState state = SampleState();
        state.Preferences = loaded.Preferences;
        state.Preferences.Settings.TabWidth = 2;
        AppSettings::SaveSettings(store, state);
        QVERIFY(store.Flush());

        TSettingsStore again(m_path);
        QVERIFY(again.OpenKey(kSettings, false));
        QCOMPARE(again.ReadString(QStringLiteral("SpellLanguage")), QStringLiteral("en_GB"));
        QCOMPARE(again.ReadInteger(QStringLiteral("MinimapWidth")), 120);
        QCOMPARE(again.ReadInteger(QStringLiteral("TabWidth")), 2);
        QVERIFY(again.OpenKey(QStringLiteral("Software\\Quillworks\\TagForge\\Snippets"), false));
        QCOMPARE(again.ReadString(QStringLiteral("0")), QStringLiteral("<br>"));
    }

    void valuesAddedLaterAreOptional_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("written");
        QTest::addColumn<bool>("animate");
        QTest::addColumn<bool>("userColors");
        QTest::newRow("file from before AnimateMenus") << "AnimateMenus" << false << true << true;
        QTest::newRow("file from before UserColors") << "UserColors" << false << false << false;
        QTest::newRow("both written") << QString() << true << false << true;
    }
    void valuesAddedLaterAreOptional()
    {
        QFETCH(QString, name);
        QFETCH(bool, written);
        QFETCH(bool, animate);
        QFETCH(bool, userColors);
        TSettingsStore store(m_path);
        TSavedState state = SampleState();
        state.Preferences.Settings.AnimateMenus = false;
        state.Preferences.Settings.UserColors = true;
        AppSettings::SaveSettings(store, state);
        if (!written) {
            store.OpenKey(kSettings, false);
            QVERIFY(store.DeleteValue(name));
            store.CloseKey();
        }
        const TLoadedSettings loaded = AppSettings::LoadSettings(store, nullptr);
        QVERIFY(!loaded.FirstRun);
        QCOMPARE(loaded.Preferences.Settings.AnimateMenus, animate);
        QCOMPARE(loaded.Preferences.Settings.UserColors, userColors);
    }

    void damagedKeyResetsPreferencesButKeepsLayout_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<bool>("mistype");
        QTest::newRow("TabWidth missing") << QStringLiteral("TabWidth") << false;
        QTest::newRow("SaveSecs holds a string") << QStringLiteral("SaveSecs") << true;
        QTest::newRow("AutoIndent missing") << QStringLiteral("AutoIndent") << false;
    }
    void damagedKeyResetsPreferencesButKeepsLayout()
    {
        QFETCH(QString, damage);
        QFETCH(bool, mistype);
        TSettingsStore store(m_path);
        AppSettings::SaveSettings(store, SampleState());
        store.OpenKey(kSettings, false);
        if (mistype)
            store.WriteString(damage, QStringLiteral("60"));
        else
            store.DeleteValue(damage);
        store.CloseKey();

        const TLoadedSettings loaded = AppSettings::LoadSettings(store, nullptr);
        QVERIFY(loaded.FirstRun);
        QCOMPARE(loaded.Preferences.Settings.TabWidth, 8);
        QCOMPARE(loaded.Preferences.Settings.HomepageRef, QStringLiteral("not defined yet"));
        QCOMPARE(loaded.Preferences.SaveSecs, 60);
        QCOMPARE(loaded.Layout.FormLeft, std::optional<int>(50));
        QCOMPARE(loaded.Layout.FormHeight, std::optional<int>(700));
    }

    void unreadableFileIsKeptBeforeDefaultsReplaceIt_data()
    {
        QTest::addColumn<QByteArray>("content"); // "<none>": no file at all
        QTest::addColumn<bool>("copied");
        QTest::newRow("no file: a real first run") << QByteArray("<none>") << false;
        QTest::newRow("empty file") << QByteArray() << false;
        QTest::newRow("a value of the wrong type")
            << QByteArray("[Software%5CQuillworks%5CTagForge%5CSettings]\nTabWidth=sz:eight\n") << true;
        QTest::newRow("not settings at all") << QByteArrayLiteral("\x89PNG\r\n\x1a\n\0\0garbage") << true;
    }
    void unreadableFileIsKeptBeforeDefaultsReplaceIt()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, copied);
        if (content != "<none>") {
            QFile f(m_path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        {
            TSettingsStore store(m_path);
            const TLoadedSettings loaded = AppSettings::LoadSettings(store, nullptr);
            QVERIFY(loaded.FirstRun);
            QCOMPARE(!loaded.DamagedCopy.isEmpty(), copied);
            if (copied) {
                QVERIFY(loaded.DamagedCopy.startsWith(m_path + QStringLiteral(".damaged-")));
                QFile copy(loaded.DamagedCopy);
                QVERIFY(copy.open(QIODevice::ReadOnly));
                QCOMPARE(copy.readAll(), content);
                QVERIFY(AppSettings::DamagedCopyText(loaded.DamagedCopy).contains(loaded.DamagedCopy));
            }
            // The exit writes the defaults over the original; the copy stays as it was.
            AppSettings::SaveSettings(store, SampleState());
            QVERIFY(store.Flush());
        }
        TSettingsStore reread(m_path);
        QVERIFY(!AppSettings::LoadSettings(reread, nullptr).FirstRun);
    }

    void copiesInTheSameSecondGetTheirOwnNames()
    {
        QFile f(m_path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("damaged");
        f.close();
        const QDateTime now(QDate(2026, 12, 8), QTime(4, 30, 0));
        const QString first = AppSettings::KeepDamagedCopy(m_path, now);
        const QString second = AppSettings::KeepDamagedCopy(m_path, now);
        QCOMPARE(first, m_path + QStringLiteral(".damaged-20261208-043000"));
        QCOMPARE(second, first + QStringLiteral("-2"));
    }

    void missingStringReadsEmpty()
    {
        TSettingsStore store(m_path);
        AppSettings::SaveSettings(store, SampleState());
        store.OpenKey(kSettings, false);
        store.DeleteValue(QStringLiteral("HomepageRef"));
        store.CloseKey();
        const TLoadedSettings loaded = AppSettings::LoadSettings(store, nullptr);
        QVERIFY(!loaded.FirstRun);
        QCOMPARE(loaded.Preferences.Settings.HomepageRef, QString());
    }

    void listCountBoundsWhatIsRead()
    {
        TSettingsStore store(m_path);
        AppSettings::SaveRegList(store, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")},
                                 QStringLiteral("MRUFileList"));
        // A shorter list written later leaves the old third value behind.
        AppSettings::SaveRegList(store, {QStringLiteral("x"), QStringLiteral("y")}, QStringLiteral("MRUFileList"));
        QStringList list;
        QVERIFY(AppSettings::LoadRegList(store, list, QStringLiteral("MRUFileList")));
        QCOMPARE(list, QStringList({QStringLiteral("x"), QStringLiteral("y")}));
    }

    void brokenListKeepsLinesReadSoFar()
    {
        TSettingsStore store(m_path);
        store.OpenKey(QStringLiteral("Software\\Quillworks\\TagForge\\UserTools"), true);
        store.WriteInteger(QStringLiteral("Count"), 3);
        store.WriteString(QStringLiteral("0"), QStringLiteral("one"));
        store.CloseKey();
        QStringList list;
        QString status;
        QVERIFY(
            !AppSettings::LoadRegList(store, list, QStringLiteral("UserTools"), [&](const QString &m) { status = m; }));
        QCOMPARE(list, QStringList{QStringLiteral("one")});
        QCOMPARE(status, QStringLiteral("Failed to get Contents of UserTools. Should be your 1st Run!"));
    }

    void tasksAreReadInThrees_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("tasks");
        QTest::addColumn<QString>("lastDetail2");
        QTest::newRow("two whole tasks") << QStringList{"a", "1", "2", "b", "3", "4"} << 2 << "4";
        QTest::newRow("last task lacks its second detail") << QStringList{"a", "1", "2", "b", "3"} << 2 << "";
        QTest::newRow("a lone text line is dropped") << QStringList{"a", "1", "2", "b"} << 1 << "2";
        QTest::newRow("empty") << QStringList{} << 0 << "";
    }
    void tasksAreReadInThrees()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, tasks);
        QFETCH(QString, lastDetail2);
        TSettingsStore store(m_path);
        AppSettings::SaveRegList(store, lines, QStringLiteral("Tasks"));
        const TLoadedSettings loaded = AppSettings::LoadSettings(store, nullptr);
        QCOMPARE(loaded.Tasks.size(), tasks);
        if (tasks > 0)
            QCOMPARE(loaded.Tasks.last().Detail2, lastDetail2);
    }

    void browserVersion_data()
    {
        QTest::addColumn<QString>("version"); // "-" means the key is absent
        QTest::addColumn<bool>("passes");
        QTest::addColumn<bool>("hideWinRes");
        QTest::newRow("version 3 stops") << "3.02" << false << true;
        QTest::newRow("version 4 passes") << "4.72.3110" << true << true;
        QTest::newRow("version 5 passes and keeps swap") << "5.50.4134" << true << false;
        QTest::newRow("version 11 is not version 1") << "11.0" << true << true;
        QTest::newRow("missing key passes") << "-" << true << false;
        QTest::newRow("empty version passes") << "" << true << true;
        QTest::newRow("non-numeric version passes") << "edge" << true << true;
    }
    void browserVersion()
    {
        QFETCH(QString, version);
        QFETCH(bool, passes);
        QFETCH(bool, hideWinRes);
        const QString machinePath = m_dir.filePath(QStringLiteral("m%1.conf").arg(m_n));
        if (version != QLatin1String("-")) {
            TSettingsStore writer(machinePath);
            writer.OpenKey(AppSettings::kBrowserKey, true);
            writer.WriteString(QStringLiteral("Version"), version);
        }
        TSettingsStore machine(machinePath, true);
        const Startup::BrowserCheckResult check = Startup::CheckBrowserVersion(&machine);
        QCOMPARE(check.Passed, passes);
        if (!passes) {
            QCOMPARE(check.Caption, QStringLiteral("Fatal Error"));
            QVERIFY(check.Message.startsWith(
                QStringLiteral("Error: Internet Explorer 4.0 or higher NOT installed!\r\n\r\n")));
        }
        TSettingsStore user(m_path);
        QCOMPARE(AppSettings::LoadSettings(user, &machine).HideWinRes, hideWinRes);
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
    int m_n = 0;
};

QTEST_GUILESS_MAIN(TestAppSettings)
#include "tst_appsettings.moc"
