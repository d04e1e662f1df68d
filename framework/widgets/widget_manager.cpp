// The widget manager: input routing, hover, capture, focus, modal states and the frame passes.
// SPDX-License-Identifier: MIT
#include "framework/widgets/widget_manager.h"

#include "framework/graphics/graphics.h"

#include <algorithm>
#include <climits>

namespace Lumo
{

namespace
{

struct ButtonOfClick
{
    int bit = WidgetManager::kButtonLeft;
    int id = 1;
};

// The pressed-set bit and the button id a legacy click count stands for.
ButtonOfClick ButtonFromClickCount(int clickCount)
{
    if (clickCount < 0)
    {
        return ButtonOfClick{WidgetManager::kButtonRight, -1};
    }
    if (clickCount == 3)
    {
        return ButtonOfClick{WidgetManager::kButtonMiddle, 2};
    }
    return ButtonOfClick{WidgetManager::kButtonLeft, 1};
}

bool IsAncestorOf(const WidgetContainer* ancestor, const WidgetContainer* node)
{
    for (const WidgetContainer* up = node->GetParent(); up != nullptr; up = up->GetParent())
    {
        if (up == ancestor)
        {
            return true;
        }
    }
    return false;
}

} // namespace

WidgetManager::WidgetManager(IWidgetManagerHost* host) : host(host)
{
    manager = this;
}

WidgetManager::~WidgetManager()
{
    RemoveAllWidgets(false, false);
}

// ---------------------------------------------------------------------------
// Tree membership

void WidgetManager::AttachSubtree(Widget* widget)
{
    widget->manager = this;
    widget->AddedToManager(this);
    const std::vector<Widget*> snapshot = widget->children;
    for (Widget* child : snapshot)
    {
        if (child->parent == widget && child->manager != this)
        {
            AttachSubtree(child);
        }
    }
}

void WidgetManager::DetachSubtree(Widget* widget)
{
    const std::vector<Widget*> snapshot = widget->children;
    for (Widget* child : snapshot)
    {
        if (child->parent == widget && child->manager == this)
        {
            DetachSubtree(child);
        }
    }
    DropReferences(widget);
    widget->RemovedFromManager(this);
    widget->manager = nullptr;
}

void WidgetManager::DropReferences(Widget* widget)
{
    if (widget == nullptr)
    {
        return;
    }
    if (overWidget == widget)
    {
        SetOverWidget(nullptr);
    }
    if (lastDownWidget == widget)
    {
        ReleaseCapture();
    }
    if (focusWidget == widget)
    {
        DropFocus();
    }
    // Scrubbed first, so that ending a modal state cannot hand the focus back to it.
    for (PreModalInfo& info : preModalStack)
    {
        if (info.prevFocusWidget == widget)
        {
            info.prevFocusWidget = nullptr;
        }
    }
    // A widget made modal more than once holds more than one modal state.
    const auto holdsModalState = [this, widget]
    {
        return std::any_of(preModalStack.begin(), preModalStack.end(),
                           [widget](const PreModalInfo& info)
                           { return info.modalWidget == widget; });
    };
    while (holdsModalState())
    {
        RemoveBaseModal(widget);
    }
    if (popupWidget == widget)
    {
        popupWidget = nullptr;
    }
    if (defaultTab == widget)
    {
        defaultTab = nullptr;
    }
    if (keyListener == widget)
    {
        keyListener = nullptr;
    }
    std::erase_if(overlays, [widget](const Overlay& overlay) { return overlay.widget == widget; });
}

void WidgetManager::DisableWidget(Widget* widget)
{
    DropReferences(widget);
    RehupMouse();
}

// ---------------------------------------------------------------------------
// Hit test and hover

bool WidgetManager::IsBelowModal(const WidgetContainer* node) const
{
    return baseModalWidget != nullptr && node != nullptr && node != baseModalWidget &&
           !IsAncestorOf(node, baseModalWidget) && IsBelow(node, baseModalWidget);
}

Widget* WidgetManager::FindWidgetAt(WidgetContainer* node, int flags, int pointX, int pointY)
{
    Widget* best = nullptr;
    int bestPickOrder = INT_MIN;
    for (std::size_t i = node->children.size(); i-- > 0;)
    {
        Widget* child = node->children[i];
        // Further down the list only a strictly higher pick order could still win.
        if (best != nullptr && child->GetPickOrder() <= bestPickOrder)
        {
            continue;
        }
        const int childFlags = node->ChildFlags(flags, child);
        if ((childFlags & kWidgetFlagAllowMouse) == 0 || !child->visible)
        {
            continue;
        }
        const int childX = pointX - child->x;
        const int childY = pointY - child->y;
        Widget* hit = FindWidgetAt(child, childFlags, childX, childY);
        if (hit == nullptr && child->mouseVisible &&
            child->GetInsetRect().Contains(pointX, pointY) && child->IsPointVisible(childX, childY))
        {
            hit = child;
        }
        if (hit != nullptr)
        {
            best = hit;
            bestPickOrder = child->GetPickOrder();
        }
    }
    return best;
}

Widget* WidgetManager::GetWidgetAt(int pointX, int pointY, int* widgetX, int* widgetY)
{
    Widget* hit = FindWidgetAt(this, RootFlags(), pointX, pointY);
    // A disabled widget takes no input, but it still covers what lies under it.
    if (hit != nullptr && hit->disabled)
    {
        hit = nullptr;
    }
    if (hit != nullptr)
    {
        const Point local = ToWidget(hit, pointX, pointY);
        if (widgetX != nullptr)
        {
            *widgetX = local.x;
        }
        if (widgetY != nullptr)
        {
            *widgetY = local.y;
        }
    }
    return hit;
}

int WidgetManager::GetWidgetFlags(const Widget* widget) const
{
    if (widget == nullptr || widget->manager != this)
    {
        return 0;
    }
    // Walk down from the root so that each level's modifiers apply in order.
    std::vector<const Widget*> path;
    for (const WidgetContainer* up = widget; up != nullptr && up != this; up = up->parent)
    {
        path.push_back(static_cast<const Widget*>(up));
    }
    int flags = RootFlags();
    const WidgetContainer* level = this;
    for (auto it = path.rbegin(); it != path.rend(); ++it)
    {
        flags = level->ChildFlags(flags, *it);
        level = *it;
    }
    return flags;
}

Point WidgetManager::ToWidget(const Widget* widget, int pointX, int pointY) const
{
    const Point origin = widget->GetAbsPos();
    return Point(pointX - origin.x, pointY - origin.y);
}

void WidgetManager::SetOverWidget(Widget* widget)
{
    if (overWidget == widget)
    {
        return;
    }
    if (Widget* old = overWidget; old != nullptr)
    {
        overWidget = nullptr;
        old->isOver = false;
        if (old->showsHandCursor && host != nullptr)
        {
            host->SetCursorKind(IWidgetManagerHost::kCursorPointer);
        }
        old->MouseLeave();
    }
    // The leave notification may have changed the tree; enter only a widget still in it.
    if (widget != nullptr && widget->manager == this && overWidget == nullptr)
    {
        overWidget = widget;
        widget->isOver = true;
        if (widget->showsHandCursor && host != nullptr)
        {
            host->SetCursorKind(IWidgetManagerHost::kCursorHand);
        }
        widget->MouseEnter();
    }
}

void WidgetManager::RehupMouse()
{
    if (!mouseIn)
    {
        SetOverWidget(nullptr);
        return;
    }
    Widget* under = HoverCandidate(GetWidgetAt(lastMouseX, lastMouseY));
    if (under != overWidget)
    {
        SetOverWidget(nullptr);
        // Leaving may change the tree; look again before entering.
        SetOverWidget(HoverCandidate(GetWidgetAt(lastMouseX, lastMouseY)));
    }
}

Widget* WidgetManager::HoverCandidate(Widget* under) const
{
    // While a widget holds the capture, no other widget is hovered.
    return lastDownWidget == nullptr || under == lastDownWidget ? under : nullptr;
}

// ---------------------------------------------------------------------------
// Mouse entry points

void WidgetManager::MouseMove(int mouseX, int mouseY)
{
    mouseIn = true;
    const bool moved = mouseX != lastMouseX || mouseY != lastMouseY;
    lastMouseX = mouseX;
    lastMouseY = mouseY;
    Widget* under = HoverCandidate(GetWidgetAt(mouseX, mouseY));
    if (!moved && under == overWidget)
    {
        return;
    }
    if (under != overWidget)
    {
        if (overWidget != nullptr)
        {
            SetOverWidget(nullptr);
            under = HoverCandidate(GetWidgetAt(mouseX, mouseY));
        }
        SetOverWidget(under);
    }
    if (Widget* over = overWidget; over != nullptr)
    {
        const Point local = ToWidget(over, mouseX, mouseY);
        over->MouseMove(local.x, local.y);
    }
}

void WidgetManager::MouseDrag(int mouseX, int mouseY)
{
    Widget* captured = lastDownWidget;
    if (captured == nullptr)
    {
        // A button went down where no widget was: plain hover.
        MouseMove(mouseX, mouseY);
        return;
    }
    mouseIn = true;
    lastMouseX = mouseX;
    lastMouseY = mouseY;
    SetOverWidget(HoverCandidate(GetWidgetAt(mouseX, mouseY)));
    if (lastDownWidget == captured)
    {
        const Point local = ToWidget(captured, mouseX, mouseY);
        captured->MouseDrag(local.x, local.y);
    }
}

void WidgetManager::MouseDown(int mouseX, int mouseY, int clickCount)
{
    const ButtonOfClick button = ButtonFromClickCount(clickCount);
    lastDownButtonId = button.id;
    downButtons |= button.bit;
    MouseMove(mouseX, mouseY);

    if (Widget* popup = popupWidget; popup != nullptr)
    {
        const Point origin = popup->GetAbsPos();
        const Rect area(origin.x, origin.y, popup->width, popup->height);
        if (!area.Contains(mouseX, mouseY))
        {
            popupWidget = nullptr;
            if (popup->parent != nullptr)
            {
                popup->parent->RemoveWidget(popup);
            }
        }
    }

    Widget* target = lastDownWidget != nullptr ? lastDownWidget : GetWidgetAt(mouseX, mouseY);
    if (target == nullptr)
    {
        return;
    }
    lastDownWidget = target;
    capturedButtons |= button.bit;
    if (target->WantsFocus())
    {
        SetFocus(target);
        if (lastDownWidget != target)
        {
            return; // taking the focus removed or disabled it
        }
    }
    target->isDown = true;
    const Point local = ToWidget(target, mouseX, mouseY);
    target->MouseDown(local.x, local.y, clickCount);
}

void WidgetManager::MouseUp(int mouseX, int mouseY, int clickCount)
{
    const ButtonOfClick button = ButtonFromClickCount(clickCount);
    downButtons &= ~button.bit;
    if (Widget* captured = lastDownWidget;
        captured != nullptr && (capturedButtons & button.bit) != 0)
    {
        capturedButtons &= ~button.bit;
        const Point local = ToWidget(captured, mouseX, mouseY);
        captured->MouseUp(local.x, local.y, clickCount);
        // The notification may have dropped the capture already (widget removed).
        if (lastDownWidget == captured && capturedButtons == 0)
        {
            captured->isDown = false;
            lastDownWidget = nullptr;
        }
    }
    MouseMove(mouseX, mouseY);
}

void WidgetManager::ReleaseCapture()
{
    Widget* captured = lastDownWidget;
    if (captured == nullptr)
    {
        return;
    }
    const int buttons = capturedButtons;
    lastDownWidget = nullptr;
    capturedButtons = 0;
    // Cleared first: a forced release is not a click.
    captured->isDown = false;
    const Point local = ToWidget(captured, lastMouseX, lastMouseY);
    if ((buttons & kButtonLeft) != 0)
    {
        captured->MouseUp(local.x, local.y, 1);
    }
    if ((buttons & kButtonRight) != 0)
    {
        captured->MouseUp(local.x, local.y, -1);
    }
    if ((buttons & kButtonMiddle) != 0)
    {
        captured->MouseUp(local.x, local.y, 3);
    }
}

void WidgetManager::MouseWheel(int delta)
{
    if (focusWidget != nullptr)
    {
        focusWidget->MouseWheel(delta);
    }
}

void WidgetManager::MouseExit()
{
    mouseIn = false;
    SetOverWidget(nullptr);
}

// ---------------------------------------------------------------------------
// Keyboard and focus

bool WidgetManager::IsKeyDown(int keyCode) const
{
    return keyCode >= 0 && keyCode < kKeyTableSize && keyDown[static_cast<std::size_t>(keyCode)];
}

void WidgetManager::SendToKeyTargets(void (Widget::*notify)(int), int value)
{
    // Re-read after the focus widget: its notification may change the listener.
    if (focusWidget != nullptr)
    {
        (focusWidget->*notify)(value);
    }
    if (keyListener != nullptr)
    {
        (keyListener->*notify)(value);
    }
}

void WidgetManager::MarkKey(int keyCode, bool down)
{
    if (keyCode >= 0 && keyCode < kKeyTableSize)
    {
        keyDown[static_cast<std::size_t>(keyCode)] = down;
    }
}

void WidgetManager::KeyChar(char character)
{
    if (character == kKeyTab && IsKeyDown(kKeyControl))
    {
        if (defaultTab != nullptr)
        {
            defaultTab->KeyChar(static_cast<char>(kKeyTab));
        }
        return;
    }
    if (focusWidget != nullptr)
    {
        focusWidget->KeyChar(character);
    }
    if (keyListener != nullptr)
    {
        keyListener->KeyChar(character);
    }
}

void WidgetManager::KeyDown(int keyCode)
{
    MarkKey(keyCode, true);
    SendToKeyTargets(&Widget::KeyDown, keyCode);
}

void WidgetManager::KeyUp(int keyCode)
{
    MarkKey(keyCode, false);
    if (keyCode == kKeyTab && IsKeyDown(kKeyControl))
    {
        return;
    }
    SendToKeyTargets(&Widget::KeyUp, keyCode);
}

void WidgetManager::GotFocus()
{
    if (focusWidget != nullptr)
    {
        focusWidget->GotFocus();
    }
}

void WidgetManager::LostFocus()
{
    // Keys released while the window had no focus would otherwise stay down for ever.
    for (int code = 0; code < kKeyTableSize; ++code)
    {
        if (keyDown[static_cast<std::size_t>(code)])
        {
            KeyUp(code);
        }
    }
    if (focusWidget != nullptr)
    {
        focusWidget->LostFocus();
    }
}

void WidgetManager::DropFocus()
{
    if (Widget* old = focusWidget; old != nullptr)
    {
        focusWidget = nullptr;
        old->hasFocus = false;
        old->LostFocus();
    }
}

void WidgetManager::SetFocus(Widget* widget)
{
    if (widget == focusWidget)
    {
        return;
    }
    DropFocus();
    // The old widget may have taken the focus elsewhere in its LostFocus.
    if (widget == nullptr || widget->manager != this || focusWidget != nullptr)
    {
        return;
    }
    focusWidget = widget;
    widget->hasFocus = true;
    if (host == nullptr || host->HasAppFocus())
    {
        widget->GotFocus();
    }
}

// ---------------------------------------------------------------------------
// Modal widgets

void WidgetManager::AddBaseModal(Widget* widget)
{
    AddBaseModal(widget, defaultBelowModalFlagsMod);
}

void WidgetManager::AddBaseModal(Widget* widget, const FlagsMod& belowFlags)
{
    if (widget == nullptr || widget->manager != this)
    {
        return;
    }
    preModalStack.push_back(PreModalInfo{widget, focusWidget, baseModalWidget, belowModalFlagsMod});
    baseModalWidget = widget;
    belowModalFlagsMod = belowFlags;

    const int flagsBelow = belowFlags.Apply(RootFlags());
    if ((flagsBelow & kWidgetFlagAllowMouse) == 0)
    {
        if (overWidget != nullptr && IsBelowModal(overWidget))
        {
            SetOverWidget(nullptr);
        }
        if (lastDownWidget != nullptr && IsBelowModal(lastDownWidget))
        {
            ReleaseCapture();
        }
    }
    if ((flagsBelow & kWidgetFlagAllowFocus) == 0 && IsBelowModal(focusWidget))
    {
        DropFocus();
    }
    RehupMouse();
}

void WidgetManager::RemoveBaseModal(Widget* widget)
{
    auto it =
        std::find_if(preModalStack.rbegin(), preModalStack.rend(),
                     [widget](const PreModalInfo& info) { return info.modalWidget == widget; });
    if (widget == nullptr || it == preModalStack.rend())
    {
        return;
    }
    const PreModalInfo info = *it;
    const auto index = static_cast<std::size_t>(preModalStack.rend() - it - 1);
    if (index + 1 < preModalStack.size())
    {
        // A modal state above this one goes back to what this one replaced.
        PreModalInfo& above = preModalStack[index + 1];
        above.prevModalWidget = info.prevModalWidget;
        above.prevBelowModalFlagsMod = info.prevBelowModalFlagsMod;
        preModalStack.erase(preModalStack.begin() + static_cast<std::ptrdiff_t>(index));
    }
    else
    {
        preModalStack.pop_back();
        baseModalWidget = info.prevModalWidget;
        belowModalFlagsMod = info.prevBelowModalFlagsMod;
        // The focus the modal widget shut out comes back, unless it moved on since.
        const bool focusInModal =
            focusWidget != nullptr && (focusWidget == widget || IsAncestorOf(widget, focusWidget));
        if ((focusWidget == nullptr || focusInModal) && info.prevFocusWidget != nullptr)
        {
            SetFocus(info.prevFocusWidget);
        }
    }
    RehupMouse();
}

// ---------------------------------------------------------------------------
// Mouse mapping

void WidgetManager::SetMouseMapping(const Rect& source, const Rect& destination)
{
    mouseSourceRect = source;
    mouseDestRect = destination;
    x = 0;
    y = 0;
    width = destination.width + 2 * destination.x;
    height = destination.height + 2 * destination.y;
}

Point WidgetManager::MapMouse(int windowX, int windowY) const
{
    if (mouseSourceRect.width <= 0 || mouseSourceRect.height <= 0)
    {
        return Point(windowX, windowY);
    }
    return Point((windowX - mouseSourceRect.x) * mouseDestRect.width / mouseSourceRect.width +
                     mouseDestRect.x,
                 (windowY - mouseSourceRect.y) * mouseDestRect.height / mouseSourceRect.height +
                     mouseDestRect.y);
}

// ---------------------------------------------------------------------------
// Frame passes

bool WidgetManager::UpdateFrame()
{
    ++frameCount;
    UpdateAll(RootFlags());
    return dirty;
}

void WidgetManager::UpdateFrameF(float fraction)
{
    UpdateFAll(RootFlags(), fraction);
}

void WidgetManager::DeferOverlay(Widget* widget, int overlayPriority)
{
    if (widget == nullptr)
    {
        return;
    }
    if (overlays.empty() || overlayPriority < minDeferredOverlayPriority)
    {
        minDeferredOverlayPriority = overlayPriority;
    }
    overlays.push_back(Overlay{widget, overlayPriority});
}

void WidgetManager::FlushDeferredOverlays(int maxPriority)
{
    while (!overlays.empty() && minDeferredOverlayPriority < maxPriority)
    {
        // The first deferred of the lowest priority; drawing it may defer more.
        auto lowest = std::min_element(overlays.begin(), overlays.end(),
                                       [](const Overlay& a, const Overlay& b)
                                       { return a.priority < b.priority; });
        const Overlay overlay = *lowest;
        overlays.erase(lowest);
        if (!overlays.empty())
        {
            minDeferredOverlayPriority = std::min_element(overlays.begin(), overlays.end(),
                                                          [](const Overlay& a, const Overlay& b)
                                                          { return a.priority < b.priority; })
                                             ->priority;
        }
        DrawOverlay(overlay);
    }
}

void WidgetManager::DrawOverlay(const Overlay& overlay)
{
    if (drawPassGraphics == nullptr)
    {
        return;
    }
    Graphics atOrigin(*drawPassGraphics);
    overlay.widget->DrawOverlay(&atOrigin, overlay.priority);
}

bool WidgetManager::DrawScreen()
{
    Image* screen = host != nullptr ? host->GetScreenImage() : nullptr;
    if (screen == nullptr)
    {
        return false;
    }
    host->BeginScreenDraw();
    Graphics g(screen);
    drawPassGraphics = &g;
    const bool fastStretch = !host->Is3DActive();
    const int flags = RootFlags();
    bool drewAny = false;
    ForEachChildSafely(
        [&](Widget* child)
        {
            if (!child->dirty || !child->visible)
            {
                return;
            }
            FlushDeferredOverlays(child->priority);
            Graphics childGraphics(g);
            childGraphics.SetFastStretch(fastStretch);
            childGraphics.Translate(child->x, child->y);
            child->DrawAll(ChildFlags(flags, child), &childGraphics);
            child->dirty = false;
            drewAny = true;
        });
    FlushDeferredOverlays(INT_MAX);
    // Overlays deferred at the highest priority of all.
    while (!overlays.empty())
    {
        const Overlay overlay = overlays.front();
        overlays.erase(overlays.begin());
        DrawOverlay(overlay);
    }
    drawPassGraphics = nullptr;
    host->EndScreenDraw();
    dirty = false;
    return drewAny;
}

} // namespace Lumo
