// Shared fixture of the widget tests: a fake application host and a widget that logs what it gets.
// SPDX-License-Identifier: MIT
#pragma once

#include "framework/graphics/graphics.h"
#include "framework/graphics/image.h"
#include "framework/widgets/widget_manager.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace WidgetTest
{

using Lumo::Graphics;
using Lumo::Rect;
using Lumo::Widget;
using Lumo::WidgetManager;

// An image of a size that draws nothing; the draw tests look at the calls, not at pixels.
class BlankImage : public Lumo::Image
{
  public:
    BlankImage(int w, int h)
    {
        width = w;
        height = h;
    }
    void FillRect(const Rect&, const Lumo::Color&, Lumo::DrawMode) override {}
};

class FakeHost : public Lumo::IWidgetManagerHost
{
  public:
    void SetCursorKind(int kind) override { cursorKinds.push_back(kind); }
    bool Is3DActive() const override { return is3D; }
    bool HasAppFocus() const override { return appFocus; }
    Lumo::Image* GetScreenImage() override { return screen; }
    void BeginScreenDraw() override { ++screenDraws; }
    void EndScreenDraw() override { --screenDraws; }

    std::vector<int> cursorKinds;
    bool is3D = false;
    bool appFocus = true;
    Lumo::Image* screen = nullptr;
    int screenDraws = 0;
};

using EventLog = std::vector<std::string>;

// Logs every notification as "<name>:<event> <arguments>"; an optional action runs on a
// named event so that tests can change the tree from inside a notification.
class LogWidget : public Widget
{
  public:
    using Widget::DrawOverlay;
    using Widget::MouseDown;
    using Widget::MouseUp;

    LogWidget(std::string widgetName, EventLog* eventLog)
        : name(std::move(widgetName)), log(eventLog)
    {
    }

    void Update() override
    {
        Widget::Update();
        Note("update");
    }
    void UpdateF(float fraction) override { Note("updatef " + std::to_string(fraction)); }
    void Draw(Graphics* g) override
    {
        const Rect clip = g->GetClipRect();
        Note("draw " + std::to_string(static_cast<int>(g->GetTransX())) + "," +
             std::to_string(static_cast<int>(g->GetTransY())) + " clip " + std::to_string(clip.x) +
             "," + std::to_string(clip.y) + "," + std::to_string(clip.width) + "," +
             std::to_string(clip.height) + (g->GetFastStretch() ? " fast" : ""));
        g->Translate(1000, 1000); // must not leak into the children
    }
    void DrawOverlay(Graphics* g, int overlayPriority) override
    {
        Note("overlay " + std::to_string(overlayPriority) + " at " +
             std::to_string(static_cast<int>(g->GetTransX())) + "," +
             std::to_string(static_cast<int>(g->GetTransY())));
    }
    void GotFocus() override { Note("gotfocus"); }
    void LostFocus() override { Note("lostfocus"); }
    void KeyChar(char c) override { Note("char " + std::to_string(static_cast<int>(c))); }
    void KeyDown(int key) override
    {
        Note("keydown " + std::to_string(key));
        Widget::KeyDown(key);
    }
    void KeyUp(int key) override { Note("keyup " + std::to_string(key)); }
    void MouseEnter() override { Note("enter"); }
    void MouseLeave() override { Note("leave"); }
    void MouseMove(int x, int y) override { Note("move " + Xy(x, y)); }
    void MouseDown(int x, int y, int button, int count) override
    {
        Note("down " + Xy(x, y) + " b" + std::to_string(button) + " c" + std::to_string(count));
    }
    void MouseUp(int x, int y, int button, int count) override
    {
        Note("up " + Xy(x, y) + " b" + std::to_string(button) + " c" + std::to_string(count));
        Widget::MouseUp(x, y, button, count);
    }
    void MouseDrag(int x, int y) override { Note("drag " + Xy(x, y)); }
    void MouseWheel(int delta) override { Note("wheel " + std::to_string(delta)); }
    bool IsPointVisible(int x, int y) override { return !pointVisible || pointVisible(x, y); }

    // Runs once, the next time the event (first word) is noted.
    void OnEvent(const std::string& event, std::function<void()> action)
    {
        actions[event] = std::move(action);
    }

    std::string name;
    std::function<bool(int, int)> pointVisible;

  private:
    static std::string Xy(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
    void Note(const std::string& what)
    {
        log->push_back(name + ":" + what);
        const std::string event = what.substr(0, what.find(' '));
        if (auto it = actions.find(event); it != actions.end())
        {
            auto action = std::move(it->second);
            actions.erase(it);
            action();
        }
    }

    EventLog* log;
    std::map<std::string, std::function<void()>> actions;
};

// A manager of 800 x 600 with an identity mouse mapping, and helpers to grow a tree.
class WidgetFixture : public ::testing::Test
{
  public:
    WidgetFixture() { manager.SetMouseMapping(Rect(0, 0, 800, 600), Rect(0, 0, 800, 600)); }

    // A widget of this fixture, placed in parent (the manager when none).
    LogWidget* Make(const std::string& name, Rect rect, Lumo::WidgetContainer* parent = nullptr)
    {
        widgets.push_back(std::make_unique<LogWidget>(name, &log));
        LogWidget* widget = widgets.back().get();
        widget->Resize(rect);
        (parent != nullptr ? parent : &manager)->AddWidget(widget);
        return widget;
    }

    // Names of the children in list order.
    static std::vector<std::string> Order(const Lumo::WidgetContainer& container)
    {
        std::vector<std::string> names;
        for (const Widget* child : container.GetChildren())
        {
            names.push_back(static_cast<const LogWidget*>(child)->name);
        }
        return names;
    }

    static std::string NameOf(const Widget* widget)
    {
        return widget == nullptr ? "none" : static_cast<const LogWidget*>(widget)->name;
    }

    // The log since the last call.
    EventLog Take()
    {
        EventLog taken;
        taken.swap(log);
        return taken;
    }

    FakeHost host;
    WidgetManager manager{&host};
    EventLog log;
    std::vector<std::unique_ptr<LogWidget>> widgets;
};

} // namespace WidgetTest
