// ImageFont: measuring and drawing text with descriptor layers.
// SPDX-License-Identifier: MIT
#include "framework/fonts/image_font.h"

#include "framework/graphics/graphics.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdio>
#include <mutex>

namespace Lumo
{

namespace
{

std::atomic<FontErrorHandler> errorHandler{nullptr};

constexpr int kOrderBuckets = 256;

// Descriptor numbers are arbitrary ints; positions and widths made from them
// are held within this many pixels so that no sum overflows.
constexpr double kPixelLimit = 1 << 24;

// Truncates like a cast, within the pixel limit.
int ToPixels(double value)
{
    if (!(value == value))
    {
        return 0;
    }
    return static_cast<int>(std::clamp(value, -kPixelLimit, kPixelLimit));
}

struct GlyphRecord
{
    Image* image;
    Rect source;
    int x;
    int y;
    Color color;
    int drawMode;
    int next; // next record in the same bucket, -1 at the end
};

// The glyph buffers shared by every font; one string is laid out at a time.
struct GlyphBuffers
{
    std::mutex lock;
    GlyphRecord records[kMaxGlyphsPerString];
    int bucketFirst[kOrderBuckets];
    int bucketLast[kOrderBuckets];
};

GlyphBuffers& SharedBuffers()
{
    static GlyphBuffers buffers;
    return buffers;
}

void ReportError(const std::string& message)
{
    std::fprintf(stderr, "%s\n", message.c_str());
    if (FontErrorHandler handler = errorHandler.load())
    {
        handler(message);
    }
}

// Multiplier and added colour of a layer applied to the text colour.
Color LayerColor(const FontLayer& layer, const Color& color)
{
    auto channel = [](int mult, int text, int add)
    {
        const int value = mult * text / 255 + add;
        return value > 254 ? 255 : std::max(value, 0);
    };
    return Color(channel(layer.colorMult.red, color.red, layer.colorAdd.red),
                 channel(layer.colorMult.green, color.green, layer.colorAdd.green),
                 channel(layer.colorMult.blue, color.blue, layer.colorAdd.blue),
                 channel(layer.colorMult.alpha, color.alpha, layer.colorAdd.alpha));
}

} // namespace

FontErrorHandler SetFontErrorHandler(FontErrorHandler handler)
{
    return errorHandler.exchange(handler);
}

ImageFont::ImageFont(const std::string& descriptorPath, FontData::LayerImageLoader loader)
{
    auto data = std::make_shared<FontData>(std::move(loader));
    loaded = data->Load(descriptorPath);
    if (!loaded && data->GetErrorText().empty())
    {
        // A missing file is the caller's to handle (the factory drops the font).
        std::fprintf(stderr, "font: %s\n", data->GetErrorReason().c_str());
    }
    else if (!loaded)
    {
        ReportError(data->GetErrorText());
    }
    pointSize = data->GetDefaultPointSize();
    fontData = std::move(data);
    Prepare();
}

ImageFont::ImageFont(std::shared_ptr<const FontData> data)
    : fontData(std::move(data)), loaded(fontData->IsInitialised()),
      pointSize(fontData->GetDefaultPointSize())
{
    Prepare();
}

ImageFont::ImageFont(const ImageFont& other)
    : Font(other), fontData(other.fontData), loaded(other.loaded), pointSize(other.pointSize),
      tags(other.tags), activeLayers(other.activeLayers), layersUpToDate(other.layersUpToDate),
      scale(other.scale)
{
}

ImageFont::~ImageFont() = default;

std::unique_ptr<Font> ImageFont::Duplicate() const
{
    return std::make_unique<ImageFont>(*this);
}

void ImageFont::GenerateActiveLayers()
{
    activeLayers.clear();
    ascent = 0;
    ascentPadding = 0;
    height = 0;
    lineSpacingOffset = 0;
    bool first = true;
    for (const auto& layer : fontData->GetLayers())
    {
        const bool inRange = pointSize >= layer->minPointSize && pointSize <= layer->maxPointSize;
        const bool required = std::all_of(layer->requiredTags.begin(), layer->requiredTags.end(),
                                          [this](const std::string& t) { return HasTag(t); });
        const bool excluded = std::any_of(layer->excludedTags.begin(), layer->excludedTags.end(),
                                          [this](const std::string& t) { return HasTag(t); });
        if (!inRange || !required || excluded)
        {
            continue;
        }
        activeLayers.push_back(layer.get());
        const double factor = layer->pointSize > 0 ? pointSize * scale / layer->pointSize : scale;
        const auto scaled = [factor](int value) { return ToPixels(value * factor); };
        ascent = first ? scaled(layer->ascent) : std::max(ascent, scaled(layer->ascent));
        ascentPadding = first ? scaled(layer->ascentPadding)
                              : std::max(ascentPadding, scaled(layer->ascentPadding));
        height = first ? scaled(layer->height) : std::max(height, scaled(layer->height));
        lineSpacingOffset = first ? scaled(layer->lineSpacingOffset)
                                  : std::max(lineSpacingOffset, scaled(layer->lineSpacingOffset));
        first = false;
    }
    layersUpToDate = true;
}

void ImageFont::Prepare()
{
    if (!layersUpToDate)
    {
        GenerateActiveLayers();
    }
}

int ImageFont::GetAscent()
{
    Prepare();
    return ascent;
}

int ImageFont::GetAscentPadding()
{
    Prepare();
    return ascentPadding;
}

int ImageFont::GetDescent()
{
    Prepare();
    return height - ascent;
}

int ImageFont::GetHeight()
{
    Prepare();
    return height;
}

int ImageFont::GetLineSpacingOffset()
{
    Prepare();
    return lineSpacingOffset;
}

int ImageFont::GetLineSpacing()
{
    Prepare();
    return height + lineSpacingOffset;
}

int ImageFont::MappedCharWidth(uint8_t c, uint8_t previous) const
{
    int best = INT_MIN;
    const double size = pointSize * scale;
    for (const FontLayer* layer : activeLayers)
    {
        // Measuring scales by the exact ratio of the point sizes.
        const double ratio = layer->pointSize > 0 ? size / layer->pointSize : scale;
        const int width = ToPixels(layer->widths[c] * ratio);
        const int kerning =
            previous != 0
                ? ToPixels((static_cast<double>(layer->kerning[previous][c]) + layer->spacing) *
                           ratio)
                : 0;
        best = std::max(best, width + kerning);
    }
    return best == INT_MIN ? 0 : best;
}

int ImageFont::StringWidth(std::string_view text)
{
    Prepare();
    long long width = 0;
    uint8_t previous = 0;
    for (const char character : text)
    {
        const uint8_t c = fontData->MapChar(static_cast<uint8_t>(character));
        width += MappedCharWidth(c, previous);
        previous = c;
    }
    return ToPixels(static_cast<double>(width));
}

int ImageFont::CharWidth(char character)
{
    return CharWidthKern(character, 0);
}

int ImageFont::CharWidthKern(char character, char previous)
{
    Prepare();
    const uint8_t p = previous != 0 ? fontData->MapChar(static_cast<uint8_t>(previous)) : 0;
    return MappedCharWidth(fontData->MapChar(static_cast<uint8_t>(character)), p);
}

void ImageFont::DrawString(Graphics* g, int x, int y, std::string_view text, const Color& color,
                           const Rect& clipRect)
{
    DrawStringEx(g, x, y, text, color, clipRect, nullptr, nullptr);
}

void ImageFont::DrawStringEx(Graphics* g, int x, int y, std::string_view text, const Color& color,
                             const Rect& /*clipRect: the context's own clip applies*/,
                             std::vector<Rect>* glyphRects, int* widthOut)
{
    Prepare();
    GlyphBuffers& buffers = SharedBuffers();
    std::scoped_lock guard(buffers.lock);
    std::fill(std::begin(buffers.bucketFirst), std::end(buffers.bucketFirst), -1);
    int count = 0;
    long long pen = x;
    for (size_t i = 0; i < text.size(); ++i)
    {
        const uint8_t c = fontData->MapChar(static_cast<uint8_t>(text[i]));
        const bool hasNext = i + 1 < text.size();
        const uint8_t next = hasNext ? fontData->MapChar(static_cast<uint8_t>(text[i + 1])) : 0;
        int advance = INT_MIN;
        for (const FontLayer* layer : activeLayers)
        {
            // Drawing scales by whole multiples of the layer's size, so that
            // glyphs land on whole pixels; a smaller size draws at 1x.
            const double f =
                layer->pointSize > 0 ? scale * std::max(1, pointSize / layer->pointSize) : scale;
            const int layerAdvance =
                ToPixels(f * layer->widths[c]) +
                (hasNext
                     ? ToPixels(f * (static_cast<double>(layer->kerning[c][next]) + layer->spacing))
                     : 0);
            advance = std::max(advance, layerAdvance);
            const Rect& source = layer->glyphRects[c];
            if (count == kMaxGlyphsPerString || layer->image == nullptr || source.IsEmpty())
            {
                continue;
            }
            GlyphRecord& record = buffers.records[count];
            record.image = layer->image.get();
            record.source = source;
            record.x =
                ToPixels(static_cast<double>(pen) +
                         f * (static_cast<double>(layer->charOffsets[c].x) + layer->offset.x));
            record.y = ToPixels(y - f * (static_cast<double>(layer->ascent) -
                                         layer->charOffsets[c].y - layer->offset.y));
            record.color = LayerColor(*layer, color);
            record.drawMode = layer->drawMode;
            record.next = -1;
            const int bucket = static_cast<int>(
                std::clamp(static_cast<long long>(layer->orders[c]) + layer->baseOrder + 128, 0LL,
                           static_cast<long long>(kOrderBuckets - 1)));
            if (buffers.bucketFirst[bucket] < 0)
            {
                buffers.bucketFirst[bucket] = count;
            }
            else
            {
                buffers.records[buffers.bucketLast[bucket]].next = count;
            }
            buffers.bucketLast[bucket] = count;
            ++count;
        }
        if (advance != INT_MIN)
        {
            pen += advance;
        }
    }

    const Color oldColor = g->GetColor();
    const DrawMode oldMode = g->GetDrawMode();
    const bool oldColorize = g->GetColorizeImages();
    g->SetColorizeImages(true);
    for (int bucket = 0; bucket < kOrderBuckets; ++bucket)
    {
        for (int i = buffers.bucketFirst[bucket]; i >= 0; i = buffers.records[i].next)
        {
            const GlyphRecord& record = buffers.records[i];
            // A layer without a mode draws in the caller's, not in the mode of
            // whichever layer drew before it.
            g->SetDrawMode(record.drawMode < 0    ? oldMode
                           : record.drawMode == 1 ? DrawMode::Additive
                                                  : DrawMode::Normal);
            g->SetColor(record.color);
            g->DrawImage(record.image, record.x, record.y, record.source);
            if (glyphRects != nullptr)
            {
                glyphRects->emplace_back(record.x, record.y, record.source.width,
                                         record.source.height);
            }
        }
    }
    g->SetColor(oldColor);
    g->SetDrawMode(oldMode);
    g->SetColorizeImages(oldColorize);
    if (widthOut != nullptr)
    {
        *widthOut = ToPixels(static_cast<double>(pen - x));
    }
}

void ImageFont::SetPointSize(int newPointSize)
{
    pointSize = newPointSize;
    layersUpToDate = false;
}

int ImageFont::GetPointSize() const
{
    return pointSize;
}

void ImageFont::SetScale(double newScale)
{
    scale = newScale;
    layersUpToDate = false;
}

int ImageFont::GetDefaultPointSize() const
{
    return fontData->GetDefaultPointSize();
}

void ImageFont::AddTag(const std::string& tag)
{
    if (!HasTag(tag))
    {
        tags.push_back(ToUpperAscii(tag));
        layersUpToDate = false;
    }
}

void ImageFont::RemoveTag(const std::string& tag)
{
    const std::string upper = ToUpperAscii(tag);
    const auto found = std::find(tags.begin(), tags.end(), upper);
    if (found != tags.end())
    {
        tags.erase(found);
        layersUpToDate = false;
    }
}

bool ImageFont::HasTag(const std::string& tag) const
{
    const std::string upper = ToUpperAscii(tag);
    return std::find(tags.begin(), tags.end(), upper) != tags.end();
}

std::string ImageFont::GetDefine(const std::string& name) const
{
    const DescValue* value = fontData->FindDefine(name);
    return value == nullptr || value->IsList() ? std::string() : value->text;
}

} // namespace Lumo
