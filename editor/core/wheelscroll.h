// Mouse-wheel accumulation: every full notch of 120 units scrolls a number of lines.
#pragma once

class TWheelAccumulator
{
public:
    // Adds a wheel delta and returns how many lines to scroll (positive: towards the top).
    // Three lines a notch, or a page with Ctrl; never more than the window height per notch.
    int Add(int delta, bool ctrl, int linesInWindow, bool halfPage);
    int Remainder() const { return m_accumulated; }

private:
    int m_accumulated = 0;
};
