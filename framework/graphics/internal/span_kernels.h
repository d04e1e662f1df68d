// Inner loops over one row of pixels, vectorised where the machine allows it.
// SPDX-License-Identifier: MIT
//
// Each kernel gives exactly the pixels of the scalar blend rules in blend.h;
// the vector code only changes how many pixels are done at once. All the
// results fit 16-bit lanes: S * a + D * (256 - a) <= 255 * 256.
#pragma once

#include <cstdint>
#include <cstring>

#include "framework/graphics/internal/blend.h"

namespace Lumo::BlendDetail
{

inline void CopyPixels(std::uint32_t* dest, const std::uint32_t* source, int count)
{
    std::memcpy(dest, source, static_cast<std::size_t>(count) * sizeof(std::uint32_t));
}

// The normal rule for `count` source pixels of any alpha over an opaque destination.
void BlendSpanOverOpaque(std::uint32_t* dest, const std::uint32_t* source, int count);

// The additive rule for `count` pixels: each source channel, first times its
// tint multiplier / 256 when tinted, then times the pixel's alpha / 256 when
// the image has partial alpha, is added with saturation; the destination
// keeps its alpha. `multipliers` are the red, green and blue tint factors.
void AddSpan(std::uint32_t* dest, const std::uint32_t* source, int count, bool tinted,
             const int (&multipliers)[3], bool scaleByAlpha);

// Linear mix of two pixels, each channel (p0 * (256 - f) + p1 * f + 128) / 256.
inline std::uint32_t MixPixels(std::uint32_t p0, std::uint32_t p1, std::uint32_t fraction)
{
    const std::uint32_t keep = 256 - fraction;
    const std::uint32_t redBlue =
        (((p0 & 0xFF00FFu) * keep + (p1 & 0xFF00FFu) * fraction + 0x800080u) >> 8) & 0xFF00FFu;
    const std::uint32_t alphaGreen =
        (((p0 >> 8) & 0xFF00FFu) * keep + ((p1 >> 8) & 0xFF00FFu) * fraction + 0x800080u) &
        0xFF00FF00u;
    return redBlue | alphaGreen;
}

// MixPixels over two whole rows with one fraction.
void MixRows(std::uint32_t* out, const std::uint32_t* first, const std::uint32_t* second,
             std::uint32_t fraction, int count);

// out[i] = MixPixels(in[firstIndex[i]], in[secondIndex[i]], fraction of i),
// where fractionLanes holds each fraction four times over (one a channel).
void MixColumns(std::uint32_t* out, const std::uint32_t* in, const int* firstIndex,
                const int* secondIndex, const std::uint16_t* fractionLanes, int count);

} // namespace Lumo::BlendDetail
