// Saving onto a disk that fills up: the old file stays as it was and the system's reason is told.
#include "app/core/documentfile.h"
#include "app/core/expandcli.h"
#include "app/core/savewriter.h"
#include "fulldiskwriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

bool WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

QByteArray Page(int size)
{
    QByteArray page;
    while (page.size() < size)
        page += "<p>Another line of the page.</p>\n";
    return page;
}

} // namespace

class TestSaveFailures : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { DocumentFile::SetSaveWriterFactory({}); }

    void failedWriteKeepsTheOldFile_data()
    {
        QTest::addColumn<TTextEncoding>("encoding");
        QTest::addColumn<int>("pageSize");
        QTest::addColumn<qint64>("budget");
        QTest::addColumn<bool>("failCommit");
        QTest::newRow("disk full before the first byte") << TTextEncoding::Utf8 << 7500 << qint64(0) << false;
        QTest::newRow("inside the byte order mark") << TTextEncoding::Utf8Bom << 100 << qint64(2) << false;
        QTest::newRow("small page cut in the middle") << TTextEncoding::Utf8 << 7500 << qint64(4096) << false;
        QTest::newRow("only the last byte missing") << TTextEncoding::Utf8 << 7500 << qint64(7499) << false;
        QTest::newRow("large page, second chunk") << TTextEncoding::Utf16LE << 3000000 << qint64(2500000) << false;
        QTest::newRow("every byte written, commit fails") << TTextEncoding::Utf8 << 7500 << qint64(1 << 30) << true;
        QTest::newRow("8-bit page switched to UTF-8, then full")
            << TTextEncoding::Windows1252 << 7500 << qint64(100) << false;
    }
    void failedWriteKeepsTheOldFile()
    {
        QFETCH(TTextEncoding, encoding);
        QFETCH(int, pageSize);
        QFETCH(qint64, budget);
        QFETCH(bool, failCommit);
        QTemporaryDir dir;
        const QString path = dir.filePath("page.html");
        const QByteArray old("<p>OLD</p>\n");
        QVERIFY(WriteAll(path, old));
        int commits = 0;
        DocumentFile::SetSaveWriterFactory([&](const QString &target) {
            return std::make_unique<TFullDiskWriter>(target, budget, failCommit, &commits);
        });
        QString text = QString::fromLatin1(Page(pageSize));
        if (encoding == TTextEncoding::Windows1252)
            text += QStringLiteral("\u2192"); // cannot be held: the save retries as UTF-8
        TDocumentFormat format{encoding, TLineBreakStyle::LF};
        try {
            DocumentFile::SaveText(path, text, format);
            QFAIL("a failed write was reported as success");
        } catch (const EFileError &e) {
            QVERIFY2(e.Message().contains(NoSpace), qPrintable(e.Message()));
            QVERIFY2(e.Message().contains(path), qPrintable(e.Message()));
            QVERIFY(!e.Message().contains(QLatin1String("canceled")));
        }
        QCOMPARE(ReadAll(path), old);
        // A failed write is never committed, and no temporary file stays behind.
        QCOMPARE(commits, failCommit ? 1 : 0);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"page.html"});
    }

    void expandCommandFailsOnAFullDisk()
    {
        QTemporaryDir dir;
        QVERIFY(WriteAll(dir.filePath("head.txt"), Page(6000)));
        QVERIFY(WriteAll(dir.filePath("p.htc"), "#include{head.txt}\n<p>x</p>\n"));
        QVERIFY(WriteAll(dir.filePath("p.html"), "OLD"));
        int commits = 0;
        DocumentFile::SetSaveWriterFactory(
            [&](const QString &target) { return std::make_unique<TFullDiskWriter>(target, 4096, false, &commits); });
        QString out, err;
        QTextStream o(&out), e(&err);
        QCOMPARE(RunExpandCommand({"--expand", dir.filePath("p.htc")}, o, e), 4);
        e.flush();
        QVERIFY2(err.contains(NoSpace), qPrintable(err));
        QVERIFY(!out.contains(QLatin1String("->")));
        QCOMPARE(ReadAll(dir.filePath("p.html")), QByteArray("OLD"));
    }

    // The same on a real file system that runs out of space: buffered small outputs were the
    // case that went wrong, so both a page below and one above the stream buffer are tried.
    void realFullDiskKeepsTheOldFile_data()
    {
        QTest::addColumn<int>("pageSize");
        QTest::newRow("page smaller than a stream buffer") << 7500;
        QTest::newRow("page larger than the disk") << 100000;
    }
    void realFullDiskKeepsTheOldFile()
    {
        QFETCH(int, pageSize);
        QTemporaryDir dir;
        TSmallDisk disk(dir.path(), 64);
        if (!disk.Mounted())
            QSKIP("no small tmpfs can be mounted here (needs root); the injected writer covers the path");
        const QString path = dir.filePath("page.html");
        const QByteArray old = Page(3000);
        QVERIFY(WriteAll(path, old));
        QVERIFY(disk.FillLeaving(4096));
        TDocumentFormat format;
        try {
            DocumentFile::SaveText(path, QString::fromLatin1(Page(pageSize)) + QLatin1Char('x'), format);
            QFAIL("a save onto a full disk was reported as success");
        } catch (const EFileError &e) {
            QVERIFY2(e.Message().contains(NoSpace), qPrintable(e.Message()));
        }
        QCOMPARE(ReadAll(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"filler", "page.html"}));

        // The command line on the same disk: exit code, message, and the old page kept.
        QVERIFY(QFile::remove(dir.filePath("filler")));
        QVERIFY(WriteAll(dir.filePath("p.htc"), "#include{page.html}\n<p>x</p>\n"));
        QVERIFY(WriteAll(dir.filePath("p.html"), "OLD"));
        QVERIFY(disk.FillLeaving(0));
        QString out, err;
        QTextStream o(&out), e(&err);
        QCOMPARE(RunExpandCommand({"--expand", dir.filePath("p.htc")}, o, e), 4);
        e.flush();
        QVERIFY2(err.contains(NoSpace), qPrintable(err));
        QCOMPARE(ReadAll(dir.filePath("p.html")), QByteArray("OLD"));
    }
};

QTEST_GUILESS_MAIN(TestSaveFailures)
#include "tst_savefailures.moc"
