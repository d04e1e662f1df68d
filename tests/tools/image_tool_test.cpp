// Tests of "zadi-tool image": info and convert, loose and packaged, against the real binary.
// SPDX-License-Identifier: MIT
#include "framework/images/image_lib.h"
#include "framework/images/png_writer.h"
#include "framework/pak/pak_writer.h"
#include "tests/framework/image_test_util.h"
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

class ImageTool : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        Image opaque(3, 2);
        opaque.bits.assign(6, 0xFF204060);
        dir.Write("opaque.png", EncodePng(opaque));
        Image holes(2, 2);
        holes.bits = {0xFF000000, 0x00000000, 0xFF111111, 0xFF222222};
        dir.Write("holes.png", EncodePng(holes));
        dir.Write("soft.tga", ImageTestUtil::Tga(1, 2, {0x80FFFFFF, 0x00000000}));
        const std::vector<uint8_t> whole = EncodePng(opaque);
        dir.Write("broken.png", std::vector<uint8_t>(whole.begin(), whole.end() - 5));

        Lumo::PakWriter writer;
        Image packaged(4, 1);
        packaged.bits = {0xFF0000FF, 0x7F00FF00, 0x00FF0000, 0xFFFFFFFF};
        EXPECT_TRUE(writer.AddFile("images/sea.png", EncodePng(packaged)));
        EXPECT_TRUE(writer.AddFile("images/_sea.gif",
                                   ImageTestUtil::Gif(4, 1, {1, 1, 1, 1}, {0, 0x000080})));
        EXPECT_TRUE(writer.Write(dir.Path("data.pak")));
    }

    ToolResult Run(const std::vector<std::string>& args) { return RunTool(args, dir.Path("")); }

    ScratchDir dir;
};

TEST_F(ImageTool, InfoDescribesSizeAndAlpha)
{
    struct Case
    {
        std::vector<std::string> args;
        const char* expected;
    };
    const Case cases[] = {
        {{"image", "info", dir.Path("opaque.png")},
         "width 3\nheight 2\nhas-transparency no\nhas-partial-alpha no\n"},
        {{"image", "info", dir.Path("holes")},
         "width 2\nheight 2\nhas-transparency yes\nhas-partial-alpha no\n"},
        {{"image", "info", dir.Path("soft")},
         "width 1\nheight 2\nhas-transparency yes\nhas-partial-alpha yes\n"},
        // Packaged, with its alpha file making every pixel half transparent.
        {{"image", "info", "-pak", dir.Path("data.pak"), "IMAGES\\Sea"},
         "width 4\nheight 1\nhas-transparency no\nhas-partial-alpha yes\n"},
    };
    for (const Case& c : cases)
    {
        const ToolResult result = Run(c.args);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, c.expected) << c.args.back();
    }
}

TEST_F(ImageTool, ConvertWritesWhatTheGameLoads)
{
    const ToolResult result =
        Run({"image", "convert", "-pak", dir.Path("data.pak"), "images/sea", dir.Path("out.png")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(result.out.empty());
    const ImagePtr written = DecodePng(dir.Read("out.png"));
    ASSERT_NE(written, nullptr);
    EXPECT_EQ(written->bits,
              (std::vector<uint32_t>{0x800000FF, 0x8000FF00, 0x80FF0000, 0x80FFFFFF}));
}

TEST_F(ImageTool, BadArgumentsAndDamagedFilesFailWithOneLine)
{
    std::vector<uint8_t> damagedPak = dir.Read("data.pak");
    damagedPak[5] ^= 0x01;
    dir.Write("damaged.pak", damagedPak);
    struct Case
    {
        std::vector<std::string> args;
        int exitCode;
        const char* errorPart;
    };
    const Case cases[] = {
        {{"image"}, 2, "usage"},
        {{"image", "info"}, 2, "usage"},
        {{"image", "info", "-pak"}, 2, "usage"},
        {{"image", "info", "-x", dir.Path("opaque.png")}, 2, "usage"},
        {{"image", "convert", dir.Path("opaque.png")}, 2, "usage"},
        {{"image", "resize", dir.Path("opaque.png")}, 2, "usage"},
        {{"image", "info", dir.Path("missing.png")}, 1, "cannot load picture"},
        {{"image", "info", dir.Path("broken.png")}, 1, "cannot load picture"},
        {{"image", "info", dir.Path("opaque.bmp")}, 1, "cannot load picture"},
        {{"image", "info", "-pak", dir.Path("damaged.pak"), "images/sea"}, 1, "cannot add package"},
        {{"image", "info", "-pak", dir.Path("none.pak"), "images/sea"}, 1, "cannot add package"},
        {{"image", "convert", dir.Path("opaque.png"), dir.Path("no/folder/out.png")}, 1, "cannot"},
    };
    for (const Case& c : cases)
    {
        const ToolResult result = Run(c.args);
        SCOPED_TRACE(c.args.size() > 2 ? c.args[2] : "");
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
        EXPECT_TRUE(IsOneLineError(result.err)) << result.err;
        EXPECT_NE(result.err.find(c.errorPart), std::string::npos) << result.err;
        EXPECT_TRUE(result.out.empty());
    }
}

} // namespace
