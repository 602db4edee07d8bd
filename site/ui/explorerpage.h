// The side bar's explorer page: the folder tree, the filtered file list of its folder and a
// picture preview; files open as documents, pictures go in as images and files drag in as links.
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QFileSystemModel;
class QLabel;
class QModelIndex;
class QToolButton;
class QTreeView;
class QWidget;
class TCommandHost;

class TExplorerPage : public QObject
{
    Q_OBJECT
public:
    // Fills the explorer page around its folder tree (the page's "SysDrives" view).
    TExplorerPage(TCommandHost &host, QObject *parent);

    // Shows folder in the tree and its files in the list.
    void SelectFolder(const QString &folder);
    QString SelectedFolder() const { return m_folder; }
    void SetFilter(int filter);
    int Filter() const { return m_filter; }

    void FileClicked(const QString &path);
    void FileSelected(const QString &path);
    void FileActivated(const QString &path);
    void OpenInStandardApplication(const QString &path);
    void ShowPreview(const QString &path, const QString &shownName);
    void SetPreviewVisible(bool visible);
    bool PreviewVisible() const;
    QString PreviewPath() const { return m_previewPath; }
    QString PreviewSizeText() const;

    QTreeView *FileList() const { return m_list; }
    QTreeView *FolderTree() const { return m_tree; }

    // What a click on the preview opens (the image viewer); nothing until set.
    std::function<void(const QString &path)> OpenViewer;
    // Called with the new folder whenever the selected folder changes.
    std::function<void(const QString &folder)> FolderChanged;
    // The picture browser button: enabled once it has a command, pressed while the browser shows.
    void SetBrowserCommand(std::function<void()> toggle);
    void SetBrowserPressed(bool pressed);
    QToolButton *BrowserButton() const { return m_browserButton; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString PathAt(const QModelIndex &index) const;
    void FilesMenu(const QPoint &at);

    TCommandHost &m_host;
    QTreeView *m_tree = nullptr;
    QTreeView *m_list = nullptr;
    QFileSystemModel *m_files = nullptr;
    QWidget *m_preview = nullptr;
    QLabel *m_picture = nullptr;
    QLabel *m_name = nullptr;
    QLabel *m_size = nullptr;
    QToolButton *m_previewButton = nullptr;
    QToolButton *m_browserButton = nullptr;
    std::function<void()> m_browserToggle;
    QString m_folder;
    QString m_previewPath;
    int m_filter = 0;
};
