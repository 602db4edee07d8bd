// The explorer page.
#include "site/ui/explorerpage.h"

#include "editor/core/codeedit.h"
#include "editor/ui/codeeditview.h"
#include "platform/qt/commandhost.h"
#include "site/ui/panelbutton.h"
#include "site/core/explorerrules.h"

#include <QAction>
#include <QActionGroup>
#include <QBoxLayout>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QSplitter>
#include <QStandardPaths>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>

namespace {

// Pictures larger than this are not decoded for an 82 × 64 preview.
constexpr qint64 kPreviewPixelBudget = qint64(8000) * 8000;

// The file list's model: a file dragged out of it becomes a link in the document it is dropped
// on, not a document of its own, so it travels as text.
class TExplorerFileModel : public QFileSystemModel
{
public:
    using QFileSystemModel::QFileSystemModel;
    std::function<QString()> DocumentDir;

    QMimeData *mimeData(const QModelIndexList &indexes) const override
    {
        auto *mime = new QMimeData;
        QStringList links;
        for (const QModelIndex &index : indexes)
            if (index.column() == 0)
                links << Explorer::LinkMarkup(filePath(index), DocumentDir ? DocumentDir() : QDir::currentPath());
        mime->setText(links.join(QStringLiteral("\r\n")));
        return mime;
    }
    QStringList mimeTypes() const override { return {QStringLiteral("text/plain")}; }
};

// F5 refreshes a view; Enter in the list acts like a double-click.
class TExplorerKeys : public QObject
{
public:
    TExplorerKeys(QObject *parent, std::function<void()> refresh, std::function<void()> enter)
        : QObject(parent), m_refresh(std::move(refresh)), m_enter(std::move(enter))
    {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_F5) {
                m_refresh();
                return true;
            }
            if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_enter) {
                m_enter();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_refresh;
    std::function<void()> m_enter;
};

} // namespace

TExplorerPage::TExplorerPage(TCommandHost &host, QObject *parent) : QObject(parent), m_host(host)
{
    QWidget *page = m_host.SidePageWidget(TCommandHost::ExplorerPage);
    m_tree = page->findChild<QTreeView *>(QStringLiteral("SysDrives"));
    auto *layout = qobject_cast<QBoxLayout *>(page->layout());
    if (!m_tree || !layout)
        return;

    // The paths toolbar: the special folders.
    auto *symbar = new QWidget(page);
    symbar->setObjectName(QStringLiteral("pnlSymbar"));
    auto *symLayout = new QHBoxLayout(symbar);
    symLayout->setContentsMargins(2, 0, 2, 0);
    QToolButton *folders = PanelButton(symbar, "btnFolders", "folder", QStringLiteral("Folders"));
    folders->setText(QStringLiteral("Folders"));
    folders->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    folders->setPopupMode(QToolButton::InstantPopup);
    auto *foldersMenu = new QMenu(folders);
    foldersMenu->setObjectName(QStringLiteral("pmFolders"));
    QMenu *special = foldersMenu->addMenu(QStringLiteral("&Special Folders"));
    const QString home = QDir::homePath();
    for (const Explorer::TSpecialFolder &f :
         Explorer::SpecialFolders(home, QStandardPaths::writableLocation(QStandardPaths::DesktopLocation),
                                  QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))) {
        QAction *a = special->addAction(f.Caption, this, [this, path = f.Path] { SelectFolder(path); });
        a->setEnabled(!f.Path.isEmpty());
        a->setStatusTip(f.Path);
    }
    folders->setMenu(foldersMenu);
    symLayout->addWidget(folders);
    symLayout->addStretch();

    // The tree above the file list.
    layout->removeWidget(m_tree);
    auto *split = new QSplitter(Qt::Vertical, page);
    split->setObjectName(QStringLiteral("RSplitter"));
    m_tree->setParent(split);
    split->addWidget(m_tree);

    auto *files = new TExplorerFileModel(this);
    files->DocumentDir = [this] {
        const QFileInfo document(m_host.ActiveDocumentPath());
        return m_host.ActiveEditorView() && document.isAbsolute() ? document.absolutePath() : QDir::currentPath();
    };
    m_files = files;
    m_files->setFilter(QDir::Files | QDir::NoDotAndDotDot);
    m_files->setNameFilterDisables(false);
    m_list = new QTreeView(split);
    m_list->setObjectName(QStringLiteral("elvFiles"));
    m_list->setModel(m_files);
    m_list->setRootIsDecorated(false);
    m_list->setSortingEnabled(true);
    m_list->sortByColumn(0, Qt::AscendingOrder);
    m_list->setDragEnabled(true);
    m_list->setDragDropMode(QAbstractItemView::DragOnly);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->header()->resizeSection(0, 140);
    split->addWidget(m_list);
    split->setStretchFactor(1, 1);

    // The filter, preview and picture browser buttons under the list.
    auto *panel = new QWidget(page);
    panel->setObjectName(QStringLiteral("Panel1"));
    auto *panelLayout = new QHBoxLayout(panel);
    panelLayout->setContentsMargins(2, 0, 2, 0);
    QToolButton *filters = PanelButton(panel, "btnFilters", "view-filter", QStringLiteral("File Filter..."));
    filters->setPopupMode(QToolButton::InstantPopup);
    auto *filterMenu = new QMenu(filters);
    filterMenu->setObjectName(QStringLiteral("pmFileFilters"));
    auto *filterGroup = new QActionGroup(filterMenu);
    for (int i = 0; i < Explorer::Filters().size(); ++i) {
        QAction *a = filterMenu->addAction(Explorer::Filters().at(i).Caption, this, [this, i] { SetFilter(i); });
        a->setCheckable(true);
        a->setChecked(i == 0);
        filterGroup->addAction(a);
    }
    filters->setMenu(filterMenu);
    m_previewButton = PanelButton(panel, "btnImgPrevX", "view-preview", QStringLiteral("Picture QuickView on/off"));
    m_previewButton->setCheckable(true);
    QToolButton *browser =
        PanelButton(panel, "btnImgBrowser", "view-list-icons", QStringLiteral("Toggle Picture Browser"));
    browser->setCheckable(true);
    browser->setEnabled(false);
    m_browserButton = browser;
    connect(browser, &QToolButton::clicked, this, [this] {
        if (m_browserToggle)
            m_browserToggle();
    });
    for (QToolButton *b : {filters, m_previewButton, browser})
        panelLayout->addWidget(b);
    panelLayout->addStretch();

    // The picture preview, hidden until a picture is chosen.
    m_preview = new QWidget(page);
    m_preview->setObjectName(QStringLiteral("pnlImgPrev"));
    auto *previewLayout = new QHBoxLayout(m_preview);
    previewLayout->setContentsMargins(2, 2, 2, 2);
    m_picture = new QLabel(m_preview);
    m_picture->setObjectName(QStringLiteral("ImgPrev"));
    m_picture->setFixedSize(82, 64);
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setFrameShape(QFrame::StyledPanel);
    m_picture->setCursor(Qt::PointingHandCursor);
    m_picture->installEventFilter(this);
    auto *labels = new QVBoxLayout;
    m_name = new QLabel(m_preview);
    m_name->setObjectName(QStringLiteral("lblImgName"));
    m_name->setWordWrap(true);
    m_size = new QLabel(m_preview);
    m_size->setObjectName(QStringLiteral("lblImgSize"));
    labels->addWidget(new QLabel(QStringLiteral("Name:"), m_preview));
    labels->addWidget(m_name);
    labels->addWidget(new QLabel(QStringLiteral("Size:"), m_preview));
    labels->addWidget(m_size);
    labels->addStretch();
    previewLayout->addWidget(m_picture);
    previewLayout->addLayout(labels, 1);
    m_preview->hide();

    layout->addWidget(symbar);
    layout->addWidget(split, 1);
    layout->addWidget(panel);
    layout->addWidget(m_preview);

    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &index) {
        const auto *model = qobject_cast<const QFileSystemModel *>(m_tree->model());
        if (model && index.isValid())
            SelectFolder(model->filePath(index));
    });
    connect(m_list, &QTreeView::clicked, this,
            [this](const QModelIndex &i) { m_host.RunGuarded([&] { FileClicked(PathAt(i)); }); });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &i) { FileSelected(PathAt(i)); });
    connect(m_list, &QTreeView::doubleClicked, this,
            [this](const QModelIndex &i) { m_host.RunGuarded([&] { FileActivated(PathAt(i)); }); });
    connect(m_list, &QTreeView::customContextMenuRequested, this, &TExplorerPage::FilesMenu);
    connect(m_previewButton, &QToolButton::toggled, this, &TExplorerPage::SetPreviewVisible);

    m_list->installEventFilter(new TExplorerKeys(
        this, [this] { SelectFolder(m_folder); },
        [this] { m_host.RunGuarded([this] { FileActivated(PathAt(m_list->currentIndex())); }); }));
    m_tree->installEventFilter(new TExplorerKeys(
        this,
        [this] {
            if (auto *model = qobject_cast<QFileSystemModel *>(m_tree->model())) {
                // Setting the root again makes the model read the folder anew.
                const QString root = model->rootPath();
                model->setRootPath(QString());
                model->setRootPath(root);
            }
        },
        nullptr));
}

QString TExplorerPage::PathAt(const QModelIndex &index) const
{
    return index.isValid() ? m_files->filePath(index.siblingAtColumn(0)) : QString();
}

void TExplorerPage::SelectFolder(const QString &folder)
{
    if (folder.isEmpty() || !m_list)
        return;
    m_folder = folder;
    if (auto *model = qobject_cast<QFileSystemModel *>(m_tree->model())) {
        const QModelIndex index = model->index(folder);
        if (index.isValid() && m_tree->currentIndex() != index) {
            m_tree->setCurrentIndex(index);
            m_tree->scrollTo(index);
        }
    }
    // The model watches the folder it shows, so files that come and go appear by themselves.
    m_list->setRootIndex(m_files->setRootPath(folder));
    if (FolderChanged)
        FolderChanged(folder);
}

void TExplorerPage::SetBrowserCommand(std::function<void()> toggle)
{
    m_browserToggle = std::move(toggle);
    m_browserButton->setEnabled(bool(m_browserToggle));
}

void TExplorerPage::SetBrowserPressed(bool pressed)
{
    m_browserButton->setChecked(pressed);
}

void TExplorerPage::SetFilter(int filter)
{
    if (filter < 0 || filter >= Explorer::Filters().size())
        return;
    m_filter = filter;
    m_files->setNameFilters(Explorer::Filters().at(filter).Masks);
}

void TExplorerPage::FileClicked(const QString &path)
{
    if (path.isEmpty())
        return;
    switch (Explorer::ClickAction(path)) {
    case Explorer::TClickAction::OpenDocument: m_host.OpenDocument(path); break;
    case Explorer::TClickAction::PreviewPicture: ShowPreview(path, path); break;
    case Explorer::TClickAction::HidePreview: SetPreviewVisible(false); break;
    }
}

void TExplorerPage::FileSelected(const QString &path)
{
    if (path.isEmpty())
        return;
    if (Explorer::IsPreviewPicture(path))
        ShowPreview(path, QFileInfo(path).fileName());
    else
        SetPreviewVisible(false);
}

void TExplorerPage::FileActivated(const QString &path)
{
    if (path.isEmpty())
        return;
    if (Explorer::IsInsertablePicture(path)) {
        auto *view = qobject_cast<TCodeEditView *>(m_host.RequiredEditorView());
        view->Engine()->SetSelText(Explorer::ImageTag(path));
        view->setFocus();
        return;
    }
    if (Explorer::ClickAction(path) != Explorer::TClickAction::OpenDocument)
        OpenInStandardApplication(path);
}

void TExplorerPage::OpenInStandardApplication(const QString &path)
{
    if (!m_host.OpenUrl(QUrl::fromLocalFile(path)))
        m_host.ShowMessage(QMessageBox::Warning, QStringLiteral("Explorer"),
                           QStringLiteral("No program is set to open %1.").arg(path));
}

void TExplorerPage::ShowPreview(const QString &path, const QString &shownName)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true); // "photo.JPG" and misnamed files alike
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > kPreviewPixelBudget) {
        m_host.ShowStatus(QStringLiteral("%1 is too large for the preview (%2).")
                              .arg(QFileInfo(path).fileName(), Explorer::SizeText(size.width(), size.height())));
        return;
    }
    if (size.isValid())
        reader.setScaledSize(size.scaled(m_picture->size(), Qt::KeepAspectRatio));
    const QImage image = reader.read();
    if (image.isNull()) {
        // The preview keeps its previous picture; the status bar says why.
        m_host.ShowStatus(QStringLiteral("Cannot show %1: %2").arg(QFileInfo(path).fileName(), reader.errorString()));
        return;
    }
    m_picture->setPixmap(QPixmap::fromImage(image));
    m_previewPath = path;
    m_name->setText(shownName);
    m_size->setText(size.isValid() ? Explorer::SizeText(size.width(), size.height()) : QString());
    SetPreviewVisible(true);
}

void TExplorerPage::SetPreviewVisible(bool visible)
{
    if (!m_preview)
        return;
    m_preview->setVisible(visible);
    const QSignalBlocker block(m_previewButton);
    m_previewButton->setChecked(visible);
}

bool TExplorerPage::PreviewVisible() const
{
    return m_preview && !m_preview->isHidden();
}

QString TExplorerPage::PreviewSizeText() const
{
    return m_size ? m_size->text() : QString();
}

void TExplorerPage::FilesMenu(const QPoint &at)
{
    const QModelIndex index = m_list->indexAt(at);
    if (!index.isValid())
        return;
    m_list->setCurrentIndex(index);
    const QString path = PathAt(index);
    QMenu menu(m_list);
    menu.setObjectName(QStringLiteral("pmFiles"));
    menu.addAction(QStringLiteral("Open in Standard Application"), this,
                   [this, path] { m_host.RunGuarded([&] { OpenInStandardApplication(path); }); });
    QAction *view = menu.addAction(QStringLiteral("View Image"), this, [this, path] {
        if (OpenViewer)
            OpenViewer(path);
    });
    view->setEnabled(Explorer::IsPreviewPicture(path) && OpenViewer);
    menu.exec(m_list->viewport()->mapToGlobal(at));
}

bool TExplorerPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_picture && event->type() == QEvent::MouseButtonRelease && OpenViewer && !m_previewPath.isEmpty())
        OpenViewer(m_previewPath);
    return QObject::eventFilter(watched, event);
}
