// What the game may ask of the application: sizes, screen mode, settings, quitting.
// SPDX-License-Identifier: MIT
//
// The game receives this interface once (IGame::AttachSysApp) and keeps the
// pointer; the application outlives every call made through it. All calls
// are made on the main thread, except Quit, which may come from any thread.
#pragma once

#include <cstdint>
#include <string>

namespace KernelLibrary
{

class ISysApp
{
public:
    virtual ~ISysApp() = default;

    // The current logical screen size in pixels.
    virtual void GetScreenSize(int& width, int& height) = 0;
    // Stores the size and resizes the bridge widget to cover it.
    virtual void SetScreenSize(int width, int height) = 0;
    // Sets the full-screen-requested flag to the argument, windowed to the opposite.
    virtual void SetFullScreen(bool fullScreen) = 0;
    // Marks the application as closing and asks the window to close, which
    // now goes ahead without asking the game again.
    virtual void Quit() = 0;
    // One value of the application's settings; see LumoAppBase for the
    // length and failure contract.
    virtual bool ReadRegistryValue(const std::string& name, std::uint32_t& type, void* data,
                                   std::uint32_t& length) = 0;
    virtual bool WriteRegistryValue(const std::string& name, std::uint32_t type, const void* data,
                                    std::uint32_t length) = 0;
};

} // namespace KernelLibrary
