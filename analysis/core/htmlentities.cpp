// The character-reference tables of the HTML parser and the decoding of references in page text.
#include "analysis/core/htmlentities.h"

#include <QHash>

#include <optional>

const std::array<TEntityPair, 100> EntityTable = {{
    {u"&quot;", u"&#34;"},    {u"&amp;", u"&#38;"},     {u"&lt;", u"&#60;"},      {u"&gt;", u"&#62;"},
    {u"&nbsp;", u"&#160;"},   {u"&iexcl;", u"&#161;"},  {u"&cent;", u"&#162;"},   {u"&pound;", u"&#163;"},
    {u"&curren;", u"&#164;"}, {u"&yen;", u"&#165;"},    {u"&brvbar;", u"&#166;"}, {u"&sect;", u"&#167;"},
    {u"&uml;", u"&#168;"},    {u"&copy;", u"&#169;"},   {u"&ordf;", u"&#170;"},   {u"&laquo;", u"&#171;"},
    {u"&not;", u"&#172;"},    {u"&shy;", u"&#173;"},    {u"&reg;", u"&#174;"},    {u"&macr;", u"&#175;"},
    {u"&deg;", u"&#176;"},    {u"&plusmn;", u"&#177;"}, {u"&sup2;", u"&#178;"},   {u"&sup3;", u"&#179;"},
    {u"&acute;", u"&#180;"},  {u"&micro;", u"&#181;"},  {u"&para;", u"&#182;"},   {u"&middot;", u"&#183;"},
    {u"&cedil;", u"&#184;"},  {u"&sup1;", u"&#185;"},   {u"&ordm;", u"&#186;"},   {u"&raquo;", u"&#187;"},
    {u"&frac14;", u"&#188;"}, {u"&frac12;", u"&#189;"}, {u"&frac34;", u"&#190;"}, {u"&iquest;", u"&#191;"},
    {u"&Agrave;", u"&#192;"}, {u"&Aacute;", u"&#193;"}, {u"&Acirc;", u"&#194;"},  {u"&Atilde;", u"&#195;"},
    {u"&Auml;", u"&#196;"},   {u"&Aring;", u"&#197;"},  {u"&AElig;", u"&#198;"},  {u"&Ccedil;", u"&#199;"},
    {u"&Egrave;", u"&#200;"}, {u"&Eacute;", u"&#201;"}, {u"&Ecirc;", u"&#202;"},  {u"&Euml;", u"&#203;"},
    {u"&Igrave;", u"&#204;"}, {u"&Iacute;", u"&#205;"}, {u"&Icirc;", u"&#206;"},  {u"&Iuml;", u"&#207;"},
    {u"&ETH;", u"&#208;"},    {u"&Ntilde;", u"&#209;"}, {u"&Ograve;", u"&#210;"}, {u"&Oacute;", u"&#211;"},
    {u"&Ocirc;", u"&#212;"},  {u"&Otilde;", u"&#213;"}, {u"&Ouml;", u"&#214;"},   {u"&times;", u"&#215;"},
    {u"&Oslash;", u"&#216;"}, {u"&Ugrave;", u"&#217;"}, {u"&Uacute;", u"&#218;"}, {u"&Ucirc;", u"&#219;"},
    {u"&Uuml;", u"&#220;"},   {u"&Yacute;", u"&#221;"}, {u"&THORN;", u"&#222;"},  {u"&szlig;", u"&#223;"},
    {u"&agrave;", u"&#224;"}, {u"&aacute;", u"&#225;"}, {u"&acirc;", u"&#226;"},  {u"&atilde;", u"&#227;"},
    {u"&auml;", u"&#228;"},   {u"&aring;", u"&#229;"},  {u"&aelig;", u"&#230;"},  {u"&ccedil;", u"&#231;"},
    {u"&egrave;", u"&#232;"}, {u"&eacute;", u"&#233;"}, {u"&ecirc;", u"&#234;"},  {u"&euml;", u"&#235;"},
    {u"&igrave;", u"&#236;"}, {u"&iacute;", u"&#237;"}, {u"&icirc;", u"&#238;"},  {u"&iuml;", u"&#239;"},
    {u"&eth;", u"&#240;"},    {u"&ntilde;", u"&#241;"}, {u"&ograve;", u"&#242;"}, {u"&oacute;", u"&#243;"},
    {u"&ocirc;", u"&#244;"},  {u"&otilde;", u"&#245;"}, {u"&ouml;", u"&#246;"},   {u"&divide;", u"&#247;"},
    {u"&oslash;", u"&#248;"}, {u"&ugrave;", u"&#249;"}, {u"&uacute;", u"&#250;"}, {u"&ucirc;", u"&#251;"},
    {u"&uuml;", u"&#252;"},   {u"&yacute;", u"&#253;"}, {u"&thorn;", u"&#254;"},  {u"&yuml;", u"&#255;"},
}};

const std::array<char16_t, 256> EntityCharMap = [] {
    std::array<char16_t, 256> map{};
    for (int code = 0; code < 256; ++code)
        map[code] = (code < 32 || code == 160) ? u' ' : char16_t(code);
    return map;
}();

namespace {

const QHash<QString, char16_t> &NamedReferences()
{
    static const QHash<QString, char16_t> names = [] {
        QHash<QString, char16_t> h;
        for (const TEntityPair &pair : EntityTable) {
            // The numeric column reads "&#N;"; the named one decodes to what that decodes to.
            const int code = pair.Numeric.mid(2, pair.Numeric.size() - 3).toInt();
            h.insert(pair.Named.toString(), EntityCharMap[code]);
        }
        return h;
    }();
    return names;
}

int DigitValue(char16_t c, int base)
{
    int d = -1;
    if (c >= u'0' && c <= u'9')
        d = c - u'0';
    else if (c >= u'a' && c <= u'f')
        d = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        d = c - u'A' + 10;
    return d < base ? d : -1;
}

// The code point of the characters between "&#" and the terminator, when it decodes.
std::optional<char32_t> NumericValue(QStringView digits)
{
    if (digits.isEmpty())
        return std::nullopt;
    const bool hex = digits[0] == u'x' || digits[0] == u'X';
    const int base = hex ? 16 : 10;
    qsizetype i = 0;
    bool negative = false;
    if (hex) {
        i = 1;
    } else if (digits[0] == u'+' || digits[0] == u'-') {
        negative = digits[0] == u'-';
        i = 1;
    }
    if (i >= digits.size())
        return std::nullopt;
    char32_t value = 0;
    for (; i < digits.size(); ++i) {
        const int d = DigitValue(digits[i].unicode(), base);
        if (d < 0)
            return std::nullopt;
        value = value * base + d;
        if (value > 0x10FFFF)
            return std::nullopt;
    }
    if (negative && value != 0)
        return std::nullopt;
    if (value <= 255)
        return digits.size() <= 3 ? std::optional<char32_t>(value) : std::nullopt;
    if (value >= 0xD800 && value <= 0xDFFF)
        return std::nullopt;
    return value;
}

void AppendCodePoint(QString &out, char32_t value)
{
    if (value <= 255) {
        out.append(QChar(EntityCharMap[value]));
    } else {
        const char32_t ucs4[1] = {value};
        out.append(QString::fromUcs4(ucs4, 1));
    }
}

} // namespace

QString DecodeCharacterReferences(QStringView s)
{
    const qsizetype n = s.size();
    qsizetype amp = s.indexOf(u'&');
    if (amp < 0)
        return s.toString();

    QString out;
    out.reserve(n);
    qsizetype i = 0;
    while (amp >= 0) {
        out.append(s.mid(i, amp - i));
        qsizetype j = amp + 1;
        while (j < n && s[j] != u';' && s[j] != u' ' && s[j] != u'&')
            ++j;
        if (j == n) { // never completed
            i = amp;
            break;
        }
        if (s[j] == u'&') { // a new "&" restarts the reference
            out.append(s.mid(amp, j - amp));
            i = amp = j;
            continue;
        }
        const QStringView ref = s.mid(amp, j - amp + 1); // terminator included
        i = j + 1;
        if (ref.size() > 2 && ref[1] == u'#') {
            if (const auto value = NumericValue(ref.mid(2, ref.size() - 3)))
                AppendCodePoint(out, *value);
            else
                out.append(ref);
        } else {
            const auto &names = NamedReferences();
            const auto it = names.constFind(QString::fromRawData(ref.data(), ref.size()));
            if (it != names.cend())
                out.append(QChar(*it));
            else
                out.append(ref);
        }
        amp = s.indexOf(u'&', i);
    }
    out.append(s.mid(i));
    return out;
}
