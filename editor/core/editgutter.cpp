// TEditGutter: the settings of the editor's gutter and the numbers derived from them.
#include "editor/core/editgutter.h"

void TEditGutter::SetDigitCount(int value)
{
    value = qBound(2, value, 12);
    if (value == m_digitCount)
        return;
    m_digitCount = value;
    m_autoSizeDigitCount = value;
    Changed();
}

void TEditGutter::Assign(const TEditGutter &other)
{
    auto onChange = std::move(OnChange);
    *this = other;
    OnChange = std::move(onChange);
    Changed();
}

void TEditGutter::AutoSizeDigitCount(int lineCount)
{
    if (m_visible && m_autoSize && m_showLineNumbers) {
        int digits = 1;
        for (int n = qMax(lineCount, 1); n >= 10; n /= 10)
            ++digits;
        m_autoSizeDigitCount = qMax(digits, m_digitCount);
    } else {
        m_autoSizeDigitCount = m_digitCount;
    }
}

int TEditGutter::RealGutterWidth(int charWidth) const
{
    if (!m_visible)
        return 0;
    if (m_showLineNumbers)
        return m_leftOffset + m_rightOffset + m_autoSizeDigitCount * charWidth + 2;
    return m_width;
}

QString TEditGutter::FormatLineNumber(int line) const
{
    const int number = m_zeroStart ? line - 1 : line;
    QString text = QString::number(number).rightJustified(m_autoSizeDigitCount, QLatin1Char(' '));
    if (m_leadingZeros) {
        for (int i = 0; i < text.size() - 1 && text.at(i) == QLatin1Char(' '); ++i)
            text[i] = QLatin1Char('0');
    }
    return text;
}
