// The date format language and the date stamps' refresh.
#include "doctools/core/datestamps.h"

#include <algorithm>
#include <vector>

namespace DateStamps {

namespace {

QChar Lower(QChar c)
{
    return c.toLower();
}

// How many times c repeats from i on (case-insensitively).
qsizetype RunLength(QStringView f, qsizetype i)
{
    qsizetype n = 1;
    while (i + n < f.size() && Lower(f[i + n]) == Lower(f[i]))
        ++n;
    return n;
}

QString TwoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

QString Number(int value, bool twoDigits)
{
    return twoDigits ? TwoDigits(value) : QString::number(value);
}

bool StartsWithCi(QStringView f, qsizetype i, QLatin1StringView what)
{
    return f.mid(i).startsWith(what, Qt::CaseInsensitive);
}

// The am/pm markers anywhere in the format switch every hour to the 12-hour clock. Quoted text
// does not count.
bool HasAmPm(QStringView f)
{
    for (qsizetype i = 0; i < f.size(); ++i) {
        const QChar c = f[i];
        if (c == u'"' || c == u'\'') {
            const qsizetype close = f.indexOf(c, i + 1);
            if (close < 0)
                return false;
            i = close;
        } else if (StartsWithCi(f, i, QLatin1StringView("am/pm")) || StartsWithCi(f, i, QLatin1StringView("a/p"))) {
            return true;
        }
    }
    return false;
}

QString Name(const QStringList &names, int index)
{
    return index >= 0 && index < names.size() ? names.at(index) : QString();
}

// The locale's own formats hold no further locale formats, but a damaged one might: two levels
// are enough and a loop is impossible.
QString Format(QStringView f, const QDateTime &when, const TDateLocale &locale, int depth);

QString LocaleFormat(const QString &format, const QDateTime &when, const TDateLocale &locale, int depth)
{
    return depth < 2 ? Format(format, when, locale, depth + 1) : QString();
}

QString Format(QStringView f, const QDateTime &when, const TDateLocale &locale, int depth)
{
    const QDate date = when.date();
    const QTime time = when.time();
    const bool twelveHour = HasAmPm(f);
    const int dayOfWeek = date.dayOfWeek() % 7; // Sunday first
    QString out;
    QChar lastLetter;
    for (qsizetype i = 0; i < f.size();) {
        const QChar c = f[i];
        const QChar l = Lower(c);
        if (c == u'"' || c == u'\'') {
            const qsizetype close = f.indexOf(c, i + 1);
            const qsizetype end = close < 0 ? f.size() : close;
            out += f.mid(i + 1, end - i - 1);
            i = close < 0 ? f.size() : close + 1;
            continue;
        }
        if (c == u'/') {
            out += locale.DateSeparator;
            ++i;
            continue;
        }
        if (c == u':') {
            out += locale.TimeSeparator;
            ++i;
            continue;
        }
        if (!(l >= u'a' && l <= u'z')) {
            out += c;
            ++i;
            continue;
        }
        const qsizetype n = RunLength(f, i);
        qsizetype used = n;
        if (l == u'm' && n <= 2 && lastLetter == u'h')
            out += Number(time.minute(), n == 2);
        else if (l == u'c') {
            used = 1;
            out += LocaleFormat(locale.ShortDateFormat, when, locale, depth);
            if (time != QTime(0, 0))
                out += u' ' + LocaleFormat(locale.LongTimeFormat, when, locale, depth);
        } else if (l == u'd') {
            switch (std::min<qsizetype>(n, 6)) {
            case 1:
            case 2: out += Number(date.day(), n == 2); break;
            case 3: out += Name(locale.ShortDayNames, dayOfWeek); break;
            case 4: out += Name(locale.LongDayNames, dayOfWeek); break;
            case 5: out += LocaleFormat(locale.ShortDateFormat, when, locale, depth); break;
            default: out += LocaleFormat(locale.LongDateFormat, when, locale, depth); break;
            }
        } else if (l == u'm') {
            switch (std::min<qsizetype>(n, 4)) {
            case 1:
            case 2: out += Number(date.month(), n == 2); break;
            case 3: out += Name(locale.ShortMonthNames, date.month() - 1); break;
            default: out += Name(locale.LongMonthNames, date.month() - 1); break;
            }
        } else if (l == u'y') {
            out += n <= 2 ? TwoDigits(date.year() % 100) : QString::number(date.year());
        } else if (l == u'h') {
            int hour = time.hour();
            if (twelveHour) {
                hour %= 12;
                if (hour == 0)
                    hour = 12;
            }
            out += Number(hour, n >= 2);
        } else if (l == u'n') {
            out += Number(time.minute(), n >= 2);
        } else if (l == u's') {
            out += Number(time.second(), n >= 2);
        } else if (l == u't') {
            out += LocaleFormat(n == 1 ? locale.ShortTimeFormat : locale.LongTimeFormat, when, locale, depth);
        } else if (l == u'a' && StartsWithCi(f, i, QLatin1StringView("am/pm"))) {
            used = 5;
            out += time.hour() < 12 ? f.mid(i, 2) : f.mid(i + 3, 2);
        } else if (l == u'a' && StartsWithCi(f, i, QLatin1StringView("a/p"))) {
            used = 3;
            out += time.hour() < 12 ? f.mid(i, 1) : f.mid(i + 2, 1);
        } else {
            used = 1;
            out += c;
        }
        lastLetter = l;
        i += used;
    }
    return out;
}

// The first separator character of a Qt format, or fallback when it has none.
QString SeparatorOf(QStringView qtFormat, QStringView letters, const QString &fallback)
{
    bool afterField = false;
    for (qsizetype i = 0; i < qtFormat.size(); ++i) {
        const QChar c = qtFormat[i];
        if (c == u'\'')
            return fallback;
        if (letters.contains(c))
            afterField = true;
        else if (afterField && !c.isLetter() && c != u' ')
            return QString(c);
    }
    return fallback;
}

QStringList Names(const QLocale &locale, bool days, QLocale::FormatType type)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    QStringList names;
    const int count = days ? 7 : 12;
    for (int k = 0; k < count; ++k) {
        // Qt counts days from Monday = 1; the list starts on Sunday.
        const int index = days ? (k == 0 ? 7 : k) : k + 1;
        QString name = days ? locale.dayName(index, type) : locale.monthName(index, type);
        if (name.isEmpty())
            name = days ? english.dayName(index, type) : english.monthName(index, type);
        names.append(name);
    }
    return names;
}

} // namespace

QString FromQtFormat(QStringView q)
{
    QString out;
    for (qsizetype i = 0; i < q.size();) {
        const QChar c = q[i];
        qsizetype n = 1;
        while (i + n < q.size() && q[i + n] == c)
            ++n;
        if (c == u'\'') {
            // Quoted text; '' inside or alone stands for one quote.
            if (n >= 2 && n % 2 == 0) {
                out += QStringLiteral("\"'\"").repeated(n / 2);
                i += n;
                continue;
            }
            const qsizetype close = q.indexOf(u'\'', i + 1);
            const qsizetype end = close < 0 ? q.size() : close;
            const QString text = q.mid(i + 1, end - i - 1).toString();
            out += u'"' + text + u'"';
            i = close < 0 ? q.size() : close + 1;
            continue;
        }
        switch (c.unicode()) {
        case 'd': out += QString(int(std::min<qsizetype>(n, 4)), u'd'); break;
        case 'M': out += QString(int(std::min<qsizetype>(n, 4)), u'm'); break;
        case 'y': out += n >= 3 ? QStringLiteral("yyyy") : QStringLiteral("yy"); break;
        case 'h':
        case 'H': out += QString(int(std::min<qsizetype>(n, 2)), u'h'); break;
        case 'm': out += QString(int(std::min<qsizetype>(n, 2)), u'n'); break;
        case 's': out += QString(int(std::min<qsizetype>(n, 2)), u's'); break;
        case 'A':
        case 'a':
            // "AP", "ap", "A", "a": the marker in its letter case; a following "P"/"p" belongs to it.
            if (i + 1 < q.size() && q[i + 1].toLower() == u'p')
                ++i;
            out += c == u'A' ? QStringLiteral("AM/PM") : QStringLiteral("am/pm");
            break;
        case 'z':
        case 't': break; // milliseconds and time zones have no place in a date stamp
        default:
            if (c.isLetter() || c == u'"')
                out += c == u'"' ? QStringLiteral("'\"'") : u'"' + QString(int(n), c) + u'"';
            else
                out += QString(int(n), c);
            break;
        }
        i += n;
    }
    return out.trimmed();
}

TDateLocale FromQLocale(const QLocale &locale)
{
    TDateLocale l;
    l.ShortDayNames = Names(locale, true, QLocale::ShortFormat);
    l.LongDayNames = Names(locale, true, QLocale::LongFormat);
    l.ShortMonthNames = Names(locale, false, QLocale::ShortFormat);
    l.LongMonthNames = Names(locale, false, QLocale::LongFormat);
    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    const QString shortTime = locale.timeFormat(QLocale::ShortFormat);
    l.DateSeparator = SeparatorOf(shortDate, u"dMy", QStringLiteral("/"));
    l.TimeSeparator = SeparatorOf(shortTime, u"hHms", QStringLiteral(":"));
    // The separators stand for themselves in the converted formats, so "/" and ":" are written
    // as the separators they are.
    l.ShortDateFormat = FromQtFormat(shortDate);
    l.LongDateFormat = FromQtFormat(locale.dateFormat(QLocale::LongFormat));
    l.ShortTimeFormat = FromQtFormat(shortTime);
    l.LongTimeFormat = FromQtFormat(locale.timeFormat(QLocale::LongFormat));
    return l;
}

QString FormatDateTime(QStringView format, const QDateTime &when, const TDateLocale &locale)
{
    return Format(format.isEmpty() ? QStringView(u"c") : format, when, locale, 0);
}

QString FormatOfChoice(QStringView choice)
{
    const qsizetype paren = choice.indexOf(u'(');
    return (paren < 0 ? choice : choice.left(paren)).toString();
}

QString AutoDateStatement(QStringView format, const QString &date, bool dateOnly)
{
    if (dateOnly)
        return date;
    const QString opener = format.isEmpty() ? QStringLiteral("<!--Date-->")
                                            : QStringLiteral("<!--Date(") + format.toString() + QStringLiteral(")-->");
    return opener + date + QStringLiteral("<!--/Date-->");
}

QStringList DateChoices()
{
    // clang-format off
    return {
        QStringLiteral("ddd, mmm, yyyy(Sun, Feb 19, 1999)"),
        QStringLiteral("dddd, mmmm dd, yyyy(Sunday, February 19, 1999)"),
        QStringLiteral("d.m.yyyy(5.4.1999)"),
        QStringLiteral("dd.mm.yy(05.04.99)"),
        QStringLiteral("hh:mm \"h\"(09:30 h)"),
        QStringLiteral("h:mm \"h\"(9:30 h)"),
        QStringLiteral("hh:mm:ss \"h\"(09:25:32 h)"),
        QStringLiteral("ddd, mmm dd, yyyy; hh:mm \"h\"(Sun, Feb 19, 1999 09:30 h)"),
        QStringLiteral("dddd, mmmm dd, yyyy; hh:mm:ss \"h\"(Sunday, February 19, 1999 09:25:32 h)"),
        QStringLiteral("dd.mm.yy; hh:mm:ss \"h\"(05.04.99 09:25:32 h)"),
        QString(),
    };
    // clang-format on
}

QString InitialDateChoice()
{
    return QStringLiteral("mmm. dd, yyyy - hh.mm \"h\"(Feb. 20, 1999 - 22.45 h)");
}

namespace {

// The text the refresh reads, as one string.
class TFlatText
{
public:
    explicit TFlatText(QStringView text) : m_text(text) {}
    qsizetype Size() const { return m_text.size(); }
    // needle holds no line break; -1 when it is not found in from..limit.
    qsizetype IndexOf(QStringView needle, qsizetype from, qsizetype limit) const
    {
        const qsizetype at = m_text.left(limit).indexOf(needle, from);
        return at;
    }
    bool StartsWithCi(qsizetype at, QLatin1StringView word) const
    {
        return m_text.mid(at).startsWith(word, Qt::CaseInsensitive);
    }
    QString Mid(qsizetype at, qsizetype n) const { return m_text.mid(at, n).toString(); }

private:
    QStringView m_text;
};

// The same text as lines, each followed by CR LF, without joining them: a refresh of a large page
// then reads its lines in place instead of copying the whole document first.
class TLineText
{
public:
    TLineText(int count, const std::function<QStringView(int)> &line) : m_line(line)
    {
        m_starts.reserve(size_t(count) + 1);
        qsizetype at = 0;
        for (int i = 0; i < count; ++i) {
            m_starts.push_back(at);
            at += line(i).size() + 2;
        }
        m_starts.push_back(at);
    }
    qsizetype Size() const { return m_starts.back(); }
    qsizetype IndexOf(QStringView needle, qsizetype from, qsizetype limit) const
    {
        for (int i = LineAt(from); i + 1 < int(m_starts.size()) && m_starts[size_t(i)] < limit; ++i) {
            const qsizetype start = m_starts[size_t(i)];
            const QStringView line = m_line(i);
            const qsizetype column = std::max<qsizetype>(0, from - start);
            if (column > line.size())
                continue;
            const qsizetype end = std::min(line.size(), limit - start);
            if (end < column + needle.size())
                continue;
            const qsizetype at = line.left(end).indexOf(needle, column);
            if (at >= 0)
                return start + at;
        }
        return -1;
    }
    bool StartsWithCi(qsizetype at, QLatin1StringView word) const
    {
        const int i = LineAt(at);
        return m_line(i).mid(at - m_starts[size_t(i)]).startsWith(word, Qt::CaseInsensitive);
    }
    QString Mid(qsizetype at, qsizetype n) const
    {
        QString out;
        while (n > 0 && at < Size()) {
            const int i = LineAt(at);
            const QStringView line = m_line(i);
            const qsizetype column = at - m_starts[size_t(i)];
            const QString piece = column < line.size() ? line.mid(column).toString() + QStringLiteral("\r\n")
                                                       : QStringLiteral("\r\n").mid(column - line.size());
            out += piece.left(n);
            at += piece.size();
            n -= piece.size();
        }
        return out;
    }

private:
    int LineAt(qsizetype at) const
    {
        const auto it = std::upper_bound(m_starts.begin(), m_starts.end(), at);
        return std::max(0, int(it - m_starts.begin()) - 1);
    }

    const std::function<QStringView(int)> &m_line;
    std::vector<qsizetype> m_starts;
};

// The next "<!--" + word (word compared in any letter case) in from..limit; -1 when none.
template <class Text>
qsizetype FindMarker(const Text &text, qsizetype from, qsizetype limit, QLatin1StringView word)
{
    for (;;) {
        const qsizetype at = text.IndexOf(u"<!--", from, limit);
        if (at < 0)
            return -1;
        if (text.StartsWithCi(at + 4, word))
            return at;
        from = at + 4;
    }
}

template <class Text>
TRefresh Refresh(const Text &text, const std::function<QString(const QString &format)> &dateFor)
{
    TRefresh result;
    const qsizetype size = text.Size();
    qsizetype p = 0;
    while (p < size) {
        result.LastScan = p;
        const qsizetype q = FindMarker(text, p, size, QLatin1StringView("Date"));
        if (q < 0)
            break;
        const qsizetype arrow = text.IndexOf(u"-->", q, size);
        if (arrow < 0)
            break;
        const qsizetype r = arrow + 3;
        const QString opener = text.Mid(q, r - q);
        const qsizetype paren = opener.indexOf(u'(');
        // For a well-formed marker this drops ")-->"; a marker too short for that has no format.
        const QStringView afterParen = paren < 0 ? QStringView() : QStringView(opener).mid(paren + 1);
        const QString format = afterParen.size() > 4 ? afterParen.chopped(4).toString() : QString();
        const qsizetype close = FindMarker(text, r, size, QLatin1StringView("/Date-->"));
        const qsizetype nextOpener = close < 0 ? -1 : FindMarker(text, r, close, QLatin1StringView("Date"));
        if (close < 0 || nextOpener >= 0) {
            // Without its own closing marker, the date would run over the next stamp's opening.
            result.Error = QStringLiteral("AutoDate Syntax Error: missing <!--/Date--> after Char ")
                           + QString::number(r + 1) + QStringLiteral("...");
            break;
        }
        const QString date = dateFor(format);
        if (close - r != date.size() || text.Mid(r, close - r) != date)
            result.Replacements.append({r, close, date});
        ++result.Statements;
        p = close + 12;
    }
    return result;
}

} // namespace

TRefresh RefreshAutoDates(QStringView text, const std::function<QString(const QString &format)> &dateFor)
{
    return Refresh(TFlatText(text), dateFor);
}

TRefresh RefreshAutoDates(int lineCount, const std::function<QStringView(int)> &line,
                          const std::function<QString(const QString &format)> &dateFor)
{
    return Refresh(TLineText(lineCount, line), dateFor);
}

QString ApplyRefresh(QStringView text, const TRefresh &refresh)
{
    QString out;
    out.reserve(text.size() + 64);
    qsizetype at = 0;
    for (const TDateReplacement &r : refresh.Replacements) {
        out += text.mid(at, r.Start - at);
        out += r.Text;
        at = r.End;
    }
    out += text.mid(at);
    return out;
}

QString ScanningMessage(qsizetype position)
{
    return QStringLiteral("Scanning at char ... ") + QString::number(position + 1);
}

} // namespace DateStamps
