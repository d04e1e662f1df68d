// Tests of "zadi-tool font": check and render, loose and packaged, against the real binary.
// SPDX-License-Identifier: MIT
#include "framework/images/image_lib.h"
#include "framework/images/png_writer.h"
#include "framework/pak/pak_writer.h"
#include "tests/framework/pak_test_util.h"
#include "tests/tools/pak_image_tool_runner.h"

#include <gtest/gtest.h>

namespace
{

using namespace Lumo::ImageLib;
using PakTestUtil::ScratchDir;
using ToolRunner::IsOneLineError;
using ToolRunner::RunTool;
using ToolRunner::ToolResult;

constexpr const char* kDescriptor = R"(# two glyphs, 4 x 4, on a 10-point layer
SetDefaultPointSize 10;
CreateLayer Main;
LayerSetImage Main 'glyphs.png';
LayerSetPointSize Main 10;
LayerSetHeight Main 6;
LayerSetAscent Main 4;
LayerSetCharWidths Main ('a', 'b') (5, 5);
LayerSetImageMap Main ('a', 'b') ((0, 0, 4, 4), (4, 0, 4, 4));
)";

std::vector<uint8_t> Bytes(const std::string& text)
{
    return {text.begin(), text.end()};
}

class FontTool : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        Image glyphs(8, 4);
        for (int y = 0; y < 4; ++y)
        {
            for (int x = 0; x < 8; ++x)
            {
                glyphs.bits[y * 8 + x] = x < 4 ? 0xFFFF0000 : 0xFF00FF00;
            }
        }
        dir.Write("fonts/glyphs.png", EncodePng(glyphs));
        dir.Write("fonts/t.txt", Bytes(kDescriptor));
        dir.Write("fonts/bad.txt", Bytes("CreateLayer Main;\n\nCreateLayer main;\n"));
        dir.Write("fonts/noimage.txt", Bytes("CreateLayer Main;\nLayerSetImage Main 'none.png';"));

        Lumo::PakWriter writer;
        EXPECT_TRUE(writer.AddFile("packed/glyphs.png", EncodePng(glyphs)));
        EXPECT_TRUE(writer.AddFile("packed/t.txt", Bytes(kDescriptor)));
        EXPECT_TRUE(writer.Write(dir.Path("data.pak")));
    }

    ToolResult Run(const std::vector<std::string>& args) { return RunTool(args, dir.Path("")); }

    ImagePtr ReadPng(const std::string& name)
    {
        const std::string bytes = ToolRunner::Slurp(dir.Path(name));
        return DecodePng(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    }

    ScratchDir dir;
};

TEST_F(FontTool, CheckSaysOkOrPrintsTheDescriptorError)
{
    ToolResult good = Run({"font", "check", dir.Path("fonts/t.txt")});
    EXPECT_EQ(good.exitCode, 0) << good.err;
    EXPECT_EQ(good.out, "ok\n");

    ToolResult bad = Run({"font", "check", dir.Path("fonts/bad.txt")});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.out, "Font Descriptor Error in " + dir.Path("fonts/bad.txt") +
                           "\nLayer Already Exists on Line 3:\n\nCreateLayer main\n");
    EXPECT_TRUE(IsOneLineError(bad.err)) << bad.err;

    ToolResult noImage = Run({"font", "check", dir.Path("fonts/noimage.txt")});
    EXPECT_EQ(noImage.exitCode, 1);
    EXPECT_NE(noImage.out.find("Failed to Load Image on Line 2"), std::string::npos);

    ToolResult missing = Run({"font", "check", dir.Path("fonts/none.txt")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(IsOneLineError(missing.err)) << missing.err;
}

TEST_F(FontTool, RenderDrawsTheTextCutToItsLineBox)
{
    struct Case
    {
        std::vector<std::string> options;
        uint32_t red;
        uint32_t green;
    };
    const Case cases[] = {
        {{}, 0xFFFF0000, 0xFF00FF00},
        // Colorized blits scale each channel by colour / 256.
        {{"-color", "808080"}, 0xFF7F0000, 0xFF007F00},
    };
    for (const Case& c : cases)
    {
        std::vector<std::string> args = {"font", "render"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.insert(args.end(), {dir.Path("fonts/t.txt"), "ab", dir.Path("out.png")});
        ToolResult result = Run(args);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const ImagePtr picture = ReadPng("out.png");
        ASSERT_NE(picture, nullptr);
        ASSERT_EQ(picture->width, 10); // two advances of 5
        ASSERT_EQ(picture->height, 6); // the layer's height
        EXPECT_EQ(picture->bits[0], c.red);
        EXPECT_EQ(picture->bits[3 * 10 + 3], c.red);
        EXPECT_EQ(picture->bits[4], 0u);
        EXPECT_EQ(picture->bits[5], c.green);
        EXPECT_EQ(picture->bits[4 * 10 + 0], 0u); // below the baseline
    }
}

TEST_F(FontTool, RenderReadsDescriptorAndGlyphsFromAPackage)
{
    ToolResult result = Run({"font", "render", "-pak", dir.Path("data.pak"), "-size", "20",
                             "packed/t.txt", "ba", dir.Path("packed.png")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const ImagePtr picture = ReadPng("packed.png");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->width, 20);  // advances double at twice the point size
    EXPECT_EQ(picture->height, 12); // and so does the line box
    // Glyph pictures keep their size; they hang from the doubled ascent.
    EXPECT_EQ(picture->bits[3 * 20 + 0], 0xFF00FF00u);
    EXPECT_EQ(picture->bits[0 * 20 + 10], 0xFFFF0000u);
    EXPECT_EQ(picture->bits[4 * 20 + 10], 0u);
}

TEST_F(FontTool, BadArgumentsAndBadFilesFailWithOneLine)
{
    struct Case
    {
        std::vector<std::string> args;
        int exitCode;
    };
    const Case cases[] = {
        {{"font"}, 2},
        {{"font", "check"}, 2},
        {{"font", "render", dir.Path("fonts/t.txt"), "ab"}, 2},
        {{"font", "check", "-bogus", dir.Path("fonts/t.txt")}, 2},
        {{"font", "render", "-size", "x", dir.Path("fonts/t.txt"), "a", dir.Path("o.png")}, 2},
        {{"font", "check", "-pak", dir.Path("none.pak"), dir.Path("fonts/t.txt")}, 1},
        {{"font", "render", dir.Path("fonts/bad.txt"), "ab", dir.Path("o.png")}, 1},
        {{"font", "render", dir.Path("fonts/t.txt"), "ab", dir.Path("no/such/dir/o.png")}, 1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.args.size() > 1 ? c.args[1] + " " + c.args.back() : c.args[0]);
        ToolResult result = Run(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_TRUE(IsOneLineError(result.err)) << result.err;
    }
}

} // namespace
