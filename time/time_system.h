// The time library's public face: the one game clock and the time objects it advances.
// SPDX-License-Identifier: MIT
//
// Rules of the module:
// - One time system per process, made by CreateTimeSystem and reached through
//   GetTimeSystem. It owns every time object; callers keep plain pointers and
//   give them back with ReleaseTimeObject, never with delete.
// - The clock ticks every 5 ms of real time and advances every running,
//   unpaused object by exactly 5 ms per tick, so durations and periods are
//   rounded up to multiples of 5 ms. Ids are slot numbers 1..2047.
// - Notifications run on the clock thread with the game lock and the time
//   system lock held, except the immediate OnTimeObjectStart of Start, which
//   runs on the caller's thread with the time system lock held. Callers that
//   start objects whose observers touch game state hold the game lock first.
// - An observer may create, start, stop and release any time object from a
//   notification, itself included; a released object sends nothing more.
// - The observer is not owned and must outlive its time object.
// - Lock order: clock lock, game lock, time system lock. Never stop the clock
//   while holding the game lock.
#pragma once

#include <cstdint>

namespace TimeLibrary
{

// Receives the notifications of the time objects made with it; the id tells
// them apart. Every notification does nothing unless overridden.
class TimeObjectMessageObserver
{
  public:
    virtual ~TimeObjectMessageObserver() = default;

    // At Start (unless started paused), and again when a start delay runs out.
    virtual void OnTimeObjectStart(int id) { (void)id; }
    // Never sent by the clock; classes that forward notifications pass it on.
    virtual void OnTimeObjectSignal(int id) { (void)id; }
    // Once, right after the last OnTimeObjectTick of an object that is not endless.
    virtual void OnTimeObjectFinish(int id) { (void)id; }
    // Every time the period elapses, and once more on the finishing step.
    virtual void OnTimeObjectTick(int id) { (void)id; }
};

// A timer with a duration, a period, an optional start delay and a pause switch.
// The setters and getters take no lock; a new duration or period counts from
// the next tick.
class ITimeObject
{
  public:
    virtual int GetId() const = 0;
    virtual void SetTiming(int durationMs, int periodMs) = 0;
    virtual void SetDuration(int durationMs) = 0;
    virtual void SetPeriod(int periodMs) = 0;
    // An endless object ignores its duration and never finishes.
    virtual void SetEndless(bool endless) = 0;
    // Returns false and sends nothing when the object already runs, when its
    // period is not positive, or when its duration is not positive and it is
    // not endless. Otherwise resets the counters, sends OnTimeObjectStart now
    // unless startPaused, and counts after the delay has run out.
    virtual bool Start(bool startPaused, std::uint16_t delayMs) = 0;
    virtual bool IsRunning() const = 0;
    // A running, paused object is skipped by the clock; resuming continues
    // where it stopped and sends no start notification.
    virtual void SetPaused(bool paused) = 0;
    virtual bool IsPaused() const = 0;
    // Sends nothing; the counters stay until the next Start resets them.
    virtual void Stop() = 0;
    virtual int GetDuration() const = 0;
    virtual int GetPeriod() const = 0;
    virtual bool IsEndless() const = 0;

  protected:
    // Objects are given back with ITimeSystem::ReleaseTimeObject, never deleted by callers.
    virtual ~ITimeObject() = default;
};

class ITimeSystem
{
  public:
    // Releases every time object that is left.
    virtual ~ITimeSystem() = default;

    // Milliseconds since the clock was last started, in steps of 5.
    virtual std::uint64_t GetTime() const = 0;
    // Takes the lowest free id. Returns null when all 2047 ids are in use or
    // memory runs out. The object starts idle: not running, paused or endless.
    virtual ITimeObject* CreateTimeObject(TimeObjectMessageObserver* observer, int durationMs,
                                          int periodMs) = 0;
    // Ends the object in any state, sending nothing. Null, or an object that
    // was already released, is ignored.
    virtual void ReleaseTimeObject(ITimeObject* object) = 0;
};

class TimeSystem_impl;

// Makes the process-wide time system (or returns the one that exists). The
// kernel calls it before anything else of this library. Returns null only
// when memory runs out.
TimeSystem_impl* CreateTimeSystem();
// The process-wide time system; null before CreateTimeSystem and after
// DestroyTimeSystem. Safe to call from any thread.
ITimeSystem* GetTimeSystem();
// Stops the clock if it still runs, releases every time object and deletes
// the time system. Does nothing when there is none. Not from a notification.
void DestroyTimeSystem();

} // namespace TimeLibrary
