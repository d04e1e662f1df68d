// PNG decoding through libpng, into 0xAARRGGBB words.
// SPDX-License-Identifier: MIT
#include "framework/images/image_lib.h"

#include <algorithm>
#include <csetjmp>
#include <png.h>

namespace Lumo::ImageLib
{

namespace
{

struct PngSource
{
    std::span<const uint8_t> bytes;
    size_t pos = 0;
};

// Everything the decode touches after setjmp lives here, outside the frame that calls setjmp, so
// a longjmp from libpng leaves it in a known state.
struct PngDecode
{
    PngSource source;
    ImagePtr image;
    std::vector<png_bytep> rows;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length)
{
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (source->bytes.size() - source->pos < length)
    {
        png_error(png, "cut short");
    }
    std::copy_n(source->bytes.data() + source->pos, length, out);
    source->pos += length;
}

void OnError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp)
{
    // Recoverable oddities are not reported: the loader shows no messages.
}

// Runs the libpng calls; on a libpng error control comes back through setjmp and false is returned.
bool RunDecode(png_structp png, png_infop info, PngDecode& decode)
{
    if (setjmp(png_jmpbuf(png)) != 0)
    {
        return false;
    }
    png_set_read_fn(png, &decode.source, ReadFromMemory);
    // A damaged checksum in any chunk makes the file damaged.
    png_set_crc_action(png, PNG_CRC_DEFAULT, PNG_CRC_ERROR_QUIT);
    png_set_user_limits(png, kMaxImageSide, kMaxImageSide);
    png_read_info(png, info);

    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colourType = 0, interlace = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colourType, &interlace, nullptr, nullptr);
    if (bitDepth > 8 || !IsAcceptableImageSize(width, height))
    {
        return false;
    }
    png_set_expand(png);
    if ((colourType & PNG_COLOR_MASK_ALPHA) == 0 && !png_get_valid(png, info, PNG_INFO_tRNS))
    {
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    }
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != size_t{width} * 4)
    {
        return false;
    }

    decode.image = std::make_unique<Image>(static_cast<int>(width), static_cast<int>(height));
    decode.rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
    {
        decode.rows[y] = reinterpret_cast<png_bytep>(decode.image->bits.data() + size_t{y} * width);
    }
    png_read_image(png, decode.rows.data());
    // Reads up to the end chunk, so a file cut after the image data is still refused.
    png_read_end(png, nullptr);
    return true;
}

} // namespace

ImagePtr DecodePng(std::span<const uint8_t> file)
{
    constexpr size_t kSignatureLength = 8;
    if (file.size() < kSignatureLength || png_sig_cmp(file.data(), 0, kSignatureLength) != 0)
    {
        return nullptr;
    }
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (png == nullptr)
    {
        return nullptr;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr)
    {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return nullptr;
    }
    PngDecode decode;
    decode.source.bytes = file;
    const bool decoded = RunDecode(png, info, decode);
    png_destroy_read_struct(&png, &info, nullptr);
    if (!decoded)
    {
        return nullptr;
    }
    return std::move(decode.image);
}

} // namespace Lumo::ImageLib
