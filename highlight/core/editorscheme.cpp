// The editor's colour schemes as values: the dark one used when the desktop is dark, and the
// measures that decide when it is dark and whether a colour can be read on another.
#include "highlight/core/editorscheme.h"

#include "highlight/core/highlighter.h"

#include <algorithm>
#include <cmath>

namespace EditorScheme {

namespace {

constexpr TColor Rgb(quint32 rgb)
{
    return RGBToColor(int(rgb >> 16), int(rgb >> 8), int(rgb));
}

double Channel(int value)
{
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

TEditorScheme Dark()
{
    TEditorScheme s;
    s.Background = Rgb(0x1E1E1E);
    s.Foreground = Rgb(0xD4D4D4);
    s.GutterBackground = Rgb(0x252526);
    s.GutterForeground = Rgb(0xA0A0A0);
    s.SelectionBackground = Rgb(0x264F78);
    s.SelectionForeground = Rgb(0xFFFFFF);
    s.RightEdge = Rgb(0x4A4A4A);
    s.Attributes = {
        {QStringLiteral("Asp"), Rgb(0xE5D890), Rgb(0x3B3A1F), {}},
        {QStringLiteral("Comment"), Rgb(0x6A9955), clNone, fsItalic},
        {QStringLiteral("Escape ampersand"), Rgb(0x4EC9B0), clNone, {}},
        {QStringLiteral("Identifier"), Rgb(0x9CDCFE), clNone, {}},
        {QStringLiteral("Reserved word"), Rgb(0x569CD6), clNone, {}},
        {QStringLiteral("Space"), clNone, clNone, {}},
        {QStringLiteral("Symbol"), Rgb(0xA0A0A0), clNone, {}},
        {QStringLiteral("Text"), clNone, clNone, {}},
        {QStringLiteral("Unknown word"), Rgb(0xFF6B6B), clNone, fsUnderline},
        {QStringLiteral("Value"), Rgb(0xCE9178), clNone, {}},
    };
    return s;
}

double Luminance(TColor color)
{
    const quint32 rgb = color == clNone ? 0 : ColorToRgb(color);
    return 0.2126 * Channel(int((rgb >> 16) & 0xFF)) + 0.7152 * Channel(int((rgb >> 8) & 0xFF))
           + 0.0722 * Channel(int(rgb & 0xFF));
}

double ContrastRatio(TColor a, TColor b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool IsDark(TColor windowColor)
{
    const quint32 rgb = ColorToRgb(windowColor);
    const int r = int((rgb >> 16) & 0xFF), g = int((rgb >> 8) & 0xFF), b = int(rgb & 0xFF);
    return std::max({r, g, b}) + std::min({r, g, b}) < 255;
}

int ApplyAttributes(TCustomHighlighter &highlighter, const TEditorScheme &scheme)
{
    int found = 0;
    for (const TSchemeAttribute &entry : scheme.Attributes) {
        for (int i = 0; i < highlighter.GetAttribCount(); ++i) {
            THighlightAttributes *a = highlighter.GetAttribute(i);
            if (a->Name().compare(entry.Name, Qt::CaseInsensitive) != 0)
                continue;
            a->SetForeground(entry.Foreground);
            a->SetBackground(entry.Background);
            a->SetStyle(entry.Style);
            ++found;
            break;
        }
    }
    return found;
}

} // namespace EditorScheme
