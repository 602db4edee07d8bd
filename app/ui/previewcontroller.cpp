// The preview: copies for the browser pane and outside browsers, mail, the browser pane's toolbar.
#include "app/ui/previewcontroller.h"

#include "app/ui/mainwindow.h"

#include "aids/core/myrichedit.h"
#include "app/core/appexceptions.h"
#include "app/core/includes.h"
#include "app/core/preview.h"
#include "app/ui/documenttab.h"
#include "app/ui/mainstatusbar.h"
#include "editor/ui/codeeditview.h"
#include "platform/qt/webbrowser.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QTabWidget>
#include <QPointer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

TPreviewController::TPreviewController(TfrmHTMLEdit &window) : QObject(&window), m_w(window) {}

void TPreviewController::Tick()
{
    // Not while a selection is shown: reloading would take the user's eye off it.
    if (++m_previewTicks >= m_updateSecs && !m_w.ActiveEditor()->SelAvail()) {
        m_previewTicks = 0;
        if (m_w.WebBrowser())
            m_w.RunGuarded([this] { btnPreviewClick(true); });
    }
}

void TPreviewController::DeleteAllCopies()
{
    for (const QString &file : std::as_const(m_tempFiles))
        QFile::remove(file);
    m_tempFiles.clear();
}

QString TPreviewController::PreviewFallbackDir() const
{
    // A document never saved has no folder of its own; its copies go to the temporary folder
    // rather than into whatever folder the program was started from.
    return QDir::tempPath();
}

QToolBar *TPreviewController::CreateBrowserToolbar(QWidget *pane)
{
    m_tbrBrowser = new QToolBar(QStringLiteral("Browser Toolbar"), pane);
    m_tbrBrowser->setObjectName(QStringLiteral("tbrBrowser"));
    m_tbrBrowser->setIconSize(QSize(16, 16));
    auto add = [this](const char *name, const char *icon, const char *hint, auto slot) {
        QAction *a = m_tbrBrowser->addAction(QIcon::fromTheme(QLatin1String(icon)), QLatin1String(hint));
        a->setObjectName(QLatin1String(name));
        a->setToolTip(QLatin1String(hint));
        a->setStatusTip(QLatin1String(hint));
        connect(a, &QAction::triggered, this, [this, slot] { m_w.RunGuarded(slot); });
        return a;
    };
    add("btnBrwseRefreshDoc", "document-preview", "Refresh current document preview",
        [this] { btnPreviewClick(false); });
    add("btnBrwseBack", "go-previous", "Previous", [this] {
        if (m_w.WebBrowser())
            m_w.WebBrowser()->GoBack();
    });
    add("btnBrwseForward", "go-next", "Next", [this] {
        if (m_w.WebBrowser())
            m_w.WebBrowser()->GoForward();
    });
    add("btnBrwseStop", "process-stop", "Stop loading site", [this] {
        if (m_w.WebBrowser())
            m_w.WebBrowser()->Stop();
    });
    add("btnBrwseRefresh", "view-refresh", "Refresh document", [this] {
        if (m_w.WebBrowser())
            m_w.WebBrowser()->Reload();
    });
    add("btnBrwseHome", "go-home", "Go to HOME location", [this] { btnBrwseHomeClick(); });
    m_cbxBrwseURL = new QComboBox(m_tbrBrowser);
    m_cbxBrwseURL->setObjectName(QStringLiteral("cbxBrwseURL"));
    m_cbxBrwseURL->setEditable(true);
    m_cbxBrwseURL->setInsertPolicy(QComboBox::NoInsert);
    m_cbxBrwseURL->setMinimumWidth(209);
    m_cbxBrwseURL->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_cbxBrwseURL->lineEdit()->setPlaceholderText(QStringLiteral("Address"));
    m_tbrBrowser->addWidget(m_cbxBrwseURL);
    connect(m_cbxBrwseURL->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        if (!m_cbxBrwseURL->currentText().isEmpty())
            m_w.RunGuarded([this] { btnBrwseGoClick(); });
    });
    auto *go = new QToolButton(m_tbrBrowser);
    go->setObjectName(QStringLiteral("btnBrwseGo"));
    go->setText(QStringLiteral("GO"));
    go->setToolTip(QStringLiteral("Navigate!"));
    connect(go, &QToolButton::clicked, this, [this] { m_w.RunGuarded([this] { btnBrwseGoClick(); }); });
    m_tbrBrowser->addWidget(go);
    return m_tbrBrowser;
}

void TPreviewController::btnBrwseGoClick()
{
    const QString address = m_cbxBrwseURL->currentText();
    if (m_w.WebBrowser())
        m_w.WebBrowser()->Navigate(QUrl::fromUserInput(address, QDir::currentPath(), QUrl::AssumeLocalFile));
    m_cbxBrwseURL->addItem(address);
    m_cbxBrwseURL->setCurrentText(address);
    m_lastPreviewFile.clear();
}

void TPreviewController::btnBrwseHomeClick()
{
    if (!m_w.Settings().HomepageRef.isEmpty()) {
        m_cbxBrwseURL->setCurrentText(m_w.Settings().HomepageRef);
        btnBrwseGoClick();
    } else if (m_w.WebBrowser()) {
        m_w.WebBrowser()->GoHome();
    }
}

void TPreviewController::RegisterCommands()
{
    auto command = [this](const char *name, std::function<void()> fn) {
        m_w.BindCommand(QLatin1String(name), std::move(fn));
    };
    command("Preview1", [this] { Preview1Click(); });
    command("Preview2", [this] { Preview2Click(1); });
    command("Preview3", [this] { Preview2Click(2); });
    command("BrowserToolbar1", [] {});
    // The toolbar's preview button refreshes the pane; without a browser engine it stays greyed.
    if (m_w.WebBrowser())
        command("btnPreview", [this] { btnPreviewClick(false); });

    // "Send by mail": a new address, or one used before.
    m_pmMailAdresses = new QMenu(&m_w);
    m_pmMailAdresses->setObjectName(QStringLiteral("pmMailAdresses"));
    QAction *newAddress = m_pmMailAdresses->addAction(QStringLiteral("&New Address..."));
    newAddress->setObjectName(QStringLiteral("btnWriteMail"));
    connect(newAddress, &QAction::triggered, this, [this] { m_w.RunGuarded([this] { btnWriteMailClick(); }); });
    m_pmMailAdresses->addSeparator();
    for (const QString &address : std::as_const(m_mailAdresses))
        AddMailItem(address);
    QAction *send = m_w.Action(TActionId::SendMail1);
    send->setEnabled(true);
    send->setMenu(m_pmMailAdresses);
    connect(send, &QAction::triggered, this, [this] { m_w.RunGuarded([this] { btnWriteMailClick(); }); });

    if (m_w.WebBrowser()) {
        auto focusEditor = [this] {
            if (TDocumentTab *tab = m_w.ActiveTab())
                if (m_w.isActiveWindow())
                    tab->View()->setFocus();
        };
        connect(m_w.WebBrowser(), &TWebBrowser::OnNavigateComplete, this, focusEditor);
        connect(m_w.WebBrowser(), &TWebBrowser::OnDocumentComplete, this, focusEditor);
        connect(m_w.WebBrowser(), &TWebBrowser::OnNavigateComplete, this, [this](const QUrl &url) {
            if (!url.isLocalFile() && url.scheme() != QLatin1String("about"))
                m_cbxBrwseURL->setCurrentText(url.toString());
        });
    }
}

void TPreviewController::AddMailItem(const QString &address)
{
    QAction *item = m_pmMailAdresses->addAction(address);
    connect(item, &QAction::triggered, this,
            [this, address] { m_w.RunGuarded([this, address] { MailDocumentTo(address); }); });
}

void TPreviewController::RichEdit1Exit(TDocumentTab *tab)
{
    if (!tab || tab->Editor()->LineCount() == 0
        || (tab->Editor()->LineCount() == 1 && tab->Editor()->Lines()[0].isEmpty()))
        return;
    const QString name = Preview::ExitCopyName(tab->Path(), PreviewFallbackDir());
    if (!tab->CopyStale() && QFileInfo::exists(name))
        return;
    // The copy goes when the document closes or the program ends.
    if (!m_tempFiles.contains(name, Qt::CaseInsensitive))
        m_tempFiles.append(name);
    const auto failed = [this, tab](const QString &error) {
        m_w.ShowStatusMessage(QStringLiteral("Error creating Preview of ") + QFileInfo(tab->Path()).fileName()
                              + QStringLiteral("! ") + error);
    };
    if (IsLarge(tab)) {
        // Leaving the editor must not wait for a large page to be written; a copy still being
        // written leaves this one stale, for the next time.
        QPointer<TDocumentTab> written(tab);
        m_exitCopyJob.Start(
            [name, lines = DocumentFile::LinesSnapshot(tab->Editor()->Lines()), format = tab->Format()]() mutable {
                try {
                    DocumentFile::Save(
                        name, int(lines.size()), [&lines](int i) { return QStringView(lines.at(i)); }, format);
                } catch (const std::exception &e) {
                    return QString::fromUtf8(e.what());
                }
                return QString();
            },
            [written, failed](const QString &error) {
                if (!error.isEmpty() && written)
                    failed(error);
            });
        tab->SetCopyStale(false);
        return;
    }
    try {
        TDocumentFormat format = tab->Format();
        const TEditLines &lines = tab->Editor()->Lines();
        const QString text = tab->Editor()->Text();
        const QString copy = m_w.CopyText(text);
        if (copy != text)
            DocumentFile::SaveText(name, copy, format);
        else
            DocumentFile::Save(
                name, lines.Count(), [&lines](int i) { return QStringView(lines[i]); }, format);
        tab->SetCopyStale(false);
    } catch (const std::exception &e) {
        failed(QString::fromUtf8(e.what()));
    }
}

QString TPreviewController::LargePageText()
{
    return QStringLiteral("Large page: the preview is refreshed when you click Preview");
}

bool TPreviewController::IsLarge(const TDocumentTab *tab)
{
    return tab->Editor()->TotalCharCount() > LargePageChars;
}

void TPreviewController::TabChanged()
{
    TDocumentTab *tab = m_w.ActiveTab();
    if (tab && IsLarge(tab)) {
        m_w.ShowStatusMessage(LargePageText());
        return;
    }
    btnPreviewClick(false);
}

void TPreviewController::btnPreviewClick(bool automatic)
{
    TDocumentTab *tab = m_w.ActiveTab();
    if (!tab || (automatic && !m_w.isActiveWindow()))
        return;
    const QString name = Preview::PreviewName(tab->Path(), PreviewFallbackDir());
    if (automatic && name.compare(m_lastPreviewFile, Qt::CaseInsensitive) != 0)
        return;
    const bool large = IsLarge(tab);
    if (automatic && large)
        return;
    const bool refresh = QFileInfo::exists(name) && name == m_lastPreviewFile;
    if (!refresh)
        m_lastPreviewFile = name;
    m_previewTicks = 0;
    if (large) {
        WriteLargeCopy(tab, name, refresh);
        return;
    }
    WritePreviewCopy(tab);
    ShowInPane(name, refresh);
}

void TPreviewController::WriteLargeCopy(TDocumentTab *tab, const QString &name, bool refresh)
{
    if (m_copyJob.Busy()) {
        m_w.ShowStatusMessage(QStringLiteral("The preview is still being written"));
        return;
    }
    if (!m_tempFiles.contains(name, Qt::CaseInsensitive))
        m_tempFiles.append(name);
    ++m_previewWrites;
    m_w.ShowStatusMessage(QStringLiteral("Writing the preview..."));
    const QString baseDir = Preview::DocumentDir(tab->Path(), PreviewFallbackDir());
    m_copyJob.Start(
        [name, baseDir, lines = DocumentFile::LinesSnapshot(tab->Editor()->Lines()), format = tab->Format(),
         filter = m_w.CopyTextFilter()]() mutable {
            TCopyResult result;
            QString text;
            qint64 chars = 0;
            for (const QString &line : lines)
                chars += line.size() + 2;
            text.reserve(qsizetype(chars));
            for (const QString &line : lines)
                text.append(line).append(QStringLiteral("\r\n"));
            lines.clear();
            if (filter)
                text = filter(text);
            const Includes::TExpansion expansion = Includes::ExpandIncludes(
                text, baseDir, &Includes::ReadIncludeFile, [&result](const QString &s) { result.Messages << s; });
            text.clear();
            try {
                DocumentFile::SaveText(name, expansion.Text, format);
            } catch (const std::exception &e) {
                result.Error = QString::fromUtf8(e.what());
            }
            return result;
        },
        [this, name, refresh](const TCopyResult &result) {
            for (const QString &message : result.Messages)
                m_w.ShowStatusMessage(message);
            if (!result.Error.isEmpty()) {
                m_w.ShowStatusMessage(QStringLiteral("Error creating Preview of ") + QFileInfo(name).fileName()
                                      + QStringLiteral("! ") + result.Error);
                return;
            }
            if (result.Messages.isEmpty())
                m_w.ShowStatusMessage(QString());
            ShowInPane(name, refresh);
            Q_EMIT CopyShown(name);
        });
}

void TPreviewController::ShowInPane(const QString &name, bool refresh)
{
    if (m_w.WebBrowser()) {
        if (refresh && m_w.WebBrowser()->Url() == QUrl::fromLocalFile(name))
            m_w.WebBrowser()->Reload();
        else if (m_w.WebBrowser()->isVisible() || !refresh)
            m_w.WebBrowser()->Navigate(QUrl::fromLocalFile(name));
        else
            m_w.WebBrowser()->Reload();
    }
}

QString TPreviewController::WritePreviewCopy(TDocumentTab *tab)
{
    const QString name = Preview::PreviewName(tab->Path(), PreviewFallbackDir());
    // The expansion works on a copy, so the editor keeps its text, selection and scroll place.
    const QString baseDir = Preview::DocumentDir(tab->Path(), PreviewFallbackDir());
    const Includes::TExpansion expansion =
        Includes::ExpandIncludes(m_w.CopyText(tab->Editor()->Text()), baseDir, &Includes::ReadIncludeFile,
                                 [this](const QString &s) { m_w.ShowStatusMessage(s); });
    if (!m_tempFiles.contains(name, Qt::CaseInsensitive))
        m_tempFiles.append(name);
    ++m_previewWrites;
    TDocumentFormat format = tab->Format();
    DocumentFile::SaveText(name, expansion.Text, format);
    return name;
}

void TPreviewController::Preview1Click()
{
    TDocumentTab *tab = m_w.ActiveTab();
    if (!tab)
        throw ENoActiveRE();
    // A document never saved has no file of its own yet: its preview copy stands in for it.
    const QString file = QFileInfo(tab->Path()).isFile() ? tab->Path() : WritePreviewCopy(tab);
    if (!m_w.OpenUrl(QUrl::fromLocalFile(file)))
        m_w.ShowStatusMessage(QStringLiteral("No program opens ") + QFileInfo(file).fileName());
}

void TPreviewController::Preview2Click(int browserSet)
{
    const QString program = browserSet == 1 ? m_w.Settings().Path1 : m_w.Settings().Path2;
    const QString start = browserSet == 1 ? m_w.Settings().ParamStart1 : m_w.Settings().ParamStart2;
    const QString end = browserSet == 1 ? m_w.Settings().ParamEnd1 : m_w.Settings().ParamEnd2;
    if (m_lastPreviewFile.isEmpty()) {
        TDocumentTab *tab = m_w.ActiveTab();
        if (tab && IsLarge(tab)) {
            // The outside browser needs the copy now, not once a worker has written it.
            m_lastPreviewFile = WritePreviewCopy(tab);
        } else {
            btnPreviewClick(false);
        }
    }
    // The first-run text "Not defined yet" is no program either.
    if (program.isEmpty() || program.compare(QLatin1String("Not defined yet"), Qt::CaseInsensitive) == 0) {
        m_w.Message(QMessageBox::Critical, QStringLiteral("TagForge!"), Preview::NoBrowserPathMessage());
        return;
    }
    const Preview::TCommand command = Preview::ExternalBrowserCommand(program, start, m_lastPreviewFile, end);
    const bool started = m_w.Context().StartProgram ? m_w.Context().StartProgram(command.Program, command.Arguments)
                                                    : QProcess::startDetached(command.Program, command.Arguments);
    if (!started)
        m_w.ShowStatusMessage(QStringLiteral("Could not start ") + program);
}

void TPreviewController::DeletePreviewCopy(const QString &path)
{
    for (const QString &name :
         {Preview::PreviewName(path, PreviewFallbackDir()), Preview::ExitCopyName(path, PreviewFallbackDir())}) {
        // Only copies this program made are removed; a user's own "~qw" file stays.
        if (!m_tempFiles.contains(name, Qt::CaseInsensitive))
            continue;
        if (QFileInfo::exists(name) && !QFile::remove(name))
            m_w.Message(QMessageBox::Critical, QStringLiteral("TagForge!"),
                        QStringLiteral("Error deleting Temp-File: ") + name + QLatin1Char('.'));
        for (qsizetype i = m_tempFiles.size() - 1; i >= 0; --i)
            if (m_tempFiles.at(i).compare(name, Qt::CaseInsensitive) == 0)
                m_tempFiles.removeAt(i);
    }
}

void TPreviewController::btnWriteMailClick()
{
    QString address;
    if (!m_w.InputBox(QStringLiteral("eMail"), QStringLiteral("Please enter Destination Adress:"), address))
        return;
    if (address.trimmed().isEmpty()) {
        m_w.Message(QMessageBox::Warning, QStringLiteral("TagForge!"), QStringLiteral("Sorry, invalid entry!"));
        return;
    }
    m_mailAdresses.append(address);
    AddMailItem(address);
    m_w.OpenUrl(QUrl(QStringLiteral("mailto:") + address));
}

void TPreviewController::MailDocumentTo(const QString &address)
{
    TMyRichEdit *editor = m_w.ActiveEditor();
    m_w.Message(QMessageBox::Information, QStringLiteral("TagForge!"),
                QStringLiteral("The HTML source of this document has been copied to the clipboard.\r\n"
                               "Your standard mail client will now be started: paste the source into the "
                               "text of the mail."));
    QGuiApplication::clipboard()->setText(editor->Text());
    QUrl url(QStringLiteral("mailto:") + address);
    url.setQuery(QStringLiteral("subject=New HTML Page&body=The newest Version of my HTML page:")
                 + m_w.PageControl1()->tabText(m_w.PageControl1()->currentIndex()));
    m_w.OpenUrl(url);
}
