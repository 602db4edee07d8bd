// The tag assistant's markup: one generator per page (a pure function of the page's fields) and
// the readers that fill the fields back from an existing tag.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace TagAssistant {

enum TPage {
    ImagePage = 0,
    HrPage,
    TitlePage,
    FontPage,
    ParagraphPage,
    ListPage,
    FormPage,
    TextAreaPage,
    BaseTargetPage,
    FramesetPage,
    FramePage,
    EmptyPage,
    PageCount
};

struct TPageInfo
{
    QString Caption;
    int ClientHeight = 0; // 0: the dialog keeps its height
};
TPageInfo PageInfo(int page);

// The page that edits a tag of this name (any case), or -1.
int PageForTag(const QString &tagName);

// What the dialog hands back: the markup and how many characters the caret goes back from its end.
struct TCode
{
    QString Text;
    int CursorBack = 0;
};

// Colours are 0xRRGGBB. ColorToHtml writes six upper-case digits without "#"; HtmlToColor reads
// "#RRGGBB", "RRGGBB", "#RGB" or one of the standard colour names (any case), else nothing.
QString ColorToHtml(std::uint32_t rgb);
std::optional<std::uint32_t> HtmlToColor(QString text);

// A path as a link from the document's folder: the bare name in that folder, "../" for every
// folder to climb otherwise, always with "/". Relative paths and URLs are kept as written.
QString RelativePath(const QString &path, const QString &documentDir);

// The frameborder boxes hold "value (who reads it)": the value is the text before "(".
QString FrameBorderValue(const QString &boxText);

// --- Generators, one per page; innerText is the content of an edited element ---

struct TImageFields
{
    QString Source;
    bool AbsolutePath = false;
    int Width = 0, Height = 0;
    QString Alt;
    int HSpace = 0, VSpace = 0, Border = 0;
    QString Align;
    QString Map;
    bool IsMap = false;
};
TCode ImageCode(const TImageFields &f, const QString &documentDir);

struct THrFields
{
    int Size = 0;   // written as size=
    int Height = 0; // written as height=
    std::uint32_t Color = 0;
    QString Align;
    bool NoShade = false;
};
TCode HrCode(const THrFields &f);

TCode TitleCode(const QString &title);

struct TFontFields
{
    QString Face;
    QString HtmlColor; // written only when it holds "#"
    QString Size;
};
TCode FontCode(const TFontFields &f, const QString &innerText);

// alignIndex 0..3: left, right, center, justify.
TCode ParagraphCode(const QString &text, int alignIndex);

struct TListFields
{
    bool Ordered = false;
    int Numbering = 0; // 0 numbers, 1 I, 2 i, 3 A, 4 a
    QStringList Items;
};
TCode ListCode(const TListFields &f);

struct TFormFields
{
    QString Action, Target, Method;
};
TCode FormCode(const TFormFields &f, const QString &innerText);

struct TTextAreaFields
{
    QString Name;
    int Rows = 0, Cols = 0;
    QString Wrap;
};
TCode TextAreaCode(const TTextAreaFields &f, const QString &innerText);

struct TBaseFields
{
    QString Href, Target;
};
TCode BaseCode(const TBaseFields &f);

struct TFramesetFields
{
    QString Rows, Cols;
    QString FrameBorder; // the box's text
    int Border = 0, FrameSpacing = 0;
    std::uint32_t Color = 0;
};
TCode FramesetCode(const TFramesetFields &f, const QString &innerText);

struct TFrameFields
{
    QString Source, Name;
    int MarginWidth = 0, MarginHeight = 0;
    QString Scrolling;
    QString FrameBorder; // the box's text
    int FrameSpacing = 0;
    bool NoResize = false;
    std::uint32_t Color = 0; // black writes no bordercolor
};
TCode FrameCode(const TFrameFields &f, const QString &innerText, const QString &documentDir);

// --- Reading an existing tag back ---

// The content of the selected element: between its first ">" and its last "<".
QString InnerText(const QString &selected);

// The value of an attribute in the tag the text starts with: a bare attribute reads "1", one
// written "name=" with nothing after it is absent. Quotes (" or ') group blanks and are dropped.
std::optional<QString> Attribute(const QString &tag, const QString &name);

TImageFields ReadImage(const QString &tag);
THrFields ReadHr(const QString &tag);
TFontFields ReadFont(const QString &tag);
TListFields ReadList(const QString &selected);
TFormFields ReadForm(const QString &tag);
TTextAreaFields ReadTextArea(const QString &tag);
TBaseFields ReadBase(const QString &tag);
TFramesetFields ReadFrameset(const QString &tag);
TFrameFields ReadFrame(const QString &tag);

// The message offered for a tag no page edits (Yes opens the paragraph page).
QString UnsupportedTagTitle(const QString &tagName);
QString UnsupportedTagText();

// Where the rule preview stands in its group box of width groupWidth: size 0 is a full-width rule
// (418 pixels) that is centred whatever the align box says.
struct THrPreview
{
    int X = 0, Width = 0, Height = 0;
    bool ForcesCenter = false;
};
THrPreview HrPreview(int size, int height, const QString &align, int groupWidth);

} // namespace TagAssistant
