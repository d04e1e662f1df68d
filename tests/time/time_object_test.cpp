// Tests of time objects, driven tick by tick through TimeSystem_impl::TickAll.
// SPDX-License-Identifier: MIT
#include "time/time_system_impl.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{

using TimeLibrary::ITimeObject;
using TimeLibrary::TimeObjectMessageObserver;
using TimeLibrary::TimeSystem_impl;

enum class Sent
{
    Start,
    Tick,
    Finish,
};

struct Notification
{
    Sent kind;
    int id;
    int tick; // clock ticks run before it was sent
    bool runningInside;

    bool operator==(const Notification& other) const
    {
        return kind == other.kind && id == other.id && tick == other.tick;
    }
};

std::ostream& operator<<(std::ostream& out, const Notification& n)
{
    static const char* const names[] = {"Start", "Tick", "Finish"};
    return out << names[static_cast<int>(n.kind)] << "(id " << n.id << ", tick " << n.tick << ")";
}

// Records every notification with the tick it came on, and runs an optional
// reaction inside it (to call back into the time system).
class Recorder : public TimeObjectMessageObserver
{
  public:
    void OnTimeObjectStart(int id) override { Record(Sent::Start, id); }
    void OnTimeObjectTick(int id) override { Record(Sent::Tick, id); }
    void OnTimeObjectFinish(int id) override { Record(Sent::Finish, id); }

    std::vector<Notification> sent;
    int ticksRun = 0;
    std::function<void(Sent, int)> reaction;
    ITimeObject* watched = nullptr;

  private:
    void Record(Sent kind, int id)
    {
        sent.push_back({kind, id, ticksRun, watched != nullptr && watched->IsRunning()});
        if (reaction)
        {
            reaction(kind, id);
        }
    }
};

class TimeObjectTest : public ::testing::Test
{
  protected:
    void Tick(int count)
    {
        for (int i = 0; i < count; ++i)
        {
            ++recorder.ticksRun;
            system.TickAll();
        }
    }

    // The ticks on which the given kind of notification was sent.
    std::vector<int> TicksOf(Sent kind) const
    {
        std::vector<int> ticks;
        for (const Notification& n : recorder.sent)
        {
            if (n.kind == kind)
            {
                ticks.push_back(n.tick);
            }
        }
        return ticks;
    }

    TimeSystem_impl system;
    Recorder recorder;
};

TEST_F(TimeObjectTest, OneShotSendsOneTickThenFinishAfterItsDuration)
{
    ITimeObject* shot = system.CreateTimeObject(&recorder, 4000, 4000);
    ASSERT_NE(shot, nullptr);
    recorder.watched = shot;
    ASSERT_TRUE(shot->Start(false, 0));
    Tick(1000);

    const int id = shot->GetId();
    const std::vector<Notification> expected = {
        {Sent::Start, id, 0, true}, {Sent::Tick, id, 800, false}, {Sent::Finish, id, 800, false}};
    EXPECT_EQ(recorder.sent, expected);
    ASSERT_EQ(recorder.sent.size(), 3u);
    EXPECT_TRUE(recorder.sent[0].runningInside);
    EXPECT_FALSE(recorder.sent[1].runningInside) << "not running any more inside its last tick";
    EXPECT_FALSE(recorder.sent[2].runningInside);
    EXPECT_FALSE(shot->IsRunning());
}

TEST_F(TimeObjectTest, EndlessTimerTicksEveryPeriodAndNeverFinishes)
{
    ITimeObject* timer = system.CreateTimeObject(&recorder, -1, 1000);
    ASSERT_NE(timer, nullptr);
    EXPECT_FALSE(timer->Start(false, 0)) << "a negative duration needs the endless flag";
    EXPECT_TRUE(recorder.sent.empty());

    timer->SetEndless(true);
    ASSERT_TRUE(timer->Start(false, 0));
    Tick(1000);
    EXPECT_EQ(TicksOf(Sent::Tick), (std::vector<int>{200, 400, 600, 800, 1000}));
    EXPECT_TRUE(TicksOf(Sent::Finish).empty());
    EXPECT_TRUE(timer->IsRunning());
}

TEST_F(TimeObjectTest, EndlessTimerWithTheShortestPeriodTicksOnEveryClockTick)
{
    ITimeObject* timer = system.CreateTimeObject(&recorder, 0, 5);
    timer->SetEndless(true);
    ASSERT_TRUE(timer->Start(true, 0));
    timer->SetPaused(false);
    Tick(4);
    EXPECT_EQ(TicksOf(Sent::Tick), (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(TimeObjectTest, PeriodsAndDurationsRoundUpToWholeSteps)
{
    struct Case
    {
        int periodMs;
        std::vector<int> tickOn;
    };
    const Case cases[] = {
        {1, {1, 2, 3, 4, 5, 6}},
        {5, {1, 2, 3, 4, 5, 6}},
        {7, {2, 4, 6}},
        {10, {2, 4, 6}},
        {11, {3, 6}},
        {15, {3, 6}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE("period " + std::to_string(c.periodMs));
        recorder.sent.clear();
        recorder.ticksRun = 0;
        ITimeObject* timer = system.CreateTimeObject(&recorder, 1, c.periodMs);
        timer->SetEndless(true);
        ASSERT_TRUE(timer->Start(true, 0));
        timer->SetPaused(false);
        Tick(6);
        EXPECT_EQ(TicksOf(Sent::Tick), c.tickOn);
        system.ReleaseTimeObject(timer);
    }

    // A 12 ms one-shot finishes on the third step (15 ms), with its last tick.
    recorder.sent.clear();
    ITimeObject* shot = system.CreateTimeObject(&recorder, 12, 100);
    ASSERT_TRUE(shot->Start(true, 0));
    shot->SetPaused(false);
    const int before = recorder.ticksRun;
    Tick(5);
    EXPECT_EQ(TicksOf(Sent::Finish), std::vector<int>{before + 3});
}

TEST_F(TimeObjectTest, StartDelaySendsASecondStartWhenItRunsOut)
{
    ITimeObject* timer = system.CreateTimeObject(&recorder, 0, 5);
    timer->SetEndless(true);
    ASSERT_TRUE(timer->Start(false, 100));
    Tick(22);
    const int id = timer->GetId();
    const std::vector<Notification> expected = {{Sent::Start, id, 0, false},
                                                {Sent::Start, id, 20, false},
                                                {Sent::Tick, id, 21, false},
                                                {Sent::Tick, id, 22, false}};
    EXPECT_EQ(recorder.sent, expected);
}

TEST_F(TimeObjectTest, DelayThatIsNotAWholeStepRunsOutOnTheStepThatPassesIt)
{
    ITimeObject* shot = system.CreateTimeObject(&recorder, 5, 5);
    ASSERT_TRUE(shot->Start(true, 12));
    shot->SetPaused(false);
    Tick(4);
    EXPECT_EQ(TicksOf(Sent::Start), std::vector<int>{3});
    EXPECT_EQ(TicksOf(Sent::Finish), std::vector<int>{4});
}

TEST_F(TimeObjectTest, PausedObjectsStandStillAndResumeWhereTheyWere)
{
    ITimeObject* shot = system.CreateTimeObject(&recorder, 100, 50);
    ASSERT_TRUE(shot->Start(true, 0));
    EXPECT_TRUE(shot->IsRunning());
    EXPECT_TRUE(shot->IsPaused());
    Tick(50);
    EXPECT_TRUE(recorder.sent.empty()) << "started paused: no start notification, no ticks";

    shot->SetPaused(false);
    Tick(5); // 25 ms counted
    shot->SetPaused(true);
    Tick(100);
    EXPECT_TRUE(recorder.sent.empty());

    shot->SetPaused(false);
    Tick(20); // 125 ms counted: ticks at 50 and 100 ms, finish at 100 ms
    EXPECT_EQ(TicksOf(Sent::Start), std::vector<int>{});
    EXPECT_EQ(TicksOf(Sent::Tick), (std::vector<int>{160, 170}));
    EXPECT_EQ(TicksOf(Sent::Finish), std::vector<int>{170});
}

TEST_F(TimeObjectTest, StartIsRefusedWithoutNotificationOrChange)
{
    struct Case
    {
        const char* what;
        int durationMs;
        int periodMs;
        bool endless;
        bool expected;
    };
    const Case cases[] = {
        {"period zero", 100, 0, false, false},
        {"negative period", 100, -5, false, false},
        {"endless with period zero", 100, 0, true, false},
        {"duration zero", 0, 10, false, false},
        {"negative duration", -1, 10, false, false},
        {"endless ignores duration", -1, 10, true, true},
        {"smallest one-shot", 1, 1, false, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        recorder.sent.clear();
        ITimeObject* timer = system.CreateTimeObject(&recorder, c.durationMs, c.periodMs);
        timer->SetEndless(c.endless);
        EXPECT_EQ(timer->Start(false, 0), c.expected);
        EXPECT_EQ(timer->IsRunning(), c.expected);
        EXPECT_EQ(recorder.sent.size(), c.expected ? 1u : 0u);
        system.ReleaseTimeObject(timer);
    }
}

TEST_F(TimeObjectTest, StartOnARunningObjectIsRefusedAndDoesNotResetIt)
{
    ITimeObject* shot = system.CreateTimeObject(&recorder, 50, 50);
    ASSERT_TRUE(shot->Start(false, 0));
    Tick(5);
    EXPECT_FALSE(shot->Start(false, 0));
    EXPECT_FALSE(shot->Start(true, 100));
    EXPECT_FALSE(shot->IsPaused());
    Tick(10);
    EXPECT_EQ(TicksOf(Sent::Start), std::vector<int>{0});
    EXPECT_EQ(TicksOf(Sent::Finish), std::vector<int>{10});
}

TEST_F(TimeObjectTest, StopSendsNothingAndTheNextStartCountsAfresh)
{
    ITimeObject* shot = system.CreateTimeObject(&recorder, 50, 50);
    ASSERT_TRUE(shot->Start(false, 0));
    Tick(8);
    shot->Stop();
    EXPECT_FALSE(shot->IsRunning());
    Tick(10);
    EXPECT_EQ(recorder.sent.size(), 1u);

    ASSERT_TRUE(shot->Start(false, 0));
    Tick(10);
    EXPECT_EQ(TicksOf(Sent::Start), (std::vector<int>{0, 18}));
    EXPECT_EQ(TicksOf(Sent::Finish), std::vector<int>{28});
}

TEST_F(TimeObjectTest, NewTimingCountsFromTheNextTick)
{
    ITimeObject* timer = system.CreateTimeObject(&recorder, 1000, 100);
    ASSERT_TRUE(timer->Start(false, 0));
    Tick(10); // 50 ms
    timer->SetTiming(60, 20);
    EXPECT_EQ(timer->GetDuration(), 60);
    EXPECT_EQ(timer->GetPeriod(), 20);
    Tick(4);
    // Period count was 50 when the period dropped to 20: it ticks on the
    // next step and every 4 steps after; the duration runs out at 60 ms.
    EXPECT_EQ(TicksOf(Sent::Tick), (std::vector<int>{11, 12}));
    EXPECT_EQ(TicksOf(Sent::Finish), std::vector<int>{12});
}

TEST_F(TimeObjectTest, ClockTimeGrowsByFiveMillisecondsPerTick)
{
    EXPECT_EQ(system.GetTime(), 0u);
    Tick(3);
    EXPECT_EQ(system.GetTime(), 15u);
}

TEST_F(TimeObjectTest, AllIdsTakenRefusesCreationAndAReleasedIdIsReusedFirst)
{
    std::vector<ITimeObject*> objects;
    for (int i = 1; i < TimeSystem_impl::kSlotCount; ++i)
    {
        ITimeObject* object = system.CreateTimeObject(&recorder, 10, 10);
        ASSERT_NE(object, nullptr);
        ASSERT_EQ(object->GetId(), i) << "the lowest free id is taken";
        objects.push_back(object);
    }
    EXPECT_EQ(system.CreateTimeObject(&recorder, 10, 10), nullptr);

    system.ReleaseTimeObject(objects[699]);
    system.ReleaseTimeObject(objects[99]);
    ITimeObject* reused = system.CreateTimeObject(&recorder, 10, 10);
    ASSERT_NE(reused, nullptr);
    EXPECT_EQ(reused->GetId(), 100);
    reused = system.CreateTimeObject(&recorder, 10, 10);
    ASSERT_NE(reused, nullptr);
    EXPECT_EQ(reused->GetId(), 700);
    EXPECT_EQ(system.CreateTimeObject(&recorder, 10, 10), nullptr);
}

TEST_F(TimeObjectTest, ReleasingNullOrTwiceDoesNothing)
{
    ITimeObject* first = system.CreateTimeObject(&recorder, 10, 10);
    system.ReleaseTimeObject(nullptr);
    system.ReleaseTimeObject(first);
    // The stale pointer must not release the object that took its id.
    ITimeObject* second = system.CreateTimeObject(&recorder, 10, 10);
    ASSERT_EQ(second->GetId(), 1);
    if (second != first)
    {
        system.ReleaseTimeObject(first);
    }
    ASSERT_TRUE(second->Start(false, 0));
    Tick(2);
    EXPECT_EQ(TicksOf(Sent::Finish), std::vector<int>{2});
}

TEST_F(TimeObjectTest, ReleasedRunningObjectSendsNothingMore)
{
    ITimeObject* timer = system.CreateTimeObject(&recorder, 10, 5);
    ASSERT_TRUE(timer->Start(false, 0));
    system.ReleaseTimeObject(timer);
    Tick(5);
    EXPECT_EQ(recorder.sent.size(), 1u);
}

// Notifications call back into the time system on the notifying thread.
class TimeObjectCallbackTest : public TimeObjectTest
{
  protected:
    // Runs the reaction once, on the first notification of the given kind.
    void OnFirst(Sent kind, std::function<void(int)> action)
    {
        recorder.reaction = [kind, action, done = false](Sent sent, int id) mutable
        {
            if (sent == kind && !done)
            {
                done = true;
                action(id);
            }
        };
    }
};

TEST_F(TimeObjectCallbackTest, ObjectReleasedInsideItsOwnNotificationStopsThere)
{
    struct Case
    {
        const char* what;
        Sent releasedIn;
        bool endless;
        std::vector<Sent> expected;
    };
    const Case cases[] = {
        {"its start", Sent::Start, false, {Sent::Start}},
        {"a periodic tick", Sent::Tick, true, {Sent::Start, Sent::Tick}},
        {"its last tick, before the finish", Sent::Tick, false, {Sent::Start, Sent::Tick}},
        {"its finish", Sent::Finish, false, {Sent::Start, Sent::Tick, Sent::Finish}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        recorder.sent.clear();
        ITimeObject* timer = system.CreateTimeObject(&recorder, 10, 10);
        timer->SetEndless(c.endless);
        OnFirst(c.releasedIn, [this, timer](int) { system.ReleaseTimeObject(timer); });
        ASSERT_TRUE(timer->Start(false, 0));
        Tick(6);
        std::vector<Sent> kinds;
        for (const Notification& n : recorder.sent)
        {
            kinds.push_back(n.kind);
        }
        EXPECT_EQ(kinds, c.expected);
        // Its id is free again at once.
        ITimeObject* next = system.CreateTimeObject(&recorder, 10, 10);
        ASSERT_NE(next, nullptr);
        EXPECT_EQ(next->GetId(), 1);
        recorder.reaction = nullptr;
        system.ReleaseTimeObject(next);
    }
}

TEST_F(TimeObjectCallbackTest, ObjectReleasedInsideItsDelayedStartStopsThere)
{
    ITimeObject* timer = system.CreateTimeObject(&recorder, 10, 5);
    ASSERT_TRUE(timer->Start(true, 10));
    timer->SetPaused(false);
    OnFirst(Sent::Start, [this, timer](int) { system.ReleaseTimeObject(timer); });
    Tick(6);
    EXPECT_EQ(TicksOf(Sent::Start), std::vector<int>{2});
    EXPECT_TRUE(TicksOf(Sent::Tick).empty());
}

TEST_F(TimeObjectCallbackTest, OneShotRestartedFromItsFinishRepeats)
{
    ITimeObject* shot = system.CreateTimeObject(&recorder, 15, 15);
    recorder.reaction = [shot](Sent kind, int)
    {
        if (kind == Sent::Finish)
        {
            EXPECT_TRUE(shot->Start(false, 0));
        }
    };
    ASSERT_TRUE(shot->Start(false, 0));
    Tick(9);
    EXPECT_EQ(TicksOf(Sent::Finish), (std::vector<int>{3, 6, 9}));
    EXPECT_EQ(TicksOf(Sent::Start), (std::vector<int>{0, 3, 6, 9}));
}

TEST_F(TimeObjectCallbackTest, StopOrRestartInsideTheStartNotificationHolds)
{
    ITimeObject* timer = system.CreateTimeObject(&recorder, 50, 5);
    OnFirst(Sent::Start,
            [timer](int)
            {
                EXPECT_FALSE(timer->Start(false, 0)) << "already started";
                timer->Stop();
            });
    ASSERT_TRUE(timer->Start(false, 0));
    EXPECT_FALSE(timer->IsRunning());
    Tick(5);
    EXPECT_EQ(recorder.sent.size(), 1u);
}

TEST_F(TimeObjectCallbackTest, ObjectsMadeInANotificationJoinTheSamePassWhenAfterIt)
{
    // id 1 is released so that the object made later reuses the lower id.
    ITimeObject* spare = system.CreateTimeObject(&recorder, 10, 10);
    ITimeObject* maker = system.CreateTimeObject(&recorder, 0, 5);
    maker->SetEndless(true);
    system.ReleaseTimeObject(spare);
    ITimeObject* made[2] = {nullptr, nullptr};
    int madeCount = 0;
    recorder.reaction = [&](Sent kind, int id)
    {
        if (kind == Sent::Tick && id == maker->GetId() && madeCount < 2)
        {
            ITimeObject* object = system.CreateTimeObject(&recorder, 0, 5);
            object->SetEndless(true);
            EXPECT_TRUE(object->Start(true, 0));
            object->SetPaused(false);
            made[madeCount++] = object;
        }
    };
    ASSERT_TRUE(maker->Start(true, 0));
    maker->SetPaused(false);
    Tick(2);
    ASSERT_EQ(madeCount, 2);
    EXPECT_EQ(made[0]->GetId(), 1) << "below the maker: first advanced on the next tick";
    EXPECT_EQ(made[1]->GetId(), 3) << "above the maker: advanced in the same pass";
    std::vector<std::pair<int, int>> ticks; // (tick, id)
    for (const Notification& n : recorder.sent)
    {
        ticks.emplace_back(n.tick, n.id);
    }
    EXPECT_EQ(ticks, (std::vector<std::pair<int, int>>{{1, 2}, {2, 1}, {2, 2}, {2, 3}}));
}

TEST_F(TimeObjectCallbackTest, ObjectReleasedByAnotherNotificationIsSkipped)
{
    ITimeObject* first = system.CreateTimeObject(&recorder, 0, 5);
    ITimeObject* second = system.CreateTimeObject(&recorder, 0, 5);
    for (ITimeObject* object : {first, second})
    {
        object->SetEndless(true);
        ASSERT_TRUE(object->Start(true, 0));
        object->SetPaused(false);
    }
    const int secondId = second->GetId();
    OnFirst(Sent::Tick, [this, second](int) { system.ReleaseTimeObject(second); });
    Tick(2);
    for (const Notification& n : recorder.sent)
    {
        EXPECT_NE(n.id, secondId);
    }
    EXPECT_EQ(recorder.sent.size(), 2u);
}

TEST_F(TimeObjectCallbackTest, ReleaseAllInsideANotificationEndsEveryObject)
{
    ITimeObject* first = system.CreateTimeObject(&recorder, 100, 5);
    ITimeObject* second = system.CreateTimeObject(&recorder, 100, 5);
    ASSERT_TRUE(first->Start(false, 0));
    ASSERT_TRUE(second->Start(false, 0));
    recorder.sent.clear();
    OnFirst(Sent::Tick, [this](int) { system.ReleaseAll(); });
    Tick(3);
    EXPECT_EQ(recorder.sent.size(), 1u);
    ITimeObject* next = system.CreateTimeObject(&recorder, 10, 10);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->GetId(), 1);
}

TEST_F(TimeObjectCallbackTest, StartNotificationOnTheCallersThreadMayReleaseTheObject)
{
    ITimeObject* timer = system.CreateTimeObject(&recorder, 10, 5);
    OnFirst(Sent::Start, [this, timer](int) { system.ReleaseTimeObject(timer); });
    EXPECT_TRUE(timer->Start(false, 0));
    Tick(3);
    EXPECT_EQ(recorder.sent.size(), 1u);
}

} // namespace
