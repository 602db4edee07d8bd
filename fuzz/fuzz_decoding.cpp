// Reading and writing file bytes: every input decodes to a well-formed string in the encoding
// the bytes show, and whatever that encoding can hold comes back as the same bytes.
#include "fuzz/fuzzcheck.h"

#include "platform/core/textdecoding.h"

#include <QStringDecoder>

namespace {

bool WellFormed(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate()) {
            if (i + 1 >= text.size() || !text.at(i + 1).isLowSurrogate())
                return false;
            ++i;
        } else if (c.isLowSurrogate()) {
            return false;
        }
    }
    return true;
}

// UTF-32 whose every unit is a scalar value, in whole units.
bool ValidUtf32(const QByteArray &bytes, bool bigEndian)
{
    if (bytes.size() % 4)
        return false;
    for (qsizetype i = 0; i < bytes.size(); i += 4) {
        const auto b = [&](int k) { return quint32(quint8(bytes[i + (bigEndian ? k : 3 - k)])); };
        const quint32 unit = b(0) << 24 | b(1) << 16 | b(2) << 8 | b(3);
        if (unit > 0x10FFFF || (unit >= 0xD800 && unit <= 0xDFFF))
            return false;
    }
    return true;
}

bool ValidUtf8(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(bytes); // the decoder runs when its result is taken
    return !utf8.hasError();
}

bool IsUtf16(TTextEncoding e)
{
    return e == TTextEncoding::Utf16LE || e == TTextEncoding::Utf16BE;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    // Bytes to text and back.
    const TDecodedText decoded = DecodeFileBytes(bytes);
    const TTextEncoding encoding = decoded.Encoding;
    // UTF-16 files keep what they hold, unpaired surrogates too, so that they save unchanged.
    if (!IsUtf16(encoding))
        FUZZ_CHECK(WellFormed(decoded.Text), QStringLiteral("decoding as %1 gave a malformed string").arg(EncodingName(encoding)));
    const std::optional<QByteArray> again = EncodeFileText(decoded.Text, encoding);
    FUZZ_CHECK(again.has_value(), QStringLiteral("decoded text does not fit %1").arg(EncodingName(encoding)));
    bool keepsBytes = true;
    if (IsUtf16(encoding))
        keepsBytes = bytes.size() % 2 == 0;
    else if (encoding == TTextEncoding::Utf8Bom)
        keepsBytes = ValidUtf8(bytes.sliced(3));
    else if (encoding == TTextEncoding::Utf32LE || encoding == TTextEncoding::Utf32BE)
        keepsBytes = ValidUtf32(bytes, encoding == TTextEncoding::Utf32BE);
    if (keepsBytes)
        FUZZ_CHECK(*again == bytes, QStringLiteral("%1 bytes do not come back").arg(EncodingName(encoding)));
    if (encoding == TTextEncoding::Windows1252)
        FUZZ_CHECK(decoded.Text.size() == bytes.size(), QStringLiteral("Windows-1252 is one character per byte"));
    FUZZ_CHECK(DecodeWindows1252(bytes).size() == bytes.size(), QStringLiteral("Windows-1252 table lost a byte"));

    // Text to bytes and back, in each encoding that can hold it: the input read as UTF-16 units.
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, size_t(text.size()) * 2);
    if (!WellFormed(text))
        return 0;
    for (const TTextEncoding e : {TTextEncoding::Utf8, TTextEncoding::Utf8Bom, TTextEncoding::Utf16LE, TTextEncoding::Utf16BE,
                                  TTextEncoding::Utf32LE, TTextEncoding::Utf32BE, TTextEncoding::Windows1252}) {
        const std::optional<QByteArray> written = EncodeFileText(text, e);
        if (!written) {
            FUZZ_CHECK(e == TTextEncoding::Windows1252, QStringLiteral("%1 refused a text").arg(EncodingName(e)));
            continue;
        }
        const TDecodedText read = DecodeFileBytes(*written);
        // A text that itself starts like a BOM, or whose bytes look like another encoding, is read
        // as that; otherwise the encoding written is the one read.
        if (read.Encoding != e) {
            FUZZ_CHECK(e == TTextEncoding::Utf8 || e == TTextEncoding::Windows1252 || text.startsWith(QChar(0)),
                       QStringLiteral("%1 read back as %2").arg(EncodingName(e), EncodingName(read.Encoding)));
            continue;
        }
        FUZZ_CHECK(read.Text == text, QStringLiteral("%1 text does not come back").arg(EncodingName(e)));
    }
    return 0;
}
