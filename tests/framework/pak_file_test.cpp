// Tests of the package layer: the stored format, damaged packages, lookups and file operations.
// SPDX-License-Identifier: MIT
#include "framework/pak/pak_format.h"
#include "framework/pak/pak_interface.h"
#include "framework/pak/pak_writer.h"
#include "tests/framework/pak_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>
#include <unistd.h>

namespace
{

using namespace Lumo;
using PakTestUtil::BuildPak;
using PakTestUtil::Bytes;
using PakTestUtil::ScratchDir;

// Decoded (plain) bytes of a package, so tests can build damaged ones by hand.
std::vector<uint8_t> Plain(std::vector<uint8_t> stored)
{
    for (uint8_t& b : stored)
    {
        b ^= kPakXorKey;
    }
    return stored;
}

std::vector<uint8_t> Stored(std::vector<uint8_t> plain)
{
    return Plain(std::move(plain));
}

void PutU32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
    {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

std::string ReadAll(PakInterface& pak, PakHandle* handle)
{
    std::string text;
    char buffer[7];
    size_t got = 0;
    while ((got = pak.FRead(buffer, 1, sizeof buffer, handle)) > 0)
    {
        text.append(buffer, got);
    }
    return text;
}

TEST(PakFormat, StoredBytesAreXoredWithHeaderAndEndFlagFirst)
{
    PakWriter writer;
    ASSERT_TRUE(writer.AddFile("a/b.txt", Bytes("hi"), 0x0102030405060708ULL));
    const std::vector<uint8_t> plain = Plain(writer.Serialise());
    const std::vector<uint8_t> expected = {0xC0, 0x4A, 0xC0, 0xBA, // magic
                                           0,    0,    0,    0,    // version
                                           0,    7,    'a',  '/',  'b', '.', 't', 'x',
                                           't',                                      // flags, name
                                           2,    0,    0,    0,                      // size
                                           8,    7,    6,    5,    4,   3,   2,   1, // file time
                                           0x80, // end of directory
                                           'h',  'i'};
    EXPECT_EQ(plain, expected);
}

TEST(PakFormat, DirectoryOffsetsStartAfterTheEndFlag)
{
    const std::vector<uint8_t> stored = BuildPak({{"one", "abc"}, {"two", ""}, {"three", "de"}});
    std::vector<PakDirectoryEntry> entries;
    ASSERT_TRUE(ReadPakDirectory(stored, entries));
    ASSERT_EQ(entries.size(), 3u);
    const size_t directoryEnd = 8 + (2 + 3 + 12) + (2 + 3 + 12) + (2 + 5 + 12) + 1;
    EXPECT_EQ(entries[0].startPos, directoryEnd);
    EXPECT_EQ(entries[1].startPos, directoryEnd + 3);
    EXPECT_EQ(entries[2].startPos, directoryEnd + 3);
    EXPECT_EQ(entries[2].size, 2u);
    EXPECT_EQ(ReadPakEntryData(stored, entries[2]), Bytes("de"));
    EXPECT_EQ(entries[1].name, "two");
}

TEST(PakFormat, DamagedPackagesAreRejectedWhole)
{
    const std::vector<uint8_t> good = Plain(BuildPak({{"one", "abc"}, {"two", "de"}}));
    struct Case
    {
        const char* what;
        std::vector<uint8_t> plain;
    };
    std::vector<Case> cases;
    {
        auto bad = good;
        bad[0] ^= 1;
        cases.push_back({"wrong magic", bad});
    }
    {
        auto bad = good;
        bad[4] = 1;
        cases.push_back({"version 1", bad});
    }
    {
        auto bad = good;
        bad[7] = 0x80;
        cases.push_back({"high version byte", bad});
    }
    cases.push_back({"header only", {good.begin(), good.begin() + 8}});
    cases.push_back({"cut in the header", {good.begin(), good.begin() + 5}});
    cases.push_back({"cut in an entry", {good.begin(), good.begin() + 14}});
    cases.push_back({"cut before the end flag", {good.begin(), good.begin() + 8 + 17 + 17}});
    cases.push_back({"data cut short", {good.begin(), good.end() - 1}});
    {
        auto bad = good;
        bad[9] = 0; // first name length
        cases.push_back({"empty name", bad});
    }
    {
        auto bad = good;
        bad[8 + 2 + 3 + 3] = 0x7F; // top byte of the first size
        cases.push_back({"size beyond the file", bad});
    }
    {
        std::vector<uint8_t> huge;
        PutU32(huge, kPakMagic);
        PutU32(huge, 0);
        for (int i = 0; i < 3; ++i)
        {
            huge.insert(huge.end(), {0, 1, 'x'});
            PutU32(huge, 0xFFFFFFFFu);
            huge.insert(huge.end(), 8, 0);
        }
        huge.push_back(0x80);
        cases.push_back({"sizes that add up past the file", huge});
    }
    cases.push_back({"empty file", {}});

    ScratchDir dir;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        std::vector<PakDirectoryEntry> entries;
        EXPECT_FALSE(ReadPakDirectory(Stored(c.plain), entries));
        EXPECT_TRUE(entries.empty());

        dir.Write("bad.pak", Stored(c.plain));
        PakInterface pak;
        EXPECT_FALSE(pak.AddPakFile(dir.Path("bad.pak")));
        EXPECT_TRUE(pak.PackagedNames().empty());
        EXPECT_EQ(pak.FOpen("one", "rb"), nullptr);
    }
}

TEST(PakFormat, TrailingBytesAfterTheDataAreHarmless)
{
    std::vector<uint8_t> stored = BuildPak({{"one", "abc"}});
    stored.push_back(0x12);
    std::vector<PakDirectoryEntry> entries;
    ASSERT_TRUE(ReadPakDirectory(stored, entries));
    EXPECT_EQ(ReadPakEntryData(stored, entries[0]), Bytes("abc"));
}

TEST(PakWriter, RefusesNamesThePackageCannotHold)
{
    PakWriter writer;
    ASSERT_TRUE(writer.AddFile("images/a.png", Bytes("x")));
    const std::string tooLong(256, 'n');
    for (const std::string& name : {std::string(), tooLong, std::string("images/"),
                                    std::string("IMAGES\\A.PNG"), std::string("images/x/../a.png")})
    {
        SCOPED_TRACE(name);
        const PakWriteResult result = writer.AddFile(name, Bytes("y"));
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(result.error.empty());
    }
    EXPECT_TRUE(writer.AddFile(std::string(255, 'n'), Bytes("")).ok);
    EXPECT_EQ(writer.FileCount(), 2u);
}

TEST(PakWriter, WriteReplacesTheTargetAndReportsAnUnwritableOne)
{
    ScratchDir dir;
    dir.Write("out.pak", "old");
    PakWriter writer;
    ASSERT_TRUE(writer.AddFile("f", Bytes("data")));
    ASSERT_TRUE(writer.Write(dir.Path("out.pak")).ok);
    EXPECT_EQ(dir.Read("out.pak"), writer.Serialise());

    const PakWriteResult failed = writer.Write(dir.Path("missing/folder/out.pak"));
    EXPECT_FALSE(failed.ok);
    EXPECT_NE(failed.error.find("missing/folder"), std::string::npos);
}

TEST(PakNames, Normalisation)
{
    struct Case
    {
        const char* name;
        const char* expected;
    };
    const Case cases[] = {
        {"images/fish.png", "IMAGES\\FISH.PNG"},
        {"Images\\Fish.PNG", "IMAGES\\FISH.PNG"},
        {"images//\\fish.png", "IMAGES\\FISH.PNG"},
        {"images/extra/../fish.png", "IMAGES\\FISH.PNG"},
        {"images/a/b/../../fish.png", "IMAGES\\FISH.PNG"},
        {"a/../fish.png", "FISH.PNG"},
        {"./images/./fish.png", "IMAGES\\FISH.PNG"},
        {"../fish.png", "..\\FISH.PNG"},
        {"images/..fish", "IMAGES\\..FISH"},
        {"images/fish..", "IMAGES\\FISH.."},
        {"/elsewhere/x", "\\ELSEWHERE\\X"},
        {"", ""},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(NormalisePakName(c.name), c.expected) << c.name;
    }
}

TEST(PakNames, AbsolutePathInsideTheCurrentFolderLosesIt)
{
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    EXPECT_EQ(NormalisePakName(std::string(cwd) + "/images/fish.png"), "IMAGES\\FISH.PNG");
}

class PakLayer : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        dir.Write("data.pak", BuildPak({{"images\\fish.png", "FISHDATA"},
                                        {"text/lines.txt", "one\r\ntwo\r\n\r\nlast"},
                                        {"bin/raw", std::string("\r\x0a\x00\x0d", 4)},
                                        {"ten", "0123456789"},
                                        {"save/a.usr", "A"},
                                        {"save/b.usr", "BB"},
                                        {"save/old/c.usr", "C"},
                                        {"save/old/d.usr", "D"},
                                        {"save/notes.txt", "N"}}));
        ASSERT_TRUE(pak.AddPakFile(dir.Path("data.pak")));
    }

    ScratchDir dir;
    PakInterface pak;
};

TEST_F(PakLayer, SpellingsOfOneNameOpenTheSameFile)
{
    for (const char* name : {"images\\fish.png", "images/fish.png", "IMAGES/Fish.Png",
                             "images/sea/../fish.png", "images//fish.png"})
    {
        SCOPED_TRACE(name);
        PakHandle* handle = pak.FOpen(name, "rb");
        ASSERT_NE(handle, nullptr);
        EXPECT_EQ(ReadAll(pak, handle), "FISHDATA");
        pak.FClose(handle);
    }
}

TEST_F(PakLayer, ReadingModesServeThePackageOthersTheDisk)
{
    for (const char* mode : {"r", "rb", "r+b", "rt", "RB", "Rt"})
    {
        PakHandle* handle = pak.FOpen("ten", mode);
        ASSERT_NE(handle, nullptr) << mode;
        EXPECT_NE(handle->record, nullptr) << mode;
        pak.FClose(handle);
    }
    // A writing mode goes to the real file system, even for a packaged name.
    const std::string real = dir.Path("ten");
    PakHandle* written = pak.FOpen(real.c_str(), "w");
    ASSERT_NE(written, nullptr);
    EXPECT_EQ(written->record, nullptr);
    pak.FClose(written);
    PakHandle* missing = pak.FOpen(dir.Path("nowhere.txt").c_str(), "rb");
    EXPECT_EQ(missing, nullptr);
}

TEST_F(PakLayer, ReadCopiesWhatIsLeftAndCountsWholeElements)
{
    PakHandle* handle = pak.FOpen("ten", "rb");
    ASSERT_NE(handle, nullptr);
    uint8_t buffer[16] = {};
    EXPECT_EQ(pak.FRead(buffer, 4, 4, handle), 2u);
    EXPECT_EQ(std::memcmp(buffer, "0123456789", 10), 0);
    EXPECT_EQ(pak.FTell(handle), 10);
    EXPECT_TRUE(pak.FEof(handle));
    EXPECT_EQ(pak.FRead(buffer, 1, 1, handle), 0u);
    EXPECT_EQ(pak.FGetC(handle), EOF);
    pak.FClose(handle);
}

TEST_F(PakLayer, SeekIsClampedToTheFile)
{
    struct Case
    {
        long start;
        long offset;
        int origin;
        long expected;
    };
    const Case cases[] = {
        {0, 3, SEEK_SET, 3},  {5, 2, SEEK_CUR, 7},  {5, -2, SEEK_CUR, 3},  {0, -4, SEEK_END, 6},
        {0, -5, SEEK_SET, 0}, {2, -9, SEEK_CUR, 0}, {0, 40, SEEK_SET, 10}, {0, 3, SEEK_END, 10},
    };
    PakHandle* handle = pak.FOpen("ten", "rb");
    ASSERT_NE(handle, nullptr);
    for (const Case& c : cases)
    {
        ASSERT_EQ(pak.FSeek(handle, c.start, SEEK_SET), 0);
        EXPECT_EQ(pak.FSeek(handle, c.offset, c.origin), 0);
        EXPECT_EQ(pak.FTell(handle), c.expected) << c.start << " " << c.offset << " " << c.origin;
    }
    ASSERT_EQ(pak.FSeek(handle, -4, SEEK_END), 0);
    EXPECT_EQ(pak.FGetC(handle), '6');
    pak.FClose(handle);
}

TEST_F(PakLayer, TextReadsDropCarriageReturns)
{
    PakHandle* handle = pak.FOpen("text/lines.txt", "r");
    ASSERT_NE(handle, nullptr);
    char line[64];
    std::vector<std::string> lines;
    while (pak.FGetS(line, sizeof line, handle) != nullptr)
    {
        lines.emplace_back(line);
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"one\n", "two\n", "\n", "last"}));
    EXPECT_EQ(pak.FGetS(line, sizeof line, handle), nullptr);
    pak.FClose(handle);

    // A small buffer stops one short of its size and goes on where it stopped.
    handle = pak.FOpen("text/lines.txt", "rt");
    ASSERT_NE(handle, nullptr);
    char small[3];
    ASSERT_NE(pak.FGetS(small, sizeof small, handle), nullptr);
    EXPECT_STREQ(small, "on");
    EXPECT_EQ(pak.FGetC(handle), 'e');
    EXPECT_EQ(pak.FGetC(handle), '\n');
    EXPECT_EQ(pak.UnGetC('\n', handle), '\n');
    EXPECT_EQ(pak.FGetC(handle), '\n');
    pak.FClose(handle);
}

TEST_F(PakLayer, BinaryReadsKeepEveryByte)
{
    PakHandle* handle = pak.FOpen("bin/raw", "rb");
    ASSERT_NE(handle, nullptr);
    std::vector<int> got;
    for (int c = pak.FGetC(handle); c != EOF; c = pak.FGetC(handle))
    {
        got.push_back(c);
    }
    EXPECT_EQ(got, (std::vector<int>{'\r', '\n', 0, '\r'}));
    EXPECT_EQ(pak.UnGetC('x', handle), 'x');
    EXPECT_EQ(pak.FTell(handle), 3);
    pak.FSeek(handle, 0, SEEK_SET);
    pak.UnGetC('x', handle);
    EXPECT_EQ(pak.FTell(handle), 0);
    pak.FClose(handle);
}

TEST_F(PakLayer, LaterPackageReplacesAnEarlierFileAndAMissingOneChangesNothing)
{
    dir.Write("patch.pak", BuildPak({{"TEN", "patched"}}));
    EXPECT_FALSE(pak.AddPakFile(dir.Path("absent.pak")));
    ASSERT_TRUE(pak.AddPakFile(dir.Path("patch.pak")));
    PakHandle* handle = pak.FOpen("ten", "rb");
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(ReadAll(pak, handle), "patched");
    pak.FClose(handle);
    EXPECT_TRUE(pak.IsPackaged("images/fish.png"));
}

TEST_F(PakLayer, LooseFilesAreTheFallback)
{
    dir.Write("loose/notes.txt", "a\r\nb");
    PakHandle* handle = pak.FOpen(dir.Path("loose\\notes.txt").c_str(), "r");
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(handle->record, nullptr);
    char line[16];
    ASSERT_NE(pak.FGetS(line, sizeof line, handle), nullptr);
    EXPECT_STREQ(line, "a\n");
    pak.FClose(handle);
}

std::vector<std::pair<std::string, uint32_t>> FindAll(PakInterface& pak, const std::string& pattern)
{
    std::vector<std::pair<std::string, uint32_t>> found;
    PakFindData data;
    PakFind* find = pak.FindFirstFile(pattern.c_str(), &data);
    if (find == nullptr)
    {
        return found;
    }
    do
    {
        found.emplace_back(data.fileName, data.attributes);
    } while (pak.FindNextFile(find, &data));
    EXPECT_TRUE(pak.FindClose(find));
    return found;
}

TEST_F(PakLayer, FindPatterns)
{
    using Found = std::vector<std::pair<std::string, uint32_t>>;
    constexpr uint32_t kFile = kPakAttributeNormal;
    constexpr uint32_t kDir = kPakAttributeDirectory;
    struct Case
    {
        const char* pattern;
        Found expected;
    };
    const Case cases[] = {
        {"save/*.usr", {{"a.usr", kFile}, {"b.usr", kFile}, {"old", kDir}}},
        {"SAVE\\*.*", {{"a.usr", kFile}, {"b.usr", kFile}, {"notes.txt", kFile}, {"old", kDir}}},
        {"save/*", {{"a.usr", kFile}, {"b.usr", kFile}, {"notes.txt", kFile}, {"old", kDir}}},
        {"save/old/*.usr", {{"c.usr", kFile}, {"d.usr", kFile}}},
        {"save/b*", {{"b.usr", kFile}}},
        {"save/*.txt", {{"notes.txt", kFile}}},
        {"save/a.usr", {}}, // no star: packaged names never match
        {"nothing/*", {}},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(FindAll(pak, c.pattern), c.expected) << c.pattern;
    }
}

TEST_F(PakLayer, FindFallsBackToTheDisk)
{
    dir.Write("disk/one.usr", "1");
    dir.Write("disk/two.usr", "22");
    dir.Write("disk/other.txt", "3");
    auto found = FindAll(pak, dir.Path("disk") + "/*.usr");
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::pair<std::string, uint32_t>>{
                         {"one.usr", kPakAttributeNormal}, {"two.usr", kPakAttributeNormal}}));
    EXPECT_TRUE(FindAll(pak, dir.Path("disk") + "/*.none").empty());
    EXPECT_TRUE(FindAll(pak, dir.Path("no-such-folder") + "/*").empty());
}

TEST_F(PakLayer, FindReportsSizeAndTime)
{
    PakFindData data;
    PakFind* find = pak.FindFirstFile("save/b*", &data);
    ASSERT_NE(find, nullptr);
    EXPECT_EQ(data.fileSize, 2u);
    EXPECT_EQ(data.lastWriteTime, 0u);
    pak.FindClose(find);
}

TEST(PakFreeFunctions, GoThroughTheRegisteredInstance)
{
    ScratchDir dir;
    dir.Write("main.pak", BuildPak({{"hello.txt", "world"}}));
    {
        PakInterface pak;
        ASSERT_EQ(GetPakInterface(), &pak);
        PakInterface second;
        EXPECT_EQ(GetPakInterface(), &pak);
        ASSERT_TRUE(pak.AddPakFile(dir.Path("main.pak")));
        PakFilePtr file(PakFOpen("Hello.TXT", "rb"));
        ASSERT_NE(file, nullptr);
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(PakReadAll(file.get(), bytes));
        EXPECT_EQ(bytes, Bytes("world"));
    }
    EXPECT_EQ(GetPakInterface(), nullptr);
    // Without an instance only the disk is there.
    EXPECT_EQ(PakFOpen("hello.txt", "rb"), nullptr);
    PakFilePtr loose(PakFOpen(dir.Path("main.pak").c_str(), "rb"));
    EXPECT_NE(loose, nullptr);
}

} // namespace

namespace
{

// Readers on several threads while packages are added: every read sees whole data, and the
// sanitizer builds see no race.
TEST(PakThreads, ReadsWhilePackagesAreAdded)
{
    ScratchDir dir;
    constexpr int kPackages = 8;
    for (int i = 0; i < kPackages; ++i)
    {
        dir.Write("p" + std::to_string(i) + ".pak",
                  BuildPak({{"shared.txt", "package " + std::to_string(i)},
                            {"own" + std::to_string(i), "x"}}));
    }
    PakInterface pak;
    ASSERT_TRUE(pak.AddPakFile(dir.Path("p0.pak")));
    std::atomic<bool> done{false};
    std::atomic<int> badReads{0};
    std::vector<std::thread> readers;
    for (int t = 0; t < 3; ++t)
    {
        readers.emplace_back(
            [&]
            {
                while (!done)
                {
                    PakHandle* handle = pak.FOpen("shared.txt", "rb");
                    const std::string text = handle != nullptr ? ReadAll(pak, handle) : "";
                    pak.FClose(handle);
                    if (text.rfind("package ", 0) != 0 || text.size() != 9)
                    {
                        ++badReads;
                    }
                    PakFindData data;
                    if (PakFind* find = pak.FindFirstFile("own*", &data))
                    {
                        while (pak.FindNextFile(find, &data))
                        {
                        }
                        pak.FindClose(find);
                    }
                }
            });
    }
    for (int i = 1; i < kPackages; ++i)
    {
        ASSERT_TRUE(pak.AddPakFile(dir.Path("p" + std::to_string(i) + ".pak")));
    }
    done = true;
    for (std::thread& reader : readers)
    {
        reader.join();
    }
    EXPECT_EQ(badReads, 0);
    PakHandle* last = pak.FOpen("shared.txt", "rb");
    EXPECT_EQ(ReadAll(pak, last), "package 7");
    pak.FClose(last);
}

} // namespace
