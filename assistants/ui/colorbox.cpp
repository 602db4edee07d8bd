// The standard colour drop-down.
#include "assistants/ui/colorbox.h"

#include "assistants/core/tagassistantcode.h"

#include <QPixmap>

#include <array>

TColorBox::TColorBox(QWidget *parent) : QComboBox(parent)
{
    // clang-format off
    static const std::array<std::pair<const char *, std::uint32_t>, 16> colors{{
        {"Black", 0x000000}, {"Maroon", 0x800000}, {"Green", 0x008000}, {"Olive", 0x808000},
        {"Navy", 0x000080}, {"Purple", 0x800080}, {"Teal", 0x008080}, {"Gray", 0x808080},
        {"Silver", 0xC0C0C0}, {"Red", 0xFF0000}, {"Lime", 0x00FF00}, {"Yellow", 0xFFFF00},
        {"Blue", 0x0000FF}, {"Fuchsia", 0xFF00FF}, {"Aqua", 0x00FFFF}, {"White", 0xFFFFFF},
    }};
    // clang-format on
    for (const auto &[name, rgb] : colors)
        AddColor(QString::fromLatin1(name), rgb);
    connect(this, &QComboBox::currentIndexChanged, this, [this] { Q_EMIT colorChanged(Color()); });
}

int TColorBox::AddColor(const QString &name, std::uint32_t rgb)
{
    QPixmap swatch(16, 12);
    swatch.fill(QColor::fromRgb(QRgb(rgb)));
    addItem(QIcon(swatch), name, QVariant::fromValue(uint(rgb)));
    return count() - 1;
}

std::uint32_t TColorBox::Color() const
{
    return currentIndex() < 0 ? 0 : currentData().toUInt();
}

void TColorBox::SetColor(std::uint32_t rgb)
{
    rgb &= 0xFFFFFFu;
    int index = findData(QVariant::fromValue(uint(rgb)));
    if (index < 0)
        index = AddColor(QLatin1Char('#') + TagAssistant::ColorToHtml(rgb), rgb);
    setCurrentIndex(index);
}
