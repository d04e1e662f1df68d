// Shared body of the image decoder fuzz targets.
// SPDX-License-Identifier: MIT
#pragma once

#include "framework/images/image_lib.h"

#include <cstdint>
#include <cstdlib>
#include <span>

// Runs one decoder over the input; a picture that does not hold exactly its pixels is a finding.
inline int FuzzImageDecoder(Lumo::ImageLib::ImagePtr (*decode)(std::span<const uint8_t>),
                            const uint8_t* data, size_t size)
{
    const Lumo::ImageLib::ImagePtr image = decode({data, size});
    if (image != nullptr &&
        (!Lumo::ImageLib::IsAcceptableImageSize(image->width, image->height) ||
         image->bits.size() != static_cast<size_t>(image->width) * static_cast<size_t>(image->height)))
    {
        std::abort();
    }
    return 0;
}
