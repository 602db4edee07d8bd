// The words a printed page's header and footer may contain between "$" signs.
#pragma once

#include <QDateTime>
#include <QString>

// Replaces $PAGENUM$, $TITLE$, $TIME$, $DATE$, $DATETIME$ and $TIMEDATE$ (any letter case).
QString ExpandPrintMacros(const QString &text, int page, const QString &title, const QDateTime &now);
