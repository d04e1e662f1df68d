// The process-wide game lock that serialises the window thread and the clock thread.
// SPDX-License-Identifier: MIT
//
// Both threads change game state. The clock thread holds this lock for each
// pass over the time objects; the window thread holds it while it dispatches
// one queued input message, runs one update or runs the draw pass. Presenting
// a finished frame happens outside it.
//
// Lock order: clock lock, then the game lock, then the time system, time
// object and factory locks. Never stop the clock (which waits for the clock
// thread) while holding the game lock. The lock is recursive: code called
// under it may take it again.
#pragma once

#include <mutex>

namespace CommonLibrary
{

std::recursive_mutex& GameLock();

// Holds the game lock for one scope.
class GameLockGuard
{
public:
    GameLockGuard() : guard(GameLock()) {}

private:
    std::scoped_lock<std::recursive_mutex> guard;
};

} // namespace CommonLibrary
