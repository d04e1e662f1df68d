// Drawing routines on 32-bit ARGB pixel buffers: fills, lines, blits, stretches, rotation.
// SPDX-License-Identifier: MIT
#include "framework/graphics/internal/blit.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "framework/graphics/internal/blend.h"
#include "framework/graphics/internal/span_kernels.h"
#include "framework/graphics/memory_image.h"

namespace Lumo::BlitDetail
{

using namespace BlendDetail;

namespace
{

int ClampChannel(int value) { return std::clamp(value, 0, 255); }

std::uint32_t PackRgb(const Color& color)
{
    return (static_cast<std::uint32_t>(ClampChannel(color.red)) << 16) |
           (static_cast<std::uint32_t>(ClampChannel(color.green)) << 8) |
           static_cast<std::uint32_t>(ClampChannel(color.blue));
}

// Paints one colour onto single pixels: the fill rules of both modes.
struct Painter
{
    DrawMode mode;
    std::uint32_t color; // with the alpha byte of `alpha`
    std::uint32_t alpha;
    std::uint32_t amount; // what the additive mode adds
    bool opaqueDest;

    Painter(const Color& c, DrawMode drawMode, bool opaque)
        : mode(drawMode), alpha(static_cast<std::uint32_t>(ClampChannel(c.alpha))),
          opaqueDest(opaque)
    {
        const std::uint32_t rgb = PackRgb(c);
        color = (alpha << 24) | rgb;
        amount = alpha == 255 ? rgb : ScaleColor(rgb, alpha);
    }

    bool DrawsNothing() const { return mode == DrawMode::Additive ? amount == 0 : alpha == 0; }

    void Paint(std::uint32_t& dest) const
    {
        if (mode == DrawMode::Additive)
        {
            dest = AddSaturated(dest, amount);
        }
        else if (alpha == 255)
        {
            dest = color;
        }
        else if (alpha != 0)
        {
            dest = opaqueDest ? BlendOverOpaque(dest, color, alpha)
                              : BlendPartial(dest, color, static_cast<int>(alpha));
        }
    }

    // The same colour with its alpha scaled by coverage 0..255.
    Painter WithCoverage(int coverage) const
    {
        Painter scaled = *this;
        scaled.alpha = alpha * static_cast<std::uint32_t>(coverage) / 255;
        scaled.color = (scaled.alpha << 24) | (color & 0xFFFFFFu);
        scaled.amount = scaled.alpha == 255 ? (color & 0xFFFFFFu)
                                            : ScaleColor(color & 0xFFFFFFu, scaled.alpha);
        return scaled;
    }
};

// Read access to a source's pixels, whether it holds bits or a colour table.
class SourcePixels
{
public:
    explicit SourcePixels(const MemoryImage& image)
        : width(image.GetWidth()), height(image.GetHeight()), bits(image.PeekBits()),
          table(image.GetColorTable()), indices(image.GetColorIndices())
    {
    }

    bool IsValid() const { return width > 0 && height > 0 && (bits || (table && indices)); }

    std::uint32_t At(int x, int y) const
    {
        const std::size_t index = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                  static_cast<std::size_t>(x);
        return bits ? bits[index] : table[indices[index]];
    }

    // `count` pixels of row y from x; a palettized row is expanded into scratch.
    const std::uint32_t* Row(int x, int y, int count, std::vector<std::uint32_t>& scratch) const
    {
        const std::size_t index = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                  static_cast<std::size_t>(x);
        if (bits)
        {
            return bits + index;
        }
        scratch.resize(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i)
        {
            scratch[static_cast<std::size_t>(i)] = table[indices[index + static_cast<std::size_t>(i)]];
        }
        return scratch.data();
    }

    int width;
    int height;

private:
    const std::uint32_t* bits;
    const std::uint32_t* table;
    const std::uint8_t* indices;
};

std::uint32_t* PixelAt(const Target& target, int x, int y)
{
    return target.bits + static_cast<std::size_t>(y) * static_cast<std::size_t>(target.width) +
           static_cast<std::size_t>(x);
}

Rect Bounds(const Target& target) { return Rect(0, 0, target.width, target.height); }

// --- Blit runs. Each works on n pixels of one class (see the run-length data).

void CopyTintedRun(std::uint32_t* dest, const std::uint32_t* source, int n,
                   const BlitParams& params, bool opaqueDest)
{
    for (int i = 0; i < n; ++i)
    {
        const std::uint32_t tinted = params.Tint(source[i]);
        const std::uint32_t alpha = tinted >> 24;
        if (alpha == 255)
        {
            dest[i] = tinted;
        }
        else if (alpha != 0)
        {
            dest[i] = opaqueDest ? BlendOverOpaque(dest[i], tinted, alpha)
                                 : BlendPartial(dest[i], tinted, static_cast<int>(alpha));
        }
    }
}

void BlendRun(std::uint32_t* dest, const std::uint32_t* source, int n)
{
    for (int i = 0; i < n; ++i)
    {
        dest[i] = BlendPartial(dest[i], source[i], AlphaOf(source[i]));
    }
}

// The untinted normal rule over an opaque destination. The run-length data
// skips the transparent run at the start of the row; the rest goes through
// the vector kernel, which itself passes over transparent groups of pixels and
// copies opaque ones, so following the runs further costs more than it saves.
void BlitNormalRowOverOpaque(std::uint32_t* dest, const std::uint32_t* source,
                             const std::uint8_t* runs, int count)
{
    int start = 0;
    while (start < count && (source[start] >> 24) == 0)
    {
        start += runs[start];
    }
    if (start < count)
    {
        BlendSpanOverOpaque(dest + start, source + start, count - start);
    }
}

void BlitNormalRow(std::uint32_t* dest, const std::uint32_t* source, const std::uint8_t* runs,
                   int count, const BlitParams& params, bool opaqueDest)
{
    if (opaqueDest && !params.colorize)
    {
        BlitNormalRowOverOpaque(dest, source, runs, count);
        return;
    }
    int i = 0;
    while (i < count)
    {
        const int n = std::min<int>(runs[i], count - i);
        const std::uint32_t alpha = source[i] >> 24;
        if (alpha != 0)
        {
            if (params.colorize)
            {
                CopyTintedRun(dest + i, source + i, n, params, opaqueDest);
            }
            else if (alpha == 255)
            {
                CopyPixels(dest + i, source + i, n);
            }
            else
            {
                BlendRun(dest + i, source + i, n);
            }
        }
        i += n;
    }
}

void BlitAdditiveRow(std::uint32_t* dest, const std::uint32_t* source, const std::uint8_t* runs,
                     int count, const BlitParams& params)
{
    const int multipliers[3] = {params.addRed, params.addGreen, params.addBlue};
    int i = 0;
    while (i < count)
    {
        const int n = std::min<int>(runs[i], count - i);
        if ((source[i] & 0xFFFFFFu) != 0)
        {
            AddSpan(dest + i, source + i, n, params.colorize, multipliers,
                    params.sourcePartialAlpha);
        }
        i += n;
    }
}

// Clips a blit of `sourceRect` placed at (x, y) to the source and the target;
// false when nothing is left.
bool ClipBlit(const Target& target, const SourcePixels& source, int& x, int& y, Rect& sourceRect)
{
    if (sourceRect.x < 0)
    {
        x -= sourceRect.x;
        sourceRect.width += sourceRect.x;
        sourceRect.x = 0;
    }
    if (sourceRect.y < 0)
    {
        y -= sourceRect.y;
        sourceRect.height += sourceRect.y;
        sourceRect.y = 0;
    }
    sourceRect.width = std::min(sourceRect.width, source.width - sourceRect.x);
    sourceRect.height = std::min(sourceRect.height, source.height - sourceRect.y);
    if (x < 0)
    {
        sourceRect.x -= x;
        sourceRect.width += x;
        x = 0;
    }
    if (y < 0)
    {
        sourceRect.y -= y;
        sourceRect.height += y;
        y = 0;
    }
    sourceRect.width = std::min(sourceRect.width, target.width - x);
    sourceRect.height = std::min(sourceRect.height, target.height - y);
    return sourceRect.width > 0 && sourceRect.height > 0;
}

// --- Smooth stretch: separable filter taps along one dimension.

// For each destination index of a range: the first source index, the number
// of taps and their weights (summing to 65536).
struct FilterTaps
{
    std::vector<int> first;
    std::vector<int> count;
    std::vector<int> offset;
    std::vector<std::uint32_t> weights;
};

constexpr std::uint32_t kWeightOne = 65536;

FilterTaps BuildTaps(int sourceSize, int destSize, int begin, int end)
{
    FilterTaps taps;
    const std::size_t n = static_cast<std::size_t>(end - begin);
    taps.first.reserve(n);
    taps.count.reserve(n);
    taps.offset.reserve(n);
    for (int i = begin; i < end; ++i)
    {
        taps.offset.push_back(static_cast<int>(taps.weights.size()));
        if (destSize == sourceSize)
        {
            taps.first.push_back(i);
            taps.count.push_back(1);
            taps.weights.push_back(kWeightOne);
        }
        else if (destSize > sourceSize)
        {
            // Growing: linear between the two nearest source pixels, spaced
            // (source size - 1) / (destination size - 1) apart.
            const std::int64_t position =
                static_cast<std::int64_t>(i) * (sourceSize - 1) * 65536 / (destSize - 1);
            const int index = static_cast<int>(position >> 16);
            const std::uint32_t fraction = static_cast<std::uint32_t>((position >> 8) & 0xFF);
            taps.first.push_back(index);
            if (fraction == 0 || index + 1 >= sourceSize)
            {
                taps.count.push_back(1);
                taps.weights.push_back(kWeightOne);
            }
            else
            {
                taps.count.push_back(2);
                taps.weights.push_back((256 - fraction) * 256);
                taps.weights.push_back(fraction * 256);
            }
        }
        else
        {
            // Shrinking: every covered source pixel weighted by the part of it
            // covered. In units of 1/destSize of a source pixel, destination i
            // spans [i * S, (i + 1) * S) and source j spans [j * D, (j + 1) * D).
            const std::int64_t spanStart = static_cast<std::int64_t>(i) * sourceSize;
            const std::int64_t spanEnd = spanStart + sourceSize;
            const int firstIndex = static_cast<int>(spanStart / destSize);
            const int lastIndex = static_cast<int>((spanEnd - 1) / destSize);
            taps.first.push_back(firstIndex);
            taps.count.push_back(lastIndex - firstIndex + 1);
            std::uint32_t sum = 0;
            std::size_t largest = taps.weights.size();
            for (int j = firstIndex; j <= lastIndex; ++j)
            {
                const std::int64_t overlap =
                    std::min<std::int64_t>(spanEnd, static_cast<std::int64_t>(j + 1) * destSize) -
                    std::max<std::int64_t>(spanStart, static_cast<std::int64_t>(j) * destSize);
                taps.weights.push_back(
                    static_cast<std::uint32_t>(overlap * kWeightOne / sourceSize));
                sum += taps.weights.back();
                if (taps.weights.back() > taps.weights[largest])
                {
                    largest = taps.weights.size() - 1;
                }
            }
            // Rounding leftovers go to the largest share so the weights sum to one.
            taps.weights[largest] += kWeightOne - sum;
        }
    }
    return taps;
}

// Weighted sum of pixels, each channel rounded back to 8 bits.
struct ChannelSums
{
    std::uint32_t a = 32768, r = 32768, g = 32768, b = 32768;

    void Add(std::uint32_t pixel, std::uint32_t weight)
    {
        a += (pixel >> 24) * weight;
        r += ((pixel >> 16) & 0xFF) * weight;
        g += ((pixel >> 8) & 0xFF) * weight;
        b += (pixel & 0xFF) * weight;
    }

    std::uint32_t Pack() const
    {
        return ((a >> 16) << 24) | ((r >> 16) << 16) | ((g >> 16) << 8) | (b >> 16);
    }
};

// A tap list of at most two taps a pixel (growing or same size): the first
// source index and the fraction 0..255 of the next one.
bool IsTwoTap(const FilterTaps& taps)
{
    return std::all_of(taps.count.begin(), taps.count.end(), [](int count) { return count <= 2; });
}

std::uint32_t SecondTapFraction(const FilterTaps& taps, std::size_t index)
{
    return taps.count[index] == 2
               ? taps.weights[static_cast<std::size_t>(taps.offset[index]) + 1] / 256
               : 0;
}

void SmoothStretch(const Target& target, const SourcePixels& source, const Rect& destRect,
                   const Rect& sourceRect, const Rect& area, const BlitParams& params,
                   bool mirrored)
{
    const FilterTaps xTaps = BuildTaps(sourceRect.width, destRect.width, area.x - destRect.x,
                                       area.x + area.width - destRect.x);
    const FilterTaps yTaps = BuildTaps(sourceRect.height, destRect.height, area.y - destRect.y,
                                       area.y + area.height - destRect.y);
    const int firstRow = yTaps.first.front();
    const int lastRow = yTaps.first.back() + yTaps.count.back() - 1;
    const int rows = lastRow - firstRow + 1;
    const auto columns = static_cast<std::size_t>(area.width);
    const auto sourceColumn = [&](int offset)
    { return sourceRect.x + (mirrored ? sourceRect.width - 1 - offset : offset); };

    // First pass: along x, for every source row the second pass reads. Two
    // taps (growing) mix neighbours with 8-bit fractions, which round exactly
    // like the 16-bit weights of the general case.
    std::vector<std::uint32_t> pass(static_cast<std::size_t>(rows) * columns);
    std::vector<std::uint32_t> scratch;
    const bool twoTapX = IsTwoTap(xTaps);
    std::vector<int> firstColumn(columns);
    std::vector<int> secondColumn(columns);
    std::vector<std::uint16_t> fractionLanes(columns * 4);
    if (twoTapX)
    {
        for (std::size_t column = 0; column < columns; ++column)
        {
            const std::uint32_t fraction = SecondTapFraction(xTaps, column);
            std::fill_n(fractionLanes.begin() + static_cast<std::ptrdiff_t>(column * 4), 4,
                        static_cast<std::uint16_t>(fraction));
            firstColumn[column] = sourceColumn(xTaps.first[column]) - sourceRect.x;
            secondColumn[column] = fraction != 0
                                       ? sourceColumn(xTaps.first[column] + 1) - sourceRect.x
                                       : firstColumn[column];
        }
    }
    for (int row = 0; row < rows; ++row)
    {
        const int sourceY = sourceRect.y + firstRow + row;
        std::uint32_t* out = pass.data() + static_cast<std::size_t>(row) * columns;
        if (twoTapX)
        {
            const std::uint32_t* in = source.Row(sourceRect.x, sourceY, sourceRect.width, scratch);
            MixColumns(out, in, firstColumn.data(), secondColumn.data(), fractionLanes.data(),
                       static_cast<int>(columns));
            continue;
        }
        for (std::size_t column = 0; column < columns; ++column)
        {
            ChannelSums sums;
            const int offset = xTaps.offset[column];
            for (int tap = 0; tap < xTaps.count[column]; ++tap)
            {
                sums.Add(source.At(sourceColumn(xTaps.first[column] + tap), sourceY),
                         xTaps.weights[static_cast<std::size_t>(offset + tap)]);
            }
            out[column] = sums.Pack();
        }
    }

    // Second pass: along y into one line, then blended into the destination.
    std::vector<std::uint32_t> line(columns);
    const bool twoTapY = IsTwoTap(yTaps);
    const bool plainBlend = params.mode == DrawMode::Normal && !params.colorize && target.opaqueDest;
    for (int row = 0; row < area.height; ++row)
    {
        const auto index = static_cast<std::size_t>(row);
        const int offset = yTaps.offset[index];
        const int count = yTaps.count[index];
        const std::uint32_t* in = pass.data() +
                                  static_cast<std::size_t>(yTaps.first[index] - firstRow) * columns;
        if (twoTapY)
        {
            const std::uint32_t fraction = SecondTapFraction(yTaps, index);
            MixRows(line.data(), in, fraction != 0 ? in + columns : in, fraction,
                    static_cast<int>(columns));
        }
        else
        {
            for (std::size_t column = 0; column < columns; ++column)
            {
                ChannelSums sums;
                for (int tap = 0; tap < count; ++tap)
                {
                    sums.Add(in[static_cast<std::size_t>(tap) * columns + column],
                             yTaps.weights[static_cast<std::size_t>(offset + tap)]);
                }
                line[column] = sums.Pack();
            }
        }
        std::uint32_t* dest = PixelAt(target, area.x, area.y + row);
        if (plainBlend)
        {
            BlendSpanOverOpaque(dest, line.data(), static_cast<int>(columns));
        }
        else
        {
            for (std::size_t column = 0; column < columns; ++column)
            {
                params.Apply(dest[column], line[column]);
            }
        }
    }
}

} // namespace

void FillRect(const Target& target, const Rect& rect, const Color& color, DrawMode mode)
{
    const Rect area = rect.Intersection(Bounds(target));
    const Painter painter(color, mode, target.opaqueDest);
    if (area.IsEmpty() || painter.DrawsNothing())
    {
        return;
    }
    for (int row = 0; row < area.height; ++row)
    {
        std::uint32_t* dest = PixelAt(target, area.x, area.y + row);
        if (mode == DrawMode::Normal && painter.alpha == 255)
        {
            std::fill(dest, dest + area.width, painter.color);
        }
        else if (mode == DrawMode::Normal && target.opaqueDest)
        {
            for (int i = 0; i < area.width; ++i)
            {
                dest[i] = BlendOverOpaque(dest[i], painter.color, painter.alpha);
            }
        }
        else
        {
            for (int i = 0; i < area.width; ++i)
            {
                painter.Paint(dest[i]);
            }
        }
    }
}

void DrawLine(const Target& target, double startX, double startY, double endX, double endY,
              const Color& color, DrawMode mode)
{
    const Painter painter(color, mode, target.opaqueDest);
    if (painter.DrawsNothing())
    {
        return;
    }
    // Bresenham between the truncated end points, both ends included.
    int x = static_cast<int>(startX);
    int y = static_cast<int>(startY);
    const int x2 = static_cast<int>(endX);
    const int y2 = static_cast<int>(endY);
    const int dx = std::abs(x2 - x);
    const int dy = -std::abs(y2 - y);
    const int stepX = x < x2 ? 1 : -1;
    const int stepY = y < y2 ? 1 : -1;
    int error = dx + dy;
    const Rect bounds = Bounds(target);
    for (;;)
    {
        if (bounds.Contains(x, y))
        {
            painter.Paint(*PixelAt(target, x, y));
        }
        if (x == x2 && y == y2)
        {
            break;
        }
        const int twice = 2 * error;
        if (twice >= dy)
        {
            error += dy;
            x += stepX;
        }
        if (twice <= dx)
        {
            error += dx;
            y += stepY;
        }
    }
}

void DrawLineAA(const Target& target, double startX, double startY, double endX, double endY,
                const Color& color, DrawMode mode)
{
    const Painter painter(color, mode, target.opaqueDest);
    if (painter.DrawsNothing())
    {
        return;
    }
    const Rect bounds = Bounds(target);
    const auto plot = [&](int x, int y, double coverage)
    {
        const int level = static_cast<int>(coverage * 255.0 + 0.5);
        if (level > 0 && bounds.Contains(x, y))
        {
            painter.WithCoverage(std::min(level, 255)).Paint(*PixelAt(target, x, y));
        }
    };
    // Wu's line: two pixels across the line at every step along it, shared
    // by how close the line passes to each.
    const bool steep = std::abs(endY - startY) > std::abs(endX - startX);
    if (steep)
    {
        std::swap(startX, startY);
        std::swap(endX, endY);
    }
    if (startX > endX)
    {
        std::swap(startX, endX);
        std::swap(startY, endY);
    }
    const double deltaX = endX - startX;
    const double gradient = deltaX == 0.0 ? 1.0 : (endY - startY) / deltaX;
    const int first = static_cast<int>(std::lround(startX));
    const int last = static_cast<int>(std::lround(endX));
    double across = startY + gradient * (first - startX);
    for (int along = first; along <= last; ++along)
    {
        const double base = std::floor(across);
        const double fraction = across - base;
        const int near = static_cast<int>(base);
        if (steep)
        {
            plot(near, along, 1.0 - fraction);
            plot(near + 1, along, fraction);
        }
        else
        {
            plot(along, near, 1.0 - fraction);
            plot(along, near + 1, fraction);
        }
        across += gradient;
    }
}

void FillSpanWithCoverage(const Target& target, int y, int x, int width, const Color& color,
                          DrawMode mode, const std::uint8_t* coverageRow)
{
    if (y < 0 || y >= target.height)
    {
        return;
    }
    const Painter painter(color, mode, target.opaqueDest);
    const int begin = std::max(x, 0);
    const int end = std::min(x + width, target.width);
    for (int i = begin; i < end; ++i)
    {
        painter.WithCoverage(coverageRow[i - x]).Paint(*PixelAt(target, i, y));
    }
}

void Blit(const Target& target, MemoryImage& source, int x, int y, const Rect& sourceRect,
          const Color& color, DrawMode mode, bool mirrored)
{
    // Derived data first: building it may change how the source holds its pixels.
    const bool additive = mode == DrawMode::Additive;
    const std::uint8_t* runs = additive ? source.GetRLAdditiveData() : source.GetRLAlphaData();
    const BlitParams params(color, mode, additive && source.HasPartialAlpha());
    const SourcePixels pixels(source);
    if (!pixels.IsValid() || runs == nullptr)
    {
        return;
    }
    if (mirrored)
    {
        // Rarely used: pixel by pixel, the source read from its last column back.
        Rect bounded = sourceRect.Intersection(Rect(0, 0, pixels.width, pixels.height));
        if (bounded != sourceRect)
        {
            return;
        }
        for (int row = 0; row < sourceRect.height; ++row)
        {
            const int destY = y + row;
            if (destY < 0 || destY >= target.height)
            {
                continue;
            }
            for (int column = 0; column < sourceRect.width; ++column)
            {
                const int destX = x + column;
                if (destX < 0 || destX >= target.width)
                {
                    continue;
                }
                params.Apply(*PixelAt(target, destX, destY),
                             pixels.At(sourceRect.x + sourceRect.width - 1 - column,
                                       sourceRect.y + row));
            }
        }
        return;
    }
    Rect clipped = sourceRect;
    if (!ClipBlit(target, pixels, x, y, clipped))
    {
        return;
    }
    std::vector<std::uint32_t> scratch;
    if (!additive && !params.colorize && !source.HasTransparency() && !source.HasPartialAlpha())
    {
        // An opaque image is copied row by row, or in one piece when the rows
        // of source and destination follow each other without a gap.
        if (clipped.width == pixels.width && clipped.width == target.width &&
            source.PeekBits() != nullptr)
        {
            CopyPixels(PixelAt(target, x, y), pixels.Row(clipped.x, clipped.y, 0, scratch),
                       clipped.width * clipped.height);
            return;
        }
        for (int row = 0; row < clipped.height; ++row)
        {
            CopyPixels(PixelAt(target, x, y + row),
                       pixels.Row(clipped.x, clipped.y + row, clipped.width, scratch),
                       clipped.width);
        }
        return;
    }
    for (int row = 0; row < clipped.height; ++row)
    {
        const int sourceY = clipped.y + row;
        const std::uint32_t* from = pixels.Row(clipped.x, sourceY, clipped.width, scratch);
        const std::uint8_t* rowRuns =
            runs + static_cast<std::size_t>(sourceY) * static_cast<std::size_t>(pixels.width) +
            static_cast<std::size_t>(clipped.x);
        std::uint32_t* dest = PixelAt(target, x, y + row);
        if (additive)
        {
            BlitAdditiveRow(dest, from, rowRuns, clipped.width, params);
        }
        else
        {
            BlitNormalRow(dest, from, rowRuns, clipped.width, params, target.opaqueDest);
        }
    }
}

void StretchBlit(const Target& target, MemoryImage& source, const Rect& destRect,
                 const Rect& sourceRect, const Rect& clipRect, const Color& color, DrawMode mode,
                 bool fastStretch, bool mirrored)
{
    (void)color; // stretched images are not tinted
    const bool additive = mode == DrawMode::Additive;
    const BlitParams params(Color::White(), mode, additive && source.HasPartialAlpha());
    const SourcePixels pixels(source);
    const Rect bounded = sourceRect.Intersection(Rect(0, 0, pixels.width, pixels.height));
    const Rect area = destRect.Intersection(clipRect).Intersection(Bounds(target));
    if (!pixels.IsValid() || bounded.IsEmpty() || destRect.IsEmpty() || area.IsEmpty())
    {
        return;
    }
    if (!fastStretch)
    {
        SmoothStretch(target, pixels, destRect, bounded, area, params, mirrored);
        return;
    }
    // Nearest: the truncated source coordinate, stepping source / destination
    // size. Each row's samples are gathered into a line and blended at once.
    const std::int64_t stepX = (static_cast<std::int64_t>(bounded.width) << 16) / destRect.width;
    const std::int64_t stepY = (static_cast<std::int64_t>(bounded.height) << 16) / destRect.height;
    const auto columns = static_cast<std::size_t>(area.width);
    std::vector<int> columnOffsets(columns);
    for (std::size_t column = 0; column < columns; ++column)
    {
        const int offset = static_cast<int>(
            ((area.x + static_cast<int>(column) - destRect.x) * stepX) >> 16);
        columnOffsets[column] = mirrored ? bounded.width - 1 - offset : offset;
    }
    std::vector<std::uint32_t> line(columns);
    std::vector<std::uint32_t> scratch;
    const int noTint[3] = {255, 255, 255};
    for (int row = area.y; row < area.y + area.height; ++row)
    {
        const int sourceY = bounded.y + static_cast<int>(((row - destRect.y) * stepY) >> 16);
        const std::uint32_t* in = pixels.Row(bounded.x, sourceY, bounded.width, scratch);
        for (std::size_t column = 0; column < columns; ++column)
        {
            line[column] = in[columnOffsets[column]];
        }
        std::uint32_t* dest = PixelAt(target, area.x, row);
        if (additive)
        {
            AddSpan(dest, line.data(), area.width, false, noTint, params.sourcePartialAlpha);
        }
        else if (target.opaqueDest)
        {
            BlendSpanOverOpaque(dest, line.data(), area.width);
        }
        else
        {
            for (std::size_t column = 0; column < columns; ++column)
            {
                BlendNormal(dest[column], line[column]);
            }
        }
    }
}

void RotatedBlit(const Target& target, MemoryImage& source, float x, float y,
                 const Rect& sourceRect, const Rect& clipRect, const Color& color, DrawMode mode,
                 double angle, float centerX, float centerY)
{
    const bool additive = mode == DrawMode::Additive;
    const BlitParams params(color, mode, additive && source.HasPartialAlpha());
    const SourcePixels pixels(source);
    const Rect bounded = sourceRect.Intersection(Rect(0, 0, pixels.width, pixels.height));
    if (!pixels.IsValid() || bounded.IsEmpty())
    {
        return;
    }
    const double cosine = std::cos(angle);
    const double sine = std::sin(angle);
    const double pivotX = static_cast<double>(x) + centerX;
    const double pivotY = static_cast<double>(y) + centerY;
    // Bounding box of the turned source rect: offset (dx, dy) from the pivot
    // goes to (dx cos + dy sin, dy cos - dx sin).
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
    for (const double dx : {-static_cast<double>(centerX), sourceRect.width - static_cast<double>(centerX)})
    {
        for (const double dy : {-static_cast<double>(centerY), sourceRect.height - static_cast<double>(centerY)})
        {
            const double turnedX = pivotX + dx * cosine + dy * sine;
            const double turnedY = pivotY + dy * cosine - dx * sine;
            minX = std::min(minX, turnedX);
            maxX = std::max(maxX, turnedX);
            minY = std::min(minY, turnedY);
            maxY = std::max(maxY, turnedY);
        }
    }
    const double limit = 1 << 24;
    minX = std::clamp(std::floor(minX), -limit, limit);
    minY = std::clamp(std::floor(minY), -limit, limit);
    maxX = std::clamp(std::ceil(maxX), -limit, limit);
    maxY = std::clamp(std::ceil(maxY), -limit, limit);
    const Rect box(static_cast<int>(minX), static_cast<int>(minY),
                   static_cast<int>(maxX - minX) + 1, static_cast<int>(maxY - minY) + 1);
    const Rect area = box.Intersection(clipRect).Intersection(Bounds(target));
    if (area.IsEmpty())
    {
        return;
    }
    // Inverse mapping in 16.16 fixed point: destination offset (ex, ey) from
    // the pivot reads the source at (ex cos - ey sin, ex sin + ey cos).
    const std::int64_t cosFixed = std::llround(cosine * 65536.0);
    const std::int64_t sinFixed = std::llround(sine * 65536.0);
    const std::int64_t sourcePivotX =
        std::llround((sourceRect.x + static_cast<double>(centerX)) * 65536.0);
    const std::int64_t sourcePivotY =
        std::llround((sourceRect.y + static_cast<double>(centerY)) * 65536.0);
    const int right = bounded.x + bounded.width;
    const int bottom = bounded.y + bounded.height;
    for (int row = area.y; row < area.y + area.height; ++row)
    {
        const std::int64_t offsetY = std::llround((row + 0.5 - pivotY) * 65536.0);
        const std::int64_t offsetX = std::llround((area.x + 0.5 - pivotX) * 65536.0);
        std::int64_t sourceX = ((cosFixed * offsetX - sinFixed * offsetY) >> 16) + sourcePivotX;
        std::int64_t sourceY = ((sinFixed * offsetX + cosFixed * offsetY) >> 16) + sourcePivotY;
        std::uint32_t* dest = PixelAt(target, area.x, row);
        for (int column = 0; column < area.width; ++column)
        {
            const int readX = static_cast<int>(sourceX >> 16);
            const int readY = static_cast<int>(sourceY >> 16);
            if (readX >= bounded.x && readX < right && readY >= bounded.y && readY < bottom)
            {
                params.Apply(dest[column], pixels.At(readX, readY));
            }
            sourceX += cosFixed;
            sourceY += sinFixed;
        }
    }
}

} // namespace Lumo::BlitDetail
