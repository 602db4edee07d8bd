// The image browser's layout, listing filter and loader choice.
#include "prefs/core/thumbnaillayout.h"

#include "prefs/core/imagepicking.h"

namespace ImageBrowser {

void TThumbLayout::Advance()
{
    ++m_rowCount;
    if (m_rowCount >= kPerRow) {
        m_y += kGap + kThumbHeight;
        m_x = 0;
        m_rowCount = 0;
    } else {
        m_x += kGap + kThumbWidth;
    }
}

void TThumbLayout::Clear()
{
    *this = TThumbLayout();
}

QStringList PictureNameFilters()
{
    return {QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"), QStringLiteral("*.gif"), QStringLiteral("*.bmp"),
            QStringLiteral("*.png"), QStringLiteral("*.webp"), QStringLiteral("*.svg")};
}

bool IsListedPicture(const QString &fileName)
{
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    // A name that is only an extension (".png") is a hidden file, not a picture.
    if (dot <= 0)
        return false;
    const QString pattern = QLatin1Char('*') + fileName.mid(dot).toLower();
    return PictureNameFilters().contains(pattern);
}

TLoader LoaderFor(const QString &fileName)
{
    if (!IsListedPicture(fileName))
        return TLoader::None;
    return ImagePicking::DecoderFor(fileName) == ImagePicking::TDecoder::Jpeg ? TLoader::Jpeg : TLoader::Generic;
}

QString PermissionText(QFileDevice::Permissions permissions)
{
    // clang-format off
    static const struct { QFileDevice::Permission Flag; char Letter; } kBits[] = {
        {QFileDevice::ReadOwner, 'r'}, {QFileDevice::WriteOwner, 'w'}, {QFileDevice::ExeOwner, 'x'},
        {QFileDevice::ReadGroup, 'r'}, {QFileDevice::WriteGroup, 'w'}, {QFileDevice::ExeGroup, 'x'},
        {QFileDevice::ReadOther, 'r'}, {QFileDevice::WriteOther, 'w'}, {QFileDevice::ExeOther, 'x'},
    };
    // clang-format on
    QString text;
    for (const auto &bit : kBits)
        text += permissions.testFlag(bit.Flag) ? QLatin1Char(bit.Letter) : QLatin1Char('-');
    return text;
}

} // namespace ImageBrowser
