// A project: the list of a site's files, kept in a ".tfp" file of one full path per line.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace Project {

struct TRow
{
    QString Name; // the file name without its folder
    QString Path; // the path as chosen
};
TRow RowFor(const QString &path);

struct TRead
{
    QList<TRow> Rows;
    QString Error; // empty when the file was read; the rows are then the file's lines
};
// Every line a row, empty lines included; a file that is missing, a folder, binary or too large
// for a list of paths gives an error naming it, and no rows.
TRead Read(const QString &path);

// Writes the rows' paths, each ended by CR LF, replacing the file whole; the error, or empty.
QString Write(const QString &path, const QList<TRow> &rows);

// The project file a new project named name starts with.
QString NewProjectFile(const QString &name);

// The status panel's text for a loaded project.
QString StatusText(const QString &projectFile);

} // namespace Project
