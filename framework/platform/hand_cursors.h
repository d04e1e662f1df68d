// The two built-in hand cursors: the pointing hand and the dragging hand.
// SPDX-License-Identifier: MIT
//
// Both are 32 x 32 ARGB pictures drawn by the program itself, row after row.
// The pointing hand's hot spot is the tip of its index finger at (11, 4); the
// dragging hand's is the middle of its closed palm at (15, 10).
#pragma once

#include <array>
#include <cstdint>

namespace Lumo
{

constexpr int kHandCursorSize = 32;

struct CursorPicture
{
    int hotX = 0;
    int hotY = 0;
    std::array<std::uint32_t, kHandCursorSize * kHandCursorSize> argb{};
};

const CursorPicture& PointingHandCursor();
const CursorPicture& DraggingHandCursor();

} // namespace Lumo
