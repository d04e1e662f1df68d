// Tests of text through Graphics: colour codes, justification, ranges and word wrapping.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/graphics/font.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "tests/framework/graphics_test_support.h"

namespace Lumo
{
namespace
{

// Every character is 10 pixels wide. Each drawn run is recorded, and a line
// of its width is drawn through the context at the pen position.
class FakeFont : public Font
{
public:
    struct Run
    {
        std::string text;
        int x;
        int y;
        Color color;
    };

    FakeFont()
    {
        ascent = 10;
        height = 12;
    }

    int StringWidth(std::string_view text) override { return 10 * static_cast<int>(text.size()); }

    void DrawString(Graphics* g, int x, int y, std::string_view text, const Color& color,
                    const Rect&) override
    {
        runs.push_back(Run{std::string(text), x, y, color});
        g->FillRect(x, y, StringWidth(text), 1);
    }

    std::unique_ptr<Font> Duplicate() const override { return std::make_unique<FakeFont>(*this); }

    std::vector<Run> runs;
};

const Color kRed(255, 0, 0);
const Color kGreen(0, 255, 0);
const Color kBlack(0, 0, 0);

TEST(GraphicsTextTest, ColourCodesSplitTheTextIntoRuns)
{
    struct Expected
    {
        std::string text;
        int x;
        Color color;
    };
    struct Case
    {
        const char* text;
        Color current;
        std::vector<Expected> runs;
        int width;
    };
    const Case cases[] = {
        {"abc", kBlack, {{"abc", 0, kBlack}}, 30},
        {"^^", kBlack, {{"^", 0, kBlack}}, 10},
        {"a^^^^b", kBlack, {{"a^^b", 0, kBlack}}, 40},
        {"ab^FF0000^cd", kBlack, {{"ab", 0, kBlack}, {"cd", 20, kRed}}, 40},
        // The code keeps the current alpha; lower-case digits are read too.
        {"x^ff0000^y", Color(0, 0, 255, 128), {{"x", 0, Color(0, 0, 255, 128)}, {"y", 10, Color(255, 0, 0, 128)}}, 20},
        // The eighth character is skipped whatever it is.
        {"^00FF00xq", kBlack, {{"q", 0, kGreen}}, 10},
        {"a^FF0000^b^oldclr^c", kBlack, {{"a", 0, kBlack}, {"b", 10, kRed}, {"c", 20, kBlack}}, 30},
        // "o" not followed by "ldclr" gives black.
        {"^FF0000^a^oxxxxx^b", kBlack, {{"a", 0, kRed}, {"b", 10, kBlack}}, 20},
        // Characters that are not hexadecimal digits count as 0.
        {"^zzFFGG^e", kBlack, {{"e", 0, Color(0, 255, 0)}}, 10},
        // A "^" with fewer than eight characters left ends the text.
        {"ab^12", kBlack, {{"ab", 0, kBlack}}, 20},
        {"ab^FF0000", kBlack, {{"ab", 0, kBlack}}, 20},
        {"", kBlack, {}, 0},
    };
    for (const Case& c : cases)
    {
        MemoryImage image(200, 20);
        FakeFont font;
        Graphics g(&image);
        g.SetFont(&font);
        g.SetColor(c.current);
        const int width = g.DrawColoredString(c.text, 0, 15, 0, -1);
        EXPECT_EQ(width, c.width) << c.text;
        ASSERT_EQ(font.runs.size(), c.runs.size()) << c.text;
        for (std::size_t i = 0; i < c.runs.size(); ++i)
        {
            EXPECT_EQ(font.runs[i].text, c.runs[i].text) << c.text;
            EXPECT_EQ(font.runs[i].x, c.runs[i].x) << c.text;
            EXPECT_EQ(font.runs[i].color, c.runs[i].color) << c.text;
        }
        EXPECT_EQ(g.GetColor(), c.current) << "the colour is restored after " << c.text;
    }
}

TEST(GraphicsTextTest, OldColourIsTheStartColourWhenGiven)
{
    MemoryImage image(200, 20);
    FakeFont font;
    Graphics g(&image);
    g.SetFont(&font);
    g.DrawColoredString("a^FF0000^b^oldclr^c", 0, 0, 0, -1, true, 0, -1, kGreen);
    ASSERT_EQ(font.runs.size(), 3u);
    EXPECT_EQ(font.runs[0].color, kBlack);
    EXPECT_EQ(font.runs[2].color, kGreen);
}

TEST(GraphicsTextTest, CodesAreLiteralWhenTurnedOff)
{
    MemoryImage image(200, 20);
    FakeFont font;
    Graphics g(&image);
    g.SetFont(&font);
    g.SetColorCodes(false);
    EXPECT_EQ(g.DrawColoredString("a^FF0000^b", 0, 0, 0, -1), 100);
    ASSERT_EQ(font.runs.size(), 1u);
    EXPECT_EQ(font.runs[0].text, "a^FF0000^b");
}

TEST(GraphicsTextTest, JustificationAndRange)
{
    struct Case
    {
        int justification;
        int start;
        int length;
        std::string text;
        int x;
    };
    const Case cases[] = {
        {-1, 0, -1, "abcdef", 5},
        {0, 0, -1, "abcdef", 5 + 20},  // (100 - 60) / 2
        {1, 0, -1, "abcdef", 5 + 40},  // 100 - 60
        {1, 2, 3, "cde", 5 + 70},
        {-1, 2, -1, "cdef", 5},
        {-1, 4, 100, "ef", 5},
        {0, 0, 2, "ab", 5 + 40},
    };
    for (const Case& c : cases)
    {
        MemoryImage image(200, 20);
        FakeFont font;
        Graphics g(&image);
        g.SetFont(&font);
        const int width = g.DrawColoredString("abcdef", 5, 0, 100, c.justification, true, c.start,
                                              c.length);
        EXPECT_EQ(width, 10 * static_cast<int>(c.text.size()));
        ASSERT_EQ(font.runs.size(), 1u);
        EXPECT_EQ(font.runs[0].text, c.text);
        EXPECT_EQ(font.runs[0].x, c.x) << c.justification << " " << c.start << " " << c.length;
    }
}

TEST(GraphicsTextTest, MeasuringDrawsNothing)
{
    MemoryImage image(200, 20);
    FakeFont font;
    Graphics g(&image);
    g.SetFont(&font);
    EXPECT_EQ(g.DrawColoredString("ab^FF0000^cd", 0, 0, 0, 0, false), 40);
    EXPECT_TRUE(font.runs.empty());
    Graphics noFont(&image);
    EXPECT_EQ(noFont.DrawColoredString("abc", 0, 0, 0, -1), 0);
}

TEST(GraphicsTextTest, StringsAreTranslatedOnceAndClipped)
{
    MemoryImage image = GraphicsTest::Filled(40, 10, 0xFF000000u);
    FakeFont font;
    Graphics g(&image);
    g.SetFont(&font);
    g.SetColor(Color::White());
    g.Translate(5, 2);
    g.ClipRect(0, 0, 12, 10);
    g.DrawString("abc", 1, 3);
    ASSERT_EQ(font.runs.size(), 1u);
    EXPECT_EQ(font.runs[0].x, 6);
    EXPECT_EQ(font.runs[0].y, 5);
    std::vector<std::uint32_t> expected(40 * 10, 0xFF000000u);
    for (int x = 6; x < 17; ++x) // the run is 30 wide; the clip ends at column 16
    {
        expected[static_cast<std::size_t>(5 * 40 + x)] = 0xFFFFFFFFu;
    }
    EXPECT_TRUE(GraphicsTest::PixelsEqual("string_translated", image, expected));
    EXPECT_EQ(g.GetTransX(), 5.0f);
}

TEST(GraphicsTextTest, WordWrapBreaksAtSpacesAndNewLines)
{
    MemoryImage image(200, 100);
    FakeFont font;
    Graphics g(&image);
    g.SetFont(&font);
    int widest = 0;
    const int height = g.DrawWordWrapped(Rect(4, 6, 55, 90), "aa bb cc\nd abcdefgh", -1, -1,
                                         &widest);
    std::vector<std::string> lines;
    std::vector<int> baselines;
    for (const FakeFont::Run& run : font.runs)
    {
        lines.push_back(run.text);
        baselines.push_back(run.y);
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"aa bb", "cc", "d", "abcde", "fgh"}));
    EXPECT_EQ(baselines, (std::vector<int>{16, 28, 40, 52, 64}));
    EXPECT_EQ(height, 5 * 12);
    EXPECT_EQ(widest, 50);
    EXPECT_EQ(g.GetWordWrappedHeight(55, "aa bb cc"), 2 * 12);
}

} // namespace
} // namespace Lumo
