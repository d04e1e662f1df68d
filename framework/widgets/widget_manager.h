// The root of the widget tree: routes mouse and keyboard input, keeps hover, capture,
// focus and modal state, and runs the update and draw passes.
// SPDX-License-Identifier: MIT
//
// Rules of the manager:
// - The application base calls the entry points on the main thread, with the game lock
//   held, in the order its queued window messages arrived. Coordinates given to the
//   mouse entry points are already mapped into application pixels (MapMouse).
// - Hit test: children are searched from the top of the drawing order down, a subtree
//   before its own widget. Of the candidates at one level the highest pick order wins,
//   the topmost among equals. Widgets drawn below the modal widget are tested with the
//   modal flag modifiers. A disabled widget is never returned (it still covers what lies
//   under it).
// - Capture: once a button went down on a widget, every further press, drag and release
//   goes to that widget until its last button is released.
// - The manager holds plain links to the over, captured, focus, modal, popup, default tab
//   and key listener widgets; a widget leaving the tree or being disabled is dropped from
//   all of them at once (DisableWidget), so none of them ever dangles.
// - The manager knows the application only through IWidgetManagerHost.
#pragma once

#include "framework/widgets/widget.h"

#include <array>
#include <cstdint>
#include <vector>

namespace Lumo
{

class Image;

// What the manager needs from the application that owns it.
class IWidgetManagerHost
{
  public:
    // Cursor kinds the manager asks for; the application owns the full table of kinds.
    static constexpr int kCursorPointer = 0;
    static constexpr int kCursorHand = 1;

    virtual ~IWidgetManagerHost() = default;

    virtual void SetCursorKind(int kind) = 0;
    // Whether a 3-D device draws the screen (the manager then leaves smooth stretching on).
    virtual bool Is3DActive() const = 0;
    // Whether the application window has the keyboard focus.
    virtual bool HasAppFocus() const = 0;
    // The image the draw pass draws on; null while there is no display.
    virtual Image* GetScreenImage() = 0;
    // Around each draw pass, e.g. to lock a display surface drawn by software.
    virtual void BeginScreenDraw() {}
    virtual void EndScreenDraw() {}
};

class WidgetManager : public WidgetContainer
{
  public:
    // Mouse buttons in the pressed set.
    static constexpr int kButtonLeft = 1;
    static constexpr int kButtonRight = 2;
    static constexpr int kButtonMiddle = 4;
    static constexpr int kKeyTableSize = 255;

    explicit WidgetManager(IWidgetManagerHost* host);
    ~WidgetManager() override;

    void SetHost(IWidgetManagerHost* newHost) { host = newHost; }
    [[nodiscard]] IWidgetManagerHost* GetHost() const { return host; }

    // Tree operations that only the manager carries out.
    void DisableWidget(Widget* widget) override;
    // Nothing when unchanged. The old focus widget gets LostFocus; a widget that is not in
    // this manager (or none) leaves no focus; otherwise it becomes the focus and gets
    // GotFocus when the application window has the focus.
    void SetFocus(Widget* widget) override;
    Point GetAbsPos() const override { return Point(0, 0); }

    // Entry points of the application base.
    void MouseMove(int mouseX, int mouseY);
    // Instead of MouseMove while any button is held.
    void MouseDrag(int mouseX, int mouseY);
    // Click count: 1 left, 2 left double, -1 right, -2 right double, 3 middle.
    void MouseDown(int mouseX, int mouseY, int clickCount);
    // Click count: 1 left, -1 right, 3 middle.
    void MouseUp(int mouseX, int mouseY, int clickCount);
    // Whole notches, signed; goes to the focus widget.
    void MouseWheel(int delta);
    // The pointer left the window.
    void MouseExit();
    void KeyChar(char character);
    void KeyDown(int keyCode);
    void KeyUp(int keyCode);
    // The application window gained or lost the keyboard focus.
    void GotFocus();
    void LostFocus();

    // Makes widget modal: what lies below it gets belowFlags (by default the manager's
    // default below-modal modifiers, which take away mouse and focus). The current modal
    // state is kept and comes back with RemoveBaseModal. A widget that is not in this
    // manager is refused (add it first).
    void AddBaseModal(Widget* widget, const FlagsMod& belowFlags);
    void AddBaseModal(Widget* widget);
    // Ends the modality of widget, wherever it stands in the stack of modal states.
    void RemoveBaseModal(Widget* widget);

    // Window pixels in source map to application pixels in destination. The manager's own
    // size becomes destination width + 2 x destination x by height + 2 x destination y.
    void SetMouseMapping(const Rect& source, const Rect& destination);
    // A window position in application pixels; unchanged while the source is empty.
    [[nodiscard]] Point MapMouse(int windowX, int windowY) const;

    // One frame of updates: counts the frame, runs UpdateAll, reports whether anything is
    // dirty afterwards.
    bool UpdateFrame();
    // The fractional update of the frame.
    void UpdateFrameF(float fraction);
    // Draws every dirty visible top-level widget and the overlays onto the host's screen
    // image; reports whether anything was drawn.
    bool DrawScreen();
    // Asks for widget's DrawOverlay before the first widget of a higher priority is drawn
    // (or at the end of the draw pass). Lasts for the current draw pass only.
    void DeferOverlay(Widget* widget, int overlayPriority);
    // Draws every deferred overlay of a priority below maxPriority, lowest first.
    void FlushDeferredOverlays(int maxPriority);

    // The widget under a point of the manager, or null; widgetX/widgetY receive the point
    // relative to it.
    Widget* GetWidgetAt(int pointX, int pointY, int* widgetX = nullptr, int* widgetY = nullptr);
    // The effective flags of a widget in this tree, modal modifiers included.
    [[nodiscard]] int GetWidgetFlags(const Widget* widget) const;
    // Whether the node is drawn below the modal widget (and is not one of its ancestors).
    [[nodiscard]] bool IsBelowModal(const WidgetContainer* node) const;
    // The point (in manager coordinates) relative to widget.
    [[nodiscard]] Point ToWidget(const Widget* widget, int pointX, int pointY) const;

    [[nodiscard]] Widget* GetFocusWidget() const { return focusWidget; }
    [[nodiscard]] Widget* GetOverWidget() const { return overWidget; }
    [[nodiscard]] Widget* GetLastDownWidget() const { return lastDownWidget; }
    [[nodiscard]] Widget* GetBaseModalWidget() const { return baseModalWidget; }
    [[nodiscard]] const FlagsMod& GetBelowModalFlagsMod() const { return belowModalFlagsMod; }
    [[nodiscard]] int GetDownButtons() const { return downButtons; }
    // 1 left, -1 right, 2 middle, 0 before the first press.
    [[nodiscard]] int GetLastDownButtonId() const { return lastDownButtonId; }
    [[nodiscard]] bool IsKeyDown(int keyCode) const;
    [[nodiscard]] std::uint32_t GetFrameCount() const { return frameCount; }
    [[nodiscard]] bool IsMouseIn() const { return mouseIn; }
    [[nodiscard]] Point GetLastMousePos() const { return Point(lastMouseX, lastMouseY); }

    [[nodiscard]] int GetDefaultFlags() const { return defaultFlags; }
    void SetDefaultFlags(int flags) { defaultFlags = flags; }
    void SetDefaultBelowModalFlagsMod(const FlagsMod& mod) { defaultBelowModalFlagsMod = mod; }
    // The three links below take only widgets of this manager (or none); they are dropped
    // when the widget leaves. A widget outside the manager leaves the link empty.
    // Gets Tab typed while Control is held.
    void SetDefaultTab(Widget* widget) { defaultTab = OwnOrNull(widget); }
    [[nodiscard]] Widget* GetDefaultTab() const { return defaultTab; }
    // Hears every key after the focus widget.
    void SetKeyListener(Widget* widget) { keyListener = OwnOrNull(widget); }
    [[nodiscard]] Widget* GetKeyListener() const { return keyListener; }
    // A press outside the popup removes it from the tree. The caller adds it first.
    void SetPopupWidget(Widget* widget) { popupWidget = OwnOrNull(widget); }
    [[nodiscard]] Widget* GetPopupWidget() const { return popupWidget; }

  private:
    friend class WidgetContainer;
    friend class Widget;

    struct PreModalInfo
    {
        Widget* modalWidget = nullptr;
        Widget* prevFocusWidget = nullptr;
        Widget* prevModalWidget = nullptr;
        FlagsMod prevBelowModalFlagsMod;
    };
    struct Overlay
    {
        Widget* widget = nullptr;
        int priority = 0;
    };

    [[nodiscard]] Widget* OwnOrNull(Widget* widget) const
    {
        return widget != nullptr && widget->GetManager() == this ? widget : nullptr;
    }
    [[nodiscard]] int RootFlags() const { return flagsMod.Apply(defaultFlags); }
    // The hit in node's subtree; the point and flags are node's own.
    Widget* FindWidgetAt(WidgetContainer* node, int flags, int pointX, int pointY);
    // Moves the hover to the widget under the last mouse position.
    void RehupMouse();
    void SetOverWidget(Widget* widget);
    // The widget that may be hovered given the one under the pointer.
    [[nodiscard]] Widget* HoverCandidate(Widget* under) const;
    // Sends MouseUp for every button the captured widget still holds, ends the capture.
    void ReleaseCapture();
    // Manager links of a subtree. Attach gives every node the manager and then its
    // AddedToManager, parents first; detach drops the manager's references to each node,
    // runs its RemovedFromManager and clears its link, children first.
    void AttachSubtree(Widget* widget);
    void DetachSubtree(Widget* widget);
    // Drops every reference to the widget (over, capture, focus, modal and the rest).
    void DropReferences(Widget* widget);
    void DrawOverlay(const Overlay& overlay);
    // A key notification to the focus widget, then to the key listener.
    void SendToKeyTargets(void (Widget::*notify)(int), int value);
    void MarkKey(int keyCode, bool down);
    // The focus widget, if any, loses the focus; none takes it.
    void DropFocus();

    IWidgetManagerHost* host = nullptr;
    int defaultFlags = kWidgetDefaultFlags;
    FlagsMod defaultBelowModalFlagsMod{0, kWidgetFlagAllowMouse | kWidgetFlagAllowFocus};
    Widget* defaultTab = nullptr;
    Widget* keyListener = nullptr;
    Widget* popupWidget = nullptr;
    Widget* baseModalWidget = nullptr;
    FlagsMod belowModalFlagsMod;
    std::vector<PreModalInfo> preModalStack;
    Widget* focusWidget = nullptr;
    Widget* lastDownWidget = nullptr;
    // Buttons pressed while the captured widget held the capture.
    int capturedButtons = 0;
    Widget* overWidget = nullptr;
    int lastMouseX = 0;
    int lastMouseY = 0;
    bool mouseIn = false;
    int downButtons = 0;
    int lastDownButtonId = 0;
    std::array<bool, kKeyTableSize> keyDown{};
    std::uint32_t frameCount = 0;
    std::vector<Overlay> overlays;
    int minDeferredOverlayPriority = 0;
    Rect mouseSourceRect;
    Rect mouseDestRect;
    // Graphics of the running draw pass, for overlays; null outside it.
    Graphics* drawPassGraphics = nullptr;
};

} // namespace Lumo
