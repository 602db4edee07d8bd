// The main window: start-up, show, close and the one-second timer.
#include "app/ui/mainwindow.h"

#include "aids/ui/snippetcommands.h"
#include "assistants/ui/documentweightcommand.h"
#include "assistants/ui/documentassistants.h"
#include "doctools/ui/documenttools.h"
#include "assistants/ui/tablewizardcommands.h"
#include "site/ui/explorerpage.h"
#include "prefs/ui/imagebrowsercommands.h"
#include "prefs/ui/imageviewer.h"
#include "prefs/ui/optionscommands.h"
#include "prefs/ui/prefscommands.h"
#include "site/ui/sitemanager.h"
#include "site/ui/usertoolcommands.h"
#include "aids/ui/quickbar.h"
#include "aids/ui/taginsight.h"
#include "aids/core/myrichedit.h"
#include "analysis/ui/analysiscommands.h"
#include "app/core/commandline.h"
#include "app/ui/diskwatcher.h"
#include "app/ui/documentjournal.h"
#include "app/ui/documentmanager.h"
#include "app/ui/documenttab.h"
#include "app/ui/previewcontroller.h"
#include "editor/ui/codeeditview.h"
#include "app/ui/explorerbar.h"
#include "highlight/core/highlighterlink.h"
#include "highlight/core/htmlsyn.h"
#include "highlight/ui/highlightertokens.h"
#include "app/ui/mainstatusbar.h"
#include "app/ui/splash.h"
#include "app/ui/workarea.h"
#include "platform/core/settingsstore.h"
#include "platform/qt/keyindicators.h"
#include "platform/qt/webbrowser.h"

#include <QPrinter>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

TfrmHTMLEdit::TfrmHTMLEdit(const TMainWindowContext &context, QWidget *parent) : QMainWindow(parent), m_context(context)
{
    setObjectName(QStringLiteral("frmHTMLEdit"));
    setWindowTitle(QStringLiteral("TagForge!"));
    setWindowIcon(QIcon(QStringLiteral(":/tagforge.svg")));
    // The first size fits the screen it opens on, small screens included.
    QSize size(1100, 760);
    if (const QScreen *s = QGuiApplication::primaryScreen())
        size = size.boundedTo(s->availableGeometry().size());
    resize(size);
    FormCreate();
}

TfrmHTMLEdit::~TfrmHTMLEdit()
{
    // Editors hold the shared highlighter, so they go first.
    while (m_workArea && m_workArea->PageControl()->count() > 0)
        delete m_workArea->PageControl()->widget(0);
}

void TfrmHTMLEdit::SplashStatus(const QString &text, int progress)
{
    if (m_context.Splash)
        m_context.Splash->SetStatus(text, progress);
}

void TfrmHTMLEdit::ShowStatusMessage(const QString &text)
{
    m_statusBar->SetPanelText(TMainStatusBar::Message, text);
}

void TfrmHTMLEdit::FormCreate()
{
    SplashStatus(QStringLiteral("Initializing..."), 73);

    m_documents = new TDocumentManager(*this);
    m_diskWatcher = new TDiskWatcher(*this);
    m_preview = new TPreviewController(*this);
    CreateActions();
    CreateToolbars();
    CreateMenus();
    CreateCentralArea();
    m_statusBar = new TMainStatusBar(this);
    setStatusBar(m_statusBar);
    m_htmlHiLiter = std::make_unique<THTMLSyn>();
    SetupHTMLHiLiterColors(*m_htmlHiLiter);
    m_hiLiterLink = std::make_unique<THighlighterLink>(m_htmlHiLiter.get());
    m_hiLiterTokens = std::make_unique<THighlighterTokens>(m_htmlHiLiter.get());
    m_documents->SetTabs(m_workArea->PageControl());
    m_documents->RegisterCommands();
    m_analysis = new TAnalysisCommands(*this, &CommandLine::ExpandedPage, this);
    m_snippets = new TSnippetCommands(*this, m_quickBar, this);
    new TTableWizardCommands(*this, this);
    ConnectSearchCommands();

    m_workArea->ExplorerBar()->SetExplorerRoot(QDir::homePath());
    m_explorerPage = new TExplorerPage(*this, this);
    m_explorerPage->SelectFolder(QDir::homePath());
    m_explorerPage->OpenViewer = [this](const QString &path) { ShowImageViewer(this, path, *this); };
    m_workArea->CreateBrowser();
    m_preview->RegisterCommands();
    m_workArea->IESplitter()->setSizes({height() / 2, height() / 2});

    // Every hint shown anywhere also goes to the message panel.
    qApp->installEventFilter(this);
    connect(m_statusBar, &QStatusBar::messageChanged, this, [this](const QString &message) {
        if (!message.isEmpty())
            ShowStatusMessage(message);
    });

    if (m_context.UserStore) {
        auto status = [this](const QString &m) { ShowStatusMessage(m); };
        AppSettings::LoadRegList(*m_context.UserStore, m_preview->MailAdresses(), QStringLiteral("MailAdresses"),
                                 status);
        AppSettings::LoadRegList(*m_context.UserStore, m_documents->MRUFileList(), QStringLiteral("MRUFileList"),
                                 status);
        AppSettings::LoadRegList(*m_context.UserStore, m_userTools, QStringLiteral("UserTools"), status);
    }
    m_documents->BuildReopenMenu();
    m_userToolCommands = new TUserToolCommands(*this, m_userTools, this);
    if (m_context.StartProgram)
        m_userToolCommands->Start = m_context.StartProgram;
    CreateTagInsight();

    RefreshKeyIndicators();
    m_timer1.setInterval(1000);
    connect(&m_timer1, &QTimer::timeout, this, &TfrmHTMLEdit::Timer1Timer);
    m_timer2.setInterval(400);
    m_timer2.setSingleShot(true);

    SplashStatus(QStringLiteral("Loading Data..."), 86);
    if (m_context.UserStore) {
        auto status = [this](const QString &m) { ShowStatusMessage(m); };
        const TLoadedSettings loaded = AppSettings::LoadSettings(*m_context.UserStore, m_context.MachineStore, status);
        ApplyLoadedSettings(loaded);
    } else {
        TLoadedSettings defaults;
        AppSettings::ApplyDefaults(defaults.Preferences);
        ApplyLoadedSettings(defaults);
    }
    const QString dataDir = m_context.ProgramDir + QStringLiteral("/Data/");
    if (!m_tagInsight->LoadInsightData(dataDir + QStringLiteral("insight.dat")))
        m_terminateRequested = true;
    m_tagInsight->LoadTagNames(dataDir + QStringLiteral("tags.dat"));
    m_documentTools = new TDocumentTools(*this, dataDir, this);
    m_documentTools->AttachPalette(m_quickBar->Page(QStringLiteral("tabColors")));
    m_documentTools->AttachAutoDatePage(m_quickBar->Page(QStringLiteral("tabAutoDate")));
    m_siteManager = new TSiteManager(*this, this);
    QList<TSiteManager::TTask> tasks;
    for (const TTaskEntry &t : std::as_const(m_tasks))
        tasks.append({t.Text, t.Detail1, t.Detail2});
    m_siteManager->SetStored(tasks, m_notes, m_projectFile);
    new TDocumentWeightCommand(*this, this);
    new TDocumentAssistants(*this, this);
    new TPrefsCommands(*this, this);
    m_options = new TOptionsCommands(*this, this);
    auto *images = new TImageBrowserCommands(*this, this);
    images->SelectedFolder = [this] { return m_explorerPage->SelectedFolder(); };
    images->ShowPressed = [this](bool shown) { m_explorerPage->SetBrowserPressed(shown); };
    m_explorerPage->FolderChanged = [images](const QString &folder) { images->FolderChanged(folder); };
    m_explorerPage->SetBrowserCommand([this, images] { RunGuarded([images] { images->Toggle(); }); });

    if (!m_context.Arguments.isEmpty()) {
        const QString path = m_context.Arguments.first();
        RunGuarded([&] { OpenFile(QFileInfo(path).absoluteFilePath()); });
        // The explorer starts where the page is.
        m_explorerPage->SelectFolder(QFileInfo(path).absolutePath());
    }
    m_journal = new TDocumentJournal(*this, m_context.JournalDir);
    m_journal->Start(!m_context.TimersDrivenByCaller);
    // Asked once the window stands, so that the documents open behind the question.
    if (m_journal->Active())
        QTimer::singleShot(0, this, [this] { RunGuarded([this] { m_journal->OfferRecovery(); }); });
    if (m_context.Splash)
        m_context.Splash->hide();
    StartTimer1();
}

void TfrmHTMLEdit::StartTimer1()
{
    if (!m_context.TimersDrivenByCaller)
        m_timer1.start();
}

void TfrmHTMLEdit::CreateTagInsight()
{
    m_tagInsight =
        new TTagInsight(this, m_workArea->TagHint(), m_context.TimersDrivenByCaller ? nullptr : &m_timer2, m_state);
    m_tagInsight->ActiveView = [this]() -> TCodeEditView * {
        TDocumentTab *tab = ActiveTab();
        return tab ? tab->View() : nullptr;
    };
    m_tagInsight->ShowMessage = [this](int icon, const QString &caption, const QString &text) {
        Message(icon, caption, text);
    };
    if (m_context.AskYesNo)
        m_tagInsight->AskYesNo = m_context.AskYesNo;
    m_tagInsight->ShowStatus = [this](const QString &text) { ShowStatusMessage(text); };
}

void TfrmHTMLEdit::Message(int icon, const QString &caption, const QString &text)
{
    if (m_context.ShowMessage) {
        m_context.ShowMessage(icon, caption, text);
        return;
    }
    // Stored texts break lines with CR alone; Qt needs LF.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(QMessageBox::Icon(icon), caption, shown, QMessageBox::Ok, isVisible() ? this : nullptr);
    box.exec();
}

bool TfrmHTMLEdit::Ask(const QString &caption, const QString &text)
{
    if (m_context.AskYesNo)
        return m_context.AskYesNo(caption, text);
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return QMessageBox::question(this, caption, shown, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void TfrmHTMLEdit::ApplyLoadedSettings(const TLoadedSettings &loaded)
{
    m_notes = loaded.Notes;
    m_tasks = loaded.Tasks;
    if (loaded.HideWinRes)
        m_toolButtons.value(QStringLiteral("btnMainWinRes"))->hide();

    const TWindowLayout &l = loaded.Layout;
    if (l.FormTop || l.FormLeft || l.FormHeight || l.FormWidth) {
        QRect g = geometry();
        if (l.FormLeft)
            g.moveLeft(*l.FormLeft);
        if (l.FormTop)
            g.moveTop(*l.FormTop);
        if (l.FormWidth && *l.FormWidth > 200)
            g.setWidth(*l.FormWidth);
        if (l.FormHeight && *l.FormHeight > 150)
            g.setHeight(*l.FormHeight);
        // A window stored on a screen that is gone comes back on the primary screen.
        if (!QGuiApplication::screenAt(g.center()))
            if (QScreen *s = QGuiApplication::primaryScreen())
                g.moveCenter(s->availableGeometry().center());
        setGeometry(g);
    }
    if (l.FormState) {
        if (*l.FormState == 2)
            setWindowState(Qt::WindowMaximized);
        else if (*l.FormState == 1)
            setWindowState(Qt::WindowMinimized);
    }
    m_workArea->ApplyLayout(l);
    if (l.Project)
        m_projectFile = *l.Project;

    m_settings = loaded.Preferences.Settings;
    m_documents->SetSaveSecs(loaded.Preferences.SaveSecs);
    m_preview->SetUpdateSecs(loaded.Preferences.UpdateSecs);
    ApplyPreferencesToControls();
    if (!loaded.Clamped.isEmpty())
        Message(QMessageBox::Warning, QStringLiteral("TagForge Options"),
                QStringLiteral("Some stored settings were out of range:\r") + loaded.Clamped.join(QLatin1Char('\r')));
    if (loaded.FirstRun) {
        m_firstRunShown = true;
        Message(QMessageBox::Warning, AppSettings::FirstRunCaption(), AppSettings::FirstRunText());
        if (!loaded.DamagedCopy.isEmpty())
            Message(QMessageBox::Information, AppSettings::FirstRunCaption(),
                    AppSettings::DamagedCopyText(loaded.DamagedCopy));
    }
}

TSavedState TfrmHTMLEdit::CollectState() const
{
    TSavedState s;
    s.Preferences.Settings = m_settings;
    s.Preferences.SaveSecs = m_documents->SaveSecs();
    s.Preferences.UpdateSecs = m_preview->UpdateSecs();
    const QRect g = normalGeometry().isValid() ? normalGeometry() : geometry();
    s.FormTop = g.top();
    s.FormLeft = g.left();
    s.FormHeight = g.height();
    s.FormWidth = g.width();
    s.FormState = isMaximized() ? 2 : isMinimized() ? 1 : 0;
    m_workArea->CollectLayout(s);
    s.Project = m_projectFile;
    s.Notes = m_notes;
    s.Tasks = m_tasks;
    if (m_siteManager) {
        s.Project = m_siteManager->ProjectFile();
        s.Notes = m_siteManager->Notes();
        s.Tasks.clear();
        for (const TSiteManager::TTask &t : m_siteManager->Tasks())
            s.Tasks.append({t[0], t[1], t[2]});
    }
    return s;
}

void TfrmHTMLEdit::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_firstShow) {
        m_firstShow = false;
        FormShow();
    }
}

void TfrmHTMLEdit::FormShow()
{
    if (PageControl1()->count() == 0) {
        m_documents->CreateUntitledFromTemplate();
        m_documents->SetUntitledCount(0);
    }
    if (QWidget *editor = PageControl1()->currentWidget())
        editor->setFocus();
    if (PreviewVisible())
        RunGuarded([this] { m_preview->TabChanged(); });
    m_workArea->ApplyPendingSplit();
}

void TfrmHTMLEdit::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

bool TfrmHTMLEdit::FormCloseQuery()
{
    m_timer1.stop();
    if (m_documents->CloseQuery())
        return true;
    StartTimer1();
    return false;
}

QStringList TfrmHTMLEdit::TerminateNow()
{
    QStringList written;
    if (m_journal && m_journal->Active()) {
        m_journal->WriteAllNow();
        m_endedFromOutside = true;
    } else {
        written = m_documents->BackupModified();
    }
    FormClose();
    return written;
}

void TfrmHTMLEdit::FormClose()
{
    if (m_closing)
        return;
    m_closing = true;
    m_timer1.stop();
    m_timer2.stop();
    m_documents->WaitForWrites();
    m_preview->WaitForWrites();
    m_preview->DeleteAllCopies();
    if (m_context.UserStore) {
        AppSettings::SaveSettings(*m_context.UserStore, CollectState());
        AppSettings::SaveRegList(*m_context.UserStore, m_preview->MailAdresses(), QStringLiteral("MailAdresses"));
        AppSettings::SaveRegList(*m_context.UserStore, m_documents->MRUFileList(), QStringLiteral("MRUFileList"));
        AppSettings::SaveRegList(*m_context.UserStore, m_userTools, QStringLiteral("UserTools"));
        if (!m_context.UserStore->Flush())
            Message(QMessageBox::Warning, QStringLiteral("TagForge!"),
                    QStringLiteral("The settings could not be written to ") + m_context.UserStore->FileName());
    }
    if (m_journal)
        m_journal->End(m_endedFromOutside);
}

void TfrmHTMLEdit::Timer1Timer()
{
    if (!isActiveWindow())
        return;
    RefreshKeyIndicators();
    if (PageControl1()->count() == 0) {
        Q_EMIT Timer1Ticked();
        return;
    }
    if (m_state.Flags().Typing) {
        m_tagInsight->CheckTagHint();
        m_state.Set(&TWindowFlags::Typing, false);
        Q_EMIT Timer1Ticked();
        return;
    }
    if (m_textChangedSinceTick) {
        m_textChangedSinceTick = false;
        const qint64 length = ActiveEditor()->TotalCharCount();
        if (length != m_lastTextLength) {
            m_lastTextLength = length;
            if (m_state.Flags().AutoTreeRefresh)
                RunGuarded([this] { btnRefreshHTreeClick(); });
        }
    }
    m_documents->Tick();
    m_preview->Tick();
    Q_EMIT Timer1Ticked();
}

void TfrmHTMLEdit::RefreshKeyIndicators()
{
    m_statusBar->SetPanelText(TMainStatusBar::InsOvr,
                              m_state.Flags().InsertState ? QStringLiteral("Ins") : QStringLiteral("Ovr"));
    const TLockKeyState keys = QueryLockKeys();
    m_statusBar->SetPanelText(TMainStatusBar::Caps, keys.CapsLock ? QStringLiteral("Cap") : QString());
    m_statusBar->SetPanelText(TMainStatusBar::Num, keys.NumLock ? QStringLiteral("Num") : QString());
}

bool TfrmHTMLEdit::eventFilter(QObject *watched, QEvent *event)
{
    // The window sees keys before its controls, to keep the indicators current.
    if (event->type() == QEvent::KeyPress && !m_closing) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Insert && key->modifiers() == Qt::NoModifier && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->window() == this)
            m_state.Set(&TWindowFlags::InsertState, !m_state.Flags().InsertState);
        RefreshKeyIndicators();
    } else if (event->type() == QEvent::StatusTip) {
        ShowStatusMessage(static_cast<QStatusTipEvent *>(event)->tip());
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmHTMLEdit::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    // The two toolbars share a row while both fit; on a narrow window the second moves below,
    // so that the quick-search box never drops into an overflow menu.
    if (!m_tbMain || !m_tbMain2 || m_tbMain->isFloating() || m_tbMain2->isFloating())
        return;
    const bool fit = width() >= m_tbMain->sizeHint().width() + m_tbMain2->sizeHint().width() + 16;
    if (fit == toolBarBreak(m_tbMain2)) {
        if (fit)
            removeToolBarBreak(m_tbMain2);
        else
            insertToolBarBreak(m_tbMain2);
    }
}

void TfrmHTMLEdit::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // Leaving the window keeps a copy of the document for browsers outside.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && !m_closing)
        m_preview->RichEdit1Exit(ActiveTab());
}

void TfrmHTMLEdit::ResetToDefaults(bool ask)
{
    if (ask && !Ask(QStringLiteral("Confirm"), QStringLiteral("Do you really want to reset all settings?")))
        return;
    TPreferences prefs;
    AppSettings::ApplyDefaults(prefs);
    // The colours the user picked are no preference of the table; they stay until changed.
    prefs.Settings.UserColors = m_settings.UserColors;
    m_settings = prefs.Settings;
    m_documents->SetSaveSecs(prefs.SaveSecs);
    m_preview->SetUpdateSecs(prefs.UpdateSecs);
    ApplyPreferencesToControls();
    m_timer2.setInterval(400);
    // The open editors take the defaults too, as they take what the options dialog applies.
    for (int i = 0; i < PageControl1()->count(); ++i)
        if (TDocumentTab *tab = Tab(i))
            ApplyEditorPreferences(tab);
}

void TfrmHTMLEdit::HTMLDocumentation1Click()
{
    const QString reference = m_settings.HTMLReference;
    const QString suffix = QFileInfo(reference).suffix().toLower();
    const bool bothPanes = m_workArea->BothPanesVisible();
    const QUrl url = QUrl::fromUserInput(reference, QString(), QUrl::AssumeLocalFile);
    if ((suffix == QLatin1String("htm") || suffix == QLatin1String("html")) && bothPanes) {
        WebBrowser()->Navigate(url);
        m_preview->SetLastPreviewFile(reference);
        return;
    }
    if (!QDesktopServices::openUrl(url))
        ShowStatusMessage(QStringLiteral("Could not open the HTML reference \"%1\".").arg(reference));
}

void TfrmHTMLEdit::Help1Click()
{
    Message(QMessageBox::Information, QStringLiteral("TagForge!"),
            QStringLiteral("Sorry, no documentation available, yet!"));
}

bool TfrmHTMLEdit::InputBox(const QString &caption, const QString &prompt, QString &value)
{
    if (m_context.InputQuery)
        return m_context.InputQuery(caption, prompt, value);
    bool ok = false;
    const QString text = QInputDialog::getText(this, caption, prompt, QLineEdit::Normal, value, &ok);
    if (ok)
        value = text;
    return ok;
}

QString TfrmHTMLEdit::UserSetting(const QString &name) const
{
    if (name == QLatin1String("HomepageRef"))
        return Settings().HomepageRef;
    if (name == QLatin1String("eMailRef"))
        return Settings().eMailRef;
    return QString();
}

QString TfrmHTMLEdit::ChooseOpenFile(const QString &caption, const QString &filter, const QString &dir)
{
    return m_documents->ChooseOpenFile(caption, filter, dir);
}

QString TfrmHTMLEdit::ChooseSaveFile(const QString &caption, const QString &filter, const QString &start)
{
    return m_context.ChooseSaveFile ? m_context.ChooseSaveFile(caption, start, filter)
                                    : QFileDialog::getSaveFileName(this, caption, start, filter);
}

void TfrmHTMLEdit::SetStatusPanelText(int panel, const QString &text)
{
    StatusBar()->SetPanelText(panel, text);
}

int TfrmHTMLEdit::ExecDialog(QDialog &dialog)
{
    return m_context.ExecDialog ? m_context.ExecDialog(dialog) : dialog.exec();
}

void TfrmHTMLEdit::NewDocument()
{
    m_documents->btnNewClick(false);
}

bool TfrmHTMLEdit::OpenUrl(const QUrl &url)
{
    return m_context.OpenUrl ? m_context.OpenUrl(url) : QDesktopServices::openUrl(url);
}
