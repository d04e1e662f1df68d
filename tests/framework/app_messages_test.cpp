// Window events turned into the application's messages, and the mouse mapping.
// SPDX-License-Identifier: MIT
#include "framework/app/lumo_app_base.h"
#include "framework/platform/platform_keys.h"
#include "framework/widgets/widget.h"

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

// Records the mouse events that reach it, positions relative to itself.
class RecordingWidget : public Lumo::Widget
{
public:
    void MouseMove(int x, int y) override { Log("move", x, y); }
    void MouseDrag(int x, int y) override { Log("drag", x, y); }
    void MouseDown(int x, int y, int button, int clicks) override
    {
        Log("down" + std::to_string(button) + "/" + std::to_string(clicks), x, y);
    }
    void MouseUp(int x, int y, int button, int clicks) override
    {
        Log("up" + std::to_string(button) + "/" + std::to_string(clicks), x, y);
    }
    void KeyDown(int keyCode) override { log += "key" + std::to_string(keyCode) + " "; }

    std::string log;

private:
    void Log(const std::string& what, int x, int y)
    {
        log += what + "@" + std::to_string(x) + "," + std::to_string(y) + " ";
    }
};

// An application without a window whose messages are queued by hand.
class QueueingApp : public Lumo::LumoAppBase
{
public:
    QueueingApp() : LumoAppBase(std::make_unique<Lumo::ManualClock>()) {}

    void Send(WindowMessageKind kind, int x = 0, int y = 0, int clickCount = 0, int keyCode = 0)
    {
        WindowMessage message;
        message.kind = kind;
        message.x = x;
        message.y = y;
        message.clickCount = clickCount;
        message.keyCode = keyCode;
        QueueMessage(message);
        // A full round of steps: pump and dispatch, decide, draw or sleep.
        for (int step = 0; step < 4; ++step)
        {
            bool updated = false;
            ASSERT_TRUE(Step(updated));
        }
    }

protected:
    void PumpWindowMessages() override {}
};

TEST(AppMessagesTest, QueuedMouseMessagesReachTheWidgetTreeWithDragsWhileAButtonIsHeld)
{
    QueueingApp app;
    RecordingWidget widget;
    widget.Resize(100, 100, 50, 50);
    app.GetWidgetManager()->AddWidget(&widget);
    app.GetWidgetManager()->SetFocus(&widget);

    app.Send(WindowMessageKind::MouseMove, 110, 120);
    app.Send(WindowMessageKind::MouseDown, 110, 120, -1);
    app.Send(WindowMessageKind::MouseMove, 300, 310); // dragged off the widget
    app.Send(WindowMessageKind::MouseUp, 300, 310, -1);
    app.Send(WindowMessageKind::MouseMove, 120, 120);
    app.Send(WindowMessageKind::KeyDown, 0, 0, 0, 37);

    EXPECT_EQ(widget.log, "move@10,20 down1/1@10,20 drag@200,210 up1/1@200,210 move@20,20 key37 ");
    app.GetWidgetManager()->RemoveWidget(&widget);
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
