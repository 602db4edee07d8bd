// A clipboard stand-in for engine tests: holds the two formats, or fails on demand.
#pragma once

#include "editor/core/editclipboard.h"

class TFakeClipboard : public TEditClipboard
{
public:
    bool SetData(const QString &plainText, const QByteArray &blockTypeData) override
    {
        if (failWrites)
            return false;
        text = plainText;
        block = blockTypeData;
        hasBlock = true;
        return true;
    }
    bool GetData(QString &plainText, QByteArray &blockTypeData, bool &hasBlockType) override
    {
        if (failReads)
            return false;
        plainText = text;
        blockTypeData = block;
        hasBlockType = hasBlock;
        return true;
    }
    void SetPlain(const QString &t)
    {
        text = t;
        block.clear();
        hasBlock = false;
    }

    QString text;
    QByteArray block;
    bool hasBlock = false;
    bool failWrites = false;
    bool failReads = false;
};
