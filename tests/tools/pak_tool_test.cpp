// Tests of "zadi-tool pak": create, list and cat against the real binary.
// SPDX-License-Identifier: MIT
#include "framework/pak/pak_format.h"
#include "tests/framework/pak_test_util.h"
#include "tests/tools/pak_image_tool_runner.h"

#include <gtest/gtest.h>

namespace
{

using PakTestUtil::ScratchDir;
using ToolRunner::IsOneLineError;
using ToolRunner::RunTool;
using ToolRunner::ToolResult;

TEST(PakTool, CreateListAndCatRoundTrip)
{
    ScratchDir dir;
    const std::string binary("\x00\x0d\x0a\xff\xf7", 5);
    dir.Write("src/images/fish.png", binary);
    dir.Write("src/fonts/a.txt", "Define x 1;\r\n");
    dir.Write("src/top", "");

    const ToolResult created =
        RunTool({"pak", "create", dir.Path("data.pak"), dir.Path("src")}, dir.Path(""));
    ASSERT_EQ(created.exitCode, 0) << created.err;
    EXPECT_EQ(created.out, "3 files written to " + dir.Path("data.pak") + "\n");

    const std::vector<uint8_t> stored = dir.Read("data.pak");
    std::vector<Lumo::PakDirectoryEntry> entries;
    ASSERT_TRUE(Lumo::ReadPakDirectory(stored, entries));
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "fonts/a.txt");
    EXPECT_EQ(entries[1].name, "images/fish.png");
    EXPECT_NE(entries[1].fileTime, 0u); // stamped with the file's time

    const ToolResult listed = RunTool({"pak", "list", dir.Path("data.pak")}, dir.Path(""));
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_EQ(listed.out,
              "        13  fonts/a.txt\n         5  images/fish.png\n         0  top\n");

    const ToolResult cat =
        RunTool({"pak", "cat", dir.Path("data.pak"), "IMAGES\\Fish.png"}, dir.Path(""));
    ASSERT_EQ(cat.exitCode, 0) << cat.err;
    EXPECT_EQ(cat.out, binary);
}

TEST(PakTool, CreateSkipsThePackageItIsWriting)
{
    ScratchDir dir;
    dir.Write("src/a", "A");
    dir.Write("src/out.pak", "an older package");
    const ToolResult created =
        RunTool({"pak", "create", dir.Path("src/out.pak"), dir.Path("src")}, dir.Path(""));
    ASSERT_EQ(created.exitCode, 0) << created.err;
    std::vector<Lumo::PakDirectoryEntry> entries;
    ASSERT_TRUE(Lumo::ReadPakDirectory(dir.Read("src/out.pak"), entries));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, "a");
}

TEST(PakTool, BadArgumentsAndDamagedFilesFailWithOneLine)
{
    ScratchDir dir;
    dir.Write("src/a", "A");
    dir.Write("good.pak", PakTestUtil::BuildPak({{"a", "A"}}));
    std::vector<uint8_t> damaged = PakTestUtil::BuildPak({{"a", "A"}});
    damaged[4] ^= 0x01; // version 1
    dir.Write("damaged.pak", damaged);
    dir.Write("cut.pak", std::vector<uint8_t>(damaged.begin(), damaged.begin() + 12));

    struct Case
    {
        std::vector<std::string> args;
        int exitCode;
        const char* errorPart;
    };
    const Case cases[] = {
        {{"pak"}, 2, "usage"},
        {{"pak", "frobnicate"}, 2, "usage"},
        {{"pak", "list"}, 2, "usage"},
        {{"pak", "cat", dir.Path("good.pak")}, 2, "usage"},
        {{"pak", "create", dir.Path("x.pak"), dir.Path("src"), "extra"}, 2, "usage"},
        {{"pak", "list", dir.Path("missing.pak")}, 1, "cannot open"},
        {{"pak", "list", dir.Path("damaged.pak")}, 1, "not a valid package"},
        {{"pak", "list", dir.Path("cut.pak")}, 1, "not a valid package"},
        {{"pak", "list", dir.Path("src")}, 1, "cannot open"},
        {{"pak", "cat", dir.Path("damaged.pak"), "a"}, 1, "not a valid package"},
        {{"pak", "cat", dir.Path("good.pak"), "b"}, 1, "no file 'b'"},
        {{"pak", "create", dir.Path("x.pak"), dir.Path("nothing")}, 1, "is not a folder"},
        {{"pak", "create", dir.Path("no/such/x.pak"), dir.Path("src")}, 1, "cannot"},
    };
    for (const Case& c : cases)
    {
        const ToolResult result = RunTool(c.args, dir.Path(""));
        SCOPED_TRACE(c.args.size() > 1 ? c.args[1] : c.args[0]);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
        EXPECT_TRUE(IsOneLineError(result.err)) << result.err;
        EXPECT_NE(result.err.find(c.errorPart), std::string::npos) << result.err;
        EXPECT_TRUE(result.out.empty());
    }
}

} // namespace
