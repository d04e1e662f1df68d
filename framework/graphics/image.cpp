// Image: geometry and the base behaviour of the drawing operations.
// SPDX-License-Identifier: MIT
#include "framework/graphics/image.h"

namespace Lumo
{

Image::Image(const Image& other)
    : reserved(other.reserved), filePath(other.filePath), width(other.width),
      height(other.height), numRows(other.numRows), numCols(other.numCols),
      animInfo(other.animInfo ? std::make_unique<AnimInfo>(*other.animInfo) : nullptr)
{
}

Image& Image::operator=(const Image& other)
{
    if (this != &other)
    {
        reserved = other.reserved;
        filePath = other.filePath;
        width = other.width;
        height = other.height;
        numRows = other.numRows;
        numCols = other.numCols;
        animInfo = other.animInfo ? std::make_unique<AnimInfo>(*other.animInfo) : nullptr;
    }
    return *this;
}

Rect Image::GetCelRect(int cel) const
{
    const int cols = numCols > 0 ? numCols : 1;
    const int celWidth = GetCelWidth();
    const int celHeight = GetCelHeight();
    return Rect((cel % cols) * celWidth, (cel / cols) * celHeight, celWidth, celHeight);
}

bool Image::PolyFill(const Point*, int, const Rect&, const Color&, DrawMode)
{
    return false;
}

void Image::DrawRect(const Rect& rect, const Color& color, DrawMode mode)
{
    FillRect(Rect(rect.x, rect.y, rect.width + 1, 1), color, mode);
    FillRect(Rect(rect.x, rect.y + rect.height, rect.width + 1, 1), color, mode);
    FillRect(Rect(rect.x, rect.y + 1, 1, rect.height - 1), color, mode);
    FillRect(Rect(rect.x + rect.width, rect.y + 1, 1, rect.height - 1), color, mode);
}

void Image::ClearRect(const Rect&) {}

void Image::DrawLine(double, double, double, double, const Color&, DrawMode) {}

void Image::DrawLineAA(double, double, double, double, const Color&, DrawMode) {}

void Image::FillScanLines(const Span* spans, int count, const Color& color, DrawMode mode)
{
    for (int i = 0; i < count; ++i)
    {
        FillRect(Rect(spans[i].x, spans[i].y, spans[i].width, 1), color, mode);
    }
}

void Image::FillScanLinesWithCoverage(const Span*, int, const Color&, DrawMode,
                                      const std::uint8_t*, int, int, int, int)
{
}

void Image::Blt(Image*, int, int, const Rect&, const Color&, DrawMode) {}

void Image::BltF(Image*, float, float, const Rect&, const Rect&, const Color&, DrawMode) {}

void Image::BltRotated(Image*, float, float, const Rect&, const Rect&, const Color&, DrawMode,
                       double, float, float)
{
}

void Image::StretchBlt(Image*, const Rect&, const Rect&, const Rect&, const Color&, DrawMode,
                       bool)
{
}

void Image::BltMirror(Image*, int, int, const Rect&, const Color&, DrawMode) {}

void Image::StretchBltMirror(Image*, const Rect&, const Rect&, const Rect&, const Color&,
                             DrawMode, bool)
{
}

} // namespace Lumo
