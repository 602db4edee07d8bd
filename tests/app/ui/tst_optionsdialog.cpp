// The options dialog as a user meets it in the window: clicks in its tree, Apply reaching every
// open editor, what OK stores, the Colors page, and the editors following a dark desktop.
#include "aids/core/myrichedit.h"
#include "app/ui/documenttab.h"
#include "editor/ui/codeeditview.h"
#include "highlight/core/editorscheme.h"
#include "highlight/core/htmlsyn.h"
#include "highlight/ui/highlightertokens.h"
#include "prefs/ui/colorspage.h"
#include "prefs/ui/editorcolors.h"
#include "prefs/ui/options.h"
#include "prefs/ui/optionscommands.h"
#include "windowharness.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

namespace {

const QString kSettings = QStringLiteral("Software\\Quillworks\\TagForge\\Settings");

QPalette DarkPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::Base, QColor(0x2A, 0x2A, 0x2A));
    p.setColor(QPalette::Text, Qt::white);
    p.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    p.setColor(QPalette::ButtonText, Qt::white);
    return p;
}

// Clicks a node of the shown dialog's tree with the mouse.
void ClickNode(TfrmOptions &dialog, int node)
{
    auto *tree = dialog.findChild<QTreeWidget *>(QStringLiteral("trvGeneral"));
    QTreeWidgetItem *item = dialog.Item(node);
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
}

void Press(QDialog &dialog, const char *button)
{
    QTest::mouseClick(dialog.findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
}

// The text a user types into a line edit after selecting what it holds.
void Retype(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

} // namespace

class TestOptionsDialog : public QObject
{
    Q_OBJECT

    TWindowHarness h;
    QPalette m_palette;

    TOptionsCommands *Commands() const { return h.Window->Options(); }

    // Runs the options from the menu; answer acts on the shown dialog and returns its result.
    void RunOptions(const char *command, const std::function<int(TfrmOptions &dialog)> &answer)
    {
        h.DialogAnswer = [answer](QDialog &dialog) -> int {
            auto *options = qobject_cast<TfrmOptions *>(&dialog);
            if (!options)
                return QDialog::Rejected;
            options->show();
            if (!QTest::qWaitForWindowExposed(options))
                return QDialog::Rejected;
            return answer(*options);
        };
        h.Window->Action(QLatin1String(command))->trigger();
        h.DialogAnswer = nullptr;
    }

    QList<TDocumentTab *> Tabs() const
    {
        QList<TDocumentTab *> tabs;
        for (int i = 0; i < h.Window->PageControl1()->count(); ++i)
            tabs << h.Window->Tab(i);
        return tabs;
    }

    void OpenTabs(int count)
    {
        while (h.Window->PageControl1()->count() < count)
            h.Window->Action(QStringLiteral("New1"))->trigger();
    }

private Q_SLOTS:
    void initTestCase() { m_palette = QApplication::palette(); }
    void init() { QVERIFY(h.Start()); }
    void cleanup()
    {
        QApplication::setPalette(m_palette);
        h.Stop();
    }

    void commandsOpenTheirTab_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("tab");
        QTest::addColumn<QList<int>>("open");
        QTest::addColumn<QList<int>>("closed");
        QTest::newRow("Preferences") << "Einstellungen1" << 3 << QList<int>{0, 21, 34, 35} << QList<int>{};
        QTest::newRow("General") << "Properties1" << 0 << QList<int>{0, 9} << QList<int>{21, 34};
        QTest::newRow("Editor") << "EditorProperties1" << 1 << QList<int>{21, 24} << QList<int>{0, 34};
        QTest::newRow("Browser") << "Browser1" << 2 << QList<int>{34, 42} << QList<int>{0, 21};
    }
    void commandsOpenTheirTab()
    {
        QFETCH(QString, command);
        QFETCH(int, tab);
        QFETCH(QList<int>, open);
        QFETCH(QList<int>, closed);
        QVERIFY(h.Window->Action(command)->isEnabled());
        int shownTab = -1;
        QString caption;
        RunOptions(qPrintable(command), [&](TfrmOptions &d) {
            shownTab = d.Tab();
            caption = d.windowTitle();
            for (int node : open)
                if (!d.Item(node)->isExpanded())
                    shownTab = -2;
            for (int node : closed)
                if (d.Item(node)->isExpanded())
                    shownTab = -3;
            return int(QDialog::Rejected);
        });
        QCOMPARE(shownTab, tab);
        QCOMPARE(caption, QStringLiteral("TagForge Options"));
        QCOMPARE(h.Dialogs, QStringList{QStringLiteral("frmOptions")});
    }

    void autoIndentOffReachesEveryOpenEditor()
    {
        OpenTabs(3);
        h.Window->PageControl1()->setCurrentIndex(1);
        for (TDocumentTab *tab : Tabs())
            QVERIFY(tab->Editor()->Options() & eoAutoIndent);
        int iconAfterClick = -1;
        RunOptions("EditorProperties1", [&](TfrmOptions &d) {
            ClickNode(d, TOptionTree::AutoIndent);
            iconAfterClick = d.Tree().Icon(TOptionTree::AutoIndent);
            Press(d, "btnApply");
            // Cancel after Apply keeps what was applied.
            Press(d, "btnCancel");
            return d.result();
        });
        QCOMPARE(iconAfterClick, int(oiUnchecked));
        QCOMPARE(Tabs().size(), 3);
        for (TDocumentTab *tab : Tabs())
            QVERIFY(!(tab->Editor()->Options() & eoAutoIndent));
        QCOMPARE(h.Window->PageControl1()->currentIndex(), 1);
        QVERIFY(!h.Window->Settings().AutoIndent);

        // A later dialog shows it off; an editor opened now starts without it.
        RunOptions("EditorProperties1", [&](TfrmOptions &d) {
            iconAfterClick = d.Tree().Icon(TOptionTree::AutoIndent);
            return int(QDialog::Rejected);
        });
        QCOMPARE(iconAfterClick, int(oiUnchecked));
        OpenTabs(4);
        QVERIFY(!(Tabs().last()->Editor()->Options() & eoAutoIndent));
    }

    void editorValuesReachEveryOpenEditor_data()
    {
        QTest::addColumn<int>("node");
        QTest::addColumn<int>("number"); // -1: a check node, clicked
        QTest::newRow("tab width 4") << int(TOptionTree::TabWidthValue) << 4;
        QTest::newRow("undo limit 5") << int(TOptionTree::MaxUndoValue) << 5;
        QTest::newRow("right edge off") << int(TOptionTree::RightEdge) << -1;
        QTest::newRow("leading zeros on") << int(TOptionTree::LeadingZeros) << -1;
        QTest::newRow("line numbers off") << int(TOptionTree::LineNumbers) << -1;
    }
    void editorValuesReachEveryOpenEditor()
    {
        QFETCH(int, node);
        QFETCH(int, number);
        OpenTabs(2);
        RunOptions("EditorProperties1", [&](TfrmOptions &d) {
            ClickNode(d, node);
            if (number >= 0) {
                auto *spin = d.findChild<QSpinBox *>(QStringLiteral("spnNumber"));
                Retype(spin->findChild<QLineEdit *>(), QString::number(number));
            }
            Press(d, "btnOK");
            return d.result();
        });
        for (TDocumentTab *tab : Tabs()) {
            TCodeEditView *view = tab->View();
            switch (node) {
            case TOptionTree::TabWidthValue:
                QCOMPARE(tab->Editor()->TabWidth(), 4);
                break;
            case TOptionTree::MaxUndoValue:
                QCOMPARE(tab->Editor()->MaxUndo(), 5);
                break;
            case TOptionTree::RightEdge:
                QCOMPARE(view->RightEdge(), -1);
                break;
            case TOptionTree::LeadingZeros:
                QVERIFY(view->Gutter().LeadingZeros());
                break;
            case TOptionTree::LineNumbers:
                QVERIFY(!view->Gutter().ShowLineNumbers());
                break;
            }
        }
    }

    void numberPageKeepsItsRange_data()
    {
        QTest::addColumn<int>("node");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("leave"); // the box is left before OK
        QTest::addColumn<QString>("message");
        QTest::newRow("tab width 1000: digits past 64 refused")
            << int(TOptionTree::TabWidthValue) << "1000" << 1 << 64 << 10 << true << QString();
        QTest::newRow("tab width 0 is refused") << int(TOptionTree::TabWidthValue) << "0" << 1 << 64 << 8 << true
                                                << QString();
        QTest::newRow("tab width 0, then OK at once")
            << int(TOptionTree::TabWidthValue) << "0" << 1 << 64 << 8 << false
            << "Tab Width: \"0\" is outside 1 to 64; 8 is kept.";
        QTest::newRow("seconds 0 is refused") << int(TOptionTree::UpdateSecsValue) << "0" << 1 << 86400 << 10 << true
                                              << QString();
        QTest::newRow("undo negative is refused")
            << int(TOptionTree::MaxUndoValue) << "-5" << 0 << 100000 << 5 << true << QString();
    }
    void numberPageKeepsItsRange()
    {
        QFETCH(int, node);
        QFETCH(QString, typed);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, stored);
        QFETCH(bool, leave);
        QFETCH(QString, message);
        QString range, page, nodeText;
        int min = 0, max = 0;
        RunOptions("Einstellungen1", [&](TfrmOptions &d) {
            ClickNode(d, node);
            auto *spin = d.findChild<QSpinBox *>(QStringLiteral("spnNumber"));
            min = spin->minimum();
            max = spin->maximum();
            range = d.findChild<QLabel *>(QStringLiteral("lblRange"))->text();
            page = d.findChild<QStackedWidget *>(QStringLiteral("pages"))->currentWidget()->objectName();
            Retype(spin->findChild<QLineEdit *>(), typed);
            // Leaving the box settles what it shows.
            if (leave)
                QTest::keyClick(spin, Qt::Key_Tab);
            nodeText = d.Tree().Text(node);
            Press(d, "btnOK");
            return d.result();
        });
        QCOMPARE(page, QStringLiteral("Number"));
        QCOMPARE(min, minimum);
        QCOMPARE(max, maximum);
        QCOMPARE(range, QStringLiteral("From %1 to %2").arg(minimum).arg(maximum));
        const TPreferences p = h.Window->CurrentPreferences();
        const int value = node == TOptionTree::TabWidthValue ? p.Settings.TabWidth
                          : node == TOptionTree::MaxUndoValue ? p.Settings.MaxUndo
                                                              : p.UpdateSecs;
        QCOMPARE(value, stored);
        QVERIFY(nodeText.toInt() >= minimum && nodeText.toInt() <= maximum);
        QCOMPARE(h.Messages, message.isEmpty() ? QStringList() : QStringList{message});
    }

    void okWithoutChangesLeavesEverySetting()
    {
        // Values other than the defaults, so that a reset would show.
        RunOptions("Einstellungen1", [&](TfrmOptions &d) {
            ClickNode(d, TOptionTree::Macintosh);
            ClickNode(d, TOptionTree::LeadingZeros);
            ClickNode(d, TOptionTree::AnimateMenus);
            ClickNode(d, TOptionTree::ParamStart2Value);
            Retype(d.findChild<QLineEdit *>(QStringLiteral("edtString")), QStringLiteral("-remote \"openURL("));
            Press(d, "btnOK");
            return d.result();
        });
        const QString file = h.Store->FileName();
        QVERIFY(h.Restart());
        auto snapshot = [&] {
            h.Window->close();
            QSettings ini(file, QSettings::IniFormat);
            QMap<QString, QVariant> values;
            for (const QString &key : ini.allKeys())
                // The window's layout is not the options' to keep.
                if (!key.contains(QLatin1String("Form")) && !key.contains(QLatin1String("IEPrevPosition")))
                    values.insert(key, ini.value(key));
            return values;
        };
        const auto before = snapshot();
        QVERIFY(before.size() > 30);
        QVERIFY(h.Restart());
        RunOptions("Einstellungen1", [&](TfrmOptions &d) {
            Press(d, "btnOK");
            return d.result();
        });
        const auto after = snapshot();
        for (auto it = before.begin(); it != before.end(); ++it)
            QCOMPARE(after.value(it.key()).toString() + u' ' + it.key(), it.value().toString() + u' ' + it.key());
        QCOMPARE(after.keys(), before.keys());
    }

    void fileFormatChoiceIsStored_data()
    {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<int>("fileType");
        QTest::newRow("Macintosh") << QList<int>{TOptionTree::Macintosh} << 2;
        QTest::newRow("Macintosh, then Unix") << QList<int>{TOptionTree::Macintosh, TOptionTree::Unix} << 1;
        QTest::newRow("Windows") << QList<int>{TOptionTree::Windows} << 0;
    }
    void fileFormatChoiceIsStored()
    {
        QFETCH(QList<int>, clicks);
        QFETCH(int, fileType);
        for (int click : clicks)
            RunOptions("Properties1", [&](TfrmOptions &d) {
                ClickNode(d, click);
                Press(d, "btnOK");
                return d.result();
            });
        h.Window->close();
        TSettingsStore store(h.Store->FileName());
        QVERIFY(store.OpenKey(kSettings, false));
        QCOMPARE(store.ReadInteger(QStringLiteral("FileType")), fileType);
    }

    void browserParametersStoredAsTyped()
    {
        RunOptions("Browser1", [&](TfrmOptions &d) {
            auto *edit = d.findChild<QLineEdit *>(QStringLiteral("edtString"));
            ClickNode(d, TOptionTree::ParamStart1Value);
            Retype(edit, QStringLiteral("\"--new-window file://"));
            ClickNode(d, TOptionTree::ParamEnd2Value);
            Retype(edit, QStringLiteral("\" &"));
            ClickNode(d, TOptionTree::Path1Value);
            Retype(d.findChild<QLineEdit *>(QStringLiteral("BrowserPathEdit")), QStringLiteral("/usr/bin/my browser"));
            Press(d, "btnOK");
            return d.result();
        });
        h.Window->close();
        TSettingsStore store(h.Store->FileName());
        QVERIFY(store.OpenKey(kSettings, false));
        QCOMPARE(store.ReadString(QStringLiteral("ParamStart1")), QStringLiteral("\"--new-window file://"));
        QCOMPARE(store.ReadString(QStringLiteral("ParamEnd2")), QStringLiteral("\" &"));
        QCOMPARE(store.ReadString(QStringLiteral("Path1")), QStringLiteral("/usr/bin/my browser"));
        QCOMPARE(store.ReadString(QStringLiteral("ParamStart2")), QStringLiteral("\"file://"));
    }

    void arrowKeysSelectAndSpaceToggles()
    {
        QList<int> icons;
        QString page;
        RunOptions("EditorProperties1", [&](TfrmOptions &d) {
            auto *tree = d.findChild<QTreeWidget *>(QStringLiteral("trvGeneral"));
            tree->setFocus();
            tree->setCurrentItem(d.Item(TOptionTree::Editor));
            // Down onto AutoIndent, then through Colors to Left Gutter: nothing changes on the way.
            QTest::keyClick(tree, Qt::Key_Down);
            icons << d.Tree().Icon(TOptionTree::AutoIndent);
            QTest::keyClick(tree, Qt::Key_Up);
            QTest::keyClick(tree, Qt::Key_Down);
            icons << d.Tree().Icon(TOptionTree::AutoIndent);
            QTest::keyClick(tree, Qt::Key_Space);
            icons << d.Tree().Icon(TOptionTree::AutoIndent);
            // Down to the undo value shows its page.
            for (int i = 0; i < 6; ++i)
                QTest::keyClick(tree, Qt::Key_Down);
            page = d.findChild<QStackedWidget *>(QStringLiteral("pages"))->currentWidget()->objectName();
            return int(QDialog::Rejected);
        });
        QCOMPARE(icons, (QList<int>{oiChecked, oiChecked, oiUnchecked}));
        QCOMPARE(page, QStringLiteral("Number"));
        // Cancel without Apply: the editors keep auto-indent.
        QVERIFY(h.Window->Settings().AutoIndent);
        QVERIFY(h.Window->ActiveEditor()->Options() & eoAutoIndent);
    }

    void browseFillsTheFileName_data()
    {
        QTest::addColumn<int>("node");
        QTest::addColumn<QString>("firstFilter");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("stored");
        QTest::newRow("reference") << int(TOptionTree::HTMLReferenceValue) << "Reference Files (*.html *.htm)"
                                   << "/usr/share/doc/html/index.html" << "/usr/share/doc/html/index.html";
        QTest::newRow("browser program") << int(TOptionTree::Path2Value) << "Programs (*)" << "/usr/bin/firefox-esr"
                                         << "/usr/bin/firefox-esr";
        QTest::newRow("cancelled keeps the value") << int(TOptionTree::Path2Value) << "Programs (*)" << ""
                                                   << "Not defined yet";
    }
    void browseFillsTheFileName()
    {
        QFETCH(int, node);
        QFETCH(QString, firstFilter);
        QFETCH(QString, chosen);
        QFETCH(QString, stored);
        h.OpenChoice = chosen;
        RunOptions("Einstellungen1", [&](TfrmOptions &d) {
            ClickNode(d, node);
            QTest::mouseClick(d.findChild<QToolButton *>(QStringLiteral("btnBrowse")), Qt::LeftButton);
            Press(d, "btnOK");
            return d.result();
        });
        QCOMPARE(h.OpenFilter.split(QStringLiteral(";;")).value(0), firstFilter);
        QCOMPARE(h.OpenFilter.split(QStringLiteral(";;")).size(), 3);
        const TSettings s = h.Window->Settings();
        QCOMPARE(node == TOptionTree::HTMLReferenceValue ? s.HTMLReference : s.Path2, stored);
    }

    void toolbarsAndAnimationFollowTheChecks()
    {
        RunOptions("Properties1", [&](TfrmOptions &d) {
            ClickNode(d, TOptionTree::ToolsToolbar);
            ClickNode(d, TOptionTree::QuickTab);
            ClickNode(d, TOptionTree::AnimateMenus);
            Press(d, "btnOK");
            return d.result();
        });
        QCOMPARE(h.Window->ToolbarsShown(), (TToolbarsShown{false, true, false}));
        QVERIFY(!QApplication::isEffectEnabled(Qt::UI_AnimateMenu));
        QVERIFY(!QApplication::isEffectEnabled(Qt::UI_AnimateCombo));
        QVERIFY(!h.Window->Settings().AnimateMenus);
        QVERIFY(h.Restart());
        QVERIFY(!h.Window->Settings().AnimateMenus);
        RunOptions("Properties1", [&](TfrmOptions &d) {
            ClickNode(d, TOptionTree::AnimateMenus);
            Press(d, "btnOK");
            return d.result();
        });
        QVERIFY(h.Window->Settings().AnimateMenus);
    }

    void storedValuesOutOfRangeAreToldAndClamped()
    {
        h.Window->close();
        h.Store->OpenKey(kSettings, false);
        h.Store->WriteInteger(QStringLiteral("TabWidth"), 1000);
        h.Store->WriteInteger(QStringLiteral("SaveSecs"), 0);
        h.Store->CloseKey();
        QVERIFY(h.Restart());
        QCOMPARE(h.Window->Settings().TabWidth, 64);
        QCOMPARE(h.Window->CurrentPreferences().SaveSecs, 1);
        const QString shown = h.StartMessages.join(QLatin1Char('\n'));
        QVERIFY2(shown.contains(QStringLiteral("Tab Width: 1000 is outside 1 to 64; 64 is used instead.")),
                 qPrintable(shown));
        QVERIFY2(shown.contains(QStringLiteral("Auto Save every X seconds: 0 is outside")), qPrintable(shown));
        QCOMPARE(h.Window->ActiveEditor()->TabWidth(), 64);
    }

    void darkDesktopTurnsEditorsDark()
    {
        OpenTabs(2);
        const TEditorScheme dark = EditorScheme::Dark();
        THTMLSyn *syn = h.Window->HTMLHiLiter();
        QCOMPARE(syn->KeyAttri()->Foreground(), clNavy);

        QApplication::setPalette(DarkPalette());
        for (TDocumentTab *tab : Tabs()) {
            QCOMPARE(tab->View()->palette().color(QPalette::Base), ToQColor(dark.Background));
            QCOMPARE(tab->View()->palette().color(QPalette::Text), ToQColor(dark.Foreground));
        }
        QVERIFY(EditorScheme::ContrastRatio(syn->KeyAttri()->Foreground(), dark.Background) >= 4.5);
        OpenTabs(3);
        QCOMPARE(Tabs().last()->View()->palette().color(QPalette::Base), ToQColor(dark.Background));

        QApplication::setPalette(m_palette);
        QCOMPARE(syn->KeyAttri()->Foreground(), clNavy);
        for (TDocumentTab *tab : Tabs())
            QCOMPARE(tab->View()->palette().color(QPalette::Base), m_palette.color(QPalette::Base));
    }

    void colorsPickedStayWhenTheDesktopTurnsDark()
    {
        OpenTabs(2);
        THTMLSyn *syn = h.Window->HTMLHiLiter();
        h.DialogAnswer = [&](QDialog &dialog) -> int {
            if (auto *options = qobject_cast<TfrmOptions *>(&dialog)) {
                options->show();
                if (!QTest::qWaitForWindowExposed(options))
                    return QDialog::Rejected;
                ClickNode(*options, TOptionTree::Colors);
                return QDialog::Rejected;
            }
            auto *colors = qobject_cast<TfrmColors *>(&dialog);
            if (!colors)
                return QDialog::Rejected;
            int keyRow = -1;
            for (int i = 0; i < colors->Colors().Attributes.size(); ++i)
                if (colors->Colors().Attributes.at(i).Name == QLatin1String("Reserved word"))
                    keyRow = i + 1;
            colors->SelectRow(keyRow);
            colors->ChooseColor = [](const QColor &, const QString &) { return QColor(Qt::red); };
            colors->show();
            if (!QTest::qWaitForWindowExposed(colors))
                return QDialog::Rejected;
            QTest::mouseClick(colors->findChild<QPushButton *>(QStringLiteral("btnForeground")), Qt::LeftButton);
            QTest::keyClick(colors->findChild<QCheckBox *>(QStringLiteral("chkItalic")), Qt::Key_Space);
            colors->SelectRow(0);
            colors->SetBackground(clWhite);
            // Nothing reaches the editors before OK.
            if (syn->KeyAttri()->Foreground() == clRed)
                return QDialog::Rejected;
            Press(*colors, "btnOK");
            return colors->result();
        };
        h.Window->Action(QStringLiteral("EditorProperties1"))->trigger();
        h.DialogAnswer = nullptr;
        QVERIFY2(h.Dialogs.join(u' ').endsWith(QStringLiteral("frmOptions frmColors")), qPrintable(h.Dialogs.join(u' ')));
        QCOMPARE(syn->KeyAttri()->Foreground(), clRed);
        QVERIFY(syn->KeyAttri()->Style() & fsItalic);
        QVERIFY(h.Window->Settings().UserColors);
        for (TDocumentTab *tab : Tabs())
            QCOMPARE(tab->View()->palette().color(QPalette::Base), QColor(Qt::white));

        QApplication::setPalette(DarkPalette());
        QCOMPARE(syn->KeyAttri()->Foreground(), clRed);
        for (TDocumentTab *tab : Tabs())
            QCOMPARE(tab->View()->palette().color(QPalette::Base), QColor(Qt::white));

        // Stored through the highlighter's own store format: the next start has them.
        QVERIFY(h.Restart());
        syn = h.Window->HTMLHiLiter();
        QCOMPARE(syn->KeyAttri()->Foreground(), clRed);
        QVERIFY(syn->KeyAttri()->Style() & fsItalic);
        QCOMPARE(h.Window->ActiveTab()->View()->palette().color(QPalette::Base), QColor(Qt::white));

        // Back to the desktop's scheme: dark now.
        Commands()->Colors()->FollowDesktop();
        QVERIFY(!h.Window->Settings().UserColors);
        QCOMPARE(h.Window->ActiveTab()->View()->palette().color(QPalette::Base),
                 ToQColor(EditorScheme::Dark().Background));
        QVERIFY(syn->KeyAttri()->Foreground() != clRed);
    }

    void colorsCancelledChangeNothing()
    {
        THTMLSyn *syn = h.Window->HTMLHiLiter();
        h.DialogAnswer = [&](QDialog &dialog) -> int {
            if (auto *options = qobject_cast<TfrmOptions *>(&dialog)) {
                options->NodeClicked(TOptionTree::Colors);
                return QDialog::Rejected;
            }
            auto *colors = qobject_cast<TfrmColors *>(&dialog);
            colors->SelectRow(1);
            colors->SetForeground(clFuchsia);
            return QDialog::Rejected;
        };
        h.Window->Action(QStringLiteral("EditorProperties1"))->trigger();
        h.DialogAnswer = nullptr;
        for (int i = 0; i < syn->GetAttribCount(); ++i)
            QVERIFY(syn->GetAttribute(i)->Foreground() != clFuchsia);
        QVERIFY(!h.Window->Settings().UserColors);
    }
};

QTEST_MAIN(TestOptionsDialog)
#include "tst_optionsdialog.moc"
