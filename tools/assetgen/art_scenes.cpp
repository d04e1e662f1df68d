// The underwater backdrops, their foreground strips, the loading picture and
// the start screen.
// SPDX-License-Identifier: MIT
//
// Backdrops are 1280 × 800 and drawn centred, so a 1024 × 768 screen sees
// x 128..1152. The lanes of falling objects cover screen x 265..885 at 1280
// and 390..1015 of the backdrop at 1024, so that middle band is kept calm.
// The control panel and the stage clock are drawn in black at the left edge
// (x 40..140 of the screen, y 250..500); a pale stone tablet sits there,
// wide enough for both screen sizes.
#include "tools/assetgen/art_objects.h"
#include "tools/assetgen/draw.h"
#include "tools/assetgen/font_book.h"
#include "tools/assetgen/generators.h"
#include "tools/assetgen/scene_parts.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace AssetGen
{

namespace
{

constexpr int kBackW = 1280;
constexpr int kBackH = 800;

} // namespace

AreaLook LookOfArea(int area)
{
    switch (area)
    {
    case 1: // Deep town: warm green
        return {Hex(0x58B89A), Hex(0x22705E), Hex(0x0A2A2C), Hex(0x164A40), Hex(0xC8B483)};
    case 2: // Lost ship: blue-grey
        return {Hex(0x78A8BC), Hex(0x2E5A72), Hex(0x0C1E2E), Hex(0x1C3648), Hex(0xB6AE98)};
    case 3: // Rocks: cool violet
        return {Hex(0x7C94C8), Hex(0x3E4A8A), Hex(0x141438), Hex(0x2A2658), Hex(0xAAA2B4)};
    default: // Underwater castle: moonlit blue
        return {Hex(0x6A9ADA), Hex(0x1E3E82), Hex(0x080E30), Hex(0x142454), Hex(0x9EA8C0)};
    }
}

void PaintWater(Canvas& canvas, const AreaLook& look, std::uint64_t seed)
{
    cairo_t* cr = canvas.Cr();
    const double w = canvas.Width();
    const double h = canvas.Height();
    SetLinear(cr, 0, 0, 0, h, {{0, look.top}, {0.45, look.mid}, {1, look.deep}});
    cairo_paint(cr);

    // Caustics: bright wavy net near the surface, fading with depth.
    std::vector<std::uint32_t> px = canvas.Pixels();
    const int iw = canvas.Width();
    const int ih = canvas.Height();
    const double phase = static_cast<double>(seed % 97);
    for (int y = 0; y < std::min(ih, 330); ++y)
    {
        const double fade = std::pow(1.0 - y / 330.0, 1.8) * 0.3;
        for (int x = 0; x < iw; ++x)
        {
            const double u = x * 0.021;
            const double v = y * 0.034;
            const double a = std::sin(u + std::sin(v * 1.3 + phase) * 1.7 + phase * 0.3);
            const double b = std::sin(v * 1.1 - std::sin(u * 0.8 + phase * 0.7) * 1.9);
            const double c = std::sin((u + v) * 0.7 + std::sin(u * 1.7 - v) * 1.2);
            const double net = std::abs(a + b + c * 0.6);
            const double line = std::max(0.0, 1.0 - net * 2.8);
            const double add = line * line * fade * 255.0;
            std::uint32_t p = px[static_cast<size_t>(y) * iw + x];
            std::uint32_t out = p & 0xFF000000u;
            for (int ch = 0; ch < 3; ++ch)
            {
                const double tint = ch == 2 ? 1.0 : (ch == 1 ? 0.97 : 0.85);
                const double val = std::min(255.0, ((p >> (8 * ch)) & 0xFF) + add * tint);
                out |= static_cast<std::uint32_t>(val) << (8 * ch);
            }
            px[static_cast<size_t>(y) * iw + x] = out;
        }
    }
    canvas.SetPixels(px);

    // Light shafts from the surface.
    Canvas rays(canvas.Width(), canvas.Height());
    cairo_t* rc = rays.Cr();
    Rng rng(seed * 31 + 7);
    for (int i = 0; i < 7; ++i)
    {
        const double x0 = rng.Range(-100, w + 100);
        const double spread = rng.Range(40, 110);
        const double slant = rng.Range(120, 260);
        cairo_move_to(rc, x0 - spread * 0.3, 0);
        cairo_line_to(rc, x0 + spread * 0.3, 0);
        cairo_line_to(rc, x0 + slant + spread, h * 0.85);
        cairo_line_to(rc, x0 + slant - spread, h * 0.85);
        cairo_close_path(rc);
        SetLinear(rc, 0, 0, 0, h * 0.85,
                  {{0, Hex(0xE8FFF8), rng.Range(0.10, 0.18)}, {1, Hex(0xE8FFF8), 0.0}});
        cairo_fill(rc);
    }
    rays.Blur(14);
    Blit(cr, rays, 0, 0);
}

void PaintFloatingSpecks(Canvas& canvas, std::uint64_t seed, int count)
{
    cairo_t* cr = canvas.Cr();
    Rng rng(seed);
    for (int i = 0; i < count; ++i)
    {
        const double x = rng.Range(0, canvas.Width());
        const double y = rng.Range(0, canvas.Height());
        cairo_arc(cr, x, y, rng.Range(0.6, 2.0), 0, 2 * M_PI);
        SetColor(cr, Hex(0xDFF8FF), rng.Range(0.15, 0.45));
        cairo_fill(cr);
    }
}

void PaintVignette(Canvas& canvas, double strength)
{
    cairo_t* cr = canvas.Cr();
    const double w = canvas.Width();
    const double h = canvas.Height();
    cairo_save(cr);
    cairo_translate(cr, w / 2, h / 2);
    cairo_scale(cr, w / h, 1);
    SetRadial(cr, 0, 0, h * 0.35, 0, 0, h * 0.75,
              {{0, Rgb{0, 0, 0}, 0}, {1, Hex(0x000410), strength}});
    cairo_paint(cr);
    cairo_restore(cr);
}

namespace
{

// Sand floor: soft dunes with ripples, from `top` down to the bottom edge.
void PaintSeaFloor(Canvas& canvas, const AreaLook& look, double top, std::uint64_t seed)
{
    cairo_t* cr = canvas.Cr();
    const double w = canvas.Width();
    const double h = canvas.Height();
    Rng rng(seed);
    for (int layer = 0; layer < 2; ++layer)
    {
        const double base = top + layer * 40;
        cairo_move_to(cr, 0, h);
        cairo_line_to(cr, 0, base + rng.Range(-10, 10));
        for (double x = 0; x <= w + 160; x += 160)
        {
            cairo_curve_to(cr, x + 50, base + rng.Range(-25, 5), x + 110, base + rng.Range(-5, 20),
                           x + 160, base + rng.Range(-10, 10));
        }
        cairo_line_to(cr, w, h);
        cairo_close_path(cr);
        const Rgb sand = Mix(look.sand, look.mid, layer == 0 ? 0.55 : 0.35);
        SetLinear(cr, 0, base - 20, 0, h,
                  {{0, sand}, {1, Mix(Darken(look.sand, 0.55), look.deep, 0.5)}});
        cairo_fill(cr);
    }
    // Ripples.
    for (int i = 0; i < 70; ++i)
    {
        const double x = rng.Range(0, w);
        const double y = rng.Range(top + 50, h);
        const double len = rng.Range(20, 60);
        cairo_move_to(cr, x, y);
        cairo_curve_to(cr, x + len * 0.3, y - 3, x + len * 0.7, y - 3, x + len, y);
        SetColor(cr, Lighten(look.sand, 0.2), 0.12);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
}

// The pale tablet that carries the stage clock and the control panel figures.
void PaintPanelTablet(Canvas& canvas, const AreaLook& look)
{
    cairo_t* cr = canvas.Cr();
    auto slab = [](cairo_t* c)
    {
        cairo_move_to(c, 18, 800);
        cairo_line_to(c, 22, 250);
        cairo_curve_to(c, 24, 214, 70, 204, 150, 204);
        cairo_curve_to(c, 230, 204, 276, 214, 278, 250);
        cairo_line_to(c, 284, 800);
        cairo_close_path(c);
    };
    SoftShadow(canvas, slab, Hex(0x000408), 0.55, 10, 6, 8);
    slab(cr);
    const Rgb stone = Mix(Hex(0xD8CDB0), look.sand, 0.3);
    SetLinear(cr, 0, 204, 0, 800,
              {{0, Lighten(stone, 0.15)}, {0.55, stone}, {1, Darken(Mix(stone, look.deep, 0.4), 0.3)}});
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip(cr);
    // Weathering and a carved border.
    Rng rng(4242);
    for (int i = 0; i < 260; ++i)
    {
        cairo_arc(cr, rng.Range(18, 284), rng.Range(204, 800), rng.Range(1, 4), 0, 2 * M_PI);
        SetColor(cr, rng.Uniform() < 0.5 ? Darken(stone, 0.3) : Lighten(stone, 0.3),
                 rng.Range(0.08, 0.2));
        cairo_fill(cr);
    }
    SetLinear(cr, 0, 0, 284, 0,
              {{0, Rgb{0, 0, 0}, 0.25}, {0.15, Rgb{0, 0, 0}, 0}, {0.85, Rgb{0, 0, 0}, 0},
               {1, Rgb{0, 0, 0}, 0.3}});
    cairo_paint(cr);
    cairo_restore(cr);
    RoundedRect(cr, 34, 226, 232, 300, 18);
    SetColor(cr, Darken(stone, 0.35), 0.55);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    RoundedRect(cr, 36, 228, 232, 300, 18);
    SetColor(cr, Lighten(stone, 0.5), 0.4);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // A carved scallop below the figures, in relief.
    cairo_save(cr);
    cairo_translate(cr, 150, 585);
    for (int pass = 0; pass < 2; ++pass)
    {
        const double d = pass == 0 ? 1.5 : 0.0;
        cairo_move_to(cr, d, 38 + d);
        cairo_arc(cr, d, d, 42, M_PI * 1.05, M_PI * 1.95);
        cairo_close_path(cr);
        for (int i = 1; i < 7; ++i)
        {
            const double a = M_PI * (1.05 + 0.9 * i / 7);
            cairo_move_to(cr, d, 38 + d);
            cairo_line_to(cr, d + std::cos(a) * 40, d + std::sin(a) * 40);
        }
        SetColor(cr, pass == 0 ? Lighten(stone, 0.5) : Darken(stone, 0.35), pass == 0 ? 0.5 : 0.6);
        cairo_set_line_width(cr, 2.2);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    // Weed creeping up the foot of the tablet.
    for (int i = 0; i < 9; ++i)
    {
        const double x = 22 + i * 30 + rng.Range(-8, 8);
        const double len = rng.Range(60, 150);
        cairo_move_to(cr, x, 800);
        cairo_curve_to(cr, x + 20, 800 - len * 0.4, x - 20, 800 - len * 0.7, x + rng.Range(-10, 10),
                       800 - len);
        SetColor(cr, Mix(Hex(0x2E5A2A), look.mid, 0.35), 0.9);
        cairo_set_line_width(cr, rng.Range(3, 6));
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    }
    slab(cr);
    SetColor(cr, Hex(0x1A1812), 0.65);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

} // namespace

void GenerateScenes(AssetStore& store)
{
    for (int area = 1; area <= 4; ++area)
    {
        const AreaLook look = LookOfArea(area);
        Canvas back(kBackW, kBackH);
        PaintWater(back, look, static_cast<std::uint64_t>(area) * 101);
        PaintAreaDistance(back, area, look);
        PaintSeaFloor(back, look, 650, static_cast<std::uint64_t>(area) * 17);
        PaintAreaNear(back, area, look);
        PaintFloatingSpecks(back, static_cast<std::uint64_t>(area) * 13, 160);
        PaintPanelTablet(back, look);
        PaintVignette(back, 0.45);
        store.AddPicture("images/game_fon/ocean_" + std::to_string(area) + ".png", back);

        Canvas strip(kBackW, kStripHeight);
        PaintForegroundStrip(strip, area, look);
        store.AddPicture("images/game_fon/layer_" + std::to_string(area) + ".png", strip);
    }
    GenerateStartScreen(store);
    GenerateLoadingPicture(store);
    GenerateMap(store);
}

} // namespace AssetGen
