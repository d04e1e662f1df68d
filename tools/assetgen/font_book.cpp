// FreeType faces of the generator and text drawing through cairo.
// SPDX-License-Identifier: MIT
#include "tools/assetgen/font_book.h"

#include "tools/assetgen/draw.h"

#include <cairo-ft.h>

#include <array>

namespace AssetGen
{

namespace
{

constexpr std::array<const char*, static_cast<size_t>(Face::Count)> kFontFiles = {
    "/usr/share/fonts/opentype/lobster/lobster.otf",
    "/usr/share/fonts/opentype/dancingscript/DancingScript-Bold.otf",
    "/usr/share/fonts/opentype/dancingscript/DancingScript-Regular.otf",
    "/usr/share/fonts/opentype/linux-libertine/LinLibertine_R.otf",
    "/usr/share/fonts/opentype/linux-libertine/LinLibertine_RB.otf",
    "/usr/share/fonts/truetype/comfortaa/Comfortaa-Bold.ttf",
    "/usr/share/fonts/truetype/comfortaa/Comfortaa-Regular.ttf",
    "/usr/share/fonts/opentype/urw-base35/Z003-MediumItalic.otf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
};

struct State
{
    FT_Library library = nullptr;
    std::array<FT_Face, static_cast<size_t>(Face::Count)> faces{};
    std::array<cairo_font_face_t*, static_cast<size_t>(Face::Count)> cairoFaces{};
};

State& GetState()
{
    static State state;
    return state;
}

} // namespace

bool FontBook::Open(std::string& error)
{
    State& s = GetState();
    if (s.library != nullptr)
    {
        return true;
    }
    if (FT_Init_FreeType(&s.library) != 0)
    {
        error = "FreeType does not start";
        return false;
    }
    for (size_t i = 0; i < kFontFiles.size(); ++i)
    {
        if (FT_New_Face(s.library, kFontFiles[i], 0, &s.faces[i]) != 0)
        {
            error = std::string("cannot open the font ") + kFontFiles[i] +
                    " (install the fonts listed in scripts/debian-packages.txt)";
            Close();
            return false;
        }
        s.cairoFaces[i] = cairo_ft_font_face_create_for_ft_face(s.faces[i], 0);
    }
    return true;
}

void FontBook::Close()
{
    State& s = GetState();
    for (size_t i = 0; i < s.faces.size(); ++i)
    {
        if (s.cairoFaces[i] != nullptr)
        {
            cairo_font_face_destroy(s.cairoFaces[i]);
            s.cairoFaces[i] = nullptr;
        }
    }
    // cairo may hold its faces in a cache until it is reset; the FreeType
    // faces must outlive them.
    cairo_debug_reset_static_data();
    for (auto& f : s.faces)
    {
        if (f != nullptr)
        {
            FT_Done_Face(f);
            f = nullptr;
        }
    }
    if (s.library != nullptr)
    {
        FT_Done_FreeType(s.library);
        s.library = nullptr;
    }
}

FT_Library FontBook::Library()
{
    return GetState().library;
}

FT_Face FontBook::FtFace(Face face)
{
    return GetState().faces[static_cast<size_t>(face)];
}

const char* FontBook::FilePath(Face face)
{
    return kFontFiles[static_cast<size_t>(face)];
}

void FontBook::Use(cairo_t* cr, Face face, double sizePx)
{
    cairo_set_font_face(cr, GetState().cairoFaces[static_cast<size_t>(face)]);
    cairo_set_font_size(cr, sizePx);
    cairo_font_options_t* opts = cairo_font_options_create();
    cairo_font_options_set_hint_style(opts, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(opts, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(opts, CAIRO_ANTIALIAS_GRAY);
    cairo_set_font_options(cr, opts);
    cairo_font_options_destroy(opts);
}

double TextWidth(cairo_t* cr, const std::string& text, Face face, double size)
{
    cairo_save(cr);
    FontBook::Use(cr, face, size);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    cairo_restore(cr);
    return ext.x_advance;
}

void DrawText(cairo_t* cr, const std::string& text, double x, double y, const TextStyle& style,
              const Rgb& fill, const Rgb& outline, double outlineAlpha)
{
    cairo_save(cr);
    FontBook::Use(cr, style.face, style.size);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    double left = x - ext.x_bearing;
    if (style.align == Align::Centre)
    {
        left = x - ext.x_bearing - ext.width / 2;
    }
    else if (style.align == Align::Right)
    {
        left = x - ext.x_bearing - ext.width;
    }
    const double baseline = y - ext.y_bearing - ext.height / 2;
    if (style.shadow > 0)
    {
        cairo_move_to(cr, left + style.shadow * 0.6, baseline + style.shadow);
        cairo_text_path(cr, text.c_str());
        SetColor(cr, Rgb{0, 0, 0}, 0.45);
        cairo_fill(cr);
    }
    cairo_move_to(cr, left, baseline);
    cairo_text_path(cr, text.c_str());
    if (style.outlineWidth > 0)
    {
        SetColor(cr, outline, outlineAlpha);
        cairo_set_line_width(cr, style.outlineWidth * 2);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
    }
    SetColor(cr, fill);
    cairo_fill(cr);
    cairo_restore(cr);
}

} // namespace AssetGen
