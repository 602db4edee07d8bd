// The image browser's rules: where the next thumbnail goes, which files of a folder it shows and
// how each is decoded.
#pragma once

#include <QFileDevice>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

namespace ImageBrowser {

inline constexpr int kThumbWidth = 64;
inline constexpr int kThumbHeight = 48;
inline constexpr int kGap = 10;
inline constexpr int kPerRow = 3;
// The frame lies behind the thumbnail, 2 pixels larger on every side.
inline constexpr int kFrameMargin = 2;

// Three thumbnails fill a row, 74 pixels apart; rows lie 58 pixels apart.
class TThumbLayout
{
public:
    QPoint Next() const { return {m_x, m_y}; }
    int RowCount() const { return m_rowCount; }
    // Moves on past the thumbnail just placed at Next().
    void Advance();
    void Clear();

private:
    int m_x = 0;
    int m_y = 0;
    int m_rowCount = 0;
};

// The folder listing's name filters: the web pictures plus the formats the desktop commonly has.
QStringList PictureNameFilters();
// Whether the listing takes fileName (its extension matched in any case).
bool IsListedPicture(const QString &fileName);

// How a thumbnail is made: JPEG for ".jpg"/".jpeg" written in lower case, the generic loader
// (which goes by the content) for other picture names in any case, none for anything else.
enum class TLoader { None, Jpeg, Generic };
TLoader LoaderFor(const QString &fileName);

// The owner's, group's and others' rights as "rwxr-x---".
QString PermissionText(QFileDevice::Permissions permissions);

} // namespace ImageBrowser
