// The kernel: start-up resolution, the application's close paths and a whole
// run of KernelInit and KernelShutdown on SDL's dummy video driver.
// SPDX-License-Identifier: MIT
#include "framework/app/clock.h"
#include "framework/widgets/widget_manager.h"
#include "kernel/game_bridge.h"
#include "kernel/game_interface.h"
#include "kernel/kernel.h"
#include "kernel/main_app.h"
#include "kernel/startup_resolution.h"
#include "kernel/sys_app.h"
#include "kernel_test_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace
{

namespace fs = std::filesystem;
using KernelLibrary::MainApp;

// Records what the kernel asks of the game; quits when asked to close, or
// at once on Start when told to.
class RecordingGame : public KernelLibrary::IGame
{
public:
    void AttachSysApp(KernelLibrary::ISysApp* newSysApp) override
    {
        sysApp = newSysApp;
        calls += "attach ";
    }
    void LoadResources() override { calls += "load "; }
    void Unload() override { calls += "unload "; }
    void Start() override
    {
        calls += "start ";
        if (quitOnStart)
        {
            sysApp->Quit();
        }
    }
    void StopPlay() override { calls += "stop "; }
    void GetTitle(std::string& text) override { text = "Saltmere Zadi"; }
    void GetVersion(std::string& text) override { text = "1.2"; }
    void GetRegistryPath(std::string& text) override { text = "Jollyvane\\SaltmereZeve"; }
    void OnCloseRequest() override
    {
        calls += "close? ";
        if (quitOnClose)
        {
            sysApp->Quit();
        }
    }

    KernelLibrary::ISysApp* sysApp = nullptr;
    std::string calls;
    bool quitOnStart = false;
    bool quitOnClose = false;
};

using KernelTests::TempFolderTest;

using StartupResolutionTest = TempFolderTest;

TEST_F(StartupResolutionTest, ResolutionFileChoosesTheWindowSize)
{
    const struct
    {
        const char* what;
        bool exists;
        std::string bytes;
        int width, height;
        bool fullScreen;
    } cases[] = {
        {"missing", false, "", 1024, 768, false},
        {"empty", true, "", 1024, 768, false},
        {"index 0", true, std::string("\0\0\0", 3), 1024, 768, false},
        {"index 1", true, std::string("\0\1\0", 3), 1280, 800, false},
        {"index 1 full screen", true, std::string("\0\1\1", 3), 1280, 800, true},
        {"any non-zero flag", true, std::string("\0\1\x7f", 3), 1280, 800, true},
        {"index 2", true, std::string("\0\2\0", 3), 1024, 768, false},
        {"index 7", true, std::string("\0\7\1", 3), 1024, 768, true},
        {"index 256 (big-endian)", true, std::string("\1\0\0", 3), 1024, 768, false},
        {"two bytes only", true, std::string("\0\1", 2), 1280, 800, false},
        {"one byte only", true, std::string("\1", 1), 1024, 768, false},
        {"longer file", true, std::string("\0\1\1junk", 7), 1280, 800, true},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        const fs::path path = folder / "resolution.opt";
        fs::remove(path);
        if (c.exists)
        {
            WriteBytes(path, c.bytes);
        }
        const KernelLibrary::StartupResolution resolution =
            KernelLibrary::ReadStartupResolution(path.string());
        EXPECT_EQ(resolution.width, c.width);
        EXPECT_EQ(resolution.height, c.height);
        EXPECT_EQ(resolution.fullScreen, c.fullScreen);
    }
}

using MainAppTest = TempFolderTest;

TEST_F(MainAppTest, TakesItsIdentityFromTheGameAndItsSizeFromTheResolutionFile)
{
    WriteBytes(folder / "resolution.opt", std::string("\0\1\0", 3));
    RecordingGame game;
    MainApp app(&game, std::make_unique<Lumo::ManualClock>(), folder.string());
    EXPECT_EQ(app.title, "Saltmere Zadi");
    EXPECT_EQ(app.productName, "Saltmere Zadi");
    EXPECT_EQ(app.productVersion, "1.2");
    EXPECT_EQ(app.GetRegistryKey(), "Jollyvane\\SaltmereZeve");
    int width = 0;
    int height = 0;
    app.GetScreenSize(width, height);
    EXPECT_EQ(width, 1280);
    EXPECT_EQ(height, 800);
    EXPECT_TRUE(app.vsyncPacingSwitchedOn);
    EXPECT_TRUE(app.windowed);
    EXPECT_FALSE(app.fullScreenRequested);
}

TEST_F(MainAppTest, CloseButtonAsksTheGameAndOnlyItsQuitEndsTheApplication)
{
    RecordingGame game;
    MainApp app(&game, std::make_unique<Lumo::ManualClock>(), folder.string());
    game.AttachSysApp(&app);
    app.LoadingCompleted();
    EXPECT_TRUE(app.IsGameStarted());
    // The bridge covers the screen and holds the keyboard focus.
    KernelLibrary::IGameBridge* bridge = app.GetBridge();
    ASSERT_NE(bridge, nullptr);
    Lumo::WidgetManager& widgets = *app.GetWidgetManager();
    EXPECT_TRUE(widgets.HasWidget(bridge));
    EXPECT_EQ(widgets.GetFocusWidget(), bridge);
    EXPECT_EQ(bridge->GetRect().width, 1024);
    EXPECT_EQ(bridge->GetRect().height, 768);

    app.CloseRequest(); // the player is asked; nothing ends
    EXPECT_FALSE(app.IsShuttingDown());
    EXPECT_FALSE(app.IsClosing());

    game.quitOnClose = true;
    app.CloseRequest();
    EXPECT_TRUE(app.IsClosing());
    EXPECT_TRUE(app.IsShuttingDown());
    EXPECT_EQ(app.GetBridge(), nullptr);
    EXPECT_TRUE(widgets.GetChildren().empty());
    EXPECT_EQ(game.calls, "attach load start close? close? stop unload ");
}

TEST_F(MainAppTest, TerminationSavesTheGameWithoutAskingIt)
{
    RecordingGame game;
    MainApp app(&game, std::make_unique<Lumo::ManualClock>(), folder.string());
    game.AttachSysApp(&app);
    app.LoadingCompleted();
    app.TerminationRequest();
    EXPECT_TRUE(app.IsShuttingDown());
    EXPECT_EQ(game.calls, "attach load start stop unload ");
}

TEST_F(MainAppTest, ACloseAlreadyOnItsWayKeepsTheGameOut)
{
    RecordingGame game;
    MainApp app(&game, std::make_unique<Lumo::ManualClock>(), folder.string());
    app.RequestClose();
    app.LoadingCompleted();
    EXPECT_FALSE(app.IsGameStarted());
    EXPECT_EQ(game.calls, "");
}

TEST_F(MainAppTest, SettingsAreReachableThroughTheSystemApplication)
{
    RecordingGame game;
    MainApp app(&game, std::make_unique<Lumo::ManualClock>(), folder.string());
    app.SetSettingsFilePath((folder / "settings.txt").string());
    KernelLibrary::ISysApp& sysApp = app;

    const std::int32_t number = 42;
    ASSERT_TRUE(sysApp.WriteRegistryValue("Answer", Lumo::kRegistryInteger, &number, 4));
    ASSERT_TRUE(app.RegistryWriteString("Player", "Mira"));

    std::uint32_t type = 0;
    std::uint32_t length = 0;
    ASSERT_TRUE(sysApp.ReadRegistryValue("Player", type, nullptr, length));
    EXPECT_EQ(type, Lumo::kRegistryString);
    EXPECT_EQ(length, 5u);
    char small[2] = {};
    length = sizeof small;
    EXPECT_FALSE(sysApp.ReadRegistryValue("Player", type, small, length));
    EXPECT_EQ(length, 5u);

    std::int32_t readBack = 0;
    length = sizeof readBack;
    ASSERT_TRUE(sysApp.ReadRegistryValue("Answer", type, &readBack, length));
    EXPECT_EQ(type, Lumo::kRegistryInteger);
    EXPECT_EQ(readBack, 42);
    EXPECT_FALSE(sysApp.ReadRegistryValue("Nothing", type, &readBack, length));

    std::string text(1024, 'x');
    ASSERT_TRUE(app.RegistryWriteString("Long", text));
    std::string readText;
    EXPECT_FALSE(app.RegistryReadString("Long", readText)); // beyond 1023 bytes
    text.pop_back();
    ASSERT_TRUE(app.RegistryWriteString("Long", text));
    EXPECT_TRUE(app.RegistryReadString("Long", readText));
    EXPECT_EQ(readText, text);

    app.SetRegistryKey("");
    EXPECT_FALSE(app.RegistryWriteInteger("Answer", 1));
}

// A whole run: the window is made on the dummy driver, the game comes in
// after loading, quits at once, and everything is torn down and written.
class KernelRunTest : public TempFolderTest
{
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
        setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        startFolder = fs::current_path();
    }
    void TearDown() override
    {
        fs::current_path(startFolder);
        TempFolderTest::TearDown();
    }

    fs::path startFolder;
};

TEST_F(KernelRunTest, KernelRunsTheGameFromStartToQuitAndWritesTheSettings)
{
    RecordingGame game;
    game.quitOnStart = true;
    char program[] = "saltmere-zadi";
    char* argv[] = {program, nullptr};
    const KernelLibrary::InstanceHandle instance{1, argv};

    testing::internal::CaptureStderr();
    ASSERT_TRUE(KernelLibrary::KernelInit(&instance, &game));
    const std::string output = testing::internal::GetCapturedStderr();
    ASSERT_NE(KernelLibrary::GetMainApp(), nullptr);
    KernelLibrary::KernelShutdown(&instance);
    EXPECT_EQ(KernelLibrary::GetMainApp(), nullptr);

    EXPECT_EQ(game.calls, "attach load start stop unload ");
    EXPECT_NE(output.find("Update Count  = "), std::string::npos) << output;
    const std::string settings = ReadSettingsFile();
    EXPECT_NE(settings.find("i\tInProgress\t0\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("i\tMusicVolume\t85\n"), std::string::npos) << settings;
}

TEST_F(KernelRunTest, SecondKernelInitFirstShutsThePreviousKernelDown)
{
    RecordingGame game;
    game.quitOnStart = true;
    char program[] = "saltmere-zadi";
    char* argv[] = {program, nullptr};
    const KernelLibrary::InstanceHandle first{1, argv};
    const KernelLibrary::InstanceHandle second{1, argv};

    testing::internal::CaptureStderr();
    ASSERT_TRUE(KernelLibrary::KernelInit(&first, &game));
    const MainApp* firstApp = KernelLibrary::GetMainApp();
    // The first kernel's lock goes with it, so the second run is not refused.
    ASSERT_TRUE(KernelLibrary::KernelInit(&second, &game));
    testing::internal::GetCapturedStderr();
    EXPECT_NE(KernelLibrary::GetMainApp(), nullptr);
    (void)firstApp;
    KernelLibrary::KernelShutdown(&second);
    EXPECT_EQ(game.calls, "attach load start stop unload attach load start stop unload ");
}

TEST_F(KernelRunTest, RefusedOptionEndsTheRunBeforeAnyWindow)
{
    RecordingGame game;
    char program[] = "saltmere-zadi";
    char bogus[] = "-bogus";
    char* argv[] = {program, bogus, nullptr};
    const KernelLibrary::InstanceHandle instance{2, argv};
    testing::internal::CaptureStderr();
    ASSERT_TRUE(KernelLibrary::KernelInit(&instance, &game));
    const std::string output = testing::internal::GetCapturedStderr();
    KernelLibrary::KernelShutdown(&instance);
    EXPECT_NE(output.find("Invalid command line parameter: -bogus"), std::string::npos) << output;
    EXPECT_EQ(game.calls, "attach ");
    EXPECT_EQ(ReadSettingsFile(), ""); // nothing written
}

} // namespace
