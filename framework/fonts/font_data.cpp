// A parsed font descriptor: the font commands and the layers they build.
// SPDX-License-Identifier: MIT
#include "framework/fonts/font_data.h"

#include "framework/fonts/layer_image_loader.h"

#include <algorithm>

namespace Lumo
{

struct FontData::Command
{
    const char* name; // upper-cased
    size_t paramCount;
    bool (*run)(FontData& font, const std::vector<DescValue>& params);
};

const FontData::Command FontData::kCommands[] = {
    {"CREATEHORZSPANRECTLIST", 3,
     [](FontData& f, const auto& p) { return f.DoCreateHorzSpanRectList(p); }},
    {"SETDEFAULTPOINTSIZE", 1,
     [](FontData& f, const auto& p) { return f.DoSetDefaultPointSize(p); }},
    {"SETCHARMAP", 2, [](FontData& f, const auto& p) { return f.DoSetCharMap(p); }},
    {"CREATELAYER", 1, [](FontData& f, const auto& p) { return f.DoCreateLayer(p); }},
    {"CREATELAYERFROM", 2, [](FontData& f, const auto& p) { return f.DoCreateLayerFrom(p); }},
    {"LAYERREQUIRETAGS", 2,
     [](FontData& f, const auto& p) { return f.DoLayerTags(p, &FontLayer::requiredTags); }},
    {"LAYEREXCLUDETAGS", 2,
     [](FontData& f, const auto& p) { return f.DoLayerTags(p, &FontLayer::excludedTags); }},
    {"LAYERPOINTRANGE", 3, [](FontData& f, const auto& p) { return f.DoLayerPointRange(p); }},
    {"LAYERSETPOINTSIZE", 2,
     [](FontData& f, const auto& p) { return f.DoLayerNumber(p, &FontLayer::pointSize); }},
    {"LAYERSETHEIGHT", 2,
     [](FontData& f, const auto& p) { return f.DoLayerNumber(p, &FontLayer::height); }},
    {"LAYERSETIMAGE", 2, [](FontData& f, const auto& p) { return f.DoLayerSetImage(p); }},
    {"LAYERSETDRAWMODE", 2,
     [](FontData& f, const auto& p) { return f.DoLayerNumber(p, &FontLayer::drawMode); }},
    {"LAYERSETCOLORMULT", 2, [](FontData& f, const auto& p) { return f.DoLayerSetColorMult(p); }},
    {"LAYERSETCOLORADD", 2, [](FontData& f, const auto& p) { return f.DoLayerSetColorAdd(p); }},
    {"LAYERSETASCENT", 2,
     [](FontData& f, const auto& p) { return f.DoLayerNumber(p, &FontLayer::ascent); }},
    {"LAYERSETASCENTPADDING", 2,
     [](FontData& f, const auto& p) { return f.DoLayerNumber(p, &FontLayer::ascentPadding); }},
    {"LAYERSETLINESPACINGOFFSET", 2,
     [](FontData& f, const auto& p) { return f.DoLayerNumber(p, &FontLayer::lineSpacingOffset); }},
    {"LAYERSETOFFSET", 2, [](FontData& f, const auto& p) { return f.DoLayerSetOffset(p); }},
    {"LAYERSETCHARWIDTHS", 3,
     [](FontData& f, const auto& p) { return f.DoLayerCharNumbers(p, &FontLayer::widths); }},
    {"LAYERSETSPACING", 2,
     [](FontData& f, const auto& p) { return f.DoLayerNumber(p, &FontLayer::spacing); }},
    {"LAYERSETIMAGEMAP", 3, [](FontData& f, const auto& p) { return f.DoLayerSetImageMap(p); }},
    {"LAYERSETCHAROFFSETS", 3,
     [](FontData& f, const auto& p) { return f.DoLayerSetCharOffsets(p); }},
    {"LAYERSETKERNINGPAIRS", 3,
     [](FontData& f, const auto& p) { return f.DoLayerSetKerningPairs(p); }},
    {"LAYERSETBASEORDER", 2,
     [](FontData& f, const auto& p) { return f.DoLayerNumber(p, &FontLayer::baseOrder); }},
    {"LAYERSETCHARORDERS", 3,
     [](FontData& f, const auto& p) { return f.DoLayerCharNumbers(p, &FontLayer::orders); }},
};

FontData::FontData(LayerImageLoader loader)
    : imageLoader(loader ? std::move(loader) : LayerImageLoader(LoadSharedLayerImage))
{
    for (int c = 0; c < kFontCharCount; ++c)
    {
        charMap[c] = static_cast<uint8_t>(c);
    }
}

bool FontData::Load(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    initialised = LoadDescriptor(path);
    return initialised;
}

bool FontData::LoadFromText(std::string_view text, const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    initialised = ParseText(text, path);
    return initialised;
}

const FontLayer* FontData::FindLayer(std::string_view name) const
{
    const std::string upper = ToUpperAscii(name);
    for (const auto& layer : layers)
    {
        if (layer->name == upper)
        {
            return layer.get();
        }
    }
    return nullptr;
}

bool FontData::HandleCommand(const std::string& command, const std::vector<DescValue>& params)
{
    for (const Command& entry : kCommands)
    {
        if (command == entry.name)
        {
            return CheckCount(params, entry.paramCount) && entry.run(*this, params);
        }
    }
    return Fail("Unknown Command");
}

bool FontData::TakesNameFirst(const std::string& command) const
{
    return command == "CREATEHORZSPANRECTLIST";
}

FontLayer* FontData::GetLayer(const DescValue& value)
{
    std::string name;
    if (!GetString(value, name))
    {
        return nullptr;
    }
    FontLayer* layer = const_cast<FontLayer*>(FindLayer(name));
    if (layer == nullptr)
    {
        Fail("Undefined Layer");
    }
    return layer;
}

bool FontData::GetCharList(const DescValue& value, std::vector<uint8_t>& chars)
{
    const std::vector<DescValue>* items = nullptr;
    if (!GetList(value, items))
    {
        return false;
    }
    chars.resize(items->size());
    for (size_t i = 0; i < items->size(); ++i)
    {
        if (!GetChar((*items)[i], chars[i]))
        {
            return false;
        }
    }
    return true;
}

bool FontData::CheckSameSize(size_t a, size_t b)
{
    return a == b || Fail("List Size Mismatch");
}

bool FontData::GetColor(const DescValue& value, Color& out)
{
    std::vector<int> channels;
    if (!GetIntList(value, channels))
    {
        return false;
    }
    if (channels.size() != 3 && channels.size() != 4)
    {
        return Fail("Invalid Paramater Type");
    }
    for (int& channel : channels)
    {
        channel = std::clamp(channel, 0, 255);
    }
    out = Color(channels[0], channels[1], channels[2], channels.size() == 4 ? channels[3] : 255);
    return true;
}

bool FontData::DoCreateHorzSpanRectList(const std::vector<DescValue>& p)
{
    // (name, (x, y, width, height) of the strip, (width of each rectangle, ...))
    std::string name;
    if (!CheckDefineName(p[0], name))
    {
        return false;
    }
    int strip[4];
    std::vector<int> widths;
    if (!GetInts(p[1], strip, 4) || !GetIntList(p[2], widths))
    {
        return false;
    }
    DescValue list;
    list.kind = DescValue::Kind::List;
    long long x = strip[0];
    for (int width : widths)
    {
        DescValue rect;
        rect.kind = DescValue::Kind::List;
        for (long long field : {x, static_cast<long long>(strip[1]), static_cast<long long>(width),
                                static_cast<long long>(strip[3])})
        {
            if (field < INT_MIN || field > INT_MAX)
            {
                return Fail("Invalid Paramater Type");
            }
            DescValue number;
            number.kind = DescValue::Kind::Number;
            number.number = static_cast<int>(field);
            number.text = std::to_string(field);
            rect.items.push_back(std::move(number));
        }
        list.items.push_back(std::move(rect));
        x += width;
    }
    SetDefine(name, std::move(list));
    return true;
}

bool FontData::DoSetDefaultPointSize(const std::vector<DescValue>& p)
{
    return GetInt(p[0], defaultPointSize);
}

bool FontData::DoSetCharMap(const std::vector<DescValue>& p)
{
    std::vector<uint8_t> from;
    std::vector<uint8_t> to;
    if (!GetCharList(p[0], from) || !GetCharList(p[1], to) ||
        !CheckSameSize(from.size(), to.size()))
    {
        return false;
    }
    for (size_t i = 0; i < from.size(); ++i)
    {
        charMap[from[i]] = to[i];
    }
    return true;
}

bool FontData::DoCreateLayer(const std::vector<DescValue>& p)
{
    std::string name;
    if (!GetString(p[0], name))
    {
        return false;
    }
    name = ToUpperAscii(name);
    if (FindLayer(name) != nullptr)
    {
        return Fail("Layer Already Exists");
    }
    layers.push_back(std::make_unique<FontLayer>());
    layers.back()->name = name;
    return true;
}

bool FontData::DoCreateLayerFrom(const std::vector<DescValue>& p)
{
    std::string name;
    if (!GetString(p[0], name))
    {
        return false;
    }
    name = ToUpperAscii(name);
    if (FindLayer(name) != nullptr)
    {
        return Fail("Layer Already Exists");
    }
    const FontLayer* source = GetLayer(p[1]);
    if (source == nullptr)
    {
        return false;
    }
    layers.push_back(std::make_unique<FontLayer>(*source));
    layers.back()->name = name;
    return true;
}

bool FontData::DoLayerTags(const std::vector<DescValue>& p,
                           std::vector<std::string> FontLayer::*field)
{
    FontLayer* layer = GetLayer(p[0]);
    const std::vector<DescValue>* items = nullptr;
    if (layer == nullptr || !GetList(p[1], items))
    {
        return false;
    }
    std::vector<std::string> tags(items->size());
    for (size_t i = 0; i < items->size(); ++i)
    {
        if (!GetString((*items)[i], tags[i]))
        {
            return false;
        }
        tags[i] = ToUpperAscii(tags[i]);
    }
    layer->*field = std::move(tags);
    return true;
}

bool FontData::DoLayerPointRange(const std::vector<DescValue>& p)
{
    FontLayer* layer = GetLayer(p[0]);
    return layer != nullptr && GetInt(p[1], layer->minPointSize) &&
           GetInt(p[2], layer->maxPointSize);
}

bool FontData::DoLayerNumber(const std::vector<DescValue>& p, int FontLayer::*field)
{
    FontLayer* layer = GetLayer(p[0]);
    return layer != nullptr && GetInt(p[1], layer->*field);
}

bool FontData::DoLayerSetImage(const std::vector<DescValue>& p)
{
    FontLayer* layer = GetLayer(p[0]);
    std::string fileName;
    if (layer == nullptr || !GetString(p[1], fileName))
    {
        return false;
    }
    std::shared_ptr<Image> image = imageLoader(folder + fileName);
    if (image == nullptr)
    {
        return Fail("Failed to Load Image");
    }
    layer->image = std::move(image);
    return true;
}

bool FontData::DoLayerSetColorMult(const std::vector<DescValue>& p)
{
    FontLayer* layer = GetLayer(p[0]);
    return layer != nullptr && GetColor(p[1], layer->colorMult);
}

bool FontData::DoLayerSetColorAdd(const std::vector<DescValue>& p)
{
    FontLayer* layer = GetLayer(p[0]);
    return layer != nullptr && GetColor(p[1], layer->colorAdd);
}

bool FontData::DoLayerSetOffset(const std::vector<DescValue>& p)
{
    FontLayer* layer = GetLayer(p[0]);
    int xy[2];
    if (layer == nullptr || !GetInts(p[1], xy, 2))
    {
        return false;
    }
    layer->offset = Point(xy[0], xy[1]);
    return true;
}

bool FontData::DoLayerCharNumbers(const std::vector<DescValue>& p,
                                  std::array<int, kFontCharCount> FontLayer::*field)
{
    FontLayer* layer = GetLayer(p[0]);
    std::vector<uint8_t> chars;
    std::vector<int> numbers;
    if (layer == nullptr || !GetCharList(p[1], chars) || !GetIntList(p[2], numbers) ||
        !CheckSameSize(chars.size(), numbers.size()))
    {
        return false;
    }
    for (size_t i = 0; i < chars.size(); ++i)
    {
        (layer->*field)[chars[i]] = numbers[i];
    }
    return true;
}

bool FontData::DoLayerSetImageMap(const std::vector<DescValue>& p)
{
    FontLayer* layer = GetLayer(p[0]);
    std::vector<uint8_t> chars;
    const std::vector<DescValue>* rects = nullptr;
    if (layer == nullptr || !GetCharList(p[1], chars) || !GetList(p[2], rects) ||
        !CheckSameSize(chars.size(), rects->size()))
    {
        return false;
    }
    if (layer->image == nullptr)
    {
        return Fail("Layer image not set");
    }
    const long long imageWidth = layer->image->GetWidth();
    const long long imageHeight = layer->image->GetHeight();
    std::vector<Rect> parsed(chars.size());
    for (size_t i = 0; i < chars.size(); ++i)
    {
        int r[4];
        if (!GetInts((*rects)[i], r, 4))
        {
            return false;
        }
        if (r[0] < 0 || r[1] < 0 || r[2] < 0 || r[3] < 0 ||
            static_cast<long long>(r[0]) + r[2] > imageWidth ||
            static_cast<long long>(r[1]) + r[3] > imageHeight)
        {
            return Fail("Image rectangle out of bounds");
        }
        parsed[i] = Rect(r[0], r[1], r[2], r[3]);
    }
    for (size_t i = 0; i < chars.size(); ++i)
    {
        layer->glyphRects[chars[i]] = parsed[i];
    }
    return true;
}

bool FontData::DoLayerSetCharOffsets(const std::vector<DescValue>& p)
{
    FontLayer* layer = GetLayer(p[0]);
    std::vector<uint8_t> chars;
    const std::vector<DescValue>* offsets = nullptr;
    if (layer == nullptr || !GetCharList(p[1], chars) || !GetList(p[2], offsets) ||
        !CheckSameSize(chars.size(), offsets->size()))
    {
        return false;
    }
    std::vector<Point> parsed(chars.size());
    for (size_t i = 0; i < chars.size(); ++i)
    {
        int xy[2];
        if (!GetInts((*offsets)[i], xy, 2))
        {
            return false;
        }
        parsed[i] = Point(xy[0], xy[1]);
    }
    for (size_t i = 0; i < chars.size(); ++i)
    {
        layer->charOffsets[chars[i]] = parsed[i];
    }
    return true;
}

bool FontData::DoLayerSetKerningPairs(const std::vector<DescValue>& p)
{
    FontLayer* layer = GetLayer(p[0]);
    const std::vector<DescValue>* pairs = nullptr;
    std::vector<int> offsets;
    if (layer == nullptr || !GetList(p[1], pairs) || !GetIntList(p[2], offsets) ||
        !CheckSameSize(pairs->size(), offsets.size()))
    {
        return false;
    }
    for (const DescValue& pair : *pairs)
    {
        if (pair.kind != DescValue::Kind::String || pair.text.size() != 2)
        {
            return Fail("Invalid Paramater Type");
        }
    }
    for (size_t i = 0; i < pairs->size(); ++i)
    {
        const std::string& pair = (*pairs)[i].text;
        // One signed byte per pair: larger offsets are held at its limits.
        layer->kerning[static_cast<uint8_t>(pair[0])][static_cast<uint8_t>(pair[1])] =
            static_cast<int8_t>(std::clamp(offsets[i], -128, 127));
    }
    return true;
}

} // namespace Lumo
