// The small flat buttons of the side bar's panels.
#pragma once

#include <QIcon>
#include <QToolButton>

inline QToolButton *PanelButton(QWidget *parent, const char *name, const char *icon, const QString &hint)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setIcon(QIcon::fromTheme(QLatin1String(icon)));
    b->setToolTip(hint);
    b->setStatusTip(hint);
    b->setAutoRaise(true);
    return b;
}
