#include "app/core/diskstamp.h"

#include <QFile>

#include <sys/stat.h>

namespace DiskStamp {

TDiskStamp Of(const QString &path)
{
    TDiskStamp stamp;
    struct stat st
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return stamp;
    stamp.Exists = true;
    stamp.Size = st.st_size;
    stamp.ModifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.Inode = st.st_ino;
    return stamp;
}

TChange Compare(const TDiskStamp &known, const TDiskStamp &now)
{
    if (!now.Exists)
        return known.Exists ? TChange::Deleted : TChange::None;
    if (!known.Exists)
        return TChange::Reappeared;
    return known == now ? TChange::None : TChange::Changed;
}

} // namespace DiskStamp
