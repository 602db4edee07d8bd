// The Tools menu's User Tools: the submenu built from the stored list, editing an item, and
// starting a tool with the active document.
#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class QMenu;
class QProcess;
class TCommandHost;

class TUserToolCommands : public QObject
{
    Q_OBJECT
public:
    // tools is the window's stored list ("UserTools"), kept in step with every edit.
    TUserToolCommands(TCommandHost &host, QStringList &tools, QObject *parent);
    ~TUserToolCommands() override;

    void RebuildMenu();
    void EditItemClick();
    void AnyUserToolsClick(const QString &path);

    // Starts a program with its arguments, never through a shell; false when it could not be
    // started. Tests put their own here.
    std::function<bool(const QString &program, const QStringList &arguments)> Start;
    // What Start does unless replaced: the tool runs as a child whose failure (a crash, or an exit
    // code other than 0, with what it wrote to its error output) is shown when it ends.
    bool StartWatched(const QString &program, const QStringList &arguments);

private:
    TCommandHost &m_host;
    QStringList &m_tools;
    QMenu *m_menu = nullptr;
    QList<QProcess *> m_running;
};
