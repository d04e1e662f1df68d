// Panels and buttons of the interface family.
// SPDX-License-Identifier: MIT
#include "tools/assetgen/ui_parts.h"

#include <algorithm>
#include <cmath>

namespace AssetGen
{

namespace
{

const Rgb kWoodLight = Hex(0x8E5228);
const Rgb kWood = Hex(0x6A3818);
const Rgb kWoodDark = Hex(0x3A1C0A);
const Rgb kBrassLight = Hex(0xFFF0A8);
const Rgb kBrass = Hex(0xD8A838);
const Rgb kBrassDark = Hex(0x7A5410);
const Rgb kParchLight = Hex(0xF8EDCF);
const Rgb kParch = Hex(0xEBD7A8);
const Rgb kParchDark = Hex(0xC9A96E);
const Rgb kLabel = Hex(0xFFF4D2);
const Rgb kLabelRim = Hex(0x2A1206);

void WoodGrain(cairo_t* cr, double x, double y, double w, double h, std::uint64_t seed)
{
    Rng rng(seed);
    const int lines = static_cast<int>(h / 3);
    for (int i = 0; i < lines; ++i)
    {
        const double yy = y + rng.Range(0, h);
        cairo_move_to(cr, x, yy);
        for (double xx = x; xx < x + w; xx += 40)
        {
            cairo_curve_to(cr, xx + 13, yy + rng.Range(-2, 2), xx + 26, yy + rng.Range(-2, 2), xx + 40,
                           yy + rng.Range(-1.5, 1.5));
        }
        SetColor(cr, rng.Uniform() < 0.5 ? kWoodDark : kWoodLight, rng.Range(0.15, 0.4));
        cairo_set_line_width(cr, rng.Range(0.6, 1.6));
        cairo_stroke(cr);
    }
}

void Rivet(cairo_t* cr, double x, double y, double r)
{
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    SetRadial(cr, x - r * 0.4, y - r * 0.4, 0.5, x, y, r, {{0, kBrassLight}, {0.6, kBrass}, {1, kBrassDark}});
    cairo_fill_preserve(cr);
    SetColor(cr, kWoodDark);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
}

} // namespace

void DrawPanel(Canvas& canvas, double x, double y, double w, double h, const PanelStyle& style,
               std::uint64_t seed)
{
    cairo_t* cr = canvas.Cr();
    const double m = 4; // shadow room
    const double px = x + m;
    const double py = y + m;
    const double pw = w - 2 * m;
    const double ph = h - 2 * m;
    SoftShadow(
        canvas, [&](cairo_t* c) { RoundedRect(c, px, py + 2, pw, ph - 2, style.radius); },
        Hex(0x000000), 0.6, 4, 0, 1.5);
    // Wooden frame.
    RoundedRect(cr, px, py, pw, ph, style.radius);
    SetLinear(cr, 0, py, 0, py + ph, {{0, kWoodLight}, {0.5, kWood}, {1, kWoodDark}});
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip(cr);
    WoodGrain(cr, px, py, pw, ph, seed);
    cairo_restore(cr);
    RoundedRect(cr, px, py, pw, ph, style.radius);
    SetColor(cr, Hex(0x1E0C04));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // Top bevel.
    RoundedRect(cr, px + 2, py + 2, pw - 4, ph - 4, style.radius - 2);
    SetLinear(cr, 0, py, 0, py + ph, {{0, Rgb{1, 1, 1}, 0.35}, {0.2, Rgb{1, 1, 1}, 0}, {1, Rgb{0, 0, 0}, 0.2}});
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // Brass trim and the face.
    const double f = style.frame;
    const double ir = std::max(4.0, style.radius - f * 0.6);
    RoundedRect(cr, px + f - 3, py + f - 3, pw - 2 * f + 6, ph - 2 * f + 6, ir + 2);
    SetLinear(cr, px, py, px + pw, py + ph, {{0, kBrassLight}, {0.4, kBrass}, {1, kBrassDark}});
    cairo_fill(cr);
    RoundedRect(cr, px + f, py + f, pw - 2 * f, ph - 2 * f, ir);
    if (style.parchment)
    {
        SetLinear(cr, 0, py + f, 0, py + ph - f, {{0, kParchLight}, {0.6, kParch}, {1, Mix(kParch, kParchDark, 0.5)}});
    }
    else
    {
        // Sea glass: for dialogs whose texts are light (white, pale yellow).
        SetLinear(cr, 0, py + f, 0, py + ph - f, {{0, Hex(0x4A939A)}, {0.5, Hex(0x347A84)}, {1, Hex(0x205660)}});
    }
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip(cr);
    // Vignette on the face and paper grain.
    const double cx = px + pw / 2;
    const double cy = py + ph / 2;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, pw / ph, 1);
    SetRadial(cr, 0, 0, ph * 0.3, 0, 0, ph * 0.62,
              {{0, kParchDark, 0},
               {1, style.parchment ? Darken(kParchDark, 0.2) : Hex(0x0A2A30), style.parchment ? 0.45 : 0.35}});
    cairo_paint(cr);
    cairo_restore(cr);
    Rng rng(seed + 1);
    const int specks = static_cast<int>(pw * ph / 90);
    for (int i = 0; i < specks; ++i)
    {
        cairo_arc(cr, rng.Range(px, px + pw), rng.Range(py, py + ph), rng.Range(0.4, 1.2), 0, 2 * M_PI);
        SetColor(cr, rng.Uniform() < 0.6 ? kParchDark : kParchLight,
                 rng.Range(0.1, 0.35) * (style.parchment ? 1.0 : 0.4));
        cairo_fill(cr);
    }
    // Inner shadow under the frame.
    RoundedRect(cr, px + f, py + f, pw - 2 * f, ph - 2 * f, ir);
    SetColor(cr, Hex(0x3A2208), 0.35);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    cairo_restore(cr);
    RoundedRect(cr, px + f, py + f, pw - 2 * f, ph - 2 * f, ir);
    SetColor(cr, kBrassDark);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    if (style.rivets)
    {
        const double rr = std::max(2.5, f * 0.28);
        const double o = f * 0.5 + 1;
        Rivet(cr, px + o + 2, py + o + 2, rr);
        Rivet(cr, px + pw - o - 2, py + o + 2, rr);
        Rivet(cr, px + o + 2, py + ph - o - 2, rr);
        Rivet(cr, px + pw - o - 2, py + ph - o - 2, rr);
    }
}

void DrawInset(cairo_t* cr, double x, double y, double w, double h, double radius, Rgb face)
{
    RoundedRect(cr, x, y, w, h, radius);
    SetLinear(cr, 0, y, 0, y + h, {{0, Darken(face, 0.12)}, {0.3, face}, {1, Lighten(face, 0.15)}});
    cairo_fill_preserve(cr);
    SetColor(cr, Hex(0x5A3A18), 0.8);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    RoundedRect(cr, x + 1.5, y + 1.5, w - 3, h - 3, radius - 1);
    SetLinear(cr, 0, y, 0, y + h, {{0, Hex(0x000000), 0.25}, {0.3, Hex(0x000000), 0}, {1, Rgb{1, 1, 1}, 0.4}});
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

void DrawTitlePlaque(Canvas& canvas, double cx, double cy, double w, double h,
                     const std::string& title, double textSize)
{
    cairo_t* cr = canvas.Cr();
    const double x = cx - w / 2;
    const double y = cy - h / 2;
    SoftShadow(
        canvas, [&](cairo_t* c) { RoundedRect(c, x, y, w, h, h / 2); }, Hex(0x000000), 0.5, 3, 0, 2);
    RoundedRect(cr, x, y, w, h, h / 2);
    SetLinear(cr, 0, y, 0, y + h, {{0, kBrassLight}, {0.5, kBrass}, {1, kBrassDark}});
    cairo_fill(cr);
    RoundedRect(cr, x + 3, y + 3, w - 6, h - 6, h / 2 - 3);
    SetLinear(cr, 0, y, 0, y + h, {{0, kWoodLight}, {1, kWoodDark}});
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip(cr);
    WoodGrain(cr, x, y, w, h, static_cast<std::uint64_t>(w * 7 + h));
    cairo_restore(cr);
    TextStyle ts;
    ts.face = Face::Display;
    ts.size = textSize;
    ts.outlineWidth = 1.6;
    DrawText(cr, title, cx, cy, ts, Hex(0xFFE48A), kLabelRim);
}

void DrawDivider(cairo_t* cr, double cx, double y, double halfWidth)
{
    cairo_move_to(cr, cx - halfWidth, y);
    cairo_line_to(cr, cx + halfWidth, y);
    SetLinear(cr, cx - halfWidth, 0, cx + halfWidth, 0,
              {{0, kBrass, 0}, {0.2, kBrassDark, 0.9}, {0.8, kBrassDark, 0.9}, {1, kBrass, 0}});
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_move_to(cr, cx, y - 5);
    cairo_line_to(cr, cx + 5, y);
    cairo_line_to(cr, cx, y + 5);
    cairo_line_to(cr, cx - 5, y);
    cairo_close_path(cr);
    SetColor(cr, kBrass);
    cairo_fill_preserve(cr);
    SetColor(cr, kBrassDark);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

Rgb ButtonLabelColour(ButtonState state)
{
    switch (state)
    {
    case ButtonState::Over:
        return Hex(0xFFFFE0);
    case ButtonState::Down:
        return Hex(0xE8D8B0);
    case ButtonState::Disabled:
        return Hex(0x5A564E);
    default:
        return kLabel;
    }
}

void DrawButton(Canvas& canvas, double x, double y, double w, double h, ButtonState state,
                const std::string& label, double labelSize, int lamp)
{
    cairo_t* cr = canvas.Cr();
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    const bool down = state == ButtonState::Down;
    const bool disabled = state == ButtonState::Disabled;
    const bool over = state == ButtonState::Over;
    const double shift = down ? 1 : 0;
    const double bx = x + 1;
    const double by = y + 1 + shift;
    const double bw = w - 2;
    const double bh = h - 3;
    const double r = std::min(bh * 0.45, 14.0);
    // Shadow under the button (smaller when pressed).
    RoundedRect(cr, bx + 0.5, by + (down ? 1 : 2), bw - 1, bh, r);
    SetColor(cr, Hex(0x000000), down ? 0.25 : 0.4);
    cairo_fill(cr);
    // Brass rim.
    RoundedRect(cr, bx, by, bw, bh, r);
    if (disabled)
    {
        SetLinear(cr, 0, by, 0, by + bh, {{0, Hex(0xD8D4CC)}, {1, Hex(0x8A867E)}});
    }
    else
    {
        SetLinear(cr, 0, by, 0, by + bh,
                  {{0, over ? Lighten(kBrassLight, 0.3) : kBrassLight}, {0.5, kBrass}, {1, kBrassDark}});
    }
    cairo_fill(cr);
    // Wooden face.
    const double rim = std::max(2.0, std::min(3.0, bh * 0.1));
    RoundedRect(cr, bx + rim, by + rim, bw - 2 * rim, bh - 2 * rim, std::max(2.0, r - rim));
    Rgb top = Hex(0x9A5A2C);
    Rgb bottom = Hex(0x4A2410);
    if (over)
    {
        top = Hex(0xC07838);
        bottom = Hex(0x6E3818);
    }
    else if (down)
    {
        top = Hex(0x4A240E);
        bottom = Hex(0x6A3818);
    }
    else if (disabled)
    {
        top = Hex(0xB4AEA4);
        bottom = Hex(0x8E887E);
    }
    SetLinear(cr, 0, by + rim, 0, by + bh - rim, {{0, top}, {1, bottom}});
    cairo_fill_preserve(cr);
    if (!disabled)
    {
        cairo_save(cr);
        cairo_clip(cr);
        WoodGrain(cr, bx, by, bw, bh, static_cast<std::uint64_t>(w * 31 + h * 7));
        // Gloss on the upper half (none when pressed: the face is in shadow).
        if (!down)
        {
            RoundedRect(cr, bx + rim + 2, by + rim + 1, bw - 2 * rim - 4, (bh - 2 * rim) * 0.45,
                        std::max(2.0, r - rim - 1));
            SetLinear(cr, 0, by + rim, 0, by + bh * 0.5,
                      {{0, Rgb{1, 1, 1}, over ? 0.42 : 0.3}, {1, Rgb{1, 1, 1}, 0.04}});
            cairo_fill(cr);
        }
        else
        {
            RoundedRect(cr, bx + rim, by + rim, bw - 2 * rim, bh - 2 * rim, std::max(2.0, r - rim));
            SetColor(cr, Hex(0x000000), 0.35);
            cairo_set_line_width(cr, 3);
            cairo_stroke(cr);
        }
        cairo_restore(cr);
    }
    RoundedRect(cr, bx, by, bw, bh, r);
    SetColor(cr, disabled ? Hex(0x5A5650) : Hex(0x2A1206));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    double textCx = bx + bw / 2;
    if (lamp >= 0)
    {
        const double lr = std::min(bh * 0.26, 9.0);
        const double lx = bx + rim + lr + 6;
        const double ly = by + bh / 2;
        if (lamp == 1 && !disabled)
        {
            SoftShadow(
                canvas, [&](cairo_t* c) { cairo_arc(c, lx, ly, lr + 1, 0, 2 * M_PI); }, Hex(0x9AFF6A),
                0.9, 4, 0, 0);
        }
        cairo_arc(cr, lx, ly, lr, 0, 2 * M_PI);
        if (disabled)
        {
            SetColor(cr, Hex(0x8A8680));
        }
        else if (lamp == 1)
        {
            SetRadial(cr, lx - lr * 0.3, ly - lr * 0.3, 0.5, lx, ly, lr,
                      {{0, Hex(0xF0FFE0)}, {0.5, Hex(0x6AE040)}, {1, Hex(0x1E7A10)}});
        }
        else
        {
            SetRadial(cr, lx - lr * 0.3, ly - lr * 0.3, 0.5, lx, ly, lr,
                      {{0, Hex(0xB07060)}, {1, Hex(0x401410)}});
        }
        cairo_fill_preserve(cr);
        SetColor(cr, Hex(0x1A0A04));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        textCx = (lx + lr + bx + bw - rim) / 2 + 1;
    }
    if (!label.empty())
    {
        TextStyle ts;
        ts.face = Face::Display;
        ts.size = labelSize;
        ts.outlineWidth = disabled ? 0 : 1.6;
        DrawText(cr, label, textCx, by + bh / 2 - 0.5, ts, ButtonLabelColour(state), kLabelRim);
    }
    cairo_restore(cr);
}

} // namespace AssetGen
