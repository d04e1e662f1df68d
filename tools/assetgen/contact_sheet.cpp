// The contact sheet: every picture of the game on one page with its path.
// SPDX-License-Identifier: MIT
#include "tools/assetgen/draw.h"
#include "tools/assetgen/font_book.h"
#include "tools/assetgen/generators.h"

#include <algorithm>
#include <cstring>

namespace AssetGen
{

namespace
{

constexpr int kSheetWidth = 2400;
constexpr int kMargin = 16;
constexpr int kLabelHeight = 16;
constexpr int kMaxThumb = 420; // large pictures are shown scaled down

// A canvas holding a stored picture's pixels.
void PaintPicture(cairo_t* cr, const StoredPicture& pic, double x, double y, double scale)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pic.width, pic.height);
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int row = 0; row < pic.height; ++row)
    {
        std::memcpy(data + static_cast<size_t>(row) * stride,
                    &pic.argb[static_cast<size_t>(row) * pic.width], static_cast<size_t>(pic.width) * 4);
    }
    cairo_surface_mark_dirty(s);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, s, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(s);
}

void Checker(cairo_t* cr, double x, double y, double w, double h)
{
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    SetColor(cr, Hex(0x2A3A48));
    cairo_paint(cr);
    SetColor(cr, Hex(0x33475A));
    for (double yy = y; yy < y + h; yy += 8)
    {
        for (double xx = x + (static_cast<int>((yy - y) / 8) % 2) * 8; xx < x + w; xx += 16)
        {
            cairo_rectangle(cr, xx, yy, 8, 8);
        }
    }
    cairo_fill(cr);
    cairo_restore(cr);
}

struct Placed
{
    const std::string* path;
    const StoredPicture* pic;
    double x, y, scale;
};

} // namespace

void PaintStoredPicture(cairo_t* cr, const StoredPicture& pic, double x, double y, double scale)
{
    PaintPicture(cr, pic, x, y, scale);
}

bool WriteContactSheet(const AssetStore& store, const std::string& path, std::string& error)
{
    // Shelf packing in path order; a cell is as wide as its picture or its label.
    Canvas measure(1, 1);
    std::vector<Placed> placed;
    double x = kMargin;
    double y = kMargin;
    double shelf = 0;
    for (const auto& [name, pic] : store.Pictures())
    {
        const double scale =
            std::min(1.0, static_cast<double>(kMaxThumb) / std::max(pic.width, pic.height));
        const std::string label = name + "  " + std::to_string(pic.width) + "x" + std::to_string(pic.height);
        const double w = std::max(pic.width * scale, TextWidth(measure.Cr(), label, Face::Sans, 10));
        const double h = pic.height * scale + kLabelHeight;
        if (x + w > kSheetWidth - kMargin)
        {
            x = kMargin;
            y += shelf + kMargin;
            shelf = 0;
        }
        placed.push_back({&name, &pic, x, y, scale});
        x += w + kMargin;
        shelf = std::max(shelf, h);
    }
    const int height = static_cast<int>(y + shelf + kMargin);
    Canvas sheet(kSheetWidth, height);
    cairo_t* cr = sheet.Cr();
    SetColor(cr, Hex(0x18222C));
    cairo_paint(cr);
    for (const Placed& p : placed)
    {
        Checker(cr, p.x, p.y, p.pic->width * p.scale, p.pic->height * p.scale);
        PaintPicture(cr, *p.pic, p.x, p.y, p.scale);
        TextStyle label;
        label.face = Face::Sans;
        label.size = 10;
        label.align = Align::Left;
        std::string text = *p.path + "  " + std::to_string(p.pic->width) + "x" +
                           std::to_string(p.pic->height);
        DrawText(cr, text, p.x, p.y + p.pic->height * p.scale + 8, label, Hex(0xE0E8F0),
                 Rgb{0, 0, 0});
    }
    Bytes png = sheet.EncodePng();
    return WriteFileAtomically(path, png, error);
}

} // namespace AssetGen
