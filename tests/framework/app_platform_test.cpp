// Platform services without a window: picture placement, refresh rates,
// display result names, the hand cursors, the single-instance lock and the
// termination request.
// SPDX-License-Identifier: MIT
#include "framework/app/dd_interface.h"
#include "framework/platform/hand_cursors.h"
#include "framework/platform/single_instance.h"
#include "framework/platform/termination_signals.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <unistd.h>

namespace
{

TEST(AppPlatformTest, FullScreenPictureIsScaledToTheDesktopHeightAndCentred)
{
    const struct
    {
        int appWidth, appHeight, outWidth, outHeight;
        bool fullScreen;
        Lumo::PixelRect expected;
    } cases[] = {
        {1024, 768, 1024, 768, false, {0, 0, 1024, 768}},
        {1024, 768, 1920, 1080, false, {0, 0, 1024, 768}},
        {1024, 768, 1920, 1080, true, {240, 0, 1440, 1080}},
        {1280, 800, 1920, 1080, true, {96, 0, 1728, 1080}},
        {1024, 768, 1024, 768, true, {0, 0, 1024, 768}},
        {1280, 800, 2560, 1600, true, {0, 0, 2560, 1600}},
        // A desktop narrower than the picture: fitted to its width instead.
        {1280, 800, 1280, 1024, true, {0, 112, 1280, 800}},
    };
    for (const auto& c : cases)
    {
        const Lumo::PixelRect rect =
            Lumo::ComputePictureRect(c.appWidth, c.appHeight, c.outWidth, c.outHeight, c.fullScreen);
        EXPECT_EQ(rect.x, c.expected.x) << c.outWidth << "x" << c.outHeight;
        EXPECT_EQ(rect.y, c.expected.y) << c.outWidth << "x" << c.outHeight;
        EXPECT_EQ(rect.width, c.expected.width) << c.outWidth << "x" << c.outHeight;
        EXPECT_EQ(rect.height, c.expected.height) << c.outWidth << "x" << c.outHeight;
    }
}

TEST(AppPlatformTest, RefreshRateIsClampedAndFlaggedWhenUnusable)
{
    const struct
    {
        int reported;
        int effective;
        bool usable;
    } cases[] = {
        {0, 60, false}, {30, 60, false}, {59, 60, false},   {60, 60, true},
        {75, 75, true}, {100, 100, true}, {144, 100, false},
    };
    for (const auto& c : cases)
    {
        bool usable = !c.usable;
        EXPECT_EQ(Lumo::EffectiveRefreshRate(c.reported, usable), c.effective) << c.reported;
        EXPECT_EQ(usable, c.usable) << c.reported;
    }
}

TEST(AppPlatformTest, DisplayResultsHaveTheirNames)
{
    EXPECT_STREQ(Lumo::DisplayResultName(0), "RESULT_OK");
    EXPECT_STREQ(Lumo::DisplayResultName(3), "RESULT_SURFACE_FAIL");
    EXPECT_STREQ(Lumo::DisplayResultName(6), "RESULT_INVALID_COLORDEPTH");
    EXPECT_STREQ(Lumo::DisplayResultName(7), "RESULT_UNKNOWN");
    EXPECT_STREQ(Lumo::DisplayResultName(-1), "RESULT_UNKNOWN");
}

TEST(AppPlatformTest, HandCursorsAreOpaqueAtTheirHotSpotsAndClearInTheCorners)
{
    const struct
    {
        const Lumo::CursorPicture* picture;
        int hotX, hotY;
    } cases[] = {
        {&Lumo::PointingHandCursor(), 11, 4},
        {&Lumo::DraggingHandCursor(), 15, 10},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.picture->hotX, c.hotX);
        EXPECT_EQ(c.picture->hotY, c.hotY);
        const auto pixel = [&c](int x, int y) {
            return c.picture->argb[y * Lumo::kHandCursorSize + x];
        };
        EXPECT_EQ(pixel(c.hotX, c.hotY) >> 24, 0xFFu);
        EXPECT_EQ(pixel(0, 0), 0u);
        EXPECT_EQ(pixel(31, 31), 0u);
    }
}

class SingleInstanceTest : public testing::Test
{
protected:
    void SetUp() override
    {
        folder = std::filesystem::temp_directory_path() /
                 ("zadi_instance_" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::filesystem::path folder;
};

TEST_F(SingleInstanceTest, SecondHolderIsRefusedAndKnocksOnTheFirst)
{
    Lumo::SingleInstance first;
    ASSERT_TRUE(first.Acquire("Saltmere Zadi", folder.string()));
    EXPECT_FALSE(first.TakeNotify());

    Lumo::SingleInstance second;
    EXPECT_FALSE(second.Acquire("Saltmere Zadi", folder.string()));
    EXPECT_TRUE(first.TakeNotify());
    EXPECT_FALSE(first.TakeNotify());

    // Another application has a lock of its own.
    Lumo::SingleInstance other;
    EXPECT_TRUE(other.Acquire("Another Game", folder.string()));

    first.Release();
    EXPECT_TRUE(second.Acquire("Saltmere Zadi", folder.string()));
}

TEST_F(SingleInstanceTest, AFolderWithoutRoomForALockDoesNotStopTheGame)
{
    Lumo::SingleInstance instance;
    EXPECT_TRUE(instance.Acquire("Saltmere Zadi", (folder / "no" / "such" / "folder").string()));
}

TEST(AppPlatformTest, TerminationSignalIsRecordedForTheLoopOnce)
{
    Lumo::ResetTerminationRequest();
    Lumo::InstallTerminationHandlers();
    EXPECT_FALSE(Lumo::IsTerminationRequested());
    ASSERT_EQ(raise(SIGTERM), 0);
    EXPECT_TRUE(Lumo::IsTerminationRequested());
    EXPECT_TRUE(Lumo::TakeTerminationRequest());
    EXPECT_FALSE(Lumo::TakeTerminationRequest());
    EXPECT_FALSE(Lumo::IsTerminationRequested());
    Lumo::RestoreDefaultTerminationHandlers();
    Lumo::ResetTerminationRequest();
}

} // namespace
