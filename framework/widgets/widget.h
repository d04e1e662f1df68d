// Widget: a node of the widget tree that draws itself and receives input from the manager.
// SPDX-License-Identifier: MIT
//
// Rules of widgets:
// - A new widget is visible and hit-testable, has pick order 500 and no manager; it is
//   placed with AddWidget on the manager or on another widget, and sized with Resize.
// - Input reaches a widget only through its manager, with coordinates relative to the
//   widget's own origin. The state flags (over, down, focus) are kept by the manager;
//   the input operations are notifications and do nothing in the base, except that
//   KeyDown moves the focus on Tab and the legacy click-count forms decode the button.
// - Button numbers: 0 left, 1 right, 2 middle. The legacy click count carries the
//   button: negative is the right button, 3 the middle button (one click), any other
//   positive count the left button.
// - Overriding one overload of an input operation hides the others in the derived class;
//   add `using Widget::MouseDown;` (and so on) where the others are still called.
#pragma once

#include "framework/widgets/widget_container.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace Lumo
{

// Pick order of a new widget; a higher one wins the hit test among widgets at one level.
constexpr int kDefaultPickOrder = 500;

class Image;

// Virtual-key codes the widget layer itself looks at.
constexpr int kKeyTab = 9;
constexpr int kKeyEnter = 13;
constexpr int kKeyShift = 16;
constexpr int kKeyControl = 17;
constexpr int kKeyEscape = 27;

// The button a legacy click count stands for (0 left, 1 right, 2 middle) and its count.
struct DecodedClick
{
    int button = 0;
    int clickCount = 1;
};
[[nodiscard]] DecodedClick DecodeClickCount(int clickCount);

class Widget : public WidgetContainer
{
  public:
    Widget() = default;
    ~Widget() override;

    virtual int GetPickOrder() const;
    virtual void SetPickOrder(int order);
    // Called after the widget changed its place among its siblings.
    virtual void OrderInManagerChanged();
    virtual void SetVisible(bool isVisible);
    // Colour table from (red, green, blue, alpha) quadruples or (red, green, blue) triples.
    virtual void SetColors(std::span<const std::array<int, 4>> quadruples);
    virtual void SetColors(std::span<const std::array<int, 3>> triples);
    virtual void SetColor(int index, const Color& color);
    // The colour at index, or defaultColor when the table has none there.
    virtual Color GetColor(int index, const Color& defaultColor) const;
    // The colour at index, or the default colour (opaque black).
    virtual Color GetColor(int index) const;
    virtual void SetDisabled(bool isDisabled);
    // Whether the pointer turns into the hand cursor over this widget.
    virtual void ShowHandCursor(bool on);
    virtual void Resize(const Rect& rect);
    virtual void Resize(int newX, int newY, int newWidth, int newHeight);
    virtual void Move(int newX, int newY);
    virtual bool WantsFocus();
    // Called for an overlay deferred with WidgetManager::DeferOverlay; g is at the
    // manager's origin. The base calls DrawOverlay(g).
    virtual void DrawOverlay(Graphics* g, int overlayPriority);
    virtual void DrawOverlay(Graphics* g);
    virtual void GotFocus();
    virtual void LostFocus();
    virtual void KeyChar(char character);
    // The base moves the focus to the next tab neighbour on Tab, the previous with Shift.
    virtual void KeyDown(int keyCode);
    virtual void KeyUp(int keyCode);
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void MouseMove(int mouseX, int mouseY);
    virtual void MouseDown(int mouseX, int mouseY, int button, int clickCount);
    // Legacy form: decodes the button and calls the button form.
    virtual void MouseDown(int mouseX, int mouseY, int clickCount);
    // The base calls MouseUp(x, y).
    virtual void MouseUp(int mouseX, int mouseY, int button, int clickCount);
    // Legacy form: decodes the button and calls the button form.
    virtual void MouseUp(int mouseX, int mouseY, int clickCount);
    virtual void MouseUp(int mouseX, int mouseY);
    virtual void MouseDrag(int mouseX, int mouseY);
    virtual void MouseWheel(int delta);
    // Whether a point (relative to the widget) that lies in its inset rect really hits it;
    // the base accepts every point.
    virtual bool IsPointVisible(int pointX, int pointY);
    // Text helpers for widgets that draw their own text with the font set on g.
    // The line centred across the widget's width, its pen at y.
    virtual void DrawCenteredLine(Graphics* g, int penY, std::string_view line);
    // The same over a shadow drawn shadowOffsetX, shadowOffsetY further on.
    virtual void DrawCenteredLineWithShadow(Graphics* g, int penY, std::string_view line,
                                            const Color& color, const Color& shadowColor,
                                            int shadowOffsetX = 1, int shadowOffsetY = 2);
    // Text with "^RRGGBB^" colour codes in width; justification 0 centres, 1 aligns right,
    // any other value aligns left. Returns the width drawn.
    virtual int DrawColoredString(Graphics* g, std::string_view text, int penX, int penY,
                                  int areaWidth, int justification);
    // Text wrapped into rect; returns the height used.
    virtual int DrawWordWrapped(Graphics* g, const Rect& rect, std::string_view text,
                                int lineSpacing = -1, int justification = -1);
    virtual int GetWordWrappedHeight(Graphics* g, int wrapWidth, std::string_view text,
                                     int lineSpacing = -1);
    // Decimal digits of the number, sign not counted (1 for 0).
    virtual int GetNumDigits(int number);
    // Draws the number from a strip of digit cels: 0 to 9 across, and a minus sign as an
    // eleventh cel when the strip has one (numCols 11). Returns the width drawn.
    virtual int DrawNumberFromStrip(Graphics* g, int number, int leftX, int topY, Image* digitStrip,
                                    int spacing = 0);
    // Whether the point (in the parent's coordinates) lies in the rect.
    virtual bool Contains(int pointX, int pointY) const;
    // The rect shrunk by the insets, in the parent's coordinates.
    virtual Rect GetInsetRect() const;

    [[nodiscard]] bool IsVisible() const { return visible; }
    [[nodiscard]] bool IsMouseVisible() const { return mouseVisible; }
    void SetMouseVisible(bool on) { mouseVisible = on; }
    [[nodiscard]] bool IsDisabled() const { return disabled; }
    [[nodiscard]] bool HasFocus() const { return hasFocus; }
    [[nodiscard]] bool IsDown() const { return isDown; }
    [[nodiscard]] bool IsOver() const { return isOver; }
    [[nodiscard]] bool HasTransparencies() const { return hasTransparencies; }
    void SetHasTransparencies(bool on) { hasTransparencies = on; }
    [[nodiscard]] bool ShowsHandCursor() const { return showsHandCursor; }
    void SetWantsFocus(bool on) { wantsFocus = on; }
    // Insets (left, top, right, bottom) that shrink the hit area inside the rect.
    void SetInsets(int left, int top, int right, int bottom);
    // Tab neighbours: where Tab and Shift+Tab move the focus. A widget that is deleted
    // clears every tab link that points at it.
    void SetTabNeighbours(Widget* previous, Widget* next);
    [[nodiscard]] Widget* GetTabNext() const { return tabNext; }
    [[nodiscard]] Widget* GetTabPrev() const { return tabPrev; }

  private:
    friend class WidgetManager;

    // Marks the covered area, applies the change, marks the widget and lets the manager
    // find the widget under the pointer again.
    template <typename Change> void ChangeCovering(Change&& change);

    std::int16_t pickOrder = kDefaultPickOrder;
    bool visible = true;
    bool mouseVisible = true;
    bool disabled = false;
    bool hasFocus = false;
    bool isDown = false;
    bool isOver = false;
    bool hasTransparencies = false;
    std::vector<Color> colors;
    int insetLeft = 0;
    int insetTop = 0;
    int insetRight = 0;
    int insetBottom = 0;
    bool wantsFocus = false;
    bool showsHandCursor = false;
    Widget* tabNext = nullptr;
    Widget* tabPrev = nullptr;
    // Widgets whose tab links point here (once per link).
    std::vector<Widget*> tabReferrers;
};

template <typename Fn> void WidgetContainer::ForEachChildSafely(Fn&& fn)
{
    const std::uint64_t serial = NextPassSerial();
    std::size_t i = 0;
    while (i < children.size())
    {
        Widget* child = children[i];
        WidgetContainer* node = child;
        if (node->visitSerial == serial)
        {
            ++i;
            continue;
        }
        node->visitSerial = serial;
        const std::uint32_t versionBefore = childListVersion;
        fn(child);
        i = childListVersion == versionBefore ? i + 1 : 0;
    }
}

} // namespace Lumo
