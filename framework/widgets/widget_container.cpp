// The widget tree: child lists in z-order, manager links, dirty marking and the update pass.
// SPDX-License-Identifier: MIT
#include "framework/widgets/widget_container.h"

#include "framework/graphics/graphics.h"
#include "framework/widgets/widget.h"
#include "framework/widgets/widget_manager.h"

#include <algorithm>
#include <atomic>
#include <cassert>

namespace Lumo
{

namespace
{

int Depth(const WidgetContainer* node)
{
    int depth = 0;
    for (const WidgetContainer* up = node->GetParent(); up != nullptr; up = up->GetParent())
    {
        ++depth;
    }
    return depth;
}

std::ptrdiff_t IndexIn(const std::vector<Widget*>& list, const WidgetContainer* node)
{
    const auto it = std::find(list.begin(), list.end(), node);
    return it == list.end() ? -1 : it - list.begin();
}

} // namespace

std::uint64_t WidgetContainer::NextPassSerial()
{
    // Unique across all containers, so a child that moved to another container in the
    // middle of a pass is never mistaken for one already visited there.
    static std::atomic<std::uint64_t> serial{0};
    return serial.fetch_add(1, std::memory_order_relaxed) + 1;
}

WidgetContainer::~WidgetContainer()
{
    // Children are not owned; they simply lose their parent.
    for (Widget* child : children)
    {
        child->parent = nullptr;
    }
}

Rect WidgetContainer::GetRect() const
{
    return Rect(x, y, width, height);
}

bool WidgetContainer::Intersects(const WidgetContainer* other) const
{
    return other != nullptr && GetRect().Intersects(other->GetRect());
}

void WidgetContainer::AddWidget(Widget* widget)
{
    if (widget == nullptr || widget->parent == this)
    {
        return;
    }
    for (const WidgetContainer* up = this; up != nullptr; up = up->parent)
    {
        if (up == widget)
        {
            assert(!"a widget cannot be added below itself");
            return;
        }
    }
    if (widget->parent != nullptr)
    {
        widget->parent->RemoveWidget(widget);
    }
    PlaceChild(widget, children.size());
    widget->parent = this;
    if (manager != nullptr)
    {
        manager->AttachSubtree(widget);
    }
    widget->MarkDirty();
    if (manager != nullptr)
    {
        manager->RehupMouse();
    }
}

void WidgetContainer::RemoveWidget(Widget* widget)
{
    if (widget == nullptr || widget->parent != this)
    {
        return;
    }
    // What the widget covered shows again.
    MarkDirtyFull(widget);
    UnlinkChild(widget);
    widget->parent = nullptr;
    if (manager != nullptr)
    {
        WidgetManager* owner = manager;
        owner->DetachSubtree(widget);
        owner->RehupMouse();
    }
}

bool WidgetContainer::HasWidget(const Widget* widget) const
{
    return IndexIn(children, widget) >= 0;
}

void WidgetContainer::DisableWidget(Widget* /*widget*/) {}

void WidgetContainer::RemoveAllWidgets(bool deleteWidgets, bool recursive)
{
    while (!children.empty())
    {
        Widget* child = children.front();
        if (recursive)
        {
            child->RemoveAllWidgets(deleteWidgets, true);
        }
        RemoveWidget(child);
        if (deleteWidgets)
        {
            delete child;
        }
    }
}

void WidgetContainer::SetFocus(Widget* /*widget*/) {}

bool WidgetContainer::IsBelow(const WidgetContainer* a, const WidgetContainer* b) const
{
    if (a == nullptr || b == nullptr || a == b)
    {
        return false;
    }
    const int depthA = Depth(a);
    const int depthB = Depth(b);
    const WidgetContainer* upA = a;
    const WidgetContainer* upB = b;
    for (int d = depthA; d > depthB; --d)
    {
        upA = upA->parent;
    }
    for (int d = depthB; d > depthA; --d)
    {
        upB = upB->parent;
    }
    if (upA == upB)
    {
        // One is an ancestor of the other; parents are drawn first.
        return depthA < depthB;
    }
    while (upA->parent != upB->parent)
    {
        upA = upA->parent;
        upB = upB->parent;
    }
    if (upA->parent == nullptr)
    {
        return false;
    }
    const auto& siblings = upA->parent->children;
    return IndexIn(siblings, upA) < IndexIn(siblings, upB);
}

void WidgetContainer::MarkAllDirty()
{
    MarkDirty();
    for (Widget* child : children)
    {
        child->MarkAllDirty();
    }
}

void WidgetContainer::BringToFront(Widget* widget)
{
    MoveChild(widget, nullptr, Placement::Front);
}

void WidgetContainer::BringToBack(Widget* widget)
{
    MoveChild(widget, nullptr, Placement::Back);
}

void WidgetContainer::PutBehind(Widget* widget, Widget* reference)
{
    MoveChild(widget, reference, Placement::Behind);
}

void WidgetContainer::PutInFront(Widget* widget, Widget* reference)
{
    MoveChild(widget, reference, Placement::InFront);
}

void WidgetContainer::MoveChild(Widget* widget, const Widget* reference, Placement placement)
{
    const bool needsReference = placement == Placement::Behind || placement == Placement::InFront;
    if (widget == nullptr || widget->parent != this ||
        (needsReference &&
         (reference == nullptr || reference == widget || reference->parent != this)))
    {
        return;
    }
    UnlinkChild(widget);
    std::size_t requested = 0;
    switch (placement)
    {
    case Placement::Front:
        requested = children.size();
        break;
    case Placement::Back:
        requested = 0;
        break;
    case Placement::Behind:
        requested = static_cast<std::size_t>(IndexIn(children, reference));
        break;
    case Placement::InFront:
        requested = static_cast<std::size_t>(IndexIn(children, reference)) + 1;
        break;
    }
    PlaceChild(widget, requested);
    widget->OrderInManagerChanged();
    // Whatever now lies above it, and what it lay above before, is drawn again.
    MarkDirtyFull(widget);
    if (manager != nullptr)
    {
        manager->RehupMouse();
    }
}

Point WidgetContainer::GetAbsPos() const
{
    if (parent == nullptr)
    {
        return Point(x, y);
    }
    const Point base = parent->GetAbsPos();
    return Point(base.x + x, base.y + y);
}

void WidgetContainer::MarkDirty(WidgetContainer* child)
{
    if (child == nullptr)
    {
        return;
    }
    if (child->hasAlpha)
    {
        // A translucent widget drawn again over its old pixels would blend with them.
        MarkDirtyFull(child);
        return;
    }
    child->dirty = true;
    const std::ptrdiff_t index = IndexIn(children, child);
    if (index >= 0)
    {
        MarkOverlappingAbove(static_cast<std::size_t>(index));
    }
    MarkDirty();
}

void WidgetContainer::MarkDirty()
{
    if (parent != nullptr)
    {
        parent->MarkDirty(this);
    }
    else
    {
        dirty = true;
    }
}

void WidgetContainer::MarkDirtyFull(WidgetContainer* child)
{
    if (child == nullptr)
    {
        return;
    }
    child->dirty = true;
    if (parent != nullptr)
    {
        // This node is drawn under its children: drawing it again covers the area.
        MarkDirty();
        return;
    }
    // At the root, what lies under the child are the earlier siblings it overlaps;
    // each of them then paints over whatever lies above it.
    const std::ptrdiff_t index = IndexIn(children, child);
    std::size_t lowest = index >= 0 ? static_cast<std::size_t>(index) : children.size();
    for (std::size_t i = 0; index >= 0 && i < static_cast<std::size_t>(index); ++i)
    {
        Widget* sibling = children[i];
        if (sibling->IsVisible() && sibling->Intersects(child))
        {
            sibling->dirty = true;
            lowest = std::min(lowest, i);
        }
    }
    if (lowest < children.size())
    {
        MarkOverlappingAbove(lowest);
    }
    dirty = true;
}

void WidgetContainer::MarkDirtyFull()
{
    if (parent != nullptr)
    {
        parent->MarkDirtyFull(this);
    }
    else
    {
        dirty = true;
    }
}

void WidgetContainer::MarkOverlappingAbove(std::size_t fromIndex)
{
    for (std::size_t above = fromIndex + 1; above < children.size(); ++above)
    {
        Widget* candidate = children[above];
        if (candidate->dirty || !candidate->IsVisible())
        {
            continue;
        }
        for (std::size_t below = fromIndex; below < above; ++below)
        {
            const Widget* marked = children[below];
            if (marked->dirty && marked->IsVisible() && marked->Intersects(candidate))
            {
                candidate->dirty = true;
                break;
            }
        }
    }
}

void WidgetContainer::DisplayRecreated()
{
    ForEachChildSafely([](Widget* child) { child->DisplayRecreated(); });
}

void WidgetContainer::AddedToManager(WidgetManager* /*manager*/) {}

void WidgetContainer::RemovedFromManager(WidgetManager* /*manager*/) {}

void WidgetContainer::Update()
{
    ++updateCount;
}

void WidgetContainer::UpdateAll(int flags)
{
    if ((flags & kWidgetFlagMarkDirty) != 0)
    {
        MarkDirty();
    }
    if ((flags & kWidgetFlagUpdate) != 0)
    {
        // Once per manager frame, however often the pass reaches this node.
        const bool inManager = manager != nullptr;
        const std::uint32_t frame = inManager ? manager->GetFrameCount() : 0;
        if (!inManager || frame != lastUpdateFrame)
        {
            lastUpdateFrame = frame;
            Update();
        }
    }
    UpdateChildren(flags);
}

void WidgetContainer::UpdateF(float /*fraction*/) {}

void WidgetContainer::UpdateFAll(int flags, float fraction)
{
    if ((flags & kWidgetFlagUpdate) != 0)
    {
        UpdateF(fraction);
    }
    UpdateFChildren(flags, fraction);
}

void WidgetContainer::Draw(Graphics* /*g*/) {}

void WidgetContainer::DrawAll(int flags, Graphics* g)
{
    if (clip && (flags & kWidgetFlagClip) != 0)
    {
        g->ClipRect(0, 0, width, height);
    }
    if ((flags & kWidgetFlagDraw) != 0)
    {
        if (children.empty())
        {
            Draw(g);
            return;
        }
        // The children start from the state this node was given, whatever Draw changed.
        g->PushState();
        Draw(g);
        g->PopState();
    }
    DrawChildren(flags, g);
}

void WidgetContainer::DrawChildren(int flags, Graphics* g)
{
    ForEachChildSafely(
        [this, flags, g](Widget* child)
        {
            if (!child->IsVisible())
            {
                return;
            }
            if (manager != nullptr)
            {
                manager->FlushDeferredOverlays(child->GetPriority());
            }
            Graphics childGraphics(*g);
            childGraphics.Translate(child->GetX(), child->GetY());
            child->DrawAll(ChildFlags(flags, child), &childGraphics);
            child->ClearDirty();
        });
}

void WidgetContainer::SysColorChangedAll()
{
    SysColorChanged();
    ForEachChildSafely([](Widget* child) { child->SysColorChangedAll(); });
}

void WidgetContainer::SysColorChanged() {}

void WidgetContainer::SetZOrder(int value)
{
    zOrder = value;
    if (parent != nullptr)
    {
        auto* self = static_cast<Widget*>(this);
        const std::ptrdiff_t index = parent->UnlinkChild(self);
        parent->PlaceChild(self, static_cast<std::size_t>(index));
        parent->MarkDirtyFull(self);
    }
}

void WidgetContainer::UpdateChildren(int flags)
{
    ForEachChildSafely([this, flags](Widget* child)
                       { child->UpdateAll(ChildFlags(flags, child)); });
}

void WidgetContainer::UpdateFChildren(int flags, float fraction)
{
    ForEachChildSafely([this, flags, fraction](Widget* child)
                       { child->UpdateFAll(ChildFlags(flags, child), fraction); });
}

int WidgetContainer::ChildFlags(int flags, const Widget* child) const
{
    const int own = child->flagsMod.Apply(flags);
    if (manager != nullptr && manager->IsBelowModal(child))
    {
        return manager->GetBelowModalFlagsMod().Apply(own);
    }
    return own;
}

void WidgetContainer::PlaceChild(Widget* widget, std::size_t requested)
{
    std::size_t i = std::min(requested, children.size());
    children.insert(children.begin() + static_cast<std::ptrdiff_t>(i), widget);
    while (i > 0 && children[i - 1]->zOrder > widget->zOrder)
    {
        std::swap(children[i - 1], children[i]);
        --i;
    }
    while (i + 1 < children.size() && children[i + 1]->zOrder < widget->zOrder)
    {
        std::swap(children[i + 1], children[i]);
        ++i;
    }
    ++childListVersion;
}

std::ptrdiff_t WidgetContainer::UnlinkChild(Widget* widget)
{
    const std::ptrdiff_t index = IndexIn(children, widget);
    if (index >= 0)
    {
        children.erase(children.begin() + index);
        ++childListVersion;
    }
    return index;
}

} // namespace Lumo
