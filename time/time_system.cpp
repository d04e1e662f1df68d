// The time system: the slot table, the per-tick pass and the process-wide singleton.
// SPDX-License-Identifier: MIT
#include "time/time_system_impl.h"

#include "time/time_object_impl.h"

#include <new>

namespace TimeLibrary
{

namespace
{

std::atomic<TimeSystem_impl*> theTimeSystem{nullptr};

} // namespace

TimeSystem_impl::~TimeSystem_impl()
{
    StopClock();
    ReleaseAll();
}

std::uint64_t TimeSystem_impl::GetTime() const
{
    return now.load(std::memory_order_relaxed);
}

ITimeObject* TimeSystem_impl::CreateTimeObject(TimeObjectMessageObserver* observer, int durationMs,
                                               int periodMs)
{
    std::scoped_lock lock(systemLock);
    for (int id = 1; id < kSlotCount; ++id)
    {
        if (slots[id] == nullptr)
        {
            slots[id] =
                new (std::nothrow) TimeObject_impl(*this, id, observer, durationMs, periodMs);
            return slots[id];
        }
    }
    return nullptr;
}

void TimeSystem_impl::ReleaseTimeObject(ITimeObject* object)
{
    if (object == nullptr)
    {
        return;
    }
    std::scoped_lock lock(systemLock);
    // Found by address rather than by its id: an object released twice must
    // not be read, and its id may already belong to another object.
    for (int id = 1; id < kSlotCount; ++id)
    {
        if (slots[id] == object)
        {
            TimeObject_impl* released = slots[id];
            slots[id] = nullptr;
            released->Retire();
            return;
        }
    }
}

void TimeSystem_impl::ReleaseAll()
{
    std::scoped_lock lock(systemLock);
    for (TimeObject_impl*& slot : slots)
    {
        if (slot != nullptr)
        {
            TimeObject_impl* released = slot;
            slot = nullptr;
            released->Retire();
        }
    }
}

void TimeSystem_impl::TickAll()
{
    std::scoped_lock lock(systemLock);
    for (int id = 1; id < kSlotCount; ++id)
    {
        TimeObject_impl* object = slots[id];
        if (object != nullptr && object->IsRunning() && !object->IsPaused())
        {
            object->Advance();
        }
    }
    now.fetch_add(kStepMs, std::memory_order_relaxed);
}

TimeSystem_impl* CreateTimeSystem()
{
    TimeSystem_impl* existing = theTimeSystem.load(std::memory_order_acquire);
    if (existing != nullptr)
    {
        return existing;
    }
    auto* created = new (std::nothrow) TimeSystem_impl();
    theTimeSystem.store(created, std::memory_order_release);
    return created;
}

ITimeSystem* GetTimeSystem()
{
    return theTimeSystem.load(std::memory_order_acquire);
}

void DestroyTimeSystem()
{
    TimeSystem_impl* system = theTimeSystem.load(std::memory_order_acquire);
    if (system == nullptr)
    {
        return;
    }
    // The clock stops first: its notifications may still ask for the time system.
    system->StopClock();
    theTimeSystem.store(nullptr, std::memory_order_release);
    delete system;
}

} // namespace TimeLibrary
