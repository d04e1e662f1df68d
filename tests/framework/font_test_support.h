// Small fonts for the font tests: glyph pictures made in memory, descriptors written inline.
// SPDX-License-Identifier: MIT
#pragma once

#include "framework/fonts/font_data.h"
#include "framework/graphics/memory_image.h"

#include <map>
#include <memory>
#include <string>

namespace FontTest
{

// Serves pictures by path; a path not in the table loads nothing.
struct ImageTable
{
    std::map<std::string, std::shared_ptr<Lumo::MemoryImage>> images;

    // A picture whose pixel (x, y) is opaque with red x and green y, so that
    // a drawn glyph tells which part of the picture it came from.
    void AddGradient(const std::string& path, int width, int height)
    {
        auto image = std::make_shared<Lumo::MemoryImage>(width, height);
        uint32_t* bits = image->GetBits();
        for (int y = 0; y < height; ++y)
        {
            for (int x = 0; x < width; ++x)
            {
                bits[y * width + x] =
                    0xFF000000u | (uint32_t(x & 0xFF) << 16) | (uint32_t(y & 0xFF) << 8);
            }
        }
        image->BitsChanged();
        images[path] = image;
    }

    Lumo::FontData::LayerImageLoader Loader()
    {
        return [this](const std::string& path) -> std::shared_ptr<Lumo::Image>
        {
            const auto found = images.find(path);
            return found == images.end() ? nullptr : found->second;
        };
    }
};

} // namespace FontTest
