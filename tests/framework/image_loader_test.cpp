// Tests of LoadImageFile: the file-type order, alpha files and loading out of packages.
// SPDX-License-Identifier: MIT
#include "framework/images/image_loader.h"
#include "framework/images/png_writer.h"
#include "framework/pak/pak_interface.h"
#include "framework/pak/pak_writer.h"
#include "tests/framework/image_test_util.h"
#include "tests/framework/pak_test_util.h"

#include <gtest/gtest.h>

namespace
{

using namespace Lumo::ImageLib;
using PakTestUtil::ScratchDir;

// A picture whose every pixel is one colour.
std::vector<uint8_t> PngOf(int width, int height, uint32_t argb)
{
    Image image(width, height);
    image.bits.assign(image.bits.size(), argb);
    return EncodePng(image);
}

std::vector<uint8_t> TgaOf(int width, int height, uint32_t argb)
{
    return ImageTestUtil::Tga(width, height, std::vector<uint32_t>(size_t(width) * height, argb));
}

uint32_t FirstPixel(const ImagePtr& image)
{
    return image == nullptr ? 0xDEADBEEF : image->bits.at(0);
}

class ImageLoader : public ::testing::Test
{
  protected:
    std::string Path(const char* name) const { return dir.Path(name); }

    ScratchDir dir;
};

TEST_F(ImageLoader, FileTypeOrder)
{
    dir.Write("both.tga", TgaOf(1, 1, 0xFF0000AA));
    dir.Write("both.png", PngOf(1, 1, 0xFF0000BB));
    dir.Write("only.tga", TgaOf(1, 1, 0xFF0000CC));
    dir.Write("pic.gif", ImageTestUtil::Gif(1, 1, {1}, {0, 0x0000DD}));
    dir.Write("pic.png", std::vector<uint8_t>{'n', 'o', 't'}); // broken: the search goes on
    dir.Write("strange.bmp", PngOf(1, 1, 0xFF0000EE));
    dir.Write("folder.v2/pic.png", PngOf(1, 1, 0xFF0000FF));

    struct Case
    {
        const char* path;
        uint32_t expected; // 0xDEADBEEF: loads nothing
    };
    const Case cases[] = {
        {"both", 0xFF0000AA},     // no extension: ".tga" before ".png"
        {"both.png", 0xFF0000BB}, // an extension tries that type only
        {"both.PNG", 0xDEADBEEF}, // ...spelt as written, and there is no "both.PNG"
        {"only.png", 0xDEADBEEF}, // never falls back to another type
        {"only", 0xFF0000CC},
        {"pic", 0xFF0000DD},         // ".png" fails to decode, ".gif" follows
        {"strange.bmp", 0xDEADBEEF}, // unknown extension
        {"strange", 0xDEADBEEF},
        {"folder.v2/pic", 0xFF0000FF}, // a dot in a folder is no extension
        {"missing", 0xDEADBEEF},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(FirstPixel(LoadImageFile(Path(c.path), true)), c.expected) << c.path;
    }
}

TEST_F(ImageLoader, AlphaFiles)
{
    dir.Write("fish.png", PngOf(2, 2, 0x80112233));
    dir.Write("_fish.png", PngOf(2, 2, 0xFF5566C4)); // blue 0xC4 becomes the alpha
    dir.Write("crab.png", PngOf(2, 2, 0xFF112233));
    dir.Write("_crab.png", PngOf(3, 2, 0xFF000010)); // other size: ignored
    dir.Write("glow.tga", TgaOf(2, 1, 0x12345678));  // alpha file only, found by "_" appended
    dir.Write("glow_.png", PngOf(2, 1, 0xFFAABB40));
    dir.Write("shell.jpg", ImageTestUtil::Fixture("photo.jpg"));
    // Without an extension the alpha file may be of another type than the picture.
    dir.Write("_shell.gif",
              ImageTestUtil::Gif(20, 12, std::vector<uint8_t>(240, 1), {0, 0x000070}));
    dir.Write("_ghost.png", PngOf(1, 1, 0xFF000033)); // nothing but the alpha

    struct Case
    {
        const char* path;
        bool lookForAlpha;
        uint32_t expected;
    };
    const Case cases[] = {
        {"fish.png", true, 0xC4112233},
        {"fish.png", false, 0x80112233},
        {"fish", true, 0xC4112233}, // "_fish" goes through the same type search
        {"crab.png", true, 0xFF112233},
        {"glow", true, 0x40345678},
        {"shell", true,
         0x70000000 | (FirstPixel(LoadImageFile(Path("shell.jpg"), false)) & 0xFFFFFF)},
        {"ghost.png", true, 0x33FFFFFF},
        {"ghost.png", false, 0xDEADBEEF},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(FirstPixel(LoadImageFile(Path(c.path), c.lookForAlpha)), c.expected)
            << c.path << " " << c.lookForAlpha;
    }
}

TEST_F(ImageLoader, AlphaSettings)
{
    dir.Write("fish.png", PngOf(1, 1, 0x80112233));
    dir.Write("_fish.png", PngOf(1, 1, 0xFF0000C4));
    dir.Write("_ghost.png", PngOf(1, 1, 0xFF000033));

    SetAlphaComposeColor(0x102030);
    EXPECT_EQ(FirstPixel(LoadImageFile(Path("ghost.png"), true)), 0x33102030u);
    SetAlphaComposeColor(0xFFFFFF);

    SetAutoAlpha(false);
    EXPECT_EQ(FirstPixel(LoadImageFile(Path("fish.png"), true)), 0x80112233u);
    EXPECT_EQ(LoadImageFile(Path("ghost.png"), true), nullptr);
    SetAutoAlpha(true);
    EXPECT_EQ(FirstPixel(LoadImageFile(Path("fish.png"), true)), 0xC4112233u);
}

TEST_F(ImageLoader, PackagedPicturesComeBeforeLooseOnes)
{
    Lumo::PakWriter writer;
    ASSERT_TRUE(writer.AddFile("images/fish.png", PngOf(1, 1, 0xFF0000AA)));
    ASSERT_TRUE(writer.AddFile("images/_fish.png", PngOf(1, 1, 0xFF000011)));
    ASSERT_TRUE(writer.AddFile("images/reef.tga", TgaOf(1, 1, 0xFF0000BB)));
    ASSERT_TRUE(writer.Write(Path("data.pak")));
    dir.Write("loose.png", PngOf(1, 1, 0xFF0000CC));

    Lumo::PakInterface pak;
    ASSERT_EQ(Lumo::GetPakInterface(), &pak);
    ASSERT_TRUE(pak.AddPakFile(Path("data.pak")));
    EXPECT_EQ(FirstPixel(LoadImageFile("IMAGES\\Fish.png", true)), 0x110000AAu);
    EXPECT_EQ(FirstPixel(LoadImageFile("images/reef", true)), 0xFF0000BBu);
    EXPECT_EQ(FirstPixel(LoadImageFile(Path("loose.png"), true)), 0xFF0000CCu);
}

} // namespace
