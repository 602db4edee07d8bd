// A whole page tokenized line by line against its reviewed token dump (data/page.tokens).
// Set TAGFORGE_UPDATE_GOLDEN=1 to rewrite the dump after a deliberate change; review the diff.
#include "highlight/core/htmlsyn.h"
#include "tokendump.h"

#include <QFile>
#include <QTest>

class TestHTMLGolden : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pageMatchesDump_data()
    {
        QTest::addColumn<QString>("page");
        QTest::newRow("hand-written page") << QStringLiteral("page");
    }
    void pageMatchesDump()
    {
        QFETCH(QString, page);
        const QString dataDir = QStringLiteral(TAGFORGE_TEST_DATA);
        QFile input(dataDir + QLatin1Char('/') + page + QStringLiteral(".html"));
        QVERIFY2(input.open(QIODevice::ReadOnly), qPrintable(input.fileName()));
        QStringList lines = QString::fromUtf8(input.readAll()).split(QLatin1Char('\n'));
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();

        THTMLSyn syn;
        QStringList dump;
        TRangeState state = syn.ResetState();
        for (int i = 0; i < lines.size(); ++i) {
            dump << QStringLiteral("line %1 starts in %2").arg(i + 1).arg(RangeName(state));
            syn.SetRange(state);
            syn.SetLine(lines[i], i);
            while (!syn.GetEol()) {
                dump << QStringLiteral("    %1 %2").arg(KindName(syn.GetTokenKind()), Quoted(syn.GetTokenView()));
                syn.Next();
            }
            const TRangeState end = syn.GetRange();
            QCOMPARE(syn.ScanLine(lines[i], i, state), end);
            state = end;
        }
        dump << QStringLiteral("ends in %1").arg(RangeName(state));

        const QString expectedPath = dataDir + QLatin1Char('/') + page + QStringLiteral(".tokens");
        if (qEnvironmentVariableIntValue("TAGFORGE_UPDATE_GOLDEN") == 1) {
            QFile out(expectedPath);
            QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
            out.write((dump.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
        }
        QFile expectedFile(expectedPath);
        QVERIFY2(expectedFile.open(QIODevice::ReadOnly), qPrintable(expectedPath));
        QStringList expected = QString::fromUtf8(expectedFile.readAll()).split(QLatin1Char('\n'));
        if (!expected.isEmpty() && expected.last().isEmpty())
            expected.removeLast();
        for (int i = 0; i < std::min(dump.size(), expected.size()); ++i)
            QVERIFY2(dump[i] == expected[i],
                     qPrintable(
                         QStringLiteral("dump line %1: got '%2', expected '%3'").arg(i + 1).arg(dump[i], expected[i])));
        QCOMPARE(dump.size(), expected.size());
    }
};

QTEST_GUILESS_MAIN(TestHTMLGolden)
#include "tst_htmlgolden.moc"
