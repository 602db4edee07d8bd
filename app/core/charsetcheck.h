// The charset a page declares against the encoding it is read in or saved in: a browser reads
// the bytes by the declaration, so a page whose declaration and bytes disagree shows its accented
// letters garbled.
#pragma once

#include "platform/core/textdecoding.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

namespace CharsetCheck {

// Only this many characters from the start are searched, as browsers look for the declaration
// only near the top of the page.
constexpr qsizetype kSearchLength = 4096;

// A charset named by <meta charset="..."> or by <meta http-equiv="Content-Type" content="...;
// charset=...">, with where its name stands in the text.
struct TDeclaration
{
    QString Name;        // as written, e.g. "ISO-8859-1"
    qsizetype Start = 0; // position of the name in the text
    qsizetype Length = 0;
};

// The first declaration within the first kSearchLength characters; comments are skipped.
std::optional<TDeclaration> FindDeclaration(QStringView text);

// What a charset name stands for in the encodings this program reads and writes. ISO-8859-1 and
// US-ASCII count as Windows-1252, as browsers read them so. Nothing for any other charset.
std::optional<TTextEncoding> EncodingOfCharset(const QString &name);

// The name to declare for an encoding: "utf-8", "utf-16", "utf-32" or "windows-1252".
QString CharsetNameOf(TTextEncoding encoding);

// Whether bytes in encoding match a page declaring charset. Text of ASCII letters alone reads the
// same as UTF-8 and as Windows-1252, so the two agree on it.
bool Agrees(const QString &charset, TTextEncoding encoding, bool asciiOnly);

// A character that an encoding cannot store, where it first stands (line and column from 0).
struct TUnstorable
{
    QString Character; // a surrogate pair stays whole
    int Line = 0;
    int Column = 0;
};

using LineAccess = std::function<QStringView(int)>;

// The distinct characters of the lines that encoding cannot store, in the order they first
// appear, at most limit of them. Lone surrogates are kept by UTF-16 alone.
QList<TUnstorable> Unstorable(int lineCount, const LineAccess &line, TTextEncoding encoding, int limit = 12);
// Whether every character of the lines is ASCII.
bool AsciiOnly(int lineCount, const LineAccess &line);

// One line per character for a message: “€” U+20AC, line 3.
QString DescribeUnstorable(const QList<TUnstorable> &characters);

// The text of the status bar when the page's declaration disagrees with how it was read; empty
// when they agree or the page declares nothing.
QString MismatchText(const std::optional<TDeclaration> &declaration, TTextEncoding encoding, bool asciiOnly);

} // namespace CharsetCheck
