// The image viewer's arithmetic: where the picture is drawn, which pixel is under the mouse, the
// texts it inserts, and how large a picture it keeps in memory.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>
#include <optional>

namespace ImagePicking {

// A picture larger than this many pixels is decoded scaled down to fit: 20000 x 20000 pixels
// would need 1.6 GB, while one 25-megapixel copy stays near 100 MB.
inline constexpr qint64 kPixelBudget = 25'000'000;

// "#" + the HTML colour of a 0xRRGGBB pixel: "#FF0000".
QString PixelColorText(std::uint32_t rgb);
// The text for an image map: "12,40".
QString CoordinateText(QPoint pixel);

// How a file is decoded, chosen by its extension as written: only ".jpg" and ".jpeg" in lower
// case go to the JPEG decoder; the generic loader looks at the content, so "photo.JPG" loads too.
enum class TDecoder { Jpeg, Generic };
TDecoder DecoderFor(const QString &fileName);

// The size a picture is kept at: its own, or scaled down (keeping its proportions, never below
// 1 x 1) until it fits budget pixels.
QSize KeptSize(QSize original, qint64 budget = kPixelBudget);

// Where a picture is drawn in a control: filling it when stretched, otherwise at its natural
// size, centred (it may then stick out on either side).
QRect PictureRect(QSize picture, QSize control, bool stretch);

// The pixel of a picture of size picture, drawn over rect, that lies under point; nothing when the
// point is outside the drawn picture. Passing the original size gives coordinates in the file's
// own pixels when a scaled copy is drawn.
std::optional<QPoint> PixelUnder(QPoint point, const QRect &rect, QSize picture);

} // namespace ImagePicking
