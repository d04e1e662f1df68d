// Window events as the platform layer reports them, already free of SDL types.
// SPDX-License-Identifier: MIT
//
// The platform window turns each SDL event into at most a few of these, in
// arrival order. Positions are window pixels; key codes are the game's
// virtual-key codes (see platform_keys.h). Nothing here is interpreted: click
// counts, mouse mapping and the message queue belong to the application base.
#pragma once

#include <cstdint>

namespace Lumo
{

enum class PlatformEventKind
{
    MouseMove,       // x, y
    MouseButtonDown, // x, y, button, clicks (1 single, 2 double, ...)
    MouseButtonUp,   // x, y, button
    MouseWheel,      // wheelNotches (signed, whole notches)
    MouseLeft,       // the pointer left the window's client area
    MouseEntered,    // the pointer came back over the client area
    KeyDown,         // keyCode
    KeyUp,           // keyCode
    KeyChar,         // character (one byte, Latin-1)
    FocusGained,
    FocusLost,
    Minimized,
    Restored,
    Exposed,         // the window's content must be drawn again
    DisplayChanged,  // size, mode or desktop settings changed
    CloseRequested,  // the close button or the window manager asked to close
};

enum class MouseButton
{
    Left = 0,
    Right = 1,
    Middle = 2,
};

struct PlatformEvent
{
    PlatformEventKind kind = PlatformEventKind::MouseMove;
    int x = 0;
    int y = 0;
    MouseButton button = MouseButton::Left;
    int clicks = 0;
    int wheelNotches = 0;
    int keyCode = 0;
    unsigned char character = 0;
};

} // namespace Lumo
