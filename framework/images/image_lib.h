// Decoded pictures and the file-format decoders behind the image loader.
// SPDX-License-Identifier: MIT
//
// Rules of the module:
// - A decoded picture is width x height words 0xAARRGGBB, row after row, top row first.
// - Every decoder takes the complete bytes of one file and returns nothing (null) for anything it
//   cannot decode in full: a wrong signature, an unsupported variant, damaged or cut-short data.
//   Decoders never crash on bad data and never read outside the bytes they are given.
// - Pictures wider or taller than kMaxImageSide, or with more than kMaxImagePixels pixels, are
//   refused before any pixel memory is taken, whatever their header claims.
// - The decoders keep no state between calls and may run on any thread.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace Lumo::ImageLib
{

constexpr int kMaxImageSide = 16384;
constexpr int64_t kMaxImagePixels = 4096 * 4096;

struct Image
{
    int width = 0;
    int height = 0;
    std::vector<uint32_t> bits; // 0xAARRGGBB, width x height

    Image() = default;
    Image(int imageWidth, int imageHeight)
        : width(imageWidth), height(imageHeight),
          bits(static_cast<size_t>(imageWidth) * static_cast<size_t>(imageHeight), 0)
    {
    }
};

using ImagePtr = std::unique_ptr<Image>;

// Whether a picture of that size may be decoded at all.
[[nodiscard]] constexpr bool IsAcceptableImageSize(int64_t width, int64_t height)
{
    return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
           width * height <= kMaxImagePixels;
}

// Uncompressed 32-bit true-colour TGA with top-left origin and 8 alpha bits (descriptor 0x28).
[[nodiscard]] ImagePtr DecodeTga(std::span<const uint8_t> file);
// The first image of a GIF87a/GIF89a file; the transparent index becomes 0 (transparent black).
[[nodiscard]] ImagePtr DecodeGif(std::span<const uint8_t> file);
// An 8-bit-per-channel PNG of any colour type, with its transparency; 16-bit files are refused.
[[nodiscard]] ImagePtr DecodePng(std::span<const uint8_t> file);
// A JPEG (grey or colour); alpha 255. Corrupt data that the library would paper over is refused.
[[nodiscard]] ImagePtr DecodeJpeg(std::span<const uint8_t> file);
// A JPEG 2000 codestream (".j2k") or JP2 file (".jp2"), told apart by their signatures; alpha 255.
[[nodiscard]] ImagePtr DecodeJpeg2000(std::span<const uint8_t> file);

} // namespace Lumo::ImageLib
