// zadi-tool's "font" commands.
// SPDX-License-Identifier: MIT
#include "tools/zadi-tool/commands.h"

namespace ZadiTool
{

int RunFontCommand(const Args&)
{
    return Fail(kExitFailed, "the font commands are not available yet");
}

} // namespace ZadiTool
