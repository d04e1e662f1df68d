// The application settings that outlive a run, with their defaults.
// SPDX-License-Identifier: MIT
//
// Each value is read only when present in the store with the right type; an
// absent or mistyped value keeps its default. Volumes are kept as fractions
// and stored as whole percent.
#pragma once

#include "framework/app/settings_store.h"

namespace Lumo
{

struct AppSettings
{
    double musicVolume = 0.85;
    double sfxVolume = 0.85;
    bool muted = false;
    bool fullScreen = false; // "ScreenMode" 1
    int preferredX = -1;
    int preferredY = -1;
    bool customCursors = false;
    bool waitForVSync = false;
    bool inProgress = false; // the previous run did not end in order
    // No capability test decides this here: SDL's software renderer is the
    // one that works everywhere, so acceleration is opt-in.
    bool is3D = false;

    void ReadFrom(const SettingsStore& store);
    // Writes every value; "InProgress" as given.
    void WriteTo(SettingsStore& store, bool runInProgress) const;
};

} // namespace Lumo
