// The options as one tree of plain nodes: what each node shows, which setting it holds, how a
// click changes it, and the copy between the nodes and the preferences.
#include "prefs/core/optiontree.h"

#include <climits>

TOptionTree::TOptionTree()
{
    using K = TOptionKind;
    const int general = Add(QStringLiteral("General"), K::Group, -1);
    AddSetting(QStringLiteral("Automatic refresh every X seconds"), K::Number, QStringLiteral("10"), general);
    AddSetting(QStringLiteral("Auto Save every X seconds"), K::Number, QStringLiteral("60"), general);
    const int format = Add(QStringLiteral("File Format"), K::Group, general);
    Add(QStringLiteral("Windows"), K::Radio, format);
    Add(QStringLiteral("Unix"), K::Radio, format);
    Add(QStringLiteral("Macintosh"), K::Radio, format);
    const int view = Add(QStringLiteral("View"), K::Group, general);
    Add(QStringLiteral("Tools Toolbar"), K::Check, view);
    Add(QStringLiteral("Main Toolbar"), K::Check, view);
    Add(QStringLiteral("QuickTab ( Tag Toolbar)"), K::Check, view);
    const int other = Add(QStringLiteral("Other"), K::Group, general);
    Add(QStringLiteral("Animate Menus"), K::Check, other);
    AddSetting(QStringLiteral("HTML Reference"), K::FileName, QStringLiteral("not defined"), other, 2);
    AddSetting(QStringLiteral("Own Homepage address (for tagbar button)"), K::Text, QStringLiteral("not defined"),
               other);
    AddSetting(QStringLiteral("Own e-mail address (for tagbar button)"), K::Text, QStringLiteral("not defined"),
               other);

    const int editor = Add(QStringLiteral("Editor"), K::Group, -1);
    Add(QStringLiteral("AutoIndent"), K::Check, editor);
    Add(QStringLiteral("Colors"), K::Colors, editor);
    const int gutter = Add(QStringLiteral("Left Gutter"), K::Group, editor);
    Add(QStringLiteral("Line Numbers"), K::Check, gutter);
    Add(QStringLiteral("Leading Zeros"), K::Check, gutter);
    AddSetting(QStringLiteral("Max. number of \"Undos\""), K::Number, QStringLiteral("60"), editor);
    Add(QStringLiteral("\"Right Edge\" (End of Line) marker"), K::Check, editor);
    AddSetting(QStringLiteral("Tag Insight popup time-out (ms)"), K::Number, QStringLiteral("400"), editor);
    AddSetting(QStringLiteral("Tab Width"), K::Number, QStringLiteral("8"), editor);

    const int browsers = Add(QStringLiteral("Browser Settings"), K::Group, -1);
    for (const char *name : {"Browser1", "Browser2"}) {
        const int browser = Add(QLatin1String(name), K::Group, browsers);
        AddSetting(QStringLiteral("File Path"), K::FileName, QStringLiteral("\"Not defined\""), browser, 1);
        AddSetting(QStringLiteral("Param - Start"), K::Text, QStringLiteral("\"file://"), browser);
        AddSetting(QStringLiteral("Param - End"), K::Text, QStringLiteral("\""), browser);
    }
    SetChecked(Windows, true);
    for (int check : {ToolsToolbar, MainToolbar, QuickTab, AnimateMenus, AutoIndent, LineNumbers, RightEdge})
        SetChecked(check, true);
}

int TOptionTree::Add(const QString &text, TOptionKind kind, int parent, int filter)
{
    int icon = oiLabel;
    switch (kind) {
    case TOptionKind::Group:
        icon = oiGroup;
        break;
    case TOptionKind::Label:
        icon = oiLabel;
        break;
    case TOptionKind::Number:
    case TOptionKind::Text:
    case TOptionKind::FileName:
        icon = oiValue;
        break;
    case TOptionKind::Radio:
        icon = oiRadioOff;
        break;
    case TOptionKind::Check:
        icon = oiUnchecked;
        break;
    case TOptionKind::Colors:
        icon = oiColors;
        break;
    }
    m_nodes.append({text, kind, icon, parent, filter});
    return int(m_nodes.size()) - 1;
}

int TOptionTree::AddSetting(const QString &label, TOptionKind kind, const QString &value, int parent, int filter)
{
    const int node = Add(label, TOptionKind::Label, parent);
    Add(value, kind, node, filter);
    return node;
}

QList<int> TOptionTree::Children(int index) const
{
    QList<int> children;
    for (int i = index + 1; i < Count(); ++i)
        if (m_nodes.at(i).Parent == index)
            children << i;
    return children;
}

bool TOptionTree::Checked(int index) const
{
    const int icon = m_nodes.at(index).Icon;
    return icon == oiChecked || icon == oiRadioOn;
}

void TOptionTree::SetChecked(int index, bool on)
{
    TOptionNode &node = m_nodes[index];
    if (node.Kind == TOptionKind::Check)
        node.Icon = on ? oiChecked : oiUnchecked;
    else if (node.Kind == TOptionKind::Radio)
        node.Icon = on ? oiRadioOn : oiRadioOff;
}

TOptionPage TOptionTree::PageFor(int index) const
{
    if (index < 0 || index >= Count())
        return TOptionPage::None;
    switch (m_nodes.at(index).Kind) {
    case TOptionKind::Number:
        return TOptionPage::Number;
    case TOptionKind::Text:
        return TOptionPage::String;
    case TOptionKind::FileName:
        return TOptionPage::FileName;
    default:
        return TOptionPage::None;
    }
}

Preferences::TRange TOptionTree::RangeOf(int index) const
{
    switch (index) {
    case UpdateSecsValue:
    case SaveSecsValue:
        return Preferences::kSecondsRange;
    case MaxUndoValue:
        return Preferences::kMaxUndoRange;
    case TimeOutValue:
        return Preferences::kTagInsightTimeOutRange;
    case TabWidthValue:
        return Preferences::kTabWidthRange;
    default:
        return {INT_MIN, INT_MAX};
    }
}

bool TOptionTree::Activate(int index)
{
    if (index < 0 || index >= Count())
        return false;
    const TOptionNode &node = m_nodes.at(index);
    if (node.Kind == TOptionKind::Check) {
        SetChecked(index, !Checked(index));
        return true;
    }
    if (node.Kind == TOptionKind::Radio) {
        if (Checked(index))
            return false;
        for (int sibling : Children(node.Parent))
            SetChecked(sibling, sibling == index);
        return true;
    }
    return false;
}

bool TOptionTree::SetValue(int index, const QString &text)
{
    if (PageFor(index) == TOptionPage::None)
        return false;
    m_nodes[index].Text = text;
    return true;
}

QStringList TOptionTree::FileFilters()
{
    // Programs carry no suffix here, so the program filter takes every file.
    return {QStringLiteral("Programs (*)"), QStringLiteral("Reference Files (*.html *.htm)"),
            QStringLiteral("All Files (*)")};
}

QString TOptionTree::FilterFor(int index)
{
    const int filter = index >= 0 && index < NodeCount ? TOptionTree().Node(index).Filter : 0;
    return filter > 0 ? FileFilters().at(filter - 1) : QString();
}

QList<int> TOptionTree::ExpandedBy(int tab)
{
    switch (tab) {
    case 0:
        return {General};
    case 1:
        return {Editor};
    case 2:
        return {BrowserSettings};
    default: {
        QList<int> all;
        const TOptionTree tree;
        for (int i = 0; i < tree.Count(); ++i)
            if (!tree.Children(i).isEmpty())
                all << i;
        return all;
    }
    }
}

void TOptionTree::Load(const TOptionValues &values)
{
    const TPreferences &p = values.Preferences;
    const TSettings &s = p.Settings;
    m_nodes[UpdateSecsValue].Text = QString::number(p.UpdateSecs);
    m_nodes[SaveSecsValue].Text = QString::number(p.SaveSecs);
    for (int radio : {Windows, Unix, Macintosh})
        SetChecked(radio, radio - Windows == (s.FileType <= 2 ? int(s.FileType) : 1));
    SetChecked(ToolsToolbar, values.Toolbars.Tools);
    SetChecked(MainToolbar, values.Toolbars.Main);
    SetChecked(QuickTab, values.Toolbars.QuickTab);
    SetChecked(AnimateMenus, s.AnimateMenus);
    m_nodes[HTMLReferenceValue].Text = s.HTMLReference;
    m_nodes[HomepageValue].Text = s.HomepageRef;
    m_nodes[EMailValue].Text = s.eMailRef;
    SetChecked(AutoIndent, s.AutoIndent);
    SetChecked(LineNumbers, s.ShowLineNums);
    SetChecked(LeadingZeros, s.ShowZeros);
    m_nodes[MaxUndoValue].Text = QString::number(s.MaxUndo);
    SetChecked(RightEdge, s.ShowEdge);
    m_nodes[TimeOutValue].Text = QString::number(s.TagInsightTimeOut);
    m_nodes[TabWidthValue].Text = QString::number(s.TabWidth);
    m_nodes[Path1Value].Text = s.Path1;
    m_nodes[ParamStart1Value].Text = s.ParamStart1;
    m_nodes[ParamEnd1Value].Text = s.ParamEnd1;
    m_nodes[Path2Value].Text = s.Path2;
    m_nodes[ParamStart2Value].Text = s.ParamStart2;
    m_nodes[ParamEnd2Value].Text = s.ParamEnd2;
}

int TOptionTree::Number(int index, int fallback, Preferences::TRange range, QStringList *messages) const
{
    const QString text = m_nodes.at(index).Text.trimmed();
    bool ok = false;
    const int value = text.toInt(&ok);
    const QString label = m_nodes.at(m_nodes.at(index).Parent).Text;
    if (!ok) {
        if (messages)
            *messages << QStringLiteral("%1: \"%2\" is no number; %3 is kept.").arg(label, text).arg(fallback);
        return fallback;
    }
    const int clamped = range.Clamp(value);
    if (clamped != value && messages)
        *messages << QStringLiteral("%1: %2 is outside %3 to %4; %5 is used instead.")
                         .arg(label)
                         .arg(value)
                         .arg(range.Min)
                         .arg(range.Max)
                         .arg(clamped);
    return clamped;
}

TOptionValues TOptionTree::Apply(const TOptionValues &base, QStringList *messages) const
{
    TOptionValues out = base;
    TPreferences &p = out.Preferences;
    TSettings &s = p.Settings;
    p.UpdateSecs = Number(UpdateSecsValue, base.Preferences.UpdateSecs, Preferences::kSecondsRange, messages);
    p.SaveSecs = Number(SaveSecsValue, base.Preferences.SaveSecs, Preferences::kSecondsRange, messages);
    s.FileType = Checked(Windows) ? 0 : Checked(Unix) ? 1 : 2;
    s.HTMLReference = Text(HTMLReferenceValue);
    s.HomepageRef = Text(HomepageValue);
    s.eMailRef = Text(EMailValue);
    out.Toolbars = {Checked(ToolsToolbar), Checked(MainToolbar), Checked(QuickTab)};
    s.AnimateMenus = Checked(AnimateMenus);
    s.AutoIndent = Checked(AutoIndent);
    s.ShowLineNums = Checked(LineNumbers);
    s.ShowZeros = Checked(LeadingZeros);
    s.ShowEdge = Checked(RightEdge);
    s.MaxUndo = Number(MaxUndoValue, base.Preferences.Settings.MaxUndo, Preferences::kMaxUndoRange, messages);
    s.TagInsightTimeOut = Number(TimeOutValue, base.Preferences.Settings.TagInsightTimeOut,
                                 Preferences::kTagInsightTimeOutRange, messages);
    s.TabWidth = Number(TabWidthValue, base.Preferences.Settings.TabWidth, Preferences::kTabWidthRange, messages);
    s.Path1 = Text(Path1Value);
    s.ParamStart1 = Text(ParamStart1Value);
    s.ParamEnd1 = Text(ParamEnd1Value);
    s.Path2 = Text(Path2Value);
    s.ParamStart2 = Text(ParamStart2Value);
    s.ParamEnd2 = Text(ParamEnd2Value);
    return out;
}
