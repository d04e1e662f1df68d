// TGA decoding: the one variant the game's pictures use, 32-bit BGRA with top-left origin.
// SPDX-License-Identifier: MIT
#include "framework/images/image_lib.h"

#include "framework/images/byte_reader.h"

namespace Lumo::ImageLib
{

namespace
{

constexpr uint8_t kUncompressedTrueColour = 2;
constexpr uint8_t kBitsPerPixel = 32;
constexpr uint8_t kTopLeftWithAlpha = 0x28;

} // namespace

ImagePtr DecodeTga(std::span<const uint8_t> file)
{
    ByteReader in(file);
    uint8_t idLength = 0, colourMapType = 0, imageType = 0, colourMapEntrySize = 0;
    uint16_t colourMapStart = 0, colourMapLength = 0, xOrigin = 0, yOrigin = 0, width = 0,
             height = 0;
    uint8_t bitsPerPixel = 0, descriptor = 0;
    if (!in.U8(idLength) || !in.U8(colourMapType) || !in.U8(imageType) || !in.U16(colourMapStart) ||
        !in.U16(colourMapLength) || !in.U8(colourMapEntrySize) || !in.U16(xOrigin) ||
        !in.U16(yOrigin) || !in.U16(width) || !in.U16(height) || !in.U8(bitsPerPixel) ||
        !in.U8(descriptor))
    {
        return nullptr;
    }
    // Run-length and colour-mapped files would be misread as raw pixels: only raw true colour.
    if (bitsPerPixel != kBitsPerPixel || descriptor != kTopLeftWithAlpha ||
        imageType != kUncompressedTrueColour || !IsAcceptableImageSize(width, height))
    {
        return nullptr;
    }
    // The image ID and any colour map come before the pixels.
    const size_t colourMapBytes =
        colourMapType != 0 ? size_t{colourMapLength} * ((colourMapEntrySize + 7u) / 8u) : 0;
    if (!in.Skip(idLength) || !in.Skip(colourMapBytes))
    {
        return nullptr;
    }
    // The pixels must all be there before any memory is taken for them.
    if (in.Left() / 4 < size_t{width} * height)
    {
        return nullptr;
    }
    auto image = std::make_unique<Image>(width, height);
    for (uint32_t& pixel : image->bits)
    {
        if (!in.U32(pixel)) // blue, green, red, alpha: 0xAARRGGBB little-endian
        {
            return nullptr;
        }
    }
    return image;
}

} // namespace Lumo::ImageLib
