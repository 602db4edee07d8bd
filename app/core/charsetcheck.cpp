#include "app/core/charsetcheck.h"

#include <QRegularExpression>
#include <QSet>

namespace CharsetCheck {

namespace {

struct TAttribute
{
    QString Name;
    QString Value;
    qsizetype ValueStart = 0; // in the tag
};

QList<TAttribute> AttributesOf(QStringView tag)
{
    static const QRegularExpression attribute(
        QStringLiteral(R"re(([^\s=/>"']+)\s*(?:=\s*(?:"([^"]*)"|'([^']*)'|([^\s>"']+)))?)re"));
    QList<TAttribute> result;
    // Past "<meta".
    auto it = attribute.globalMatch(tag, 5);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        TAttribute a;
        a.Name = m.captured(1).toLower();
        for (int group = 2; group <= 4; ++group) {
            if (m.capturedStart(group) >= 0) {
                a.Value = m.captured(group);
                a.ValueStart = m.capturedStart(group);
                // <meta charset=utf-8/>: the slash closes the tag, it is not part of the name.
                if (group == 4 && a.Value.endsWith(u'/'))
                    a.Value.chop(1);
                break;
            }
        }
        result.append(a);
    }
    return result;
}

// The charset in a meta tag, its position relative to the tag.
std::optional<TDeclaration> DeclarationInMeta(QStringView tag)
{
    const QList<TAttribute> attributes = AttributesOf(tag);
    bool contentType = false;
    const TAttribute *content = nullptr;
    for (const TAttribute &a : attributes) {
        if (a.Name == QLatin1String("charset")) {
            const QString name = a.Value.trimmed();
            if (name.isEmpty())
                return std::nullopt;
            return TDeclaration{name, a.ValueStart + a.Value.indexOf(name), name.size()};
        }
        if (a.Name == QLatin1String("http-equiv") && a.Value.trimmed().compare(u"content-type", Qt::CaseInsensitive) == 0)
            contentType = true;
        if (a.Name == QLatin1String("content") && !content)
            content = &a;
    }
    if (!contentType || !content)
        return std::nullopt;
    static const QRegularExpression charset(QStringLiteral(R"re(charset\s*=\s*["']?([^"'\s;]+))re"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = charset.match(content->Value);
    if (!m.hasMatch())
        return std::nullopt;
    return TDeclaration{m.captured(1), content->ValueStart + m.capturedStart(1), m.capturedLength(1)};
}

enum class TFamily { Utf8, Utf16, Utf32, Windows1252 };

TFamily FamilyOf(TTextEncoding encoding)
{
    switch (encoding) {
    case TTextEncoding::Utf8:
    case TTextEncoding::Utf8Bom: return TFamily::Utf8;
    case TTextEncoding::Utf16LE:
    case TTextEncoding::Utf16BE: return TFamily::Utf16;
    case TTextEncoding::Utf32LE:
    case TTextEncoding::Utf32BE: return TFamily::Utf32;
    case TTextEncoding::Windows1252: break;
    }
    return TFamily::Windows1252;
}

bool IsStorable(char32_t c, TTextEncoding encoding)
{
    if (encoding != TTextEncoding::Windows1252)
        return true;
    if (c < 0x80)
        return true;
    const QString s = c > 0xFFFF ? QString::fromUcs4(&c, 1) : QString(QChar(char16_t(c)));
    return EncodeFileText(s, encoding).has_value();
}

} // namespace

std::optional<TDeclaration> FindDeclaration(QStringView text)
{
    const qsizetype end = std::min<qsizetype>(text.size(), kSearchLength);
    qsizetype i = 0;
    while (i < end) {
        const qsizetype lt = text.indexOf(u'<', i);
        if (lt < 0 || lt >= end)
            break;
        if (text.mid(lt, 4) == u"<!--") {
            const qsizetype close = text.indexOf(u"-->", lt + 4);
            if (close < 0)
                break;
            i = close + 3;
            continue;
        }
        const QStringView after = text.mid(lt + 1, 5);
        if (after.size() == 5 && after.left(4).compare(u"meta", Qt::CaseInsensitive) == 0
            && (after.at(4).isSpace() || after.at(4) == u'/')) {
            const qsizetype gt = text.indexOf(u'>', lt);
            if (gt < 0)
                break;
            if (auto found = DeclarationInMeta(text.mid(lt, gt - lt))) {
                found->Start += lt;
                return found;
            }
            i = gt + 1;
            continue;
        }
        i = lt + 1;
    }
    return std::nullopt;
}

std::optional<TTextEncoding> EncodingOfCharset(const QString &name)
{
    const QString n = name.trimmed().toLower();
    static const QSet<QString> utf8{QStringLiteral("utf-8"), QStringLiteral("utf8"),
                                    QStringLiteral("unicode-1-1-utf-8")};
    static const QSet<QString> latin{
        QStringLiteral("windows-1252"), QStringLiteral("cp1252"),     QStringLiteral("x-cp1252"),
        QStringLiteral("iso-8859-1"),   QStringLiteral("iso8859-1"),  QStringLiteral("iso_8859-1"),
        QStringLiteral("latin1"),       QStringLiteral("l1"),         QStringLiteral("us-ascii"),
        QStringLiteral("ascii"),        QStringLiteral("cp819"),      QStringLiteral("ibm819"),
        QStringLiteral("iso-ir-100"),   QStringLiteral("iso_8859-1:1987")};
    if (utf8.contains(n))
        return TTextEncoding::Utf8;
    if (latin.contains(n))
        return TTextEncoding::Windows1252;
    if (n == QLatin1String("utf-16") || n == QLatin1String("utf-16le"))
        return TTextEncoding::Utf16LE;
    if (n == QLatin1String("utf-16be"))
        return TTextEncoding::Utf16BE;
    if (n == QLatin1String("utf-32") || n == QLatin1String("utf-32le"))
        return TTextEncoding::Utf32LE;
    if (n == QLatin1String("utf-32be"))
        return TTextEncoding::Utf32BE;
    return std::nullopt;
}

QString CharsetNameOf(TTextEncoding encoding)
{
    switch (FamilyOf(encoding)) {
    case TFamily::Utf8: return QStringLiteral("utf-8");
    case TFamily::Utf16: return QStringLiteral("utf-16");
    case TFamily::Utf32: return QStringLiteral("utf-32");
    case TFamily::Windows1252: break;
    }
    return QStringLiteral("windows-1252");
}

bool Agrees(const QString &charset, TTextEncoding encoding, bool asciiOnly)
{
    const std::optional<TTextEncoding> declared = EncodingOfCharset(charset);
    if (!declared)
        return false;
    const TFamily a = FamilyOf(*declared);
    const TFamily b = FamilyOf(encoding);
    if (a == b)
        return true;
    const auto eightBitReadable = [](TFamily f) { return f == TFamily::Utf8 || f == TFamily::Windows1252; };
    return asciiOnly && eightBitReadable(a) && eightBitReadable(b);
}

QList<TUnstorable> Unstorable(int lineCount, const LineAccess &line, TTextEncoding encoding, int limit)
{
    QList<TUnstorable> result;
    QSet<char32_t> seen;
    for (int l = 0; l < lineCount && result.size() < limit; ++l) {
        const QStringView text = line(l);
        for (qsizetype i = 0; i < text.size() && result.size() < limit; ++i) {
            const char16_t u = text.at(i).unicode();
            if (u < 0x80)
                continue;
            char32_t c = u;
            qsizetype length = 1;
            bool lone = false;
            if (QChar::isHighSurrogate(u) && i + 1 < text.size() && QChar::isLowSurrogate(text.at(i + 1).unicode())) {
                c = QChar::surrogateToUcs4(u, text.at(i + 1).unicode());
                length = 2;
            } else if (QChar::isSurrogate(u)) {
                lone = true;
            }
            // UTF-16 writes a lone half back as it was read; the other encodings cannot.
            const bool utf16 = encoding == TTextEncoding::Utf16LE || encoding == TTextEncoding::Utf16BE;
            if (((lone && !utf16) || !IsStorable(c, encoding)) && !seen.contains(c)) {
                seen.insert(c);
                result.append(TUnstorable{text.mid(i, length).toString(), l, int(i)});
            }
            i += length - 1;
        }
    }
    return result;
}

bool AsciiOnly(int lineCount, const LineAccess &line)
{
    for (int l = 0; l < lineCount; ++l) {
        const QStringView text = line(l);
        if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x80; }))
            return false;
    }
    return true;
}

QString DescribeUnstorable(const QList<TUnstorable> &characters)
{
    QStringList lines;
    for (const TUnstorable &u : characters) {
        const bool lone = u.Character.size() == 1 && u.Character.at(0).isSurrogate();
        const uint code = lone ? u.Character.at(0).unicode() : u.Character.toUcs4().value(0);
        const QString shown = lone ? QStringLiteral("(half of a pair)") : QStringLiteral("\u201C%1\u201D").arg(u.Character);
        lines << QStringLiteral("%1 U+%2, line %3")
                     .arg(shown, QString::number(code, 16).toUpper().rightJustified(4, QLatin1Char('0')))
                     .arg(u.Line + 1);
    }
    return lines.join(QLatin1Char('\n'));
}

QString MismatchText(const std::optional<TDeclaration> &declaration, TTextEncoding encoding, bool asciiOnly)
{
    if (!declaration || Agrees(declaration->Name, encoding, asciiOnly))
        return QString();
    if (!EncodingOfCharset(declaration->Name))
        return QStringLiteral("The page declares charset %1, which TagForge cannot write; its file is %2.")
            .arg(declaration->Name, EncodingName(encoding));
    return QStringLiteral("The page declares charset %1, but its file is %2: browsers will misread its letters.")
        .arg(declaration->Name, EncodingName(encoding));
}

} // namespace CharsetCheck
