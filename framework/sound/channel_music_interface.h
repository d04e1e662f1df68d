// The music interface that plays: songs by id with volumes and fades, over a MusicBackend.
// SPDX-License-Identifier: MIT
//
// Rules of the module:
// - All the bookkeeping (current volume, maximum, fade step, stop-when-faded,
//   master volume) lives here, free of any audio library, so that it can be
//   tested without a device; the backend only plays.
// - Every public operation takes the interface's own lock: the window thread
//   and the clock thread may both call it.
#pragma once

#include "framework/sound/music_backend.h"
#include "framework/sound/music_interface.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

namespace Lumo
{

class ChannelMusicInterface : public MusicInterface
{
  public:
    // Reads a whole file for module music; returns false when it cannot.
    using FileReader = std::function<bool(const std::string& path, std::vector<uint8_t>& bytes)>;

    // The default reader goes through the package layer.
    explicit ChannelMusicInterface(std::unique_ptr<MusicBackend> backend,
                                   FileReader reader = ReadPackagedFile);
    ~ChannelMusicInterface() override;

    bool LoadMusic(int id, const std::string& path) override;
    void PlayMusic(int id, int offset = 0, bool noLoop = false) override;
    void StopMusic(int id) override;
    void PauseMusic(int id) override;
    void ResumeMusic(int id) override;
    void StopAllMusic() override;
    void UnloadMusic(int id) override;
    void UnloadAllMusic() override;
    void PauseAllMusic() override;
    void ResumeAllMusic() override;
    void FadeIn(int id, int offset, double speed, bool noLoop) override;
    void FadeOut(int id, bool stopWhenFaded, double speed) override;
    void FadeOutAll(bool stopWhenFaded, double speed) override;
    void SetSongVolume(int id, double volume) override;
    void SetSongMaxVolume(int id, double volume) override;
    bool IsPlaying(int id) override;
    void SetMasterVolume(double volume) override;
    void SetMusicAmplify(int id, double amplification) override;
    void Update() override;

    // What the interface knows of one song (for diagnostics and tests).
    struct SongState
    {
        double volume = 0.0;
        double maxVolume = 1.0;
        double fadeStep = 0.0; // per Update; 0 = no fade
        bool stopWhenFaded = false;
        bool isModule = false;
    };
    [[nodiscard]] std::optional<SongState> GetSongState(int id) const;
    double GetMasterVolume() const;

    static bool ReadPackagedFile(const std::string& path, std::vector<uint8_t>& bytes);

  private:
    struct Song
    {
        int handle = 0;
        SongState state;
        double amplification = 50.0;
    };

    Song* Find(int id);
    void ApplyVolume(const Song& song);
    void Start(Song& song, int offset, bool noLoop);
    void Stop(Song& song);
    void Unload(Song& song);

    mutable std::mutex lock;
    std::unique_ptr<MusicBackend> backend;
    FileReader reader;
    std::map<int, Song> songs;
    double masterVolume = 1.0;
};

} // namespace Lumo
