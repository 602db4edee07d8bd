// The document tree page: an outline of the parsed document that selects what a node stands for.
#pragma once

#include "analysis/core/treenodes.h"

#include <QWidget>

class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

class TTreePanel : public QWidget
{
    Q_OBJECT
public:
    explicit TTreePanel(QWidget *parent = nullptr);

    QTreeWidget *HTMLTree() const { return m_tree; }
    QToolButton *btnRefreshHTree() const { return m_refresh; }
    QToolButton *btnToggleEndTags() const { return m_endTags; }
    QToolButton *btnToggleAutoTreeRefresh() const { return m_autoRefresh; }

    // Replaces the outline by the nodes of lines (the document's lines, without line breaks).
    void Rebuild(const QStringList &lines, bool showEndTags);
    // Leaves only the root, as when the document cannot be read.
    void ShowRootOnly();

Q_SIGNALS:
    void RefreshClicked();
    void EndTagsToggled(bool shown);
    void AutoRefreshToggled(bool on);
    // A node with a range was chosen (selection change or double click).
    void NodeChosen(int startPos, int endPos);

private:
    void OnChosen(QTreeWidgetItem *item);

    QTreeWidget *m_tree;
    QToolButton *m_refresh;
    QToolButton *m_endTags;
    QToolButton *m_autoRefresh;
};
