// Drawing speed of the software display path, side by side with pixman doing the same work.
// SPDX-License-Identifier: MIT
//
// Each case runs twice: "zadi" draws through Graphics onto the screen image,
// "pixman" composites the same pixels (premultiplied, as pixman wants them).
// At the end the program prints our CPU time over pixman's for every case (CPU time,
// because the machines these run on are shared and wall time carries other loads).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "framework/graphics/dd_image.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"

#ifdef ZADI_HAVE_PIXMAN
#include <pixman.h>
#endif

namespace
{

using Lumo::DDImage;
using Lumo::DrawMode;
using Lumo::Graphics;
using Lumo::MemoryImage;
using Lumo::Rect;

constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 800;

// A round jewel: opaque inside, an anti-aliased rim, transparent corners.
std::vector<std::uint32_t> MakeSprite(int size)
{
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size) * static_cast<std::size_t>(size));
    const double centre = size / 2.0;
    for (int y = 0; y < size; ++y)
    {
        for (int x = 0; x < size; ++x)
        {
            const double distance = std::hypot(x + 0.5 - centre, y + 0.5 - centre);
            const double coverage = std::clamp(centre - 1.0 - distance, 0.0, 3.0) / 3.0;
            const auto alpha = static_cast<std::uint32_t>(std::lround(coverage * 255.0));
            const auto red = static_cast<std::uint32_t>(40 + x * 3) & 0xFF;
            const auto green = static_cast<std::uint32_t>(90 + y * 2) & 0xFF;
            pixels[static_cast<std::size_t>(y * size + x)] = (alpha << 24) | (red << 16) | (green << 8) | 0xC0u;
        }
    }
    return pixels;
}

// A soft glow: partial alpha almost everywhere, fading from the centre.
std::vector<std::uint32_t> MakeGlow(int size)
{
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size) * static_cast<std::size_t>(size));
    const double centre = size / 2.0;
    for (int y = 0; y < size; ++y)
    {
        for (int x = 0; x < size; ++x)
        {
            const double distance = std::hypot(x + 0.5 - centre, y + 0.5 - centre) / centre;
            const double strength = std::clamp(1.0 - distance, 0.0, 1.0);
            const auto alpha = static_cast<std::uint32_t>(std::lround(strength * 254.0)) + 1;
            pixels[static_cast<std::size_t>(y * size + x)] = (alpha << 24) | 0x60A0FFu;
        }
    }
    return pixels;
}

std::vector<std::uint32_t> MakeBackdrop()
{
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(kScreenWidth) * kScreenHeight);
    for (int y = 0; y < kScreenHeight; ++y)
    {
        for (int x = 0; x < kScreenWidth; ++x)
        {
            pixels[static_cast<std::size_t>(y * kScreenWidth + x)] =
                0xFF000000u | (static_cast<std::uint32_t>(x & 0xFF) << 16) |
                (static_cast<std::uint32_t>(y & 0xFF) << 8) | 0x40u;
        }
    }
    return pixels;
}

// Where successive draws land, so that no case keeps hitting one cache-warm spot.
constexpr int kPlaces = 8;
int PlaceX(int i) { return 37 + (i % kPlaces) * 141; }
int PlaceY(int i) { return 23 + (i % kPlaces) * 83; }

struct ZadiScene
{
    DDImage screen;
    MemoryImage sprite;
    MemoryImage glow;
    MemoryImage picture; // opaque, screen-sized
    MemoryImage photo;   // stretched smoothly

    ZadiScene()
    {
        screen.SetSurface(kScreenWidth, kScreenHeight);
        const std::vector<std::uint32_t> backdrop = MakeBackdrop();
        std::copy(backdrop.begin(), backdrop.end(), screen.GetBits());
        screen.BitsChanged();
        const std::vector<std::uint32_t> spritePixels = MakeSprite(70);
        sprite.SetBits(spritePixels.data(), 70, 70);
        const std::vector<std::uint32_t> glowPixels = MakeGlow(128);
        glow.SetBits(glowPixels.data(), 128, 128);
        picture.SetBits(backdrop.data(), kScreenWidth, kScreenHeight);
        const std::vector<std::uint32_t> photoPixels = MakeSprite(256);
        photo.SetBits(photoPixels.data(), 256, 256);
    }
};

ZadiScene& Zadi()
{
    static ZadiScene scene;
    return scene;
}

// Draws `image` at the successive places through one Graphics on the screen.
void ZadiPlacedDraws(benchmark::State& state, MemoryImage& image, DrawMode mode)
{
    ZadiScene& scene = Zadi();
    Graphics g(&scene.screen);
    g.SetDrawMode(mode);
    int i = 0;
    for (auto _ : state)
    {
        g.DrawImage(&image, PlaceX(i), PlaceY(i));
        ++i;
    }
    benchmark::DoNotOptimize(scene.screen.GetBits());
}

void ZadiSpriteBlend(benchmark::State& state)
{
    ZadiPlacedDraws(state, Zadi().sprite, DrawMode::Normal);
}

void ZadiGlowBlend(benchmark::State& state)
{
    ZadiPlacedDraws(state, Zadi().glow, DrawMode::Normal);
}

void ZadiAdditive(benchmark::State& state)
{
    ZadiPlacedDraws(state, Zadi().glow, DrawMode::Additive);
}

void ZadiOpaqueCopy(benchmark::State& state)
{
    ZadiScene& scene = Zadi();
    Graphics g(&scene.screen);
    for (auto _ : state)
    {
        g.DrawImage(&scene.picture, 0, 0);
    }
    benchmark::DoNotOptimize(scene.screen.GetBits());
}

void ZadiSmoothStretch(benchmark::State& state)
{
    ZadiScene& scene = Zadi();
    Graphics g(&scene.screen);
    g.SetFastStretch(false);
    int i = 0;
    for (auto _ : state)
    {
        g.DrawImageStretched(&scene.photo, Rect(PlaceX(i) / 2, PlaceY(i) / 2, 384, 384),
                             Rect(0, 0, 256, 256));
        ++i;
    }
    benchmark::DoNotOptimize(scene.screen.GetBits());
}


#ifdef ZADI_HAVE_PIXMAN

std::uint32_t Premultiply(std::uint32_t pixel)
{
    const std::uint32_t alpha = pixel >> 24;
    const auto scale = [alpha](std::uint32_t channel) { return (channel * alpha + 127) / 255; };
    return (alpha << 24) | (scale((pixel >> 16) & 0xFF) << 16) | (scale((pixel >> 8) & 0xFF) << 8) |
           scale(pixel & 0xFF);
}

struct PixmanImage
{
    std::vector<std::uint32_t> pixels;
    pixman_image_t* image = nullptr;

    PixmanImage(pixman_format_code_t format, int width, int height, std::vector<std::uint32_t> from)
        : pixels(std::move(from))
    {
        for (std::uint32_t& pixel : pixels)
        {
            pixel = Premultiply(pixel);
        }
        image = pixman_image_create_bits(format, width, height, pixels.data(), width * 4);
    }
    PixmanImage(const PixmanImage&) = delete;
    PixmanImage& operator=(const PixmanImage&) = delete;
    ~PixmanImage() { pixman_image_unref(image); }
};

struct PixmanScene
{
    PixmanImage screen{PIXMAN_x8r8g8b8, kScreenWidth, kScreenHeight, MakeBackdrop()};
    PixmanImage sprite{PIXMAN_a8r8g8b8, 70, 70, MakeSprite(70)};
    PixmanImage glow{PIXMAN_a8r8g8b8, 128, 128, MakeGlow(128)};
    PixmanImage picture{PIXMAN_a8r8g8b8, kScreenWidth, kScreenHeight, MakeBackdrop()};
    PixmanImage photo{PIXMAN_a8r8g8b8, 256, 256, MakeSprite(256)};

    PixmanScene()
    {
        // 256 source pixels over 384 destination pixels, filtered bilinearly.
        pixman_transform_t transform;
        pixman_transform_init_scale(&transform, pixman_double_to_fixed(256.0 / 384.0),
                                    pixman_double_to_fixed(256.0 / 384.0));
        pixman_image_set_transform(photo.image, &transform);
        pixman_image_set_filter(photo.image, PIXMAN_FILTER_BILINEAR, nullptr, 0);
    }
};

PixmanScene& Pixman()
{
    static PixmanScene scene;
    return scene;
}

void PixmanComposite(benchmark::State& state, pixman_op_t op, pixman_image_t* source, int width,
                     int height, bool place)
{
    PixmanScene& scene = Pixman();
    int i = 0;
    for (auto _ : state)
    {
        const int x = place ? PlaceX(i) : 0;
        const int y = place ? PlaceY(i) : 0;
        pixman_image_composite32(op, source, nullptr, scene.screen.image, 0, 0, 0, 0, x, y, width,
                                 height);
        ++i;
    }
    benchmark::DoNotOptimize(scene.screen.pixels.data());
}

void PixmanSpriteBlend(benchmark::State& state)
{
    PixmanComposite(state, PIXMAN_OP_OVER, Pixman().sprite.image, 70, 70, true);
}

void PixmanGlowBlend(benchmark::State& state)
{
    PixmanComposite(state, PIXMAN_OP_OVER, Pixman().glow.image, 128, 128, true);
}

void PixmanOpaqueCopy(benchmark::State& state)
{
    PixmanComposite(state, PIXMAN_OP_SRC, Pixman().picture.image, kScreenWidth, kScreenHeight,
                    false);
}

void PixmanAdditive(benchmark::State& state)
{
    PixmanComposite(state, PIXMAN_OP_ADD, Pixman().glow.image, 128, 128, true);
}

void PixmanSmoothStretch(benchmark::State& state)
{
    PixmanScene& scene = Pixman();
    int i = 0;
    for (auto _ : state)
    {
        pixman_image_composite32(PIXMAN_OP_OVER, scene.photo.image, nullptr, scene.screen.image, 0,
                                 0, 0, 0, PlaceX(i) / 2, PlaceY(i) / 2, 384, 384);
        ++i;
    }
    benchmark::DoNotOptimize(scene.screen.pixels.data());
}

#endif

// Each case's two runs follow each other, so that both meet much the same
// load on a shared machine.
BENCHMARK(ZadiSpriteBlend)->Name("SpriteBlend/zadi");
#ifdef ZADI_HAVE_PIXMAN
BENCHMARK(PixmanSpriteBlend)->Name("SpriteBlend/pixman");
#endif
BENCHMARK(ZadiGlowBlend)->Name("GlowBlend/zadi");
#ifdef ZADI_HAVE_PIXMAN
BENCHMARK(PixmanGlowBlend)->Name("GlowBlend/pixman");
#endif
BENCHMARK(ZadiOpaqueCopy)->Name("OpaqueCopy/zadi");
#ifdef ZADI_HAVE_PIXMAN
BENCHMARK(PixmanOpaqueCopy)->Name("OpaqueCopy/pixman");
#endif
BENCHMARK(ZadiAdditive)->Name("AdditiveBlit/zadi");
#ifdef ZADI_HAVE_PIXMAN
BENCHMARK(PixmanAdditive)->Name("AdditiveBlit/pixman");
#endif
BENCHMARK(ZadiSmoothStretch)->Name("SmoothStretch/zadi");
#ifdef ZADI_HAVE_PIXMAN
BENCHMARK(PixmanSmoothStretch)->Name("SmoothStretch/pixman");
#endif

// Prints the usual table, then our time over pixman's for every case run by both.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
        {
            if (run.run_type != Run::RT_Iteration || run.iterations == 0)
            {
                continue;
            }
            const std::string name = run.benchmark_name();
            const std::size_t slash = name.find('/');
            if (slash == std::string::npos)
            {
                continue;
            }
            const double perIteration = run.cpu_accumulated_time / static_cast<double>(run.iterations);
            // With repetitions the fastest one counts: the others carry more of the
            // other loads on the machine.
            double& best = times[name.substr(0, slash)]
                                [name.substr(slash + 1, name.find('/', slash + 1) - slash - 1)];
            best = best == 0.0 ? perIteration : std::min(best, perIteration);
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%-16s %12s %12s %8s\n", "case", "zadi cpu us", "pixman cpu us", "ratio");
        for (const auto& [name, byLibrary] : times)
        {
            const auto ours = byLibrary.find("zadi");
            const auto theirs = byLibrary.find("pixman");
            if (ours == byLibrary.end() || theirs == byLibrary.end())
            {
                continue;
            }
            std::printf("%-16s %12.2f %12.2f %8.2f\n", name.c_str(), ours->second * 1e6,
                        theirs->second * 1e6, ours->second / theirs->second);
        }
    }

private:
    std::map<std::string, std::map<std::string, double>> times;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
    {
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
