// Hands a highlighter's tokens and colours to the painting view.
#include "highlight/ui/highlightertokens.h"

#include "highlight/core/highlightattributes.h"

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
    // Only tokens reaching into the window come back, from the checkpoint nearest before it.
    m_checkpoints.Tokenize(*m_highlighter, paintedLine, lineIndex, start, m_buffer, stopColumn, startColumn);
    out.reserve(qsizetype(m_buffer.size()));
    for (const THighlightToken &t : m_buffer) {
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
