// Walks every data file the game opens through the built game folder: pictures, fonts and effect
// files inside data.pak, sounds loose under sounds/.
// SPDX-License-Identifier: MIT
#include "framework/fonts/font_data.h"
#include "framework/fonts/image_font.h"
#include "framework/images/image_loader.h"
#include "framework/pak/pak_interface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

namespace
{

using Bytes = std::vector<uint8_t>;

// The game folder of the build: tests run in <build>/tests.
std::string GameDir()
{
    const char* binary = std::getenv("ZADI_BINARY_DIR");
    return std::string(binary != nullptr ? binary : "..") + "/game";
}

// Pictures with their size: exact, or at least / at most (cell layouts need "at least").
struct PictureCase
{
    std::string path;
    int minW, minH, maxW, maxH;
};

constexpr int kAny = 100000;

std::vector<PictureCase> PictureCases()
{
    std::vector<PictureCase> cases;
    auto exact = [&](const std::string& p, int w, int h)
    { cases.push_back({p, w, h, w, h}); };
    auto atLeast = [&](const std::string& p, int w, int h)
    { cases.push_back({p, w, h, kAny, kAny}); };
    auto within = [&](const std::string& p, int lo, int hi)
    { cases.push_back({p, lo, lo, hi, hi}); };
    for (int i = 1; i <= 6; ++i)
    {
        const std::string n = std::to_string(i) + ".png";
        exact("images/objects/1/" + n, 70, 70);
        exact("images/obj_jew/" + n, 70, 70);
        exact("images/obj_bomb/" + n, 70, 70);
    }
    for (const char* a : {"health_kit", "speed_up", "speed_down", "trash2zeve", "zeve2jewel", "time",
                          "magic_palka", "extra_line", "time_freeze", "dynamit"})
    {
        exact(std::string("images/bonuses/") + a + ".png", 70, 70);
    }
    for (const char* b : {"1", "2", "4"})
    {
        exact(std::string("images/baskets/") + b + ".png", 95, 33);
    }
    for (int i = 1; i <= 4; ++i)
    {
        atLeast("images/game_fon/ocean_" + std::to_string(i) + ".png", 1280, 800);
        cases.push_back({"images/game_fon/layer_" + std::to_string(i) + ".png", 1280,
                         1, kAny, 400});
        within("images/bubbles/" + std::to_string(i) + ".png", 8, 24);
    }
    exact("images/fishes.png", 60, 20);
    cases.push_back({"images/snow.png", 80, 40, 130, 80});
    cases.push_back({"images/load.png", 200, 100, 1024, 768});
    for (const char* icon : {"zeve_cp", "jewel_cp", "health_cp"})
    {
        within(std::string("images/") + icon + ".png", 28, 44);
    }
    exact("images/fon_start.jpg", 1280, 800);
    for (const char* b : {"play", "rules", "options"})
    {
        atLeast(std::string("images/") + b + ".png", 480, 120);
    }
    atLeast("images/btn_def.png", 108, 108);
    atLeast("images/btn_opt_tab.png", 120, 108);
    atLeast("images/btn_left.png", 104, 35);
    atLeast("images/btn_right.png", 104, 35);
    exact("images/dialog/achivements.jpg", 1024, 768);
    for (const char* w : {"1", "2", "3"})
    {
        within(std::string("images/waypt/") + w + ".png", 16, 24);
        within(std::string("images/waypt/star_") + w + ".png", 24, 32);
    }
    atLeast("images/dialog/btn_achive_play.png", 140, 202);
    atLeast("images/dialog/shop.png", 106, 156);
    atLeast("images/dialog/workshop.png", 140, 156);
    exact("images/dialog/exit_window.png", 380, 250);
    atLeast("images/dialog/btn_yes.png", 74, 132);
    atLeast("images/dialog/btn_no.png", 65, 132);
    atLeast("images/dialog/btn_ok.png", 76, 152);
    exact("images/dialog/shop/dlg_finish.png", 350, 250);
    exact("images/dialog/shop/dlg.png", 460, 580);
    exact("images/dialog/clear/dlg_2.png", 420, 350);
    exact("images/dialog/stage_start/dlg.png", 380, 250);
    exact("images/dialog/stage_finish/dlg.png", 420, 350);
    atLeast("images/dialog/stage_finish/replay.png", 97, 104);
    atLeast("images/dialog/stage_finish/ok.png", 50, 104);
    cases.push_back({"images/great_job.png", 180, 36, 300, 70});
    cases.push_back({"images/try_again.png", 180, 36, 300, 70});
    exact("images/dialog/bonus/dlg.png", 400, 500);
    for (const char* m : {"zeve", "silver", "bronz"})
    {
        exact(std::string("images/medals/") + m + ".png", 100, 100);
    }
    exact("images/dialog/rules/dlg.png", 800, 600);
    exact("images/dialog/game_menu/menu.png", 250, 303);
    atLeast("images/dialog/btn_full_screen.png", 166, 186);
    exact("images/dialog/profiles.png", 380, 450);
    exact("images/dialog/pl_name_cover.png", 250, 30);
    atLeast("images/dialog/btn_new.png", 63, 96);
    atLeast("images/dialog/btn_delete.png", 104, 88);
    exact("images/dialog/new_player.png", 350, 231);
    exact("images/dialog_add_del.png", 400, 200);
    atLeast("images/dialog/btn_buy.png", 14 + 109, 153 + 38);
    atLeast("images/dialog/btn_return.png", 14 + 108, 155 + 38);
    atLeast("images/dialog/btn_use_jewels.png", 15 + 169, 194 + 42);
    return cases;
}

const char* const kFonts[] = {"ArtNouveau-Bistro26Bold", "GiddyupStd26", "MonotypeCorsiva14Italics",
                              "Pristina18",  "Sylfaen19Bold", "Sylfaen20",
                              "a_BosaNova14", "a_BosaNova20"};

const char* const kSounds[] = {"back.ogg",      "menu.ogg",        "bubble.ogg",     "click1.wav",
                               "jewel1.wav",    "jewel2.ogg",      "zeve.ogg",       "garbage.ogg",
                               "bonus.ogg",     "clock_tick.ogg",  "stage_start.ogg", "explosion.ogg",
                               "goal.ogg",      "stage_win.ogg",   "stage_fail.ogg", "vaze.wav",
                               "finish_game.ogg"};

uint32_t LittleEndian32(const Bytes& b, size_t at)
{
    return uint32_t{b[at]} | (uint32_t{b[at + 1]} << 8) | (uint32_t{b[at + 2]} << 16) |
           (uint32_t{b[at + 3]} << 24);
}

class AssetManifestTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        const std::string pak = GameDir() + "/data.pak";
        if (!std::filesystem::exists(pak))
        {
            GTEST_SKIP() << "no " << pak << " (configure with -DZADI_BUILD_DATA=ON and build)";
        }
        ASSERT_TRUE(pakInterface.AddPakFile(pak)) << pak;
    }

    // The whole file, read through the package layer; only packaged files count.
    std::optional<Bytes> ReadPackaged(const std::string& path)
    {
        if (!pakInterface.IsPackaged(path))
        {
            return std::nullopt;
        }
        Lumo::PakHandle* h = pakInterface.FOpen(path.c_str(), "rb");
        if (h == nullptr)
        {
            return std::nullopt;
        }
        Bytes out;
        uint8_t chunk[4096];
        size_t got = 0;
        while ((got = pakInterface.FRead(chunk, 1, sizeof chunk, h)) > 0)
        {
            out.insert(out.end(), chunk, chunk + got);
        }
        pakInterface.FClose(h);
        return out;
    }

    Lumo::PakInterface pakInterface;
};

TEST_F(AssetManifestTest, EveryPictureIsPackagedAndLoadsWithItsSize)
{
    for (const PictureCase& c : PictureCases())
    {
        SCOPED_TRACE(c.path);
        ASSERT_TRUE(pakInterface.IsPackaged(c.path)) << "missing from data.pak";
        const Lumo::ImageLib::ImagePtr image = Lumo::ImageLib::LoadImageFile(c.path, false);
        ASSERT_NE(image, nullptr) << "the image loader cannot read it";
        EXPECT_GE(image->width, c.minW);
        EXPECT_GE(image->height, c.minH);
        EXPECT_LE(image->width, c.maxW);
        EXPECT_LE(image->height, c.maxH);
        bool anyVisible = false;
        for (uint32_t argb : image->bits)
        {
            anyVisible = anyVisible || (argb >> 24) != 0;
        }
        EXPECT_TRUE(anyVisible) << "fully transparent";
    }
}

TEST_F(AssetManifestTest, EveryFontLoadsThroughTheFontLoader)
{
    for (const char* name : kFonts)
    {
        SCOPED_TRACE(name);
        const std::string path = std::string("fonts/") + name + ".txt";
        const std::optional<Bytes> text = ReadPackaged(path);
        ASSERT_TRUE(text.has_value()) << "missing from data.pak";
        auto data = std::make_shared<Lumo::FontData>();
        ASSERT_TRUE(data->Load(path)) << data->GetErrorText();
        Lumo::ImageFont font(data);
        ASSERT_TRUE(font.IsLoaded());
        EXPECT_GT(font.GetHeight(), 0);
        for (int c = 33; c <= 126; ++c)
        {
            EXPECT_GT(font.CharWidth(static_cast<char>(c)), 0) << "character " << c;
        }
        EXPECT_GT(font.CharWidth(' '), 0);
        const std::string descriptor(text->begin(), text->end());
        EXPECT_NE(descriptor.find("LayerSetKerningPairs"), std::string::npos) << "no kerning pairs";
    }
}

// The value of `key` in `text` as the effect reader takes it: from the first occurrence up to
// a quote, NUL or carriage return.
std::optional<std::string> EffValue(std::string_view text, std::string_view key, bool quoted)
{
    const size_t at = text.find(key);
    if (at == std::string_view::npos)
    {
        return std::nullopt;
    }
    size_t start = at + key.size() + (quoted ? 1 : 0);
    size_t end = start;
    while (end < text.size() && text[end] != '"' && text[end] != '\0' && text[end] != '\r')
    {
        ++end;
    }
    if (end == start)
    {
        return std::nullopt;
    }
    return std::string(text.substr(start, end - start));
}

TEST_F(AssetManifestTest, EveryEffectFileIsWellFormedAndItsFramesExist)
{
    for (const char* name : {"boom", "t2g", "g2j"})
    {
        SCOPED_TRACE(name);
        const std::optional<Bytes> data = ReadPackaged(std::string("effects/") + name + ".eff");
        ASSERT_TRUE(data.has_value()) << "missing from data.pak";
        const std::string text(data->begin(), data->end());
        ASSERT_NE(text.find("[animation]"), std::string::npos);
        const size_t firstEffect = text.find("[effect]");
        ASSERT_NE(firstEffect, std::string::npos);
        const std::string_view header(text.data(), firstEffect);
        ASSERT_TRUE(EffValue(header, "image=", true));
        const auto frameW = EffValue(header, "frame_w=", false);
        const auto frameH = EffValue(header, "frame_h=", false);
        ASSERT_TRUE(frameW && frameH);
        EXPECT_GT(std::atoi(frameW->c_str()), 0);
        EXPECT_GT(std::atoi(frameH->c_str()), 0);
        const std::string_view section(text.data() + firstEffect, text.size() - firstEffect);
        EXPECT_EQ(section.find("[effect]", 8), std::string_view::npos) << "one animation expected";
        EXPECT_EQ(EffValue(section, "[effect]=", true).value_or(""), name);
        EXPECT_EQ(EffValue(section, "autohide=", false).value_or("0").substr(0, 1), "1");
        int frames = 0;
        size_t at = section.find("[frame]");
        while (at != std::string_view::npos)
        {
            size_t next = section.find("[frame]", at + 7);
            const std::string_view frame = section.substr(at, next == std::string_view::npos ? next : next - at);
            ++frames;
            EXPECT_TRUE(EffValue(frame, "index=", false));
            EXPECT_TRUE(EffValue(frame, "time=", false));
            const auto image = EffValue(frame, "image=", true);
            ASSERT_TRUE(image);
            EXPECT_TRUE(pakInterface.IsPackaged(*image)) << *image;
            EXPECT_NE(Lumo::ImageLib::LoadImageFile(*image, false), nullptr) << *image;
            at = next;
        }
        EXPECT_GE(frames, 6);
        EXPECT_LE(frames, 10);
    }
}

Bytes ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Length in seconds of an Ogg Vorbis stream: the last page's granule over the rate.
double OggSeconds(const Bytes& b)
{
    if (b.size() < 64 || std::memcmp(b.data(), "OggS", 4) != 0)
    {
        return -1;
    }
    const size_t ident = 28; // first page body: packet type 1, "vorbis"
    if (b[ident] != 1 || std::memcmp(&b[ident + 1], "vorbis", 6) != 0)
    {
        return -1;
    }
    const uint32_t rate = LittleEndian32(b, ident + 12);
    for (size_t i = b.size() - 4; i > 0; --i)
    {
        if (std::memcmp(&b[i], "OggS", 4) == 0 && i + 14 <= b.size())
        {
            uint64_t granule = 0;
            for (int k = 7; k >= 0; --k)
            {
                granule = (granule << 8) | b[i + 6 + k];
            }
            return rate > 0 ? static_cast<double>(granule) / rate : -1;
        }
    }
    return -1;
}

TEST_F(AssetManifestTest, EverySoundIsALooseFileTheAudioLibraryCanOpen)
{
    for (const char* name : kSounds)
    {
        SCOPED_TRACE(name);
        const std::string path = GameDir() + "/sounds/" + name;
        const Bytes b = ReadFile(path);
        ASSERT_GT(b.size(), 44u) << "missing or empty: " << path;
        const std::string n(name);
        if (n.ends_with(".wav"))
        {
            EXPECT_EQ(std::memcmp(b.data(), "RIFF", 4), 0);
            EXPECT_EQ(std::memcmp(&b[8], "WAVEfmt ", 8), 0);
        }
        else
        {
            EXPECT_GT(OggSeconds(b), 0.05);
        }
    }
    EXPECT_GE(OggSeconds(ReadFile(GameDir() + "/sounds/back.ogg")), 30.0) << "the stage music is too short";
    EXPECT_TRUE(std::filesystem::is_directory(GameDir() + "/save"));
}

std::string BinaryDir()
{
    const char* binary = std::getenv("ZADI_BINARY_DIR");
    return binary != nullptr ? binary : "..";
}

// A second run of the generator writes the same bytes as the build's run, package included.
TEST(AssetGeneratorTest, SecondRunWritesTheSameFiles)
{
    namespace fs = std::filesystem;
    const std::string generator = BinaryDir() + "/tools/assetgen/assetgen";
    const fs::path stage = BinaryDir() + "/assetgen/stage";
    const std::string pak = GameDir() + "/data.pak";
    if (!fs::exists(generator) || !fs::exists(stage) || !fs::exists(pak))
    {
        GTEST_SKIP() << "no generated game data in this build";
    }
    const fs::path work = fs::temp_directory_path() / ("assetgen-rerun-" + std::to_string(::getpid()));
    fs::remove_all(work);
    const std::string command = "'" + generator + "' --stage '" + (work / "stage").string() + "' --game '" +
                                (work / "game").string() + "' > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    std::vector<std::string> first;
    std::vector<std::string> second;
    for (const auto& e : fs::recursive_directory_iterator(stage))
    {
        if (e.is_regular_file())
        {
            first.push_back(fs::relative(e.path(), stage).string());
        }
    }
    for (const auto& e : fs::recursive_directory_iterator(work / "stage"))
    {
        if (e.is_regular_file())
        {
            second.push_back(fs::relative(e.path(), work / "stage").string());
        }
    }
    std::sort(first.begin(), first.end());
    std::sort(second.begin(), second.end());
    EXPECT_EQ(first, second);
    EXPECT_GT(first.size(), 150u);
    for (const std::string& name : first)
    {
        EXPECT_TRUE(ReadFile((stage / name).string()) == ReadFile((work / "stage" / name).string())) << name;
    }
    EXPECT_TRUE(ReadFile(pak) == ReadFile((work / "game" / "data.pak").string())) << "data.pak";
    fs::remove_all(work);
}

} // namespace
