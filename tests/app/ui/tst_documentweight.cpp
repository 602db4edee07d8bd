// Document Weight as a user reaches it: Ctrl+W on the open page, on an untitled one, and with none.
#include "aids/core/myrichedit.h"
#include "app/ui/documenttab.h"
#include "assistants/ui/documentweight.h"
#include "assistants/ui/documentweightcommand.h"
#include "windowharness.h"

#include <QAction>
#include <QLabel>

class TestDocumentWeightCommand : public QObject
{
    Q_OBJECT

    TWindowHarness h;
    TDocumentWeightCommand *Command() const { return h.Window->findChild<TDocumentWeightCommand *>(); }

private Q_SLOTS:
    void init() { QVERIFY(h.Start()); }
    void cleanup() { h.Stop(); }

    void measuresTheActivePage()
    {
        QAction *action = h.Window->Action(QStringLiteral("Dokument2"));
        QVERIFY(action->isEnabled());
        QCOMPARE(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_W));

        h.Write(QStringLiteral("logo.gif"), QByteArray(4096, 'g'));
        h.OpenChoice =
            h.Write(QStringLiteral("index.html"), "<img src=\"logo.gif\"><img src=\"logo.gif\"><img src=\"no.gif\">");
        h.Window->Action(QStringLiteral("Open1"))->trigger();
        QVERIFY(h.Window->ActiveTab());

        QStringList rows;
        QString docuSize, notice;
        Command()->ShowDialog = [&](TfrmDocumentWeight &dialog) {
            for (const DocumentWeight::TDependency &d : dialog.Weight().Dependencies)
                rows << QFileInfo(d.FileName).fileName() + u' ' + d.StatusText;
            docuSize = dialog.findChild<QLabel *>(QStringLiteral("lblDocuSize"))->text();
            notice = dialog.findChild<QLabel *>(QStringLiteral("lblNotice"))->text();
        };
        action->trigger();
        QCOMPARE(rows, (QStringList{"logo.gif OK", "no.gif File not found"}));
        QCOMPARE(docuSize, QStringLiteral("0.06 KB"));
        QCOMPARE(notice, QString());
        QVERIFY(h.Messages.isEmpty());
    }

    void untitledAndNoDocument()
    {
        h.Window->Action(QStringLiteral("New1"))->trigger();
        h.Window->ActiveEditor()->SetText(QStringLiteral("<img src=\"http://example.com/a.gif\">"));
        QString notice;
        QStringList status;
        Command()->ShowDialog = [&](TfrmDocumentWeight &dialog) {
            notice = dialog.findChild<QLabel *>(QStringLiteral("lblNotice"))->text();
            for (const DocumentWeight::TDependency &d : dialog.Weight().Dependencies)
                status << d.StatusText;
        };
        h.Window->Action(QStringLiteral("Dokument2"))->trigger();
        QCOMPARE(status, QStringList{QStringLiteral("Not Local")});
        QVERIFY(notice.contains(QLatin1String("not been saved")));

        status.clear();
        while (h.Window->ActiveTab())
            delete h.Window->ActiveTab();
        h.Window->Action(QStringLiteral("Dokument2"))->trigger();
        QVERIFY(status.isEmpty());
        QCOMPARE(h.Messages.last(), QStringLiteral("No HTML-File opened"));
    }
};

QTEST_MAIN(TestDocumentWeightCommand)
#include "tst_documentweight.moc"
