// What a document's file looked like on disk when it was last read or written, to tell our own
// saves from changes made by other programs.
#pragma once

#include <QString>

struct TDiskStamp
{
    bool Exists = false;
    qint64 Size = -1;
    qint64 ModifiedNs = 0; // modification time, in nanoseconds
    quint64 Inode = 0;     // an atomic replace (a new file renamed over the old) changes it
    bool operator==(const TDiskStamp &) const = default;
};

namespace DiskStamp {

// The file as it is now; symbolic links are followed.
TDiskStamp Of(const QString &path);

enum class TChange {
    None,      // as we left it
    Changed,   // written by another program
    Deleted,   // gone (or no longer a regular file)
    Reappeared // back after it was gone
};

TChange Compare(const TDiskStamp &known, const TDiskStamp &now);

} // namespace DiskStamp
