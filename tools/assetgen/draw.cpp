// Shared drawing helpers of the asset generator.
// SPDX-License-Identifier: MIT
#include "tools/assetgen/draw.h"

#include <algorithm>
#include <cmath>

namespace AssetGen
{

Rgb Mix(Rgb a, Rgb b, double t)
{
    return Rgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Lighten(Rgb c, double t)
{
    return Mix(c, Rgb{1, 1, 1}, t);
}

Rgb Darken(Rgb c, double t)
{
    return Mix(c, Rgb{0, 0, 0}, t);
}

Rgb Grey(Rgb c, double t)
{
    const double l = 0.3 * c.r + 0.59 * c.g + 0.11 * c.b;
    return Mix(c, Rgb{l, l, l}, t);
}

void SetColor(cairo_t* cr, Rgb c, double alpha)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

std::uint32_t Rng::Next()
{
    // splitmix64: small, fast and the same everywhere.
    state += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
}

double Rng::Uniform()
{
    return Next() / 4294967296.0;
}

int Rng::Int(int lo, int hi)
{
    return lo + static_cast<int>(Next() % static_cast<std::uint32_t>(hi - lo + 1));
}

namespace
{

void AddStops(cairo_pattern_t* p, std::initializer_list<Stop> stops)
{
    for (const Stop& s : stops)
    {
        cairo_pattern_add_color_stop_rgba(p, s.offset, s.color.r, s.color.g, s.color.b, s.alpha);
    }
}

} // namespace

void SetLinear(cairo_t* cr, double x0, double y0, double x1, double y1,
               std::initializer_list<Stop> stops)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
    AddStops(p, stops);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
}

void SetRadial(cairo_t* cr, double cx0, double cy0, double r0, double cx1, double cy1, double r1,
               std::initializer_list<Stop> stops)
{
    cairo_pattern_t* p = cairo_pattern_create_radial(cx0, cy0, r0, cx1, cy1, r1);
    AddStops(p, stops);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r)
{
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
    cairo_close_path(cr);
}

void RegularPolygon(cairo_t* cr, double cx, double cy, double r, int sides, double rotation)
{
    cairo_new_sub_path(cr);
    for (int i = 0; i < sides; ++i)
    {
        const double a = rotation + 2 * M_PI * i / sides;
        cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
}

void Star(cairo_t* cr, double cx, double cy, double outer, double inner, int points,
          double rotation)
{
    cairo_new_sub_path(cr);
    for (int i = 0; i < points * 2; ++i)
    {
        const double a = rotation + M_PI * i / points;
        const double r = (i % 2 == 0) ? outer : inner;
        cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
}

void Heart(cairo_t* cr, double cx, double cy, double s)
{
    // Two lobes and a point, within a box of about 2s × 2s around the centre.
    cairo_new_sub_path(cr);
    cairo_move_to(cr, cx, cy + s * 0.95);
    cairo_curve_to(cr, cx - s * 0.35, cy + s * 0.6, cx - s * 1.0, cy + s * 0.15, cx - s * 0.98,
                   cy - s * 0.35);
    cairo_curve_to(cr, cx - s * 0.96, cy - s * 0.85, cx - s * 0.3, cy - s * 1.0, cx, cy - s * 0.5);
    cairo_curve_to(cr, cx + s * 0.3, cy - s * 1.0, cx + s * 0.96, cy - s * 0.85, cx + s * 0.98,
                   cy - s * 0.35);
    cairo_curve_to(cr, cx + s * 1.0, cy + s * 0.15, cx + s * 0.35, cy + s * 0.6, cx, cy + s * 0.95);
    cairo_close_path(cr);
}

void Drop(cairo_t* cr, double cx, double cy, double s)
{
    // Pointed top, round bottom.
    cairo_new_sub_path(cr);
    cairo_move_to(cr, cx, cy - s);
    cairo_curve_to(cr, cx + s * 0.25, cy - s * 0.55, cx + s * 0.78, cy - s * 0.1, cx + s * 0.78,
                   cy + s * 0.33);
    cairo_curve_to(cr, cx + s * 0.78, cy + s * 0.78, cx + s * 0.42, cy + s, cx, cy + s);
    cairo_curve_to(cr, cx - s * 0.42, cy + s, cx - s * 0.78, cy + s * 0.78, cx - s * 0.78,
                   cy + s * 0.33);
    cairo_curve_to(cr, cx - s * 0.78, cy - s * 0.1, cx - s * 0.25, cy - s * 0.55, cx, cy - s);
    cairo_close_path(cr);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

void SoftShadow(Canvas& canvas, const std::function<void(cairo_t*)>& shape, Rgb color,
                double alpha, double blur, double dx, double dy)
{
    // The shape is drawn under the target's own transformation, so shadows
    // follow pictures drawn scaled or moved.
    Canvas layer(canvas.Width(), canvas.Height());
    cairo_t* c = layer.Cr();
    cairo_matrix_t m;
    cairo_get_matrix(canvas.Cr(), &m);
    cairo_set_matrix(c, &m);
    cairo_translate(c, dx, dy);
    SetColor(c, color, alpha);
    shape(c);
    cairo_fill(c);
    layer.Blur(blur * std::sqrt(std::abs(m.xx * m.yy - m.xy * m.yx)));
    cairo_t* cr = canvas.Cr();
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_set_source_surface(cr, layer.Surface(), 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
}

void Grain(Canvas& canvas, std::uint64_t seed, double amount, int count)
{
    cairo_t* cr = canvas.Cr();
    Rng rng(seed);
    for (int i = 0; i < count; ++i)
    {
        const double x = rng.Range(0, canvas.Width());
        const double y = rng.Range(0, canvas.Height());
        const double r = rng.Range(0.4, 1.3);
        const bool light = rng.Uniform() < 0.5;
        cairo_set_source_rgba(cr, light ? 1 : 0, light ? 1 : 0, light ? 1 : 0,
                              amount * rng.Range(0.3, 1.0));
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        cairo_fill(cr);
    }
}

void Blit(cairo_t* cr, const Canvas& src, double x, double y, double scale, double alpha)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, src.Surface(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
}

} // namespace AssetGen
