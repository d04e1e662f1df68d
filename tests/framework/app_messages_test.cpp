// Window events turned into the application's messages, and the mouse mapping.
// SPDX-License-Identifier: MIT
#include "framework/app/lumo_app_base.h"
#include "framework/platform/platform_keys.h"

#include <gtest/gtest.h>

namespace
{

using Lumo::MouseButton;
using Lumo::PlatformEvent;
using Lumo::PlatformEventKind;
using Lumo::WindowMessage;
using Lumo::WindowMessageKind;

PlatformEvent Button(PlatformEventKind kind, MouseButton button, int clicks)
{
    PlatformEvent event;
    event.kind = kind;
    event.button = button;
    event.clicks = clicks;
    event.x = 5;
    event.y = 7;
    return event;
}

TEST(AppMessagesTest, MouseButtonsCarryTheClickCountsOfTheWidgets)
{
    constexpr auto kDown = PlatformEventKind::MouseButtonDown;
    constexpr auto kUp = PlatformEventKind::MouseButtonUp;
    const struct
    {
        PlatformEventKind kind;
        MouseButton button;
        int clicks;
        int expectedCount;
    } cases[] = {
        {kDown, MouseButton::Left, 1, 1},    {kDown, MouseButton::Left, 2, 2},
        {kDown, MouseButton::Left, 3, 1},    {kDown, MouseButton::Left, 4, 2},
        {kDown, MouseButton::Right, 1, -1},  {kDown, MouseButton::Right, 2, -2},
        {kDown, MouseButton::Middle, 1, 3},  {kDown, MouseButton::Middle, 2, 3},
        {kUp, MouseButton::Left, 2, 1},      {kUp, MouseButton::Right, 2, -1},
        {kUp, MouseButton::Middle, 1, 3},
    };
    for (const auto& c : cases)
    {
        WindowMessage message;
        ASSERT_TRUE(Lumo::TranslatePlatformEvent(Button(c.kind, c.button, c.clicks), message));
        EXPECT_EQ(message.kind,
                  c.kind == kDown ? WindowMessageKind::MouseDown : WindowMessageKind::MouseUp);
        EXPECT_EQ(message.clickCount, c.expectedCount)
            << static_cast<int>(c.button) << " clicks " << c.clicks;
        EXPECT_EQ(message.x, 5);
        EXPECT_EQ(message.y, 7);
    }
}

TEST(AppMessagesTest, OtherEventsBecomeTheirMessagesAndTheCloseRequestIsNotQueued)
{
    const struct
    {
        PlatformEventKind kind;
        bool queued;
        WindowMessageKind message;
    } cases[] = {
        {PlatformEventKind::MouseMove, true, WindowMessageKind::MouseMove},
        {PlatformEventKind::MouseWheel, true, WindowMessageKind::MouseWheel},
        {PlatformEventKind::MouseLeft, true, WindowMessageKind::MouseExit},
        {PlatformEventKind::KeyDown, true, WindowMessageKind::KeyDown},
        {PlatformEventKind::KeyUp, true, WindowMessageKind::KeyUp},
        {PlatformEventKind::KeyChar, true, WindowMessageKind::KeyChar},
        {PlatformEventKind::FocusGained, true, WindowMessageKind::GotFocus},
        {PlatformEventKind::FocusLost, true, WindowMessageKind::LostFocus},
        {PlatformEventKind::Minimized, true, WindowMessageKind::Minimized},
        {PlatformEventKind::Restored, true, WindowMessageKind::Restored},
        {PlatformEventKind::Exposed, true, WindowMessageKind::Exposed},
        {PlatformEventKind::DisplayChanged, true, WindowMessageKind::DisplayChanged},
        {PlatformEventKind::MouseEntered, false, WindowMessageKind::MouseMove},
        {PlatformEventKind::CloseRequested, false, WindowMessageKind::MouseMove},
    };
    for (const auto& c : cases)
    {
        PlatformEvent event;
        event.kind = c.kind;
        event.keyCode = 37;
        event.character = 'q';
        event.wheelNotches = -2;
        WindowMessage message;
        ASSERT_EQ(Lumo::TranslatePlatformEvent(event, message), c.queued)
            << static_cast<int>(c.kind);
        if (c.queued)
        {
            EXPECT_EQ(message.kind, c.message);
        }
    }
    PlatformEvent wheel;
    wheel.kind = PlatformEventKind::MouseWheel;
    wheel.wheelNotches = -2;
    WindowMessage message;
    ASSERT_TRUE(Lumo::TranslatePlatformEvent(wheel, message));
    EXPECT_EQ(message.wheelDelta, -2);
}

TEST(AppMessagesTest, MouseMappingScalesWindowPixelsIntoApplicationPixels)
{
    Lumo::MouseMapping identity;
    identity.source = {0, 0, 1024, 768};
    identity.destination = {0, 0, 1024, 768};

    // 1024 x 768 scaled to a 1920 x 1080 desktop: 1440 x 1080 with bars of 240.
    Lumo::MouseMapping fullScreen;
    fullScreen.source = {240, 0, 1440, 1080};
    fullScreen.destination = {0, 0, 1024, 768};

    const struct
    {
        const Lumo::MouseMapping* mapping;
        int x, y, expectedX, expectedY;
    } cases[] = {
        {&identity, 0, 0, 0, 0},
        {&identity, 1023, 767, 1023, 767},
        {&fullScreen, 240, 0, 0, 0},
        {&fullScreen, 1679, 1079, 1023, 767},
        {&fullScreen, 960, 540, 512, 384},
        {&fullScreen, 0, 0, -170, 0}, // left bar: outside the picture
    };
    for (const auto& c : cases)
    {
        int x = c.x;
        int y = c.y;
        c.mapping->MapPoint(x, y);
        EXPECT_EQ(x, c.expectedX) << c.x << "," << c.y;
        EXPECT_EQ(y, c.expectedY) << c.x << "," << c.y;
    }
}

TEST(AppMessagesTest, KeysBecomeTheGamesVirtualKeyCodes)
{
    // SDL key codes: printable keys are their character; the others carry bit 30.
    constexpr std::int32_t kScancodeKey = 1 << 30;
    const struct
    {
        std::int32_t sdl;
        int virtualKey;
    } cases[] = {
        {'\b', 8},
        {'\t', 9},
        {'\r', 13},
        {kScancodeKey | 225, 16}, // left shift
        {kScancodeKey | 229, 16}, // right shift
        {kScancodeKey | 224, 17}, // left control
        {kScancodeKey | 226, 18}, // left alt
        {27, 27},
        {' ', 32},
        {kScancodeKey | 80, 37}, // left
        {kScancodeKey | 82, 38}, // up
        {kScancodeKey | 79, 39}, // right
        {kScancodeKey | 81, 40}, // down
        {127, 46},               // delete
        {'0', 48},
        {'9', 57},
        {'a', 65},
        {'z', 90},
        {kScancodeKey | 58, 112}, // F1
        {kScancodeKey | 69, 123}, // F12
        {kScancodeKey | 88, 13},  // keypad enter
        {'[', 0},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(Lumo::VirtualKeyFromSdlKeycode(c.sdl), c.virtualKey) << c.sdl;
    }
}

} // namespace
