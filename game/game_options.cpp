// The game's shared settings: volumes, resolution, full screen, and their two option files.
// SPDX-License-Identifier: MIT
#include "game/game_options.h"

#include "framework/pak/pak_interface.h"
#include "game/safe_file.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace Gamespace
{
namespace
{

IVolumeControl* volumeControl = nullptr;
std::vector<IOptionObserver*> optionObservers;

// Enough for either file; anything longer is ignored anyway.
constexpr std::size_t kOptionReadLimit = 16;

// The file's first bytes, or nothing when it cannot be opened. Through the
// package layer, so that a package may carry default option files.
std::optional<std::vector<std::uint8_t>> ReadOptionFile(const std::string& path)
{
    const Lumo::PakFilePtr file(Lumo::PakFOpen(path.c_str(), "rb"));
    if (!file)
    {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(kOptionReadLimit);
    bytes.resize(Lumo::PakFRead(bytes.data(), 1, bytes.size(), file.get()));
    return bytes;
}

void ReadU16(std::span<const std::uint8_t> bytes, std::size_t at, std::uint16_t& field)
{
    if (at + 2 <= bytes.size())
    {
        field = static_cast<std::uint16_t>(bytes[at] << 8 | bytes[at + 1]);
    }
}

void WriteU16(std::uint8_t* out, std::uint16_t value)
{
    out[0] = static_cast<std::uint8_t>(value >> 8);
    out[1] = static_cast<std::uint8_t>(value);
}

std::uint16_t ClampPercent(int percent)
{
    return static_cast<std::uint16_t>(std::clamp(percent, 0, 100));
}

std::string JoinPath(const std::string& folder, const char* name)
{
    if (folder.empty())
    {
        return name;
    }
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

} // namespace

void SetVolumeControl(IVolumeControl* control)
{
    volumeControl = control;
}

GameOptions& GetGameOptions()
{
    static GameOptions options;
    return options;
}

void DecodeOptionsFile(std::span<const std::uint8_t> bytes, GameOptions& options)
{
    ReadU16(bytes, 0, options.musicVolume);
    ReadU16(bytes, 2, options.effectsVolume);
    ReadU16(bytes, 4, options.optionsReserved);
    // A damaged file must not drive the sound far past full volume.
    options.musicVolume = ClampPercent(options.musicVolume);
    options.effectsVolume = ClampPercent(options.effectsVolume);
}

void DecodeResolutionFile(std::span<const std::uint8_t> bytes, GameOptions& options)
{
    ReadU16(bytes, 0, options.resolutionIndex);
    if (bytes.size() > 2)
    {
        options.fullScreen = bytes[2] != 0;
    }
    if (options.resolutionIndex >= kResolutions.size())
    {
        options.resolutionIndex = 0;
    }
}

std::array<std::uint8_t, kOptionsFileSize> EncodeOptionsFile(const GameOptions& options)
{
    std::array<std::uint8_t, kOptionsFileSize> out{};
    WriteU16(out.data(), options.musicVolume);
    WriteU16(out.data() + 2, options.effectsVolume);
    WriteU16(out.data() + 4, options.optionsReserved);
    return out;
}

std::array<std::uint8_t, kResolutionFileSize> EncodeResolutionFile(const GameOptions& options)
{
    std::array<std::uint8_t, kResolutionFileSize> out{};
    WriteU16(out.data(), options.resolutionIndex);
    out[2] = options.fullScreen ? 1 : 0;
    return out;
}

void LoadResolution(const std::string& programFolder)
{
    if (const auto bytes = ReadOptionFile(JoinPath(programFolder, kResolutionFileName)))
    {
        DecodeResolutionFile(*bytes, GetGameOptions());
    }
}

Resolution GetResolution()
{
    const std::uint16_t index = GetGameOptions().resolutionIndex;
    return kResolutions[index < kResolutions.size() ? index : 0];
}

void LoadOptions(const std::string& folder)
{
    const auto bytes = ReadOptionFile(JoinPath(folder, kOptionsFileName));
    if (!bytes)
    {
        return;
    }
    GameOptions& options = GetGameOptions();
    DecodeOptionsFile(*bytes, options);
    if (volumeControl != nullptr)
    {
        volumeControl->SetMusicVolume(options.musicVolume);
        volumeControl->SetEffectsVolume(options.effectsVolume);
    }
}

bool SaveOptionFiles(const std::string& folder, std::string* error)
{
    const GameOptions& options = GetGameOptions();
    const auto optionBytes = EncodeOptionsFile(options);
    const auto resolutionBytes = EncodeResolutionFile(options);
    std::string optionsError;
    std::string resolutionError;
    const bool optionsSaved =
        WriteFileAtomically(JoinPath(folder, kOptionsFileName), optionBytes, &optionsError);
    const bool resolutionSaved = WriteFileAtomically(JoinPath(folder, kResolutionFileName),
                                                     resolutionBytes, &resolutionError);
    if (error != nullptr)
    {
        *error = !optionsSaved ? optionsError : resolutionError;
    }
    return optionsSaved && resolutionSaved;
}

std::uint16_t GetMusicVolume()
{
    return GetGameOptions().musicVolume;
}

void SetMusicVolume(int percent)
{
    GameOptions& options = GetGameOptions();
    if (percent == options.musicVolume)
    {
        return;
    }
    options.musicVolume = ClampPercent(percent);
    if (volumeControl != nullptr)
    {
        volumeControl->SetMusicVolume(options.musicVolume);
    }
}

std::uint16_t GetEffectsVolume()
{
    return GetGameOptions().effectsVolume;
}

void SetEffectsVolume(int percent)
{
    GameOptions& options = GetGameOptions();
    if (percent == options.effectsVolume)
    {
        return;
    }
    options.effectsVolume = ClampPercent(percent);
    if (volumeControl != nullptr)
    {
        volumeControl->SetEffectsVolume(options.effectsVolume);
    }
}

bool GetFullScreen()
{
    return GetGameOptions().fullScreen;
}

void SetFullScreen(bool fullScreen)
{
    GetGameOptions().fullScreen = fullScreen;
}

void AddOptionObserver(IOptionObserver* observer)
{
    if (observer != nullptr && std::find(optionObservers.begin(), optionObservers.end(),
                                         observer) == optionObservers.end())
    {
        optionObservers.push_back(observer);
    }
}

void RemoveOptionObserver(IOptionObserver* observer)
{
    std::erase(optionObservers, observer);
}

void NotifyOptionObservers()
{
    // A copy, so that an observer may unregister itself while being told.
    const std::vector<IOptionObserver*> observers = optionObservers;
    for (IOptionObserver* observer : observers)
    {
        observer->OnOptionsChanged();
    }
}

} // namespace Gamespace
