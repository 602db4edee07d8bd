// The side bar: a header to dock or hide it, four page buttons and the notebook of panels.
#pragma once

#include <QWidget>

class QButtonGroup;
class QFileSystemModel;
class QStackedWidget;
class QToolButton;
class QTreeView;

class TExplorerBar : public QWidget
{
    Q_OBJECT
public:
    enum Page { ExplorerPage = 0, TreePage, CharsPage, ManagerPage, ReportPage, PageCount };

    explicit TExplorerBar(QWidget *parent = nullptr);

    QStackedWidget *Pages() const { return m_pages; }
    QWidget *PageWidget(Page page) const;
    int CurrentPage() const;
    void ShowPage(Page page);
    // Opens a page's switch button: pages whose content is still to come stay closed.
    void SetPageAvailable(Page page);
    // Points the explorer's folder tree at a directory.
    void SetExplorerRoot(const QString &path);
    QTreeView *SysDrives() const { return m_sysDrives; }

Q_SIGNALS:
    void AlignLeftClicked();
    void AlignRightClicked();
    void HideClicked();
    void PageShown(int page);

private:
    QToolButton *HeaderButton(const QString &name, const QString &icon, const QString &fallback, const QString &hint);

    QStackedWidget *m_pages = nullptr;
    QButtonGroup *m_switch = nullptr;
    QTreeView *m_sysDrives = nullptr;
    QFileSystemModel *m_fsModel = nullptr;
};
