// The system's monotonic millisecond clock with absolute-deadline sleeps.
// SPDX-License-Identifier: MIT
#include "framework/app/clock.h"

#include <cerrno>
#include <ctime>

namespace Lumo
{

std::int64_t SystemClock::NowMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

void SystemClock::SleepUntilMs(std::int64_t deadlineMs)
{
    timespec deadline{};
    deadline.tv_sec = static_cast<time_t>(deadlineMs / 1000);
    deadline.tv_nsec = static_cast<long>((deadlineMs % 1000) * 1000000);
    // An interrupting signal ends the sleep early on purpose: the loop then
    // looks at the shut-down request at once.
    (void)clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr);
}

} // namespace Lumo
