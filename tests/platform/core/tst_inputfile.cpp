// Reading input files: what is refused instead of read, and text made safe for a terminal.
#include "platform/core/inputfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

#include <sys/stat.h>

class TestInputFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void memoryDecidesWhatTheEditorOpens_data()
    {
        QTest::addColumn<qint64>("file");
        QTest::addColumn<qint64>("available"); // -1: cannot be told
        QTest::addColumn<QString>("problem");  // a part of the message; empty: opened
        const qint64 gb = qint64(1) << 30;
        QTest::newRow("1 GB file, 20 GB free") << gb << 20 * gb << "";
        QTest::newRow("1 GB file, exactly enough") << gb << 4 * gb << "";
        QTest::newRow("1 GB file, 3 GB free") << gb << 3 * gb << "about 4.0 GB of memory to edit, and only 3.0 GB";
        QTest::newRow("memory unknown") << 100 * gb << qint64(-1) << "";
        QTest::newRow("empty file") << qint64(0) << qint64(0) << "";
        QTest::newRow("size that overflows the estimate") << std::numeric_limits<qint64>::max() / 2 << 20 * gb
                                                         << "too large";
    }
    void memoryDecidesWhatTheEditorOpens()
    {
        QFETCH(qint64, file);
        QFETCH(qint64, available);
        QFETCH(QString, problem);
        const QString found =
            InputFile::MemoryProblem(file, available < 0 ? std::nullopt : std::optional<qint64>(available));
        QVERIFY2(problem.isEmpty() ? found.isEmpty() : found.contains(problem), qPrintable(found));
    }
    void availableMemoryIsRead()
    {
        const std::optional<qint64> available = InputFile::AvailableMemory();
        QVERIFY(available.has_value()); // Linux always has /proc/meminfo
        QVERIFY(*available > 0);
    }

    void refusedOrRead_data()
    {
        QTest::addColumn<QString>("path"); // "@" stands for the temporary folder
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<QString>("error"); // empty: read whole
        QTest::newRow("regular file") << "@/page.html" << qint64(100) << "";
        QTest::newRow("exactly at the limit") << "@/page.html" << qint64(10) << "";
        QTest::newRow("one byte over the limit") << "@/page.html" << qint64(9) << "larger than";
        QTest::newRow("named pipe without a writer") << "@/fifo" << InputFile::kMaxBytes << "not a regular file";
        QTest::newRow("endless device") << "/dev/zero" << InputFile::kMaxBytes << "not a regular file";
        QTest::newRow("folder") << "@" << InputFile::kMaxBytes << "is a folder";
        QTest::newRow("missing") << "@/none.html" << InputFile::kMaxBytes << "No such file";
    }
    void refusedOrRead()
    {
        QFETCH(QString, path);
        QFETCH(qint64, limit);
        QFETCH(QString, error);
        QTemporaryDir dir;
        path.replace(QLatin1Char('@'), dir.path());
        QFile page(dir.filePath("page.html"));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<p>x</p>\r\n");
        page.close();
        QVERIFY(::mkfifo(QFile::encodeName(dir.filePath("fifo")).constData(), 0600) == 0);
        const InputFile::TRead read = InputFile::ReadRegularFile(path, limit);
        if (error.isEmpty()) {
            QVERIFY2(read.Error.isEmpty(), qPrintable(read.Error));
            QCOMPARE(read.Bytes, QByteArray("<p>x</p>\r\n"));
        } else {
            QVERIFY2(read.Error.contains(error), qPrintable(read.Error));
            QVERIFY(read.Bytes.isEmpty());
        }
    }

    void binaryOrText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("binary");
        QTest::newRow("plain text") << QByteArray("<p>caf\xc3\xa9</p>") << false;
        QTest::newRow("PNG header") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << true;
        QTest::newRow("UTF-16LE with BOM") << QByteArray("\xff\xfe<\0p\0", 6) << false;
        QTest::newRow("UTF-32BE with BOM") << QByteArray("\0\0\xfe\xff\0\0\0<", 8) << false;
        QTest::newRow("NUL far past the start") << QByteArray(70000, 'a') + QByteArray(1, '\0') << false;
    }
    void binaryOrText()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, binary);
        QCOMPARE(InputFile::LooksBinary(bytes), binary);
    }

    void printable_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain and tab kept") << "a\tb \u00e9\u20ac"
                                            << "a\tb \u00e9\u20ac";
        QTest::newRow("escape sequence") << "\x1b[2Jx"
                                         << "\\x1b[2Jx";
        QTest::newRow("line breaks and NUL") << QString::fromLatin1("a\r\nb\0", 5) << "a\\x0d\\x0ab\\x00";
        QTest::newRow("DEL and C1 CSI") << "\x7f\u009b"
                                        << "\\x7f\\x9b";
    }
    void printable()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(InputFile::Printable(text), shown);
    }
};

QTEST_GUILESS_MAIN(TestInputFile)
#include "tst_inputfile.moc"
