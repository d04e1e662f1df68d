// zadi-tool's "pak" commands.
// SPDX-License-Identifier: MIT
#include "tools/zadi-tool/commands.h"

namespace ZadiTool
{

int RunPakCommand(const Args&)
{
    return Fail(kExitFailed, "the pak commands are not available yet");
}

} // namespace ZadiTool
