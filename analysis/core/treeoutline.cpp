// The tree's nodes linked to their parents and children.
#include "analysis/core/treeoutline.h"

namespace {
constexpr int kDropped = -2; // no parent on the level above: not shown
}

TTreeOutline::TTreeOutline(QList<TTreeNodeEntry> nodes) : m_nodes(std::move(nodes))
{
    const size_t count = size_t(m_nodes.size());
    m_parent.assign(count, -1);
    m_row.assign(count, 0);
    std::vector<int> childCount(count, 0);
    std::vector<int> lastOnLevel; // the last node kept on each level
    for (size_t i = 0; i < count; ++i) {
        const int level = std::max(0, m_nodes.at(qsizetype(i)).Level);
        lastOnLevel.resize(size_t(level) + 1, -1);
        if (level == 0) {
            m_row[i] = int(m_top.size());
            m_top.push_back(int(i));
        } else if (const int parent = lastOnLevel[size_t(level) - 1]; parent >= 0) {
            m_parent[i] = parent;
            m_row[i] = childCount[size_t(parent)]++;
        } else {
            m_parent[i] = kDropped;
            lastOnLevel[size_t(level)] = -1;
            continue;
        }
        lastOnLevel[size_t(level)] = int(i);
        // A new node on this level ends the children of the one before on deeper levels.
        lastOnLevel.resize(size_t(level) + 1);
    }
    m_childStart.assign(count + 1, 0);
    for (size_t i = 0; i < count; ++i)
        m_childStart[i + 1] = m_childStart[i] + childCount[i];
    m_children.assign(size_t(m_childStart[count]), 0);
    for (size_t i = 0; i < count; ++i)
        if (const int parent = m_parent[i]; parent >= 0)
            m_children[size_t(m_childStart[size_t(parent)] + m_row[i])] = int(i);
}

int TTreeOutline::ChildCount(int parent) const
{
    if (parent < 0)
        return int(m_top.size());
    return m_childStart[size_t(parent) + 1] - m_childStart[size_t(parent)];
}

int TTreeOutline::Child(int parent, int row) const
{
    if (row < 0 || row >= ChildCount(parent))
        return -1;
    return parent < 0 ? m_top[size_t(row)] : m_children[size_t(m_childStart[size_t(parent)] + row)];
}
