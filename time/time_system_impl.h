// The time system behind ITimeSystem: the slot table, the clock thread and the per-tick pass.
// SPDX-License-Identifier: MIT
//
// The kernel and the tests use this type for what ITimeSystem does not
// offer: starting and stopping the clock, releasing everything, and driving
// the ticks by hand.
//
// Locks:
// - The clock lock is held by the clock thread for its whole run; StopClock
//   takes it to wait for the thread to leave its loop.
// - The clock thread takes the game lock for each TickAll.
// - The system lock guards the slot table and the run state of every time
//   object (Start, Stop, the per-tick advance), so a notification may touch
//   any object. It is recursive: notifications run under it and call back.
// Order: clock lock, game lock, system lock. StartClock and StopClock are
// called from one controlling thread, never with the game lock held and never
// from a notification sent on that thread (the clock thread may be waiting
// for the locks it holds).
#pragma once

#include "time/clock_source.h"
#include "time/time_system.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

namespace TimeLibrary
{

class TimeObject_impl;

class TimeSystem_impl final : public ITimeSystem
{
  public:
    // Slot 0 is never used, so ids run 1..kSlotCount - 1.
    static constexpr int kSlotCount = 2048;
    static constexpr int kStepMs = 5;

    TimeSystem_impl() = default;
    TimeSystem_impl(const TimeSystem_impl&) = delete;
    TimeSystem_impl& operator=(const TimeSystem_impl&) = delete;
    // Stops the clock and releases every time object left.
    ~TimeSystem_impl() override;

    std::uint64_t GetTime() const override;
    ITimeObject* CreateTimeObject(TimeObjectMessageObserver* observer, int durationMs,
                                  int periodMs) override;
    void ReleaseTimeObject(ITimeObject* object) override;

    // Starts the clock thread on the system's monotonic clock, or on the given
    // source. GetTime reads 0 again. Returns false when the clock already runs,
    // when called from the clock's own notifications, or when no thread can be
    // started.
    bool StartClock();
    bool StartClock(std::unique_ptr<ClockSource> source);
    // Stops the clock thread and waits until it has left its loop (at most the
    // tick under way and one wait). From a notification it only asks the
    // clock to stop after the current tick.
    void StopClock();
    bool IsClockRunning() const { return running.load(std::memory_order_acquire); }
    // Releases every time object, sending nothing.
    void ReleaseAll();
    // One tick: advances every running, unpaused object by 5 ms in id order,
    // then the time. The clock thread calls it under the game lock; tests call
    // it by hand. A slot is read when it is visited, so objects made or
    // released by a notification are advanced or skipped accordingly.
    void TickAll();

    // The system lock, for the time objects.
    std::recursive_mutex& Lock() { return systemLock; }

  private:
    void RunClock();

    std::atomic<bool> running{false};
    std::atomic<std::uint64_t> now{0};
    // Owned; raw because an object released during one of its own
    // notifications leaves its slot at once but deletes itself only when
    // that notification has returned.
    std::array<TimeObject_impl*, kSlotCount> slots{};
    std::recursive_mutex systemLock;
    std::recursive_mutex clockLock;
    std::thread clockThread;
    std::unique_ptr<ClockSource> clockSource;
    // Lateness still to be made up, in counts of the clock source; kept from
    // one run of the clock to the next. Touched by the clock thread only
    // while it runs.
    std::int64_t debt = 0;
    std::int64_t debtCountsPerSecond = 0;
};

} // namespace TimeLibrary
