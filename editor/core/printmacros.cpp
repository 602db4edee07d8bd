// The words a printed page's header and footer may contain between "$" signs.
#include "editor/core/printmacros.h"

#include <QLocale>

QString ExpandPrintMacros(const QString &text, int page, const QString &title, const QDateTime &now)
{
    const QLocale locale;
    const QString date = locale.toString(now.date(), QLocale::ShortFormat);
    const QString time = locale.toString(now.time(), QLocale::ShortFormat);
    QString out = text;
    // Longer names first, so that $DATETIME$ is not taken for $DATE$ followed by text.
    out.replace(QStringLiteral("$DATETIME$"), date + QLatin1Char(' ') + time, Qt::CaseInsensitive);
    out.replace(QStringLiteral("$TIMEDATE$"), time + QLatin1Char(' ') + date, Qt::CaseInsensitive);
    out.replace(QStringLiteral("$PAGENUM$"), QString::number(page), Qt::CaseInsensitive);
    out.replace(QStringLiteral("$TITLE$"), title, Qt::CaseInsensitive);
    out.replace(QStringLiteral("$DATE$"), date, Qt::CaseInsensitive);
    out.replace(QStringLiteral("$TIME$"), time, Qt::CaseInsensitive);
    return out;
}
