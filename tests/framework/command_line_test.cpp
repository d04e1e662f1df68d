// The command line: every option, values, and the refusal of anything else.
// SPDX-License-Identifier: MIT
#include "framework/app/command_line.h"

#include <gtest/gtest.h>

namespace
{

using Lumo::CommandLineResult;
using Lumo::DemoMode;
using Lumo::ParseCommandLine;

TEST(CommandLineTest, OptionsAreRecognisedWithTheirValues)
{
    const struct
    {
        std::vector<std::string> arguments;
        DemoMode demoMode;
        int fileCount;
        int fileNumber;
        std::string demoFile;
        std::string changeDirectory;
        bool crash;
        bool screensaver;
    } cases[] = {
        {{}, DemoMode::None, 0, 0, "", "", false, false},
        {{"-play"}, DemoMode::Play, 0, 0, "", "", false, false},
        {{"-record"}, DemoMode::Record, 0, 0, "", "", false, false},
        {{"-RECORD", "-Play"}, DemoMode::Play, 0, 0, "", "", false, false},
        {{"-recnum", "3"}, DemoMode::Record, 3, 0, "", "", false, false},
        {{"-recnum", "0"}, DemoMode::Record, 5, 0, "", "", false, false},
        {{"-recnum", "many"}, DemoMode::Record, 5, 0, "", "", false, false},
        {{"-playnum", "2"}, DemoMode::Play, 0, 2, "", "", false, false},
        {{"-demofile", "a.dmo"}, DemoMode::None, 0, 0, "/games/a.dmo", "", false, false},
        {{"-demofile", "/tmp/b.dmo"}, DemoMode::None, 0, 0, "/tmp/b.dmo", "", false, false},
        {{"-changedir", "/opt/zadi"}, DemoMode::None, 0, 0, "", "/opt/zadi", false, false},
        {{"-crash"}, DemoMode::None, 0, 0, "", "", true, false},
        {{"-screensaver"}, DemoMode::None, 0, 0, "", "", false, true},
        // A value that looks like an option is still the value.
        {{"-changedir", "-play"}, DemoMode::None, 0, 0, "", "-play", false, false},
    };
    for (const auto& c : cases)
    {
        const CommandLineResult result = ParseCommandLine(c.arguments, "/games");
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        ASSERT_TRUE(result.valid) << result.invalidArgument;
        EXPECT_EQ(result.options.demoMode, c.demoMode);
        EXPECT_EQ(result.options.demoFileCount, c.fileCount);
        EXPECT_EQ(result.options.demoFileNumber, c.fileNumber);
        EXPECT_EQ(result.options.demoFile, c.demoFile);
        EXPECT_EQ(result.options.changeDirectory, c.changeDirectory);
        EXPECT_EQ(result.options.crashRequested, c.crash);
        EXPECT_EQ(result.options.screensaverMode, c.screensaver);
    }
}

TEST(CommandLineTest, AnythingElseIsRefusedNamingTheFirstOffender)
{
    const struct
    {
        std::vector<std::string> arguments;
        std::string offender;
    } cases[] = {
        {{"-bogus"}, "-bogus"},
        {{"-play", "-bogus", "-worse"}, "-bogus"},
        {{"savegame.usr"}, "savegame.usr"},
        {{""}, ""},
        {{"-changedir"}, "-changedir"},
        {{"-play", "-recnum"}, "-recnum"},
        {{"--play"}, "--play"},
    };
    for (const auto& c : cases)
    {
        const CommandLineResult result = ParseCommandLine(c.arguments, "/games");
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        EXPECT_FALSE(result.valid);
        EXPECT_EQ(result.invalidArgument, c.offender);
    }
}

} // namespace
