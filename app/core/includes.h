// Include expansion: "#include{file}" directives replaced by the named file's text.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace Includes {

// Expansion stops with a message past these: a file including files that include files...
// deeper than this, an expanded page larger than this many characters, or more directives
// replaced than this in all. The last bounds the work where the size cannot: a few small files
// each including the next many times over multiply into millions of directives, even when
// they expand into nothing.
constexpr int kMaxDepth = 16;
constexpr qsizetype kMaxExpandedChars = qsizetype(32) << 20;
constexpr int kMaxIncludes = 10000;

// One stretch of the expanded text copied unchanged from one file.
struct TSourceSpan
{
    qsizetype Start = 0; // in the expanded text
    qsizetype Length = 0;
    int File = 0;              // index into TExpansion::Files; 0 is the page itself
    qsizetype SourceStart = 0; // where the stretch starts in that file's text
};

// Where a character of the expanded text was written: in which file, on which line and column
// (both from 0) of that file's text.
struct TSourcePosition
{
    int File = 0;
    int Line = 0;
    int Column = 0;
};

struct TExpansion
{
    QString Text;              // the text with every directive up to the first failure expanded
    bool Expanded = false;     // at least one directive was replaced
    bool Failed = false;       // a named file could not be read; expansion stopped there
    QString Error;             // then: why, as the status bar says it (without "!! Error: ")
    qsizetype ErrorOffset = 0; // then: where the failing directive stands in Text

    // Files[0] is empty (the page); the others are the included files' paths, each once.
    QStringList Files;
    QList<QString> FileTexts; // the text each file gave (FileTexts[0] the page's own)
    QList<TSourceSpan> Spans; // in order, covering Text without gaps

    // Maps an offset of Text back to the file and line it came from.
    TSourcePosition Locate(qsizetype offset) const;
};

// Reads an included file as text with CR LF line breaks; nothing when it cannot be read.
using FileReader = std::function<std::optional<QString>(const QString &path)>;
using StatusSink = std::function<void(const QString &)>;

// Expands the directives of text (lines joined by CR LF). A directive is "#include" (any case)
// followed, blanks allowed, by "{" on the same line; the name runs to "}" or the line's end.
// Names without a directory are taken relative to baseDir. Expansion stops, leaving the rest
// as written, at a missing or binary file, a file including itself, or past kMaxDepth,
// kMaxExpandedChars or kMaxIncludes. The input is never changed: callers keep the unexpanded text.
TExpansion ExpandIncludes(const QString &text, const QString &baseDir, const FileReader &read,
                          const StatusSink &status = {});

// The default reader: a regular file of at most 256 MB decoded like any document, its lines
// each ending in CR LF. (A binary file's NUL bytes stay NULs: the expansion refuses it.)
std::optional<QString> ReadIncludeFile(const QString &path);

// "page.htc" -> "page.html" and back: the pair written when a page uses includes.
QString ExpandedPathFor(const QString &path);
QString SourcePathFor(const QString &path);

} // namespace Includes
