// The image viewer's picture control.
#include "prefs/ui/pictureview.h"

#include "prefs/core/imagepicking.h"

#include <QMouseEvent>
#include <QPainter>

TPictureView::TPictureView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Image"));
    setToolTip(QStringLiteral("Left Click: Select Color Value; Right Click: Paste Color Value into active Editor "
                              "(e.g. Image Map)"));
    setMinimumSize(16, 16);
}

void TPictureView::SetPicture(const QImage &image, QSize originalSize)
{
    m_image = image;
    m_originalSize = originalSize;
    update();
}

void TPictureView::SetStretch(bool stretch)
{
    m_stretch = stretch;
    update();
}

QRect TPictureView::PictureRect() const
{
    return ImagePicking::PictureRect(m_image.size(), size(), m_stretch);
}

std::optional<QRgb> TPictureView::ColorAt(QPoint point) const
{
    const auto pixel = ImagePicking::PixelUnder(point, PictureRect(), m_image.size());
    if (!pixel)
        return std::nullopt;
    return m_image.pixel(*pixel);
}

std::optional<QPoint> TPictureView::PixelAt(QPoint point) const
{
    return ImagePicking::PixelUnder(point, PictureRect(), m_originalSize);
}

void TPictureView::paintEvent(QPaintEvent *)
{
    if (m_image.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.drawImage(PictureRect(), m_image);
}

void TPictureView::mousePressEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        emit leftPressed(point);
    else if (event->button() == Qt::RightButton)
        emit rightPressed(point);
}

void TPictureView::mouseMoveEvent(QMouseEvent *event)
{
    emit moved(event->position().toPoint());
}

void TPictureView::mouseReleaseEvent(QMouseEvent *)
{
    emit released();
}
