// Pacing of the main loop, driven by a hand-moved clock.
// SPDX-License-Identifier: MIT
#include "framework/app/lumo_app_base.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

using Lumo::ManualClock;
using Lumo::WindowMessage;
using Lumo::WindowMessageKind;

constexpr std::int64_t kClockStartMs = 100000;

// An application without a window: updates and presents are written into a
// trace ('U' for an update, 'P' for a presented frame).
class PacedApp : public Lumo::LumoAppBase
{
public:
    PacedApp() : PacedApp(new ManualClock(kClockStartMs)) {}

    ManualClock& Time() { return *manualClock; }

    // Loading is over before the loop starts, as it is a moment after start-up.
    void FinishLoading()
    {
        startLoadingThreadAutomatically = false;
        MarkLoadingFinished();
    }

    void Queue(WindowMessageKind kind)
    {
        WindowMessage message;
        message.kind = kind;
        QueueMessage(message);
    }

    int UpdatesSinceLastPresent() const
    {
        const std::size_t lastPresent = trace.rfind('P');
        return static_cast<int>(trace.size() - (lastPresent == std::string::npos ? 0 : lastPresent + 1));
    }

    std::string trace;
    bool widgetsDirty = true;
    int presentCostMs = 0;
    int dispatched = 0;
    int loadingCompletedCalls = 0;
    std::string updatesWhenLoadingCompleted;

protected:
    bool UpdateWidgets() override
    {
        trace += 'U';
        return widgetsDirty;
    }
    bool DrawWidgets() override { return widgetsDirty; }
    bool PresentFrame() override
    {
        trace += 'P';
        manualClock->Advance(presentCostMs);
        return true;
    }
    void PumpWindowMessages() override {}
    void DispatchToWidgets(const WindowMessage&) override { ++dispatched; }
    void LoadingCompleted() override
    {
        ++loadingCompletedCalls;
        updatesWhenLoadingCompleted = trace;
    }

private:
    explicit PacedApp(ManualClock* clock) : LumoAppBase(std::unique_ptr<Lumo::Clock>(clock)), manualClock(clock) {}

    ManualClock* manualClock;
};

int CountUpdates(const std::string& trace)
{
    return static_cast<int>(std::count(trace.begin(), trace.end(), 'U'));
}

// The largest number of updates between two presented frames.
int LongestUpdateRun(const std::string& trace)
{
    int longest = 0;
    int run = 0;
    for (char event : trace)
    {
        run = event == 'U' ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

TEST(AppLoopTest, WindowedLoopRunsOneHundredUpdatesPerSecondAndSleepsBetween)
{
    PacedApp app;
    app.FinishLoading();
    const std::int64_t start = app.Time().NowMs();
    while (app.Time().NowMs() - start < 1000)
    {
        app.AppUpdate();
    }
    const int updates = CountUpdates(app.trace);
    EXPECT_GE(updates, 99);
    EXPECT_LE(updates, 101);
    // Nearly all of the second was spent asleep: nothing spins.
    EXPECT_GE(app.Time().TotalSleptMs(), 990);
    EXPECT_EQ(app.GetStatistics().updateCount, updates);
}

TEST(AppLoopTest, StallIsCaughtUpWithAtMostTwentyUpdatesAndDrawsInBetween)
{
    PacedApp app;
    app.FinishLoading();
    for (int i = 0; i < 50; ++i)
    {
        app.AppUpdate();
    }
    app.trace.clear();
    const int sleepsBefore = app.Time().SleepCalls();

    app.Time().Advance(1000); // the process was stopped for a second
    while (app.Time().SleepCalls() == sleepsBefore)
    {
        app.AppUpdate();
    }

    EXPECT_EQ(CountUpdates(app.trace), 20) << app.trace;
    EXPECT_LE(LongestUpdateRun(app.trace), 10) << app.trace;
    EXPECT_GE(std::count(app.trace.begin(), app.trace.end(), 'P'), 2) << app.trace;
}

TEST(AppLoopTest, DrawIsForcedAfterTenUpdatesOnlyOnceLoadingIsComplete)
{
    PacedApp app;
    app.startLoadingThreadAutomatically = false; // loading still running
    app.Time().Advance(1000);
    for (int i = 0; i < 20; ++i)
    {
        app.AppUpdate();
    }
    // Without a completed loading phase the catch-up runs unbroken.
    EXPECT_EQ(app.trace.substr(0, 20), std::string(20, 'U')) << app.trace;

    PacedApp loaded;
    loaded.FinishLoading();
    loaded.Time().Advance(1000);
    for (int i = 0; i < 20; ++i)
    {
        loaded.AppUpdate();
    }
    EXPECT_LE(LongestUpdateRun(loaded.trace), 10) << loaded.trace;
}

TEST(AppLoopTest, SpeedZeroStillPumpsAndDeletesButNeitherUpdatesNorDraws)
{
    PacedApp app;
    app.FinishLoading();
    app.speedMultiplier = 0.0;
    int deletions = 0;
    app.DeferDeletion([&deletions] { ++deletions; });
    app.Queue(WindowMessageKind::KeyDown);
    app.Queue(WindowMessageKind::KeyUp);

    const std::int64_t start = app.Time().NowMs();
    for (int i = 0; i < 200; ++i)
    {
        bool updated = true;
        ASSERT_TRUE(app.Step(updated));
        EXPECT_FALSE(updated);
    }

    EXPECT_EQ(app.trace, "");
    EXPECT_EQ(app.dispatched, 2);
    EXPECT_EQ(deletions, 1);
    // It waited instead of spinning.
    EXPECT_GE(app.Time().NowMs() - start, 500);

    app.Queue(WindowMessageKind::KeyChar);
    for (int i = 0; i < 4; ++i)
    {
        bool updated = false;
        ASSERT_TRUE(app.Step(updated));
    }
    EXPECT_EQ(app.dispatched, 3);
}

TEST(AppLoopTest, HalfSpeedRunsFiftyUpdatesPerSecond)
{
    PacedApp app;
    app.FinishLoading();
    app.speedMultiplier = 0.5;
    const std::int64_t start = app.Time().NowMs();
    while (app.Time().NowMs() - start < 1000)
    {
        app.AppUpdate();
    }
    EXPECT_NEAR(CountUpdates(app.trace), 50, 1);
}

TEST(AppLoopTest, OneMessageIsDispatchedPerStepBeforeAnyUpdate)
{
    PacedApp app;
    app.FinishLoading();
    for (int i = 0; i < 3; ++i)
    {
        app.Queue(WindowMessageKind::MouseMove);
    }
    bool updated = false;
    for (int expected = 1; expected <= 3; ++expected)
    {
        ASSERT_TRUE(app.Step(updated));
        EXPECT_EQ(app.dispatched, expected);
        EXPECT_EQ(app.trace, "");
    }
}

// A full-screen display paced by its retrace: presenting takes one frame.
void PresentAtSixtyHertz(PacedApp& app)
{
    app.FinishLoading();
    app.vsyncPacingSwitchedOn = true;
    app.windowed = false;
    app.refreshRate = 60;
}

TEST(AppLoopTest, DisplayPacingAtSixtyHertzAlternatesOneAndTwoUpdatesPerFrame)
{
    PacedApp app;
    PresentAtSixtyHertz(app);
    int frame = 0;
    app.presentCostMs = 17;
    while (std::count(app.trace.begin(), app.trace.end(), 'P') < 61)
    {
        // 17, 17, 16 ms: sixty frames a second on a millisecond clock.
        app.presentCostMs = (++frame % 3 == 0) ? 16 : 17;
        app.AppUpdate();
    }
    ASSERT_TRUE(app.IsDisplaySyncInEffect());
    // Updates between consecutive frames: one or two, 100 in 60 frames.
    const std::string frames = app.trace.substr(app.trace.find('P') + 1);
    int updates = 0;
    int run = 0;
    for (char event : frames)
    {
        if (event == 'U')
        {
            ++run;
            continue;
        }
        EXPECT_TRUE(run == 1 || run == 2) << frames;
        updates += run;
        run = 0;
    }
    EXPECT_NEAR(updates, 100, 2) << frames;
    EXPECT_FALSE(app.displayTooFast);
}

TEST(AppLoopTest, SelfCheckFallsBackToTimerPacingWhenTheDisplayIsTooFast)
{
    PacedApp app;
    PresentAtSixtyHertz(app);
    app.presentCostMs = 0; // frames that cost nothing: a display that does not wait
    while (!app.displayTooFast && app.GetStatistics().updateCount < 1000)
    {
        app.AppUpdate();
    }
    ASSERT_TRUE(app.displayTooFast);
    // Three consecutive checks too short, after the first one that set the
    // reference time; a check comes every 100 paced updates, and at 60 Hz
    // each of those brings two thirds of an extra one.
    EXPECT_GE(app.GetStatistics().updateCount, 300);
    EXPECT_LE(app.GetStatistics().updateCount, 700);
    EXPECT_FALSE(app.IsDisplaySyncInEffect());

    // From now on the timer paces: a second of updates takes a second.
    const int before = app.GetStatistics().updateCount;
    const std::int64_t start = app.Time().NowMs();
    while (app.Time().NowMs() - start < 1000)
    {
        app.AppUpdate();
    }
    EXPECT_NEAR(app.GetStatistics().updateCount - before, 100, 2);
}

TEST(AppLoopTest, SelfCheckLeavesAnHonestDisplayAlone)
{
    PacedApp app;
    PresentAtSixtyHertz(app);
    int frame = 0;
    while (app.GetStatistics().updateCount < 600)
    {
        app.presentCostMs = (++frame % 3 == 0) ? 16 : 17;
        app.AppUpdate();
    }
    EXPECT_FALSE(app.displayTooFast);
}

TEST(AppLoopTest, IdleWidgetsArePresentedOncePerSecond)
{
    PacedApp app;
    app.FinishLoading();
    app.widgetsDirty = false;
    const std::int64_t start = app.Time().NowMs();
    while (app.Time().NowMs() - start < 5000)
    {
        app.AppUpdate();
    }
    const auto presents = std::count(app.trace.begin(), app.trace.end(), 'P');
    EXPECT_GE(presents, 5);
    EXPECT_LE(presents, 6);
}

TEST(AppLoopTest, LoadingCompletedComesOnceWithTheFirstUpdateAfterLoading)
{
    PacedApp app;
    app.startLoadingThreadAutomatically = false;
    app.Time().Advance(50);
    for (int i = 0; i < 3; ++i)
    {
        app.AppUpdate();
    }
    EXPECT_EQ(app.loadingCompletedCalls, 0);
    app.FinishLoading();
    for (int i = 0; i < 3; ++i)
    {
        app.AppUpdate();
    }
    EXPECT_EQ(app.loadingCompletedCalls, 1);
    EXPECT_TRUE(app.IsLoadingCompleted());
    EXPECT_EQ(app.updatesWhenLoadingCompleted, "UUU"); // before the fourth update counted
}

TEST(AppLoopTest, ShutdownFromAnotherThreadEndsTheLoopAtTheNextStep)
{
    PacedApp app;
    app.FinishLoading();
    app.AppUpdate();
    app.RequestShutdown();
    EXPECT_FALSE(app.IsShuttingDown());
    app.AppUpdate();
    EXPECT_TRUE(app.IsShuttingDown());
    bool updated = false;
    EXPECT_FALSE(app.Step(updated));
}

TEST(AppLoopTest, RunEndsAndWritesStatisticsWhenTheApplicationShutsDown)
{
    PacedApp app;
    app.DeferDeletion([&app] { app.RequestShutdown(); });
    testing::internal::CaptureStderr();
    app.Run();
    const std::string output = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(app.IsRunning());
    EXPECT_NE(output.find("Update Count  = "), std::string::npos) << output;
    EXPECT_NE(output.find("Resource Loading Time: "), std::string::npos) << output;
}

TEST(AppLoopTest, StatisticsLeaveOutTheFrameRateWhenNothingWasTimed)
{
    Lumo::LoopStatistics statistics;
    statistics.updateCount = 3;
    const std::string quick = Lumo::FormatLoopStatistics(statistics);
    EXPECT_EQ(quick, "Seconds       = 0\nSleep Count   = 0\nUpdate Count  = 3\n"
                     "Draw Count    = 0\nDraw Time     = 0\nScreen Blt    = 0\n");

    statistics.runMs = 1500;
    statistics.drawCount = 30;
    statistics.drawTimeMs = 10;
    statistics.presentTimeMs = 5;
    const std::string timed = Lumo::FormatLoopStatistics(statistics);
    EXPECT_NE(timed.find("Seconds       = 1.5\n"), std::string::npos);
    EXPECT_NE(timed.find("Avg FPS       = 2000\n"), std::string::npos);
}

} // namespace
