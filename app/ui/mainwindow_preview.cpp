// The main window's preview, external browsers, mail and the browser pane's toolbar.
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
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

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

bool TfrmHTMLEdit::OpenUrl(const QUrl &url)
{
    return m_context.OpenUrl ? m_context.OpenUrl(url) : QDesktopServices::openUrl(url);
}

QString TfrmHTMLEdit::PreviewFallbackDir() const
{
    // A document never saved has no folder of its own; its copies go to the temporary folder
    // rather than into whatever folder the program was started from.
    return QDir::tempPath();
}

void TfrmHTMLEdit::CreateBrowserToolbar(QWidget *pane)
{
    m_tbrBrowser = new QToolBar(QStringLiteral("Browser Toolbar"), pane);
    m_tbrBrowser->setObjectName(QStringLiteral("tbrBrowser"));
    m_tbrBrowser->setIconSize(QSize(16, 16));
    auto add = [this](const char *name, const char *icon, const char *hint, auto slot) {
        QAction *a = m_tbrBrowser->addAction(QIcon::fromTheme(QLatin1String(icon)), QLatin1String(hint));
        a->setObjectName(QLatin1String(name));
        a->setToolTip(QLatin1String(hint));
        a->setStatusTip(QLatin1String(hint));
        connect(a, &QAction::triggered, this, [this, slot] { RunGuarded(slot); });
        return a;
    };
    add("btnBrwseRefreshDoc", "document-preview", "Refresh current document preview",
        [this] { btnPreviewClick(false); });
    add("btnBrwseBack", "go-previous", "Previous", [this] { if (m_webBrowser) m_webBrowser->GoBack(); });
    add("btnBrwseForward", "go-next", "Next", [this] { if (m_webBrowser) m_webBrowser->GoForward(); });
    add("btnBrwseStop", "process-stop", "Stop loading site", [this] { if (m_webBrowser) m_webBrowser->Stop(); });
    add("btnBrwseRefresh", "view-refresh", "Refresh document", [this] { if (m_webBrowser) m_webBrowser->Reload(); });
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
            RunGuarded([this] { btnBrwseGoClick(); });
    });
    auto *go = new QToolButton(m_tbrBrowser);
    go->setObjectName(QStringLiteral("btnBrwseGo"));
    go->setText(QStringLiteral("GO"));
    go->setToolTip(QStringLiteral("Navigate!"));
    connect(go, &QToolButton::clicked, this, [this] { RunGuarded([this] { btnBrwseGoClick(); }); });
    m_tbrBrowser->addWidget(go);
}

void TfrmHTMLEdit::btnBrwseGoClick()
{
    const QString address = m_cbxBrwseURL->currentText();
    if (m_webBrowser)
        m_webBrowser->Navigate(QUrl::fromUserInput(address, QDir::currentPath(), QUrl::AssumeLocalFile));
    m_cbxBrwseURL->addItem(address);
    m_cbxBrwseURL->setCurrentText(address);
    LastPreviewFile.clear();
}

void TfrmHTMLEdit::btnBrwseHomeClick()
{
    if (!Settings.HomepageRef.isEmpty()) {
        m_cbxBrwseURL->setCurrentText(Settings.HomepageRef);
        btnBrwseGoClick();
    } else if (m_webBrowser) {
        m_webBrowser->GoHome();
    }
}

void TfrmHTMLEdit::ConnectPreviewCommands()
{
    auto command = [this](const char *name, std::function<void()> fn) {
        QAction *a = Action(QLatin1String(name));
        a->setEnabled(true);
        connect(a, &QAction::triggered, this, [this, fn] { RunGuarded(fn); });
    };
    command("Preview1", [this] { Preview1Click(); });
    command("Preview2", [this] { Preview2Click(1); });
    command("Preview3", [this] { Preview2Click(2); });
    command("BrowserToolbar1", [] {});
    // The toolbar's preview button refreshes the pane; without a browser engine it stays greyed.
    if (m_webBrowser)
        command("btnPreview", [this] { btnPreviewClick(false); });

    // "Send by mail": a new address, or one used before.
    m_pmMailAdresses = new QMenu(this);
    m_pmMailAdresses->setObjectName(QStringLiteral("pmMailAdresses"));
    QAction *newAddress = m_pmMailAdresses->addAction(QStringLiteral("&New Address..."));
    newAddress->setObjectName(QStringLiteral("btnWriteMail"));
    connect(newAddress, &QAction::triggered, this, [this] { RunGuarded([this] { btnWriteMailClick(); }); });
    m_pmMailAdresses->addSeparator();
    for (const QString &address : std::as_const(MailAdresses))
        AddMailItem(address);
    QAction *send = Action(QStringLiteral("SendMail1"));
    send->setEnabled(true);
    send->setMenu(m_pmMailAdresses);
    connect(send, &QAction::triggered, this, [this] { RunGuarded([this] { btnWriteMailClick(); }); });

    if (m_webBrowser) {
        auto focusEditor = [this] {
            if (TDocumentTab *tab = ActiveTab())
                if (isActiveWindow())
                    tab->View()->setFocus();
        };
        connect(m_webBrowser, &TWebBrowser::OnNavigateComplete, this, focusEditor);
        connect(m_webBrowser, &TWebBrowser::OnDocumentComplete, this, focusEditor);
        connect(m_webBrowser, &TWebBrowser::OnNavigateComplete, this, [this](const QUrl &url) {
            if (!url.isLocalFile() && url.scheme() != QLatin1String("about"))
                m_cbxBrwseURL->setCurrentText(url.toString());
        });
    }
}

void TfrmHTMLEdit::AddMailItem(const QString &address)
{
    QAction *item = m_pmMailAdresses->addAction(address);
    connect(item, &QAction::triggered, this, [this, address] { RunGuarded([this, address] { MailDocumentTo(address); }); });
}

void TfrmHTMLEdit::RichEdit1Exit(TDocumentTab *tab)
{
    if (!tab || tab->Editor()->LineCount() == 0
        || (tab->Editor()->LineCount() == 1 && tab->Editor()->Lines()[0].isEmpty()))
        return;
    const QString name = Preview::ExitCopyName(tab->Path, PreviewFallbackDir());
    if (!tab->CopyStale && QFileInfo::exists(name))
        return;
    try {
        TDocumentFormat format = tab->Format;
        const TEditLines &lines = tab->Editor()->Lines();
        DocumentFile::Save(name, lines.Count(), [&lines](int i) { return QStringView(lines[i]); }, format);
        // The copy goes when the document closes or the program ends.
        if (!TempFiles.contains(name, Qt::CaseInsensitive))
            TempFiles.append(name);
        tab->CopyStale = false;
    } catch (const std::exception &e) {
        ShowStatusMessage(QStringLiteral("Error creating Preview of ") + QFileInfo(tab->Path).fileName()
                          + QStringLiteral("! ") + QString::fromUtf8(e.what()));
    }
}

void TfrmHTMLEdit::btnPreviewClick(bool automatic)
{
    TDocumentTab *tab = ActiveTab();
    if (!tab || (automatic && !isActiveWindow()))
        return;
    const QString name = Preview::PreviewName(tab->Path, PreviewFallbackDir());
    if (automatic && name.compare(LastPreviewFile, Qt::CaseInsensitive) != 0)
        return;
    const bool refresh = QFileInfo::exists(name) && name == LastPreviewFile;
    if (!refresh)
        LastPreviewFile = name;
    WritePreviewCopy(tab);
    if (m_webBrowser) {
        if (refresh && m_webBrowser->Url() == QUrl::fromLocalFile(name))
            m_webBrowser->Reload();
        else if (m_webBrowser->isVisible() || !refresh)
            m_webBrowser->Navigate(QUrl::fromLocalFile(name));
        else
            m_webBrowser->Reload();
    }
    PreviewTicks = 0;
}

QString TfrmHTMLEdit::WritePreviewCopy(TDocumentTab *tab)
{
    const QString name = Preview::PreviewName(tab->Path, PreviewFallbackDir());
    // The expansion works on a copy, so the editor keeps its text, selection and scroll place.
    const QString baseDir = Preview::DocumentDir(tab->Path, PreviewFallbackDir());
    const Includes::TExpansion expansion = Includes::ExpandIncludes(
        tab->Editor()->Text(), baseDir, &Includes::ReadIncludeFile, [this](const QString &s) { ShowStatusMessage(s); });
    if (!TempFiles.contains(name, Qt::CaseInsensitive))
        TempFiles.append(name);
    TDocumentFormat format = tab->Format;
    DocumentFile::SaveText(name, expansion.Text, format);
    return name;
}

void TfrmHTMLEdit::Preview1Click()
{
    TDocumentTab *tab = ActiveTab();
    if (!tab)
        throw ENoActiveRE();
    // A document never saved has no file of its own yet: its preview copy stands in for it.
    const QString file = QFileInfo(tab->Path).isFile() ? tab->Path : WritePreviewCopy(tab);
    if (!OpenUrl(QUrl::fromLocalFile(file)))
        ShowStatusMessage(QStringLiteral("No program opens ") + QFileInfo(file).fileName());
}

void TfrmHTMLEdit::Preview2Click(int browserSet)
{
    const QString program = browserSet == 1 ? Settings.Path1 : Settings.Path2;
    const QString start = browserSet == 1 ? Settings.ParamStart1 : Settings.ParamStart2;
    const QString end = browserSet == 1 ? Settings.ParamEnd1 : Settings.ParamEnd2;
    if (LastPreviewFile.isEmpty())
        btnPreviewClick(false);
    // The first-run text "Not defined yet" is no program either.
    if (program.isEmpty() || program.compare(QLatin1String("Not defined yet"), Qt::CaseInsensitive) == 0) {
        Message(QMessageBox::Critical, QStringLiteral("TagForge!"), Preview::NoBrowserPathMessage());
        return;
    }
    const Preview::TCommand command = Preview::ExternalBrowserCommand(program, start, LastPreviewFile, end);
    const bool started = m_context.StartProgram ? m_context.StartProgram(command.Program, command.Arguments)
                                                : QProcess::startDetached(command.Program, command.Arguments);
    if (!started)
        ShowStatusMessage(QStringLiteral("Could not start ") + program);
}

void TfrmHTMLEdit::DeletePreviewCopy(const QString &path)
{
    for (const QString &name : {Preview::PreviewName(path, PreviewFallbackDir()),
                                Preview::ExitCopyName(path, PreviewFallbackDir())}) {
        // Only copies this program made are removed; a user's own "~qw" file stays.
        if (!TempFiles.contains(name, Qt::CaseInsensitive))
            continue;
        if (QFileInfo::exists(name) && !QFile::remove(name))
            Message(QMessageBox::Critical, QStringLiteral("TagForge!"),
                    QStringLiteral("Error deleting Temp-File: ") + name + QLatin1Char('.'));
        for (qsizetype i = TempFiles.size() - 1; i >= 0; --i)
            if (TempFiles.at(i).compare(name, Qt::CaseInsensitive) == 0)
                TempFiles.removeAt(i);
    }
}

void TfrmHTMLEdit::btnWriteMailClick()
{
    QString address;
    if (!InputBox(QStringLiteral("eMail"), QStringLiteral("Please enter Destination Adress:"), address))
        return;
    if (address.trimmed().isEmpty()) {
        Message(QMessageBox::Warning, QStringLiteral("TagForge!"), QStringLiteral("Sorry, invalid entry!"));
        return;
    }
    MailAdresses.append(address);
    AddMailItem(address);
    OpenUrl(QUrl(QStringLiteral("mailto:") + address));
}

void TfrmHTMLEdit::MailDocumentTo(const QString &address)
{
    TMyRichEdit *editor = ActiveEditor();
    Message(QMessageBox::Information, QStringLiteral("TagForge!"),
            QStringLiteral("The HTML source of this document has been copied to the clipboard.\r\n"
                           "Your standard mail client will now be started: paste the source into the "
                           "text of the mail."));
    QGuiApplication::clipboard()->setText(editor->Text());
    QUrl url(QStringLiteral("mailto:") + address);
    url.setQuery(QStringLiteral("subject=New HTML Page&body=The newest Version of my HTML page:")
                 + m_pageControl->tabText(m_pageControl->currentIndex()));
    OpenUrl(url);
}
