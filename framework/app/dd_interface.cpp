// The display interface: the window's display, the screen image and presenting.
// SPDX-License-Identifier: MIT
#include "framework/app/dd_interface.h"

#include <algorithm>

namespace Lumo
{

namespace
{

// What the window shows before anything has drawn: the deep sea, not a hole.
constexpr std::uint32_t kFirstFrameColor = 0xFF0A2438;

} // namespace

const char* DisplayResultName(int result)
{
    static const char* const kNames[] = {
        "RESULT_OK",          "RESULT_FAIL",           "RESULT_DD_CREATE_FAIL",
        "RESULT_SURFACE_FAIL", "RESULT_EXCLUSIVE_FAIL", "RESULT_DISPCHANGE_FAIL",
        "RESULT_INVALID_COLORDEPTH",
    };
    if (result < 0 || result >= static_cast<int>(std::size(kNames)))
    {
        return "RESULT_UNKNOWN";
    }
    return kNames[result];
}

int EffectiveRefreshRate(int reportedHz, bool& usable)
{
    usable = reportedHz >= 60 && reportedHz <= 100;
    if (reportedHz < 60)
    {
        return 60;
    }
    return reportedHz > 100 ? 100 : reportedHz;
}

DDInterface::DDInterface(int width, int height)
    : width(width), height(height), screen(std::make_unique<DDImage>(this))
{
    screen->SetSurface(width, height);
    std::uint32_t* bits = screen->GetBits();
    std::fill(bits, bits + static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
              kFirstFrameColor);
    screen->BitsChanged();
}

DDInterface::~DDInterface() = default;

DisplayResult DDInterface::Init(const std::string& title, bool fullScreen, bool accelerated,
                                int preferredX, int preferredY)
{
    lastError.clear();
    return window.Create(title, width, height, fullScreen, accelerated, preferredX, preferredY,
                         lastError);
}

DisplayResult DDInterface::SetFullScreen(bool fullScreen)
{
    lastError.clear();
    return window.SetFullScreen(fullScreen, lastError);
}

DisplayResult DDInterface::SetAccelerated(bool accelerated)
{
    lastError.clear();
    return window.SetAccelerated(accelerated, lastError);
}

bool DDInterface::Present()
{
    return window.Present(screen->GetBits(), width, height, lastError);
}

} // namespace Lumo
