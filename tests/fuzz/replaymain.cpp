// Replays the fuzz seeds and reproducers of one harness, and a fixed set of variations of each,
// through the harness's own entry with its property checks; a failed check aborts the test.
#include "fuzz/fuzzcheck.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

class TestFuzzReplay : public QObject
{
    Q_OBJECT

private slots:
    void seedsArePresent();
    void replay_data();
    void replay();
};

namespace {

QFileInfoList SeedFiles()
{
    return QDir(QStringLiteral(FUZZ_SEEDS)).entryInfoList(QDir::Files, QDir::Name);
}

void Run(const QByteArray &bytes)
{
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
}

} // namespace

void TestFuzzReplay::seedsArePresent()
{
    // An empty folder would pass every replay without running one.
    QVERIFY2(SeedFiles().size() >= 3, FUZZ_SEEDS);
}

void TestFuzzReplay::replay_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty input") << QByteArray();
    for (const QFileInfo &info : SeedFiles()) {
        QFile file(info.filePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QTest::newRow(qPrintable(info.fileName())) << file.readAll();
    }
}

void TestFuzzReplay::replay()
{
    QFETCH(QByteArray, bytes);
    Run(bytes);
    // Variations the way a fuzzer makes them, from a fixed seed so that a failure repeats:
    // cut short, a byte changed, a stretch doubled.
    QRandomGenerator random(quint32(qHash(bytes)));
    for (int round = 0; round < 40 && !bytes.isEmpty(); ++round) {
        QByteArray variant = bytes;
        const qsizetype at = random.bounded(variant.size());
        switch (round % 3) {
        case 0: variant.truncate(at); break;
        case 1: variant[at] = char(random.bounded(256)); break;
        default: variant.insert(at, variant.mid(at, random.bounded(1, 16))); break;
        }
        Run(variant);
    }
}

QTEST_GUILESS_MAIN(TestFuzzReplay)
#include "replaymain.moc"
