// "--expand" from a shell: which pages it writes, which it refuses, and what directives are.
#include "app/core/expandcli.h"
#include "app/core/includes.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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
}

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
            << "p.html" << QByteArray("#include{head.txt}\n<p>x</p>\n") << 2 << QByteArray("#include{head.txt}\n<p>x</p>\n");
        QTest::newRow("missing include keeps the old page")
            << "p.htc" << QByteArray("#include{head.txt}\n#include{gone.txt}\n") << 1 << QByteArray("OLD\n");
        QTest::newRow("C example in pre is text, directive after it expands")
            << "p.htc" << QByteArray("<pre>#include <stdio.h>\n#include \"x.h\"</pre>\n#include {head.txt}\n")
            << 0 << QByteArray("<pre>#include <stdio.h>\n#include \"x.h\"</pre>\n<b>head</b>\n");
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
};

QTEST_GUILESS_MAIN(TestExpandCli)
#include "tst_expandcli.moc"
