// The main window's document commands: new, open, save, close, backup, print and the status readout.
#include "app/ui/mainwindow.h"

#include "aids/core/myrichedit.h"
#include "aids/ui/searchcommands.h"
#include "app/core/appexceptions.h"
#include "app/core/includes.h"
#include "app/core/recentfiles.h"
#include "analysis/ui/treepanel.h"
#include "app/ui/documenttab.h"
#include "highlight/core/highlighterlink.h"
#include "highlight/ui/highlightertokens.h"
#include "app/ui/mainstatusbar.h"
#include "app/ui/multilinetabs.h"
#include "aids/ui/taginsight.h"
#include "editor/ui/codeeditview.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QScopeGuard>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

void TfrmHTMLEdit::RunGuarded(const std::function<void()> &command)
{
    try {
        command();
    } catch (const std::exception &e) {
        Message(QMessageBox::Critical, QStringLiteral("TagForge!"), QString::fromUtf8(e.what()));
    }
}

TDocumentTab *TfrmHTMLEdit::Tab(int index) const
{
    return qobject_cast<TDocumentTab *>(m_pageControl->widget(index));
}

TDocumentTab *TfrmHTMLEdit::ActiveTab() const
{
    return qobject_cast<TDocumentTab *>(m_pageControl->currentWidget());
}

TMyRichEdit *TfrmHTMLEdit::ActiveEditor() const
{
    TDocumentTab *tab = ActiveTab();
    if (!tab)
        throw ENoActiveRE();
    return tab->Editor();
}

QString TfrmHTMLEdit::FileFilter() const
{
    return QStringLiteral("Html Files (*.htm *.html *.htc);;JavaScript Files (*.js);;All Files (*)");
}

QString TfrmHTMLEdit::CurrentDir() const
{
    return m_lastDir.isEmpty() ? QDir::currentPath() : m_lastDir;
}

int TfrmHTMLEdit::AskSave(const QString &text)
{
    if (m_context.AskYesNoCancel)
        return m_context.AskYesNoCancel(QStringLiteral("Confirm"), text);
    return QMessageBox::question(this, QStringLiteral("Confirm"), text,
                                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}

void TfrmHTMLEdit::ConnectDocumentCommands()
{
    auto command = [this](const char *name, std::function<void()> fn) {
        QAction *a = Action(QLatin1String(name));
        a->setEnabled(true);
        connect(a, &QAction::triggered, this, [this, fn] { RunGuarded(fn); });
    };
    command("New1", [this] { btnNewClick(); });
    command("Open1", [this] {
        ShowStatusMessage(QStringLiteral("Loading HTML-File..."));
        // The message goes once the file is in (or the dialog was cancelled), even on failure.
        const auto clear = qScopeGuard([this] { ShowStatusMessage(QString()); });
        btnOpenClick();
    });
    command("Close1", [this] { ActiveEditor(); Close1Click(); });
    command("CloseAll1", [this] { btnCloseClick(); });
    command("Save1", [this] { ActiveEditor(); btnsaveClick(); });
    command("SaveAs1", [this] { ActiveEditor(); SaveAs1Click(); });
    command("SaveAll1", [this] { SaveAll(); });
    command("Print1", [this] { Print1Click(); });
    command("PrinterSetup1", [this] { PrinterSetup1Click(); });
    command("Backup1", [this] { Backup(false); });
    command("Undo1", [this] { if (ActiveEditor()->CanUndo()) ActiveEditor()->Undo(); });
    command("Redo1", [this] { if (ActiveEditor()->CanRedo()) ActiveEditor()->Redo(); });
    command("Copy1", [this] { ActiveEditor()->CopyToClipboard(); });
    command("Cut1", [this] { ActiveEditor()->CutToClipboard(); });
    command("Paste1", [this] { ActiveEditor()->PasteFromClipboard(); });
    command("Delete1", [this] { ActiveEditor()->SetSelText(QString()); });
    command("DeleteLine1", [this] { DeleteLine1Click(); });
    command("Indent1", [this] { ActiveEditor()->CommandProcessor(ecBlockIndent); });
    command("Unindent1", [this] { ActiveEditor()->CommandProcessor(ecBlockUnindent); });
    command("SelectAll1", [this] { ActiveEditor()->SelectAll(); });

    connect(m_pageControl, &QTabWidget::currentChanged, this, [this] { PageControl1Change(); });
    connect(m_pageControl, &QTabWidget::tabCloseRequested, this, [this](int index) {
        m_pageControl->setCurrentIndex(index);
        RunGuarded([this] { Close1Click(); });
    });
    m_pageControl->setTabsClosable(true);

    // The tab's popup menu.
    auto *pmActivePage = new QMenu(this);
    pmActivePage->setObjectName(QStringLiteral("pmActivePage"));
    auto *closePage = pmActivePage->addAction(QStringLiteral("&Close Page"));
    closePage->setObjectName(QStringLiteral("pmaClosePage"));
    connect(closePage, &QAction::triggered, this, [this] { RunGuarded([this] { ActiveEditor(); Close1Click(); }); });
    auto *closeAll = pmActivePage->addAction(QStringLiteral("Close &All Pages"));
    closeAll->setObjectName(QStringLiteral("pmaCloseAllPages"));
    connect(closeAll, &QAction::triggered, this, [this] { RunGuarded([this] { btnCloseClick(); }); });
    pmActivePage->addSeparator();
    for (const char *name : {"New1", "Open1", "Save1", "SaveAs1", "SaveAll1"})
        pmActivePage->addAction(Action(QLatin1String(name)));
    pmActivePage->addSeparator();
    for (const char *name : {"Find1", "Replace1"})
        pmActivePage->addAction(Action(QLatin1String(name)));
    m_pageControl->tabBar()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_pageControl->tabBar(), &QWidget::customContextMenuRequested, this,
            [this, pmActivePage](const QPoint &pos) {
                const int index = m_pageControl->tabBar()->tabAt(pos);
                if (index >= 0)
                    m_pageControl->setCurrentIndex(index);
                pmActivePage->popup(m_pageControl->tabBar()->mapToGlobal(pos));
            });

    connect(Menu(QStringLiteral("File1")), &QMenu::aboutToShow, this, [this] {
        Action(QStringLiteral("Repeat1"))->setEnabled(m_state.Flags().LastSnippet >= 0);
    });
}

TDocumentTab *TfrmHTMLEdit::CreateTab(const QString &caption, const QString &path)
{
    auto *tab = new TDocumentTab(m_pageControl);
    tab->Path = path;
    tab->Format.LineBreak = DocumentFile::StyleFromFileType(Settings.FileType);
    const int index = m_pageControl->addTab(tab, caption);
    m_pageControl->setTabToolTip(index, path);
    SetupEditor(tab);
    NewTab = tab;
    NewEditor = tab->Editor();
    return tab;
}

void TfrmHTMLEdit::SetupEditor(TDocumentTab *tab)
{
    TMyRichEdit *editor = tab->Editor();
    TCodeEditView *view = tab->View();
    view->SetEditorFont(TCodeEditView::DefaultFont(9));
    editor->SetWantTabs(true);
    editor->SetHideSelection(false);
    editor->SetMaxUndo(Settings.MaxUndo);
    TEditorOptions options = editor->Options();
    options &= ~TEditorOptions(eoSmartTabs);
    options |= eoDropFiles;
    if (Settings.AutoIndent)
        options |= eoAutoIndent;
    else
        options &= ~TEditorOptions(eoAutoIndent);
    editor->SetOptions(options);
    TEditGutter &gutter = view->Gutter();
    gutter.SetDigitCount(3);
    // Numbers grow with the document instead of overflowing a three-digit field.
    gutter.SetAutoSize(true);
    gutter.SetShowLineNumbers(Settings.ShowLineNums);
    gutter.SetLeadingZeros(Settings.ShowZeros);
    gutter.SetZeroStart(true);
    gutter.SetLeftOffset(5);
    gutter.SetRightOffset(10);
    view->SetRightEdge(Settings.ShowEdge ? 80 : -1);
    editor->SetTabWidth(Settings.TabWidth);
    editor->BookMarkOptions().SetLeftMargin(28);
    editor->SetHighlighter(m_hiLiterLink.get());
    view->SetTokenSource(m_hiLiterTokens.get());
    editor->OnChange = [this, tab](TCodeEdit *) { RichEdit1Change(tab); };
    editor->OnSelectionChange = [this, tab](TCodeEdit *) { RichEdit1SelectionChange(tab); };
    connect(view, &TCodeEditView::focusLost, this, [this, tab] { RichEdit1Exit(tab); });
    m_tagInsight->AttachEditor(view);
    view->IsClaimedShortcut = [this](QKeyCombination key) { return ClaimsKey(key); };
    view->OnDropFiles = [this](TCodeEditView *, const QStringList &files) {
        for (const QString &file : files)
            RunGuarded([&] { OpenFile(file); });
    };
    editor->SetModified(false);
}

void TfrmHTMLEdit::btnNewClick(bool askTemplate)
{
    ++UntitledCount;
    const QString name = QStringLiteral("Untitled%1").arg(UntitledCount);
    TDocumentTab *tab = CreateTab(name, name);
    m_pageControl->setCurrentWidget(tab);
    tab->View()->setFocus();
    tab->Editor()->SetModified(false);
    RichEdit1SelectionChange(tab);
    Q_UNUSED(askTemplate);   // the template choice comes with the new-document dialog
}

void TfrmHTMLEdit::btnOpenClick()
{
    const QString chosen = m_context.ChooseOpenFile
                               ? m_context.ChooseOpenFile(QStringLiteral("Open"), CurrentDir(), FileFilter())
                               : QFileDialog::getOpenFileName(this, QStringLiteral("Open"), CurrentDir(), FileFilter());
    if (chosen.isEmpty())
        return;
    QString path = chosen;
    // A page kept as an include source opens as its source.
    if (path.endsWith(QLatin1String(".htm")) || path.endsWith(QLatin1String(".html"))) {
        const QString source = Includes::SourcePathFor(path);
        if (QFileInfo::exists(source))
            path = source;
    }
    m_lastDir = QFileInfo(chosen).absolutePath();
    OpenFile(path);
}

void TfrmHTMLEdit::OpenFile(const QString &path)
{
    if (!QFileInfo::exists(path)) {
        raise();
        activateWindow();
        return;
    }
    for (int i = 0; i < m_pageControl->count(); ++i) {
        if (Tab(i)->Path == path) {
            m_pageControl->setCurrentIndex(i);
            return;
        }
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TDocumentTab *tab = CreateTab(QFileInfo(path).fileName(), path);
    m_pageControl->setCurrentWidget(tab);
    TMyRichEdit *editor = tab->Editor();
    auto onChange = std::move(editor->OnChange);
    auto onSelection = std::move(editor->OnSelectionChange);
    QString warning;
    try {
        tab->Format = DocumentFile::LoadLines(path, editor->Lines(),
                                              DocumentFile::StyleFromFileType(Settings.FileType), &warning);
        DocumentFile::ExpandTabs(editor->Lines(), Settings.TabWidth);
    } catch (...) {
        QApplication::restoreOverrideCursor();
        // A file that cannot be read leaves no empty tab behind.
        FreeTab(tab);
        throw;
    }
    editor->SetSelStart(1);
    editor->SetSelEnd(1);
    editor->SetModified(false);
    editor->ClearUndo();
    editor->OnChange = std::move(onChange);
    editor->OnSelectionChange = std::move(onSelection);
    tab->View()->setFocus();
    QApplication::restoreOverrideCursor();
    RichEdit1SelectionChange(tab);
    UpdateControls();
    btnRefreshHTreeClick();
    raise();
    AddToMRU(path, true);
    if (PreviewVisible())
        btnPreviewClick(false);
    // Bytes the file's encoding cannot hold were kept another way: say so, and how it will be saved.
    if (!warning.isEmpty()) {
        ShowStatusMessage(warning);
        Message(QMessageBox::Warning, QStringLiteral("TagForge!"),
                QFileInfo(path).fileName() + QStringLiteral(": ") + warning);
    }
}

bool TfrmHTMLEdit::btnsaveClick()
{
    TDocumentTab *tab = ActiveTab();
    if (!tab)
        throw ENoActiveRE();
    if (!QFileInfo(tab->Path).isFile())
        return SaveAs1Click();
    return SaveTabAs(tab, tab->Path);
}

bool TfrmHTMLEdit::SaveAs1Click()
{
    TDocumentTab *tab = ActiveTab();
    if (!tab)
        throw ENoActiveRE();
    const QString start = QFileInfo(tab->Path).isAbsolute() ? tab->Path : CurrentDir();
    QString chosen = m_context.ChooseSaveFile
                         ? m_context.ChooseSaveFile(QStringLiteral("Save As"), start, FileFilter())
                         : QFileDialog::getSaveFileName(this, QStringLiteral("Save As"), start, FileFilter());
    bool saved = false;
    if (!chosen.isEmpty()) {
        if (QFileInfo(chosen).suffix().isEmpty())
            chosen += QStringLiteral(".html");
        saved = SaveTabAs(tab, chosen);
    }
    // A document that was never saved has no file to remember.
    if (QFileInfo(tab->Path).isFile())
        AddToMRU(tab->Path, true);
    return saved;
}

bool TfrmHTMLEdit::SaveTabAs(TDocumentTab *tab, const QString &path)
{
    TMyRichEdit *editor = tab->Editor();
    const int selStart = editor->SelStart();
    editor->BeginUpdate();
    QStringList statuses;
    const QString baseDir = QFileInfo(path).absolutePath();
    TDocumentFormat format = tab->Format;
    QString newPath = path;
    bool switched = false;
    try {
        // Expanding works on a copy: the editor keeps its text, undo history and marker.
        const QString text = editor->Text();
        const Includes::TExpansion expansion = Includes::ExpandIncludes(
            text, baseDir, &Includes::ReadIncludeFile, [this](const QString &s) { ShowStatusMessage(s); });
        if (expansion.Expanded) {
            TDocumentFormat pageFormat = format;
            switched |= DocumentFile::SaveText(Includes::ExpandedPathFor(path), expansion.Text, pageFormat).SwitchedToUtf8;
            newPath = Includes::SourcePathFor(path);
        }
        const TEditLines &lines = editor->Lines();
        switched |= DocumentFile::Save(newPath, lines.Count(),
                                       [&lines](int i) { return QStringView(lines[i]); }, format)
                        .SwitchedToUtf8;
    } catch (...) {
        editor->EndUpdate();
        throw;
    }
    tab->Format = format;
    tab->Path = newPath;
    editor->SetModified(false);
    const int index = m_pageControl->indexOf(tab);
    m_pageControl->setTabText(index, QFileInfo(newPath).fileName());
    m_pageControl->setTabToolTip(index, newPath);
    AddToMRU(newPath, true);
    editor->SetSelStart(selStart);
    editor->SetSelEnd(selStart);
    m_lastDir = QFileInfo(newPath).absolutePath();
    editor->EndUpdate();
    if (switched)
        ShowStatusMessage(QStringLiteral("Saved as UTF-8: the text holds characters its old encoding cannot."));
    if (tab == ActiveTab())
        m_statusBar->SetPanelText(TMainStatusBar::ModifiedPanel, QString());
    UpdateControls();
    return true;
}

void TfrmHTMLEdit::SaveAll()
{
    for (int i = m_pageControl->count() - 1; i >= 0; --i) {
        m_pageControl->setCurrentIndex(i);
        btnsaveClick();
    }
}

void TfrmHTMLEdit::FreeTab(TDocumentTab *tab)
{
    const int index = m_pageControl->indexOf(tab);
    if (NewTab == tab) {
        NewTab = nullptr;
        NewEditor = nullptr;
    }
    m_pageControl->removeTab(index);
    if (index > 0)
        m_pageControl->setCurrentIndex(index - 1);
    delete tab;
    m_multiLineTabs->Sync();
    if (m_pageControl->count() == 0) {
        m_treePanel->ShowRootOnly();
        UpdateWindowTitle();
    }
}

bool TfrmHTMLEdit::Close1Click()
{
    TDocumentTab *tab = ActiveTab();
    if (!tab)
        throw ENoActiveRE();
    const QString path = tab->Path;
    if (tab->Editor()->Modified()) {
        const int answer = AskSave(QStringLiteral("Save changes to ") + path + QStringLiteral(" ?"));
        if (answer == QMessageBox::Cancel)
            return false;
        if (answer == QMessageBox::Yes) {
            // Only a document that was really written may go.
            if (!btnsaveClick())
                return false;
        } else if (QFileInfo(path).isFile()) {
            AddToMRU(path, false);
        }
        FreeTab(tab);
    } else {
        if (QFileInfo(path).isFile())
            AddToMRU(path, false);
        FreeTab(tab);
        --UntitledCount;
    }
    DeletePreviewCopy(path);
    BuildReopenMenu();
    if (m_pageControl->count() == 0) {
        for (int panel : {TMainStatusBar::Row, TMainStatusBar::Column, TMainStatusBar::CharPos})
            m_statusBar->SetPanelText(panel, QString());
        UntitledCount = 0;
        btnNewClick();
    }
    return true;
}

void TfrmHTMLEdit::btnCloseClick()
{
    for (int i = m_pageControl->count() - 1; i >= 0; --i) {
        if (i >= m_pageControl->count())
            continue;
        m_pageControl->setCurrentIndex(i);
        if (!Close1Click())
            return;
    }
    if (m_pageControl->count() == 0) {
        UntitledCount = 0;
        btnNewClick();
    }
}

QString TfrmHTMLEdit::BackupDir() const
{
    const QString beside = m_context.ProgramDir + QStringLiteral("/Backups");
    if (QDir().mkpath(beside) && QFileInfo(beside).isWritable())
        return beside;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                         + QStringLiteral("/Backups");
    QDir().mkpath(data);
    return data;
}

void TfrmHTMLEdit::Backup(bool silent)
{
    TDocumentTab *tab = ActiveTab();
    if (!tab)
        throw ENoActiveRE();
    BackupTicks = 0;
    const QString name = QFileInfo(tab->Path).fileName();
    const QString target = BackupDir() + QStringLiteral("/bak~") + name;
    try {
        TDocumentFormat format = tab->Format;
        const TEditLines &lines = tab->Editor()->Lines();
        DocumentFile::Save(target, lines.Count(), [&lines](int i) { return QStringView(lines[i]); }, format);
    } catch (const std::exception &e) {
        // The system's reason follows, so that a full disk is told as such.
        ShowStatusMessage(QStringLiteral("Error creating Backup of ") + name + QStringLiteral("! ")
                          + QString::fromUtf8(e.what()));
        return;
    }
    if (!silent)
        Message(QMessageBox::Information, QStringLiteral("TagForge!"),
                QStringLiteral("Backup created in Backup Subfolder of TagForge! Folder."));
}

QStringList TfrmHTMLEdit::TerminateNow()
{
    QStringList written;
    for (int i = 0; i < m_pageControl->count(); ++i) {
        TDocumentTab *tab = Tab(i);
        if (!tab->Editor()->Modified())
            continue;
        const QString target = BackupDir() + QStringLiteral("/bak~") + QFileInfo(tab->Path).fileName();
        try {
            TDocumentFormat format = tab->Format;
            const TEditLines &lines = tab->Editor()->Lines();
            DocumentFile::Save(target, lines.Count(), [&lines](int n) { return QStringView(lines[n]); }, format);
            written << target;
        } catch (const std::exception &) {
            // Nothing more can be done for this document while the program is being ended.
        }
    }
    FormClose();
    return written;
}

void TfrmHTMLEdit::DeleteLine1Click()
{
    TMyRichEdit *editor = ActiveEditor();
    const bool yes = m_context.AskYesNo
                         ? m_context.AskYesNo(QStringLiteral("Confirmation"), QStringLiteral("Really delete whole line?"))
                         : QMessageBox::question(this, QStringLiteral("Confirmation"),
                                                 QStringLiteral("Really delete whole line?"))
                               == QMessageBox::Yes;
    if (yes)
        // Through the editor's command, so that the deletion can be undone.
        editor->CommandProcessor(ecDeleteLine);
}

void TfrmHTMLEdit::Print1Click()
{
    TDocumentTab *tab = ActiveTab();
    if (!tab)
        throw ENoActiveRE();
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(m_printer.get(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString title = QFileInfo(tab->Path).fileName();
    tab->View()->Print(m_printer.get(), title, QStringLiteral("$TITLE$"),
                       QStringLiteral("Page $PAGENUM$ - $DATE$"));
}

void TfrmHTMLEdit::PrinterSetup1Click()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPageSetupDialog dialog(m_printer.get(), this);
    dialog.exec();
}

void TfrmHTMLEdit::RichEdit1Change(TDocumentTab *tab)
{
    m_textChangedSinceTick = true;
    tab->CopyStale = true;
    const int index = m_pageControl->indexOf(tab);
    if (tab->Editor()->Modified() && index >= 0 && !m_pageControl->tabText(index).endsWith(QLatin1Char('*')))
        m_pageControl->setTabText(index, m_pageControl->tabText(index) + QLatin1Char('*'));
    if (tab != ActiveTab())
        return;
    m_tagInsight->EditorChange();
    UpdateControls();
    m_statusBar->SetPanelText(TMainStatusBar::ModifiedPanel,
                              tab->Editor()->Modified() ? QStringLiteral("Modified") : QString());
    // Typing is followed by the timer; other changes show in the tree at once.
    if (!m_state.Flags().Typing)
        btnRefreshHTreeClick();
}

void TfrmHTMLEdit::RichEdit1SelectionChange(TDocumentTab *tab)
{
    if (tab != ActiveTab())
        return;
    const TMyRichEdit *editor = tab->Editor();
    const QLocale locale;
    m_statusBar->SetPanelText(TMainStatusBar::Row, QStringLiteral("Row: ") + locale.toString(editor->CaretY()));
    m_statusBar->SetPanelText(TMainStatusBar::Column, QStringLiteral("Column: ") + locale.toString(editor->CaretX()));
    m_statusBar->SetPanelText(TMainStatusBar::CharPos, QStringLiteral("Chr: ") + QString::number(editor->SelStart()));
    UpdateControls();
    m_tagInsight->EditorSelectionChange();
}

void TfrmHTMLEdit::PageControl1Change()
{
    TDocumentTab *tab = ActiveTab();
    if (!tab)
        return;
    UpdateControls();
    m_statusBar->SetPanelText(TMainStatusBar::ModifiedPanel,
                              tab->Editor()->Modified() ? QStringLiteral("Modified") : QString());
    RichEdit1SelectionChange(tab);
    // The tree shows the document in front, never the one left behind.
    RunGuarded([this] { btnRefreshHTreeClick(); });
    if (PreviewVisible())
        RunGuarded([this] { btnPreviewClick(false); });
}

void TfrmHTMLEdit::UpdateWindowTitle()
{
    // Task switchers and window lists show only the title: the document comes first.
    const TDocumentTab *tab = ActiveTab();
    if (!tab) {
        setWindowTitle(QStringLiteral("TagForge!"));
        setWindowModified(false);
        return;
    }
    QString name = m_pageControl->tabText(m_pageControl->indexOf(tab));
    if (name.endsWith(QLatin1Char('*')))
        name.chop(1);
    setWindowTitle(name + QStringLiteral("[*] - TagForge!"));
    setWindowModified(tab->Editor()->Modified());
}

void TfrmHTMLEdit::UpdateControls()
{
    TDocumentTab *tab = ActiveTab();
    UpdateWindowTitle();
    m_multiLineTabs->Sync();
    if (!tab)
        return;
    const TMyRichEdit *editor = tab->Editor();
    const bool selection = editor->SelAvail();
    Action(QStringLiteral("Copy1"))->setEnabled(selection);
    Action(QStringLiteral("Cut1"))->setEnabled(selection);
    Action(QStringLiteral("Undo1"))->setEnabled(editor->CanUndo());
    Action(QStringLiteral("Redo1"))->setEnabled(editor->CanRedo());
    Action(QStringLiteral("Repeat1"))->setEnabled(m_state.Flags().LastSnippet != -1);
    Action(QStringLiteral("Save1"))->setEnabled(editor->Modified());
    m_search->UpdateControls(editor);
}

void TfrmHTMLEdit::AddToMRU(const QString &path, bool rebuild)
{
    RecentFiles::AddToMRU(MRUFileList, path);
    if (rebuild)
        BuildReopenMenu();
}

void TfrmHTMLEdit::BuildReopenMenu()
{
    QMenu *reopen = Menu(QStringLiteral("Reopen1"));
    reopen->clear();
    reopen->setEnabled(true);
    QStringList open;
    for (int i = 0; i < m_pageControl->count(); ++i)
        open << Tab(i)->Path;
    const QFontMetrics metrics(font());
    for (const RecentFiles::TReopenItem &item : RecentFiles::ReopenItems(MRUFileList, open)) {
        QAction *a = reopen->addAction(metrics.elidedText(item.Path, Qt::ElideMiddle, 145));
        a->setToolTip(item.Path);
        a->setStatusTip(item.Path);
        a->setData(item.Index);
        connect(a, &QAction::triggered, this, [this, index = item.Index] { RunGuarded([this, index] { AnyMRUClick(index); }); });
    }
    if (reopen->isEmpty())
        reopen->addAction(QStringLiteral("[Empty]"))->setEnabled(false);
}

void TfrmHTMLEdit::AnyMRUClick(int index)
{
    const QString path = RecentFiles::PathOf(MRUFileList.value(index));
    if (QFileInfo::exists(path)) {
        OpenFile(path);
        return;
    }
    const QString text = QStringLiteral("The file \"%1\" has been moved or deleted!!\r\n"
                                        "Would you like to remove it from the MRU-List?").arg(path);
    if (Ask(QStringLiteral("Confirm"), text)) {
        RecentFiles::RemoveEntry(MRUFileList, index);
        BuildReopenMenu();
    }
}
