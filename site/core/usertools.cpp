// The user tools' list rules.
#include "site/core/usertools.h"

#include <QFileInfo>

namespace UserTools {

namespace {
constexpr int kMenuItems = 12; // with "Edit Item..." and its separator
}

QList<TMenuItem> MenuItems(const QStringList &tools)
{
    QList<TMenuItem> items;
    for (const QString &path : tools)
        items.append({QFileInfo(path).fileName(), path});
    while (items.size() + 2 < kMenuItems)
        items.append({QStringLiteral("[Empty]"), QString()});
    return items;
}

TItemChoice ChooseItem(const QString &answer, int toolCount)
{
    TItemChoice choice;
    bool ok = false;
    const int n = answer.trimmed().toInt(&ok);
    if (!ok) {
        choice.Error = QStringLiteral("'%1' is not a valid integer value").arg(answer);
        return choice;
    }
    if (n < 0) {
        choice.Error = QStringLiteral("There is no item %1: items are numbered from 1 (0 adds a new one).").arg(n);
        return choice;
    }
    choice.Index = n == 0 || n > toolCount ? toolCount : n - 1;
    return choice;
}

QStringList Edited(QStringList tools, const TItemChoice &choice, const QString &path)
{
    if (!choice.Error.isEmpty() || choice.Index < 0 || path.isEmpty())
        return tools;
    if (choice.Index >= tools.size())
        tools.append(path);
    else
        tools[choice.Index] = path;
    return tools;
}

QString CannotStart(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("The program %1 does not exist.").arg(path);
    if (info.isDir() || !info.isExecutable())
        return QStringLiteral("%1 is not a program that can be started.").arg(path);
    return QString();
}

} // namespace UserTools
