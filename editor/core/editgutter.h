// TEditGutter: the settings of the editor's gutter and the numbers derived from them.
#pragma once

#include <QString>
#include <functional>

class TEditGutter
{
public:
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value) { Set(m_autoSize, value); }
    quint32 Color() const { return m_color; } // a colour value as stored in settings
    void SetColor(quint32 value) { Set(m_color, value); }
    int DigitCount() const { return m_digitCount; }
    void SetDigitCount(int value);
    bool LeadingZeros() const { return m_leadingZeros; }
    void SetLeadingZeros(bool value) { Set(m_leadingZeros, value); }
    int LeftOffset() const { return m_leftOffset; }
    void SetLeftOffset(int value) { Set(m_leftOffset, value); }
    int RightOffset() const { return m_rightOffset; }
    void SetRightOffset(int value) { Set(m_rightOffset, value); }
    bool ShowLineNumbers() const { return m_showLineNumbers; }
    void SetShowLineNumbers(bool value) { Set(m_showLineNumbers, value); }
    bool UseFontStyle() const { return m_useFontStyle; }
    void SetUseFontStyle(bool value) { Set(m_useFontStyle, value); }
    bool Visible() const { return m_visible; }
    void SetVisible(bool value) { Set(m_visible, value); }
    int Width() const { return m_width; }
    void SetWidth(int value) { Set(m_width, qMax(0, value)); }
    bool ZeroStart() const { return m_zeroStart; }
    void SetZeroStart(bool value) { Set(m_zeroStart, value); }

    // Copies every value and reports one change.
    void Assign(const TEditGutter &other);

    // The digits the line numbers need for lineCount lines (at least DigitCount when sized
    // automatically; exactly DigitCount otherwise).
    void AutoSizeDigitCount(int lineCount);
    int AutoSizeDigits() const { return m_autoSizeDigitCount; }

    // Gutter width in pixels for a character width.
    int RealGutterWidth(int charWidth) const;
    // The text drawn for a 1-based line number.
    QString FormatLineNumber(int line) const;

    // Fired once for every real change.
    std::function<void()> OnChange;

private:
    template <typename T>
    void Set(T &field, T value)
    {
        if (field == value)
            return;
        field = value;
        Changed();
    }
    void Changed()
    {
        if (OnChange)
            OnChange();
    }

    bool m_autoSize = false;
    quint32 m_color = 0x8000000F; // the system's button face colour
    int m_digitCount = 4;
    int m_autoSizeDigitCount = 4;
    bool m_leadingZeros = false;
    int m_leftOffset = 16;
    int m_rightOffset = 2;
    bool m_showLineNumbers = false;
    bool m_useFontStyle = false;
    bool m_visible = true;
    int m_width = 30;
    bool m_zeroStart = false;
};
