// Tests of the image decoders: TGA, GIF, PNG (against libpng), JPEG and JPEG 2000, good and
// damaged. SPDX-License-Identifier: MIT
#include "framework/images/image_lib.h"
#include "framework/images/png_writer.h"
#include "tests/framework/image_test_util.h"

#include <gtest/gtest.h>

#include <png.h>

namespace
{

using namespace Lumo::ImageLib;
using ImageTestUtil::Fixture;
using ImageTestUtil::Gif;
using ImageTestUtil::GifOptions;
using ImageTestUtil::PngSpec;
using ImageTestUtil::Tga;
using ImageTestUtil::WritePngVariant;

TEST(TgaDecoder, ReadsTopLeftBgraPixels)
{
    const std::vector<uint32_t> pixels = {0x80112233, 0xFF445566, 0x00000000,
                                          0x01ABCDEF, 0x7F000000, 0xFFFFFFFF};
    const ImagePtr image = DecodeTga(Tga(3, 2, pixels));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 3);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(image->bits, pixels);
}

TEST(TgaDecoder, SkipsTheImageIdField)
{
    const ImagePtr image = DecodeTga(Tga(1, 1, {0xFF010203}, {.idLength = 5}));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->bits[0], 0xFF010203u);
}

TEST(TgaDecoder, LoadsNothingForOtherVariantsOrDamage)
{
    const std::vector<uint32_t> four(4, 0xFF000000);
    struct Case
    {
        const char* what;
        std::vector<uint8_t> file;
    };
    std::vector<uint8_t> cut = Tga(2, 2, four);
    cut.pop_back();
    const Case cases[] = {
        {"24 bits per pixel", Tga(2, 2, four, {.bitsPerPixel = 24, .descriptor = 0x20})},
        {"bottom-left origin", Tga(2, 2, four, {.descriptor = 0x08})},
        {"no alpha bits", Tga(2, 2, four, {.descriptor = 0x20})},
        {"run-length encoded", Tga(2, 2, four, {.imageType = 10})},
        {"colour-mapped", Tga(2, 2, four, {.imageType = 1})},
        {"zero width", Tga(0, 2, {})},
        {"pixels cut short", cut},
        {"header cut short", {0, 0, 2, 0, 0}},
        {"nothing", {}},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(DecodeTga(c.file), nullptr) << c.what;
    }
}

template <typename Set> GifOptions WithOptions(Set set)
{
    GifOptions options;
    set(options);
    return options;
}

TEST(GifDecoder, ReadsPaletteAndTransparentIndex)
{
    // Indices 0..3 over a 4-entry table; index 2 is transparent.
    const std::vector<uint8_t> indices = {0, 1, 2, 3, 3, 2, 1, 0};
    const std::vector<uint32_t> palette = {0x102030, 0x405060, 0x708090, 0xA0B0C0};
    const ImagePtr image = DecodeGif(
        Gif(4, 2, indices, palette, WithOptions([](GifOptions& o) { o.transparentIndex = 2; })));
    ASSERT_NE(image, nullptr);
    const std::vector<uint32_t> expected = {0xFF102030, 0xFF405060, 0,          0xFFA0B0C0,
                                            0xFFA0B0C0, 0,          0xFF405060, 0xFF102030};
    EXPECT_EQ(image->bits, expected);
}

TEST(GifDecoder, StoresInterlacedRowsInTheirFourPasses)
{
    // Ten rows of one pixel; row r has index r. Interlaced, they arrive as 0,8 | 4 | 2,6 |
    // 1,3,5,7,9.
    const std::vector<uint8_t> streamOrder = {0, 8, 4, 2, 6, 1, 3, 5, 7, 9};
    std::vector<uint32_t> palette;
    for (uint32_t i = 0; i < 16; ++i)
    {
        palette.push_back(i * 0x010101);
    }
    const ImagePtr image = DecodeGif(
        Gif(1, 10, streamOrder, palette, WithOptions([](GifOptions& o) { o.interlaced = true; })));
    ASSERT_NE(image, nullptr);
    for (uint32_t row = 0; row < 10; ++row)
    {
        EXPECT_EQ(image->bits[row], 0xFF000000 | (row * 0x010101)) << row;
    }
}

TEST(GifDecoder, LocalTableReplacesTheGlobalOneAndExtensionsAreSkipped)
{
    const ImagePtr image = DecodeGif(Gif(2, 1, {0, 1}, {0x111111, 0x222222},
                                         WithOptions(
                                             [](GifOptions& o)
                                             {
                                                 o.localPalette = {0x333333, 0x444444};
                                                 o.withExtensions = true;
                                             })));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->bits, (std::vector<uint32_t>{0xFF333333, 0xFF444444}));
}

// Real encoder output, with growing code sizes and a full code table, against the same picture
// written as PNG by the same tool.
TEST(GifDecoder, MatchesAnotherEncodersPicture)
{
    const ImagePtr reference = DecodePng(Fixture("noise.png"));
    ASSERT_NE(reference, nullptr);
    for (const char* name : {"noise.gif", "noise_interlaced.gif"})
    {
        const ImagePtr image = DecodeGif(Fixture(name));
        ASSERT_NE(image, nullptr) << name;
        EXPECT_EQ(image->width, reference->width);
        EXPECT_EQ(image->bits, reference->bits) << name;
    }
}

TEST(GifDecoder, LoadsNothingForDamage)
{
    const std::vector<uint8_t> good = Gif(2, 2, {0, 1, 1, 0}, {0, 0xFFFFFF});
    ASSERT_NE(DecodeGif(good), nullptr);
    struct Case
    {
        const char* what;
        std::vector<uint8_t> file;
    };
    std::vector<Case> cases = {
        {"zero width", Gif(0, 2, {}, {0})},
        {"zero height", Gif(2, 0, {}, {0})},
        {"no image before the trailer", Gif(2, 2, {0, 1, 1, 0}, {0, 0xFFFFFF},
                                            WithOptions([](GifOptions& o) { o.noImage = true; }))},
        {"image data ends early", Gif(2, 2, {0, 1, 1}, {0, 0xFFFFFF})},
        {"nothing", {}},
    };
    auto badSignature = good;
    badSignature[3] = '9';
    badSignature[4] = '0';
    cases.push_back({"signature GIF90", badSignature});
    for (size_t length : {6, 12, 20, 26})
    {
        cases.push_back({"cut short", std::vector<uint8_t>(good.begin(), good.begin() + length)});
    }
    for (const Case& c : cases)
    {
        EXPECT_EQ(DecodeGif(c.file), nullptr) << c.what;
    }
}

// The pixels libpng itself gives through its simplified interface, as 0xAARRGGBB words.
std::vector<uint32_t> LibpngPixels(const std::vector<uint8_t>& file)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size()))
    {
        return {};
    }
    image.format = PNG_FORMAT_BGRA;
    std::vector<uint32_t> pixels(size_t{image.width} * image.height);
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
    {
        return {};
    }
    return pixels;
}

TEST(PngDecoder, EveryEightBitVariantMatchesLibpng)
{
    // 5 x 3 pictures; each variant stores the same kind of pixels its colour type can hold.
    const PngSpec cases[] = {
        {"palette", PNG_COLOR_TYPE_PALETTE, 8, false, false},
        {"palette 2-bit", PNG_COLOR_TYPE_PALETTE, 2, false, false},
        {"palette with tRNS", PNG_COLOR_TYPE_PALETTE, 8, true, false},
        {"grey", PNG_COLOR_TYPE_GRAY, 8, false, false},
        {"grey 1-bit", PNG_COLOR_TYPE_GRAY, 1, false, false},
        {"grey 4-bit with tRNS", PNG_COLOR_TYPE_GRAY, 4, true, false},
        {"grey with tRNS", PNG_COLOR_TYPE_GRAY, 8, true, false},
        {"grey + alpha", PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, false},
        {"RGB", PNG_COLOR_TYPE_RGB, 8, false, false},
        {"RGB with tRNS", PNG_COLOR_TYPE_RGB, 8, true, false},
        {"RGBA", PNG_COLOR_TYPE_RGBA, 8, false, false},
        {"RGBA interlaced", PNG_COLOR_TYPE_RGBA, 8, false, true},
        {"palette interlaced", PNG_COLOR_TYPE_PALETTE, 4, true, true},
        {"grey interlaced", PNG_COLOR_TYPE_GRAY, 8, false, true},
    };
    for (const PngSpec& spec : cases)
    {
        SCOPED_TRACE(spec.what);
        std::vector<uint32_t> expected;
        const std::vector<uint8_t> file = WritePngVariant(spec, 5, 3, expected);
        const ImagePtr image = DecodePng(file);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->width, 5);
        EXPECT_EQ(image->height, 3);
        EXPECT_EQ(image->bits, LibpngPixels(file));
        EXPECT_EQ(image->bits, expected);
    }
}

TEST(PngDecoder, OurOwnWriterRoundTrips)
{
    Image picture(3, 2);
    picture.bits = {0x00000000, 0x80FF0000, 0xFF00FF00, 0x010000FF, 0xFFFFFFFF, 0x7F123456};
    const ImagePtr back = DecodePng(EncodePng(picture));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->bits, picture.bits);
}

TEST(PngDecoder, DamagedFilesLoadNothing)
{
    std::vector<uint32_t> expected;
    const std::vector<uint8_t> good =
        WritePngVariant({"RGBA", PNG_COLOR_TYPE_RGBA, 8, false, false}, 5, 3, expected);
    ASSERT_NE(DecodePng(good), nullptr);
    using ImageTestUtil::PngChunks;
    const PngChunks chunks(good);

    struct Case
    {
        const char* what;
        std::vector<uint8_t> file;
    };
    std::vector<Case> cases;
    auto flipped = [&](size_t at)
    {
        auto bad = good;
        bad[at] ^= 0x01;
        return bad;
    };
    cases.push_back({"bad signature", flipped(1)});
    cases.push_back({"bad IHDR checksum", flipped(chunks.Find("IHDR").dataStart + 2)});
    cases.push_back({"bad IDAT checksum", flipped(chunks.Find("IDAT").dataStart + 3)});
    cases.push_back({"bad IEND checksum", flipped(chunks.Find("IEND").dataStart + 1)});
    cases.push_back({"16-bit palette", chunks.WithHeader(16, PNG_COLOR_TYPE_PALETTE)});
    cases.push_back({"colour type 5", chunks.WithHeader(8, 5)});
    cases.push_back({"grey depth 3", chunks.WithHeader(3, PNG_COLOR_TYPE_GRAY)});
    cases.push_back({"RGB depth 4", chunks.WithHeader(4, PNG_COLOR_TYPE_RGB)});
    cases.push_back({"16-bit RGBA (unsupported)", chunks.WithHeader(16, PNG_COLOR_TYPE_RGBA)});
    cases.push_back({"no IDAT", chunks.Without("IDAT")});
    cases.push_back({"no IEND", chunks.Without("IEND")});
    cases.push_back({"extra ancillary chunk with a bad checksum", chunks.WithBadAncillaryChunk()});
    for (size_t length : {4ul, 8ul, 20ul, 33ul, 40ul, good.size() - 20, good.size() - 1})
    {
        cases.push_back({"truncated", std::vector<uint8_t>(good.begin(), good.begin() + length)});
    }
    cases.push_back({"nothing", {}});
    for (const Case& c : cases)
    {
        EXPECT_EQ(DecodePng(c.file), nullptr) << c.what << " (" << c.file.size() << " bytes)";
    }
}

TEST(JpegDecoder, GivesLibjpegPixelsOpaque)
{
    const ImagePtr reference = DecodePng(Fixture("photo_libjpeg.png"));
    const ImagePtr image = DecodeJpeg(Fixture("photo.jpg"));
    ASSERT_NE(reference, nullptr);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->bits, reference->bits);
}

TEST(JpegDecoder, DamagedFilesLoadNothing)
{
    const std::vector<uint8_t> good = Fixture("photo.jpg");
    std::vector<uint8_t> badMarker = good;
    badMarker[1] = 0xD9;
    for (const auto& file :
         {std::vector<uint8_t>(good.begin(), good.begin() + good.size() / 2),
          std::vector<uint8_t>(good.begin(), good.begin() + 3), badMarker, std::vector<uint8_t>{}})
    {
        EXPECT_EQ(DecodeJpeg(file), nullptr) << file.size();
    }
}

TEST(Jpeg2000Decoder, ReadsCodestreamsAndJp2FilesOpaque)
{
    const ImagePtr reference = DecodePng(Fixture("pic_openjpeg.png"));
    ASSERT_NE(reference, nullptr);
    for (const char* name : {"pic.j2k", "pic.jp2"})
    {
        const ImagePtr image = DecodeJpeg2000(Fixture(name));
        ASSERT_NE(image, nullptr) << name;
        EXPECT_EQ(image->width, 12);
        EXPECT_EQ(image->height, 10);
        EXPECT_EQ(image->bits, reference->bits) << name;
    }
}

TEST(Jpeg2000Decoder, DamagedFilesLoadNothing)
{
    for (const char* name : {"pic.j2k", "pic.jp2"})
    {
        const std::vector<uint8_t> good = Fixture(name);
        for (size_t length : {0ul, 4ul, 12ul, good.size() / 2, good.size() - 3})
        {
            EXPECT_EQ(DecodeJpeg2000(std::vector<uint8_t>(good.begin(), good.begin() + length)),
                      nullptr)
                << name << " cut to " << length;
        }
    }
    EXPECT_EQ(DecodeJpeg2000(Fixture("photo.jpg")), nullptr);
}

} // namespace
