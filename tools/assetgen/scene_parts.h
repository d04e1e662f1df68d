// Pieces of the scenes shared by the backdrops, the start screen and the map.
// SPDX-License-Identifier: MIT
#pragma once

#include "tools/assetgen/asset_store.h"
#include "tools/assetgen/canvas.h"
#include "tools/assetgen/draw.h"

#include <cstdint>

namespace AssetGen
{

// Colour key of an area (1..4).
struct AreaLook
{
    Rgb top;        // water near the surface
    Rgb mid;        // water at mid depth
    Rgb deep;       // water near the floor
    Rgb silhouette; // distant shapes
    Rgb sand;
};

constexpr int kStripHeight = 200;

[[nodiscard]] AreaLook LookOfArea(int area);
void PaintWater(Canvas& canvas, const AreaLook& look, std::uint64_t seed);
void PaintFloatingSpecks(Canvas& canvas, std::uint64_t seed, int count);
void PaintVignette(Canvas& canvas, double strength);
// Area silhouettes behind the lanes (far) and at the sides (near).
void PaintAreaDistance(Canvas& canvas, int area, const AreaLook& look);
void PaintAreaNear(Canvas& canvas, int area, const AreaLook& look);
// The foreground strip of an area: sand along the bottom, plants and rocks at
// the sides, clear above the middle so the basket and the bonus line show.
void PaintForegroundStrip(Canvas& canvas, int area, const AreaLook& look);
// Kelp, corals and shells used by several scenes.
void PaintKelp(cairo_t* cr, double x, double baseY, double height, double sway, Rgb colour,
               double width, std::uint64_t seed);
void PaintCoral(cairo_t* cr, double x, double baseY, double size, Rgb colour, std::uint64_t seed);
void PaintShell(cairo_t* cr, double x, double y, double size, Rgb colour, double angle);
void PaintSeaFan(cairo_t* cr, double x, double baseY, double size, Rgb colour, std::uint64_t seed);

void GenerateStartScreen(AssetStore& store);
void GenerateLoadingPicture(AssetStore& store);
void GenerateMap(AssetStore& store);

} // namespace AssetGen
