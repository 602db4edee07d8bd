// What the explorer page does with a file: by its extension, the filters of its list, the
// special folders it offers, and the markup it inserts.
#pragma once

#include <QString>
#include <QStringList>

namespace Explorer {

enum class TClickAction { OpenDocument, PreviewPicture, HidePreview };
// A click on a file in the list.
TClickAction ClickAction(const QString &path);
// Pictures the preview shows (and a double-click inserts as an image).
bool IsPreviewPicture(const QString &path);
bool IsInsertablePicture(const QString &path);

struct TFilter
{
    QString Caption;
    QStringList Masks;
};
// The four filters of the list, by their number.
const QList<TFilter> &Filters();

// The "<img>" a double-click on a picture inserts: its file name only.
QString ImageTag(const QString &path);
// The link a file dragged into a document becomes, its path relative to documentDir.
QString LinkMarkup(const QString &path, const QString &documentDir);

struct TSpecialFolder
{
    QString Caption;
    QString Path; // empty: no place on this desktop
};
// Desktop, the computer's root, documents and the recent documents' folder, from the user's
// XDG folders; the trash when the desktop keeps one.
QList<TSpecialFolder> SpecialFolders(const QString &home, const QString &desktop, const QString &documents);

// "640 X 480" for a picture of that size.
QString SizeText(int width, int height);

} // namespace Explorer
