// The options as one tree of plain nodes: what each node shows, which setting it holds, how a
// click changes it, and the copy between the nodes and the preferences.
#pragma once

#include "platform/core/preferences.h"

#include <QList>
#include <QString>
#include <QStringList>

// What a node is. A setting with a number or text value is a label node with one value child.
enum class TOptionKind {
    Group,    // a heading
    Label,    // names the value below it
    Number,   // a value edited on the Number page
    Text,     // a value edited on the String page
    FileName, // a value edited on the FileName page
    Radio,    // one choice of its group
    Check,    // on or off
    Colors,   // opens the colour page
};

// The image list's state icons; other numbers only decorate.
enum TOptionIcon : int {
    oiUnchecked = 0,
    oiChecked = 1,
    oiRadioOff = 2,
    oiRadioOn = 3,
    oiGroup = 4,
    oiLabel = 5,
    oiValue = 6,
    oiColors = 7,
};

struct TOptionNode
{
    QString Text;
    TOptionKind Kind;
    int Icon;
    int Parent; // -1 for a top node
    int Filter; // file name values: 1 programs, 2 reference files; 0 otherwise
};

// The editor page a value node is edited on.
enum class TOptionPage { None, String, Number, FileName };

// The values the options edit: the preferences and the bars shown.
struct TOptionValues
{
    TPreferences Preferences;
    TToolbarsShown Toolbars;

    bool operator==(const TOptionValues &) const = default;
};

class TOptionTree
{
public:
    // Node indices, in depth-first order from 0.
    enum : int {
        General = 0,
        UpdateSecsValue = 2,
        SaveSecsValue = 4,
        FileFormat = 5,
        Windows = 6,
        Unix = 7,
        Macintosh = 8,
        ToolsToolbar = 10,
        MainToolbar = 11,
        QuickTab = 12,
        AnimateMenus = 14,
        HTMLReferenceValue = 16,
        HomepageValue = 18,
        EMailValue = 20,
        Editor = 21,
        AutoIndent = 22,
        Colors = 23,
        LineNumbers = 25,
        LeadingZeros = 26,
        MaxUndoValue = 28,
        RightEdge = 29,
        TimeOutValue = 31,
        TabWidthValue = 33,
        BrowserSettings = 34,
        Path1Value = 37,
        ParamStart1Value = 39,
        ParamEnd1Value = 41,
        Path2Value = 44,
        ParamStart2Value = 46,
        ParamEnd2Value = 48,
        NodeCount = 49,
    };

    // The tree with its texts as first shown.
    TOptionTree();

    int Count() const { return int(m_nodes.size()); }
    const TOptionNode &Node(int index) const { return m_nodes.at(index); }
    QList<int> Children(int index) const;
    QString Text(int index) const { return m_nodes.at(index).Text; }
    int Icon(int index) const { return m_nodes.at(index).Icon; }
    bool Checked(int index) const;

    // The page a node's value is edited on (None for every other node).
    TOptionPage PageFor(int index) const;
    // The range of a number value; the whole int range for other nodes.
    Preferences::TRange RangeOf(int index) const;
    // A user's click: a check node flips, a radio node becomes the chosen one of its group.
    // Returns whether an icon changed.
    bool Activate(int index);
    // An edit on the value's page goes straight into the node's text; false for a node that is
    // no value.
    bool SetValue(int index, const QString &text);

    // The file box's filters in Qt's form, and the one a file name value starts with.
    static QStringList FileFilters();
    static QString FilterFor(int index);

    // The top nodes a tab opens (0 General, 1 Editor, 2 Browser); every node with children for
    // the All tab (3).
    static QList<int> ExpandedBy(int tab);

    void Load(const TOptionValues &values);
    // The values with every node copied in over base, which supplies what the tree does not
    // hold. A number outside its range is clamped, one with no number in it keeps base's value;
    // each such case adds a message to messages.
    TOptionValues Apply(const TOptionValues &base, QStringList *messages = nullptr) const;

private:
    int Add(const QString &text, TOptionKind kind, int parent, int filter = 0);
    int AddSetting(const QString &label, TOptionKind kind, const QString &value, int parent, int filter = 0);
    void SetChecked(int index, bool on);
    int Number(int index, int fallback, Preferences::TRange range, QStringList *messages) const;

    QList<TOptionNode> m_nodes;
};
