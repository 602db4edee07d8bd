// Caps Lock and Num Lock state, read from the X server when there is one.
#pragma once

struct TLockKeyState
{
    bool Available = false;
    bool CapsLock = false;
    bool NumLock = false;
};

TLockKeyState QueryLockKeys();
