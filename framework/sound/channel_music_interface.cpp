// The music interface that plays: songs by id with volumes and fades.
// SPDX-License-Identifier: MIT
#include "framework/sound/channel_music_interface.h"

#include "framework/pak/pak_interface.h"

#include <algorithm>

namespace Lumo
{

namespace
{

std::string LowerExtension(const std::string& path)
{
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos)
    {
        return {};
    }
    std::string extension = path.substr(dot + 1);
    for (char& c : extension)
    {
        if (c >= 'A' && c <= 'Z')
        {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return extension;
}

} // namespace

ChannelMusicInterface::ChannelMusicInterface(std::unique_ptr<MusicBackend> backendIn,
                                             FileReader readerIn)
    : backend(std::move(backendIn)), reader(std::move(readerIn))
{
}

ChannelMusicInterface::~ChannelMusicInterface()
{
    UnloadAllMusic();
}

ChannelMusicInterface::Song* ChannelMusicInterface::Find(int id)
{
    const auto found = songs.find(id);
    return found == songs.end() ? nullptr : &found->second;
}

void ChannelMusicInterface::ApplyVolume(const Song& song)
{
    const double volume = std::clamp(song.state.volume * masterVolume, 0.0, 1.0);
    backend->SetVolume(song.handle, volume);
}

void ChannelMusicInterface::Start(Song& song, int offset, bool noLoop)
{
    ApplyVolume(song);
    backend->Play(song.handle, offset, offset != -1, !noLoop);
}

void ChannelMusicInterface::Stop(Song& song)
{
    song.state.volume = 0.0;
    song.state.fadeStep = 0.0;
    backend->Stop(song.handle);
}

void ChannelMusicInterface::Unload(Song& song)
{
    backend->Stop(song.handle);
    backend->Free(song.handle);
}

bool ChannelMusicInterface::LoadMusic(int id, const std::string& path)
{
    std::scoped_lock guard(lock);
    if (Song* old = Find(id))
    {
        Unload(*old);
        songs.erase(id);
    }
    const std::string extension = LowerExtension(path);
    Song song;
    if (extension == "wav" || extension == "ogg" || extension == "mp3")
    {
        song.handle = backend->OpenStream(path);
    }
    else
    {
        std::vector<uint8_t> bytes;
        if (reader && reader(path, bytes))
        {
            song.handle = backend->OpenModule(std::move(bytes));
            song.state.isModule = true;
        }
    }
    if (song.handle == 0)
    {
        return false;
    }
    songs.emplace(id, song);
    return true;
}

void ChannelMusicInterface::PlayMusic(int id, int offset, bool noLoop)
{
    std::scoped_lock guard(lock);
    if (Song* song = Find(id))
    {
        song->state.volume = song->state.maxVolume;
        song->state.fadeStep = 0.0;
        song->state.stopWhenFaded = noLoop;
        Start(*song, offset, noLoop);
    }
}

void ChannelMusicInterface::StopMusic(int id)
{
    std::scoped_lock guard(lock);
    if (Song* song = Find(id))
    {
        Stop(*song);
    }
}

void ChannelMusicInterface::PauseMusic(int id)
{
    std::scoped_lock guard(lock);
    if (Song* song = Find(id))
    {
        backend->Pause(song->handle);
    }
}

void ChannelMusicInterface::ResumeMusic(int id)
{
    std::scoped_lock guard(lock);
    if (Song* song = Find(id))
    {
        backend->Resume(song->handle);
    }
}

void ChannelMusicInterface::StopAllMusic()
{
    std::scoped_lock guard(lock);
    for (auto& [id, song] : songs)
    {
        Stop(song);
    }
}

void ChannelMusicInterface::UnloadMusic(int id)
{
    std::scoped_lock guard(lock);
    if (Song* song = Find(id))
    {
        Unload(*song);
        songs.erase(id);
    }
}

void ChannelMusicInterface::UnloadAllMusic()
{
    std::scoped_lock guard(lock);
    for (auto& [id, song] : songs)
    {
        Unload(song);
    }
    songs.clear();
}

void ChannelMusicInterface::PauseAllMusic()
{
    std::scoped_lock guard(lock);
    for (auto& [id, song] : songs)
    {
        if (backend->IsPlaying(song.handle))
        {
            backend->Pause(song.handle);
        }
    }
}

void ChannelMusicInterface::ResumeAllMusic()
{
    std::scoped_lock guard(lock);
    for (auto& [id, song] : songs)
    {
        if (backend->IsPaused(song.handle))
        {
            backend->Resume(song.handle);
        }
    }
}

void ChannelMusicInterface::FadeIn(int id, int offset, double speed, bool noLoop)
{
    std::scoped_lock guard(lock);
    if (Song* song = Find(id))
    {
        song->state.fadeStep = speed;
        song->state.stopWhenFaded = noLoop;
        Start(*song, offset, noLoop);
    }
}

void ChannelMusicInterface::FadeOut(int id, bool stopWhenFaded, double speed)
{
    std::scoped_lock guard(lock);
    if (Song* song = Find(id))
    {
        song->state.fadeStep = -speed;
        song->state.stopWhenFaded = stopWhenFaded;
    }
}

void ChannelMusicInterface::FadeOutAll(bool stopWhenFaded, double speed)
{
    std::scoped_lock guard(lock);
    for (auto& [id, song] : songs)
    {
        song.state.fadeStep = -speed;
        song.state.stopWhenFaded = stopWhenFaded;
    }
}

void ChannelMusicInterface::SetSongVolume(int id, double volume)
{
    std::scoped_lock guard(lock);
    if (Song* song = Find(id))
    {
        song->state.volume = volume;
        ApplyVolume(*song);
    }
}

void ChannelMusicInterface::SetSongMaxVolume(int id, double volume)
{
    std::scoped_lock guard(lock);
    if (Song* song = Find(id))
    {
        song->state.maxVolume = volume;
        song->state.volume = std::min(song->state.volume, volume);
        ApplyVolume(*song);
    }
}

bool ChannelMusicInterface::IsPlaying(int id)
{
    std::scoped_lock guard(lock);
    const Song* song = Find(id);
    return song != nullptr && backend->IsPlaying(song->handle);
}

void ChannelMusicInterface::SetMasterVolume(double volume)
{
    std::scoped_lock guard(lock);
    masterVolume = std::clamp(volume, 0.0, 1.0);
    for (const auto& [id, song] : songs)
    {
        ApplyVolume(song);
    }
}

void ChannelMusicInterface::SetMusicAmplify(int id, double amplification)
{
    std::scoped_lock guard(lock);
    if (Song* song = Find(id))
    {
        song->amplification = amplification;
    }
}

void ChannelMusicInterface::Update()
{
    std::scoped_lock guard(lock);
    for (auto& [id, song] : songs)
    {
        SongState& state = song.state;
        if (state.fadeStep == 0.0)
        {
            continue;
        }
        state.volume += state.fadeStep;
        if (state.volume > state.maxVolume)
        {
            state.volume = state.maxVolume;
            state.fadeStep = 0.0;
        }
        else if (state.volume < 0.0)
        {
            state.volume = 0.0;
            state.fadeStep = 0.0;
            if (state.stopWhenFaded)
            {
                backend->Stop(song.handle);
            }
        }
        ApplyVolume(song);
    }
}

std::optional<ChannelMusicInterface::SongState> ChannelMusicInterface::GetSongState(int id) const
{
    std::scoped_lock guard(lock);
    const auto found = songs.find(id);
    if (found == songs.end())
    {
        return std::nullopt;
    }
    return found->second.state;
}

double ChannelMusicInterface::GetMasterVolume() const
{
    std::scoped_lock guard(lock);
    return masterVolume;
}

bool ChannelMusicInterface::ReadPackagedFile(const std::string& path, std::vector<uint8_t>& bytes)
{
    const PakFilePtr file(PakFOpen(path.c_str(), "rb"));
    return file != nullptr && PakReadAll(file.get(), bytes);
}

} // namespace Lumo
