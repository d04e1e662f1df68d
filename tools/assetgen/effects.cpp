// Frame animations: the dynamite blast and the two conversions, with their
// effect description files.
// SPDX-License-Identifier: MIT
//
// Each animation is one "[effect]" with auto-hide and a frame list; every
// frame names its own picture (the game shows each picture whole, stretched
// to the frame size). Lines end with a carriage return and a line feed.
#include "tools/assetgen/art_objects.h"
#include "tools/assetgen/draw.h"
#include "tools/assetgen/generators.h"

#include <cmath>
#include <sstream>
#include <string>

namespace AssetGen
{

namespace
{

constexpr int kFrames = 8;

struct EffectSpec
{
    const char* name;   // "boom"
    int size;           // frame width and height
    int frameTimeMs;
};

const EffectSpec kBoom{"boom", 140, 70};
const EffectSpec kTrashToGold{"t2g", 100, 65};
const EffectSpec kGoldToJewel{"g2j", 100, 65};

void DrawBoomFrame(Canvas& c, int frame)
{
    cairo_t* cr = c.Cr();
    const double t = static_cast<double>(frame) / (kFrames - 1);
    const double cx = 70;
    const double cy = 70;
    // Shock ring.
    const double ring = 14 + 54 * t;
    cairo_arc(cr, cx, cy, ring, 0, 2 * M_PI);
    SetColor(cr, Hex(0xE8FFFF), 0.7 * (1 - t));
    cairo_set_line_width(cr, 5 * (1 - t) + 1);
    cairo_stroke(cr);
    // Smoke puffs that grow and darken.
    Rng rng(900);
    for (int i = 0; i < 9; ++i)
    {
        const double a = rng.Range(0, 2 * M_PI);
        const double d = (10 + 38 * t) * rng.Range(0.6, 1.0);
        const double r = (8 + 18 * t) * rng.Range(0.7, 1.2);
        const double x = cx + d * std::cos(a);
        const double y = cy + d * std::sin(a) - 8 * t;
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        const Rgb smoke = Mix(Hex(0x8A6A50), Hex(0x3A4048), t);
        SetColor(cr, smoke, 0.75 * (1 - t * 0.85));
        cairo_fill(cr);
    }
    // Fireball.
    const double fire = (frame < 5) ? 10 + 34 * std::sin(t * M_PI * 0.9) : 30 * (1 - t) + 4;
    SetRadial(cr, cx, cy, 0, cx, cy, fire,
              {{0, Hex(0xFFFFF0), frame < 4 ? 1.0 : 0.6},
               {0.35, Hex(0xFFE060), 0.95 * (1 - t * 0.6)},
               {0.7, Hex(0xFF7A20), 0.8 * (1 - t * 0.7)},
               {1, Hex(0xC02010), 0}});
    cairo_arc(cr, cx, cy, fire, 0, 2 * M_PI);
    cairo_fill(cr);
    // Flying sparks and bubbles.
    for (int i = 0; i < 12; ++i)
    {
        const double a = 2 * M_PI * i / 12 + 0.2;
        const double d = 12 + 56 * t;
        const double x = cx + d * std::cos(a);
        const double y = cy + d * std::sin(a);
        if (frame < 5)
        {
            Star(cr, x, y, 5 * (1 - t) + 1.5, 1.2, 4, a);
            SetColor(cr, Hex(0xFFE8A0), 1 - t);
            cairo_fill(cr);
        }
        else
        {
            cairo_arc(cr, x, y - 10 * t, 3.5, 0, 2 * M_PI);
            SetColor(cr, Hex(0xE8FFFF), 0.8 * (1 - t) + 0.2);
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
        }
    }
}

// Swirl of sparkles that gathers into the new object (a coin or a jewel).
void DrawConversionFrame(Canvas& c, int frame, bool toJewel)
{
    cairo_t* cr = c.Cr();
    const double t = static_cast<double>(frame) / (kFrames - 1);
    const double cx = 50;
    const double cy = 50;
    const Rgb glow = toJewel ? Hex(0x9AD8FF) : Hex(0xFFE070);
    const Rgb spark = toJewel ? Hex(0xE8F6FF) : Hex(0xFFF6C0);
    // Glow that swells then settles.
    const double g = 20 + 24 * std::sin(t * M_PI);
    SetRadial(cr, cx, cy, 0, cx, cy, g, {{0, glow, 0.85 * (1 - t * 0.5)}, {1, glow, 0}});
    cairo_arc(cr, cx, cy, g, 0, 2 * M_PI);
    cairo_fill(cr);
    // The new object fades in over the second half.
    if (t > 0.35)
    {
        const double k = std::min(1.0, (t - 0.35) / 0.45);
        Canvas piece(100, 100);
        if (toJewel)
        {
            DrawJewel(piece, 2, 50, 50, 0.75 * (0.6 + 0.4 * k), false);
        }
        else
        {
            DrawCoin(piece.Cr(), 50, 50, 20 * (0.6 + 0.4 * k));
        }
        Blit(cr, piece, 0, 0, 1.0, k);
    }
    // Spiral of sparkles moving inwards.
    for (int i = 0; i < 10; ++i)
    {
        const double a = 2 * M_PI * i / 10 + t * 4.0;
        const double d = 44 * (1 - t) + 6;
        const double x = cx + d * std::cos(a);
        const double y = cy + d * std::sin(a);
        const double s = 3 + 4 * std::sin((t + i * 0.1) * M_PI);
        Star(cr, x, y, s, s * 0.25, 4, a);
        SetColor(cr, spark, 0.95 - 0.5 * t);
        cairo_fill(cr);
    }
    if (frame == kFrames - 1)
    {
        Star(cr, 36, 34, 9, 1.8, 4, 0);
        SetColor(cr, Rgb{1, 1, 1}, 0.9);
        cairo_fill(cr);
    }
}

void AddEffect(AssetStore& store, const EffectSpec& spec, int kind)
{
    std::ostringstream eff;
    const std::string folder = std::string("images/effects/") + spec.name + "/";
    eff << "[animation]\r\n";
    eff << "image=\"" << folder << "1.png\"\r\n";
    eff << "frame_w=" << spec.size << "\r\n";
    eff << "frame_h=" << spec.size << "\r\n";
    eff << "\r\n";
    eff << "[effect]=\"" << spec.name << "\"\r\n";
    eff << "autohide=1\r\n";
    eff << "time=" << spec.frameTimeMs << "\r\n";
    for (int f = 0; f < kFrames; ++f)
    {
        Canvas c(spec.size, spec.size);
        if (kind == 0)
        {
            DrawBoomFrame(c, f);
        }
        else
        {
            DrawConversionFrame(c, f, kind == 2);
        }
        const std::string path = folder + std::to_string(f + 1) + ".png";
        store.AddPicture(path, c);
        eff << "[frame]\r\n";
        eff << "index=" << f << "\r\n";
        eff << "time=" << spec.frameTimeMs << "\r\n";
        eff << "image=\"" << path << "\"\r\n";
    }
    store.AddText(std::string("effects/") + spec.name + ".eff", eff.str());
}

} // namespace

void GenerateEffects(AssetStore& store)
{
    AddEffect(store, kBoom, 0);
    AddEffect(store, kTrashToGold, 1);
    AddEffect(store, kGoldToJewel, 2);
}

} // namespace AssetGen
