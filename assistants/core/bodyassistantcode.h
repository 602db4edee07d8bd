// The body assistant's markup: the page's <body ...> tag found, read into fields, and written
// again from them.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>

namespace BodyAssistant {

// Colours are 0xRRGGBB; a colour at its default is not written.
constexpr std::uint32_t kDefaultBackground = 0xFFFFFF;
constexpr std::uint32_t kDefaultText = 0x000000;
constexpr std::uint32_t kDefaultLink = 0x0000FF;
constexpr std::uint32_t kDefaultActiveLink = 0xFF0000;
constexpr std::uint32_t kDefaultVisitedLink = 0x800080;
constexpr int kMaxMargin = 9999;

struct TBodyFields
{
    QString BackgroundImage;
    bool AbsolutePath = false; // write the image as entered, not relative to the document
    bool Watermark = false;    // bgproperties="fixed"
    std::uint32_t Background = kDefaultBackground;
    std::uint32_t Text = kDefaultText;
    std::uint32_t Link = kDefaultLink;
    std::uint32_t ActiveLink = kDefaultActiveLink;
    std::uint32_t VisitedLink = kDefaultVisitedLink;
    int MarginTop = 0, MarginLeft = 0;
    QString OnLoad, OnUnLoad;
    // Attributes of the old tag that no field holds (class, id, style, a colour that is no colour,
    // a margin of 0, ...), exactly as written. They follow the assistant's own attributes, and one
    // is left out when the assistant writes an attribute of the same name.
    QStringList Kept;
};

// Where the page's body tag is: from "<body" (any case) to just after its ">". Start is -1 when
// the page has none.
struct TTagSpan
{
    qsizetype Start = -1;
    qsizetype End = -1;
};
TTagSpan FindBodyTag(QStringView text);

// The fields of a body tag ("<body ...>"). The first of several attributes with one name counts,
// as in browsers; later ones are dropped.
TBodyFields ReadBody(QStringView tag);

// The tag for the fields; documentDir is the folder a relative background image is written from.
QString BodyCode(const TBodyFields &fields, const QString &documentDir);

} // namespace BodyAssistant
