// Tests of the clock: its pacing rules, its thread, and notifications racing the main thread.
// SPDX-License-Identifier: MIT
#include "common/game_lock.h"
#include "time/clock_pacer.h"
#include "time/time_system_impl.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <latch>
#include <mutex>
#include <random>
#include <vector>

namespace
{

using TimeLibrary::ClockPacer;
using TimeLibrary::ClockSource;
using TimeLibrary::ITimeObject;
using TimeLibrary::ITimeSystem;
using TimeLibrary::TimeObjectMessageObserver;
using TimeLibrary::TimeSystem_impl;

// A counter in microseconds: step 5000, eighth 125.
constexpr std::int64_t kMicrosecondsPerSecond = 1'000'000;

TEST(ClockPacer, LatenessBecomesDebtAndIsPaidBackAnEighthAtATime)
{
    struct Case
    {
        const char* what;
        std::vector<std::int64_t> lateUs; // how late each wait ends, past its deadline
        std::vector<std::int64_t> waits;  // the wait of the following tick
        std::vector<std::int64_t> debts;  // the debt left after it
    };
    const Case cases[] = {
        {"on time", {0, 0}, {5000, 5000}, {0, 0}},
        {"late within the tolerance", {125, 100}, {5000, 5000}, {0, 0}},
        {"late past the tolerance", {126, 0}, {4875, 4999}, {1, 0}},
        {"debt larger than an eighth", {300, 0, 0, 0}, {4875, 4875, 4950, 5000}, {175, 50, 0, 0}},
        // While paying back, a wait of 4875 may end up to 250 late untallied.
        {"late while paying back", {300, 200, 0, 0}, {4875, 4875, 4950, 5000}, {175, 50, 0, 0}},
        {"a stall", {20000, 0}, {4875, 4875}, {19875, 19750}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        ClockPacer pacer(kMicrosecondsPerSecond, 0);
        ASSERT_EQ(pacer.Step(), 5000);
        ASSERT_EQ(pacer.Eighth(), 125);
        pacer.Begin(1000);
        for (std::size_t i = 0; i < c.lateUs.size(); ++i)
        {
            pacer.EndTick(pacer.Deadline() + c.lateUs[i]);
            EXPECT_EQ(pacer.Wait(), c.waits[i]) << "after tick " << i;
            EXPECT_EQ(pacer.Debt(), c.debts[i]) << "after tick " << i;
        }
    }
}

TEST(ClockPacer, AStallIsNeverMadeUpByABurst)
{
    ClockPacer pacer(kMicrosecondsPerSecond, 0);
    pacer.Begin(0);
    const std::int64_t stalledUntil = pacer.Deadline() + 50'000;
    pacer.EndTick(stalledUntil);
    EXPECT_EQ(pacer.Deadline(), stalledUntil + 4875);
}

TEST(ClockPacer, WakeUpJitterDoesNotDriftAndDebtIsAllThatRemains)
{
    // However late the waits end, the next deadline is the ideal one (start +
    // ticks * step) plus the debt still owed. The one loss the rules accept:
    // a wait that was shortened to pay back debt and still ends late counts
    // its lateness from the shortened wait, so that payment is lost for good.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> jitter(0, 125);
    std::uniform_int_distribution<int> stall(0, 99);
    for (const bool withStalls : {false, true})
    {
        SCOPED_TRACE(withStalls ? "with stalls" : "jitter only");
        ClockPacer pacer(kMicrosecondsPerSecond, 0);
        const std::int64_t start = 12345;
        std::int64_t lost = 0;
        pacer.Begin(start);
        for (std::int64_t ticks = 1; ticks <= 20000; ++ticks)
        {
            const std::int64_t late = withStalls && stall(random) == 0 ? 3000 : jitter(random);
            const std::int64_t wait = pacer.Wait();
            if (wait < pacer.Step() && wait + late > pacer.Step() + pacer.Eighth())
            {
                lost += pacer.Step() - wait;
            }
            pacer.EndTick(pacer.Deadline() + late);
            ASSERT_EQ(pacer.Deadline() - lost, start + (ticks + 1) * 5000 + pacer.Debt()) << ticks;
        }
        // With no more lateness the debt is paid off.
        for (int i = 0; i < 2000; ++i)
        {
            pacer.EndTick(pacer.Deadline());
        }
        EXPECT_EQ(pacer.Debt(), 0);
    }
}

TEST(ClockPacer, DebtCarriesOverFromTheLastRun)
{
    ClockPacer pacer(kMicrosecondsPerSecond, 200);
    pacer.Begin(0);
    pacer.EndTick(pacer.Deadline());
    EXPECT_EQ(pacer.Wait(), 4875);
    EXPECT_EQ(pacer.Debt(), 75);
}

// A clock under the test's control: each wait ends as late as the script
// says, then, with the script used up, waits stay blocked until Release.
class ScriptedClock : public ClockSource
{
  public:
    explicit ScriptedClock(std::vector<std::int64_t> lateUs) : script(std::move(lateUs)) {}

    std::int64_t CountsPerSecond() const override { return kMicrosecondsPerSecond; }
    std::int64_t Now() override
    {
        std::scoped_lock lock(mutex);
        return now;
    }
    void SleepUntil(std::int64_t deadline) override
    {
        std::unique_lock lock(mutex);
        deadlines.push_back(deadline);
        if (deadlines.size() > script.size())
        {
            changed.notify_all();
            changed.wait(lock, [this] { return released; });
            now = deadline;
            return;
        }
        now = deadline + script[deadlines.size() - 1];
    }

    // Blocks until every scripted wait has been used; returns their deadlines.
    std::vector<std::int64_t> WaitForScript()
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [this] { return deadlines.size() > script.size(); });
        return {deadlines.begin(), deadlines.begin() + static_cast<long>(script.size())};
    }

    void Release()
    {
        std::scoped_lock lock(mutex);
        released = true;
        changed.notify_all();
    }

  private:
    std::mutex mutex;
    std::condition_variable changed;
    const std::vector<std::int64_t> script;
    std::vector<std::int64_t> deadlines;
    std::int64_t now = 1'000'000;
    bool released = false;
};

TEST(ClockThread, SleepsToTheDeadlinesThePacingRulesGive)
{
    TimeSystem_impl system;
    auto source = std::make_unique<ScriptedClock>(std::vector<std::int64_t>{0, 0, 300, 0, 0, 0});
    ScriptedClock* clock = source.get();
    ASSERT_TRUE(system.StartClock(std::move(source)));
    const std::vector<std::int64_t> deadlines = clock->WaitForScript();
    // Ticks measured from 1 s; the third wait ends 300 late, which is paid
    // back over the next three.
    const std::vector<std::int64_t> expected = {1'005'000, 1'010'000, 1'015'000,
                                                1'020'175, 1'025'050, 1'030'000};
    EXPECT_EQ(deadlines, expected);
    EXPECT_EQ(system.GetTime(), 35u) << "one tick before each wait, and the one being waited on";
    clock->Release();
    system.StopClock();
    EXPECT_FALSE(system.IsClockRunning());
}

// Counts the ticks of one endless timer and lets a test wait for them.
class TickCounter : public TimeObjectMessageObserver
{
  public:
    explicit TickCounter(int wanted) : wanted(wanted), enough(wanted) {}

    void OnTimeObjectTick(int) override
    {
        if (count.fetch_add(1) < wanted)
        {
            enough.count_down();
        }
    }

    std::atomic<int> count{0};
    const int wanted;
    std::latch enough;
};

ITimeObject* StartEveryTickTimer(ITimeSystem& system, TimeObjectMessageObserver& observer)
{
    ITimeObject* timer = system.CreateTimeObject(&observer, 0, TimeSystem_impl::kStepMs);
    timer->SetEndless(true);
    EXPECT_TRUE(timer->Start(true, 0));
    timer->SetPaused(false);
    return timer;
}

TEST(ClockThread, StartsFromZeroOnceAndTicksUnderTheGameLock)
{
    TimeSystem_impl system;
    TickCounter counter(3);
    StartEveryTickTimer(system, counter);
    {
        // The clock takes the game lock for every tick: while the test holds
        // it, no tick can pass.
        CommonLibrary::GameLockGuard game;
        ASSERT_TRUE(system.StartClock());
        EXPECT_TRUE(system.IsClockRunning());
        EXPECT_EQ(system.GetTime(), 0u);
        EXPECT_FALSE(system.StartClock()) << "already running";
        EXPECT_EQ(counter.count.load(), 0);
    }
    counter.enough.wait();
    system.StopClock();
    EXPECT_FALSE(system.IsClockRunning());
    const std::uint64_t stoppedAt = system.GetTime();
    EXPECT_GE(stoppedAt, 15u);
    EXPECT_EQ(stoppedAt % 5, 0u);
    system.StopClock(); // a second stop does nothing

    CommonLibrary::GameLock().lock();
    ASSERT_TRUE(system.StartClock()) << "a stopped clock starts again";
    EXPECT_EQ(system.GetTime(), 0u);
    CommonLibrary::GameLock().unlock();
    // The destructor stops the running clock.
}

// Stops the clock from its own tick notification.
class ClockStopper : public TimeObjectMessageObserver
{
  public:
    explicit ClockStopper(TimeSystem_impl& system) : system(system) {}

    void OnTimeObjectTick(int) override
    {
        if (!stopped.exchange(true))
        {
            system.StopClock();
            EXPECT_FALSE(system.StartClock()) << "the clock thread cannot wait for itself";
            done.count_down();
        }
    }

    TimeSystem_impl& system;
    std::atomic<bool> stopped{false};
    std::latch done{1};
};

TEST(ClockThread, StoppedFromItsOwnNotificationEndsAfterThatTick)
{
    TimeSystem_impl system;
    ClockStopper stopper(system);
    StartEveryTickTimer(system, stopper);
    ASSERT_TRUE(system.StartClock());
    stopper.done.wait();
    EXPECT_FALSE(system.IsClockRunning());
    ASSERT_TRUE(system.StartClock()) << "the ended thread is joined and a new one starts";
    system.StopClock();
}

// A clock that never waits, so that the stress test below packs many ticks
// into little time.
class RushingClock : public ClockSource
{
  public:
    std::int64_t CountsPerSecond() const override { return kMicrosecondsPerSecond; }
    std::int64_t Now() override { return now.load(); }
    void SleepUntil(std::int64_t deadline) override { now.store(deadline); }

  private:
    std::atomic<std::int64_t> now{0};
};

// On the clock thread: every tick makes a one-shot that releases itself from
// its own finish, and stops, restarts or releases others made earlier.
class ClockSideChurn : public TimeObjectMessageObserver
{
  public:
    void OnTimeObjectTick(int id) override
    {
        ITimeSystem* system = TimeLibrary::GetTimeSystem();
        if (id != churnerId)
        {
            return;
        }
        const int n = ticks.fetch_add(1) + 1;
        ITimeObject* shot = system->CreateTimeObject(this, 5 * (1 + n % 4), 5);
        if (shot != nullptr)
        {
            EXPECT_TRUE(shot->Start(n % 3 == 0, static_cast<std::uint16_t>(n % 11)));
            shot->SetPaused(false);
            recent[n % kRecent] = shot;
        }
        ITimeObject* old = recent[(n + 1) % kRecent];
        if (old != nullptr)
        {
            switch (n % 3)
            {
            case 0:
                old->Stop();
                break;
            case 1:
                (void)old->Start(false, 0);
                break;
            default:
                recent[(n + 1) % kRecent] = nullptr;
                system->ReleaseTimeObject(old);
                break;
            }
        }
        if (n == kWantedTicks)
        {
            enough.count_down();
        }
    }

    void OnTimeObjectFinish(int id) override
    {
        for (ITimeObject*& object : recent)
        {
            if (object != nullptr && object->GetId() == id)
            {
                ITimeObject* finished = object;
                object = nullptr;
                TimeLibrary::GetTimeSystem()->ReleaseTimeObject(finished);
                return;
            }
        }
    }

    static constexpr int kRecent = 16;
    static constexpr int kWantedTicks = 3000;
    int churnerId = 0;
    std::atomic<int> ticks{0};
    std::latch enough{1};

  private:
    ITimeObject* recent[kRecent] = {};
};

// On the main thread: each start notification makes and releases a spare object.
class MainSideObserver : public TimeObjectMessageObserver
{
  public:
    void OnTimeObjectStart(int) override
    {
        ITimeSystem* system = TimeLibrary::GetTimeSystem();
        system->ReleaseTimeObject(system->CreateTimeObject(this, 10, 5));
        starts.fetch_add(1);
    }
    void OnTimeObjectTick(int) override { ticks.fetch_add(1); }

    std::atomic<int> starts{0};
    std::atomic<int> ticks{0};
};

TEST(ClockThread, NotificationsCallBackWhileTheMainThreadStartsAndStops)
{
    TimeSystem_impl* system = TimeLibrary::CreateTimeSystem();
    ASSERT_NE(system, nullptr);
    ClockSideChurn churn;
    churn.churnerId = StartEveryTickTimer(*system, churn)->GetId();
    MainSideObserver mainSide;
    std::vector<ITimeObject*> mine;
    for (int i = 0; i < 24; ++i)
    {
        mine.push_back(system->CreateTimeObject(&mainSide, 5 * (1 + i % 7), 5 * (1 + i % 3)));
    }
    ASSERT_TRUE(system->StartClock(std::make_unique<RushingClock>()));

    std::mt19937 random(11);
    for (int round = 0; round < 20000; ++round)
    {
        const std::size_t pick = random() % mine.size();
        ITimeObject*& object = mine[pick];
        switch (random() % 6)
        {
        case 0:
            (void)object->Start(random() % 2 == 0, static_cast<std::uint16_t>(random() % 20));
            break;
        case 1:
            object->Stop();
            break;
        case 2:
            object->SetPaused(random() % 2 == 0);
            break;
        case 3:
            object->SetTiming(5 * (1 + static_cast<int>(random() % 9)), 5);
            object->SetEndless(random() % 4 == 0);
            break;
        case 4:
            system->ReleaseTimeObject(object);
            object = system->CreateTimeObject(&mainSide, 20, 5);
            ASSERT_NE(object, nullptr);
            break;
        default:
            (void)object->IsRunning();
            (void)object->IsPaused();
            (void)system->GetTime();
            break;
        }
    }
    churn.enough.wait();
    system->StopClock();
    EXPECT_GE(churn.ticks.load(), ClockSideChurn::kWantedTicks);
    EXPECT_GT(mainSide.starts.load(), 0);
    TimeLibrary::DestroyTimeSystem();
    EXPECT_EQ(TimeLibrary::GetTimeSystem(), nullptr);
}

} // namespace
