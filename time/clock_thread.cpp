// The clock thread: one TickAll every 5 ms under the game lock, waiting with absolute deadlines.
// SPDX-License-Identifier: MIT
#include "time/time_system_impl.h"

#include "common/game_lock.h"
#include "time/clock_pacer.h"

#include <cerrno>
#include <system_error>

#include <sys/resource.h>
#include <unistd.h>

namespace TimeLibrary
{

namespace
{

// The time system whose clock runs on this thread, so that StopClock can tell
// a call from the clock's own notifications without reading the thread
// handle, which belongs to the controlling thread.
thread_local const TimeSystem_impl* clockOfThisThread = nullptr;

// Best effort: a little above the other threads of the process when the
// system allows it, so that ticks keep their pace while the window thread
// draws. Without the right to raise it the clock runs at normal priority.
void RaiseClockThreadPriority()
{
    const pid_t thread = gettid();
    errno = 0;
    const int niceValue = getpriority(PRIO_PROCESS, static_cast<id_t>(thread));
    if (errno == 0)
    {
        (void)setpriority(PRIO_PROCESS, static_cast<id_t>(thread), niceValue - 2);
    }
}

} // namespace

bool TimeSystem_impl::StartClock()
{
    return StartClock(MakeMonotonicClockSource());
}

bool TimeSystem_impl::StartClock(std::unique_ptr<ClockSource> source)
{
    if (source == nullptr || source->CountsPerSecond() < 8000 || IsClockRunning() ||
        clockOfThisThread == this)
    {
        return false;
    }
    // A clock stopped from one of its own notifications has left its loop,
    // or is about to; it is waited for here.
    if (clockThread.joinable())
    {
        {
            std::scoped_lock waitForExit(clockLock);
        }
        clockThread.join();
    }
    clockSource = std::move(source);
    now.store(0, std::memory_order_relaxed);
    running.store(true, std::memory_order_release);
    try
    {
        clockThread = std::thread(&TimeSystem_impl::RunClock, this);
    }
    catch (const std::system_error&)
    {
        running.store(false, std::memory_order_release);
        clockSource.reset();
        return false;
    }
    return true;
}

void TimeSystem_impl::StopClock()
{
    running.store(false, std::memory_order_release);
    if (clockOfThisThread == this || !clockThread.joinable())
    {
        // From the clock's own notifications the thread cannot wait for
        // itself; it ends after this tick and is joined by the next
        // StartClock or StopClock, or by the destructor.
        return;
    }
    {
        // The clock thread holds this lock until it has left its loop.
        std::scoped_lock waitForExit(clockLock);
    }
    clockThread.join();
    clockSource.reset();
}

void TimeSystem_impl::RunClock()
{
    std::scoped_lock clockRun(clockLock);
    clockOfThisThread = this;
    RaiseClockThreadPriority();

    ClockSource& source = *clockSource;
    if (source.CountsPerSecond() != debtCountsPerSecond)
    {
        // Debt counted on another clock (a test's) would be read in the wrong unit.
        debt = 0;
        debtCountsPerSecond = source.CountsPerSecond();
    }
    ClockPacer pacer(source.CountsPerSecond(), debt);
    pacer.Begin(source.Now());
    while (running.load(std::memory_order_acquire))
    {
        {
            CommonLibrary::GameLockGuard game;
            TickAll();
        }
        // One sleep to an absolute deadline: no spinning, and a late wake-up
        // does not push the following deadlines back.
        source.SleepUntil(pacer.Deadline());
        pacer.EndTick(source.Now());
    }
    debt = pacer.Debt();
    clockOfThisThread = nullptr;
}

} // namespace TimeLibrary
