// Tests of the report rows of the syntax and link checks and of the line a row points at.
#include "analysis/core/checkreport.h"

#include <QtTest>

namespace {

const QString TagDataFile = QStringLiteral(TAGFORGE_TEST_DATA "/tags.dat");
const QString Version = QStringLiteral("0|Quillworks HTML Validator V. 0.1");

// "image|caption" per row, with "|sub-items" joined by ";" when there are any.
QStringList Describe(const QList<TReportRow> &rows)
{
    QStringList out;
    for (const TReportRow &row : rows)
        out << QString::number(row.ImageIndex) + u'|' + (QStringList{row.Caption} + row.SubItems).join(u';');
    return out;
}

} // namespace

class TestCheckReport : public QObject
{
    Q_OBJECT

private slots:
    void lineCount_data();
    void lineCount();
    void syntaxReport_data();
    void syntaxReport();
    void syntaxReportWithoutTagData();
    void linkReport();
    void rowLine_data();
    void rowLine();
    void sourceReportPlacesFindings();
};

void TestCheckReport::lineCount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("lines");

    const QString row(15, u'x'); // with its line end, a line fills one 16-character block
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("no line end") << "a" << 1;
    QTest::newRow("LF at the end adds no line") << "a\n" << 1;
    QTest::newRow("CR LF is one line end") << "a\r\nb" << 2;
    QTest::newRow("CR alone, also at the end") << "a\rb\r" << 2;
    QTest::newRow("CR CR LF is two") << "\r\r\n" << 2;
    QTest::newRow("LF LF") << "\n\n" << 2;
    QTest::newRow("CR LF across a block bound") << row + "\r\n" + row << 2;
    QTest::newRow("many blocks of CR LF") << (row.left(14) + "\r\n").repeated(100) + "z" << 101;
    QTest::newRow("CR last in a block, then text") << (row + "\r").repeated(50) << 50;
}

void TestCheckReport::lineCount()
{
    QFETCH(QString, text);
    QFETCH(int, lines);
    QCOMPARE(CountTextLines(text), lines);
}

void TestCheckReport::syntaxReport_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("one line without tags")
        << "just text" << QStringList{Version, "-1|Validating 1 Lines ...", "-1|", "0|No Errors found..."};
    QTest::newRow("two unknown tags, lines ended by CR")
        << "<x>\r<y>\r"
        << QStringList{Version, "-1|Validating 2 Lines ...", "-1|", "1|0: unknown Tag \"x\"", "1|1: unknown Tag \"y\"",
                       "-1|",   "0|Total of 2 Errors found!"};
}

void TestCheckReport::syntaxReport()
{
    QFETCH(QString, text);
    QFETCH(QStringList, rows);
    const TSyntaxReport report = BuildSyntaxReport(text, CountTextLines(text), TagDataFile);
    QVERIFY(!report.Failure);
    QCOMPARE(Describe(report.Rows), rows);
    QCOMPARE(report.ErrorCount, int(rows.filter(QRegularExpression("^1\\|")).size()));
}

// The rows added before the check stay; the failure is reported beside them.
void TestCheckReport::syntaxReportWithoutTagData()
{
    QTemporaryDir dir;
    const TSyntaxReport missing = BuildSyntaxReport("<x>\r\n\r\n", 2, dir.filePath("tags.dat"));
    QVERIFY(missing.Failure && missing.Failure->contains("tags.dat"));
    QCOMPARE(Describe(missing.Rows), (QStringList{Version, "-1|Validating 2 Lines ...", "-1|"}));
}

void TestCheckReport::linkReport()
{
    QTemporaryDir dir;
    QFile image(dir.filePath("a.gif"));
    QVERIFY(image.open(QIODevice::WriteOnly));
    const QString page = dir.filePath("page.html");
    QCOMPARE(Describe(BuildLinkReport("<p>no links</p>", page).Rows), (QStringList{Version, "0|No Links found..."}));

    const TLinkReport report =
        BuildLinkReport("<img src=a.gif>\r\n<a href=\"http://example.org\">\r\n<img src=b.gif>", page);
    const QString d = QDir(dir.path()).absolutePath();
    QCOMPARE(Describe(report.Rows), (QStringList{Version, "2|" + page + ";a.gif;" + d + "/a.gif;OK;img;0",
                                                 "3|" + page + ";http://example.org;http://example.org;Not Local;a;1",
                                                 "1|" + page + ";b.gif;" + d + "/b.gif;Broken;img;2"}));
    QCOMPARE(report.BrokenCount, 1);
}

void TestCheckReport::rowLine_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("subItems");
    QTest::addColumn<bool>("linkReport");
    QTest::addColumn<int>("line"); // -1: the row names no line

    QTest::newRow("syntax error row") << "12: unknown Tag \"blink\"" << QStringList() << false << 12;
    QTest::newRow("title row") << "Quillworks HTML Validator V. 0.1" << QStringList() << false << -1;
    QTest::newRow("summary row") << "Total of 2 Errors found!" << QStringList() << false << -1;
    QTest::newRow("link row") << "/x/page.html" << QStringList{"a", "/x/a", "Broken", "img", "7"} << true << 7;
    QTest::newRow("list-style row read as report") << "3: unknown Tag \"x\"" << QStringList() << true << -1;
}

void TestCheckReport::rowLine()
{
    QFETCH(QString, caption);
    QFETCH(QStringList, subItems);
    QFETCH(bool, linkReport);
    QFETCH(int, line);
    const std::optional<int> got = ReportRowLine(TReportRow{caption, subItems, riNone}, linkReport);
    QCOMPARE(got.value_or(-1), line);
}

// A .htc document is checked as its expanded page; rows say where each finding is written.
void TestCheckReport::sourceReportPlacesFindings()
{
    int calls = 0;
    const TPageExpander expand = [&calls](const QString &, const QString &text) {
        ++calls;
        TCheckedText page;
        page.Text = text + QStringLiteral("<y>"); // "<y>" comes from line 4 of /s/inc.txt
        const qsizetype own = text.size();
        page.Locate = [own](qsizetype offset) {
            TTextPosition p;
            if (offset >= own) {
                p.File = QStringLiteral("/s/inc.txt");
                p.Line = 4;
            } else {
                p.Line = offset < 4 ? 0 : 1;
            }
            return p;
        };
        page.Problem = QStringLiteral("Unable to include File gone.txt");
        page.ProblemOffset = 4;
        return page;
    };
    const QString text = QStringLiteral("<x>\n<p>");
    const TSyntaxReport report = BuildSyntaxReport(text, 2, TagDataFile, QStringLiteral("/s/page.htc"), expand);
    QCOMPARE(Describe(report.Rows),
             (QStringList{Version, "-1|Validating 2 Lines ...", "-1|", "1|0: unknown Tag \"x\"",
                          "1|1: Unable to include File gone.txt", "1|inc.txt:4: unknown Tag \"y\"", "-1|",
                          "0|Total of 3 Errors found!"}));
    QCOMPARE(report.ErrorCount, 3);
    QCOMPARE(report.Rows[5].File, QStringLiteral("/s/inc.txt"));
    QCOMPARE(ReportRowLine(report.Rows[5], false), std::optional<int>(4));
    QCOMPARE(ReportRowLine(report.Rows[3], false), std::optional<int>(0));
    // Any other document is checked as written, without expanding.
    const TSyntaxReport plain = BuildSyntaxReport(text, 2, TagDataFile, QStringLiteral("/s/page.html"), expand);
    QCOMPARE(plain.ErrorCount, 1);
    QCOMPARE(calls, 1);

    // Links: "<a href=b.html>" written on line 1 of the source, "<img src=c.gif>" in /s/inc.txt.
    const TPageExpander linksExpand = [](const QString &, const QString &source) {
        TCheckedText page;
        page.Text = source + QStringLiteral("<img src=c.gif>");
        const qsizetype own = source.size();
        page.Locate = [own](qsizetype offset) {
            TTextPosition p;
            p.Line = offset >= own ? 4 : 1;
            if (offset >= own)
                p.File = QStringLiteral("/s/inc.txt");
            return p;
        };
        return page;
    };
    const TLinkReport links =
        BuildLinkReport(QStringLiteral("x\n\n<a href=b.html>"), QStringLiteral("/s/page.htc"), linksExpand);
    QCOMPARE(links.Links.size(), 2);
    QCOMPARE(links.Rows[1].Caption, QStringLiteral("/s/page.htc"));
    QCOMPARE(links.Rows[1].SubItems.value(lcLine), QStringLiteral("1"));
    QVERIFY(links.Rows[1].File.isEmpty());
    QCOMPARE(links.Rows[2].Caption, QStringLiteral("/s/inc.txt"));
    QCOMPARE(ReportRowLine(links.Rows[2], true), std::optional<int>(4));
    QCOMPARE(links.Rows[2].File, QStringLiteral("/s/inc.txt"));
}

QTEST_GUILESS_MAIN(TestCheckReport)
#include "tst_checkreport.moc"
