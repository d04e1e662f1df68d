// Image: the geometry of a picture and the drawing operations every image kind offers.
// SPDX-License-Identifier: MIT
//
// Rules of this module:
// - Callers draw through Graphics, which clips every request before it reaches
//   an image; the image operations trust their rects to lie inside the
//   destination (they still refuse anything outside it, never writing out of
//   bounds).
// - The base class holds geometry only: its drawing operations do nothing,
//   except the outline and span fills, which are made of FillRect calls.
// - A source image given to a blit is only read.
// - An image is used from one thread at a time (the game lock).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/color.h"

namespace Lumo
{

// How drawn pixels combine with the destination.
enum class DrawMode : int
{
    Normal = 0,   // alpha blending
    Additive = 1, // colour added, saturating at 255
};

// One horizontal run filled as a rect of height 1.
struct Span
{
    int y = 0;
    int x = 0;
    int width = 0;
};

// Frame timing of an animated image (cels laid out in rows and columns).
struct AnimInfo
{
    int frameDelayMs = 0;
    int beginDelayMs = 0;
    int endDelayMs = 0;
    std::vector<int> perFrameDelayMs;
    std::vector<int> frameMap;
};

class Image
{
public:
    Image() = default;
    Image(const Image& other);
    Image& operator=(const Image& other);
    virtual ~Image() = default;

    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    int GetCelWidth() const { return numCols > 0 ? width / numCols : width; }
    int GetCelHeight() const { return numRows > 0 ? height / numRows : height; }
    // The source rect of cel number `cel`, counted row by row.
    Rect GetCelRect(int cel) const;

    // Polygon fill is not offered by plain images; false means "not drawn".
    virtual bool PolyFill(const Point* vertices, int count, const Rect& clipRect,
                          const Color& color, DrawMode mode);
    virtual void FillRect(const Rect& rect, const Color& color, DrawMode mode) = 0;
    // Outline covering rect.width + 1 by rect.height + 1 pixels, as four fills.
    virtual void DrawRect(const Rect& rect, const Color& color, DrawMode mode);
    // Sets every pixel of the rect to 0.
    virtual void ClearRect(const Rect& rect);
    virtual void DrawLine(double startX, double startY, double endX, double endY,
                          const Color& color, DrawMode mode);
    virtual void DrawLineAA(double startX, double startY, double endX, double endY,
                            const Color& color, DrawMode mode);
    virtual void FillScanLines(const Span* spans, int count, const Color& color, DrawMode mode);
    // Spans whose alpha is further scaled by an 8-bit coverage map placed at
    // (coverX, coverY) of size coverWidth x coverHeight.
    virtual void FillScanLinesWithCoverage(const Span* spans, int count, const Color& color,
                                           DrawMode mode, const std::uint8_t* coverage,
                                           int coverX, int coverY, int coverWidth,
                                           int coverHeight);
    virtual void Blt(Image* source, int x, int y, const Rect& sourceRect, const Color& color,
                     DrawMode mode);
    virtual void BltF(Image* source, float x, float y, const Rect& sourceRect,
                      const Rect& clipRect, const Color& color, DrawMode mode);
    // Draws sourceRect turned by `angle` radians about (x + centerX, y + centerY),
    // where (x, y) is where its top-left corner would lie unturned.
    virtual void BltRotated(Image* source, float x, float y, const Rect& sourceRect,
                            const Rect& clipRect, const Color& color, DrawMode mode, double angle,
                            float centerX, float centerY);
    virtual void StretchBlt(Image* source, const Rect& destRect, const Rect& sourceRect,
                            const Rect& clipRect, const Color& color, DrawMode mode,
                            bool fastStretch);
    // Left-right mirrored blit: the source's last column lands at x.
    virtual void BltMirror(Image* source, int x, int y, const Rect& sourceRect, const Color& color,
                           DrawMode mode);
    virtual void StretchBltMirror(Image* source, const Rect& destRect, const Rect& sourceRect,
                                  const Rect& clipRect, const Color& color, DrawMode mode,
                                  bool fastStretch);

    int reserved = 0;
    std::string filePath;
    int width = 0;
    int height = 0;
    int numRows = 1;
    int numCols = 1;
    std::unique_ptr<AnimInfo> animInfo;
};

} // namespace Lumo
