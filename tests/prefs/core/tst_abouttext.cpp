// The about texts: the version in the product text, the running versions in the component list.
#include "prefs/core/abouttext.h"

#include <QTest>

class TestAboutText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void productTextNamesVersionAndHomePage()
    {
        const QString text = AboutText::ProductText(QStringLiteral("0.960"));
        QVERIFY(text.startsWith(QStringLiteral("TagForge 0.960\n")));
        QVERIFY(text.contains(QString::fromUtf16(AboutText::kHomePage)));
        for (const char *section : {"LICENCE", "NO WARRANTY", "FAULTS", "DONATIONS"})
            QVERIFY2(text.contains(QLatin1String(section)), section);
    }

    void components_data()
    {
        QTest::addColumn<QString>("webEngine");
        QTest::addColumn<QString>("chromium");
        QTest::addColumn<QString>("engineLine");
        QTest::newRow("with the engine") << "6.4.2"
                                         << "102.0.5005.177"
                                         << "- Qt WebEngine 6.4.2, on Chromium 102.0.5005.177: the preview";
        QTest::newRow("engine without chromium version") << "6.4.2"
                                                         << ""
                                                         << "- Qt WebEngine 6.4.2, on Chromium ?:";
        QTest::newRow("built without the engine") << ""
                                                  << "102"
                                                  << "- Browser engine: not built into this copy";
    }
    void components()
    {
        QFETCH(QString, webEngine);
        QFETCH(QString, chromium);
        QFETCH(QString, engineLine);
        const QString text = AboutText::ComponentsText({QStringLiteral("6.4.2"), webEngine, chromium});
        QVERIFY(text.contains(QStringLiteral("- Qt 6.4.2 (")));
        QVERIFY2(text.contains(engineLine), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("libjpeg")));
        QVERIFY(text.endsWith(QStringLiteral("Many thanks to the authors of these components.")));
        // The line breaks stay where they are written: no stray "%" from an unfilled argument.
        QVERIFY(!text.contains(u'%'));
    }
};

QTEST_APPLESS_MAIN(TestAboutText)
#include "tst_abouttext.moc"
