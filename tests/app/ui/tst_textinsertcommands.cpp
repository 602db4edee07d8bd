// Text, template and skeleton insertion and the colour palette, as a user reaches them.
#include "aids/core/myrichedit.h"
#include "aids/ui/quickbar.h"
#include "doctools/ui/palettestrip.h"
#include "windowharness.h"

#include <QAction>
#include <QLabel>
#include <QTemporaryDir>

namespace {

QString Text(TMyRichEdit *edit)
{
    return edit->Text().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

class TestTextInsertCommands : public QObject
{
    Q_OBJECT

    TWindowHarness h;
    QTemporaryDir m_dir;
    TMyRichEdit *NewDocument()
    {
        h.Window->Action(QStringLiteral("New1"))->trigger();
        return h.Window->ActiveEditor();
    }
    QString Write(const char *name, const QByteArray &bytes)
    {
        QFile f(m_dir.filePath(QLatin1String(name)));
        if (!f.open(QIODevice::WriteOnly))
            return QString();
        f.write(bytes);
        return f.fileName();
    }

private Q_SLOTS:
    void init() { QVERIFY(h.Start()); }
    void cleanup() { h.Stop(); }

    void fileInsertionAtTheCaret()
    {
        TMyRichEdit *edit = NewDocument();
        edit->SetText(QStringLiteral("<p></p>"));
        edit->SetSelStart(4);
        h.OpenChoice = Write("part.txt", "a\r\nb");
        h.Window->Action(QStringLiteral("InsertText1"))->trigger();
        QCOMPARE(Text(edit), QStringLiteral("<p>a\nb\n</p>\n"));
        edit->Undo();
        QCOMPARE(Text(edit), QStringLiteral("<p></p>\n"));

        // Refused files leave the document as it was and say why.
        h.OpenChoice = Write("pic.gif", QByteArray("GIF89a\0\0\0", 9));
        h.Window->Action(QStringLiteral("InsertText1"))->trigger();
        QCOMPARE(Text(edit), QStringLiteral("<p></p>\n"));
        QVERIFY(h.Messages.last().contains(QStringLiteral("pic.gif")));
        // Cancel inserts nothing.
        h.OpenChoice.clear();
        h.Window->Action(QStringLiteral("Template1"))->trigger();
        QCOMPARE(Text(edit), QStringLiteral("<p></p>\n"));
    }

    void skeletonFromTheTemplatesFolder()
    {
        TMyRichEdit *edit = NewDocument();
        h.Window->Action(QStringLiteral("MinimalenHTMLRumpf1"))->trigger();
        QFile skeleton(h.Window->ProgramDir() + QStringLiteral("/Templates/Standard.tpl"));
        QVERIFY(skeleton.open(QIODevice::ReadOnly));
        QString expected = QString::fromUtf8(skeleton.readAll()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (!expected.endsWith(u'\n'))
            expected += u'\n';
        QCOMPARE(Text(edit), expected + u'\n');
        QVERIFY(h.Messages.isEmpty());
    }

    void paletteInsertsTheColourUnderTheMouse()
    {
        TMyRichEdit *edit = NewDocument();
        auto *strip = h.Window->findChild<TPaletteStrip *>(QStringLiteral("imgPalette"));
        auto *label = h.Window->findChild<QLabel *>(QStringLiteral("lblColor"));
        QVERIFY(strip && label);
        QCOMPARE(label->text(), QStringLiteral("Click Color to insert"));
        // Column 0 of the middle rows is pure red.
        const QPoint red(0, 11);
        QCOMPARE(strip->ColorAt(red), 0xFF0000u);
        QTest::mouseMove(strip, red);
        QTest::mouseClick(strip, Qt::LeftButton, {}, red);
        QCOMPARE(label->text(), QStringLiteral("#FF0000"));
        QCOMPARE(Text(edit), QStringLiteral("#FF0000\n"));
    }
};

QTEST_MAIN(TestTextInsertCommands)
#include "tst_textinsertcommands.moc"
