// How a font finds the picture of a layer by default.
// SPDX-License-Identifier: MIT
#include "framework/fonts/layer_image_loader.h"

namespace Lumo
{

std::shared_ptr<Image> LoadSharedLayerImage(const std::string& /*path*/)
{
    return nullptr;
}

} // namespace Lumo
