// Tests of the command-line checks on real files: their output, error lines and exit codes.
#include "analysis/core/analysiscli.h"

#include <QtTest>

#include <sys/stat.h>

namespace {

const QString TagDataFile = QStringLiteral(TAGFORGE_TEST_DATA "/tags.dat");

struct TRun
{
    int Code = -1;
    QString Out;
    QString Err;
};

TRun Run(const QStringList &args, const QString &tagData = TagDataFile, const TPageExpander &expand = {})
{
    TRun run;
    QTextStream out(&run.Out);
    QTextStream err(&run.Err);
    TAnalysisOptions options;
    options.TagDataPath = tagData;
    options.Expand = expand;
    run.Code = RunAnalysisCommand(args, options, out, err);
    out.flush();
    err.flush();
    return run;
}

} // namespace

class TestAnalysisCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void exitCodes_data();
    void exitCodes();
    void checkReport();
    void linkRows();
    void jsonFindings();
    void foldersAndThreadsKeepTheOrder();
    void sourcesReportWhereFindingsAreWritten();
    void controlCharactersAreEscaped();

private:
    QString Write(const QString &name, const QByteArray &bytes);
    QTemporaryDir m_Dir;
};

QString TestAnalysisCli::Write(const QString &name, const QByteArray &bytes)
{
    QFile file(m_Dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(file.fileName()));
    return file.fileName();
}

void TestAnalysisCli::initTestCase()
{
    QVERIFY(m_Dir.isValid());
    Write("clean.html", "<p>Hello</p>\n<img src=\"a.gif\">\n");
    Write("errors.html", "<p>x\r\n<blink>y</blink>\r\n<table>\r\n");
    Write("a.gif", "GIF89a");
    Write("empty.dat", "\n\n");
    Write("remote.html", "<a href=\"http://example.org/\">x</a>\n");
    Write("broken.html", "<img src=a.gif>\n<a href=\"missing.html#top\">x</a>\n");
    QVERIFY(QDir(m_Dir.path()).mkdir("folder.html"));
    QVERIFY(::mkfifo(QFile::encodeName(m_Dir.filePath("fifo.html")).constData(), 0600) == 0);
}

void TestAnalysisCli::exitCodes_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("tagData"); // empty: the fixture
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("errLines");

    QTest::newRow("clean page") << QStringList{"--check", "clean.html"} << "" << int(aecOk) << 0;
    QTest::newRow("page with errors") << QStringList{"--check", "errors.html"} << "" << int(aecFindings) << 0;
    QTest::newRow("no file named") << QStringList{"--check"} << "" << int(aecUsage) << 1;
    QTest::newRow("not an analysis command") << QStringList{"--expand", "x.htc"} << "" << int(aecUsage) << 1;
    QTest::newRow("missing file") << QStringList{"--check", "nothere.html"} << "" << int(aecMissingFile) << 1;
    QTest::newRow("missing file wins over findings")
        << QStringList{"--check", "errors.html", "nothere.html"} << "" << int(aecMissingFile) << 1;
    QTest::newRow("first failure decides")
        << QStringList{"--links", "fifo.html", "nothere.html"} << "" << int(aecUnreadableFile) << 2;
    QTest::newRow("a folder is walked, not read") << QStringList{"--check", "folder.html"} << "" << int(aecOk) << 0;
    QTest::newRow("named pipe refused at once")
        << QStringList{"--check", "fifo.html"} << "" << int(aecUnreadableFile) << 1;
    QTest::newRow("endless device refused") << QStringList{"--check", "/dev/zero"} << "" << int(aecUnreadableFile) << 1;
    QTest::newRow("unknown option") << QStringList{"--check", "--chek", "clean.html"} << "" << int(aecUsage) << 1;
    QTest::newRow("bad job count") << QStringList{"--check", "--jobs=0", "clean.html"} << "" << int(aecUsage) << 1;
    QTest::newRow("dash-dash ends the options")
        << QStringList{"--check", "--", "--format=json"} << "" << int(aecMissingFile) << 1;
    QTest::newRow("missing tag data") << QStringList{"--check", "clean.html"} << "nothere.dat" << int(aecNoTagData)
                                      << 1;
    QTest::newRow("empty tag data") << QStringList{"--check", "clean.html"} << "empty.dat" << int(aecNoTagData) << 1;
    QTest::newRow("links need no tag data") << QStringList{"--links", "clean.html"} << "nothere.dat" << int(aecOk) << 0;
    QTest::newRow("broken local link") << QStringList{"--links", "clean.html", "broken.html"} << "" << int(aecFindings)
                                       << 0;
}

void TestAnalysisCli::exitCodes()
{
    QFETCH(QStringList, args);
    QFETCH(QString, tagData);
    QFETCH(int, code);
    QFETCH(int, errLines);
    for (int i = 1; i < args.size(); ++i) {
        if (!args[i].startsWith('-') && !args[i].startsWith('/'))
            args[i] = m_Dir.filePath(args[i]);
    }
    const TRun run = Run(args, tagData.isEmpty() ? TagDataFile : m_Dir.filePath(tagData));
    QCOMPARE(run.Code, code);
    QCOMPARE(run.Err.count('\n'), errLines);
    if (errLines > 0)
        QVERIFY(run.Err.startsWith("tagforge: "));
}

// One line per finding, 1-based, in document order; an unknown element is reported once.
void TestAnalysisCli::checkReport()
{
    const QString clean = m_Dir.filePath("clean.html");
    const QString errors = m_Dir.filePath("errors.html");
    const TRun run = Run({"--check", clean, errors});
    QCOMPARE(run.Out, errors + ":2:1: error: unknown element <blink>\n" + errors
                          + ":3:1: error: element <table> has no end tag (missing </table>)\n");
    QVERIFY(run.Err.isEmpty());
    const QString columns = Write("columns.html", "<p>\n  x <x>\t<y\n  z=1></x></y>\n");
    QCOMPARE(Run({"--check", columns}).Out,
             columns + ":2:5: error: unknown element <x>\n" + columns + ":2:9: error: unknown element <y>\n");
}

void TestAnalysisCli::linkRows()
{
    // A Windows-1252 page naming a file with an accent: the link only resolves when the page's
    // bytes were read in the right code page.
    Write(QString::fromUtf8("caf\xC3\xA9.gif"), "GIF89a");
    const QString page = Write("cp1252.html", "<img src=\"caf\xE9.gif\">\r\n<a href=\"a\tb.html\">");
    const QString d = QDir(m_Dir.path()).absolutePath();
    const TRun run = Run({"--links", page, m_Dir.filePath("remote.html")});
    QCOMPARE(run.Code, int(aecFindings));
    QCOMPARE(run.Out.split('\n'),
             (QStringList{page + QString::fromUtf8("\tcaf\xC3\xA9.gif\t") + d
                              + QString::fromUtf8("/caf\xC3\xA9.gif\tOK\timg\t1"),
                          page + "\ta\\tb.html\t" + d + "/a\\tb.html\tBroken\ta\t2",
                          d + "/remote.html\thttp://example.org/\thttp://example.org/\tNot Local\ta\t1", QString()}));
    QVERIFY(run.Err.isEmpty());
}

void TestAnalysisCli::jsonFindings()
{
    const QString errors = m_Dir.filePath("errors.html");
    const TRun run = Run({"--check", "--format=json", m_Dir.filePath("clean.html"), errors});
    QCOMPARE(run.Code, int(aecFindings));
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(run.Out.toUtf8(), &error);
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(run.Out));
    const QJsonArray findings = doc.array();
    QCOMPARE(findings.size(), 2);
    const QJsonObject first = findings.at(0).toObject();
    QCOMPARE(first.value("file").toString(), errors);
    QCOMPARE(first.value("line").toInt(), 2);
    QCOMPARE(first.value("column").toInt(), 1);
    QCOMPARE(first.value("severity").toString(), QStringLiteral("error"));
    QCOMPARE(first.value("message").toString(), QStringLiteral("unknown element <blink>"));
    QCOMPARE(Run({"--check", "--format=json", m_Dir.filePath("clean.html")}).Out, QStringLiteral("[]\n"));
    const TRun links = Run({"--links", "--format=json", m_Dir.filePath("broken.html")});
    const QJsonArray rows = QJsonDocument::fromJson(links.Out.toUtf8()).array();
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(1).toObject().value("status").toString(), QStringLiteral("Broken"));
    QCOMPARE(rows.at(1).toObject().value("line").toInt(), 2);
}

// A folder stands for its pages in name order; many files on several threads report exactly
// as one after the other.
void TestAnalysisCli::foldersAndThreadsKeepTheOrder()
{
    QTemporaryDir site;
    QVERIFY(QDir(site.path()).mkpath("sub/deeper"));
    QStringList named;
    for (int i = 0; i < 60; ++i) {
        const QString name = QStringLiteral("%1/p%2.%3")
                                 .arg(i % 3 == 0   ? "sub"
                                      : i % 3 == 1 ? "sub/deeper"
                                                   : ".")
                                 .arg(i, 2, 10, QLatin1Char('0'))
                                 .arg(i % 2 ? "htm" : "html");
        QFile file(site.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("<p>\n<x%1>\n").arg(i).toLatin1().repeated(1 + i % 7));
        named << QDir::cleanPath(site.filePath(name));
    }
    QFile ignored(site.filePath("sub/notes.txt"));
    QVERIFY(ignored.open(QIODevice::WriteOnly));
    ignored.write("<x>");
    ignored.close();
    named.sort();
    const TRun one = Run({"--check", "--jobs=1", site.path()});
    QCOMPARE(one.Code, int(aecFindings));
    QStringList files;
    for (const QString &line : one.Out.split('\n', Qt::SkipEmptyParts)) {
        const QString file = line.section(':', 0, 0);
        if (files.isEmpty() || files.last() != file)
            files << QDir::cleanPath(file);
    }
    QCOMPARE(files, named);
    const TRun many = Run({"--check", "--jobs=4", site.path(), named.first()});
    QCOMPARE(many.Out, one.Out + Run({"--check", named.first()}).Out);
}

// A source is checked as its expanded page; each finding names the file it is written in.
void TestAnalysisCli::sourcesReportWhereFindingsAreWritten()
{
    const QString source = Write("page.htc", "<p>\r\n#include{head.inc}\r\n<y>\r\n");
    const TPageExpander expand = [](const QString &, const QString &text) {
        TCheckedText page;
        // "<p>\r\n" 0-4, "<br>\r\n" 5-10 and "  <x></x>\r\n" 11-21 from head.inc, "<y>" at 22.
        page.Text = QString(text).replace("#include{head.inc}\r\n", "<br>\r\n  <x></x>\r\n");
        page.Locate = [](qsizetype offset) {
            TTextPosition p;
            if (offset >= 5 && offset < 22) {
                p.File = QStringLiteral("head.inc");
                p.Line = offset < 11 ? 0 : 1;
                p.Column = int(offset < 11 ? offset - 5 : offset - 11);
            } else {
                p.Line = offset < 5 ? 0 : 2;
                p.Column = int(offset < 5 ? offset : offset - 22);
            }
            return p;
        };
        page.Problem = QStringLiteral("Unable to include File gone.inc");
        page.ProblemOffset = 22;
        return page;
    };
    const TRun run = Run({"--check", source}, TagDataFile, expand);
    QCOMPARE(run.Out, QStringLiteral("head.inc:2:3: error: unknown element <x>\n"
                                     "%1:3:1: error: Unable to include File gone.inc\n"
                                     "%1:3:1: error: unknown element <y>\n")
                          .arg(source));
    // Pages that are no source are read as written.
    const QString html = Write("page.html", "#include{head.inc}\r\n<y>");
    QCOMPARE(Run({"--check", html}, TagDataFile, expand).Out, html + ":2:1: error: unknown element <y>\n");
}

void TestAnalysisCli::controlCharactersAreEscaped()
{
    const QString binary = Write("bin.html", QByteArray("\x7f"
                                                        "ELF\x02\x01<\x1b[2J\x07>\0\0",
                                                        15));
    const TRun run = Run({"--check", binary});
    QCOMPARE(run.Code, int(aecFindings));
    QCOMPARE(run.Out, binary + ":1:7: error: unknown element <\\x1b[2J\\x07>\n");
    for (const QChar c : run.Out)
        QVERIFY(c.unicode() >= 0x20 || c == u'\n');
}

QTEST_GUILESS_MAIN(TestAnalysisCli)
#include "tst_analysiscli.moc"
