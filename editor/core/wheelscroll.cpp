// Mouse-wheel accumulation: every full notch of 120 units scrolls a number of lines.
#include "editor/core/wheelscroll.h"

#include <algorithm>

int TWheelAccumulator::Add(int delta, bool ctrl, int linesInWindow, bool halfPage)
{
    m_accumulated += delta;
    const int notches = m_accumulated / 120;
    m_accumulated -= notches * 120;
    int perNotch = 3;
    if (ctrl)
        perNotch = halfPage ? std::max(1, linesInWindow / 2) : linesInWindow;
    perNotch = std::max(1, std::min(perNotch, std::max(1, linesInWindow)));
    return notches * perNotch;
}
