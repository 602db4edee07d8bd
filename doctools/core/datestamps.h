// Dates and times written in a small format language, and the date stamps in a page: a date
// between "<!--Date(format)-->" and "<!--/Date-->" that is rewritten in its format on request and
// before every save.
#pragma once

#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>

namespace DateStamps {

// What the format language takes from the user's locale. The four locale formats are written in
// the format language itself.
struct TDateLocale
{
    QStringList ShortDayNames;   // Sunday first, 7 entries
    QStringList LongDayNames;    // Sunday first
    QStringList ShortMonthNames; // January first, 12 entries
    QStringList LongMonthNames;
    QString ShortDateFormat;
    QString LongDateFormat;
    QString ShortTimeFormat;
    QString LongTimeFormat;
    QString DateSeparator;
    QString TimeSeparator;
};

// The locale's names and formats; English ones wherever the locale gives none (the C locale).
TDateLocale FromQLocale(const QLocale &locale);
// A Qt date or time format ("dd.MM.yyyy", "h:mm AP") in the format language ("dd.mm.yyyy", "h:nn AM/PM").
QString FromQtFormat(QStringView qtFormat);

// when written in format, read left to right (letters in any case): c, d to dddddd, m to mmmm, yy,
// yyyy, h, hh, n, nn, s, ss, t, tt, am/pm, a/p, "/", ":", quoted text; anything else is copied.
// An empty format is "c".
QString FormatDateTime(QStringView format, const QDateTime &when, const TDateLocale &locale);

// The format part of a format choice "format(example)": everything before the first "(".
QString FormatOfChoice(QStringView choice);
// The date stamp the AutoDate button inserts: the statement with its markers, or the date alone.
QString AutoDateStatement(QStringView format, const QString &date, bool dateOnly);

// The format choices offered on the AutoDate page, and the one shown at start.
QStringList DateChoices();
QString InitialDateChoice();

// One date text to rewrite: characters Start..End (0-based, End excluded) become Text.
struct TDateReplacement
{
    qsizetype Start = 0;
    qsizetype End = 0;
    QString Text;
};

struct TRefresh
{
    QList<TDateReplacement> Replacements; // only the dates whose text changes, in text order
    int Statements = 0;                   // statements found and refreshed
    // Empty when the text was read to its end; else the status message of the statement that
    // stopped the refresh (those before it are still refreshed).
    QString Error;
    qsizetype LastScan = 0; // 0-based position the last search started from
};

// Every date stamp of text in one pass: an opening marker is "<!--Date" in any letter case up to
// the next "-->"; its format is what stands after its first "(" without its last four characters.
// dateFor gives the date for a format. A stamp with no closing "<!--/Date-->" (or whose date would
// swallow another opening marker) stops the refresh with a syntax error naming the character.
TRefresh RefreshAutoDates(QStringView text, const std::function<QString(const QString &format)> &dateFor);
// The same over lines that are each followed by CR LF (an editor's lines), read in place.
TRefresh RefreshAutoDates(int lineCount, const std::function<QStringView(int)> &line,
                          const std::function<QString(const QString &format)> &dateFor);

// text with the refresh's replacements made.
QString ApplyRefresh(QStringView text, const TRefresh &refresh);

// The status message for a scan position (0-based).
QString ScanningMessage(qsizetype position);

} // namespace DateStamps
