// Benchmarks of image fonts: measuring and drawing a 40-character line against blitting its glyphs.
// SPDX-License-Identifier: MIT
//
// Goals: measuring allocates nothing (the "allocs" counter must read 0), and
// BM_DrawString40 costs at most 1.2 x BM_BlitGlyphs40, which blits the same
// glyph rectangles to the same places with the same colour directly.
#include "framework/fonts/image_font.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

namespace
{

std::atomic<long> allocationCount{0};

} // namespace

// Counting replacements of the global allocation functions. GCC cannot see
// that the replaced new and delete pair up and warns where they meet.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(std::size_t size)
{
    allocationCount.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size))
    {
        return p;
    }
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

namespace
{

constexpr int kCellWidth = 11;
constexpr int kCellHeight = 18;
constexpr int kFirstChar = 32;
constexpr int kCharCount = 95;
const std::string kText = "The tide brings 40 jewels, Zadi! Catch..";

// An atlas of soft-edged glyph cells in one row, like the game's font pictures.
std::shared_ptr<Lumo::MemoryImage> MakeAtlas()
{
    auto atlas = std::make_shared<Lumo::MemoryImage>(kCellWidth * kCharCount, kCellHeight);
    uint32_t* bits = atlas->GetBits();
    for (int y = 0; y < kCellHeight; ++y)
    {
        for (int x = 0; x < kCellWidth * kCharCount; ++x)
        {
            const int cx = x % kCellWidth;
            const int edge = std::min({cx, kCellWidth - 1 - cx, y, kCellHeight - 1 - y});
            const uint32_t alpha = edge == 0 ? 0 : edge == 1 ? 0x80 : 0xFF;
            bits[y * atlas->GetWidth() + x] = alpha << 24 | 0xFFFFFF;
        }
    }
    atlas->BitsChanged();
    return atlas;
}

std::string Descriptor()
{
    std::string chars;
    std::string widths;
    std::string rects;
    for (int i = 0; i < kCharCount; ++i)
    {
        const char c = static_cast<char>(kFirstChar + i);
        const std::string sep = i ? ", " : "";
        chars +=
            sep + (c == '\'' ? std::string("\"'\"")
                             : "'" + std::string(c == '\\' ? "\\\\" : std::string(1, c)) + "'");
        widths += sep + std::to_string(9 + i % 3);
        rects += sep + "(" + std::to_string(i * kCellWidth) + ", 0, " + std::to_string(kCellWidth) +
                 ", " + std::to_string(kCellHeight) + ")";
    }
    return "SetDefaultPointSize 18;\n"
           "Define Chars (" +
           chars +
           ");\n"
           "CreateLayer Main;\n"
           "LayerSetImage Main 'atlas.png';\n"
           "LayerSetPointSize Main 18;\n"
           "LayerSetAscent Main 14;\n"
           "LayerSetHeight Main 18;\n"
           "LayerSetCharWidths Main Chars (" +
           widths +
           ");\n"
           "LayerSetImageMap Main Chars (" +
           rects +
           ");\n"
           "LayerSetKerningPairs Main ('Th', 'Za', 'ew') (-1, -1, -1);\n";
}

struct Fixture
{
    std::shared_ptr<Lumo::MemoryImage> atlas = MakeAtlas();
    std::unique_ptr<Lumo::ImageFont> font;
    Lumo::MemoryImage canvas{1024, 64};
    Lumo::Color color{250, 220, 120};

    Fixture()
    {
        auto data = std::make_shared<Lumo::FontData>(
            [this](const std::string&) -> std::shared_ptr<Lumo::Image> { return atlas; });
        if (!data->LoadFromText(Descriptor(), "fonts/bench.txt"))
        {
            std::fprintf(stderr, "%s\n", data->GetErrorText().c_str());
            std::abort();
        }
        font = std::make_unique<Lumo::ImageFont>(data);
    }
};

Fixture& GetFixture()
{
    static Fixture fixture;
    return fixture;
}

void BM_MeasureString40(benchmark::State& state)
{
    Fixture& f = GetFixture();
    benchmark::DoNotOptimize(f.font->StringWidth(kText)); // prepares the layers
    const long before = allocationCount.load();
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(f.font->StringWidth(kText));
    }
    const long allocations = allocationCount.load() - before;
    state.counters["allocs"] = static_cast<double>(allocations);
    if (allocations != 0)
    {
        state.SkipWithError("measuring allocated");
    }
}
BENCHMARK(BM_MeasureString40);

void BM_DrawString40(benchmark::State& state)
{
    Fixture& f = GetFixture();
    Lumo::Graphics g(&f.canvas);
    g.SetFont(f.font.get());
    g.SetColor(f.color);
    for (auto _ : state)
    {
        g.DrawString(kText, 4, 40);
    }
    benchmark::DoNotOptimize(f.canvas.GetBits());
}
BENCHMARK(BM_DrawString40);

void BM_BlitGlyphs40(benchmark::State& state)
{
    Fixture& f = GetFixture();
    // The glyphs' places and picture cells, taken once from the font itself.
    Lumo::Graphics probe(&f.canvas);
    std::vector<Lumo::Rect> places;
    f.font->DrawStringEx(&probe, 4, 40, kText, f.color, probe.GetClipRect(), &places, nullptr);
    std::vector<Lumo::Rect> cells;
    for (const char c : kText)
    {
        const int i = static_cast<unsigned char>(c) - kFirstChar;
        cells.emplace_back(i * kCellWidth, 0, kCellWidth, kCellHeight);
    }
    Lumo::Graphics g(&f.canvas);
    g.SetColorizeImages(true);
    g.SetColor(f.color);
    for (auto _ : state)
    {
        for (size_t i = 0; i < places.size(); ++i)
        {
            g.DrawImage(f.atlas.get(), places[i].x, places[i].y, cells[i]);
        }
    }
    benchmark::DoNotOptimize(f.canvas.GetBits());
}
BENCHMARK(BM_BlitGlyphs40);

} // namespace

BENCHMARK_MAIN();
