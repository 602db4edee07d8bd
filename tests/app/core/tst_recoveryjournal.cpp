// The recovery journal's files and sessions, and the difference shown before recovering.
#include "app/core/recoverydiff.h"
#include "app/core/recoveryjournal.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <QSet>
#include <QTest>

#include <memory>
#include <vector>

class tst_RecoveryJournal : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    QString Root() const { return m_dir.filePath(QStringLiteral("journal")); }

    static TJournalEntry Entry(const QString &id, const QString &text)
    {
        TJournalEntry e;
        e.Id = id;
        e.Path = QStringLiteral("/srv/www/index.html");
        e.Text = text;
        e.Written = QDateTime(QDate(2026, 12, 8), QTime(4, 5, 6, 789), Qt::UTC);
        return e;
    }

    // A session folder as a program that was killed leaves it: entries, no live lock.
    QString AbandonedSession(const QString &name, const QList<TJournalEntry> &entries)
    {
        const QString dir = Root() + QStringLiteral("/session-") + name;
        QDir().mkpath(dir);
        for (const TJournalEntry &e : entries)
            if (!TRecoveryJournal::WriteEntry(dir, e).isEmpty())
                return QString();
        return dir;
    }

private Q_SLOTS:
    void cleanup() { QDir(Root()).removeRecursively(); }

    void entriesReadBackExactly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("lines") << QStringLiteral("<p>one</p>\n\n  two\n");
        QTest::newRow("outside the BMP") << QString::fromUtf8("\xF0\x9F\x98\x80 smile");
        QTest::newRow("unpaired surrogate and NUL") << (QString(QChar(0xD800)) + QChar(0) + QStringLiteral("x"));
        QTest::newRow("json-looking text") << QStringLiteral("{\"chars\": 3}\ntagforge-journal 1\n");
        QTest::newRow("large") << QString(300000, QLatin1Char('a'));
    }

    void entriesReadBackExactly()
    {
        QFETCH(QString, text);
        QDir().mkpath(Root());
        TJournalEntry written = Entry(QStringLiteral("doc-000001"), text);
        written.Untitled = true;
        QCOMPARE(TRecoveryJournal::WriteEntry(Root(), written), QString());
        TJournalEntry read;
        QVERIFY(TRecoveryJournal::ReadEntry(Root() + QStringLiteral("/doc-000001.journal"), read));
        QCOMPARE(read.Id, written.Id);
        QCOMPARE(read.Path, written.Path);
        QCOMPARE(read.Untitled, true);
        QCOMPARE(read.Written, written.Written);
        QCOMPARE(read.Text.size(), text.size());
        QVERIFY(read.Text == text);
    }

    void damagedEntriesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("cut"); // what is done to a good file
        QTest::newRow("cut short") << QByteArray("short");
        QTest::newRow("an odd byte more") << QByteArray("long");
        QTest::newRow("no header") << QByteArray("header");
        QTest::newRow("foreign file") << QByteArray("foreign");
    }

    void damagedEntriesAreRefused()
    {
        QFETCH(QByteArray, cut);
        QDir().mkpath(Root());
        QCOMPARE(TRecoveryJournal::WriteEntry(Root(), Entry(QStringLiteral("d"), QStringLiteral("abcdef"))), QString());
        const QString file = Root() + QStringLiteral("/d.journal");
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QByteArray bytes = f.readAll();
        f.close();
        if (cut == "short")
            bytes.chop(2);
        else if (cut == "long")
            bytes += 'x';
        else if (cut == "header")
            bytes = bytes.mid(bytes.indexOf('\n') + 1);
        else
            bytes = "<html>\n<p>not a journal</p>\n";
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();
        TJournalEntry read;
        QVERIFY(!TRecoveryJournal::ReadEntry(file, read));
    }

    // Journals opened within one millisecond (tests, or a quick restart under the same process
    // number) each get a folder of their own, and none takes or removes another's.
    void journalsOpenedTogetherKeepApart()
    {
        std::vector<std::unique_ptr<TRecoveryJournal>> journals;
        QSet<QString> dirs;
        for (int i = 0; i < 20; ++i) {
            journals.push_back(std::make_unique<TRecoveryJournal>(Root()));
            QCOMPARE(journals.back()->Open(), QString());
            dirs.insert(journals.back()->SessionDir());
        }
        QCOMPARE(dirs.size(), 20);
        for (const QString &dir : std::as_const(dirs))
            QVERIFY(QFileInfo::exists(dir + QStringLiteral("/lock")));
        for (auto &journal : journals)
            journal->Close(false);
    }

    void sessionsOfLiveProgramsAreNotOffered()
    {
        TRecoveryJournal mine(Root());
        QCOMPARE(mine.Open(), QString());
        QVERIFY(
            TRecoveryJournal::WriteEntry(mine.SessionDir(), Entry(QStringLiteral("a"), QStringLiteral("x"))).isEmpty());
        // Another program of this machine that still runs holds its lock.
        TRecoveryJournal other(Root());
        QCOMPARE(other.Open(), QString());
        QVERIFY(TRecoveryJournal::WriteEntry(other.SessionDir(), Entry(QStringLiteral("b"), QStringLiteral("y")))
                    .isEmpty());
        QCOMPARE(TRecoveryJournal::Orphans(Root(), mine.SessionDir()).size(), 0);
        // Once it ends from outside, its entries are offered; a clean end leaves nothing.
        other.Close(true);
        const auto orphans = TRecoveryJournal::Orphans(Root(), mine.SessionDir());
        QCOMPARE(orphans.size(), 1);
        QCOMPARE(orphans.first().Entries.size(), 1);
        QCOMPARE(orphans.first().Entries.first().Text, QStringLiteral("y"));
        const QString mineDir = mine.SessionDir();
        mine.Close(false);
        QVERIFY(!QDir(mineDir).exists());
    }

    void abandonedSessionsAreOfferedOldestFirst()
    {
        const QString older =
            AbandonedSession(QStringLiteral("1-1"), {Entry(QStringLiteral("doc-000002"), QStringLiteral("2")),
                                                     Entry(QStringLiteral("doc-000001"), QStringLiteral("1"))});
        QVERIFY(!older.isEmpty());
        QTest::qWait(20);
        const QString newer =
            AbandonedSession(QStringLiteral("2-2"), {Entry(QStringLiteral("doc-000001"), QStringLiteral("n"))});
        // A session whose program ended with nothing unsaved is cleared away, not offered.
        const QString empty = AbandonedSession(QStringLiteral("3-3"), {});
        QFile junk(newer + QStringLiteral("/zz.journal"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("garbage");
        junk.close();
        const auto orphans = TRecoveryJournal::Orphans(Root());
        QCOMPARE(orphans.size(), 2);
        QCOMPARE(orphans.at(0).Dir, older);
        QCOMPARE(orphans.at(0).Entries.at(0).Text, QStringLiteral("1"));
        QCOMPARE(orphans.at(0).Entries.at(1).Text, QStringLiteral("2"));
        QCOMPARE(orphans.at(1).Damaged, QStringList{newer + QStringLiteral("/zz.journal")});
        QVERIFY(!QDir(empty).exists());
        TRecoveryJournal::Discard(older);
        QCOMPARE(TRecoveryJournal::Orphans(Root()).size(), 1);
    }

    void writeFailureIsReported()
    {
        // A folder that is not there (removed under the program) is a reason, never a silent success.
        const QString error = TRecoveryJournal::WriteEntry(Root() + QStringLiteral("/gone"),
                                                           Entry(QStringLiteral("a"), QStringLiteral("x")));
        QVERIFY(!error.isEmpty());
    }

    void differences_data()
    {
        QTest::addColumn<QStringList>("disk");
        QTest::addColumn<QStringList>("journal");
        QTest::addColumn<QString>("expected");
        const QStringList page{"<html>", "<body>", "</body>", "</html>"};
        QTest::newRow("same") << page << page << QStringLiteral("The same as the file on disk.");
        QTest::newRow("added") << page << QStringList{"<html>", "<body>", "<p>new</p>", "</body>", "</html>"}
                               << QStringLiteral("1 line added at line 3:\n+ <p>new</p>");
        QTest::newRow("removed") << page << QStringList{"<html>", "</html>"}
                                 << QStringLiteral("2 lines removed at line 2:\n- <body>\n- </body>");
        QTest::newRow("changed") << page << QStringList{"<html>", "<BODY>", "</body>", "</html>"}
                                 << QStringLiteral("Line 2 of the file differs:\n- <body>\n+ <BODY>");
        QTest::newRow("repeated lines") << QStringList{"a", "a"} << QStringList{"a", "a", "a"}
                                        << QStringLiteral("1 line added at line 3:\n+ a");
        QTest::newRow("long") << QStringList{} << QStringList{"1", "2", "3", "4"}
                              << QStringLiteral("4 lines added at line 1:\n+ 1\n+ 2\n+ … 2 lines more");
    }

    void differences()
    {
        QFETCH(QStringList, disk);
        QFETCH(QStringList, journal);
        QFETCH(QString, expected);
        QCOMPARE(RecoveryDiff::Describe(disk, true, false, journal, 2), expected);
    }

    void goneAndUntitledShowTheText()
    {
        QCOMPARE(RecoveryDiff::Describe({}, false, true, {"a", "b"}),
                 QStringLiteral("Never saved: 2 lines.\n+ a\n+ b"));
        QCOMPARE(RecoveryDiff::Describe({}, false, false, {"a"}),
                 QStringLiteral("The file is no longer on disk: 1 line.\n+ a"));
    }
};

QTEST_GUILESS_MAIN(tst_RecoveryJournal)
#include "tst_recoveryjournal.moc"
