// Findings of the checks as compilers report theirs: file, line and column from 1, message.
#pragma once

#include "analysis/core/htmlvalidator.h"

#include <QList>
#include <QString>

#include <functional>
#include <vector>

// Where a character of a checked text was written: the file (empty for the page itself) and
// its line and column, both counted from 0.
struct TTextPosition
{
    QString File;
    int Line = 0;
    int Column = 0;
};

// Maps an offset of the checked text to where it was written. For a page with its includes
// expanded, that can be an included file.
using TTextLocator = std::function<TTextPosition(qsizetype offset)>;

// A checked page: the text the checks read, the locator for its offsets (empty: the page's
// own lines), and a problem met while producing it (an include that is missing), with the
// offset where it stands.
struct TCheckedText
{
    QString Text;
    TTextLocator Locate;
    QString Problem;
    qsizetype ProblemOffset = 0;
};

// Turns a .htc source into the page its includes produce; used for the files whose name ends
// in ".htc". path is the source's absolute path, text its contents.
using TPageExpander = std::function<TCheckedText(const QString &path, const QString &text)>;

struct TFinding
{
    QString File;   // as the caller names the page, or the included file's path
    int Line = 1;   // from 1
    int Column = 1; // from 1
    QString Severity = QStringLiteral("error");
    QString Message;
};

// Line and column of offsets of one text, from 0; lines end at CR LF, LF or CR.
class TLineIndex
{
public:
    explicit TLineIndex(QStringView text);
    TTextPosition Position(qsizetype offset) const;

private:
    std::vector<qsizetype> m_Starts;
};

// The syntax findings of a validated text in document order, each element reported once: an
// unknown element's end tag is not reported again after its start tag was.
QList<TFinding> SyntaxFindings(const THTMLValidator &validator, const TCheckedText &page, const QString &pageName);

// The position of an offset of page, named as a finding names it (1-based).
TFinding PlaceFinding(const TCheckedText &page, const QString &pageName, qsizetype offset);
