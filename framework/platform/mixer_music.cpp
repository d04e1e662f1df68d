// The SDL2_mixer audio backend of the music interface.
// SPDX-License-Identifier: MIT
#include "framework/platform/mixer_music.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace Lumo
{

namespace
{

constexpr int kFrequency = 44100;
constexpr int kOutputChannels = 2;
constexpr int kChunkSamples = 1024;
// Channels opened up front; more are added when more sounds are loaded.
constexpr int kInitialChannels = 32;

} // namespace

struct MixerBackend::Impl
{
    struct Slot
    {
        bool used = false;
        Mix_Chunk* chunk = nullptr;
        // A view into chunk's samples starting at a play offset; owns no samples.
        Mix_Chunk* offsetChunk = nullptr;
        Mix_Music* music = nullptr;
        std::vector<uint8_t> moduleBytes; // Mix_Music reads from them while it plays
        int volume = MIX_MAX_VOLUME;
    };

    bool audioInitialised = false;
    bool deviceOpen = false;
    int channelCount = 0;
    int frameBytes = 4;
    int currentMusic = 0; // handle of the module on the music stream
    std::vector<Slot> slots;

    Slot* Get(int handle)
    {
        if (handle < 1 || handle > static_cast<int>(slots.size()) || !slots[handle - 1].used)
        {
            return nullptr;
        }
        return &slots[handle - 1];
    }

    int NewSlot()
    {
        size_t index = 0;
        while (index < slots.size() && slots[index].used)
        {
            ++index;
        }
        if (index == slots.size())
        {
            slots.emplace_back();
        }
        // The slot's channel has the slot's index.
        if (static_cast<int>(index) >= channelCount)
        {
            channelCount = std::max(channelCount * 2, static_cast<int>(index) + 1);
            Mix_AllocateChannels(channelCount);
        }
        slots[index] = Slot{};
        slots[index].used = true;
        return static_cast<int>(index) + 1;
    }

    void DropOffsetChunk(Slot& slot)
    {
        if (slot.offsetChunk != nullptr)
        {
            Mix_FreeChunk(slot.offsetChunk);
            slot.offsetChunk = nullptr;
        }
    }
};

MixerBackend::MixerBackend() : impl(std::make_unique<Impl>())
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
    {
        std::fprintf(stderr, "audio: no audio subsystem (%s); playing silently\n", SDL_GetError());
        return;
    }
    impl->audioInitialised = true;
    // Decoders that are missing only make their files fail to load.
    Mix_Init(MIX_INIT_OGG | MIX_INIT_MP3 | MIX_INIT_MOD);
    if (Mix_OpenAudio(kFrequency, MIX_DEFAULT_FORMAT, kOutputChannels, kChunkSamples) != 0)
    {
        std::fprintf(stderr, "audio: cannot open a device (%s); playing silently\n",
                     Mix_GetError());
        return;
    }
    impl->deviceOpen = true;
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    if (Mix_QuerySpec(&frequency, &format, &channels) != 0)
    {
        impl->frameBytes = std::max(1, static_cast<int>(SDL_AUDIO_BITSIZE(format)) / 8 * channels);
    }
    impl->channelCount = Mix_AllocateChannels(kInitialChannels);
}

MixerBackend::~MixerBackend()
{
    for (size_t i = 0; i < impl->slots.size(); ++i)
    {
        if (impl->slots[i].used)
        {
            Free(static_cast<int>(i) + 1);
        }
    }
    if (impl->deviceOpen)
    {
        Mix_CloseAudio();
    }
    if (impl->audioInitialised)
    {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

bool MixerBackend::HasDevice() const
{
    return impl->deviceOpen;
}

int MixerBackend::OpenStream(const std::string& path)
{
    if (!impl->deviceOpen)
    {
        return 0;
    }
    Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
    if (chunk == nullptr)
    {
        return 0;
    }
    const int handle = impl->NewSlot();
    impl->slots[handle - 1].chunk = chunk;
    return handle;
}

int MixerBackend::OpenModule(std::vector<uint8_t> bytes)
{
    if (!impl->deviceOpen || bytes.empty())
    {
        return 0;
    }
    SDL_RWops* source = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    Mix_Music* music = source != nullptr ? Mix_LoadMUS_RW(source, 1) : nullptr;
    if (music == nullptr)
    {
        return 0;
    }
    const int handle = impl->NewSlot();
    impl->slots[handle - 1].music = music;
    // Moving a vector keeps its buffer, so the music's source stays valid.
    impl->slots[handle - 1].moduleBytes = std::move(bytes);
    return handle;
}

void MixerBackend::Free(int handle)
{
    Impl::Slot* slot = impl->Get(handle);
    if (slot == nullptr)
    {
        return;
    }
    Stop(handle);
    if (slot->music != nullptr)
    {
        Mix_FreeMusic(slot->music);
    }
    impl->DropOffsetChunk(*slot);
    if (slot->chunk != nullptr)
    {
        Mix_FreeChunk(slot->chunk);
    }
    *slot = Impl::Slot{};
}

void MixerBackend::Play(int handle, int offset, bool restart, bool loop)
{
    Impl::Slot* slot = impl->Get(handle);
    if (slot == nullptr)
    {
        return;
    }
    const int loops = loop ? -1 : 0;
    if (slot->music != nullptr)
    {
        const bool isCurrent = impl->currentMusic == handle && Mix_PlayingMusic();
        if (!restart && isCurrent)
        {
            Mix_ResumeMusic();
            return;
        }
        Mix_HaltMusic();
        impl->currentMusic = handle;
        Mix_VolumeMusic(slot->volume);
        // Mix_PlayMusic counts plays, not repeats: 1 plays once.
        Mix_PlayMusic(slot->music, loop ? -1 : 1);
        if (restart && offset >= 1)
        {
            Mix_ModMusicJumpToOrder(offset);
        }
        return;
    }
    const int channel = handle - 1;
    if (!restart && Mix_Playing(channel))
    {
        Mix_Resume(channel);
        return;
    }
    Mix_HaltChannel(channel);
    impl->DropOffsetChunk(*slot);
    Mix_Chunk* chunk = slot->chunk;
    if (restart && offset >= 1)
    {
        const Uint32 start = static_cast<Uint32>(offset / impl->frameBytes * impl->frameBytes);
        if (start >= chunk->alen)
        {
            return;
        }
        slot->offsetChunk = Mix_QuickLoad_RAW(chunk->abuf + start, chunk->alen - start);
        if (slot->offsetChunk == nullptr)
        {
            return;
        }
        chunk = slot->offsetChunk;
    }
    Mix_Volume(channel, slot->volume);
    Mix_PlayChannel(channel, chunk, loops);
}

void MixerBackend::Stop(int handle)
{
    Impl::Slot* slot = impl->Get(handle);
    if (slot == nullptr)
    {
        return;
    }
    if (slot->music != nullptr)
    {
        if (impl->currentMusic == handle)
        {
            Mix_HaltMusic();
            impl->currentMusic = 0;
        }
        return;
    }
    Mix_HaltChannel(handle - 1);
}

// Pausing and resuming act on the sound's channel, or on the music stream
// when the module is the one on it.
void MixerBackend::Pause(int handle)
{
    ApplyToChannel(handle, Mix_PauseMusic, Mix_Pause);
}

void MixerBackend::Resume(int handle)
{
    ApplyToChannel(handle, Mix_ResumeMusic, Mix_Resume);
}

void MixerBackend::ApplyToChannel(int handle, void (*onMusic)(), void (*onChannel)(int))
{
    Impl::Slot* slot = impl->Get(handle);
    if (slot == nullptr)
    {
        return;
    }
    if (slot->music == nullptr)
    {
        onChannel(handle - 1);
    }
    else if (impl->currentMusic == handle)
    {
        onMusic();
    }
}

bool MixerBackend::IsPlaying(int handle)
{
    Impl::Slot* slot = impl->Get(handle);
    if (slot == nullptr)
    {
        return false;
    }
    if (slot->music != nullptr)
    {
        return impl->currentMusic == handle && Mix_PlayingMusic() && !Mix_PausedMusic();
    }
    return Mix_Playing(handle - 1) && !Mix_Paused(handle - 1);
}

bool MixerBackend::IsPaused(int handle)
{
    Impl::Slot* slot = impl->Get(handle);
    if (slot == nullptr)
    {
        return false;
    }
    if (slot->music != nullptr)
    {
        return impl->currentMusic == handle && Mix_PlayingMusic() && Mix_PausedMusic();
    }
    return Mix_Playing(handle - 1) && Mix_Paused(handle - 1);
}

void MixerBackend::SetVolume(int handle, double volume)
{
    Impl::Slot* slot = impl->Get(handle);
    if (slot == nullptr)
    {
        return;
    }
    slot->volume = static_cast<int>(std::lround(std::clamp(volume, 0.0, 1.0) * MIX_MAX_VOLUME));
    if (slot->music != nullptr)
    {
        if (impl->currentMusic == handle)
        {
            Mix_VolumeMusic(slot->volume);
        }
        return;
    }
    Mix_Volume(handle - 1, slot->volume);
}

std::unique_ptr<ChannelMusicInterface> CreateMixerMusicInterface()
{
    return std::make_unique<ChannelMusicInterface>(std::make_unique<MixerBackend>());
}

} // namespace Lumo
