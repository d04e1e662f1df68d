// Assembly of the game folder from the generated files.
// SPDX-License-Identifier: MIT
//
// The game folder holds "data.pak" (pictures, fonts, effect files), the loose
// sounds under "sounds/" and an empty "save/". Files are replaced through
// temporary names; player saves already in "save/" are left alone.
#pragma once

#include "tools/assetgen/asset_store.h"

#include <string>

namespace AssetGen
{

// Writes every picture, font and effect file of the store into one package.
[[nodiscard]] bool PackData(const AssetStore& store, const std::string& pakPath, std::string& error);

[[nodiscard]] bool AssembleGameFolder(const AssetStore& store, const std::string& gameDir,
                                      std::string& error);

} // namespace AssetGen
