// The character-reference tables of the HTML parser and the decoding of references in page text.
#pragma once

#include <QString>
#include <QStringView>

#include <array>

// A named reference and the numeric reference it stands for, both with "&" and ";".
struct TEntityPair
{
    QStringView Named;
    QStringView Numeric;
};

// quot, amp, lt, gt, then the 96 Latin-1 names of HTML 4.0 for code points 160 to 255 in order.
extern const std::array<TEntityPair, 100> EntityTable;

// What a numeric reference from 0 to 255 turns into: control characters and the no-break space
// become a blank, everything else stays itself.
extern const std::array<char16_t, 256> EntityCharMap;

// Replaces the character references of a text. A reference ends at ";" or a blank (the terminator
// is consumed). Named ones match EntityTable case-sensitively and only with ";". Numeric ones
// (decimal, or hexadecimal after "x") of at most three characters map through EntityCharMap;
// values above 255 become that Unicode character when it is a valid one. Anything else is kept
// as written.
QString DecodeCharacterReferences(QStringView text);
