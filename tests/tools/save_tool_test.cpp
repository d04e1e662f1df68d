// Tests of "zadi-tool save show" against the real binary.
// SPDX-License-Identifier: MIT
#include "game/player_list.h"
#include "tests/game/game_data_fixture.h"
#include "tests/tools/pak_image_tool_runner.h"

#include <gtest/gtest.h>

namespace
{

using GameDataTest::Bytes;
using GameDataTest::ScratchFolder;
using GameDataTest::WriteBytes;
using ToolRunner::IsOneLineError;
using ToolRunner::RunTool;
using ToolRunner::ToolResult;

void WriteRecord(const std::string& path, const Gamespace::PlayerInfo& record, std::size_t size)
{
    const Gamespace::SaveRecord bytes = Gamespace::EncodePlayerRecord(record);
    WriteBytes(path, Bytes(bytes.begin(), bytes.begin() + static_cast<long>(size)));
}

TEST(SaveTool, ShowsEveryFieldAsTheGameReadsIt)
{
    ScratchFolder folder;
    const Gamespace::PlayerInfo record = GameDataTest::SampleRecord();
    WriteRecord(folder.Path("Mira.usr"), record, 42);

    const ToolResult shown = RunTool({"save", "show", folder.Path("Mira.usr")}, folder.Path());
    ASSERT_EQ(0, shown.exitCode) << shown.err;
    EXPECT_EQ("isCurrent: true\n"
              "name: Mira\n"
              "area: 2\n"
              "stage: 7\n"
              "zeve: -1\n"
              "jewels: 300\n"
              "basket: 1\n"
              "basketHealth: 25\n"
              "zeveVazes: 3\n"
              "silverVazes: 4\n"
              "bronzeVazes: 5\n"
              "keysHintShown: true\n"
              "timerHintShown: false\n"
              "bonusLineHintShown: true\n"
              "finalScore: 4660\n"
              "gameFinished: true\n",
              shown.out);
    EXPECT_EQ("", shown.err);
}

TEST(SaveTool, ShortFileShowsNewPlayerValuesAndSaysSo)
{
    ScratchFolder folder;
    Gamespace::PlayerInfo record;
    record.name = "A\tB\\";
    record.area = 3;
    record.basketHealth = 9;
    WriteRecord(folder.Path("short.usr"), record, 20);

    const ToolResult shown = RunTool({"save", "show", folder.Path("short.usr")}, folder.Path());
    ASSERT_EQ(0, shown.exitCode) << shown.err;
    EXPECT_NE(std::string::npos, shown.out.find("name: A\\x09B\\\\\n"));
    EXPECT_NE(std::string::npos, shown.out.find("area: 3\n"));
    EXPECT_NE(std::string::npos, shown.out.find("basketHealth: 1\n"));
    EXPECT_TRUE(IsOneLineError(shown.err)) << shown.err;
    EXPECT_NE(std::string::npos, shown.err.find("20 of 42 bytes"));
}

TEST(SaveTool, BadArgumentsAndMissingFiles)
{
    ScratchFolder folder;
    const struct
    {
        std::vector<std::string> args;
        int exitCode;
    } cases[] = {
        {{"save"}, 2},
        {{"save", "show"}, 2},
        {{"save", "list", "x"}, 2},
        {{"save", "show", "a", "b"}, 2},
        {{"save", "show", folder.Path("missing.usr")}, 1},
        {{"save", "show", folder.Path()}, 1},
    };
    for (const auto& c : cases)
    {
        const ToolResult result = RunTool(c.args, folder.Path());
        EXPECT_EQ(c.exitCode, result.exitCode) << c.args.back();
        EXPECT_EQ("", result.out);
        EXPECT_TRUE(IsOneLineError(result.err)) << result.err;
    }
}

} // namespace
