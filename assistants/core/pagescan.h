// Finding tags in a page's text, splitting a tag into its attributes as written, and the one
// replacement that turns one text into another. Shared by the body assistant and the quick start
// wizard, which both read and rewrite parts of a whole page.
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace PageScan {

// A plain search that ignores case; -1 when there is none.
qsizetype Find(QStringView text, QStringView what, qsizetype from = 0);

// The start of the first tag "<name" (any case) at or after from whose name ends there: followed by
// a blank, ">", "/" or the end of the text, so that "<head" never finds "<header>". -1 when none.
qsizetype FindStartTag(QStringView text, QStringView name, qsizetype from = 0);

// Just after the ">" that closes the tag beginning at start; a ">" inside quotes does not count.
// A tag left open ends with its last non-blank character before the next "<" or the end of the
// text, so that reading or replacing it never swallows the markup or the line break that follows.
qsizetype TagEnd(QStringView text, qsizetype start);

// One attribute of a tag as written: its name in lower case, the exact text (name, "=" with any
// blanks around it, and the value with its quotes) and the value without quotes.
struct TAttribute
{
    QString Name;
    QString Raw;
    QString Value;
    bool HasValue = false;
};

// The attributes of the tag the text starts with, in their order, duplicates included.
QList<TAttribute> Attributes(QStringView tag);

// The first attribute of that name (any case) among them, or null.
const TAttribute *FindAttribute(const QList<TAttribute> &attributes, QStringView name);

// An attribute value in quotes that keep it whole: double quotes, single ones for a value holding
// only double quotes, and &quot; for the double quotes of a value holding both kinds.
QString QuotedValue(const QString &value);

// The single replacement that makes after from before: the common start and end are left alone,
// and a CR LF pair is never split.
struct TSplice
{
    qsizetype Start = 0;
    qsizetype Removed = 0;
    QString Inserted;
};
TSplice Difference(QStringView before, QStringView after);

} // namespace PageScan
