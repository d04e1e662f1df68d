// MemoryImage: pixels in memory, their derived data and drawing by blending in memory.
// SPDX-License-Identifier: MIT
#include "framework/graphics/memory_image.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <unordered_map>

#include "framework/graphics/internal/blit.h"

namespace Lumo
{

namespace
{

// Largest side accepted for an image; keeps width * height far from overflow.
constexpr int kMaxSide = 1 << 15;

enum class AlphaClass : std::uint8_t
{
    Transparent,
    Opaque,
    Partial,
};

AlphaClass ClassOfAlpha(std::uint32_t pixel)
{
    const std::uint32_t alpha = pixel >> 24;
    return alpha == 0 ? AlphaClass::Transparent
                      : (alpha == 255 ? AlphaClass::Opaque : AlphaClass::Partial);
}

bool IsBlack(std::uint32_t pixel) { return (pixel & 0xFFFFFFu) == 0; }

} // namespace

MemoryImage::MemoryImage(int newWidth, int newHeight)
{
    Create(newWidth, newHeight);
}

MemoryImage::MemoryImage(const MemoryImage& other)
    : Image(other), bits(other.bits), bitsChangedCount(other.bitsChangedCount),
      colorTable(other.colorTable), colorIndices(other.colorIndices),
      forcedMode(other.forcedMode), hasTrans(other.hasTrans), hasAlpha(other.hasAlpha),
      isVolatile(other.isVolatile), purgeBits(other.purgeBits), isPalettized(other.isPalettized),
      bitsChangedFlag(other.bitsChangedFlag)
{
}

MemoryImage& MemoryImage::operator=(const MemoryImage& other)
{
    if (this != &other)
    {
        Image::operator=(other);
        bits = other.bits;
        bitsChangedCount = other.bitsChangedCount;
        colorTable = other.colorTable;
        colorIndices = other.colorIndices;
        forcedMode = other.forcedMode;
        hasTrans = other.hasTrans;
        hasAlpha = other.hasAlpha;
        isVolatile = other.isVolatile;
        purgeBits = other.purgeBits;
        isPalettized = other.isPalettized;
        bitsChangedFlag = other.bitsChangedFlag;
        DeleteExtraBuffers();
    }
    return *this;
}

MemoryImage::~MemoryImage() = default;

// --- Drawing. Every operation works on the bits and then marks them changed.

namespace
{

BlitDetail::Target TargetOf(std::uint32_t* pixels, int width, int height)
{
    return BlitDetail::MakeTarget(pixels, width, height, false);
}

} // namespace

void MemoryImage::FillRect(const Rect& rect, const Color& color, DrawMode mode)
{
    BlitDetail::FillRect(TargetOf(GetBits(), width, height), rect, color, mode);
    BitsChanged();
}

void MemoryImage::ClearRect(const Rect& rect)
{
    const Rect area = rect.Intersection(Rect(0, 0, width, height));
    std::uint32_t* pixels = GetBits();
    if (area.IsEmpty() || pixels == nullptr)
    {
        return;
    }
    for (int row = area.y; row < area.y + area.height; ++row)
    {
        std::uint32_t* start = pixels + static_cast<std::size_t>(row) * static_cast<std::size_t>(width) +
                               static_cast<std::size_t>(area.x);
        std::fill(start, start + area.width, 0u);
    }
    BitsChanged();
}

void MemoryImage::DrawLine(double startX, double startY, double endX, double endY,
                           const Color& color, DrawMode mode)
{
    BlitDetail::DrawLine(TargetOf(GetBits(), width, height), startX, startY, endX, endY, color,
                         mode);
    BitsChanged();
}

void MemoryImage::DrawLineAA(double startX, double startY, double endX, double endY,
                             const Color& color, DrawMode mode)
{
    BlitDetail::DrawLineAA(TargetOf(GetBits(), width, height), startX, startY, endX, endY, color,
                           mode);
    BitsChanged();
}

void MemoryImage::FillScanLinesWithCoverage(const Span* spans, int count, const Color& color,
                                            DrawMode mode, const std::uint8_t* coverage,
                                            int coverX, int coverY, int coverWidth,
                                            int coverHeight)
{
    if (spans == nullptr || coverage == nullptr)
    {
        return;
    }
    const BlitDetail::Target target = TargetOf(GetBits(), width, height);
    const Rect coverRect(coverX, coverY, coverWidth, coverHeight);
    for (int i = 0; i < count; ++i)
    {
        // Only the part of a span that the coverage map describes is drawn.
        const Rect span = Rect(spans[i].x, spans[i].y, spans[i].width, 1).Intersection(coverRect);
        if (span.IsEmpty())
        {
            continue;
        }
        const std::uint8_t* row =
            coverage + static_cast<std::size_t>(span.y - coverY) * static_cast<std::size_t>(coverWidth) +
            static_cast<std::size_t>(span.x - coverX);
        BlitDetail::FillSpanWithCoverage(target, span.y, span.x, span.width, color, mode, row);
    }
    BitsChanged();
}

namespace
{

// The source of a blit as a MemoryImage; a blit of an image onto itself reads
// from a copy so that overlapping rows are not read after being written.
struct BlitSource
{
    MemoryImage* image = nullptr;
    std::unique_ptr<MemoryImage> copy;

    BlitSource(Image* source, const MemoryImage* dest)
    {
        image = dynamic_cast<MemoryImage*>(source);
        if (image == dest && image != nullptr)
        {
            copy = std::make_unique<MemoryImage>(*image);
            image = copy.get();
        }
    }
};

// Runs one blit routine from `source` into the image's bits, then marks them changed.
template <typename Routine> void BlitFrom(MemoryImage& dest, Image* source, Routine routine)
{
    BlitSource from(source, &dest);
    if (from.image != nullptr)
    {
        routine(TargetOf(dest.GetBits(), dest.GetWidth(), dest.GetHeight()), *from.image);
        dest.BitsChanged();
    }
}

} // namespace

void MemoryImage::Blt(Image* source, int x, int y, const Rect& sourceRect, const Color& color,
                      DrawMode mode)
{
    BlitFrom(*this, source,
             [&](const BlitDetail::Target& target, MemoryImage& from)
             { BlitDetail::Blit(target, from, x, y, sourceRect, color, mode, false); });
}

void MemoryImage::BltF(Image* source, float x, float y, const Rect& sourceRect,
                       const Rect& clipRect, const Color& color, DrawMode mode)
{
    // Whole pixels only: the position is truncated like every translated coordinate.
    const int destX = static_cast<int>(x);
    const int destY = static_cast<int>(y);
    const Rect placed = Rect(destX, destY, sourceRect.width, sourceRect.height).Intersection(clipRect);
    if (placed.IsEmpty())
    {
        return;
    }
    const Rect clippedSource(sourceRect.x + placed.x - destX, sourceRect.y + placed.y - destY,
                             placed.width, placed.height);
    Blt(source, placed.x, placed.y, clippedSource, color, mode);
}

void MemoryImage::BltRotated(Image* source, float x, float y, const Rect& sourceRect,
                             const Rect& clipRect, const Color& color, DrawMode mode,
                             double angle, float centerX, float centerY)
{
    BlitFrom(*this, source,
             [&](const BlitDetail::Target& target, MemoryImage& from)
             {
                 BlitDetail::RotatedBlit(target, from, x, y, sourceRect, clipRect, color, mode,
                                         angle, centerX, centerY);
             });
}

void MemoryImage::StretchBlt(Image* source, const Rect& destRect, const Rect& sourceRect,
                             const Rect& clipRect, const Color& color, DrawMode mode,
                             bool fastStretch)
{
    BlitFrom(*this, source,
             [&](const BlitDetail::Target& target, MemoryImage& from)
             {
                 BlitDetail::StretchBlit(target, from, destRect, sourceRect, clipRect, color, mode,
                                         fastStretch, false);
             });
}

void MemoryImage::BltMirror(Image* source, int x, int y, const Rect& sourceRect,
                            const Color& color, DrawMode mode)
{
    BlitFrom(*this, source,
             [&](const BlitDetail::Target& target, MemoryImage& from)
             { BlitDetail::Blit(target, from, x, y, sourceRect, color, mode, true); });
}

void MemoryImage::StretchBltMirror(Image* source, const Rect& destRect, const Rect& sourceRect,
                                   const Rect& clipRect, const Color& color, DrawMode mode,
                                   bool fastStretch)
{
    BlitFrom(*this, source,
             [&](const BlitDetail::Target& target, MemoryImage& from)
             {
                 BlitDetail::StretchBlit(target, from, destRect, sourceRect, clipRect, color, mode,
                                         fastStretch, true);
             });
}

// --- Derived data.

const std::uint32_t* MemoryImage::GetNativeAlphaData(const PixelFormat& format)
{
    const bool sameFormat = format.redMask == nativeFormat.redMask &&
                            format.greenMask == nativeFormat.greenMask &&
                            format.blueMask == nativeFormat.blueMask &&
                            format.redShift == nativeFormat.redShift &&
                            format.greenShift == nativeFormat.greenShift &&
                            format.blueShift == nativeFormat.blueShift;
    if (!nativeAlphaData.empty() && sameFormat)
    {
        return nativeAlphaData.data();
    }
    const auto convert = [&format](std::uint32_t pixel)
    {
        const std::uint32_t alpha = pixel >> 24;
        const auto field = [alpha](std::uint32_t channel, std::uint32_t mask, int shift)
        {
            // Premultiplied, then cut to the width of the display's field.
            const std::uint32_t premultiplied = channel * (alpha + 1) / 256;
            const int fieldBits = std::popcount(mask);
            const std::uint32_t scaled =
                fieldBits >= 8 ? premultiplied : premultiplied >> (8 - fieldBits);
            return (scaled << shift) & mask;
        };
        return (alpha << 24) | field((pixel >> 16) & 0xFF, format.redMask, format.redShift) |
               field((pixel >> 8) & 0xFF, format.greenMask, format.greenShift) |
               field(pixel & 0xFF, format.blueMask, format.blueShift);
    };
    nativeFormat = format;
    nativeAlphaData.clear();
    if (isPalettized)
    {
        // A palettized image converts its table; the indices stay as they are.
        nativeAlphaData.reserve(colorTable.size());
        for (const std::uint32_t entry : colorTable)
        {
            nativeAlphaData.push_back(convert(entry));
        }
    }
    else
    {
        nativeAlphaData.reserve(bits.size());
        for (const std::uint32_t pixel : bits)
        {
            nativeAlphaData.push_back(convert(pixel));
        }
    }
    return nativeAlphaData.empty() ? nullptr : nativeAlphaData.data();
}

std::vector<std::uint8_t> MemoryImage::BuildRunLengths(bool additive) const
{
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::vector<std::uint8_t> runs(count);
    const auto pixelAt = [this](std::size_t index)
    { return isPalettized ? colorTable[colorIndices[index]] : bits[index]; };
    const auto classOf = [additive](std::uint32_t pixel)
    {
        return additive ? static_cast<int>(IsBlack(pixel)) : static_cast<int>(ClassOfAlpha(pixel));
    };
    for (int row = 0; row < height; ++row)
    {
        const std::size_t start = static_cast<std::size_t>(row) * static_cast<std::size_t>(width);
        int nextClass = -1;
        int nextRun = 0;
        for (int column = width - 1; column >= 0; --column)
        {
            const std::size_t index = start + static_cast<std::size_t>(column);
            const int pixelClass = classOf(pixelAt(index));
            const int run = pixelClass == nextClass ? std::min(nextRun + 1, 255) : 1;
            runs[index] = static_cast<std::uint8_t>(run);
            nextClass = pixelClass;
            nextRun = run;
        }
    }
    return runs;
}

const std::uint8_t* MemoryImage::GetRLAlphaData()
{
    if (rlAlphaData.empty() && width > 0 && height > 0 && (isPalettized || !bits.empty()))
    {
        rlAlphaData = BuildRunLengths(false);
    }
    return rlAlphaData.empty() ? nullptr : rlAlphaData.data();
}

const std::uint8_t* MemoryImage::GetRLAdditiveData()
{
    if (rlAdditiveData.empty() && width > 0 && height > 0 && (isPalettized || !bits.empty()))
    {
        rlAdditiveData = BuildRunLengths(true);
    }
    return rlAdditiveData.empty() ? nullptr : rlAdditiveData.data();
}

void MemoryImage::PurgeBits()
{
    // Without a display surface the bits are the only copy of the pixels,
    // unless the colour table holds them.
    if (isPalettized)
    {
        bits.clear();
        bits.shrink_to_fit();
    }
}

void MemoryImage::DeleteSWBuffers()
{
    DeleteNativeData();
    rlAlphaData.clear();
    rlAlphaData.shrink_to_fit();
    rlAdditiveData.clear();
    rlAdditiveData.shrink_to_fit();
}

void MemoryImage::Delete3DBuffers() {}

void MemoryImage::DeleteExtraBuffers()
{
    DeleteSWBuffers();
    Delete3DBuffers();
}

void MemoryImage::ReInit() {}

void MemoryImage::BitsChanged()
{
    ++bitsChangedCount;
    bitsChangedFlag = true;
    if (!nativeAlphaData.empty())
    {
        nativeAlphaData.clear();
    }
    rlAlphaData.clear();
    rlAdditiveData.clear();
}

void MemoryImage::CommitBits()
{
    UpdateFlags();
}

void MemoryImage::UpdateFlags()
{
    if (!bitsChangedFlag)
    {
        return;
    }
    bitsChangedFlag = false;
    if (forcedMode)
    {
        return;
    }
    hasTrans = false;
    hasAlpha = false;
    const auto visit = [this](std::uint32_t pixel)
    {
        const std::uint32_t alpha = pixel >> 24;
        hasTrans |= alpha == 0;
        hasAlpha |= alpha != 0 && alpha != 255;
    };
    if (isPalettized)
    {
        std::for_each(colorTable.begin(), colorTable.end(), visit);
    }
    else if (!bits.empty())
    {
        std::for_each(bits.begin(), bits.end(), visit);
    }
    else
    {
        hasTrans = true;
    }
}

bool MemoryImage::HasTransparency()
{
    UpdateFlags();
    return hasTrans;
}

bool MemoryImage::HasPartialAlpha()
{
    UpdateFlags();
    return hasAlpha;
}

void MemoryImage::DeleteNativeData()
{
    nativeAlphaData.clear();
    nativeAlphaData.shrink_to_fit();
}

void MemoryImage::Clear()
{
    std::uint32_t* pixels = GetBits();
    if (pixels != nullptr)
    {
        std::fill(bits.begin(), bits.end(), 0u);
    }
    BitsChanged();
}

void MemoryImage::SetBits(const std::uint32_t* newBits, int newWidth, int newHeight,
                          bool commitBits)
{
    Create(newWidth, newHeight);
    if (newBits != nullptr && !bits.empty())
    {
        std::memcpy(bits.data(), newBits, bits.size() * sizeof(std::uint32_t));
    }
    if (commitBits)
    {
        CommitBits();
    }
}

void MemoryImage::Create(int newWidth, int newHeight)
{
    if (newWidth <= 0 || newHeight <= 0 || newWidth > kMaxSide || newHeight > kMaxSide)
    {
        newWidth = 0;
        newHeight = 0;
    }
    width = newWidth;
    height = newHeight;
    colorTable.clear();
    colorIndices.clear();
    isPalettized = false;
    bits.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0u);
    DeleteExtraBuffers();
    BitsChanged();
}

std::uint32_t* MemoryImage::GetBits()
{
    if (isPalettized)
    {
        // Writers may change any pixel, so the image stops being palettized.
        bits.resize(colorIndices.size());
        for (std::size_t i = 0; i < colorIndices.size(); ++i)
        {
            bits[i] = colorTable[colorIndices[i]];
        }
        colorTable.clear();
        colorIndices.clear();
        isPalettized = false;
        DeleteNativeData();
    }
    return bits.empty() ? nullptr : bits.data();
}

void MemoryImage::SetImageMode(bool hasTransparency, bool hasPartialAlpha)
{
    forcedMode = true;
    hasTrans = hasTransparency;
    hasAlpha = hasPartialAlpha;
}

void MemoryImage::SetVolatile(bool volatileBits)
{
    isVolatile = volatileBits;
}

bool MemoryImage::Palettize()
{
    if (isPalettized)
    {
        return true;
    }
    if (bits.empty())
    {
        return false;
    }
    std::unordered_map<std::uint32_t, std::uint8_t> indexOf;
    std::vector<std::uint32_t> table;
    std::vector<std::uint8_t> indices(bits.size());
    for (std::size_t i = 0; i < bits.size(); ++i)
    {
        const auto [entry, added] = indexOf.try_emplace(bits[i], static_cast<std::uint8_t>(table.size()));
        if (added)
        {
            if (table.size() == 256)
            {
                return false;
            }
            table.push_back(bits[i]);
        }
        indices[i] = entry->second;
    }
    // Unused entries repeat the first colour so that they never change the flags.
    table.resize(256, table.front());
    colorTable = std::move(table);
    colorIndices = std::move(indices);
    bits.clear();
    bits.shrink_to_fit();
    isPalettized = true;
    DeleteNativeData();
    return true;
}

const std::uint32_t* MemoryImage::GetColorTable() const
{
    return isPalettized ? colorTable.data() : nullptr;
}

const std::uint8_t* MemoryImage::GetColorIndices() const
{
    return isPalettized ? colorIndices.data() : nullptr;
}

} // namespace Lumo
