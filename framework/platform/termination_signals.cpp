// SIGTERM and SIGINT as a request for an orderly shut-down.
// SPDX-License-Identifier: MIT
#include "framework/platform/termination_signals.h"

#include <atomic>
#include <csignal>
#include <unistd.h>

namespace Lumo
{

namespace
{

std::atomic<int> pendingSignals{0};
std::atomic<bool> requestTaken{false};
static_assert(std::atomic<int>::is_always_lock_free);

void OnTerminationSignal(int signalNumber)
{
    if (pendingSignals.fetch_add(1) >= 1)
    {
        // Asked twice: the orderly way is stuck somewhere.
        std::signal(signalNumber, SIG_DFL);
        raise(signalNumber);
    }
}

} // namespace

void InstallTerminationHandlers()
{
    struct sigaction action{};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a sleeping main loop wakes up at once.
    action.sa_flags = 0;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

void RestoreDefaultTerminationHandlers()
{
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGINT, SIG_DFL);
}

bool IsTerminationRequested()
{
    return pendingSignals.load() > 0 && !requestTaken.load();
}

bool TakeTerminationRequest()
{
    return pendingSignals.load() > 0 && !requestTaken.exchange(true);
}

void ResetTerminationRequest()
{
    pendingSignals.store(0);
    requestTaken.store(false);
}

void RequestTermination()
{
    pendingSignals.fetch_add(1);
}

} // namespace Lumo
