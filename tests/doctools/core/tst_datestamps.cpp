// The date format language, the locale data it takes from Qt, and the refresh of date stamps.
#include "doctools/core/datestamps.h"

#include <QTest>

using namespace DateStamps;

namespace {

TDateLocale English()
{
    TDateLocale l;
    l.ShortDayNames = QStringList{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    l.LongDayNames = QStringList{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    l.ShortMonthNames = QStringList{"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    l.LongMonthNames = QStringList{"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};
    l.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    l.LongDateFormat = QStringLiteral("dddd, d mmmm yyyy");
    l.ShortTimeFormat = QStringLiteral("hh:nn");
    l.LongTimeFormat = QStringLiteral("hh:nn:ss");
    l.DateSeparator = QStringLiteral("/");
    l.TimeSeparator = QStringLiteral(":");
    return l;
}

// A date the refresh tests can see: the format in brackets.
QString Marked(const QString &format)
{
    return u'[' + format + u']';
}

} // namespace

class TestDateStamps : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formats_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<QString>("text");
        const QDateTime morning(QDate(1999, 4, 5), QTime(9, 5, 7)); // a Monday
        const QDateTime evening(QDate(1999, 2, 21), QTime(22, 45, 0));
        const QDateTime midnight(QDate(2024, 12, 31), QTime(0, 0, 0));
        QTest::newRow("item 4") << "dd.mm.yy" << morning << "05.04.99";
        QTest::newRow("item 3") << "d.m.yyyy" << morning << "5.4.1999";
        QTest::newRow("item 1") << "ddd, mmm, yyyy" << morning << "Mon, Apr, 1999";
        QTest::newRow("item 2") << "dddd, mmmm dd, yyyy" << morning << "Monday, April 05, 1999";
        QTest::newRow("hh:mm is minutes") << "hh:mm \"h\"" << morning << "09:05 h";
        QTest::newRow("h:mm") << "h:mm \"h\"" << morning << "9:05 h";
        QTest::newRow("seconds") << "hh:mm:ss \"h\"" << morning << "09:05:07 h";
        QTest::newRow("initial choice") << "mmm. dd, yyyy - hh.mm \"h\"" << evening << "Feb. 21, 1999 - 22.45 h";
        QTest::newRow("current time command") << "hh:mm\"h\"" << morning << "09:05h";
        QTest::newRow("current date command") << "ddd, mmmm d, yyyy" << evening << "Sun, February 21, 1999";
        QTest::newRow("letters in any case") << "DD.MM.YYYY HH:NN" << morning << "05.04.1999 09:05";
        QTest::newRow("m after n is the month") << "hh:nn mm" << morning << "09:05 04";
        QTest::newRow("a whole run counts once") << "yyyyy ddddddd" << morning << "1999 Monday, 5 April 1999";
        QTest::newRow("12-hour clock, pm") << "h:nn am/pm" << evening << "10:45 pm";
        QTest::newRow("marker in the format's case") << "hh:nn AM/PM" << morning << "09:05 AM";
        QTest::newRow("a/p") << "h a/p" << evening << "10 p";
        QTest::newRow("midnight is 12 am") << "h am/pm" << midnight << "12 am";
        QTest::newRow("quoted am/pm is text") << "hh 'am/pm'" << evening << "22 am/pm";
        QTest::newRow("separators") << "d/m/yy h:n:s" << morning << "5/4/99 9:5:7";
        QTest::newRow("unknown letters copied") << "q-x-d" << morning << "q-x-5";
        QTest::newRow("unclosed quote runs to the end") << "d \"of the month" << morning << "5 of the month";
        QTest::newRow("locale formats") << "ddddd|dddddd|t|tt" << morning
                                        << "05/04/1999|Monday, 5 April 1999|09:05|09:05:07";
        QTest::newRow("c with a time") << "c" << morning << "05/04/1999 09:05:07";
        QTest::newRow("c at midnight") << "c" << midnight << "31/12/2024";
        QTest::newRow("empty is c") << "" << evening << "21/02/1999 22:45:00";
    }
    void formats()
    {
        QFETCH(QString, format);
        QFETCH(QDateTime, when);
        QFETCH(QString, text);
        QCOMPARE(FormatDateTime(format, when, English()), text);
    }

    void separatorsOfTheLocale()
    {
        TDateLocale l = English();
        l.DateSeparator = QStringLiteral("-");
        l.TimeSeparator = QStringLiteral(".");
        QCOMPARE(FormatDateTime(u"d/m h:nn", QDateTime(QDate(1999, 4, 5), QTime(9, 5)), l), QStringLiteral("5-4 9.05"));
    }

    void qtFormats_data()
    {
        QTest::addColumn<QString>("qt");
        QTest::addColumn<QString>("ours");
        QTest::newRow("dotted date") << "dd.MM.yyyy"
                                     << "dd.mm.yyyy";
        QTest::newRow("12-hour time") << "h:mm AP"
                                      << "h:nn AM/PM";
        QTest::newRow("lower-case marker") << "h:mm ap"
                                           << "h:nn am/pm";
        QTest::newRow("time zone dropped") << "HH:mm:ss t"
                                           << "hh:nn:ss";
        QTest::newRow("quoted text") << "d 'de' MMMM 'de' yyyy"
                                     << "d \"de\" mmmm \"de\" yyyy";
        QTest::newRow("separators stand for the locale's") << "M/d/yy"
                                                           << "m/d/yy";
        QTest::newRow("letters Qt copies") << "dddd, d. MMMM yyyy 'um' HH:mm"
                                           << "dddd, d. mmmm yyyy \"um\" hh:nn";
        QTest::newRow("doubled quote") << "h'h'''"
                                       << "h\"h\"\"'\"";
    }
    void qtFormats()
    {
        QFETCH(QString, qt);
        QFETCH(QString, ours);
        QCOMPARE(FromQtFormat(qt), ours);
    }

    void localeFromQt()
    {
        // The C locale still gives English names.
        const TDateLocale c = FromQLocale(QLocale::c());
        QCOMPARE(c.LongDayNames.value(0), QStringLiteral("Sunday"));
        QCOMPARE(c.ShortMonthNames.value(3), QStringLiteral("Apr"));
        QCOMPARE(c.LongDayNames.size(), 7);
        QCOMPARE(c.LongMonthNames.size(), 12);

        const TDateLocale us = FromQLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        const QDateTime when(QDate(1999, 4, 5), QTime(21, 5, 7));
        QCOMPARE(FormatDateTime(u"ddddd", when, us), QStringLiteral("4/5/99"));
        // Newer locale data puts a narrow no-break space before the marker.
        QCOMPARE(FormatDateTime(u"t", when, us).replace(QChar(0x202F), u' '), QStringLiteral("9:05 PM"));

        const TDateLocale de = FromQLocale(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(de.DateSeparator, QStringLiteral("."));
        QCOMPARE(de.LongMonthNames.value(2), QStringLiteral("März"));
        QCOMPARE(FormatDateTime(u"d/m/yyyy dddd", when, de), QStringLiteral("5.4.1999 Montag"));
    }

    void choicesAndStatements()
    {
        const QStringList choices = DateChoices();
        QCOMPARE(choices.size(), 11);
        QCOMPARE(FormatOfChoice(choices.at(3)), QStringLiteral("dd.mm.yy"));
        QCOMPARE(FormatOfChoice(choices.at(10)), QString());
        QCOMPARE(FormatOfChoice(InitialDateChoice()), QStringLiteral("mmm. dd, yyyy - hh.mm \"h\""));
        // Typed without an example, all of it is the format.
        QCOMPARE(FormatOfChoice(u"hh:mm \"h\""), QStringLiteral("hh:mm \"h\""));
        QCOMPARE(FormatDateTime(FormatOfChoice(u"hh:mm \"h\""), QDateTime(QDate(2001, 1, 1), QTime(9, 30)), English()),
                 QStringLiteral("09:30 h"));

        QCOMPARE(AutoDateStatement(u"dd.mm.yy", QStringLiteral("05.04.99"), false),
                 QStringLiteral("<!--Date(dd.mm.yy)-->05.04.99<!--/Date-->"));
        QCOMPARE(AutoDateStatement(u"", QStringLiteral("x"), false), QStringLiteral("<!--Date-->x<!--/Date-->"));
        QCOMPARE(AutoDateStatement(u"dd.mm.yy", QStringLiteral("05.04.99"), true), QStringLiteral("05.04.99"));
    }

    void refresh_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("refreshed");
        QTest::addColumn<int>("statements");
        QTest::addColumn<QString>("error");
        QTest::newRow("no stamps") << "<p>5.4.1999</p>"
                                   << "<p>5.4.1999</p>" << 0 << "";
        QTest::newRow("two formats side by side")
            << "<!--Date(dd)-->x<!--/Date--><!--Date(hh)-->y<!--/Date-->"
            << "<!--Date(dd)-->[dd]<!--/Date--><!--Date(hh)-->[hh]<!--/Date-->" << 2 << "";
        QTest::newRow("no format after a format")
            << "<!--Date(a)-->1<!--/Date-->\r\n<!--Date-->2<!--/Date-->"
            << "<!--Date(a)-->[a]<!--/Date-->\r\n<!--Date-->[]<!--/Date-->" << 2 << "";
        QTest::newRow("lower-case markers") << "<!--date(a)-->1<!--/date-->"
                                            << "<!--date(a)-->[a]<!--/date-->" << 1 << "";
        QTest::newRow("a Dated comment") << "<!--Dated 2001-->old<!--/Date-->"
                                         << "<!--Dated 2001-->[]<!--/Date-->" << 1 << "";
        QTest::newRow("date over lines") << "<!--Date(x)-->a\r\nb<!--/Date-->"
                                         << "<!--Date(x)-->[x]<!--/Date-->" << 1 << "";
        QTest::newRow("marker over lines") << "x\r\n<!--Date(a\r\nb)-->old\r\n\r\n<!--/Date-->y"
                                           << "x\r\n<!--Date(a\r\nb)-->[a\r\nb]<!--/Date-->y" << 1 << "";
        QTest::newRow("empty lines and a stamp at the end") << "\r\n\r\n<!--Date-->1<!--/Date-->"
                                                            << "\r\n\r\n<!--Date-->[]<!--/Date-->" << 1 << "";
        QTest::newRow("missing closing marker keeps the ones before")
            << "<!--Date(a)-->1<!--/Date--> <!--Date(b)-->2"
            << "<!--Date(a)-->[a]<!--/Date--> <!--Date(b)-->2" << 1
            << "AutoDate Syntax Error: missing <!--/Date--> after Char 43...";
        QTest::newRow("nested opener is not swallowed")
            << "<!--Date(a)-->x<!--Date(b)-->y<!--/Date-->"
            << "<!--Date(a)-->x<!--Date(b)-->y<!--/Date-->" << 0
            << "AutoDate Syntax Error: missing <!--/Date--> after Char 15...";
        QTest::newRow("opener never closed") << "<!--Date(a) and so on"
                                             << "<!--Date(a) and so on" << 0 << "";
        QTest::newRow("marker too short for a format") << "<!--Date(-->x<!--/Date-->"
                                                       << "<!--Date(-->[]<!--/Date-->" << 1 << "";
        QTest::newRow("a closing marker alone") << "a<!--/Date-->b"
                                                << "a<!--/Date-->b" << 0 << "";
    }
    void refresh()
    {
        QFETCH(QString, text);
        QFETCH(QString, refreshed);
        QFETCH(int, statements);
        QFETCH(QString, error);
        const TRefresh r = RefreshAutoDates(text, Marked);
        QCOMPARE(ApplyRefresh(text, r), refreshed);
        QCOMPARE(r.Statements, statements);
        QCOMPARE(r.Error, error);
        // Read as an editor's lines, the same stamps at the same places.
        const QString joined = text + QStringLiteral("\r\n");
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        const TRefresh byLines = RefreshAutoDates(
            int(lines.size()), [&](int i) { return QStringView(lines.at(i)); }, Marked);
        QCOMPARE(ApplyRefresh(joined, byLines), refreshed + QStringLiteral("\r\n"));
        QCOMPARE(byLines.Error, error);
        QCOMPARE(byLines.Statements, statements);
        // Refreshing again finds the same stamps and changes nothing more.
        const TRefresh again = RefreshAutoDates(refreshed, Marked);
        QVERIFY(again.Replacements.isEmpty());
        QCOMPARE(again.Statements, statements);
    }

    void replacementsOnlyWhereTheDateChanges()
    {
        const QString text = QStringLiteral("<!--Date(a)-->[a]<!--/Date--> <!--Date(b)-->old<!--/Date-->");
        const TRefresh r = RefreshAutoDates(text, Marked);
        QCOMPARE(r.Statements, 2);
        QCOMPARE(r.Replacements.size(), 1);
        QCOMPARE(text.mid(r.Replacements[0].Start, r.Replacements[0].End - r.Replacements[0].Start),
                 QStringLiteral("old"));
        // The text ends with a stamp: the last scan started after the first one.
        QCOMPARE(ScanningMessage(r.LastScan), QStringLiteral("Scanning at char ... 30"));
    }
};

QTEST_APPLESS_MAIN(TestDateStamps)
#include "tst_datestamps.moc"
