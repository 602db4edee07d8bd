// "tagforge --expand FILE.htc...": writes each source's include-expanded page beside it.
#include "app/core/expandcli.h"

#include "app/core/documentfile.h"
#include "app/core/includes.h"

#include "platform/core/inputfile.h"
#include "platform/core/textdecoding.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

// The page stays in its own 8-bit encoding whenever the included text fits it; when it does not,
// the page is written as UTF-8, and the user must hear of it: a <meta> naming the old encoding
// would now misread every accented letter of the page.
QString EncodingWarning(const QString &file, const Includes::TExpansion &expansion, TTextEncoding pageEncoding)
{
    QString where;
    for (qsizetype i = 0; i < expansion.Text.size(); ++i) {
        const QChar c = expansion.Text.at(i);
        if (c.unicode() < 0x80 || EncodeFileText(QString(c), pageEncoding))
            continue;
        const Includes::TSourcePosition p = expansion.Locate(i);
        const QString source = p.File > 0 ? expansion.Files.at(p.File) : file;
        where = QStringLiteral(" (\"%1\" at %2:%3:%4)").arg(QString(c), source).arg(p.Line + 1).arg(p.Column + 1);
        break;
    }
    QString message =
        QStringLiteral("%1: the included text holds characters %2 cannot store%3; the page is written as UTF-8")
            .arg(file, EncodingName(pageEncoding), where);
    static const QRegularExpression meta(QStringLiteral("<meta[^>]*charset\\s*=\\s*[\"']?([A-Za-z0-9_.:-]+)"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = meta.match(expansion.Text);
    if (match.hasMatch() && !match.captured(1).startsWith(QLatin1String("utf-8"), Qt::CaseInsensitive))
        message +=
            QStringLiteral(
                ", but its <meta> still says %1: change it to utf-8, or write those characters as &#N; references")
                .arg(match.captured(1));
    return message;
}

} // namespace

bool IsExpandCommand(const QStringList &args)
{
    return args.value(0) == QLatin1String("--expand");
}

QString ExpandCommandUsage()
{
    return QStringLiteral("  --expand FILE.htc...  write each .htc source's includes expanded into the\n"
                          "                    .html page beside it, as saving does. A page that cannot be\n"
                          "                    fully expanded (an included file missing) is not written:\n"
                          "                    exit 1. A page with directives not named .htc is left alone:\n"
                          "                    exit 2 (rename it .htc: its .html page goes beside it).\n"
                          "                    Expansion stops with a message past 16 nested includes or\n"
                          "                    32 MB, and at an included file that is binary.\n");
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
        // A pipe would block and /dev/zero never ends: only regular files are read.
        if (const QString problem = InputFile::Problem(info.absoluteFilePath()); !problem.isEmpty()) {
            fail(4, QStringLiteral("%1: cannot read: %2").arg(file, problem));
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
            const TTextEncoding pageEncoding = doc.Format.Encoding;
            const DocumentFile::TSaveResult saved = DocumentFile::SaveText(target, expansion.Text, doc.Format);
            out << file << " -> " << target << Qt::endl;
            if (saved.SwitchedToUtf8)
                err << "tagforge: warning: " << EncodingWarning(file, expansion, pageEncoding) << Qt::endl;
        } catch (const EFileError &e) {
            fail(4, e.Message());
        }
    }
    return result;
}
