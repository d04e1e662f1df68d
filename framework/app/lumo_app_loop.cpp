// The main loop of the application base: steps, pacing, updates and redraws.
// SPDX-License-Identifier: MIT
#include "framework/app/dd_interface.h"
#include "framework/app/lumo_app_base.h"
#include "framework/images/image_access.h"
#include "framework/sound/music_interface.h"
#include "framework/platform/platform_services.h"
#include "framework/platform/termination_signals.h"

#include "common/game_lock.h"

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdio>

namespace Lumo
{

namespace
{

// Owed time never exceeds this, so a long stall costs at most 20 catch-up
// updates at normal speed.
constexpr double kMaxPendingMs = 200.0;
// A game second that took this much real time or less counts as too fast.
constexpr std::int64_t kSelfCheckFastMs = 800;
constexpr int kSelfCheckStreakLimit = 3;
constexpr std::int64_t kForcedPresentMs = 1000;

} // namespace

std::string FormatLoopStatistics(const LoopStatistics& statistics)
{
    char line[128];
    std::string text;
    std::snprintf(line, sizeof line, "Seconds       = %g\n", statistics.runMs / 1000.0);
    text += line;
    std::snprintf(line, sizeof line, "Sleep Count   = %d\n", statistics.sleepCount);
    text += line;
    std::snprintf(line, sizeof line, "Update Count  = %d\n", statistics.updateCount);
    text += line;
    std::snprintf(line, sizeof line, "Draw Count    = %d\n", statistics.drawCount);
    text += line;
    std::snprintf(line, sizeof line, "Draw Time     = %d\n",
                  static_cast<int>(statistics.drawTimeMs));
    text += line;
    std::snprintf(line, sizeof line, "Screen Blt    = %d\n",
                  static_cast<int>(statistics.presentTimeMs));
    text += line;
    const std::int64_t busyMs = statistics.drawTimeMs + statistics.presentTimeMs;
    if (busyMs > 0)
    {
        std::snprintf(line, sizeof line, "Avg FPS       = %d\n",
                      static_cast<int>(statistics.drawCount * 1000LL / busyMs));
        text += line;
    }
    return text;
}

bool LumoAppBase::IsDisplaySyncInEffect() const
{
    return vsyncPacingSwitchedOn && !windowed && !lastRedrawSkipped && !displayTooFast &&
           !demoPlayback && presentWaitsForRetrace;
}

void LumoAppBase::Run()
{
    if (shuttingDown)
    {
        return;
    }
    StartThreads();
    if (display != nullptr)
    {
        display->GetWindow().Show();
    }
    runStartTime = clock->NowMs();
    lastMeasureTime = runStartTime;
    running = true;

    while (!shuttingDown)
    {
        exitLoop = false;
        AppUpdate();
    }

    ProcessDeferredDeletions();
    running = false;
    StopThreads();

    statistics.runMs = clock->NowMs() - runStartTime;
    std::fputs(FormatLoopStatistics(statistics).c_str(), stderr);
    Confirm3DAcceleration();
    WriteSettings();
}

void LumoAppBase::AppUpdate()
{
    bool updated = false;
    while (Step(updated) && !updated)
    {
    }
}

bool LumoAppBase::Step(bool& updated)
{
    updated = false;
    if (exitLoop)
    {
        return false;
    }
    if (stepState == StepState::AfterDrawOrSleep)
    {
        stepState = StepState::PumpMessages;
    }
    if (stepState == StepState::PumpMessages)
    {
        PumpWindowMessages();
        if (!messageQueue.empty() && !shuttingDown)
        {
            const WindowMessage message = messageQueue.front();
            messageQueue.pop_front();
            CommonLibrary::GameLockGuard lock;
            DispatchMessage(message);
        }
        if (messageQueue.empty())
        {
            stepState = StepState::Decide;
        }
        return true;
    }
    const int updatesBefore = statistics.updateCount;
    const bool goOn = Pace(true);
    updated = statistics.updateCount != updatesBefore;
    return goOn;
}

void LumoAppBase::MeasurePendingTime()
{
    const std::int64_t now = clock->NowMs();
    const std::int64_t elapsed = now - lastMeasureTime;
    pendingTime = std::min(pendingTime + static_cast<double>(elapsed), kMaxPendingMs);
    lastMeasureTime = now;
    if (relaxTimeMs > 0)
    {
        relaxTimeMs = static_cast<int>(std::max<std::int64_t>(0, relaxTimeMs - elapsed));
    }
}

void LumoAppBase::RunSelfCheck()
{
    if (demoPlayback || speedMultiplier != 1.0)
    {
        return;
    }
    ++selfCheckCounter;
    if (selfCheckCounter < (updatePeriodMs + 999) / updatePeriodMs)
    {
        return;
    }
    const std::int64_t now = clock->NowMs();
    if (now - selfCheckTime <= kSelfCheckFastMs)
    {
        if (++selfCheckStreak >= kSelfCheckStreakLimit)
        {
            displayTooFast = true;
        }
    }
    else
    {
        selfCheckStreak = 0;
    }
    selfCheckTime = now;
    selfCheckCounter = 0;
}

bool LumoAppBase::Pace(bool sleepAllowed)
{
    const std::int64_t paceStart = clock->NowMs();
    std::int64_t sleptMs = 0;

    if (TakeTerminationRequest())
    {
        CommonLibrary::GameLockGuard lock;
        TerminationRequest();
    }
    if (closeRequested.exchange(false) && !shuttingDown)
    {
        CommonLibrary::GameLockGuard lock;
        CloseRequest();
    }
    if (shutdownRequested.exchange(false))
    {
        Shutdown();
    }
    if (shuttingDown)
    {
        return true;
    }
    if (updatesPaused || speedMultiplier <= 0.0)
    {
        // Nothing to pace, but messages still need pumping: sleep one period
        // and go back to the pump instead of spinning here.
        ProcessDeferredDeletions();
        stepState = StepState::AfterDrawOrSleep;
        if (!sleepAllowed)
        {
            return false;
        }
        clock->SleepMs(updatePeriodMs);
        ++statistics.sleepCount;
        lastMeasureTime = clock->NowMs();
        return true;
    }

    const bool syncInEffect = IsDisplaySyncInEffect();
    double msPerFrame = updatePeriodMs / speedMultiplier;
    double updatesPerFrame = 1.0;
    if (syncInEffect)
    {
        msPerFrame = 1000.0 / refreshRate / speedMultiplier;
        updatesPerFrame =
            static_cast<float>(1000.0 / (static_cast<double>(refreshRate) * updatePeriodMs));
    }
    if (!syncInEffect)
    {
        MeasurePendingTime();
    }

    bool drawBranch = false;
    if (stepState == StepState::Decide)
    {
        ++updatesSinceDraw;
        if (updatesSinceDraw >= static_cast<int>(std::ceil(speedMultiplier * 10.0)) &&
            loadingCompleted)
        {
            drawBranch = true;
        }
        else
        {
            bool updateNow = false;
            double threshold = msPerFrame;
            if (syncInEffect)
            {
                if (!drawPending)
                {
                    updateNow = true;
                }
                else
                {
                    threshold = static_cast<int>(msPerFrame * 0.75);
                }
            }
            if (!updateNow && threshold > pendingTime)
            {
                drawBranch = true;
            }
            else
            {
                RunSelfCheck();
                if (UpdateOnce())
                {
                    stepState = StepState::AfterUpdate;
                }
                drawPending = true;
            }
        }
    }
    else if (stepState == StepState::AfterUpdate)
    {
        stepState = StepState::AfterDrawOrSleep;
        fractionalUpdates += updatesPerFrame - 1.0;
        ProcessDeferredDeletions();
        while (fractionalUpdates >= 1.0)
        {
            ++updatesSinceDraw;
            if (!UpdateOnce())
            {
                break;
            }
            ProcessDeferredDeletions();
            fractionalUpdates -= 1.0;
        }
        if (vsyncPacingSwitchedOn && !minimized)
        {
            CommonLibrary::GameLockGuard lock;
            UpdateWidgetsFraction(static_cast<float>(updatesPerFrame));
        }
        ProcessDeferredDeletions();
        pendingTime -= msPerFrame;
        if (syncInEffect)
        {
            pendingTime = std::max(0.0, pendingTime - 0.2);
        }
        if (relaxTimeMs > 0)
        {
            pendingTime = 0.0;
        }
    }
    else
    {
        drawBranch = true;
    }

    if (drawBranch)
    {
        stepState = StepState::AfterDrawOrSleep;
        updatesSinceDraw = 0;
        if (drawPending)
        {
            Redraw();
        }
        else
        {
            const auto sleepMs = static_cast<std::int64_t>(msPerFrame - pendingTime);
            if (sleepMs >= 1)
            {
                if (!sleepAllowed)
                {
                    return false;
                }
                clock->SleepMs(sleepMs);
                sleptMs = sleepMs;
                ++statistics.sleepCount;
            }
        }
    }

    if (yieldToLoading)
    {
        const std::int64_t busyMs = clock->NowMs() - paceStart;
        const std::int64_t yieldMs = std::min<std::int64_t>(250, 2 * busyMs - sleptMs);
        if (yieldMs > 0)
        {
            clock->SleepMs(yieldMs);
        }
    }
    ProcessDeferredDeletions();
    return true;
}

bool LumoAppBase::UpdateOnce()
{
    if (loadingFinished.load() && !loadingCompleted)
    {
        SetCurrentThreadPriority(ThreadPriority::Normal);
        loadingCompleted = true;
        yieldToLoading = false;
        LoadingCompleted();
    }
    ++statistics.updateCount;
    if (!minimized)
    {
        CommonLibrary::GameLockGuard lock;
        if (UpdateWidgets())
        {
            ++changedUpdateCount;
        }
    }
    if (musicInterface != nullptr)
    {
        musicInterface->Update();
    }
    if (sharedImages != nullptr)
    {
        sharedImages->PurgeUnused();
    }
    return true;
}

bool LumoAppBase::Redraw()
{
    const std::int64_t start = clock->NowMs();
    if (start - lastScreenSaverWatch > 1000)
    {
        lastScreenSaverWatch = start;
        RunScreenSaverWatch();
    }

    bool drawn = false;
    {
        CommonLibrary::GameLockGuard lock;
        drawn = DrawWidgets();
    }
    const std::int64_t drawEnd = clock->NowMs();
    const bool forced = fullRedrawRequested || drawEnd - lastPresentTime >= kForcedPresentMs;
    if ((!drawn && !forced) || drawEnd < nextPresentAllowed)
    {
        drawPending = false;
        lastRedrawSkipped = true;
        return false;
    }

    ++statistics.drawCount;
    lastRedrawSkipped = false;
    fullRedrawRequested = false;
    statistics.drawTimeMs += drawEnd - start;

    if (windowed && settings.waitForVSync && refreshRate > 0)
    {
        const std::int64_t framePeriodMs = 1000 / refreshRate;
        if (drawEnd - lastPresentTime < framePeriodMs)
        {
            clock->SleepUntilMs(lastPresentTime + framePeriodMs);
        }
    }
    const std::int64_t presentStart = clock->NowMs();
    lastPresentTime = presentStart;
    (void)PresentFrame();
    const std::int64_t presentEnd = clock->NowMs();
    statistics.presentTimeMs += presentEnd - presentStart;

    if (loadingStarted && !loadingFinished.load())
    {
        const std::int64_t redrawMs = presentEnd - start;
        nextPresentAllowed =
            std::max(presentEnd, nextPresentAllowed + std::max<std::int64_t>(redrawMs, 15) + 35);
    }
    else
    {
        nextPresentAllowed = presentEnd;
    }
    MeasurePendingTime();
    drawPending = false;
    return true;
}

bool LumoAppBase::PresentFrame()
{
    if (display == nullptr)
    {
        return false;
    }
    if (!display->Present())
    {
        std::fprintf(stderr, "%s\n", display->GetLastError().c_str());
        return false;
    }
    return true;
}

void LumoAppBase::RunScreenSaverWatch()
{
    // The desktop's screen saver never stops this program's drawing here:
    // while the game does not allow it, it is kept off instead.
    if (instanceLock.TakeNotify() && display != nullptr)
    {
        display->GetWindow().Raise();
    }
}

void LumoAppBase::MarkLoadingFinished()
{
    loadingFinished.store(true);
}

void LumoAppBase::StartThreads()
{
    if (!cursorThread.joinable())
    {
        {
            std::scoped_lock lock(cursorMutex);
            cursorThreadStop = false;
        }
        cursorThread = std::thread([this] { CursorThreadProc(); });
        SetCurrentThreadPriority(ThreadPriority::AboveNormal);
    }
    if (startLoadingThreadAutomatically && !loadingStarted)
    {
        loadingStarted = true;
        yieldToLoading = true;
        loadingThread = std::thread([this] {
            LoadingThreadProc();
            std::fprintf(stderr, "Resource Loading Time: %d\n",
                         static_cast<int>(clock->NowMs() - creationTime));
            MarkLoadingFinished();
        });
        SetCurrentThreadPriority(ThreadPriority::AboveNormal);
    }
}

void LumoAppBase::StopThreads()
{
    if (loadingThread.joinable())
    {
        loadingThread.join();
    }
    if (cursorThread.joinable())
    {
        {
            std::scoped_lock lock(cursorMutex);
            cursorThreadStop = true;
        }
        cursorWake.notify_all();
        cursorThread.join();
    }
    SetCurrentThreadPriority(ThreadPriority::Normal);
}

void LumoAppBase::CursorThreadProc()
{
    // Every cursor is a system cursor here, which the desktop moves by
    // itself; the thread only waits for the end, costing nothing while idle.
    std::unique_lock lock(cursorMutex);
    cursorWake.wait(lock, [this] { return cursorThreadStop; });
}

void LumoAppBase::ProcessDeferredDeletions()
{
    if (deferredDeletions.empty())
    {
        return;
    }
    CommonLibrary::GameLockGuard lock;
    // Deletions may queue further deletions; those run in the next round.
    while (!deferredDeletions.empty())
    {
        deletionsInProgress.swap(deferredDeletions);
        for (auto& deletion : deletionsInProgress)
        {
            deletion();
        }
        deletionsInProgress.clear();
    }
}

void LumoAppBase::DeferDeletion(std::function<void()> deletion)
{
    deferredDeletions.push_back(std::move(deletion));
}

void LumoAppBase::Shutdown()
{
    shuttingDown = true;
    exitLoop = true;
}

void LumoAppBase::RequestShutdown()
{
    shutdownRequested.store(true);
}

void LumoAppBase::RequestClose()
{
    closeRequested.store(true);
}

bool LumoAppBase::IsCloseRequestPending() const
{
    return closeRequested.load() || shutdownRequested.load() || IsTerminationRequested();
}

} // namespace Lumo
