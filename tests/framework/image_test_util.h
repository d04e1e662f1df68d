// Helpers for the image tests: builders of small TGA, GIF and PNG files and the fixture folder.
// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <png.h>
#include <string>
#include <vector>
#include <zlib.h>

namespace ImageTestUtil
{

// A file of tests/framework/image_data, found beside this header; aborts when it is missing, so a
// test never runs on an empty fixture.
inline std::vector<uint8_t> Fixture(const std::string& name)
{
    const std::filesystem::path path =
        std::filesystem::path(__FILE__).parent_path() / "image_data" / name;
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>()};
    if (bytes.empty())
    {
        std::fprintf(stderr, "missing test fixture %s\n", path.c_str());
        std::abort();
    }
    return bytes;
}

inline void PutLE16(std::vector<uint8_t>& out, unsigned value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

struct TgaOptions
{
    uint8_t idLength = 0;
    uint8_t imageType = 2;
    uint8_t bitsPerPixel = 32;
    uint8_t descriptor = 0x28;
};

// A TGA file whose pixels are the given 0xAARRGGBB words (or their low three bytes at 24 bits).
inline std::vector<uint8_t> Tga(int width, int height, const std::vector<uint32_t>& pixels,
                                TgaOptions options = {})
{
    std::vector<uint8_t> out = {options.idLength, 0, options.imageType, 0, 0, 0, 0, 0};
    PutLE16(out, 0);
    PutLE16(out, 0);
    PutLE16(out, static_cast<unsigned>(width));
    PutLE16(out, static_cast<unsigned>(height));
    out.push_back(options.bitsPerPixel);
    out.push_back(options.descriptor);
    out.insert(out.end(), options.idLength, 'i');
    for (uint32_t pixel : pixels)
    {
        for (int i = 0; i < options.bitsPerPixel / 8; ++i)
        {
            out.push_back(static_cast<uint8_t>(pixel >> (8 * i)));
        }
    }
    return out;
}

struct GifOptions
{
    int transparentIndex = -1;
    bool interlaced = false;
    std::vector<uint32_t> localPalette;
    bool withExtensions = false; // a comment and an application extension before the image
    bool noImage = false;
};

inline void PutPalette(std::vector<uint8_t>& out, const std::vector<uint32_t>& palette, int bits)
{
    for (size_t i = 0; i < (size_t{1} << bits); ++i)
    {
        const uint32_t rgb = i < palette.size() ? palette[i] : 0;
        out.push_back(static_cast<uint8_t>(rgb >> 16));
        out.push_back(static_cast<uint8_t>(rgb >> 8));
        out.push_back(static_cast<uint8_t>(rgb));
    }
}

// LZW data that sends every index as a literal code, with a clear code before the code size
// would grow: valid for any decoder and independent of ours.
inline std::vector<uint8_t> LiteralLzw(const std::vector<uint8_t>& indices, int minCodeSize)
{
    const int clear = 1 << minCodeSize;
    const int codeSize = minCodeSize + 1;
    const int run = clear - 2;
    std::vector<uint8_t> bytes;
    uint32_t buffer = 0;
    int bits = 0;
    auto put = [&](int code)
    {
        buffer |= static_cast<uint32_t>(code) << bits;
        bits += codeSize;
        while (bits >= 8)
        {
            bytes.push_back(static_cast<uint8_t>(buffer));
            buffer >>= 8;
            bits -= 8;
        }
    };
    for (size_t i = 0; i < indices.size(); ++i)
    {
        if (i % static_cast<size_t>(run) == 0)
        {
            put(clear);
        }
        put(indices[i]);
    }
    put(clear + 1);
    if (bits > 0)
    {
        bytes.push_back(static_cast<uint8_t>(buffer));
    }
    return bytes;
}

inline void PutSubBlocks(std::vector<uint8_t>& out, const std::vector<uint8_t>& data)
{
    for (size_t i = 0; i < data.size(); i += 255)
    {
        const size_t length = std::min<size_t>(255, data.size() - i);
        out.push_back(static_cast<uint8_t>(length));
        out.insert(out.end(), data.begin() + static_cast<long>(i),
                   data.begin() + static_cast<long>(i + length));
    }
    out.push_back(0);
}

// A GIF89a file with a 16-entry global table (palette padded) holding one image of the indices,
// given in the order the data stream carries them.
inline std::vector<uint8_t> Gif(int width, int height, const std::vector<uint8_t>& indices,
                                const std::vector<uint32_t>& palette, GifOptions options = {})
{
    constexpr int kTableBits = 4;
    std::vector<uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
    PutLE16(out, static_cast<unsigned>(width));
    PutLE16(out, static_cast<unsigned>(height));
    out.insert(out.end(), {0x80 | (kTableBits - 1), 0, 0});
    PutPalette(out, palette, kTableBits);
    if (options.withExtensions)
    {
        out.insert(out.end(), {'!', 0xFE});
        PutSubBlocks(out, {'h', 'e', 'l', 'l', 'o'});
        out.insert(out.end(), {'!', 0xFF});
        PutSubBlocks(out, {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'});
        out.insert(out.end(), {'!', 0x01});
        PutSubBlocks(out, {1, 2, 3});
    }
    if (options.transparentIndex >= 0)
    {
        out.insert(out.end(),
                   {'!', 0xF9, 4, 1, 0, 0, static_cast<uint8_t>(options.transparentIndex), 0});
    }
    if (!options.noImage)
    {
        out.push_back(',');
        PutLE16(out, 0);
        PutLE16(out, 0);
        PutLE16(out, static_cast<unsigned>(width));
        PutLE16(out, static_cast<unsigned>(height));
        uint8_t flags = options.interlaced ? 0x40 : 0;
        if (!options.localPalette.empty())
        {
            flags |= 0x80 | (kTableBits - 1);
        }
        out.push_back(flags);
        if (!options.localPalette.empty())
        {
            PutPalette(out, options.localPalette, kTableBits);
        }
        out.push_back(kTableBits);
        PutSubBlocks(out, LiteralLzw(indices, kTableBits));
    }
    out.push_back(';');
    return out;
}

struct PngSpec
{
    const char* what;
    int colourType;
    int bitDepth;
    bool withTrns;
    bool interlaced;
};

inline void PngWrite(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

inline void PngFlush(png_structp) {}

// A PNG of the given kind written by libpng, and the 0xAARRGGBB pixels it must decode to.
inline std::vector<uint8_t> WritePngVariant(const PngSpec& spec, int width, int height,
                                            std::vector<uint32_t>& expected)
{
    const int maxValue = (1 << spec.bitDepth) - 1;
    const int channels = spec.colourType == PNG_COLOR_TYPE_GRAY         ? 1
                         : spec.colourType == PNG_COLOR_TYPE_PALETTE    ? 1
                         : spec.colourType == PNG_COLOR_TYPE_GRAY_ALPHA ? 2
                         : spec.colourType == PNG_COLOR_TYPE_RGB        ? 3
                                                                        : 4;
    std::vector<png_color> palette;
    std::vector<png_byte> paletteAlpha;
    for (int k = 0; k <= std::min(maxValue, 255); ++k)
    {
        palette.push_back({static_cast<png_byte>(k * 40), static_cast<png_byte>(255 - k * 13),
                           static_cast<png_byte>(k * 7 + 3)});
        if (k < 3)
        {
            paletteAlpha.push_back(static_cast<png_byte>(k * 100)); // 0, 100, 200, then opaque
        }
    }
    png_color_16 transparent{};
    transparent.gray = static_cast<png_uint_16>(14 % (maxValue + 1)); // the value of pixel 2
    transparent.red = 20;
    transparent.green = 40;
    transparent.blue = 60;

    std::vector<std::vector<png_byte>> rows(static_cast<size_t>(height));
    expected.clear();
    for (int y = 0; y < height; ++y)
    {
        std::vector<int> samples;
        for (int x = 0; x < width; ++x)
        {
            const int p = y * width + x;
            uint32_t a = 255, r = 0, g = 0, b = 0;
            switch (spec.colourType)
            {
            case PNG_COLOR_TYPE_PALETTE:
            {
                const int index = (p * 5) % (maxValue + 1);
                samples.push_back(index);
                r = palette[static_cast<size_t>(index)].red;
                g = palette[static_cast<size_t>(index)].green;
                b = palette[static_cast<size_t>(index)].blue;
                if (spec.withTrns && index < static_cast<int>(paletteAlpha.size()))
                {
                    a = paletteAlpha[static_cast<size_t>(index)];
                }
                break;
            }
            case PNG_COLOR_TYPE_GRAY:
            case PNG_COLOR_TYPE_GRAY_ALPHA:
            {
                const int value = (p * 7) % (maxValue + 1);
                samples.push_back(value);
                r = g = b = static_cast<uint32_t>(value * 255 / maxValue);
                if (spec.colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
                {
                    a = static_cast<uint32_t>(p * 37 % 256);
                    samples.push_back(static_cast<int>(a));
                }
                else if (spec.withTrns && value == transparent.gray)
                {
                    a = 0;
                }
                break;
            }
            default:
            {
                r = p == 2 ? 20 : static_cast<uint32_t>(p * 17 % 256);
                g = p == 2 ? 40 : static_cast<uint32_t>(p * 29 % 256);
                b = p == 2 ? 60 : static_cast<uint32_t>(p * 51 % 256);
                samples.insert(samples.end(),
                               {static_cast<int>(r), static_cast<int>(g), static_cast<int>(b)});
                if (spec.colourType == PNG_COLOR_TYPE_RGBA)
                {
                    a = static_cast<uint32_t>(p * 61 % 256);
                    samples.push_back(static_cast<int>(a));
                }
                else if (spec.withTrns && p == 2)
                {
                    a = 0;
                }
                break;
            }
            }
            expected.push_back((a << 24) | (r << 16) | (g << 8) | b);
        }
        // Pack the samples at the bit depth, most significant bits first.
        std::vector<png_byte>& row = rows[static_cast<size_t>(y)];
        row.assign((static_cast<size_t>(width) * channels * spec.bitDepth + 7) / 8, 0);
        for (size_t i = 0; i < samples.size(); ++i)
        {
            const size_t bit = i * static_cast<size_t>(spec.bitDepth);
            row[bit / 8] |= static_cast<png_byte>(samples[i] << (8 - spec.bitDepth - bit % 8));
        }
    }

    std::vector<uint8_t> file;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)) != 0)
    {
        std::abort();
    }
    png_set_write_fn(png, &file, PngWrite, PngFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height),
                 spec.bitDepth, spec.colourType,
                 spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (spec.colourType == PNG_COLOR_TYPE_PALETTE)
    {
        png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
        if (spec.withTrns)
        {
            png_set_tRNS(png, info, paletteAlpha.data(), static_cast<int>(paletteAlpha.size()),
                         nullptr);
        }
    }
    else if (spec.withTrns)
    {
        png_set_tRNS(png, info, nullptr, 0, &transparent);
    }
    png_write_info(png, info);
    std::vector<png_bytep> rowPointers;
    for (auto& row : rows)
    {
        rowPointers.push_back(row.data());
    }
    png_write_image(png, rowPointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return file;
}

// The chunks of a PNG file, for making damaged copies that are otherwise well formed.
class PngChunks
{
  public:
    struct Chunk
    {
        std::string type;
        size_t start = 0;     // of the length field
        size_t dataStart = 0; // of the data
        size_t length = 0;
    };

    explicit PngChunks(std::vector<uint8_t> file) : file_(std::move(file))
    {
        size_t pos = 8;
        while (pos + 12 <= file_.size())
        {
            Chunk chunk;
            chunk.start = pos;
            chunk.length = (size_t{file_[pos]} << 24) | (size_t{file_[pos + 1]} << 16) |
                           (size_t{file_[pos + 2]} << 8) | file_[pos + 3];
            chunk.type.assign(reinterpret_cast<const char*>(&file_[pos + 4]), 4);
            chunk.dataStart = pos + 8;
            chunks_.push_back(chunk);
            pos += 12 + chunk.length;
        }
    }

    [[nodiscard]] Chunk Find(const std::string& type) const
    {
        for (const Chunk& chunk : chunks_)
        {
            if (chunk.type == type)
            {
                return chunk;
            }
        }
        std::abort();
    }

    // The file with every chunk of that type left out.
    [[nodiscard]] std::vector<uint8_t> Without(const std::string& type) const
    {
        std::vector<uint8_t> out(file_.begin(), file_.begin() + 8);
        for (const Chunk& chunk : chunks_)
        {
            if (chunk.type != type)
            {
                out.insert(out.end(), file_.begin() + static_cast<long>(chunk.start),
                           file_.begin() + static_cast<long>(chunk.dataStart + chunk.length + 4));
            }
        }
        return out;
    }

    // The file with another bit depth and colour type in a header of correct checksum.
    [[nodiscard]] std::vector<uint8_t> WithHeader(uint8_t bitDepth, uint8_t colourType) const
    {
        std::vector<uint8_t> out = file_;
        const Chunk header = Find("IHDR");
        out[header.dataStart + 8] = bitDepth;
        out[header.dataStart + 9] = colourType;
        PutCrc(out, header);
        return out;
    }

    // The file with a text chunk whose checksum is wrong, before the image data.
    [[nodiscard]] std::vector<uint8_t> WithBadAncillaryChunk() const
    {
        const Chunk header = Find("IHDR");
        std::vector<uint8_t> out(
            file_.begin(), file_.begin() + static_cast<long>(header.dataStart + header.length + 4));
        const std::vector<uint8_t> text = {0, 0, 0, 3, 't', 'E', 'X', 't', 'a', 0, 'b', 1, 2, 3, 4};
        out.insert(out.end(), text.begin(), text.end());
        out.insert(out.end(),
                   file_.begin() + static_cast<long>(header.dataStart + header.length + 4),
                   file_.end());
        return out;
    }

  private:
    static void PutCrc(std::vector<uint8_t>& out, const Chunk& chunk)
    {
        const uLong crc = crc32(0, &out[chunk.start + 4], static_cast<uInt>(chunk.length + 4));
        const size_t at = chunk.dataStart + chunk.length;
        for (int i = 0; i < 4; ++i)
        {
            out[at + static_cast<size_t>(i)] = static_cast<uint8_t>(crc >> (24 - 8 * i));
        }
    }

    std::vector<uint8_t> file_;
    std::vector<Chunk> chunks_;
};

} // namespace ImageTestUtil
