// The resolution the window starts in, as the game's "resolution.opt" records it.
// SPDX-License-Identifier: MIT
//
// The file holds a big-endian 16-bit row of the resolution table and one
// full-screen byte (any non-zero byte is true). A missing or short file keeps
// the defaults for what could not be read; a row outside the table means row
// 0. Reading never fails the caller.
#pragma once

#include <string>

namespace KernelLibrary
{

struct StartupResolution
{
    int index = 0;
    bool fullScreen = false;
    int width = 1024;
    int height = 768;
};

// Width and height of a row of the resolution table; row 0 for any other.
void ResolutionForIndex(int index, int& width, int& height);

StartupResolution ReadStartupResolution(const std::string& filePath);

} // namespace KernelLibrary
