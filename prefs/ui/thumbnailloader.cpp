// Thumbnail decoding through the size-checked picture loader.
#include "prefs/ui/thumbnailloader.h"

#include "prefs/core/thumbnaillayout.h"
#include "prefs/ui/pictureloader.h"

namespace {
// Decoding at no more than four times the thumbnail's pixels keeps the scaled result smooth.
constexpr qint64 kThumbBudget = qint64(ImageBrowser::kThumbWidth) * ImageBrowser::kThumbHeight * 4;
} // namespace

QImage LoadThumbnail(const QString &path)
{
    if (ImageBrowser::LoaderFor(path) == ImageBrowser::TLoader::None)
        return QImage();
    const TLoadedPicture picture = LoadPicture(path, kThumbBudget);
    if (picture.Image.isNull())
        return QImage();
    // The thumbnail is stretched over its whole box, as the browser shows it.
    return picture.Image.scaled(ImageBrowser::kThumbWidth, ImageBrowser::kThumbHeight, Qt::IgnoreAspectRatio,
                                Qt::SmoothTransformation);
}
