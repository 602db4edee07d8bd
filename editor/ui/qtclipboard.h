// TQtEditClipboard: the engine's clipboard interface over the system clipboard (QClipboard).
#pragma once

#include "editor/core/editclipboard.h"

class QClipboard;

class TQtEditClipboard : public TEditClipboard
{
public:
    // Uses QGuiApplication::clipboard() unless another clipboard is given.
    explicit TQtEditClipboard(QClipboard *clipboard = nullptr);
    bool SetData(const QString &plainText, const QByteArray &blockTypeData) override;
    bool GetData(QString &plainText, QByteArray &blockTypeData, bool &hasBlockType) override;

private:
    QClipboard *m_clipboard;
};
