// The game's shared settings: volumes, resolution, full screen, and their two option files.
// SPDX-License-Identifier: MIT
//
// Rules of this module:
// - One process-wide GameOptions, read at start-up ("resolution.opt" while the
//   application is built, "options.opt" when the game loads) and written back
//   at shut-down. Missing or short files leave the defaults in force.
// - Both files are big-endian with no header: "options.opt" holds music
//   volume, effects volume and a reserved value (2 bytes each), and
//   "resolution.opt" the resolution index (2 bytes) and full screen (1 byte,
//   any non-zero byte reads as true). Longer files are fine: the rest is
//   ignored.
// - Volumes are percentages kept within 0..100, also when a damaged file says
//   more. A resolution index outside the table means row 0.
// - Files are read through the package layer; they are written to the real
//   file system, replaced atomically (see safe_file.h).
// - Main thread only.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace Gamespace
{

struct GameOptions
{
    std::uint16_t musicVolume = 60;    // percent
    std::uint16_t effectsVolume = 60;  // percent
    std::uint16_t optionsReserved = 3; // kept and written back, used by nothing
    std::uint16_t resolutionIndex = 0; // row of the resolution table
    bool fullScreen = false;
};

struct Resolution
{
    int width = 0;
    int height = 0;
};

inline constexpr std::array<Resolution, 2> kResolutions{{{1024, 768}, {1280, 800}}};

constexpr std::size_t kOptionsFileSize = 6;
constexpr std::size_t kResolutionFileSize = 3;
inline constexpr const char* kOptionsFileName = "options.opt";
inline constexpr const char* kResolutionFileName = "resolution.opt";

// Where volume changes go: the visual-object factory, which applies them to
// every music or effects sound.
class IVolumeControl
{
  public:
    virtual ~IVolumeControl() = default;
    virtual void SetMusicVolume(std::uint16_t percent) = 0;
    virtual void SetEffectsVolume(std::uint16_t percent) = 0;
};

// Links the options to the factory (nullptr unlinks). Not owned.
void SetVolumeControl(IVolumeControl* control);

// The process-wide settings.
GameOptions& GetGameOptions();

// Reads "resolution.opt" from the program's folder (empty: the working folder).
void LoadResolution(const std::string& programFolder);

// The table row for the resolution index.
Resolution GetResolution();

// Reads "options.opt" from the folder and, when the file could be opened,
// tells the volume control both volumes. Without the file nothing is told,
// so the factory keeps its own volumes until the player changes one.
void LoadOptions(const std::string& folder = ".");

// Writes "options.opt" and "resolution.opt" into the folder. Returns false
// (with error, when given) if either could not be replaced; the old file then
// stays as it was. Both are attempted.
[[nodiscard]] bool SaveOptionFiles(const std::string& folder = ".", std::string* error = nullptr);

// Volumes: a value equal to the current one does nothing; otherwise the value
// is kept within 0..100, stored, and passed to the volume control.
std::uint16_t GetMusicVolume();
void SetMusicVolume(int percent);
std::uint16_t GetEffectsVolume();
void SetEffectsVolume(int percent);

bool GetFullScreen();
void SetFullScreen(bool fullScreen);

// The file formats, for the readers above, tools and tests.
void DecodeOptionsFile(std::span<const std::uint8_t> bytes, GameOptions& options);
void DecodeResolutionFile(std::span<const std::uint8_t> bytes, GameOptions& options);
[[nodiscard]] std::array<std::uint8_t, kOptionsFileSize>
EncodeOptionsFile(const GameOptions& options);
[[nodiscard]] std::array<std::uint8_t, kResolutionFileSize>
EncodeResolutionFile(const GameOptions& options);

// Told when the options change. Game parts that follow the options register
// once when they are built and unregister before they are destroyed.
class IOptionObserver
{
  public:
    virtual ~IOptionObserver() = default;
    virtual void OnOptionsChanged() {}
};

// Adding an observer twice keeps one entry.
void AddOptionObserver(IOptionObserver* observer);
void RemoveOptionObserver(IOptionObserver* observer);
void NotifyOptionObservers();

} // namespace Gamespace
