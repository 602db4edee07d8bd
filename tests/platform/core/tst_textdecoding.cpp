// Tests of reading file bytes as text and writing them back unchanged.
#include "platform/core/textdecoding.h"

#include <QStringDecoder>
#include <QtTest>

Q_DECLARE_METATYPE(TTextEncoding)

class TestTextDecoding : public QObject
{
    Q_OBJECT

private slots:
    void decode_data();
    void decode();
    void tableMatchesQt();
    void everyByteSurvives();
    void damagedUnits_data();
    void damagedUnits();
    void encodeFailsOnForeignCharacters();
};

void TestTextDecoding::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<TTextEncoding>("encoding");

    const auto u = [](const char *s) { return QString::fromUtf8(s); };
    QTest::newRow("empty") << QByteArray() << QString() << TTextEncoding::Utf8;
    QTest::newRow("UTF-8") << QByteArray("caf\xC3\xA9 \xE2\x82\xAC") << u("caf\xC3\xA9 \xE2\x82\xAC")
                           << TTextEncoding::Utf8;
    QTest::newRow("NUL is kept") << QByteArray("a\0b", 3) << QStringView(u"a\0b", 3).toString() << TTextEncoding::Utf8;
    QTest::newRow("UTF-8 BOM") << QByteArray("\xEF\xBB\xBFhi") << u("hi") << TTextEncoding::Utf8Bom;
    QTest::newRow("UTF-16LE BOM") << QByteArray("\xFF\xFEh\0i\0", 6) << u("hi") << TTextEncoding::Utf16LE;
    QTest::newRow("UTF-16BE BOM") << QByteArray("\xFE\xFF\0h\0i", 6) << u("hi") << TTextEncoding::Utf16BE;
    QTest::newRow("UTF-32LE BOM") << QByteArray("\xFF\xFE\0\0h\0\0\0", 8) << u("h") << TTextEncoding::Utf32LE;
    QTest::newRow("Latin-1 byte") << QByteArray("caf\xE9") << u("caf\xC3\xA9") << TTextEncoding::Windows1252;
    QTest::newRow("euro and quotes") << QByteArray("\x80 \x93x\x94") << u("\xE2\x82\xAC \xE2\x80\x9Cx\xE2\x80\x9D")
                                     << TTextEncoding::Windows1252;
    QTest::newRow("undefined bytes stay")
        << QByteArray("\x81\x8D\x8F\x90\x9D\xE9") << QString::fromUtf16(u"\u0081\u008D\u008F\u0090\u009D\u00E9")
        << TTextEncoding::Windows1252;
    QTest::newRow("UTF-8 cut off at the end") << QByteArray("ab\xC3") << u("ab\xC3\x83") << TTextEncoding::Windows1252;
    QTest::newRow("UTF-8 BOM alone") << QByteArray("\xEF\xBB\xBF") << QString() << TTextEncoding::Utf8Bom;
    QTest::newRow("UTF-16BE BOM alone") << QByteArray("\xFE\xFF") << QString() << TTextEncoding::Utf16BE;
    QTest::newRow("UTF-32LE BOM alone") << QByteArray("\xFF\xFE\0\0", 4) << QString() << TTextEncoding::Utf32LE;
    QTest::newRow("UTF-32LE astral") << QByteArray("\xFF\xFE\0\0\x00\xF6\x01\0", 8) << QString::fromUtf16(u"\U0001F600")
                                     << TTextEncoding::Utf32LE;
    QTest::newRow("UTF-32BE BOM") << QByteArray("\0\0\xFE\xFF\0\0\0h", 8) << u("h") << TTextEncoding::Utf32BE;
    QTest::newRow("UTF-8 second BOM is text") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx") << QString(QChar(0xFEFF)) + u'x'
                                              << TTextEncoding::Utf8Bom;
    QTest::newRow("UTF-16LE second BOM is text") << QByteArray("\xFF\xFE\xFF\xFEx\0", 6) << QString(QChar(0xFEFF)) + u'x'
                                                 << TTextEncoding::Utf16LE;
    QTest::newRow("UTF-16LE unpaired surrogate kept") << QByteArray("\xFF\xFE\x00\xD8x\0", 6)
                                                      << QString(QChar(0xD800)) + u'x' << TTextEncoding::Utf16LE;
    QTest::newRow("overlong UTF-8") << QByteArray("\xC0\xAF") << u("\xC3\x80\xC2\xAF") << TTextEncoding::Windows1252;
}

void TestTextDecoding::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(TTextEncoding, encoding);
    const TDecodedText decoded = DecodeFileBytes(bytes);
    QCOMPARE(decoded.Text, text);
    QCOMPARE(decoded.Encoding, encoding);
    // Reading and writing back gives the same bytes.
    QCOMPARE(EncodeFileText(decoded.Text, decoded.Encoding).value_or("<failed>"), bytes);
}

void TestTextDecoding::tableMatchesQt()
{
    QStringDecoder qt("windows-1252", QStringConverter::Flag::Stateless);
    if (!qt.isValid())
        QSKIP("this Qt has no Windows-1252 decoder; our table stands alone");
    QByteArray all(256, Qt::Uninitialized);
    for (int b = 0; b < 256; ++b)
        all[b] = char(b);
    QCOMPARE(DecodeWindows1252(all), qt.decode(all));
}

void TestTextDecoding::everyByteSurvives()
{
    QByteArray all(256, Qt::Uninitialized);
    for (int b = 0; b < 256; ++b)
        all[b] = char(b);
    const TDecodedText decoded = DecodeFileBytes(all);
    QCOMPARE(decoded.Encoding, TTextEncoding::Windows1252);
    QCOMPARE(decoded.Text.size(), 256);
    QCOMPARE(EncodeFileText(decoded.Text, decoded.Encoding).value_or(QByteArray()), all);
}

// Bytes that make no character of the BOM's encoding: a unit no string can hold reads as
// U+FFFD, bytes past the last whole unit stay one character each. Nothing vanishes, and the
// text is always a string that can be written.
void TestTextDecoding::damagedUnits_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<TTextEncoding>("encoding");

    const QChar bad(QChar::ReplacementCharacter);
    QTest::newRow("UTF-32LE lone high surrogate") << QByteArray("\xFF\xFE\0\0\x00\xD8\0\0a\0\0\0", 12)
                                                  << QString(bad) + u'a' << TTextEncoding::Utf32LE;
    QTest::newRow("UTF-32LE lone low surrogate") << QByteArray("\xFF\xFE\0\0\xFF\xDF\0\0", 8) << QString(bad)
                                                 << TTextEncoding::Utf32LE;
    QTest::newRow("UTF-32BE surrogate") << QByteArray("\0\0\xFE\xFF\0\0\xDC\x01", 8) << QString(bad)
                                        << TTextEncoding::Utf32BE;
    QTest::newRow("UTF-32LE past U+10FFFF") << QByteArray("\xFF\xFE\0\0\0\0\x11\0b\0\0\0", 12)
                                            << QString(bad) + u'b' << TTextEncoding::Utf32LE;
    QTest::newRow("UTF-32BE all bits set") << QByteArray("\0\0\xFE\xFF\xFF\xFF\xFF\xFF", 8) << QString(bad)
                                           << TTextEncoding::Utf32BE;
    QTest::newRow("UTF-32LE cut short") << QByteArray("\xFF\xFE\0\0a\0\0\0b\0", 10) << QStringLiteral("ab") + QChar(0)
                                        << TTextEncoding::Utf32LE;
    QTest::newRow("UTF-16LE odd byte at the end") << QByteArray("\xFF\xFEh\0\xE9", 5) << QString::fromUtf16(u"h\u00E9")
                                                  << TTextEncoding::Utf16LE;
    QTest::newRow("UTF-16BE odd byte at the end") << QByteArray("\xFE\xFF\0h!", 5) << QStringLiteral("h!")
                                                  << TTextEncoding::Utf16BE;
    QTest::newRow("UTF-8 BOM, sequence cut off") << QByteArray("\xEF\xBB\xBF" "ab\xC3") << QStringLiteral("ab") + bad
                                                 << TTextEncoding::Utf8Bom;
}

void TestTextDecoding::damagedUnits()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(TTextEncoding, encoding);
    const TDecodedText decoded = DecodeFileBytes(bytes);
    QCOMPARE(decoded.Encoding, encoding);
    QCOMPARE(decoded.Text, text);
    QVERIFY(QStringView(decoded.Text).isValidUtf16());
    QVERIFY(EncodeFileText(decoded.Text, decoded.Encoding).has_value());
}

void TestTextDecoding::encodeFailsOnForeignCharacters()
{
    QVERIFY(!EncodeFileText(QString::fromUtf8("caf\xC3\xA9 \xE6\x97\xA5"), TTextEncoding::Windows1252));
    QCOMPARE(EncodeFileText(QString::fromUtf8("\xE2\x82\xAC"), TTextEncoding::Windows1252).value_or(""),
             QByteArray("\x80"));
    QCOMPARE(EncodeFileText(QString::fromUtf8("\xE6\x97\xA5"), TTextEncoding::Utf8).value_or(""),
             QByteArray("\xE6\x97\xA5"));
}

QTEST_GUILESS_MAIN(TestTextDecoding)
#include "tst_textdecoding.moc"
