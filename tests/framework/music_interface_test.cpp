// Tests of the music interface: volume and fade bookkeeping, and playing through SDL2_mixer.
// SPDX-License-Identifier: MIT
#include "framework/platform/mixer_music.h"
#include "framework/sound/channel_music_interface.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <unistd.h>

namespace
{

using Lumo::ChannelMusicInterface;

// Records what the interface asks of the device.
class FakeBackend : public Lumo::MusicBackend
{
  public:
    struct Channel
    {
        std::string source;
        bool playing = false;
        bool paused = false;
        bool loop = false;
        int playCount = 0;
        int lastOffset = 0;
        bool lastRestart = false;
        double volume = -1.0;
    };
    std::map<int, Channel>* channels;
    int nextHandle = 1;

    explicit FakeBackend(std::map<int, Channel>* out) : channels(out) {}

    int OpenStream(const std::string& path) override
    {
        if (path.find("missing") != std::string::npos)
        {
            return 0;
        }
        (*channels)[nextHandle].source = "stream:" + path;
        return nextHandle++;
    }
    int OpenModule(std::vector<uint8_t> bytes) override
    {
        (*channels)[nextHandle].source = "module:" + std::string(bytes.begin(), bytes.end());
        return nextHandle++;
    }
    void Free(int handle) override { channels->erase(handle); }
    void Play(int handle, int offset, bool restart, bool loop) override
    {
        Channel& channel = channels->at(handle);
        channel.playing = true;
        channel.paused = false;
        channel.loop = loop;
        channel.lastOffset = offset;
        channel.lastRestart = restart;
        ++channel.playCount;
    }
    void Stop(int handle) override { channels->at(handle).playing = false; }
    void Pause(int handle) override { channels->at(handle).paused = true; }
    void Resume(int handle) override { channels->at(handle).paused = false; }
    bool IsPlaying(int handle) override
    {
        return channels->at(handle).playing && !channels->at(handle).paused;
    }
    bool IsPaused(int handle) override
    {
        return channels->at(handle).playing && channels->at(handle).paused;
    }
    void SetVolume(int handle, double volume) override { channels->at(handle).volume = volume; }
};

class MusicBookkeeping : public ::testing::Test
{
  protected:
    std::map<int, FakeBackend::Channel> channels;
    // Module files "found" through the package layer.
    std::map<std::string, std::string> packaged{{"music/tune.mod", "MODDATA"}};
    ChannelMusicInterface music{std::make_unique<FakeBackend>(&channels),
                                [this](const std::string& path, std::vector<uint8_t>& bytes)
                                {
                                    const auto found = packaged.find(path);
                                    if (found == packaged.end())
                                    {
                                        return false;
                                    }
                                    bytes.assign(found->second.begin(), found->second.end());
                                    return true;
                                }};

    FakeBackend::Channel& ChannelOf(int id)
    {
        // Handles are given out in load order starting at 1; tests load ids 2, 3, ...
        return channels.at(id - 1);
    }
    double Volume(int id) { return music.GetSongState(id)->volume; }
};

TEST_F(MusicBookkeeping, LoadChoosesStreamOrModuleByExtension)
{
    struct Case
    {
        const char* path;
        bool loads;
        const char* source;
    };
    const Case cases[] = {
        {"sounds/click1.wav", true, "stream:sounds/click1.wav"},
        {"sounds/back.OGG", true, "stream:sounds/back.OGG"},
        {"sounds/theme.mp3", true, "stream:sounds/theme.mp3"},
        {"music/tune.mod", true, "module:MODDATA"},
        // Streams never come from packages; a module must be in one (or on disk).
        {"sounds/missing.ogg", false, ""},
        {"music/other.xm", false, ""},
    };
    int id = 2;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.path);
        const bool loaded = music.LoadMusic(id, c.path);
        EXPECT_EQ(loaded, c.loads);
        if (loaded)
        {
            const auto state = music.GetSongState(id);
            ASSERT_TRUE(state.has_value());
            EXPECT_EQ(state->volume, 0.0);
            EXPECT_EQ(state->maxVolume, 1.0);
            EXPECT_EQ(channels.rbegin()->second.source, c.source);
        }
        else
        {
            EXPECT_FALSE(music.GetSongState(id).has_value());
        }
        ++id;
    }
}

TEST_F(MusicBookkeeping, ReloadingAnIdFreesTheOldSound)
{
    ASSERT_TRUE(music.LoadMusic(2, "a.wav"));
    ASSERT_TRUE(music.LoadMusic(2, "b.wav"));
    ASSERT_EQ(channels.size(), 1u);
    EXPECT_EQ(channels.begin()->second.source, "stream:b.wav");
}

TEST_F(MusicBookkeeping, PlayStartsAtMaximumAndNoLoopSetsTheStopFlag)
{
    ASSERT_TRUE(music.LoadMusic(2, "a.wav"));
    music.SetSongMaxVolume(2, 0.7);
    music.PlayMusic(2, 0, true);
    EXPECT_DOUBLE_EQ(Volume(2), 0.7);
    EXPECT_TRUE(music.GetSongState(2)->stopWhenFaded);
    EXPECT_FALSE(ChannelOf(2).loop);
    EXPECT_TRUE(ChannelOf(2).lastRestart);
    EXPECT_DOUBLE_EQ(ChannelOf(2).volume, 0.7);

    music.PlayMusic(2, 0, false);
    EXPECT_FALSE(music.GetSongState(2)->stopWhenFaded);
    EXPECT_TRUE(ChannelOf(2).loop);
    EXPECT_TRUE(music.IsPlaying(2));
}

TEST_F(MusicBookkeeping, MaximumVolumeLowersOnlyLouderSongs)
{
    ASSERT_TRUE(music.LoadMusic(2, "a.wav"));
    music.PlayMusic(2);
    music.SetSongVolume(2, 0.8);
    music.SetSongMaxVolume(2, 0.5);
    EXPECT_DOUBLE_EQ(Volume(2), 0.5);
    EXPECT_DOUBLE_EQ(ChannelOf(2).volume, 0.5);
    music.SetSongVolume(2, 0.2);
    music.SetSongMaxVolume(2, 0.9);
    EXPECT_DOUBLE_EQ(Volume(2), 0.2);
}

TEST_F(MusicBookkeeping, FadeInRisesToTheMaximumAndEnds)
{
    ASSERT_TRUE(music.LoadMusic(2, "a.wav"));
    music.SetSongMaxVolume(2, 0.5);
    music.FadeIn(2, 0, 0.2, false);
    EXPECT_EQ(Volume(2), 0.0); // the current volume is kept
    EXPECT_TRUE(music.IsPlaying(2));
    const double expected[] = {0.2, 0.4, 0.5, 0.5};
    for (double volume : expected)
    {
        music.Update();
        EXPECT_NEAR(Volume(2), volume, 1e-9);
        EXPECT_NEAR(ChannelOf(2).volume, volume, 1e-9);
    }
    EXPECT_EQ(music.GetSongState(2)->fadeStep, 0.0);
}

TEST_F(MusicBookkeeping, FadeInFromMinusOneContinuesWithoutRestart)
{
    ASSERT_TRUE(music.LoadMusic(2, "a.wav"));
    music.FadeIn(2, -1, 0.1, false);
    EXPECT_FALSE(ChannelOf(2).lastRestart);
}

TEST_F(MusicBookkeeping, FadeOutStopsOnlyWithTheStopFlag)
{
    struct Case
    {
        bool stopWhenFaded;
        bool playingAfter;
    };
    const Case cases[] = {{true, false}, {false, true}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.stopWhenFaded);
        ASSERT_TRUE(music.LoadMusic(2, "a.wav"));
        music.PlayMusic(2);
        music.FadeOut(2, c.stopWhenFaded, 0.3);
        for (int step = 0; step < 3; ++step)
        {
            music.Update();
            EXPECT_TRUE(music.IsPlaying(2)) << "still audible after step " << step;
        }
        music.Update(); // 1.0 - 4 * 0.3 is below 0
        EXPECT_EQ(Volume(2), 0.0);
        EXPECT_EQ(music.GetSongState(2)->fadeStep, 0.0);
        EXPECT_EQ(music.IsPlaying(2), c.playingAfter);
        music.UnloadMusic(2);
        channels.clear();
    }
}

TEST_F(MusicBookkeeping, NoLoopPlayFadesOutToAStop)
{
    ASSERT_TRUE(music.LoadMusic(2, "a.wav"));
    music.PlayMusic(2, 0, true);
    music.FadeOutAll(true, 0.6);
    music.Update();
    music.Update();
    EXPECT_FALSE(music.IsPlaying(2));
}

TEST_F(MusicBookkeeping, MasterVolumeScalesEverySong)
{
    ASSERT_TRUE(music.LoadMusic(2, "a.wav"));
    ASSERT_TRUE(music.LoadMusic(3, "b.wav"));
    music.PlayMusic(2);
    music.PlayMusic(3);
    music.SetSongVolume(3, 0.5);
    music.SetMasterVolume(0.5);
    EXPECT_DOUBLE_EQ(ChannelOf(2).volume, 0.5);
    EXPECT_DOUBLE_EQ(ChannelOf(3).volume, 0.25);
    EXPECT_DOUBLE_EQ(Volume(3), 0.5); // the song's own volume is untouched
    music.SetMasterVolume(0.0);
    EXPECT_EQ(ChannelOf(2).volume, 0.0);
}

TEST_F(MusicBookkeeping, PauseAllResumesOnlyWhatItPaused)
{
    ASSERT_TRUE(music.LoadMusic(2, "a.wav"));
    ASSERT_TRUE(music.LoadMusic(3, "b.wav"));
    music.PlayMusic(2);
    music.PauseAllMusic();
    EXPECT_FALSE(music.IsPlaying(2));
    music.ResumeAllMusic();
    EXPECT_TRUE(music.IsPlaying(2));
    EXPECT_FALSE(music.IsPlaying(3)); // never started, stays silent
    music.StopAllMusic();
    EXPECT_FALSE(music.IsPlaying(2));
    EXPECT_EQ(Volume(2), 0.0);
}

TEST_F(MusicBookkeeping, UnknownIdsAreIgnored)
{
    music.PlayMusic(9);
    music.FadeIn(9, 0, 0.1, true);
    music.FadeOut(9, true, 0.1);
    music.SetSongVolume(9, 1.0);
    music.SetSongMaxVolume(9, 1.0);
    music.PauseMusic(9);
    music.ResumeMusic(9);
    music.StopMusic(9);
    music.UnloadMusic(9);
    music.Update();
    EXPECT_FALSE(music.IsPlaying(9));
    EXPECT_TRUE(channels.empty());
}

TEST(SilentMusicInterface, ReportsFailureAndNotPlaying)
{
    Lumo::MusicInterface silent;
    EXPECT_FALSE(silent.LoadMusic(2, "sounds/click1.wav"));
    silent.PlayMusic(2);
    EXPECT_FALSE(silent.IsPlaying(2));
}

// A short mono 16-bit WAV of a tone, written for the test.
void WriteToneWav(const std::filesystem::path& path, int milliseconds)
{
    constexpr int kRate = 22050;
    const int samples = kRate * milliseconds / 1000;
    std::vector<int16_t> pcm(samples);
    for (int i = 0; i < samples; ++i)
    {
        pcm[i] = static_cast<int16_t>((i / 25 % 2 == 0) ? 4000 : -4000);
    }
    auto put32 = [](FILE* f, uint32_t v) { std::fwrite(&v, 4, 1, f); };
    auto put16 = [](FILE* f, uint16_t v) { std::fwrite(&v, 2, 1, f); };
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    const uint32_t dataBytes = static_cast<uint32_t>(samples * 2);
    std::fwrite("RIFF", 1, 4, f);
    put32(f, 36 + dataBytes);
    std::fwrite("WAVEfmt ", 1, 8, f);
    put32(f, 16);
    put16(f, 1);
    put16(f, 1);
    put32(f, kRate);
    put32(f, kRate * 2);
    put16(f, 2);
    put16(f, 16);
    std::fwrite("data", 1, 4, f);
    put32(f, dataBytes);
    std::fwrite(pcm.data(), 2, pcm.size(), f);
    std::fclose(f);
}

class MixerMusic : public ::testing::Test
{
  protected:
    std::filesystem::path folder;

    void SetUp() override
    {
        // Headless runs play into SDL's dummy device unless told otherwise.
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        folder = std::filesystem::temp_directory_path() /
                 ("zadi_music_" + std::to_string(getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
        WriteToneWav(folder / "tone.wav", 2000);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
};

TEST_F(MixerMusic, ManySoundsPlayAtOnceEachWithItsOwnVolume)
{
    auto backend = std::make_unique<Lumo::MixerBackend>();
    if (!backend->HasDevice())
    {
        GTEST_SKIP() << "no audio device, not even the dummy one";
    }
    ChannelMusicInterface music(std::move(backend));
    constexpr int kSounds = 40; // more than the channels opened up front
    const std::string path = (folder / "tone.wav").string();
    for (int id = 2; id < 2 + kSounds; ++id)
    {
        ASSERT_TRUE(music.LoadMusic(id, path)) << id;
        music.PlayMusic(id, 0, false);
        music.SetSongVolume(id, id % 2 == 0 ? 0.25 : 0.75);
    }
    for (int id = 2; id < 2 + kSounds; ++id)
    {
        EXPECT_TRUE(music.IsPlaying(id)) << id;
    }
    music.PauseMusic(2);
    EXPECT_FALSE(music.IsPlaying(2));
    music.ResumeMusic(2);
    EXPECT_TRUE(music.IsPlaying(2));
    music.StopMusic(3);
    EXPECT_FALSE(music.IsPlaying(3));
    EXPECT_TRUE(music.IsPlaying(4));
    music.UnloadAllMusic();
    EXPECT_FALSE(music.IsPlaying(2));
}

TEST_F(MixerMusic, FadeOutWithStopFlagStopsTheChannel)
{
    auto music = Lumo::CreateMixerMusicInterface();
    const std::string path = (folder / "tone.wav").string();
    if (!music->LoadMusic(2, path))
    {
        GTEST_SKIP() << "no audio device, not even the dummy one";
    }
    music->PlayMusic(2, 0, true);
    EXPECT_TRUE(music->IsPlaying(2));
    music->FadeOut(2, true, 0.5);
    music->Update();
    EXPECT_TRUE(music->IsPlaying(2));
    music->Update();
    music->Update();
    EXPECT_FALSE(music->IsPlaying(2));

    // Played from an offset beyond the end: nothing to play, nothing breaks.
    music->PlayMusic(2, 1 << 30, false);
    EXPECT_FALSE(music->IsPlaying(2));
    music->PlayMusic(2, 4000, false);
    EXPECT_TRUE(music->IsPlaying(2));
}

TEST_F(MixerMusic, MissingOrBrokenFilesDoNotLoad)
{
    auto music = Lumo::CreateMixerMusicInterface();
    EXPECT_FALSE(music->LoadMusic(2, (folder / "nothing.ogg").string()));
    {
        FILE* f = std::fopen((folder / "broken.wav").c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fputs("RIFF not really", f);
        std::fclose(f);
    }
    EXPECT_FALSE(music->LoadMusic(3, (folder / "broken.wav").string()));
    EXPECT_FALSE(music->LoadMusic(4, (folder / "broken.mod").string()));
    EXPECT_FALSE(music->IsPlaying(2));
}

} // namespace
