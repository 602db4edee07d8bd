// The document tree page: an outline of the parsed document that selects what a node stands for.
#pragma once

#include "analysis/core/treeoutline.h"

#include <QWidget>

#include <memory>

class QModelIndex;
class QToolButton;
class QTreeView;
class TTreeNodeModel;

class TTreePanel : public QWidget
{
    Q_OBJECT
public:
    explicit TTreePanel(QWidget *parent = nullptr);

    // The view lays out every row of an open node at once: a root with more children than this
    // stays closed until the user opens it, so that a new tree of a large page does not hold up
    // the window.
    static constexpr int AutoExpandRows = 50000;

    QTreeView *HTMLTree() const { return m_tree; }
    TTreeNodeModel *Model() const { return m_model; }
    QToolButton *btnRefreshHTree() const { return m_refresh; }
    QToolButton *btnToggleEndTags() const { return m_endTags; }
    QToolButton *btnToggleAutoTreeRefresh() const { return m_autoRefresh; }

    // Replaces the outline by the nodes of lines (the document's lines, without line breaks).
    void Rebuild(const QStringList &lines, bool showEndTags);
    // Shows a ready outline (built elsewhere, possibly on another thread).
    void SetOutline(std::shared_ptr<const TTreeOutline> outline);
    // Leaves only the root, as when the document cannot be read.
    void ShowRootOnly();

Q_SIGNALS:
    void RefreshClicked();
    void EndTagsToggled(bool shown);
    void AutoRefreshToggled(bool on);
    // A node with a range was chosen (selection change or double click).
    void NodeChosen(int startPos, int endPos);

private:
    void OnChosen(const QModelIndex &index);

    QTreeView *m_tree;
    TTreeNodeModel *m_model;
    bool m_choosingBlocked = false;
    QToolButton *m_refresh;
    QToolButton *m_endTags;
    QToolButton *m_autoRefresh;
};
