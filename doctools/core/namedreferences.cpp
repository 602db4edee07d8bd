// Lookups in the generated reference tables.
#include "doctools/core/namedreferences.h"

#include <algorithm>
#include <cstring>

namespace NamedReferences {

namespace {

// name (UTF-16) against an ASCII name: <0, 0, >0 like strcmp.
int Compare(QStringView name, const char *ascii)
{
    const qsizetype length = qsizetype(std::strlen(ascii));
    const qsizetype n = std::min(name.size(), length);
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t a = name[i].unicode();
        const auto b = char16_t(static_cast<unsigned char>(ascii[i]));
        if (a != b)
            return a < b ? -1 : 1;
    }
    return name.size() < length ? -1 : (name.size() > length ? 1 : 0);
}

} // namespace

std::optional<QString> Decode(QStringView name)
{
    const TReference *end = kReferences + kReferenceCount;
    const TReference *found = std::lower_bound(
        kReferences, end, name, [](const TReference &r, QStringView n) { return Compare(n, r.Name) > 0; });
    if (found == end || Compare(name, found->Name) != 0)
        return std::nullopt;
    QString text = QString::fromUcs4(&found->First, 1);
    if (found->Second)
        text += QString::fromUcs4(&found->Second, 1);
    return text;
}

const char *NameOf(char32_t codePoint)
{
    const TPreferred *end = kPreferred + kPreferredCount;
    const TPreferred *found =
        std::lower_bound(kPreferred, end, codePoint, [](const TPreferred &p, char32_t c) { return p.CodePoint < c; });
    return found != end && found->CodePoint == codePoint ? found->Name : nullptr;
}

QString Numeric(char32_t codePoint)
{
    return QStringLiteral("&#x") + QString::number(codePoint, 16).toUpper() + u';';
}

std::optional<char32_t> DecodeNumeric(QStringView digits)
{
    const bool hex = digits.startsWith(u'x') || digits.startsWith(u'X');
    const QStringView number = hex ? digits.mid(1) : digits;
    if (number.isEmpty() || number.size() > 8)
        return std::nullopt;
    bool ok = false;
    const uint value = number.toUInt(&ok, hex ? 16 : 10);
    // toUInt takes a sign or blanks; a reference's digits are digits only.
    const bool digitsOnly = std::all_of(number.begin(), number.end(), [hex](QChar c) {
        return (c >= u'0' && c <= u'9') || (hex && ((c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F')));
    });
    if (!ok || !digitsOnly || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF) || value == 0)
        return std::nullopt;
    return char32_t(value);
}

} // namespace NamedReferences
