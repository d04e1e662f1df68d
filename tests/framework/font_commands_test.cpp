// Tests of the font descriptor commands: what each builds and how each rejects bad parameters.
// SPDX-License-Identifier: MIT
#include "font_test_support.h"

#include <gtest/gtest.h>

namespace
{

using Lumo::FontData;
using Lumo::FontLayer;

class FontCommands : public ::testing::Test
{
  protected:
    FontTest::ImageTable table;

    void SetUp() override { table.AddGradient("fonts/glyphs.png", 64, 32); }

    // Parses the descriptor "fonts/test.txt" with its layer Main and its image set.
    std::unique_ptr<FontData> Parse(const std::string& body)
    {
        auto font = std::make_unique<FontData>(table.Loader());
        const std::string text = "CreateLayer Main;\nLayerSetImage Main 'glyphs.png';\n" + body;
        (void)font->LoadFromText(text, "fonts/test.txt");
        return font;
    }
};

TEST_F(FontCommands, EachCommandChecksItsParameters)
{
    struct Case
    {
        const char* statement;
        const char* reason;
    };
    const Case cases[] = {
        {"Bogus 1;", "Unknown Command"},
        {"SetDefaultPointSize;", "Invalid Number of Parameters"},
        {"SetDefaultPointSize 1 2;", "Invalid Number of Parameters"},
        {"SetDefaultPointSize 'x';", "Invalid Paramater Type"},
        {"SetDefaultPointSize (1);", "Invalid Paramater Type"},
        {"SetCharMap ('a', 'b') ('c');", "List Size Mismatch"},
        {"SetCharMap 'a' 'b';", "Invalid Paramater Type"},
        {"SetCharMap ('ab') ('c');", "Invalid Paramater Type"},
        {"SetCharMap (1) (2);", "Invalid Paramater Type"},
        {"CreateLayer;", "Invalid Number of Parameters"},
        {"CreateLayer Main;", "Layer Already Exists"},
        {"CreateLayer 'main';", "Layer Already Exists"},
        {"CreateLayer (A);", "Invalid Paramater Type"},
        {"CreateLayerFrom Copy Nope;", "Undefined Layer"},
        {"CreateLayerFrom Main Main;", "Layer Already Exists"},
        {"CreateLayerFrom Copy;", "Invalid Number of Parameters"},
        {"LayerRequireTags Nope ('a');", "Undefined Layer"},
        {"LayerRequireTags Main 'a';", "Invalid Paramater Type"},
        {"LayerExcludeTags Main (1);", "Invalid Paramater Type"},
        {"LayerPointRange Main 1;", "Invalid Number of Parameters"},
        {"LayerPointRange Main 1 'x';", "Invalid Paramater Type"},
        {"LayerSetPointSize Main (2);", "Invalid Paramater Type"},
        {"LayerSetHeight Main 1 2;", "Invalid Number of Parameters"},
        {"LayerSetImage Main 'missing.png';", "Failed to Load Image"},
        {"LayerSetImage Main (1);", "Invalid Paramater Type"},
        {"LayerSetDrawMode Nope 1;", "Undefined Layer"},
        {"LayerSetColorMult Main (1, 2);", "Invalid Paramater Type"},
        {"LayerSetColorAdd Main 5;", "Invalid Paramater Type"},
        {"LayerSetAscent Main 'a';", "Invalid Paramater Type"},
        {"LayerSetAscentPadding Main;", "Invalid Number of Parameters"},
        {"LayerSetLineSpacingOffset Nope 1;", "Undefined Layer"},
        {"LayerSetOffset Main (1);", "Invalid Paramater Type"},
        {"LayerSetOffset Main 1 2;", "Invalid Number of Parameters"},
        {"LayerSetCharWidths Main ('a', 'b') (1);", "List Size Mismatch"},
        {"LayerSetCharWidths Main ('a') 5;", "Invalid Paramater Type"},
        {"LayerSetSpacing Main 1 2;", "Invalid Number of Parameters"},
        {"LayerSetImageMap Main ('a') ((0, 0, 65, 10));", "Image rectangle out of bounds"},
        {"LayerSetImageMap Main ('a') ((60, 30, 4, 3));", "Image rectangle out of bounds"},
        {"LayerSetImageMap Main ('a') ((-1, 0, 5, 5));", "Image rectangle out of bounds"},
        {"LayerSetImageMap Main ('a') ((0, 0, 5));", "Invalid Paramater Type"},
        {"LayerSetImageMap Main ('a', 'b') ((0, 0, 1, 1));", "List Size Mismatch"},
        {"CreateLayer Bare; LayerSetImageMap Bare ('a') ((0, 0, 1, 1));", "Layer image not set"},
        {"LayerSetCharOffsets Main ('a', 'b') (1, 2);", "Invalid Paramater Type"},
        {"LayerSetCharOffsets Main ('a', 'b') ((1, 2));", "List Size Mismatch"},
        {"LayerSetKerningPairs Main ('a') (1);", "Invalid Paramater Type"},
        {"LayerSetKerningPairs Main ('abc') (1);", "Invalid Paramater Type"},
        {"LayerSetKerningPairs Main ('ab', 'cd') (1);", "List Size Mismatch"},
        {"LayerSetBaseOrder Main;", "Invalid Number of Parameters"},
        {"LayerSetCharOrders Main ('a') ('x');", "Invalid Paramater Type"},
        {"CreateHorzSpanRectList R (0, 0, 10) (1, 2);", "Invalid Paramater Type"},
        {"CreateHorzSpanRectList 5 (0, 0, 10, 10) (1);", "Invalid Paramater Type"},
        {"CreateHorzSpanRectList R (0, 0, 10, 10);", "Invalid Number of Parameters"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.statement);
        const auto font = Parse(c.statement);
        EXPECT_FALSE(font->IsInitialised());
        EXPECT_EQ(font->GetErrorReason(), c.reason);
        EXPECT_EQ(font->GetErrorLine(), 3);
    }
}

TEST_F(FontCommands, ADescriptorBuildsItsLayers)
{
    const auto font = Parse(R"(
SetDefaultPointSize 14;
SetCharMap ('A', 'B') ('a', 'b');
Define Glyphs ('a', 'b', 'c');
CreateHorzSpanRectList Cells (2, 4, 50, 10) (3, 5, 7);
LayerSetPointSize Main 14;
LayerSetHeight Main 18;
LayerSetAscent Main 12;
LayerSetAscentPadding Main 1;
LayerSetLineSpacingOffset Main -2;
LayerSetOffset Main (1, -1);
LayerSetSpacing Main 1;
LayerSetDrawMode Main 1;
LayerSetColorMult Main (200, 100, 50);
LayerSetColorAdd Main (1, 2, 3, 4);
LayerSetCharWidths Main Glyphs (3, 5, 7);
LayerSetImageMap Main Glyphs Cells;
LayerSetCharOffsets Main ('b') ((0, 2));
LayerSetKerningPairs Main ('ab', "b'") (-2, 300);
LayerSetCharOrders Main ('c') (4);
LayerSetBaseOrder Main -1;
LayerRequireTags Main ('bold');
LayerExcludeTags Main ("Small", 'tiny');
LayerPointRange Main 10 20;
CreateLayerFrom Shadow Main;
LayerSetBaseOrder Shadow -5;
)");
    ASSERT_TRUE(font->IsInitialised()) << font->GetErrorText();
    EXPECT_EQ(font->GetDefaultPointSize(), 14);
    EXPECT_EQ(font->MapChar('A'), 'a');
    EXPECT_EQ(font->MapChar('C'), 'C');
    ASSERT_EQ(font->GetLayers().size(), 2u);
    const FontLayer& main = *font->GetLayers()[0];
    EXPECT_EQ(main.name, "MAIN");
    EXPECT_EQ(main.pointSize, 14);
    EXPECT_EQ(main.height, 18);
    EXPECT_EQ(main.ascent, 12);
    EXPECT_EQ(main.ascentPadding, 1);
    EXPECT_EQ(main.lineSpacingOffset, -2);
    EXPECT_EQ(main.offset, Lumo::Point(1, -1));
    EXPECT_EQ(main.spacing, 1);
    EXPECT_EQ(main.drawMode, 1);
    EXPECT_EQ(main.colorMult, Lumo::Color(200, 100, 50, 255));
    EXPECT_EQ(main.colorAdd, Lumo::Color(1, 2, 3, 4));
    EXPECT_EQ(main.widths['b'], 5);
    EXPECT_EQ(main.glyphRects['a'], Lumo::Rect(2, 4, 3, 10));
    EXPECT_EQ(main.glyphRects['b'], Lumo::Rect(5, 4, 5, 10));
    EXPECT_EQ(main.glyphRects['c'], Lumo::Rect(10, 4, 7, 10));
    EXPECT_EQ(main.charOffsets['b'], Lumo::Point(0, 2));
    EXPECT_EQ(main.kerning['a']['b'], -2);
    EXPECT_EQ(main.kerning['b']['\''], 127); // one signed byte per pair
    EXPECT_EQ(main.orders['c'], 4);
    EXPECT_EQ(main.baseOrder, -1);
    EXPECT_EQ(main.requiredTags, std::vector<std::string>{"BOLD"});
    EXPECT_EQ(main.excludedTags, (std::vector<std::string>{"SMALL", "TINY"}));
    EXPECT_EQ(main.minPointSize, 10);
    EXPECT_EQ(main.maxPointSize, 20);
    EXPECT_EQ(main.image.get(), table.images["fonts/glyphs.png"].get());
    const FontLayer* shadow = font->FindLayer("shadow");
    ASSERT_NE(shadow, nullptr);
    EXPECT_EQ(shadow->baseOrder, -5);
    EXPECT_EQ(shadow->glyphRects['c'], main.glyphRects['c']);
    EXPECT_EQ(shadow->image, main.image);
}

TEST_F(FontCommands, FirstErrorLeavesTheFontNotLoaded)
{
    const auto font = Parse("SetDefaultPointSize 12;\nCreateLayer Main;\nSetDefaultPointSize 20;");
    EXPECT_FALSE(font->IsInitialised());
    EXPECT_EQ(font->GetErrorText(), "Font Descriptor Error in fonts/test.txt\r\n"
                                    "Layer Already Exists on Line 4:\r\n\r\nCreateLayer Main");
    EXPECT_EQ(font->GetDefaultPointSize(), 12);
}

} // namespace
