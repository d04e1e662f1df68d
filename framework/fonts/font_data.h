// A parsed font descriptor: its layers with their glyph images and per-character tables.
// SPDX-License-Identifier: MIT
//
// Rules of the module:
// - A FontData is filled once by Load (or LoadFromText) and then only read; it
//   is shared (std::shared_ptr) by an ImageFont and its duplicates.
// - Layer images are loaded relative to the descriptor's folder through the
//   layer image loader (by default the application's shared images, through
//   the package layer) and stay referenced while the FontData lives.
// - Layers keep the order in which the descriptor created them; drawing visits
//   them in that order within one draw-order bucket.
#pragma once

#include "framework/fonts/desc_parser.h"
#include "framework/graphics/color.h"
#include "framework/graphics/image.h"

#include <array>
#include <climits>
#include <functional>
#include <memory>

namespace Lumo
{

constexpr int kFontCharCount = 256;

struct FontLayer
{
    std::string name;                      // upper-cased
    std::vector<std::string> requiredTags; // upper-cased
    std::vector<std::string> excludedTags;
    int minPointSize = INT_MIN;
    int maxPointSize = INT_MAX;
    int pointSize = 0; // 0: the layer does not scale with the point size
    int height = 0;
    std::shared_ptr<Image> image;
    int drawMode = -1; // -1: the graphics' own mode
    Color colorMult{255, 255, 255, 255};
    Color colorAdd{0, 0, 0, 0};
    int ascent = 0;
    int ascentPadding = 0;
    int lineSpacingOffset = 0;
    Point offset{0, 0};
    int spacing = 0;
    int baseOrder = 0;
    std::array<Rect, kFontCharCount> glyphRects{};
    std::array<Point, kFontCharCount> charOffsets{};
    std::array<int, kFontCharCount> widths{};
    std::array<int, kFontCharCount> orders{};
    // kerning[c][next]: pixels added after c when next follows.
    std::array<std::array<int8_t, kFontCharCount>, kFontCharCount> kerning{};
};

class FontData : public DescParser
{
  public:
    // Loads an image by path for a layer; null when it cannot.
    using LayerImageLoader = std::function<std::shared_ptr<Image>(const std::string& path)>;

    // The default loader asks the application's shared images.
    explicit FontData(LayerImageLoader loader = {});

    // Reads and parses a descriptor through the package layer. False on any
    // error (GetErrorText has the message for the user when it is a parse error).
    [[nodiscard]] bool Load(const std::string& path);
    // The same with the descriptor's text in memory; path names the file
    // (images are relative to its folder).
    [[nodiscard]] bool LoadFromText(std::string_view text, const std::string& path);

    bool IsInitialised() const { return initialised; }
    int GetDefaultPointSize() const { return defaultPointSize; }
    uint8_t MapChar(uint8_t c) const { return charMap[c]; }
    const std::vector<std::unique_ptr<FontLayer>>& GetLayers() const { return layers; }
    const FontLayer* FindLayer(std::string_view name) const;

  protected:
    bool HandleCommand(const std::string& command, const std::vector<DescValue>& params) override;
    bool TakesNameFirst(const std::string& command) const override;

  private:
    struct Command;
    static const Command kCommands[];

    FontLayer* GetLayer(const DescValue& value);
    // Parallel lists of characters and of values (the second list as given).
    bool GetCharList(const DescValue& value, std::vector<uint8_t>& chars);
    bool CheckSameSize(size_t a, size_t b);
    bool GetColor(const DescValue& value, Color& out);

    bool DoCreateHorzSpanRectList(const std::vector<DescValue>& p);
    bool DoSetDefaultPointSize(const std::vector<DescValue>& p);
    bool DoSetCharMap(const std::vector<DescValue>& p);
    bool DoCreateLayer(const std::vector<DescValue>& p);
    bool DoCreateLayerFrom(const std::vector<DescValue>& p);
    bool DoLayerRequireTags(const std::vector<DescValue>& p);
    bool DoLayerExcludeTags(const std::vector<DescValue>& p);
    bool DoLayerPointRange(const std::vector<DescValue>& p);
    bool DoLayerSetImage(const std::vector<DescValue>& p);
    bool DoLayerSetColorMult(const std::vector<DescValue>& p);
    bool DoLayerSetColorAdd(const std::vector<DescValue>& p);
    bool DoLayerSetOffset(const std::vector<DescValue>& p);
    bool DoLayerSetImageMap(const std::vector<DescValue>& p);
    bool DoLayerSetCharOffsets(const std::vector<DescValue>& p);
    bool DoLayerSetKerningPairs(const std::vector<DescValue>& p);
    // The commands that set a number per character (widths, draw orders).
    bool DoLayerCharNumbers(const std::vector<DescValue>& p,
                            std::array<int, kFontCharCount> FontLayer::*field);
    // The commands that set one number of a layer.
    bool DoLayerNumber(const std::vector<DescValue>& p, int FontLayer::*field);
    bool DoLayerTags(const std::vector<DescValue>& p, std::vector<std::string> FontLayer::*field);

    LayerImageLoader imageLoader;
    bool initialised = false;
    int defaultPointSize = 0;
    std::array<uint8_t, kFontCharCount> charMap{};
    std::vector<std::unique_ptr<FontLayer>> layers;
    std::string folder; // the descriptor's folder with its trailing separator
};

} // namespace Lumo
