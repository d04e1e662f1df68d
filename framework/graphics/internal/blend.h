// Pixel blending rules of images in memory, shared by the blit and fill routines.
// SPDX-License-Identifier: MIT
//
// Pixels are 0xAARRGGBB words with straight (not premultiplied) colour.
// Every function here gives the exact documented result; the fast variants
// only hold for the cases named at them.
#pragma once

#include <algorithm>
#include <cstdint>

#include "framework/graphics/color.h"
#include "framework/graphics/image.h"

namespace Lumo::BlendDetail
{

constexpr std::uint32_t kAlphaMask = 0xFF000000u;

inline int AlphaOf(std::uint32_t pixel) { return static_cast<int>(pixel >> 24); }

// Blends colour (r, g, b) at alpha 1..254 over the destination pixel:
// N = Da + (255 - Da) * A / 255, weight w = A * 255 / N,
// channel = (C * w + Dc * (256 - w)) / 256, result alpha N.
inline std::uint32_t BlendPartial(std::uint32_t dest, std::uint32_t color, int alpha)
{
    const int destAlpha = AlphaOf(dest);
    std::uint32_t weight;
    std::uint32_t newAlpha;
    if (destAlpha == 255)
    {
        weight = static_cast<std::uint32_t>(alpha);
        newAlpha = 255;
    }
    else
    {
        newAlpha = static_cast<std::uint32_t>(destAlpha + (255 - destAlpha) * alpha / 255);
        weight = static_cast<std::uint32_t>(alpha * 255) / newAlpha;
    }
    const std::uint32_t inverse = 256 - weight;
    const std::uint32_t redBlue =
        (((color & 0xFF00FFu) * weight + (dest & 0xFF00FFu) * inverse) >> 8) & 0xFF00FFu;
    const std::uint32_t green =
        (((color & 0xFF00u) * weight + (dest & 0xFF00u) * inverse) >> 8) & 0xFF00u;
    return (newAlpha << 24) | redBlue | green;
}

// BlendPartial for a destination known to be opaque (N = 255, w = A).
inline std::uint32_t BlendOverOpaque(std::uint32_t dest, std::uint32_t color, std::uint32_t alpha)
{
    const std::uint32_t inverse = 256 - alpha;
    const std::uint32_t redBlue =
        (((color & 0xFF00FFu) * alpha + (dest & 0xFF00FFu) * inverse) >> 8) & 0xFF00FFu;
    const std::uint32_t green =
        (((color & 0xFF00u) * alpha + (dest & 0xFF00u) * inverse) >> 8) & 0xFF00u;
    return kAlphaMask | redBlue | green;
}

// The normal rule for a source pixel whose colour and alpha are final.
inline void BlendNormal(std::uint32_t& dest, std::uint32_t source)
{
    const int alpha = AlphaOf(source);
    if (alpha == 255)
    {
        dest = source;
    }
    else if (alpha != 0)
    {
        dest = BlendPartial(dest, source, alpha);
    }
}

// Adds the colour of `add` (alpha byte ignored) to dest, each channel
// saturating at 255; dest keeps its alpha.
inline std::uint32_t AddSaturated(std::uint32_t dest, std::uint32_t add)
{
    const std::uint32_t red = std::min<std::uint32_t>(255, ((dest >> 16) & 0xFF) + ((add >> 16) & 0xFF));
    const std::uint32_t green = std::min<std::uint32_t>(255, ((dest >> 8) & 0xFF) + ((add >> 8) & 0xFF));
    const std::uint32_t blue = std::min<std::uint32_t>(255, (dest & 0xFF) + (add & 0xFF));
    return (dest & kAlphaMask) | (red << 16) | (green << 8) | blue;
}

// Each channel of pixel times `factor` / 256 (factor 0..256); alpha byte dropped.
inline std::uint32_t ScaleColor(std::uint32_t pixel, std::uint32_t factor)
{
    return ((((pixel & 0xFF00FFu) * factor) >> 8) & 0xFF00FFu) |
           ((((pixel & 0xFF00u) * factor) >> 8) & 0xFF00u);
}

// How a blit turns source pixels into what is blended: the tint, and for the
// additive mode the per-channel multipliers and whether alpha scales the colour.
struct BlitParams
{
    DrawMode mode = DrawMode::Normal;
    bool colorize = false;   // colour is not white
    bool sameChannels = false;
    int tintRed = 255, tintGreen = 255, tintBlue = 255, tintAlpha = 255;
    // Additive multipliers: tint channel * tint alpha / 255.
    int addRed = 255, addGreen = 255, addBlue = 255;
    bool sourcePartialAlpha = false;

    BlitParams(const Color& color, DrawMode drawMode, bool sourceHasPartialAlpha)
        : mode(drawMode), colorize(!color.IsWhite()), tintRed(color.red), tintGreen(color.green),
          tintBlue(color.blue), tintAlpha(color.alpha), sourcePartialAlpha(sourceHasPartialAlpha)
    {
        sameChannels = tintRed == tintGreen && tintGreen == tintBlue;
        addRed = tintRed * tintAlpha / 255;
        addGreen = tintGreen * tintAlpha / 255;
        addBlue = tintBlue * tintAlpha / 255;
    }

    // Normal rule with tint: alpha K.a * Sa / 255, channels * K.c / 256.
    std::uint32_t Tint(std::uint32_t source) const
    {
        const std::uint32_t alpha = static_cast<std::uint32_t>(tintAlpha) * (source >> 24) / 255;
        std::uint32_t rgb;
        if (sameChannels)
        {
            rgb = ScaleColor(source, static_cast<std::uint32_t>(tintRed));
        }
        else
        {
            const std::uint32_t red = ((source >> 16) & 0xFF) * static_cast<std::uint32_t>(tintRed) >> 8;
            const std::uint32_t green = ((source >> 8) & 0xFF) * static_cast<std::uint32_t>(tintGreen) >> 8;
            const std::uint32_t blue = (source & 0xFF) * static_cast<std::uint32_t>(tintBlue) >> 8;
            rgb = (red << 16) | (green << 8) | blue;
        }
        return (alpha << 24) | rgb;
    }

    // The colour an additive blit adds for this source pixel.
    std::uint32_t AdditiveAmount(std::uint32_t source) const
    {
        std::uint32_t red = (source >> 16) & 0xFF;
        std::uint32_t green = (source >> 8) & 0xFF;
        std::uint32_t blue = source & 0xFF;
        if (colorize)
        {
            red = red * static_cast<std::uint32_t>(addRed) >> 8;
            green = green * static_cast<std::uint32_t>(addGreen) >> 8;
            blue = blue * static_cast<std::uint32_t>(addBlue) >> 8;
        }
        if (sourcePartialAlpha)
        {
            const std::uint32_t alpha = source >> 24;
            red = red * alpha >> 8;
            green = green * alpha >> 8;
            blue = blue * alpha >> 8;
        }
        return (red << 16) | (green << 8) | blue;
    }

    // One source pixel onto one destination pixel, tint and mode applied.
    void Apply(std::uint32_t& dest, std::uint32_t source) const
    {
        if (mode == DrawMode::Additive)
        {
            dest = AddSaturated(dest, AdditiveAmount(source));
        }
        else
        {
            BlendNormal(dest, colorize ? Tint(source) : source);
        }
    }
};

} // namespace Lumo::BlendDetail
