// Kills a process in the middle of saving, many times over, and checks that no save file is ever
// torn. SPDX-License-Identifier: MIT
#include "game/player_list.h"
#include "tests/game/game_data_fixture.h"

#include <csignal>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace Gamespace
{
namespace
{

using GameDataTest::Bytes;
using GameDataTest::ListFolder;
using GameDataTest::ReadBytes;
using GameDataTest::ScratchFolder;
using GameDataTest::WriteBytes;

constexpr int kRounds = 200;

PlayerInfo Version(std::int32_t zeve)
{
    PlayerInfo record;
    record.name = "Mira";
    record.isCurrent = true;
    record.zeve = zeve;
    record.area = static_cast<std::uint16_t>(zeve);
    return record;
}

Bytes OnDisk(const PlayerInfo& record, const Bytes& tail)
{
    const SaveRecord encoded = EncodePlayerRecord(record);
    Bytes bytes(encoded.size() + tail.size());
    std::copy(encoded.begin(), encoded.end(), bytes.begin());
    std::copy(tail.begin(), tail.end(), bytes.begin() + static_cast<long>(encoded.size()));
    return bytes;
}

// Saves the two versions in turn for ever, reporting each finished save with
// one byte on the pipe.
[[noreturn]] void SaveForEver(const std::string& saveFolder, int reportFd)
{
    PlayerList list(saveFolder);
    PlayerInfo versions[2] = {Version(1), Version(2)};
    for (unsigned i = 0;; ++i)
    {
        if (!list.SavePlayer(versions[i % 2]))
        {
            ::_exit(3);
        }
        const char done = 1;
        if (::write(reportFd, &done, 1) != 1)
        {
            ::_exit(4);
        }
    }
}

TEST(SaveCrash, KillingTheSaverLeavesTheOldOrTheNewFileNeverAnythingElse)
{
    ScratchFolder folder;
    const std::string saveFolder = folder.Path("save");
    const std::string savePath = folder.Path("save/Mira.usr");
    const Bytes tail = {'k', 'e', 'e', 'p', 0};
    const Bytes first = OnDisk(Version(1), tail);
    const Bytes second = OnDisk(Version(2), tail);
    WriteBytes(savePath, first);

    std::mt19937 random(12345);
    // Rounds whose kill struck between creating the temporary file and
    // renaming it: the moments that would tear an unprotected save.
    int killsMidWrite = 0;
    std::size_t filesBefore = 1;
    for (int round = 0; round < kRounds; ++round)
    {
        int pipeFds[2];
        ASSERT_EQ(0, ::pipe(pipeFds));
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
        {
            ::close(pipeFds[0]);
            SaveForEver(saveFolder, pipeFds[1]);
        }
        ::close(pipeFds[1]);

        // Let a random number of saves finish, then strike after a random
        // amount of work, so that the kill lands anywhere inside a save.
        const int savesToWait = static_cast<int>(random() % 4);
        for (int i = 0; i < savesToWait; ++i)
        {
            char done = 0;
            ASSERT_EQ(1, ::read(pipeFds[0], &done, 1)) << "the saver stopped on its own";
        }
        volatile unsigned spin = 0;
        const unsigned spins = random() % 200000;
        for (unsigned i = 0; i < spins; ++i)
        {
            spin = spin + 1;
        }
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ::close(pipeFds[0]);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saver ended by itself, status " << status;

        const Bytes now = ReadBytes(savePath);
        ASSERT_TRUE(now == first || now == second)
            << "round " << round << ": the save file holds " << now.size() << " unexpected bytes";
        const std::size_t filesNow = ListFolder(saveFolder).size();
        killsMidWrite += filesNow > filesBefore ? 1 : 0;
        filesBefore = filesNow;
    }

    // A temporary file left by a killed save is hidden from the game.
    PlayerList list(saveFolder);
    list.LoadPlayers();
    ASSERT_EQ(1u, list.GetPlayerCount());
    EXPECT_EQ("Mira", list.GetPlayer(0)->name);
    RecordProperty("killsMidWrite", killsMidWrite);
}

} // namespace
} // namespace Gamespace
