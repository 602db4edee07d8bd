// Turns the bytes of a file into text (BOM, then UTF-8, then Windows-1252) and back again.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// How a file's bytes were read, so that writing can give back the same bytes.
enum class TTextEncoding {
    Utf8,    // no BOM, valid UTF-8 (also any pure ASCII file)
    Utf8Bom, // UTF-8 with its byte order mark
    Utf16LE, // the UTF-16 and UTF-32 forms are only recognised by their BOM
    Utf16BE,
    Utf32LE,
    Utf32BE,
    Windows1252 // anything else: the 8-bit code page, one character per byte
};

struct TDecodedText
{
    QString Text;
    TTextEncoding Encoding = TTextEncoding::Utf8;
};

// A BOM decides; otherwise valid UTF-8 is UTF-8; otherwise Windows-1252. Every byte becomes a
// character: NULs and other control characters are kept, nothing is dropped or truncated.
TDecodedText DecodeFileBytes(const QByteArray &bytes);

// The inverse of DecodeFileBytes. The BOM forms write their BOM again. Returns nothing when the
// encoding cannot hold a character of the text (Windows-1252 only); the caller then saves as UTF-8.
std::optional<QByteArray> EncodeFileText(const QString &text, TTextEncoding encoding);

// Windows-1252 through our own table, independent of the ICU build of Qt.
QString DecodeWindows1252(const QByteArray &bytes);

// A short name for the status bar and for messages, e.g. "UTF-8", "UTF-16LE", "Windows-1252".
QString EncodingName(TTextEncoding encoding);
