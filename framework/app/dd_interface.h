// The display interface: the window's display, the screen image and presenting.
// SPDX-License-Identifier: MIT
//
// Rules of this module:
// - Frames are drawn into the screen image, a DDImage of width x height
//   32-bit ARGB pixels row after row, under the game lock; Present copies it
//   to the window and runs outside the game lock, on the main thread.
// - Each failing step stores "<step>: <reason>" as the last error text.
#pragma once

#include "framework/graphics/dd_image.h"
#include "framework/platform/platform_window.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Lumo
{

// "RESULT_OK" ... "RESULT_INVALID_COLORDEPTH"; "RESULT_UNKNOWN" for any other.
const char* DisplayResultName(int result);

// The refresh rate the loop paces by: unknown or below 60 Hz counts as 60,
// above 100 Hz as 100. usable tells whether the display's own figure was
// readable and within that range.
int EffectiveRefreshRate(int reportedHz, bool& usable);

class DDInterface
{
public:
    DDInterface(int width, int height);
    ~DDInterface();
    DDInterface(const DDInterface&) = delete;
    DDInterface& operator=(const DDInterface&) = delete;

    // Creates the window (hidden) and its display.
    [[nodiscard]] DisplayResult Init(const std::string& title, bool fullScreen, bool accelerated,
                                     int preferredX, int preferredY);
    // Changes between windowed and full screen on the existing window.
    [[nodiscard]] DisplayResult SetFullScreen(bool fullScreen);
    // Draws through SDL's accelerated renderer or its software one.
    [[nodiscard]] DisplayResult SetAccelerated(bool accelerated);
    bool IsAccelerated() const { return window.IsAccelerated(); }

    // Shows the screen image. Returns false and keeps the reason when it could not.
    [[nodiscard]] bool Present();

    const std::string& GetLastError() const { return lastError; }
    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    DDImage* GetScreenImage() { return screen.get(); }
    bool IsFullScreen() const { return window.IsFullScreen(); }
    PixelRect GetPictureRect() const { return window.GetPictureRect(); }
    int GetReportedRefreshRate() const { return window.GetRefreshRate(); }
    bool PresentWaitsForRetrace() const { return window.PresentWaitsForRetrace(); }
    PlatformWindow& GetWindow() { return window; }

private:
    int width;
    int height;
    std::unique_ptr<DDImage> screen;
    PlatformWindow window;
    std::string lastError;
};

} // namespace Lumo
