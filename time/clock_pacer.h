// The clock's pacing rules: a fixed 5 ms step, the lateness tolerance and the paying back of debt.
// SPDX-License-Identifier: MIT
//
// The clock thread asks the pacer when the current tick's wait ends, sleeps
// until then with an absolute deadline, and tells the pacer when it woke.
// All times are counts of a monotonic counter of the given frequency.
//
// The rules:
// - A tick that ends within step + eighth (0.125 ms) of its start is on time:
//   the next tick is measured from the deadline this one aimed at, so that
//   small wake-up delays do not add up to drift.
// - A later tick adds its lateness (elapsed - step) to the debt and the next
//   tick is measured from when it really ended, so a stall is never made up
//   by a burst of ticks.
// - Debt is paid back by shortening the following waits by at most one
//   eighth each.
#pragma once

#include <cstdint>

namespace TimeLibrary
{

class ClockPacer
{
  public:
    // countsPerSecond must be at least 8000 so that an eighth of a
    // millisecond is at least one count. The debt of an earlier run carries on.
    ClockPacer(std::int64_t countsPerSecond, std::int64_t debt);

    // The first tick starts at the given count.
    void Begin(std::int64_t tickStartCount);
    // When the wait after the current tick ends.
    std::int64_t Deadline() const { return tickStart + wait; }
    // The current tick ended at endCount (after its wait): applies the
    // lateness and catch-up rules and starts the next tick.
    void EndTick(std::int64_t endCount);

    std::int64_t Step() const { return step; }
    std::int64_t Eighth() const { return eighth; }
    std::int64_t Wait() const { return wait; }
    std::int64_t Debt() const { return debt; }
    std::int64_t TickStart() const { return tickStart; }

  private:
    std::int64_t step;
    std::int64_t eighth;
    std::int64_t debt;
    std::int64_t wait;
    std::int64_t tickStart = 0;
};

} // namespace TimeLibrary
