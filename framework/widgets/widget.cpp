// Widget: its own state changes, colours, Tab movement and the default input behaviour.
// SPDX-License-Identifier: MIT
#include "framework/widgets/widget.h"

#include "framework/graphics/graphics.h"
#include "framework/graphics/image.h"
#include "framework/widgets/widget_manager.h"

#include <algorithm>
#include <limits>
#include <string>

namespace Lumo
{

namespace
{

// Longest tab chain walked looking for a widget that can take the focus; a chain that
// loops without one ends here instead of spinning.
constexpr int kMaxTabSteps = 1024;

} // namespace

DecodedClick DecodeClickCount(int clickCount)
{
    if (clickCount < 0)
    {
        return DecodedClick{1, -clickCount};
    }
    if (clickCount == 3)
    {
        return DecodedClick{2, 1};
    }
    return DecodedClick{0, clickCount};
}

Widget::~Widget()
{
    if (parent != nullptr)
    {
        parent->RemoveWidget(this);
    }
    for (Widget* referrer : tabReferrers)
    {
        if (referrer->tabNext == this)
        {
            referrer->tabNext = nullptr;
        }
        if (referrer->tabPrev == this)
        {
            referrer->tabPrev = nullptr;
        }
    }
    SetTabNeighbours(nullptr, nullptr);
}

int Widget::GetPickOrder() const
{
    return pickOrder;
}

void Widget::SetPickOrder(int order)
{
    pickOrder =
        static_cast<std::int16_t>(std::clamp(order, int{std::numeric_limits<std::int16_t>::min()},
                                             int{std::numeric_limits<std::int16_t>::max()}));
}

void Widget::OrderInManagerChanged() {}

template <typename Change> void Widget::ChangeCovering(Change&& change)
{
    MarkDirtyFull();
    change();
    MarkDirty();
    if (manager != nullptr)
    {
        manager->RehupMouse();
    }
}

void Widget::SetVisible(bool isVisible)
{
    if (visible == isVisible)
    {
        return;
    }
    ChangeCovering([this, isVisible] { visible = isVisible; });
}

void Widget::SetColors(std::span<const std::array<int, 4>> quadruples)
{
    colors.clear();
    for (const auto& c : quadruples)
    {
        colors.emplace_back(c[0], c[1], c[2], c[3]);
    }
    MarkDirty();
}

void Widget::SetColors(std::span<const std::array<int, 3>> triples)
{
    colors.clear();
    for (const auto& c : triples)
    {
        colors.emplace_back(c[0], c[1], c[2]);
    }
    MarkDirty();
}

void Widget::SetColor(int index, const Color& color)
{
    if (index < 0)
    {
        return;
    }
    const auto slot = static_cast<std::size_t>(index);
    if (slot >= colors.size())
    {
        colors.resize(slot + 1);
    }
    colors[slot] = color;
    MarkDirty();
}

Color Widget::GetColor(int index, const Color& defaultColor) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= colors.size())
    {
        return defaultColor;
    }
    return colors[static_cast<std::size_t>(index)];
}

Color Widget::GetColor(int index) const
{
    return GetColor(index, Color());
}

void Widget::SetDisabled(bool isDisabled)
{
    if (disabled == isDisabled)
    {
        return;
    }
    ChangeCovering(
        [this, isDisabled]
        {
            disabled = isDisabled;
            if (isDisabled && manager != nullptr)
            {
                manager->DropReferences(this);
            }
        });
}

void Widget::ShowHandCursor(bool on)
{
    showsHandCursor = on;
    if (isOver && manager != nullptr && manager->GetHost() != nullptr)
    {
        manager->GetHost()->SetCursorKind(on ? IWidgetManagerHost::kCursorHand
                                             : IWidgetManagerHost::kCursorPointer);
    }
}

void Widget::Resize(const Rect& rect)
{
    Resize(rect.x, rect.y, rect.width, rect.height);
}

void Widget::Resize(int newX, int newY, int newWidth, int newHeight)
{
    if (x == newX && y == newY && width == newWidth && height == newHeight)
    {
        return;
    }
    ChangeCovering(
        [&]
        {
            x = newX;
            y = newY;
            width = newWidth;
            height = newHeight;
        });
}

void Widget::Move(int newX, int newY)
{
    Resize(newX, newY, width, height);
}

bool Widget::WantsFocus()
{
    return wantsFocus;
}

void Widget::DrawOverlay(Graphics* g, int /*overlayPriority*/)
{
    DrawOverlay(g);
}

void Widget::DrawOverlay(Graphics* /*g*/) {}

void Widget::GotFocus() {}

void Widget::LostFocus() {}

void Widget::KeyChar(char /*character*/) {}

void Widget::KeyDown(int keyCode)
{
    if (keyCode != kKeyTab || manager == nullptr)
    {
        return;
    }
    WidgetManager* owner = manager;
    const bool backwards = owner->IsKeyDown(kKeyShift);
    // Neighbours that cannot hold the focus now (hidden, disabled, shut out by a modal
    // widget, gone from the tree) are passed over.
    Widget* candidate = backwards ? tabPrev : tabNext;
    for (int step = 0; candidate != nullptr && candidate != this && step < kMaxTabSteps; ++step)
    {
        const bool canHoldFocus = candidate->manager == owner && candidate->visible &&
                                  !candidate->disabled &&
                                  (owner->GetWidgetFlags(candidate) & kWidgetFlagAllowFocus) != 0;
        if (canHoldFocus)
        {
            owner->SetFocus(candidate);
            return;
        }
        candidate = backwards ? candidate->tabPrev : candidate->tabNext;
    }
}

void Widget::KeyUp(int /*keyCode*/) {}

void Widget::MouseEnter() {}

void Widget::MouseLeave() {}

void Widget::MouseMove(int /*mouseX*/, int /*mouseY*/) {}

void Widget::MouseDown(int /*mouseX*/, int /*mouseY*/, int /*button*/, int /*clickCount*/) {}

void Widget::MouseDown(int mouseX, int mouseY, int clickCount)
{
    const DecodedClick click = DecodeClickCount(clickCount);
    MouseDown(mouseX, mouseY, click.button, click.clickCount);
}

void Widget::MouseUp(int mouseX, int mouseY, int /*button*/, int /*clickCount*/)
{
    MouseUp(mouseX, mouseY);
}

void Widget::MouseUp(int mouseX, int mouseY, int clickCount)
{
    const DecodedClick click = DecodeClickCount(clickCount);
    MouseUp(mouseX, mouseY, click.button, click.clickCount);
}

void Widget::MouseUp(int /*mouseX*/, int /*mouseY*/) {}

void Widget::MouseDrag(int /*mouseX*/, int /*mouseY*/) {}

void Widget::MouseWheel(int /*delta*/) {}

bool Widget::IsPointVisible(int /*pointX*/, int /*pointY*/)
{
    return true;
}

void Widget::DrawCenteredLine(Graphics* g, int penY, std::string_view line)
{
    g->DrawString(line, (width - g->StringWidth(line)) / 2, penY);
}

void Widget::DrawCenteredLineWithShadow(Graphics* g, int penY, std::string_view line,
                                        const Color& color, const Color& shadowColor,
                                        int shadowOffsetX, int shadowOffsetY)
{
    const int penX = (width - g->StringWidth(line)) / 2;
    g->SetColor(shadowColor);
    g->DrawString(line, penX + shadowOffsetX, penY + shadowOffsetY);
    g->SetColor(color);
    g->DrawString(line, penX, penY);
}

int Widget::DrawColoredString(Graphics* g, std::string_view text, int penX, int penY, int areaWidth,
                              int justification)
{
    return g->DrawColoredString(text, penX, penY, areaWidth, justification);
}

int Widget::DrawWordWrapped(Graphics* g, const Rect& rect, std::string_view text, int lineSpacing,
                            int justification)
{
    return g->DrawWordWrapped(rect, text, lineSpacing, justification);
}

int Widget::GetWordWrappedHeight(Graphics* g, int wrapWidth, std::string_view text, int lineSpacing)
{
    return g->GetWordWrappedHeight(wrapWidth, text, lineSpacing);
}

int Widget::GetNumDigits(int number)
{
    // Widened first: the magnitude of the lowest int does not fit an int.
    long long magnitude = number < 0 ? -static_cast<long long>(number) : number;
    int digits = 1;
    while (magnitude >= 10)
    {
        magnitude /= 10;
        ++digits;
    }
    return digits;
}

int Widget::DrawNumberFromStrip(Graphics* g, int number, int leftX, int topY, Image* digitStrip,
                                int spacing)
{
    if (digitStrip == nullptr)
    {
        return 0;
    }
    constexpr int kDigitCels = 10;
    const int cels = std::max(digitStrip->numCols, kDigitCels);
    const int celWidth = digitStrip->GetWidth() / cels;
    const int celHeight = digitStrip->GetHeight();
    if (celWidth < 1 || celHeight < 1)
    {
        return 0;
    }
    const auto drawCel = [&](int cel, int penX)
    { g->DrawImage(digitStrip, penX, topY, Rect(cel * celWidth, 0, celWidth, celHeight)); };

    int penX = leftX;
    if (number < 0 && cels > kDigitCels)
    {
        drawCel(kDigitCels, penX);
        penX += celWidth + spacing;
    }
    const std::string digits = std::to_string(number < 0 ? -static_cast<long long>(number)
                                                         : static_cast<long long>(number));
    for (char digit : digits)
    {
        drawCel(digit - '0', penX);
        penX += celWidth + spacing;
    }
    return penX - leftX - spacing;
}

bool Widget::Contains(int pointX, int pointY) const
{
    return GetRect().Contains(pointX, pointY);
}

Rect Widget::GetInsetRect() const
{
    return Rect(x + insetLeft, y + insetTop, width - insetLeft - insetRight,
                height - insetTop - insetBottom);
}

void Widget::SetInsets(int left, int top, int right, int bottom)
{
    insetLeft = left;
    insetTop = top;
    insetRight = right;
    insetBottom = bottom;
}

void Widget::SetTabNeighbours(Widget* previous, Widget* next)
{
    const auto forget = [this](Widget* neighbour)
    {
        if (neighbour != nullptr)
        {
            auto& list = neighbour->tabReferrers;
            if (auto it = std::find(list.begin(), list.end(), this); it != list.end())
            {
                list.erase(it);
            }
        }
    };
    const auto remember = [this](Widget* neighbour)
    {
        if (neighbour != nullptr)
        {
            neighbour->tabReferrers.push_back(this);
        }
    };
    forget(tabPrev);
    forget(tabNext);
    tabPrev = previous;
    tabNext = next;
    remember(tabPrev);
    remember(tabNext);
}

} // namespace Lumo
