// Small text helpers the editing operations share: line-break splitting, trimming, paint locks.
#include "editor/core/edittext.h"

#include "editor/core/codeedit.h"

namespace EditText {

QList<QStringView> SplitAtBreaks(QStringView text)
{
    QList<QStringView> pieces;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c != u'\r' && c != u'\n')
            continue;
        pieces.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    pieces.append(text.mid(start));
    return pieces;
}

qsizetype TrimmedLength(QStringView s)
{
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1).unicode() <= 32)
        --n;
    return n;
}

} // namespace EditText

TPaintLockGuard::TPaintLockGuard(TCodeEdit *edit) : m_edit(edit)
{
    m_edit->BeginUpdate();
}

TPaintLockGuard::~TPaintLockGuard()
{
    m_edit->EndUpdate();
}
