// The parts of the asset generator; each adds its files to the store.
// SPDX-License-Identifier: MIT
#pragma once

#include "tools/assetgen/asset_store.h"

#include <cairo.h>

#include <string>

namespace AssetGen
{

void GenerateObjects(AssetStore& store);   // falling objects, baskets, icons, small pictures
void GenerateScenes(AssetStore& store);    // backdrops, foreground strips, start screen, map
void GenerateInterface(AssetStore& store); // buttons and dialog backgrounds
[[nodiscard]] bool GenerateFonts(AssetStore& store, std::string& error);
// Fails when the stage music would not loop cleanly.
[[nodiscard]] bool GenerateSounds(AssetStore& store, std::string& error);
void GenerateEffects(AssetStore& store);

struct StoredPicture;
// Paints a stored picture into a cairo context at (x, y), scaled.
void PaintStoredPicture(cairo_t* cr, const StoredPicture& pic, double x, double y, double scale);

// Every picture of the store on one sheet, each with its path under it.
[[nodiscard]] bool WriteContactSheet(const AssetStore& store, const std::string& path,
                                     std::string& error);
// Screens put together from the pictures at the places the game draws them,
// for review.
[[nodiscard]] bool WriteScreenMockups(const AssetStore& store, const std::string& folder,
                                      std::string& error);

} // namespace AssetGen
