// "tagforge": answers the command-line options on the core libraries alone and hands anything
// else to the window program, so that a check loads no GUI or browser library.
#include "app/core/commandline.h"
#include "app/core/programpaths.h"

#include <QByteArray>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

int main(int argc, char *argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const QString exeDir = QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).absolutePath();
    if (CommandLine::IsCommand(args))
        return CommandLine::Run(args, ProgramPaths::ResourceDir(exeDir));
    const QString unknown = CommandLine::FirstUnknownOption(args);
    if (!unknown.isEmpty())
        return CommandLine::UnknownOption(unknown);

    // Beside this program in the build tree, in libexec when installed.
    const QStringList candidates{exeDir + QStringLiteral("/" TAGFORGE_GUI_NAME),
                                 exeDir + QStringLiteral("/" TAGFORGE_GUI_FROM_BIN "/" TAGFORGE_GUI_NAME)};
    int error = ENOENT;
    for (const QString &candidate : candidates) {
        const QByteArray path = QFileInfo(candidate).absoluteFilePath().toLocal8Bit();
        ::execv(path.constData(), argv);
        if (errno != ENOENT)
            error = errno;
    }
    std::fprintf(stderr, "tagforge: cannot start the window program %s: %s\n", TAGFORGE_GUI_NAME, std::strerror(error));
    return 127;
}
