// The framework's own modal dialog: buttons, keys and the answer it gives.
// SPDX-License-Identifier: MIT
#include "framework/widgets/dialog.h"

#include "widget_test_support.h"

#include <gmock/gmock.h>

namespace WidgetTest
{
namespace
{

using Lumo::Dialog;

class WidgetDialog : public WidgetFixture
{
  protected:
    // Opens the dialog the way the application base does: on top, modal, focused.
    void Open(Dialog& dialog)
    {
        dialog.CenterIn(800, 600);
        manager.AddWidget(&dialog);
        manager.AddBaseModal(&dialog);
        manager.SetFocus(&dialog);
        dialog.SetAnswerCallback([this](int id) { answers.push_back(id); });
    }

    void Click(const Widget* target, int dx = 5, int dy = 5)
    {
        const Lumo::Point at = target->GetAbsPos();
        manager.MouseDown(at.x + dx, at.y + dy, 1);
        manager.MouseUp(at.x + dx, at.y + dy, 1);
    }

    std::vector<int> answers;
};

TEST_F(WidgetDialog, ButtonsAnswerWithTheirIds)
{
    struct Case
    {
        Dialog::Buttons buttons;
        int clicked;
    };
    const Case cases[] = {{Dialog::Buttons::Ok, Dialog::kIdOk},
                          {Dialog::Buttons::YesNo, Dialog::kIdYes},
                          {Dialog::Buttons::YesNo, Dialog::kIdNo}};
    for (const Case& c : cases)
    {
        answers.clear();
        Dialog dialog("Question", "Line one\r\nLine two", c.buttons);
        Open(dialog);
        EXPECT_EQ(dialog.GetButton(Dialog::kIdNo) != nullptr, c.buttons == Dialog::Buttons::YesNo);
        Click(dialog.GetButton(c.clicked));
        EXPECT_EQ(dialog.GetResult(), c.clicked);
        EXPECT_THAT(answers, ::testing::ElementsAre(c.clicked));
        Click(dialog.GetButton(Dialog::kIdYes));
        EXPECT_EQ(answers.size(), 1u) << "a dialog answers once";
        manager.RemoveWidget(&dialog);
        EXPECT_EQ(manager.GetBaseModalWidget(), nullptr);
    }
}

TEST_F(WidgetDialog, APressThatLeavesTheButtonIsNoClick)
{
    Dialog dialog("Question", "Keep it?", Dialog::Buttons::YesNo);
    Open(dialog);
    const Lumo::Point at = dialog.GetButton(Dialog::kIdYes)->GetAbsPos();
    manager.MouseDown(at.x + 5, at.y + 5, 1);
    manager.MouseDrag(5, 5);
    manager.MouseUp(5, 5, 1);
    EXPECT_FALSE(dialog.IsAnswered());
    manager.MouseDown(at.x + 5, at.y + 5, -1);
    manager.MouseUp(at.x + 5, at.y + 5, -1);
    EXPECT_FALSE(dialog.IsAnswered()) << "only the left button clicks";
    manager.RemoveWidget(&dialog);
}

TEST_F(WidgetDialog, EnterAndEscapeAnswer)
{
    struct Case
    {
        Dialog::Buttons buttons;
        int key;
        int expected;
    };
    const Case cases[] = {{Dialog::Buttons::YesNo, Lumo::kKeyEnter, Dialog::kIdYes},
                          {Dialog::Buttons::YesNo, Lumo::kKeyEscape, Dialog::kIdNo},
                          {Dialog::Buttons::Ok, Lumo::kKeyEscape, Dialog::kIdOk},
                          {Dialog::Buttons::Ok, 65, -1}};
    for (const Case& c : cases)
    {
        Dialog dialog("Question", "Keep it?", c.buttons);
        Open(dialog);
        manager.KeyDown(c.key);
        manager.KeyUp(c.key);
        EXPECT_EQ(dialog.GetResult(), c.expected) << c.key;
        manager.RemoveWidget(&dialog);
    }
}

TEST_F(WidgetDialog, ShutsOutTheWidgetsBelowAndDrawsOnTop)
{
    BlankImage screen(800, 600);
    host.screen = &screen;
    LogWidget* game = Make("game", Rect(0, 0, 800, 600));
    manager.SetFocus(game);
    Dialog dialog("Question", "Keep it?", Dialog::Buttons::YesNo);
    Open(dialog);
    Take();
    manager.MouseDown(5, 5, 1);
    manager.MouseUp(5, 5, 1);
    manager.KeyDown(65);
    EXPECT_THAT(Take(), ::testing::IsEmpty());
    EXPECT_TRUE(manager.DrawScreen());
    EXPECT_GT(dialog.GetY(), 0);
    EXPECT_LT(dialog.GetY() + dialog.GetHeight(), 600);
    dialog.SetAnswerCallback([&](int) { manager.RemoveWidget(&dialog); });
    Click(dialog.GetButton(Dialog::kIdNo));
    EXPECT_EQ(dialog.GetParent(), nullptr) << "the answer may close the dialog at once";
    EXPECT_EQ(manager.GetFocusWidget(), game);
}

} // namespace
} // namespace WidgetTest
