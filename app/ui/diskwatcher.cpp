#include "app/ui/diskwatcher.h"

#include "aids/core/myrichedit.h"
#include "app/core/documentfile.h"
#include "app/core/recoverydiff.h"
#include "app/ui/documenttab.h"
#include "app/ui/mainwindow.h"
#include "editor/ui/codeeditview.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QStringList LinesOf(const TEditLines &lines)
{
    QStringList out;
    out.reserve(lines.Count());
    for (int i = 0; i < lines.Count(); ++i)
        out << lines[i];
    return out;
}

bool OnDisk(const QString &path)
{
    return QFileInfo(path).isAbsolute();
}

} // namespace

TDiskWatcher::TDiskWatcher(TfrmHTMLEdit &window) : QObject(&window), m_w(window)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, &TDiskWatcher::CheckNow);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, &m_settle, qOverload<>(&QTimer::start));
    // A replaced or re-created file is seen through its folder: the watch on the old file is gone.
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_settle, qOverload<>(&QTimer::start));
}

QString TDiskWatcher::ChangedQuestion(const QString &path)
{
    return path
           + QStringLiteral(" was changed by another program.\n\nThis document has changes that are not saved. "
                            "Reload the file and drop them (Undo brings them back), or keep yours?");
}

void TDiskWatcher::Track(TDocumentTab *tab)
{
    if (!OnDisk(tab->Path()))
        return;
    tab->Stamp() = DiskStamp::Of(tab->Path());
    MarkGone(tab, false);
    if (!tab->property("diskWatched").toBool()) {
        tab->setProperty("diskWatched", true);
        connect(tab, &QObject::destroyed, this, [this] { QTimer::singleShot(0, this, &TDiskWatcher::Rewatch); });
    }
    Rewatch();
}

void TDiskWatcher::Rewatch()
{
    QSet<QString> files, dirs;
    QTabWidget *tabs = m_w.PageControl1();
    for (int i = 0; i < tabs->count(); ++i) {
        const QString path = m_w.Tab(i)->Path();
        if (!OnDisk(path))
            continue;
        if (QFileInfo::exists(path))
            files << path;
        dirs << QFileInfo(path).absolutePath();
    }
    const auto sync = [this](const QStringList &watched, const QSet<QString> &wanted) {
        QStringList gone, added;
        for (const QString &w : watched)
            if (!wanted.contains(w))
                gone << w;
        for (const QString &w : wanted)
            if (!watched.contains(w))
                added << w;
        if (!gone.isEmpty())
            m_watcher.removePaths(gone);
        if (!added.isEmpty())
            m_watcher.addPaths(added);
    };
    sync(m_watcher.files(), files);
    sync(m_watcher.directories(), dirs);
}

void TDiskWatcher::CheckNow()
{
    // A question is open: look again once it is answered.
    if (m_checking) {
        m_checkAgain = true;
        return;
    }
    m_checking = true;
    do {
        m_checkAgain = false;
        QTabWidget *tabs = m_w.PageControl1();
        for (int i = 0; i < tabs->count(); ++i) {
            TDocumentTab *tab = m_w.Tab(i);
            if (!OnDisk(tab->Path()))
                continue;
            const TDiskStamp now = DiskStamp::Of(tab->Path());
            switch (DiskStamp::Compare(tab->Stamp(), now)) {
            case DiskStamp::TChange::None: break;
            case DiskStamp::TChange::Deleted:
                tab->Stamp() = now;
                MarkGone(tab, true);
                // Its text is kept nowhere else now: it counts as unsaved, so Save is offered,
                // closing asks, and the recovery journal keeps it.
                tab->Editor()->SetModified(true);
                m_w.RichEdit1Change(tab);
                m_w.UpdateControls();
                m_w.ShowStatusMessage(
                    tab->Path() + QStringLiteral(" was deleted on disk. Save writes it again from this document."));
                break;
            case DiskStamp::TChange::Reappeared: MarkGone(tab, false); [[fallthrough]];
            case DiskStamp::TChange::Changed:
                if (tab->Editor()->Modified())
                    AskAboutChange(tab);
                else
                    m_w.RunGuarded([&] { Reload(tab); });
                break;
            }
        }
        Rewatch();
    } while (m_checkAgain);
    m_checking = false;
}

void TDiskWatcher::MarkGone(TDocumentTab *tab, bool gone)
{
    if (tab->GoneFromDisk() == gone)
        return;
    tab->SetGoneFromDisk(gone);
    QTabWidget *tabs = m_w.PageControl1();
    const int index = tabs->indexOf(tab);
    if (index < 0)
        return;
    tabs->setTabIcon(index, gone ? m_w.style()->standardIcon(QStyle::SP_MessageBoxWarning) : QIcon());
    tabs->setTabToolTip(index,
                        gone ? tab->Path() + QStringLiteral(" (deleted on disk: Save writes it again)") : tab->Path());
}

void TDiskWatcher::Reload(TDocumentTab *tab)
{
    TMyRichEdit *editor = tab->Editor();
    // Taken before reading: a write while we read is seen next time.
    const TDiskStamp stamp = DiskStamp::Of(tab->Path());
    TEditLines lines;
    QString warning;
    const TDocumentFormat format =
        DocumentFile::LoadLines(tab->Path(), lines, DocumentFile::StyleFromFileType(m_w.Settings().FileType), &warning);
    DocumentFile::ExpandTabs(lines, m_w.Settings().TabWidth);
    tab->Stamp() = stamp;
    tab->Format() = format;
    const int caretLine = editor->CaretY();
    // One undoable replacement, so that what the document held comes back with Undo.
    editor->SelectAll();
    editor->SetSelText(LinesOf(lines).join(QLatin1Char('\n')));
    editor->SetCaretXY(BufferCoord(1, std::min(caretLine, editor->Lines().Count())));
    editor->SetBlockBegin(editor->CaretXY());
    editor->SetModified(false);
    m_w.RichEdit1SelectionChange(tab);
    m_w.UpdateControls();
    m_w.ShowStatusMessage(tab->Path() + QStringLiteral(" was changed by another program and has been reloaded."));
    if (!warning.isEmpty())
        m_w.ShowStatusMessage(warning);
}

void TDiskWatcher::AskAboutChange(TDocumentTab *tab)
{
    for (;;) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("File Changed on Disk"), ChangedQuestion(tab->Path()),
                        QMessageBox::NoButton, &m_w);
        box.setObjectName(QStringLiteral("FileChangedQuestion"));
        QPushButton *reload = box.addButton(QStringLiteral("&Reload"), QMessageBox::DestructiveRole);
        QPushButton *keep = box.addButton(QStringLiteral("&Keep Mine"), QMessageBox::RejectRole);
        QPushButton *compare = box.addButton(QStringLiteral("&Compare"), QMessageBox::ActionRole);
        box.setDefaultButton(keep);
        box.setEscapeButton(keep);
        m_w.ExecDialog(box);
        if (box.clickedButton() == compare) {
            ShowDifferences(tab);
            continue;
        }
        if (box.clickedButton() == reload) {
            m_w.RunGuarded([&] { Reload(tab); });
        } else {
            // Kept: this version of the file is known now, so it is not asked about again, and
            // Save writes the document over it.
            tab->Stamp() = DiskStamp::Of(tab->Path());
            m_w.ShowStatusMessage(tab->Path()
                                  + QStringLiteral(" was changed by another program; this document keeps its text."));
        }
        return;
    }
}

void TDiskWatcher::ShowDifferences(TDocumentTab *tab)
{
    QString text;
    try {
        TEditLines disk;
        DocumentFile::LoadLines(tab->Path(), disk);
        DocumentFile::ExpandTabs(disk, m_w.Settings().TabWidth);
        text = QStringLiteral("- the file on disk, + this document\n\n")
               + RecoveryDiff::Describe(LinesOf(disk), true, false, LinesOf(tab->Editor()->Lines()), 40);
    } catch (const std::exception &e) {
        text = QStringLiteral("The file cannot be read: ") + QString::fromUtf8(e.what());
    }
    QDialog dialog(&m_w);
    dialog.setObjectName(QStringLiteral("FileChangedDifferences"));
    dialog.setWindowTitle(QStringLiteral("Changes against ") + QFileInfo(tab->Path()).fileName());
    auto *layout = new QVBoxLayout(&dialog);
    auto *view = new QPlainTextEdit(text, &dialog);
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(view);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.resize(640, 420);
    m_w.ExecDialog(dialog);
}

bool TDiskWatcher::MaySave(TDocumentTab *tab)
{
    if (!OnDisk(tab->Path()))
        return true;
    const DiskStamp::TChange change = DiskStamp::Compare(tab->Stamp(), DiskStamp::Of(tab->Path()));
    if (change != DiskStamp::TChange::Changed && change != DiskStamp::TChange::Reappeared)
        return true;
    return m_w.Ask(QStringLiteral("File Changed on Disk"),
                   tab->Path()
                       + QStringLiteral(" was changed by another program since TagForge read it. Save this document "
                                        "over it? (No leaves the file as the other program wrote it.)"));
}
