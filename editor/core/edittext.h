// Small text helpers the editing operations share: line-break splitting, trimming, paint locks.
#pragma once

#include <QList>
#include <QStringView>

class TCodeEdit;

namespace EditText {

// Cuts text at CR LF, lone CR or lone LF. A break at the end gives an empty last piece.
QList<QStringView> SplitAtBreaks(QStringView text);

// Where a right-trimmed copy of s would end: blanks and control characters go.
qsizetype TrimmedLength(QStringView s);

} // namespace EditText

// Takes an editor's paint lock for a scope, releasing it even when a command throws.
class TPaintLockGuard
{
public:
    explicit TPaintLockGuard(TCodeEdit *edit);
    ~TPaintLockGuard();
    TPaintLockGuard(const TPaintLockGuard &) = delete;
    TPaintLockGuard &operator=(const TPaintLockGuard &) = delete;

private:
    TCodeEdit *m_edit;
};
