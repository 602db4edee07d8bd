// The tree's nodes linked to their parents and children, so that a view can ask for any node's
// children without walking the node list: the view then costs what it shows, not the page.
#pragma once

#include "analysis/core/treenodes.h"

#include <QList>

#include <vector>

class TTreeOutline
{
public:
    TTreeOutline() = default;
    // Each node's parent is the nearest earlier node one level up; a node without one is left out.
    explicit TTreeOutline(QList<TTreeNodeEntry> nodes);

    int Count() const { return int(m_nodes.size()); }
    const TTreeNodeEntry &Node(int node) const { return m_nodes.at(node); }
    int Parent(int node) const { return m_parent[size_t(node)]; } // -1 at the top level
    int Row(int node) const { return m_row[size_t(node)]; }       // among its parent's children
    // parent -1 asks for the top level.
    int ChildCount(int parent) const;
    int Child(int parent, int row) const;

private:
    QList<TTreeNodeEntry> m_nodes;
    std::vector<int> m_parent;
    std::vector<int> m_row;
    std::vector<int> m_top;
    std::vector<int> m_childStart; // node -> first entry in m_children; one extra entry at the end
    std::vector<int> m_children;
};
