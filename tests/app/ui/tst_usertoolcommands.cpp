// The User Tools submenu as a user reaches it, and tools started with odd document names.
#include "aids/core/myrichedit.h"
#include "site/ui/usertoolcommands.h"
#include "windowharness.h"

#include <QAction>
#include <QMenu>

class TestUserToolCommands : public QObject
{
    Q_OBJECT

    TWindowHarness h;

    QMenu *Menu() { return h.Window->Menu(QStringLiteral("MainUserTools1")); }
    QStringList Captions()
    {
        QStringList out;
        for (QAction *a : Menu()->actions())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return out;
    }
    QString Script(const char *name, const QByteArray &body)
    {
        const QString path = h.Write(QLatin1String(name), "#!/bin/sh\n" + body);
        QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
        return path;
    }

private Q_SLOTS:
    void init() { QVERIFY(h.Start()); }
    void cleanup() { h.Stop(); }

    void editingItems()
    {
        QVERIFY(Menu()->isEnabled());
        QCOMPARE(Captions(), (QStringList{"Edit Item...", "-"} << QStringList(10, QStringLiteral("[Empty]"))));
        // The preset 1 on an empty list adds the first tool.
        h.Inputs = {QStringLiteral("1")};
        h.OpenChoice = QStringLiteral("/bin/true");
        Menu()->actions().first()->trigger();
        QCOMPARE(h.Prompts, QStringList{QStringLiteral("Please enter which Item to change:")});
        QCOMPARE(Captions(), (QStringList{"Edit Item...", "-", "true"} << QStringList(9, QStringLiteral("[Empty]"))));
        QCOMPARE(h.Window->UserTools(), QStringList{"/bin/true"});
        // 0 adds, 1 replaces, a negative number says why and changes nothing.
        h.Inputs = {QStringLiteral("0")};
        h.OpenChoice = QStringLiteral("/bin/false");
        Menu()->actions().first()->trigger();
        h.Inputs = {QStringLiteral("1")};
        h.OpenChoice = QStringLiteral("/bin/echo");
        Menu()->actions().first()->trigger();
        QCOMPARE(h.Window->UserTools(), (QStringList{"/bin/echo", "/bin/false"}));
        h.Inputs = {QStringLiteral("-2")};
        Menu()->actions().first()->trigger();
        QCOMPARE(h.Window->UserTools(), (QStringList{"/bin/echo", "/bin/false"}));
        QCOMPARE(h.Messages.size(), 1);
        // Cancel in either question leaves the list.
        h.Inputs = {QStringLiteral("<cancel>")};
        Menu()->actions().first()->trigger();
        h.Inputs = {QStringLiteral("2")};
        h.OpenChoice.clear();
        Menu()->actions().first()->trigger();
        QCOMPARE(h.Window->UserTools(), (QStringList{"/bin/echo", "/bin/false"}));
    }

    void theDocumentIsOneArgumentAndNeverShellText()
    {
        const QString out = h.Dir.filePath(QStringLiteral("args.txt"));
        const QString tool = Script("tool.sh", "printf '%s\\n' \"$#\" \"$1\" > '" + out.toUtf8() + "'\n");
        const QString document = h.Write(QStringLiteral("a $(touch x) b; 'q' \"d\" ü.html"), "<p>x</p>");
        h.Window->OpenFile(document);
        TUserToolCommands *tools = h.Window->UserToolCommands();
        tools->Start = [tools](const QString &p, const QStringList &a) { return tools->StartWatched(p, a); };
        h.Window->UserTools() = QStringList{tool};
        tools->RebuildMenu();
        Menu()->actions().at(2)->trigger();
        QTRY_VERIFY(QFileInfo(out).size() > 0);
        QFile f(out);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(f.readAll()), QStringLiteral("1\n") + document + u'\n');
        QVERIFY(!QFileInfo::exists(h.Dir.filePath(QStringLiteral("x"))));
        QVERIFY(!QFileInfo::exists(QStringLiteral("x")));
    }

    void failuresAreShown()
    {
        TUserToolCommands *tools = h.Window->UserToolCommands();
        tools->Start = [tools](const QString &p, const QStringList &a) { return tools->StartWatched(p, a); };
        tools->AnyUserToolsClick(h.Dir.filePath(QStringLiteral("gone")));
        QCOMPARE(h.Messages.size(), 1);
        QVERIFY(h.Messages.last().contains(QStringLiteral("does not exist")));
        tools->AnyUserToolsClick(Script("fail.sh", "echo 'no licence found' >&2\nexit 3\n"));
        QTRY_COMPARE(h.Messages.size(), 2);
        QVERIFY(h.Messages.last().contains(QStringLiteral("exit code 3")));
        QVERIFY(h.Messages.last().contains(QStringLiteral("no licence found")));
    }
};

QTEST_MAIN(TestUserToolCommands)
#include "tst_usertoolcommands.moc"
