// Tests of the Graphics state: defaults, the state stack, copies, translation and clipping.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"

namespace Lumo
{
namespace
{

TEST(GraphicsColorTest, UnpacksPackedValues)
{
    struct Case
    {
        std::uint32_t packed;
        Color expected;
    };
    const Case cases[] = {
        {0x00FF0000u, Color(255, 0, 0, 255)}, // no alpha byte: opaque
        {0x80FF0000u, Color(255, 0, 0, 128)},
        {0x01000000u, Color(0, 0, 0, 1)},
        {0x00123456u, Color(0x12, 0x34, 0x56, 255)},
        {0xFFFFFFFFu, Color::White()},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(Color(c.packed), c.expected) << std::hex << c.packed;
    }
    EXPECT_EQ(Color(), Color(0, 0, 0, 255));
    EXPECT_EQ(Color(1, 2, 3).alpha, 255);
    EXPECT_EQ(Color(0x12, 0x34, 0x56, 0x78).ToInt(), 0x78123456u);
}

TEST(GraphicsRectTest, IntersectionIsTheOverlap)
{
    EXPECT_EQ(Rect(0, 0, 10, 10).Intersection(Rect(5, 6, 10, 10)), Rect(5, 6, 5, 4));
    EXPECT_TRUE(Rect(0, 0, 10, 10).Intersection(Rect(10, 0, 5, 5)).IsEmpty());
    EXPECT_TRUE(Rect(0, 0, 0, 10).IsEmpty());
}

TEST(GraphicsStateTest, DefaultsFollowTheDestination)
{
    MemoryImage image(40, 30);
    Graphics g(&image);
    EXPECT_EQ(g.GetDestImage(), &image);
    EXPECT_EQ(g.GetClipRect(), Rect(0, 0, 40, 30));
    EXPECT_EQ(g.GetColor(), Color(0, 0, 0, 255));
    EXPECT_EQ(g.GetDrawMode(), DrawMode::Normal);
    EXPECT_FALSE(g.GetColorizeImages());
    EXPECT_FALSE(g.GetFastStretch());
    EXPECT_TRUE(g.GetColorCodes());
    EXPECT_EQ(g.GetFont(), nullptr);
    EXPECT_EQ(g.GetTransX(), 0.0f);

    Graphics nowhere;
    EXPECT_TRUE(nowhere.GetClipRect().IsEmpty());
    nowhere.FillRect(0, 0, 10, 10); // draws nothing, must not crash
}

TEST(GraphicsStateTest, PopRestoresTheWholePushedState)
{
    MemoryImage image(40, 30);
    Graphics g(&image);
    g.PopState(); // empty stack: nothing changes
    EXPECT_EQ(g.GetClipRect(), Rect(0, 0, 40, 30));

    g.PushState();
    g.Translate(5, 6);
    g.ClipRect(0, 0, 10, 10);
    g.SetColor(Color(1, 2, 3, 4));
    g.SetDrawMode(DrawMode::Additive);
    g.SetColorizeImages(true);
    g.SetFastStretch(true);
    g.PushState();
    g.Translate(1, 1);
    g.PopState();
    EXPECT_EQ(g.GetTransX(), 5.0f);
    EXPECT_EQ(g.GetClipRect(), Rect(5, 6, 10, 10));
    g.PopState();
    EXPECT_EQ(g.GetTransX(), 0.0f);
    EXPECT_EQ(g.GetClipRect(), Rect(0, 0, 40, 30));
    EXPECT_EQ(g.GetColor(), Color(0, 0, 0, 255));
    EXPECT_EQ(g.GetDrawMode(), DrawMode::Normal);
    EXPECT_FALSE(g.GetColorizeImages());
    EXPECT_FALSE(g.GetFastStretch());
    g.PopState(); // stack empty again
    EXPECT_EQ(g.GetClipRect(), Rect(0, 0, 40, 30));
}

TEST(GraphicsStateTest, CopyTakesTheStateButNotTheStack)
{
    MemoryImage image(40, 30);
    Graphics g(&image);
    g.Translate(3, 4);
    g.PushState();
    g.ClipRect(0, 0, 5, 5);
    Graphics copy(g);
    EXPECT_EQ(copy.GetClipRect(), Rect(3, 4, 5, 5));
    copy.PopState(); // the copy's stack is empty
    EXPECT_EQ(copy.GetClipRect(), Rect(3, 4, 5, 5));
    std::unique_ptr<Graphics> created = g.Create();
    EXPECT_EQ(created->GetTransX(), 3.0f);
}

TEST(GraphicsStateTest, ClipRectIsTranslatedAndOnlyNarrows)
{
    MemoryImage image(40, 30);
    Graphics g(&image);
    g.Translate(10, 10);
    g.ClipRect(-5, -5, 100, 100);
    EXPECT_EQ(g.GetClipRect(), Rect(5, 5, 35, 25));
    g.ClipRect(0, 0, 4, 4);
    EXPECT_EQ(g.GetClipRect(), Rect(10, 10, 4, 4));
    g.ClipRect(100, 100, 4, 4);
    EXPECT_TRUE(g.GetClipRect().IsEmpty());
    g.SetClipRect(-10, -10, 15, 15);
    EXPECT_EQ(g.GetClipRect(), Rect(0, 0, 15, 15));
    g.ClearClipRect();
    EXPECT_EQ(g.GetClipRect(), Rect(0, 0, 40, 30));
}

} // namespace
} // namespace Lumo
