// The four areas: their silhouettes in the backdrop and their foreground strips.
// SPDX-License-Identifier: MIT
//
// Distant shapes take the water's colour (haze) and are softened; near shapes
// at the sides are darker. The middle band where objects fall stays calm.
#include "tools/assetgen/draw.h"
#include "tools/assetgen/scene_parts.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace AssetGen
{

namespace
{

void Fill(cairo_t* cr, Rgb c, double alpha = 1.0)
{
    SetColor(cr, c, alpha);
    cairo_fill(cr);
}

// A sunken house with a pitched roof, a chimney and faintly lit windows.
void House(cairo_t* cr, double x, double baseY, double w, double h, double roofH, double lean,
           Rgb wall, Rgb roof, Rgb window, double windowAlpha)
{
    cairo_save(cr);
    cairo_translate(cr, x + w / 2, baseY);
    cairo_rotate(cr, lean);
    cairo_rectangle(cr, -w / 2, -h, w, h);
    Fill(cr, wall);
    // Chimney.
    cairo_rectangle(cr, w * 0.18, -h - roofH * 0.95, w * 0.14, roofH * 0.7);
    Fill(cr, roof);
    cairo_move_to(cr, -w / 2 - w * 0.08, -h);
    cairo_line_to(cr, 0, -h - roofH);
    cairo_line_to(cr, w / 2 + w * 0.08, -h);
    cairo_close_path(cr);
    Fill(cr, roof);
    // Windows in rows.
    const int cols = std::max(1, static_cast<int>(w / 34));
    const int rows = std::max(1, static_cast<int>(h / 48));
    for (int r = 0; r < rows; ++r)
    {
        for (int c = 0; c < cols; ++c)
        {
            const double wx = -w / 2 + (c + 0.5) * w / cols - 7;
            const double wy = -h + 14 + r * 48;
            if ((r * 7 + c * 3) % 5 == 1)
            {
                continue; // a dark, broken window
            }
            RoundedRect(cr, wx, wy, 14, 20, 6);
            Fill(cr, window, windowAlpha);
        }
    }
    // Door.
    RoundedRect(cr, -8, -28, 16, 28, 7);
    Fill(cr, Darken(wall, 0.4));
    cairo_restore(cr);
}

void Tower(cairo_t* cr, double x, double baseY, double w, double h, Rgb wall, Rgb roof,
           Rgb banner, Rgb window, double windowAlpha, bool conical)
{
    cairo_rectangle(cr, x - w / 2, baseY - h, w, h);
    Fill(cr, wall);
    if (conical)
    {
        cairo_move_to(cr, x - w / 2 - 8, baseY - h);
        cairo_line_to(cr, x, baseY - h - w * 1.3);
        cairo_line_to(cr, x + w / 2 + 8, baseY - h);
        cairo_close_path(cr);
        Fill(cr, roof);
        // Banner on the spire.
        const double top = baseY - h - w * 1.3;
        cairo_move_to(cr, x, top);
        cairo_line_to(cr, x, top - 34);
        SetColor(cr, roof);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
        cairo_move_to(cr, x + 1, top - 34);
        cairo_curve_to(cr, x + 16, top - 40, x + 26, top - 26, x + 44, top - 30);
        cairo_line_to(cr, x + 34, top - 22);
        cairo_line_to(cr, x + 42, top - 14);
        cairo_curve_to(cr, x + 26, top - 12, x + 16, top - 24, x + 1, top - 18);
        cairo_close_path(cr);
        Fill(cr, banner);
    }
    else
    {
        // Crenellations.
        const int n = std::max(3, static_cast<int>(w / 14));
        for (int i = 0; i < n; i += 2)
        {
            cairo_rectangle(cr, x - w / 2 + i * w / n, baseY - h - 12, w / n, 12);
        }
        Fill(cr, wall);
    }
    for (double wy = baseY - h + 30; wy < baseY - 40; wy += 60)
    {
        cairo_move_to(cr, x - 6, wy + 22);
        cairo_line_to(cr, x - 6, wy + 6);
        cairo_arc(cr, x, wy + 6, 6, M_PI, 2 * M_PI);
        cairo_line_to(cr, x + 6, wy + 22);
        cairo_close_path(cr);
        Fill(cr, window, windowAlpha);
    }
}

void RockArch(cairo_t* cr, double x, double baseY, double w, double h, Rgb rock, std::uint64_t seed)
{
    Rng rng(seed);
    struct Lump
    {
        double x, y, rx, ry;
    };
    std::vector<Lump> lumps;
    for (int i = 0; i < 8; ++i)
    {
        const double t = rng.Uniform();
        lumps.push_back({x + w * t, baseY - h * (0.75 + 0.25 * std::sin(t * M_PI)), rng.Range(8, 22),
                         rng.Range(6, 14)});
    }
    auto outline = [&]
    {
        cairo_new_path(cr);
        cairo_move_to(cr, x, baseY);
        cairo_curve_to(cr, x - w * 0.05, baseY - h * 0.5, x + w * 0.05, baseY - h * 0.95, x + w * 0.35,
                       baseY - h);
        cairo_curve_to(cr, x + w * 0.65, baseY - h * 1.05, x + w * 1.02, baseY - h * 0.8, x + w,
                       baseY - h * 0.4);
        cairo_line_to(cr, x + w * 1.03, baseY);
        cairo_line_to(cr, x + w * 0.78, baseY);
        // The hole.
        cairo_curve_to(cr, x + w * 0.78, baseY - h * 0.45, x + w * 0.62, baseY - h * 0.62, x + w * 0.48,
                       baseY - h * 0.6);
        cairo_curve_to(cr, x + w * 0.32, baseY - h * 0.58, x + w * 0.24, baseY - h * 0.4, x + w * 0.24,
                       baseY);
        cairo_close_path(cr);
        for (const Lump& l : lumps)
        {
            Ellipse(cr, l.x, l.y, l.rx, l.ry);
        }
    };
    outline();
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    SetColor(cr, rock);
    cairo_fill_preserve(cr);
    // Light from above on the top of the rock, shade towards its foot.
    cairo_save(cr);
    cairo_clip(cr);
    SetLinear(cr, 0, baseY - h * 1.1, 0, baseY,
              {{0, Rgb{1, 1, 1}, 0.22}, {0.35, Rgb{1, 1, 1}, 0.04}, {1, Rgb{0, 0, 0}, 0.25}});
    cairo_paint(cr);
    for (int i = 0; i < 5; ++i)
    {
        const double cx = x + w * rng.Range(0.05, 0.95);
        const double cy = baseY - h * rng.Range(0.2, 0.85);
        cairo_move_to(cr, cx, cy);
        cairo_curve_to(cr, cx + 8, cy + 12, cx - 6, cy + 22, cx + 4, cy + 34);
    }
    SetColor(cr, Rgb{0, 0, 0}, 0.18);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void Hull(cairo_t* cr, Rgb wood, Rgb dark, Rgb window, double windowAlpha)
{
    // A galleon sunk on its keel and listing, bow to the left, half in the sand.
    cairo_save(cr);
    cairo_translate(cr, 880, 600);
    cairo_rotate(cr, -0.08);
    const Rgb light = Mix(wood, Rgb{1, 1, 1}, 0.12);
    // Hull: raised bow, long deck line, high stern.
    cairo_move_to(cr, -360, -120);
    cairo_line_to(cr, -300, -80);
    cairo_line_to(cr, 150, -90);
    cairo_line_to(cr, 170, -160);
    cairo_line_to(cr, 330, -170);
    cairo_line_to(cr, 350, -60);
    cairo_curve_to(cr, 320, 40, 200, 90, 0, 90);
    cairo_curve_to(cr, -200, 90, -300, 20, -360, -120);
    cairo_close_path(cr);
    Fill(cr, wood);
    // Planks follow the hull's curve.
    for (int i = 0; i < 6; ++i)
    {
        const double y = -70 + i * 24;
        cairo_move_to(cr, -330 + i * 14, y - 30 + i * 6);
        cairo_curve_to(cr, -200, y + 10, 150, y + 5, 345, y - 40 + i * 4);
    }
    SetColor(cr, light, 0.7);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // Rail along the deck and the stern castle's windows.
    cairo_move_to(cr, -360, -120);
    cairo_line_to(cr, -300, -80);
    cairo_line_to(cr, 150, -90);
    cairo_line_to(cr, 170, -160);
    cairo_line_to(cr, 330, -170);
    SetColor(cr, light);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    for (int i = 0; i < 3; ++i)
    {
        RoundedRect(cr, 200 + i * 42, -140, 24, 30, 8);
        Fill(cr, window, windowAlpha);
    }
    for (int i = 0; i < 6; ++i)
    {
        cairo_arc(cr, -200 + i * 60, -45, 9, 0, 2 * M_PI);
        Fill(cr, window, windowAlpha * 0.8);
    }
    // A hole torn in the side.
    cairo_move_to(cr, -60, 0);
    cairo_line_to(cr, -30, -50);
    cairo_line_to(cr, 10, -24);
    cairo_line_to(cr, 40, -62);
    cairo_line_to(cr, 66, 4);
    cairo_line_to(cr, 10, 30);
    cairo_close_path(cr);
    Fill(cr, dark);
    // Bowsprit.
    cairo_move_to(cr, -350, -115);
    cairo_line_to(cr, -440, -170);
    SetColor(cr, wood);
    cairo_set_line_width(cr, 9);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    // Main mast, broken off near the top, with a yard and a torn sail.
    cairo_move_to(cr, -20, -88);
    cairo_line_to(cr, -60, -470);
    cairo_set_line_width(cr, 14);
    cairo_stroke(cr);
    cairo_move_to(cr, -190, -400);
    cairo_line_to(cr, 80, -430);
    cairo_set_line_width(cr, 8);
    cairo_stroke(cr);
    cairo_move_to(cr, -180, -395);
    cairo_line_to(cr, 70, -424);
    cairo_curve_to(cr, 80, -340, 40, -290, 20, -250);
    cairo_line_to(cr, -30, -280);
    cairo_line_to(cr, -80, -240);
    cairo_curve_to(cr, -140, -290, -170, -340, -180, -395);
    cairo_close_path(cr);
    SetColor(cr, Mix(wood, Rgb{1, 1, 1}, 0.3), 0.5);
    cairo_fill(cr);
    // Fore mast, snapped.
    cairo_move_to(cr, -230, -84);
    cairo_line_to(cr, -250, -220);
    SetColor(cr, wood);
    cairo_set_line_width(cr, 11);
    cairo_stroke(cr);
    // Rigging from the mast top to bow and stern.
    for (int i = 0; i < 3; ++i)
    {
        cairo_move_to(cr, -58, -450 + i * 30);
        cairo_line_to(cr, -430 + i * 60, -160 + i * 20);
        cairo_move_to(cr, -56, -450 + i * 30);
        cairo_line_to(cr, 320 - i * 40, -168 + i * 10);
    }
    SetColor(cr, dark, 0.6);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_restore(cr);
}

} // namespace

void PaintKelp(cairo_t* cr, double x, double baseY, double height, double sway, Rgb colour,
               double width, std::uint64_t seed)
{
    Rng rng(seed);
    const int segments = 6;
    double px = x;
    double py = baseY;
    cairo_move_to(cr, px, py);
    for (int i = 1; i <= segments; ++i)
    {
        const double t = static_cast<double>(i) / segments;
        const double nx = x + std::sin(t * 3.2 + rng.Range(0, 0.6)) * sway * t;
        const double ny = baseY - height * t;
        cairo_curve_to(cr, px + sway * 0.3, py - height / segments * 0.4, nx - sway * 0.3,
                       ny + height / segments * 0.4, nx, ny);
        px = nx;
        py = ny;
    }
    SetColor(cr, colour);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    // Leaves.
    for (int i = 1; i < segments * 2; ++i)
    {
        const double t = static_cast<double>(i) / (segments * 2);
        const double lx = x + std::sin(t * 3.2) * sway * t;
        const double ly = baseY - height * t;
        const double side = (i % 2 == 0) ? 1 : -1;
        cairo_move_to(cr, lx, ly);
        cairo_curve_to(cr, lx + side * width * 2.5, ly - width * 1.5, lx + side * width * 4.5,
                       ly - width * 3.5, lx + side * width * 5, ly - width * 6);
        cairo_curve_to(cr, lx + side * width * 2, ly - width * 4, lx + side * width * 0.5,
                       ly - width * 2, lx, ly);
        SetColor(cr, colour);
        cairo_fill(cr);
    }
}

void PaintCoral(cairo_t* cr, double x, double baseY, double size, Rgb colour, std::uint64_t seed)
{
    Rng rng(seed);
    // Branching tubes with rounded tips.
    struct Branch
    {
        double x, y, angle, len, width;
        int depth;
    };
    std::vector<Branch> stack{{x, baseY, -M_PI / 2, size * 0.45, size * 0.16, 0}};
    while (!stack.empty())
    {
        Branch b = stack.back();
        stack.pop_back();
        const double ex = b.x + std::cos(b.angle) * b.len;
        const double ey = b.y + std::sin(b.angle) * b.len;
        cairo_move_to(cr, b.x, b.y);
        cairo_line_to(cr, ex, ey);
        SetColor(cr, Darken(colour, 0.45));
        cairo_set_line_width(cr, b.width + 2.5);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
        cairo_move_to(cr, b.x, b.y);
        cairo_line_to(cr, ex, ey);
        SetColor(cr, colour);
        cairo_set_line_width(cr, b.width);
        cairo_stroke(cr);
        if (b.depth < 3)
        {
            for (int k = 0; k < 2; ++k)
            {
                stack.push_back({ex, ey, b.angle + (k == 0 ? -1 : 1) * rng.Range(0.3, 0.7),
                                 b.len * rng.Range(0.6, 0.8), b.width * 0.75, b.depth + 1});
            }
        }
        else
        {
            cairo_arc(cr, ex, ey, b.width * 0.7, 0, 2 * M_PI);
            SetColor(cr, Lighten(colour, 0.35));
            cairo_fill(cr);
        }
    }
}

void PaintShell(cairo_t* cr, double x, double y, double size, Rgb colour, double angle)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    // Scallop: a fan with ribs.
    cairo_move_to(cr, 0, size * 0.45);
    cairo_arc(cr, 0, 0, size * 0.5, M_PI * 1.05, M_PI * 1.95);
    cairo_close_path(cr);
    SetLinear(cr, 0, -size * 0.5, 0, size * 0.45, {{0, Lighten(colour, 0.4)}, {1, Darken(colour, 0.2)}});
    cairo_fill_preserve(cr);
    SetColor(cr, Darken(colour, 0.55));
    cairo_set_line_width(cr, std::max(1.0, size * 0.05));
    cairo_stroke(cr);
    for (int i = 1; i < 6; ++i)
    {
        const double a = M_PI * (1.05 + 0.9 * i / 6);
        cairo_move_to(cr, 0, size * 0.45);
        cairo_line_to(cr, std::cos(a) * size * 0.48, std::sin(a) * size * 0.48);
    }
    SetColor(cr, Darken(colour, 0.4), 0.7);
    cairo_set_line_width(cr, std::max(0.7, size * 0.035));
    cairo_stroke(cr);
    RoundedRect(cr, -size * 0.14, size * 0.35, size * 0.28, size * 0.14, size * 0.05);
    SetColor(cr, Darken(colour, 0.1));
    cairo_fill(cr);
    cairo_restore(cr);
}

void PaintSeaFan(cairo_t* cr, double x, double baseY, double size, Rgb colour, std::uint64_t seed)
{
    Rng rng(seed);
    // A fan of fine branches with a net between them.
    std::vector<std::pair<double, double>> tips;
    for (int i = 0; i < 9; ++i)
    {
        const double a = -M_PI / 2 + (i - 4) * 0.17 + rng.Range(-0.05, 0.05);
        const double len = size * rng.Range(0.8, 1.0);
        tips.push_back({x + std::cos(a) * len, baseY + std::sin(a) * len});
        cairo_move_to(cr, x, baseY);
        cairo_curve_to(cr, x + std::cos(a) * len * 0.3, baseY + std::sin(a) * len * 0.5,
                       x + std::cos(a) * len * 0.7, baseY + std::sin(a) * len * 0.8, tips.back().first,
                       tips.back().second);
    }
    SetColor(cr, colour);
    cairo_set_line_width(cr, std::max(1.2, size * 0.03));
    cairo_stroke(cr);
    for (double t = 0.35; t < 1.0; t += 0.16)
    {
        for (size_t i = 0; i + 1 < tips.size(); ++i)
        {
            cairo_move_to(cr, x + (tips[i].first - x) * t, baseY + (tips[i].second - baseY) * t);
            cairo_line_to(cr, x + (tips[i + 1].first - x) * t,
                          baseY + (tips[i + 1].second - baseY) * t);
        }
    }
    SetColor(cr, colour, 0.6);
    cairo_set_line_width(cr, std::max(0.7, size * 0.012));
    cairo_stroke(cr);
}

void PaintAreaDistance(Canvas& canvas, int area, const AreaLook& look)
{
    // Everything far is drawn on its own layer, softened, then laid over the water.
    Canvas far(canvas.Width(), canvas.Height());
    cairo_t* cr = far.Cr();
    const Rgb haze = Mix(look.silhouette, look.mid, 0.35);
    const Rgb hazeFar = Mix(look.silhouette, look.mid, 0.65);
    const Rgb glow = Hex(0xFFE6A0);
    Rng rng(static_cast<std::uint64_t>(area) * 977);
    switch (area)
    {
    case 1: // Deep town: rows of sunken houses
        for (int i = 0; i < 12; ++i)
        {
            const double x = -40 + i * 112 + rng.Range(-15, 15);
            const bool middle = x > 330 && x < 980;
            const double h = middle ? rng.Range(70, 120) : rng.Range(150, 260);
            House(cr, x, 640, rng.Range(80, 110), h, rng.Range(40, 60), rng.Range(-0.06, 0.06),
                  hazeFar, Darken(hazeFar, 0.1), glow, 0.18);
        }
        for (int i = 0; i < 7; ++i)
        {
            const double x = 10 + i * 200 + rng.Range(-30, 30);
            const bool middle = x > 330 && x < 980;
            const double h = middle ? rng.Range(80, 130) : rng.Range(180, 300);
            House(cr, x, 680, rng.Range(100, 140), h, rng.Range(50, 80), rng.Range(-0.08, 0.08),
                  haze, Darken(haze, 0.15), glow, 0.3);
        }
        break;
    case 2: // Lost ship: far rocks and the wreck
        for (int i = 0; i < 6; ++i)
        {
            RockArch(cr, -60 + i * 240 + rng.Range(-30, 30), 660, rng.Range(160, 240),
                     rng.Range(90, 160), hazeFar, rng.Next());
        }
        Hull(cr, haze, Darken(haze, 0.35), glow, 0.16);
        break;
    case 3: // Rocks: arches, kelp and sea fans
        RockArch(cr, 360, 660, 300, 170, hazeFar, 31);
        RockArch(cr, 820, 650, 260, 150, hazeFar, 32);
        RockArch(cr, 980, 680, 320, 420, haze, 33);
        RockArch(cr, 240, 690, 220, 300, haze, 34);
        for (int i = 0; i < 14; ++i)
        {
            const double x = rng.Range(0, 1280);
            const bool middle = x > 330 && x < 980;
            PaintKelp(cr, x, 700, middle ? rng.Range(120, 220) : rng.Range(250, 480),
                      rng.Range(15, 35), hazeFar, rng.Range(4, 7), rng.Next());
        }
        for (int i = 0; i < 4; ++i)
        {
            PaintSeaFan(cr, 1000 + i * 70, 420 + i * 40, 90, Mix(Hex(0xB070C0), haze, 0.5), rng.Next());
        }
        break;
    default: // Underwater castle: towers and banners under the moon
    {
        // The moon's glow through the water.
        SetRadial(cr, 980, 60, 10, 980, 60, 260,
                  {{0, Hex(0xF0F6FF), 0.55}, {0.3, Hex(0xC8DCFF), 0.25}, {1, Hex(0xC8DCFF), 0}});
        cairo_paint(cr);
        const Rgb wall = hazeFar;
        cairo_rectangle(cr, 560, 430, 620, 240);
        Fill(cr, wall);
        Tower(cr, 600, 670, 70, 360, wall, Darken(wall, 0.1), Mix(Hex(0xB03040), wall, 0.5), glow,
              0.22, true);
        Tower(cr, 760, 670, 90, 430, wall, Darken(wall, 0.1), Mix(Hex(0x3060B0), wall, 0.5), glow,
              0.22, true);
        Tower(cr, 920, 670, 80, 330, wall, Darken(wall, 0.1), Mix(Hex(0xB03040), wall, 0.5), glow,
              0.22, false);
        Tower(cr, 1080, 670, 100, 470, wall, Darken(wall, 0.1), Mix(Hex(0xE0B030), wall, 0.5), glow,
              0.22, true);
        Tower(cr, 1190, 670, 70, 300, wall, Darken(wall, 0.1), Mix(Hex(0x3060B0), wall, 0.5), glow,
              0.22, false);
        // Crenellated wall and a gate.
        for (int i = 0; i < 22; i += 2)
        {
            cairo_rectangle(cr, 560 + i * 28, 416, 28, 16);
        }
        Fill(cr, wall);
        cairo_move_to(cr, 820, 670);
        cairo_line_to(cr, 820, 590);
        cairo_arc(cr, 860, 590, 40, M_PI, 2 * M_PI);
        cairo_line_to(cr, 900, 670);
        cairo_close_path(cr);
        Fill(cr, Darken(wall, 0.3));
        // A ruined tower on the left.
        Tower(cr, 380, 680, 80, 260, haze, Darken(haze, 0.1), Mix(Hex(0xB03040), haze, 0.4), glow,
              0.25, true);
        break;
    }
    }
    far.Blur(2.0);
    Blit(canvas.Cr(), far, 0, 0);
}

void PaintAreaNear(Canvas& canvas, int area, const AreaLook& look)
{
    cairo_t* cr = canvas.Cr();
    const Rgb near = Mix(look.silhouette, look.deep, 0.45);
    Rng rng(static_cast<std::uint64_t>(area) * 389);
    // Tall shapes at the right side only; the left has the panel tablet.
    switch (area)
    {
    case 1:
        House(cr, 1110, 760, 150, 380, 90, 0.05, near, Darken(near, 0.2), Hex(0xFFD890), 0.45);
        break;
    case 2:
        RockArch(cr, 1080, 780, 240, 300, near, 77);
        break;
    case 3:
        RockArch(cr, 1050, 790, 260, 520, near, 78);
        break;
    default:
        Tower(cr, 1200, 790, 110, 520, near, Darken(near, 0.2), Hex(0x802030), Hex(0xFFE6A0), 0.4,
              true);
        break;
    }
    for (int i = 0; i < 5; ++i)
    {
        PaintKelp(cr, 1020 + i * 55 + rng.Range(-10, 10), 800, rng.Range(180, 360),
                  rng.Range(15, 30), Mix(Hex(0x1E4A2A), look.deep, 0.4), rng.Range(5, 8), rng.Next());
    }
}

void PaintForegroundStrip(Canvas& canvas, int area, const AreaLook& look)
{
    cairo_t* cr = canvas.Cr();
    const double w = canvas.Width();
    const double h = canvas.Height();
    Rng rng(static_cast<std::uint64_t>(area) * 5003);
    const Rgb sand = Darken(Mix(look.sand, look.deep, 0.35), 0.25);

    auto sideClump = [&](double x0, double x1, std::uint64_t seed)
    {
        Rng r(seed);
        const Rgb weed = Mix(Hex(0x2E6A32), look.deep, 0.3);
        for (int i = 0; i < 6; ++i)
        {
            PaintKelp(cr, r.Range(x0, x1), h, r.Range(90, 185), r.Range(10, 22),
                      Darken(weed, r.Range(0, 0.4)), r.Range(4, 7), r.Next());
        }
        // Rocks.
        for (int i = 0; i < 4; ++i)
        {
            const double cx = r.Range(x0, x1);
            const double rx = r.Range(30, 60);
            const double ry = r.Range(20, 40);
            Ellipse(cr, cx, h - 15, rx, ry);
            SetRadial(cr, cx - rx * 0.3, h - 15 - ry * 0.5, 2, cx, h - 15, rx,
                      {{0, Mix(Hex(0x6A7080), look.mid, 0.3)}, {1, Mix(Hex(0x1A2028), look.deep, 0.3)}});
            cairo_fill(cr);
        }
        switch (area)
        {
        case 1:
            PaintCoral(cr, r.Range(x0, x1), h - 30, 70, Hex(0xE0A040), r.Next());
            PaintShell(cr, r.Range(x0, x1), h - 28, 34, Hex(0xF0D0B0), r.Range(-0.4, 0.4));
            break;
        case 2:
        {
            // A barrel on its side and a plank.
            const double bx = r.Range(x0 + 40, x1 - 40);
            Ellipse(cr, bx, h - 40, 46, 30);
            SetLinear(cr, 0, h - 70, 0, h - 10, {{0, Hex(0x8A5A30)}, {1, Hex(0x3A2210)}});
            cairo_fill(cr);
            for (double dx : {-24.0, 24.0})
            {
                cairo_move_to(cr, bx + dx, h - 68);
                cairo_line_to(cr, bx + dx, h - 12);
            }
            SetColor(cr, Hex(0x2A2A30));
            cairo_set_line_width(cr, 4);
            cairo_stroke(cr);
            cairo_move_to(cr, x0, h - 30);
            cairo_line_to(cr, x1, h - 60);
            SetColor(cr, Hex(0x5A3A20));
            cairo_set_line_width(cr, 12);
            cairo_stroke(cr);
            break;
        }
        case 3:
            PaintCoral(cr, r.Range(x0, x1), h - 25, 90, Hex(0xF06A7A), r.Next());
            PaintSeaFan(cr, r.Range(x0, x1), h - 20, 110, Hex(0xA060D0), r.Next());
            PaintCoral(cr, r.Range(x0, x1), h - 20, 60, Hex(0xFF9A40), r.Next());
            break;
        default:
            // Fallen stone blocks with carving.
            for (int i = 0; i < 3; ++i)
            {
                const double bx = r.Range(x0, x1 - 60);
                RoundedRect(cr, bx, h - 60 - i * 10, 70, 45, 4);
                SetLinear(cr, 0, h - 70, 0, h, {{0, Hex(0x8A94B0)}, {1, Hex(0x2A3048)}});
                cairo_fill_preserve(cr);
                SetColor(cr, Hex(0x141828));
                cairo_set_line_width(cr, 2);
                cairo_stroke(cr);
            }
            PaintCoral(cr, r.Range(x0, x1), h - 30, 60, Hex(0x60C0E0), r.Next());
            break;
        }
    };

    sideClump(0, 250, 11);
    sideClump(1040, w, 12);

    // Sand band along the bottom, low in the middle.
    cairo_move_to(cr, 0, h);
    cairo_line_to(cr, 0, h - 70);
    cairo_curve_to(cr, 120, h - 80, 200, h - 50, 270, h - 42);
    for (double x = 270; x < 1000; x += 120)
    {
        cairo_curve_to(cr, x + 40, h - 44 + rng.Range(-4, 4), x + 80, h - 36 + rng.Range(-4, 4),
                       x + 120, h - 40 + rng.Range(-3, 3));
    }
    cairo_curve_to(cr, 1080, h - 50, 1180, h - 85, w, h - 75);
    cairo_line_to(cr, w, h);
    cairo_close_path(cr);
    SetLinear(cr, 0, h - 85, 0, h, {{0, sand}, {1, Darken(sand, 0.45)}});
    cairo_fill_preserve(cr);
    SetColor(cr, Lighten(sand, 0.25), 0.7);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // Pebbles and small shells.
    for (int i = 0; i < 60; ++i)
    {
        const double x = rng.Range(0, w);
        const double y = rng.Range(h - 30, h - 4);
        Ellipse(cr, x, y, rng.Range(2, 6), rng.Range(1.5, 4));
        SetColor(cr, rng.Uniform() < 0.5 ? Lighten(sand, 0.3) : Darken(sand, 0.35), 0.9);
        cairo_fill(cr);
    }
    for (int i = 0; i < 7; ++i)
    {
        const Rgb shell = i % 2 == 0 ? Hex(0xF2D6C0) : Hex(0xE8B0A0);
        PaintShell(cr, 300 + i * 105 + rng.Range(-20, 20), h - rng.Range(10, 24), rng.Range(12, 18),
                   shell, rng.Range(-0.5, 0.5));
    }
}

} // namespace AssetGen
