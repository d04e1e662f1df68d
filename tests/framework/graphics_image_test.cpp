// Tests of image data: creation, flags, run-length data, native data, palettizing and the screen image.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

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
using GraphicsTest::PixelsOf;

TEST(GraphicsImageTest, CreateGivesTransparentPixelsOrNothing)
{
    MemoryImage image(3, 2);
    EXPECT_EQ(image.GetWidth(), 3);
    EXPECT_EQ(image.GetHeight(), 2);
    EXPECT_EQ(PixelsOf(image), std::vector<std::uint32_t>(6, 0u));
    for (const auto& [width, height] : {std::pair{-1, 5}, std::pair{5, 0}, std::pair{1 << 20, 2}})
    {
        MemoryImage refused(width, height);
        EXPECT_EQ(refused.GetWidth(), 0);
        EXPECT_EQ(refused.GetBits(), nullptr);
        EXPECT_TRUE(refused.HasTransparency()) << "an image without pixels counts as transparent";
        Graphics g(&refused);
        g.FillRect(0, 0, 10, 10);
    }
}

TEST(GraphicsImageTest, FlagsFollowTheAlphaValues)
{
    struct Case
    {
        std::vector<std::uint32_t> pixels;
        bool transparency;
        bool partial;
    };
    const Case cases[] = {
        {{0xFF000000u, 0xFFFFFFFFu}, false, false},
        {{0xFF000000u, 0x00FFFFFFu}, true, false},
        {{0xFE000000u, 0xFFFFFFFFu}, false, true},
        {{0x01000000u, 0x00000000u}, true, true},
    };
    for (const Case& c : cases)
    {
        MemoryImage image = FromPixels(2, 1, c.pixels);
        EXPECT_EQ(image.HasTransparency(), c.transparency);
        EXPECT_EQ(image.HasPartialAlpha(), c.partial);
        ASSERT_TRUE(image.Palettize());
        EXPECT_EQ(image.HasTransparency(), c.transparency) << "from the colour table";
    }
}

TEST(GraphicsImageTest, ChangedBitsRefreshFlagsUnlessForced)
{
    MemoryImage image = Filled(2, 2, 0xFFFFFFFFu);
    EXPECT_FALSE(image.HasTransparency());
    const int before = image.GetBitsChangedCount();
    image.GetBits()[3] = 0x80000000u;
    image.BitsChanged();
    EXPECT_GT(image.GetBitsChangedCount(), before);
    EXPECT_TRUE(image.HasPartialAlpha());

    image.SetImageMode(false, false);
    image.GetBits()[0] = 0;
    image.BitsChanged();
    EXPECT_FALSE(image.HasTransparency());
    EXPECT_FALSE(image.HasPartialAlpha());
}

TEST(GraphicsImageTest, RunLengthsCountDownWithinEachRow)
{
    const std::vector<std::uint32_t> pixels = {
        0x00000000u, 0x00FFFFFFu, 0xFF000000u, 0xFF123456u, 0xFFFFFFFFu, 0x80FFFFFFu, 0x00000000u,
        0x80000000u, 0x40000000u, 0x01000000u, 0xFE000000u, 0x00000000u, 0xFF000000u, 0xFF000000u,
    };
    MemoryImage image = FromPixels(7, 2, pixels);
    const std::uint8_t* alpha = image.GetRLAlphaData();
    ASSERT_NE(alpha, nullptr);
    EXPECT_EQ(std::vector<int>(alpha, alpha + 14),
              (std::vector<int>{2, 1, 3, 2, 1, 1, 1, /**/ 4, 3, 2, 1, 1, 2, 1}));
    const std::uint8_t* additive = image.GetRLAdditiveData();
    ASSERT_NE(additive, nullptr);
    EXPECT_EQ(std::vector<int>(additive, additive + 14),
              (std::vector<int>{1, 1, 1, 3, 2, 1, 1, /**/ 7, 6, 5, 4, 3, 2, 1}));

    MemoryImage column = FromPixels(1, 3, {0u, 0u, 0xFF000000u});
    const std::uint8_t* narrow = column.GetRLAlphaData();
    EXPECT_EQ(std::vector<int>(narrow, narrow + 3), (std::vector<int>{1, 1, 1}));

    MemoryImage wide(300, 1);
    const std::uint8_t* capped = wide.GetRLAlphaData();
    EXPECT_EQ(capped[0], 255);
    EXPECT_EQ(capped[44], 255);
    EXPECT_EQ(capped[45], 255);
    EXPECT_EQ(capped[46], 254);
    EXPECT_EQ(capped[299], 1);
}

TEST(GraphicsImageTest, RunLengthsAreRebuiltAfterAChange)
{
    MemoryImage image = Filled(3, 1, 0xFF000000u);
    EXPECT_EQ(image.GetRLAlphaData()[0], 3);
    image.GetBits()[1] = 0x80000000u;
    image.BitsChanged();
    EXPECT_EQ(image.GetRLAlphaData()[0], 1);
}

TEST(GraphicsImageTest, NativeDataIsPremultipliedIntoTheDisplayLayout)
{
    MemoryImage image = FromPixels(2, 1, {0x80FF8000u, 0xFF102030u});
    const std::uint32_t* native = image.GetNativeAlphaData(PixelFormat{});
    ASSERT_NE(native, nullptr);
    EXPECT_EQ(native[0], 0x80804000u); // 255 * 129 / 256 = 128, 128 * 129 / 256 = 64
    EXPECT_EQ(native[1], 0xFF102030u);
    PixelFormat swapped;
    swapped.redMask = 0x000000FFu;
    swapped.redShift = 0;
    swapped.blueMask = 0x00FF0000u;
    swapped.blueShift = 16;
    EXPECT_EQ(image.GetNativeAlphaData(swapped)[0], 0x80004080u);
}

TEST(GraphicsImageTest, PalettizeKeepsThePixelsWhileFewColoursAreUsed)
{
    std::vector<std::uint32_t> pixels(16 * 16);
    for (std::size_t i = 0; i < pixels.size(); ++i)
    {
        pixels[i] = 0x80000000u | static_cast<std::uint32_t>(i % 200) * 0x010101u;
    }
    MemoryImage image = FromPixels(16, 16, pixels);
    ASSERT_TRUE(image.Palettize());
    EXPECT_TRUE(image.IsPalettized());
    EXPECT_EQ(image.PeekBits(), nullptr);

    // A palettized image draws exactly like its bits.
    MemoryImage original = FromPixels(16, 16, pixels);
    MemoryImage fromTable = Filled(20, 20, 0xFF336699u);
    MemoryImage fromBits = Filled(20, 20, 0xFF336699u);
    Graphics(&fromTable).DrawImage(&image, 2, 3);
    Graphics(&fromBits).DrawImage(&original, 2, 3);
    EXPECT_TRUE(GraphicsTest::PixelsEqual("palettized_blit", fromTable, PixelsOf(fromBits)));
    EXPECT_TRUE(image.IsPalettized()) << "drawing from the table does not unpack it";

    EXPECT_EQ(PixelsOf(image), pixels);
    EXPECT_FALSE(image.IsPalettized());

    std::vector<std::uint32_t> many(300);
    for (std::size_t i = 0; i < many.size(); ++i)
    {
        many[i] = 0xFF000000u | static_cast<std::uint32_t>(i);
    }
    MemoryImage colourful = FromPixels(300, 1, many);
    EXPECT_FALSE(colourful.Palettize());
    EXPECT_EQ(PixelsOf(colourful), many);
}

TEST(GraphicsImageTest, CopiesAreDeep)
{
    MemoryImage image = Filled(2, 2, 0xFF010203u);
    image.animInfo = std::make_unique<AnimInfo>();
    image.animInfo->frameDelayMs = 40;
    MemoryImage copy(image);
    copy.GetBits()[0] = 0;
    copy.animInfo->frameDelayMs = 80;
    EXPECT_EQ(image.GetBits()[0], 0xFF010203u);
    EXPECT_EQ(image.animInfo->frameDelayMs, 40);
}

TEST(GraphicsImageTest, ScreenImageIsOpaqueAndCountsLocks)
{
    DDImage screen;
    screen.SetSurface(8, 4);
    EXPECT_TRUE(screen.IsSurfaceBorrowed());
    EXPECT_FALSE(screen.HasTransparency());
    EXPECT_EQ(PixelsOf(screen), std::vector<std::uint32_t>(32, 0xFF000000u));
    ASSERT_TRUE(screen.LockSurface());
    ASSERT_TRUE(screen.LockSurface());
    EXPECT_EQ(screen.GetLockCount(), 2);
    screen.UnlockSurface();
    screen.UnlockSurface();
    screen.UnlockSurface(); // one unlock too many changes nothing
    EXPECT_EQ(screen.GetLockCount(), 0);

    // An image with transparent pixels is drawn by blending in memory.
    DDImage layer(nullptr, 2, 1);
    Graphics g(&layer);
    g.SetColor(Color(255, 0, 0, 128));
    g.FillRect(0, 0, 1, 1);
    EXPECT_EQ(layer.GetBits()[0], 0x80FE0000u);
    EXPECT_EQ(layer.GetBits()[1], 0u);
}

} // namespace
} // namespace Lumo
