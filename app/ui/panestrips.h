// The thin strips around the panes: the toggle strip above the documents, the tag-parameter strip
// and the browser pane's grip. They only build widgets; the window connects them.
#pragma once

#include <QHash>
#include <QString>

class QLineEdit;
class QToolButton;
class QWidget;

// A sticky tool button that starts down, with a theme icon (caption when the theme has none).
QToolButton *MakeToggle(QWidget *parent, const QString &name, const QString &icon, const QString &caption,
                        const QString &hint);

// pnlTopBar: the six toggles of pnlTopBarBtns on the left, btnMainHorzVert and btnMainWinRes on
// the right. Every button goes into buttons by its name.
QWidget *MakeTopBar(QWidget *parent, QHash<QString, QToolButton *> &buttons);

// pnlTagTip: " Tag Params:  " and the read-only mmoTagHint.
QWidget *MakeTagTipStrip(QWidget *parent, QLineEdit *&mmoTagHint);

// pnlIETopBar: two raised bevels across the browser pane.
QWidget *MakeGripStrip(QWidget *parent);
