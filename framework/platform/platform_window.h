// The game's one window on SDL: creation, full screen, events and presenting.
// SPDX-License-Identifier: MIT
//
// Rules of this module:
// - Everything here runs on the main (window) thread, the thread that created
//   the window; SDL's renderer must not be touched from any other.
// - Frames are 32-bit ARGB images of the application's size. Presenting
//   uploads them into a streaming texture and draws it at the picture rect:
//   1:1 in a window; in full screen the window covers the desktop and the
//   picture is scaled to the desktop height and centred, with black bars.
// - Failures are reported by result codes and a text that names the failing
//   step and SDL's reason; nothing here shows a message itself.
#pragma once

#include "framework/platform/platform_events.h"

#include <memory>
#include <string>
#include <vector>

namespace Lumo
{

// Result codes of display creation, in the numbering the messages use.
enum class DisplayResult
{
    Ok = 0,
    Fail = 1,
    CreateFail = 2,
    SurfaceFail = 3,
    ExclusiveFail = 4,
    DisplayChangeFail = 5,
    InvalidColorDepth = 6,
    Init3DFail = 7,
};

struct PixelRect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Where a picture of appWidth x appHeight lands in an output of outWidth x
// outHeight pixels. Windowed it sits at the origin, unscaled. In full screen
// it is scaled to the output height and centred horizontally; an output too
// narrow for that is filled to its width instead and centred vertically, so
// that no part of the picture is ever cut off.
PixelRect ComputePictureRect(int appWidth, int appHeight, int outWidth, int outHeight,
                             bool fullScreen);

class PlatformWindow
{
public:
    PlatformWindow();
    ~PlatformWindow();
    PlatformWindow(const PlatformWindow&) = delete;
    PlatformWindow& operator=(const PlatformWindow&) = delete;

    // Starts SDL's video subsystem (kept until this object is destroyed).
    // Returns false with SDL's reason in error when there is no usable video.
    [[nodiscard]] bool InitVideo(std::string& error);

    // Creates the window hidden, with its renderer and streaming texture.
    // preferredX/Y below 0 centre the window. accelerated chooses SDL's
    // hardware renderer (falling back to software when that fails).
    [[nodiscard]] DisplayResult Create(const std::string& title, int width, int height,
                                       bool fullScreen, bool accelerated, int preferredX,
                                       int preferredY, std::string& error);

    // Switches between windowed and desktop full screen. The renderer stays.
    [[nodiscard]] DisplayResult SetFullScreen(bool fullScreen, std::string& error);

    // Makes the renderer again, accelerated or in software, on the same
    // window. Asking for acceleration that the system cannot give falls back
    // to software (IsAccelerated tells).
    [[nodiscard]] DisplayResult SetAccelerated(bool accelerated, std::string& error);
    bool IsAccelerated() const;

    bool IsCreated() const;
    bool IsFullScreen() const;
    bool IsMinimized() const;
    bool HasInputFocus() const;

    // Shows the window and gives it the keyboard focus.
    void Show();
    // Brings the window to the front (another instance asked for it).
    void Raise();

    // Uploads one frame of width x height ARGB pixels and shows it. Returns
    // false with the reason in error when SDL refuses.
    [[nodiscard]] bool Present(const std::uint32_t* argb, int width, int height,
                               std::string& error);

    // Appends every waiting event, translated, to out.
    void PollEvents(std::vector<PlatformEvent>& out);

    // The picture rect in window coordinates: the source rect of the mouse
    // mapping.
    PixelRect GetPictureRect() const;
    // The display's refresh rate in Hz, 0 when unknown.
    int GetRefreshRate() const;
    // True when presenting waits for the display's vertical retrace.
    bool PresentWaitsForRetrace() const;
    // The usable desktop area (without panels), or false when unknown.
    bool GetUsableDesktopSize(int& width, int& height) const;
    // The window's position on the desktop; false when there is no window.
    bool GetPosition(int& x, int& y) const;

    // Cursor kinds 0-12 (0 pointer, 1 hand, 2 dragging hand, 3 text beam,
    // 4 not allowed, 5 move, 6-9 sizing arrows NE-SW, N-S, NW-SE, W-E,
    // 10 wait, 11 none, 12 drawn by the program). hideSystemCursor hides the
    // system pointer because the program draws its own picture.
    void ApplyCursor(int kind, bool hideSystemCursor);

private:
    struct State;
    std::unique_ptr<State> state;
};

} // namespace Lumo
