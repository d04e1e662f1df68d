// The resolution the window starts in, as the game's "resolution.opt" records it.
// SPDX-License-Identifier: MIT
#include "kernel/startup_resolution.h"

#include <cstdio>

namespace KernelLibrary
{

namespace
{

struct Resolution
{
    int width;
    int height;
};

constexpr Resolution kResolutions[] = {{1024, 768}, {1280, 800}};
constexpr int kResolutionCount = static_cast<int>(std::size(kResolutions));

} // namespace

void ResolutionForIndex(int index, int& width, int& height)
{
    const Resolution& row = kResolutions[index >= 0 && index < kResolutionCount ? index : 0];
    width = row.width;
    height = row.height;
}

StartupResolution ReadStartupResolution(const std::string& filePath)
{
    StartupResolution result;
    if (FILE* file = std::fopen(filePath.c_str(), "rb"))
    {
        unsigned char bytes[3] = {};
        const std::size_t got = std::fread(bytes, 1, sizeof bytes, file);
        std::fclose(file);
        if (got >= 2)
        {
            result.index = (bytes[0] << 8) | bytes[1];
        }
        if (got >= 3)
        {
            result.fullScreen = bytes[2] != 0;
        }
    }
    if (result.index >= kResolutionCount)
    {
        result.index = 0;
    }
    ResolutionForIndex(result.index, result.width, result.height);
    return result;
}

} // namespace KernelLibrary
