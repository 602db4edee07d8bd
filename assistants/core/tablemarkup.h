// The table wizard's markup: the <table> made from the wizard's fields, an existing table read
// back into them, and finding the table around the caret.
#pragma once

#include "assistants/core/tablegrid.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>

namespace TableWiz {

// The table width box holds at most this many characters.
constexpr int kMaxWidthLength = 6;

struct TTableFields
{
    TTableGrid Grid;
    QString Caption;      // written only when not empty
    QString CaptionAlign; // written only with a caption
    TKeptAttributes CaptionExtra;
    QString TableAlign;
    bool Border = false;
    int BorderWidth = 1; // written, even 0, when Border is set
    QString Width;       // pixels or a percentage, as typed
    int CellPadding = 0; // written when above 0
    int CellSpacing = 0;
    std::uint32_t Color = 0xFFFFFF; // 0xRRGGBB on every row and cell; white writes none
    QString BackgroundImage;
    TKeptAttributes Extra;
    QStringList Trailer; // markup after the last row that is no row, one piece a line
    bool operator==(const TTableFields &other) const = default;
};

// The markup. Lines are joined by lineBreak; every line but the first starts with indent (the
// first goes where the caret is). Line breaks inside cell texts become lineBreak too.
QString TableMarkup(const TTableFields &fields, const QString &indent, const QString &lineBreak = QStringLiteral("\r"));

// What the table wizard reads from an existing table. Rows, cells, spans, cell kinds, widths and a
// colour shared by every row and cell go to their fields; everything else (other attributes, a
// tbody or a comment between rows, nested tables in cells) is kept as written. Ok is false, with
// a message, for text that is no closed table or one larger than the grid holds.
struct TReadTable
{
    bool Ok = false;
    TTableFields Fields;
    QString Error;
};
TReadTable ReadTable(QStringView markup);

// The innermost closed <table> element around pos (an index into text): from its "<" to after
// the ">" of its end tag. Start <= pos < End. Comments and script or style text are skipped.
struct TTableRange
{
    qsizetype Start = -1;
    qsizetype End = -1;
    bool Found() const { return Start >= 0; }
};
TTableRange TableAt(QStringView text, qsizetype pos);

// The indent for the lines after the first: the text before the caret on its line when that is
// blanks and tabs only, else as many blanks as it has characters.
QString IndentFor(QStringView lineBeforeCaret);

// The attributes of a start tag's inside ("a=1 b='x y' c"), each as written.
TKeptAttributes ParseAttributes(QStringView text);
// The same joined back with single blanks.
QString JoinAttributes(const TKeptAttributes &attributes);

} // namespace TableWiz
