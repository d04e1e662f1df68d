// Font: the abstract text measurer and drawer that Graphics draws strings through.
// SPDX-License-Identifier: MIT
//
// Rules of this module:
// - A font works on bytes: every character is one unsigned 8-bit code.
// - Measuring and drawing may prepare lazy data inside the font, so they are
//   not const; a font is used from one thread at a time (the game lock).
// - DrawString draws through the given Graphics and must leave its state
//   (colour, draw mode, colorize flag) as it found it.
// - Duplicate returns a new font the caller owns, sharing what can be shared.
#pragma once

#include <memory>
#include <string_view>

#include "framework/graphics/color.h"

namespace Lumo
{

class Graphics;

class Font
{
public:
    Font() = default;
    Font(const Font&) = default;
    Font& operator=(const Font&) = default;
    virtual ~Font() = default;

    virtual int GetAscent() { return ascent; }
    virtual int GetAscentPadding() { return ascentPadding; }
    virtual int GetDescent() { return height - ascent; }
    virtual int GetHeight() { return height; }
    virtual int GetLineSpacingOffset() { return lineSpacingOffset; }
    virtual int GetLineSpacing() { return height + lineSpacingOffset; }

    // Width in pixels of the whole text; 0 in the base.
    virtual int StringWidth(std::string_view text)
    {
        (void)text;
        return 0;
    }
    // Width of one character: the string width of just that character.
    virtual int CharWidth(char character) { return StringWidth(std::string_view(&character, 1)); }
    // Width of a character that follows another (0 when none); the base ignores kerning.
    virtual int CharWidthKern(char character, char previous)
    {
        (void)previous;
        return CharWidth(character);
    }
    // Draws the text with its pen at (x, y) in the given colour, inside the clip rect,
    // through g. (x, y) are in g's coordinates: Graphics::DrawString hands over
    // destination coordinates and a copy of its context without translation.
    virtual void DrawString(Graphics* g, int x, int y, std::string_view text, const Color& color,
                            const Rect& clipRect)
    {
        (void)g, (void)x, (void)y, (void)text, (void)color, (void)clipRect;
    }
    [[nodiscard]] virtual std::unique_ptr<Font> Duplicate() const = 0;

protected:
    int ascent = 0;
    int ascentPadding = 0;
    int height = 0;
    int lineSpacingOffset = 0;
};

} // namespace Lumo
