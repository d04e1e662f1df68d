// Tests of blending in memory: fills and blits in both modes, colorize, and the opaque screen path.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <random>

#include "framework/graphics/dd_image.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "tests/framework/graphics_test_support.h"

namespace Lumo
{
namespace
{

using GraphicsTest::Filled;
using GraphicsTest::FromPixels;
using GraphicsTest::PixelsEqual;
using GraphicsTest::PixelsOf;

std::uint32_t PixelAfterFill(std::uint32_t dest, const Color& color, DrawMode mode)
{
    MemoryImage image = Filled(1, 1, dest);
    Graphics g(&image);
    g.SetColor(color);
    g.SetDrawMode(mode);
    g.FillRect(0, 0, 1, 1);
    return image.GetBits()[0];
}

TEST(GraphicsBlendTest, FillFollowsTheBlendRule)
{
    struct Case
    {
        std::uint32_t dest;
        Color color;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {0xFF0000FFu, Color(255, 0, 0, 255), 0xFFFF0000u},   // opaque colour is stored
        {0x00000000u, Color(1, 2, 3, 255), 0xFF010203u},
        {0xFF0000FFu, Color(255, 0, 0, 128), 0xFF7F007Fu},   // over opaque: weight = alpha
        {0x00000000u, Color(255, 0, 0, 128), 0x80FE0000u},   // over transparent: weight 255
        {0x8000FF00u, Color(255, 0, 0, 64), 0x9F659900u},    // both partial
        {0x40102030u, Color(0x80, 0xC0, 0xE0, 200), 0xD578B5D4u},
        {0xFF102030u, Color(0x80, 0xC0, 0xE0, 1), 0xFF102030u},
        {0xFF102030u, Color(0x80, 0xC0, 0xE0, 254), 0xFF7FBEDEu},
        {0xFF102030u, Color(0xFF, 0xFF, 0xFF, 0), 0xFF102030u}, // alpha 0 draws nothing
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(PixelAfterFill(c.dest, c.color, DrawMode::Normal), c.expected)
            << std::hex << c.dest << " alpha " << std::dec << c.color.alpha;
    }
}

TEST(GraphicsBlendTest, AdditiveFillSaturatesAndKeepsTheAlpha)
{
    EXPECT_EQ(PixelAfterFill(0x80F01010u, Color(0x20, 0x20, 0x20), DrawMode::Additive),
              0x80FF3030u);
    // A translucent colour adds its channels scaled by alpha / 256.
    EXPECT_EQ(PixelAfterFill(0xFF000000u, Color(0xFF, 0x80, 0x40, 128), DrawMode::Additive),
              0xFF7F4020u);
}

std::uint32_t PixelAfterBlit(std::uint32_t dest, MemoryImage& source, bool colorize,
                             const Color& color, DrawMode mode)
{
    MemoryImage image = Filled(1, 1, dest);
    Graphics g(&image);
    g.SetColorizeImages(colorize);
    g.SetColor(color);
    g.SetDrawMode(mode);
    g.DrawImage(&source, 0, 0, Rect(0, 0, 1, 1));
    return image.GetBits()[0];
}

TEST(GraphicsBlendTest, NormalBlitCopiesSkipsOrBlends)
{
    struct Case
    {
        std::uint32_t source;
        std::uint32_t dest;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {0xFF123456u, 0x80FFFFFFu, 0xFF123456u}, // opaque source is copied
        {0x00123456u, 0x80FFFFFFu, 0x80FFFFFFu}, // transparent source leaves the pixel
        {0x80FF0000u, 0xFF0000FFu, 0xFF7F007Fu},
        {0x80FF0000u, 0x00000000u, 0x80FE0000u},
        {0x40FF0000u, 0x8000FF00u, 0x9F659900u},
    };
    for (const Case& c : cases)
    {
        MemoryImage source = FromPixels(1, 1, {c.source});
        // The colour is ignored while colorize is off.
        EXPECT_EQ(PixelAfterBlit(c.dest, source, false, Color(1, 2, 3, 4), DrawMode::Normal),
                  c.expected)
            << std::hex << c.source << " over " << c.dest;
    }
}

TEST(GraphicsBlendTest, ColorizeMultipliesTheSource)
{
    struct Case
    {
        Color tint;
        std::uint32_t source;
        std::uint32_t dest;
        std::uint32_t expected;
    };
    const Case cases[] = {
        // White is neutral.
        {Color::White(), 0xFF804020u, 0xFF000000u, 0xFF804020u},
        // Equal channels: one multiplier, channel * 128 / 256.
        {Color(128, 128, 128), 0xFF804020u, 0xFF000000u, 0xFF402010u},
        // Alpha becomes 128 * 255 / 255, channels * K / 256, then blended.
        {Color(255, 128, 0, 128), 0xFF804020u, 0xFF000000u, 0xFF3F1000u},
        // A transparent tint hides the image.
        {Color(255, 255, 255, 0), 0xFF804020u, 0xFF112233u, 0xFF112233u},
    };
    for (const Case& c : cases)
    {
        MemoryImage source = FromPixels(1, 1, {c.source});
        EXPECT_EQ(PixelAfterBlit(c.dest, source, true, c.tint, DrawMode::Normal), c.expected)
            << std::hex << c.source;
    }
}

TEST(GraphicsBlendTest, AdditiveBlitAddsWithAlphaOnlyForPartialAlphaImages)
{
    // An image with a partially transparent pixel scales every pixel by its alpha / 256.
    MemoryImage partial = FromPixels(2, 1, {0x80FF8040u, 0xFFFFFFFFu});
    ASSERT_TRUE(partial.HasPartialAlpha());
    EXPECT_EQ(PixelAfterBlit(0xFF808080u, partial, false, Color(), DrawMode::Additive),
              0xFFFFC0A0u);
    // Without partial alpha the colour is added as it is, whatever the alpha.
    MemoryImage plain = FromPixels(2, 1, {0xFF204060u, 0x00000000u});
    ASSERT_FALSE(plain.HasPartialAlpha());
    EXPECT_EQ(PixelAfterBlit(0x80101010u, plain, false, Color(), DrawMode::Additive), 0x80305070u);
    EXPECT_EQ(PixelAfterBlit(0xFFF0F0F0u, plain, false, Color(), DrawMode::Additive), 0xFFFFFFFFu);
    // Colorize multiplies by K.channel * K.alpha / 255 / 256 first.
    EXPECT_EQ(PixelAfterBlit(0xFF000000u, plain, true, Color(255, 0, 128, 128), DrawMode::Additive),
              0xFF100018u);
}

TEST(GraphicsBlendTest, NormalAndAdditiveDifferOnTheSameImage)
{
    MemoryImage sprite = Filled(4, 4, 0xFF404040u);
    MemoryImage normal = Filled(8, 8, 0xFF808080u);
    MemoryImage additive = Filled(8, 8, 0xFF808080u);
    Graphics normalContext(&normal);
    normalContext.DrawImage(&sprite, 2, 2);
    Graphics additiveContext(&additive);
    additiveContext.SetDrawMode(DrawMode::Additive);
    additiveContext.DrawImage(&sprite, 2, 2);
    EXPECT_EQ(normal.GetBits()[2 * 8 + 2], 0xFF404040u);
    EXPECT_EQ(additive.GetBits()[2 * 8 + 2], 0xFFC0C0C0u);
    EXPECT_EQ(additive.GetBits()[0], 0xFF808080u);
}

// The screen draws through routines that assume an opaque destination; they
// must give the very pixels the general blending gives.
TEST(GraphicsBlendTest, ScreenRoutinesMatchMemoryBlending)
{
    std::mt19937 random(7);
    const auto randomPixel = [&random](bool opaque)
    {
        const std::uint32_t value = random();
        const std::uint32_t alphaPick = random() % 4;
        const std::uint32_t alpha = opaque ? 255 : (alphaPick == 0 ? 0 : alphaPick == 1 ? 255 : (random() & 0xFF));
        return (alpha << 24) | (value & 0xFFFFFFu);
    };
    std::vector<std::uint32_t> spritePixels(37 * 23);
    for (std::uint32_t& pixel : spritePixels)
    {
        pixel = randomPixel(false);
    }
    std::vector<std::uint32_t> backdrop(64 * 48);
    for (std::uint32_t& pixel : backdrop)
    {
        pixel = randomPixel(true);
    }
    MemoryImage sprite = FromPixels(37, 23, spritePixels);

    struct Case
    {
        const char* name;
        DrawMode mode;
        bool colorize;
        Color color;
    };
    const Case cases[] = {
        {"normal", DrawMode::Normal, false, Color()},
        {"normal_tinted", DrawMode::Normal, true, Color(200, 100, 50, 180)},
        {"normal_grey_tint", DrawMode::Normal, true, Color(90, 90, 90, 255)},
        {"additive", DrawMode::Additive, false, Color()},
        {"additive_tinted", DrawMode::Additive, true, Color(30, 200, 255, 77)},
    };
    for (const Case& c : cases)
    {
        DDImage screen;
        screen.SetSurface(64, 48);
        std::copy(backdrop.begin(), backdrop.end(), screen.GetBits());
        screen.BitsChanged();
        MemoryImage memory = FromPixels(64, 48, backdrop);
        for (Image* destination : {static_cast<Image*>(&screen), static_cast<Image*>(&memory)})
        {
            Graphics g(destination);
            g.SetDrawMode(c.mode);
            g.SetColorizeImages(c.colorize);
            g.SetColor(c.color);
            g.DrawImage(&sprite, 5, 7);
            g.DrawImage(&sprite, 40, 30); // clipped at the right and bottom
            g.DrawImage(&sprite, -20, -10); // clipped at the left and top
            g.DrawImageRotated(&sprite, 20, 10, 0.7, 18, 11);
            g.SetFastStretch(true);
            g.DrawImageStretched(&sprite, Rect(10, 5, 50, 30), Rect(0, 0, 37, 23));
            g.SetFastStretch(false);
            g.DrawImageStretched(&sprite, Rect(2, 20, 61, 25), Rect(1, 1, 30, 20));
            g.DrawImageStretched(&sprite, Rect(40, 2, 20, 9), Rect(0, 0, 37, 23));
            g.SetColor(Color(10, 240, 120, 99));
            g.FillRect(3, 3, 30, 20);
            g.DrawLine(0, 47, 63, 0);
        }
        EXPECT_TRUE(PixelsEqual(std::string("screen_") + c.name, screen, PixelsOf(memory)));
    }
}

} // namespace
} // namespace Lumo
