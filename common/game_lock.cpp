// The process-wide game lock.
// SPDX-License-Identifier: MIT
#include "common/game_lock.h"

namespace CommonLibrary
{

std::recursive_mutex& GameLock()
{
    static std::recursive_mutex lock;
    return lock;
}

} // namespace CommonLibrary
