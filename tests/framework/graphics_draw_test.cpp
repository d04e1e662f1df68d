// Tests of drawing through Graphics: fills, outlines, lines, clipping, blits, stretches, rotation, boxes.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <numbers>
#include <random>

#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "tests/framework/graphics_test_support.h"

namespace Lumo
{
namespace
{

using GraphicsTest::Filled;
using GraphicsTest::FromPixels;
using GraphicsTest::Picture;
using GraphicsTest::PixelsEqual;
using GraphicsTest::PixelsOf;

constexpr std::uint32_t kBlack = 0xFF000000u;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

// Letters stand for distinct opaque colours.
std::map<char, std::uint32_t> Letters()
{
    std::map<char, std::uint32_t> legend;
    for (char letter = 'a'; letter <= 'z'; ++letter)
    {
        legend[letter] = 0xFF000000u | static_cast<std::uint32_t>(letter - 'a' + 1) * 0x0A0705u;
    }
    legend['W'] = kWhite;
    return legend;
}

MemoryImage LetterImage(const std::vector<std::string>& rows)
{
    return FromPixels(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()),
                      Picture(rows, Letters(), 0x00000000u));
}

TEST(GraphicsDrawTest, OutlineCoversOneMorePixelEachWay)
{
    MemoryImage image = Filled(14, 8, kBlack);
    Graphics g(&image);
    g.SetColor(Color::White());
    g.DrawRect(0, 0, 10, 5);
    EXPECT_TRUE(PixelsEqual("outline", image,
                            Picture({"WWWWWWWWWWW...", "W.........W...", "W.........W...",
                                     "W.........W...", "W.........W...", "WWWWWWWWWWW...",
                                     "..............", ".............."},
                                    Letters(), kBlack)));
}

TEST(GraphicsDrawTest, ClippedOutlineIsDrawnAsClippedFills)
{
    MemoryImage image = Filled(8, 5, kBlack);
    Graphics g(&image);
    g.SetColor(Color::White());
    g.Translate(1, 0);
    g.ClipRect(0, 0, 4, 5); // columns 1..4
    g.DrawRect(1, 1, 5, 3);
    EXPECT_TRUE(PixelsEqual("clipped_outline", image,
                            Picture({"........", "..WWW...", "..W.....", "..W.....", "..WWW..."},
                                    Letters(), kBlack)));
}

TEST(GraphicsDrawTest, FillIsTranslatedAndClipped)
{
    MemoryImage image = Filled(6, 4, kBlack);
    Graphics g(&image);
    g.SetColor(Color::White());
    g.Translate(2, 1);
    g.ClipRect(0, 0, 3, 2);
    g.FillRect(-5, -5, 100, 100);
    EXPECT_TRUE(PixelsEqual("fill_clip", image,
                            Picture({"......", "..WWW.", "..WWW.", "......"}, Letters(), kBlack)));
}

TEST(GraphicsDrawTest, TransparentColourDrawsNoRects)
{
    MemoryImage image = Filled(4, 4, kBlack);
    Graphics g(&image);
    g.SetColor(Color(255, 255, 255, 0));
    g.FillRect(0, 0, 4, 4);
    g.DrawRect(0, 0, 3, 3);
    g.SetDrawMode(DrawMode::Additive);
    g.FillRect(0, 0, 4, 4);
    EXPECT_TRUE(PixelsEqual("transparent_rects", image, std::vector<std::uint32_t>(16, kBlack)));
}

TEST(GraphicsDrawTest, LinesAreClippedToTheClipRect)
{
    struct Case
    {
        const char* name;
        int x1, y1, x2, y2;
        std::vector<std::string> expected;
    };
    // The clip spans columns 2..6 and rows 2..5.
    const Case cases[] = {
        {"left_of_clip", 0, 0, 1, 7,
         {"..........", "..........", "..........", "..........", "..........", "..........",
          "..........", ".........."}},
        {"horizontal", 0, 3, 9, 3,
         {"..........", "..........", "..........", "..WWWWW...", "..........", "..........",
          "..........", ".........."}},
        {"diagonal", 0, 0, 9, 9,
         {"..........", "..........", "..W.......", "...W......", "....W.....", ".....W....",
          "..........", ".........."}},
        {"vertical_reversed", 4, 7, 4, 0,
         {"..........", "..........", "....W.....", "....W.....", "....W.....", "....W.....",
          "..........", ".........."}},
        {"below_clip", 0, 6, 9, 7,
         {"..........", "..........", "..........", "..........", "..........", "..........",
          "..........", ".........."}},
    };
    for (const Case& c : cases)
    {
        MemoryImage image = Filled(10, 8, kBlack);
        Graphics g(&image);
        g.SetColor(Color::White());
        g.ClipRect(2, 2, 5, 4);
        g.DrawLine(c.x1, c.y1, c.x2, c.y2);
        EXPECT_TRUE(PixelsEqual(std::string("line_") + c.name, image,
                                Picture(c.expected, Letters(), kBlack)));
    }
}

TEST(GraphicsDrawTest, DrawImageIsTranslatedAndClippedWithItsSource)
{
    MemoryImage sprite = LetterImage({"abcd", "efgh", "ijkl"});
    MemoryImage image = Filled(6, 5, kBlack);
    Graphics g(&image);
    g.Translate(1, 1);
    g.ClipRect(0, 0, 3, 2);
    g.DrawImage(&sprite, -1, 0); // placed at (0, 1); the clip cuts column a and row i
    EXPECT_TRUE(PixelsEqual("image_clip", image,
                            Picture({"......", ".bcd..", ".fgh..", "......", "......"}, Letters(),
                                    kBlack)));
}

TEST(GraphicsDrawTest, SourceRectBeyondTheImageDrawsNothing)
{
    MemoryImage sprite = LetterImage({"abcd", "efgh", "ijkl"});
    for (const Rect& source : {Rect(1, 0, 4, 3), Rect(0, 1, 4, 3), Rect(-1, 0, 2, 2)})
    {
        MemoryImage image = Filled(6, 5, kBlack);
        Graphics g(&image);
        g.DrawImage(&sprite, 0, 0, source);
        EXPECT_TRUE(PixelsEqual("source_beyond", image, std::vector<std::uint32_t>(30, kBlack)));
    }
    MemoryImage image = Filled(6, 5, kBlack);
    Graphics g(&image);
    g.DrawImage(&sprite, 1, 1, Rect(1, 1, 3, 2));
    EXPECT_TRUE(PixelsEqual("source_inside", image,
                            Picture({"......", ".fgh..", ".jkl..", "......", "......"}, Letters(),
                                    kBlack)));
}

TEST(GraphicsDrawTest, DrawImageCelPicksOneCel)
{
    MemoryImage strip = LetterImage({"aabbcc", "aabbcc"});
    strip.numCols = 3;
    MemoryImage image = Filled(3, 2, kBlack);
    Graphics g(&image);
    g.DrawImageCel(&strip, 1, 0, 1);
    EXPECT_TRUE(PixelsEqual("cel", image, Picture({".bb", ".bb"}, Letters(), kBlack)));
}

TEST(GraphicsDrawTest, ColorizeOnlyTintsImagesWhenOn)
{
    MemoryImage sprite = Filled(1, 1, 0xFF808080u);
    MemoryImage image = Filled(2, 1, kBlack);
    Graphics g(&image);
    g.SetColor(Color(255, 0, 0));
    g.DrawImage(&sprite, 0, 0);
    g.SetColorizeImages(true);
    g.DrawImage(&sprite, 1, 0);
    EXPECT_EQ(image.GetBits()[0], 0xFF808080u);
    EXPECT_EQ(image.GetBits()[1], 0xFF7F0000u);
}

TEST(GraphicsDrawTest, NearestStretchRepeatsPixels)
{
    MemoryImage sprite = LetterImage({"ab", "cd"});
    MemoryImage image = Filled(6, 6, kBlack);
    Graphics g(&image);
    g.SetFastStretch(true);
    g.ClipRect(0, 0, 6, 4);
    g.DrawImageStretched(&sprite, Rect(1, 1, 4, 4), Rect(0, 0, 2, 2));
    EXPECT_TRUE(PixelsEqual("nearest", image,
                            Picture({"......", ".aabb.", ".aabb.", ".ccdd.", "......", "......"},
                                    Letters(), kBlack)));

    MemoryImage shrunk = Filled(2, 1, kBlack);
    Graphics small(&shrunk);
    small.SetFastStretch(true);
    small.DrawImageStretched(&sprite, Rect(0, 0, 1, 1), Rect(0, 0, 2, 2));
    EXPECT_EQ(shrunk.GetBits()[0], Letters()['a']);
}

TEST(GraphicsDrawTest, ScaleStretchesDrawImageAboutItsOrigin)
{
    MemoryImage sprite = LetterImage({"ab", "cd"});
    MemoryImage image = Filled(7, 7, kBlack);
    Graphics g(&image);
    g.SetFastStretch(true);
    g.SetScale(2.0f, 2.0f, 1.0f, 1.0f);
    g.DrawImage(&sprite, 2, 2); // x = floor((2 - 1) * 2) + 1 = 3
    EXPECT_TRUE(PixelsEqual("scaled", image,
                            Picture({".......", ".......", ".......", "...aabb", "...aabb",
                                     "...ccdd", "...ccdd"},
                                    Letters(), kBlack)));
}

std::uint32_t Grey(std::uint32_t level) { return 0xFF000000u | level * 0x010101u; }

TEST(GraphicsDrawTest, SmoothStretchFiltersBothWays)
{
    struct Case
    {
        const char* name;
        std::vector<std::uint32_t> source; // one row
        int destWidth;
        std::vector<std::uint32_t> expected;
    };
    const Case cases[] = {
        // Growing: linear between neighbours spaced (2 - 1) / (3 - 1) apart.
        {"grow", {Grey(0), Grey(255)}, 3, {Grey(0), Grey(128), Grey(255)}},
        {"grow_ends", {Grey(10), Grey(20), Grey(90)}, 5, {Grey(10), Grey(15), Grey(20), Grey(55), Grey(90)}},
        // Shrinking: each covered pixel weighted by the part covered.
        {"halve", {Grey(0), Grey(100), Grey(200), Grey(40)}, 2, {Grey(50), Grey(120)}},
        {"thirds", {Grey(0), Grey(90), Grey(180)}, 2, {Grey(30), Grey(150)}},
        {"same", {Grey(1), Grey(2)}, 2, {Grey(1), Grey(2)}},
    };
    for (const Case& c : cases)
    {
        const int sourceWidth = static_cast<int>(c.source.size());
        // Two identical rows stretched to three: rows stay as they are.
        std::vector<std::uint32_t> twoRows = c.source;
        twoRows.insert(twoRows.end(), c.source.begin(), c.source.end());
        MemoryImage sprite = FromPixels(sourceWidth, 2, twoRows);
        MemoryImage image = Filled(c.destWidth, 3, kBlack);
        Graphics g(&image);
        g.DrawImageStretched(&sprite, Rect(0, 0, c.destWidth, 3), Rect(0, 0, sourceWidth, 2));
        std::vector<std::uint32_t> expected;
        for (int row = 0; row < 3; ++row)
        {
            expected.insert(expected.end(), c.expected.begin(), c.expected.end());
        }
        EXPECT_TRUE(PixelsEqual(std::string("smooth_") + c.name, image, expected));
    }
}

TEST(GraphicsDrawTest, SmoothStretchOfOneColourStaysThatColourAndRespectsTheClip)
{
    MemoryImage sprite = Filled(5, 3, 0xFF336699u);
    MemoryImage image = Filled(20, 12, kBlack);
    Graphics g(&image);
    g.ClipRect(0, 0, 15, 12);
    g.DrawImageStretched(&sprite, Rect(2, 1, 17, 9), Rect(0, 0, 5, 3));
    std::vector<std::uint32_t> expected(20 * 12, kBlack);
    for (int y = 1; y < 10; ++y)
    {
        for (int x = 2; x < 15; ++x)
        {
            expected[static_cast<std::size_t>(y * 20 + x)] = 0xFF336699u;
        }
    }
    EXPECT_TRUE(PixelsEqual("smooth_flat", image, expected));
}

// Wide rows go through the vector filters; a clip of one pixel leaves only
// the plain per-pixel code. Both must give the same picture.
TEST(GraphicsDrawTest, SmoothStretchGivesTheSamePixelsWhateverTheClip)
{
    std::mt19937 random(11);
    std::vector<std::uint32_t> pixels(13 * 11);
    for (std::uint32_t& pixel : pixels)
    {
        pixel = random();
    }
    MemoryImage sprite = FromPixels(13, 11, pixels);
    for (const Rect& dest :
         {Rect(1, 2, 37, 29), Rect(0, 0, 40, 11), Rect(3, 1, 13, 30), Rect(2, 2, 6, 5)})
    {
        MemoryImage whole = Filled(42, 33, 0xFF102030u);
        Graphics(&whole).DrawImageStretched(&sprite, dest, Rect(0, 0, 13, 11));
        MemoryImage piecewise = Filled(42, 33, 0xFF102030u);
        for (int y = 0; y < 33; ++y)
        {
            for (int x = 0; x < 42; ++x)
            {
                Graphics g(&piecewise);
                g.ClipRect(x, y, 1, 1);
                g.DrawImageStretched(&sprite, dest, Rect(0, 0, 13, 11));
            }
        }
        EXPECT_TRUE(PixelsEqual("smooth_clip_independent", whole, PixelsOf(piecewise)));
    }
}

TEST(GraphicsDrawTest, RotationTurnsCounterClockwiseOnScreen)
{
    MemoryImage sprite = LetterImage({"abc"});
    MemoryImage image = Filled(5, 5, kBlack);
    Graphics g(&image);
    g.Translate(1, 1);
    // About the middle pixel's centre: the right end goes up.
    g.DrawImageRotatedF(&sprite, 0.0f, 1.0f, std::numbers::pi / 2, 1.5f, 0.5f);
    EXPECT_TRUE(PixelsEqual("rotate_quarter", image,
                            Picture({".....", "..c..", "..b..", "..a..", "....."}, Letters(),
                                    kBlack)));

    MemoryImage square = LetterImage({"ab", "cd"});
    MemoryImage turned = Filled(4, 4, kBlack);
    Graphics half(&turned);
    half.DrawImageRotated(&square, 1, 1, std::numbers::pi, 1, 1);
    EXPECT_TRUE(PixelsEqual("rotate_half", turned,
                            Picture({"....", ".dc.", ".ba.", "...."}, Letters(), kBlack)));
}

TEST(GraphicsDrawTest, UnturnedRotationMatchesAPlainBlitAndIsClipped)
{
    std::mt19937 random(3);
    std::vector<std::uint32_t> pixels(9 * 7);
    for (std::uint32_t& pixel : pixels)
    {
        pixel = random();
    }
    MemoryImage sprite = FromPixels(9, 7, pixels);
    MemoryImage rotated = Filled(16, 12, 0xFF204060u);
    MemoryImage plain = Filled(16, 12, 0xFF204060u);
    Graphics turn(&rotated);
    turn.ClipRect(0, 0, 8, 12);
    turn.SetColorizeImages(true);
    turn.SetColor(Color(200, 150, 100, 222));
    turn.DrawImageRotated(&sprite, 3, 2, 0.0, 4, 3, Rect(1, 1, 8, 6));
    Graphics blit(&plain);
    blit.ClipRect(0, 0, 8, 12);
    blit.SetColorizeImages(true);
    blit.SetColor(Color(200, 150, 100, 222));
    blit.DrawImage(&sprite, 3, 2, Rect(1, 1, 8, 6));
    EXPECT_TRUE(PixelsEqual("rotate_zero", rotated, PixelsOf(plain)));
}

TEST(GraphicsDrawTest, MirroredBlitReversesColumns)
{
    MemoryImage sprite = LetterImage({"abc", "def"});
    MemoryImage image = Filled(5, 2, kBlack);
    Graphics g(&image);
    g.ClipRect(0, 0, 3, 2);
    g.DrawImageMirror(&sprite, 1, 0); // columns 1..3, the clip keeps 1..2
    EXPECT_TRUE(PixelsEqual("mirror", image, Picture({".cb..", ".fe.."}, Letters(), kBlack)));
}

TEST(GraphicsDrawTest, ImageBoxKeepsCornersAndTilesTheRest)
{
    struct Case
    {
        const char* name;
        std::vector<std::string> source;
        Rect dest;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"three", {"abc", "def", "ghi"}, Rect(0, 0, 5, 4),
         {"abbbc.", "deeef.", "deeef.", "ghhhi.", "......"}},
        {"tiled", {"abcdef", "ghijkl", "mnopqr"}, Rect(0, 0, 7, 3),
         {"abcdcef", "ghijikl", "mnopoqr"}},
        {"empty", {"abc", "def", "ghi"}, Rect(0, 0, 0, 4), {"......", "......"}},
    };
    for (const Case& c : cases)
    {
        MemoryImage sprite = LetterImage(c.source);
        const int width = static_cast<int>(c.expected.front().size());
        const int height = static_cast<int>(c.expected.size());
        MemoryImage image = Filled(width, height, kBlack);
        Graphics g(&image);
        g.DrawImageBox(c.dest, &sprite);
        EXPECT_TRUE(PixelsEqual(std::string("box_") + c.name, image,
                                Picture(c.expected, Letters(), kBlack)));
    }
}

TEST(GraphicsDrawTest, OpaqueImagesAreCopiedRowByRowOrWhole)
{
    const std::vector<std::string> rows = {"abcd", "efgh", "ijkl"};
    MemoryImage picture = LetterImage(rows);
    MemoryImage sameWidth = Filled(4, 4, kBlack);
    Graphics(&sameWidth).DrawImage(&picture, 0, 1);
    EXPECT_TRUE(PixelsEqual("copy_whole", sameWidth,
                            Picture({"....", "abcd", "efgh", "ijkl"}, Letters(), kBlack)));
    MemoryImage wider = Filled(5, 3, kBlack);
    Graphics(&wider).DrawImage(&picture, 1, -1);
    EXPECT_TRUE(PixelsEqual("copy_rows", wider,
                            Picture({".efgh", ".ijkl", "....."}, Letters(), kBlack)));
}

TEST(GraphicsDrawTest, BlitOntoItselfReadsTheOriginalPixels)
{
    MemoryImage image = LetterImage({"abcd"});
    Graphics g(&image);
    g.DrawImage(&image, 1, 0, Rect(0, 0, 3, 1));
    EXPECT_TRUE(PixelsEqual("self_blit", image, Picture({"aabc"}, Letters(), kBlack)));
}

} // namespace
} // namespace Lumo
