// Tests of the command-line checks on real files: their output, error lines and exit codes.
#include "analysis/core/analysiscli.h"

#include <QtTest>

namespace {

const QString TagDataFile = QStringLiteral(TAGFORGE_TEST_DATA "/tags.dat");

struct TRun {
    int Code = -1;
    QString Out;
    QString Err;
};

TRun Run(const QStringList &args, const QString &tagData = TagDataFile)
{
    TRun run;
    QTextStream out(&run.Out);
    QTextStream err(&run.Err);
    run.Code = RunAnalysisCommand(args, tagData, out, err);
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
}

void TestAnalysisCli::exitCodes_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("tagData");  // empty: the fixture
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("errLines");

    QTest::newRow("clean page") << QStringList{"--check", "clean.html"} << "" << int(aecOk) << 0;
    QTest::newRow("page with errors") << QStringList{"--check", "errors.html"} << "" << int(aecFindings) << 0;
    QTest::newRow("no file named") << QStringList{"--check"} << "" << int(aecUsage) << 1;
    QTest::newRow("not an analysis command") << QStringList{"--expand", "x.htc"} << "" << int(aecUsage) << 1;
    QTest::newRow("missing file") << QStringList{"--check", "nothere.html"} << "" << int(aecMissingFile) << 1;
    QTest::newRow("missing file wins over findings")
        << QStringList{"--check", "errors.html", "nothere.html"} << "" << int(aecMissingFile) << 1;
    QTest::newRow("first failure decides") << QStringList{"--links", "folder.html", "nothere.html"} << ""
                                           << int(aecUnreadableFile) << 2;
    QTest::newRow("missing tag data") << QStringList{"--check", "clean.html"} << "nothere.dat"
                                      << int(aecNoTagData) << 1;
    QTest::newRow("empty tag data") << QStringList{"--check", "clean.html"} << "empty.dat"
                                    << int(aecNoTagData) << 1;
    QTest::newRow("links need no tag data") << QStringList{"--links", "clean.html"} << "nothere.dat"
                                            << int(aecOk) << 0;
    QTest::newRow("broken local link") << QStringList{"--links", "clean.html", "broken.html"} << ""
                                       << int(aecFindings) << 0;
}

void TestAnalysisCli::exitCodes()
{
    QFETCH(QStringList, args);
    QFETCH(QString, tagData);
    QFETCH(int, code);
    QFETCH(int, errLines);
    for (int i = 1; i < args.size(); ++i)
        args[i] = m_Dir.filePath(args[i]);
    const TRun run = Run(args, tagData.isEmpty() ? TagDataFile : m_Dir.filePath(tagData));
    QCOMPARE(run.Code, code);
    QCOMPARE(run.Err.count('\n'), errLines);
    if (errLines > 0)
        QVERIFY(run.Err.startsWith("tagforge: "));
}

void TestAnalysisCli::checkReport()
{
    const QString clean = m_Dir.filePath("clean.html");
    const QString errors = m_Dir.filePath("errors.html");
    const TRun run = Run({"--check", clean, errors});
    QCOMPARE(run.Out, clean + ":\n"
                      "Quillworks HTML Validator V. 0.1\n"
                      "Validating 2 Lines ...\n"
                      "\n"
                      "No Errors found...\n"
                      "\n"
                      + errors + ":\n"
                      "Quillworks HTML Validator V. 0.1\n"
                      "Validating 3 Lines ...\n"
                      "\n"
                      "1: unknown Tag \"blink\"\n"
                      "1: unknown Tag \"blink\"\n"
                      "2: Tag \"table\" has no end tag ( missing </table> )\n"
                      "\n"
                      "Total of 3 Errors found!\n");
    QVERIFY(run.Err.isEmpty());
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
             (QStringList{page + QString::fromUtf8("\tcaf\xC3\xA9.gif\t") + d + QString::fromUtf8("/caf\xC3\xA9.gif\tOK\timg\t0"),
                          page + "\ta\\tb.html\t" + d + "/a\\tb.html\tBroken\ta\t1",
                          d + "/remote.html\thttp://example.org/\thttp://example.org/\tNot Local\ta\t0",
                          QString()}));
    QVERIFY(run.Err.isEmpty());
}

QTEST_GUILESS_MAIN(TestAnalysisCli)
#include "tst_analysiscli.moc"
