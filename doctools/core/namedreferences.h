// The HTML named character references ("&rarr;" for U+2192) and numeric ones ("&#x2192;").
#pragma once

#include <QString>
#include <QStringView>

#include <cstddef>
#include <optional>

namespace NamedReferences {

struct TReference
{
    const char *Name; // without "&" and ";"
    char32_t First;
    char32_t Second; // 0 for a single character
};
struct TPreferred
{
    char32_t CodePoint;
    const char *Name;
};
// Every named reference by name (byte order), and one preferred name per character from U+00A0 on
// (the HTML 4 name where there is one, else the shortest), by code point.
extern const TReference kReferences[];
extern const std::size_t kReferenceCount;
extern const TPreferred kPreferred[];
extern const std::size_t kPreferredCount;

// The characters of the reference name ("rarr", case counts); none for an unknown name.
std::optional<QString> Decode(QStringView name);
// The preferred name of a character, or null when it has none.
const char *NameOf(char32_t codePoint);
// "&#x2192;" style.
QString Numeric(char32_t codePoint);
// The character of a numeric reference's digits ("8594", "x2192", "X2192"); none when they are
// no number or no Unicode scalar value.
std::optional<char32_t> DecodeNumeric(QStringView digits);

} // namespace NamedReferences
