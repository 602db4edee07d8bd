// Program entry: answers --version and --help without a display, then runs the window.
#include "analysis/core/analysiscli.h"
#include "app/core/expandcli.h"
#include "app/core/programpaths.h"
#include "app/core/startup.h"
#include "app/ui/mainwindow.h"
#include "app/ui/splash.h"
#include "platform/core/settingsstore.h"
#include "platform/qt/terminationwatcher.h"
#include "platform/qt/terminationwatcher.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <QTextStream>

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

// Options that need no window are answered before any GUI is created.
int RunWithoutDisplay(const QStringList &args, bool &handled)
{
    handled = true;
    QTextStream out(stdout);
    if (args.value(1) == QLatin1String("--version")) {
        out << Startup::VersionText() << Qt::endl;
        return 0;
    }
    if (args.value(1) == QLatin1String("--help") || args.value(1) == QLatin1String("-h")) {
        out << Startup::HelpText(QStringLiteral("tagforge"));
        return 0;
    }
    const QStringList rest = args.mid(1);
    if (IsExpandCommand(rest)) {
        QTextStream err(stderr);
        return RunExpandCommand(rest, out, err);
    }
    if (IsAnalysisCommand(rest)) {
        QTextStream err(stderr);
        const QString exeDir = QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).absolutePath();
        const QString dataDir = ProgramPaths::ResourceDir(exeDir);
        return RunAnalysisCommand(rest, dataDir + QStringLiteral("/Data/tags.dat"), out, err);
    }
    handled = false;
    return 0;
}

}

int main(int argc, char *argv[])
{
    {
        QStringList args;
        for (int i = 0; i < argc; ++i)
            args << QString::fromLocal8Bit(argv[i]);
        bool handled = false;
        const int code = RunWithoutDisplay(args, handled);
        if (handled)
            return code;
    }

    // The browser engine refuses to start as root unless its sandbox is off.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TagForge"));
    QApplication::setOrganizationName(QStringLiteral("Quillworks"));
    QApplication::setApplicationVersion(QStringLiteral(TAGFORGE_VERSION));
    QApplication::setApplicationDisplayName(QStringLiteral("TagForge!"));
    QApplication::setDesktopFileName(QStringLiteral("org.quillworks.TagForge"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tagforge.svg")));
    // Icons come from the desktop's theme; on a bare machine the shipped Breeze set fills in.
    QIcon::setFallbackThemeName(QStringLiteral("breeze"));
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor"))
        QIcon::setThemeName(QStringLiteral("breeze"));

    TSettingsStore machineStore(TSettingsStore::DefaultMachinePath(), true);
    TSettingsStore userStore(TSettingsStore::DefaultUserPath());

    auto splash = std::make_unique<TfrmSplash>();
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    const Startup::BrowserCheckResult check = Startup::CheckBrowserVersion(&machineStore);
    if (!check.Passed) {
        QMessageBox::critical(nullptr, check.Caption, check.Message);
        return Startup::kStopCodeOldBrowser;
    }
    splash->SetStatus(QStringLiteral("Loading Main Form..."), 12);

    TMainWindowContext context;
    context.UserStore = &userStore;
    context.MachineStore = &machineStore;
    context.ProgramDir = ProgramPaths::ResourceDir(QCoreApplication::applicationDirPath());
    context.Arguments = app.arguments().mid(1);
    context.Splash = splash.get();
    TfrmHTMLEdit window(context);
    splash.reset();
    if (window.TerminateRequested())
        return 0;
    // Ended from outside (logout, kill): modified documents become backups, previews go.
    TTerminationWatcher watcher;
    QObject::connect(&watcher, &TTerminationWatcher::terminationRequested, &app, [&window] {
        window.TerminateNow();
        QCoreApplication::quit();
    });
    window.show();
    return app.exec();
}
