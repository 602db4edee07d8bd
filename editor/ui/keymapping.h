// Qt key events turned into the key codes and shift states of the keystroke table.
#pragma once

#include "editor/core/edittypes.h"

#include <QtCore/qnamespace.h>

class QKeyEvent;

struct TKeyTranslation
{
    quint16 Code = 0;   // 0: a key the table cannot name
    TShiftState Shift;
};

TKeyTranslation TranslateQtKey(const QKeyEvent *event);
TKeyTranslation TranslateQtKey(int qtKey, Qt::KeyboardModifiers modifiers);
