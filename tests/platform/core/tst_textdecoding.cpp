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
