// The palette strip.
#include "doctools/ui/palettestrip.h"

#include "doctools/core/textinsertion.h"

#include <QMouseEvent>
#include <QPainter>

using namespace TextInsertion;

TPaletteStrip::TPaletteStrip(QWidget *parent)
    : QWidget(parent), m_image(kPaletteWidth, kPaletteHeight, QImage::Format_RGB32)
{
    setObjectName(QStringLiteral("imgPalette"));
    setToolTip(QStringLiteral("Click on Color to insert"));
    setFixedSize(kPaletteWidth, 22);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    for (int y = 0; y < kPaletteHeight; ++y)
        for (int x = 0; x < kPaletteWidth; ++x)
            m_image.setPixel(x, y, QRgb(0xFF000000u | PaletteColor(x, y)));
}

std::uint32_t TPaletteStrip::ColorAt(QPoint pos) const
{
    // The picture is drawn squeezed to the strip's height: the row shown is the row read.
    const int y = height() > 0 ? pos.y() * kPaletteHeight / height() : 0;
    return PaletteColor(pos.x() * kPaletteWidth / std::max(1, width()), y);
}

void TPaletteStrip::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(rect(), m_image);
}

void TPaletteStrip::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT hovered(ColorAt(event->position().toPoint()));
}

void TPaletteStrip::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const std::uint32_t rgb = ColorAt(event->position().toPoint());
    Q_EMIT hovered(rgb);
    Q_EMIT clicked(rgb);
}
