// The table wizard's markup: generation, reading tables back, the table around the caret.
#include "assistants/core/tablemarkup.h"

#include <QTest>

using namespace TableWiz;

Q_DECLARE_METATYPE(TableWiz::TTableFields)

namespace {

QString Cr(const QStringList &lines)
{
    return lines.join(u'\r');
}

TTableFields Filled(int rows, int cols)
{
    TTableFields f;
    f.Grid = TTableGrid(rows, cols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            f.Grid.Cell({r, c}).Text = QString(QChar(u'a' + r * cols + c));
    return f;
}

// A table with something in every field.
TTableFields Busy()
{
    TTableFields f = Filled(3, 3);
    f.Caption = QStringLiteral("Prices");
    f.CaptionAlign = QStringLiteral("Bottom");
    f.TableAlign = QStringLiteral("Center");
    f.Border = true;
    f.BorderWidth = 0;
    f.Width = QStringLiteral("80%");
    f.CellPadding = 4;
    f.CellSpacing = 2;
    f.Color = 0x336699;
    f.BackgroundImage = QStringLiteral("img/bg.gif");
    f.Grid.Merge({0, 0}, 2, 2);
    f.Grid.Merge({2, 1}, 1, 2);
    f.Grid.Cell({0, 2}).CellType = QStringLiteral("TH");
    f.Grid.Cell({0, 2}).Width = QStringLiteral("120");
    f.Grid.Cell({2, 0}).Text = QStringLiteral("<b>x</b> &amp; y");
    return f;
}

int Count(const QString &text, const QString &what)
{
    return int(text.count(what));
}

} // namespace

class TestTableMarkup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void plainTwoByTwo()
    {
        QCOMPARE(TableMarkup(Filled(2, 2), QString()),
                 Cr({"<table>", "<tr>", "    <td>a</td>", "    <td>b</td>", "</tr>", "<tr>", "    <td>c</td>",
                     "    <td>d</td>", "</tr>", "</table>"}));
    }

    void indentAndLineBreaks()
    {
        TTableFields f = Filled(1, 1);
        f.Grid.Cell({0, 0}).Text = QStringLiteral("one\ntwo\r\nthree");
        QCOMPARE(TableMarkup(f, QStringLiteral("  "), QStringLiteral("\r\n")),
                 QStringLiteral("<table>\r\n  <tr>\r\n      <td>one\r\ntwo\r\nthree</td>\r\n  </tr>\r\n  </table>"));
        QCOMPARE(IndentFor(QStringLiteral("\t  ")), QStringLiteral("\t  "));
        QCOMPARE(IndentFor(QStringLiteral("<p>")), QStringLiteral("   "));
        QCOMPARE(IndentFor(QString()), QString());
    }

    void colours()
    {
        TTableFields f = Filled(2, 3);
        QVERIFY(!TableMarkup(f, QString()).contains(QLatin1String("bgcolor")));
        f.Color = 0xFF8000;
        const QString markup = TableMarkup(f, QString());
        QCOMPARE(Count(markup, QStringLiteral(" bgcolor=\"#FF8000\"")), 2 + 6);
        QVERIFY(markup.contains(QLatin1String("<tr bgcolor=\"#FF8000\">")));
        QVERIFY(markup.contains(QLatin1String("<td bgcolor=\"#FF8000\">a</td>")));
    }

    void mergedBlock()
    {
        TTableFields f = Filled(3, 3);
        QVERIFY(f.Grid.Merge({0, 0}, 2, 2).Done);
        f.Color = 0x000080;
        const QString markup = TableMarkup(f, QString());
        // rowspan before the colour, colspan after it.
        QVERIFY(markup.contains(QLatin1String("<td rowspan=\"2\" bgcolor=\"#000080\" colspan=\"2\">a</td>")));
        QCOMPARE(Count(markup, QStringLiteral("<td")), 9 - 3);
        for (const char *covered : {">b<", ">d<", ">e<"})
            QVERIFY2(!markup.contains(QLatin1String(covered)), covered);
    }

    void tableAttributes_data()
    {
        QTest::addColumn<TTableFields>("fields");
        QTest::addColumn<QString>("tag");
        TTableFields f = Filled(1, 1);
        QTest::newRow("none") << f << "<table>";
        f.Border = true;
        f.BorderWidth = 0;
        QTest::newRow("border 0 is written") << f << "<table border=\"0\">";
        f.Border = false;
        f.BorderWidth = 5;
        QTest::newRow("unchecked border is not") << f << "<table>";
        f.Width = QStringLiteral("50%");
        f.Border = true;
        f.CellPadding = 3;
        f.CellSpacing = 0;
        f.BackgroundImage = QStringLiteral("bg.png");
        f.TableAlign = QStringLiteral("Center");
        f.Extra = ParseAttributes(QStringLiteral("class=\"wide\" summary='a b'"));
        QTest::newRow("in order, kept ones last")
            << f
            << "<table width=\"50%\" border=\"5\" cellpadding=\"3\" background=\"bg.png\" align=\"Center\" "
               "class=\"wide\" summary='a b'>";
        // A field the user set replaces an attribute kept under the same name.
        f = Filled(1, 1);
        f.Extra = ParseAttributes(QStringLiteral("border cellspacing=0 id=t"));
        QTest::newRow("kept as written") << f << "<table border cellspacing=0 id=t>";
        f.Border = true;
        f.CellSpacing = 2;
        QTest::newRow("fields win over kept") << f << "<table border=\"1\" cellspacing=\"2\" id=t>";
    }
    void tableAttributes()
    {
        QFETCH(TTableFields, fields);
        QFETCH(QString, tag);
        QCOMPARE(TableMarkup(fields, QString()).section(u'\r', 0, 0), tag);
    }

    void cellTypesAndCaption_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("cell");
        QTest::newRow("empty writes td") << ""
                                         << "    <td>a</td>";
        QTest::newRow("TD in capitals writes td") << "TD"
                                                  << "    <td>a</td>";
        QTest::newRow("TH stays in capitals") << "TH"
                                              << "    <TH>a</TH>";
        QTest::newRow("th") << "th"
                            << "    <th>a</th>";
    }
    void cellTypesAndCaption()
    {
        QFETCH(QString, type);
        TTableFields f = Filled(1, 1);
        f.Grid.Cell({0, 0}).CellType = type;
        f.CaptionAlign = QStringLiteral("Top");
        const QStringList lines = TableMarkup(f, QString()).split(u'\r');
        QFETCH(QString, cell);
        QCOMPARE(lines.at(2), cell);
        // The caption's alignment means nothing without a caption.
        QVERIFY(!lines.join(u' ').contains(QLatin1String("caption")));
        f.Caption = QStringLiteral("Title");
        QCOMPARE(TableMarkup(f, QString()).split(u'\r').at(1),
                 QStringLiteral("<caption align=\"Top\">Title</caption>"));
    }

    // What the wizard makes it reads back as it was, and makes again unchanged.
    void readBackRoundTrip_data()
    {
        QTest::addColumn<TTableFields>("fields");
        QTest::newRow("plain") << Filled(2, 2);
        QTest::newRow("every field, merges") << Busy();
        TTableFields nested = Filled(2, 2);
        nested.Grid.Cell({1, 1}).Text = QStringLiteral("<table border=\"1\"><tr><td>in</td></tr></table>");
        nested.Grid.Merge({0, 0}, 2, 1);
        QTest::newRow("nested table in a block") << nested;
        TTableFields tall = Filled(4, 2);
        tall.Grid.Merge({0, 1}, 4, 1);
        tall.Grid.Merge({1, 0}, 3, 1);
        QTest::newRow("full-height blocks") << tall;
    }
    void readBackRoundTrip()
    {
        QFETCH(TTableFields, fields);
        const QString first = TableMarkup(fields, QStringLiteral("    "));
        const TReadTable read = ReadTable(first);
        QVERIFY2(read.Ok, qPrintable(read.Error));
        QCOMPARE(TableMarkup(read.Fields, QStringLiteral("    ")), first);
        // The same grid, but for the texts hidden under blocks, which no markup holds.
        TTableGrid visible = fields.Grid;
        TCellAttributes hidden;
        hidden.RowSpan = hidden.ColSpan = 0;
        for (int r = 0; r < visible.RowCount(); ++r)
            for (int c = 0; c < visible.ColCount(); ++c)
                if (visible.Cell({r, c}).Covered())
                    visible.Cell({r, c}) = hidden;
        QVERIFY(read.Fields.Grid == visible);
    }

    void readingKeepsWhatHasNoField_data()
    {
        QTest::addColumn<QString>("markup");
        QTest::addColumn<QString>("again");
        QTest::newRow("other attributes, any case")
            << "<TABLE Border=2 class=\"x\" cellspacing=\"0\"><TR valign=top><TD align=right nowrap>a<TD>b</TABLE>"
            << "<table border=\"2\" class=\"x\" cellspacing=\"0\">\r<tr valign=top>\r    <td align=right "
               "nowrap>a</td>\r"
               "    <td>b</td>\r</tr>\r</table>";
        QTest::newRow("row groups and comments")
            << "<table>\n <thead><tr><th>h</th></tr></thead>\n <!-- body -->\n "
               "<tbody><tr><td>d</td></tr></tbody>\n</table>"
            << "<table>\r<thead>\r<tr>\r    <th>h</th>\r</tr>\r</thead>\r<!-- body -->\r<tbody>\r<tr>\r    <td>d</td>\r"
               "</tr>\r</tbody>\r</table>";
        QTest::newRow("nested table, with its own rows")
            << "<table><tr><td> <table><tr><td>1</td><td>2</td></tr></table> </td></tr></table>"
            << "<table>\r<tr>\r    <td> <table><tr><td>1</td><td>2</td></tr></table> </td>\r</tr>\r</table>";
        QTest::newRow("ragged rows get no extra cells")
            << "<table><tr><td>a</td><td>b</td></tr><tr><td>c</td></tr><tr></tr></table>"
            << "<table>\r<tr>\r    <td>a</td>\r    <td>b</td>\r</tr>\r<tr>\r    "
               "<td>c</td>\r</tr>\r<tr>\r</tr>\r</table>";
        QTest::newRow("colours of their own stay")
            << "<table><tr bgcolor=red><td>a</td><td bgcolor=\"#00FF00\">b</td></tr></table>"
            << "<table>\r<tr bgcolor=red>\r    <td>a</td>\r    <td bgcolor=\"#00FF00\">b</td>\r</tr>\r</table>";
        QTest::newRow("explicit white stays")
            << "<table><tr bgcolor=\"#FFFFFF\"><td bgcolor=\"#FFFFFF\">a</td></tr></table>"
            << "<table>\r<tr bgcolor=\"#FFFFFF\">\r    <td bgcolor=\"#FFFFFF\">a</td>\r</tr>\r</table>";
        QTest::newRow("a shared colour becomes the table's")
            << "<table><tr bgcolor=\"#ff0000\"><td bgcolor=red>a</td></tr></table>"
            << "<table>\r<tr bgcolor=\"#FF0000\">\r    <td bgcolor=\"#FF0000\">a</td>\r</tr>\r</table>";
        QTest::newRow("stray markup between cells goes into a cell")
            << "<table><tr><!-- first --><td>a</td> x <td>b</td><!-- last --></tr></table>"
            << "<table>\r<tr>\r    <td><!-- first -->a</td>\r    <td>x b<!-- last --></td>\r</tr>\r</table>";
        QTest::newRow("spans the wizard cannot use stay")
            << "<table><tr><td rowspan=\"0\" colspan=1>a</td><td width=\"\">b</td></tr></table>"
            << "<table>\r<tr>\r    <td rowspan=\"0\" colspan=1>a</td>\r    <td width=\"\">b</td>\r</tr>\r</table>";
        QTest::newRow("a rowspan past the last row is cut to it")
            << "<table><tr><td rowspan=5>a</td><td>b</td></tr><tr><td>c</td></tr></table>"
            << "<table>\r<tr>\r    <td rowspan=\"2\">a</td>\r    <td>b</td>\r</tr>\r<tr>\r    "
               "<td>c</td>\r</tr>\r</table>";
        QTest::newRow("caption with attributes, script in a cell")
            << "<table><caption align=left class=c>The "
               "<i>list</i></caption><tr><td><script>s='</td>';</script></td></tr></table>"
            << "<table>\r<caption align=\"left\" class=c>The <i>list</i></caption>\r<tr>\r"
               "    <td><script>s='</td>';</script></td>\r</tr>\r</table>";
        QTest::newRow("an empty caption stays as it was")
            << "<table><caption></caption><tr><td>a</td></tr></table>"
            << "<table>\r<caption></caption>\r<tr>\r    <td>a</td>\r</tr>\r</table>";
        QTest::newRow("an empty table gets one cell") << "<table class=x></table>"
                                                      << "<table class=x>\r<tr>\r    <td></td>\r</tr>\r</table>";
        QTest::newRow("a width longer than the box holds stays")
            << "<table width=\"1234.5px\"><tr><td>a</td></tr></table>"
            << "<table width=\"1234.5px\">\r<tr>\r    <td>a</td>\r</tr>\r</table>";
    }
    void readingKeepsWhatHasNoField()
    {
        QFETCH(QString, markup);
        const TReadTable read = ReadTable(markup);
        QVERIFY2(read.Ok, qPrintable(read.Error));
        QFETCH(QString, again);
        QCOMPARE(TableMarkup(read.Fields, QString()), again);
    }

    void readingFillsTheFields()
    {
        const TReadTable read =
            ReadTable(QStringLiteral("<table width=\"100%\" border=\"0\" cellpadding=\"2\" cellspacing=\"1\" "
                                     "background=\"b.gif\" align=\"center\">"
                                     "<tr><th colspan=\"2\" width=\"50\">H</th><td "
                                     "rowspan=\"2\">R</td></tr><tr><td>x</td><td>y</td></tr></table>"));
        QVERIFY(read.Ok);
        const TTableFields &f = read.Fields;
        QCOMPARE(f.Width, QStringLiteral("100%"));
        QVERIFY(f.Border);
        QCOMPARE(f.BorderWidth, 0);
        QCOMPARE(f.CellPadding, 2);
        QCOMPARE(f.CellSpacing, 1);
        QCOMPARE(f.BackgroundImage, QStringLiteral("b.gif"));
        QCOMPARE(f.TableAlign, QStringLiteral("center"));
        QVERIFY(f.Extra.isEmpty());
        QCOMPARE(f.Grid.RowCount(), 2);
        QCOMPARE(f.Grid.ColCount(), 3);
        const TCellAttributes &h = f.Grid.Cell({0, 0});
        QCOMPARE(h.CellType, QStringLiteral("th"));
        QCOMPARE(h.ColSpan, 2);
        QCOMPARE(h.Width, QStringLiteral("50"));
        QVERIFY(h.Extra.isEmpty());
        QVERIFY(f.Grid.Cell({0, 1}).Covered());
        QCOMPARE(f.Grid.Cell({0, 2}).RowSpan, 2);
        QVERIFY(f.Grid.Cell({1, 2}).Covered());
        QCOMPARE(f.Grid.Cell({1, 1}).Text, QStringLiteral("y"));
    }

    void tablesThatCannotBeRead_data()
    {
        QTest::addColumn<QString>("markup");
        QTest::addColumn<QString>("message");
        QTest::newRow("no table") << "<p>hi</p>"
                                  << "no table";
        QTest::newRow("table word inside") << "<tablex></tablex>"
                                           << "no table";
        QTest::newRow("no end tag") << "<table><tr><td>a</td></tr>"
                                    << "no end tag";
        QTest::newRow("nested one unclosed") << "<table><tr><td><table></td></tr></table>"
                                             << "no end tag";
        QTest::newRow("text after it") << "<table></table><p>"
                                       << "goes on after";
        QString rows = QStringLiteral("<table>");
        for (int i = 0; i <= kMaxRows; ++i)
            rows += QStringLiteral("<tr><td>x</td></tr>");
        QTest::newRow("too many rows") << rows + "</table>"
                                       << "1001 rows";
        QTest::newRow("too many columns") << "<table><tr><td>a</td><td colspan=\"200\">b</td></tr></table>"
                                          << "more than 100 columns";
    }
    void tablesThatCannotBeRead()
    {
        QFETCH(QString, markup);
        const TReadTable read = ReadTable(markup);
        QVERIFY(!read.Ok);
        QFETCH(QString, message);
        QVERIFY2(read.Error.contains(message), qPrintable(read.Error));
    }

    void tableAroundTheCaret_data()
    {
        // "|" marks the caret, "[" and "]" the table expected (none when absent).
        QTest::addColumn<QString>("text");
        QTest::newRow("inside a cell") << "<p>[<table><tr><td>a|</td></tr></table>]</p>";
        QTest::newRow("at its start") << "[|<TABLE><tr><td>a</td></tr></TABLE>]";
        QTest::newRow("just after it") << "<table></table>|";
        QTest::newRow("before it") << "|<p><table></table>";
        QTest::newRow("inner table") << "<table><tr><td>[<table><tr><td>|</td></tr></table>]</td></tr></table>";
        QTest::newRow("outer, after the inner one")
            << "[<table><tr><td><table><tr><td></td></tr></table>|</td></tr></table>]";
        QTest::newRow("in a comment") << "<!-- <table> | </table> -->";
        QTest::newRow("in a script") << "[<table><tr><td><script>x='</table>';|</script></td></tr></table>]";
        QTest::newRow("unclosed") << "<table><tr><td>|";
        QTest::newRow("second of two") << "<table></table>\r\n[<table>|</table>]";
    }
    void tableAroundTheCaret()
    {
        QFETCH(QString, text);
        QString clean;
        qsizetype open = -1, close = -1, caret = -1;
        for (QChar c : text) {
            if (c == u'[')
                open = clean.size();
            else if (c == u']')
                close = clean.size();
            else if (c == u'|')
                caret = clean.size();
            else
                clean += c;
        }
        const TTableRange range = TableAt(clean, caret);
        QCOMPARE(range.Found(), open >= 0);
        QCOMPARE(range.Start, open);
        QCOMPARE(range.End, close);
    }

    void attributesAsWritten_data()
    {
        QTest::addColumn<QString>("inside");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("raws");
        QTest::newRow("forms") << " a=1 B=\"x y\"  c d='q r' e = f" << QStringList{"a", "b", "c", "d", "e"}
                               << QStringList{"a=1", "B=\"x y\"", "c", "d='q r'", "e = f"};
        QTest::newRow("unclosed quote runs to the end") << "a=\"x y" << QStringList{"a"} << QStringList{"a=\"x y"};
        QTest::newRow("a stray equals sign is kept") << "=x a" << QStringList{"=x", "a"} << QStringList{"=x", "a"};
        QTest::newRow("self-closing slash") << "a=1 /" << QStringList{"a"} << QStringList{"a=1"};
    }
    void attributesAsWritten()
    {
        QFETCH(QString, inside);
        QFETCH(QStringList, names);
        QFETCH(QStringList, raws);
        const TKeptAttributes kept = ParseAttributes(inside);
        QStringList gotNames, gotRaws;
        for (const TKeptAttribute &a : kept) {
            gotNames << a.Name;
            gotRaws << a.Raw;
        }
        QCOMPARE(gotNames, names);
        QCOMPARE(gotRaws, raws);
        QCOMPARE(ParseAttributes(JoinAttributes(kept)), kept);
    }
};

QTEST_GUILESS_MAIN(TestTableMarkup)
#include "tst_tablemarkup.moc"
