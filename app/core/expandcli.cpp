// "tagforge --expand FILE.htc...": writes each source's include-expanded page beside it.
#include "app/core/expandcli.h"

#include "app/core/documentfile.h"
#include "app/core/includes.h"

#include <QFileInfo>

bool IsExpandCommand(const QStringList &args)
{
    return args.value(0) == QLatin1String("--expand");
}

QString ExpandCommandUsage()
{
    return QStringLiteral(
        "  --expand FILE.htc...  write each .htc source's include directives expanded into the\n"
        "                    .html page beside it, as saving does. A file that cannot be fully\n"
        "                    expanded (an included file missing) gets nothing written: exit 1.\n"
        "                    A page with directives not named .htc is left alone: exit 2\n"
        "                    (rename it .htc first; its .html page is then written beside it).\n");
}

int RunExpandCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    const QStringList files = args.mid(1);
    if (!IsExpandCommand(args) || files.isEmpty()) {
        err << "tagforge: --expand needs at least one file" << Qt::endl;
        return 2;
    }
    int result = 0;
    auto fail = [&](int code, const QString &message) {
        err << "tagforge: " << message << Qt::endl;
        if (result == 0)
            result = code;
    };
    for (const QString &file : files) {
        const QFileInfo info(file);
        if (!info.exists()) {
            fail(3, QStringLiteral("%1: no such file").arg(file));
            continue;
        }
        try {
            TLoadedDocument doc = DocumentFile::Load(info.absoluteFilePath());
            // Expansion works on CR LF text, as the editor holds it.
            QString text = doc.Text;
            text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
            text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
            QString problem;
            const Includes::TExpansion expansion = Includes::ExpandIncludes(
                text, info.absolutePath(), &Includes::ReadIncludeFile, [&](const QString &status) {
                    if (status.startsWith(QLatin1String("!! Error: ")))
                        problem = status.mid(10);
                });
            // A half-expanded page, with raw directives in it, is worse than none.
            if (expansion.Failed) {
                fail(1, QStringLiteral("%1: %2; nothing written").arg(file, problem));
                continue;
            }
            if (!expansion.Expanded) {
                out << file << ": no include directives expanded" << Qt::endl;
                continue;
            }
            // The expanded page must never replace the file that holds the directives.
            if (info.suffix().compare(QLatin1String("htc"), Qt::CaseInsensitive) != 0) {
                fail(2, QStringLiteral("%1: holds include directives; name the source %2 so that "
                                       "its expanded page can be written to %3; nothing written")
                            .arg(file, Includes::SourcePathFor(file), Includes::ExpandedPathFor(file)));
                continue;
            }
            const QString target = Includes::ExpandedPathFor(info.absoluteFilePath());
            DocumentFile::SaveText(target, expansion.Text, doc.Format);
            out << file << " -> " << target << Qt::endl;
        } catch (const EFileError &e) {
            fail(4, e.Message());
        }
    }
    return result;
}
