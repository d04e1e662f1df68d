// The application object: the framework's application base bound to the game.
// SPDX-License-Identifier: MIT
//
// MainApp takes the game's title, version and settings path at construction
// and sizes itself from "resolution.opt" in the program folder. Once the
// framework's loading phase is over it brings the game in; a close request
// goes to the game, which quits through ISysApp::Quit, and only then does the
// game leave (StopPlay, Unload) and the loop end. SIGTERM and SIGINT take the
// quitting path at once, without asking the game.
#pragma once

#include "framework/app/lumo_app_base.h"
#include "kernel/game_interface.h"
#include "kernel/sys_app.h"

#include <atomic>
#include <memory>
#include <thread>

namespace KernelLibrary
{

class IGameBridge;

class MainApp : public ISysApp, public Lumo::LumoAppBase
{
public:
    // resolutionFolder is where "resolution.opt" is read; empty for the
    // program's own folder.
    explicit MainApp(IGame* game, std::unique_ptr<Lumo::Clock> clock = nullptr,
                     const std::string& resolutionFolder = "");
    ~MainApp() override;

    // ISysApp
    void GetScreenSize(int& width, int& height) override;
    void SetScreenSize(int width, int height) override;
    void SetFullScreen(bool fullScreen) override;
    void Quit() override;
    bool ReadRegistryValue(const std::string& name, std::uint32_t& type, void* data,
                           std::uint32_t& length) override;
    bool WriteRegistryValue(const std::string& name, std::uint32_t type, const void* data,
                            std::uint32_t length) override;

    // LumoAppBase
    void Init() override;
    void LoadingCompleted() override;
    void CloseRequest() override;
    void TerminationRequest() override;

    bool IsClosing() const { return closing.load(); }
    bool IsGameStarted() const;
    IGameBridge* GetBridge() const { return bridge; }

private:
    void RemoveGame();

    IGame* game;
    // In the widget tree from the end of loading until the close; deleted
    // only at the end of a loop step, since the game may quit from inside
    // the bridge's own notifications.
    IGameBridge* bridge = nullptr;
    std::atomic<bool> closing{false};
    std::thread::id mainThread;
};

} // namespace KernelLibrary
