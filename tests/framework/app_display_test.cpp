// The display on SDL's dummy driver (a 1024 x 768 desktop): start-up mode,
// switching at run time, and the mouse mapping that goes with each mode.
// SPDX-License-Identifier: MIT
#include "framework/app/dd_interface.h"
#include "framework/app/lumo_app_base.h"

#include <gtest/gtest.h>

namespace
{

class DisplayApp : public Lumo::LumoAppBase
{
public:
    DisplayApp(int appWidth, int appHeight)
    {
        width = appWidth;
        height = appHeight;
        title = "Display Test";
        onlyOneInstance = false; // and no registry key: nothing is stored
    }

    Lumo::Point MapWindowPoint(int x, int y) { return GetWidgetManager()->MapMouse(x, y); }
};

void ExpectSource(const Lumo::LumoAppBase& app, Lumo::PixelRect expected)
{
    const Lumo::PixelRect source = app.GetPictureRect();
    EXPECT_EQ(source.x, expected.x);
    EXPECT_EQ(source.y, expected.y);
    EXPECT_EQ(source.width, expected.width);
    EXPECT_EQ(source.height, expected.height);
}

TEST(AppDisplayTest, SmallWindowSwitchesToFullScreenAndBack)
{
    DisplayApp app(640, 480);
    app.Init();
    ASSERT_FALSE(app.IsShuttingDown());
    EXPECT_FALSE(app.IsFullScreen());
    ExpectSource(app, {0, 0, 640, 480});

    ASSERT_TRUE(app.SwitchScreenMode(true));
    EXPECT_TRUE(app.IsFullScreen());
    ExpectSource(app, {0, 0, 1024, 768});
    const Lumo::Point corner = app.MapWindowPoint(1023, 767);
    EXPECT_EQ(corner.x, 639);
    EXPECT_EQ(corner.y, 479);

    ASSERT_TRUE(app.SwitchScreenMode(false));
    EXPECT_FALSE(app.IsFullScreen());
    ExpectSource(app, {0, 0, 640, 480});
    ASSERT_NE(app.GetDisplay(), nullptr);
    EXPECT_TRUE(app.GetDisplay()->Present());
}

TEST(AppDisplayTest, WindowAsLargeAsTheDesktopStartsFullScreenWithBars)
{
    DisplayApp app(1280, 800);
    app.Init();
    ASSERT_FALSE(app.IsShuttingDown());
    EXPECT_TRUE(app.IsFullScreen());
    // 1280 x 800 fitted into 1024 x 768: bars above and below.
    ExpectSource(app, {0, 64, 1024, 640});
    ASSERT_NE(app.GetDisplay(), nullptr);
    EXPECT_EQ(app.GetDisplay()->GetScreenImage()->GetWidth(), 1280);
    EXPECT_TRUE(app.GetDisplay()->Present());
}

TEST(AppDisplayTest, AccelerationIsSwitchedOnTheLiveWindowAndFallsBackToSoftware)
{
    DisplayApp app(640, 480);
    app.Init();
    ASSERT_FALSE(app.IsShuttingDown());
    EXPECT_FALSE(app.Is3DAccelerated());

    // The dummy driver has no accelerated renderer: the window keeps working
    // in software and the setting records what the player asked for.
    ASSERT_TRUE(app.Set3DAcceleration(true));
    EXPECT_TRUE(app.Is3DAccelerated());
    EXPECT_FALSE(app.GetDisplay()->IsAccelerated());
    EXPECT_TRUE(app.GetDisplay()->Present());

    ASSERT_TRUE(app.Set3DAcceleration(false));
    EXPECT_FALSE(app.Is3DAccelerated());
    EXPECT_TRUE(app.GetDisplay()->Present());
}

} // namespace
