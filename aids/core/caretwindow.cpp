// The stretch of a document the tag aid reads around the caret.
#include "aids/core/caretwindow.h"

#include <algorithm>

namespace TagInsight {

TCaretText TextAroundCaret(const TEditLines &lines, TBufferCoord caret, int selStart, int before, int after)
{
    TCaretText window;
    const int count = lines.Count();
    if (count == 0) {
        window.SelStart = 1;
        return window;
    }
    const int y = std::clamp(caret.Y, 1, count) - 1;
    const qint64 lineLength = lines[y].size();
    // As the editor counts: the caret may stand up to past the line's CR.
    const qint64 x = std::clamp<qint64>(caret.X, 1, lineLength + 2);

    // Whole lines back while the budget lasts; the first one taken may then be cut.
    qint64 back = x - 1;
    int first = y;
    while (first > 0 && back < before) {
        --first;
        back += lines[first].size() + 2;
    }
    qint64 ahead = lineLength + 2 - (x - 1);
    int last = y;
    while (last + 1 < count && ahead < after) {
        ++last;
        ahead += lines[last].size() + 2;
    }
    const qint64 skip = std::max<qint64>(0, back - before);
    const qint64 keep = std::min<qint64>(back, before) + std::min<qint64>(ahead, after);

    // Copy only the kept range of the concatenated lines: a long line is never copied whole.
    static const QString crlf = QStringLiteral("\r\n");
    window.Text.reserve(int(keep));
    qint64 offset = 0; // position of the current piece in the concatenation from `first`
    auto take = [&](QStringView piece) {
        const qint64 from = std::max<qint64>(skip - offset, 0);
        const qint64 to = std::min<qint64>(piece.size(), skip + keep - offset);
        if (from < to)
            window.Text.append(piece.mid(from, to - from));
        offset += piece.size();
    };
    for (int i = first; i <= last && offset < skip + keep; ++i) {
        take(lines[i]);
        take(crlf);
    }
    window.Base = int(selStart - 1 - back + skip);
    window.SelStart = selStart - window.Base;
    return window;
}

} // namespace TagInsight
