// The game as the kernel sees it.
// SPDX-License-Identifier: MIT
//
// The entry point creates the game before KernelInit and destroys it after
// KernelShutdown; the kernel never owns it. Every call comes on the main
// thread. LoadResources and Start follow the bridge widget's arrival in the
// widget tree, StopPlay and Unload its removal.
#pragma once

#include <string>

namespace KernelLibrary
{

class ISysApp;

class IGame
{
public:
    virtual ~IGame() = default;

    virtual void AttachSysApp(ISysApp* sysApp) = 0;
    // Opens the game's package and loads profiles, options and module resources.
    virtual void LoadResources() = 0;
    // Saves everything and releases the module resources.
    virtual void Unload() = 0;
    // Shows the first screen.
    virtual void Start() = 0;
    // Leaves the stage being played.
    virtual void StopPlay() = 0;
    virtual void GetTitle(std::string& title) = 0;
    virtual void GetVersion(std::string& version) = 0;
    // "Maker\Game": where the application's settings live.
    virtual void GetRegistryPath(std::string& path) = 0;
    // The window was asked to close: quit now (ISysApp::Quit) or ask the player first.
    virtual void OnCloseRequest() = 0;
};

} // namespace KernelLibrary
