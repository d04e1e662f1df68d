// The framework's own small modal dialog: a header, a few lines of text and one or two buttons.
// SPDX-License-Identifier: MIT
//
// Rules of the dialog:
// - It serves the application base's own questions (a message with OK, a Yes/No question);
//   the game draws its dialogs with the visual-object library instead.
// - Button ids: 1000 is OK or Yes, 1001 is No. Enter answers 1000; Escape answers 1001
//   (1000 when there is only one button).
// - A dialog never closes itself: it records the answer, then tells whoever asked through
//   the answer callback. The caller takes it out of the tree (and out of the modal state).
// - Texts are drawn with the font given; without a font only the frame and buttons show.
// - The dialog wants the focus; give it the focus when it opens so that the keys reach it.
#pragma once

#include "framework/widgets/widget.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Lumo
{

class Font;
class Image;

// Hears what the buttons it listens to do; id is the button's.
class ButtonListener
{
  public:
    virtual ~ButtonListener() = default;
    // The button went down under the pointer.
    virtual void ButtonPress(int id) { (void)id; }
    // The button was released over itself: a click.
    virtual void ButtonDepress(int id) { (void)id; }
};

// A plain push button: a filled box with a centred label.
class ButtonWidget : public Widget
{
  public:
    using Widget::MouseDown;
    using Widget::MouseUp;

    // Colour slots of the table (SetColor).
    static constexpr int kColorFace = 0;
    static constexpr int kColorFaceOver = 1;
    static constexpr int kColorFaceDown = 2;
    static constexpr int kColorFrame = 3;
    static constexpr int kColorLabel = 4;

    ButtonWidget(int id, ButtonListener* listener);

    [[nodiscard]] int GetId() const { return id; }
    void SetLabel(std::string text);
    [[nodiscard]] const std::string& GetLabel() const { return label; }
    void SetFont(Font* labelFont) { font = labelFont; }

    void Draw(Graphics* g) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(int mouseX, int mouseY, int button, int clickCount) override;
    void MouseUp(int mouseX, int mouseY, int button, int clickCount) override;

  protected:
    // The face colour for the current state.
    [[nodiscard]] Color FaceColor() const;
    // The label centred in the button.
    void DrawLabel(Graphics* g);

    int id;
    ButtonListener* listener;
    std::string label;
    Font* font = nullptr;
};

// The button of the framework's dialog: a ButtonWidget that may draw a nine-part image
// as its face instead of the flat colour.
class DialogButton : public ButtonWidget
{
  public:
    DialogButton(Image* componentImage, int id, ButtonListener* listener);

    void Draw(Graphics* g) override;

  private:
    Image* componentImage;
};

class Dialog : public Widget, public ButtonListener
{
  public:
    using Widget::MouseDown;

    static constexpr int kIdYes = 1000;
    static constexpr int kIdOk = 1000;
    static constexpr int kIdNo = 1001;
    static constexpr int kIdCancel = 1001;

    enum class Buttons
    {
        Ok,    // one button, id 1000
        YesNo, // two buttons, ids 1000 and 1001
    };

    // Colour slots of the table (SetColor).
    static constexpr int kColorPanel = 0;
    static constexpr int kColorFrame = 1;
    static constexpr int kColorHeader = 2;
    static constexpr int kColorText = 3;

    // Empty labels mean "OK" (one button) or "Yes" and "No".
    Dialog(std::string header, std::string text, Buttons buttons, std::string yesLabel = {},
           std::string noLabel = {});
    ~Dialog() override;

    // Font of the header, the text and the buttons; not owned.
    void SetFont(Font* textFont);
    // Called once with the id of the button that answered.
    void SetAnswerCallback(std::function<void(int)> callback) { onAnswer = std::move(callback); }
    // The id of the button that answered, or -1 while unanswered.
    [[nodiscard]] int GetResult() const { return result; }
    [[nodiscard]] bool IsAnswered() const { return result != -1; }
    [[nodiscard]] ButtonWidget* GetButton(int id) const;
    // Places the dialog centred in an area of the given size, tall enough for its text.
    void CenterIn(int areaWidth, int areaHeight);

    void Resize(int newX, int newY, int newWidth, int newHeight) override;
    using Widget::Resize;
    void Draw(Graphics* g) override;
    void KeyDown(int keyCode) override;
    void ButtonDepress(int id) override;

  private:
    void Answer(int id);
    void LayOutButtons();

    std::string header;
    std::vector<std::string> lines;
    Buttons buttons;
    std::unique_ptr<ButtonWidget> yesButton;
    std::unique_ptr<ButtonWidget> noButton;
    Font* font = nullptr;
    int result = -1;
    std::function<void(int)> onAnswer;
};

} // namespace Lumo
