// Hands a highlighter's tokens and colours to the painting view.
#include "highlight/ui/highlightertokens.h"

#include "highlight/core/highlightattributes.h"

#include <algorithm>

QColor ToQColor(TColor color)
{
    if (color == clNone)
        return {};
    return QColor::fromRgb(ColorToRgb(color));
}

void THighlighterTokens::Tokens(QStringView paintedLine, int lineIndex, TRangeState start, QList<TPaintToken> &out,
                                int stopColumn, int startColumn)
{
    out.clear();
    m_highlighter->TokenizeLineUpTo(paintedLine, lineIndex, start, m_buffer, stopColumn);
    // Tokens come in order: those ending before the window are found by search, not converted.
    const auto first = std::partition_point(m_buffer.begin(), m_buffer.end(), [startColumn](const THighlightToken &t) {
        return t.Start + t.Length <= startColumn;
    });
    out.reserve(qsizetype(m_buffer.end() - first));
    for (auto it = first; it != m_buffer.end(); ++it) {
        const THighlightToken &t = *it;
        if (t.Length <= 0)
            continue;
        TPaintToken p;
        p.Start = t.Start;
        p.Length = t.Length;
        if (const THighlightAttributes *a = t.Attribute) {
            p.Foreground = ToQColor(a->Foreground());
            p.Background = ToQColor(a->Background());
            p.Bold = a->Style() & fsBold;
            p.Italic = a->Style() & fsItalic;
            p.Underline = a->Style() & fsUnderline;
        }
        out.append(p);
    }
}

QColor THighlighterTokens::SpaceBackground() const
{
    const THighlightAttributes *space = m_highlighter->GetDefaultAttribute(0);
    return space ? ToQColor(space->Background()) : QColor();
}
