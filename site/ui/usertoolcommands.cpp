// The User Tools submenu and the tools it starts.
#include "site/ui/usertoolcommands.h"

#include "platform/qt/commandhost.h"
#include "site/core/usertools.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryFile>

TUserToolCommands::TUserToolCommands(TCommandHost &host, QStringList &tools, QObject *parent)
    : QObject(parent), m_host(host), m_tools(tools), m_menu(host.FindMenu(QStringLiteral("MainUserTools1")))
{
    Start = [this](const QString &program, const QStringList &arguments) { return StartWatched(program, arguments); };
    RebuildMenu();
}

TUserToolCommands::~TUserToolCommands()
{
    // A tool still running outlives the editor: its process object is let go, not killed.
    for (QProcess *p : std::as_const(m_running)) {
        p->disconnect(this);
        p->setParent(nullptr);
    }
}

void TUserToolCommands::RebuildMenu()
{
    if (!m_menu)
        return;
    m_menu->clear();
    m_menu->setEnabled(true);
    QAction *edit = m_menu->addAction(QStringLiteral("Edit Item..."));
    edit->setObjectName(QStringLiteral("EditItem1"));
    connect(edit, &QAction::triggered, this, [this] { m_host.RunGuarded([this] { EditItemClick(); }); });
    m_menu->addSeparator();
    for (const UserTools::TMenuItem &item : UserTools::MenuItems(m_tools)) {
        QAction *a = m_menu->addAction(item.Caption);
        if (item.Path.isEmpty()) {
            a->setEnabled(false);
            continue;
        }
        a->setStatusTip(item.Path);
        a->setToolTip(item.Path);
        connect(a, &QAction::triggered, this,
                [this, path = item.Path] { m_host.RunGuarded([&] { AnyUserToolsClick(path); }); });
    }
}

void TUserToolCommands::EditItemClick()
{
    QString answer = QStringLiteral("1");
    if (!m_host.InputQuery(QStringLiteral("Edit User Tool Path"), QStringLiteral("Please enter which Item to change:"),
                           answer))
        return;
    const UserTools::TItemChoice choice = UserTools::ChooseItem(answer, int(m_tools.size()));
    if (!choice.Error.isEmpty()) {
        m_host.ShowMessage(QMessageBox::Warning, QStringLiteral("Edit User Tool Path"), choice.Error);
        return;
    }
    const QString path = m_host.ChooseOpenFile(
        QStringLiteral("User Tool"), QStringLiteral("All Files (*)"),
        choice.Index < m_tools.size() ? QFileInfo(m_tools.at(choice.Index)).path() : QStringLiteral("/usr/bin"));
    if (path.isEmpty())
        return;
    m_tools = UserTools::Edited(m_tools, choice, QFileInfo(path).absoluteFilePath());
    RebuildMenu();
}

void TUserToolCommands::AnyUserToolsClick(const QString &path)
{
    const QString why = UserTools::CannotStart(path);
    if (!why.isEmpty()) {
        m_host.ShowMessage(QMessageBox::Warning, QStringLiteral("User Tools"), why);
        return;
    }
    // The document goes to the tool as one argument, whatever it holds; an unsaved one has no file.
    QStringList arguments;
    const QString document = m_host.ActiveEditorView() ? m_host.ActiveDocumentPath() : QString();
    if (!document.isEmpty() && QFileInfo(document).isFile())
        arguments << document;
    if (!Start(path, arguments))
        m_host.ShowMessage(QMessageBox::Warning, QStringLiteral("User Tools"),
                           QStringLiteral("Could not start %1.").arg(path));
}

bool TUserToolCommands::StartWatched(const QString &program, const QStringList &arguments)
{
    auto *process = new QProcess(this);
    process->setProgram(program);
    process->setArguments(arguments);
    process->setStandardOutputFile(QProcess::nullDevice());
    // What the tool says on failing is kept in a file rather than a pipe, so that a tool still
    // running when the editor ends is not left writing into a closed pipe.
    auto *errors = new QTemporaryFile(QDir::tempPath() + QStringLiteral("/tagforge-tool-XXXXXX.log"), process);
    if (errors->open()) {
        errors->close();
        process->setStandardErrorFile(errors->fileName());
    }
    const QString name = QFileInfo(program).fileName();
    connect(process, &QProcess::finished, this, [this, process, errors, name](int code, QProcess::ExitStatus status) {
        m_running.removeOne(process);
        if (status == QProcess::CrashExit || code != 0) {
            QString said;
            if (errors->open())
                said = QString::fromLocal8Bit(errors->readAll()).trimmed().right(2000);
            QString text = status == QProcess::CrashExit
                               ? QStringLiteral("%1 crashed.").arg(name)
                               : QStringLiteral("%1 ended with exit code %2.").arg(name).arg(code);
            if (!said.isEmpty())
                text += QStringLiteral("\n\n") + said;
            m_host.ShowMessage(QMessageBox::Warning, QStringLiteral("User Tools"), text);
        }
        process->deleteLater();
    });
    process->start();
    if (!process->waitForStarted(5000)) {
        const QString error = process->errorString();
        process->disconnect(this);
        delete process;
        m_host.ShowMessage(QMessageBox::Warning, QStringLiteral("User Tools"),
                           QStringLiteral("Could not start %1: %2").arg(name, error));
        return true; // already said why
    }
    m_running.append(process);
    return true;
}
