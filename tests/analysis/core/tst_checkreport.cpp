// Tests of the report rows of the syntax and link checks and of the line a row points at.
#include "analysis/core/checkreport.h"

#include <QtTest>

namespace {

const QString TagDataFile = QStringLiteral(TAGFORGE_TEST_DATA "/tags.dat");

// "image|caption" per row, with "|sub-items" joined by ";" when there are any.
QStringList Describe(const QList<TReportRow> &rows)
{
    QStringList out;
    for (const TReportRow &row : rows) {
        QString line = QString::number(row.ImageIndex) + '|' + row.Caption;
        if (!row.SubItems.isEmpty())
            line += '|' + row.SubItems.join(';');
        out << line;
    }
    return out;
}

} // namespace

class TestCheckReport : public QObject
{
    Q_OBJECT

private slots:
    void countLines_data();
    void countLines();
    void syntaxReport_data();
    void syntaxReport();
    void syntaxReportFailures();
    void linkReport();
    void rowLine_data();
    void rowLine();
};

void TestCheckReport::countLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("lines");

    QTest::newRow("empty") << "" << 0;
    QTest::newRow("one line") << "abc" << 1;
    QTest::newRow("ended by CR LF") << "abc\r\n" << 1;
    QTest::newRow("two lines") << "a\r\nb" << 2;
    QTest::newRow("empty middle line") << "a\n\nb" << 3;
    QTest::newRow("CR alone") << "a\r\r" << 2;
    QTest::newRow("just a line break") << "\r\n" << 1;
}

void TestCheckReport::countLines()
{
    QFETCH(QString, text);
    QFETCH(int, lines);
    QCOMPARE(CountTextLines(text), lines);
}

void TestCheckReport::syntaxReport_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("rows");

    const QString version = QStringLiteral("0|Quillworks HTML Validator V. 0.1");
    QTest::newRow("one line without tags") << "just text"
        << QStringList{version, "-1|Validating 1 Lines ...", "-1|", "0|No Errors found..."};
    QTest::newRow("two unknown tags") << "<x>\r\n<y>"
        << QStringList{version, "-1|Validating 2 Lines ...", "-1|", "1|0: unknown Tag \"x\"",
                       "1|1: unknown Tag \"y\"", "-1|", "0|Total of 2 Errors found!"};
}

void TestCheckReport::syntaxReport()
{
    QFETCH(QString, text);
    QFETCH(QStringList, rows);
    const TSyntaxReport report = BuildSyntaxReport(text, CountTextLines(text), TagDataFile);
    QVERIFY(!report.Failure);
    QCOMPARE(Describe(report.Rows), rows);
    QCOMPARE(report.ErrorCount, int(std::count_if(rows.cbegin(), rows.cend(),
                                                  [](const QString &r) { return r.startsWith("1|"); })));
}

void TestCheckReport::syntaxReportFailures()
{
    QTemporaryDir dir;
    const QStringList before{"0|Quillworks HTML Validator V. 0.1", "-1|Validating 1 Lines ...", "-1|"};

    const TSyntaxReport missing = BuildSyntaxReport("<x>", 1, dir.filePath("tags.dat"));
    QVERIFY(missing.Failure);
    QVERIFY(missing.Failure->contains("tags.dat"));
    QCOMPARE(Describe(missing.Rows), before);

    QFile file(dir.filePath("empty.dat"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const TSyntaxReport empty = BuildSyntaxReport("<x>", 1, file.fileName());
    QCOMPARE(empty.Failure.value_or(QString()), QStringLiteral("No Tag Data loaded!"));
    QCOMPARE(Describe(empty.Rows), before);
}

void TestCheckReport::linkReport()
{
    QTemporaryDir dir;
    QFile image(dir.filePath("a.gif"));
    QVERIFY(image.open(QIODevice::WriteOnly));
    const QString page = dir.filePath("page.html");

    const TLinkReport none = BuildLinkReport("<p>no links</p>", page);
    QCOMPARE(Describe(none.Rows),
             (QStringList{"0|Quillworks HTML Validator V. 0.1", "0|No Links found..."}));

    const TLinkReport report = BuildLinkReport(
        "<img src=a.gif>\r\n<a href=\"http://example.org\">\r\n<img src=b.gif>", page);
    const QString d = QDir(dir.path()).absolutePath();
    QCOMPARE(Describe(report.Rows),
             (QStringList{"0|Quillworks HTML Validator V. 0.1",
                          "2|" + page + "|a.gif;" + d + "/a.gif;OK;img;0",
                          "3|" + page + "|http://example.org;http://example.org;Not Local;a;1",
                          "1|" + page + "|b.gif;" + d + "/b.gif;Broken;img;2"}));
    QCOMPARE(report.Links.size(), 3);
    QCOMPARE(report.BrokenCount, 1);
}

void TestCheckReport::rowLine_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("subItems");
    QTest::addColumn<bool>("linkReport");
    QTest::addColumn<int>("line");  // -1: the row names no line

    QTest::newRow("syntax error row") << "12: unknown Tag \"blink\"" << QStringList() << false << 12;
    QTest::newRow("line 0") << "0: Tag \"b\" has no end tag ( missing </b> )" << QStringList() << false << 0;
    QTest::newRow("title row") << "Quillworks HTML Validator V. 0.1" << QStringList() << false << -1;
    QTest::newRow("blank row") << "" << QStringList() << false << -1;
    QTest::newRow("summary row") << "Total of 2 Errors found!" << QStringList() << false << -1;
    QTest::newRow("link row") << "/x/page.html" << QStringList{"a", "/x/a", "Broken", "img", "7"} << true << 7;
    QTest::newRow("link report title row") << "Quillworks HTML Validator V. 0.1" << QStringList() << true << -1;
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

QTEST_GUILESS_MAIN(TestCheckReport)
#include "tst_checkreport.moc"
