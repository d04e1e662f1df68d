// Fuzz target: a font descriptor parsed, then the font measured and drawn.
// SPDX-License-Identifier: MIT
#include "framework/fonts/image_font.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"

#include <cstdint>
#include <string_view>

namespace
{

// Every ".png" layer image is the same small picture, so that image maps,
// bounds checks and drawing run without touching the disk.
std::shared_ptr<Lumo::Image> LoadLayerImage(const std::string& path)
{
    static const auto image = []
    {
        auto picture = std::make_shared<Lumo::MemoryImage>(32, 16);
        uint32_t* bits = picture->GetBits();
        for (int i = 0; i < 32 * 16; ++i)
        {
            bits[i] = (i % 3 == 0) ? 0 : 0xFF000000u | static_cast<uint32_t>(i * 2654435761u >> 8);
        }
        picture->BitsChanged();
        return picture;
    }();
    if (path.size() < 4 || path.compare(path.size() - 4, 4, ".png") != 0)
    {
        return nullptr;
    }
    return image;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    auto fontData = std::make_shared<Lumo::FontData>(LoadLayerImage);
    if (!fontData->LoadFromText(text, "fonts/fuzz.txt"))
    {
        return 0;
    }
    Lumo::ImageFont font(fontData);
    static Lumo::MemoryImage canvas(48, 24);
    Lumo::Graphics g(&canvas);
    const std::string_view sample = text.substr(0, std::min<size_t>(text.size(), 64));
    for (int pointSize : {font.GetDefaultPointSize(), 7, 30})
    {
        font.SetPointSize(pointSize);
        (void)font.StringWidth(sample);
        (void)font.GetHeight();
        font.DrawString(&g, 2, 18, sample, Lumo::Color(200, 180, 90), g.GetClipRect());
    }
    font.AddTag("BOLD");
    font.SetScale(0.5);
    (void)font.StringWidth(sample);
    return 0;
}
