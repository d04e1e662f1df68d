// Drawing of the small pictures that other pictures reuse (jewels, coins,
// vazes): the map, the dialogs and the effects draw them too.
// SPDX-License-Identifier: MIT
#pragma once

#include "tools/assetgen/canvas.h"
#include "tools/assetgen/draw.h"

namespace AssetGen
{

constexpr int kJewelColours = 6;

// Jewel of colour 0..5 centred at (cx, cy); `scale` 1 fills a 70 × 70 cell.
void DrawJewel(Canvas& canvas, int colour, double cx, double cy, double scale, bool glow = true);
// Gold coin face-on.
void DrawCoin(cairo_t* cr, double cx, double cy, double r);
// A vaze of kind 0 gold, 1 silver, 2 bronze filling a box of `size` at (x, y).
void DrawVaze(Canvas& canvas, int kind, double x, double y, double size);
// Gold of worth 1..6 into a 70 × 70 canvas at its origin.
void DrawGold(Canvas& canvas, int worth);
// Basket picture 1, 2 or 4 into a 95 × 33 canvas.
void DrawBasket(Canvas& canvas, int size);
// Garbage kind 1..6 into a 70 × 70 canvas.
void DrawGarbage(Canvas& canvas, int kind);

struct Palette
{
    Rgb light;
    Rgb base;
    Rgb dark;
};
[[nodiscard]] Palette JewelPalette(int colour);

} // namespace AssetGen
