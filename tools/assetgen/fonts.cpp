// Bitmap fonts: glyph atlases rendered with FreeType and their descriptors in
// the game's font descriptor language.
// SPDX-License-Identifier: MIT
//
// Each font has a main layer (white glyphs, tinted by the text colour) and,
// for the display and dialog fonts, a shadow layer drawn first: the glyph
// grown by a pixel and a half, softened and moved a pixel down and right,
// always dark whatever the text colour. Both layers share advances and
// kerning, so the pen moves the same on either. Kerning comes from the font's
// own kerning table when it has one, otherwise from the glyph shapes: a pair
// whose facing sides leave more room than their ink boxes do is drawn closer.
#include "tools/assetgen/canvas.h"
#include "tools/assetgen/font_book.h"
#include "tools/assetgen/generators.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace AssetGen
{

namespace
{

constexpr int kFirstChar = 32;
constexpr int kLastChar = 126;
constexpr int kAtlasWidth = 512;
constexpr int kGlyphPadding = 2;
constexpr int kShadowPad = 3;

struct FontSpec
{
    const char* name;      // descriptor file name without ".txt"
    Face face;
    int pointSize;         // the descriptor's point size
    double pixelsPerPoint; // em size in pixels = points × this
    bool shadow;
    const char* character;
};

const FontSpec kFonts[] = {
    {"ArtNouveau-Bistro26Bold", Face::Display, 26, 1.15, true, "decorative display, bold"},
    {"GiddyupStd26", Face::Script, 26, 1.2, true, "playful display"},
    {"MonotypeCorsiva14Italics", Face::Chancery, 14, 1.55, false, "calligraphic italic"},
    {"Pristina18", Face::Script, 18, 1.25, true, "handwritten script"},
    {"Sylfaen19Bold", Face::SerifBold, 19, 1.15, false, "serif bold"},
    {"Sylfaen20", Face::Serif, 20, 1.15, false, "serif"},
    {"a_BosaNova14", Face::Rounded, 14, 1.2, false, "rounded sans"},
    {"a_BosaNova20", Face::Rounded, 20, 1.2, true, "rounded sans"},
};

struct Glyph
{
    int code = 0;
    int advance = 0;
    int left = 0;   // bitmap offset from the pen
    int top = 0;    // bitmap top above the baseline
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> alpha;
    // Atlas places.
    int ax = 0, ay = 0;
    int sx = 0, sy = 0, sw = 0, sh = 0;
    std::vector<std::uint8_t> shadow;
};

// Row-by-row packing of rectangles into a fixed-width atlas; returns the height.
template <typename GetSize, typename SetPos>
int PackRows(std::vector<Glyph>& glyphs, GetSize size, SetPos place)
{
    int x = kGlyphPadding;
    int y = kGlyphPadding;
    int rowH = 0;
    for (Glyph& g : glyphs)
    {
        const auto [w, h] = size(g);
        if (w == 0 || h == 0)
        {
            continue;
        }
        if (x + w + kGlyphPadding > kAtlasWidth)
        {
            x = kGlyphPadding;
            y += rowH + kGlyphPadding;
            rowH = 0;
        }
        place(g, x, y);
        x += w + kGlyphPadding;
        rowH = std::max(rowH, h);
    }
    return y + rowH + kGlyphPadding;
}

// The soft dark rim under a glyph: grown by `grow` pixels, then blurred once.
std::vector<std::uint8_t> MakeShadow(const Glyph& g, int pad, double grow)
{
    const int w = g.width + 2 * pad;
    const int h = g.height + 2 * pad;
    std::vector<float> grown(static_cast<size_t>(w) * h, 0.0f);
    const int r = static_cast<int>(std::ceil(grow));
    for (int y = 0; y < h; ++y)
    {
        for (int x = 0; x < w; ++x)
        {
            float best = 0;
            for (int dy = -r; dy <= r; ++dy)
            {
                for (int dx = -r; dx <= r; ++dx)
                {
                    const double d = std::hypot(dx, dy);
                    if (d > grow + 0.5)
                    {
                        continue;
                    }
                    const int gx = x - pad + dx;
                    const int gy = y - pad + dy;
                    if (gx < 0 || gy < 0 || gx >= g.width || gy >= g.height)
                    {
                        continue;
                    }
                    const float weight = d <= grow - 0.5 ? 1.0f : static_cast<float>(grow + 0.5 - d);
                    best = std::max(best, g.alpha[static_cast<size_t>(gy) * g.width + gx] * weight);
                }
            }
            grown[static_cast<size_t>(y) * w + x] = best;
        }
    }
    std::vector<std::uint8_t> out(grown.size());
    for (int y = 0; y < h; ++y)
    {
        for (int x = 0; x < w; ++x)
        {
            float sum = 0;
            float n = 0;
            for (int dy = -1; dy <= 1; ++dy)
            {
                for (int dx = -1; dx <= 1; ++dx)
                {
                    const int xx = x + dx;
                    const int yy = y + dy;
                    const float k = (dx == 0 && dy == 0) ? 4.0f : ((dx == 0 || dy == 0) ? 2.0f : 1.0f);
                    n += k;
                    if (xx >= 0 && yy >= 0 && xx < w && yy < h)
                    {
                        sum += grown[static_cast<size_t>(yy) * w + xx] * k;
                    }
                }
            }
            out[static_cast<size_t>(y) * w + x] =
                static_cast<std::uint8_t>(std::clamp(std::lround(sum / n * 0.62f), 0L, 255L));
        }
    }
    return out;
}

Bytes AtlasPng(const std::vector<Glyph>& glyphs, int height, bool shadow)
{
    Canvas atlas(kAtlasWidth, height);
    std::vector<std::uint32_t> px(static_cast<size_t>(kAtlasWidth) * height, 0);
    for (const Glyph& g : glyphs)
    {
        const int w = shadow ? g.sw : g.width;
        const int h = shadow ? g.sh : g.height;
        const int ox = shadow ? g.sx : g.ax;
        const int oy = shadow ? g.sy : g.ay;
        const std::vector<std::uint8_t>& a = shadow ? g.shadow : g.alpha;
        for (int y = 0; y < h; ++y)
        {
            for (int x = 0; x < w; ++x)
            {
                const std::uint32_t v = a[static_cast<size_t>(y) * w + x];
                // White, premultiplied.
                px[static_cast<size_t>(oy + y) * kAtlasWidth + ox + x] = (v << 24) | (v << 16) | (v << 8) | v;
            }
        }
    }
    atlas.SetPixels(px);
    return atlas.EncodePng();
}

// A character as a quoted one-character string of the descriptor language.
std::string Quoted(const std::string& s)
{
    if (s.find('\'') == std::string::npos)
    {
        std::string out = "'";
        for (char c : s)
        {
            if (c == '\\')
            {
                out += '\\';
            }
            out += c;
        }
        return out + "'";
    }
    std::string out = "\"";
    for (char c : s)
    {
        if (c == '\\' || c == '"')
        {
            out += '\\';
        }
        out += c;
    }
    return out + "\"";
}

// Per-row ink extents of a glyph relative to the pen, indexed by y + ascent.
struct Profile
{
    std::vector<int> left;
    std::vector<int> right;
};

Profile InkProfile(const Glyph& g, int ascent, int rows)
{
    Profile p{std::vector<int>(rows, 1 << 20), std::vector<int>(rows, -(1 << 20))};
    for (int y = 0; y < g.height; ++y)
    {
        const int row = ascent - g.top + y;
        if (row < 0 || row >= rows)
        {
            continue;
        }
        for (int x = 0; x < g.width; ++x)
        {
            if (g.alpha[static_cast<size_t>(y) * g.width + x] > 96)
            {
                p.left[row] = std::min(p.left[row], g.left + x);
                p.right[row] = std::max(p.right[row], g.left + x);
            }
        }
    }
    return p;
}

// Narrowest room between a and b set side by side without kerning, or a
// large number when they share no rows.
int SmallestGap(const Glyph& a, const Profile& pa, const Profile& pb)
{
    int best = 1 << 20;
    const int rows = static_cast<int>(pa.left.size());
    for (int r = 0; r < rows; ++r)
    {
        if (pb.left[r] > (1 << 19))
        {
            continue;
        }
        for (int d = -1; d <= 1; ++d)
        {
            const int ra = r + d;
            if (ra < 0 || ra >= rows || pa.right[ra] < -(1 << 19))
            {
                continue;
            }
            best = std::min(best, a.advance + pb.left[r] - pa.right[ra] - 1);
        }
    }
    return best;
}

bool IsKernable(int c)
{
    return std::isalnum(c) || c == '.' || c == ',' || c == '\'' || c == '"' || c == '-' || c == ':' ||
           c == ';' || c == '!' || c == '?';
}

struct KernPair
{
    int first;
    int second;
    int offset;
};

std::vector<KernPair> ComputeKerning(FT_Face face, const std::vector<Glyph>& glyphs, int ascent,
                                     int rows)
{
    std::vector<KernPair> pairs;
    if (FT_HAS_KERNING(face))
    {
        for (const Glyph& a : glyphs)
        {
            for (const Glyph& b : glyphs)
            {
                if (!IsKernable(a.code) || !IsKernable(b.code))
                {
                    continue;
                }
                FT_Vector k{};
                FT_Get_Kerning(face, FT_Get_Char_Index(face, a.code), FT_Get_Char_Index(face, b.code),
                               FT_KERNING_UNFITTED, &k);
                const int px = static_cast<int>(std::lround(k.x / 64.0));
                if (px != 0)
                {
                    pairs.push_back({a.code, b.code, std::clamp(px, -127, 127)});
                }
            }
        }
        return pairs;
    }
    std::vector<Profile> profiles;
    std::vector<int> inkLeft;
    std::vector<int> inkRight;
    for (const Glyph& g : glyphs)
    {
        profiles.push_back(InkProfile(g, ascent, rows));
        inkLeft.push_back(*std::min_element(profiles.back().left.begin(), profiles.back().left.end()));
        inkRight.push_back(*std::max_element(profiles.back().right.begin(), profiles.back().right.end()));
    }
    // A pair is kerned when its facing sides leave clearly more room than
    // its ink boxes do (A and V, T and o): half of the extra room is taken
    // back, so the letters never come closer than their boxes would.
    for (size_t i = 0; i < glyphs.size(); ++i)
    {
        for (size_t j = 0; j < glyphs.size(); ++j)
        {
            const Glyph& a = glyphs[i];
            const Glyph& b = glyphs[j];
            if (!IsKernable(a.code) || !IsKernable(b.code) || a.width == 0 || b.width == 0)
            {
                continue;
            }
            const int gap = SmallestGap(a, profiles[i], profiles[j]);
            if (gap > (1 << 19))
            {
                continue;
            }
            const int boxGap = a.advance + inkLeft[j] - inkRight[i] - 1;
            const int extra = gap - boxGap;
            if (extra >= 3)
            {
                const int offset = -std::min(static_cast<int>(std::lround(extra * 0.45)), a.advance / 3);
                if (offset <= -1)
                {
                    pairs.push_back({a.code, b.code, offset});
                }
            }
        }
    }
    return pairs;
}

template <typename T, typename Fn>
void WriteList(std::ostringstream& out, const std::vector<T>& items, Fn item)
{
    out << "(";
    for (size_t i = 0; i < items.size(); ++i)
    {
        if (i > 0)
        {
            out << ((i % 12 == 0) ? ",\n    " : ", ");
        }
        out << item(items[i]);
    }
    out << ")";
}

bool RenderFont(AssetStore& store, const FontSpec& spec, std::string& error)
{
    FT_Face face = FontBook::FtFace(spec.face);
    const double emPx = spec.pointSize * spec.pixelsPerPoint;
    if (FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(emPx * 64)), 72, 72) != 0)
    {
        error = std::string("cannot size the font for ") + spec.name;
        return false;
    }
    const int ascent = static_cast<int>(std::lround(face->size->metrics.ascender / 64.0));
    const int descent = static_cast<int>(std::lround(-face->size->metrics.descender / 64.0));
    const int lineHeight = static_cast<int>(std::lround(face->size->metrics.height / 64.0));
    std::vector<Glyph> glyphs;
    for (int code = kFirstChar; code <= kLastChar; ++code)
    {
        if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0)
        {
            error = std::string("cannot render character ") + std::to_string(code) + " of " + spec.name;
            return false;
        }
        const FT_GlyphSlot slot = face->glyph;
        Glyph g;
        g.code = code;
        g.advance = static_cast<int>(std::lround(slot->advance.x / 64.0));
        g.left = slot->bitmap_left;
        g.top = slot->bitmap_top;
        g.width = static_cast<int>(slot->bitmap.width);
        g.height = static_cast<int>(slot->bitmap.rows);
        g.alpha.resize(static_cast<size_t>(g.width) * g.height);
        for (int y = 0; y < g.height; ++y)
        {
            for (int x = 0; x < g.width; ++x)
            {
                g.alpha[static_cast<size_t>(y) * g.width + x] =
                    slot->bitmap.buffer[static_cast<size_t>(y) * slot->bitmap.pitch + x];
            }
        }
        if (spec.shadow && g.width > 0)
        {
            g.sw = g.width + 2 * kShadowPad;
            g.sh = g.height + 2 * kShadowPad;
            g.shadow = MakeShadow(g, kShadowPad, 1.3);
        }
        glyphs.push_back(std::move(g));
    }
    const int mainHeight = PackRows(
        glyphs, [](const Glyph& g) { return std::pair{g.width, g.height}; },
        [](Glyph& g, int x, int y)
        {
            g.ax = x;
            g.ay = y;
        });
    const std::string base = std::string("fonts/") + spec.name;
    store.Add(base + ".png", AtlasPng(glyphs, mainHeight, false));
    if (spec.shadow)
    {
        const int shadowHeight = PackRows(
            glyphs, [](const Glyph& g) { return std::pair{g.sw, g.sh}; },
            [](Glyph& g, int x, int y)
            {
                g.sx = x;
                g.sy = y;
            });
        store.Add(base + "_shadow.png", AtlasPng(glyphs, shadowHeight, true));
    }

    const int rows = ascent + descent + 8;
    const std::vector<KernPair> kerning = ComputeKerning(face, glyphs, ascent + 4, rows);

    std::vector<const Glyph*> all;
    std::vector<const Glyph*> inked;
    for (const Glyph& g : glyphs)
    {
        all.push_back(&g);
        if (g.width > 0)
        {
            inked.push_back(&g);
        }
    }
    auto charOf = [](const Glyph* g) { return Quoted(std::string(1, static_cast<char>(g->code))); };
    std::vector<KernPair> usable;
    for (const KernPair& k : kerning)
    {
        if (k.first != '\\' && k.second != '\\' && !(k.first == '\'' && k.second == '"') &&
            !(k.first == '"' && k.second == '\''))
        {
            usable.push_back(k);
        }
    }

    std::ostringstream d;
    d << "# " << spec.name << ": " << spec.character << ", " << spec.pointSize << " points.\n"
      << "# Glyphs rendered from " << FontBook::FilePath(spec.face) << " by the asset generator.\n\n";
    d << "SetDefaultPointSize " << spec.pointSize << ";\n\n";
    d << "CreateLayer Main;\n";
    d << "LayerSetPointSize Main " << spec.pointSize << ";\n";
    d << "LayerSetImage Main '" << spec.name << ".png';\n";
    d << "LayerSetAscent Main " << ascent << ";\n";
    d << "LayerSetHeight Main " << lineHeight << ";\n";
    d << "LayerSetLineSpacingOffset Main 0;\n";
    d << "LayerSetCharWidths Main\n    ";
    WriteList(d, all, charOf);
    d << "\n    ";
    WriteList(d, all, [](const Glyph* g) { return std::to_string(g->advance); });
    d << ";\n";
    d << "LayerSetImageMap Main\n    ";
    WriteList(d, inked, charOf);
    d << "\n    ";
    WriteList(d, inked,
              [](const Glyph* g)
              {
                  return "(" + std::to_string(g->ax) + ", " + std::to_string(g->ay) + ", " +
                         std::to_string(g->width) + ", " + std::to_string(g->height) + ")";
              });
    d << ";\n";
    d << "LayerSetCharOffsets Main\n    ";
    WriteList(d, inked, charOf);
    d << "\n    ";
    WriteList(d, inked,
              [ascent](const Glyph* g)
              { return "(" + std::to_string(g->left) + ", " + std::to_string(ascent - g->top) + ")"; });
    d << ";\n";
    if (!usable.empty())
    {
        d << "LayerSetKerningPairs Main\n    ";
        WriteList(d, usable,
                  [](const KernPair& k)
                  { return Quoted(std::string{static_cast<char>(k.first), static_cast<char>(k.second)}); });
        d << "\n    ";
        WriteList(d, usable, [](const KernPair& k) { return std::to_string(k.offset); });
        d << ";\n";
    }
    d << "LayerSetBaseOrder Main 1;\n";
    if (spec.shadow)
    {
        d << "\n# A soft dark rim under the letters keeps them readable over pictures.\n";
        d << "CreateLayerFrom Shadow Main;\n";
        d << "LayerSetImage Shadow '" << spec.name << "_shadow.png';\n";
        d << "LayerSetImageMap Shadow\n    ";
        WriteList(d, inked, charOf);
        d << "\n    ";
        WriteList(d, inked,
                  [](const Glyph* g)
                  {
                      return "(" + std::to_string(g->sx) + ", " + std::to_string(g->sy) + ", " +
                             std::to_string(g->sw) + ", " + std::to_string(g->sh) + ")";
                  });
        d << ";\n";
        d << "LayerSetCharOffsets Shadow\n    ";
        WriteList(d, inked, charOf);
        d << "\n    ";
        WriteList(d, inked,
                  [ascent](const Glyph* g)
                  {
                      return "(" + std::to_string(g->left - kShadowPad + 1) + ", " +
                             std::to_string(ascent - g->top - kShadowPad + 1) + ")";
                  });
        d << ";\n";
        d << "LayerSetColorMult Shadow (0, 0, 0, 255);\n";
        d << "LayerSetColorAdd Shadow (14, 20, 34, 0);\n";
        d << "LayerSetBaseOrder Shadow 0;\n";
    }
    store.AddText(base + ".txt", d.str());
    return true;
}

} // namespace

bool GenerateFonts(AssetStore& store, std::string& error)
{
    for (const FontSpec& spec : kFonts)
    {
        if (!RenderFont(store, spec, error))
        {
            return false;
        }
    }
    return true;
}

} // namespace AssetGen
