// Reading an existing table back into the table wizard's fields, and finding it around the caret.
#include "assistants/core/tablemarkup.h"

#include "assistants/core/tagassistantcode.h"

#include <optional>

namespace TableWiz {

namespace {

// The largest number a spin box of the wizard holds; larger values are kept as written.
constexpr int kMaxSpin = 9999;
// Browsers read no larger span.
constexpr int kMaxSpan = 65534;

struct TToken
{
    enum TKind { Text, Start, End, Comment, Other } Kind = Text;
    qsizetype From = 0;      // where the token starts
    qsizetype To = 0;        // just after it
    QString Name;            // lower case, tags only
    QStringView WrittenName; // as written
    QStringView Inside;      // a start tag's attributes
};

// Splits markup into tags, comments and text. The text of script, style, textarea, title and
// xmp elements is one text token, whatever it holds.
class TScanner
{
public:
    explicit TScanner(QStringView text) : m_text(text) {}

    bool Next(TToken &t)
    {
        if (m_pushed) {
            t = *m_pushed;
            m_pushed.reset();
            return true;
        }
        const qsizetype n = m_text.size();
        if (m_pos >= n)
            return false;
        t = TToken();
        t.From = m_pos;
        if (!m_rawEnd.isEmpty()) {
            qsizetype end = m_pos;
            while ((end = m_text.indexOf(QStringLiteral("</"), end)) >= 0) {
                if (m_text.mid(end + 2).startsWith(m_rawEnd, Qt::CaseInsensitive))
                    break;
                end += 2;
            }
            m_rawEnd.clear();
            m_pos = end < 0 ? n : end;
            if (m_pos > t.From) {
                t.To = m_pos;
                return true;
            }
        }
        if (m_text[m_pos] != u'<' || !ReadTag(t)) {
            qsizetype next = m_text.indexOf(u'<', m_pos + 1);
            t.Kind = TToken::Text;
            t.From = m_pos;
            t.To = m_pos = next < 0 ? n : next;
        }
        return true;
    }

    void PushBack(const TToken &t) { m_pushed = t; }

private:
    static bool NameChar(QChar c) { return c.isLetterOrNumber() || c == u'-' || c == u':' || c == u'_'; }

    bool ReadTag(TToken &t)
    {
        const qsizetype n = m_text.size();
        const qsizetype p = m_pos;
        if (m_text.mid(p).startsWith(QStringLiteral("<!--"))) {
            const qsizetype close = m_text.indexOf(QStringLiteral("-->"), p + 4);
            t.Kind = TToken::Comment;
            t.To = m_pos = close < 0 ? n : close + 3;
            return true;
        }
        if (p + 1 < n && (m_text[p + 1] == u'!' || m_text[p + 1] == u'?')) {
            const qsizetype close = m_text.indexOf(u'>', p + 2);
            t.Kind = TToken::Other;
            t.To = m_pos = close < 0 ? n : close + 1;
            return true;
        }
        const bool end = p + 1 < n && m_text[p + 1] == u'/';
        const qsizetype nameStart = p + (end ? 2 : 1);
        if (nameStart >= n || !m_text[nameStart].isLetter())
            return false;
        qsizetype i = nameStart;
        while (i < n && NameChar(m_text[i]))
            ++i;
        t.WrittenName = m_text.mid(nameStart, i - nameStart);
        t.Name = t.WrittenName.toString().toLower();
        const qsizetype insideStart = i;
        // Quotes count only where a value starts, so that a stray apostrophe cannot hide the ">".
        bool afterEquals = false;
        while (i < n && m_text[i] != u'>') {
            const QChar c = m_text[i];
            if (afterEquals && (c == u'"' || c == u'\'')) {
                const qsizetype close = m_text.indexOf(c, i + 1);
                i = close < 0 ? n : close + 1;
                afterEquals = false;
                continue;
            }
            if (c == u'=')
                afterEquals = true;
            else if (!c.isSpace())
                afterEquals = false;
            ++i;
        }
        t.Kind = end ? TToken::End : TToken::Start;
        t.Inside = m_text.mid(insideStart, std::min(i, n) - insideStart);
        t.To = m_pos = i < n ? i + 1 : n;
        static const QStringList raw{QStringLiteral("script"), QStringLiteral("style"), QStringLiteral("textarea"),
                                     QStringLiteral("title"), QStringLiteral("xmp")};
        if (!end && raw.contains(t.Name))
            m_rawEnd = t.Name;
        return true;
    }

    QStringView m_text;
    qsizetype m_pos = 0;
    QString m_rawEnd;
    std::optional<TToken> m_pushed;
};

bool Is(const TToken &t, TToken::TKind kind, std::initializer_list<const char *> names)
{
    if (t.Kind != kind)
        return false;
    for (const char *name : names)
        if (t.Name == QLatin1String(name))
            return true;
    return false;
}

// The value of an attribute as written, quotes removed; none for a bare name.
std::optional<QString> ValueOf(const TKeptAttribute &a)
{
    const qsizetype eq = a.Raw.indexOf(u'=', a.Name.isEmpty() ? 0 : 1);
    if (eq < 0)
        return std::nullopt;
    QString value = a.Raw.mid(eq + 1).trimmed();
    if (value.size() >= 1 && (value[0] == u'"' || value[0] == u'\'')) {
        const QChar quote = value[0];
        value = value.mid(1);
        if (value.endsWith(quote))
            value.chop(1);
    }
    return value;
}

// A plain decimal number from 0 to max, as the spin boxes hold it.
std::optional<int> Number(const std::optional<QString> &value, int max)
{
    if (!value || value->isEmpty() || value->size() > 6)
        return std::nullopt;
    for (QChar c : *value)
        if (!c.isDigit() || c.unicode() > 127)
            return std::nullopt;
    const int n = value->toInt();
    return n <= max ? std::optional<int>(n) : std::nullopt;
}

struct TRawCell
{
    QString Tag;
    TKeptAttributes Attributes;
    QString Text;
};

struct TRawRow
{
    TKeptAttributes Attributes;
    QStringList Before;
    QList<TRawCell> Cells;
};

// The cell's content ends at the next cell, row or row group at its own level, or at the table's
// end; a cell's end tag is taken with it.
QString CellContent(QStringView markup, TScanner &scanner, qsizetype from)
{
    TToken t;
    int depth = 0;
    while (scanner.Next(t)) {
        if (Is(t, TToken::Start, {"table"})) {
            ++depth;
            continue;
        }
        if (Is(t, TToken::End, {"table"}) && depth > 0) {
            --depth;
            continue;
        }
        if (depth > 0)
            continue;
        if (Is(t, TToken::End, {"td", "th"}))
            return markup.mid(from, t.From - from).toString();
        if (Is(t, TToken::Start, {"td", "th", "tr", "tbody", "thead", "tfoot"})
            || Is(t, TToken::End, {"tr", "tbody", "thead", "tfoot", "table"})) {
            scanner.PushBack(t);
            return markup.mid(from, t.From - from).toString();
        }
    }
    return markup.mid(from).toString();
}

// From just after a start tag through its end tag at the same level of nesting; the position
// after it, or -1 when it does not end.
qsizetype SkipElement(TScanner &scanner, const QString &name)
{
    TToken t;
    int depth = 0;
    while (scanner.Next(t)) {
        if (t.Kind == TToken::Start && t.Name == name)
            ++depth;
        else if (t.Kind == TToken::End && t.Name == name && depth-- == 0)
            return t.To;
    }
    return -1;
}

TCellAttributes CellFrom(const TRawCell &raw, int rowSpan, int colSpan)
{
    TCellAttributes cell;
    cell.RowSpan = rowSpan;
    cell.ColSpan = colSpan;
    cell.CellType = raw.Tag;
    cell.Text = raw.Text;
    // The spans the block took stand for their attributes; a span cut back to 1 keeps its own.
    bool rowSpanTaken = rowSpan > 1, colSpanTaken = colSpan > 1;
    for (const TKeptAttribute &a : raw.Attributes) {
        const std::optional<QString> value = ValueOf(a);
        const bool span = Number(value, kMaxSpan).value_or(0) > 1;
        if (a.Name == QLatin1String("rowspan") && span && rowSpanTaken) {
            rowSpanTaken = false;
            continue;
        }
        if (a.Name == QLatin1String("colspan") && span && colSpanTaken) {
            colSpanTaken = false;
            continue;
        }
        if (a.Name == QLatin1String("width") && value && !value->isEmpty() && cell.Width.isEmpty()) {
            cell.Width = *value;
            continue;
        }
        cell.Extra << a;
    }
    return cell;
}

// A colour every row and every cell give the same, as the wizard writes it, becomes the table's
// colour; white is no colour to the wizard, so explicit white stays as written.
void TakeSharedColor(TTableFields &f)
{
    TTableGrid &grid = f.Grid;
    std::optional<std::uint32_t> shared;
    const auto same = [&](const TKeptAttributes &kept) {
        for (const TKeptAttribute &a : kept) {
            if (a.Name != QLatin1String("bgcolor"))
                continue;
            const auto rgb = TagAssistant::HtmlToColor(ValueOf(a).value_or(QString()));
            if (!rgb || (shared && *shared != *rgb))
                return false;
            shared = rgb;
            return true;
        }
        return false;
    };
    bool any = false;
    for (int r = 0; r < grid.RowCount(); ++r) {
        if (!same(grid.Row(r).Extra))
            return;
        for (int c = 0; c < grid.ColCount(); ++c) {
            const TCellAttributes &cell = grid.Cell({r, c});
            if (!cell.Covered()) {
                if (!same(cell.Extra))
                    return;
                any = true;
            }
        }
    }
    if (!any || !shared || *shared == 0xFFFFFF)
        return;
    const auto drop = [](TKeptAttributes &kept) {
        for (qsizetype i = 0; i < kept.size(); ++i)
            if (kept[i].Name == QLatin1String("bgcolor")) {
                kept.removeAt(i);
                return;
            }
    };
    f.Color = *shared;
    for (int r = 0; r < grid.RowCount(); ++r) {
        drop(grid.Row(r).Extra);
        for (int c = 0; c < grid.ColCount(); ++c)
            if (!grid.Cell({r, c}).Covered())
                drop(grid.Cell({r, c}).Extra);
    }
}

void TableAttributes(TTableFields &f, const TKeptAttributes &attributes)
{
    for (const TKeptAttribute &a : attributes) {
        const std::optional<QString> value = ValueOf(a);
        const bool text = value && !value->isEmpty();
        if (a.Name == QLatin1String("width") && text && value->size() <= kMaxWidthLength && f.Width.isEmpty())
            f.Width = *value;
        else if (a.Name == QLatin1String("border") && Number(value, kMaxSpin) && !f.Border) {
            f.Border = true;
            f.BorderWidth = *Number(value, kMaxSpin);
        } else if (a.Name == QLatin1String("cellpadding") && Number(value, kMaxSpin).value_or(0) > 0 && !f.CellPadding)
            f.CellPadding = *Number(value, kMaxSpin);
        else if (a.Name == QLatin1String("cellspacing") && Number(value, kMaxSpin).value_or(0) > 0 && !f.CellSpacing)
            f.CellSpacing = *Number(value, kMaxSpin);
        else if (a.Name == QLatin1String("background") && text && f.BackgroundImage.isEmpty())
            f.BackgroundImage = *value;
        else if (a.Name == QLatin1String("align") && text && f.TableAlign.isEmpty())
            f.TableAlign = *value;
        else
            f.Extra << a;
    }
}

} // namespace

TReadTable ReadTable(QStringView markup)
{
    TReadTable result;
    TTableFields &f = result.Fields;
    TScanner scanner(markup);
    TToken t;
    while (scanner.Next(t) && t.Kind == TToken::Text && markup.mid(t.From, t.To - t.From).trimmed().isEmpty()) {
    }
    if (!Is(t, TToken::Start, {"table"})) {
        result.Error = QStringLiteral("There is no table here to read.");
        return result;
    }
    TableAttributes(f, ParseAttributes(t.Inside));

    QList<TRawRow> rows;
    QStringList pending;      // pieces between rows
    bool inRow = false;       // after a <tr> (or a cell without one) and before its end
    qsizetype strayFrom = -1; // markup inside a row that is in no cell
    qsizetype strayTo = -1;
    bool ended = false;
    bool haveCaption = false;
    const auto piece = [&](qsizetype from, qsizetype to) { return markup.mid(from, to - from).trimmed().toString(); };
    const auto stray = [&](qsizetype from, qsizetype to) {
        if (strayFrom < 0)
            strayFrom = from;
        strayTo = to;
    };
    const auto closeRow = [&] {
        if (!inRow)
            return;
        inRow = false;
        if (strayFrom < 0)
            return;
        const QString kept = piece(strayFrom, strayTo);
        if (!rows.last().Cells.isEmpty())
            rows.last().Cells.last().Text += kept;
        else
            pending << kept;
        strayFrom = -1;
    };
    const auto openRow = [&](const TKeptAttributes &attributes) {
        closeRow();
        rows.append({attributes, pending, {}});
        pending.clear();
        inRow = true;
    };

    while (!ended && scanner.Next(t)) {
        if (t.Kind == TToken::Text && piece(t.From, t.To).isEmpty())
            continue;
        if (Is(t, TToken::Start, {"tr"})) {
            openRow(ParseAttributes(t.Inside));
        } else if (Is(t, TToken::Start, {"td", "th"})) {
            if (!inRow)
                openRow({});
            TRawCell cell{t.WrittenName.toString(), ParseAttributes(t.Inside), QString()};
            if (strayFrom >= 0) {
                // Up to the cell's tag, so that a blank between the two stays.
                QStringView before = markup.mid(strayFrom, t.From - strayFrom);
                while (!before.isEmpty() && before.front().isSpace())
                    before = before.mid(1);
                cell.Text = before.toString();
                strayFrom = -1;
            }
            cell.Text += CellContent(markup, scanner, t.To);
            rows.last().Cells << cell;
        } else if (Is(t, TToken::End, {"tr"})) {
            closeRow();
        } else if (Is(t, TToken::End, {"table"})) {
            closeRow();
            ended = true;
        } else if (Is(t, TToken::Start, {"caption"}) && !haveCaption && !inRow) {
            const TKeptAttributes attributes = ParseAttributes(t.Inside);
            const qsizetype end = SkipElement(scanner, t.Name);
            if (end < 0)
                break;
            const qsizetype close = markup.lastIndexOf(u'<', end - 1);
            const QString caption = markup.mid(t.To, close - t.To).toString();
            if (caption.isEmpty()) {
                pending << piece(t.From, end);
                continue;
            }
            haveCaption = true;
            f.Caption = caption;
            for (const TKeptAttribute &a : attributes) {
                const std::optional<QString> value = ValueOf(a);
                if (a.Name == QLatin1String("align") && value && !value->isEmpty() && f.CaptionAlign.isEmpty())
                    f.CaptionAlign = *value;
                else
                    f.CaptionExtra << a;
            }
        } else {
            // Row groups end a row; anything else that is no row or cell is kept where it stands.
            if (Is(t, TToken::Start, {"tbody", "thead", "tfoot"}) || Is(t, TToken::End, {"tbody", "thead", "tfoot"}))
                closeRow();
            qsizetype end = t.To;
            if (Is(t, TToken::Start, {"table", "caption"}) && (end = SkipElement(scanner, t.Name)) < 0)
                break;
            if (inRow)
                stray(t.From, end);
            else
                pending << piece(t.From, end);
        }
    }
    if (!ended) {
        result.Error = QStringLiteral("The table has no end tag, so where it ends is not known.");
        return result;
    }
    while (scanner.Next(t)) {
        if (t.Kind != TToken::Text || !piece(t.From, t.To).isEmpty()) {
            result.Error = QStringLiteral("The text goes on after the table's end tag.");
            return result;
        }
    }
    f.Trailer = pending;

    // Places cells as browsers do: a cell takes the next place its row has free of the blocks of
    // rows above; a block is cut back where it would run into another one or past the last row.
    const int rowCount = std::max<int>(1, int(rows.size()));
    if (rows.size() > kMaxRows) {
        result.Error = QStringLiteral("This table has %1 rows; the Table Assistant lays out tables of up to %2 rows "
                                      "and %3 columns.")
                           .arg(rows.size())
                           .arg(kMaxRows)
                           .arg(kMaxCols);
        return result;
    }
    std::vector<std::vector<bool>> taken(static_cast<size_t>(rowCount));
    struct TPlaced
    {
        TCellPos Pos;
        int RowSpan, ColSpan;
        const TRawCell *Raw;
    };
    QList<TPlaced> placed;
    int colCount = 1;
    for (int r = 0; r < int(rows.size()); ++r) {
        int c = 0;
        for (const TRawCell &raw : std::as_const(rows[r].Cells)) {
            std::vector<bool> &line = taken[size_t(r)];
            while (c < int(line.size()) && line[size_t(c)])
                ++c;
            int rowSpan = 1, colSpan = 1;
            for (const TKeptAttribute &a : raw.Attributes) {
                const int n = Number(ValueOf(a), kMaxSpan).value_or(0);
                if (a.Name == QLatin1String("rowspan") && n > 1 && rowSpan == 1)
                    rowSpan = std::min(n, rowCount - r);
                else if (a.Name == QLatin1String("colspan") && n > 1 && colSpan == 1)
                    colSpan = n;
            }
            if (c + colSpan > kMaxCols) {
                result.Error = QStringLiteral("This table has more than %1 columns; the Table Assistant lays out "
                                              "tables of up to %2 rows and %1 columns.")
                                   .arg(kMaxCols)
                                   .arg(kMaxRows);
                return result;
            }
            for (int k = 1; k < colSpan; ++k)
                if (c + k < int(line.size()) && line[size_t(c + k)]) {
                    colSpan = k;
                    break;
                }
            for (int dr = 0; dr < rowSpan; ++dr) {
                std::vector<bool> &below = taken[size_t(r + dr)];
                if (below.size() < size_t(c + colSpan))
                    below.resize(size_t(c + colSpan), false);
                for (int dc = 0; dc < colSpan; ++dc)
                    below[size_t(c + dc)] = true;
            }
            placed.append({{r, c}, rowSpan, colSpan, &raw});
            colCount = std::max(colCount, c + colSpan);
            c += colSpan;
        }
    }

    f.Grid = TTableGrid(rowCount, colCount);
    for (int r = 0; r < rowCount; ++r) {
        for (int c = 0; c < colCount; ++c) {
            f.Grid.Cell({r, c}).RowSpan = 0; // no cell here until one is placed
            f.Grid.Cell({r, c}).ColSpan = 0;
        }
        if (r < rows.size())
            f.Grid.Row(r) = {rows[r].Attributes, rows[r].Before};
    }
    if (rows.isEmpty())
        f.Grid.Cell({0, 0}) = TCellAttributes();
    for (const TPlaced &p : placed)
        f.Grid.Cell(p.Pos) = CellFrom(*p.Raw, p.RowSpan, p.ColSpan);
    TakeSharedColor(f);
    result.Ok = true;
    return result;
}

TTableRange TableAt(QStringView text, qsizetype pos)
{
    TScanner scanner(text);
    TToken t;
    QList<qsizetype> open;
    while (scanner.Next(t)) {
        if (open.isEmpty() && t.From > pos)
            break;
        if (Is(t, TToken::Start, {"table"})) {
            open << t.From;
        } else if (Is(t, TToken::End, {"table"}) && !open.isEmpty()) {
            const qsizetype start = open.takeLast();
            if (start <= pos && pos < t.To)
                return {start, t.To};
        }
    }
    return {};
}

} // namespace TableWiz
