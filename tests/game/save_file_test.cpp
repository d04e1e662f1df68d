// Tests of the 42-byte save file: its layout, short and long files, safe file names and safe
// writes. SPDX-License-Identifier: MIT
#include "game/player_list.h"
#include "tests/game/game_data_fixture.h"

#include <csignal>
#include <sys/resource.h>
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
using GameDataTest::SampleRecord;
using GameDataTest::ScratchFolder;
using GameDataTest::WriteBytes;

// SampleRecord as it lies on disk.
const Bytes kSampleBytes = {
    0x01,                                                          // isCurrent
    'M',  'i',  'r',  'a',  0,    0,    0, 0, 0, 0, 0, 0, 0, 0, 0, // name, zero padded
    0x00, 0x02,                                                    // area
    0x00, 0x07,                                                    // stage
    0x00, 0x19,                                                    // basketHealth
    0x00, 0x01,                                                    // basket
    0xFF, 0xFF, 0xFF, 0xFF,                                        // zeve -1
    0x01, 0x2C,                                                    // jewels 300
    0x00, 0x03, 0x00, 0x04, 0x00, 0x05,                            // gold, silver, bronze vazes
    0x01, 0x00, 0x01,                                              // the three hints
    0x12, 0x34,                                                    // finalScore
    0x01,                                                          // gameFinished
};

void ExpectSameRecord(const PlayerInfo& expected, const PlayerInfo& actual)
{
    EXPECT_EQ(expected.isCurrent, actual.isCurrent);
    EXPECT_EQ(expected.name, actual.name);
    EXPECT_EQ(expected.area, actual.area);
    EXPECT_EQ(expected.stage, actual.stage);
    EXPECT_EQ(expected.zeve, actual.zeve);
    EXPECT_EQ(expected.jewels, actual.jewels);
    EXPECT_EQ(expected.basket, actual.basket);
    EXPECT_EQ(expected.basketHealth, actual.basketHealth);
    EXPECT_EQ(expected.zeveVazes, actual.zeveVazes);
    EXPECT_EQ(expected.silverVazes, actual.silverVazes);
    EXPECT_EQ(expected.bronzeVazes, actual.bronzeVazes);
    EXPECT_EQ(expected.keysHintShown, actual.keysHintShown);
    EXPECT_EQ(expected.timerHintShown, actual.timerHintShown);
    EXPECT_EQ(expected.bonusLineHintShown, actual.bonusLineHintShown);
    EXPECT_EQ(expected.finalScore, actual.finalScore);
    EXPECT_EQ(expected.gameFinished, actual.gameFinished);
}

TEST(SaveFormat, EncodesEveryFieldBigEndianInFileOrder)
{
    const SaveRecord encoded = EncodePlayerRecord(SampleRecord());
    EXPECT_EQ(kSampleBytes, Bytes(encoded.begin(), encoded.end()));
}

TEST(SaveFormat, DecodesWhatItEncodes)
{
    PlayerInfo decoded;
    DecodePlayerRecord(kSampleBytes, decoded);
    ExpectSameRecord(SampleRecord(), decoded);
    EXPECT_EQ(-1, decoded.zeve);
    EXPECT_EQ(300, decoded.jewels);
}

TEST(SaveFormat, AnyNonZeroByteReadsAsTrue)
{
    Bytes bytes = kSampleBytes;
    bytes[0] = 0x80;
    bytes[36] = 0x02;
    bytes[37] = 0xFF;
    bytes[41] = 0x07;
    PlayerInfo decoded;
    DecodePlayerRecord(bytes, decoded);
    EXPECT_TRUE(decoded.isCurrent);
    EXPECT_TRUE(decoded.keysHintShown);
    EXPECT_TRUE(decoded.timerHintShown);
    EXPECT_TRUE(decoded.gameFinished);
}

TEST(SaveFormat, FifteenByteNameFillsItsFieldWithoutTerminator)
{
    PlayerInfo record;
    record.name = "ABCDEFGHIJKLMNO";
    record.area = 0x0102;
    const SaveRecord encoded = EncodePlayerRecord(record);
    EXPECT_EQ(record.name, std::string(encoded.begin() + 1, encoded.begin() + 16));
    EXPECT_EQ(0x01, encoded[16]);

    PlayerInfo decoded;
    DecodePlayerRecord(encoded, decoded);
    EXPECT_EQ("ABCDEFGHIJKLMNO", decoded.name);
    EXPECT_EQ(0x0102, decoded.area);
}

TEST(SaveFormat, LongerNameIsCutToFifteenBytes)
{
    PlayerInfo record;
    record.name = "ABCDEFGHIJKLMNOPQRS";
    PlayerInfo decoded;
    DecodePlayerRecord(EncodePlayerRecord(record), decoded);
    EXPECT_EQ("ABCDEFGHIJKLMNO", decoded.name);
    EXPECT_EQ("ABCDEFGHIJKLMNO", StoredPlayerName(record.name));
}

// A short file fills the fields it covers completely; the others keep the
// values of a new record, except the name, which takes what there is.
TEST(SaveFormat, ShortFileKeepsTheFieldsItDoesNotCover)
{
    struct Case
    {
        std::size_t size;
        bool isCurrent;
        const char* name;
        std::uint16_t area;
        std::uint16_t basketHealth;
        std::uint16_t basket;
        std::int32_t zeve;
        std::uint16_t finalScore;
        bool gameFinished;
    };
    const Case cases[] = {
        {0, false, "", 0, 1, 0, 0, 0, false},
        {3, true, "Mi", 0, 1, 0, 0, 0, false},
        {17, true, "Mira", 0, 1, 0, 0, 0, false},  // area half there
        {21, true, "Mira", 2, 1, 0, 0, 0, false},  // health half there
        {27, true, "Mira", 2, 25, 1, 0, 0, false}, // zeve three quarters there
        {41, true, "Mira", 2, 25, 1, -1, 0x1234, false},
        {42, true, "Mira", 2, 25, 1, -1, 0x1234, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.size);
        PlayerInfo decoded;
        DecodePlayerRecord(std::span(kSampleBytes).first(c.size), decoded);
        EXPECT_EQ(c.isCurrent, decoded.isCurrent);
        EXPECT_EQ(c.name, decoded.name);
        EXPECT_EQ(c.area, decoded.area);
        EXPECT_EQ(c.basketHealth, decoded.basketHealth);
        EXPECT_EQ(c.basket, decoded.basket);
        EXPECT_EQ(c.zeve, decoded.zeve);
        EXPECT_EQ(c.finalScore, decoded.finalScore);
        EXPECT_EQ(c.gameFinished, decoded.gameFinished);
    }
}

TEST(SaveFile, ReadPlayerFailsOnlyWhenTheFileCannotBeRead)
{
    ScratchFolder folder;
    PlayerInfo record;
    EXPECT_FALSE(ReadPlayer(record, folder.Path("missing.usr")));
    EXPECT_FALSE(ReadPlayer(record, folder.Path()));
    WriteBytes(folder.Path("long.usr"), Bytes(100, 0x41));
    EXPECT_TRUE(ReadPlayer(record, folder.Path("long.usr")));
    EXPECT_EQ(std::string(15, 'A'), record.name);
}

TEST(SaveFile, SaveCreatesTheMissingFolderAndWritesFortyTwoBytes)
{
    ScratchFolder folder;
    PlayerList list(folder.Path("save"));
    PlayerInfo record = SampleRecord();
    ASSERT_TRUE(list.SavePlayer(record)) << list.GetLastError();
    EXPECT_EQ(kSampleBytes, ReadBytes(folder.Path("save/Mira.usr")));
    EXPECT_EQ(std::vector<std::string>{"Mira.usr"}, ListFolder(folder.Path("save")));
}

TEST(SaveFile, SaveKeepsTheBytesAfterTheRecord)
{
    ScratchFolder folder;
    Bytes old(42, 0);
    old[1] = 'M';
    const Bytes tail = {'T', 'A', 'I', 'L', 0, 0xFF};
    old.insert(old.end(), tail.begin(), tail.end());
    WriteBytes(folder.Path("save/Mira.usr"), old);

    PlayerList list(folder.Path("save"));
    PlayerInfo record = SampleRecord();
    ASSERT_TRUE(list.SavePlayer(record)) << list.GetLastError();

    Bytes expected = kSampleBytes;
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_EQ(expected, ReadBytes(folder.Path("save/Mira.usr")));
}

TEST(SaveFile, SaveOverAShortFileWritesTheWholeRecord)
{
    ScratchFolder folder;
    WriteBytes(folder.Path("save/Mira.usr"), Bytes{1, 'M', 'i'});
    PlayerList list(folder.Path("save"));
    PlayerInfo record = SampleRecord();
    ASSERT_TRUE(list.SavePlayer(record));
    EXPECT_EQ(kSampleBytes, ReadBytes(folder.Path("save/Mira.usr")));
}

TEST(SaveFileName, EscapesWhatCouldLeaveHideOrBreakTheFile)
{
    const struct
    {
        std::string name;
        const char* fileName;
    } cases[] = {
        {"Bob", "Bob.usr"},
        {"a.b c", "a.b c.usr"},
        {"a/b", "a%2Fb.usr"},
        {"x\\y", "x%5Cy.usr"},
        {"50%", "50%25.usr"},
        {".hidden", "%2Ehidden.usr"},
        {"..", "%2E..usr"},
        {"../up", "%2E.%2Fup.usr"},
        {std::string("a\0b", 3), "a%00b.usr"},
        {"tab\tnew\n", "tab%09new%0A.usr"},
        {"Q?*:<>|\"", "Q%3F%2A%3A%3C%3E%7C%22.usr"},
        {"Zo\xC3\xAB", "Zo\xC3\xAB.usr"},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.fileName, PlayerFileName(c.name));
    }
}

TEST(SaveFileName, UnsafeNameStaysInsideTheSaveFolderAndLoadsAsTyped)
{
    ScratchFolder folder;
    PlayerList list(folder.Path("save"));
    auto record = PlayerList::NewPlayerInfo();
    record->name = "../up/%";
    record->zeve = 77;
    PlayerInfo* added = record.get();
    ASSERT_TRUE(list.AddPlayer(std::move(record)));
    ASSERT_TRUE(list.SavePlayer(*added)) << list.GetLastError();

    EXPECT_EQ(std::vector<std::string>{"save"}, ListFolder(folder.Path()));
    EXPECT_EQ(std::vector<std::string>{"%2E.%2Fup%2F%25.usr"}, ListFolder(folder.Path("save")));
    const Bytes onDisk = ReadBytes(folder.Path("save/%2E.%2Fup%2F%25.usr"));
    ASSERT_EQ(42u, onDisk.size());
    EXPECT_EQ("../up/%", std::string(onDisk.begin() + 1, onDisk.begin() + 8));

    PlayerList reloaded(folder.Path("save"));
    reloaded.LoadPlayers();
    ASSERT_EQ(1u, reloaded.GetPlayerCount());
    EXPECT_EQ("../up/%", reloaded.GetPlayer(0)->name);
    EXPECT_EQ(77, reloaded.GetPlayer(0)->zeve);
}

// A file written under the old, unescaped name moves to the safe name on the
// next save, tail included, and leaves no stale twin that could win a later
// load.
TEST(SaveFileName, OldUnsafeFileMovesToTheSafeName)
{
    ScratchFolder folder;
    PlayerInfo old;
    old.name = "50%";
    old.zeve = 10;
    const SaveRecord oldRecord = EncodePlayerRecord(old);
    Bytes oldBytes(oldRecord.begin(), oldRecord.end());
    oldBytes.push_back(0xAB);
    WriteBytes(folder.Path("save/50%.usr"), oldBytes);

    PlayerList list(folder.Path("save"));
    list.LoadPlayers();
    ASSERT_EQ(1u, list.GetPlayerCount());
    list.GetPlayer(0)->zeve = 99;
    ASSERT_TRUE(list.SavePlayers()) << list.GetLastError();

    EXPECT_EQ(std::vector<std::string>{"50%25.usr"}, ListFolder(folder.Path("save")));
    const Bytes moved = ReadBytes(folder.Path("save/50%25.usr"));
    ASSERT_EQ(43u, moved.size());
    EXPECT_EQ(0xAB, moved[42]);

    PlayerList reloaded(folder.Path("save"));
    reloaded.LoadPlayers();
    ASSERT_EQ(1u, reloaded.GetPlayerCount());
    EXPECT_EQ(99, reloaded.GetPlayer(0)->zeve);
}

// Runs body in a child process whose files may not grow past maxFileBytes,
// as on a full disk; returns the child's exit code.
template <typename Body> int RunWithFileSizeLimit(rlim_t maxFileBytes, Body body)
{
    const pid_t child = ::fork();
    if (child == 0)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{maxFileBytes, maxFileBytes};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(body() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SaveFile, FailedWriteLeavesTheOldFileAndNoTemporary)
{
    ScratchFolder folder;
    Bytes old = kSampleBytes;
    old[1] = 'M';
    old.push_back('T');
    WriteBytes(folder.Path("save/Mira.usr"), old);

    const int exitCode = RunWithFileSizeLimit(20,
                                              [&]
                                              {
                                                  PlayerList list(folder.Path("save"));
                                                  PlayerInfo record = SampleRecord();
                                                  record.zeve = 5;
                                                  // Succeeding here is the failure.
                                                  return !list.SavePlayer(record);
                                              });
    EXPECT_EQ(0, exitCode) << "the save reported success on a full disk";
    EXPECT_EQ(old, ReadBytes(folder.Path("save/Mira.usr")));
    EXPECT_EQ(std::vector<std::string>{"Mira.usr"}, ListFolder(folder.Path("save")));
}

TEST(SaveFile, FolderNameTakenByAFileFailsCleanly)
{
    ScratchFolder folder;
    WriteBytes(folder.Path("save"), Bytes{1, 2, 3});
    PlayerList list(folder.Path("save"));
    PlayerInfo record = SampleRecord();
    EXPECT_FALSE(list.SavePlayer(record));
    EXPECT_FALSE(list.GetLastError().empty());
    EXPECT_EQ((Bytes{1, 2, 3}), ReadBytes(folder.Path("save")));
}

} // namespace
} // namespace Gamespace
