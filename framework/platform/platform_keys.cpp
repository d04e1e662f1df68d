// Translation of SDL key codes into the game's virtual-key codes.
// SPDX-License-Identifier: MIT
#include "framework/platform/platform_keys.h"

#include <SDL.h>

namespace Lumo
{

namespace
{

struct KeyPair
{
    SDL_Keycode sdl;
    int virtualKey;
};

// Keys outside the letter, digit and function-key ranges.
constexpr KeyPair kNamedKeys[] = {
    {SDLK_BACKSPACE, kVirtualKeyBackspace},
    {SDLK_TAB, kVirtualKeyTab},
    {SDLK_RETURN, kVirtualKeyEnter},
    {SDLK_KP_ENTER, kVirtualKeyEnter},
    {SDLK_LSHIFT, kVirtualKeyShift},
    {SDLK_RSHIFT, kVirtualKeyShift},
    {SDLK_LCTRL, kVirtualKeyControl},
    {SDLK_RCTRL, kVirtualKeyControl},
    {SDLK_LALT, kVirtualKeyAlt},
    {SDLK_RALT, kVirtualKeyAlt},
    {SDLK_PAUSE, 19},
    {SDLK_CAPSLOCK, 20},
    {SDLK_ESCAPE, kVirtualKeyEscape},
    {SDLK_SPACE, 32},
    {SDLK_PAGEUP, 33},
    {SDLK_PAGEDOWN, 34},
    {SDLK_END, 35},
    {SDLK_HOME, 36},
    {SDLK_LEFT, 37},
    {SDLK_UP, 38},
    {SDLK_RIGHT, 39},
    {SDLK_DOWN, 40},
    {SDLK_INSERT, 45},
    {SDLK_DELETE, 46},
    {SDLK_KP_MULTIPLY, 106},
    {SDLK_KP_PLUS, 107},
    {SDLK_KP_MINUS, 109},
    {SDLK_KP_PERIOD, 110},
    {SDLK_KP_DIVIDE, 111},
};

} // namespace

int VirtualKeyFromSdlKeycode(std::int32_t sdlKeycode)
{
    if (sdlKeycode >= SDLK_a && sdlKeycode <= SDLK_z)
    {
        return 'A' + (sdlKeycode - SDLK_a);
    }
    if (sdlKeycode >= SDLK_0 && sdlKeycode <= SDLK_9)
    {
        return '0' + (sdlKeycode - SDLK_0);
    }
    if (sdlKeycode >= SDLK_F1 && sdlKeycode <= SDLK_F12)
    {
        return 112 + (sdlKeycode - SDLK_F1);
    }
    if (sdlKeycode >= SDLK_KP_1 && sdlKeycode <= SDLK_KP_9)
    {
        return 97 + (sdlKeycode - SDLK_KP_1);
    }
    if (sdlKeycode == SDLK_KP_0)
    {
        return 96;
    }
    for (const KeyPair& pair : kNamedKeys)
    {
        if (pair.sdl == sdlKeycode)
        {
            return pair.virtualKey;
        }
    }
    return 0;
}

} // namespace Lumo
