// The recent-files list: at most five "FileN=path" lines, newest first.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace RecentFiles {

constexpr int kMaxEntries = 5;

// The path part of one "FileN=path" line.
QString PathOf(const QString &entry);

// Puts path at the top (moving an existing entry found ignoring case), renumbers
// File1..FileN in order and keeps at most five entries.
void AddToMRU(QStringList &list, const QString &path);

// Removes entry index and renumbers the rest.
void RemoveEntry(QStringList &list, int index);

struct TReopenItem
{
    int Index = 0; // entry index in the list
    QString Path;
};

// The entries to offer in the Reopen menu: those not open in a tab (exact comparison).
QList<TReopenItem> ReopenItems(const QStringList &list, const QStringList &openPaths);

} // namespace RecentFiles
