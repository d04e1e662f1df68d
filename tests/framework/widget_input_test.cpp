// Input through the widget manager: hit test, hover, capture, focus, keys, modal widgets.
// SPDX-License-Identifier: MIT
#include "widget_test_support.h"

#include <gmock/gmock.h>

namespace WidgetTest
{
namespace
{

using Lumo::FlagsMod;
using Lumo::kWidgetFlagAllowFocus;
using Lumo::kWidgetFlagAllowMouse;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// ---------------------------------------------------------------------------
// Hit test

struct HitCase
{
    const char* what;
    // Builds the tree; the widgets "low" (0,0,200,200) and "high" (100,100,200,200) exist.
    std::function<void(WidgetFixture&, LogWidget* low, LogWidget* high)> setUp;
    int x;
    int y;
    const char* expected;
};

// The fixture on its own, built afresh for every row of a table.
class HitTest : public WidgetFixture
{
  public:
    void TestBody() override {}
};

const HitCase kHitCases[] = {
    {"the later of two overlapping siblings is on top", nullptr, 150, 150, "high"},
    {"outside the upper sibling the lower one is hit", nullptr, 50, 50, "low"},
    {"outside every widget nothing is hit", nullptr, 350, 350, "none"},
    {"the right and bottom edges are outside", nullptr, 300, 300, "none"},
    {"a higher pick order wins over the topmost",
     [](WidgetFixture&, LogWidget* low, LogWidget*) { low->SetPickOrder(600); }, 150, 150, "low"},
    {"a lower pick order of the upper sibling loses",
     [](WidgetFixture&, LogWidget*, LogWidget* high) { high->SetPickOrder(100); }, 150, 150, "low"},
    {"a child is hit before its parent",
     [](WidgetFixture& f, LogWidget*, LogWidget* high)
     { f.Make("child", Rect(40, 40, 20, 20), high); },
     145, 145, "child"},
    {"a child of the lower sibling does not take a point the upper sibling covers",
     [](WidgetFixture& f, LogWidget* low, LogWidget*)
     { f.Make("child", Rect(140, 140, 20, 20), low); },
     150, 150, "high"},
    {"a child outside its parent's rect is still hit",
     [](WidgetFixture& f, LogWidget*, LogWidget* high)
     { f.Make("child", Rect(300, 300, 20, 20), high); },
     410, 410, "child"},
    {"insets shrink the hit area",
     [](WidgetFixture&, LogWidget*, LogWidget* high) { high->SetInsets(10, 10, 10, 10); }, 105, 150,
     "low"},
    {"inside the insets the widget is hit",
     [](WidgetFixture&, LogWidget*, LogWidget* high) { high->SetInsets(10, 10, 10, 10); }, 111, 150,
     "high"},
    {"a point the widget calls invisible falls through",
     [](WidgetFixture&, LogWidget*, LogWidget* high)
     { high->pointVisible = [](int x, int) { return x >= 60; }; },
     150, 150, "low"},
    {"an invisible widget is passed over",
     [](WidgetFixture&, LogWidget*, LogWidget* high) { high->SetVisible(false); }, 150, 150, "low"},
    {"a widget that is not mouse-visible is passed over, its children are not",
     [](WidgetFixture& f, LogWidget*, LogWidget* high)
     {
         high->SetMouseVisible(false);
         f.Make("child", Rect(0, 0, 20, 20), high);
     },
     105, 105, "child"},
    {"without the mouse flag a widget and its subtree are passed over",
     [](WidgetFixture& f, LogWidget*, LogWidget* high)
     {
         f.Make("child", Rect(0, 0, 20, 20), high);
         high->SetFlagsMod(FlagsMod{0, kWidgetFlagAllowMouse});
     },
     105, 105, "low"},
    {"a child cannot win back the mouse flag its parent lacks",
     [](WidgetFixture& f, LogWidget*, LogWidget* high)
     {
         LogWidget* child = f.Make("child", Rect(0, 0, 20, 20), high);
         high->SetFlagsMod(FlagsMod{0, kWidgetFlagAllowMouse});
         child->SetFlagsMod(FlagsMod{kWidgetFlagAllowMouse, 0});
     },
     105, 105, "low"},
    {"a disabled widget is never returned and covers what lies below",
     [](WidgetFixture&, LogWidget*, LogWidget* high) { high->SetDisabled(true); }, 150, 150,
     "none"},
    {"below a modal widget nothing takes the mouse",
     [](WidgetFixture& f, LogWidget*, LogWidget* high) { f.manager.AddBaseModal(high); }, 50, 50,
     "none"},
    {"the modal widget itself is hit",
     [](WidgetFixture& f, LogWidget*, LogWidget* high) { f.manager.AddBaseModal(high); }, 150, 150,
     "high"},
    {"the children of the modal widget are hit",
     [](WidgetFixture& f, LogWidget*, LogWidget* high)
     {
         f.Make("child", Rect(0, 0, 20, 20), high);
         f.manager.AddBaseModal(high);
     },
     105, 105, "child"},
    {"widgets above the modal widget keep the mouse",
     [](WidgetFixture& f, LogWidget* low, LogWidget*)
     {
         f.manager.AddBaseModal(low);
         f.Make("top", Rect(0, 0, 20, 20));
     },
     10, 10, "top"},
    {"below-flags that keep the mouse let widgets below be hit",
     [](WidgetFixture& f, LogWidget*, LogWidget* high) {
         f.manager.AddBaseModal(high, FlagsMod{0, kWidgetFlagAllowFocus});
     },
     50, 50, "low"},
    {"a pick order below the modal widget does not get past it",
     [](WidgetFixture& f, LogWidget* low, LogWidget* high)
     {
         low->SetPickOrder(900);
         f.manager.AddBaseModal(high);
     },
     150, 150, "high"},
};

TEST(WidgetHitTest, FindsTheWidgetUnderThePoint)
{
    for (const HitCase& hitCase : kHitCases)
    {
        HitTest fixture;
        LogWidget* low = fixture.Make("low", Rect(0, 0, 200, 200));
        LogWidget* high = fixture.Make("high", Rect(100, 100, 200, 200));
        if (hitCase.setUp)
        {
            hitCase.setUp(fixture, low, high);
        }
        int localX = -1;
        int localY = -1;
        Widget* hit = fixture.manager.GetWidgetAt(hitCase.x, hitCase.y, &localX, &localY);
        EXPECT_EQ(WidgetFixture::NameOf(hit), hitCase.expected) << hitCase.what;
        if (hit != nullptr)
        {
            const Lumo::Point origin = hit->GetAbsPos();
            EXPECT_EQ(localX, hitCase.x - origin.x) << hitCase.what;
            EXPECT_EQ(localY, hitCase.y - origin.y) << hitCase.what;
        }
    }
}

// ---------------------------------------------------------------------------
// Hover

class WidgetHover : public WidgetFixture
{
};

TEST_F(WidgetHover, EnterMoveAndLeaveFollowThePointer)
{
    LogWidget* a = Make("a", Rect(0, 0, 100, 100));
    LogWidget* b = Make("b", Rect(100, 0, 100, 100));
    manager.MouseMove(10, 20);
    EXPECT_THAT(Take(), ElementsAre("a:enter", "a:move 10,20"));
    EXPECT_TRUE(a->IsOver());
    manager.MouseMove(10, 20);
    EXPECT_THAT(Take(), IsEmpty()) << "a repeated position changes nothing";
    manager.MouseMove(150, 5);
    EXPECT_THAT(Take(), ElementsAre("a:leave", "b:enter", "b:move 50,5"));
    EXPECT_FALSE(a->IsOver());
    EXPECT_TRUE(b->IsOver());
    manager.MouseExit();
    EXPECT_THAT(Take(), ElementsAre("b:leave"));
    EXPECT_EQ(manager.GetOverWidget(), nullptr);
    EXPECT_FALSE(manager.IsMouseIn());
}

TEST_F(WidgetHover, HandCursorFollowsTheFlaggedWidget)
{
    LogWidget* a = Make("a", Rect(0, 0, 100, 100));
    Make("b", Rect(100, 0, 100, 100));
    a->ShowHandCursor(true);
    manager.MouseMove(10, 10);
    manager.MouseMove(150, 10);
    EXPECT_THAT(host.cursorKinds, ElementsAre(1, 0));
    manager.MouseMove(10, 10);
    a->ShowHandCursor(false);
    EXPECT_THAT(host.cursorKinds, ElementsAre(1, 0, 1, 0));
}

TEST_F(WidgetHover, MovingAWidgetUnderThePointerChangesTheHover)
{
    LogWidget* a = Make("a", Rect(0, 0, 100, 100));
    manager.MouseMove(10, 10);
    Take();
    a->Move(200, 200);
    EXPECT_THAT(Take(), ElementsAre("a:leave"));
    a->Move(0, 0);
    EXPECT_THAT(Take(), ElementsAre("a:enter"));
}

// ---------------------------------------------------------------------------
// Buttons and capture

struct ClickCase
{
    int clickCount;
    const char* delivered; // what the widget's button form receives
    int pressedBit;
    int buttonId;
};

const ClickCase kClickCases[] = {
    {1, "b0 c1", WidgetManager::kButtonLeft, 1},    {2, "b0 c2", WidgetManager::kButtonLeft, 1},
    {-1, "b1 c1", WidgetManager::kButtonRight, -1}, {-2, "b1 c2", WidgetManager::kButtonRight, -1},
    {3, "b2 c1", WidgetManager::kButtonMiddle, 2},
};

class WidgetButtons : public WidgetFixture
{
};

TEST_F(WidgetButtons, ClickCountsDecodeToButtons)
{
    LogWidget* a = Make("a", Rect(0, 0, 100, 100));
    for (const ClickCase& click : kClickCases)
    {
        Take();
        manager.MouseDown(5, 6, click.clickCount);
        EXPECT_EQ(manager.GetDownButtons(), click.pressedBit) << click.clickCount;
        EXPECT_EQ(manager.GetLastDownButtonId(), click.buttonId) << click.clickCount;
        EXPECT_TRUE(a->IsDown());
        manager.MouseUp(5, 6, click.clickCount);
        EXPECT_EQ(manager.GetDownButtons(), 0);
        EXPECT_FALSE(a->IsDown());
        const EventLog events = Take();
        EXPECT_THAT(events, ::testing::Contains(std::string("a:down 5,6 ") + click.delivered));
        EXPECT_THAT(events, ::testing::Contains(std::string("a:up 5,6 ") + click.delivered));
        const Lumo::DecodedClick decoded = Lumo::DecodeClickCount(click.clickCount);
        EXPECT_EQ(std::string("b") + std::to_string(decoded.button) + " c" +
                      std::to_string(decoded.clickCount),
                  click.delivered);
    }
}

TEST_F(WidgetButtons, ReleaseElsewhereGoesToThePressedWidget)
{
    LogWidget* a = Make("a", Rect(0, 0, 100, 100));
    LogWidget* b = Make("b", Rect(100, 0, 100, 100));
    manager.MouseDown(10, 10, -1);
    EXPECT_THAT(Take(), ElementsAre("a:enter", "a:move 10,10", "a:down 10,10 b1 c1"));
    manager.MouseDrag(150, 10);
    EXPECT_THAT(Take(), ElementsAre("a:leave", "a:drag 150,10"))
        << "the pressed widget leaves the over state but keeps the drag";
    EXPECT_FALSE(b->IsOver());
    manager.MouseDrag(50, 10);
    EXPECT_THAT(Take(), ElementsAre("a:enter", "a:drag 50,10"));
    manager.MouseDrag(160, 20);
    Take();
    manager.MouseUp(160, 20, -1);
    EXPECT_THAT(Take(), ElementsAre("a:up 160,20 b1 c1", "b:enter", "b:move 60,20"));
    EXPECT_EQ(manager.GetLastDownWidget(), nullptr);
    EXPECT_FALSE(a->IsDown());
}

TEST_F(WidgetButtons, ASecondButtonGoesToTheCapturingWidget)
{
    LogWidget* a = Make("a", Rect(0, 0, 100, 100));
    Make("b", Rect(100, 0, 100, 100));
    manager.MouseDown(10, 10, 1);
    manager.MouseDrag(150, 10);
    Take();
    manager.MouseDown(150, 10, -1);
    EXPECT_THAT(Take(), ::testing::Contains("a:down 150,10 b1 c1"));
    manager.MouseUp(150, 10, 1);
    EXPECT_TRUE(a->IsDown()) << "the right button still holds it";
    EXPECT_EQ(manager.GetLastDownWidget(), a);
    manager.MouseUp(150, 10, -1);
    EXPECT_EQ(manager.GetLastDownWidget(), nullptr);
    EXPECT_THAT(Take(),
                ElementsAre("a:up 150,10 b0 c1", "a:up 150,10 b1 c1", "b:enter", "b:move 50,10"));
}

TEST_F(WidgetButtons, AReleaseOfAButtonPressedOverNothingReachesNoWidget)
{
    Make("a", Rect(0, 0, 100, 100));
    manager.MouseDown(500, 500, 1);
    manager.MouseDrag(10, 10);
    Take();
    manager.MouseUp(10, 10, 1);
    EXPECT_THAT(Take(), IsEmpty());
}

TEST_F(WidgetButtons, WheelGoesToTheFocusWidget)
{
    LogWidget* a = Make("a", Rect(0, 0, 100, 100));
    manager.MouseWheel(-2);
    manager.SetFocus(a);
    Take();
    manager.MouseWheel(-2);
    EXPECT_THAT(Take(), ElementsAre("a:wheel -2"));
}

TEST_F(WidgetButtons, APressOutsideThePopupRemovesIt)
{
    LogWidget* base = Make("base", Rect(0, 0, 800, 600));
    LogWidget* popup = Make("popup", Rect(100, 100, 50, 50));
    manager.SetPopupWidget(popup);
    manager.MouseDown(120, 120, 1);
    manager.MouseUp(120, 120, 1);
    EXPECT_EQ(popup->GetParent(), &manager) << "a press inside keeps it";
    Take();
    manager.MouseDown(10, 10, 1);
    EXPECT_EQ(popup->GetParent(), nullptr);
    EXPECT_EQ(manager.GetPopupWidget(), nullptr);
    EXPECT_THAT(Take(), ::testing::Contains("base:down 10,10 b0 c1"));
    EXPECT_EQ(manager.GetLastDownWidget(), base);
}

// ---------------------------------------------------------------------------
// Focus and keys

class WidgetFocus : public WidgetFixture
{
};

TEST_F(WidgetFocus, SetFocusMovesTheFocusOnce)
{
    LogWidget* a = Make("a", Rect(0, 0, 10, 10));
    LogWidget* b = Make("b", Rect(10, 0, 10, 10));
    manager.SetFocus(a);
    manager.SetFocus(a);
    manager.SetFocus(b);
    EXPECT_THAT(Take(), ElementsAre("a:gotfocus", "a:lostfocus", "b:gotfocus"));
    EXPECT_FALSE(a->HasFocus());
    EXPECT_TRUE(b->HasFocus());

    WidgetManager other(&host);
    LogWidget stranger("stranger", &log);
    other.AddWidget(&stranger);
    manager.SetFocus(&stranger);
    EXPECT_THAT(Take(), ElementsAre("b:lostfocus"));
    EXPECT_EQ(manager.GetFocusWidget(), nullptr);
    other.RemoveWidget(&stranger);
}

TEST_F(WidgetFocus, WithoutTheWindowFocusTheWidgetIsToldWhenItComes)
{
    LogWidget* a = Make("a", Rect(0, 0, 10, 10));
    host.appFocus = false;
    manager.SetFocus(a);
    EXPECT_THAT(Take(), IsEmpty());
    EXPECT_EQ(manager.GetFocusWidget(), a);
    host.appFocus = true;
    manager.GotFocus();
    EXPECT_THAT(Take(), ElementsAre("a:gotfocus"));
}

TEST_F(WidgetFocus, APressGivesTheFocusOnlyToWidgetsThatWantIt)
{
    LogWidget* a = Make("a", Rect(0, 0, 10, 10));
    LogWidget* b = Make("b", Rect(10, 0, 10, 10));
    a->SetWantsFocus(true);
    manager.MouseDown(5, 5, 1);
    manager.MouseUp(5, 5, 1);
    EXPECT_EQ(manager.GetFocusWidget(), a);
    manager.MouseDown(15, 5, 1);
    manager.MouseUp(15, 5, 1);
    EXPECT_EQ(manager.GetFocusWidget(), a);
    EXPECT_FALSE(b->HasFocus());
}

TEST_F(WidgetFocus, KeysGoToTheFocusWidgetThenTheListener)
{
    LogWidget* a = Make("a", Rect(0, 0, 10, 10));
    LogWidget* listener = Make("listener", Rect(10, 0, 10, 10));
    manager.SetFocus(a);
    manager.SetKeyListener(listener);
    Take();
    manager.KeyDown(65);
    manager.KeyChar('a');
    manager.KeyUp(65);
    EXPECT_THAT(Take(), ElementsAre("a:keydown 65", "listener:keydown 65", "a:char 97",
                                    "listener:char 97", "a:keyup 65", "listener:keyup 65"));
}

TEST_F(WidgetFocus, KeyTableMarksCodesUpTo254)
{
    manager.KeyDown(65);
    EXPECT_TRUE(manager.IsKeyDown(65));
    manager.KeyUp(65);
    EXPECT_FALSE(manager.IsKeyDown(65));
    for (int code : {-1, 255, 1000})
    {
        manager.KeyDown(code);
        EXPECT_FALSE(manager.IsKeyDown(code)) << code;
    }
    manager.KeyDown(254);
    EXPECT_TRUE(manager.IsKeyDown(254));
}

TEST_F(WidgetFocus, LosingTheWindowFocusReleasesHeldKeys)
{
    LogWidget* a = Make("a", Rect(0, 0, 10, 10));
    manager.SetFocus(a);
    manager.KeyDown(65);
    manager.KeyDown(38);
    Take();
    manager.LostFocus();
    EXPECT_THAT(Take(), ElementsAre("a:keyup 38", "a:keyup 65", "a:lostfocus"));
    EXPECT_FALSE(manager.IsKeyDown(65));
    EXPECT_EQ(manager.GetFocusWidget(), a) << "the widget gets the focus back with the window";
    manager.GotFocus();
    EXPECT_THAT(Take(), ElementsAre("a:gotfocus"));
}

class WidgetTab : public WidgetFixture
{
  protected:
    void SetUp() override
    {
        a = Make("a", Rect(0, 0, 10, 10));
        b = Make("b", Rect(10, 0, 10, 10));
        c = Make("c", Rect(20, 0, 10, 10));
        a->SetTabNeighbours(c, b);
        b->SetTabNeighbours(a, c);
        c->SetTabNeighbours(b, a);
    }

    void PressTab(bool shift)
    {
        if (shift)
        {
            manager.KeyDown(Lumo::kKeyShift);
        }
        manager.KeyDown(Lumo::kKeyTab);
        manager.KeyUp(Lumo::kKeyTab);
        if (shift)
        {
            manager.KeyUp(Lumo::kKeyShift);
        }
    }

    LogWidget* a = nullptr;
    LogWidget* b = nullptr;
    LogWidget* c = nullptr;
};

TEST_F(WidgetTab, TabAndShiftTabFollowTheNeighbours)
{
    struct Step
    {
        bool shift;
        const char* focusAfter;
    };
    const Step steps[] = {{false, "b"}, {false, "c"}, {false, "a"}, {true, "c"}, {true, "b"}};
    manager.SetFocus(a);
    for (const Step& step : steps)
    {
        PressTab(step.shift);
        EXPECT_EQ(NameOf(manager.GetFocusWidget()), step.focusAfter);
    }
}

TEST_F(WidgetTab, NeighboursThatCannotHoldTheFocusArePassedOver)
{
    manager.SetFocus(a);
    b->SetDisabled(true);
    PressTab(false);
    EXPECT_EQ(NameOf(manager.GetFocusWidget()), "c");
    b->SetDisabled(false);
    c->SetVisible(false);
    manager.SetFocus(a);
    PressTab(false);
    PressTab(false);
    EXPECT_EQ(NameOf(manager.GetFocusWidget()), "a") << "hidden c is passed over";
}

TEST_F(WidgetTab, TabDoesNotLeaveAModalWidgetForOneBelowIt)
{
    LogWidget* dialog = Make("dialog", Rect(100, 100, 100, 100));
    LogWidget* ok = Make("ok", Rect(0, 0, 10, 10), dialog);
    LogWidget* cancel = Make("cancel", Rect(10, 0, 10, 10), dialog);
    ok->SetTabNeighbours(nullptr, a);
    a->SetTabNeighbours(ok, cancel);
    manager.AddBaseModal(dialog);
    manager.SetFocus(ok);
    PressTab(false);
    EXPECT_EQ(NameOf(manager.GetFocusWidget()), "cancel");
}

TEST_F(WidgetTab, ControlTabGoesToTheDefaultTabWidgetAndItsReleaseIsSwallowed)
{
    LogWidget* tabber = Make("tabber", Rect(100, 100, 10, 10));
    manager.SetDefaultTab(tabber);
    manager.SetFocus(a);
    manager.KeyDown(Lumo::kKeyControl);
    Take();
    manager.KeyChar(static_cast<char>(Lumo::kKeyTab));
    manager.KeyUp(Lumo::kKeyTab);
    EXPECT_THAT(Take(), ElementsAre("tabber:char 9"));
    manager.KeyUp(Lumo::kKeyControl);
    manager.KeyChar(static_cast<char>(Lumo::kKeyTab));
    manager.KeyUp(Lumo::kKeyTab);
    EXPECT_THAT(Take(), ElementsAre("a:keyup 17", "a:char 9", "a:keyup 9"));
}

// ---------------------------------------------------------------------------
// Modal widgets

class WidgetModal : public WidgetFixture
{
  protected:
    void SetUp() override
    {
        game = Make("game", Rect(0, 0, 800, 600));
        dialog = Make("dialog", Rect(300, 200, 200, 200));
        dialog->SetVisible(false);
    }

    LogWidget* game = nullptr;
    LogWidget* dialog = nullptr;
};

TEST_F(WidgetModal, PushingLeavesReleasesAndUnfocusesWhatLiesBelow)
{
    manager.SetFocus(game);
    manager.MouseDown(10, 10, 1);
    manager.MouseDown(10, 10, -1);
    Take();
    dialog->SetVisible(true);
    manager.AddBaseModal(dialog);
    EXPECT_THAT(Take(), ElementsAre("game:leave", "game:up 10,10 b0 c1", "game:up 10,10 b1 c1",
                                    "game:lostfocus"));
    EXPECT_EQ(manager.GetOverWidget(), nullptr);
    EXPECT_EQ(manager.GetLastDownWidget(), nullptr);
    EXPECT_EQ(manager.GetFocusWidget(), nullptr);
    EXPECT_FALSE(game->IsDown());

    manager.MouseUp(10, 10, 1);
    manager.MouseUp(10, 10, -1);
    manager.MouseDown(20, 20, 1);
    manager.KeyDown(65);
    EXPECT_THAT(Take(), IsEmpty()) << "nothing below the dialog hears input";

    manager.RemoveBaseModal(dialog);
    EXPECT_EQ(manager.GetBaseModalWidget(), nullptr);
    EXPECT_EQ(manager.GetFocusWidget(), game) << "the focus comes back";
    EXPECT_THAT(Take(), ElementsAre("game:gotfocus", "game:enter"));
}

TEST_F(WidgetModal, BelowFlagsThatKeepMouseAndFocusChangeNothing)
{
    manager.SetFocus(game);
    manager.MouseMove(10, 10);
    Take();
    manager.AddBaseModal(dialog, FlagsMod{});
    EXPECT_THAT(Take(), IsEmpty());
    EXPECT_EQ(manager.GetOverWidget(), game);
    EXPECT_EQ(manager.GetFocusWidget(), game);
}

TEST_F(WidgetModal, WidgetsAboveTheModalWidgetKeepTheirState)
{
    dialog->SetVisible(true);
    LogWidget* tooltip = Make("tooltip", Rect(0, 0, 50, 50));
    manager.SetFocus(tooltip);
    manager.MouseMove(10, 10);
    Take();
    manager.AddBaseModal(dialog);
    EXPECT_THAT(Take(), IsEmpty());
    EXPECT_EQ(manager.GetOverWidget(), tooltip);
    EXPECT_EQ(manager.GetFocusWidget(), tooltip);
}

TEST_F(WidgetModal, StatesStackAndComeOffInAnyOrder)
{
    LogWidget* second = Make("second", Rect(0, 0, 10, 10));
    const FlagsMod keepFocus{0, kWidgetFlagAllowMouse};
    manager.AddBaseModal(dialog, keepFocus);
    manager.AddBaseModal(second);
    EXPECT_EQ(manager.GetBaseModalWidget(), second);
    manager.RemoveBaseModal(dialog);
    EXPECT_EQ(manager.GetBaseModalWidget(), second) << "the top state stays";
    manager.RemoveBaseModal(second);
    EXPECT_EQ(manager.GetBaseModalWidget(), nullptr) << "dialog's state went with it";
    EXPECT_EQ(manager.GetBelowModalFlagsMod().removeFlags, 0);

    manager.AddBaseModal(dialog, keepFocus);
    manager.AddBaseModal(second);
    manager.RemoveBaseModal(second);
    EXPECT_EQ(manager.GetBaseModalWidget(), dialog);
    EXPECT_EQ(manager.GetBelowModalFlagsMod().removeFlags, kWidgetFlagAllowMouse);
    manager.RemoveBaseModal(second);
    EXPECT_EQ(manager.GetBaseModalWidget(), dialog) << "removing twice pops nothing more";
}

TEST_F(WidgetModal, RemovingTheModalWidgetFromTheTreeEndsItsModality)
{
    manager.SetFocus(game);
    dialog->SetVisible(true);
    manager.AddBaseModal(dialog);
    manager.RemoveWidget(dialog);
    EXPECT_EQ(manager.GetBaseModalWidget(), nullptr);
    EXPECT_EQ(manager.GetFocusWidget(), game);
}

TEST_F(WidgetModal, AWidgetMadeModalTwiceLosesBothStatesWhenRemoved)
{
    dialog->SetVisible(true);
    manager.AddBaseModal(dialog);
    manager.AddBaseModal(dialog);
    manager.RemoveWidget(dialog);
    EXPECT_EQ(manager.GetBaseModalWidget(), nullptr);
    manager.MouseDown(10, 10, 1);
    EXPECT_EQ(manager.GetLastDownWidget(), game);
}

TEST_F(WidgetModal, LinksRefuseWidgetsOutsideTheManager)
{
    LogWidget stranger("stranger", &log);
    manager.AddBaseModal(&stranger);
    manager.SetPopupWidget(&stranger);
    manager.SetDefaultTab(&stranger);
    manager.SetKeyListener(&stranger);
    manager.SetFocus(&stranger);
    EXPECT_EQ(manager.GetBaseModalWidget(), nullptr);
    EXPECT_EQ(manager.GetPopupWidget(), nullptr);
    EXPECT_EQ(manager.GetDefaultTab(), nullptr);
    EXPECT_EQ(manager.GetKeyListener(), nullptr);
    EXPECT_EQ(manager.GetFocusWidget(), nullptr);
}

TEST_F(WidgetModal, ModalFlagsReachTheEffectiveFlags)
{
    LogWidget* part = Make("part", Rect(0, 0, 10, 10), game);
    dialog->SetVisible(true);
    manager.AddBaseModal(dialog);
    EXPECT_EQ(manager.GetWidgetFlags(part) & (kWidgetFlagAllowMouse | kWidgetFlagAllowFocus), 0);
    EXPECT_EQ(manager.GetWidgetFlags(dialog), Lumo::kWidgetDefaultFlags);
    EXPECT_FALSE(manager.IsBelowModal(dialog));
    EXPECT_TRUE(manager.IsBelowModal(part));
}

// ---------------------------------------------------------------------------
// Widgets leaving the tree or being disabled

class WidgetRemoval : public WidgetFixture
{
};

TEST_F(WidgetRemoval, DisablingTheWidgetUnderThePointerLeavesIt)
{
    LogWidget* a = Make("a", Rect(0, 0, 100, 100));
    manager.MouseMove(10, 10);
    Take();
    a->SetDisabled(true);
    EXPECT_THAT(Take(), ElementsAre("a:leave"));
    manager.MouseMove(20, 20);
    manager.MouseDown(20, 20, 1);
    manager.MouseUp(20, 20, 1);
    EXPECT_THAT(Take(), IsEmpty());
    a->SetDisabled(false);
    EXPECT_THAT(Take(), ElementsAre("a:enter"));
}

TEST_F(WidgetRemoval, DisablingUncoversTheWidgetBelowOnlyWhenHidden)
{
    LogWidget* low = Make("low", Rect(0, 0, 100, 100));
    LogWidget* high = Make("high", Rect(0, 0, 100, 100));
    manager.MouseMove(10, 10);
    high->SetDisabled(true);
    EXPECT_EQ(manager.GetOverWidget(), nullptr);
    high->SetVisible(false);
    EXPECT_EQ(manager.GetOverWidget(), low);
}

TEST_F(WidgetRemoval, RemovingTheCapturedWidgetReleasesItsButtons)
{
    LogWidget* a = Make("a", Rect(0, 0, 100, 100));
    LogWidget* b = Make("b", Rect(0, 0, 800, 600));
    manager.BringToBack(b);
    manager.MouseDown(10, 10, 3);
    Take();
    manager.RemoveWidget(a);
    EXPECT_THAT(Take(), ElementsAre("a:leave", "a:up 10,10 b2 c1", "b:enter"));
    EXPECT_EQ(manager.GetLastDownWidget(), nullptr);
    manager.MouseDrag(20, 20);
    manager.MouseUp(20, 20, 3);
    EXPECT_THAT(Take(), ElementsAre("b:move 20,20"));
}

TEST_F(WidgetRemoval, RemovingAParentDropsTheFocusOfItsChild)
{
    LogWidget* panel = Make("panel", Rect(0, 0, 100, 100));
    LogWidget* field = Make("field", Rect(0, 0, 10, 10), panel);
    manager.SetFocus(field);
    manager.SetDefaultTab(field);
    manager.SetKeyListener(field);
    Take();
    manager.RemoveWidget(panel);
    EXPECT_THAT(Take(), ElementsAre("field:lostfocus"));
    EXPECT_EQ(manager.GetFocusWidget(), nullptr);
    EXPECT_EQ(manager.GetDefaultTab(), nullptr);
    EXPECT_EQ(manager.GetKeyListener(), nullptr);
    EXPECT_EQ(field->GetManager(), nullptr);
    EXPECT_EQ(field->GetParent(), panel) << "the subtree stays together";
    manager.AddWidget(panel);
    EXPECT_EQ(field->GetManager(), &manager);
}

TEST_F(WidgetRemoval, DeletingAWidgetInTheTreeLeavesNoDanglingReference)
{
    LogWidget* a = Make("a", Rect(0, 0, 100, 100));
    LogWidget* b = Make("b", Rect(100, 0, 100, 100));
    a->SetTabNeighbours(b, b);
    b->SetTabNeighbours(a, a);
    auto doomed = std::make_unique<LogWidget>("doomed", &log);
    doomed->Resize(Rect(0, 0, 50, 50));
    a->AddWidget(doomed.get());
    a->SetTabNeighbours(doomed.get(), doomed.get());
    doomed->SetTabNeighbours(a, a);
    manager.MouseDown(10, 10, 1);
    manager.SetFocus(doomed.get());
    manager.AddBaseModal(doomed.get());
    manager.SetPopupWidget(doomed.get());
    doomed.reset();
    EXPECT_EQ(manager.GetOverWidget(), a);
    EXPECT_EQ(manager.GetLastDownWidget(), nullptr);
    EXPECT_EQ(manager.GetFocusWidget(), nullptr);
    EXPECT_EQ(manager.GetBaseModalWidget(), nullptr);
    EXPECT_EQ(manager.GetPopupWidget(), nullptr);
    EXPECT_EQ(a->GetTabNext(), nullptr);
    EXPECT_THAT(a->GetChildren(), IsEmpty());
    manager.MouseUp(10, 10, 1);
    manager.KeyDown(Lumo::kKeyTab);
}

TEST_F(WidgetRemoval, AWidgetMayRemoveItselfFromItsOwnNotification)
{
    LogWidget* a = Make("a", Rect(0, 0, 100, 100));
    a->OnEvent("up", [&] { manager.RemoveWidget(a); });
    manager.MouseDown(10, 10, 1);
    manager.MouseUp(10, 10, 1);
    EXPECT_EQ(a->GetParent(), nullptr);
    EXPECT_EQ(manager.GetLastDownWidget(), nullptr);
    EXPECT_EQ(manager.GetOverWidget(), nullptr);
    EXPECT_FALSE(a->IsDown());
}

// ---------------------------------------------------------------------------
// Mouse mapping

TEST(WidgetMouseMapping, MapsWindowPixelsIntoApplicationPixels)
{
    struct Case
    {
        Rect source;
        Rect destination;
        int windowX, windowY;
        int mappedX, mappedY;
    };
    const Case cases[] = {
        {Rect(0, 0, 1024, 768), Rect(0, 0, 1024, 768), 512, 300, 512, 300},
        {Rect(0, 0, 2048, 1536), Rect(0, 0, 1024, 768), 1001, 3, 500, 1},
        // A full-screen picture centred with bars at the sides.
        {Rect(160, 0, 1600, 1200), Rect(0, 0, 1024, 768), 160, 1199, 0, 767},
        {Rect(160, 0, 1600, 1200), Rect(0, 0, 1024, 768), 100, 0, -38, 0},
        {Rect(0, 0, 800, 600), Rect(10, 20, 800, 600), 0, 0, 10, 20},
        {Rect(0, 0, 0, 0), Rect(0, 0, 800, 600), 33, 44, 33, 44},
    };
    FakeHost host;
    WidgetManager manager(&host);
    for (const Case& c : cases)
    {
        manager.SetMouseMapping(c.source, c.destination);
        EXPECT_EQ(manager.MapMouse(c.windowX, c.windowY), Lumo::Point(c.mappedX, c.mappedY))
            << c.windowX << "," << c.windowY;
        EXPECT_EQ(manager.GetWidth(), c.destination.width + 2 * c.destination.x);
        EXPECT_EQ(manager.GetHeight(), c.destination.height + 2 * c.destination.y);
    }
}

} // namespace
} // namespace WidgetTest
