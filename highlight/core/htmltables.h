// The HTML highlighter's fixed data: known tag names, character entities, the tag-name hash.
#pragma once

#include <QtGlobal>
#include <span>
#include <string_view>

// Tag names hash into 0 .. kHtmlTagHashSlots-1; a larger hash is never a tag name.
constexpr int kHtmlTagHashSlots = 244;

// Value of a character in the tag-name hash: each letter its place in the alphabet regardless
// of case, "!" 123, "/" 122, anything else 0 (digits are added by their numeric value instead).
constexpr int HtmlCharValue(char16_t c)
{
    if (c >= u'A' && c <= u'Z')
        return c - u'A' + 1;
    if (c >= u'a' && c <= u'z')
        return c - u'a' + 1;
    if (c == u'!')
        return 123;
    if (c == u'/')
        return 122;
    return 0;
}

// The known tag names in upper case: the first 198 (opening names, then closing ones), then
// the elements added since, opening and closing.
std::span<const std::string_view> HtmlTagNames();
// The 151 entities in matching order.
std::span<const std::string_view> HtmlEntities();

// Scans a tag name at text: the longest run of letters, "!" and "/", then the digits after it.
// Returns its length; *hash gets the hash, held at kHtmlTagHashSlots once it gets that large.
int ScanHtmlTagName(const char16_t *text, qsizetype available, int *hash);

// Whether a scanned name with that hash is in the tag table, letter case ignored.
bool IsHtmlTagName(const char16_t *name, int length, int hash);

// Index of the first entity whose whole text stands at text ("&" first; ASCII letters
// compared without regard to case), or -1.
int MatchHtmlEntity(const char16_t *text, qsizetype available);
int HtmlEntityLength(int index);
