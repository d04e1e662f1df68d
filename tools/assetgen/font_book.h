// The free fonts the generator draws with, opened through FreeType.
// SPDX-License-Identifier: MIT
//
// Fonts come from Debian font packages (see scripts/debian-packages.txt);
// Open() fails with a message naming the missing file. Labels on pictures are
// drawn with cairo through the same FreeType faces, without hinting, so that
// they look the same on every machine with the same packages.
#pragma once

#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <string>

namespace AssetGen
{

struct Rgb;

enum class Face
{
    Display,      // Lobster Two, bold italic: titles, display words
    Script,       // Dancing Script bold
    ScriptLight,  // Dancing Script regular
    Serif,        // Linux Libertine regular
    SerifBold,    // Linux Libertine bold
    Rounded,      // Comfortaa bold
    RoundedLight, // Comfortaa regular
    Chancery,     // Z003 medium italic
    Sans,         // DejaVu Sans bold, for tiny figures
    Count
};

class FontBook
{
public:
    // Opens every face; false with `error` set when one is missing.
    [[nodiscard]] static bool Open(std::string& error);
    static void Close();

    [[nodiscard]] static FT_Library Library();
    [[nodiscard]] static FT_Face FtFace(Face face);
    [[nodiscard]] static const char* FilePath(Face face);
    // Selects the face into cr at the given pixel size.
    static void Use(cairo_t* cr, Face face, double sizePx);
};

enum class Align
{
    Left,
    Centre,
    Right
};

struct TextStyle
{
    Face face = Face::Display;
    double size = 20;
    Align align = Align::Centre;
    double outlineWidth = 0; // dark rim around the letters
    double shadow = 0;       // soft drop shadow distance
};

// Draws one line with its ink box centred vertically on y (x by `align`).
// Fill, outline and shadow colours as given.
void DrawText(cairo_t* cr, const std::string& text, double x, double y, const TextStyle& style,
              const Rgb& fill, const Rgb& outline, double outlineAlpha = 1.0);
[[nodiscard]] double TextWidth(cairo_t* cr, const std::string& text, Face face, double size);

} // namespace AssetGen
