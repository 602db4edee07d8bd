// The editor's colour schemes as values: the dark one used when the desktop is dark, and the
// measures that decide when it is dark and whether a colour can be read on another.
#pragma once

#include "highlight/core/color.h"
#include "highlight/core/highlightattributes.h"

#include <QList>
#include <QString>

class TCustomHighlighter;

// One attribute's colours by its name ("Reserved word").
struct TSchemeAttribute
{
    QString Name;
    TColor Foreground;
    TColor Background; // clNone: the editor's background
    TFontStyles Style;
};

struct TEditorScheme
{
    TColor Background;
    TColor Foreground;
    TColor GutterBackground;
    TColor GutterForeground;
    TColor SelectionBackground;
    TColor SelectionForeground;
    TColor RightEdge;
    QList<TSchemeAttribute> Attributes; // clNone foreground: the editor's text colour
};

namespace EditorScheme {

// Dark backgrounds with light text; every attribute of the HTML highlighter is listed.
TEditorScheme Dark();

// WCAG relative luminance 0..1 of a colour (clNone counts as black).
double Luminance(TColor color);
// WCAG contrast ratio 1..21 of two colours, in either order.
double ContrastRatio(TColor a, TColor b);
// A window colour darker than mid grey (HSL lightness below one half) means a dark desktop.
bool IsDark(TColor windowColor);

// Sets the attributes the scheme names; the others keep their values. Returns how many were found.
int ApplyAttributes(TCustomHighlighter &highlighter, const TEditorScheme &scheme);

} // namespace EditorScheme
