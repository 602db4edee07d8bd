// The options tree without widgets: its node numbers, clicks on checks and radios, the copy to
// and from the preferences, and numbers out of range.
#include "prefs/core/optiontree.h"

#include <QTest>

Q_DECLARE_METATYPE(TOptionKind)
Q_DECLARE_METATYPE(TOptionPage)
Q_DECLARE_METATYPE(TOptionValues)

namespace {

TOptionValues Defaults()
{
    TOptionValues v;
    TSettings &s = v.Preferences.Settings;
    s.HomepageRef = s.eMailRef = s.HTMLReference = QStringLiteral("not defined yet");
    s.Path1 = s.Path2 = QStringLiteral("Not defined yet");
    s.ParamStart1 = s.ParamStart2 = QStringLiteral("\"file://");
    s.ParamEnd1 = s.ParamEnd2 = QStringLiteral("\"");
    return v;
}

TOptionValues Unusual()
{
    TOptionValues v = Defaults();
    TSettings &s = v.Preferences.Settings;
    v.Preferences.SaveSecs = 1;
    v.Preferences.UpdateSecs = 86400;
    s.FileType = 2;
    s.AutoIndent = s.ShowLineNums = s.ShowEdge = s.AnimateMenus = false;
    s.ShowZeros = true;
    s.UserColors = true; // not in the tree: must come through from the base
    s.MaxUndo = 0;
    s.TagInsightTimeOut = 50;
    s.TabWidth = 64;
    s.HomepageRef = QStringLiteral("https://example.org/~me?a=1&b=\"2\"");
    s.eMailRef = QString();
    s.Path1 = QStringLiteral("/usr/bin/firefox");
    s.ParamStart1 = QStringLiteral("  --new-window \"");
    s.ParamEnd2 = QStringLiteral("\" &");
    v.Toolbars = {false, true, false};
    return v;
}

} // namespace

class TestOptionTree : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nodesByIndex_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::addColumn<TOptionKind>("kind");
        QTest::addColumn<int>("parent");
        QTest::newRow("0 General") << 0 << "General" << TOptionKind::Group << -1;
        QTest::newRow("1 refresh label") << 1 << "Automatic refresh every X seconds" << TOptionKind::Label << 0;
        QTest::newRow("2 refresh value") << 2 << "10" << TOptionKind::Number << 1;
        QTest::newRow("4 auto save value") << 4 << "60" << TOptionKind::Number << 3;
        QTest::newRow("5 file format") << 5 << "File Format" << TOptionKind::Group << 0;
        QTest::newRow("8 Macintosh") << 8 << "Macintosh" << TOptionKind::Radio << 5;
        QTest::newRow("12 quick tab") << 12 << "QuickTab ( Tag Toolbar)" << TOptionKind::Check << 9;
        QTest::newRow("14 animate menus") << 14 << "Animate Menus" << TOptionKind::Check << 13;
        QTest::newRow("16 reference") << 16 << "not defined" << TOptionKind::FileName << 15;
        QTest::newRow("20 e-mail") << 20 << "not defined" << TOptionKind::Text << 19;
        QTest::newRow("21 Editor") << 21 << "Editor" << TOptionKind::Group << -1;
        QTest::newRow("23 Colors") << 23 << "Colors" << TOptionKind::Colors << 21;
        QTest::newRow("26 leading zeros") << 26 << "Leading Zeros" << TOptionKind::Check << 24;
        QTest::newRow("28 undo value") << 28 << "60" << TOptionKind::Number << 27;
        QTest::newRow("29 right edge") << 29 << "\"Right Edge\" (End of Line) marker" << TOptionKind::Check << 21;
        QTest::newRow("33 tab width value") << 33 << "8" << TOptionKind::Number << 32;
        QTest::newRow("34 browsers") << 34 << "Browser Settings" << TOptionKind::Group << -1;
        QTest::newRow("36 label") << 36 << "File Path" << TOptionKind::Label << 35;
        QTest::newRow("37 path 1") << 37 << "\"Not defined\"" << TOptionKind::FileName << 36;
        QTest::newRow("39 start 1") << 39 << "\"file://" << TOptionKind::Text << 38;
        QTest::newRow("41 end 1") << 41 << "\"" << TOptionKind::Text << 40;
        QTest::newRow("42 Browser2") << 42 << "Browser2" << TOptionKind::Group << 34;
        QTest::newRow("44 path 2") << 44 << "\"Not defined\"" << TOptionKind::FileName << 43;
        QTest::newRow("48 end 2") << 48 << "\"" << TOptionKind::Text << 47;
    }
    void nodesByIndex()
    {
        QFETCH(int, index);
        QFETCH(QString, text);
        QFETCH(TOptionKind, kind);
        QFETCH(int, parent);
        const TOptionTree tree;
        QCOMPARE(tree.Count(), 49);
        QCOMPARE(tree.Text(index), text);
        QCOMPARE(tree.Node(index).Kind, kind);
        QCOMPARE(tree.Node(index).Parent, parent);
        // Depth-first: a child always follows its parent.
        for (int i = 0; i < tree.Count(); ++i)
            QVERIFY(tree.Node(i).Parent < i);
    }

    void pages_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<TOptionPage>("page");
        QTest::addColumn<QString>("filter");
        QTest::newRow("number") << 31 << TOptionPage::Number << QString();
        QTest::newRow("text") << 46 << TOptionPage::String << QString();
        QTest::newRow("reference file") << 16 << TOptionPage::FileName << "Reference Files (*.html *.htm)";
        QTest::newRow("browser program") << 44 << TOptionPage::FileName << "Programs (*)";
        QTest::newRow("label of a number") << 32 << TOptionPage::None << QString();
        QTest::newRow("check") << 22 << TOptionPage::None << QString();
        QTest::newRow("before the first") << -1 << TOptionPage::None << QString();
        QTest::newRow("past the last") << 49 << TOptionPage::None << QString();
    }
    void pages()
    {
        QFETCH(int, index);
        QFETCH(TOptionPage, page);
        QFETCH(QString, filter);
        TOptionTree tree;
        QCOMPARE(tree.PageFor(index), page);
        QCOMPARE(TOptionTree::FilterFor(index), filter);
        // Only values take text.
        QCOMPARE(tree.SetValue(index, QStringLiteral("x")), page != TOptionPage::None);
    }

    void activate_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("changes");
        QTest::addColumn<QList<int>>("checkedAfter"); // among 6, 7, 8, 14, 22, 26
        // The tree starts with Windows chosen and every check but Leading Zeros on.
        QTest::newRow("check on to off") << 22 << true << QList<int>{6, 14};
        QTest::newRow("check off to on") << 26 << true << QList<int>{6, 14, 22, 26};
        QTest::newRow("radio chooses Unix") << 7 << true << QList<int>{7, 14, 22};
        QTest::newRow("radio chooses Macintosh") << 8 << true << QList<int>{8, 14, 22};
        QTest::newRow("chosen radio again") << 6 << false << QList<int>{6, 14, 22};
        QTest::newRow("group") << 5 << false << QList<int>{6, 14, 22};
        QTest::newRow("label") << 27 << false << QList<int>{6, 14, 22};
        QTest::newRow("value") << 33 << false << QList<int>{6, 14, 22};
        QTest::newRow("colors") << 23 << false << QList<int>{6, 14, 22};
    }
    void activate()
    {
        QFETCH(int, index);
        QFETCH(bool, changes);
        QFETCH(QList<int>, checkedAfter);
        TOptionTree tree;
        QCOMPARE(tree.Activate(index), changes);
        for (int node : {6, 7, 8, 14, 22, 26})
            QVERIFY2(tree.Checked(node) == checkedAfter.contains(node), qPrintable(QString::number(node)));
        // Icons are the state: a check shows 0 or 1, a radio 2 or 3.
        for (int node : {6, 7, 8})
            QCOMPARE(tree.Icon(node), tree.Checked(node) ? int(oiRadioOn) : int(oiRadioOff));
        for (int node : {14, 22, 26})
            QCOMPARE(tree.Icon(node), tree.Checked(node) ? int(oiChecked) : int(oiUnchecked));
    }

    void applyWithoutChangesKeepsEverything_data()
    {
        QTest::addColumn<TOptionValues>("values");
        QTest::newRow("defaults") << Defaults();
        QTest::newRow("unusual values") << Unusual();
        TOptionValues windows = Defaults();
        windows.Preferences.Settings.FileType = 0;
        QTest::newRow("Windows line breaks") << windows;
    }
    void applyWithoutChangesKeepsEverything()
    {
        QFETCH(TOptionValues, values);
        TOptionTree tree;
        tree.Load(values);
        QStringList messages;
        const TOptionValues applied = tree.Apply(values, &messages);
        QCOMPARE(messages, QStringList());
        QVERIFY(applied == values);
        // A second load and apply is no different.
        tree.Load(applied);
        QVERIFY(tree.Apply(applied) == values);
    }

    void radioThenApplyStoresFileType_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("node");
        QTest::addColumn<int>("fileType");
        QTest::newRow("Windows to Unix") << 0 << int(TOptionTree::Unix) << 1;
        QTest::newRow("Macintosh to Unix") << 2 << int(TOptionTree::Unix) << 1;
        QTest::newRow("Unix to Windows") << 1 << int(TOptionTree::Windows) << 0;
        QTest::newRow("Unix to Macintosh") << 1 << int(TOptionTree::Macintosh) << 2;
        QTest::newRow("stored out of range, Unix shown") << 9 << -1 << 1;
    }
    void radioThenApplyStoresFileType()
    {
        QFETCH(int, before);
        QFETCH(int, node);
        QFETCH(int, fileType);
        TOptionValues values = Defaults();
        values.Preferences.Settings.FileType = quint8(before);
        TOptionTree tree;
        tree.Load(values);
        if (node >= 0)
            tree.Activate(node);
        QCOMPARE(int(tree.Apply(values).Preferences.Settings.FileType), fileType);
    }

    void textsStoredAsTyped_data()
    {
        QTest::addColumn<int>("node");
        QTest::addColumn<QString>("typed");
        QTest::newRow("start with a leading quote") << int(TOptionTree::ParamStart1Value) << "\"file://";
        QTest::newRow("end is one quote") << int(TOptionTree::ParamEnd1Value) << "\"";
        QTest::newRow("blanks kept") << int(TOptionTree::ParamStart2Value) << "  -private \"file:// ";
        QTest::newRow("emptied") << int(TOptionTree::ParamEnd2Value) << "";
        QTest::newRow("program path with spaces") << int(TOptionTree::Path2Value) << "/opt/My Browser/run";
        QTest::newRow("homepage") << int(TOptionTree::HomepageValue) << "http://a.b/?q=\"x\"&y";
    }
    void textsStoredAsTyped()
    {
        QFETCH(int, node);
        QFETCH(QString, typed);
        TOptionTree tree;
        tree.Load(Defaults());
        QVERIFY(tree.SetValue(node, typed));
        const TSettings s = tree.Apply(Defaults()).Preferences.Settings;
        const QHash<int, QString> stored{{TOptionTree::ParamStart1Value, s.ParamStart1},
                                         {TOptionTree::ParamEnd1Value, s.ParamEnd1},
                                         {TOptionTree::ParamStart2Value, s.ParamStart2},
                                         {TOptionTree::ParamEnd2Value, s.ParamEnd2},
                                         {TOptionTree::Path2Value, s.Path2},
                                         {TOptionTree::HomepageValue, s.HomepageRef}};
        QCOMPARE(stored.value(node), typed);
    }

    void numbersClamped_data()
    {
        QTest::addColumn<int>("node");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("message");
        QTest::newRow("tab width 0") << int(TOptionTree::TabWidthValue) << "0" << 1 << true;
        QTest::newRow("tab width 1000") << int(TOptionTree::TabWidthValue) << "1000" << 64 << true;
        QTest::newRow("tab width 4") << int(TOptionTree::TabWidthValue) << "4" << 4 << false;
        QTest::newRow("undo negative") << int(TOptionTree::MaxUndoValue) << "-3" << 0 << true;
        QTest::newRow("undo very many") << int(TOptionTree::MaxUndoValue) << "2000000000" << 100000 << true;
        QTest::newRow("refresh 0 seconds") << int(TOptionTree::UpdateSecsValue) << "0" << 1 << true;
        QTest::newRow("save a week") << int(TOptionTree::SaveSecsValue) << "604800" << 86400 << true;
        QTest::newRow("time-out 1 ms") << int(TOptionTree::TimeOutValue) << "1" << 50 << true;
        QTest::newRow("time-out with blanks") << int(TOptionTree::TimeOutValue) << " 700 " << 700 << false;
        QTest::newRow("no number keeps the old") << int(TOptionTree::TabWidthValue) << "eight" << 8 << true;
        QTest::newRow("past int keeps the old") << int(TOptionTree::MaxUndoValue) << "99999999999" << 60 << true;
    }
    void numbersClamped()
    {
        QFETCH(int, node);
        QFETCH(QString, text);
        QFETCH(int, stored);
        QFETCH(bool, message);
        TOptionTree tree;
        tree.Load(Defaults());
        tree.SetValue(node, text);
        QStringList messages;
        const TOptionValues v = tree.Apply(Defaults(), &messages);
        const TSettings &s = v.Preferences.Settings;
        const QHash<int, int> numbers{{TOptionTree::TabWidthValue, s.TabWidth},
                                      {TOptionTree::MaxUndoValue, s.MaxUndo},
                                      {TOptionTree::UpdateSecsValue, v.Preferences.UpdateSecs},
                                      {TOptionTree::SaveSecsValue, v.Preferences.SaveSecs},
                                      {TOptionTree::TimeOutValue, s.TagInsightTimeOut}};
        QCOMPARE(numbers.value(node), stored);
        QCOMPARE(messages.size(), message ? 1 : 0);
        if (message)
            QVERIFY2(messages.first().startsWith(tree.Text(tree.Node(node).Parent)), qPrintable(messages.first()));
        // The range the spin box is given is the one applied.
        QCOMPARE(tree.RangeOf(node).Clamp(stored), stored);
    }

    void tabsExpand_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QList<int>>("expanded");
        QTest::newRow("General") << 0 << QList<int>{0};
        QTest::newRow("Editor") << 1 << QList<int>{21};
        QTest::newRow("Browser") << 2 << QList<int>{34};
        QTest::newRow("All") << 3 << QList<int>{0, 1, 3, 5, 9, 13, 15, 17, 19, 21, 24, 27, 30, 32, 34, 35, 36, 38,
                                                40, 42, 43, 45, 47};
    }
    void tabsExpand()
    {
        QFETCH(int, tab);
        QFETCH(QList<int>, expanded);
        QCOMPARE(TOptionTree::ExpandedBy(tab), expanded);
    }
};

QTEST_GUILESS_MAIN(TestOptionTree)
#include "tst_optiontree.moc"
