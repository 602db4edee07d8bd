// What a recovered document changes against its file on disk, told in a few lines for the
// recovery question.
#pragma once

#include <QString>
#include <QStringList>

namespace RecoveryDiff {

struct TDifference
{
    bool Same = false;
    int FirstLine = 0;        // 1-based, the first line that differs
    QStringList DiskLines;    // the differing lines as the file has them
    QStringList JournalLines; // and as the recovered text has them
};

// The stretch between the common first and last lines of both texts (lines split at LF).
TDifference Compare(const QStringList &disk, const QStringList &journal);

// The summary shown to the user: at most maxLines lines of each side, longer lines shortened.
// diskText empty and diskExists false: the file is gone (or the document was never saved).
QString Describe(const QStringList &disk, bool diskExists, bool untitled, const QStringList &journal,
                 int maxLines = 12);

} // namespace RecoveryDiff
