// The one widget through which the framework reaches the game.
// SPDX-License-Identifier: MIT
#include "kernel/game_bridge.h"

#include "framework/app/lumo_app_base.h"
#include "framework/widgets/widget_manager.h"
#include "kernel/game_interface.h"

namespace KernelLibrary
{

// The visual-object library takes the drawing and the input from here once
// it exists: it draws its objects in layer order, hit-tests them from the
// top down, and reports through its change flag whether anything needs
// drawing. Until then the bridge passes nothing on.

IGameBridge::IGameBridge(Lumo::LumoAppBase* app, IGame* game) : app(app), game(game) {}

IGameBridge::~IGameBridge() = default;

void IGameBridge::AddedToManager(Lumo::WidgetManager* manager)
{
    Widget::AddedToManager(manager);
    manager->SetFocus(this);
    game->LoadResources();
    game->Start();
    started = true;
}

void IGameBridge::RemovedFromManager(Lumo::WidgetManager* manager)
{
    Widget::RemovedFromManager(manager);
    game->StopPlay();
    game->Unload();
}

void IGameBridge::Update()
{
    Widget::Update();
    if (game == nullptr || !started)
    {
        return;
    }
    // The library's change flag moves into this widget's dirty flag here.
}

void IGameBridge::Draw(Lumo::Graphics* g)
{
    (void)g;
    if (app->IsShuttingDown())
    {
        return;
    }
    // The library draws all its visible objects into g here.
}

void IGameBridge::DisplayRecreated()
{
    Widget::DisplayRecreated();
    // The library is told to redraw everything here.
}

void IGameBridge::KeyChar(char character)
{
    (void)character; // to the focused visual object
}

void IGameBridge::KeyDown(int keyCode)
{
    (void)keyCode; // to the library's keyboard observers, then the focused object
}

void IGameBridge::KeyUp(int keyCode)
{
    (void)keyCode; // to the library's keyboard observers, then the focused object
}

void IGameBridge::MouseMove(int x, int y)
{
    (void)x; // the library sends enter, move and leave to the objects under the point
    (void)y;
}

void IGameBridge::MouseDrag(int x, int y)
{
    MouseMove(x, y);
}

void IGameBridge::MouseDown(int x, int y, int button, int clickCount)
{
    (void)x; // to the object under the pointer, which becomes the pressed one
    (void)y;
    (void)button;
    (void)clickCount;
}

void IGameBridge::MouseDown(int x, int y, int clickCount)
{
    Widget::MouseDown(x, y, clickCount);
}

void IGameBridge::MouseUp(int x, int y, int button, int clickCount)
{
    (void)x; // to the object under the pointer
    (void)y;
    (void)button;
    (void)clickCount;
}

void IGameBridge::MouseUp(int x, int y, int clickCount)
{
    MouseUp(x, y, 0, clickCount);
}

void IGameBridge::MouseUp(int x, int y)
{
    MouseUp(x, y, 0, 1);
}

} // namespace KernelLibrary
