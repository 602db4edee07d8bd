// Caps Lock and Num Lock state, read from the X server when there is one.
#include "platform/qt/keyindicators.h"

#include <QGuiApplication>

#ifdef TAGFORGE_HAVE_X11
#include <X11/XKBlib.h>
#endif

TLockKeyState QueryLockKeys()
{
    TLockKeyState state;
#ifdef TAGFORGE_HAVE_X11
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->display())
        return state;
    Display *display = x11->display();
    auto named = [display](const char *name, bool &on) {
        Bool state = False;
        const Atom atom = XInternAtom(display, name, False);
        if (!XkbGetNamedIndicator(display, atom, nullptr, &state, nullptr, nullptr))
            return false;
        on = state;
        return true;
    };
    state.Available = named("Caps Lock", state.CapsLock);
    state.Available = named("Num Lock", state.NumLock) || state.Available;
#endif
    return state;
}
