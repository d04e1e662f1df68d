// A long seeded run of mixed input and tree changes, checking the manager's links after each step.
// SPDX-License-Identifier: MIT
#include "widget_test_support.h"

#include <random>

namespace WidgetTest
{
namespace
{

// A widget that sometimes changes the tree from inside its own notifications.
class RestlessWidget : public Widget
{
  public:
    using Widget::MouseDown;
    using Widget::MouseUp;

    explicit RestlessWidget(std::mt19937* random) : random(random) {}

    void MouseUp(int x, int y, int button, int count) override
    {
        Widget::MouseUp(x, y, button, count);
        Maybe([this] { GetParent()->RemoveWidget(this); });
    }
    void MouseEnter() override
    {
        Maybe([this] { GetParent()->BringToBack(this); });
    }
    void LostFocus() override
    {
        Maybe([this] { SetVisible(!IsVisible()); });
    }
    void Update() override
    {
        Widget::Update();
        Maybe([this] { GetParent()->BringToFront(this); });
    }

  private:
    template <typename Fn> void Maybe(Fn&& fn)
    {
        if (GetParent() != nullptr && (*random)() % 8 == 0)
        {
            fn();
        }
    }

    std::mt19937* random;
};

class WidgetSoak : public ::testing::Test
{
  protected:
    static constexpr int kPoolSize = 12;

    int Pick(int bound) { return static_cast<int>(random() % static_cast<unsigned>(bound)); }
    Widget* AnyWidget() { return pool[static_cast<std::size_t>(Pick(kPoolSize))].get(); }
    Lumo::WidgetContainer* AnyContainer()
    {
        return Pick(3) == 0 ? static_cast<Lumo::WidgetContainer*>(&manager) : AnyWidget();
    }
    Rect AnyRect() { return Rect(Pick(300) - 20, Pick(300) - 20, Pick(200), Pick(200)); }

    void Replace(std::size_t index)
    {
        pool[index] = std::make_unique<RestlessWidget>(&random);
        pool[index]->Resize(AnyRect());
        pool[index]->SetWantsFocus(Pick(2) == 0);
    }

    void Step()
    {
        const int x = Pick(320) - 10;
        const int y = Pick(320) - 10;
        const int clickCounts[] = {1, 2, -1, -2, 3};
        lastAction = Pick(22);
        switch (lastAction)
        {
        case 0:
        case 1:
            manager.MouseMove(x, y);
            break;
        case 2:
            manager.MouseDrag(x, y);
            break;
        case 3:
            manager.MouseDown(x, y, clickCounts[Pick(5)]);
            break;
        case 4:
            manager.MouseUp(x, y, clickCounts[Pick(5)]);
            break;
        case 5:
            manager.KeyDown(Pick(2) == 0 ? Lumo::kKeyTab : Pick(256));
            break;
        case 6:
            manager.KeyUp(Pick(2) == 0 ? Lumo::kKeyTab : Pick(256));
            break;
        case 7:
            manager.SetFocus(AnyWidget());
            break;
        case 8:
            if (Pick(2) == 0)
            {
                manager.AddBaseModal(AnyWidget());
            }
            else
            {
                manager.RemoveBaseModal(AnyWidget());
            }
            break;
        case 9:
            AnyWidget()->SetVisible(Pick(2) == 0);
            break;
        case 10:
            AnyWidget()->SetDisabled(Pick(3) == 0);
            break;
        case 11:
            AnyWidget()->Resize(AnyRect());
            break;
        case 12:
        {
            Widget* widget = AnyWidget();
            if (widget->GetParent() != nullptr)
            {
                widget->GetParent()->PutBehind(widget, AnyWidget());
                widget->GetParent()->PutInFront(widget, AnyWidget());
            }
            break;
        }
        case 13:
        {
            Widget* widget = AnyWidget();
            if (widget->GetParent() != nullptr)
            {
                widget->GetParent()->RemoveWidget(widget);
            }
            break;
        }
        case 14:
        {
            // Adding a widget below itself is refused by the tree.
            Widget* widget = AnyWidget();
            Lumo::WidgetContainer* parent = AnyContainer();
            bool loop = false;
            for (const Lumo::WidgetContainer* up = parent; up != nullptr; up = up->GetParent())
            {
                loop = loop || up == widget;
            }
            if (!loop)
            {
                parent->AddWidget(widget);
            }
            break;
        }
        case 15:
            Replace(static_cast<std::size_t>(Pick(kPoolSize)));
            break;
        case 16:
            AnyWidget()->SetZOrder(Pick(3));
            break;
        case 17:
            manager.UpdateFrame();
            manager.UpdateFrameF(0.5f);
            break;
        case 18:
            manager.DrawScreen();
            break;
        case 19:
            manager.MouseExit();
            break;
        case 20:
            if (Pick(2) == 0)
            {
                manager.LostFocus();
            }
            else
            {
                manager.GotFocus();
            }
            break;
        case 21:
            manager.SetPopupWidget(AnyWidget());
            AnyWidget()->SetTabNeighbours(AnyWidget(), AnyWidget());
            break;
        }
    }

    // The manager's links and the widgets' own flags must agree.
    void CheckLinks(int step)
    {
        const std::pair<const char*, Widget*> links[] = {
            {"over", manager.GetOverWidget()},         {"focus", manager.GetFocusWidget()},
            {"capture", manager.GetLastDownWidget()},  {"modal", manager.GetBaseModalWidget()},
            {"popup", manager.GetPopupWidget()},       {"default tab", manager.GetDefaultTab()},
            {"key listener", manager.GetKeyListener()}};
        for (const auto& [name, link] : links)
        {
            ASSERT_TRUE(link == nullptr || link->GetManager() == &manager)
                << name << " at step " << step << " after action " << lastAction;
        }
        for (const auto& widget : pool)
        {
            const Widget* w = widget.get();
            ASSERT_EQ(w->IsOver(), w == manager.GetOverWidget()) << "step " << step;
            ASSERT_EQ(w->HasFocus(), w == manager.GetFocusWidget()) << "step " << step;
            if (w->IsDown())
            {
                ASSERT_EQ(w, manager.GetLastDownWidget()) << "step " << step;
            }
            const Lumo::WidgetContainer* parent = w->GetParent();
            if (parent != nullptr)
            {
                ASSERT_TRUE(parent->HasWidget(w)) << "step " << step;
                ASSERT_EQ(w->GetManager(), parent->GetManager()) << "step " << step;
            }
            else
            {
                ASSERT_EQ(w->GetManager(), nullptr) << "step " << step;
            }
            const auto& children = w->GetChildren();
            for (std::size_t i = 1; i < children.size(); ++i)
            {
                ASSERT_LE(children[i - 1]->GetZOrder(), children[i]->GetZOrder())
                    << "step " << step;
            }
        }
    }

    int lastAction = -1;
    std::mt19937 random{20240611};
    FakeHost host;
    BlankImage screen{300, 300};
    WidgetManager manager{&host};
    std::vector<std::unique_ptr<RestlessWidget>> pool{kPoolSize};
};

TEST_F(WidgetSoak, ManagerLinksStayValidThroughMixedInputAndTreeChanges)
{
    host.screen = &screen;
    manager.SetMouseMapping(Rect(0, 0, 300, 300), Rect(0, 0, 300, 300));
    for (std::size_t i = 0; i < pool.size(); ++i)
    {
        Replace(i);
        manager.AddWidget(pool[i].get());
    }
    for (int step = 0; step < 20000; ++step)
    {
        Step();
        CheckLinks(step);
        if (HasFatalFailure())
        {
            return;
        }
    }
}

} // namespace
} // namespace WidgetTest
