// The audio device under ChannelMusicInterface: loaded sounds by handle, each on its own channel.
// SPDX-License-Identifier: MIT
//
// Rules of the module:
// - A handle is a positive int; 0 means "nothing loaded".
// - Every loaded stream owns one mixer channel, so any number of sounds play
//   at once, each at its own volume.
// - Volumes given here are final (song volume times master volume), 0.0 .. 1.0.
// - A backend without an audio device loads nothing and stays silent.
// - Not thread-safe by itself: ChannelMusicInterface serialises the calls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Lumo
{

class MusicBackend
{
  public:
    virtual ~MusicBackend() = default;

    // Decoded sound read from the real file system; 0 on failure.
    [[nodiscard]] virtual int OpenStream(const std::string& path) = 0;
    // Module (tracker) music from bytes already read; 0 on failure.
    [[nodiscard]] virtual int OpenModule(std::vector<uint8_t> bytes) = 0;
    virtual void Free(int handle) = 0;

    // restart: start again from offset; otherwise a paused sound resumes, a
    // playing one goes on and a stopped one starts from the beginning.
    virtual void Play(int handle, int offset, bool restart, bool loop) = 0;
    virtual void Stop(int handle) = 0;
    virtual void Pause(int handle) = 0;
    virtual void Resume(int handle) = 0;
    // Playing and not paused.
    [[nodiscard]] virtual bool IsPlaying(int handle) = 0;
    [[nodiscard]] virtual bool IsPaused(int handle) = 0;
    virtual void SetVolume(int handle, double volume) = 0;
};

} // namespace Lumo
