// Files that must come back byte for byte after opening and saving, and files that open with a warning.
#pragma once

#include "platform/core/textdecoding.h"

#include <QByteArray>
#include <QTest>

// Columns: the file's bytes, the encoding it opens in, whether it opens with a warning, and the
// bytes an unedited save writes (the same bytes for every file that opened without a warning).
inline void AddRoundTripRows()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<TTextEncoding>("encoding");
    QTest::addColumn<bool>("warned");
    QTest::addColumn<QByteArray>("saved");
    using E = TTextEncoding;
    const auto same = [](const char *name, const QByteArray &bytes, E encoding) {
        QTest::newRow(name) << bytes << encoding << false << bytes;
    };
    const auto warned = [](const char *name, const QByteArray &bytes, E encoding, const QByteArray &saved) {
        QTest::newRow(name) << bytes << encoding << true << saved;
    };
    same("utf-8 with LF",
         QByteArray("<p>Gr\xc3\xbc\xc3\x9f"
                    "e</p>\n<br>\n"),
         E::Utf8);
    same("windows-1252 with CR LF", QByteArray("caf\xe9 \x80\r\nx\r\n"), E::Windows1252);
    same("bytes Windows-1252 leaves undefined", QByteArray("\x81\x8d\x8f\x90\x9d\n"), E::Windows1252);
    same("old Mac CR", QByteArray("a\rb\r"), E::Utf8);
    same("utf-8 with BOM", QByteArray("\xef\xbb\xbfhi\n"), E::Utf8Bom);
    same("utf-16LE", QByteArray("\xff\xfeh\0i\0\n\0", 8), E::Utf16LE);
    same("utf-16BE without a final break", QByteArray("\xfe\xff\0h\0\n\0i", 8), E::Utf16BE);
    same("utf-32LE", QByteArray("\xff\xfe\0\0h\0\0\0\n\0\0\0", 12), E::Utf32LE);
    same("lone surrogate in utf-16",
         QByteArray("\xff\xfe"
                    "a\0\x00\xd8z\0\n\0",
                    10),
         E::Utf16LE);
    same("NUL and control characters kept", QByteArray("a\0b\x01\x7f\n", 6), E::Utf8);
    same("no final line break", QByteArray("<p>a</p>\n<p>b</p>"), E::Utf8);
    same("CR LF file without a final break", QByteArray("a\r\nb"), E::Utf8);
    same("empty file", QByteArray(), E::Utf8);
    same("only a line break", QByteArray("\n"), E::Utf8);
    same("blank lines at the end", QByteArray("a\n\n\n"), E::Utf8);
    same("second BOM after the first", QByteArray("\xef\xbb\xbf\xef\xbb\xbf<p>x</p>\n"), E::Utf8Bom);
    same("second BOM after the first in utf-16", QByteArray("\xff\xfe\xff\xfex\0\n\0", 8), E::Utf16LE);
    warned("utf-8 cut off at the end", QByteArray("<p>caf\xc3\xa9</p>\n\xe2\x82"), E::Windows1252,
           QByteArray("<p>caf\xc3\xa9</p>\n\xe2\x82"));
    warned("utf-8 with a broken character inside", QByteArray("\xc3\xa9 x \xc3 y\n"), E::Windows1252,
           QByteArray("\xc3\xa9 x \xc3 y\n"));
    warned("utf-8 BOM with an invalid byte",
           QByteArray("\xef\xbb\xbf"
                      "a\xff\n"),
           E::Windows1252,
           QByteArray("\xef\xbb\xbf"
                      "a\xff\n"));
    warned("utf-32 with an invalid code point", QByteArray("\xff\xfe\0\0a\0\0\0\0\0\x11\0", 12), E::Windows1252,
           QByteArray("\xff\xfe\0\0a\0\0\0\0\0\x11\0", 12));
    // The stray byte stays as a character and is written as a whole UTF-16 unit.
    warned("utf-16 with an odd trailing byte",
           QByteArray("\xff\xfe"
                      "a\0\n\0z",
                      7),
           E::Utf16LE,
           QByteArray("\xff\xfe"
                      "a\0\n\0z\0",
                      8));
    warned("utf-32 cut short", QByteArray("\xff\xfe\0\0a\0\0\0\n\0\0\0b\0", 14), E::Utf32LE,
           QByteArray("\xff\xfe\0\0a\0\0\0\n\0\0\0b\0\0\0\0\0\0\0", 20));
    warned("mixed line breaks", QByteArray("a\r\nb\nc\r\n"), E::Utf8, QByteArray("a\r\nb\r\nc\r\n"));
}
