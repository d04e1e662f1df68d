// The settings file: defaults, damaged files, escapes and whole-file replacement.
// SPDX-License-Identifier: MIT
#include "framework/app/app_settings.h"
#include "framework/app/settings_store.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace
{

namespace fs = std::filesystem;
using Lumo::AppSettings;
using Lumo::SettingsLoadResult;
using Lumo::SettingsStore;

class SettingsFileTest : public testing::Test
{
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() /
                 ("zadi_settings_" + std::to_string(getpid()) + "_" +
                  testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        path = (folder / "settings.txt").string();
    }
    void TearDown() override { fs::remove_all(folder); }

    void WriteFile(const std::string& text)
    {
        std::ofstream(path, std::ios::binary) << text;
    }
    std::string ReadFile()
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path folder;
    std::string path;
};

void ExpectDefaults(const AppSettings& settings)
{
    EXPECT_DOUBLE_EQ(settings.musicVolume, 0.85);
    EXPECT_DOUBLE_EQ(settings.sfxVolume, 0.85);
    EXPECT_FALSE(settings.muted);
    EXPECT_FALSE(settings.fullScreen);
    EXPECT_EQ(settings.preferredX, -1);
    EXPECT_EQ(settings.preferredY, -1);
    EXPECT_FALSE(settings.customCursors);
    EXPECT_FALSE(settings.waitForVSync);
    EXPECT_FALSE(settings.inProgress);
}

TEST_F(SettingsFileTest, MissingFileGivesEveryDefault)
{
    SettingsStore store(path);
    EXPECT_EQ(store.Load(), SettingsLoadResult::Missing);
    AppSettings settings;
    settings.ReadFrom(store);
    ExpectDefaults(settings);
}

TEST_F(SettingsFileTest, DamagedFilesGiveDefaultsAndAreReplacedWholeOnSave)
{
    const std::string header = "SaltmereZadiSettings 1\n";
    const struct
    {
        const char* what;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"binary rubbish", std::string("\x00\xff\x13\x37", 4)},
        {"another header", "SaltmereZadiSettings 2\ni\tMusicVolume\t10\n"},
        {"last line cut short", header + "i\tMusicVolume\t10\ni\tSfxVol"},
        {"unknown type", header + "x\tMusicVolume\t10\n"},
        {"number with rubbish", header + "i\tMusicVolume\t10abc\n"},
        {"number too big", header + "i\tMusicVolume\t4294967296\n"},
        {"empty number", header + "i\tMusicVolume\t\n"},
        {"missing value", header + "i\tMusicVolume\n"},
        {"empty name", header + "i\t\t5\n"},
        {"bad escape", header + "s\tName\tab\\q\n"},
        {"escape at end", header + "s\tName\tab\\\n"},
        {"good line after damage", header + "i\tMuted\tyes\ni\tMusicVolume\t10\n"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        WriteFile(c.text);
        SettingsStore store(path);
        EXPECT_EQ(store.Load(), SettingsLoadResult::Corrupt);
        AppSettings settings;
        settings.ReadFrom(store);
        ExpectDefaults(settings);

        store.SetInteger("SfxVolume", 40);
        ASSERT_TRUE(store.Save());
        EXPECT_EQ(ReadFile(), header + "i\tSfxVolume\t40\n");
    }
}

TEST_F(SettingsFileTest, ValuesSurviveARoundTripWithTheirTypes)
{
    SettingsStore store(path);
    store.SetInteger("PreferredX", -17);
    store.SetInteger("Big", 2147483647);
    store.SetString("Name", "tab\there\nnew line \\ backslash\r");
    store.SetString("Empty", "");
    ASSERT_TRUE(store.Save());

    SettingsStore again(path);
    ASSERT_EQ(again.Load(), SettingsLoadResult::Loaded);
    EXPECT_EQ(again.GetInteger("PreferredX"), -17);
    EXPECT_EQ(again.GetInteger("Big"), 2147483647);
    EXPECT_EQ(again.GetString("Name"), "tab\there\nnew line \\ backslash\r");
    EXPECT_EQ(again.GetString("Empty"), "");
    // A value read as the other type is absent.
    EXPECT_FALSE(again.GetString("PreferredX").has_value());
    EXPECT_FALSE(again.GetInteger("Name").has_value());
}

TEST_F(SettingsFileTest, SavingLeavesNoTemporaryFileBehind)
{
    SettingsStore store(path);
    store.SetInteger("Muted", 1);
    ASSERT_TRUE(store.Save());
    int files = 0;
    for (const auto& entry : fs::directory_iterator(folder))
    {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST_F(SettingsFileTest, AFailedSaveKeepsTheOldFile)
{
    WriteFile("SaltmereZadiSettings 1\ni\tMuted\t1\n");
    SettingsStore store((folder / "missing-folder" / "settings.txt").string());
    store.SetInteger("Muted", 0);
    EXPECT_FALSE(store.Save());
    EXPECT_EQ(ReadFile(), "SaltmereZadiSettings 1\ni\tMuted\t1\n");
}

TEST(AppSettingsTest, ValuesAreReadAndWrittenUnderTheirNames)
{
    SettingsStore store;
    AppSettings written;
    written.musicVolume = 0.4;
    written.sfxVolume = 0.07;
    written.muted = true;
    written.fullScreen = true;
    written.preferredX = 12;
    written.preferredY = 34;
    written.customCursors = true;
    written.waitForVSync = true;
    written.is3D = true;
    written.WriteTo(store, true);

    const struct
    {
        const char* name;
        int value;
    } expected[] = {
        {"MusicVolume", 40}, {"SfxVolume", 7},    {"Muted", 1},        {"ScreenMode", 1},
        {"PreferredX", 12},  {"PreferredY", 34},  {"CustomCursors", 1}, {"WaitForVSync", 1},
        {"InProgress", 1},   {"Is3D", 1},
    };
    for (const auto& value : expected)
    {
        EXPECT_EQ(store.GetInteger(value.name), value.value) << value.name;
    }

    AppSettings read;
    read.ReadFrom(store);
    EXPECT_DOUBLE_EQ(read.musicVolume, 0.4);
    EXPECT_DOUBLE_EQ(read.sfxVolume, 0.07);
    EXPECT_TRUE(read.muted && read.fullScreen && read.customCursors && read.waitForVSync);
    EXPECT_TRUE(read.inProgress && read.is3D);
    EXPECT_EQ(read.preferredX, 12);
    EXPECT_EQ(read.preferredY, 34);
}

TEST(AppSettingsTest, AValueOfTheWrongTypeKeepsItsDefault)
{
    SettingsStore store;
    store.SetString("MusicVolume", "50");
    store.SetInteger("SfxVolume", 20);
    AppSettings settings;
    settings.ReadFrom(store);
    EXPECT_DOUBLE_EQ(settings.musicVolume, 0.85);
    EXPECT_DOUBLE_EQ(settings.sfxVolume, 0.2);
}

} // namespace
