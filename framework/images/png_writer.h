// Writing pictures as PNG files through libpng, for the tools and for checking pictures by eye.
// SPDX-License-Identifier: MIT
//
// Rules of the module: pictures are written as 8-bit RGBA, non-interlaced. A file is written to a
// temporary name beside the target and renamed into place, so the target is never left torn.
#pragma once

#include "framework/images/image_lib.h"

#include <string>
#include <vector>

namespace Lumo::ImageLib
{

struct [[nodiscard]] PngWriteResult
{
    bool ok = false;
    std::string error; // one line, empty on success

    explicit operator bool() const { return ok; }
};

// The PNG bytes of a picture; empty when the picture has no pixels or libpng fails.
[[nodiscard]] std::vector<uint8_t> EncodePng(const Image& image);
// Writes the picture to path, replacing it.
PngWriteResult WritePng(const Image& image, const std::string& path);

} // namespace Lumo::ImageLib
