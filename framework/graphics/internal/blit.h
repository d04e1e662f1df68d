// Drawing routines on 32-bit ARGB pixel buffers, used by MemoryImage and DDImage.
// SPDX-License-Identifier: MIT
//
// Every routine clips against the destination's bounds itself and never
// writes outside them. `opaqueDest` may only be true when every destination
// pixel has alpha 255; it selects the faster routines for that case, which
// give the same pixels as the general ones.
#pragma once

#include <cstdint>

#include "framework/graphics/color.h"
#include "framework/graphics/image.h"

namespace Lumo
{
class MemoryImage;
}

namespace Lumo::BlitDetail
{

// A destination: pixels row after row, `width` words a row.
struct Target
{
    std::uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;
    bool opaqueDest = false;
};

// A target over `pixels`; no pixels make an empty target.
inline Target MakeTarget(std::uint32_t* pixels, int width, int height, bool opaqueDest)
{
    Target target;
    target.bits = pixels;
    target.width = pixels ? width : 0;
    target.height = pixels ? height : 0;
    target.opaqueDest = opaqueDest;
    return target;
}

void FillRect(const Target& target, const Rect& rect, const Color& color, DrawMode mode);
void DrawLine(const Target& target, double startX, double startY, double endX, double endY,
              const Color& color, DrawMode mode);
void DrawLineAA(const Target& target, double startX, double startY, double endX, double endY,
                const Color& color, DrawMode mode);
// One span row blended with an extra 8-bit coverage per pixel.
void FillSpanWithCoverage(const Target& target, int y, int x, int width, const Color& color,
                          DrawMode mode, const std::uint8_t* coverageRow);
// Source rect of `source` with its top-left at (x, y); mirrored puts the
// source's last column at x.
void Blit(const Target& target, MemoryImage& source, int x, int y, const Rect& sourceRect,
          const Color& color, DrawMode mode, bool mirrored);
void StretchBlit(const Target& target, MemoryImage& source, const Rect& destRect,
                 const Rect& sourceRect, const Rect& clipRect, const Color& color, DrawMode mode,
                 bool fastStretch, bool mirrored);
void RotatedBlit(const Target& target, MemoryImage& source, float x, float y,
                 const Rect& sourceRect, const Rect& clipRect, const Color& color, DrawMode mode,
                 double angle, float centerX, float centerY);

} // namespace Lumo::BlitDetail
