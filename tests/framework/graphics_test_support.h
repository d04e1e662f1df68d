// Helpers for the drawing tests: images from pixel lists and pixel comparisons that save pictures.
// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "framework/graphics/color.h"
#include "framework/graphics/memory_image.h"

namespace Lumo
{

inline void PrintTo(const Rect& rect, std::ostream* out)
{
    *out << "Rect(" << rect.x << ", " << rect.y << ", " << rect.width << ", " << rect.height << ")";
}

inline void PrintTo(const Color& color, std::ostream* out)
{
    *out << "Color(" << color.red << ", " << color.green << ", " << color.blue << ", " << color.alpha
         << ")";
}

namespace GraphicsTest
{

// An image of the given size with every pixel set to `fill`.
inline MemoryImage Filled(int width, int height, std::uint32_t fill)
{
    MemoryImage image(width, height);
    std::uint32_t* bits = image.GetBits();
    std::fill(bits, bits + static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
    image.BitsChanged();
    return image;
}

// An image made of the given pixels, row after row.
inline MemoryImage FromPixels(int width, int height, const std::vector<std::uint32_t>& pixels)
{
    MemoryImage image;
    image.SetBits(pixels.data(), width, height);
    return image;
}

// Pixels drawn as text, one string a row, one character a pixel: '.' is
// `background`, every other character is looked up in `legend`.
inline std::vector<std::uint32_t> Picture(const std::vector<std::string>& rows,
                                          const std::map<char, std::uint32_t>& legend,
                                          std::uint32_t background)
{
    std::vector<std::uint32_t> pixels;
    for (const std::string& row : rows)
    {
        for (const char cell : row)
        {
            pixels.push_back(cell == '.' ? background : legend.at(cell));
        }
    }
    return pixels;
}

inline std::vector<std::uint32_t> PixelsOf(MemoryImage& image)
{
    const std::uint32_t* bits = image.GetBits();
    if (bits == nullptr)
    {
        return {};
    }
    return std::vector<std::uint32_t>(
        bits, bits + static_cast<std::size_t>(image.GetWidth()) *
                         static_cast<std::size_t>(image.GetHeight()));
}

// Writes actual and expected side by side (a gap of one column) as a PAM
// picture with alpha into the build's test-output folder; returns its path.
inline std::string SaveComparison(const std::string& name, int width, int height,
                                  const std::vector<std::uint32_t>& actual,
                                  const std::vector<std::uint32_t>& expected)
{
    const char* binaryDir = std::getenv("ZADI_BINARY_DIR");
    const std::filesystem::path folder =
        std::filesystem::path(binaryDir != nullptr ? binaryDir : ".") / "test-output";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::filesystem::path path = folder / (name + ".pam");
    std::FILE* file = std::fopen(path.string().c_str(), "wb");
    if (file == nullptr)
    {
        return "(could not write " + path.string() + ")";
    }
    const int outWidth = width * 2 + 1;
    std::fprintf(file, "P7\nWIDTH %d\nHEIGHT %d\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n",
                 outWidth, height);
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < outWidth; ++x)
        {
            std::uint32_t pixel = 0;
            if (x < width)
            {
                pixel = actual[static_cast<std::size_t>(y * width + x)];
            }
            else if (x > width)
            {
                pixel = expected[static_cast<std::size_t>(y * width + x - width - 1)];
            }
            const unsigned char rgba[4] = {static_cast<unsigned char>(pixel >> 16),
                                           static_cast<unsigned char>(pixel >> 8),
                                           static_cast<unsigned char>(pixel),
                                           static_cast<unsigned char>(pixel >> 24)};
            std::fwrite(rgba, 1, 4, file);
        }
    }
    std::fclose(file);
    return path.string();
}

// Compares every pixel; on a difference names the first one and saves both pictures.
inline ::testing::AssertionResult PixelsEqual(const std::string& name, MemoryImage& image,
                                              const std::vector<std::uint32_t>& expected)
{
    const std::vector<std::uint32_t> actual = PixelsOf(image);
    if (actual == expected)
    {
        return ::testing::AssertionSuccess();
    }
    const int width = image.GetWidth();
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    if (actual.size() != expected.size())
    {
        return failure << name << ": " << actual.size() << " pixels, expected " << expected.size();
    }
    for (std::size_t i = 0; i < actual.size(); ++i)
    {
        if (actual[i] != expected[i])
        {
            char text[96];
            std::snprintf(text, sizeof(text), "first difference at (%d, %d): %08X, expected %08X",
                          static_cast<int>(i) % width, static_cast<int>(i) / width, actual[i],
                          expected[i]);
            failure << name << ": " << text;
            break;
        }
    }
    return failure << "; pictures in "
                   << SaveComparison(name, width, image.GetHeight(), actual, expected);
}

} // namespace GraphicsTest
} // namespace Lumo
