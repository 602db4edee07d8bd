// Reading a picture within the pixel budget.
#include "prefs/ui/pictureloader.h"

#include <QFileInfo>
#include <QImageReader>

TLoadedPicture LoadPicture(const QString &path, qint64 pixelBudget)
{
    TLoadedPicture result;
    const QString name = QFileInfo(path).fileName();
    const QString cannot = QStringLiteral("Cannot show \"%1\": ").arg(name);
    result.Decoder = ImagePicking::DecoderFor(name);

    const QFileInfo info(path);
    if (!info.exists()) {
        result.Error = cannot + QStringLiteral("the file does not exist.");
        return result;
    }
    // A pipe or device would block the reader.
    if (!info.isFile()) {
        result.Error = cannot + QStringLiteral("it is not a file.");
        return result;
    }

    QImageReader reader(path);
    if (result.Decoder == ImagePicking::TDecoder::Jpeg)
        reader.setFormat("jpeg");
    else
        reader.setDecideFormatFromContent(true);
    if (!reader.canRead()) {
        result.Error = cannot + QStringLiteral("it is not a picture TagForge can read.");
        return result;
    }
    result.OriginalSize = reader.size();
    if (!result.OriginalSize.isValid() || result.OriginalSize.isEmpty()) {
        result.Error = cannot + QStringLiteral("its size cannot be read.");
        return result;
    }
    const QSize kept = ImagePicking::KeptSize(result.OriginalSize, pixelBudget);
    if (kept != result.OriginalSize) {
        reader.setScaledSize(kept);
        result.Note = QStringLiteral("The picture has %1 x %2 pixels; it is shown at %3 x %4.")
                          .arg(result.OriginalSize.width())
                          .arg(result.OriginalSize.height())
                          .arg(kept.width())
                          .arg(kept.height());
    }
    QImage image = reader.read();
    if (image.isNull()) {
        result.Error = cannot + reader.errorString() + QLatin1Char('.');
        return result;
    }
    result.Image = image.convertToFormat(QImage::Format_ARGB32);
    return result;
}
