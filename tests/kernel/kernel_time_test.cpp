// The kernel and the time library: the time system brackets the run and its clock ticks in it.
// SPDX-License-Identifier: MIT
#include "kernel/game_interface.h"
#include "kernel/kernel.h"
#include "kernel/sys_app.h"
#include "kernel_test_folder.h"
#include "time/time_system_impl.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace
{

using TimeLibrary::ITimeObject;
using TimeLibrary::TimeSystem_impl;

// Looks at the time system from each call of the kernel, and leaves an
// endless timer running for the shut-down to release.
class ClockWatchingGame : public KernelLibrary::IGame, public TimeLibrary::TimeObjectMessageObserver
{
  public:
    void AttachSysApp(KernelLibrary::ISysApp* newSysApp) override
    {
        sysApp = newSysApp;
        timeSystemAtAttach = TimeLibrary::GetTimeSystem() != nullptr;
    }
    void LoadResources() override {}
    void Unload() override { clockRanUntilUnload = ClockRuns(); }
    void Start() override
    {
        clockRanAtStart = ClockRuns();
        ITimeObject* timer = TimeLibrary::GetTimeSystem()->CreateTimeObject(this, 0, 5);
        timer->SetEndless(true);
        timerStarted = timer->Start(false, 0);
        sysApp->Quit();
    }
    void StopPlay() override {}
    void GetTitle(std::string& text) override { text = "Saltmere Zadi"; }
    void GetVersion(std::string& text) override { text = "1.2"; }
    void GetRegistryPath(std::string& text) override { text = "Jollyvane\\SaltmereZeve"; }
    void OnCloseRequest() override { sysApp->Quit(); }

    void OnTimeObjectStart(int) override { ++starts; }

    static bool ClockRuns()
    {
        auto* system = static_cast<TimeSystem_impl*>(TimeLibrary::GetTimeSystem());
        return system != nullptr && system->IsClockRunning();
    }

    KernelLibrary::ISysApp* sysApp = nullptr;
    bool timeSystemAtAttach = false;
    bool clockRanAtStart = false;
    bool clockRanUntilUnload = false;
    bool timerStarted = false;
    std::atomic<int> starts{0};
};

using KernelTime = KernelTests::TempFolderTest;

TEST_F(KernelTime, TimeSystemComesFirstAndGoesWithTheShutdown)
{
    setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    const std::filesystem::path startFolder = std::filesystem::current_path();

    ClockWatchingGame game;
    char program[] = "saltmere-zadi";
    char* argv[] = {program, nullptr};
    const KernelLibrary::InstanceHandle instance{1, argv};
    testing::internal::CaptureStderr();
    ASSERT_TRUE(KernelLibrary::KernelInit(&instance, &game));
    testing::internal::GetCapturedStderr();
    KernelLibrary::KernelShutdown(&instance);

    EXPECT_TRUE(game.timeSystemAtAttach) << "made before the application";
    EXPECT_TRUE(game.clockRanAtStart) << "started before the main loop";
    EXPECT_TRUE(game.clockRanUntilUnload);
    EXPECT_TRUE(game.timerStarted);
    EXPECT_EQ(game.starts.load(), 1);
    EXPECT_EQ(TimeLibrary::GetTimeSystem(), nullptr) << "destroyed by the shut-down";

    std::filesystem::current_path(startFolder);
}

} // namespace
