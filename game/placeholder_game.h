// A stand-in for the game object: names the program and quits when asked.
// SPDX-License-Identifier: MIT
//
// It lets the shell run on its own until the real game object takes its
// place: the title, version and settings path are the game's, it loads and
// shows nothing, and a close request quits at once.
#pragma once

#include "kernel/game_interface.h"

namespace Gamespace
{

class PlaceholderGame : public KernelLibrary::IGame
{
public:
    void AttachSysApp(KernelLibrary::ISysApp* newSysApp) override { sysApp = newSysApp; }
    void LoadResources() override {}
    void Unload() override {}
    void Start() override {}
    void StopPlay() override {}
    void GetTitle(std::string& text) override { text = "Saltmere Zadi"; }
    void GetVersion(std::string& text) override { text = "1.2"; }
    void GetRegistryPath(std::string& text) override { text = "Jollyvane\\SaltmereZeve"; }
    void OnCloseRequest() override;

private:
    KernelLibrary::ISysApp* sysApp = nullptr;
};

} // namespace Gamespace
