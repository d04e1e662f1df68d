// The falling objects, baskets, vazes, icons, bubbles, fish and markers.
// SPDX-License-Identifier: MIT
//
// Light comes from the upper left everywhere. Objects have a dark rim so that
// they stand out from the water at 70 × 70 and still read at 30 × 30.
#include "tools/assetgen/art_objects.h"

#include "tools/assetgen/font_book.h"
#include "tools/assetgen/generators.h"

#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace AssetGen
{

namespace
{

struct Pt
{
    double x;
    double y;
};

const Rgb kGoldLight = Hex(0xFFF3B0);
const Rgb kGold = Hex(0xF4BE3A);
const Rgb kGoldDark = Hex(0xA86A0C);
const Rgb kGoldRim = Hex(0x5C3806);
const Rgb kInk = Hex(0x1E1A2E);

// Unit direction of the light (upper left).
constexpr double kLightX = -0.6;
constexpr double kLightY = -0.8;

void PathFrom(cairo_t* cr, const std::vector<Pt>& pts)
{
    cairo_new_sub_path(cr);
    for (const Pt& p : pts)
    {
        cairo_line_to(cr, p.x, p.y);
    }
    cairo_close_path(cr);
}

// The outline of each jewel cut, as a polygon around (0, 0) of radius ~1.
std::vector<Pt> JewelOutline(int colour)
{
    std::vector<Pt> pts;
    switch (colour)
    {
    case 0: // round brilliant
        for (int i = 0; i < 14; ++i)
        {
            const double a = -M_PI / 2 + 2 * M_PI * i / 14;
            pts.push_back({std::cos(a), std::sin(a)});
        }
        break;
    case 1: // square emerald cut
    {
        const double a = 0.86;
        const double c = 0.26;
        pts = {{-a + c, -a}, {a - c, -a}, {a, -a + c}, {a, a - c},
               {a - c, a},   {-a + c, a}, {-a, a - c}, {-a, -a + c}};
        break;
    }
    case 2: // drop, point up
        for (int i = 0; i < 16; ++i)
        {
            const double t = 2 * M_PI * i / 16;
            pts.push_back({0.95 * std::sin(t) * std::sin(t / 2), -1.0 * std::cos(t) + 0.12});
        }
        break;
    case 3: // five-pointed star
        for (int i = 0; i < 10; ++i)
        {
            const double a = -M_PI / 2 + M_PI * i / 5;
            const double r = (i % 2 == 0) ? 1.08 : 0.5;
            pts.push_back({r * std::cos(a), r * std::sin(a) + 0.08});
        }
        break;
    case 4: // heart
        for (int i = 0; i < 20; ++i)
        {
            const double t = 2 * M_PI * i / 20;
            const double x = 16 * std::pow(std::sin(t), 3);
            const double y = -(13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) -
                               std::cos(4 * t));
            pts.push_back({x / 16.5, (y + 3) / 16.5});
        }
        break;
    default: // hexagon, flat top
        for (int i = 0; i < 6; ++i)
        {
            const double a = 2 * M_PI * i / 6;
            pts.push_back({0.98 * std::cos(a), 0.98 * std::sin(a)});
        }
        break;
    }
    return pts;
}

} // namespace

Palette JewelPalette(int colour)
{
    switch (colour)
    {
    case 0:
        return {Hex(0xFF9AA4), Hex(0xE3223E), Hex(0x6E0716)};
    case 1:
        return {Hex(0xA8F5B0), Hex(0x1FB04C), Hex(0x0A4E20)};
    case 2:
        return {Hex(0xA6C6FF), Hex(0x2C62EA), Hex(0x0C2470)};
    case 3:
        return {Hex(0xFFF4A6), Hex(0xFFC01A), Hex(0x945800)};
    case 4:
        return {Hex(0xFFA6EE), Hex(0xD42AB4), Hex(0x640856)};
    default:
        return {Hex(0xD4FFFF), Hex(0x30D2DC), Hex(0x0A5E70)};
    }
}

void DrawJewel(Canvas& canvas, int colour, double cx, double cy, double scale, bool glow)
{
    cairo_t* cr = canvas.Cr();
    const Palette pal = JewelPalette(colour);
    const double r = 29.0 * scale;
    std::vector<Pt> outer;
    for (const Pt& p : JewelOutline(colour))
    {
        outer.push_back({cx + p.x * r, cy + p.y * r});
    }
    // The table (top facet) sits a little towards the light.
    const double tableScale = colour == 3 ? 0.52 : 0.56;
    const Pt tableCentre{cx - 0.06 * r, cy - 0.06 * r + (colour == 3 ? 0.05 * r : 0.0)};
    std::vector<Pt> inner;
    for (const Pt& p : outer)
    {
        inner.push_back({tableCentre.x + (p.x - cx) * tableScale,
                         tableCentre.y + (p.y - cy) * tableScale});
    }
    if (glow)
    {
        SoftShadow(
            canvas, [&](cairo_t* c) { PathFrom(c, outer); }, pal.light, 0.75, 7 * scale, 0, 0);
        SoftShadow(
            canvas, [&](cairo_t* c) { PathFrom(c, outer); }, Hex(0x000814), 0.45, 3 * scale,
            1.5 * scale, 2.5 * scale);
    }
    // Crown facets between the outline and the table, shaded by their facing.
    const size_t n = outer.size();
    for (size_t i = 0; i < n; ++i)
    {
        const size_t j = (i + 1) % n;
        const double mx = (outer[i].x + outer[j].x) / 2 - cx;
        const double my = (outer[i].y + outer[j].y) / 2 - cy;
        const double len = std::hypot(mx, my);
        const double facing = len > 0 ? (mx * kLightX + my * kLightY) / len : 0;
        const double t = 0.5 + 0.5 * facing;
        const Rgb c = t > 0.5 ? Mix(pal.base, pal.light, (t - 0.5) * 1.6)
                              : Mix(pal.dark, pal.base, t * 2.0);
        cairo_move_to(cr, outer[i].x, outer[i].y);
        cairo_line_to(cr, outer[j].x, outer[j].y);
        cairo_line_to(cr, inner[j].x, inner[j].y);
        cairo_line_to(cr, inner[i].x, inner[i].y);
        cairo_close_path(cr);
        SetColor(cr, c);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 0.6 * scale);
        cairo_stroke(cr);
    }
    // Table with a soft gradient and a secondary star of facets.
    PathFrom(cr, inner);
    SetLinear(cr, tableCentre.x - r * 0.5, tableCentre.y - r * 0.5, tableCentre.x + r * 0.5,
              tableCentre.y + r * 0.5,
              {{0, Lighten(pal.light, 0.35)}, {0.45, pal.light}, {1, pal.base}});
    cairo_fill(cr);
    for (size_t i = 0; i < n; i += 2)
    {
        cairo_move_to(cr, tableCentre.x, tableCentre.y);
        cairo_line_to(cr, inner[i].x, inner[i].y);
    }
    SetColor(cr, Rgb{1, 1, 1}, 0.28);
    cairo_set_line_width(cr, 0.8 * scale);
    cairo_stroke(cr);
    // Facet edges catch the light.
    for (size_t i = 0; i < n; ++i)
    {
        cairo_move_to(cr, outer[i].x, outer[i].y);
        cairo_line_to(cr, inner[i].x, inner[i].y);
    }
    PathFrom(cr, inner);
    SetColor(cr, Rgb{1, 1, 1}, 0.45);
    cairo_set_line_width(cr, 0.9 * scale);
    cairo_stroke(cr);
    // Dark rim.
    PathFrom(cr, outer);
    SetColor(cr, Darken(pal.dark, 0.45));
    cairo_set_line_width(cr, 2.2 * scale);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    // Glint and sparkle.
    Ellipse(cr, cx - 0.3 * r, cy - 0.34 * r, 0.2 * r, 0.11 * r);
    SetColor(cr, Rgb{1, 1, 1}, 0.85);
    cairo_fill(cr);
    Star(cr, cx - 0.42 * r, cy - 0.42 * r, 0.36 * r, 0.07 * r, 4, 0);
    SetColor(cr, Rgb{1, 1, 1}, 0.95);
    cairo_fill(cr);
}

void DrawCoin(cairo_t* cr, double cx, double cy, double r)
{
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    SetRadial(cr, cx - r * 0.35, cy - r * 0.35, r * 0.1, cx, cy, r,
              {{0, kGoldLight}, {0.55, kGold}, {1, kGoldDark}});
    cairo_fill_preserve(cr);
    SetColor(cr, kGoldRim);
    cairo_set_line_width(cr, std::max(1.0, r * 0.09));
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, r * 0.74, 0, 2 * M_PI);
    SetLinear(cr, cx - r, cy - r, cx + r, cy + r, {{0, kGoldDark}, {1, kGoldLight}});
    cairo_set_line_width(cr, std::max(0.8, r * 0.08));
    cairo_stroke(cr);
    // Embossed star.
    Star(cr, cx, cy + r * 0.04, r * 0.46, r * 0.2, 5, -M_PI / 2);
    SetColor(cr, kGoldDark, 0.9);
    cairo_fill(cr);
    Star(cr, cx - r * 0.04, cy, r * 0.42, r * 0.18, 5, -M_PI / 2);
    SetColor(cr, Hex(0xFFE27A));
    cairo_fill(cr);
    // Shine.
    cairo_arc(cr, cx, cy, r * 0.86, M_PI * 1.05, M_PI * 1.45);
    SetColor(cr, Rgb{1, 1, 1}, 0.7);
    cairo_set_line_width(cr, std::max(0.8, r * 0.1));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

namespace
{

// A coin seen from the side at an angle: an ellipse with a thickness.
void DrawCoinTilted(cairo_t* cr, double cx, double cy, double rx, double ry, double thick)
{
    // Edge.
    cairo_new_path(cr);
    cairo_move_to(cr, cx - rx, cy);
    cairo_line_to(cr, cx - rx, cy + thick);
    cairo_save(cr);
    cairo_translate(cr, cx, cy + thick);
    cairo_scale(cr, rx, ry);
    cairo_arc_negative(cr, 0, 0, 1, M_PI, 0);
    cairo_restore(cr);
    cairo_line_to(cr, cx + rx, cy);
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, 0, M_PI);
    cairo_restore(cr);
    cairo_close_path(cr);
    SetLinear(cr, cx - rx, cy, cx + rx, cy, {{0, kGoldDark}, {0.4, kGold}, {1, kGoldDark}});
    cairo_fill_preserve(cr);
    SetColor(cr, kGoldRim);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // Face.
    Ellipse(cr, cx, cy, rx, ry);
    SetLinear(cr, cx - rx, cy - ry, cx + rx, cy + ry, {{0, kGoldLight}, {0.6, kGold}, {1, kGoldDark}});
    cairo_fill_preserve(cr);
    SetColor(cr, kGoldRim);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    Ellipse(cr, cx, cy, rx * 0.68, ry * 0.6);
    SetColor(cr, kGoldDark, 0.6);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
}

void Sparkle(cairo_t* cr, double x, double y, double size, double alpha = 0.95)
{
    Star(cr, x, y, size, size * 0.18, 4, 0);
    SetColor(cr, Rgb{1, 1, 1}, alpha);
    cairo_fill(cr);
    cairo_arc(cr, x, y, size * 0.22, 0, 2 * M_PI);
    SetColor(cr, Rgb{1, 1, 0.85}, alpha);
    cairo_fill(cr);
}

void GoldGlow(Canvas& canvas, double cx, double cy, double r)
{
    SoftShadow(
        canvas, [&](cairo_t* c) { cairo_arc(c, cx, cy, r, 0, 2 * M_PI); }, Hex(0xFFE070), 0.55, 8,
        0, 0);
}

// A gold bar (ingot) with its top face; (x, y) is the top-left of the top face.
void DrawIngot(cairo_t* cr, double x, double y, double w, double d, double h)
{
    // Front face.
    cairo_move_to(cr, x - d * 0.5, y + d);
    cairo_line_to(cr, x + w + d * 0.5, y + d);
    cairo_line_to(cr, x + w + d * 0.9, y + d + h);
    cairo_line_to(cr, x - d * 0.9, y + d + h);
    cairo_close_path(cr);
    SetLinear(cr, 0, y + d, 0, y + d + h, {{0, kGold}, {1, kGoldDark}});
    cairo_fill_preserve(cr);
    SetColor(cr, kGoldRim);
    cairo_set_line_width(cr, 1.3);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    // Top face.
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + w, y);
    cairo_line_to(cr, x + w + d * 0.5, y + d);
    cairo_line_to(cr, x - d * 0.5, y + d);
    cairo_close_path(cr);
    SetLinear(cr, x, y, x + w, y + d, {{0, kGoldLight}, {1, Hex(0xFFD866)}});
    cairo_fill_preserve(cr);
    SetColor(cr, kGoldRim);
    cairo_stroke(cr);
    // Stamp on the top.
    RoundedRect(cr, x + w * 0.3, y + d * 0.25, w * 0.4, d * 0.5, 1.5);
    SetColor(cr, kGoldDark, 0.6);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
}

void DrawGem(Canvas& canvas, int colour, double cx, double cy, double scale)
{
    DrawJewel(canvas, colour, cx, cy, scale, false);
}

} // namespace

void DrawGold(Canvas& canvas, int worth)
{
    cairo_t* cr = canvas.Cr();
    switch (worth)
    {
    case 1: // one coin
        GoldGlow(canvas, 35, 35, 20);
        SoftShadow(
            canvas, [](cairo_t* c) { cairo_arc(c, 35, 35, 21, 0, 2 * M_PI); }, kInk, 0.45, 3, 1.5,
            2.5);
        DrawCoin(cr, 35, 35, 21);
        Sparkle(cr, 24, 22, 7);
        break;
    case 2: // a stack of coins and one leaning
        GoldGlow(canvas, 35, 40, 24);
        for (int i = 0; i < 5; ++i)
        {
            DrawCoinTilted(cr, 30 + (i % 2) * 1.5, 56 - i * 6.5, 17, 6.5, 5);
        }
        DrawCoin(cr, 50, 44, 13);
        Sparkle(cr, 21, 24, 7);
        break;
    case 3: // three ingots
        GoldGlow(canvas, 35, 40, 26);
        DrawIngot(cr, 9, 40, 21, 7, 11);
        DrawIngot(cr, 38, 40, 21, 7, 11);
        DrawIngot(cr, 23, 24, 22, 7, 11);
        Sparkle(cr, 29, 26, 7);
        Sparkle(cr, 52, 43, 5);
        break;
    case 4: // a heap of coins with two gems
    {
        GoldGlow(canvas, 35, 42, 28);
        cairo_move_to(cr, 5, 60);
        cairo_curve_to(cr, 12, 30, 28, 16, 35, 16);
        cairo_curve_to(cr, 42, 16, 58, 30, 65, 60);
        cairo_close_path(cr);
        SetLinear(cr, 0, 16, 0, 60, {{0, kGold}, {1, kGoldDark}});
        cairo_fill_preserve(cr);
        SetColor(cr, kGoldRim);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        Rng rng(404);
        for (int i = 0; i < 22; ++i)
        {
            const double t = rng.Uniform();
            const double yy = 22 + 36 * t;
            const double half = 4 + 27 * t;
            DrawCoinTilted(cr, 35 + rng.Range(-half, half), yy, rng.Range(5, 7.5), rng.Range(2.2, 3.2),
                           1.5);
        }
        DrawGem(canvas, 0, 25, 40, 0.26);
        DrawGem(canvas, 2, 46, 47, 0.24);
        Sparkle(cr, 33, 20, 7);
        Sparkle(cr, 55, 33, 5);
        break;
    }
    case 5: // a crown
    {
        GoldGlow(canvas, 35, 38, 27);
        const double base = 54;
        cairo_move_to(cr, 10, base);
        cairo_line_to(cr, 7, 22);
        cairo_line_to(cr, 21, 36);
        cairo_line_to(cr, 35, 14);
        cairo_line_to(cr, 49, 36);
        cairo_line_to(cr, 63, 22);
        cairo_line_to(cr, 60, base);
        cairo_close_path(cr);
        SetLinear(cr, 0, 14, 0, base, {{0, kGoldLight}, {0.5, kGold}, {1, kGoldDark}});
        cairo_fill_preserve(cr);
        SetColor(cr, kGoldRim);
        cairo_set_line_width(cr, 1.8);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
        // Band.
        RoundedRect(cr, 8, 44, 54, 12, 3);
        SetLinear(cr, 0, 44, 0, 56, {{0, kGoldLight}, {1, kGoldDark}});
        cairo_fill_preserve(cr);
        SetColor(cr, kGoldRim);
        cairo_stroke(cr);
        for (const auto& [x, y] : {std::pair{7.0, 21.0}, {35.0, 13.0}, {63.0, 21.0}})
        {
            cairo_arc(cr, x, y, 4, 0, 2 * M_PI);
            SetRadial(cr, x - 1.5, y - 1.5, 0.5, x, y, 4, {{0, Rgb{1, 1, 1}}, {1, Hex(0xF2D9A0)}});
            cairo_fill_preserve(cr);
            SetColor(cr, kGoldRim);
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
        }
        DrawGem(canvas, 0, 35, 50, 0.19);
        DrawGem(canvas, 2, 20, 50, 0.15);
        DrawGem(canvas, 1, 50, 50, 0.15);
        DrawGem(canvas, 4, 35, 33, 0.16);
        Sparkle(cr, 18, 30, 6);
        break;
    }
    default: // an open chest spilling gold
    {
        GoldGlow(canvas, 35, 36, 30);
        // Lid (open, leaning back).
        cairo_move_to(cr, 10, 30);
        cairo_line_to(cr, 14, 10);
        cairo_curve_to(cr, 30, 4, 42, 4, 58, 10);
        cairo_line_to(cr, 60, 30);
        cairo_close_path(cr);
        SetLinear(cr, 0, 6, 0, 30, {{0, Hex(0x8A4A20)}, {1, Hex(0x4E240C)}});
        cairo_fill_preserve(cr);
        SetColor(cr, Hex(0x2A1206));
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        // Gold inside.
        cairo_move_to(cr, 8, 36);
        cairo_curve_to(cr, 16, 18, 54, 18, 62, 36);
        cairo_close_path(cr);
        SetLinear(cr, 0, 20, 0, 36, {{0, kGoldLight}, {1, kGold}});
        cairo_fill(cr);
        Rng rng(606);
        for (int i = 0; i < 12; ++i)
        {
            DrawCoinTilted(cr, rng.Range(14, 56), rng.Range(25, 34), 5, 2.2, 1.2);
        }
        DrawGem(canvas, 4, 24, 27, 0.2);
        DrawGem(canvas, 1, 45, 26, 0.2);
        // Body.
        RoundedRect(cr, 8, 34, 54, 28, 3);
        SetLinear(cr, 0, 34, 0, 62, {{0, Hex(0xA0582A)}, {1, Hex(0x5A2A10)}});
        cairo_fill_preserve(cr);
        SetColor(cr, Hex(0x2A1206));
        cairo_stroke(cr);
        // Wood planks and gold bands.
        for (double y : {43.0, 52.0})
        {
            cairo_move_to(cr, 9, y);
            cairo_line_to(cr, 61, y);
        }
        SetColor(cr, Hex(0x3A1A08), 0.6);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        for (double x : {12.0, 52.0})
        {
            RoundedRect(cr, x, 34, 6, 28, 1);
            SetLinear(cr, x, 0, x + 6, 0, {{0, kGoldLight}, {1, kGoldDark}});
            cairo_fill_preserve(cr);
            SetColor(cr, kGoldRim);
            cairo_stroke(cr);
        }
        RoundedRect(cr, 30, 40, 10, 12, 2);
        SetLinear(cr, 30, 40, 40, 52, {{0, kGoldLight}, {1, kGoldDark}});
        cairo_fill_preserve(cr);
        SetColor(cr, kGoldRim);
        cairo_stroke(cr);
        cairo_arc(cr, 35, 46, 1.8, 0, 2 * M_PI);
        SetColor(cr, Hex(0x2A1206));
        cairo_fill(cr);
        // Coins spilling in front.
        DrawCoinTilted(cr, 17, 63, 7, 2.8, 1.5);
        DrawCoinTilted(cr, 55, 64, 6, 2.5, 1.5);
        Sparkle(cr, 30, 21, 7);
        Sparkle(cr, 56, 15, 5);
        break;
    }
    }
}

namespace
{

const Rgb kJunkRim = Hex(0x1A1A18);

void Outline(cairo_t* cr, double width = 1.8)
{
    SetColor(cr, kJunkRim);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

void JunkShadow(Canvas& canvas, const std::function<void(cairo_t*)>& shape)
{
    SoftShadow(canvas, shape, Hex(0x000810), 0.5, 3, 1.5, 2.5);
}

void Weed(cairo_t* cr, double x, double y, double len, double bend)
{
    cairo_move_to(cr, x, y);
    cairo_curve_to(cr, x + bend, y - len * 0.3, x - bend, y - len * 0.7, x + bend * 0.5, y - len);
    SetColor(cr, Hex(0x4E7A2A), 0.9);
    cairo_set_line_width(cr, 2.2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

} // namespace

void DrawGarbage(Canvas& canvas, int kind)
{
    cairo_t* cr = canvas.Cr();
    switch (kind)
    {
    case 1: // dented tin can, open and bent lid
    {
        auto body = [](cairo_t* c)
        {
            cairo_move_to(c, 17, 20);
            cairo_line_to(c, 19, 58);
            cairo_curve_to(c, 28, 63, 44, 63, 53, 58);
            cairo_line_to(c, 54, 20);
            cairo_close_path(c);
        };
        JunkShadow(canvas, body);
        body(cr);
        SetLinear(cr, 17, 0, 54, 0,
                  {{0, Hex(0x6E7478)}, {0.3, Hex(0xD8DEE0)}, {0.55, Hex(0x9AA2A6)}, {1, Hex(0x4A5054)}});
        cairo_fill_preserve(cr);
        Outline(cr);
        // Faded label.
        cairo_move_to(cr, 18, 30);
        cairo_line_to(cr, 54, 30);
        cairo_line_to(cr, 54, 47);
        cairo_curve_to(cr, 44, 49, 28, 49, 18.5, 47);
        cairo_close_path(cr);
        SetLinear(cr, 18, 0, 54, 0, {{0, Hex(0x7A2E22)}, {0.35, Hex(0xC2684A)}, {1, Hex(0x5A2018)}});
        cairo_fill(cr);
        cairo_move_to(cr, 24, 39);
        cairo_line_to(cr, 40, 39);
        SetColor(cr, Hex(0xE8C890), 0.7);
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
        // Rust.
        Rng rng(101);
        for (int i = 0; i < 9; ++i)
        {
            cairo_arc(cr, rng.Range(20, 52), rng.Range(22, 58), rng.Range(1, 2.8), 0, 2 * M_PI);
            SetColor(cr, Hex(0x8A4A1A), 0.75);
            cairo_fill(cr);
        }
        // Dent.
        cairo_move_to(cr, 44, 50);
        cairo_curve_to(cr, 47, 53, 50, 52, 52, 49);
        SetColor(cr, kJunkRim, 0.6);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        // Opening and the bent lid.
        Ellipse(cr, 35.5, 20, 18.5, 5);
        SetColor(cr, Hex(0x2A2E30));
        cairo_fill_preserve(cr);
        Outline(cr, 1.5);
        cairo_move_to(cr, 48, 18);
        cairo_curve_to(cr, 56, 8, 62, 6, 64, 9);
        cairo_curve_to(cr, 60, 14, 56, 19, 52, 22);
        cairo_close_path(cr);
        SetLinear(cr, 48, 6, 64, 22, {{0, Hex(0xE0E6E8)}, {1, Hex(0x7A8286)}});
        cairo_fill_preserve(cr);
        Outline(cr, 1.4);
        Weed(cr, 20, 58, 16, 3);
        break;
    }
    case 2: // old boot with a hole
    {
        auto boot = [](cairo_t* c)
        {
            cairo_move_to(c, 20, 8);
            cairo_line_to(c, 42, 8);
            cairo_line_to(c, 42, 38);
            cairo_curve_to(c, 52, 40, 63, 44, 64, 52);
            cairo_line_to(c, 64, 58);
            cairo_line_to(c, 12, 58);
            cairo_line_to(c, 14, 40);
            cairo_close_path(c);
        };
        JunkShadow(canvas, boot);
        boot(cr);
        SetLinear(cr, 12, 8, 60, 58, {{0, Hex(0x8A5A34)}, {0.5, Hex(0x6A3E20)}, {1, Hex(0x3E2210)}});
        cairo_fill_preserve(cr);
        Outline(cr);
        // Sole.
        RoundedRect(cr, 10, 56, 56, 7, 2.5);
        SetColor(cr, Hex(0x2A1E16));
        cairo_fill_preserve(cr);
        Outline(cr, 1.2);
        // Top cuff.
        RoundedRect(cr, 18, 6, 26, 6, 2);
        SetColor(cr, Hex(0x4E2E16));
        cairo_fill_preserve(cr);
        Outline(cr, 1.2);
        // Laces.
        for (int i = 0; i < 4; ++i)
        {
            const double y = 16 + i * 6;
            cairo_move_to(cr, 33, y);
            cairo_line_to(cr, 41, y + 3);
            cairo_move_to(cr, 33, y + 3);
            cairo_line_to(cr, 41, y);
        }
        SetColor(cr, Hex(0xD8C8A0));
        cairo_set_line_width(cr, 1.3);
        cairo_stroke(cr);
        // Loose lace end.
        cairo_move_to(cr, 41, 14);
        cairo_curve_to(cr, 50, 10, 48, 22, 56, 18);
        cairo_stroke(cr);
        // Patch and hole.
        RoundedRect(cr, 17, 26, 10, 9, 1.5);
        SetColor(cr, Hex(0x5E6A3A));
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 0.8);
        SetColor(cr, Hex(0xD8C8A0));
        cairo_set_dash(cr, std::array<double, 2>{1.5, 1.5}.data(), 2, 0);
        cairo_stroke(cr);
        cairo_set_dash(cr, nullptr, 0, 0);
        Ellipse(cr, 52, 49, 4.5, 3);
        SetColor(cr, Hex(0x1A0E06));
        cairo_fill(cr);
        // Creases.
        cairo_move_to(cr, 16, 46);
        cairo_curve_to(cr, 24, 44, 30, 48, 36, 45);
        SetColor(cr, Hex(0x2A160A), 0.7);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        Weed(cr, 62, 56, 14, -3);
        break;
    }
    case 3: // murky bottle with a cork
    {
        cairo_save(cr);
        cairo_translate(cr, 35, 37);
        cairo_rotate(cr, 0.45);
        auto bottle = [](cairo_t* c)
        {
            cairo_move_to(c, -5, -30);
            cairo_line_to(c, 5, -30);
            cairo_line_to(c, 5, -17);
            cairo_curve_to(c, 13, -12, 13, -6, 13, 0);
            cairo_line_to(c, 13, 26);
            cairo_curve_to(c, 13, 30, -13, 30, -13, 26);
            cairo_line_to(c, -13, 0);
            cairo_curve_to(c, -13, -6, -13, -12, -5, -17);
            cairo_close_path(c);
        };
        cairo_restore(cr);
        SoftShadow(
            canvas,
            [&](cairo_t* c)
            {
                cairo_translate(c, 35, 37);
                cairo_rotate(c, 0.45);
                bottle(c);
            },
            Hex(0x000810), 0.5, 3, 1.5, 2.5);
        cairo_save(cr);
        cairo_translate(cr, 35, 37);
        cairo_rotate(cr, 0.45);
        bottle(cr);
        SetLinear(cr, -13, 0, 13, 0,
                  {{0, Hex(0x1E4A22)}, {0.3, Hex(0x5A9A4A)}, {0.6, Hex(0x2E6A2A)}, {1, Hex(0x153A18)}});
        cairo_fill_preserve(cr);
        Outline(cr);
        // Dirty water line inside.
        cairo_rectangle(cr, -12, 12, 24, 15);
        SetColor(cr, Hex(0x3A3A14), 0.45);
        cairo_fill(cr);
        // Torn label.
        cairo_move_to(cr, -12, 0);
        cairo_line_to(cr, 12, 0);
        cairo_line_to(cr, 12, 8);
        cairo_line_to(cr, 6, 11);
        cairo_line_to(cr, 2, 8);
        cairo_line_to(cr, -4, 12);
        cairo_line_to(cr, -12, 10);
        cairo_close_path(cr);
        SetColor(cr, Hex(0xCABF94));
        cairo_fill_preserve(cr);
        Outline(cr, 1);
        // Cork.
        RoundedRect(cr, -5, -36, 10, 8, 2);
        SetColor(cr, Hex(0xB07A48));
        cairo_fill_preserve(cr);
        Outline(cr, 1.2);
        // Glass shine.
        cairo_move_to(cr, -8, -4);
        cairo_line_to(cr, -8, 22);
        SetColor(cr, Rgb{1, 1, 1}, 0.45);
        cairo_set_line_width(cr, 2.5);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
        // A chip off the base.
        cairo_move_to(cr, 8, 29);
        cairo_line_to(cr, 13, 22);
        cairo_line_to(cr, 13, 29);
        cairo_close_path(cr);
        SetColor(cr, Hex(0x0E2A10));
        cairo_fill(cr);
        cairo_restore(cr);
        break;
    }
    case 4: // fish bone
    {
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        // Ribs.
        for (int i = 0; i < 5; ++i)
        {
            const double x = 24 + i * 6.5;
            const double h = 13 - i * 1.3;
            cairo_move_to(cr, x, 35);
            cairo_curve_to(cr, x + 1, 35 - h * 0.5, x + 3, 35 - h, x + 4, 35 - h);
            cairo_move_to(cr, x, 35);
            cairo_curve_to(cr, x + 1, 35 + h * 0.5, x + 3, 35 + h, x + 4, 35 + h);
        }
        cairo_move_to(cr, 14, 35);
        cairo_line_to(cr, 56, 35);
        SetColor(cr, kJunkRim);
        cairo_set_line_width(cr, 5);
        cairo_stroke_preserve(cr);
        SetColor(cr, Hex(0xEDE8D8));
        cairo_set_line_width(cr, 2.6);
        cairo_stroke(cr);
        // Tail.
        cairo_move_to(cr, 54, 35);
        cairo_line_to(cr, 66, 24);
        cairo_line_to(cr, 63, 35);
        cairo_line_to(cr, 66, 46);
        cairo_close_path(cr);
        SetColor(cr, Hex(0xE2DCC8));
        cairo_fill_preserve(cr);
        Outline(cr, 1.6);
        // Head.
        cairo_move_to(cr, 19, 22);
        cairo_curve_to(cr, 8, 24, 3, 31, 3, 36);
        cairo_curve_to(cr, 5, 42, 10, 47, 19, 48);
        cairo_curve_to(cr, 22, 40, 22, 30, 19, 22);
        cairo_close_path(cr);
        SetLinear(cr, 3, 22, 21, 48, {{0, Hex(0xF6F2E4)}, {1, Hex(0xB8B09A)}});
        cairo_fill_preserve(cr);
        Outline(cr, 1.8);
        cairo_arc(cr, 12, 32, 3, 0, 2 * M_PI);
        SetColor(cr, Hex(0x2A2A28));
        cairo_fill(cr);
        cairo_move_to(cr, 4, 38);
        cairo_line_to(cr, 10, 39);
        SetColor(cr, kJunkRim);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        break;
    }
    case 5: // old tyre
    {
        auto ring = [](cairo_t* c)
        {
            cairo_arc(c, 35, 35, 27, 0, 2 * M_PI);
            cairo_new_sub_path(c);
            cairo_arc_negative(c, 35, 35, 12, 2 * M_PI, 0);
        };
        JunkShadow(canvas, ring);
        // Tread blocks.
        for (int i = 0; i < 20; ++i)
        {
            const double a = 2 * M_PI * i / 20;
            cairo_save(cr);
            cairo_translate(cr, 35 + 26 * std::cos(a), 35 + 26 * std::sin(a));
            cairo_rotate(cr, a);
            cairo_rectangle(cr, -2.5, -3.5, 5, 7);
            cairo_restore(cr);
        }
        SetColor(cr, Hex(0x1A1A1C));
        cairo_fill(cr);
        ring(cr);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        SetRadial(cr, 30, 30, 8, 35, 35, 27,
                  {{0, Hex(0x5A5A60)}, {0.5, Hex(0x3A3A40)}, {1, Hex(0x18181A)}});
        cairo_fill_preserve(cr);
        Outline(cr, 1.6);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
        // Rim groove and highlights.
        cairo_arc(cr, 35, 35, 18, 0, 2 * M_PI);
        SetColor(cr, Hex(0x101012), 0.8);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        cairo_arc(cr, 35, 35, 22, M_PI * 1.1, M_PI * 1.5);
        SetColor(cr, Rgb{1, 1, 1}, 0.35);
        cairo_set_line_width(cr, 3);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
        // Algae.
        Rng rng(505);
        for (int i = 0; i < 6; ++i)
        {
            const double a = rng.Range(0.2, 2.8);
            cairo_arc(cr, 35 + 24 * std::cos(a), 35 + 24 * std::sin(a), rng.Range(2, 3.5), 0,
                      2 * M_PI);
            SetColor(cr, Hex(0x4E7A2A), 0.8);
            cairo_fill(cr);
        }
        break;
    }
    default: // broken clay pot
    {
        auto pot = [](cairo_t* c)
        {
            cairo_move_to(c, 20, 14);
            cairo_line_to(c, 27, 18);
            cairo_line_to(c, 31, 12);
            cairo_line_to(c, 38, 19);
            cairo_line_to(c, 44, 13);
            cairo_line_to(c, 50, 14);
            cairo_curve_to(c, 49, 20, 62, 28, 61, 42);
            cairo_curve_to(c, 60, 54, 50, 62, 35, 62);
            cairo_curve_to(c, 20, 62, 10, 54, 9, 42);
            cairo_curve_to(c, 8, 28, 21, 20, 20, 14);
            cairo_close_path(c);
        };
        JunkShadow(canvas, pot);
        pot(cr);
        SetLinear(cr, 9, 0, 61, 0, {{0, Hex(0x8A4222)}, {0.35, Hex(0xD07A48)}, {1, Hex(0x5E2A14)}});
        cairo_fill_preserve(cr);
        Outline(cr);
        // Inside shows through the broken rim.
        cairo_move_to(cr, 21, 15);
        cairo_line_to(cr, 27, 19);
        cairo_line_to(cr, 31, 13);
        cairo_line_to(cr, 38, 20);
        cairo_line_to(cr, 44, 14);
        cairo_line_to(cr, 49, 15);
        cairo_curve_to(cr, 44, 22, 26, 22, 21, 15);
        cairo_close_path(cr);
        SetColor(cr, Hex(0x3A1A0C));
        cairo_fill(cr);
        // Painted band, faded.
        cairo_move_to(cr, 11, 38);
        cairo_curve_to(cr, 25, 42, 45, 42, 59, 38);
        SetColor(cr, Hex(0x2A3A4A), 0.6);
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
        // Cracks.
        cairo_move_to(cr, 31, 14);
        cairo_line_to(cr, 29, 26);
        cairo_line_to(cr, 33, 33);
        cairo_line_to(cr, 30, 45);
        cairo_move_to(cr, 33, 33);
        cairo_line_to(cr, 40, 38);
        SetColor(cr, kJunkRim);
        cairo_set_line_width(cr, 1.3);
        cairo_stroke(cr);
        // A shard lying beside.
        cairo_move_to(cr, 52, 58);
        cairo_line_to(cr, 64, 55);
        cairo_line_to(cr, 66, 64);
        cairo_line_to(cr, 55, 66);
        cairo_close_path(cr);
        SetColor(cr, Hex(0xB0643A));
        cairo_fill_preserve(cr);
        Outline(cr, 1.3);
        break;
    }
    }
}

namespace
{

// The glassy bubble every artefact floats in.
void ArtefactBubbleBack(Canvas& canvas)
{
    cairo_t* cr = canvas.Cr();
    SoftShadow(
        canvas, [](cairo_t* c) { cairo_arc(c, 35, 35, 31, 0, 2 * M_PI); }, Hex(0xB8FFF4), 0.55, 5,
        0, 0);
    cairo_arc(cr, 35, 35, 31, 0, 2 * M_PI);
    SetRadial(cr, 30, 28, 4, 35, 35, 31,
              {{0, Hex(0x2E6E8A), 0.55}, {0.75, Hex(0x1A4A6E), 0.62}, {1, Hex(0x7FE8F0), 0.85}});
    cairo_fill(cr);
}

void ArtefactBubbleFront(Canvas& canvas)
{
    cairo_t* cr = canvas.Cr();
    // Gold ring with a dark edge marks it as magic.
    cairo_arc(cr, 35, 35, 31.5, 0, 2 * M_PI);
    SetColor(cr, Hex(0x2A1A04));
    cairo_set_line_width(cr, 3.2);
    cairo_stroke(cr);
    cairo_arc(cr, 35, 35, 31.5, 0, 2 * M_PI);
    SetLinear(cr, 5, 5, 65, 65, {{0, kGoldLight}, {0.5, kGold}, {1, kGoldDark}});
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
    // Glass reflections.
    cairo_arc(cr, 35, 35, 26, M_PI * 1.08, M_PI * 1.42);
    SetColor(cr, Rgb{1, 1, 1}, 0.75);
    cairo_set_line_width(cr, 3.5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    cairo_arc(cr, 35, 35, 26, M_PI * 0.15, M_PI * 0.3);
    SetColor(cr, Rgb{1, 1, 1}, 0.35);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

void IconStroke(cairo_t* cr, double w)
{
    SetColor(cr, Hex(0x10141E));
    cairo_set_line_width(cr, w);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

void Chevron(cairo_t* cr, double cx, double cy, double w, double h, bool up, Rgb light, Rgb dark)
{
    const double t = h * 0.5;
    const double d = up ? 1.0 : -1.0;
    auto py = [&](double y) { return cy + d * y; };
    cairo_move_to(cr, cx - w, py(0.25 * h));
    cairo_line_to(cr, cx, py(-0.55 * h));
    cairo_line_to(cr, cx + w, py(0.25 * h));
    cairo_line_to(cr, cx + w, py(0.25 * h + t));
    cairo_line_to(cr, cx, py(-0.55 * h + t));
    cairo_line_to(cr, cx - w, py(0.25 * h + t));
    cairo_close_path(cr);
    SetLinear(cr, 0, cy - h, 0, cy + h, {{0, up ? light : dark}, {1, up ? dark : light}});
    cairo_fill_preserve(cr);
    IconStroke(cr, 1.6);
}

void ClockFace(cairo_t* cr, double cx, double cy, double r, Rgb rim, Rgb face)
{
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    SetRadial(cr, cx - r * 0.3, cy - r * 0.3, 1, cx, cy, r, {{0, Rgb{1, 1, 1}}, {1, face}});
    cairo_fill_preserve(cr);
    SetColor(cr, rim);
    cairo_set_line_width(cr, 3);
    cairo_stroke_preserve(cr);
    IconStroke(cr, 1.0);
    for (int i = 0; i < 12; ++i)
    {
        const double a = 2 * M_PI * i / 12;
        const double inner = i % 3 == 0 ? r * 0.7 : r * 0.8;
        cairo_move_to(cr, cx + inner * std::cos(a), cy + inner * std::sin(a));
        cairo_line_to(cr, cx + r * 0.88 * std::cos(a), cy + r * 0.88 * std::sin(a));
    }
    SetColor(cr, Hex(0x30384A));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx, cy - r * 0.62);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx + r * 0.45, cy + r * 0.12);
    SetColor(cr, Hex(0x1A2030));
    cairo_set_line_width(cr, 2.2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, 1.8, 0, 2 * M_PI);
    SetColor(cr, Hex(0xC02020));
    cairo_fill(cr);
}

void PlusBadge(cairo_t* cr, double cx, double cy, double r, Rgb fill)
{
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    SetRadial(cr, cx - r * 0.3, cy - r * 0.3, 1, cx, cy, r, {{0, Lighten(fill, 0.5)}, {1, fill}});
    cairo_fill_preserve(cr);
    IconStroke(cr, 1.4);
    cairo_move_to(cr, cx - r * 0.55, cy);
    cairo_line_to(cr, cx + r * 0.55, cy);
    cairo_move_to(cr, cx, cy - r * 0.55);
    cairo_line_to(cr, cx, cy + r * 0.55);
    SetColor(cr, Rgb{1, 1, 1});
    cairo_set_line_width(cr, r * 0.38);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

void Snowflake(cairo_t* cr, double cx, double cy, double r, Rgb color, double width)
{
    for (int i = 0; i < 6; ++i)
    {
        const double a = M_PI / 2 + M_PI * i / 3;
        const double ex = cx + r * std::cos(a);
        const double ey = cy + r * std::sin(a);
        cairo_move_to(cr, cx, cy);
        cairo_line_to(cr, ex, ey);
        for (double t : {0.5, 0.75})
        {
            const double px = cx + r * t * std::cos(a);
            const double py = cy + r * t * std::sin(a);
            for (double s : {-1.0, 1.0})
            {
                const double b = a + s * 0.7;
                cairo_move_to(cr, px, py);
                cairo_line_to(cr, px + r * 0.28 * std::cos(b), py + r * 0.28 * std::sin(b));
            }
        }
    }
    SetColor(cr, color);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

void CurvedArrow(cairo_t* cr, double cx, double cy, double r, double a0, double a1, Rgb color)
{
    cairo_arc(cr, cx, cy, r, a0, a1);
    SetColor(cr, Hex(0x10141E));
    cairo_set_line_width(cr, 6.5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, r, a0, a1);
    SetColor(cr, color);
    cairo_set_line_width(cr, 3.8);
    cairo_stroke(cr);
    // Head at a1, pointing along the circle.
    const double hx = cx + r * std::cos(a1);
    const double hy = cy + r * std::sin(a1);
    const double tx = -std::sin(a1);
    const double ty = std::cos(a1);
    const double nx = std::cos(a1);
    const double ny = std::sin(a1);
    cairo_move_to(cr, hx + tx * 7, hy + ty * 7);
    cairo_line_to(cr, hx + nx * 6, hy + ny * 6);
    cairo_line_to(cr, hx - nx * 6, hy - ny * 6);
    cairo_close_path(cr);
    SetColor(cr, color);
    cairo_fill_preserve(cr);
    IconStroke(cr, 1.3);
}

void DrawArtefactIcon(Canvas& canvas, const std::string& name)
{
    cairo_t* cr = canvas.Cr();
    if (name == "health_kit")
    {
        RoundedRect(cr, 28, 13, 14, 8, 3);
        IconStroke(cr, 4.5);
        RoundedRect(cr, 28, 13, 14, 8, 3);
        SetColor(cr, Hex(0xD8DCE0));
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
        RoundedRect(cr, 15, 19, 40, 32, 5);
        SetLinear(cr, 0, 19, 0, 51, {{0, Rgb{1, 1, 1}}, {1, Hex(0xC8D0D8)}});
        cairo_fill_preserve(cr);
        IconStroke(cr, 2);
        cairo_rectangle(cr, 30, 24, 10, 22);
        cairo_rectangle(cr, 24, 30, 22, 10);
        SetColor(cr, Hex(0xE02028));
        cairo_fill(cr);
    }
    else if (name == "speed_up")
    {
        Chevron(cr, 35, 27, 17, 14, true, Hex(0xB8FF8A), Hex(0x1E9A2A));
        Chevron(cr, 35, 43, 17, 14, true, Hex(0xB8FF8A), Hex(0x1E9A2A));
    }
    else if (name == "speed_down")
    {
        Chevron(cr, 35, 27, 17, 14, false, Hex(0xFFD08A), Hex(0xD0481A));
        Chevron(cr, 35, 43, 17, 14, false, Hex(0xFFD08A), Hex(0xD0481A));
    }
    else if (name == "trash2zeve")
    {
        CurvedArrow(cr, 35, 35, 18, M_PI * 0.95, M_PI * 1.75, Hex(0x5AD84A));
        CurvedArrow(cr, 35, 35, 18, M_PI * -0.05, M_PI * 0.75, Hex(0x5AD84A));
        DrawCoin(cr, 35, 35, 10);
    }
    else if (name == "zeve2jewel")
    {
        DrawCoin(cr, 20, 37, 10);
        cairo_move_to(cr, 30, 37);
        cairo_line_to(cr, 40, 37);
        IconStroke(cr, 6);
        cairo_move_to(cr, 30, 37);
        cairo_line_to(cr, 40, 37);
        SetColor(cr, Rgb{1, 1, 1});
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
        cairo_move_to(cr, 38, 31);
        cairo_line_to(cr, 45, 37);
        cairo_line_to(cr, 38, 43);
        cairo_close_path(cr);
        SetColor(cr, Rgb{1, 1, 1});
        cairo_fill_preserve(cr);
        IconStroke(cr, 1.2);
        DrawJewel(canvas, 2, 52, 37, 0.3, false);
    }
    else if (name == "time")
    {
        ClockFace(cr, 32, 33, 17, Hex(0x2E7AD0), Hex(0xDCEBFA));
        PlusBadge(cr, 48, 48, 9, Hex(0x22A83A));
    }
    else if (name == "magic_palka")
    {
        cairo_move_to(cr, 18, 53);
        cairo_line_to(cr, 46, 25);
        IconStroke(cr, 8);
        cairo_move_to(cr, 18, 53);
        cairo_line_to(cr, 46, 25);
        SetColor(cr, Hex(0x3A2A5A));
        cairo_set_line_width(cr, 5);
        cairo_stroke(cr);
        cairo_move_to(cr, 41, 30);
        cairo_line_to(cr, 46, 25);
        SetColor(cr, Rgb{1, 1, 1});
        cairo_set_line_width(cr, 5);
        cairo_stroke(cr);
        Star(cr, 49, 21, 10, 4, 5, -M_PI / 2);
        SetColor(cr, Hex(0xFFE040));
        cairo_fill_preserve(cr);
        IconStroke(cr, 1.2);
        Sparkle(cr, 30, 20, 5);
        Sparkle(cr, 56, 38, 4.5);
        Sparkle(cr, 40, 13, 3.5);
    }
    else if (name == "extra_line")
    {
        for (int i = 0; i < 3; ++i)
        {
            DrawJewel(canvas, i == 0 ? 0 : (i == 1 ? 1 : 2), 20 + i * 12, 44, 0.2, false);
        }
        PlusBadge(cr, 35, 24, 10, Hex(0x22A83A));
    }
    else if (name == "time_freeze")
    {
        ClockFace(cr, 35, 35, 19, Hex(0x6AB8E8), Hex(0xC8E8FF));
        cairo_arc(cr, 35, 35, 19, 0, 2 * M_PI);
        SetColor(cr, Hex(0xCFF4FF), 0.45);
        cairo_fill(cr);
        Snowflake(cr, 35, 35, 15, Hex(0x1A4A7A), 3.4);
        Snowflake(cr, 35, 35, 15, Rgb{1, 1, 1}, 1.6);
    }
    else // dynamit
    {
        cairo_save(cr);
        cairo_translate(cr, 34, 40);
        cairo_rotate(cr, -0.5);
        RoundedRect(cr, -9, -17, 18, 34, 3);
        SetLinear(cr, -9, 0, 9, 0, {{0, Hex(0x8A0E0E)}, {0.35, Hex(0xF04A3A)}, {1, Hex(0x6A0808)}});
        cairo_fill_preserve(cr);
        IconStroke(cr, 1.8);
        for (double y : {-8.0, 8.0})
        {
            cairo_rectangle(cr, -9, y - 2, 18, 4);
        }
        SetColor(cr, Hex(0x2A2A2A), 0.85);
        cairo_fill(cr);
        RoundedRect(cr, -9, -19, 18, 5, 2);
        SetColor(cr, Hex(0xE8D8B0));
        cairo_fill_preserve(cr);
        IconStroke(cr, 1.2);
        cairo_move_to(cr, 0, -19);
        cairo_curve_to(cr, 3, -26, 10, -24, 12, -30);
        SetColor(cr, Hex(0x3A3024));
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        cairo_restore(cr);
        // Spark at the end of the fuse.
        const double sx = 34 + 12 * std::cos(-0.5) + 30 * std::sin(-0.5);
        const double sy = 40 + 12 * std::sin(-0.5) - 30 * std::cos(-0.5);
        Star(cr, sx, sy, 9, 3.5, 6, 0.3);
        SetColor(cr, Hex(0xFFB020));
        cairo_fill(cr);
        Star(cr, sx, sy, 5, 2, 6, 0);
        SetColor(cr, Hex(0xFFF6B0));
        cairo_fill(cr);
    }
}

} // namespace

void DrawBasket(Canvas& canvas, int size)
{
    cairo_t* cr = canvas.Cr();
    // Sizes 1, 2, 4: wider and richer baskets.
    const double w = size == 1 ? 70 : (size == 2 ? 82 : 93);
    const double x0 = (95 - w) / 2;
    const double top = 7;
    const double bottom = 31;
    const Rgb wicker = size == 4 ? Hex(0xC8843A) : (size == 2 ? Hex(0xB07A40) : Hex(0xC89A5A));
    auto body = [&](cairo_t* c)
    {
        cairo_move_to(c, x0, top + 2);
        cairo_line_to(c, x0 + w, top + 2);
        cairo_curve_to(c, x0 + w - 2, bottom - 6, x0 + w - 6, bottom, x0 + w - 10, bottom);
        cairo_line_to(c, x0 + 10, bottom);
        cairo_curve_to(c, x0 + 6, bottom, x0 + 2, bottom - 6, x0, top + 2);
        cairo_close_path(c);
    };
    body(cr);
    SetLinear(cr, 0, top, 0, bottom, {{0, Lighten(wicker, 0.15)}, {1, Darken(wicker, 0.35)}});
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip(cr);
    // Weave: rows of staggered ovals.
    for (int row = 0; row < 4; ++row)
    {
        const double y = top + 5 + row * 6.2;
        for (double x = x0 - 4 + (row % 2) * 4.5; x < x0 + w + 4; x += 9)
        {
            Ellipse(cr, x, y, 4.2, 2.6);
            SetColor(cr, Lighten(wicker, 0.28), 0.9);
            cairo_fill_preserve(cr);
            SetColor(cr, Darken(wicker, 0.5), 0.8);
            cairo_set_line_width(cr, 0.8);
            cairo_stroke(cr);
        }
    }
    cairo_restore(cr);
    if (size >= 2)
    {
        // Brass bands.
        for (double y : {15.5, 25.5})
        {
            cairo_move_to(cr, x0 + 2 + (y - top) * 0.15, y);
            cairo_line_to(cr, x0 + w - 2 - (y - top) * 0.15, y);
        }
        SetColor(cr, Hex(0x3A2206));
        cairo_set_line_width(cr, 3.4);
        cairo_stroke(cr);
        for (double y : {15.5, 25.5})
        {
            cairo_move_to(cr, x0 + 2 + (y - top) * 0.15, y);
            cairo_line_to(cr, x0 + w - 2 - (y - top) * 0.15, y);
        }
        SetColor(cr, size == 4 ? kGold : Hex(0xC89A50));
        cairo_set_line_width(cr, 1.8);
        cairo_stroke(cr);
    }
    body(cr);
    SetColor(cr, Hex(0x2A1808));
    cairo_set_line_width(cr, 1.6);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    // Rim with the dark opening.
    RoundedRect(cr, x0 - 1.5, top - 3, w + 3, 7, 3.5);
    SetLinear(cr, 0, top - 3, 0, top + 4,
              {{0, size == 4 ? kGoldLight : Lighten(wicker, 0.35)},
               {1, size == 4 ? kGoldDark : Darken(wicker, 0.2)}});
    cairo_fill_preserve(cr);
    SetColor(cr, Hex(0x2A1808));
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    if (size == 4)
    {
        DrawJewel(canvas, 0, 47.5, 20.5, 0.17, false);
        DrawJewel(canvas, 2, 47.5 - 24, 20.5, 0.13, false);
        DrawJewel(canvas, 1, 47.5 + 24, 20.5, 0.13, false);
    }
}

namespace
{

void DrawBubble(Canvas& canvas, double d)
{
    cairo_t* cr = canvas.Cr();
    const double c = canvas.Width() / 2.0;
    const double r = d / 2 - 0.8;
    cairo_arc(cr, c, c, r, 0, 2 * M_PI);
    SetRadial(cr, c, c, 0, c, c, r,
              {{0, Hex(0xBFEFFF), 0.08}, {0.75, Hex(0xBFEFFF), 0.22}, {1, Hex(0xE8FFFF), 0.85}});
    cairo_fill(cr);
    cairo_arc(cr, c, c, r, 0, 2 * M_PI);
    SetColor(cr, Hex(0xE8FFFF), 0.9);
    cairo_set_line_width(cr, std::max(0.8, d / 16));
    cairo_stroke(cr);
    Ellipse(cr, c - r * 0.38, c - r * 0.4, r * 0.3, r * 0.2);
    SetColor(cr, Rgb{1, 1, 1}, 0.95);
    cairo_fill(cr);
    cairo_arc(cr, c + r * 0.35, c + r * 0.42, r * 0.1, 0, 2 * M_PI);
    SetColor(cr, Rgb{1, 1, 1}, 0.6);
    cairo_fill(cr);
}

void DrawFish(Canvas& canvas)
{
    cairo_t* cr = canvas.Cr();
    // Facing left; body, tail and fins.
    auto body = [](cairo_t* c)
    {
        cairo_move_to(c, 3, 10);
        cairo_curve_to(c, 10, 1.5, 30, 1, 44, 8);
        cairo_line_to(c, 57, 2);
        cairo_curve_to(c, 55, 8, 55, 12, 57, 18);
        cairo_line_to(c, 44, 12);
        cairo_curve_to(c, 30, 19, 10, 18.5, 3, 10);
        cairo_close_path(c);
    };
    body(cr);
    SetLinear(cr, 0, 2, 0, 18, {{0, Hex(0xFFC060)}, {0.5, Hex(0xFF8A2A)}, {1, Hex(0xC85018)}});
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip(cr);
    for (double x : {18.0, 30.0})
    {
        cairo_move_to(cr, x, 0);
        cairo_curve_to(cr, x + 3, 7, x + 3, 13, x, 20);
        cairo_line_to(cr, x + 4, 20);
        cairo_curve_to(cr, x + 7, 13, x + 7, 7, x + 4, 0);
        cairo_close_path(cr);
    }
    SetColor(cr, Hex(0xFFF4E0), 0.95);
    cairo_fill(cr);
    cairo_restore(cr);
    body(cr);
    SetColor(cr, Hex(0x4A1A06));
    cairo_set_line_width(cr, 1.2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    // Fin.
    cairo_move_to(cr, 24, 4);
    cairo_curve_to(cr, 28, 0, 34, 0, 38, 5);
    SetColor(cr, Hex(0xE06A20));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // Eye.
    cairo_arc(cr, 10, 8.5, 2.4, 0, 2 * M_PI);
    SetColor(cr, Rgb{1, 1, 1});
    cairo_fill(cr);
    cairo_arc(cr, 9.6, 8.6, 1.3, 0, 2 * M_PI);
    SetColor(cr, Hex(0x101010));
    cairo_fill(cr);
}

void DrawSnow(Canvas& canvas)
{
    cairo_t* cr = canvas.Cr();
    SoftShadow(
        canvas, [](cairo_t* c) { RoundedRect(c, 8, 6, 84, 48, 20); }, Hex(0xE8F8FF), 0.7, 6, 0, 0);
    RoundedRect(cr, 12, 10, 76, 40, 16);
    SetLinear(cr, 0, 10, 0, 50, {{0, Hex(0xFFFFFF), 0.35}, {1, Hex(0xBFE8FF), 0.3}});
    cairo_fill(cr);
    // Icicles along the top edge.
    Rng rng(777);
    for (double x = 14; x < 88; x += rng.Range(6, 10))
    {
        const double len = rng.Range(5, 12);
        cairo_move_to(cr, x - 3, 7);
        cairo_line_to(cr, x + 3, 7);
        cairo_line_to(cr, x, 7 + len);
        cairo_close_path(cr);
        SetColor(cr, Hex(0xF0FCFF), 0.85);
        cairo_fill_preserve(cr);
        SetColor(cr, Hex(0x7AB8E0), 0.8);
        cairo_set_line_width(cr, 0.7);
        cairo_stroke(cr);
    }
    RoundedRect(cr, 6, 3, 88, 6, 3);
    SetColor(cr, Rgb{1, 1, 1}, 0.9);
    cairo_fill(cr);
    Snowflake(cr, 16, 42, 7, Hex(0x5A9AD0), 2.4);
    Snowflake(cr, 16, 42, 7, Rgb{1, 1, 1}, 1.1);
    Snowflake(cr, 85, 40, 8, Hex(0x5A9AD0), 2.4);
    Snowflake(cr, 85, 40, 8, Rgb{1, 1, 1}, 1.1);
    Snowflake(cr, 50, 53, 4, Rgb{1, 1, 1}, 1);
    for (int i = 0; i < 14; ++i)
    {
        cairo_arc(cr, rng.Range(10, 90), rng.Range(12, 55), rng.Range(0.6, 1.4), 0, 2 * M_PI);
        SetColor(cr, Rgb{1, 1, 1}, 0.9);
        cairo_fill(cr);
    }
}

void DrawWaypoint(Canvas& canvas, int state, bool star)
{
    cairo_t* cr = canvas.Cr();
    const double c = canvas.Width() / 2.0;
    // 1 passed, 2 ahead, 3 current.
    const double r = star ? c - 2 : c - 3;
    auto shape = [&](cairo_t* x)
    {
        if (star)
        {
            Star(x, c, c + 1, r, r * 0.45, 5, -M_PI / 2);
        }
        else
        {
            cairo_arc(x, c, c, r, 0, 2 * M_PI);
        }
    };
    if (state == 3)
    {
        SoftShadow(canvas, shape, Hex(0xFFF080), 1.0, 3, 0, 0);
    }
    shape(cr);
    if (state == 1)
    {
        SetRadial(cr, c - r * 0.3, c - r * 0.3, 1, c, c, r, {{0, kGoldLight}, {1, kGoldDark}});
    }
    else if (state == 2)
    {
        SetRadial(cr, c - r * 0.3, c - r * 0.3, 1, c, c, r,
                  {{0, Hex(0xD8E4EC)}, {1, Hex(0x6A7E90)}});
    }
    else
    {
        SetRadial(cr, c - r * 0.3, c - r * 0.3, 1, c, c, r,
                  {{0, Hex(0xFFF0F0)}, {0.5, Hex(0xFF5A3A)}, {1, Hex(0xA01810)}});
    }
    cairo_fill_preserve(cr);
    SetColor(cr, Hex(0x2A1A10));
    cairo_set_line_width(cr, 1.4);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    if (state == 1 && !star)
    {
        // A tick for a stage already done.
        cairo_move_to(cr, c - r * 0.45, c);
        cairo_line_to(cr, c - r * 0.1, c + r * 0.4);
        cairo_line_to(cr, c + r * 0.5, c - r * 0.4);
        SetColor(cr, Hex(0x5A3806));
        cairo_set_line_width(cr, 2);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    }
    cairo_arc(cr, c - r * 0.3, c - r * 0.35, r * 0.2, 0, 2 * M_PI);
    SetColor(cr, Rgb{1, 1, 1}, 0.7);
    cairo_fill(cr);
}

void DrawHealthIcon(Canvas& canvas)
{
    cairo_t* cr = canvas.Cr();
    auto heart = [](cairo_t* c) { Heart(c, 18, 19, 15); };
    SoftShadow(canvas, heart, Hex(0x000810), 0.5, 2, 1, 1.5);
    heart(cr);
    SetRadial(cr, 12, 12, 1, 18, 18, 17, {{0, Hex(0xFF9A9A)}, {0.6, Hex(0xE02030)}, {1, Hex(0x8A0A14)}});
    cairo_fill_preserve(cr);
    SetColor(cr, Hex(0x3A0408));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_move_to(cr, 18, 11);
    cairo_line_to(cr, 18, 25);
    cairo_move_to(cr, 11, 18);
    cairo_line_to(cr, 25, 18);
    SetColor(cr, Rgb{1, 1, 1});
    cairo_set_line_width(cr, 3.6);
    cairo_stroke(cr);
}

void DrawVerdict(Canvas& canvas, const std::string& words, bool good)
{
    cairo_t* cr = canvas.Cr();
    TextStyle style;
    style.face = Face::Display;
    style.size = 40;
    style.outlineWidth = 3;
    SoftShadow(
        canvas,
        [&](cairo_t* c)
        {
            TextStyle s = style;
            s.outlineWidth = 5;
            DrawText(c, words, 120, 25, s, Rgb{0, 0, 0}, Rgb{0, 0, 0});
        },
        Hex(0x000814), 0.6, 3, 1, 2);
    if (good)
    {
        cairo_push_group(cr);
        DrawText(cr, words, 120, 25, style, Hex(0xFFD84A), Hex(0x5A2A04));
        cairo_pop_group_to_source(cr);
        cairo_paint(cr);
        // Gold gradient over the letters only.
        cairo_save(cr);
        FontBook::Use(cr, style.face, style.size);
        cairo_text_extents_t e;
        cairo_text_extents(cr, words.c_str(), &e);
        cairo_move_to(cr, 120 - e.x_bearing - e.width / 2, 25 - e.y_bearing - e.height / 2);
        cairo_text_path(cr, words.c_str());
        SetLinear(cr, 0, 8, 0, 42, {{0, Hex(0xFFF6B8)}, {0.5, Hex(0xFFCC30)}, {1, Hex(0xD07A08)}});
        cairo_fill(cr);
        cairo_restore(cr);
        Sparkle(cr, 22, 12, 7);
        Sparkle(cr, 220, 38, 6);
    }
    else
    {
        DrawText(cr, words, 120, 25, style, Hex(0xB8E0FF), Hex(0x0E2A4A));
    }
}

} // namespace

void DrawVaze(Canvas& canvas, int kind, double x, double y, double size)
{
    cairo_t* cr = canvas.Cr();
    const Rgb light = kind == 0 ? kGoldLight : (kind == 1 ? Hex(0xFFFFFF) : Hex(0xF6C8A0));
    const Rgb mid = kind == 0 ? kGold : (kind == 1 ? Hex(0xB8C4CC) : Hex(0xC07A42));
    const Rgb dark = kind == 0 ? kGoldDark : (kind == 1 ? Hex(0x5A6670) : Hex(0x6A3614));
    const Rgb rim = kind == 0 ? kGoldRim : (kind == 1 ? Hex(0x242A30) : Hex(0x341604));
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, size / 100.0, size / 100.0);
    auto body = [](cairo_t* c)
    {
        cairo_move_to(c, 38, 12);
        cairo_line_to(c, 62, 12);
        cairo_curve_to(c, 60, 20, 57, 24, 58, 30);
        cairo_curve_to(c, 78, 38, 82, 58, 70, 74);
        cairo_curve_to(c, 66, 80, 60, 82, 58, 84);
        cairo_line_to(c, 66, 92);
        cairo_line_to(c, 34, 92);
        cairo_line_to(c, 42, 84);
        cairo_curve_to(c, 40, 82, 34, 80, 30, 74);
        cairo_curve_to(c, 18, 58, 22, 38, 42, 30);
        cairo_curve_to(c, 43, 24, 40, 20, 38, 12);
        cairo_close_path(c);
    };
    cairo_restore(cr);
    SoftShadow(
        canvas,
        [&](cairo_t* c)
        {
            cairo_translate(c, x, y);
            cairo_scale(c, size / 100.0, size / 100.0);
            body(c);
        },
        kind == 0 ? Hex(0xFFE070) : (kind == 1 ? Hex(0xE0F0FF) : Hex(0xFFB070)), 0.6, size * 0.06,
        0, 0);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, size / 100.0, size / 100.0);
    // Handles.
    for (double s : {-1.0, 1.0})
    {
        cairo_move_to(cr, 50 + s * 9, 22);
        cairo_curve_to(cr, 50 + s * 30, 14, 50 + s * 34, 30, 50 + s * 24, 40);
        SetColor(cr, rim);
        cairo_set_line_width(cr, 7);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
        cairo_move_to(cr, 50 + s * 9, 22);
        cairo_curve_to(cr, 50 + s * 30, 14, 50 + s * 34, 30, 50 + s * 24, 40);
        SetColor(cr, mid);
        cairo_set_line_width(cr, 4);
        cairo_stroke(cr);
    }
    body(cr);
    SetLinear(cr, 22, 0, 80, 0, {{0, dark}, {0.3, light}, {0.55, mid}, {1, dark}});
    cairo_fill_preserve(cr);
    SetColor(cr, rim);
    cairo_set_line_width(cr, 2.5);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    // Lip.
    RoundedRect(cr, 34, 8, 32, 7, 3);
    SetLinear(cr, 34, 0, 66, 0, {{0, dark}, {0.35, light}, {1, dark}});
    cairo_fill_preserve(cr);
    SetColor(cr, rim);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // Wave band and a medallion.
    cairo_move_to(cr, 27, 50);
    for (int i = 0; i < 8; ++i)
    {
        const double x0 = 27 + i * 5.8;
        cairo_curve_to(cr, x0 + 1.5, 46, x0 + 4.3, 46, x0 + 5.8, 50);
    }
    SetColor(cr, rim, 0.8);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_arc(cr, 50, 63, 7, 0, 2 * M_PI);
    SetColor(cr, dark);
    cairo_fill_preserve(cr);
    SetColor(cr, rim);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    Star(cr, 50, 63.5, 5, 2.2, 5, -M_PI / 2);
    SetColor(cr, light);
    cairo_fill(cr);
    // Shine.
    cairo_move_to(cr, 33, 44);
    cairo_curve_to(cr, 30, 54, 31, 64, 36, 72);
    SetColor(cr, Rgb{1, 1, 1}, 0.65);
    cairo_set_line_width(cr, 3);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void GenerateObjects(AssetStore& store)
{
    for (int colour = 0; colour < kJewelColours; ++colour)
    {
        Canvas c(70, 70);
        DrawJewel(c, colour, 35, 35, 1.0);
        store.AddPicture("images/objects/1/" + std::to_string(colour + 1) + ".png", c);
    }
    for (int worth = 1; worth <= 6; ++worth)
    {
        Canvas c(70, 70);
        DrawGold(c, worth);
        store.AddPicture("images/obj_jew/" + std::to_string(worth) + ".png", c);
    }
    for (int kind = 1; kind <= 6; ++kind)
    {
        Canvas c(70, 70);
        DrawGarbage(c, kind);
        store.AddPicture("images/obj_bomb/" + std::to_string(kind) + ".png", c);
    }
    for (const char* name : {"health_kit", "speed_up", "speed_down", "trash2zeve", "zeve2jewel",
                             "time", "magic_palka", "extra_line", "time_freeze", "dynamit"})
    {
        Canvas c(70, 70);
        ArtefactBubbleBack(c);
        DrawArtefactIcon(c, name);
        ArtefactBubbleFront(c);
        store.AddPicture(std::string("images/bonuses/") + name + ".png", c);
    }
    for (int size : {1, 2, 4})
    {
        Canvas c(95, 33);
        DrawBasket(c, size);
        store.AddPicture("images/baskets/" + std::to_string(size) + ".png", c);
    }
    const char* medalNames[] = {"zeve", "silver", "bronz"};
    for (int kind = 0; kind < 3; ++kind)
    {
        Canvas c(100, 100);
        DrawVaze(c, kind, 0, 0, 100);
        store.AddPicture(std::string("images/medals/") + medalNames[kind] + ".png", c);
    }
    {
        Canvas c(36, 36);
        SoftShadow(
            c, [](cairo_t* x) { cairo_arc(x, 18, 18, 15, 0, 2 * M_PI); }, Hex(0x000810), 0.5, 2, 1,
            1.5);
        DrawCoin(c.Cr(), 18, 18, 15);
        store.AddPicture("images/zeve_cp.png", c);
    }
    {
        Canvas c(36, 36);
        DrawJewel(c, 0, 18, 18, 0.52, false);
        store.AddPicture("images/jewel_cp.png", c);
    }
    {
        Canvas c(36, 36);
        DrawHealthIcon(c);
        store.AddPicture("images/health_cp.png", c);
    }
    const int bubbleSizes[] = {10, 14, 18, 24};
    for (int i = 0; i < 4; ++i)
    {
        Canvas c(bubbleSizes[i], bubbleSizes[i]);
        DrawBubble(c, bubbleSizes[i]);
        store.AddPicture("images/bubbles/" + std::to_string(i + 1) + ".png", c);
    }
    {
        Canvas c(60, 20);
        DrawFish(c);
        store.AddPicture("images/fishes.png", c);
    }
    {
        Canvas c(100, 60);
        DrawSnow(c);
        store.AddPicture("images/snow.png", c);
    }
    for (int state = 1; state <= 3; ++state)
    {
        Canvas dot(20, 20);
        DrawWaypoint(dot, state, false);
        store.AddPicture("images/waypt/" + std::to_string(state) + ".png", dot);
        Canvas star(28, 28);
        DrawWaypoint(star, state, true);
        store.AddPicture("images/waypt/star_" + std::to_string(state) + ".png", star);
    }
    {
        Canvas c(240, 50);
        DrawVerdict(c, "Great job!", true);
        store.AddPicture("images/great_job.png", c);
    }
    {
        Canvas c(240, 50);
        DrawVerdict(c, "Try again", false);
        store.AddPicture("images/try_again.png", c);
    }
}

} // namespace AssetGen
