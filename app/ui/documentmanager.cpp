// Document life: new, open, reopen, save, save as, close with its prompts, backups and printing.
#include "app/ui/documentmanager.h"

#include "app/ui/mainwindow.h"

#include "aids/core/myrichedit.h"
#include "aids/ui/searchcommands.h"
#include "app/core/appexceptions.h"
#include "app/core/includes.h"
#include "app/core/recentfiles.h"
#include "assistants/ui/documentassistants.h"
#include "doctools/core/textinsertion.h"
#include "platform/core/inputfile.h"
#include "analysis/ui/analysiscommands.h"
#include "app/ui/diskwatcher.h"
#include "app/ui/documenttab.h"
#include "highlight/core/highlighterlink.h"
#include "highlight/ui/highlightertokens.h"
#include "app/ui/mainstatusbar.h"
#include "app/ui/multilinetabs.h"
#include "app/ui/previewcontroller.h"
#include "aids/ui/taginsight.h"
#include "editor/ui/codeeditview.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

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
#include <QProgressDialog>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

TDocumentManager::TDocumentManager(TfrmHTMLEdit &window) : QObject(&window), m_w(window) {}

TDocumentManager::~TDocumentManager() = default;

void TDocumentManager::Tick()
{
    if (++m_backupTicks >= m_saveSecs)
        AutoBackup();
}

void TDocumentManager::AutoBackup()
{
    TDocumentTab *tab = m_w.ActiveTab();
    if (!tab)
        return;
    m_backupTicks = 0;
    // While the last one is still being copied or written this turn is left out, never queued.
    if (BackupBeingWritten())
        return;
    const QString name = QFileInfo(tab->Path()).fileName();
    const QString target = BackupDir() + QStringLiteral("/bak~") + name;
    m_backupSnapshot.Start(tab->Editor(), [this, name, target, format = tab->Format()](QStringList lines) {
        m_backupJob.Start(
            [target, lines = std::move(lines), format]() mutable {
                try {
                    DocumentFile::Save(
                        target, int(lines.size()), [&lines](int i) { return QStringView(lines.at(i)); }, format);
                } catch (const std::exception &e) {
                    return QString::fromUtf8(e.what());
                }
                return QString();
            },
            [this, name](const QString &error) {
                if (!error.isEmpty())
                    m_w.ShowStatusMessage(QStringLiteral("Error creating Backup of ") + name + QStringLiteral("! ")
                                          + error);
            });
    });
}

QString TDocumentManager::FileFilter() const
{
    return QStringLiteral("Html Files (*.htm *.html *.htc);;JavaScript Files (*.js);;All Files (*)");
}

QString TDocumentManager::CurrentDir() const
{
    return m_lastDir.isEmpty() ? QDir::currentPath() : m_lastDir;
}

int TDocumentManager::AskSave(const QString &text)
{
    if (m_w.Context().AskYesNoCancel)
        return m_w.Context().AskYesNoCancel(QStringLiteral("Confirm"), text);
    return QMessageBox::question(&m_w, QStringLiteral("Confirm"), text,
                                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}

void TDocumentManager::RegisterCommands()
{
    auto command = [this](const char *name, std::function<void()> fn) {
        m_w.BindCommand(QLatin1String(name), std::move(fn));
    };
    command("New1", [this] { btnNewClick(); });
    command("Open1", [this] {
        m_w.ShowStatusMessage(QStringLiteral("Loading HTML-File..."));
        // The message goes once the file is in (or the dialog was cancelled), even on failure.
        const auto clear = qScopeGuard([this] { m_w.ShowStatusMessage(QString()); });
        btnOpenClick();
    });
    command("Close1", [this] {
        m_w.ActiveEditor();
        Close1Click();
    });
    command("CloseAll1", [this] { btnCloseClick(); });
    command("Save1", [this] {
        m_w.ActiveEditor();
        btnsaveClick();
    });
    command("SaveAs1", [this] {
        m_w.ActiveEditor();
        SaveAs1Click();
    });
    command("SaveAll1", [this] { SaveAll(); });
    command("Print1", [this] { Print1Click(); });
    command("PrinterSetup1", [this] { PrinterSetup1Click(); });
    command("Backup1", [this] { Backup(false); });
    command("Undo1", [this] {
        if (m_w.ActiveEditor()->CanUndo())
            m_w.ActiveEditor()->Undo();
    });
    command("Redo1", [this] {
        if (m_w.ActiveEditor()->CanRedo())
            m_w.ActiveEditor()->Redo();
    });
    command("Copy1", [this] { m_w.ActiveEditor()->CopyToClipboard(); });
    command("Cut1", [this] { m_w.ActiveEditor()->CutToClipboard(); });
    command("Paste1", [this] { m_w.ActiveEditor()->PasteFromClipboard(); });
    command("Delete1", [this] { m_w.ActiveEditor()->SetSelText(QString()); });
    command("DeleteLine1", [this] { DeleteLine1Click(); });
    command("Indent1", [this] { m_w.ActiveEditor()->CommandProcessor(ecBlockIndent); });
    command("Unindent1", [this] { m_w.ActiveEditor()->CommandProcessor(ecBlockUnindent); });
    command("SelectAll1", [this] { m_w.ActiveEditor()->SelectAll(); });

    connect(m_tabs, &QTabWidget::currentChanged, this, [this] { m_w.PageControl1Change(); });
    connect(m_tabs, &QTabWidget::tabCloseRequested, this, [this](int index) {
        m_tabs->setCurrentIndex(index);
        m_w.RunGuarded([this] { Close1Click(); });
    });
    m_tabs->setTabsClosable(true);

    // The tab's popup menu.
    auto *pmActivePage = new QMenu(&m_w);
    pmActivePage->setObjectName(QStringLiteral("pmActivePage"));
    auto *closePage = pmActivePage->addAction(QStringLiteral("&Close Page"));
    closePage->setObjectName(QStringLiteral("pmaClosePage"));
    connect(closePage, &QAction::triggered, this, [this] {
        m_w.RunGuarded([this] {
            m_w.ActiveEditor();
            Close1Click();
        });
    });
    auto *closeAll = pmActivePage->addAction(QStringLiteral("Close &All Pages"));
    closeAll->setObjectName(QStringLiteral("pmaCloseAllPages"));
    connect(closeAll, &QAction::triggered, this, [this] { m_w.RunGuarded([this] { btnCloseClick(); }); });
    pmActivePage->addSeparator();
    for (const char *name : {"New1", "Open1", "Save1", "SaveAs1", "SaveAll1"})
        pmActivePage->addAction(m_w.Action(QLatin1String(name)));
    pmActivePage->addSeparator();
    for (const char *name : {"Find1", "Replace1"})
        pmActivePage->addAction(m_w.Action(QLatin1String(name)));
    m_tabs->tabBar()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_tabs->tabBar(), &QWidget::customContextMenuRequested, this, [this, pmActivePage](const QPoint &pos) {
        const int index = m_tabs->tabBar()->tabAt(pos);
        if (index >= 0)
            m_tabs->setCurrentIndex(index);
        pmActivePage->popup(m_tabs->tabBar()->mapToGlobal(pos));
    });

    connect(m_w.Menu(QStringLiteral("File1")), &QMenu::aboutToShow, this,
            [this] { m_w.Action(TActionId::Repeat1)->setEnabled(m_w.State().Flags().LastSnippet >= 0); });
}

TDocumentTab *TDocumentManager::CreateTab(const QString &caption, const QString &path)
{
    auto *tab = new TDocumentTab(m_tabs);
    tab->SetPath(path);
    tab->Format().LineBreak = DocumentFile::StyleFromFileType(m_w.Settings().FileType);
    const int index = m_tabs->addTab(tab, caption);
    m_tabs->setTabToolTip(index, path);
    SetupEditor(tab);
    m_newTab = tab;
    m_newEditor = tab->Editor();
    return tab;
}

void TDocumentManager::SetupEditor(TDocumentTab *tab)
{
    TMyRichEdit *editor = tab->Editor();
    TCodeEditView *view = tab->View();
    view->SetEditorFont(TCodeEditView::DefaultFont(9));
    editor->SetWantTabs(true);
    editor->SetHideSelection(false);
    editor->SetMaxUndo(m_w.Settings().MaxUndo);
    TEditorOptions options = editor->Options();
    options &= ~TEditorOptions(eoSmartTabs);
    options |= eoDropFiles;
    if (m_w.Settings().AutoIndent)
        options |= eoAutoIndent;
    else
        options &= ~TEditorOptions(eoAutoIndent);
    editor->SetOptions(options);
    TEditGutter &gutter = view->Gutter();
    gutter.SetDigitCount(3);
    // Numbers grow with the document instead of overflowing a three-digit field.
    gutter.SetAutoSize(true);
    gutter.SetShowLineNumbers(m_w.Settings().ShowLineNums);
    gutter.SetLeadingZeros(m_w.Settings().ShowZeros);
    gutter.SetZeroStart(true);
    gutter.SetLeftOffset(5);
    gutter.SetRightOffset(10);
    view->SetRightEdge(m_w.Settings().ShowEdge ? 80 : -1);
    editor->SetTabWidth(m_w.Settings().TabWidth);
    editor->BookMarkOptions().SetLeftMargin(28);
    editor->SetHighlighter(m_w.HiLiterLink());
    view->SetTokenSource(m_w.HiLiterTokens());
    editor->OnChange.Add([this, tab, editor](TCodeEdit *) {
        if (!editor->EventsDetached())
            m_w.RichEdit1Change(tab);
    });
    editor->OnSelectionChange.Add([this, tab, editor](TCodeEdit *) {
        if (!editor->EventsDetached())
            m_w.RichEdit1SelectionChange(tab);
    });
    connect(view, &TCodeEditView::focusLost, this, [this, tab, editor] {
        if (!editor->EventsDetached())
            m_w.Preview()->RichEdit1Exit(tab);
    });
    // A locked editor takes no input; unlocking hands it the focus back and announces the change.
    connect(editor, &TMyRichEdit::lockChanged, this, [this, tab, view](bool locked) {
        view->setEnabled(!locked);
        if (!locked) {
            view->setFocus();
            m_w.RichEdit1Change(tab);
        }
    });
    m_w.TagInsightAid()->AttachEditor(view);
    view->IsClaimedShortcut = [this](QKeyCombination key) { return m_w.ClaimsKey(key); };
    view->OnDropFiles = [this](TCodeEditView *, const QStringList &files) {
        for (const QString &file : files)
            m_w.RunGuarded([&] { OpenFile(file); });
    };
    editor->SetModified(false);
    m_w.EditorOpened(tab);
}

void TDocumentManager::btnNewClick(bool askTemplate)
{
    ++m_untitledCount;
    const QString name = QStringLiteral("Untitled%1").arg(m_untitledCount);
    TDocumentTab *tab = CreateTab(name, name);
    m_tabs->setCurrentWidget(tab);
    tab->View()->setFocus();
    tab->Editor()->SetModified(false);
    m_w.RichEdit1SelectionChange(tab);
    if (!askTemplate)
        return;
    QString templateFile;
    if (!DocumentAssistants::ChooseNewDocument(m_w, templateFile)) {
        // Cancelled: the new document goes again, unless it is the only one.
        if (m_tabs->count() > 1 && m_tabs->indexOf(tab) >= 0) {
            FreeTab(tab);
            --m_untitledCount;
        }
        return;
    }
    if (templateFile.isEmpty())
        return;
    // The template's text as stored; a file that is gone, binary or unreadable is named and the
    // document stays empty.
    const TextInsertion::TFileText file = TextInsertion::ReadFileText(templateFile);
    if (!file.Error.isEmpty()) {
        m_w.Message(QMessageBox::Warning, QStringLiteral("Create New HTML Document"), file.Error);
        return;
    }
    TEditLines lines;
    lines.SetTextStr(file.Text);
    tab->Editor()->LoadFrom(std::move(lines));
    m_w.RichEdit1SelectionChange(tab);
    m_w.UpdateControls();
    m_w.btnRefreshHTreeClick();
}

QString TDocumentManager::ChooseOpenFile(const QString &caption, const QString &filter, const QString &dir)
{
    const QString from = dir.isEmpty() ? CurrentDir() : dir;
    return m_w.Context().ChooseOpenFile ? m_w.Context().ChooseOpenFile(caption, from, filter)
                                        : QFileDialog::getOpenFileName(&m_w, caption, from, filter);
}

void TDocumentManager::btnOpenClick()
{
    const QString chosen = ChooseOpenFile(QStringLiteral("Open"), FileFilter());
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

void TDocumentManager::OpenFile(const QString &path)
{
    if (!QFileInfo::exists(path)) {
        m_w.raise();
        m_w.activateWindow();
        return;
    }
    for (int i = 0; i < m_tabs->count(); ++i) {
        if (m_w.Tab(i)->Path() == path) {
            m_tabs->setCurrentIndex(i);
            return;
        }
    }
    // A pipe would block the window and a device never ends: only regular files are opened.
    // Any size is opened that the memory can hold; the command line's limit is not the editor's.
    const QString problem = InputFile::Problem(path, std::numeric_limits<qint64>::max());
    if (!problem.isEmpty())
        throw EFileError(QStringLiteral("%1 is not opened: %2.").arg(path, problem));
    const QString tooLarge = InputFile::MemoryProblem(QFileInfo(path).size(), InputFile::AvailableMemory());
    if (!tooLarge.isEmpty())
        throw EFileError(QStringLiteral("%1 is not opened: %2.").arg(path, tooLarge));
    // A picture or a program would open as a page of stray characters, and its line breaks would
    // not survive a save: files with NUL bytes (but UTF-16 and UTF-32 text) are not opened.
    {
        QFile head(path);
        if (head.open(QIODevice::ReadOnly) && InputFile::LooksBinary(head.read(64 * 1024)))
            throw EFileError(path
                             + QStringLiteral(" is not a text file: it holds NUL bytes, as pictures and "
                                              "programs do. TagForge opens text files only, and left it as it is."));
    }
    if (m_reading) {
        // A file being read keeps the window busy; this one follows when it is open.
        QTimer::singleShot(100, this, [this, path] { m_w.RunGuarded([this, &path] { OpenFile(path); }); });
        return;
    }
    TEditLines lines;
    QString warning;
    // Read before the tab is made, so that a file that cannot be read leaves no empty tab behind.
    const TDocumentFormat format = ReadDocument(path, lines, warning);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TDocumentTab *tab = CreateTab(QFileInfo(path).fileName(), path);
    m_tabs->setCurrentWidget(tab);
    tab->Format() = format;
    // Caret at the start, unmodified, no undo history; the window is told below.
    tab->Editor()->LoadFrom(std::move(lines));
    m_w.DiskWatcher()->Track(tab);
    tab->View()->setFocus();
    QApplication::restoreOverrideCursor();
    m_w.RichEdit1SelectionChange(tab);
    m_w.UpdateControls();
    m_w.btnRefreshHTreeClick();
    m_w.raise();
    AddToMRU(path, true);
    if (m_w.PreviewVisible())
        m_w.Preview()->TabChanged();
    // Bytes the file's encoding cannot hold were kept another way: say so, and how it will be saved.
    if (!warning.isEmpty()) {
        m_w.ShowStatusMessage(warning);
        m_w.Message(QMessageBox::Warning, QStringLiteral("TagForge!"),
                    QFileInfo(path).fileName() + QStringLiteral(": ") + warning);
    }
    m_charsets.Report(tab);
}

TDocumentFormat TDocumentManager::ReadDocument(const QString &path, TEditLines &lines, QString &warning)
{
    const TLineBreakStyle style = DocumentFile::StyleFromFileType(m_w.Settings().FileType);
    const int tabWidth = m_w.Settings().TabWidth;
    auto read = [&path, style, tabWidth](TEditLines &into, QString &warn) {
        const TDocumentFormat format = DocumentFile::LoadLines(path, into, style, &warn);
        DocumentFile::ExpandTabs(into, tabWidth);
        return format;
    };
    if (QFileInfo(path).size() < kReadInBackgroundBytes) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        return read(lines, warning);
    }
    // A large file takes seconds to read: a worker reads it while the window keeps painting,
    // behind a dialog that keeps the user's commands out until the document is there.
    m_reading = true;
    const auto done = qScopeGuard([this] { m_reading = false; });
    QProgressDialog progress(QStringLiteral("Opening %1...").arg(QFileInfo(path).fileName()), QString(), 0, 0, &m_w);
    progress.setObjectName(QStringLiteral("OpeningProgress"));
    progress.setWindowTitle(QStringLiteral("TagForge!"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(300);
    progress.setCancelButton(nullptr);
    progress.setValue(0); // starts the 300 ms count; without it the dialog would wait four seconds
    QString failure;
    TDocumentFormat format;
    QFutureWatcher<void> watcher;
    QEventLoop loop;
    connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(QtConcurrent::run([&] {
        try {
            format = read(lines, warning);
        } catch (const EFileError &e) {
            failure = e.Message();
        } catch (const std::exception &e) {
            failure = QString::fromUtf8(e.what());
        }
    }));
    loop.exec();
    if (!failure.isEmpty())
        throw EFileError(failure);
    return format;
}

void TDocumentManager::OpenRecovered(const QString &path, bool untitled, const QString &text)
{
    TDocumentTab *tab = nullptr;
    if (!untitled && QFileInfo(path).isFile()) {
        OpenFile(path);
        tab = m_w.ActiveTab();
        if (!tab || tab->Path() != path)
            throw EFileError(QStringLiteral("The file could not be opened."));
    } else if (!untitled) {
        tab = CreateTab(QFileInfo(path).fileName(), path);
        m_tabs->setCurrentWidget(tab);
    } else {
        btnNewClick(false);
        tab = m_w.ActiveTab();
    }
    TMyRichEdit *editor = tab->Editor();
    editor->SelectAll();
    editor->SetSelText(text);
    editor->SetSelStart(1);
    editor->SetModified(true);
    m_w.RichEdit1SelectionChange(tab);
}

bool TDocumentManager::btnsaveClick()
{
    TDocumentTab *tab = m_w.ActiveTab();
    if (!tab)
        throw ENoActiveRE();
    // A document never saved asks where to go; one whose file was deleted or moved away meanwhile
    // is written again where it was.
    if (!QFileInfo(tab->Path()).isAbsolute())
        return SaveAs1Click();
    return SaveTabAs(tab, tab->Path());
}

bool TDocumentManager::SaveAs1Click()
{
    TDocumentTab *tab = m_w.ActiveTab();
    if (!tab)
        throw ENoActiveRE();
    const QString start = QFileInfo(tab->Path()).isAbsolute() ? tab->Path() : CurrentDir();
    QString chosen = m_w.Context().ChooseSaveFile
                         ? m_w.Context().ChooseSaveFile(QStringLiteral("Save As"), start, FileFilter())
                         : QFileDialog::getSaveFileName(&m_w, QStringLiteral("Save As"), start, FileFilter());
    bool saved = false;
    if (!chosen.isEmpty()) {
        if (QFileInfo(chosen).suffix().isEmpty())
            chosen += QStringLiteral(".html");
        saved = SaveTabAs(tab, chosen);
    }
    // A document that was never saved has no file to remember.
    if (QFileInfo(tab->Path()).isFile())
        AddToMRU(tab->Path(), true);
    return saved;
}

bool TDocumentManager::SaveTabAs(TDocumentTab *tab, const QString &path)
{
    // Another program wrote the file since it was read: only with the user's word is it replaced.
    if (path == tab->Path() && !m_w.DiskWatcher()->MaySave(tab))
        return false;
    TDocumentFormat format = tab->Format();
    // Characters the encoding cannot store and a declared charset the file would contradict
    // are settled with the user before anything is written.
    if (!m_charsets.PrepareSave(tab, format))
        return false;
    TMyRichEdit *editor = tab->Editor();
    const int selStart = editor->SelStart();
    editor->BeginUpdate();
    m_w.BeforeSaving(*editor);
    QStringList statuses;
    const QString baseDir = QFileInfo(path).absolutePath();
    QString newPath = path;
    bool switched = false;
    try {
        // Expanding works on a copy: the editor keeps its text, undo history and marker.
        const QString text = editor->Text();
        const Includes::TExpansion expansion = Includes::ExpandIncludes(
            text, baseDir, &Includes::ReadIncludeFile, [this](const QString &s) { m_w.ShowStatusMessage(s); });
        if (expansion.Expanded) {
            TDocumentFormat pageFormat = format;
            switched |=
                DocumentFile::SaveText(Includes::ExpandedPathFor(path), expansion.Text, pageFormat).SwitchedToUtf8;
            newPath = Includes::SourcePathFor(path);
        }
        const TEditLines &lines = editor->Lines();
        try {
            switched |= DocumentFile::Save(
                            newPath, lines.Count(), [&lines](int i) { return QStringView(lines[i]); }, format)
                            .SwitchedToUtf8;
        } catch (const EFileError &e) {
            if (!expansion.Expanded)
                throw;
            // The page is already out: the user must know the two files now disagree.
            throw EFileError(e.Message() + QStringLiteral("\nThe page ") + Includes::ExpandedPathFor(path)
                             + QStringLiteral(" was written from the new text, but its source ") + newPath
                             + QStringLiteral(" was not: it still holds the old text."));
        }
    } catch (...) {
        editor->EndUpdate();
        throw;
    }
    tab->Format() = format;
    tab->SetPath(newPath);
    m_w.DiskWatcher()->Track(tab);
    editor->SetModified(false);
    const int index = m_tabs->indexOf(tab);
    m_tabs->setTabText(index, QFileInfo(newPath).fileName());
    m_tabs->setTabToolTip(index, newPath);
    AddToMRU(newPath, true);
    editor->SetSelStart(selStart);
    editor->SetSelEnd(selStart);
    m_lastDir = QFileInfo(newPath).absolutePath();
    editor->EndUpdate();
    if (switched)
        m_w.ShowStatusMessage(QStringLiteral("Saved as UTF-8: the text holds characters its old encoding cannot."));
    if (tab == m_w.ActiveTab())
        m_w.StatusBar()->SetPanelText(TMainStatusBar::ModifiedPanel, QString());
    m_w.UpdateControls();
    return true;
}

void TDocumentManager::SaveAll()
{
    for (int i = m_tabs->count() - 1; i >= 0; --i) {
        m_tabs->setCurrentIndex(i);
        btnsaveClick();
    }
}

void TDocumentManager::FreeTab(TDocumentTab *tab)
{
    // A large document's lines take seconds to free: a worker frees them, and gives the memory
    // back to the system, not only to the heap's free lists.
    if (tab->Editor()->TotalCharCount() > kReadInBackgroundBytes) {
        auto lines = std::make_shared<TEditLines>();
        tab->Editor()->HandOverLines(*lines);
        (void)QtConcurrent::run([lines = std::move(lines)]() mutable {
            lines.reset();
#ifdef __GLIBC__
            malloc_trim(0);
#endif
        });
    }
    const int index = m_tabs->indexOf(tab);
    if (m_newTab == tab) {
        m_newTab = nullptr;
        m_newEditor = nullptr;
    }
    m_tabs->removeTab(index);
    if (index > 0)
        m_tabs->setCurrentIndex(index - 1);
    delete tab;
    m_w.MultiLineTabs()->Sync();
    if (m_tabs->count() == 0) {
        m_w.Analysis()->ClearTree();
        m_w.UpdateWindowTitle();
    }
}

bool TDocumentManager::Close1Click()
{
    TDocumentTab *tab = m_w.ActiveTab();
    if (!tab)
        throw ENoActiveRE();
    const QString path = tab->Path();
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
        --m_untitledCount;
    }
    m_w.Preview()->DeletePreviewCopy(path);
    BuildReopenMenu();
    if (m_tabs->count() == 0) {
        for (int panel : {TMainStatusBar::Row, TMainStatusBar::Column, TMainStatusBar::CharPos})
            m_w.StatusBar()->SetPanelText(panel, QString());
        m_untitledCount = 0;
        btnNewClick();
    }
    return true;
}

void TDocumentManager::btnCloseClick()
{
    for (int i = m_tabs->count() - 1; i >= 0; --i) {
        if (i >= m_tabs->count())
            continue;
        m_tabs->setCurrentIndex(i);
        if (!Close1Click())
            return;
    }
    if (m_tabs->count() == 0) {
        m_untitledCount = 0;
        btnNewClick();
    }
}

QString TDocumentManager::BackupDir() const
{
    const QString beside = m_w.Context().ProgramDir + QStringLiteral("/Backups");
    if (QDir().mkpath(beside) && QFileInfo(beside).isWritable())
        return beside;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/Backups");
    QDir().mkpath(data);
    return data;
}

void TDocumentManager::Backup(bool silent)
{
    TDocumentTab *tab = m_w.ActiveTab();
    if (!tab)
        throw ENoActiveRE();
    m_backupTicks = 0;
    const QString name = QFileInfo(tab->Path()).fileName();
    const QString target = BackupDir() + QStringLiteral("/bak~") + name;
    try {
        TDocumentFormat format = tab->Format();
        const TEditLines &lines = tab->Editor()->Lines();
        DocumentFile::Save(
            target, lines.Count(), [&lines](int i) { return QStringView(lines[i]); }, format);
    } catch (const std::exception &e) {
        // The system's reason follows, so that a full disk is told as such.
        m_w.ShowStatusMessage(QStringLiteral("Error creating Backup of ") + name + QStringLiteral("! ")
                              + QString::fromUtf8(e.what()));
        return;
    }
    if (!silent)
        m_w.Message(QMessageBox::Information, QStringLiteral("TagForge!"),
                    QStringLiteral("Backup created in Backup Subfolder of TagForge! Folder."));
}

QStringList TDocumentManager::BackupModified()
{
    QStringList written;
    for (int i = 0; i < m_tabs->count(); ++i) {
        TDocumentTab *tab = m_w.Tab(i);
        if (!tab->Editor()->Modified())
            continue;
        const QString target = BackupDir() + QStringLiteral("/bak~") + QFileInfo(tab->Path()).fileName();
        try {
            TDocumentFormat format = tab->Format();
            const TEditLines &lines = tab->Editor()->Lines();
            DocumentFile::Save(
                target, lines.Count(), [&lines](int n) { return QStringView(lines[n]); }, format);
            written << target;
        } catch (const std::exception &) {
            // Nothing more can be done for this document while the program is being ended.
        }
    }
    return written;
}

void TDocumentManager::DeleteLine1Click()
{
    TMyRichEdit *editor = m_w.ActiveEditor();
    const bool yes =
        m_w.Context().AskYesNo
            ? m_w.Context().AskYesNo(QStringLiteral("Confirmation"), QStringLiteral("Really delete whole line?"))
            : QMessageBox::question(&m_w, QStringLiteral("Confirmation"), QStringLiteral("Really delete whole line?"))
                  == QMessageBox::Yes;
    if (yes)
        // Through the editor's command, so that the deletion can be undone.
        editor->CommandProcessor(ecDeleteLine);
}

void TDocumentManager::Print1Click()
{
    TDocumentTab *tab = m_w.ActiveTab();
    if (!tab)
        throw ENoActiveRE();
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(m_printer.get(), &m_w);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString title = QFileInfo(tab->Path()).fileName();
    tab->View()->Print(m_printer.get(), title, QStringLiteral("$TITLE$"), QStringLiteral("Page $PAGENUM$ - $DATE$"));
}

void TDocumentManager::PrinterSetup1Click()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPageSetupDialog dialog(m_printer.get(), &m_w);
    dialog.exec();
}

void TDocumentManager::AddToMRU(const QString &path, bool rebuild)
{
    RecentFiles::AddToMRU(m_mruFileList, path);
    if (rebuild)
        BuildReopenMenu();
}

void TDocumentManager::BuildReopenMenu()
{
    QMenu *reopen = m_w.Menu(QStringLiteral("Reopen1"));
    reopen->clear();
    reopen->setEnabled(true);
    QStringList open;
    for (int i = 0; i < m_tabs->count(); ++i)
        open << m_w.Tab(i)->Path();
    const QFontMetrics metrics(m_w.font());
    for (const RecentFiles::TReopenItem &item : RecentFiles::ReopenItems(m_mruFileList, open)) {
        QAction *a = reopen->addAction(metrics.elidedText(item.Path, Qt::ElideMiddle, 145));
        a->setToolTip(item.Path);
        a->setStatusTip(item.Path);
        a->setData(item.Index);
        connect(a, &QAction::triggered, this,
                [this, index = item.Index] { m_w.RunGuarded([this, index] { AnyMRUClick(index); }); });
    }
    if (reopen->isEmpty())
        reopen->addAction(QStringLiteral("[Empty]"))->setEnabled(false);
}

void TDocumentManager::AnyMRUClick(int index)
{
    const QString path = RecentFiles::PathOf(m_mruFileList.value(index));
    if (QFileInfo::exists(path)) {
        OpenFile(path);
        return;
    }
    const QString text = QStringLiteral("The file \"%1\" has been moved or deleted!!\r\n"
                                        "Would you like to remove it from the MRU-List?")
                             .arg(path);
    if (m_w.Ask(QStringLiteral("Confirm"), text)) {
        RecentFiles::RemoveEntry(m_mruFileList, index);
        BuildReopenMenu();
    }
}

void TDocumentManager::CreateUntitledFromTemplate()
{
    m_untitledCount = -6;
    btnNewClick(false);
    TDocumentTab *tab = m_w.ActiveTab();
    if (!tab)
        return;
    const QString path = m_w.Context().ProgramDir + QStringLiteral("/Templates/Standard.tpl");
    if (QFileInfo::exists(path)) {
        m_w.RunGuarded([&] {
            TEditLines lines;
            TDocumentFormat format =
                DocumentFile::LoadLines(path, lines, DocumentFile::StyleFromFileType(m_w.Settings().FileType));
            tab->Format().LineBreak = format.LineBreak;
            tab->Editor()->LoadFrom(std::move(lines));
        });
    }
    tab->Editor()->ClearUndo();
    tab->Editor()->SetModified(false);
    tab->SetPath(QStringLiteral("Untitled0"));
    m_tabs->setTabText(m_tabs->indexOf(tab), tab->Path());
    m_tabs->setTabToolTip(m_tabs->indexOf(tab), tab->Path());
    m_w.UpdateWindowTitle();
}

bool TDocumentManager::CloseQuery()
{
    for (int i = m_tabs->count() - 1; i >= 0; --i) {
        TDocumentTab *tab = m_w.Tab(i);
        m_tabs->setCurrentIndex(i);
        if (!tab->Editor()->Modified())
            continue;
        const int answer = AskSave(QStringLiteral("Save changes to %1?").arg(tab->Path()));
        if (answer == QMessageBox::Cancel)
            return false;
        if (answer == QMessageBox::Yes) {
            // A save that fails or is cancelled keeps the window open: nothing may be lost.
            if (!btnsaveClick())
                return false;
            AddToMRU(tab->Path(), false);
            FreeTab(tab);
        }
    }
    return true;
}
