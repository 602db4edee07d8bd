// The Manager page: a tree of its parts above a notebook of them.
#include "site/ui/sitemanager.h"

#include "platform/qt/commandhost.h"
#include "site/ui/panelbutton.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString kProjectFilter = QStringLiteral("TagForge Projects (*.tfp)");
constexpr int kProjectStatusPanel = 8;

QWidget *TextPage(QWidget *parent, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    return label;
}

} // namespace

TSiteManager::TSiteManager(TCommandHost &host, QObject *parent) : QObject(parent), m_host(host)
{
    BuildPage(m_host.SidePageWidget(TCommandHost::ManagerPage));
    AttachSwitchMenu();
    m_host.BindCommand(QStringLiteral("New2"), [this] { New2Click(); });
    m_host.BindCommand(QStringLiteral("Add1"), [this] { btnPrjAddClick(); });
    m_host.BindCommand(QStringLiteral("Delete2"), [this] { btnPrjRemoveClick(); });
}

void TSiteManager::AttachSwitchMenu()
{
    auto *button = m_host.HostWindow()->findChild<QToolButton *>(QStringLiteral("btnShowManager"));
    if (!button)
        return;
    auto *menu = new QMenu(button);
    menu->setObjectName(QStringLiteral("pmManager"));
    menu->addAction(QStringLiteral("Website Management"))->setEnabled(false);
    menu->addSeparator();
    const std::array<std::pair<const char *, int>, 3> parts = {{{"&Project", 1}, {"Tasks", 2}, {"Notes", 3}}};
    for (const auto &[caption, page] : parts)
        menu->addAction(QLatin1String(caption), this, [this, page = page] {
            m_host.ShowSidePage(TCommandHost::ManagerPage);
            ShowPage(page);
        });
    button->setMenu(menu);
    button->setPopupMode(QToolButton::MenuButtonPopup);
}

void TSiteManager::BuildPage(QWidget *page)
{
    auto *layout = page->layout() ? qobject_cast<QVBoxLayout *>(page->layout()) : new QVBoxLayout(page);
    if (!layout)
        return;
    layout->setContentsMargins(0, 0, 0, 0);
    auto *title = new QLabel(QStringLiteral("Website Management"), page);
    title->setObjectName(QStringLiteral("pnlManagerTop"));
    title->setAlignment(Qt::AlignCenter);
    title->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(title);

    auto *split = new QSplitter(Qt::Vertical, page);
    split->setObjectName(QStringLiteral("ManSplitter"));
    layout->addWidget(split, 1);

    m_tree = new QTreeWidget(split);
    m_tree->setObjectName(QStringLiteral("trvManager"));
    m_tree->setHeaderHidden(true);
    auto *root = new QTreeWidgetItem(m_tree, {QStringLiteral("Website Management Tool")});
    root->setIcon(0, QIcon::fromTheme(QStringLiteral("folder-remote")));
    const std::array<std::pair<const char *, const char *>, 3> parts = {
        {{"Project", "folder-documents"}, {"Tasks", "view-task"}, {"Notes", "knotes"}}};
    for (const auto &[caption, icon] : parts) {
        auto *item = new QTreeWidgetItem(root, {QLatin1String(caption)});
        item->setIcon(0, QIcon::fromTheme(QLatin1String(icon), QIcon::fromTheme(QStringLiteral("text-x-generic"))));
    }
    m_tree->expandAll();
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (item)
            ShowPage(item->parent() ? item->parent()->indexOfChild(item) + 1 : 0);
    });

    m_pages = new QStackedWidget(split);
    m_pages->setObjectName(QStringLiteral("pagesManager"));
    split->setStretchFactor(1, 1);
    split->setSizes({110, 400}); // the tree's four rows, the rest for the lists

    // 0: what the page is for.
    m_pages->addWidget(TextPage(m_pages, QStringLiteral("\nManage your Site Development here!\n\n"
                                                        "Select Item from Treeview above")));

    // 1: the project's files.
    auto *projectPage = new QWidget(m_pages);
    auto *projectLayout = new QVBoxLayout(projectPage);
    projectLayout->setContentsMargins(0, 0, 0, 0);
    auto *projectButtons = new QHBoxLayout;
    QToolButton *add = PanelButton(projectPage, "btnPrjAdd", "list-add", QStringLiteral("Add File to Project"));
    QToolButton *remove =
        PanelButton(projectPage, "btnPrjRemove", "list-remove", QStringLiteral("Remove Selected File from Project"));
    QToolButton *save =
        PanelButton(projectPage, "btnPrjSave", "document-save", QStringLiteral("Save current Project..."));
    QToolButton *load =
        PanelButton(projectPage, "btnPrjLoad", "document-open", QStringLiteral("Load saved project..."));
    QToolButton *create =
        PanelButton(projectPage, "btnPrjNew", "document-new", QStringLiteral("Create New Project..."));
    QToolButton *upload = PanelButton(projectPage, "btnPrjUpload", "network-server",
                                      QStringLiteral("Upload Project to server (not available)"));
    upload->setEnabled(false);
    for (QToolButton *b : {add, remove, save, load, create, upload})
        projectButtons->addWidget(b);
    projectButtons->addStretch();
    projectLayout->addLayout(projectButtons);
    m_project = new QTreeWidget(projectPage);
    m_project->setObjectName(QStringLiteral("elvProject"));
    m_project->setHeaderLabels({QStringLiteral("Filename"), QStringLiteral("Full Path")});
    m_project->setRootIsDecorated(false);
    m_project->header()->resizeSection(0, 120);
    projectLayout->addWidget(m_project);
    m_pages->addWidget(projectPage);
    const auto guarded = [this](void (TSiteManager::*slot)()) {
        return [this, slot] { m_host.RunGuarded([this, slot] { (this->*slot)(); }); };
    };
    connect(add, &QToolButton::clicked, this, guarded(&TSiteManager::btnPrjAddClick));
    connect(remove, &QToolButton::clicked, this, guarded(&TSiteManager::btnPrjRemoveClick));
    connect(save, &QToolButton::clicked, this, guarded(&TSiteManager::btnPrjSaveClick));
    connect(load, &QToolButton::clicked, this, guarded(&TSiteManager::btnPrjLoadClick));
    connect(create, &QToolButton::clicked, this, guarded(&TSiteManager::New2Click));
    connect(m_project, &QTreeWidget::itemActivated, this, guarded(&TSiteManager::OpenSelectedFile));

    // 2: tasks.
    auto *taskPage = new QWidget(m_pages);
    auto *taskLayout = new QVBoxLayout(taskPage);
    taskLayout->setContentsMargins(0, 0, 0, 0);
    auto *taskButtons = new QHBoxLayout;
    QToolButton *newTask = PanelButton(taskPage, "btnNewTask", "list-add", QStringLiteral("New Task"));
    m_deleteTask = PanelButton(taskPage, "btnDeleteTask", "list-remove", QStringLiteral("Delete Task"));
    m_deleteTask->setEnabled(false);
    taskButtons->addWidget(newTask);
    taskButtons->addWidget(m_deleteTask);
    taskButtons->addStretch();
    taskLayout->addLayout(taskButtons);
    m_tasks = new QTreeWidget(taskPage);
    m_tasks->setObjectName(QStringLiteral("elvTasks"));
    m_tasks->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Description"), QStringLiteral("Date due")});
    m_tasks->setRootIsDecorated(false);
    m_tasks->header()->resizeSection(0, 100);
    m_tasks->header()->resizeSection(1, 150);
    taskLayout->addWidget(m_tasks);
    m_pages->addWidget(taskPage);
    connect(newTask, &QToolButton::clicked, this, guarded(&TSiteManager::btnNewTaskClick));
    connect(m_deleteTask, &QToolButton::clicked, this, guarded(&TSiteManager::btnDeleteTaskClick));
    connect(m_tasks, &QTreeWidget::itemSelectionChanged, this,
            [this] { m_deleteTask->setEnabled(!m_tasks->selectedItems().isEmpty()); });

    // 3: notes, added and changed from their context menu.
    m_notes = new QListWidget(m_pages);
    m_notes->setObjectName(QStringLiteral("elvNotes"));
    m_notes->setToolTip(QStringLiteral("Right Click to add Notes!"));
    m_notes->setViewMode(QListView::IconMode);
    m_notes->setWordWrap(true);
    m_notes->setContextMenuPolicy(Qt::CustomContextMenu);
    m_pages->addWidget(m_notes);
    connect(m_notes, &QListWidget::customContextMenuRequested, this, &TSiteManager::NotesMenu);
    connect(m_notes, &QListWidget::itemDoubleClicked, this, guarded(&TSiteManager::EditNote));

    // 4 and 5: parts still to come.
    m_pages->addWidget(TextPage(m_pages, QStringLiteral("Sorry, not implemented yet!")));
    m_pages->addWidget(TextPage(m_pages, QStringLiteral("Not implemented, yet...")));
}

void TSiteManager::SetStored(const QList<TTask> &tasks, const QStringList &notes, const QString &projectFile)
{
    m_tasks->clear();
    for (const TTask &task : tasks)
        AddTaskRow(task);
    m_notes->clear();
    for (const QString &note : notes)
        m_notes->addItem(new QListWidgetItem(
            QIcon::fromTheme(QStringLiteral("knotes"), QIcon::fromTheme(QStringLiteral("text-x-generic"))), note));
    m_projectFile = projectFile;
    if (!projectFile.isEmpty())
        LoadProject(projectFile);
}

QList<TSiteManager::TTask> TSiteManager::Tasks() const
{
    QList<TTask> tasks;
    for (int i = 0; i < m_tasks->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = m_tasks->topLevelItem(i);
        tasks.append({row->text(0), row->text(1), row->text(2)});
    }
    return tasks;
}

QStringList TSiteManager::Notes() const
{
    QStringList notes;
    for (int i = 0; i < m_notes->count(); ++i)
        notes << m_notes->item(i)->text();
    return notes;
}

void TSiteManager::ShowPage(int page)
{
    page = std::clamp(page, 0, m_pages->count() - 1);
    m_pages->setCurrentIndex(page);
    // The tree shows the part the notebook shows.
    QTreeWidgetItem *root = m_tree->topLevelItem(0);
    QTreeWidgetItem *item = page == 0 ? root : root->child(page - 1);
    if (item && m_tree->currentItem() != item) {
        const QSignalBlocker block(m_tree);
        m_tree->setCurrentItem(item);
    }
}

int TSiteManager::CurrentPage() const
{
    return m_pages->currentIndex();
}

void TSiteManager::ShowRows()
{
    m_project->clear();
    for (const Project::TRow &row : m_rows) {
        auto *item = new QTreeWidgetItem(m_project, {row.Name, row.Path});
        // A file that went away stays listed, marked, so that the project still says what it had.
        if (!row.Path.isEmpty() && !QFileInfo::exists(row.Path)) {
            for (int c = 0; c < 2; ++c) {
                item->setForeground(c, m_project->palette().brush(QPalette::Disabled, QPalette::Text));
                item->setToolTip(c, QStringLiteral("%1 (missing)").arg(row.Path));
            }
        } else {
            item->setToolTip(1, row.Path);
        }
    }
}

void TSiteManager::btnPrjAddClick()
{
    const QString path = m_host.ChooseOpenFile(QStringLiteral("Add File to Project"),
                                               QStringLiteral("Html Files (*.htm *.html);;All Files (*)"));
    if (path.isEmpty())
        return;
    m_rows.append(Project::RowFor(path));
    ShowRows();
}

void TSiteManager::btnPrjRemoveClick()
{
    QTreeWidgetItem *item = m_project->currentItem();
    if (!item || !item->isSelected())
        return;
    m_rows.removeAt(m_project->indexOfTopLevelItem(item));
    ShowRows();
}

void TSiteManager::btnPrjSaveClick()
{
    QString target = m_projectFile;
    if (!QFileInfo(target).isFile()) {
        const QString start = QFileInfo(target).isAbsolute() ? target : QDir::current().filePath(target);
        target = m_host.ChooseSaveFile(QStringLiteral("Save current Project"), kProjectFilter, start);
        if (target.isEmpty())
            return;
        if (QFileInfo(target).suffix().isEmpty())
            target += QStringLiteral(".tfp");
    }
    const QString error = Project::Write(target, m_rows);
    if (!error.isEmpty()) {
        m_host.ShowMessage(QMessageBox::Warning, QStringLiteral("Save current Project"), error);
        return;
    }
    m_projectFile = target;
    m_host.SetStatusPanelText(kProjectStatusPanel, Project::StatusText(target));
}

void TSiteManager::btnPrjLoadClick()
{
    const QString path = m_host.ChooseOpenFile(QStringLiteral("Load saved project"), kProjectFilter,
                                               QFileInfo(m_projectFile).absolutePath());
    if (!path.isEmpty())
        LoadProject(path);
}

bool TSiteManager::LoadProject(const QString &path)
{
    const Project::TRead read = Project::Read(path);
    if (!read.Error.isEmpty()) {
        m_host.ShowMessage(QMessageBox::Warning, QStringLiteral("Load saved project"), read.Error);
        return false;
    }
    m_rows = read.Rows;
    ShowRows();
    m_projectFile = path;
    m_host.SetStatusPanelText(kProjectStatusPanel, Project::StatusText(path));
    return true;
}

void TSiteManager::New2Click()
{
    QString name;
    if (!m_host.InputQuery(QStringLiteral("New Project"), QStringLiteral("Please enter project name:"), name))
        return;
    if (!m_rows.isEmpty() && QFileInfo(m_projectFile).isFile()
        && m_host.AskYesNo(QStringLiteral("New Project"), QStringLiteral("Save changes to ")
                                                              + QFileInfo(m_projectFile).fileName()
                                                              + QStringLiteral(" ?")))
        btnPrjSaveClick();
    m_rows.clear();
    ShowRows();
    m_projectFile = Project::NewProjectFile(name);
    m_host.SetStatusPanelText(kProjectStatusPanel, Project::StatusText(m_projectFile));
    m_host.ShowSidePage(TCommandHost::ManagerPage);
    ShowPage(1);
}

void TSiteManager::OpenSelectedFile()
{
    QTreeWidgetItem *item = m_project->currentItem();
    if (item && !item->text(1).isEmpty())
        m_host.OpenDocument(item->text(1));
}

void TSiteManager::AddTaskRow(const TTask &task)
{
    auto *row = new QTreeWidgetItem(m_tasks, {task[0], task[1], task[2]});
    row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
    row->setCheckState(0, Qt::Unchecked);
    row->setIcon(0, QIcon::fromTheme(QStringLiteral("view-task"), QIcon::fromTheme(QStringLiteral("text-x-generic"))));
}

void TSiteManager::btnNewTaskClick()
{
    const QString caption = QStringLiteral("New Task");
    TTask task;
    if (!m_host.InputQuery(caption, QStringLiteral("Please enter Task name:"), task[0]))
        return;
    // The name makes the task; the other two answers may be cancelled and stay empty.
    if (!m_host.InputQuery(caption, QStringLiteral("Please enter Task description:"), task[1]))
        task[1].clear();
    if (!m_host.InputQuery(caption, QStringLiteral("Please enter Task's due Date:"), task[2]))
        task[2].clear();
    AddTaskRow(task);
}

void TSiteManager::btnDeleteTaskClick()
{
    const QList<QTreeWidgetItem *> selected = m_tasks->selectedItems();
    if (!selected.isEmpty())
        delete selected.first();
}

void TSiteManager::NewNote()
{
    QString text;
    if (m_host.InputQuery(QStringLiteral("New Note"), QStringLiteral("Please enter new Note here:"), text))
        m_notes->addItem(new QListWidgetItem(
            QIcon::fromTheme(QStringLiteral("knotes"), QIcon::fromTheme(QStringLiteral("text-x-generic"))), text));
}

void TSiteManager::EditNote()
{
    QListWidgetItem *item = m_notes->currentItem();
    if (!item)
        return;
    QString text = item->text();
    if (m_host.InputQuery(QStringLiteral("Edit Note"), QStringLiteral("Edit Note here:"), text))
        item->setText(text);
}

void TSiteManager::DeleteNote()
{
    delete m_notes->currentItem();
}

void TSiteManager::NotesMenu(const QPoint &at)
{
    QListWidgetItem *under = m_notes->itemAt(at);
    if (under)
        m_notes->setCurrentItem(under);
    QMenu menu(m_notes);
    menu.setObjectName(QStringLiteral("pmNotes"));
    menu.addAction(QStringLiteral("&New Note..."), this, [this] { NewNote(); });
    menu.addSeparator();
    menu.addAction(QStringLiteral("&Delete Note"), this, [this] { DeleteNote(); })->setEnabled(under);
    menu.addAction(QStringLiteral("&Edit Note..."), this, [this] { EditNote(); })->setEnabled(under);
    menu.addSeparator();
    QMenu *view = menu.addMenu(QStringLiteral("View"));
    view->addAction(QStringLiteral("Large Symbols"), this, [this] {
        m_notes->setViewMode(QListView::IconMode);
        m_notes->setIconSize(QSize(32, 32));
    });
    view->addAction(QStringLiteral("List"), this, [this] {
        m_notes->setViewMode(QListView::ListMode);
        m_notes->setIconSize(QSize(16, 16));
    });
    view->addAction(QStringLiteral("Small Symbols"), this, [this] {
        m_notes->setViewMode(QListView::IconMode);
        m_notes->setIconSize(QSize(16, 16));
    });
    menu.exec(m_notes->viewport()->mapToGlobal(at));
}
