// Ready-made text for the caret: the contents of a file (text, template, the minimal skeleton)
// and the colour of the palette strip.
#pragma once

#include <QString>

#include <cstdint>

namespace TextInsertion {

// Files above this are refused: the editor is the wrong tool to paste them with.
constexpr qint64 kMaxInsertBytes = 32 * 1024 * 1024;

struct TFileText
{
    QString Text;  // every line followed by CR LF; empty for an empty file
    QString Error; // why nothing can be inserted; empty on success
};

// Reads a file as text, decoded as documents are (a BOM, else UTF-8 when valid, else
// Windows-1252). Binary files (NUL bytes), files over maxBytes and anything but a regular file
// are refused with a message naming the file.
TFileText ReadFileText(const QString &path, qint64 maxBytes = kMaxInsertBytes);
// The same rule for bytes already read.
QString LinesWithCrLf(QStringView text);

// The palette strip: a width x height picture of hues across and light to dark down, and the
// colour at a point of it (0xRRGGBB); points outside are clamped to the strip.
constexpr int kPaletteWidth = 450;
constexpr int kPaletteHeight = 30;
std::uint32_t PaletteColor(int x, int y);
// "#RRGGBB" in upper case.
QString ColorCaption(std::uint32_t rgb);

} // namespace TextInsertion
