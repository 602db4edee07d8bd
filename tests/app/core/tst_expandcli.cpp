// "--expand" from a shell: which pages it writes, which it refuses, and what directives are.
#include "app/core/expandcli.h"
#include "app/core/includes.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {
QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}
void WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}
} // namespace

class TestExpandCli : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Each row: the source's name and bytes; what the command must leave in the source and in
    // the page beside it ("<none>": no such file), and its exit code.
    void expand_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("page");
        QTest::newRow("htc source expands into its page")
            << "p.htc" << QByteArray("#include{head.txt}\n<p>x</p>\n") << 0 << QByteArray("<b>head</b>\n<p>x</p>\n");
        QTest::newRow("html page with a directive is not overwritten")
            << "p.html" << QByteArray("#include{head.txt}\n<p>x</p>\n") << 2
            << QByteArray("#include{head.txt}\n<p>x</p>\n");
        QTest::newRow("missing include keeps the old page")
            << "p.htc" << QByteArray("#include{head.txt}\n#include{gone.txt}\n") << 1 << QByteArray("OLD\n");
        QTest::newRow("C example in pre is text, directive after it expands")
            << "p.htc" << QByteArray("<pre>#include <stdio.h>\n#include \"x.h\"</pre>\n#include {head.txt}\n") << 0
            << QByteArray("<pre>#include <stdio.h>\n#include \"x.h\"</pre>\n<b>head</b>\n");
        QTest::newRow("brace on the next line is no directive")
            << "p.htc" << QByteArray("#include\n{head.txt}\n") << 0 << QByteArray("OLD\n");
    }
    void expand()
    {
        QFETCH(QString, source);
        QFETCH(QByteArray, bytes);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, page);
        QTemporaryDir dir;
        WriteAll(dir.filePath("head.txt"), "<b>head</b>\n");
        WriteAll(dir.filePath(source), bytes);
        const QString pagePath = dir.filePath("p.html");
        if (source != QLatin1String("p.html"))
            WriteAll(pagePath, "OLD\n");
        QString out, err;
        QTextStream o(&out), e(&err);
        QCOMPARE(RunExpandCommand({"--expand", dir.filePath(source)}, o, e), exitCode);
        e.flush();
        QCOMPARE(ReadAll(pagePath), page);
        QCOMPARE(ReadAll(dir.filePath(source)), bytes);
        QCOMPARE(err.isEmpty(), exitCode == 0);
        if (exitCode == 2)
            QVERIFY2(err.contains(QLatin1String(".htc")), qPrintable(err));
    }

    // Text that only looks like a directive never raises an include error.
    void includeTextIsNoDirective_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("C header") << "<pre>#include <stdio.h>\r\n</pre>";
        QTest::newRow("quoted header") << "#include \"bzlib.h\"\r\n";
        QTest::newRow("brace later on the line after other text") << "#include x {y}\r\n";
        QTest::newRow("at the very end") << "see #include";
        QTest::newRow("blanks then end of text") << "#include  ";
    }
    void includeTextIsNoDirective()
    {
        QFETCH(QString, text);
        QStringList statuses;
        const Includes::TExpansion result = Includes::ExpandIncludes(
            text, QStringLiteral("/nonexistent"), [](const QString &) { return std::optional<QString>(); },
            [&](const QString &s) { statuses << s; });
        QCOMPARE(result.Text, text);
        QVERIFY(!result.Expanded);
        QVERIFY(!result.Failed);
        QVERIFY2(statuses.isEmpty(), qPrintable(statuses.join('|')));
    }

    // Expansion ends with a message, quickly, where it would run for ever, hang or paste bytes.
    void includeLimits_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("doubling include bomb") << "#include{d0.txt}\r\n"
                                               << "nested deeper than 16 levels";
        QTest::newRow("wide include bomb") << "#include{w0.txt}\r\n"
                                           << "larger than 32 MB";
        QTest::newRow("binary file") << "<p>\r\n#include{pic.png}\r\n"
                                     << "pic.png is binary";
        QTest::newRow("named pipe") << "#include{fifo}\r\n"
                                    << "Unable to include File fifo";
        QTest::newRow("folder") << "#include{.}\r\n"
                                << "Unable to include File .";
    }
    void includeLimits()
    {
        QFETCH(QString, text);
        QFETCH(QString, error);
        QTemporaryDir dir;
        for (int i = 0; i < 30; ++i)
            WriteAll(dir.filePath(QStringLiteral("d%1.txt").arg(i)),
                     QStringLiteral("#include{d%1.txt}\n#include{d%1.txt}\n").arg(i + 1).toLatin1());
        WriteAll(dir.filePath("d30.txt"), "x\n");
        for (int i = 0; i < 8; ++i)
            WriteAll(dir.filePath(QStringLiteral("w%1.txt").arg(i)),
                     QStringLiteral("#include{w%1.txt}\n").arg(i + 1).repeated(8).toLatin1());
        // Large enough that the page passes 32 MB before the count of includes reaches its limit.
        WriteAll(dir.filePath("w8.txt"), QByteArray(8000, 'w') + '\n');
        WriteAll(dir.filePath("pic.png"), QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
        QVERIFY(::mkfifo(QFile::encodeName(dir.filePath("fifo")).constData(), 0600) == 0);
        const Includes::TExpansion result = Includes::ExpandIncludes(text, dir.path(), &Includes::ReadIncludeFile);
        QVERIFY(result.Failed);
        QVERIFY2(result.Error.contains(error), qPrintable(result.Error));
        // What stays unexpanded after the stop is a few directives, no more.
        QVERIFY(result.Text.size() <= Includes::kMaxExpandedChars + 4096);
        QVERIFY(!result.Text.contains(QChar(0)));
    }

    // Each character of the expanded page maps back to where it was written.
    void locateMapsBackToTheFile_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("mark"); // found in the expanded text
        QTest::addColumn<int>("file");     // 0 the page, 1 head.inc, 2 inner.inc
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        const QString page = "a\r\n#include{head.inc}\r\n<x><p>#include {inner.inc}</p>\r\n";
        QTest::newRow("page before the directive") << page << "a" << 0 << 0 << 0;
        QTest::newRow("included file, second line") << page << "<y>" << 1 << 1 << 2;
        QTest::newRow("nested file") << page << "<z>" << 2 << 0 << 0;
        QTest::newRow("page after the directive") << page << "<x>" << 0 << 2 << 0;
        QTest::newRow("page after a directive in mid line") << page << "</p>" << 0 << 2 << 26;
        QTest::newRow("included file after its own directive") << page << "end" << 1 << 3 << 0;
        QTest::newRow("nothing included") << "<q>\r\n<r>"
                                          << "<r>" << 0 << 1 << 0;
    }
    void locateMapsBackToTheFile()
    {
        QFETCH(QString, text);
        QFETCH(QString, mark);
        QFETCH(int, file);
        QFETCH(int, line);
        QFETCH(int, column);
        QTemporaryDir dir;
        WriteAll(dir.filePath("head.inc"), "l1\n  <y>\n#include{inner.inc}\nend\n");
        WriteAll(dir.filePath("inner.inc"), "<z>\n");
        const Includes::TExpansion result = Includes::ExpandIncludes(text, dir.path(), &Includes::ReadIncludeFile);
        QVERIFY(!result.Failed);
        const qsizetype at = result.Text.indexOf(mark);
        QVERIFY2(at >= 0, qPrintable(QString(result.Text).replace("\r", "\\r").replace("\n", "\\n")));
        const Includes::TSourcePosition pos = result.Locate(at);
        QCOMPARE(QFileInfo(result.Files.value(pos.File)).fileName(),
                 QStringList({"", "head.inc", "inner.inc"}).at(file));
        QCOMPARE(pos.Line, line);
        QCOMPARE(pos.Column, column);
        QCOMPARE(result.FileTexts.at(pos.File).split("\r\n").value(pos.Line).mid(pos.Column, mark.size()), mark);
    }

    // A Windows-1252 page keeps its encoding when the included UTF-8 text fits it, and warns
    // when it cannot, naming the character and where it was written.
    void expandKeepsThePageEncoding_data()
    {
        QTest::addColumn<QByteArray>("included");
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QString>("warning");
        QTest::newRow("accents fit windows-1252")
            << QByteArray("na\xc3\xafve\n") << QByteArray("<meta charset=\"windows-1252\">\ncaf\xe9\nna\xefve\n") << "";
        QTest::newRow("an arrow does not")
            << QByteArray("a \xe2\x86\x92 b\n")
            << QByteArray("<meta charset=\"windows-1252\">\ncaf\xc3\xa9\na \xe2\x86\x92 b\n")
            << "inc.txt:1:3); the page is written as UTF-8, but its <meta> still says windows-1252";
    }
    void expandKeepsThePageEncoding()
    {
        QFETCH(QByteArray, included);
        QFETCH(QByteArray, page);
        QFETCH(QString, warning);
        QTemporaryDir dir;
        WriteAll(dir.filePath("inc.txt"), included);
        WriteAll(dir.filePath("p.htc"), "<meta charset=\"windows-1252\">\ncaf\xe9\n#include{inc.txt}\n");
        QString out, err;
        QTextStream o(&out), e(&err);
        QCOMPARE(RunExpandCommand({"--expand", dir.filePath("p.htc")}, o, e), 0);
        e.flush();
        QCOMPARE(ReadAll(dir.filePath("p.html")), page);
        if (warning.isEmpty())
            QVERIFY2(err.isEmpty(), qPrintable(err));
        else
            QVERIFY2(err.startsWith("tagforge: warning: ") && err.contains(warning), qPrintable(err));
    }

    // Sources that are no regular file are refused at once, never read.
    void expandRefusesPipesAndDevices_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("named pipe") << "@/p.htc";
        QTest::newRow("endless device") << "/dev/zero";
        QTest::newRow("folder") << "@";
    }
    void expandRefusesPipesAndDevices()
    {
        QFETCH(QString, path);
        QTemporaryDir dir;
        QVERIFY(::mkfifo(QFile::encodeName(dir.filePath("p.htc")).constData(), 0600) == 0);
        path.replace(QLatin1Char('@'), dir.path());
        QString out, err;
        QTextStream o(&out), e(&err);
        QCOMPARE(RunExpandCommand({"--expand", path}, o, e), 4);
        e.flush();
        QVERIFY2(err.contains(QLatin1String("cannot read: ")), qPrintable(err));
    }
};

QTEST_GUILESS_MAIN(TestExpandCli)
#include "tst_expandcli.moc"
