// Reads a picture for the image viewer with its size checked first, so that a huge, truncated
// or mislabelled file ends in a message instead of a freeze or a failed allocation.
#pragma once

#include "prefs/core/imagepicking.h"

#include <QImage>
#include <QString>

struct TLoadedPicture
{
    QImage Image;       // null when the file could not be read
    QSize OriginalSize; // the file's own size, also when the image is kept smaller
    ImagePicking::TDecoder Decoder = ImagePicking::TDecoder::Generic;
    QString Error; // why nothing could be shown
    QString Note;  // that the picture is shown scaled down
};

TLoadedPicture LoadPicture(const QString &path, qint64 pixelBudget = ImagePicking::kPixelBudget);
