// Tests of ImageFont: layer choice, widths with kerning and point-size scaling, and drawing.
// SPDX-License-Identifier: MIT
#include "font_test_support.h"

#include "framework/fonts/image_font.h"
#include "framework/graphics/graphics.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace
{

using Lumo::Color;
using Lumo::ImageFont;
using Lumo::Rect;

class FontMeasure : public ::testing::Test
{
  protected:
    FontTest::ImageTable table;

    void SetUp() override { table.AddGradient("fonts/glyphs.png", 64, 32); }

    std::unique_ptr<ImageFont> Make(const std::string& descriptor)
    {
        auto data = std::make_shared<Lumo::FontData>(table.Loader());
        EXPECT_TRUE(data->LoadFromText(descriptor, "fonts/test.txt")) << data->GetErrorText();
        return std::make_unique<ImageFont>(std::move(data));
    }
};

constexpr const char* kScaledLayer = R"(
SetDefaultPointSize 10;
SetCharMap ('A') ('a');
CreateLayer Main;
LayerSetImage Main 'glyphs.png';
LayerSetPointSize Main 10;
LayerSetHeight Main 13;
LayerSetAscent Main 9;
LayerSetLineSpacingOffset Main 2;
LayerSetCharWidths Main ('a', 'b', 'c') (5, 7, 4);
LayerSetKerningPairs Main ('ab') (-2);
LayerSetSpacing Main 1;
)";

TEST_F(FontMeasure, WidthsScaleWithPointSizeAndKerning)
{
    struct Case
    {
        int pointSize;
        double scale;
        const char* text;
        int width;
    };
    const Case cases[] = {
        {10, 1.0, "ab", 5 + 7 + (-2 + 1)},
        {10, 1.0, "ba", 7 + 5 + (0 + 1)},
        {10, 1.0, "Ab", 11}, // through the character map
        {10, 1.0, "", 0},
        {10, 1.0, "x", 0}, // a character without a width
        {20, 1.0, "ab", 10 + 14 + (-1 * 2)},
        {15, 1.0, "ab", 7 + 10 + -1}, // 7.5, 10.5 and -1.5 truncated
        {10, 0.5, "ab", 2 + 3 + 0},   // 2.5, 3.5 and -0.5 truncated
        {20, 0.5, "abc", 5 + 7 - 1 + 4 + 1},
    };
    auto font = Make(kScaledLayer);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.text) + " at " + std::to_string(c.pointSize));
        font->SetPointSize(c.pointSize);
        font->SetScale(c.scale);
        EXPECT_EQ(font->StringWidth(c.text), c.width);
    }
    font->SetPointSize(10);
    font->SetScale(1.0);
    EXPECT_EQ(font->CharWidth('a'), 5);
    EXPECT_EQ(font->CharWidthKern('b', 'a'), 7 - 1);
    EXPECT_EQ(font->CharWidthKern('b', 'A'), 7 - 1);
}

TEST_F(FontMeasure, MetricsFollowThePointSize)
{
    auto font = Make(kScaledLayer);
    EXPECT_EQ(font->GetPointSize(), 10);
    EXPECT_EQ(font->GetHeight(), 13);
    EXPECT_EQ(font->GetAscent(), 9);
    EXPECT_EQ(font->GetDescent(), 4);
    EXPECT_EQ(font->GetLineSpacing(), 15);
    font->SetPointSize(20);
    EXPECT_EQ(font->GetHeight(), 26);
    EXPECT_EQ(font->GetAscent(), 18);
    EXPECT_EQ(font->GetLineSpacingOffset(), 4);
}

TEST_F(FontMeasure, LayersWithoutPointSizeScaleOnlyWithTheScale)
{
    auto font = Make("CreateLayer L; LayerSetCharWidths L ('a', 'b') (5, 7);"
                     "LayerSetKerningPairs L ('ab') (-1);");
    font->SetPointSize(30);
    EXPECT_EQ(font->StringWidth("ab"), 11);
    font->SetScale(2.0);
    EXPECT_EQ(font->StringWidth("ab"), 10 + 14 - 2);
}

TEST_F(FontMeasure, TagsAndPointRangesChooseTheLayers)
{
    auto font = Make(R"(
SetDefaultPointSize 10;
CreateLayer Small; LayerPointRange Small 1 12; LayerSetCharWidths Small ('a') (5);
CreateLayer Large; LayerPointRange Large 13 99; LayerSetCharWidths Large ('a') (8);
CreateLayer Bold; LayerRequireTags Bold ('bold'); LayerSetCharWidths Bold ('a') (6);
CreateLayer Plain; LayerExcludeTags Plain ('Plainless'); LayerSetCharWidths Plain ('a') (1);
)");
    struct Case
    {
        int pointSize;
        const char* tag;
        int width; // the widest active layer wins
    };
    const Case cases[] = {
        {10, nullptr, 5}, {13, nullptr, 8}, {100, nullptr, 1},     {10, "BOLD", 6},
        {13, "Bold", 8},  {100, "bold", 6}, {100, "plainless", 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.pointSize) + " " + (c.tag ? c.tag : "-"));
        font->SetPointSize(c.pointSize);
        if (c.tag != nullptr)
        {
            font->AddTag(c.tag);
            EXPECT_TRUE(font->HasTag("bOLD") || font->HasTag("PLAINLESS"));
        }
        EXPECT_EQ(font->CharWidth('a'), c.width);
        if (c.tag != nullptr)
        {
            font->RemoveTag(c.tag);
        }
    }
}

TEST_F(FontMeasure, DuplicatesShareTheDescriptorAndKeepTheirSettings)
{
    auto font = Make(kScaledLayer + std::string("Define Title 'Deep Sea'; Define Size 14;"));
    font->SetPointSize(20);
    auto copy = font->Duplicate();
    auto* copied = dynamic_cast<ImageFont*>(copy.get());
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(&copied->GetFontData(), &font->GetFontData());
    EXPECT_EQ(copied->StringWidth("ab"), 22);
    copied->SetPointSize(10);
    EXPECT_EQ(font->StringWidth("ab"), 22);
    EXPECT_EQ(font->GetDefine("title"), "Deep Sea");
    EXPECT_EQ(font->GetDefine("SIZE"), "14");
    EXPECT_EQ(font->GetDefine("nothing"), "");
    EXPECT_EQ(font->GetDefaultPointSize(), 10);
}

// A font whose glyphs are 4 x 3 cells of the gradient picture, 10 pixels apart.
constexpr const char* kOrderedLayers = R"(
CreateLayer Shadow;
LayerSetImage Shadow 'glyphs.png';
LayerSetCharWidths Shadow ('a', 'b', 'c') (10, 10, 10);
LayerSetImageMap Shadow ('a', 'b', 'c') ((0, 0, 4, 3), (4, 0, 4, 3), (8, 0, 4, 3));
LayerSetCharOrders Shadow ('b', 'c') (5, -200);
CreateLayerFrom Main Shadow;
LayerSetBaseOrder Shadow -1;
LayerSetOffset Shadow (2, 1);
)";

TEST_F(FontMeasure, GlyphsDrawInOrderBuckets)
{
    auto font = Make(kOrderedLayers);
    Lumo::MemoryImage canvas(64, 32);
    Lumo::Graphics g(&canvas);
    std::vector<Rect> drawn;
    int width = 0;
    font->DrawStringEx(&g, 0, 10, "abc", Color::White(), g.GetClipRect(), &drawn, &width);
    // Order + 128 picks the bucket (limited to 0..255); within a bucket, first come first drawn.
    const std::vector<Rect> expected = {
        Rect(22, 11, 4, 3), // c shadow: -200 - 1
        Rect(20, 10, 4, 3), // c main: -200
        Rect(2, 11, 4, 3),  // a shadow: -1
        Rect(0, 10, 4, 3),  // a main: 0
        Rect(12, 11, 4, 3), // b shadow: 4
        Rect(10, 10, 4, 3), // b main: 5
    };
    EXPECT_EQ(drawn, expected);
    EXPECT_EQ(width, 30);
}

TEST_F(FontMeasure, DrawingBlitsGlyphsTintedAndRestoresTheGraphics)
{
    auto font = Make(std::string(kOrderedLayers) +
                     "LayerSetAscent Main 2; LayerSetColorMult Main (255, 0, 255);"
                     "LayerSetCharOffsets Main ('b') ((1, 1)); LayerSetDrawMode Main 0;");
    Lumo::MemoryImage canvas(64, 32);
    Lumo::Graphics g(&canvas);
    g.SetColor(Color(10, 20, 30, 40));
    g.SetDrawMode(Lumo::DrawMode::Additive);
    g.SetFont(font.get());
    g.DrawString("ab", 5, 12);
    EXPECT_EQ(g.GetColor(), Color(10, 20, 30, 40));
    EXPECT_EQ(g.GetDrawMode(), Lumo::DrawMode::Additive);
    EXPECT_FALSE(g.GetColorizeImages());

    Lumo::MemoryImage white(64, 32);
    Lumo::Graphics plain(&white);
    plain.SetColor(Color::White());
    font->DrawString(&plain, 5, 12, "ab", Color::White(), plain.GetClipRect());
    const uint32_t* bits = white.GetBits();
    auto pixel = [&](int x, int y) { return bits[y * 64 + x]; };
    // Colorized blits scale each channel by colour / 256; white is left untinted.
    auto tinted = [](uint32_t red, uint32_t green)
    { return 0xFF000000u | (red * 255 / 256) << 16 | (green * 255 / 256) << 8; };
    // Main 'a' at (5, 12 - 2): its picture cell (0..3, 0..2) with green removed.
    EXPECT_EQ(pixel(5, 10), tinted(0, 0));
    EXPECT_EQ(pixel(8, 12), tinted(3, 0));
    // Main 'b' offset by (1, 1): cell starting at picture x 4.
    EXPECT_EQ(pixel(5 + 10 + 1, 12 - 2 + 1), tinted(4, 0));
    // The shadow, drawn first and in white, shows where Main does not cover it.
    EXPECT_EQ(pixel(5 + 2 + 3, 12 + 1 + 2), 0xFF030200u);
    EXPECT_EQ(pixel(4, 10), 0u);
}

TEST_F(FontMeasure, LayersWithoutADrawModeUseTheCallers)
{
    auto font =
        Make("CreateLayer Glow; LayerSetImage Glow 'glyphs.png'; LayerSetDrawMode Glow 1;"
             "LayerSetImageMap Glow ('a') ((0, 0, 4, 3));"
             "CreateLayer Main; LayerSetImage Main 'glyphs.png'; LayerSetOffset Main (20, 0);"
             "LayerSetImageMap Main ('a') ((0, 0, 4, 3));");
    Lumo::MemoryImage canvas(32, 8);
    uint32_t* bits = canvas.GetBits();
    std::fill(bits, bits + 32 * 8, 0xFF404040u);
    canvas.BitsChanged();
    Lumo::Graphics g(&canvas);
    font->DrawString(&g, 0, 5, "a", Color::White(), g.GetClipRect());
    bits = canvas.GetBits();
    EXPECT_EQ(bits[5 * 32 + 1], 0xFF414040u);  // Glow adds its pixel (1, 0)
    EXPECT_EQ(bits[5 * 32 + 21], 0xFF010000u); // Main covers in the caller's normal mode
}

TEST_F(FontMeasure, AtMostSoManyGlyphsDrawButThePenGoesOn)
{
    auto font = Make(kOrderedLayers);
    Lumo::MemoryImage canvas(8, 8);
    Lumo::Graphics g(&canvas);
    const std::string text(3000, 'a'); // two layers: 6000 glyphs
    std::vector<Rect> drawn;
    int width = 0;
    font->DrawStringEx(&g, 0, 0, text, Color::White(), g.GetClipRect(), &drawn, &width);
    EXPECT_EQ(drawn.size(), static_cast<size_t>(Lumo::kMaxGlyphsPerString));
    EXPECT_EQ(width, 30000);
}

TEST_F(FontMeasure, DrawnWidthMatchesTheMeasureAtWholeMultiples)
{
    auto font = Make(kScaledLayer);
    Lumo::MemoryImage canvas(8, 8);
    Lumo::Graphics g(&canvas);
    for (int pointSize : {10, 20, 30})
    {
        SCOPED_TRACE(pointSize);
        font->SetPointSize(pointSize);
        int width = 0;
        font->DrawStringEx(&g, 3, 0, "abcab", Color::White(), g.GetClipRect(), nullptr, &width);
        EXPECT_EQ(width, font->StringWidth("abcab"));
    }
}

std::string lastReported;
void RecordReport(const std::string& message)
{
    lastReported = message;
}

TEST(ImageFontLoading, DescriptorErrorsReachTheHandlerAndLeaveTheFontUnloaded)
{
    // Named after the process: test runs of several checkouts share /tmp.
    const auto path = std::filesystem::temp_directory_path() /
                      ("zadi_font_error_" + std::to_string(getpid()) + ".txt");
    {
        FILE* file = std::fopen(path.c_str(), "w");
        ASSERT_NE(file, nullptr);
        std::fputs("SetDefaultPointSize 12;\nCreateLayer Main;\nCreateLayer Main;\n", file);
        std::fclose(file);
    }
    const Lumo::FontErrorHandler previous = Lumo::SetFontErrorHandler(RecordReport);
    lastReported.clear();
    {
        ImageFont font(path.string());
        EXPECT_FALSE(font.IsLoaded());
        EXPECT_EQ(lastReported, "Font Descriptor Error in " + path.string() +
                                    "\r\nLayer Already Exists on Line 3:\r\n\r\nCreateLayer Main");
    }
    lastReported.clear();
    {
        ImageFont font((path.parent_path() / "zadi_no_such_font.txt").string());
        EXPECT_FALSE(font.IsLoaded());
        EXPECT_EQ(font.StringWidth("abc"), 0);
        EXPECT_EQ(lastReported, ""); // a missing file is no descriptor error
    }
    Lumo::SetFontErrorHandler(previous);
    std::filesystem::remove(path);
}

} // namespace
