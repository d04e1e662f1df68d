// The clock's pacing rules.
// SPDX-License-Identifier: MIT
#include "time/clock_pacer.h"

#include <cassert>

namespace TimeLibrary
{

ClockPacer::ClockPacer(std::int64_t countsPerSecond, std::int64_t debt)
    : step(5 * (countsPerSecond / 1000)), eighth((countsPerSecond / 1000) >> 3), debt(debt),
      wait(step)
{
    assert(eighth > 0 && "the clock counter is too coarse for a 0.125 ms tolerance");
}

void ClockPacer::Begin(std::int64_t tickStartCount)
{
    tickStart = tickStartCount;
}

void ClockPacer::EndTick(std::int64_t endCount)
{
    const std::int64_t deadline = Deadline();
    const std::int64_t elapsed = endCount - tickStart;
    if (elapsed > step + eighth)
    {
        debt += elapsed - step;
        tickStart = endCount;
    }
    else
    {
        tickStart = deadline;
    }

    if (debt == 0)
    {
        wait = step;
    }
    else if (debt <= eighth)
    {
        wait = step - debt;
        debt = 0;
    }
    else
    {
        wait = step - eighth;
        debt -= eighth;
    }
}

} // namespace TimeLibrary
