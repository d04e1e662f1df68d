// The millisecond clock and the sleeps of the main loop, replaceable in tests.
// SPDX-License-Identifier: MIT
//
// The main loop reads time and sleeps only through a Clock, so that its
// pacing can be driven by hand: a test clock advances when the loop sleeps
// and never blocks. The system clock is monotonic and sleeps to absolute
// deadlines, so interrupted or late wake-ups never add up to drift.
#pragma once

#include <atomic>
#include <cstdint>

namespace Lumo
{

class Clock
{
public:
    virtual ~Clock() = default;

    // Milliseconds since an arbitrary start; never goes backwards.
    virtual std::int64_t NowMs() = 0;

    // Sleeps until NowMs() has reached deadlineMs. A signal may end the sleep
    // early; callers recheck their state afterwards.
    virtual void SleepUntilMs(std::int64_t deadlineMs) = 0;

    void SleepMs(std::int64_t durationMs) { SleepUntilMs(NowMs() + durationMs); }
};

class SystemClock final : public Clock
{
public:
    std::int64_t NowMs() override;
    void SleepUntilMs(std::int64_t deadlineMs) override;
};

// A clock that only moves when told to, or when somebody sleeps on it. Other
// threads may read it; only one thread moves it.
class ManualClock final : public Clock
{
public:
    explicit ManualClock(std::int64_t startMs = 0) : nowMs(startMs) {}

    std::int64_t NowMs() override { return nowMs.load(); }
    void SleepUntilMs(std::int64_t deadlineMs) override
    {
        const std::int64_t now = nowMs.load();
        if (deadlineMs > now)
        {
            sleptMs += deadlineMs - now;
            nowMs.store(deadlineMs);
        }
        ++sleepCalls;
    }

    void Advance(std::int64_t durationMs) { nowMs.fetch_add(durationMs); }
    std::int64_t TotalSleptMs() const { return sleptMs; }
    int SleepCalls() const { return sleepCalls; }

private:
    std::atomic<std::int64_t> nowMs{0};
    std::int64_t sleptMs = 0;
    int sleepCalls = 0;
};

} // namespace Lumo
