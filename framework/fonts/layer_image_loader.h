// How a font finds the picture of a layer by default.
// SPDX-License-Identifier: MIT
#pragma once

#include "framework/graphics/image.h"

#include <memory>
#include <string>

namespace Lumo
{

// The application's shared image for path (through the package layer), made
// palettized when this request loaded it; null when it cannot be loaded.
std::shared_ptr<Image> LoadSharedLayerImage(const std::string& path);

} // namespace Lumo
