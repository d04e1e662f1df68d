// The node of the widget tree: an ordered list of child widgets with rect, flags, z-order and dirty
// state. SPDX-License-Identifier: MIT
//
// Rules of the widget tree:
// - Everything here runs on the main (window) thread with the game lock held.
// - A container does not own its children: whoever creates a widget deletes it, after
//   removing it (RemoveAllWidgets can delete them on request). Deleting a widget that is
//   still in a tree takes it out first, so nothing keeps a dangling link to it.
// - Children are kept sorted by z-order value, lowest first. The front of the list is
//   drawn first, the back last and on top; input looks from the back to the front.
// - A rect is relative to the parent container. The manager is the root, at (0, 0).
// - Effective flags of a node are (parent's effective flags | add) & ~remove; widgets
//   drawn below the manager's modal widget get the modal modifiers applied on top.
// - Any change to a child list during an update pass is noticed by the pass, which
//   carries on without visiting a child twice or touching one that left the list.
#pragma once

#include "framework/graphics/color.h"

#include <cstdint>
#include <vector>

namespace Lumo
{

class Graphics;
class Widget;
class WidgetManager;

// Widget flags: what a node may do in the update, draw and input passes.
constexpr int kWidgetFlagUpdate = 0x01;     // Update runs once per manager frame
constexpr int kWidgetFlagMarkDirty = 0x02;  // marked dirty on every update pass
constexpr int kWidgetFlagDraw = 0x04;       // Draw runs
constexpr int kWidgetFlagClip = 0x08;       // children are clipped to the rect
constexpr int kWidgetFlagAllowMouse = 0x10; // hit-tested, receives mouse events
constexpr int kWidgetFlagAllowFocus = 0x20; // may hold the keyboard focus
constexpr int kWidgetDefaultFlags = 0x3D;

// Flags to add and to remove, applied as (flags | addFlags) & ~removeFlags.
struct FlagsMod
{
    int addFlags = 0;
    int removeFlags = 0;

    [[nodiscard]] constexpr int Apply(int flags) const { return (flags | addFlags) & ~removeFlags; }
};

class WidgetContainer
{
  public:
    WidgetContainer() = default;
    WidgetContainer(const WidgetContainer&) = delete;
    WidgetContainer& operator=(const WidgetContainer&) = delete;
    virtual ~WidgetContainer();

    virtual Rect GetRect() const;
    // True when the other node's rect overlaps this one (both taken in the same parent).
    virtual bool Intersects(const WidgetContainer* other) const;

    // Appends the widget (after every child of a lower or equal z-order). A widget that
    // sits in another container is taken out of it first. Adding to a container that is
    // in a manager puts the whole subtree in that manager.
    virtual void AddWidget(Widget* widget);
    // Takes the widget and its subtree out of this container and its manager; not deleted.
    virtual void RemoveWidget(Widget* widget);
    virtual bool HasWidget(const Widget* widget) const;
    // Manager only: drop every reference the manager holds to the widget.
    virtual void DisableWidget(Widget* widget);
    // Removes every child; with deleteWidgets they are deleted too, with recursive their
    // children are removed (and deleted) first.
    virtual void RemoveAllWidgets(bool deleteWidgets = false, bool recursive = false);
    // Manager only.
    virtual void SetFocus(Widget* widget);
    // True when a is drawn before b (a parent is drawn before its children). False when
    // they are not in the same tree.
    virtual bool IsBelow(const WidgetContainer* a, const WidgetContainer* b) const;
    virtual void MarkAllDirty();
    virtual void BringToFront(Widget* widget);
    virtual void BringToBack(Widget* widget);
    // Moves widget just before (below) reference, then as far as the z-order requires.
    virtual void PutBehind(Widget* widget, Widget* reference);
    // Moves widget just after (above) reference, then as far as the z-order requires.
    virtual void PutInFront(Widget* widget, Widget* reference);
    // Position of this node's origin in manager coordinates.
    virtual Point GetAbsPos() const;
    // Marks the child and every later sibling its redraw would paint over.
    virtual void MarkDirty(WidgetContainer* child);
    // Marks this node and, through the parents, what its redraw depends on.
    virtual void MarkDirty();
    // Marks the child together with what lies under it (its old pixels must be covered).
    virtual void MarkDirtyFull(WidgetContainer* child);
    virtual void MarkDirtyFull();
    // The display was created anew: forwarded to every descendant.
    virtual void DisplayRecreated();
    // Notifications; the tree itself keeps the manager links, so overriding these
    // without calling the base is safe.
    virtual void AddedToManager(WidgetManager* manager);
    virtual void RemovedFromManager(WidgetManager* manager);
    // The base counts updates.
    virtual void Update();
    // One update pass of this node with its effective flags.
    virtual void UpdateAll(int flags);
    virtual void UpdateF(float fraction);
    virtual void UpdateFAll(int flags, float fraction);
    virtual void Draw(Graphics* g);
    // Draws this node (when flagged) and then every visible child on a translated copy of g.
    virtual void DrawAll(int flags, Graphics* g);
    // Forwarded to every descendant; SysColorChanged is the per-node hook.
    virtual void SysColorChangedAll();
    virtual void SysColorChanged();

    // Plain accessors.
    [[nodiscard]] const std::vector<Widget*>& GetChildren() const { return children; }
    [[nodiscard]] WidgetContainer* GetParent() const { return parent; }
    [[nodiscard]] WidgetManager* GetManager() const { return manager; }
    [[nodiscard]] bool IsDirty() const { return dirty; }
    void ClearDirty() { dirty = false; }
    [[nodiscard]] int GetX() const { return x; }
    [[nodiscard]] int GetY() const { return y; }
    [[nodiscard]] int GetWidth() const { return width; }
    [[nodiscard]] int GetHeight() const { return height; }
    [[nodiscard]] const FlagsMod& GetFlagsMod() const { return flagsMod; }
    void SetFlagsMod(const FlagsMod& mod) { flagsMod = mod; }
    [[nodiscard]] bool HasAlpha() const { return hasAlpha; }
    void SetHasAlpha(bool on) { hasAlpha = on; }
    [[nodiscard]] bool GetClip() const { return clip; }
    void SetClip(bool on) { clip = on; }
    [[nodiscard]] int GetPriority() const { return priority; }
    void SetPriority(int value) { priority = value; }
    [[nodiscard]] int GetZOrder() const { return zOrder; }
    // Changes the z-order value and moves the node among its siblings to keep them sorted.
    void SetZOrder(int value);
    [[nodiscard]] int GetUpdateCount() const { return updateCount; }

  protected:
    // Runs UpdateAll (or UpdateFAll) on every child in list order with the given flags of
    // this node; widgets below the modal widget get the modal modifiers.
    void UpdateChildren(int flags);
    void UpdateFChildren(int flags, float fraction);
    void DrawChildren(int flags, Graphics* g);
    // The flags a child runs with inside this container whose flags are given.
    int ChildFlags(int flags, const Widget* child) const;
    // Runs fn on every child in list order, each at most once; when fn changes the list,
    // the walk starts again from the front and skips the children already visited.
    // Defined in widget.h.
    template <typename Fn> void ForEachChildSafely(Fn&& fn);

    std::vector<Widget*> children;
    WidgetManager* manager = nullptr;
    WidgetContainer* parent = nullptr;
    // Bumped by every change of the child list, so that a pass over it notices.
    std::uint32_t childListVersion = 0;
    bool dirty = false;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool hasAlpha = false;
    bool clip = false;
    FlagsMod flagsMod;
    int priority = 0;
    int zOrder = 0;
    int updateCount = 0;
    // Manager frame in which Update last ran.
    std::uint32_t lastUpdateFrame = 0;

  private:
    friend class WidgetManager;

    enum class Placement
    {
        Front,
        Back,
        Behind,
        InFront,
    };
    // Moves a child to the requested place (then as far as the z-order requires).
    void MoveChild(Widget* widget, const Widget* reference, Placement placement);
    // Inserts at the requested index, then slides the child until the z-order is sorted.
    void PlaceChild(Widget* widget, std::size_t requested);
    // Takes the widget out of the child list only; returns its former index or -1.
    std::ptrdiff_t UnlinkChild(Widget* widget);
    // Marks later siblings that overlap something already marked, transitively.
    void MarkOverlappingAbove(std::size_t fromIndex);

    static std::uint64_t NextPassSerial();

    // Set on a child by the pass of its parent that last visited it.
    std::uint64_t visitSerial = 0;
};

} // namespace Lumo
