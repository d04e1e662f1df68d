// The real clock: CLOCK_MONOTONIC read in nanoseconds and slept on with absolute deadlines.
// SPDX-License-Identifier: MIT
#include "time/clock_source.h"

#include <cerrno>
#include <ctime>

namespace TimeLibrary
{

namespace
{

constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;

class MonotonicClockSource final : public ClockSource
{
  public:
    std::int64_t CountsPerSecond() const override { return kNanosecondsPerSecond; }

    std::int64_t Now() override
    {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        return static_cast<std::int64_t>(now.tv_sec) * kNanosecondsPerSecond + now.tv_nsec;
    }

    void SleepUntil(std::int64_t deadline) override
    {
        const timespec until{static_cast<time_t>(deadline / kNanosecondsPerSecond),
                             static_cast<long>(deadline % kNanosecondsPerSecond)};
        // An absolute deadline makes a signal that cuts the sleep short harmless:
        // sleeping again aims at the same moment.
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR)
        {
        }
    }
};

} // namespace

std::unique_ptr<ClockSource> MakeMonotonicClockSource()
{
    return std::make_unique<MonotonicClockSource>();
}

} // namespace TimeLibrary
