// Where the clock thread reads the time and how it waits: the real monotonic clock, or a test's
// own. SPDX-License-Identifier: MIT
//
// The clock thread calls these only from itself. SleepUntil must not return
// before Now() has reached the deadline; it waits without spinning.
#pragma once

#include <cstdint>
#include <memory>

namespace TimeLibrary
{

class ClockSource
{
  public:
    virtual ~ClockSource() = default;

    // Counts per second of Now(); at least 8000.
    virtual std::int64_t CountsPerSecond() const = 0;
    virtual std::int64_t Now() = 0;
    // Returns at once when the deadline has passed.
    virtual void SleepUntil(std::int64_t deadline) = 0;
};

// The system's monotonic clock in nanoseconds, slept on with absolute deadlines.
std::unique_ptr<ClockSource> MakeMonotonicClockSource();

} // namespace TimeLibrary
