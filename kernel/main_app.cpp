// The application object: the framework's application base bound to the game.
// SPDX-License-Identifier: MIT
#include "kernel/main_app.h"

#include "framework/platform/platform_services.h"
#include "framework/widgets/widget_manager.h"
#include "kernel/game_bridge.h"
#include "kernel/startup_resolution.h"

namespace KernelLibrary
{

MainApp::MainApp(IGame* game, std::unique_ptr<Lumo::Clock> clock,
                 const std::string& resolutionFolder)
    : Lumo::LumoAppBase(std::move(clock)), game(game), mainThread(std::this_thread::get_id())
{
    game->GetTitle(productName);
    game->GetVersion(productVersion);
    game->GetTitle(title);
    std::string registryPath;
    game->GetRegistryPath(registryPath);
    SetRegistryKey(registryPath);

    const std::string folder =
        resolutionFolder.empty() ? Lumo::GetProgramFolder() : resolutionFolder;
    const StartupResolution resolution = ReadStartupResolution(folder + "/resolution.opt");
    width = resolution.width;
    height = resolution.height;

    vsyncPacingSwitchedOn = true;
    windowed = true;
    fullScreenRequested = false;
    // The game switches to full screen itself when its options say so; a
    // remembered screen mode on top of that would toggle it back.
    screenModeFromSettings = false;
}

MainApp::~MainApp()
{
    RemoveGame();
    ProcessDeferredDeletions();
}

bool MainApp::IsGameStarted() const
{
    return bridge != nullptr && bridge->IsStarted();
}

void MainApp::GetScreenSize(int& screenWidth, int& screenHeight)
{
    screenWidth = width;
    screenHeight = height;
}

void MainApp::SetScreenSize(int screenWidth, int screenHeight)
{
    width = screenWidth;
    height = screenHeight;
    if (bridge != nullptr)
    {
        bridge->Resize(0, 0, width, height);
    }
}

void MainApp::SetFullScreen(bool fullScreen)
{
    fullScreenRequested = fullScreen;
    windowed = !fullScreen;
}

void MainApp::Quit()
{
    closing.store(true);
    if (std::this_thread::get_id() == mainThread)
    {
        CloseRequest();
    }
    else
    {
        // Only the main thread may take the game out; the loop does it at
        // its next step.
        RequestClose();
    }
}

bool MainApp::ReadRegistryValue(const std::string& name, std::uint32_t& type, void* data,
                                std::uint32_t& length)
{
    return LumoAppBase::ReadRegistryValue(name, type, data, length);
}

bool MainApp::WriteRegistryValue(const std::string& name, std::uint32_t type, const void* data,
                                 std::uint32_t length)
{
    return LumoAppBase::WriteRegistryValue(name, type, data, length);
}

void MainApp::Init()
{
    LumoAppBase::Init();
    game->AttachSysApp(this);
}

void MainApp::LoadingCompleted()
{
    if (IsShuttingDown() || IsCloseRequestPending())
    {
        return;
    }
    // Joining the tree loads the game and shows its first screen.
    bridge = new IGameBridge(this, game);
    bridge->Resize(0, 0, width, height);
    GetWidgetManager()->AddWidget(bridge);
}

void MainApp::RemoveGame()
{
    if (bridge == nullptr)
    {
        return;
    }
    IGameBridge* leaving = bridge;
    bridge = nullptr;
    GetWidgetManager()->RemoveWidget(leaving); // the game stops and unloads
    DeferDeletion([leaving] { delete leaving; });
}

void MainApp::CloseRequest()
{
    if (closing.load())
    {
        RemoveGame();
        Shutdown();
    }
    else
    {
        game->OnCloseRequest();
    }
}

void MainApp::TerminationRequest()
{
    closing.store(true);
    CloseRequest();
}

} // namespace KernelLibrary
