// TEditClipboard: the small interface through which the engine reaches the system clipboard.
#pragma once

#include "editor/core/edittypes.h"

#include <QByteArray>
#include <QString>

// The private format that keeps the selection mode of a copied block. It was registered
// under the name "Inkwell Control Block Type"; here it is a MIME type. Its data is one byte holding the
// TSelectionMode, followed by the text in UTF-8 and a terminating NUL.
inline constexpr char kBlockTypeMimeType[] = "application/x-inkwell-control-block-type";
inline constexpr char kBlockTypeFormatName[] = "Inkwell Control Block Type";

QByteArray EncodeBlockType(TSelectionMode mode, const QString &text);
// False when the data is not a valid block (empty, or a mode byte above 2).
bool DecodeBlockType(const QByteArray &data, TSelectionMode &mode, QString &text);

// Implemented over QClipboard by the view's side (editor/ui) and by fakes in tests.
class TEditClipboard
{
public:
    virtual ~TEditClipboard() = default;
    // Empties the clipboard and places both formats: plain text and the block-type data.
    // Returns false when they cannot be placed.
    virtual bool SetData(const QString &plainText, const QByteArray &blockTypeData) = 0;
    // Reads the clipboard: plain text, and the block-type data when that format is present
    // (hasBlockType). Returns false when the clipboard cannot be read.
    virtual bool GetData(QString &plainText, QByteArray &blockTypeData, bool &hasBlockType) = 0;
};
