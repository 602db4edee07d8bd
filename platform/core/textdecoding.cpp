// Turns the bytes of a file into text (BOM, then UTF-8, then Windows-1252) and back again.
#include "platform/core/textdecoding.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QtEndian>

#include <array>

namespace {

// Bytes 0x80..0x9F of Windows-1252. The five bytes the code page leaves undefined map to the C1
// control of the same value, as ICU does, so that every byte survives a read and a write.
constexpr std::array<char16_t, 32> Cp1252High = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::optional<char> Cp1252Byte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (int i = 0; i < int(Cp1252High.size()); ++i) {
        if (Cp1252High[i] == c)
            return char(0x80 + i);
    }
    return std::nullopt;
}

// Bytes past the last whole code unit of a file cut short stay, one character each, so that
// nothing is dropped.
void AppendStrayBytes(QString &text, QByteArrayView stray)
{
    for (const char c : stray)
        text += QChar(uchar(c));
}

// The UTF-16 forms after their BOM. Unpaired surrogates are kept as they are, so that such a
// file is written back byte for byte.
QString DecodeUtf16(QByteArrayView body, QStringConverter::Encoding encoding)
{
    const qsizetype whole = body.size() - body.size() % 2;
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder.decode(body.first(whole));
    AppendStrayBytes(text, body.sliced(whole));
    return text;
}

// The UTF-32 forms after their BOM, by hand: Qt's decoder passes surrogates and values past
// U+10FFFF through as code units, a string that no encoder can write. Those read as U+FFFD.
QString DecodeUtf32(QByteArrayView body, bool bigEndian)
{
    QString text;
    text.reserve(body.size() / 4 + body.size() % 4);
    const qsizetype whole = body.size() - body.size() % 4;
    for (qsizetype i = 0; i < whole; i += 4) {
        const char32_t unit = bigEndian ? qFromBigEndian<quint32>(body.data() + i) : qFromLittleEndian<quint32>(body.data() + i);
        if (unit > 0x10FFFF || (unit >= 0xD800 && unit <= 0xDFFF)) {
            text += QChar(QChar::ReplacementCharacter);
        } else if (QChar::requiresSurrogates(unit)) {
            text += QChar(QChar::highSurrogate(unit));
            text += QChar(QChar::lowSurrogate(unit));
        } else {
            text += QChar(char16_t(unit));
        }
    }
    AppendStrayBytes(text, body.sliced(whole));
    return text;
}

QByteArray EncodeWith(const QString &text, QStringConverter::Encoding encoding, bool withBom)
{
    // The mark is written by hand: Qt's encoder writes it only with the first character, and an
    // empty text must keep it too, or it reads back as plain UTF-8.
    QStringEncoder encoder(encoding);
    QByteArray bytes = withBom ? encoder.encode(QStringView(u"\uFEFF")) : QByteArray();
    bytes += encoder.encode(text);
    return bytes;
}

} // namespace

QString DecodeWindows1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        *out++ = (b >= 0x80 && b < 0xA0) ? Cp1252High[b - 0x80] : char16_t(b);
    }
    return text;
}

TDecodedText DecodeFileBytes(const QByteArray &bytes)
{
    if (const auto bom = QStringConverter::encodingForData(bytes)) {
        const QByteArrayView data(bytes);
        switch (*bom) {
        case QStringConverter::Utf8: {
            // Stateless: a sequence cut off at the end reads as U+FFFD rather than vanishing. A
            // second mark right after the first is text.
            QStringDecoder utf8(QStringConverter::Utf8,
                                QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
            return {utf8.decode(data.sliced(3)), TTextEncoding::Utf8Bom};
        }
        case QStringConverter::Utf16LE: return {DecodeUtf16(data.sliced(2), *bom), TTextEncoding::Utf16LE};
        case QStringConverter::Utf16BE: return {DecodeUtf16(data.sliced(2), *bom), TTextEncoding::Utf16BE};
        case QStringConverter::Utf32LE: return {DecodeUtf32(data.sliced(4), false), TTextEncoding::Utf32LE};
        case QStringConverter::Utf32BE: return {DecodeUtf32(data.sliced(4), true), TTextEncoding::Utf32BE};
        default: break; // no BOM after all: fall through to the guesses below
        }
    }

    // Stateless, so that a sequence cut off at the end of the file counts as an error.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return {text, TTextEncoding::Utf8};

    // Qt built with ICU knows the code page; our own table gives the same characters otherwise.
    QStringDecoder cp1252("windows-1252", QStringConverter::Flag::Stateless);
    if (cp1252.isValid()) {
        text = cp1252.decode(bytes);
        if (!cp1252.hasError() && text.size() == bytes.size())
            return {text, TTextEncoding::Windows1252};
    }
    return {DecodeWindows1252(bytes), TTextEncoding::Windows1252};
}

std::optional<QByteArray> EncodeFileText(const QString &text, TTextEncoding encoding)
{
    switch (encoding) {
    case TTextEncoding::Utf8: return EncodeWith(text, QStringConverter::Utf8, false);
    case TTextEncoding::Utf8Bom: return EncodeWith(text, QStringConverter::Utf8, true);
    case TTextEncoding::Utf16LE: return EncodeWith(text, QStringConverter::Utf16LE, true);
    case TTextEncoding::Utf16BE: return EncodeWith(text, QStringConverter::Utf16BE, true);
    case TTextEncoding::Utf32LE: return EncodeWith(text, QStringConverter::Utf32LE, true);
    case TTextEncoding::Utf32BE: return EncodeWith(text, QStringConverter::Utf32BE, true);
    case TTextEncoding::Windows1252: {
        QByteArray bytes(text.size(), Qt::Uninitialized);
        char *out = bytes.data();
        for (const QChar c : text) {
            const auto b = Cp1252Byte(c.unicode());
            if (!b)
                return std::nullopt;
            *out++ = *b;
        }
        return bytes;
    }
    }
    return std::nullopt;
}

QString EncodingName(TTextEncoding encoding)
{
    switch (encoding) {
    case TTextEncoding::Utf8: return QStringLiteral("UTF-8");
    case TTextEncoding::Utf8Bom: return QStringLiteral("UTF-8 BOM");
    case TTextEncoding::Utf16LE: return QStringLiteral("UTF-16LE");
    case TTextEncoding::Utf16BE: return QStringLiteral("UTF-16BE");
    case TTextEncoding::Utf32LE: return QStringLiteral("UTF-32LE");
    case TTextEncoding::Utf32BE: return QStringLiteral("UTF-32BE");
    case TTextEncoding::Windows1252: return QStringLiteral("Windows-1252");
    }
    return QString();
}
