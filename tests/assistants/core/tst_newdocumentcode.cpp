// The new-document list: which files are templates and how they are named.
#include "assistants/core/newdocumentcode.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace NewDocument;

namespace {

QStringList Captions(const QList<TTemplate> &templates)
{
    QStringList captions;
    for (const TTemplate &t : templates)
        captions << t.Caption;
    return captions;
}

} // namespace

class TestNewDocumentCode : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void templatesListedByName()
    {
        QTemporaryDir dir;
        for (const char *name : {"Frames.tpl", "a.tpl.tpl", "B.TPL", "notes.txt", "tpl", ".hidden.tpl", ".tpl"}) {
            QFile f(dir.filePath(QLatin1String(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        // Folders are no templates, nor is what lies in them.
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("sub.tpl")));
        QFile inner(dir.filePath(QStringLiteral("sub.tpl/inner.tpl")));
        QVERIFY(inner.open(QIODevice::WriteOnly));

        const QList<TTemplate> templates = ListTemplates(dir.path());
        QCOMPARE(Captions(templates), QStringList({".hidden", ".tpl", "a.tpl", "B", "Frames"}));
        QCOMPARE(templates.at(2).Path, dir.filePath(QStringLiteral("a.tpl.tpl")));
        QCOMPARE(templates.at(4).Path, dir.filePath(QStringLiteral("Frames.tpl")));
    }

    void missingFolderGivesNoTemplates()
    {
        QVERIFY(ListTemplates(QStringLiteral("/nonexistent/Templates")).isEmpty());
        QVERIFY(ListTemplates(QString()).isEmpty());
    }

    void theShippedTemplates()
    {
        QCOMPARE(Captions(ListTemplates(QStringLiteral(TAGFORGE_SOURCE_DIR "/Templates"))),
                 QStringList({"Frames", "HTML401Strict", "Layout", "Standard"}));
        QCOMPARE(WizardCaption(), QStringLiteral("HTML Wizard"));
    }
};

QTEST_APPLESS_MAIN(TestNewDocumentCode)
#include "tst_newdocumentcode.moc"
