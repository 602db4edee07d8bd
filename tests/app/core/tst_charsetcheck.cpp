// The declared charset found, compared with the file's encoding, and what an encoding cannot store.
#include "app/core/charsetcheck.h"

#include <QTest>

using namespace CharsetCheck;

Q_DECLARE_METATYPE(TTextEncoding)

class tst_CharsetCheck : public QObject
{
    Q_OBJECT

private slots:
    void findsDeclaration_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name"); // empty: none found

        QTest::newRow("html5") << "<head><meta charset=\"utf-8\"></head>" << "utf-8";
        QTest::newRow("unquoted, upper case tag") << "<HEAD><META CHARSET=ISO-8859-1>" << "ISO-8859-1";
        QTest::newRow("single quotes, blanks") << "<meta charset = ' windows-1252 '>" << "windows-1252";
        QTest::newRow("http-equiv") << "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">"
                                    << "iso-8859-1";
        QTest::newRow("http-equiv after content")
            << "<meta content='text/html;charset=UTF-8' http-equiv='content-type'>" << "UTF-8";
        QTest::newRow("content without http-equiv") << "<meta name=\"x\" content=\"charset=utf-8\">" << "";
        QTest::newRow("inside a comment") << "<!-- <meta charset=utf-8> --><p>" << "";
        QTest::newRow("after a comment") << "<!-- old --><meta charset=utf-16>" << "utf-16";
        QTest::newRow("metadata is not meta") << "<metadata charset=utf-8>" << "";
        QTest::newRow("self-closing") << "<meta charset=utf-8/>" << "utf-8";
        QTest::newRow("unclosed tag") << "<meta charset=utf-8" << "";
        QTest::newRow("past the search length") << QString(kSearchLength, u' ') + "<meta charset=utf-8>" << "";
        QTest::newRow("just inside the search length")
            << QString(kSearchLength - 1, u' ') + "<meta charset=utf-8>" << "utf-8";
        QTest::newRow("empty charset") << "<meta charset=\"\">" << "";
    }
    void findsDeclaration()
    {
        QFETCH(QString, text);
        QFETCH(QString, name);
        const std::optional<TDeclaration> found = FindDeclaration(text);
        QCOMPARE(found ? found->Name : QString(), name);
        if (found) // the position names the text that a fix replaces
            QCOMPARE(text.mid(found->Start, found->Length), name);
    }

    void agreement_data()
    {
        QTest::addColumn<QString>("charset");
        QTest::addColumn<TTextEncoding>("encoding");
        QTest::addColumn<bool>("asciiOnly");
        QTest::addColumn<bool>("agrees");

        QTest::newRow("utf-8 / UTF-8") << "UTF-8" << TTextEncoding::Utf8 << false << true;
        QTest::newRow("utf-8 / UTF-8 BOM") << "utf-8" << TTextEncoding::Utf8Bom << false << true;
        QTest::newRow("latin1 / 1252") << "iso-8859-1" << TTextEncoding::Windows1252 << false << true;
        QTest::newRow("us-ascii / 1252") << "US-ASCII" << TTextEncoding::Windows1252 << false << true;
        QTest::newRow("utf-8 / 1252") << "utf-8" << TTextEncoding::Windows1252 << false << false;
        QTest::newRow("1252 / UTF-8") << "windows-1252" << TTextEncoding::Utf8 << false << false;
        QTest::newRow("1252 / ASCII text read as UTF-8") << "windows-1252" << TTextEncoding::Utf8 << true << true;
        QTest::newRow("utf-16 / UTF-16BE") << "utf-16" << TTextEncoding::Utf16BE << false << true;
        QTest::newRow("utf-8 / UTF-16 even for ASCII") << "utf-8" << TTextEncoding::Utf16LE << true << false;
        QTest::newRow("unknown charset") << "shift_jis" << TTextEncoding::Utf8 << true << false;
    }
    void agreement()
    {
        QFETCH(QString, charset);
        QFETCH(TTextEncoding, encoding);
        QFETCH(bool, asciiOnly);
        QFETCH(bool, agrees);
        QCOMPARE(Agrees(charset, encoding, asciiOnly), agrees);
        QCOMPARE(MismatchText(TDeclaration{charset, 0, 0}, encoding, asciiOnly).isEmpty(), agrees);
    }

    void declaredNameReadsBackAsTheEncoding_data()
    {
        QTest::addColumn<TTextEncoding>("encoding");
        for (TTextEncoding e : {TTextEncoding::Utf8, TTextEncoding::Utf8Bom, TTextEncoding::Utf16LE,
                                TTextEncoding::Utf16BE, TTextEncoding::Utf32LE, TTextEncoding::Utf32BE,
                                TTextEncoding::Windows1252})
            QTest::newRow(qPrintable(EncodingName(e))) << e;
    }
    void declaredNameReadsBackAsTheEncoding()
    {
        // A declaration written by "declare" must then agree, or the question would come back.
        QFETCH(TTextEncoding, encoding);
        QVERIFY(Agrees(CharsetNameOf(encoding), encoding, false));
    }

    void unstorableCharacters()
    {
        const QStringList lines{QStringLiteral("caf\u00E9 \u20AC"), QStringLiteral("\u0101 and \u20AC again"),
                                QStringLiteral("\U0001F600 ") + QChar(0xD800) + QStringLiteral("x")};
        const LineAccess line = [&](int i) { return QStringView(lines.at(i)); };
        // é and € are in Windows-1252; ā, the emoji and the lone half are not. Each once.
        const QList<TUnstorable> found = Unstorable(int(lines.size()), line, TTextEncoding::Windows1252);
        QCOMPARE(found.size(), 3);
        QCOMPARE(found.at(0).Character, QStringLiteral("\u0101"));
        QCOMPARE(found.at(0).Line, 1);
        QCOMPARE(found.at(0).Column, 0);
        QCOMPARE(found.at(1).Character, QStringLiteral("\U0001F600"));
        QCOMPARE(found.at(2).Column, 3);
        QCOMPARE(DescribeUnstorable(found),
                 QStringLiteral("\u201C\u0101\u201D U+0101, line 2\n\u201C\U0001F600\u201D U+1F600, line 3\n"
                                "(half of a pair) U+D800, line 3"));
        // UTF-8 holds everything but the lone half.
        const QList<TUnstorable> utf8 = Unstorable(int(lines.size()), line, TTextEncoding::Utf8);
        QCOMPARE(utf8.size(), 1);
        QCOMPARE(utf8.at(0).Character, QString(QChar(0xD800)));
        // UTF-16 writes every code unit back as it was.
        QVERIFY(Unstorable(int(lines.size()), line, TTextEncoding::Utf16BE).isEmpty());
        // The list stops at the limit.
        QCOMPARE(Unstorable(int(lines.size()), line, TTextEncoding::Windows1252, 2).size(), 2);
        QVERIFY(!AsciiOnly(int(lines.size()), line));
        const QStringList ascii{QStringLiteral("<p>plain</p>")};
        QVERIFY(AsciiOnly(1, [&](int i) { return QStringView(ascii.at(i)); }));
    }

    void unknownCharsetIsNamed()
    {
        const QString text = MismatchText(TDeclaration{QStringLiteral("koi8-r"), 0, 0}, TTextEncoding::Utf8, false);
        QVERIFY2(text.contains(QStringLiteral("koi8-r")) && text.contains(QStringLiteral("cannot")), qPrintable(text));
        QVERIFY(MismatchText(std::nullopt, TTextEncoding::Windows1252, false).isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_CharsetCheck)
#include "tst_charsetcheck.moc"
