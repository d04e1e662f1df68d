// Colour, rectangle and point: the small value types of the drawing layer.
// SPDX-License-Identifier: MIT
//
// Rules of these types:
// - A Color holds red, green, blue and alpha as ints 0..255. Its packed form is
//   0xAARRGGBB; a packed value below 0x01000000 carries no alpha byte and
//   unpacks as opaque. The default colour is opaque black; opaque white is the
//   neutral tint that leaves blitted images unchanged.
// - A Rect is x, y, width, height in pixels; it is empty when width or height
//   is below 1. Intersection of two rects is their overlap (empty when none).
#pragma once

#include <algorithm>
#include <cstdint>

namespace Lumo
{

struct Color
{
    int red = 0;
    int green = 0;
    int blue = 0;
    int alpha = 255;

    constexpr Color() = default;
    constexpr Color(int r, int g, int b) : red(r), green(g), blue(b) {}
    constexpr Color(int r, int g, int b, int a) : red(r), green(g), blue(b), alpha(a) {}
    // Unpacks 0xAARRGGBB; without an alpha byte the colour is opaque.
    constexpr explicit Color(std::uint32_t packed)
        : red(static_cast<int>((packed >> 16) & 0xFF)),
          green(static_cast<int>((packed >> 8) & 0xFF)), blue(static_cast<int>(packed & 0xFF)),
          alpha(packed < 0x01000000u ? 255 : static_cast<int>(packed >> 24))
    {
    }

    [[nodiscard]] constexpr std::uint32_t ToInt() const
    {
        return (static_cast<std::uint32_t>(alpha & 0xFF) << 24) |
               (static_cast<std::uint32_t>(red & 0xFF) << 16) |
               (static_cast<std::uint32_t>(green & 0xFF) << 8) |
               static_cast<std::uint32_t>(blue & 0xFF);
    }

    int GetRed() const { return red; }
    int GetGreen() const { return green; }
    int GetBlue() const { return blue; }
    int GetAlpha() const { return alpha; }

    [[nodiscard]] constexpr bool IsWhite() const
    {
        return red == 255 && green == 255 && blue == 255 && alpha == 255;
    }

    friend constexpr bool operator==(const Color&, const Color&) = default;

    static constexpr Color White() { return Color(255, 255, 255, 255); }
    static constexpr Color Black() { return Color(0, 0, 0, 255); }
};

struct Point
{
    int x = 0;
    int y = 0;

    constexpr Point() = default;
    constexpr Point(int px, int py) : x(px), y(py) {}
    friend constexpr bool operator==(const Point&, const Point&) = default;
};

struct Rect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    constexpr Rect() = default;
    constexpr Rect(int rx, int ry, int w, int h) : x(rx), y(ry), width(w), height(h) {}

    [[nodiscard]] constexpr bool IsEmpty() const { return width < 1 || height < 1; }

    [[nodiscard]] constexpr bool Contains(int px, int py) const
    {
        return px >= x && py >= y && px < x + width && py < y + height;
    }

    // The overlap of both rects; width or height below 1 when they do not meet.
    [[nodiscard]] constexpr Rect Intersection(const Rect& other) const
    {
        const int left = std::max(x, other.x);
        const int top = std::max(y, other.y);
        const int right = std::min(x + width, other.x + other.width);
        const int bottom = std::min(y + height, other.y + other.height);
        return Rect(left, top, right - left, bottom - top);
    }

    [[nodiscard]] constexpr bool Intersects(const Rect& other) const
    {
        return !Intersection(other).IsEmpty();
    }

    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

} // namespace Lumo
