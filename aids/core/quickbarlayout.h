// The QuickBar's pages and buttons: which snippet command each button runs.
#pragma once

#include <QList>
#include <QString>

struct TQuickBarButton
{
    QString Name;     // component name, e.g. "btnLink"
    QString Caption;  // short text shown when no icon fits
    QString Hint;     // tooltip and status text
    int Command = 0;  // snippet command number (0: the button has no click command)
    QString IconName; // freedesktop icon name, empty for a text button
};

struct TQuickBarPage
{
    QString Name;    // component name of the page
    QString Caption; // tab caption
    QList<TQuickBarButton> Buttons;
};

// The twelve pages in their order, each with its buttons.
const QList<TQuickBarPage> &QuickBarPages();

// The heading items of the "Header" drop-down (command 255) and the meta-tag items.
struct TQuickBarMenuItem
{
    QString Name;
    QString Caption;
    int Command = 0;
};
const QList<TQuickBarMenuItem> &HeadingItems();
const QList<TQuickBarMenuItem> &MetaTagItems();
