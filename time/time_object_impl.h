// The time object behind ITimeObject: one timer advanced by the time system's clock.
// SPDX-License-Identifier: MIT
//
// The run state (counters, delay) changes only under the time system's lock;
// the flags and timing that the setters and getters touch are atomics, read
// and written without it. An object released while one of its own
// notifications is under way sends nothing more and is deleted when that
// notification returns.
#pragma once

#include "time/time_system.h"

#include <atomic>
#include <cstdint>

namespace TimeLibrary
{

class TimeSystem_impl;

class TimeObject_impl final : public ITimeObject
{
  public:
    TimeObject_impl(TimeSystem_impl& owner, int id, TimeObjectMessageObserver* observer,
                    int durationMs, int periodMs);
    TimeObject_impl(const TimeObject_impl&) = delete;
    TimeObject_impl& operator=(const TimeObject_impl&) = delete;

    int GetId() const override { return id; }
    void SetTiming(int durationMs, int periodMs) override;
    void SetDuration(int durationMs) override;
    void SetPeriod(int periodMs) override;
    void SetEndless(bool isEndless) override;
    bool Start(bool startPaused, std::uint16_t delayMs) override;
    bool IsRunning() const override { return running.load(std::memory_order_acquire); }
    void SetPaused(bool isPaused) override;
    bool IsPaused() const override { return paused.load(std::memory_order_acquire); }
    void Stop() override;
    int GetDuration() const override { return duration.load(std::memory_order_relaxed); }
    int GetPeriod() const override { return period.load(std::memory_order_relaxed); }
    bool IsEndless() const override { return endless.load(std::memory_order_relaxed); }

    // One 5 ms step of a running, unpaused object. Under the system lock.
    void Advance();
    // Ends the object for its owner, which has already emptied its slot: it
    // stops and sends nothing more, and is deleted now or, when one of its
    // own notifications is under way, as soon as that returns. Under the
    // system lock.
    void Retire();

  private:
    class BusyScope;
    ~TimeObject_impl() override = default;

    void Notify(void (TimeObjectMessageObserver::*notification)(int));

    TimeSystem_impl& owner;
    const int id;
    TimeObjectMessageObserver* const observer;

    std::atomic<bool> running{false};
    std::atomic<bool> paused{false};
    std::atomic<bool> endless{false};
    std::atomic<int> duration;
    std::atomic<int> period;

    // Under the system lock.
    int periodElapsed = 0;
    // -1 until counting has begun after the start delay.
    int totalElapsed = -1;
    int delay = 0;
    // Notifications of this object under way (they may nest: a notification
    // may restart its own object).
    int busyDepth = 0;
    bool retired = false;
};

} // namespace TimeLibrary
