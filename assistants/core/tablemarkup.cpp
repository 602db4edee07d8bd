// The table wizard's markup from its fields, and attribute lists as written.
#include "assistants/core/tablemarkup.h"

#include "assistants/core/tagassistantcode.h"

#include <QSet>

#include <algorithm>

namespace TableWiz {

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

QString Quoted(const QString &name, const QString &value)
{
    return QLatin1Char(' ') + name + QStringLiteral("=\"") + value + QLatin1Char('"');
}

bool Holds(const TKeptAttributes &kept, QLatin1String name)
{
    return std::any_of(kept.begin(), kept.end(), [&](const TKeptAttribute &a) { return a.Name == name; });
}

// The kept attributes but those a field has just written: the field is what the user set.
QString KeptAfter(const TKeptAttributes &kept, const QSet<QString> &written)
{
    QString out;
    for (const TKeptAttribute &a : kept)
        if (!written.contains(a.Name))
            out += QLatin1Char(' ') + a.Raw;
    return out;
}

QString WithBreaks(const QString &text, const QString &lineBreak)
{
    if (!text.contains(u'\r') && !text.contains(u'\n'))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            out += lineBreak;
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

// A cell kind of "td" in any case, or none, is written "td"; anything else as typed.
QString CellTag(const QString &type)
{
    if (type.isEmpty() || type.compare(QLatin1String("td"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("td");
    return type;
}

} // namespace

QString TableMarkup(const TTableFields &f, const QString &indent, const QString &lineBreak)
{
    QStringList lines;
    const auto line = [&](const QString &text) { lines << (lines.isEmpty() ? QString() : indent) + text; };
    const bool colored = (f.Color & kWhite) != kWhite;
    const QString color = TagAssistant::ColorToHtml(f.Color);

    QString table = QStringLiteral("<table");
    QSet<QString> written;
    const auto attribute = [&](QString &tag, const char *name, const QString &value) {
        tag += Quoted(QLatin1String(name), value);
        written.insert(QLatin1String(name));
    };
    if (!f.Width.isEmpty())
        attribute(table, "width", f.Width);
    if (f.Border)
        attribute(table, "border", QString::number(f.BorderWidth));
    if (f.CellPadding > 0)
        attribute(table, "cellpadding", QString::number(f.CellPadding));
    if (f.CellSpacing > 0)
        attribute(table, "cellspacing", QString::number(f.CellSpacing));
    if (!f.BackgroundImage.isEmpty())
        attribute(table, "background", f.BackgroundImage);
    if (!f.TableAlign.isEmpty())
        attribute(table, "align", f.TableAlign);
    line(table + KeptAfter(f.Extra, written) + QLatin1Char('>'));

    if (!f.Caption.isEmpty()) {
        QString caption = QStringLiteral("<caption");
        written.clear();
        if (!f.CaptionAlign.isEmpty())
            attribute(caption, "align", f.CaptionAlign);
        line(caption + KeptAfter(f.CaptionExtra, written) + QLatin1Char('>') + WithBreaks(f.Caption, lineBreak)
             + QStringLiteral("</caption>"));
    }

    const TTableGrid &grid = f.Grid;
    for (int r = 0; r < grid.RowCount(); ++r) {
        const TRowAttributes &row = grid.Row(r);
        for (const QString &piece : row.Before)
            line(WithBreaks(piece, lineBreak));
        QString tr = QStringLiteral("<tr");
        written.clear();
        // A row or cell that kept a colour of its own keeps it.
        if (colored && !Holds(row.Extra, QLatin1String("bgcolor")))
            attribute(tr, "bgcolor", QLatin1Char('#') + color);
        line(tr + KeptAfter(row.Extra, written) + QLatin1Char('>'));
        for (int c = 0; c < grid.ColCount(); ++c) {
            const TCellAttributes &cell = grid.Cell({r, c});
            if (cell.Covered())
                continue;
            const QString tag = CellTag(cell.CellType);
            QString td = QLatin1Char('<') + tag;
            written.clear();
            if (cell.RowSpan > 1)
                attribute(td, "rowspan", QString::number(cell.RowSpan));
            if (colored && !Holds(cell.Extra, QLatin1String("bgcolor")))
                attribute(td, "bgcolor", QLatin1Char('#') + color);
            if (cell.ColSpan > 1)
                attribute(td, "colspan", QString::number(cell.ColSpan));
            if (!cell.Width.isEmpty())
                attribute(td, "width", cell.Width);
            line(QStringLiteral("    ") + td + KeptAfter(cell.Extra, written) + QLatin1Char('>')
                 + WithBreaks(cell.Text, lineBreak) + QStringLiteral("</") + tag + QLatin1Char('>'));
        }
        line(QStringLiteral("</tr>"));
    }
    for (const QString &piece : f.Trailer)
        line(WithBreaks(piece, lineBreak));
    line(QStringLiteral("</table>"));
    return lines.join(lineBreak);
}

QString IndentFor(QStringView lineBeforeCaret)
{
    for (QChar c : lineBeforeCaret)
        if (c != u' ' && c != u'\t')
            return QString(lineBeforeCaret.size(), u' ');
    return lineBeforeCaret.toString();
}

TKeptAttributes ParseAttributes(QStringView text)
{
    TKeptAttributes out;
    qsizetype i = 0;
    const qsizetype n = text.size();
    const auto blank = [&](qsizetype k) { return k < n && text[k].isSpace(); };
    while (i < n) {
        while (blank(i) || (i < n && text[i] == u'/'))
            ++i;
        if (i >= n)
            break;
        const qsizetype start = i;
        while (i < n && !text[i].isSpace() && (text[i] != u'=' || i == start) && text[i] != u'/')
            ++i;
        const QString name = text.mid(start, i - start).toString().toLower();
        qsizetype end = i;
        qsizetype k = i;
        while (blank(k))
            ++k;
        if (k < n && text[k] == u'=') {
            ++k;
            while (blank(k))
                ++k;
            if (k < n && (text[k] == u'"' || text[k] == u'\'')) {
                const QChar quote = text[k];
                const qsizetype close = text.indexOf(quote, k + 1);
                k = close < 0 ? n : close + 1;
            } else {
                while (k < n && !text[k].isSpace())
                    ++k;
            }
            end = k;
            i = k;
        }
        // A stray "=value" has no name: it is kept, matching no field.
        out.append({name, text.mid(start, end - start).toString()});
    }
    return out;
}

QString JoinAttributes(const TKeptAttributes &attributes)
{
    QStringList raws;
    for (const TKeptAttribute &a : attributes)
        raws << a.Raw;
    return raws.join(u' ');
}

} // namespace TableWiz
