// The QuickBar's pages and buttons: which snippet command each button runs.
#include "aids/core/quickbarlayout.h"

namespace {

TQuickBarButton B(const char *name, const char *caption, const char *hint, int command, const char *icon = "")
{
    return {QLatin1String(name), QString::fromUtf8(caption), QString::fromUtf8(hint), command, QLatin1String(icon)};
}

// The pages and menus are tables: one row a button, laid out by hand.
// clang-format off
QList<TQuickBarPage> BuildPages()
{
    QList<TQuickBarPage> pages;
    pages.append({QStringLiteral("tabStandard"), QStringLiteral("Standard"), {
        B("btnLink", "Link", "Hyperlink", 1, "insert-link"),
        B("btnmailto", "Mail", "eMail-Link", 2, "mail-message-new"),
        B("ToolbarButton971", "Anchor", "Anchor", 3, "anchor"),
        B("btnImage", "Image", "Image Assistant", 4, "insert-image"),
        B("btnhr", "HR", "Horizontal Rule", 5, "insert-horizontal-rule"),
        B("btnMainPageLink", "Home", "Link to my Homepage", 6, "go-home"),
        B("btnMailHome", "@", "Link to my eMail Address", 7),
        B("ToolbarButton975", "BGSound", "Background Music (IE only)", 114, "audio-x-generic"),
        B("ToolbarButton976", "#Color", "Hexadecimal Color", 115, "color-picker"),
    }});
    pages.append({QStringLiteral("tabAdditional"), QStringLiteral("Additional"), {
        B("ToolbarButton9735", "<!-- -->", "Comment", 104),
        B("ToolbarButton9736", "Meta", "Insert Meta Tag", 105),
        B("ToolbarButton9738", "Str", "Strike", 106, "format-text-strikethrough"),
        B("ToolbarButton9739", "Blink", "Blink", 107),
        B("ToolbarButton9740", "Marquee", "Marquee", 108),
        B("ToolbarButton9737", "Quote", "Blockquote", 109, "format-text-blockquote"),
        B("ToolbarButton9777", "Applet", "Java Applet", 110),
        B("ToolbarButton9778", "Object", "ActiveX Control...", 111),
        B("ToolbarButton9779", "NoScript", "No Script", 112),
        B("ToolbarButton9780", "write()", "document.write", 113),
    }});
    pages.append({QStringLiteral("tabText"), QStringLiteral("Text"), {
        B("ToolbarButton9710", "Font", "Font Assistant", 8),
        B("ToolbarButton9711", "Font…", "Font Dialog", 9, "preferences-desktop-font"),
        B("ToolbarButton9712", "F+", "F+", 10),
        B("ToolbarButton9713", "F-", "F-", 11),
        B("ToolbarButton9714", "B", "Bold", 12, "format-text-bold"),
        B("ToolbarButton9715", "I", "Italic", 13, "format-text-italic"),
        B("ToolbarButton9716", "U", "Underline", 14, "format-text-underline"),
        B("ToolbarButton9724", "Sup", "Superscript", 15, "format-text-superscript"),
        B("ToolbarButton9725", "Sub", "Subscript", 16, "format-text-subscript"),
        B("ToolbarButton9728", "H", "Header", 0),
        B("ToolbarButton9717", "P", "Paragraph", 17),
        B("ToolbarButton9718", "<br>", "<br>", 18),
        B("ToolbarButton9719", "¶…", "Paragraph Assistant", 19),
        B("ToolbarButton9720", "P left", "Paragraph aligned left", 20, "format-justify-left"),
        B("ToolbarButton9721", "P center", "Paragraph centered", 21, "format-justify-center"),
        B("ToolbarButton9722", "P right", "Paragraph aligned right", 22, "format-justify-right"),
        B("ToolbarButton9723", "P justify", "Paragraph justified", 23, "format-justify-fill"),
        B("ToolbarButton9730", "Center", "Align Center", 101),
        B("ToolbarButton9731", "Div left", "Align Left", 102),
        B("ToolbarButton9732", "Div right", "Align Right", 103),
        B("ToolbarButton9729", "Indent", "Indent", 24, "format-indent-more"),
        B("ToolbarButton9733", "&&nbsp;", "precise Indentation", 25),
        B("ToolbarButton9727", "EM", "EM", 26),
        B("ToolbarButton9726", "Pre", "Pre", 27),
    }});
    pages.append({QStringLiteral("tabTable"), QStringLiteral("Table"), {
        B("ToolbarButton972", "Tbl", "Table", 116, "insert-table"),
        B("ToolbarButton973", "tr", "Table Row", 117),
        B("ToolbarButton974", "td", "Table Cell", 118),
        B("ToolbarButton978", "th", "Table Header Cell", 119),
        B("ToolbarButton979", "+Row", "Insert new Row", 120),
        B("btnTableWiz", "Tbl…", "Table Assistant", 0),
    }});
    pages.append({QStringLiteral("tabLists"), QStringLiteral("Lists"), {
        B("ToolbarButton9741", "List…", "Quick List Assistant", 28),
        B("ToolbarButton9743", "UL", "Unordered List", 29, "format-list-unordered"),
        B("ToolbarButton9742", "OL", "Ordered List", 30, "format-list-ordered"),
        B("btnolIB", "I.", "Ordered List I, II, III", 31),
        B("btnOLIS", "i.", "Ordered List i, ii, iii", 31),
        B("btnOLAB", "A.", "Ordered List A, B, C", 31),
        B("btnOLAS", "a.", "Ordered List a, b, c", 31),
        B("ToolbarButton9744", "LI", "LI", 32),
        B("ToolbarButton9745", "DL", "Definition List", 33),
        B("ToolbarButton9746", "DT DD", "Definition Term", 34),
    }});
    pages.append({QStringLiteral("tabForms"), QStringLiteral("Forms"), {
        B("ToolbarButton9749", "Form…", "Form Assistant", 36),
        B("ToolbarButton9750", "Submit", "Submit Button", 37),
        B("ToolbarButton9751", "Reset", "Reset Button", 38),
        B("ToolbarButton9752", "Text", "Text Box", 39),
        B("ToolbarButton9753", "Password", "Password Box", 40),
        B("ToolbarButton9755", "Hidden", "Hidden Field", 41),
        B("ToolbarButton9754", "TextArea", "MultiLine TextBox", 42),
        B("ToolbarButton9756", "Radio", "Radio Button", 43),
        B("ToolbarButton9757", "Check", "Checkbox", 44),
        B("ToolbarButton9758", "Select", "Selection List", 45),
        B("ToolbarButton9759", "Opt", "Opt", 46),
    }});
    pages.append({QStringLiteral("tabCSS"), QStringLiteral("CSS"), {
        B("ToolbarButton9760", "<style>", "Style Block", 47),
        B("ToolbarButton9761", "Style…", "Style Assistant", 48),
    }});
    pages.append({QStringLiteral("tabScripting"), QStringLiteral("Scripting"), {
        B("ToolbarButton9766", "<Script>", "<Script>", 49),
        B("ToolbarButton9763", "if", "if", 50),
        B("ToolbarButton9764", "if-else", "if-else", 51),
        B("ToolbarButton9765", "do-while", "do-while", 52),
        B("tbScpSelect", "switch", "switch", 53),
        B("ToolbarButton9768", "function", "function", 54),
    }});
    pages.append({QStringLiteral("tabFrames"), QStringLiteral("Frames"), {
        B("ToolbarButton9769", "Frameset…", "Frameset Assistant", 56),
        B("ToolbarButton9770", "Frame…", "Frame Assistant", 57),
        B("ToolbarButton9771", "IFrame…", "IFRAME (Floating Frame) Assistant", 58),
        B("ToolbarButton9772", "set", "set", 59),
        B("ToolbarButton9773", "fra", "fra", 60),
        B("ToolbarButton9774", "iframe", "iframe", 61),
        B("ToolbarButton9775", "no", "no", 62),
        B("ToolbarButton9776", "base", "base", 63),
        B("ToolbarButton9767", "target", "target", 55),
    }});
    pages.append({QStringLiteral("tabAutoDate"), QStringLiteral("AutoDate"), {}});
    pages.append({QStringLiteral("tabColors"), QStringLiteral("Colors"), {}});
    pages.append({QStringLiteral("tabCustom"), QStringLiteral("Custom ..."), {}});
    return pages;
}

}

const QList<TQuickBarPage> &QuickBarPages()
{
    static const QList<TQuickBarPage> pages = BuildPages();
    return pages;
}

const QList<TQuickBarMenuItem> &HeadingItems()
{
    static const QList<TQuickBarMenuItem> items = {
        {QStringLiteral("H11"), QStringLiteral("H1"), 255},
        {QStringLiteral("H21"), QStringLiteral("H2"), 255},
        {QStringLiteral("H31"), QStringLiteral("H3"), 255},
        {QStringLiteral("H41"), QStringLiteral("H4"), 255},
        {QStringLiteral("H51"), QStringLiteral("H5"), 255},
        {QStringLiteral("H61"), QStringLiteral("H6"), 255},
    };
    return items;
}

const QList<TQuickBarMenuItem> &MetaTagItems()
{
    static const QList<TQuickBarMenuItem> items = {
        {QStringLiteral("MetaTagAssistent1"), QStringLiteral("&Quick Meta Tag "), 0},
        {QStringLiteral("EmptyMetaTag1"), QStringLiteral("&Empty Meta Tag"), 251},
        {QStringLiteral("Keywords1"), QStringLiteral("&Description"), 252},
        {QStringLiteral("Keywords2"), QStringLiteral("&Keywords"), 252},
        {QStringLiteral("Author1"), QStringLiteral("&Author"), 252},
        {QStringLiteral("BrowserCachewleeren1"), QStringLiteral("Clear &Browser Cache"), 253},
        {QStringLiteral("N24"), QStringLiteral("Auto-&Update"), 254},
    };
    return items;
}
// clang-format on
