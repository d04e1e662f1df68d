// A stand-in for the game object: names the program and quits when asked.
// SPDX-License-Identifier: MIT
#include "game/placeholder_game.h"

#include "kernel/sys_app.h"

namespace Gamespace
{

void PlaceholderGame::OnCloseRequest()
{
    if (sysApp != nullptr)
    {
        sysApp->Quit();
    }
}

} // namespace Gamespace
