// The user tools: programs the user registers and starts from the Tools menu, with the document.
#pragma once

#include <QString>
#include <QStringList>

namespace UserTools {

// Items the submenu shows after "Edit Item..." and its separator: the tools' file names, then
// "[Empty]" fillers up to twelve items in all.
struct TMenuItem
{
    QString Caption;
    QString Path; // empty for a filler
};
QList<TMenuItem> MenuItems(const QStringList &tools);

// What an answer to "Please enter which Item to change:" asks for. Numbers count from 1; 0 or a
// number past the end adds a tool.
struct TItemChoice
{
    int Index = -1; // the entry to replace, or tools.size() to append
    QString Error;  // non-empty: the answer names no item, and this says why
};
TItemChoice ChooseItem(const QString &answer, int toolCount);

// tools with the choice carried out.
QStringList Edited(QStringList tools, const TItemChoice &choice, const QString &path);

// Why path cannot be started as a tool; empty when it can.
QString CannotStart(const QString &path);

} // namespace UserTools
