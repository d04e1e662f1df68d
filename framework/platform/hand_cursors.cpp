// The two built-in hand cursors: the pointing hand and the dragging hand.
// SPDX-License-Identifier: MIT
#include "framework/platform/hand_cursors.h"

#include <string_view>

namespace Lumo
{

namespace
{

constexpr std::uint32_t kOutline = 0xFF000000;
constexpr std::uint32_t kSkin = 0xFFFFFFFF;

// '#' outline, 'o' fill, anything else transparent; rows shorter than the
// cursor are transparent to the right, missing rows at the bottom likewise.
constexpr std::string_view kPointingHandRows[] = {
    "",
    "",
    "",
    "..........###",
    ".........#ooo#",
    ".........#ooo#",
    ".........#ooo#",
    ".........#ooo#",
    ".........#ooo###",
    ".........#ooo#oo###",
    ".........#ooo#oo#oo###",
    ".........#ooo#oo#oo#oo#",
    "......##.#ooooooooooooo#",
    ".....#oo##ooooooooooooo#",
    ".....#ooo#ooooooooooooo#",
    "......#oooooooooooooooo#",
    ".......#ooooooooooooooo#",
    ".......#oooooooooooooo#",
    "........#ooooooooooooo#",
    "........#oooooooooooo#",
    ".........#ooooooooooo#",
    ".........#ooooooooooo#",
    ".........#############",
};

constexpr std::string_view kDraggingHandRows[] = {
    "",
    "",
    "",
    "",
    "",
    "",
    "...........##.##.##",
    "..........#oo#oo#oo##",
    "..........#oo#oo#oo#o#",
    ".......##.#oooooooooo#",
    "......#oo##ooooooooooo#",
    "......#ooo#oooooooooooo#",
    ".......#oooooooooooooooo#",
    "........#ooooooooooooooo#",
    "........#oooooooooooooo#",
    ".........#ooooooooooooo#",
    ".........#oooooooooooo#",
    "..........#ooooooooooo#",
    "..........#############",
};

template <std::size_t RowCount>
CursorPicture Paint(const std::string_view (&rows)[RowCount], int hotX, int hotY)
{
    static_assert(RowCount <= kHandCursorSize);
    CursorPicture picture;
    picture.hotX = hotX;
    picture.hotY = hotY;
    for (std::size_t y = 0; y < RowCount; ++y)
    {
        const std::string_view row = rows[y];
        for (std::size_t x = 0; x < row.size() && x < kHandCursorSize; ++x)
        {
            std::uint32_t pixel = 0;
            if (row[x] == '#')
            {
                pixel = kOutline;
            }
            else if (row[x] == 'o')
            {
                pixel = kSkin;
            }
            picture.argb[y * kHandCursorSize + x] = pixel;
        }
    }
    return picture;
}

} // namespace

const CursorPicture& PointingHandCursor()
{
    static const CursorPicture picture = Paint(kPointingHandRows, 11, 4);
    return picture;
}

const CursorPicture& DraggingHandCursor()
{
    static const CursorPicture picture = Paint(kDraggingHandRows, 15, 10);
    return picture;
}

} // namespace Lumo
