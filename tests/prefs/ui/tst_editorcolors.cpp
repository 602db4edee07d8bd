// The editor colours against a host: the user's colours kept in the store and read back, a store
// that cannot take them, damaged stored values, and editors opened later.
#include "fakehost.h"
#include "prefs/ui/editorcolors.h"

#include "highlight/ui/highlightertokens.h"
#include "platform/core/settingsstore.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

namespace {

TEditorScheme Picked(const TEditorColors &colors)
{
    TEditorScheme scheme = colors.Current();
    scheme.Background = clYellow;
    scheme.Foreground = clNavy;
    for (TSchemeAttribute &a : scheme.Attributes)
        if (a.Name == QLatin1String("Comment")) {
            a.Foreground = clPurple;
            a.Style = fsBold;
        }
    return scheme;
}

} // namespace

class TestEditorColors : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_n = 0;

private Q_SLOTS:
    void storedColoursComeBack()
    {
        const QString file = m_dir.filePath(QStringLiteral("c%1.conf").arg(++m_n));
        TSettingsStore store(file);
        {
            TFakeHost host;
            host.store = &store;
            TEditorColors colors(host, nullptr);
            QVERIFY(colors.UseUserColors(Picked(colors)));
            QVERIFY(host.prefs.Settings.UserColors);
            QCOMPARE(host.view->palette().color(QPalette::Base), ToQColor(clYellow));
        }
        TSettingsStore reread(file);
        TFakeHost host;
        host.store = &reread;
        host.prefs.Settings.UserColors = true;
        TEditorColors colors(host, nullptr);
        QCOMPARE(host.highlighter.CommentAttri()->Foreground(), clPurple);
        QCOMPARE(host.highlighter.CommentAttri()->Style(), TFontStyles(fsBold));
        QCOMPARE(colors.Current().Background, clYellow);
        QCOMPARE(colors.Current().Foreground, clNavy);
        // An editor opened now gets them too.
        TCodeEditView later(host.edit, &host.window);
        for (const auto &listener : host.editorListeners)
            listener(&later);
        QCOMPARE(later.palette().color(QPalette::Text), ToQColor(clNavy));
    }

    void storedColoursIgnoredWithoutTheFlag()
    {
        const QString file = m_dir.filePath(QStringLiteral("c%1.conf").arg(++m_n));
        TSettingsStore store(file);
        {
            TFakeHost host;
            host.store = &store;
            TEditorColors colors(host, nullptr);
            colors.UseUserColors(Picked(colors));
        }
        TFakeHost host;
        host.store = &store;
        TEditorColors colors(host, nullptr);
        QVERIFY(host.highlighter.CommentAttri()->Foreground() != clPurple);
        QCOMPARE(colors.Current().Background, colors.DesktopDark() ? EditorScheme::Dark().Background : clNone);
    }

    void readOnlyStoreIsToldButColoursHold()
    {
        const QString file = m_dir.filePath(QStringLiteral("c%1.conf").arg(++m_n));
        TSettingsStore store(file, true);
        TFakeHost host;
        host.store = &store;
        TEditorColors colors(host, nullptr);
        QVERIFY(!colors.UseUserColors(Picked(colors)));
        QCOMPARE(host.errors.size(), 1);
        QVERIFY2(host.errors.first().contains(file), qPrintable(host.errors.first()));
        QCOMPARE(host.highlighter.CommentAttri()->Foreground(), clPurple);
    }

    void damagedStoredValueKeepsTheRest_data()
    {
        QTest::addColumn<QString>("attribute");
        QTest::addColumn<QString>("value");
        QTest::newRow("comment colour is text") << "Comment" << "Foreground";
        QTest::newRow("editor background is text") << "Editor" << "Background";
    }
    void damagedStoredValueKeepsTheRest()
    {
        QFETCH(QString, attribute);
        QFETCH(QString, value);
        const QString file = m_dir.filePath(QStringLiteral("c%1.conf").arg(++m_n));
        TSettingsStore store(file);
        {
            TFakeHost host;
            host.store = &store;
            TEditorColors colors(host, nullptr);
            colors.UseUserColors(Picked(colors));
        }
        store.OpenKey(TEditorColors::StoreKey() + u'\\' + attribute, false);
        store.WriteString(value, QStringLiteral("purple"));
        store.CloseKey();
        TFakeHost host;
        host.store = &store;
        host.prefs.Settings.UserColors = true;
        TEditorColors colors(host, nullptr); // must not throw
        if (attribute == QLatin1String("Comment"))
            QCOMPARE(colors.Current().Background, clYellow);
        else
            QCOMPARE(host.highlighter.CommentAttri()->Foreground(), clPurple);
        QVERIFY(host.errors.isEmpty());
    }

    void darkPaletteWithoutUserColours()
    {
        const QPalette saved = QApplication::palette();
        TFakeHost host;
        TEditorColors colors(host, nullptr);
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(0x20, 0x20, 0x20));
        QApplication::setPalette(dark);
        const bool wasDark = colors.DesktopDark();
        const QColor base = host.view->palette().color(QPalette::Base);
        QApplication::setPalette(saved);
        QVERIFY(wasDark);
        QCOMPARE(base, ToQColor(EditorScheme::Dark().Background));
        QVERIFY(!colors.DesktopDark());
        QCOMPARE(host.highlighter.KeyAttri()->Foreground(), clNavy);
    }
};

QTEST_MAIN(TestEditorColors)
#include "tst_editorcolors.moc"
