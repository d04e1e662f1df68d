// The widget tree itself: z-order placement, dirty tracking, the update pass and the draw pass.
// SPDX-License-Identifier: MIT
#include "widget_test_support.h"

#include <gmock/gmock.h>

namespace WidgetTest
{
namespace
{

using Lumo::FlagsMod;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

class TreeFixture : public WidgetFixture
{
  public:
    void TestBody() override {}

    // Widgets named by one letter with the given z-order values, added in that order, all
    // at the same place.
    void AddAll(const std::vector<std::pair<std::string, int>>& specs)
    {
        for (const auto& [name, z] : specs)
        {
            widgets.push_back(std::make_unique<LogWidget>(name, &log));
            LogWidget* widget = widgets.back().get();
            widget->Resize(Rect(0, 0, 10, 10));
            widget->SetZOrder(z);
            manager.AddWidget(widget);
            byName[name] = widget;
        }
    }

    std::map<std::string, LogWidget*> byName;
};

// ---------------------------------------------------------------------------
// Z-order

struct ZCase
{
    const char* what;
    std::vector<std::pair<std::string, int>> added;
    std::function<void(TreeFixture&)> change;
    std::vector<std::string> expected;
};

TEST(WidgetZOrder, ChildrenStaySortedAndKeepTheRequestedPlaceAmongEquals)
{
    const ZCase cases[] = {
        {"widgets of one z-order stay in the order added",
         {{"a", 0}, {"b", 0}, {"c", 0}},
         nullptr,
         {"a", "b", "c"}},
        {"a higher z-order added first still comes after a lower one",
         {{"a", 2}, {"b", 1}, {"c", 0}},
         nullptr,
         {"c", "b", "a"}},
        {"an equal z-order is added after its equals",
         {{"a", 0}, {"b", 5}, {"c", 0}},
         nullptr,
         {"a", "c", "b"}},
        {"bring to front among equals",
         {{"a", 0}, {"b", 0}, {"c", 0}},
         [](TreeFixture& f) { f.manager.BringToFront(f.byName["a"]); },
         {"b", "c", "a"}},
        {"bring to front stops below a higher z-order",
         {{"a", 0}, {"b", 0}, {"c", 1}},
         [](TreeFixture& f) { f.manager.BringToFront(f.byName["a"]); },
         {"b", "a", "c"}},
        {"bring to back among equals",
         {{"a", 0}, {"b", 0}, {"c", 0}},
         [](TreeFixture& f) { f.manager.BringToBack(f.byName["c"]); },
         {"c", "a", "b"}},
        {"bring to back stops above a lower z-order",
         {{"a", -1}, {"b", 0}, {"c", 0}},
         [](TreeFixture& f) { f.manager.BringToBack(f.byName["c"]); },
         {"a", "c", "b"}},
        {"put behind a reference",
         {{"a", 0}, {"b", 0}, {"c", 0}},
         [](TreeFixture& f) { f.manager.PutBehind(f.byName["c"], f.byName["a"]); },
         {"c", "a", "b"}},
        {"put in front of a reference",
         {{"a", 0}, {"b", 0}, {"c", 0}},
         [](TreeFixture& f) { f.manager.PutInFront(f.byName["a"], f.byName["b"]); },
         {"b", "a", "c"}},
        {"put behind a lower z-order moves only as far as the z-order allows",
         {{"a", 0}, {"b", 0}, {"c", 1}},
         [](TreeFixture& f) { f.manager.PutBehind(f.byName["c"], f.byName["a"]); },
         {"a", "b", "c"}},
        {"put in front of a higher z-order moves only as far as the z-order allows",
         {{"a", 0}, {"b", 0}, {"c", 1}},
         [](TreeFixture& f) { f.manager.PutInFront(f.byName["a"], f.byName["c"]); },
         {"b", "a", "c"}},
        {"a widget put behind itself stays",
         {{"a", 0}, {"b", 0}},
         [](TreeFixture& f) { f.manager.PutBehind(f.byName["b"], f.byName["b"]); },
         {"a", "b"}},
        {"changing the z-order re-sorts",
         {{"a", 0}, {"b", 0}, {"c", 0}},
         [](TreeFixture& f) { f.byName["a"]->SetZOrder(3); },
         {"b", "c", "a"}},
        {"removing and adding again appends",
         {{"a", 0}, {"b", 0}, {"c", 0}},
         [](TreeFixture& f)
         {
             f.manager.RemoveWidget(f.byName["a"]);
             f.manager.AddWidget(f.byName["a"]);
         },
         {"b", "c", "a"}},
    };
    for (const ZCase& zCase : cases)
    {
        TreeFixture fixture;
        fixture.AddAll(zCase.added);
        if (zCase.change)
        {
            zCase.change(fixture);
        }
        EXPECT_THAT(WidgetFixture::Order(fixture.manager), ElementsAreArray(zCase.expected))
            << zCase.what;
    }
}

TEST(WidgetZOrder, MovingAWidgetTellsItAndFollowsWithTheHitTest)
{
    TreeFixture f;
    f.AddAll({{"a", 0}, {"b", 0}});
    f.manager.MouseMove(5, 5);
    EXPECT_EQ(f.manager.GetOverWidget(), f.byName["b"]);
    f.manager.BringToFront(f.byName["a"]);
    EXPECT_EQ(f.manager.GetOverWidget(), f.byName["a"]);
}

TEST(WidgetTree, IsBelowFollowsTheDrawingOrder)
{
    TreeFixture f;
    LogWidget* a = f.Make("a", Rect(0, 0, 10, 10));
    LogWidget* a1 = f.Make("a1", Rect(0, 0, 10, 10), a);
    LogWidget* b = f.Make("b", Rect(0, 0, 10, 10));
    LogWidget* b1 = f.Make("b1", Rect(0, 0, 10, 10), b);
    LogWidget loose("loose", &f.log);
    struct Case
    {
        const Lumo::WidgetContainer* first;
        const Lumo::WidgetContainer* second;
        bool below;
    };
    const Case cases[] = {
        {a, b, true},  {b, a, false},  {a1, b, true}, {a1, b1, true},     {b1, a1, false},
        {a, a1, true}, {a1, a, false}, {a, a, false}, {a, &loose, false}, {&loose, a, false},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(f.manager.IsBelow(c.first, c.second), c.below)
            << WidgetFixture::NameOf(static_cast<const Widget*>(c.first)) << " below "
            << WidgetFixture::NameOf(static_cast<const Widget*>(c.second));
    }
}

TEST(WidgetTree, AddingToADetachedWidgetJoinsTheManagerLater)
{
    TreeFixture f;
    LogWidget panel("panel", &f.log);
    LogWidget field("field", &f.log);
    panel.AddWidget(&field);
    EXPECT_EQ(field.GetManager(), nullptr);
    f.manager.AddWidget(&panel);
    EXPECT_EQ(field.GetManager(), &f.manager);
    LogWidget other("other", &f.log);
    f.manager.AddWidget(&other);
    other.AddWidget(&field);
    EXPECT_EQ(field.GetParent(), &other) << "adding moves a widget out of its old parent";
    EXPECT_THAT(panel.GetChildren(), IsEmpty());
    f.manager.RemoveAllWidgets();
    EXPECT_EQ(field.GetManager(), nullptr);
}

TEST(WidgetTree, RemoveAllWidgetsCanDeleteRecursively)
{
    FakeHost host;
    WidgetManager manager(&host);
    EventLog log;
    auto* panel = new LogWidget("panel", &log);
    auto* field = new LogWidget("field", &log);
    manager.AddWidget(panel);
    panel->AddWidget(field);
    manager.RemoveAllWidgets(true, true);
    EXPECT_THAT(manager.GetChildren(), IsEmpty()); // the sanitizers check nothing leaked
}

// ---------------------------------------------------------------------------
// Dirty tracking

class WidgetDirty : public WidgetFixture
{
  protected:
    // Draws everything once so that every dirty flag is clear.
    void Settle()
    {
        manager.DrawScreen();
        Take();
    }

    std::vector<std::string> DirtyOnes()
    {
        std::vector<std::string> names;
        for (const Widget* child : manager.GetChildren())
        {
            if (child->IsDirty())
            {
                names.push_back(NameOf(child));
            }
        }
        return names;
    }

    void SetUp() override { SetUpAgain(); }

    void SetUpAgain()
    {
        manager.RemoveAllWidgets();
        widgets.clear();
        host.screen = &screen;
        // back (0..100) overlapped by middle (50..150) overlapped by front (120..200);
        // apart (300..) touches nothing.
        back = Make("back", Rect(0, 0, 100, 100));
        middle = Make("middle", Rect(50, 0, 100, 100));
        front = Make("front", Rect(120, 0, 80, 100));
        apart = Make("apart", Rect(300, 0, 50, 50));
        Settle();
    }

    BlankImage screen{800, 600};
    LogWidget* back = nullptr;
    LogWidget* middle = nullptr;
    LogWidget* front = nullptr;
    LogWidget* apart = nullptr;
};

TEST_F(WidgetDirty, MarkDirtyTakesAlongWhatWouldBePaintedOver)
{
    struct Case
    {
        const char* marked;
        bool full;
        std::vector<std::string> dirty;
    };
    const Case cases[] = {
        {"front", false, {"front"}},
        {"middle", false, {"middle", "front"}},
        {"back", false, {"back", "middle", "front"}},
        {"apart", false, {"apart"}},
        {"front", true, {"middle", "front"}},
        {"middle", true, {"back", "middle", "front"}},
        {"apart", true, {"apart"}},
    };
    for (const Case& c : cases)
    {
        EXPECT_FALSE(manager.UpdateFrame()) << "settled";
        LogWidget* widget = c.marked == std::string("front")    ? front
                            : c.marked == std::string("middle") ? middle
                            : c.marked == std::string("back")   ? back
                                                                : apart;
        if (c.full)
        {
            widget->MarkDirtyFull();
        }
        else
        {
            widget->MarkDirty();
        }
        EXPECT_THAT(DirtyOnes(), ElementsAreArray(c.dirty)) << c.marked << (c.full ? " full" : "");
        EXPECT_TRUE(manager.UpdateFrame());
        Settle();
    }
}

TEST_F(WidgetDirty, ATranslucentWidgetIsAlwaysMarkedWithWhatLiesUnder)
{
    middle->SetHasAlpha(true);
    middle->MarkDirty();
    EXPECT_THAT(DirtyOnes(), ElementsAre("back", "middle", "front"));
}

TEST_F(WidgetDirty, AChildMarksItsTopLevelAncestor)
{
    LogWidget* part = Make("part", Rect(5, 5, 10, 10), apart);
    Settle();
    part->MarkDirty();
    EXPECT_TRUE(part->IsDirty());
    EXPECT_THAT(DirtyOnes(), ElementsAre("apart"));
    EXPECT_TRUE(manager.IsDirty());
    Settle();
    EXPECT_FALSE(part->IsDirty());
}

TEST_F(WidgetDirty, StateChangesMarkTheOldAndTheNewArea)
{
    struct Case
    {
        const char* what;
        std::function<void()> change;
        std::vector<std::string> dirty;
    };
    const Case cases[] = {
        {"moving apart over back", [&] { apart->Move(10, 10); }, {"apart"}},
        {"moving front away uncovers middle", [&] { front->Move(400, 400); }, {"middle", "front"}},
        {"moving back away uncovers nothing but repaints what it covered",
         [&] { back->Move(0, 300); },
         {"back", "middle", "front"}},
        {"hiding front uncovers middle", [&] { front->SetVisible(false); }, {"middle", "front"}},
        {"disabling front", [&] { front->SetDisabled(true); }, {"middle", "front"}},
        {"removing middle", [&] { manager.RemoveWidget(middle); }, {"back", "front"}},
        {"resizing to the same rect changes nothing", [&] { apart->Resize(apart->GetRect()); }, {}},
        {"setting a colour", [&] { apart->SetColor(2, Lumo::Color(1, 2, 3)); }, {"apart"}},
    };
    for (const Case& c : cases)
    {
        SetUpAgain();
        c.change();
        EXPECT_THAT(DirtyOnes(), ElementsAreArray(c.dirty)) << c.what;
    }
}

// ---------------------------------------------------------------------------
// Update pass

class WidgetUpdate : public WidgetFixture
{
};

TEST_F(WidgetUpdate, EachWidgetUpdatesOncePerFrame)
{
    LogWidget* a = Make("a", Rect(0, 0, 10, 10));
    Make("a1", Rect(0, 0, 10, 10), a);
    Make("b", Rect(0, 0, 10, 10));
    manager.UpdateFrame();
    EXPECT_THAT(Take(), ElementsAre("a:update", "a1:update", "b:update"));
    a->UpdateAll(manager.GetWidgetFlags(a));
    EXPECT_THAT(Take(), IsEmpty()) << "a second pass in the same frame updates nothing";
    manager.UpdateFrame();
    EXPECT_EQ(a->GetUpdateCount(), 2);
    EXPECT_EQ(manager.GetFrameCount(), 2u);
}

TEST_F(WidgetUpdate, FlagsDecideUpdateAndMarkingDirty)
{
    LogWidget* quiet = Make("quiet", Rect(0, 0, 10, 10));
    LogWidget* busy = Make("busy", Rect(20, 0, 10, 10));
    quiet->SetFlagsMod(FlagsMod{0, Lumo::kWidgetFlagUpdate});
    busy->SetFlagsMod(FlagsMod{Lumo::kWidgetFlagMarkDirty, 0});
    BlankImage screen(800, 600);
    host.screen = &screen;
    manager.DrawScreen();
    Take();
    EXPECT_TRUE(manager.UpdateFrame()) << "busy marks itself dirty every frame";
    EXPECT_THAT(Take(), ElementsAre("busy:update"));
    EXPECT_TRUE(busy->IsDirty());
    EXPECT_FALSE(quiet->IsDirty());
}

struct ListChange
{
    const char* what;
    // Runs inside b's Update; a, b, c and d are top-level in that order.
    std::function<void(WidgetFixture&, std::map<std::string, LogWidget*>&)> change;
    std::vector<std::string> updated;
};

TEST(WidgetUpdatePass, ContinuesSafelyWhenAChildChangesTheList)
{
    const ListChange cases[] = {
        {"b removes itself",
         [](WidgetFixture& f, auto& w) { f.manager.RemoveWidget(w["b"]); },
         {"a", "b", "c", "d"}},
        {"b removes the next widget",
         [](WidgetFixture& f, auto& w) { f.manager.RemoveWidget(w["c"]); },
         {"a", "b", "d"}},
        {"b removes the widget before it",
         [](WidgetFixture& f, auto& w) { f.manager.RemoveWidget(w["a"]); },
         {"a", "b", "c", "d"}},
        {"b goes to the front",
         [](WidgetFixture& f, auto& w) { f.manager.BringToFront(w["b"]); },
         {"a", "b", "c", "d"}},
        {"b goes to the back",
         [](WidgetFixture& f, auto& w) { f.manager.BringToBack(w["b"]); },
         {"a", "b", "c", "d"}},
        {"b brings d to the back",
         [](WidgetFixture& f, auto& w) { f.manager.BringToBack(w["d"]); },
         {"a", "b", "d", "c"}},
        {"b adds a new widget",
         [](WidgetFixture& f, auto&) { f.Make("e", Rect(0, 0, 1, 1)); },
         {"a", "b", "c", "d", "e"}},
        {"b deletes the next widget",
         [](WidgetFixture& f, auto& w)
         {
             auto it = std::find_if(f.widgets.begin(), f.widgets.end(),
                                    [&](const auto& p) { return p.get() == w["c"]; });
             f.widgets.erase(it);
         },
         {"a", "b", "d"}},
    };
    for (const ListChange& c : cases)
    {
        TreeFixture f;
        f.AddAll({{"a", 0}, {"b", 0}, {"c", 0}, {"d", 0}});
        f.byName["b"]->OnEvent("update", [&] { c.change(f, f.byName); });
        f.manager.UpdateFrame();
        std::vector<std::string> updated;
        for (const std::string& entry : f.Take())
        {
            if (entry.ends_with(":update"))
            {
                updated.push_back(entry.substr(0, entry.find(':')));
            }
        }
        EXPECT_THAT(updated, ElementsAreArray(c.updated)) << c.what;
    }
}

TEST_F(WidgetUpdate, FractionalPassReachesEveryUpdatableWidgetOnce)
{
    LogWidget* a = Make("a", Rect(0, 0, 10, 10));
    Make("a1", Rect(0, 0, 10, 10), a);
    LogWidget* b = Make("b", Rect(0, 0, 10, 10));
    b->SetFlagsMod(FlagsMod{0, Lumo::kWidgetFlagUpdate});
    a->OnEvent("updatef", [&] { manager.BringToFront(a); });
    manager.UpdateFrameF(0.5f);
    EXPECT_THAT(Take(), ElementsAre("a:updatef 0.500000", "a1:updatef 0.500000"));
}

// ---------------------------------------------------------------------------
// Draw pass

class WidgetDraw : public WidgetFixture
{
  protected:
    void SetUp() override { host.screen = &screen; }

    BlankImage screen{800, 600};
};

TEST_F(WidgetDraw, DrawsDirtyVisibleWidgetsInListOrderAtTheirPlace)
{
    LogWidget* a = Make("a", Rect(10, 20, 100, 100));
    Make("a1", Rect(5, 5, 10, 10), a);
    LogWidget* b = Make("b", Rect(300, 300, 50, 50));
    Make("hidden", Rect(0, 0, 5, 5))->SetVisible(false);
    Take();
    EXPECT_TRUE(manager.DrawScreen());
    EXPECT_THAT(Take(), ElementsAre("a:draw 10,20 clip 0,0,800,600 fast",
                                    "a1:draw 15,25 clip 0,0,800,600 fast",
                                    "b:draw 300,300 clip 0,0,800,600 fast"));
    EXPECT_EQ(host.screenDraws, 0) << "every begin has its end";
    EXPECT_FALSE(manager.DrawScreen()) << "nothing dirty, nothing drawn";
    EXPECT_THAT(Take(), IsEmpty());
    b->MarkDirty();
    EXPECT_TRUE(manager.DrawScreen());
    EXPECT_THAT(Take(), ElementsAre("b:draw 300,300 clip 0,0,800,600 fast"));
    host.is3D = true;
    a->MarkDirty();
    manager.DrawScreen();
    EXPECT_THAT(Take(),
                ElementsAre("a:draw 10,20 clip 0,0,800,600", "a1:draw 15,25 clip 0,0,800,600"))
        << "a 3-D device keeps smooth stretching";
}

TEST_F(WidgetDraw, WithoutAScreenNothingIsDrawnAndTheTreeStaysDirty)
{
    Make("a", Rect(0, 0, 10, 10));
    host.screen = nullptr;
    EXPECT_FALSE(manager.DrawScreen());
    EXPECT_TRUE(manager.IsDirty());
}

TEST_F(WidgetDraw, ClipFlagAndClipSettingClipTheChildren)
{
    LogWidget* panel = Make("panel", Rect(10, 10, 50, 40));
    Make("part", Rect(20, 20, 100, 100), panel);
    panel->SetClip(true);
    Take();
    manager.DrawScreen();
    EXPECT_THAT(Take(), ElementsAre("panel:draw 10,10 clip 10,10,50,40 fast",
                                    "part:draw 30,30 clip 10,10,50,40 fast"));
    panel->SetFlagsMod(FlagsMod{0, Lumo::kWidgetFlagClip});
    panel->MarkDirty();
    manager.DrawScreen();
    EXPECT_THAT(Take(), ElementsAre("panel:draw 10,10 clip 0,0,800,600 fast",
                                    "part:draw 30,30 clip 0,0,800,600 fast"));
}

TEST_F(WidgetDraw, TheDrawFlagAndTheModalModifiersDecideWhatDraws)
{
    LogWidget* game = Make("game", Rect(0, 0, 800, 600));
    Make("part", Rect(0, 0, 10, 10), game);
    LogWidget* dialog = Make("dialog", Rect(100, 100, 10, 10));
    manager.AddBaseModal(dialog, FlagsMod{0, Lumo::kWidgetFlagDraw});
    Take();
    manager.DrawScreen();
    EXPECT_THAT(Take(), ElementsAre("dialog:draw 100,100 clip 0,0,800,600 fast"));
    manager.RemoveBaseModal(dialog);
    game->MarkDirty();
    manager.DrawScreen();
    EXPECT_THAT(Take(), ElementsAre("game:draw 0,0 clip 0,0,800,600 fast",
                                    "part:draw 0,0 clip 0,0,800,600 fast",
                                    "dialog:draw 100,100 clip 0,0,800,600 fast"));
}

TEST_F(WidgetDraw, OverlaysDrawBeforeTheFirstWidgetOfAHigherPriority)
{
    LogWidget* low = Make("low", Rect(10, 10, 10, 10));
    LogWidget* mid = Make("mid", Rect(20, 20, 10, 10));
    LogWidget* child = Make("child", Rect(1, 1, 5, 5), mid);
    LogWidget* high = Make("high", Rect(30, 30, 10, 10));
    low->SetPriority(0);
    mid->SetPriority(5);
    child->SetPriority(20);
    high->SetPriority(10);
    low->OnEvent("draw",
                 [&]
                 {
                     manager.DeferOverlay(low, 15);
                     manager.DeferOverlay(low, 3);
                     manager.DeferOverlay(low, 100);
                 });
    Take();
    manager.DrawScreen();
    EXPECT_THAT(Take(),
                ElementsAre("low:draw 10,10 clip 0,0,800,600 fast", "low:overlay 3 at 0,0",
                            "mid:draw 20,20 clip 0,0,800,600 fast", "low:overlay 15 at 0,0",
                            "child:draw 21,21 clip 0,0,800,600 fast",
                            "high:draw 30,30 clip 0,0,800,600 fast", "low:overlay 100 at 0,0"));
    manager.DrawScreen();
    EXPECT_THAT(Take(), IsEmpty()) << "overlays last for one pass";
}

TEST_F(WidgetDraw, SystemColourAndDisplayChangesReachEveryWidget)
{
    struct Probe : LogWidget
    {
        using LogWidget::LogWidget;
        void SysColorChanged() override { ++colourChanges; }
        void DisplayRecreated() override
        {
            ++displayChanges;
            LogWidget::DisplayRecreated();
        }
        int colourChanges = 0;
        int displayChanges = 0;
    };
    Probe top("top", &log);
    Probe inner("inner", &log);
    manager.AddWidget(&top);
    top.AddWidget(&inner);
    manager.SysColorChangedAll();
    manager.DisplayRecreated();
    EXPECT_EQ(top.colourChanges + inner.colourChanges, 2);
    EXPECT_EQ(top.displayChanges + inner.displayChanges, 2);
    manager.RemoveWidget(&top);
}

} // namespace
} // namespace WidgetTest
