// Colours as the highlighter stores them: an integer whose bytes read 0x00BBGGRR, clNone apart.
#pragma once

#include <QtGlobal>

// QtCore has no QColor, so logic keeps the stored integer form; the painting view converts
// with ColorToRgb(). Values are kept signed because settings store them as signed integers.
using TColor = qint32;

// "No colour of its own": the editor's font colour or background is used instead.
constexpr TColor clNone = 0x1FFFFFFF;

// The sixteen standard colours.
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor RGBToColor(int red, int green, int blue)
{
    return TColor((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

// 0x00RRGGBB, the order QColor::fromRgb() and "#RRGGBB" use. Meaningless for clNone.
constexpr quint32 ColorToRgb(TColor color)
{
    const quint32 c = quint32(color);
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
