// The main menu: which commands each menu holds, in order, with its submenus.
#pragma once

#include <QHash>
#include <QList>
#include <QString>

class QAction;
class QMenu;
class QMenuBar;

// Fills bar from the commands by name; metaTags are the QuickBar's meta-tag items. Returns every
// menu and submenu by its objectName.
QHash<QString, QMenu *> BuildMainMenu(QMenuBar *bar, const QHash<QString, QAction *> &actions,
                                      const QList<QAction *> &metaTags);
