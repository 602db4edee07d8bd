// The style assistant's rule and preview: one CSS rule written from the dialog's choices, and how
// the size and alignment boxes map onto the preview text.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace StyleAssistant {

// What the dialog's fields hold. A colour is 0xRRGGBB; none means the user chose none.
struct TStyleFields
{
    QString Selector;
    QString Font;
    QString Size;
    QString Align;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    std::optional<std::uint32_t> Color;
    std::optional<std::uint32_t> Background;
};

// The rule, each line ending in CR LF. The font, size and alignment lines are always written,
// empty when nothing was chosen, so the user sees every property there is to fill in.
QString StyleRule(const TStyleFields &fields);

// The suggestions of the three editable boxes.
QStringList StyleNames();
QStringList SizeNames();
QStringList AlignNames();

// The preview's point size for a size keyword (any case); other text leaves the size as it was.
std::optional<int> PreviewPointSize(const QString &size);

enum class TPreviewAlign { Left, Center, Right };
// "left" and "right" (any case) align the preview; anything else centres it.
TPreviewAlign PreviewAlignment(const QString &align);

} // namespace StyleAssistant
