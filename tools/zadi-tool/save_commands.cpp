// zadi-tool's "save" commands.
// SPDX-License-Identifier: MIT
#include "tools/zadi-tool/commands.h"

namespace ZadiTool
{

int RunSaveCommand(const Args&)
{
    return Fail(kExitFailed, "the save commands are not available yet");
}

} // namespace ZadiTool
