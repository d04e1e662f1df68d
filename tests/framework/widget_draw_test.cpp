// Widgets drawing into a real image: placement and clipping of the draw pass, digit strips.
// SPDX-License-Identifier: MIT
#include "framework/graphics/memory_image.h"

#include "widget_test_support.h"

#include <gmock/gmock.h>

#include <climits>

namespace WidgetTest
{
namespace
{

using Lumo::Color;
using Lumo::MemoryImage;

// Fills its whole rect with one colour.
class FillWidget : public Widget
{
  public:
    explicit FillWidget(Color fill) : fill(fill) {}
    void Draw(Graphics* g) override
    {
        g->SetColor(fill);
        g->FillRect(0, 0, GetWidth(), GetHeight());
    }

  private:
    Color fill;
};

std::uint32_t PixelAt(MemoryImage& image, int x, int y)
{
    return image.GetBits()[y * image.GetWidth() + x];
}

constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kGreen = 0xFF00FF00;
constexpr std::uint32_t kBlue = 0xFF0000FF;

TEST(WidgetDrawPixels, ChildrenLandAtTheirPlaceAndStayInsideAClippingParent)
{
    MemoryImage screen(40, 40);
    FakeHost host;
    host.screen = &screen;
    WidgetManager manager(&host);
    manager.SetMouseMapping(Rect(0, 0, 40, 40), Rect(0, 0, 40, 40));
    FillWidget panel{Color(kRed)};
    FillWidget inside{Color(kGreen)};
    FillWidget overhang{Color(kBlue)};
    panel.Resize(10, 10, 10, 10);
    inside.Resize(2, 3, 2, 2);
    overhang.Resize(8, 8, 6, 6);
    manager.AddWidget(&panel);
    panel.AddWidget(&inside);
    panel.AddWidget(&overhang);
    panel.SetClip(true);
    ASSERT_TRUE(manager.DrawScreen());

    struct Probe
    {
        int x, y;
        std::uint32_t expected;
    };
    const Probe probes[] = {
        {9, 9, 0},        {10, 10, kRed},   {19, 10, kRed}, {20, 10, 0},
        {12, 13, kGreen}, {13, 14, kGreen}, {14, 13, kRed}, {18, 18, kBlue},
        {19, 19, kBlue},  {20, 20, 0},      {23, 23, 0},
    };
    for (const Probe& probe : probes)
    {
        EXPECT_EQ(PixelAt(screen, probe.x, probe.y), probe.expected) << probe.x << "," << probe.y;
    }
    manager.RemoveAllWidgets();
}

TEST(WidgetDigits, CountsDecimalDigitsWithoutTheSign)
{
    struct Case
    {
        int number;
        int digits;
    };
    const Case cases[] = {{0, 1},     {9, 1},        {10, 2},      {-10, 2},
                          {99999, 5}, {INT_MAX, 10}, {INT_MIN, 10}};
    Widget widget;
    for (const Case& c : cases)
    {
        EXPECT_EQ(widget.GetNumDigits(c.number), c.digits) << c.number;
    }
}

TEST(WidgetDigits, DrawsANumberFromADigitStrip)
{
    // Cels two pixels wide; cel k has blue value 10 * k + 1, the minus cel (10) is red.
    MemoryImage strip(22, 1);
    for (int cel = 0; cel < 11; ++cel)
    {
        const std::uint32_t colour = cel == 10 ? kRed : 0xFF000000u | (10u * cel + 1u);
        strip.GetBits()[cel * 2] = colour;
        strip.GetBits()[cel * 2 + 1] = colour;
    }
    strip.BitsChanged();
    const auto digitPixel = [](int digit) { return 0xFF000000u | (10u * digit + 1u); };

    struct Case
    {
        int number;
        int columns;
        std::vector<std::uint32_t> row; // the first pixels of the row drawn at x = 1
        int width;
    };
    const Case cases[] = {
        {305,
         11,
         {0, digitPixel(3), digitPixel(3), 0, digitPixel(0), digitPixel(0), 0, digitPixel(5),
          digitPixel(5), 0},
         8},
        {-7, 11, {0, kRed, kRed, 0, digitPixel(7), digitPixel(7), 0}, 5},
        {0, 11, {0, digitPixel(0), digitPixel(0), 0}, 2},
    };
    Widget widget;
    for (const Case& c : cases)
    {
        MemoryImage target(30, 1);
        Graphics g(&target);
        strip.numCols = c.columns;
        EXPECT_EQ(widget.DrawNumberFromStrip(&g, c.number, 1, 0, &strip, 1), c.width) << c.number;
        std::vector<std::uint32_t> row(target.GetBits(), target.GetBits() + c.row.size());
        EXPECT_THAT(row, ::testing::ElementsAreArray(c.row)) << c.number;
    }
}

// Six pixels a character; records where and in which colour it was asked to draw.
class RecordingFont : public Lumo::Font
{
  public:
    int StringWidth(std::string_view text) override { return 6 * static_cast<int>(text.size()); }
    void DrawString(Graphics*, int x, int y, std::string_view text, const Color& color,
                    const Rect&) override
    {
        calls.push_back(std::string(text) + "@" + std::to_string(x) + "," + std::to_string(y) +
                        " #" + std::to_string(color.ToInt()));
    }
    std::unique_ptr<Lumo::Font> Duplicate() const override
    {
        return std::make_unique<RecordingFont>(*this);
    }
    std::vector<std::string> calls;
};

TEST(WidgetText, CentredLinesSitInTheMiddleOfTheWidget)
{
    MemoryImage target(200, 50);
    Graphics g(&target);
    RecordingFont font;
    g.SetFont(&font);
    g.Translate(10, 0);
    g.SetColor(Color(kRed));
    Widget widget;
    widget.Resize(0, 0, 100, 20);
    widget.DrawCenteredLine(&g, 15, "abcd");
    widget.DrawCenteredLineWithShadow(&g, 15, "ab", Color(kGreen), Color(kBlue));
    EXPECT_THAT(font.calls, ::testing::ElementsAre("abcd@48,15 #" + std::to_string(kRed),
                                                   "ab@55,17 #" + std::to_string(kBlue),
                                                   "ab@54,15 #" + std::to_string(kGreen)));
}

} // namespace
} // namespace WidgetTest
