// Qt key events turned into the key codes and shift states of the keystroke table.
#include "editor/ui/keymapping.h"

#include "editor/core/keystrokes.h"

#include <QKeyEvent>

TKeyTranslation TranslateQtKey(int qtKey, Qt::KeyboardModifiers modifiers)
{
    TKeyTranslation t;
    if (modifiers & Qt::ShiftModifier)
        t.Shift |= ssShift;
    if (modifiers & Qt::ControlModifier)
        t.Shift |= ssCtrl;
    if (modifiers & Qt::AltModifier)
        t.Shift |= ssAlt;

    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
        t.Code = quint16(qtKey);
        return t;
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        t.Code = quint16(VK_F1 + (qtKey - Qt::Key_F1));
        return t;
    }
    switch (qtKey) {
    case Qt::Key_Backspace: t.Code = VK_BACK; break;
    case Qt::Key_Tab: t.Code = VK_TAB; break;
    case Qt::Key_Backtab:
        t.Code = VK_TAB;
        t.Shift |= ssShift;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter: t.Code = VK_RETURN; break;
    case Qt::Key_Escape: t.Code = VK_ESCAPE; break;
    case Qt::Key_Space: t.Code = VK_SPACE; break;
    case Qt::Key_PageUp: t.Code = VK_PRIOR; break;
    case Qt::Key_PageDown: t.Code = VK_NEXT; break;
    case Qt::Key_End: t.Code = VK_END; break;
    case Qt::Key_Home: t.Code = VK_HOME; break;
    case Qt::Key_Left: t.Code = VK_LEFT; break;
    case Qt::Key_Up: t.Code = VK_UP; break;
    case Qt::Key_Right: t.Code = VK_RIGHT; break;
    case Qt::Key_Down: t.Code = VK_DOWN; break;
    case Qt::Key_Insert: t.Code = VK_INSERT; break;
    case Qt::Key_Delete: t.Code = VK_DELETE; break;
    case Qt::Key_ScrollLock: t.Code = VK_SCROLL; break;
    // Digits typed with Shift arrive as their symbols; the table names them by the digit key.
    case Qt::Key_Exclam: t.Code = Qt::Key_1; break;
    case Qt::Key_At: t.Code = Qt::Key_2; break;
    case Qt::Key_NumberSign: t.Code = Qt::Key_3; break;
    case Qt::Key_Dollar: t.Code = Qt::Key_4; break;
    case Qt::Key_Percent: t.Code = Qt::Key_5; break;
    case Qt::Key_AsciiCircum: t.Code = Qt::Key_6; break;
    case Qt::Key_Ampersand: t.Code = Qt::Key_7; break;
    case Qt::Key_Asterisk: t.Code = Qt::Key_8; break;
    case Qt::Key_ParenLeft: t.Code = Qt::Key_9; break;
    case Qt::Key_ParenRight: t.Code = Qt::Key_0; break;
    default: break;
    }
    // Shifted symbols only stand for digits when Shift is held, as with Ctrl+Shift+3.
    if (qtKey >= Qt::Key_Exclam && qtKey <= Qt::Key_AsciiCircum && !(t.Shift & ssShift) && t.Code >= Qt::Key_0
        && t.Code <= Qt::Key_9)
        t.Code = 0;
    return t;
}

TKeyTranslation TranslateQtKey(const QKeyEvent *event)
{
    TKeyTranslation t = TranslateQtKey(event->key(), event->modifiers());
    // On X11 the digit row has key codes 10 to 19 whatever the layout prints on it, so
    // Ctrl+Shift+digit bindings work on layouts whose shifted digits are other symbols.
    const quint32 scan = event->nativeScanCode();
    if (t.Code == 0 && (event->modifiers() & Qt::ControlModifier) && scan >= 10 && scan <= 19)
        t.Code = quint16(scan == 19 ? int(Qt::Key_0) : int(Qt::Key_1) + int(scan - 10));
    return t;
}
