// JPEG 2000 decoding: the platform's codec, with the loader's size limits.
// SPDX-License-Identifier: MIT
#include "framework/images/image_lib.h"

#include "framework/platform/openjpeg_decoder.h"

namespace Lumo::ImageLib
{

ImagePtr DecodeJpeg2000(std::span<const uint8_t> file)
{
    auto image = std::make_unique<Image>();
    if (!Platform::DecodeJpeg2000(file, {kMaxImageSide, kMaxImagePixels}, image->width,
                                  image->height, image->bits))
    {
        return nullptr;
    }
    return image;
}

} // namespace Lumo::ImageLib
