// ImageFont: a bitmap font made of descriptor layers, measured and drawn glyph by glyph.
// SPDX-License-Identifier: MIT
//
// Rules of the module:
// - A font is built from a descriptor read through the package layer. When the
//   descriptor has an error the font is not loaded (IsLoaded is false): the
//   message goes to standard error and to the font error handler, which the
//   application installs to show it in its message popup.
// - The point size, scale and tags choose the active layers: a layer is active
//   when every tag it requires is set, none it excludes is set and the point
//   size lies in its point range. All active layers draw, in descriptor order
//   within one draw-order bucket.
// - Changing the point size, scale or tags marks the active layers out of date;
//   measuring and drawing bring them up to date first. After that, measuring
//   allocates nothing.
// - Drawing shares one set of glyph buffers between all fonts and is
//   serialised by a lock; at most kMaxGlyphsPerString glyphs of a string draw.
// - Duplicates share the parsed descriptor (FontData) and copy the settings.
#pragma once

#include "framework/fonts/font_data.h"
#include "framework/graphics/font.h"

#include <string>
#include <vector>

namespace Lumo
{

constexpr int kMaxGlyphsPerString = 4096;

// Shows a descriptor error to the user; called besides printing to stderr.
using FontErrorHandler = void (*)(const std::string& message);
// Installs the handler (null: standard error only). Returns the previous one.
FontErrorHandler SetFontErrorHandler(FontErrorHandler handler);

class ImageFont : public Font
{
  public:
    // Loads the descriptor; check IsLoaded. loader overrides how layer images
    // are found (the default: the application's shared images).
    explicit ImageFont(const std::string& descriptorPath, FontData::LayerImageLoader loader = {});
    // A font over a descriptor already parsed (loaded when it parsed).
    explicit ImageFont(std::shared_ptr<const FontData> data);
    ImageFont(const ImageFont& other);
    ImageFont& operator=(const ImageFont&) = delete;
    ~ImageFont() override;

    bool IsLoaded() const { return loaded; }
    const FontData& GetFontData() const { return *fontData; }

    int GetAscent() override;
    int GetAscentPadding() override;
    int GetDescent() override;
    int GetHeight() override;
    int GetLineSpacingOffset() override;
    int GetLineSpacing() override;
    int StringWidth(std::string_view text) override;
    int CharWidth(char character) override;
    int CharWidthKern(char character, char previous) override;
    void DrawString(Graphics* g, int x, int y, std::string_view text, const Color& color,
                    const Rect& clipRect) override;
    [[nodiscard]] std::unique_ptr<Font> Duplicate() const override;

    // Chooses the active layers for the current point size, scale and tags.
    virtual void GenerateActiveLayers();
    // Draws like DrawString; glyphRects (when given) receives each drawn
    // glyph's destination rectangle, widthOut the pen advance.
    virtual void DrawStringEx(Graphics* g, int x, int y, std::string_view text, const Color& color,
                              const Rect& clipRect, std::vector<Rect>* glyphRects, int* widthOut);
    virtual void SetPointSize(int pointSize);
    virtual int GetPointSize() const;
    virtual void SetScale(double scale);
    virtual int GetDefaultPointSize() const;
    virtual void AddTag(const std::string& tag);
    virtual void RemoveTag(const std::string& tag);
    virtual bool HasTag(const std::string& tag) const;
    // The text of a "Define"d value (a string, a number as written); empty
    // when undefined or a list.
    virtual std::string GetDefine(const std::string& name) const;
    virtual void Prepare();

  private:
    // Width plus kerning of mapped character c after mapped p (0: none).
    int MappedCharWidth(uint8_t c, uint8_t previous) const;

    std::shared_ptr<const FontData> fontData;
    bool loaded = false;
    int pointSize = 0;
    std::vector<std::string> tags;
    std::vector<const FontLayer*> activeLayers;
    bool layersUpToDate = false;
    double scale = 1.0;
};

} // namespace Lumo
