// The SDL2_mixer audio backend of the music interface.
// SPDX-License-Identifier: MIT
//
// Rules of the module:
// - Opening the backend initialises SDL's audio subsystem and opens the
//   default device (44.1 kHz stereo). When no device can be opened the backend
//   stays silent: it loads nothing, and the game goes on without sound.
// - Every loaded stream is decoded whole into memory and plays on a mixer
//   channel of its own; channels are added as sounds are loaded, so any number
//   play at once. Module music plays on SDL_mixer's single music stream: one
//   module at a time, the one started last wins.
// - Create at most one backend at a time (SDL_mixer has one device).
#pragma once

#include "framework/sound/channel_music_interface.h"
#include "framework/sound/music_backend.h"

#include <memory>

namespace Lumo
{

class MixerBackend : public MusicBackend
{
  public:
    MixerBackend();
    ~MixerBackend() override;
    MixerBackend(const MixerBackend&) = delete;
    MixerBackend& operator=(const MixerBackend&) = delete;

    // False when no audio device could be opened (silent backend).
    bool HasDevice() const;

    int OpenStream(const std::string& path) override;
    int OpenModule(std::vector<uint8_t> bytes) override;
    void Free(int handle) override;
    void Play(int handle, int offset, bool restart, bool loop) override;
    void Stop(int handle) override;
    void Pause(int handle) override;
    void Resume(int handle) override;
    bool IsPlaying(int handle) override;
    bool IsPaused(int handle) override;
    void SetVolume(int handle, double volume) override;

  private:
    void ApplyToChannel(int handle, void (*onMusic)(), void (*onChannel)(int));

    struct Impl;
    std::unique_ptr<Impl> impl;
};

// The application's music interface on SDL2_mixer (silent without a device).
std::unique_ptr<ChannelMusicInterface> CreateMixerMusicInterface();

} // namespace Lumo
