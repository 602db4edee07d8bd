// The window program: "tagforge" hands it every start that is not a command-line option.
#include "app/core/commandline.h"
#include "app/core/programpaths.h"
#include "app/core/startup.h"
#include "app/ui/mainwindow.h"
#include "app/ui/splash.h"
#include "app/ui/terminationhandling.h"
#include "platform/core/settingsstore.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTextStream>

#include <cstdio>
#include <memory>
#include <unistd.h>

int main(int argc, char *argv[])
{
    {
        // Started directly, it answers the command-line options as "tagforge" does.
        QStringList args;
        for (int i = 1; i < argc; ++i)
            args << QString::fromLocal8Bit(argv[i]);
        if (CommandLine::IsCommand(args)) {
            const QString exeDir =
                QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).absolutePath();
            return CommandLine::Run(args, ProgramPaths::ResourceDir(exeDir));
        }
        const QString unknown = CommandLine::FirstUnknownOption(args);
        if (!unknown.isEmpty())
            return CommandLine::UnknownOption(unknown);
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
    context.JournalDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/journal");
    TfrmHTMLEdit window(context);
    splash.reset();
    if (window.TerminateRequested())
        return 0;
    EndOnTerminationSignals(window);
    window.show();
    return app.exec();
}
