// Include expansion: "#include{file}" directives replaced by the named file's text.
#include "app/core/includes.h"

#include "platform/core/textdecoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include <algorithm>

namespace Includes {

namespace {
const QString kDirective = QStringLiteral("#include");
const QString kCrLf = QStringLiteral("\r\n");
}

TExpansion ExpandIncludes(const QString &text, const QString &baseDir, const FileReader &read,
                          const StatusSink &status)
{
    TExpansion result;
    result.Text = text;
    // The files being expanded around the scan position, each with the end of its text, so
    // that a file including itself, directly or through others, is caught.
    struct TFrame { QString Path; qsizetype End; };
    QList<TFrame> chain;
    qsizetype scan = 0;
    auto fail = [&](const QString &message) {
        if (status)
            status(message);
        result.Failed = true;
    };
    while (scan < result.Text.size()) {
        const qsizetype start = result.Text.indexOf(kDirective, scan, Qt::CaseInsensitive);
        if (start < 0)
            break;
        // A directive is "#include" and then, blanks allowed, "{" on the same line; any other
        // "#include" (a C example inside <pre>) is ordinary text.
        qsizetype brace = start + kDirective.size();
        while (brace < result.Text.size()
               && (result.Text.at(brace) == QLatin1Char(' ') || result.Text.at(brace) == QLatin1Char('\t')))
            ++brace;
        if (brace >= result.Text.size() || result.Text.at(brace) != QLatin1Char('{')) {
            scan = start + kDirective.size();
            continue;
        }
        qsizetype nameEnd = brace + 1;
        while (nameEnd < result.Text.size() && result.Text.at(nameEnd) != QLatin1Char('}')
               && result.Text.at(nameEnd) != QLatin1Char('\r'))
            ++nameEnd;
        const QString name = result.Text.mid(brace + 1, nameEnd - brace - 1);
        if (status)
            status(QStringLiteral("Including \"%1\"...").arg(name));

        while (!chain.isEmpty() && chain.last().End <= start)
            chain.removeLast();
        // Nested names are taken relative to the page, like the page's own.
        const QString path = QDir::cleanPath(
            QFileInfo(name).isAbsolute()
                ? name
                : QDir(baseDir.isEmpty() ? QDir::currentPath() : baseDir).filePath(name));
        const QString canonical = QFileInfo(path).canonicalFilePath();
        if (!canonical.isEmpty()
            && std::any_of(chain.cbegin(), chain.cend(), [&](const TFrame &f) { return f.Path == canonical; })) {
            fail(QStringLiteral("!! Error: \"File %1 includes itself!\"").arg(name));
            break;
        }
        std::optional<QString> included;
        if (QFileInfo(path).isFile())
            included = read(path);
        if (!included) {
            fail(QStringLiteral("!! Error: \"Unable to include File %1!\"").arg(name));
            break;
        }
        // The directive goes with its closing brace and the line break after it, nothing more.
        qsizetype removeEnd = nameEnd;
        if (removeEnd < result.Text.size() && result.Text.at(removeEnd) == QLatin1Char('}'))
            ++removeEnd;
        if (result.Text.mid(removeEnd, 2) == kCrLf)
            removeEnd += 2;
        else if (removeEnd < result.Text.size()
                 && (result.Text.at(removeEnd) == QLatin1Char('\r')
                     || result.Text.at(removeEnd) == QLatin1Char('\n')))
            ++removeEnd;
        result.Text.replace(start, removeEnd - start, *included);
        const qsizetype delta = included->size() - (removeEnd - start);
        for (TFrame &frame : chain)
            frame.End += delta;
        chain.append({canonical, start + included->size()});
        result.Expanded = true;
        // Scanning resumes inside the inserted text, so included files may include others.
        scan = start;
    }
    return result;
}

std::optional<QString> ReadIncludeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QString text = DecodeFileBytes(file.readAll()).Text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (text.isEmpty())
        return QString();
    if (!text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');
    text.replace(QLatin1Char('\n'), kCrLf);
    return text;
}

static QString WithSuffix(const QString &path, const QString &suffix)
{
    const QFileInfo info(path);
    const QString base = info.completeSuffix().isEmpty()
                             ? path
                             : path.left(path.size() - info.suffix().size() - 1);
    return base + suffix;
}

QString ExpandedPathFor(const QString &path)
{
    return WithSuffix(path, QStringLiteral(".html"));
}

QString SourcePathFor(const QString &path)
{
    return WithSuffix(path, QStringLiteral(".htc"));
}

}
