// The options that need no window: checks, expansion, version and help.
#include "app/core/commandline.h"

#include "analysis/core/analysiscli.h"
#include "app/core/expandcli.h"
#include "app/core/includes.h"
#include "app/core/startup.h"

#include <QDir>
#include <QTextStream>

#include <cstdio>
#include <memory>

namespace CommandLine {

namespace {

// Qt's own window options that take a value, and those that stand alone.
const QStringList kQtValueOptions{
    "-platform",    "-platformpluginpath", "-platformtheme", "-plugin",     "-qwindowgeometry",
    "-qwindowicon", "-qwindowtitle",       "-style",         "-stylesheet", "-session",
    "-display",     "-geometry",           "-name",          "-title",      "-visual"};
const QStringList kQtFlagOptions{"-reverse", "-widgetcount", "-nograb", "-dograb", "-sync"};

// Paths inside the current folder are shown relative to it, as they were most likely named.
QString ShownPath(const QString &absolute)
{
    const QString relative = QDir::current().relativeFilePath(absolute);
    return relative.startsWith(QLatin1String("../")) ? absolute : relative;
}

} // namespace

bool IsCommand(const QStringList &args)
{
    const QString first = args.value(0);
    return first == QLatin1String("--version") || first == QLatin1String("--help") || first == QLatin1String("-h")
           || IsExpandCommand(args) || IsAnalysisCommand(args);
}

QString FirstUnknownOption(const QStringList &args)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == QLatin1String("--"))
            return QString(); // file names follow, whatever they look like
        if (!arg.startsWith(u'-') || arg == QLatin1String("-"))
            continue;
        if (kQtValueOptions.contains(arg)) {
            ++i;
            continue;
        }
        if (!kQtFlagOptions.contains(arg))
            return arg;
    }
    return QString();
}

int UnknownOption(const QString &option)
{
    QTextStream err(stderr);
    err << "tagforge: unknown option " << option << "\n\n" << Startup::HelpText(QStringLiteral("tagforge"));
    return 2;
}

TCheckedText ExpandedPage(const QString &path, const QString &text)
{
    auto expansion = std::make_shared<Includes::TExpansion>(
        Includes::ExpandIncludes(text, QFileInfo(path).absolutePath(), &Includes::ReadIncludeFile));
    TCheckedText page;
    page.Text = expansion->Text;
    if (expansion->Failed) {
        page.Problem = expansion->Error;
        page.Problem.remove(u'"');
        if (page.Problem.endsWith(u'!'))
            page.Problem.chop(1);
        page.ProblemOffset = expansion->ErrorOffset;
    }
    if (expansion->Expanded) {
        page.Locate = [expansion](qsizetype offset) {
            const Includes::TSourcePosition p = expansion->Locate(offset);
            TTextPosition position;
            if (p.File > 0)
                position.File = expansion->Files.at(p.File);
            position.Line = p.Line;
            position.Column = p.Column;
            return position;
        };
    }
    return page;
}

TPageExpander ShellExpander()
{
    return [](const QString &path, const QString &text) {
        TCheckedText page = ExpandedPage(path, text);
        if (page.Locate) {
            page.Locate = [locate = page.Locate](qsizetype offset) {
                TTextPosition position = locate(offset);
                if (!position.File.isEmpty())
                    position.File = ShownPath(position.File);
                return position;
            };
        }
        return page;
    };
}

int Run(const QStringList &args, const QString &resourceDir)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (args.value(0) == QLatin1String("--version")) {
        out << Startup::VersionText() << Qt::endl;
        return 0;
    }
    if (args.value(0) == QLatin1String("--help") || args.value(0) == QLatin1String("-h")) {
        out << Startup::HelpText(QStringLiteral("tagforge"));
        return 0;
    }
    if (IsExpandCommand(args))
        return RunExpandCommand(args, out, err);
    if (IsAnalysisCommand(args)) {
        TAnalysisOptions options;
        options.TagDataPath = resourceDir + QStringLiteral("/Data/tags.dat");
        options.Expand = ShellExpander();
        return RunAnalysisCommand(args, options, out, err);
    }
    err.flush();
    return UnknownOption(args.value(0));
}

} // namespace CommandLine
