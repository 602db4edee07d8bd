// The document weight: links measured on disk, counted once, hyperlinks skipped, the totals.
#include "assistants/core/documentweight.h"

#include "analysis/core/checkreport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace DocumentWeight;

class TestDocumentWeight : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString Path(const QString &name) const { return m_dir.filePath(name); }
    QString Write(const QString &name, qint64 bytes)
    {
        QFile file(Path(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray(bytes, 'x')) != bytes)
            qFatal("cannot write %s", qPrintable(name));
        return Path(name);
    }
    // A saved page: the file holds text, as the editor does.
    QString Page(const QString &name, const QString &text)
    {
        QFile file(Path(name));
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(name));
        file.write(text.toUtf8());
        return Path(name);
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void aFileLinkedTwiceIsListedAndCountedOnce()
    {
        Write(QStringLiteral("a.gif"), 2048);
        const QString text = QStringLiteral("<img src=\"a.gif\"><p><img src=a.gif><body background=\"./a.gif\">");
        const QString page = Page(QStringLiteral("twice.html"), text);
        const TWeight w = Measure(text, page);
        QCOMPARE(w.Dependencies.size(), 1);
        const TDependency &row = w.Dependencies.first();
        QCOMPARE(row.FileName, Path(QStringLiteral("a.gif")));
        QCOMPARE(row.SizeText, QStringLiteral("2.00 KB"));
        QCOMPARE(row.StatusText, QStringLiteral("OK"));
        QCOMPARE(row.Image, int(riLinkOk));
        QCOMPARE(w.DependencyBytes, 2048);
        QCOMPARE(w.DocumentBytes.value_or(-1), text.size());
        QCOMPARE(w.TotalBytes(), 2048 + text.size());
    }

    void hyperlinksAreSkippedFramesAreCounted()
    {
        Write(QStringLiteral("page2.html"), 5000);
        const QString onlyLinks = QStringLiteral("<a href=\"page2.html\">next</a> <A HREF=\"page2.html\">again</A>");
        TWeight w = Measure(onlyLinks, Page(QStringLiteral("links.html"), onlyLinks));
        QVERIFY(!w.NoLinks); // the page has links, just none that loads with it
        QVERIFY(w.Dependencies.isEmpty());
        QCOMPARE(w.DependencyBytes, 0);

        const QString frames = QStringLiteral("<frameset><frame src=\"page2.html\"><a href=\"x.html\"></a></frameset>");
        w = Measure(frames, Page(QStringLiteral("frames.html"), frames));
        QCOMPARE(w.Dependencies.size(), 1);
        QCOMPARE(w.DependencyBytes, 5000);
    }

    void missingRemoteEmptyAndFolderLinks()
    {
        Write(QStringLiteral("empty.gif"), 0);
        QDir(m_dir.path()).mkdir(QStringLiteral("pics"));
        const QString text = QStringLiteral("<img src=\"gone.png\"><img src=\"http://example.com/logo.gif\">"
                                            "<script src=\"http://example.com/logo.gif\"></script>"
                                            "<img src=\"empty.gif\"><img src=\"pics\">");
        const TWeight w = Measure(text, Page(QStringLiteral("mixed.html"), text));
        QCOMPARE(w.Dependencies.size(), 4);
        const TDependency &missing = w.Dependencies.at(0);
        QCOMPARE(missing.StatusText, QStringLiteral("File not found"));
        QCOMPARE(missing.SizeText, QStringLiteral("-"));
        QCOMPARE(missing.Image, int(riError));
        const TDependency &remote = w.Dependencies.at(1);
        QCOMPARE(remote.FileName, QStringLiteral("http://example.com/logo.gif"));
        QCOMPARE(remote.StatusText, QStringLiteral("Not Local"));
        QCOMPARE(remote.SizeText, QStringLiteral("-"));
        QCOMPARE(remote.Image, int(riNotLocal));
        const TDependency &empty = w.Dependencies.at(2);
        QCOMPARE(empty.StatusText, QStringLiteral("OK"));
        QCOMPARE(empty.SizeText, QStringLiteral("-"));
        QCOMPARE(empty.Bytes, 0);
        // A folder is no file the page can load.
        QCOMPARE(w.Dependencies.at(3).Status, FileNotFound);
        QCOMPARE(w.DependencyBytes, 0);
    }

    void aPipeIsNotOpened()
    {
        // Opening a pipe for reading would wait for a writer: the dialog would hang.
        const QString pipe = Path(QStringLiteral("pipe.gif"));
        QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        const QString text = QStringLiteral("<img src=\"pipe.gif\">");
        const TWeight w = Measure(text, Page(QStringLiteral("pipe.html"), text));
        QCOMPARE(w.Dependencies.size(), 1);
        QCOMPARE(w.Dependencies.first().Status, FileNotFound);
        QCOMPARE(w.DependencyBytes, 0);
        QVERIFY(!FileSize(pipe));
    }

    void anUnreadableFileIsNotCalledOk()
    {
        const QString secret = Write(QStringLiteral("secret.gif"), 100);
        QFile::setPermissions(secret, QFileDevice::Permissions());
        QFile probe(secret);
        if (probe.open(QIODevice::ReadOnly))
            QSKIP("this user reads files without read permission");
        const QString text = QStringLiteral("<img src=\"secret.gif\">");
        const TWeight w = Measure(text, Page(QStringLiteral("secret.html"), text));
        QCOMPARE(w.Dependencies.size(), 1);
        QCOMPARE(w.Dependencies.first().Status, NotReadable);
        QCOMPARE(w.Dependencies.first().StatusText, QStringLiteral("Not readable"));
        QCOMPARE(w.DependencyBytes, 0);
    }

    void anUnsavedPageIsResolvedFromTheCurrentFolder()
    {
        Write(QStringLiteral("here.gif"), 1536);
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
        const TWeight w = Measure(QStringLiteral("<img src=\"here.gif\">"), QStringLiteral("Untitled1"));
        const QString notice = Notice(w, QStringLiteral("Untitled1"), true);
        QDir::setCurrent(before);
        QVERIFY(!w.DocumentBytes);
        QCOMPARE(w.BaseDir, QDir(m_dir.path()).absolutePath());
        QCOMPARE(w.Dependencies.size(), 1);
        QCOMPARE(w.Dependencies.first().SizeText, QStringLiteral("1.50 KB"));
        QCOMPARE(w.TotalBytes(), 1536);
        QVERIFY(notice.contains(QLatin1String("not been saved")));
        QVERIFY(notice.contains(QDir(m_dir.path()).absolutePath()));
    }

    void theDocumentIsItsSavedFile()
    {
        // The editor holds more than the file: the file on disk is what a visitor loads.
        const QString page = Page(QStringLiteral("saved.html"), QStringLiteral("<p>saved</p>"));
        TWeight w = Measure(QStringLiteral("<p>saved</p> and much more typed since"), page);
        QVERIFY(w.NoLinks);
        QCOMPARE(w.DocumentBytes.value_or(-1), 12);
        QVERIFY(Notice(w, page, false).isEmpty());
        QVERIFY(Notice(w, page, true).contains(QLatin1String("unsaved changes")));

        const QString empty = Page(QStringLiteral("empty.html"), QString());
        w = Measure(QString(), empty);
        QVERIFY(!w.DocumentBytes);
        QVERIFY(Notice(w, empty, false).isEmpty());

        const QString gone = Path(QStringLiteral("deleted.html"));
        w = Measure(QStringLiteral("<p>"), gone);
        QVERIFY(!w.DocumentBytes);
        QVERIFY(Notice(w, gone, false).contains(QLatin1String("cannot be read")));
    }

    void totalOf33000BytesDownloads()
    {
        // Page and image together weigh 33000 bytes.
        const QString text = QStringLiteral("<img src=\"big.jpg\">");
        const QString page = Page(QStringLiteral("heavy.html"), text);
        Write(QStringLiteral("big.jpg"), 33000 - text.size());
        const TWeight w = Measure(text, page);
        QCOMPARE(w.TotalBytes(), 33000);
        QCOMPARE(KiloBytes(w.TotalBytes()), QStringLiteral("32.23 KB"));
        QCOMPARE(DownloadTime(w.TotalBytes(), kModems[0].BytesPerSecond), QStringLiteral("5.0 second(s)"));
        QCOMPARE(DownloadTime(w.TotalBytes(), kModems[1].BytesPerSecond), QStringLiteral("8.7 second(s)"));
        QCOMPARE(DownloadTime(w.TotalBytes(), kModems[2].BytesPerSecond), QStringLiteral("20.6 second(s)"));
        QCOMPARE(DownloadTime(0, kModems[2].BytesPerSecond), QStringLiteral("0.0 second(s)"));
    }

    void kiloBytes_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing") << qint64(0) << "0.00 KB";
        QTest::newRow("one byte") << qint64(1) << "0.00 KB";
        QTest::newRow("just under a KB rounds up") << qint64(1023) << "1.00 KB";
        QTest::newRow("1024 to the KB") << qint64(10240) << "10.00 KB";
        QTest::newRow("past 2 GB") << (qint64(3) << 30) << "3145728.00 KB";
    }
    void kiloBytes()
    {
        QFETCH(qint64, bytes);
        QFETCH(QString, text);
        QCOMPARE(KiloBytes(bytes), text);
    }
};

QTEST_GUILESS_MAIN(TestDocumentWeight)
#include "tst_documentweight.moc"
