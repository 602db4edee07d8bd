// Turns the bytes of a file into text (BOM, then UTF-8, then Windows-1252) and back again.
#include "platform/core/textdecoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

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

QString DecodeWithBom(const QByteArray &bytes, QStringConverter::Encoding encoding)
{
    // The default flags skip the initial BOM, which is not part of the text.
    QStringDecoder decoder(encoding);
    return decoder.decode(bytes);
}

QByteArray EncodeWith(const QString &text, QStringConverter::Encoding encoding, bool withBom)
{
    QStringEncoder encoder(encoding, withBom ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default);
    return encoder.encode(text);
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
        switch (*bom) {
        case QStringConverter::Utf8: return {DecodeWithBom(bytes, QStringConverter::Utf8), TTextEncoding::Utf8Bom};
        case QStringConverter::Utf16LE:
            return {DecodeWithBom(bytes, QStringConverter::Utf16LE), TTextEncoding::Utf16LE};
        case QStringConverter::Utf16BE:
            return {DecodeWithBom(bytes, QStringConverter::Utf16BE), TTextEncoding::Utf16BE};
        case QStringConverter::Utf32LE:
            return {DecodeWithBom(bytes, QStringConverter::Utf32LE), TTextEncoding::Utf32LE};
        case QStringConverter::Utf32BE:
            return {DecodeWithBom(bytes, QStringConverter::Utf32BE), TTextEncoding::Utf32BE};
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
