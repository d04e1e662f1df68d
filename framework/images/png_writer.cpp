// Writing pictures as PNG files through libpng.
// SPDX-License-Identifier: MIT
#include "framework/images/png_writer.h"

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <png.h>
#include <unistd.h>

namespace Lumo::ImageLib
{

namespace
{

struct PngEncode
{
    std::vector<uint8_t> bytes;
    std::vector<png_const_bytep> rows;
};

void WriteToMemory(png_structp png, png_bytep data, png_size_t length)
{
    auto* encode = static_cast<PngEncode*>(png_get_io_ptr(png));
    encode->bytes.insert(encode->bytes.end(), data, data + length);
}

void Flush(png_structp) {}

void OnError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

bool RunEncode(png_structp png, png_infop info, const Image& image, PngEncode& encode)
{
    if (setjmp(png_jmpbuf(png)) != 0)
    {
        return false;
    }
    png_set_write_fn(png, &encode, WriteToMemory, Flush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
                 static_cast<png_uint_32>(image.height), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png); // the words are B, G, R, A in memory
    encode.rows.resize(static_cast<size_t>(image.height));
    for (int y = 0; y < image.height; ++y)
    {
        encode.rows[static_cast<size_t>(y)] = reinterpret_cast<png_const_bytep>(
            image.bits.data() + static_cast<size_t>(y) * static_cast<size_t>(image.width));
    }
    png_write_image(png, const_cast<png_bytepp>(encode.rows.data()));
    png_write_end(png, nullptr);
    return true;
}

} // namespace

std::vector<uint8_t> EncodePng(const Image& image)
{
    if (image.width <= 0 || image.height <= 0 ||
        image.bits.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height))
    {
        return {};
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (png == nullptr)
    {
        return {};
    }
    png_infop info = png_create_info_struct(png);
    PngEncode encode;
    const bool encoded = info != nullptr && RunEncode(png, info, image, encode);
    png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
    if (!encoded)
    {
        return {};
    }
    return std::move(encode.bytes);
}

PngWriteResult WritePng(const Image& image, const std::string& path)
{
    const std::vector<uint8_t> bytes = EncodePng(image);
    if (bytes.empty())
    {
        return {false, "cannot encode the picture as PNG"};
    }
    const std::string temporary = path + ".tmp" + std::to_string(getpid());
    FILE* out = std::fopen(temporary.c_str(), "wb");
    if (out == nullptr)
    {
        return {false, "cannot create '" + path + "': " + std::strerror(errno)};
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    const bool closed = std::fclose(out) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0)
    {
        const std::string reason = std::strerror(errno);
        std::remove(temporary.c_str());
        return {false, "cannot write '" + path + "': " + reason};
    }
    return {true, {}};
}

} // namespace Lumo::ImageLib
