// Qt key events turned into the key codes and shift states of the keystroke table.
#pragma once

#include "editor/core/edittypes.h"

#include <QtCore/qnamespace.h>

class QKeyEvent;

// The code a key goes down with when the keystroke table has no name for it; nothing binds it.
inline constexpr quint16 kUnnamedKeyCode = 0xFF;

struct TKeyTranslation
{
    quint16 Code = 0; // 0: a key the table cannot name
    TShiftState Shift;
};

TKeyTranslation TranslateQtKey(const QKeyEvent *event);
TKeyTranslation TranslateQtKey(int qtKey, Qt::KeyboardModifiers modifiers);
