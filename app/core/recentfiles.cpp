// The recent-files list: at most five "FileN=path" lines, newest first.
#include "app/core/recentfiles.h"

namespace RecentFiles {

QString PathOf(const QString &entry)
{
    const qsizetype eq = entry.indexOf(QLatin1Char('='));
    return eq < 0 ? entry : entry.mid(eq + 1);
}

static void Renumber(QStringList &list)
{
    for (int i = 0; i < list.size(); ++i)
        list[i] = QStringLiteral("File%1=").arg(i + 1) + PathOf(list.at(i));
}

void AddToMRU(QStringList &list, const QString &path)
{
    for (int i = 0; i < list.size(); ++i) {
        if (PathOf(list.at(i)).compare(path, Qt::CaseInsensitive) == 0) {
            list.move(i, 0);
            Renumber(list);
            return;
        }
    }
    list.prepend(path);
    Renumber(list);
    while (list.size() > kMaxEntries)
        list.removeLast();
}

void RemoveEntry(QStringList &list, int index)
{
    if (index < 0 || index >= list.size())
        return;
    list.removeAt(index);
    Renumber(list);
}

QList<TReopenItem> ReopenItems(const QStringList &list, const QStringList &openPaths)
{
    QList<TReopenItem> items;
    for (int i = 0; i < list.size(); ++i) {
        const QString path = PathOf(list.at(i));
        if (!openPaths.contains(path))
            items.append({i, path});
    }
    return items;
}

} // namespace RecentFiles
