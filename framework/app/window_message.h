// The application's own queue of window messages.
// SPDX-License-Identifier: MIT
//
// The window's events are not handed to the widgets as they arrive: they are
// queued in arrival order and the main loop dispatches one per step, under
// the game lock. Positions are window pixels until dispatch maps them.
#pragma once

#include <deque>

namespace Lumo
{

enum class WindowMessageKind
{
    MouseMove,
    MouseDown,  // clickCount: 1 left, 2 left double, -1 right, -2 right double, 3 middle
    MouseUp,    // clickCount: 1 left, -1 right, 3 middle
    MouseWheel, // wheelDelta in whole notches, away from the user positive
    MouseExit,  // the pointer left the window
    KeyDown,
    KeyUp,
    KeyChar,
    GotFocus,
    LostFocus,
    Minimized,
    Restored,
    DisplayChanged,
    Exposed,
};

struct WindowMessage
{
    WindowMessageKind kind = WindowMessageKind::MouseMove;
    int x = 0;
    int y = 0;
    int clickCount = 0;
    int wheelDelta = 0;
    int keyCode = 0;
    unsigned char character = 0;
};

using WindowMessageQueue = std::deque<WindowMessage>;

} // namespace Lumo
