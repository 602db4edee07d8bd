// TQtEditClipboard: plain text plus the private block-type format on the system clipboard.
#include "editor/ui/qtclipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

TQtEditClipboard::TQtEditClipboard(QClipboard *clipboard)
    : m_clipboard(clipboard ? clipboard : QGuiApplication::clipboard())
{}

bool TQtEditClipboard::SetData(const QString &plainText, const QByteArray &blockTypeData)
{
    if (!m_clipboard)
        return false;
    auto *data = new QMimeData;
    data->setText(plainText);
    data->setData(QString::fromLatin1(kBlockTypeMimeType), blockTypeData);
    m_clipboard->setMimeData(data); // the clipboard takes ownership and drops what it held
    const QMimeData *placed = m_clipboard->mimeData();
    return placed && placed->hasText();
}

bool TQtEditClipboard::GetData(QString &plainText, QByteArray &blockTypeData, bool &hasBlockType)
{
    if (!m_clipboard)
        return false;
    const QMimeData *data = m_clipboard->mimeData();
    if (!data)
        return false;
    plainText = data->text();
    hasBlockType = data->hasFormat(QString::fromLatin1(kBlockTypeMimeType));
    blockTypeData = hasBlockType ? data->data(QString::fromLatin1(kBlockTypeMimeType)) : QByteArray();
    return true;
}
