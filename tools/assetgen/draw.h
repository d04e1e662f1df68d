// Drawing helpers shared by every picture of the generator: colours, shapes,
// gradients, soft shadows and a seeded random source.
// SPDX-License-Identifier: MIT
//
// Every random choice in a picture comes from a Rng seeded with a constant, so
// the pictures are the same on every run.
#pragma once

#include "tools/assetgen/canvas.h"

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <utility>

namespace AssetGen
{

struct Rgb
{
    double r = 0;
    double g = 0;
    double b = 0;
};

// 0xRRGGBB
constexpr Rgb Hex(std::uint32_t v)
{
    return Rgb{((v >> 16) & 0xFF) / 255.0, ((v >> 8) & 0xFF) / 255.0, (v & 0xFF) / 255.0};
}

Rgb Mix(Rgb a, Rgb b, double t);
Rgb Lighten(Rgb c, double t); // towards white
Rgb Darken(Rgb c, double t);  // towards black
Rgb Grey(Rgb c, double t);    // towards its own luminance

void SetColor(cairo_t* cr, Rgb c, double alpha = 1.0);

class Rng
{
public:
    explicit Rng(std::uint64_t seed) : state(seed * 0x9E3779B97F4A7C15ull + 1) {}
    std::uint32_t Next();
    double Uniform(); // [0, 1)
    double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
    int Int(int lo, int hi); // [lo, hi]

private:
    std::uint64_t state;
};

struct Stop
{
    double offset;
    Rgb color;
    double alpha = 1.0;
};

// Gradients; the caller's cairo context takes them as source.
void SetLinear(cairo_t* cr, double x0, double y0, double x1, double y1,
               std::initializer_list<Stop> stops);
void SetRadial(cairo_t* cr, double cx0, double cy0, double r0, double cx1, double cy1, double r1,
               std::initializer_list<Stop> stops);

// Paths (no fill or stroke).
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
void RegularPolygon(cairo_t* cr, double cx, double cy, double r, int sides, double rotation);
void Star(cairo_t* cr, double cx, double cy, double outer, double inner, int points,
          double rotation);
void Heart(cairo_t* cr, double cx, double cy, double size);
void Drop(cairo_t* cr, double cx, double cy, double size);
void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);

// Draws `shape` (which must build a path and fill it itself, or just build a
// path: it is filled with `color`) blurred under the current picture: used for
// soft shadows and glows.
void SoftShadow(Canvas& canvas, const std::function<void(cairo_t*)>& shape, Rgb color,
                double alpha, double blur, double dx, double dy);

// A gentle random speckle (grain) over the whole canvas inside the current
// clip, for wood, sand and parchment.
void Grain(Canvas& canvas, std::uint64_t seed, double amount, int count);

// Blits a canvas onto another at (x, y) with an optional scale.
void Blit(cairo_t* cr, const Canvas& src, double x, double y, double scale = 1.0,
          double alpha = 1.0);

} // namespace AssetGen
