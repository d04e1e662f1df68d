// The framework's own modal dialog and its buttons.
// SPDX-License-Identifier: MIT
#include "framework/widgets/dialog.h"

#include "framework/graphics/font.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/image.h"

#include <algorithm>

namespace Lumo
{

namespace
{

constexpr int kPadding = 16;
constexpr int kButtonWidth = 110;
constexpr int kButtonHeight = 30;
constexpr int kButtonGap = 20;
constexpr int kMinDialogWidth = 360;
// Line height used for layout when no font is set.
constexpr int kDefaultLineHeight = 18;

constexpr Color kButtonFace(70, 90, 130);
constexpr Color kButtonFaceOver(95, 120, 170);
constexpr Color kButtonFaceDown(45, 60, 95);
constexpr Color kButtonFrame(210, 220, 240);
constexpr Color kButtonLabel(255, 255, 255);
constexpr Color kPanel(28, 40, 64);
constexpr Color kPanelFrame(180, 195, 225);
constexpr Color kHeaderText(255, 230, 150);
constexpr Color kBodyText(235, 240, 250);

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string current;
    for (char c : text)
    {
        if (c == '\r')
        {
            continue;
        }
        if (c == '\n')
        {
            lines.push_back(current);
            current.clear();
            continue;
        }
        current.push_back(c);
    }
    if (!current.empty() || lines.empty())
    {
        lines.push_back(current);
    }
    return lines;
}

} // namespace

// ---------------------------------------------------------------------------
// ButtonWidget

ButtonWidget::ButtonWidget(int id, ButtonListener* listener) : id(id), listener(listener)
{
    SetWantsFocus(false);
}

void ButtonWidget::SetLabel(std::string text)
{
    label = std::move(text);
    MarkDirty();
}

Color ButtonWidget::FaceColor() const
{
    if (IsDown() && IsOver())
    {
        return GetColor(kColorFaceDown, kButtonFaceDown);
    }
    if (IsOver())
    {
        return GetColor(kColorFaceOver, kButtonFaceOver);
    }
    return GetColor(kColorFace, kButtonFace);
}

void ButtonWidget::Draw(Graphics* g)
{
    g->SetColor(FaceColor());
    g->FillRect(0, 0, width, height);
    g->SetColor(GetColor(kColorFrame, kButtonFrame));
    g->DrawRect(0, 0, width - 1, height - 1);
    DrawLabel(g);
}

void ButtonWidget::DrawLabel(Graphics* g)
{
    if (font == nullptr || label.empty())
    {
        return;
    }
    g->SetFont(font);
    g->SetColor(GetColor(kColorLabel, kButtonLabel));
    const int textX = (width - font->StringWidth(label)) / 2;
    const int textY = (height - font->GetHeight()) / 2 + font->GetAscent();
    g->DrawString(label, textX, textY);
}

void ButtonWidget::MouseEnter()
{
    MarkDirty();
}

void ButtonWidget::MouseLeave()
{
    MarkDirty();
}

void ButtonWidget::MouseDown(int /*mouseX*/, int /*mouseY*/, int button, int /*clickCount*/)
{
    if (button != 0)
    {
        return;
    }
    MarkDirty();
    if (listener != nullptr)
    {
        listener->ButtonPress(id);
    }
}

void ButtonWidget::MouseUp(int /*mouseX*/, int /*mouseY*/, int button, int /*clickCount*/)
{
    if (button != 0)
    {
        return;
    }
    MarkDirty();
    // A click is a release over the button that the press went down on.
    if (IsDown() && IsOver() && listener != nullptr)
    {
        listener->ButtonDepress(id);
    }
}

// ---------------------------------------------------------------------------
// DialogButton

DialogButton::DialogButton(Image* componentImage, int id, ButtonListener* listener)
    : ButtonWidget(id, listener), componentImage(componentImage)
{
}

void DialogButton::Draw(Graphics* g)
{
    if (componentImage == nullptr)
    {
        ButtonWidget::Draw(g);
        return;
    }
    g->DrawImageBox(Rect(0, 0, width, height), componentImage);
    DrawLabel(g);
}

// ---------------------------------------------------------------------------
// Dialog

Dialog::Dialog(std::string header, std::string text, Buttons buttons, std::string yesLabel,
               std::string noLabel)
    : header(std::move(header)), lines(SplitLines(text)), buttons(buttons)
{
    SetWantsFocus(true);
    yesButton = std::make_unique<DialogButton>(nullptr, kIdYes, this);
    if (yesLabel.empty())
    {
        yesLabel = buttons == Buttons::Ok ? "OK" : "Yes";
    }
    yesButton->SetLabel(std::move(yesLabel));
    AddWidget(yesButton.get());
    if (buttons == Buttons::YesNo)
    {
        noButton = std::make_unique<DialogButton>(nullptr, kIdNo, this);
        noButton->SetLabel(noLabel.empty() ? std::string("No") : std::move(noLabel));
        AddWidget(noButton.get());
    }
}

Dialog::~Dialog()
{
    // The buttons go before the members that hold them.
    RemoveAllWidgets();
}

void Dialog::SetFont(Font* textFont)
{
    font = textFont;
    yesButton->SetFont(textFont);
    if (noButton)
    {
        noButton->SetFont(textFont);
    }
    MarkDirty();
}

ButtonWidget* Dialog::GetButton(int id) const
{
    if (id == kIdYes)
    {
        return yesButton.get();
    }
    return id == kIdNo ? noButton.get() : nullptr;
}

void Dialog::CenterIn(int areaWidth, int areaHeight)
{
    const int lineHeight = font != nullptr ? font->GetLineSpacing() : kDefaultLineHeight;
    int textWidth = 0;
    if (font != nullptr)
    {
        textWidth = font->StringWidth(header);
        for (const std::string& line : lines)
        {
            textWidth = std::max(textWidth, font->StringWidth(line));
        }
    }
    const int dialogWidth = std::max(kMinDialogWidth, textWidth + 2 * kPadding);
    const int dialogHeight = kPadding + lineHeight + kPadding +
                             static_cast<int>(lines.size()) * lineHeight + kPadding +
                             kButtonHeight + kPadding;
    Resize((areaWidth - dialogWidth) / 2, (areaHeight - dialogHeight) / 2, dialogWidth,
           dialogHeight);
}

void Dialog::Resize(int newX, int newY, int newWidth, int newHeight)
{
    Widget::Resize(newX, newY, newWidth, newHeight);
    LayOutButtons();
}

void Dialog::LayOutButtons()
{
    const int buttonY = height - kPadding - kButtonHeight;
    if (noButton)
    {
        const int left = (width - 2 * kButtonWidth - kButtonGap) / 2;
        yesButton->Resize(left, buttonY, kButtonWidth, kButtonHeight);
        noButton->Resize(left + kButtonWidth + kButtonGap, buttonY, kButtonWidth, kButtonHeight);
    }
    else
    {
        yesButton->Resize((width - kButtonWidth) / 2, buttonY, kButtonWidth, kButtonHeight);
    }
}

void Dialog::Draw(Graphics* g)
{
    g->SetColor(GetColor(kColorPanel, kPanel));
    g->FillRect(0, 0, width, height);
    g->SetColor(GetColor(kColorFrame, kPanelFrame));
    g->DrawRect(0, 0, width - 1, height - 1);
    if (font == nullptr)
    {
        return;
    }
    g->SetFont(font);
    const int lineHeight = font->GetLineSpacing();
    g->SetColor(GetColor(kColorHeader, kHeaderText));
    g->DrawString(header, (width - font->StringWidth(header)) / 2, kPadding + font->GetAscent());
    g->SetColor(GetColor(kColorText, kBodyText));
    int lineY = kPadding + lineHeight + kPadding + font->GetAscent();
    for (const std::string& line : lines)
    {
        g->DrawString(line, (width - font->StringWidth(line)) / 2, lineY);
        lineY += lineHeight;
    }
}

void Dialog::KeyDown(int keyCode)
{
    if (keyCode == kKeyEnter)
    {
        Answer(kIdYes);
        return;
    }
    if (keyCode == kKeyEscape)
    {
        Answer(buttons == Buttons::YesNo ? kIdNo : kIdOk);
        return;
    }
    Widget::KeyDown(keyCode);
}

void Dialog::ButtonDepress(int id)
{
    Answer(id);
}

void Dialog::Answer(int id)
{
    if (result != -1)
    {
        return;
    }
    result = id;
    if (onAnswer)
    {
        // The callback may take the dialog out of the tree or delete it: nothing after.
        auto callback = std::move(onAnswer);
        callback(id);
    }
}

} // namespace Lumo
