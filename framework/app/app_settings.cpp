// The application settings that outlive a run, with their defaults.
// SPDX-License-Identifier: MIT
#include "framework/app/app_settings.h"

#include <cmath>

namespace Lumo
{

namespace
{

void ReadPercent(const SettingsStore& store, const char* name, double& volume)
{
    if (const auto percent = store.GetInteger(name))
    {
        volume = *percent / 100.0;
    }
}

void ReadFlag(const SettingsStore& store, const char* name, bool& flag)
{
    if (const auto value = store.GetInteger(name))
    {
        flag = *value != 0;
    }
}

void ReadNumber(const SettingsStore& store, const char* name, int& number)
{
    if (const auto value = store.GetInteger(name))
    {
        number = *value;
    }
}

std::int32_t ToPercent(double volume)
{
    return static_cast<std::int32_t>(std::lround(volume * 100.0));
}

} // namespace

void AppSettings::ReadFrom(const SettingsStore& store)
{
    ReadPercent(store, "MusicVolume", musicVolume);
    ReadPercent(store, "SfxVolume", sfxVolume);
    ReadFlag(store, "Muted", muted);
    ReadFlag(store, "ScreenMode", fullScreen);
    ReadNumber(store, "PreferredX", preferredX);
    ReadNumber(store, "PreferredY", preferredY);
    ReadFlag(store, "CustomCursors", customCursors);
    ReadFlag(store, "WaitForVSync", waitForVSync);
    ReadFlag(store, "InProgress", inProgress);
    ReadFlag(store, "Is3D", is3D);
}

void AppSettings::WriteTo(SettingsStore& store, bool runInProgress) const
{
    store.SetInteger("MusicVolume", ToPercent(musicVolume));
    store.SetInteger("SfxVolume", ToPercent(sfxVolume));
    store.SetInteger("Muted", muted ? 1 : 0);
    store.SetInteger("ScreenMode", fullScreen ? 1 : 0);
    store.SetInteger("PreferredX", preferredX);
    store.SetInteger("PreferredY", preferredY);
    store.SetInteger("CustomCursors", customCursors ? 1 : 0);
    store.SetInteger("WaitForVSync", waitForVSync ? 1 : 0);
    store.SetInteger("InProgress", runInProgress ? 1 : 0);
    store.SetInteger("Is3D", is3D ? 1 : 0);
}

} // namespace Lumo
