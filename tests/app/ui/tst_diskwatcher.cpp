// Files changed by other programs while open: reloaded, asked about, marked when deleted, and
// never confused with our own saves.
#include "aids/core/myrichedit.h"
#include "app/core/diskstamp.h"
#include "app/ui/diskwatcher.h"
#include "app/ui/documentmanager.h"
#include "app/ui/documenttab.h"
#include "windowharness.h"

#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QTabWidget>

namespace {

QString EditorText(TMyRichEdit *editor)
{
    QStringList lines;
    for (int i = 0; i < editor->Lines().Count(); ++i)
        lines << editor->Lines()[i];
    return lines.join(QLatin1Char('\n'));
}

// Another program writing the file in place, or writing a new one and renaming it over.
void WriteFromOutside(const QString &path, const QByteArray &bytes, bool replace)
{
    if (replace) {
        QSaveFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        f.commit();
    } else {
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(bytes);
    }
}

const QByteArray kPage("<html>\n<body>\n<p>one</p>\n<p>two</p>\n</body>\n</html>\n");

} // namespace

class tst_DiskWatcher : public QObject
{
    Q_OBJECT
    TWindowHarness m_h;
    QString m_path;
    QString m_pressed;   // the button the file-changed question answers with
    QStringList m_shown; // texts of the difference views shown

    TMyRichEdit *Editor() { return m_h.Window->ActiveEditor(); }

private Q_SLOTS:
    void init()
    {
        m_h.DialogAnswer = [this](QDialog &dialog) {
            if (auto *box = qobject_cast<QMessageBox *>(&dialog)) {
                const QString wanted = m_pressed.isEmpty() ? QStringLiteral("&Keep Mine") : m_pressed;
                if (m_pressed == QLatin1String("&Compare"))
                    m_pressed = QStringLiteral("&Keep Mine"); // then keep, once the differences were seen
                for (QAbstractButton *b : box->buttons())
                    if (b->text() == wanted)
                        b->click();
                return int(QDialog::Accepted);
            }
            if (auto *view = dialog.findChild<QPlainTextEdit *>())
                m_shown << view->toPlainText();
            return int(QDialog::Accepted);
        };
        QVERIFY(m_h.Start());
        m_path = m_h.Write(QStringLiteral("page.html"), kPage);
        m_h.Window->OpenFile(m_path);
        m_h.Messages.clear();
    }
    void cleanup()
    {
        m_pressed.clear();
        m_shown.clear();
        m_h.Questions.clear();
        m_h.Answer = QMessageBox::No;
        m_h.Stop();
    }

    void stampsTellChanges_data()
    {
        QTest::addColumn<bool>("before");
        QTest::addColumn<bool>("after");
        QTest::addColumn<bool>("sameStamp");
        QTest::addColumn<int>("change");
        QTest::newRow("untouched") << true << true << true << int(DiskStamp::TChange::None);
        QTest::newRow("written") << true << true << false << int(DiskStamp::TChange::Changed);
        QTest::newRow("deleted") << true << false << false << int(DiskStamp::TChange::Deleted);
        QTest::newRow("still gone") << false << false << true << int(DiskStamp::TChange::None);
        QTest::newRow("back again") << false << true << false << int(DiskStamp::TChange::Reappeared);
    }
    void stampsTellChanges()
    {
        QFETCH(bool, before);
        QFETCH(bool, after);
        QFETCH(bool, sameStamp);
        QFETCH(int, change);
        TDiskStamp known{before, 10, 100, 7};
        TDiskStamp now = sameStamp ? known : TDiskStamp{after, 11, 200, 7};
        now.Exists = after;
        QCOMPARE(int(DiskStamp::Compare(known, now)), change);
    }

    void unmodifiedDocumentReloadsKeepingTheCaretLine_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::newRow("written in place") << false;
        QTest::newRow("replaced by a rename") << true;
    }
    void unmodifiedDocumentReloadsKeepingTheCaretLine()
    {
        QFETCH(bool, replace);
        Editor()->SetCaretXY(BufferCoord(2, 4));
        WriteFromOutside(m_path, "<html>\n<body>\n<p>ONE</p>\n<p>TWO</p>\n</body>\n</html>\n", replace);
        QTRY_COMPARE(EditorText(Editor()), QStringLiteral("<html>\n<body>\n<p>ONE</p>\n<p>TWO</p>\n</body>\n</html>"));
        QVERIFY(!Editor()->Modified());
        QCOMPARE(Editor()->CaretY(), 4);
        // Watched again after the replace: a second change is seen too.
        WriteFromOutside(m_path, "<p>third</p>\n", replace);
        QTRY_COMPARE(EditorText(Editor()), QStringLiteral("<p>third</p>"));
        QCOMPARE(Editor()->CaretY(), 1); // the line is kept only as far as the new text goes
        QVERIFY(m_h.Dialogs.isEmpty());
    }

    void modifiedDocumentAsks_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("keep mine") << QStringLiteral("&Keep Mine");
        QTest::newRow("reload") << QStringLiteral("&Reload");
        QTest::newRow("compare, then keep") << QStringLiteral("&Compare");
    }
    void modifiedDocumentAsks()
    {
        QFETCH(QString, button);
        m_pressed = button;
        Editor()->SetSelText(QStringLiteral("<!-- mine -->"));
        const QString mine = EditorText(Editor());
        WriteFromOutside(m_path, "<p>theirs</p>\n", false);
        QTRY_VERIFY(m_h.Dialogs.contains(QStringLiteral("FileChangedQuestion")));
        if (button == QLatin1String("&Reload")) {
            QCOMPARE(EditorText(Editor()), QStringLiteral("<p>theirs</p>"));
            QVERIFY(!Editor()->Modified());
            // Nothing typed is lost: Undo brings it back.
            Editor()->Undo();
            QCOMPARE(EditorText(Editor()), mine);
            return;
        }
        if (button == QLatin1String("&Compare")) {
            QCOMPARE(m_shown.size(), 1);
            QVERIFY2(m_shown.first().contains(QStringLiteral("- <p>theirs</p>")), qPrintable(m_shown.first()));
            QVERIFY2(m_shown.first().contains(QStringLiteral("+ <!-- mine --><html>")), qPrintable(m_shown.first()));
        }
        QCOMPARE(EditorText(Editor()), mine);
        QVERIFY(Editor()->Modified());
        // Kept: Save writes it without asking again, and our own write is not taken for a change.
        QVERIFY(m_h.Window->Documents()->btnsaveClick());
        QVERIFY(m_h.Questions.isEmpty());
        QCOMPARE(m_h.Read(QStringLiteral("page.html")), (mine + QLatin1Char('\n')).toUtf8());
        m_h.Dialogs.clear();
        m_h.Window->DiskWatcher()->CheckNow();
        QCoreApplication::processEvents();
        QVERIFY(m_h.Dialogs.isEmpty());
        QVERIFY(!Editor()->Modified());
    }

    void saveAsksWhenTheFileChangedUnnoticed()
    {
        Editor()->SetSelText(QStringLiteral("x"));
        // Written, and saved over before any event was looked at.
        WriteFromOutside(m_path, "<p>theirs</p>\n", true);
        m_h.YesNoAnswer = false;
        QVERIFY(!m_h.Window->Documents()->btnsaveClick());
        QCOMPARE(m_h.Questions.size(), 1);
        QVERIFY(m_h.Questions.first().contains(QStringLiteral("changed by another program")));
        QCOMPARE(m_h.Read(QStringLiteral("page.html")), QByteArray("<p>theirs</p>\n"));
        QVERIFY(Editor()->Modified());
        m_h.YesNoAnswer = true;
        QVERIFY(m_h.Window->Documents()->btnsaveClick());
        QCOMPARE(m_h.Read(QStringLiteral("page.html")), QByteArray("x") + kPage);
    }

    void deletedFileIsMarkedAndSaveWritesItAgain()
    {
        QVERIFY(QFile::remove(m_path));
        QTabWidget *tabs = m_h.Window->PageControl1();
        QTRY_VERIFY(m_h.Window->ActiveTab()->GoneFromDisk());
        QVERIFY(!tabs->tabIcon(tabs->currentIndex()).isNull());
        QVERIFY(tabs->tabToolTip(tabs->currentIndex()).contains(QStringLiteral("deleted on disk")));
        QVERIFY(Editor()->Modified()); // its text is kept nowhere else now
        QVERIFY(m_h.Window->Action(QStringLiteral("Save1"))->isEnabled());
        m_h.SaveChoice.clear();
        QVERIFY(m_h.Window->Documents()->btnsaveClick());
        QVERIFY(m_h.SaveOffered.isEmpty()); // no Save As: written again where it was
        QCOMPARE(m_h.Read(QStringLiteral("page.html")), kPage);
        QVERIFY(!Editor()->Modified());
        QVERIFY(!m_h.Window->ActiveTab()->GoneFromDisk());
        QVERIFY(tabs->tabIcon(tabs->currentIndex()).isNull());
    }
};

QTEST_MAIN(tst_DiskWatcher)
#include "tst_diskwatcher.moc"
