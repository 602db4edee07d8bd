// Decodes one thumbnail; safe to call from a worker thread (it touches no widget).
#pragma once

#include <QImage>
#include <QString>

// The picture at path stretched to 64 x 48, read small from the start so that a huge picture
// costs no more than a few thumbnails; a null image when the file is no picture it can read.
QImage LoadThumbnail(const QString &path);
