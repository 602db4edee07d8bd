// A drop-down of the sixteen standard colours with a swatch each; a colour not among them is
// added as its own entry.
#pragma once

#include <QComboBox>

#include <cstdint>

class TColorBox : public QComboBox
{
    Q_OBJECT
public:
    explicit TColorBox(QWidget *parent = nullptr);

    std::uint32_t Color() const; // 0xRRGGBB
    void SetColor(std::uint32_t rgb);

Q_SIGNALS:
    void colorChanged(std::uint32_t rgb);

private:
    int AddColor(const QString &name, std::uint32_t rgb);
};
