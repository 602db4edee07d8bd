// The image viewer's arithmetic.
#include "prefs/core/imagepicking.h"

#include "assistants/core/tagassistantcode.h"

#include <algorithm>
#include <cmath>

namespace ImagePicking {

QString PixelColorText(std::uint32_t rgb)
{
    return QLatin1Char('#') + TagAssistant::ColorToHtml(rgb);
}

QString CoordinateText(QPoint pixel)
{
    return QString::number(pixel.x()) + QLatin1Char(',') + QString::number(pixel.y());
}

TDecoder DecoderFor(const QString &fileName)
{
    if (fileName.endsWith(QLatin1String(".jpg")) || fileName.endsWith(QLatin1String(".jpeg")))
        return TDecoder::Jpeg;
    return TDecoder::Generic;
}

QSize KeptSize(QSize original, qint64 budget)
{
    if (original.isEmpty() || budget <= 0)
        return original;
    const qint64 pixels = qint64(original.width()) * original.height();
    if (pixels <= budget)
        return original;
    const double factor = std::sqrt(double(budget) / double(pixels));
    int w = std::max(1, int(original.width() * factor));
    int h = std::max(1, int(original.height() * factor));
    // A side rounded up to 1 can leave the product over the budget; the other side gives way.
    if (qint64(w) * h > budget) {
        if (w >= h)
            w = int(std::max<qint64>(1, budget / h));
        else
            h = int(std::max<qint64>(1, budget / w));
    }
    return {w, h};
}

QRect PictureRect(QSize picture, QSize control, bool stretch)
{
    if (stretch)
        return QRect(QPoint(0, 0), control);
    const int x = (control.width() - picture.width()) / 2;
    const int y = (control.height() - picture.height()) / 2;
    return QRect(QPoint(x, y), picture);
}

std::optional<QPoint> PixelUnder(QPoint point, const QRect &rect, QSize picture)
{
    if (rect.isEmpty() || picture.isEmpty() || !rect.contains(point))
        return std::nullopt;
    // 64-bit products: a 20000-pixel picture over a 20000-pixel rect overflows int.
    const qint64 dx = point.x() - rect.left();
    const qint64 dy = point.y() - rect.top();
    const int x = int(dx * picture.width() / rect.width());
    const int y = int(dy * picture.height() / rect.height());
    return QPoint(std::min(x, picture.width() - 1), std::min(y, picture.height() - 1));
}

} // namespace ImagePicking
