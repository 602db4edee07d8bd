// The document weight dialog: the figures and list filled on creation, Refresh, sorting.
#include "assistants/ui/documentweight.h"
#include "tests/support/scratchfiles.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {

QString Label(TfrmDocumentWeight &d, const char *name)
{
    auto *label = d.findChild<QLabel *>(QLatin1String(name));
    if (!label)
        qFatal("no label %s", name);
    return label->text();
}

QStringList Column(TfrmDocumentWeight &d, int column)
{
    QStringList texts;
    auto *list = d.findChild<QTreeWidget *>(QStringLiteral("elvDependencies"));
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(column);
    return texts;
}

} // namespace

class TestDocumentWeightDialog : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString Write(const QString &name, const QByteArray &bytes)
    {
        return TestSupport::WriteScratchFile(m_dir, name, bytes);
    }

private Q_SLOTS:
    void figuresListAndRefresh()
    {
        const QString text = QStringLiteral("<img src=\"big.png\"><img src=\"small.gif\"><img src=\"gone.jpg\">"
                                            "<img src=\"http://example.com/x.gif\"><a href=\"next.html\">n</a>");
        const QString page = Write(QStringLiteral("page.html"), text.toUtf8());
        Write(QStringLiteral("big.png"), QByteArray(10240, 'b'));
        const QString small = Write(QStringLiteral("small.gif"), QByteArray(9216, 's'));

        TfrmDocumentWeight d(nullptr, {text, page, false});
        QCOMPARE(d.windowTitle(), QStringLiteral("Document Weight"));
        QCOMPARE(Column(d, 1), (QStringList{"10.00 KB", "9.00 KB", "-", "-"}));
        QCOMPARE(Column(d, 2), (QStringList{"OK", "OK", "File not found", "Not Local"}));
        QCOMPARE(Column(d, 0).first(), QDir::toNativeSeparators(m_dir.filePath(QStringLiteral("big.png"))));
        const qint64 total = text.size() + 10240 + 9216;
        QCOMPARE(Label(d, "lblDocuSize"), DocumentWeight::KiloBytes(text.size()));
        QCOMPARE(Label(d, "lblDepSize"), QStringLiteral("19.00 KB"));
        QCOMPARE(Label(d, "lblTotalSize"), DocumentWeight::KiloBytes(total));
        QCOMPARE(Label(d, "lblTime144"), DocumentWeight::DownloadTime(total, 1600));
        QVERIFY(d.findChild<QLabel *>(QStringLiteral("lblNotice"))->isHidden());

        // Sizes sort by their bytes, both ways.
        QHeaderView *header = d.findChild<QTreeWidget *>(QStringLiteral("elvDependencies"))->header();
        Q_EMIT header->sectionClicked(1);
        QCOMPARE(Column(d, 1), (QStringList{"-", "-", "9.00 KB", "10.00 KB"}));
        Q_EMIT header->sectionClicked(1);
        QCOMPARE(Column(d, 1).first(), QStringLiteral("10.00 KB"));

        // Refresh measures the disk again, in the page's order.
        QVERIFY(QFile::remove(small));
        QVERIFY(QFile::remove(page));
        d.btnRefreshClick();
        QCOMPARE(Column(d, 2), (QStringList{"OK", "File not found", "File not found", "Not Local"}));
        QCOMPARE(Label(d, "lblDepSize"), QStringLiteral("10.00 KB"));
        QCOMPARE(Label(d, "lblDocuSize"), QStringLiteral("Not available"));
        QVERIFY(!d.findChild<QLabel *>(QStringLiteral("lblNotice"))->isHidden());
    }

    void untitledAndLinklessPages()
    {
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
        TfrmDocumentWeight d(nullptr, {QStringLiteral("<p>no links here</p>"), QStringLiteral("Untitled3"), true});
        QDir::setCurrent(before);
        QCOMPARE(Column(d, 0), QStringList{QStringLiteral("No Links found...")});
        QCOMPARE(Label(d, "lblDocuSize"), QStringLiteral("Not available"));
        QCOMPARE(Label(d, "lblTotalSize"), QStringLiteral("0.00 KB"));
        QCOMPARE(Label(d, "lblTime566"), QStringLiteral("0.0 second(s)"));
        auto *notice = d.findChild<QLabel *>(QStringLiteral("lblNotice"));
        QVERIFY(!notice->isHidden());
        QVERIFY(notice->text().contains(QDir::toNativeSeparators(QDir(m_dir.path()).absolutePath())));
    }
};

QTEST_MAIN(TestDocumentWeightDialog)
#include "tst_documentweightdialog.moc"
