// The side bar's Manager page: the project list, the tasks and the notes.
#pragma once

#include "site/core/projectfile.h"

#include <QObject>
#include <QStringList>

#include <array>

class QListWidget;
class QStackedWidget;
class QToolButton;
class QTreeWidget;
class TCommandHost;

class TSiteManager : public QObject
{
    Q_OBJECT
public:
    using TTask = std::array<QString, 3>; // name, description, date due

    explicit TSiteManager(TCommandHost &host, QObject *parent);

    // The lists as stored in the settings, and the project last used (loaded when not empty).
    void SetStored(const QList<TTask> &tasks, const QStringList &notes, const QString &projectFile);
    QList<TTask> Tasks() const;
    QStringList Notes() const;
    QString ProjectFile() const { return m_projectFile; }
    QList<Project::TRow> Rows() const { return m_rows; }

    // The page of the manager's notebook: 0 default, 1 project, 2 tasks, 3 notes, 4 and 5 not built.
    void ShowPage(int page);
    int CurrentPage() const;

    void btnPrjAddClick();
    void btnPrjRemoveClick();
    void btnPrjSaveClick();
    void btnPrjLoadClick();
    void New2Click();
    // Replaces the rows with the file's lines; a file that cannot be read keeps them and says why.
    bool LoadProject(const QString &path);
    void OpenSelectedFile();

    void btnNewTaskClick();
    void btnDeleteTaskClick();
    void NewNote();
    void EditNote();
    void DeleteNote();

    QTreeWidget *ProjectList() const { return m_project; }
    QTreeWidget *TaskList() const { return m_tasks; }
    QListWidget *NoteList() const { return m_notes; }

private:
    void BuildPage(QWidget *page);
    // The side bar's Site button gets a menu of the manager's parts.
    void AttachSwitchMenu();
    void ShowRows();
    void AddTaskRow(const TTask &task);
    void NotesMenu(const QPoint &at);

    TCommandHost &m_host;
    QString m_projectFile;
    QList<Project::TRow> m_rows;
    QTreeWidget *m_tree = nullptr;
    QStackedWidget *m_pages = nullptr;
    QTreeWidget *m_project = nullptr;
    QTreeWidget *m_tasks = nullptr;
    QListWidget *m_notes = nullptr;
    QToolButton *m_deleteTask = nullptr;
};
