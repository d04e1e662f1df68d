// A cairo drawing surface with the encoders the game's loaders read back.
// SPDX-License-Identifier: MIT
//
// Pixels are cairo ARGB32 (premultiplied alpha). PNG output is RGBA, 8 bits,
// no interlace, fixed zlib settings and no time chunk; JPEG output has a fixed
// quality and no metadata, so the same drawing always gives the same bytes.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <vector>

namespace AssetGen
{

using Bytes = std::vector<std::uint8_t>;

class Canvas
{
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    [[nodiscard]] cairo_t* Cr() const { return cr; }
    [[nodiscard]] cairo_surface_t* Surface() const { return surface; }
    [[nodiscard]] int Width() const { return width; }
    [[nodiscard]] int Height() const { return height; }

    // Premultiplied ARGB words, row after row (flushes the surface first).
    [[nodiscard]] std::vector<std::uint32_t> Pixels() const;
    void SetPixels(const std::vector<std::uint32_t>& argb);

    // Softens the whole surface with three box blurs (close to a gaussian).
    void Blur(double radius);

    [[nodiscard]] Bytes EncodePng() const;
    [[nodiscard]] Bytes EncodeJpeg(int quality) const;

private:
    int width;
    int height;
    cairo_surface_t* surface;
    cairo_t* cr;
};

} // namespace AssetGen
