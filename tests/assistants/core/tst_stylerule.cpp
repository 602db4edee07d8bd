// The style assistant's rule and preview mapping.
#include "assistants/core/stylerule.h"

#include <QTest>

using namespace StyleAssistant;

Q_DECLARE_METATYPE(StyleAssistant::TStyleFields)

namespace {

QString Lines(std::initializer_list<const char *> lines)
{
    QString text;
    for (const char *line : lines)
        text += QLatin1String(line) + QStringLiteral("\r\n");
    return text;
}

} // namespace

class TestStyleRule : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rule_data()
    {
        QTest::addColumn<TStyleFields>("fields");
        QTest::addColumn<QString>("rule");

        TStyleFields h1;
        h1.Selector = QStringLiteral("h1");
        h1.Font = QStringLiteral("Arial");
        h1.Size = QStringLiteral("large");
        h1.Bold = true;
        h1.Align = QStringLiteral("center");
        h1.Color = 0xFF0000;
        QTest::newRow("h1, Arial, large, bold, centred, red")
            << h1
            << Lines({"h1 {", "  font-family: \"Arial\";", "  font-size: large;", "  font-weight: bold;",
                      "  text-align: center;", "  color: #FF0000;", "}"});

        QTest::newRow("nothing chosen keeps the empty lines")
            << TStyleFields{} << Lines({" {", "  font-family: \"\";", "  font-size: ;", "  text-align: ;", "}"});

        TStyleFields all;
        all.Selector = QStringLiteral("a:visited");
        all.Font = QStringLiteral("Times New Roman");
        all.Size = QStringLiteral("12pt");
        all.Italic = true;
        all.Underline = true;
        all.Bold = true;
        all.Align = QStringLiteral("justify");
        all.Color = 0x00080F;
        all.Background = 0xC0C0C0;
        QTest::newRow("every choice, in the rule's order, typed size as typed")
            << all
            << Lines({"a:visited {", "  font-family: \"Times New Roman\";", "  font-size: 12pt;",
                      "  font-weight: bold;", "  font-style: italic;", "  text-decoration: underline;",
                      "  text-align: justify;", "  color: #00080F;", "  background: #C0C0C0;", "}"});

        TStyleFields black;
        black.Selector = QStringLiteral("p");
        black.Color = 0x000000;
        black.Background = 0xFFFFFF;
        QTest::newRow("black text on white is a choice, not none")
            << black
            << Lines({"p {", "  font-family: \"\";", "  font-size: ;", "  text-align: ;", "  color: #000000;",
                      "  background: #FFFFFF;", "}"});
    }
    void rule()
    {
        QFETCH(TStyleFields, fields);
        QFETCH(QString, rule);
        QCOMPARE(StyleRule(fields), rule);
    }

    void previewSize_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<int>("points"); // 0: the size stays as it was
        QTest::newRow("xx-large") << "xx-large" << 48;
        QTest::newRow("x-large") << "x-large" << 36;
        QTest::newRow("larger") << "larger" << 24;
        QTest::newRow("large") << "large" << 18;
        QTest::newRow("medium") << "medium" << 14;
        QTest::newRow("small") << "small" << 11;
        QTest::newRow("smaller") << "smaller" << 10;
        QTest::newRow("x-small") << "x-small" << 9;
        QTest::newRow("xx-small") << "xx-small" << 8;
        QTest::newRow("any case") << "X-Large" << 36;
        QTest::newRow("typed 12pt") << "12pt" << 0;
        QTest::newRow("a keyword's prefix") << "larg" << 0;
        QTest::newRow("blank around it") << " large" << 0;
        QTest::newRow("empty") << "" << 0;
    }
    void previewSize()
    {
        QFETCH(QString, size);
        QFETCH(int, points);
        QCOMPARE(PreviewPointSize(size).value_or(0), points);
    }

    void previewAlignment_data()
    {
        QTest::addColumn<QString>("align");
        QTest::addColumn<int>("expected");
        QTest::newRow("left") << "left" << int(TPreviewAlign::Left);
        QTest::newRow("RIGHT") << "RIGHT" << int(TPreviewAlign::Right);
        QTest::newRow("center") << "center" << int(TPreviewAlign::Center);
        QTest::newRow("justify centres") << "justify" << int(TPreviewAlign::Center);
        QTest::newRow("empty centres") << "" << int(TPreviewAlign::Center);
    }
    void previewAlignment()
    {
        QFETCH(QString, align);
        QFETCH(int, expected);
        QCOMPARE(int(PreviewAlignment(align)), expected);
    }

    void everySizeSuggestionMovesThePreview()
    {
        for (const QString &size : SizeNames())
            QVERIFY2(PreviewPointSize(size).has_value(), qPrintable(size));
        QVERIFY(StyleNames().contains(QStringLiteral("address")));
        QCOMPARE(AlignNames(), (QStringList{"left", "center", "right", "justify"}));
    }
};

QTEST_GUILESS_MAIN(TestStyleRule)
#include "tst_stylerule.moc"
