// The framework's music interface: every sound of the game, effects and music alike, by id.
// SPDX-License-Identifier: MIT
//
// Rules of the module:
// - A sound is loaded under a caller-chosen int id and addressed by it from
//   then on. Operations on an id that is not loaded do nothing; IsPlaying of
//   such an id is false.
// - Volumes are doubles 0.0 .. 1.0. A song has a current volume and a maximum;
//   the master volume scales every song.
// - Fades move the current volume by a step on every Update (called once per
//   update step of the application).
// - This base class is the silent interface: it loads nothing and reports
//   failure / not playing. ChannelMusicInterface is the real one.
// - Implementations may be called from the window thread and the clock thread;
//   they serialise themselves.
#pragma once

#include <string>

namespace Lumo
{

class MusicInterface
{
  public:
    virtual ~MusicInterface() = default;

    // Loads a file under id (an id already loaded is unloaded first). "wav",
    // "ogg" and "mp3" play from the real file system; any other extension is
    // module music read whole through the package layer. Returns false when
    // the file cannot be loaded or no audio device is open; nothing is kept.
    [[nodiscard]] virtual bool LoadMusic(int id, const std::string& path);
    // Plays from the start (or from offset: bytes of decoded sound for a
    // stream, an order for a module) at the song's maximum volume, looped
    // unless noLoop; noLoop also makes a later fade-out stop the song.
    virtual void PlayMusic(int id, int offset = 0, bool noLoop = false);
    virtual void StopMusic(int id);
    virtual void PauseMusic(int id);
    virtual void ResumeMusic(int id);
    virtual void StopAllMusic();
    virtual void UnloadMusic(int id);
    virtual void UnloadAllMusic();
    virtual void PauseAllMusic();
    virtual void ResumeAllMusic();
    // Plays (offset -1: continues where it was) keeping the current volume,
    // which then rises by speed per Update up to the maximum.
    virtual void FadeIn(int id, int offset, double speed, bool noLoop);
    // The volume falls by speed per Update; at 0 the song stops when
    // stopWhenFaded, otherwise it plays on silently.
    virtual void FadeOut(int id, bool stopWhenFaded, double speed);
    virtual void FadeOutAll(bool stopWhenFaded, double speed);
    virtual void SetSongVolume(int id, double volume);
    // Lowers the current volume to the new maximum when it is above it.
    virtual void SetSongMaxVolume(int id, double volume);
    [[nodiscard]] virtual bool IsPlaying(int id);
    virtual void SetMasterVolume(double volume);
    // Amplification of module music; kept but without audible effect here.
    virtual void SetMusicAmplify(int id, double amplification);
    virtual void Update();
};

} // namespace Lumo
