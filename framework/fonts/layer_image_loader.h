// Where a font finds the pictures of its layers by default: the application's shared images.
// SPDX-License-Identifier: MIT
//
// Rules of the module:
// - The application installs its shared image table with SetFontImageTable;
//   until it does (tools, tests), fonts share a table of their own.
// - A picture loaded by a font's request is palettized; pictures already in
//   the table are taken as they are.
// - The returned image keeps its table entry referenced until the last
//   shared_ptr to it goes.
#pragma once

#include "framework/graphics/image.h"

#include <memory>
#include <string>

namespace Lumo
{

class SharedImageTable;

// Installs the table that font layer images come from (null: the fonts' own).
// The table must outlive every font that loaded through it.
void SetFontImageTable(SharedImageTable* table);

// The shared picture at path (through the package layer), or null when it
// does not load.
std::shared_ptr<Image> LoadSharedLayerImage(const std::string& path);

} // namespace Lumo
