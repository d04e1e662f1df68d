// Translation of SDL key codes into the game's virtual-key codes.
// SPDX-License-Identifier: MIT
//
// The game and its widgets speak in virtual-key codes: 8 Backspace, 9 Tab,
// 13 Enter, 16 Shift, 17 Control, 18 Alt, 27 Escape, 32 Space, 33-40 the
// page, home/end and arrow keys, 45 Insert, 46 Delete, 48-57 digits, 65-90
// letters, 96-105 the keypad digits, 112-123 F1-F12. The argument is an SDL
// key code passed as a plain integer so that callers need no SDL header.
#pragma once

#include <cstdint>

namespace Lumo
{

constexpr int kVirtualKeyBackspace = 8;
constexpr int kVirtualKeyTab = 9;
constexpr int kVirtualKeyEnter = 13;
constexpr int kVirtualKeyShift = 16;
constexpr int kVirtualKeyControl = 17;
constexpr int kVirtualKeyAlt = 18;
constexpr int kVirtualKeyEscape = 27;

// Returns the virtual-key code, or 0 for a key the game has no code for.
int VirtualKeyFromSdlKeycode(std::int32_t sdlKeycode);

} // namespace Lumo
