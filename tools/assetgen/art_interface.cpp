// Buttons and dialog backgrounds.
// SPDX-License-Identifier: MIT
//
// Dialog pictures leave free the places where the game writes its own texts
// and carry the labels it does not write. Places are worked out from the
// dialog's centre, as the game lays its children out.
#include "tools/assetgen/art_objects.h"
#include "tools/assetgen/generators.h"
#include "tools/assetgen/ui_parts.h"

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace AssetGen
{

namespace
{

const Rgb kInkBrown = Hex(0x4A2408);
const Rgb kLabelRim = Hex(0x2A1206);

struct CellPos
{
    double x;
    double y;
};

// A button picture of four cells at the given places (normal, over, down, disabled).
void AddButton(AssetStore& store, const std::string& path, int imageW, int imageH, double cellW,
               double cellH, const std::vector<CellPos>& cells, const std::string& label,
               double labelSize)
{
    Canvas c(imageW, imageH);
    for (size_t i = 0; i < cells.size(); ++i)
    {
        DrawButton(c, cells[i].x, cells[i].y, cellW, cellH, kButtonStates[i], label, labelSize);
    }
    store.AddPicture(path, c);
}

std::vector<CellPos> Column(double x, std::initializer_list<double> ys)
{
    std::vector<CellPos> out;
    for (double y : ys)
    {
        out.push_back({x, y});
    }
    return out;
}

void Label(cairo_t* cr, const std::string& text, double x, double y, double size, Align align,
           Rgb colour = kInkBrown)
{
    TextStyle ts;
    ts.face = Face::Display;
    ts.size = size;
    ts.align = align;
    DrawText(cr, text, x, y, ts, colour, Rgb{0, 0, 0});
}

// A dark oval behind a figure the game writes in white.
void FigureWell(cairo_t* cr, double cx, double cy, double w, double h)
{
    RoundedRect(cr, cx - w / 2, cy - h / 2, w, h, h / 2);
    SetLinear(cr, 0, cy - h / 2, 0, cy + h / 2, {{0, Hex(0x1E3A48)}, {1, Hex(0x2E5A6A)}});
    cairo_fill_preserve(cr);
    SetColor(cr, Hex(0x7A5410));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    RoundedRect(cr, cx - w / 2 + 2, cy - h / 2 + 2, w - 4, h - 4, h / 2 - 2);
    SetLinear(cr, 0, cy - h / 2, 0, cy + h / 2, {{0, Hex(0x000000), 0.4}, {0.4, Hex(0x000000), 0}});
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

// Round picture buttons of the start screen: 120 × 120 cells side by side.
void DrawMedallion(Canvas& canvas, double x, ButtonState state, const std::string& label, int icon)
{
    cairo_t* cr = canvas.Cr();
    const bool down = state == ButtonState::Down;
    const bool over = state == ButtonState::Over;
    const bool disabled = state == ButtonState::Disabled;
    const double cx = x + 60;
    const double cy = 58 + (down ? 1.5 : 0);
    const double r = 52;
    cairo_save(cr);
    cairo_rectangle(cr, x, 0, 120, 120);
    cairo_clip(cr);
    if (over)
    {
        SoftShadow(
            canvas, [&](cairo_t* c) { cairo_arc(c, cx, cy, r + 2, 0, 2 * M_PI); }, Hex(0xFFF2A0), 0.8,
            5, 0, 0);
    }
    SoftShadow(
        canvas, [&](cairo_t* c) { cairo_arc(c, cx, cy, r, 0, 2 * M_PI); }, Hex(0x000000),
        down ? 0.3 : 0.55, 3, 0, down ? 1.5 : 3);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    if (disabled)
    {
        SetLinear(cr, 0, cy - r, 0, cy + r, {{0, Hex(0xDCD8D0)}, {1, Hex(0x8A867E)}});
    }
    else
    {
        SetLinear(cr, 0, cy - r, 0, cy + r, {{0, Hex(0xFFF2B0)}, {0.5, Hex(0xD8A838)}, {1, Hex(0x7A5410)}});
    }
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, r - 6, 0, 2 * M_PI);
    Rgb top = Hex(0x3AA6B0);
    Rgb bottom = Hex(0x0E3E5A);
    if (over)
    {
        top = Hex(0x6ADAE0);
        bottom = Hex(0x1A5E7E);
    }
    else if (down)
    {
        top = Hex(0x0E3048);
        bottom = Hex(0x1E5A6E);
    }
    else if (disabled)
    {
        top = Hex(0xB0B0AC);
        bottom = Hex(0x78787A);
    }
    SetLinear(cr, 0, cy - r, 0, cy + r, {{0, top}, {1, bottom}});
    cairo_fill(cr);
    // Glass gloss.
    if (!down)
    {
        Ellipse(cr, cx, cy - r * 0.45, r * 0.7, r * 0.35);
        SetLinear(cr, 0, cy - r * 0.8, 0, cy - r * 0.1, {{0, Rgb{1, 1, 1}, 0.45}, {1, Rgb{1, 1, 1}, 0}});
        cairo_fill(cr);
    }
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    SetColor(cr, Hex(0x2A1206));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, r - 6, 0, 2 * M_PI);
    SetColor(cr, Hex(0x2A1206), 0.8);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // Icon.
    const Rgb iconFill = disabled ? Hex(0xE0E0DC) : Hex(0xFFF4D2);
    const double iy = cy - 12;
    if (icon == 0) // play: a triangle
    {
        cairo_move_to(cr, cx - 13, iy - 19);
        cairo_line_to(cr, cx + 21, iy);
        cairo_line_to(cr, cx - 13, iy + 19);
        cairo_close_path(cr);
        SetColor(cr, iconFill);
        cairo_fill_preserve(cr);
        SetColor(cr, kLabelRim);
        cairo_set_line_width(cr, 2.2);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
    }
    else if (icon == 1) // rules: an open book
    {
        for (double s : {-1.0, 1.0})
        {
            cairo_move_to(cr, cx, iy - 12);
            cairo_curve_to(cr, cx + s * 8, iy - 18, cx + s * 18, iy - 18, cx + s * 24, iy - 14);
            cairo_line_to(cr, cx + s * 24, iy + 14);
            cairo_curve_to(cr, cx + s * 18, iy + 10, cx + s * 8, iy + 10, cx, iy + 16);
            cairo_close_path(cr);
            SetColor(cr, iconFill);
            cairo_fill_preserve(cr);
            SetColor(cr, kLabelRim);
            cairo_set_line_width(cr, 2);
            cairo_stroke(cr);
            for (int l = 0; l < 3; ++l)
            {
                cairo_move_to(cr, cx + s * 5, iy - 8 + l * 7);
                cairo_line_to(cr, cx + s * 19, iy - 10 + l * 7);
            }
            SetColor(cr, Hex(0x6A4A2A), 0.8);
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
        }
    }
    else // options: a gear
    {
        cairo_new_path(cr);
        for (int i = 0; i < 16; ++i)
        {
            const double a = 2 * M_PI * i / 16;
            const double rr = (i % 2 == 0) ? 21 : 16;
            cairo_line_to(cr, cx + rr * std::cos(a - 0.12), iy + rr * std::sin(a - 0.12));
            cairo_line_to(cr, cx + rr * std::cos(a + 0.12), iy + rr * std::sin(a + 0.12));
        }
        cairo_close_path(cr);
        cairo_new_sub_path(cr);
        cairo_arc_negative(cr, cx, iy, 7, 2 * M_PI, 0);
        SetColor(cr, iconFill);
        cairo_fill_preserve(cr);
        SetColor(cr, kLabelRim);
        cairo_set_line_width(cr, 2);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
    }
    TextStyle ts;
    ts.face = Face::Display;
    ts.size = 21;
    ts.outlineWidth = disabled ? 0 : 2;
    DrawText(cr, label, cx, cy + 27, ts, ButtonLabelColour(state), kLabelRim);
    cairo_restore(cr);
}

void AddMedallionButton(AssetStore& store, const std::string& path, const std::string& label, int icon)
{
    Canvas c(480, 120);
    for (int i = 0; i < 4; ++i)
    {
        DrawMedallion(c, i * 120, kButtonStates[i], label, icon);
    }
    store.AddPicture(path, c);
}

void AddArrowButton(AssetStore& store, const std::string& path, bool right)
{
    Canvas c(104, 35);
    for (int i = 0; i < 4; ++i)
    {
        const double x = i * 26;
        DrawButton(c, x, 0, 26, 35, kButtonStates[i], "", 0);
        cairo_t* cr = c.Cr();
        const double cx = x + 13;
        const double cy = 16 + (kButtonStates[i] == ButtonState::Down ? 1 : 0);
        const double d = right ? 1 : -1;
        cairo_move_to(cr, cx - d * 5, cy - 8);
        cairo_line_to(cr, cx + d * 6, cy);
        cairo_line_to(cr, cx - d * 5, cy + 8);
        cairo_close_path(cr);
        SetColor(cr, ButtonLabelColour(kButtonStates[i]));
        cairo_fill_preserve(cr);
        SetColor(cr, kLabelRim);
        cairo_set_line_width(cr, 1.3);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
    }
    store.AddPicture(path, c);
}

std::unique_ptr<Canvas> NewPanel(int w, int h, std::uint64_t seed, double frame = 14,
                                 bool parchment = true)
{
    auto c = std::make_unique<Canvas>(w, h);
    PanelStyle style;
    style.parchment = parchment;
    style.frame = frame;
    style.radius = frame + 8;
    DrawPanel(*c, 0, 0, w, h, style, seed);
    return c;
}

void AddPlainPanel(AssetStore& store, const std::string& path, int w, int h, std::uint64_t seed,
                   double frame = 14, bool parchment = true)
{
    std::unique_ptr<Canvas> c = NewPanel(w, h, seed, frame, parchment);
    store.AddPicture(path, *c);
}

// Small corner flourishes on parchment faces.
void CornerOrnaments(cairo_t* cr, double x, double y, double w, double h)
{
    const double s = 18;
    const double pts[4][3] = {{x, y, 0}, {x + w, y, M_PI / 2}, {x + w, y + h, M_PI}, {x, y + h, 1.5 * M_PI}};
    for (const auto& p : pts)
    {
        cairo_save(cr);
        cairo_translate(cr, p[0], p[1]);
        cairo_rotate(cr, p[2]);
        cairo_move_to(cr, 4, s + 6);
        cairo_curve_to(cr, 4, 10, 10, 4, s + 6, 4);
        cairo_move_to(cr, 10, s);
        cairo_curve_to(cr, 10, 14, 14, 10, s, 10);
        SetColor(cr, Hex(0x9A7A40), 0.75);
        cairo_set_line_width(cr, 1.5);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
        cairo_arc(cr, 7, 7, 2.2, 0, 2 * M_PI);
        SetColor(cr, Hex(0x9A7A40), 0.9);
        cairo_fill(cr);
        cairo_restore(cr);
    }
}

void GenerateButtons(AssetStore& store)
{
    AddMedallionButton(store, "images/play.png", "Play", 0);
    AddMedallionButton(store, "images/rules.png", "Rules", 1);
    AddMedallionButton(store, "images/options.png", "Options", 2);
    AddButton(store, "images/btn_def.png", 108, 108, 108, 27, Column(0, {0, 27, 54, 81}), "", 0);
    AddButton(store, "images/btn_opt_tab.png", 120, 108, 120, 27, Column(0, {0, 27, 54, 81}), "", 0);
    AddArrowButton(store, "images/btn_left.png", false);
    AddArrowButton(store, "images/btn_right.png", true);
    AddButton(store, "images/dialog/btn_achive_play.png", 140, 202, 140, 50,
              Column(0, {0, 103, 51, 152}), "Play", 28);
    AddButton(store, "images/dialog/shop.png", 106, 156, 106, 39, Column(0, {0, 39, 78, 117}),
              "Shop", 22);
    AddButton(store, "images/dialog/workshop.png", 140, 156, 140, 39, Column(0, {0, 39, 78, 117}),
              "Workshop", 22);
    AddButton(store, "images/dialog/btn_yes.png", 74, 132, 74, 33, Column(0, {0, 33, 66, 99}), "Yes",
              20);
    AddButton(store, "images/dialog/btn_no.png", 65, 132, 65, 33, Column(0, {0, 33, 66, 99}), "No", 20);
    AddButton(store, "images/dialog/btn_ok.png", 76, 152, 76, 38, Column(0, {0, 38, 76, 114}), "Ok",
              22);
    AddButton(store, "images/dialog/stage_finish/replay.png", 97, 104, 97, 26,
              Column(0, {52, 26, 0, 78}), "Replay", 17);
    AddButton(store, "images/dialog/stage_finish/ok.png", 50, 104, 50, 26, Column(0, {52, 26, 0, 78}),
              "Ok", 17);
    AddButton(store, "images/dialog/btn_new.png", 63, 96, 63, 24, Column(0, {0, 24, 48, 72}), "New", 16);
    AddButton(store, "images/dialog/btn_delete.png", 104, 88, 104, 22, Column(0, {0, 22, 44, 66}),
              "Delete", 15);
    AddButton(store, "images/dialog/btn_buy.png", 124, 192, 109, 38, Column(14, {9, 57, 106, 153}),
              "Buy", 22);
    AddButton(store, "images/dialog/btn_return.png", 123, 194, 108, 38, Column(14, {9, 58, 107, 155}),
              "Return", 20);
    {
        // Full-screen switch: y 0 on, y 98 off, y 148 pressed or disabled.
        Canvas c(166, 186);
        DrawButton(c, 0, 0, 166, 38, ButtonState::Normal, "Full screen", 19, 1);
        DrawButton(c, 0, 98, 166, 38, ButtonState::Normal, "Full screen", 19, 0);
        DrawButton(c, 0, 148, 166, 38, ButtonState::Down, "Full screen", 19, 0);
        store.AddPicture("images/dialog/btn_full_screen.png", c);
    }
    {
        // Pay-with-jewels switch: y 15 on, y 135 off, y 194 pressed or disabled;
        // read at x 14 or 15, so each cell is one pixel wider than the button.
        Canvas c(185, 238);
        DrawButton(c, 14, 15, 170, 42, ButtonState::Normal, "Pay with jewels", 18, 1);
        DrawButton(c, 14, 135, 170, 42, ButtonState::Normal, "Pay with jewels", 18, 0);
        DrawButton(c, 14, 194, 170, 42, ButtonState::Down, "Pay with jewels", 18, 0);
        store.AddPicture("images/dialog/btn_use_jewels.png", c);
    }
}

void GenerateDialogs(AssetStore& store)
{
    // Sea-glass faces where the game writes light texts (the exit question,
    // the new area, the name prompt, the duplicate-name error).
    AddPlainPanel(store, "images/dialog/exit_window.png", 380, 250, 1, 14, false);
    {
        std::unique_ptr<Canvas> c = NewPanel(350, 250, 2);
        DrawDivider(c->Cr(), 175, 150, 110);
        store.AddPicture("images/dialog/shop/dlg_finish.png", *c);
    }
    {
        // Shop: title plaque (the game writes "Shop"), a niche for the basket.
        std::unique_ptr<Canvas> c = NewPanel(460, 580, 3, 16);
        cairo_t* cr = c->Cr();
        DrawTitlePlaque(*c, 230, 50, 170, 42, "", 20);
        DrawDivider(cr, 230, 82, 150);
        Ellipse(cr, 230, 170, 120, 42);
        SetRadial(cr, 230, 160, 10, 230, 170, 120,
                  {{0, Hex(0xFFF8E0)}, {0.7, Hex(0xF0DDB0)}, {1, Hex(0xD8BC84)}});
        cairo_fill_preserve(cr);
        SetColor(cr, Hex(0x9A7A40));
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        DrawDivider(cr, 230, 226, 150);
        DrawDivider(cr, 230, 350, 150);
        CornerOrnaments(cr, 24, 24, 412, 532);
        store.AddPicture("images/dialog/shop/dlg.png", *c);
    }
    {
        std::unique_ptr<Canvas> c = NewPanel(420, 350, 4);
        CornerOrnaments(c->Cr(), 20, 20, 380, 310);
        store.AddPicture("images/dialog/clear/dlg_2.png", *c);
    }
    {
        // Stage start: the game writes the stage, the jewel target and the
        // time bonus; the picture names them.
        std::unique_ptr<Canvas> c = NewPanel(380, 250, 5);
        cairo_t* cr = c->Cr();
        Label(cr, "Stage", 190, 42, 24, Align::Centre, Hex(0x7A2A08));
        FigureWell(cr, 192, 100, 110, 36);
        Label(cr, "Jewels to find:", 240, 132, 19, Align::Right);
        FigureWell(cr, 280, 132, 72, 30);
        Label(cr, "Time bonus:", 240, 165, 19, Align::Right);
        FigureWell(cr, 280, 165, 72, 30);
        Label(cr, "s", 326, 167, 16, Align::Left);
        DrawJewel(*c, 1, 70, 133, 0.3, false);
        store.AddPicture("images/dialog/stage_start/dlg.png", *c);
    }
    {
        // Stage result: labels beside the jewels, gold and fill figures.
        std::unique_ptr<Canvas> c = NewPanel(420, 350, 6);
        cairo_t* cr = c->Cr();
        Label(cr, "Stage result", 210, 48, 26, Align::Centre, Hex(0x7A2A08));
        DrawDivider(cr, 210, 76, 140);
        const double rows[] = {120, 152, 183};
        const char* names[] = {"Jewels", "Gold", "Fill"};
        for (int i = 0; i < 3; ++i)
        {
            Label(cr, names[i], 245, rows[i], 21, Align::Right);
            FigureWell(cr, 305, rows[i], 110, 28);
        }
        DrawJewel(*c, 0, 140, 120, 0.3, false);
        DrawCoin(cr, 160, 152, 10);
        // A little basket for the fill line.
        Canvas basket(95, 33);
        DrawBasket(basket, 2);
        Blit(cr, basket, 156, 175, 0.36);
        store.AddPicture("images/dialog/stage_finish/dlg.png", *c);
    }
    {
        std::unique_ptr<Canvas> c = NewPanel(400, 500, 7, 16);
        CornerOrnaments(c->Cr(), 22, 22, 356, 456);
        store.AddPicture("images/dialog/bonus/dlg.png", *c);
    }
    {
        std::unique_ptr<Canvas> c = NewPanel(800, 600, 8, 18);
        CornerOrnaments(c->Cr(), 26, 26, 748, 548);
        store.AddPicture("images/dialog/rules/dlg.png", *c);
    }
    {
        // Pause menu: four caption places at -90, -30, +30, +90.
        std::unique_ptr<Canvas> c = NewPanel(250, 303, 9);
        cairo_t* cr = c->Cr();
        for (double dy : {-90.0, -30.0, 30.0, 90.0})
        {
            DrawInset(cr, 25, 151.5 + dy - 20, 200, 40, 14, Hex(0xF6E8C6));
        }
        store.AddPicture("images/dialog/game_menu/menu.png", *c);
    }
    {
        // Profiles: a title and four name slots.
        std::unique_ptr<Canvas> c = NewPanel(380, 450, 10);
        cairo_t* cr = c->Cr();
        DrawTitlePlaque(*c, 190, 50, 180, 44, "Players", 26);
        for (double dy : {-107.0, -52.0, 8.0, 63.0})
        {
            DrawInset(cr, 65, 225 + dy - 15, 250, 30, 10, Hex(0xF8EDD2));
        }
        DrawDivider(cr, 190, 322, 130);
        store.AddPicture("images/dialog/profiles.png", *c);
    }
    {
        Canvas c(250, 30);
        DrawInset(c.Cr(), 1, 1, 248, 28, 10, Hex(0xF8EDD2));
        store.AddPicture("images/dialog/pl_name_cover.png", c);
    }
    {
        // New player: the edit field and two caption plates (Create, Cancel).
        std::unique_ptr<Canvas> c = NewPanel(350, 231, 11, 10, false);
        cairo_t* cr = c->Cr();
        DrawInset(cr, 20, 115.5 + 2 - 16.5, 310, 33, 8, Hex(0xFFF8E8));
        DrawButton(*c, 245 - 54, 231 - 50 - 13.5, 108, 27, ButtonState::Normal, "", 0);
        DrawButton(*c, 105 - 54, 231 - 50 - 13.5, 108, 27, ButtonState::Normal, "", 0);
        store.AddPicture("images/dialog/new_player.png", *c);
    }
    AddPlainPanel(store, "images/dialog_add_del.png", 400, 200, 12, 14, false);
}

} // namespace

void GenerateInterface(AssetStore& store)
{
    GenerateButtons(store);
    GenerateDialogs(store);
}

} // namespace AssetGen
