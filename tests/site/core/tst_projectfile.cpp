// Project files: their lines as rows, written back whole, and the files that are no project.
#include "site/core/projectfile.h"
#include "tests/support/scratchfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestProjectFile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString Write(const char *name, const QByteArray &bytes)
    {
        return TestSupport::WriteScratchFile(m_dir, QLatin1String(name), bytes);
    }

private Q_SLOTS:
    void lines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("paths");
        QTest::newRow("CR LF lines") << QByteArray("/s/a.html\r\n/s/b.html\r\n")
                                     << QStringList{"/s/a.html", "/s/b.html"};
        QTest::newRow("an empty line is a row")
            << QByteArray("/s/a.html\r\n\r\n/s/b.html\r\n") << QStringList{"/s/a.html", "", "/s/b.html"};
        QTest::newRow("no break after the last") << QByteArray("/s/a.html") << QStringList{"/s/a.html"};
        QTest::newRow("LF only") << QByteArray("/a\n/b\n") << QStringList{"/a", "/b"};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("duplicates stay") << QByteArray("/a\r\n/a\r\n") << QStringList{"/a", "/a"};
        QTest::newRow("UTF-8 names") << QByteArray("/s/ü b$(x);.html\r\n") << QStringList{"/s/ü b$(x);.html"};
        QTest::newRow("an 8-bit code page") << QByteArray("/s/\xfc.html\r\n") << QStringList{"/s/ü.html"};
    }
    void lines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, paths);
        const Project::TRead read = Project::Read(Write("p.tfp", bytes));
        QVERIFY(read.Error.isEmpty());
        QStringList got;
        for (const Project::TRow &row : read.Rows) {
            got << row.Path;
            QCOMPARE(row.Name, QFileInfo(row.Path).fileName());
        }
        QCOMPARE(got, paths);
        // Written back, the same rows come again.
        const QString copy = m_dir.filePath(QStringLiteral("copy.tfp"));
        QCOMPARE(Project::Write(copy, read.Rows), QString());
        QStringList again;
        for (const Project::TRow &row : Project::Read(copy).Rows)
            again << row.Path;
        QCOMPARE(again, paths);
    }

    void notProjects()
    {
        QVERIFY(
            Project::Read(m_dir.filePath(QStringLiteral("missing.tfp"))).Error.contains(QStringLiteral("missing.tfp")));
        QVERIFY(!Project::Read(m_dir.path()).Error.isEmpty());
        const Project::TRead binary = Project::Read(Write("pic.tfp", QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11)));
        QVERIFY(binary.Error.contains(QStringLiteral("pic.tfp")));
        QVERIFY(binary.Rows.isEmpty());
    }

    void writeFailuresAreSaid()
    {
        QVERIFY(
            !Project::Write(m_dir.filePath(QStringLiteral("no/such/dir/p.tfp")), {Project::RowFor("/a")}).isEmpty());
        // A path that is a folder is not replaced.
        QDir(m_dir.path()).mkdir(QStringLiteral("folder.tfp"));
        QVERIFY(!Project::Write(m_dir.filePath(QStringLiteral("folder.tfp")), {}).isEmpty());
        QVERIFY(QFileInfo(m_dir.filePath(QStringLiteral("folder.tfp"))).isDir());
    }

    void namesAndStatus()
    {
        QCOMPARE(Project::NewProjectFile(QStringLiteral("site")), QStringLiteral("site.tfp"));
        QCOMPARE(Project::StatusText(QStringLiteral("/x/site.tfp")), QStringLiteral("Project: site.tfp"));
    }
};

QTEST_APPLESS_MAIN(TestProjectFile)
#include "tst_projectfile.moc"
