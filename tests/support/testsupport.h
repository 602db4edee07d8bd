// Helpers shared by the tests: text written with \n as the engine returns it, and a toy highlighter.
#pragma once

#include "editor/core/edithighlighter.h"

#include <QList>
#include <QString>

namespace TestSupport {

// Test texts are written with \n; the engine's Text uses CR LF and ends every line with it.
inline QString Lf(const QString &s)
{
    QString r = s;
    r.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return r + QStringLiteral("\r\n");
}

// A highlighter whose state is the count of unclosed '{', so that states change with the text;
// it records every line it scans.
class TBraceHighlighter : public TEditHighlighterLink
{
public:
    TRangeState ResetState() override { return 0; }
    TRangeState ScanLine(QStringView line, int lineIndex, TRangeState start) override
    {
        scanned << lineIndex;
        qint64 depth = qint64(start);
        for (QChar c : line) {
            if (c == u'{')
                ++depth;
            else if (c == u'}' && depth > 0)
                --depth;
        }
        return TRangeState(depth);
    }
    bool IsIdentChar(QChar c) const override { return c.isLetterOrNumber(); }
    QList<int> scanned;
};

} // namespace TestSupport
