// The one widget through which the framework reaches the game.
// SPDX-License-Identifier: MIT
//
// IGameBridge covers the whole screen. Joining the widget tree brings the
// game in (LoadResources, then Start); leaving it takes the game out
// (StopPlay, then Unload). Drawing, input and the per-update notification go
// on to the visual-object library. Everything runs on the main thread with
// the game lock held, as the widget tree does.
#pragma once

#include "framework/widgets/widget.h"

namespace Lumo
{
class LumoAppBase;
}

namespace KernelLibrary
{

class IGame;

class IGameBridge : public Lumo::Widget
{
public:
    IGameBridge(Lumo::LumoAppBase* app, IGame* game);
    ~IGameBridge() override;

    void AddedToManager(Lumo::WidgetManager* manager) override;
    void RemovedFromManager(Lumo::WidgetManager* manager) override;
    void Update() override;
    void Draw(Lumo::Graphics* g) override;
    void DisplayRecreated() override;
    void KeyChar(char character) override;
    void KeyDown(int keyCode) override;
    void KeyUp(int keyCode) override;
    void MouseMove(int x, int y) override;
    void MouseDrag(int x, int y) override;
    void MouseDown(int x, int y, int button, int clickCount) override;
    void MouseDown(int x, int y, int clickCount) override;
    void MouseUp(int x, int y, int button, int clickCount) override;
    void MouseUp(int x, int y, int clickCount) override;
    void MouseUp(int x, int y) override;
    void MouseEnter() override {}
    void MouseLeave() override {}

    bool IsStarted() const { return started; }

private:
    Lumo::LumoAppBase* app;
    IGame* game;
    bool started = false;
};

} // namespace KernelLibrary
