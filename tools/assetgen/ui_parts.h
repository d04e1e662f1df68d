// The interface family: wood-and-brass panels with a parchment face, and
// wooden buttons with a brass rim in four states.
// SPDX-License-Identifier: MIT
//
// Button states follow the game's cell order: normal, over (brighter), down
// (darker and one pixel lower), disabled (greyed).
#pragma once

#include "tools/assetgen/canvas.h"
#include "tools/assetgen/draw.h"
#include "tools/assetgen/font_book.h"

#include <string>

namespace AssetGen
{

enum class ButtonState
{
    Normal,
    Over,
    Down,
    Disabled
};

constexpr ButtonState kButtonStates[] = {ButtonState::Normal, ButtonState::Over, ButtonState::Down,
                                         ButtonState::Disabled};

struct PanelStyle
{
    double frame = 14;   // width of the wooden frame
    double radius = 20;  // corner radius
    bool parchment = true;
    bool rivets = true;
};

// Panel filling (x, y, w, h) with a soft shadow margin of `margin` inside it.
void DrawPanel(Canvas& canvas, double x, double y, double w, double h, const PanelStyle& style,
               std::uint64_t seed);
// A recessed slot on a parchment face (name slots, text fields).
void DrawInset(cairo_t* cr, double x, double y, double w, double h, double radius, Rgb face);
// A wooden plaque with a brass rim and a title in it.
void DrawTitlePlaque(Canvas& canvas, double cx, double cy, double w, double h,
                     const std::string& title, double textSize);
// A thin brass divider with a small diamond in the middle.
void DrawDivider(cairo_t* cr, double cx, double y, double halfWidth);

// One button cell with its top-left at (x, y). `label` may be empty (the game
// writes the caption). `lamp` draws a switch lamp at the left: -1 none, 0 off,
// 1 on.
void DrawButton(Canvas& canvas, double x, double y, double w, double h, ButtonState state,
                const std::string& label, double labelSize, int lamp = -1);
// Label colours used on buttons, for pictures that draw their own.
[[nodiscard]] Rgb ButtonLabelColour(ButtonState state);

} // namespace AssetGen
