// Include expansion: "#include{file}" directives replaced by the named file's text.
#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace Includes {

struct TExpansion
{
    QString Text;           // the text with every directive up to the first failure expanded
    bool Expanded = false;  // at least one directive was replaced
    bool Failed = false;    // a named file could not be read; expansion stopped there
};

// Reads an included file as text with CR LF line breaks; nothing when it cannot be read.
using FileReader = std::function<std::optional<QString>(const QString &path)>;
using StatusSink = std::function<void(const QString &)>;

// Expands the directives of text (lines joined by CR LF). Names without a directory are taken
// relative to baseDir. The input is never changed: callers keep the unexpanded text.
TExpansion ExpandIncludes(const QString &text, const QString &baseDir, const FileReader &read,
                          const StatusSink &status = {});

// The default reader: the file decoded like any document, its lines each ending in CR LF.
std::optional<QString> ReadIncludeFile(const QString &path);

// "page.htc" -> "page.html" and back: the pair written when a page uses includes.
QString ExpandedPathFor(const QString &path);
QString SourcePathFor(const QString &path);

}
