// The HTML highlighter's fixed data: known tag names, character entities, the tag-name hash.
#include "highlight/core/htmltables.h"

#include <array>

namespace {

// Opening names, then closing names, then the newer elements of both kinds; all upper case.
// clang-format off
constexpr std::array<std::string_view, 269> kTagNames = {
    "!DOCTYPE", "A", "ABBR", "ACRONYM", "ADDRESS", "APPLET", "AREA", "B", "BASE", "BASEFONT",
    "BGSOUND", "BIG", "BLINK", "BLOCKQUOTE", "BODY", "BR", "BUTTON", "CAPTION", "CENTER",
    "CITE", "CODE", "COL", "COLGROUP", "COMMENT", "DD", "DEL", "DFN", "DIR", "DIV", "DL", "DT",
    "EM", "EMBED", "FIELDSET", "FONT", "FORM", "FRAME", "FRAMESET", "H1", "H2", "H3", "H4",
    "H5", "H6", "HEAD", "HR", "HTML", "I", "IFRAME", "ILAYER", "IMG", "INPUT", "INS", "ISINDEX",
    "KBD", "KEYGEN", "LABEL", "LAYER", "LEGEND", "LI", "LINK", "LISTING", "MAP", "MARQUEE",
    "MENU", "META", "MULTICOL", "NEXTID", "NOBR", "NOEMBED", "NOFRAMES", "NOLAYER", "NOSCRIPT",
    "OBJECT", "OL", "OPTION", "P", "PARAM", "PLAINTEXT", "PRE", "Q", "S", "SAMP", "SCRIPT",
    "SELECT", "SERVER", "SMALL", "SPACER", "SPAN", "STRIKE", "STRONG", "STYLE", "SUB", "SUP",
    "TABLE", "TBODY", "TD", "TEXTAREA", "TFOOT", "TH", "THEAD", "TITLE", "TR", "TT", "U", "UL",
    "VAR", "WBR", "XMP",

    "/A", "/ABBR", "/ACRONYM", "/ADDRESS", "/APPLET", "/B", "/BIG", "/BLINK", "/BLOCKQUOTE",
    "/BODY", "/BUTTON", "/CAPTION", "/CENTER", "/CITE", "/CODE", "/COLGROUP", "/COMMENT", "/DD",
    "/DEL", "/DFN", "/DIR", "/DIV", "/DL", "/DT", "/EM", "/EMBED", "/FIELDSET", "/FONT",
    "/FORM", "/FRAMESET", "/H1", "/H2", "/H3", "/H4", "/H5", "/H6", "/HEAD", "/HTML", "/I",
    "/IFRAME", "/ILAYER", "/INS", "/KBD", "/LABEL", "/LAYER", "/LEGEND", "/LI", "/LISTING",
    "/MAP", "/MARQUEE", "/MENU", "/MULTICOL", "/NOBR", "/NOEMBED", "/NOFRAMES", "/NOLAYER",
    "/NOSCRIPT", "/OBJECT", "/OL", "/OPTION", "/P", "/PRE", "/Q", "/S", "/SAMP", "/SCRIPT",
    "/SELECT", "/SERVER", "/SMALL", "/SPAN", "/STRIKE", "/STRONG", "/STYLE", "/SUB", "/SUP",
    "/TABLE", "/TBODY", "/TD", "/TEXTAREA", "/TFOOT", "/TH", "/THEAD", "/TITLE", "/TR", "/TT",
    "/U", "/UL", "/VAR", "/XMP",

    // Elements added since, opening and closing; "/OPTGROUP" hashes past the last slot.
    "ARTICLE", "ASIDE", "AUDIO", "BDI", "BDO", "CANVAS", "DATA", "DATALIST", "DETAILS",
    "DIALOG", "FIGCAPTION", "FIGURE", "FOOTER", "HEADER", "HGROUP", "MAIN", "MARK", "MATH",
    "METER", "NAV", "OPTGROUP", "OUTPUT", "PICTURE", "PROGRESS", "RP", "RT", "RUBY", "SEARCH",
    "SECTION", "SLOT", "SOURCE", "SUMMARY", "SVG", "TEMPLATE", "TIME", "TRACK", "VIDEO",
    "/ARTICLE", "/ASIDE", "/AUDIO", "/BDI", "/BDO", "/CANVAS", "/DATA", "/DATALIST", "/DETAILS",
    "/DIALOG", "/FIGCAPTION", "/FIGURE", "/FOOTER", "/HEADER", "/HGROUP", "/MAIN", "/MARK",
    "/MATH", "/METER", "/NAV", "/OUTPUT", "/PICTURE", "/PROGRESS", "/RP", "/RT", "/RUBY",
    "/SEARCH", "/SECTION", "/SLOT", "/SUMMARY", "/SVG", "/TEMPLATE", "/TIME", "/VIDEO",
};

// Tried in this order; the first whose full text matches wins. "&divide" (no semicolon) and
// "&ldots;" are kept as they always were: documents coloured by them must not change.
constexpr std::array<std::string_view, 151> kEntities = {
    "&amp;", "&lt;", "&gt;", "&quot;", "&trade;", "&nbsp;", "&copy;", "&reg;",
    "&Agrave;", "&Aacute;", "&Acirc;", "&Atilde;", "&Auml;", "&Aring;", "&AElig;",
    "&Ccedil;", "&Egrave;", "&Eacute;", "&Ecirc;", "&Euml;", "&Igrave;", "&Iacute;",
    "&Icirc;", "&Iuml;", "&ETH;", "&Ntilde;", "&Ograve;", "&Oacute;", "&Ocirc;",
    "&Otilde;", "&Ouml;", "&Oslash;", "&Ugrave;", "&Uacute;", "&Ucirc;", "&Uuml;",
    "&Yacute;", "&THORN;", "&szlig;", "&agrave;", "&aacute;", "&acirc;", "&atilde;",
    "&auml;", "&aring;", "&aelig;", "&ccedil;", "&egrave;", "&eacute;", "&ecirc;",
    "&euml;", "&igrave;", "&iacute;", "&icirc;", "&iuml;", "&eth;", "&ntilde;",
    "&ograve;", "&oacute;", "&ocirc;", "&otilde;", "&ouml;", "&oslash;", "&ugrave;",
    "&uacute;", "&ucirc;", "&uuml;", "&yacute;", "&thorn;", "&yuml;", "&iexcl;",
    "&cent;", "&pound;", "&curren;", "&yen;", "&brvbar;", "&sect;", "&uml;",
    "&ordf;", "&laquo;", "&shy;", "&macr;", "&deg;", "&plusmn;", "&sup2;",
    "&sup3;", "&acute;", "&micro;", "&middot;", "&cedil;", "&sup1;", "&ordm;",
    "&raquo;", "&frac14;", "&frac12;", "&frac34;", "&iquest;", "&times;", "&divide",
    "&euro;", "&#9;", "&#127;", "&#128;", "&#129;", "&#130;", "&#131;", "&#132;",
    "&ldots;", "&#134;", "&#135;", "&#136;", "&#137;", "&#138;", "&#139;",
    "&#140;", "&#141;", "&#142;", "&#143;", "&#144;", "&#152;", "&#153;", "&#154;",
    "&#155;", "&#156;", "&#157;", "&#158;", "&#159;", "&#161;", "&#162;", "&#163;",
    "&#164;", "&#165;", "&#166;", "&#167;", "&#168;", "&#170;", "&#175;", "&#176;",
    "&#177;", "&#178;", "&#180;", "&#181;", "&#183;", "&#184;", "&#185;", "&#186;",
    "&#188;", "&#189;", "&#190;", "&#191;", "&#215;",
};
// clang-format on

constexpr char16_t FoldAscii(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? char16_t(c - (u'a' - u'A')) : c;
}

constexpr int AddCapped(int hash, int value)
{
    return hash + value >= kHtmlTagHashSlots ? kHtmlTagHashSlots : hash + value;
}

template <typename Char>
constexpr int ScanName(const Char *text, qsizetype available, int *hash)
{
    int h = 0;
    qsizetype n = 0;
    while (n < available && HtmlCharValue(char16_t(text[n])) != 0) {
        h = AddCapped(h, HtmlCharValue(char16_t(text[n])));
        ++n;
    }
    while (n < available && text[n] >= '0' && text[n] <= '9') {
        h = AddCapped(h, int(text[n] - '0'));
        ++n;
    }
    *hash = h;
    return int(n);
}

// Tag indices grouped by hash: the names of slot h are order[start[h]] .. order[start[h+1]-1],
// each group in table order.
struct TTagSlots
{
    std::array<quint16, kHtmlTagHashSlots + 1> start{};
    std::array<quint16, kTagNames.size()> order{};
};

constexpr int TagHash(std::string_view name)
{
    int hash = 0;
    ScanName(name.data(), qsizetype(name.size()), &hash);
    return hash;
}

constexpr TTagSlots BuildTagSlots()
{
    TTagSlots slots;
    std::array<int, kHtmlTagHashSlots + 1> count{};
    for (const std::string_view name : kTagNames)
        ++count[size_t(TagHash(name))];
    int at = 0;
    for (int h = 0; h <= kHtmlTagHashSlots; ++h) {
        slots.start[size_t(h)] = quint16(at);
        at += count[size_t(h)];
    }
    std::array<int, kHtmlTagHashSlots + 1> fill{};
    for (size_t i = 0; i < kTagNames.size(); ++i) {
        const int h = TagHash(kTagNames[i]);
        slots.order[size_t(slots.start[size_t(h)] + fill[size_t(h)]++)] = quint16(i);
    }
    return slots;
}

constexpr TTagSlots kTagSlots = BuildTagSlots();

// Every name must scan whole, or the slot it was filed under could never be reached.
constexpr bool AllTagNamesScanWhole()
{
    for (const std::string_view name : kTagNames) {
        int hash = 0;
        if (size_t(ScanName(name.data(), qsizetype(name.size()), &hash)) != name.size() || hash >= kHtmlTagHashSlots)
            return false;
    }
    return true;
}
static_assert(AllTagNamesScanWhole());
static_assert(kTagSlots.start[kHtmlTagHashSlots] == kTagNames.size());

// Entity indices grouped by the folded character after "&", each group in list order, so
// that trying one group keeps "first match in list order".
struct TEntityBuckets
{
    std::array<quint8, 129> start{};
    std::array<quint8, kEntities.size()> order{};
};

constexpr TEntityBuckets BuildEntityBuckets()
{
    TEntityBuckets buckets;
    std::array<int, 129> count{};
    for (const std::string_view e : kEntities)
        ++count[size_t(FoldAscii(char16_t(e[1])))];
    int at = 0;
    for (int c = 0; c <= 128; ++c) {
        buckets.start[size_t(c)] = quint8(at);
        at += count[size_t(c)];
    }
    std::array<int, 129> fill{};
    for (size_t i = 0; i < kEntities.size(); ++i) {
        const size_t c = size_t(FoldAscii(char16_t(kEntities[i][1])));
        buckets.order[size_t(buckets.start[c] + fill[c]++)] = quint8(i);
    }
    return buckets;
}

constexpr TEntityBuckets kEntityBuckets = BuildEntityBuckets();

} // namespace

std::span<const std::string_view> HtmlTagNames()
{
    return kTagNames;
}

std::span<const std::string_view> HtmlEntities()
{
    return kEntities;
}

int ScanHtmlTagName(const char16_t *text, qsizetype available, int *hash)
{
    return ScanName(text, available, hash);
}

bool IsHtmlTagName(const char16_t *name, int length, int hash)
{
    if (hash < 0 || hash >= kHtmlTagHashSlots)
        return false;
    const int end = kTagSlots.start[size_t(hash) + 1];
    for (int k = kTagSlots.start[size_t(hash)]; k < end; ++k) {
        const std::string_view tag = kTagNames[kTagSlots.order[size_t(k)]];
        if (int(tag.size()) != length)
            continue;
        int i = 0;
        while (i < length && FoldAscii(name[i]) == char16_t(tag[size_t(i)]))
            ++i;
        if (i == length)
            return true;
    }
    return false;
}

int MatchHtmlEntity(const char16_t *text, qsizetype available)
{
    if (available < 2 || text[1] > 127)
        return -1;
    const size_t bucket = FoldAscii(text[1]);
    const int end = kEntityBuckets.start[bucket + 1];
    for (int k = kEntityBuckets.start[bucket]; k < end; ++k) {
        const int index = kEntityBuckets.order[size_t(k)];
        const std::string_view e = kEntities[size_t(index)];
        if (qsizetype(e.size()) > available)
            continue;
        size_t i = 2;
        while (i < e.size() && FoldAscii(text[i]) == FoldAscii(char16_t(e[i])))
            ++i;
        if (i == e.size())
            return index;
    }
    return -1;
}

int HtmlEntityLength(int index)
{
    return int(kEntities[size_t(index)].size());
}
