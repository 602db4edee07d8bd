// The command line as a user meets it: which arguments go to the window, and checks of .htc
// sources that name the included file and line of each finding.
#include "analysis/core/analysiscli.h"
#include "app/core/commandline.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
void WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}
} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void arguments_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("command");
        QTest::addColumn<QString>("unknown");
        QTest::newRow("nothing opens the window") << QStringList{} << false << "";
        QTest::newRow("a file") << QStringList{"page.html"} << false << "";
        QTest::newRow("misspelt option") << QStringList{"--chek", "page.html"} << false << "--chek";
        QTest::newRow("option after a file") << QStringList{"page.html", "--links"} << false << "--links";
        QTest::newRow("Qt style option with its value") << QStringList{"-style", "fusion", "a.html"} << false << "";
        QTest::newRow("Qt flag") << QStringList{"-reverse"} << false << "";
        QTest::newRow("unknown single dash") << QStringList{"-x"} << false << "-x";
        QTest::newRow("file names after --") << QStringList{"--", "--chek"} << false << "";
        QTest::newRow("check") << QStringList{"--check", "a.html"} << true << "";
        QTest::newRow("version") << QStringList{"--version"} << true << "";
        QTest::newRow("expand") << QStringList{"--expand", "a.htc"} << true << "";
    }
    void arguments()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, command);
        QFETCH(QString, unknown);
        QCOMPARE(CommandLine::IsCommand(args), command);
        if (!command)
            QCOMPARE(CommandLine::FirstUnknownOption(args), unknown);
    }

    // "head.inc:12:3: ..." for a finding inside an included file, the .htc line otherwise.
    void sourceFindingsNameTheirFile()
    {
        QTemporaryDir dir;
        const QString cwd = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        QByteArray head;
        for (int i = 1; i < 12; ++i)
            head += "<meta name=x" + QByteArray::number(i) + ">\n";
        head += "  <blink>x</blink>\n";
        WriteAll("head.inc", head);
        QVERIFY(QDir().mkdir("parts"));
        WriteAll("parts/foot.inc", "<p>\n<x>\n");
        WriteAll("page.htc", "<html>\r\n#include{head.inc}\r\n<body>#include{parts/foot.inc}</body>\r\n"
                             "#include{gone.inc}\r\n<y>\r\n</html>\r\n");
        TAnalysisOptions options;
        options.TagDataPath = QStringLiteral(TAGFORGE_SOURCE_DIR "/Data/tags.dat");
        options.Expand = CommandLine::ShellExpander();
        QString out, err;
        QTextStream o(&out), e(&err);
        const int code = RunAnalysisCommand({"--check", "page.htc"}, options, o, e);
        o.flush();
        QDir::setCurrent(cwd);
        QCOMPARE(code, int(aecFindings));
        QCOMPARE(out, QStringLiteral("head.inc:12:3: error: unknown element <blink>\n"
                                     "parts/foot.inc:2:1: error: unknown element <x>\n"
                                     "page.htc:4:1: error: Unable to include File gone.inc\n"
                                     "page.htc:5:1: error: unknown element <y>\n"));
    }

    // Link rows of a source name the file each link is written in, in full, and its line there.
    void sourceLinksNameTheirFile()
    {
        QTemporaryDir dir;
        WriteAll(dir.filePath("nav.inc"), "<ul>\n  <li><a href=\"gone.html\">x</a>\n</ul>\n");
        WriteAll(dir.filePath("page.htc"), "#include{nav.inc}\n<img src=\"nav.inc\">\n");
        TAnalysisOptions options;
        options.Expand = CommandLine::ShellExpander();
        QString out, err;
        QTextStream o(&out), e(&err);
        QCOMPARE(RunAnalysisCommand({"--links", dir.filePath("page.htc")}, options, o, e), int(aecFindings));
        o.flush();
        const QString d = QDir(dir.path()).absolutePath();
        QCOMPARE(out, QStringLiteral("%1/nav.inc\tgone.html\t%1/gone.html\tBroken\ta\t2\n"
                                     "%1/page.htc\tnav.inc\t%1/nav.inc\tOK\timg\t2\n")
                          .arg(d));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
