// Tests of the option files, the volume rules and the option observers.
// SPDX-License-Identifier: MIT
#include "game/game_options.h"
#include "tests/game/game_data_fixture.h"

#include <gtest/gtest.h>

namespace Gamespace
{
namespace
{

using GameDataTest::Bytes;
using GameDataTest::ReadBytes;
using GameDataTest::ScratchFolder;
using GameDataTest::WriteBytes;

struct VolumeLog : IVolumeControl
{
    void SetMusicVolume(std::uint16_t percent) override { music.push_back(percent); }
    void SetEffectsVolume(std::uint16_t percent) override { effects.push_back(percent); }
    std::vector<int> music;
    std::vector<int> effects;
};

class GameOptionsTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        GetGameOptions() = GameOptions{};
        SetVolumeControl(&volumes);
    }
    void TearDown() override { SetVolumeControl(nullptr); }

    ScratchFolder folder;
    VolumeLog volumes;
};

TEST_F(GameOptionsTest, WithoutOptionsFileDefaultsStayAndTheFactoryIsNotTold)
{
    LoadOptions(folder.Path());
    EXPECT_EQ(60, GetMusicVolume());
    EXPECT_EQ(60, GetEffectsVolume());
    EXPECT_TRUE(volumes.music.empty());
    EXPECT_TRUE(volumes.effects.empty());

    ASSERT_TRUE(SaveOptionFiles(folder.Path()));
    EXPECT_EQ((Bytes{0x00, 0x3C, 0x00, 0x3C, 0x00, 0x03}), ReadBytes(folder.Path("options.opt")));
    EXPECT_EQ((Bytes{0x00, 0x00, 0x00}), ReadBytes(folder.Path("resolution.opt")));
}

TEST_F(GameOptionsTest, OptionsFileIsReadAndPassedOn)
{
    const struct
    {
        Bytes bytes;
        int music;
        int effects;
        int reserved;
    } cases[] = {
        {{0x00, 0x0A, 0x00, 0x14, 0x00, 0x07}, 10, 20, 7},
        {{0x00, 0x0A, 0x00, 0x14, 0x00, 0x07, 0xEE}, 10, 20, 7},
        {{0x00, 0x0A, 0x00}, 10, 60, 3},
        {{}, 60, 60, 3},
        {{0x00, 0x78, 0xFF, 0xFF, 0x12, 0x34}, 100, 100, 0x1234}, // damaged: kept within 0..100
    };
    for (const auto& c : cases)
    {
        GetGameOptions() = GameOptions{};
        volumes = VolumeLog{};
        WriteBytes(folder.Path("options.opt"), c.bytes);
        LoadOptions(folder.Path());
        EXPECT_EQ(c.music, GetMusicVolume());
        EXPECT_EQ(c.effects, GetEffectsVolume());
        EXPECT_EQ(c.reserved, GetGameOptions().optionsReserved);
        EXPECT_EQ(std::vector<int>{c.music}, volumes.music);
        EXPECT_EQ(std::vector<int>{c.effects}, volumes.effects);
    }
}

TEST_F(GameOptionsTest, ResolutionFileChoosesTheRowAndFullScreen)
{
    const struct
    {
        Bytes bytes;
        int width;
        int height;
        bool fullScreen;
    } cases[] = {
        {{0x00, 0x01, 0x01}, 1280, 800, true},
        {{0x00, 0x00, 0x7F}, 1024, 768, true},
        {{0x00, 0x02, 0x00}, 1024, 768, false}, // no such row
        {{0x00, 0x07, 0x01}, 1024, 768, true},
        {{0x00, 0x01}, 1280, 800, false}, // 2 bytes: no flag
        {{0x01}, 1024, 768, false},
        {{}, 1024, 768, false},
    };
    for (const auto& c : cases)
    {
        GetGameOptions() = GameOptions{};
        WriteBytes(folder.Path("resolution.opt"), c.bytes);
        LoadResolution(folder.Path());
        EXPECT_EQ(c.width, GetResolution().width);
        EXPECT_EQ(c.height, GetResolution().height);
        EXPECT_EQ(c.fullScreen, GetFullScreen());
    }
}

TEST_F(GameOptionsTest, MissingResolutionFileKeepsTheDefaults)
{
    LoadResolution(folder.Path("nowhere"));
    EXPECT_EQ(1024, GetResolution().width);
    EXPECT_FALSE(GetFullScreen());
}

TEST_F(GameOptionsTest, VolumesStayWithinZeroToHundredAndOnlyChangesAreTold)
{
    SetMusicVolume(120);
    EXPECT_EQ(100, GetMusicVolume());
    SetMusicVolume(100);
    EXPECT_EQ(std::vector<int>{100}, volumes.music);

    WriteBytes(folder.Path("options.opt"), Bytes{0x00, 0x0A, 0x00, 0x0A, 0x00, 0x03});
    LoadOptions(folder.Path());
    SetEffectsVolume(GetEffectsVolume() - 20);
    EXPECT_EQ(0, GetEffectsVolume());
    EXPECT_EQ((std::vector<int>{10, 0}), volumes.effects);
}

TEST_F(GameOptionsTest, SavedFilesReadBackTheSame)
{
    SetMusicVolume(35);
    SetEffectsVolume(80);
    GetGameOptions().resolutionIndex = 1;
    SetFullScreen(true);
    ASSERT_TRUE(SaveOptionFiles(folder.Path()));
    EXPECT_EQ((Bytes{0x00, 0x23, 0x00, 0x50, 0x00, 0x03}), ReadBytes(folder.Path("options.opt")));
    EXPECT_EQ((Bytes{0x00, 0x01, 0x01}), ReadBytes(folder.Path("resolution.opt")));

    GetGameOptions() = GameOptions{};
    LoadResolution(folder.Path());
    LoadOptions(folder.Path());
    EXPECT_EQ(35, GetMusicVolume());
    EXPECT_EQ(80, GetEffectsVolume());
    EXPECT_EQ(1280, GetResolution().width);
    EXPECT_TRUE(GetFullScreen());
}

TEST_F(GameOptionsTest, UnwritableFolderIsReportedAndNothingChanges)
{
    WriteBytes(folder.Path("file"), Bytes{9});
    std::string error;
    EXPECT_FALSE(SaveOptionFiles(folder.Path("file"), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(Bytes{9}, ReadBytes(folder.Path("file")));
}

struct CountingObserver : IOptionObserver
{
    void OnOptionsChanged() override { ++calls; }
    int calls = 0;
};

TEST(OptionObservers, EachObserverIsListedOnce)
{
    CountingObserver first;
    CountingObserver second;
    AddOptionObserver(&first);
    AddOptionObserver(&first);
    AddOptionObserver(&second);
    NotifyOptionObservers();
    EXPECT_EQ(1, first.calls);
    EXPECT_EQ(1, second.calls);

    RemoveOptionObserver(&first);
    NotifyOptionObservers();
    EXPECT_EQ(1, first.calls);
    EXPECT_EQ(2, second.calls);
    RemoveOptionObserver(&second);
}

} // namespace
} // namespace Gamespace
