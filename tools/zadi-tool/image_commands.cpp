// zadi-tool's "image" commands.
// SPDX-License-Identifier: MIT
#include "tools/zadi-tool/commands.h"

namespace ZadiTool
{

int RunImageCommand(const Args&)
{
    return Fail(kExitFailed, "the image commands are not available yet");
}

} // namespace ZadiTool
