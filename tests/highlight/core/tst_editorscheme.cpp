// The dark editor scheme: every token readable on its background, every attribute of the HTML
// highlighter covered, and the measures that decide what counts as dark.
#include "highlight/core/editorscheme.h"
#include "highlight/core/htmlsyn.h"

#include <QTest>

class TestEditorScheme : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void darkTokensReadable_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("foreground");
        QTest::addColumn<int>("background");
        const TEditorScheme dark = EditorScheme::Dark();
        for (const TSchemeAttribute &a : dark.Attributes)
            QTest::newRow(qPrintable(a.Name)) << a.Name << (a.Foreground == clNone ? dark.Foreground : a.Foreground)
                                              << (a.Background == clNone ? dark.Background : a.Background);
        QTest::newRow("plain text") << "text" << dark.Foreground << dark.Background;
        QTest::newRow("line numbers") << "gutter" << dark.GutterForeground << dark.GutterBackground;
        QTest::newRow("selection") << "selection" << dark.SelectionForeground << dark.SelectionBackground;
    }
    void darkTokensReadable()
    {
        QFETCH(int, foreground);
        QFETCH(int, background);
        // The ratio asked of body text for people with reduced sight.
        QVERIFY2(EditorScheme::ContrastRatio(foreground, background) >= 4.5,
                 qPrintable(QString::number(EditorScheme::ContrastRatio(foreground, background))));
        QVERIFY(EditorScheme::IsDark(background));
    }

    void darkCoversEveryAttribute()
    {
        THTMLSyn syn;
        SetupHTMLHiLiterColors(syn);
        const TEditorScheme dark = EditorScheme::Dark();
        QCOMPARE(EditorScheme::ApplyAttributes(syn, dark), syn.GetAttribCount());
        // Nothing of the light colours is left: the keyword blue of the light scheme is
        // unreadable on a dark background.
        QVERIFY(EditorScheme::ContrastRatio(syn.KeyAttri()->Foreground(), dark.Background) >= 4.5);
        QCOMPARE(syn.CommentAttri()->Style(), TFontStyles(fsItalic));
    }

    void applyLeavesUnnamedAttributes()
    {
        THTMLSyn syn;
        SetupHTMLHiLiterColors(syn);
        const TColor key = syn.KeyAttri()->Foreground();
        TEditorScheme partial = EditorScheme::Dark();
        partial.Attributes = {{QStringLiteral("comment"), clRed, clNone, {}},
                              {QStringLiteral("No such kind"), clRed, clNone, {}}};
        QCOMPARE(EditorScheme::ApplyAttributes(syn, partial), 1);
        QCOMPARE(syn.CommentAttri()->Foreground(), clRed); // names match in any case
        QCOMPARE(syn.KeyAttri()->Foreground(), key);
    }

    void contrast_data()
    {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<double>("ratio");
        QTest::newRow("black on white") << clBlack << clWhite << 21.0;
        QTest::newRow("white on black") << clWhite << clBlack << 21.0;
        QTest::newRow("same colour") << clGray << clGray << 1.0;
        QTest::newRow("mid grey on white") << RGBToColor(0x76, 0x76, 0x76) << clWhite << 4.54;
        QTest::newRow("blue weighs less than green") << clBlue << clBlack << 2.44;
        QTest::newRow("green") << clLime << clBlack << 15.3;
    }
    void contrast()
    {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(double, ratio);
        QVERIFY2(qAbs(EditorScheme::ContrastRatio(a, b) - ratio) < 0.02,
                 qPrintable(QString::number(EditorScheme::ContrastRatio(a, b))));
    }

    void isDark_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<bool>("dark");
        QTest::newRow("Adwaita light") << RGBToColor(0xF6, 0xF5, 0xF4) << false;
        QTest::newRow("Fusion light") << RGBToColor(0xEF, 0xEF, 0xEF) << false;
        QTest::newRow("Adwaita dark") << RGBToColor(0x35, 0x35, 0x35) << true;
        QTest::newRow("Breeze dark") << RGBToColor(0x31, 0x36, 0x3B) << true;
        QTest::newRow("black") << clBlack << true;
        QTest::newRow("mid grey counts as light") << RGBToColor(0x80, 0x80, 0x80) << false;
        QTest::newRow("just below mid grey") << RGBToColor(0x7F, 0x7F, 0x7F) << true;
        QTest::newRow("saturated blue is dark") << clNavy << true;
        QTest::newRow("yellow is light") << clYellow << false;
    }
    void isDark()
    {
        QFETCH(int, window);
        QFETCH(bool, dark);
        QCOMPARE(EditorScheme::IsDark(window), dark);
    }
};

QTEST_GUILESS_MAIN(TestEditorScheme)
#include "tst_editorscheme.moc"
