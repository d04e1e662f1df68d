// Tests of the player list: loading the save folder, the current player, adding and removing, stage
// counters. SPDX-License-Identifier: MIT
#include "game/player_list.h"
#include "tests/game/game_data_fixture.h"

#include <thread>

#include <gtest/gtest.h>

namespace Gamespace
{
namespace
{

using GameDataTest::Bytes;
using GameDataTest::ListFolder;
using GameDataTest::ScratchFolder;
using GameDataTest::WriteBytes;

void WriteSave(const ScratchFolder& folder, const std::string& fileName, const std::string& name,
               bool isCurrent, std::int32_t zeve = 0)
{
    PlayerInfo record;
    record.name = name;
    record.isCurrent = isCurrent;
    record.zeve = zeve;
    const SaveRecord bytes = EncodePlayerRecord(record);
    WriteBytes(folder.Path("save/" + fileName), Bytes(bytes.begin(), bytes.end()));
}

std::vector<std::string> Names(PlayerList& list)
{
    std::vector<std::string> names;
    for (std::size_t i = 0; i < list.GetPlayerCount(); ++i)
    {
        names.push_back(list.GetPlayer(i)->name);
    }
    return names;
}

std::vector<bool> CurrentMarks(PlayerList& list)
{
    std::vector<bool> marks;
    for (std::size_t i = 0; i < list.GetPlayerCount(); ++i)
    {
        marks.push_back(list.GetPlayer(i)->isCurrent);
    }
    return marks;
}

void ExpectDefaultRecord(const PlayerInfo& record)
{
    EXPECT_TRUE(record.name.empty());
    EXPECT_EQ(1, record.basketHealth);
    EXPECT_EQ(0, record.area);
    EXPECT_EQ(0, record.zeve);
}

TEST(LoadPlayers, NoSaveFilesGiveAnEmptyListAndTheDefaultRecord)
{
    ScratchFolder folder;
    PlayerList missingFolder(folder.Path("save"));
    missingFolder.LoadPlayers();
    EXPECT_EQ(0u, missingFolder.GetPlayerCount());
    ExpectDefaultRecord(missingFolder.GetCurrentPlayer());
    EXPECT_EQ(nullptr, missingFolder.GetPlayer(0));

    WriteBytes(folder.Path("save/notes.txt"), Bytes{1, 'X'});
    PlayerList emptyFolder(folder.Path("save"));
    emptyFolder.LoadPlayers();
    EXPECT_EQ(0u, emptyFolder.GetPlayerCount());
    ExpectDefaultRecord(emptyFolder.GetCurrentPlayer());
}

TEST(LoadPlayers, NameComesFromInsideTheFileAndTheFirstOfEqualNamesWins)
{
    ScratchFolder folder;
    WriteSave(folder, "b.usr", "Kim", false, 2);
    WriteSave(folder, "a.usr", "Kim", false, 1);
    WriteSave(folder, "c.usr", "Lee", false, 3);
    PlayerList list(folder.Path("save"));
    list.LoadPlayers();
    ASSERT_EQ((std::vector<std::string>{"Kim", "Lee"}), Names(list));
    EXPECT_EQ(1, list.GetPlayer(0)->zeve);
}

// A copy under another name (left by hand, or from before names were
// escaped) must not hide the file every save writes.
TEST(LoadPlayers, ThePlayersOwnFileWinsOverACopyUnderAnotherName)
{
    ScratchFolder folder;
    WriteSave(folder, "a.usr", "zed", false, 1);
    WriteSave(folder, "b.usr", "Bo", false, 5);
    WriteSave(folder, "zed.usr", "zed", true, 2);
    WriteSave(folder, "zz.usr", "zed", false, 3);
    PlayerList list(folder.Path("save"));
    list.LoadPlayers();
    ASSERT_EQ((std::vector<std::string>{"zed", "Bo"}), Names(list));
    EXPECT_EQ(2, list.GetPlayer(0)->zeve);
    EXPECT_EQ((std::vector<bool>{true, false}), CurrentMarks(list));
}

TEST(LoadPlayers, SkipsHiddenEmptyNamedAndNonSaveFiles)
{
    ScratchFolder folder;
    WriteSave(folder, ".hidden.usr", "Hidden", false);
    WriteSave(folder, "blank.usr", "", false);
    WriteSave(folder, "other.sav", "Other", false);
    WriteSave(folder, ".usr", "Bare", false);
    WriteBytes(folder.Path("save/empty.usr"), Bytes{});
    std::filesystem::create_directories(folder.Path("save/folder.usr"));
    WriteSave(folder, "kept.usr", "Kept", false);
    PlayerList list(folder.Path("save"));
    list.LoadPlayers();
    EXPECT_EQ(std::vector<std::string>{"Kept"}, Names(list));
}

TEST(LoadPlayers, WithNoCurrentMarkTheFirstListedBecomesCurrent)
{
    ScratchFolder folder;
    WriteSave(folder, "c.usr", "Cy", false);
    WriteSave(folder, "a.usr", "Al", false);
    WriteSave(folder, "b.usr", "Bo", false);
    PlayerList list(folder.Path("save"));
    list.LoadPlayers();
    EXPECT_EQ((std::vector<std::string>{"Al", "Bo", "Cy"}), Names(list));
    EXPECT_EQ((std::vector<bool>{true, false, false}), CurrentMarks(list));
    EXPECT_EQ("Al", list.GetCurrentPlayer().name);
}

TEST(LoadPlayers, TwoCurrentMarksStayUntilTheNextChoice)
{
    ScratchFolder folder;
    WriteSave(folder, "a.usr", "Al", false);
    WriteSave(folder, "b.usr", "Bo", true);
    WriteSave(folder, "c.usr", "Cy", true);
    PlayerList list(folder.Path("save"));
    list.LoadPlayers();
    EXPECT_EQ((std::vector<bool>{false, true, true}), CurrentMarks(list));
    EXPECT_EQ("Bo", list.GetCurrentPlayer().name);

    list.SetCurrentPlayer(*list.GetPlayer(0), true);
    EXPECT_EQ((std::vector<bool>{true, false, false}), CurrentMarks(list));
}

TEST(PlayerListEdit, AddPlayerRejectsEmptyAndTakenNames)
{
    PlayerList list("unused");
    auto make = [](const std::string& name)
    {
        auto record = PlayerList::NewPlayerInfo();
        record->name = name;
        return record;
    };
    EXPECT_TRUE(list.AddPlayer(make("Ann")));
    EXPECT_FALSE(list.AddPlayer(make("")));
    EXPECT_FALSE(list.AddPlayer(make("Ann")));
    EXPECT_TRUE(list.AddPlayer(make("ann")));
    EXPECT_FALSE(list.AddPlayer(nullptr));
    EXPECT_EQ((std::vector<std::string>{"Ann", "ann"}), Names(list));
}

TEST(PlayerListEdit, RemovingTheOnlyPlayerLeavesTheDefaultRecordCurrent)
{
    PlayerList list("unused");
    auto record = PlayerList::NewPlayerInfo();
    record->name = "Solo";
    PlayerInfo* solo = record.get();
    ASSERT_TRUE(list.AddPlayer(std::move(record)));
    list.SetCurrentPlayer(*solo, true);

    const std::unique_ptr<PlayerInfo> removed = list.RemovePlayer(list.GetCurrentPlayer());
    ASSERT_NE(nullptr, removed);
    EXPECT_EQ("Solo", removed->name);
    EXPECT_EQ(0u, list.GetPlayerCount());
    ExpectDefaultRecord(list.GetCurrentPlayer());
    EXPECT_EQ(nullptr, list.RemovePlayer(list.GetCurrentPlayer()));
}

TEST(PlayerListEdit, RemovingTheCurrentPlayerPassesTheMarkToTheFirst)
{
    PlayerList list("unused");
    for (const char* name : {"A", "B", "C"})
    {
        auto record = PlayerList::NewPlayerInfo();
        record->name = name;
        ASSERT_TRUE(list.AddPlayer(std::move(record)));
    }
    list.SetCurrentPlayer(*list.GetPlayer(1), true);
    PlayerInfo byName;
    byName.name = "B";
    EXPECT_NE(nullptr, list.RemovePlayer(byName));
    EXPECT_EQ((std::vector<std::string>{"A", "C"}), Names(list));
    EXPECT_EQ((std::vector<bool>{true, false}), CurrentMarks(list));

    byName.name = "Nobody";
    EXPECT_EQ(nullptr, list.RemovePlayer(byName));
    EXPECT_EQ(2u, list.GetPlayerCount());
}

TEST(PlayerListEdit, DeletingAPlayerRemovesItsFile)
{
    ScratchFolder folder;
    WriteSave(folder, "Gone.usr", "Gone", true);
    WriteSave(folder, "Stay.usr", "Stay", false);
    PlayerList list(folder.Path("save"));
    list.LoadPlayers();
    list.DiscardPlayer(list.RemovePlayer(list.GetCurrentPlayer()));
    EXPECT_EQ(std::vector<std::string>{"Stay.usr"}, ListFolder(folder.Path("save")));
    EXPECT_EQ("Stay", list.GetCurrentPlayer().name);
}

TEST(PlayerListEdit, ProgressSurvivesSaveAndLoad)
{
    ScratchFolder folder;
    {
        PlayerList list(folder.Path("save"));
        for (const char* name : {"One", "Two"})
        {
            auto record = PlayerList::NewPlayerInfo();
            record->name = name;
            ASSERT_TRUE(list.AddPlayer(std::move(record)));
        }
        list.SetCurrentPlayer(*list.GetPlayer(1), true);
        list.GetCurrentPlayer().area = 3;
        list.GetCurrentPlayer().zeve = 1234;
        ASSERT_TRUE(list.SavePlayers()) << list.GetLastError();
    }
    PlayerList list(folder.Path("save"));
    list.LoadPlayers();
    EXPECT_EQ((std::vector<std::string>{"One", "Two"}), Names(list));
    EXPECT_EQ("Two", list.GetCurrentPlayer().name);
    EXPECT_EQ(3, list.GetCurrentPlayer().area);
    EXPECT_EQ(1234, list.GetCurrentPlayer().zeve);
}

TEST(StageCountersTest, HealthNeverWrapsBelowZero)
{
    const struct
    {
        std::uint16_t start;
        int delta;
        std::uint16_t expected;
    } cases[] = {
        {3, -5, 0}, {10, -3, 7}, {15, 2, 17}, {1, -1, 0}, {0, -1, 0}, {0x7FFF, 1, 0},
    };
    for (const auto& c : cases)
    {
        StageCounters::SetStageHealth(c.start);
        StageCounters::AddStageHealth(c.delta);
        EXPECT_EQ(c.expected, StageCounters::GetStageHealth()) << c.start << " + " << c.delta;
    }
}

TEST(StageCountersTest, GoldAndJewelsAdd)
{
    StageCounters::SetStageZeve(-2);
    StageCounters::AddStageZeve(5);
    EXPECT_EQ(3, StageCounters::GetStageZeve());
    StageCounters::SetStageJewels(65535);
    StageCounters::AddStageJewels(2);
    EXPECT_EQ(1, StageCounters::GetStageJewels());
}

// The clock thread counts catches while the window thread may take damage.
TEST(StageCountersTest, AddsFromTwoThreadsAreNeverLost)
{
    constexpr int kAdds = 20000;
    StageCounters::SetStageJewels(0);
    StageCounters::SetStageZeve(0);
    const auto count = []
    {
        for (int i = 0; i < kAdds; ++i)
        {
            StageCounters::AddStageJewels(1);
            StageCounters::AddStageZeve(2);
        }
    };
    std::thread other(count);
    count();
    other.join();
    EXPECT_EQ(static_cast<std::uint16_t>(2 * kAdds), StageCounters::GetStageJewels());
    EXPECT_EQ(4 * kAdds, StageCounters::GetStageZeve());
}

} // namespace
} // namespace Gamespace
