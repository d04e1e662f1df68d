// Time objects: start, stop, pause and the per-tick advance.
// SPDX-License-Identifier: MIT
#include "time/time_object_impl.h"

#include "time/time_system_impl.h"

#include <climits>
#include <mutex>

namespace TimeLibrary
{

namespace
{

constexpr int kStepMs = TimeSystem_impl::kStepMs;

// An endless object counts for ever; its counters stop at the top instead of
// wrapping round after 24 days.
int AddStep(int value)
{
    return value > INT_MAX - kStepMs ? INT_MAX : value + kStepMs;
}

} // namespace

// Keeps the object alive while one of its notifications is under way and
// deletes it afterwards if the notification released it.
class TimeObject_impl::BusyScope
{
  public:
    explicit BusyScope(TimeObject_impl& object) : object(object) { ++object.busyDepth; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
    ~BusyScope()
    {
        if (--object.busyDepth == 0 && object.retired)
        {
            delete &object;
        }
    }

  private:
    TimeObject_impl& object;
};

TimeObject_impl::TimeObject_impl(TimeSystem_impl& owner, int id,
                                 TimeObjectMessageObserver* observer, int durationMs, int periodMs)
    : owner(owner), id(id), observer(observer), duration(durationMs), period(periodMs)
{
}

void TimeObject_impl::SetTiming(int durationMs, int periodMs)
{
    SetDuration(durationMs);
    SetPeriod(periodMs);
}

void TimeObject_impl::SetDuration(int durationMs)
{
    duration.store(durationMs, std::memory_order_relaxed);
}

void TimeObject_impl::SetPeriod(int periodMs)
{
    period.store(periodMs, std::memory_order_relaxed);
}

void TimeObject_impl::SetEndless(bool isEndless)
{
    endless.store(isEndless, std::memory_order_relaxed);
}

void TimeObject_impl::SetPaused(bool isPaused)
{
    paused.store(isPaused, std::memory_order_release);
}

bool TimeObject_impl::Start(bool startPaused, std::uint16_t delayMs)
{
    std::scoped_lock lock(owner.Lock());
    if (retired || IsRunning() || GetPeriod() <= 0 || (GetDuration() <= 0 && !IsEndless()))
    {
        return false;
    }
    periodElapsed = 0;
    totalElapsed = -1;
    delay = delayMs;
    paused.store(startPaused, std::memory_order_release);
    // Running before the start notification, so that a notification that
    // stops the object keeps it stopped and one that starts it again is refused.
    running.store(true, std::memory_order_release);
    if (!startPaused)
    {
        BusyScope busy(*this);
        Notify(&TimeObjectMessageObserver::OnTimeObjectStart);
    }
    return true;
}

void TimeObject_impl::Stop()
{
    std::scoped_lock lock(owner.Lock());
    running.store(false, std::memory_order_release);
}

void TimeObject_impl::Advance()
{
    BusyScope busy(*this);
    if (delay > 0)
    {
        delay -= kStepMs;
        if (delay <= 0)
        {
            Notify(&TimeObjectMessageObserver::OnTimeObjectStart);
        }
        return;
    }

    totalElapsed = AddStep(totalElapsed < 0 ? 0 : totalElapsed);
    if (!IsEndless() && totalElapsed >= GetDuration())
    {
        running.store(false, std::memory_order_release);
        Notify(&TimeObjectMessageObserver::OnTimeObjectTick);
        Notify(&TimeObjectMessageObserver::OnTimeObjectFinish);
        return;
    }

    periodElapsed = AddStep(periodElapsed);
    if (periodElapsed >= GetPeriod())
    {
        // Reset, not reduced by the period: a period that is not a multiple of
        // the step is rounded up to one.
        periodElapsed = 0;
        Notify(&TimeObjectMessageObserver::OnTimeObjectTick);
    }
}

void TimeObject_impl::Retire()
{
    running.store(false, std::memory_order_release);
    retired = true;
    if (busyDepth == 0)
    {
        delete this;
    }
}

void TimeObject_impl::Notify(void (TimeObjectMessageObserver::*notification)(int))
{
    if (observer != nullptr && !retired)
    {
        (observer->*notification)(id);
    }
}

} // namespace TimeLibrary
