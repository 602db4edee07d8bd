// TMarkList: the editor's gutter marks.
#include "editor/core/marks.h"

#include <algorithm>

void TMarkList::Add(std::unique_ptr<TMark> mark)
{
    m_marks.push_back(std::move(mark));
    Changed();
}

bool TMarkList::Remove(TMark *mark)
{
    auto it = std::find_if(m_marks.begin(), m_marks.end(), [mark](const auto &m) { return m.get() == mark; });
    if (it == m_marks.end())
        return false;
    if (OnRemoving)
        OnRemoving(mark);
    m_marks.erase(it);
    Changed();
    return true;
}

void TMarkList::Clear()
{
    if (m_marks.empty())
        return;
    if (OnRemoving)
        for (const auto &m : m_marks)
            OnRemoving(m.get());
    m_marks.clear();
    Changed();
}

std::vector<TMark *> TMarkList::GetMarksForLine(int line) const
{
    std::vector<TMark *> result;
    for (const auto &m : m_marks)
        if (m->Line() == line)
            result.push_back(m.get());
    return result;
}
