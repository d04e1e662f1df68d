// The start screen, the loading picture and the achievements map.
// SPDX-License-Identifier: MIT
//
// The start screen is 1280 × 800 and centred; everything the game places on
// it is relative to the screen centre, so the picture is laid out around its
// own centre (640, 400). The map is 1024 × 768; its stage markers follow the
// catalogue's map positions along the top edge.
#include "tools/assetgen/art_objects.h"
#include "tools/assetgen/generators.h"
#include "tools/assetgen/scene_parts.h"
#include "tools/assetgen/ui_parts.h"

#include <cmath>
#include <string>
#include <vector>

namespace AssetGen
{

namespace
{

const Rgb kTitleRim = Hex(0x2A1206);

// Map positions of the stages, area by area (from the stage catalogue).
const int kMapPoints[4][10][2] = {
    {{100, 25}, {118, 18}, {138, 30}, {160, 23}, {185, 35}, {200, 17}, {218, 22}, {238, 33}, {261, 21}, {283, 16}},
    {{320, 15}, {340, 14}, {360, 20}, {378, 29}, {400, 16}, {415, 23}, {430, 28}, {452, 18}, {468, 30}, {483, 15}},
    {{520, 15}, {550, 14}, {570, 22}, {590, 26}, {610, 30}, {625, 30}, {642, 20}, {650, 28}, {669, 16}, {688, 28}},
    {{720, 15}, {736, 34}, {748, 20}, {770, 20}, {786, 32}, {810, 20}, {828, 15}, {850, 20}, {870, 28}, {890, 17}},
};

void Title(Canvas& canvas, const std::string& text, double cx, double cy, double size)
{
    cairo_t* cr = canvas.Cr();
    TextStyle glow;
    glow.face = Face::Display;
    glow.size = size;
    glow.outlineWidth = size * 0.09;
    SoftShadow(
        canvas, [&](cairo_t* c) { DrawText(c, text, cx, cy, glow, Rgb{0, 0, 0}, Rgb{0, 0, 0}); },
        Hex(0x001018), 0.75, size * 0.08, 2, size * 0.05);
    DrawText(cr, text, cx, cy, glow, Hex(0xFFD84A), kTitleRim);
    cairo_save(cr);
    FontBook::Use(cr, Face::Display, size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    cairo_move_to(cr, cx - e.x_bearing - e.width / 2, cy - e.y_bearing - e.height / 2);
    cairo_text_path(cr, text.c_str());
    SetLinear(cr, 0, cy - e.height / 2, 0, cy + e.height / 2,
              {{0, Hex(0xFFF8C8)}, {0.45, Hex(0xFFD040)}, {1, Hex(0xC87008)}});
    cairo_fill(cr);
    cairo_restore(cr);
}

void Chest(Canvas& canvas, double x, double y, double scale)
{
    const int size = static_cast<int>(70 * scale + 1);
    Canvas piece(size, size);
    cairo_scale(piece.Cr(), scale, scale);
    DrawGold(piece, 6);
    Blit(canvas.Cr(), piece, x, y);
}

void Scroll(Canvas& canvas, double cx, double cy, double w, double h)
{
    cairo_t* cr = canvas.Cr();
    const double x = cx - w / 2;
    const double y = cy - h / 2;
    SoftShadow(
        canvas, [&](cairo_t* c) { RoundedRect(c, x, y, w, h, 26); }, Hex(0x000810), 0.55, 8, 4, 6);
    RoundedRect(cr, x, y, w, h, 26);
    SetLinear(cr, 0, y, 0, y + h, {{0, Hex(0xFBF3DE)}, {1, Hex(0xE6D2A4)}});
    cairo_fill_preserve(cr);
    SetColor(cr, Hex(0x8A6A30));
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    RoundedRect(cr, x + 8, y + 8, w - 16, h - 16, 20);
    SetColor(cr, Hex(0xB8944A), 0.7);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // Pearls along the top and bottom edges.
    for (double px = x + 40; px <= x + w - 40; px += 30)
    {
        for (double py : {y, y + h})
        {
            cairo_arc(cr, px, py, 4.5, 0, 2 * M_PI);
            SetRadial(cr, px - 1.5, py - 1.5, 0.5, px, py, 4.5, {{0, Rgb{1, 1, 1}}, {1, Hex(0xC8C0D8)}});
            cairo_fill_preserve(cr);
            SetColor(cr, Hex(0x6A6070));
            cairo_set_line_width(cr, 0.8);
            cairo_stroke(cr);
        }
    }
}

void FigureWell(cairo_t* cr, double cx, double cy, double w, double h)
{
    RoundedRect(cr, cx - w / 2, cy - h / 2, w, h, h / 2);
    SetLinear(cr, 0, cy - h / 2, 0, cy + h / 2, {{0, Hex(0x17303C)}, {1, Hex(0x2A5666)}});
    cairo_fill_preserve(cr);
    SetColor(cr, Hex(0x7A5410));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

void Ribbon(Canvas& canvas, double cx, double cy, double w, double h)
{
    cairo_t* cr = canvas.Cr();
    const double x = cx - w / 2;
    const double y = cy - h / 2;
    // Tails.
    for (double s : {-1.0, 1.0})
    {
        const double ex = s < 0 ? x : x + w;
        cairo_move_to(cr, ex - s * 20, y + 10);
        cairo_line_to(cr, ex + s * 34, y + 10);
        cairo_line_to(cr, ex + s * 22, y + h / 2 + 8);
        cairo_line_to(cr, ex + s * 34, y + h + 8);
        cairo_line_to(cr, ex - s * 20, y + h + 8);
        cairo_close_path(cr);
        SetColor(cr, Hex(0xC8A868));
        cairo_fill_preserve(cr);
        SetColor(cr, Hex(0x6A4A1A));
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    SoftShadow(
        canvas, [&](cairo_t* c) { RoundedRect(c, x, y, w, h, 6); }, Hex(0x000000), 0.4, 3, 0, 2);
    RoundedRect(cr, x, y, w, h, 6);
    SetLinear(cr, 0, y, 0, y + h, {{0, Hex(0xFFF6DC)}, {1, Hex(0xE8D2A0)}});
    cairo_fill_preserve(cr);
    SetColor(cr, Hex(0x6A4A1A));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

void Compass(cairo_t* cr, double cx, double cy, double r)
{
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    SetColor(cr, Hex(0x7A5A2A), 0.6);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, r * 0.85, 0, 2 * M_PI);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    for (int i = 0; i < 8; ++i)
    {
        const double a = -M_PI / 2 + M_PI * i / 4;
        const double len = (i % 2 == 0) ? r * 0.95 : r * 0.55;
        const double side = r * 0.14;
        for (int half = 0; half < 2; ++half)
        {
            const double sa = a + (half == 0 ? M_PI / 2 : -M_PI / 2);
            cairo_move_to(cr, cx, cy);
            cairo_line_to(cr, cx + len * std::cos(a), cy + len * std::sin(a));
            cairo_line_to(cr, cx + side * std::cos(sa), cy + side * std::sin(sa));
            cairo_close_path(cr);
            SetColor(cr, half == 0 ? Hex(0x8A2A10) : Hex(0xD8B878), 0.85);
            cairo_fill(cr);
        }
    }
    TextStyle ts;
    ts.face = Face::Display;
    ts.size = 18;
    DrawText(cr, "N", cx, cy - r - 12, ts, Hex(0x6A3A10), Rgb{0, 0, 0});
}

// Ink drawings of the four areas on the chart, each with its name.
void InkStroke(cairo_t* cr, Rgb wash)
{
    SetColor(cr, wash, 0.45);
    cairo_fill_preserve(cr);
    SetColor(cr, Hex(0x5A3A1A), 0.9);
    cairo_set_line_width(cr, 1.6);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

void InkLabel(cairo_t* cr, const std::string& text, double x, double y)
{
    TextStyle ts;
    ts.face = Face::Display;
    ts.size = 17;
    DrawText(cr, text, x, y, ts, Hex(0x5A3A1A), Rgb{0, 0, 0});
}

void InkTown(cairo_t* cr, double x, double y)
{
    const double houses[][3] = {{-60, 46, 52}, {-10, 60, 70}, {44, 40, 48}};
    for (const auto& h : houses)
    {
        const double hx = x + h[0];
        cairo_move_to(cr, hx - h[1] / 2, y);
        cairo_line_to(cr, hx - h[1] / 2, y - h[2]);
        cairo_line_to(cr, hx, y - h[2] - h[1] * 0.55);
        cairo_line_to(cr, hx + h[1] / 2, y - h[2]);
        cairo_line_to(cr, hx + h[1] / 2, y);
        cairo_close_path(cr);
        InkStroke(cr, Hex(0x6AA87A));
        cairo_rectangle(cr, hx - 6, y - h[2] * 0.7, 12, 14);
        InkStroke(cr, Hex(0xFFE6A0));
    }
    InkLabel(cr, "Deep town", x - 8, y + 16);
}

void InkShip(cairo_t* cr, double x, double y)
{
    cairo_move_to(cr, x - 70, y - 30);
    cairo_curve_to(cr, x - 50, y + 4, x + 50, y + 4, x + 74, y - 34);
    cairo_line_to(cr, x + 40, y - 30);
    cairo_line_to(cr, x - 40, y - 26);
    cairo_close_path(cr);
    InkStroke(cr, Hex(0x7A96AA));
    cairo_move_to(cr, x - 5, y - 28);
    cairo_line_to(cr, x - 25, y - 120);
    SetColor(cr, Hex(0x5A3A1A));
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    cairo_move_to(cr, x - 22, y - 110);
    cairo_curve_to(cr, x + 20, y - 100, x + 25, y - 70, x - 8, y - 44);
    cairo_line_to(cr, x - 14, y - 80);
    cairo_close_path(cr);
    InkStroke(cr, Hex(0xF6ECD0));
    InkLabel(cr, "Lost ship", x, y + 16);
}

void InkRocks(cairo_t* cr, double x, double y)
{
    cairo_move_to(cr, x - 70, y);
    cairo_curve_to(cr, x - 75, y - 60, x - 40, y - 90, x, y - 88);
    cairo_curve_to(cr, x + 40, y - 90, x + 72, y - 60, x + 70, y);
    cairo_line_to(cr, x + 36, y);
    cairo_curve_to(cr, x + 36, y - 40, x - 30, y - 44, x - 30, y);
    cairo_close_path(cr);
    InkStroke(cr, Hex(0x8A7AB4));
    for (int i = 0; i < 3; ++i)
    {
        const double kx = x + 80 + i * 12;
        cairo_move_to(cr, kx, y);
        cairo_curve_to(cr, kx + 10, y - 20, kx - 10, y - 40, kx + 4, y - 60 - i * 8);
    }
    SetColor(cr, Hex(0x3A6A3A), 0.8);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    InkLabel(cr, "Rocks", x + 10, y + 16);
}

void InkCastle(cairo_t* cr, double x, double y)
{
    cairo_rectangle(cr, x - 50, y - 40, 100, 40);
    InkStroke(cr, Hex(0x5A7AC8));
    for (double tx : {-50.0, 0.0, 50.0})
    {
        const double h = tx == 0 ? 80 : 60;
        cairo_rectangle(cr, x + tx - 12, y - h, 24, h);
        InkStroke(cr, Hex(0x5A7AC8));
        cairo_move_to(cr, x + tx - 15, y - h);
        cairo_line_to(cr, x + tx, y - h - 26);
        cairo_line_to(cr, x + tx + 15, y - h);
        cairo_close_path(cr);
        InkStroke(cr, Hex(0x3A4A8A));
        cairo_move_to(cr, x + tx, y - h - 26);
        cairo_line_to(cr, x + tx, y - h - 40);
        cairo_line_to(cr, x + tx + 14, y - h - 35);
        cairo_line_to(cr, x + tx, y - h - 31);
        SetColor(cr, Hex(0xA02030), 0.8);
        cairo_fill(cr);
    }
    InkLabel(cr, "Underwater Castle", x, y + 16);
}

} // namespace

void GenerateStartScreen(AssetStore& store)
{
    Canvas c(1280, 800);
    cairo_t* cr = c.Cr();
    AreaLook look = LookOfArea(1);
    look.top = Hex(0x6AC8C0);
    look.mid = Hex(0x1E7080);
    look.deep = Hex(0x0A2438);
    PaintWater(c, look, 9);
    // Floor, plants and treasure at the sides.
    cairo_move_to(cr, 0, 800);
    cairo_line_to(cr, 0, 690);
    cairo_curve_to(cr, 300, 650, 500, 720, 700, 700);
    cairo_curve_to(cr, 900, 680, 1100, 650, 1280, 680);
    cairo_line_to(cr, 1280, 800);
    cairo_close_path(cr);
    SetLinear(cr, 0, 650, 0, 800, {{0, Hex(0x9A9270)}, {1, Hex(0x2A3A38)}});
    cairo_fill(cr);
    Rng rng(1234);
    for (int i = 0; i < 10; ++i)
    {
        const double x = i < 5 ? rng.Range(20, 330) : rng.Range(950, 1260);
        PaintKelp(cr, x, 800, rng.Range(220, 520), rng.Range(15, 35),
                  Mix(Hex(0x2E7A3A), Hex(0x0A2438), rng.Range(0, 0.5)), rng.Range(5, 9), rng.Next());
    }
    PaintCoral(cr, 250, 760, 110, Hex(0xF06A7A), 5);
    PaintCoral(cr, 1080, 770, 120, Hex(0xFF9A40), 6);
    PaintSeaFan(cr, 160, 770, 150, Hex(0xA060D0), 7);
    PaintSeaFan(cr, 1180, 760, 130, Hex(0xD070B0), 8);
    PaintShell(cr, 400, 760, 40, Hex(0xF2D6C0), -0.3);
    PaintShell(cr, 880, 770, 34, Hex(0xE8B0A0), 0.3);
    Chest(c, 960, 610, 2.2);
    for (int i = 0; i < 3; ++i)
    {
        DrawJewel(c, i * 2, 330 + i * 40, 740 - (i % 2) * 12, 0.45);
    }
    PaintFloatingSpecks(c, 99, 220);
    // Bubbles rising on both sides.
    for (int i = 0; i < 24; ++i)
    {
        const double x = i % 2 == 0 ? rng.Range(80, 300) : rng.Range(980, 1200);
        const double y = rng.Range(200, 700);
        const double r = rng.Range(3, 9);
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        SetColor(cr, Hex(0xE8FFFF), 0.5);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        cairo_arc(cr, x - r * 0.35, y - r * 0.35, r * 0.25, 0, 2 * M_PI);
        SetColor(cr, Rgb{1, 1, 1}, 0.7);
        cairo_fill(cr);
    }
    PaintVignette(c, 0.5);
    Title(c, "Saltmere Zadi", 640, 130, 104);
    // The scroll for the greeting, the player's name and the profile link.
    Scroll(c, 640, 385, 300, 170);
    // A glow where the play button sits.
    SetRadial(cr, 631, 584, 10, 631, 584, 110, {{0, Hex(0xFFF2B0), 0.35}, {1, Hex(0xFFF2B0), 0}});
    cairo_paint(cr);
    store.AddPicture("images/fon_start.jpg", c);
}

void GenerateLoadingPicture(AssetStore& store)
{
    Canvas c(640, 360);
    PanelStyle style;
    style.frame = 16;
    style.radius = 26;
    DrawPanel(c, 0, 0, 640, 360, style, 77);
    Title(c, "Saltmere Zadi", 320, 120, 70);
    for (int i = 0; i < 6; ++i)
    {
        DrawJewel(c, i, 195 + i * 50, 205, 0.5);
    }
    TextStyle ts;
    ts.face = Face::Display;
    ts.size = 34;
    ts.outlineWidth = 0;
    DrawText(c.Cr(), "Loading...", 320, 280, ts, Hex(0x6A3410), Rgb{0, 0, 0});
    store.AddPicture("images/load.png", c);
}

void GenerateMap(AssetStore& store)
{
    Canvas c(1024, 768);
    cairo_t* cr = c.Cr();
    // An old sea chart.
    SetLinear(cr, 0, 0, 0, 768, {{0, Hex(0xF2E2BA)}, {1, Hex(0xE0C890)}});
    cairo_paint(cr);
    Rng rng(2024);
    for (int i = 0; i < 30; ++i)
    {
        const double x = rng.Range(0, 1024);
        const double y = rng.Range(0, 768);
        const double r = rng.Range(20, 90);
        SetRadial(cr, x, y, 0, x, y, r, {{0, Hex(0xB8904A), 0.12}, {1, Hex(0xB8904A), 0}});
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    Grain(c, 55, 0.12, 9000);
    // Waves drawn on the chart.
    for (int i = 0; i < 40; ++i)
    {
        const double x = rng.Range(40, 980);
        const double y = rng.Range(120, 720);
        cairo_move_to(cr, x, y);
        cairo_curve_to(cr, x + 6, y - 5, x + 12, y - 5, x + 18, y);
        cairo_curve_to(cr, x + 24, y - 5, x + 30, y - 5, x + 36, y);
        SetColor(cr, Hex(0x4A7A8A), 0.35);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    // The route along the top: one band per area, a dotted trail through the stages.
    const Rgb areaTint[4] = {Hex(0x6AA87A), Hex(0x7A96AA), Hex(0x8A7AB4), Hex(0x5A7AC8)};
    const double bandX[5] = {80, 302, 502, 702, 912};
    for (int a = 0; a < 4; ++a)
    {
        RoundedRect(cr, bandX[a] + 2, 4, bandX[a + 1] - bandX[a] - 4, 42, 12);
        SetColor(cr, areaTint[a], 0.4);
        cairo_fill_preserve(cr);
        SetColor(cr, Darken(areaTint[a], 0.4), 0.7);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    cairo_move_to(cr, kMapPoints[0][0][0], kMapPoints[0][0][1]);
    for (const auto& area : kMapPoints)
    {
        for (const auto& p : area)
        {
            cairo_line_to(cr, p[0], p[1]);
        }
    }
    const double dash[] = {4, 4};
    cairo_set_dash(cr, dash, 2, 0);
    SetColor(cr, Hex(0x6A2A10), 0.8);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    // Frame.
    cairo_rectangle(cr, 3, 3, 1018, 762);
    SetColor(cr, Hex(0x5A3A18));
    cairo_set_line_width(cr, 6);
    cairo_stroke(cr);
    cairo_rectangle(cr, 10, 52, 1004, 706);
    SetColor(cr, Hex(0x8A6A30), 0.8);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);

    // Area name banner (the game writes the name at (507, 97)).
    Ribbon(c, 507, 97, 380, 46);
    // Next stage (figure at (507, 214)).
    TextStyle label;
    label.face = Face::Display;
    label.size = 24;
    DrawText(cr, "Next stage", 507, 172, label, Hex(0x5A2A08), Rgb{0, 0, 0});
    FigureWell(cr, 507, 214, 130, 44);
    // Treasure panel: gold at (227, 384), jewels at (227, 454); icons at x 172.
    PanelStyle small;
    small.frame = 10;
    small.radius = 16;
    DrawPanel(c, 110, 300, 240, 200, small, 81);
    DrawText(cr, "Treasure", 230, 336, label, Hex(0x5A2A08), Rgb{0, 0, 0});
    FigureWell(cr, 240, 384, 120, 40);
    FigureWell(cr, 240, 454, 120, 40);
    // Vaze panel: counts at (867, 349 / 394 / 439).
    DrawPanel(c, 745, 255, 200, 225, small, 82);
    DrawText(cr, "Vazes", 845, 292, label, Hex(0x5A2A08), Rgb{0, 0, 0});
    for (int k = 0; k < 3; ++k)
    {
        const double y = 349 + k * 45;
        DrawVaze(c, k, 783, y - 21, 42);
        FigureWell(cr, 875, y, 90, 36);
    }
    // Illustrations: a compass, a sea creature and four area emblems.
    Compass(cr, 880, 630, 62);
    InkTown(cr, 185, 230);
    InkShip(cr, 870, 200);
    InkRocks(cr, 290, 650);
    InkCastle(cr, 740, 690);
    for (int i = 0; i < 3; ++i)
    {
        cairo_save(cr);
        cairo_translate(cr, 70 + i * 36, 560 + (i % 2) * 22);
        cairo_scale(cr, 1.4, 1.4);
        Ellipse(cr, 0, 0, 14, 6);
        SetColor(cr, Hex(0x4A6A7A), 0.55);
        cairo_fill(cr);
        cairo_move_to(cr, 12, 0);
        cairo_line_to(cr, 20, -6);
        cairo_line_to(cr, 20, 6);
        cairo_close_path(cr);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    TextStyle note;
    note.face = Face::Display;
    note.size = 20;
    DrawText(cr, "Here be treasure", 160, 730, note, Hex(0x6A4A2A), Rgb{0, 0, 0});
    // Play button place and the harbour for shop and workshop.
    SetRadial(cr, 512, 399, 20, 512, 399, 140, {{0, Hex(0xFFF6D0), 0.6}, {1, Hex(0xFFF6D0), 0}});
    cairo_paint(cr);
    DrawPanel(c, 430, 605, 224, 142, small, 83);
    // Profiles tag at (42, 750).
    DrawButton(c, 6, 738, 74, 24, ButtonState::Normal, "", 0);
    store.AddPicture("images/dialog/achivements.jpg", c);
}

} // namespace AssetGen
