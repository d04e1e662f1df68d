// Graphics: the drawing context, its state stack, clipping and the text and nine-part helpers.
// SPDX-License-Identifier: MIT
#include "framework/graphics/graphics.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "framework/graphics/memory_image.h"

namespace Lumo
{

namespace
{

// What a context with no destination draws into: no pixels, so its clip is
// empty and every draw request stops before touching it.
Image* EmptyImage()
{
    static MemoryImage empty;
    return &empty;
}

int HexDigitValue(char digit)
{
    if (digit >= '0' && digit <= '9')
    {
        return digit - '0';
    }
    if (digit >= 'a' && digit <= 'f')
    {
        return digit - 'a' + 10;
    }
    if (digit >= 'A' && digit <= 'F')
    {
        return digit - 'A' + 10;
    }
    return 0; // anything else counts as 0
}

// Length in characters of one colour code: "^", six digits and one closing character.
constexpr std::size_t kColorCodeLength = 8;

} // namespace

Graphics::Graphics(Image* destination)
{
    destImage = destination != nullptr ? destination : EmptyImage();
    clipRect = Rect(0, 0, destImage->GetWidth(), destImage->GetHeight());
}

Graphics::Graphics(const Graphics& other) : GraphicsState(other) {}

Graphics& Graphics::operator=(const Graphics& other)
{
    if (this != &other)
    {
        static_cast<GraphicsState&>(*this) = other;
        stateStack.clear();
    }
    return *this;
}

Graphics::~Graphics() = default;

std::unique_ptr<Graphics> Graphics::Create() const
{
    return std::make_unique<Graphics>(*this);
}

void Graphics::PushState()
{
    stateStack.push_back(static_cast<const GraphicsState&>(*this));
}

void Graphics::PopState()
{
    if (stateStack.empty())
    {
        return;
    }
    static_cast<GraphicsState&>(*this) = stateStack.back();
    stateStack.pop_back();
}

void Graphics::SetScale(float newScaleX, float newScaleY, float originX, float originY)
{
    scaleX = newScaleX;
    scaleY = newScaleY;
    scaleOrigX = originX;
    scaleOrigY = originY;
}

void Graphics::Translate(int dx, int dy)
{
    transX += static_cast<float>(dx);
    transY += static_cast<float>(dy);
}

void Graphics::TranslateF(float dx, float dy)
{
    transX += dx;
    transY += dy;
}

namespace
{

Rect NonNegative(Rect rect)
{
    rect.width = std::max(rect.width, 0);
    rect.height = std::max(rect.height, 0);
    return rect;
}

} // namespace

void Graphics::ClipRect(int x, int y, int width, int height)
{
    const Rect wanted(static_cast<int>(static_cast<float>(x) + transX),
                      static_cast<int>(static_cast<float>(y) + transY), width, height);
    clipRect = NonNegative(clipRect.Intersection(wanted));
}

void Graphics::SetClipRect(int x, int y, int width, int height)
{
    const Rect wanted(static_cast<int>(static_cast<float>(x) + transX),
                      static_cast<int>(static_cast<float>(y) + transY), width, height);
    clipRect =
        NonNegative(wanted.Intersection(Rect(0, 0, destImage->GetWidth(), destImage->GetHeight())));
}

void Graphics::ClearClipRect()
{
    clipRect = Rect(0, 0, destImage->GetWidth(), destImage->GetHeight());
}

void Graphics::FillRect(int x, int y, int width, int height)
{
    if (color.alpha == 0)
    {
        return;
    }
    const Rect area = Rect(static_cast<int>(static_cast<float>(x) + transX),
                           static_cast<int>(static_cast<float>(y) + transY), width, height)
                          .Intersection(clipRect);
    if (!area.IsEmpty())
    {
        destImage->FillRect(area, color, drawMode);
    }
}

void Graphics::DrawRect(int x, int y, int width, int height)
{
    if (color.alpha == 0 || width < 0 || height < 0)
    {
        return;
    }
    const Rect outline(static_cast<int>(static_cast<float>(x) + transX),
                       static_cast<int>(static_cast<float>(y) + transY), width + 1, height + 1);
    if (clipRect.Intersection(outline) == outline)
    {
        destImage->DrawRect(Rect(outline.x, outline.y, width, height), color, drawMode);
        return;
    }
    FillRect(x, y, width + 1, 1);
    FillRect(x, y + height, width + 1, 1);
    FillRect(x, y + 1, 1, height - 1);
    FillRect(x + width, y + 1, 1, height - 1);
}

void Graphics::ClearRect(int x, int y, int width, int height)
{
    const Rect area = Rect(static_cast<int>(static_cast<float>(x) + transX),
                           static_cast<int>(static_cast<float>(y) + transY), width, height)
                          .Intersection(clipRect);
    if (!area.IsEmpty())
    {
        destImage->ClearRect(area);
    }
}

namespace
{

// Clips the segment to the columns [low, high] of one axis (`along` is that
// axis, `across` the other); false when it lies wholly outside.
bool ClipAxis(double& along1, double& across1, double& along2, double& across2, double low,
              double end)
{
    if (along1 > along2)
    {
        std::swap(along1, along2);
        std::swap(across1, across2);
    }
    if (along1 < low)
    {
        if (along2 < low)
        {
            return false;
        }
        across1 += (across2 - across1) * (low - along1) / (along2 - along1);
        along1 = low;
    }
    if (along2 >= end)
    {
        if (along1 >= end)
        {
            return false;
        }
        const double last = end - 1;
        across2 = across1 + (across2 - across1) * (last - along1) / (along2 - along1);
        along2 = last;
    }
    return true;
}

// Line clipping against the clip rect's columns and rows, x first, then y.
bool ClipLine(const Rect& clip, double& x1, double& y1, double& x2, double& y2)
{
    if (clip.IsEmpty())
    {
        return false;
    }
    return ClipAxis(x1, y1, x2, y2, clip.x, static_cast<double>(clip.x) + clip.width) &&
           ClipAxis(y1, x1, y2, x2, clip.y, static_cast<double>(clip.y) + clip.height);
}

} // namespace

void Graphics::DrawLine(int startX, int startY, int endX, int endY)
{
    double x1 = startX + static_cast<double>(transX);
    double y1 = startY + static_cast<double>(transY);
    double x2 = endX + static_cast<double>(transX);
    double y2 = endY + static_cast<double>(transY);
    if (ClipLine(clipRect, x1, y1, x2, y2))
    {
        destImage->DrawLine(x1, y1, x2, y2, color, drawMode);
    }
}

void Graphics::DrawLineAA(int startX, int startY, int endX, int endY)
{
    double x1 = startX + static_cast<double>(transX);
    double y1 = startY + static_cast<double>(transY);
    double x2 = endX + static_cast<double>(transX);
    double y2 = endY + static_cast<double>(transY);
    if (ClipLine(clipRect, x1, y1, x2, y2))
    {
        destImage->DrawLineAA(x1, y1, x2, y2, color, drawMode);
    }
}

bool Graphics::PolyFill(const Point* vertices, int count)
{
    if (vertices == nullptr || count < 3)
    {
        return false;
    }
    std::vector<Point> moved(vertices, vertices + count);
    for (Point& point : moved)
    {
        point.x = static_cast<int>(static_cast<float>(point.x) + transX);
        point.y = static_cast<int>(static_cast<float>(point.y) + transY);
    }
    return destImage->PolyFill(moved.data(), count, clipRect, color, drawMode);
}

void Graphics::DrawImage(Image* image, int x, int y)
{
    if (image != nullptr)
    {
        DrawImage(image, x, y, Rect(0, 0, image->GetWidth(), image->GetHeight()));
    }
}

void Graphics::DrawImage(Image* image, int x, int y, const Rect& sourceRect)
{
    if (image == nullptr || sourceRect.x < 0 || sourceRect.y < 0 ||
        sourceRect.x + sourceRect.width > image->GetWidth() ||
        sourceRect.y + sourceRect.height > image->GetHeight())
    {
        return;
    }
    const float positionX = transX + static_cast<float>(x);
    const float positionY = transY + static_cast<float>(y);
    if (scaleX != 1.0f || scaleY != 1.0f)
    {
        const Rect destRect(
            static_cast<int>(std::floor((static_cast<float>(static_cast<int>(positionX)) - scaleOrigX) * scaleX) + scaleOrigX),
            static_cast<int>(std::floor((static_cast<float>(static_cast<int>(positionY)) - scaleOrigY) * scaleY) + scaleOrigY),
            static_cast<int>(std::ceil(static_cast<float>(sourceRect.width) * scaleX)),
            static_cast<int>(std::ceil(static_cast<float>(sourceRect.height) * scaleY)));
        destImage->StretchBlt(image, destRect, sourceRect, clipRect, BlitColor(), drawMode,
                              fastStretch);
        return;
    }
    const Rect placed(static_cast<int>(positionX), static_cast<int>(positionY), sourceRect.width,
                      sourceRect.height);
    const Rect visible = placed.Intersection(clipRect);
    if (visible.IsEmpty())
    {
        return;
    }
    const Rect visibleSource(sourceRect.x + visible.x - placed.x,
                             sourceRect.y + visible.y - placed.y, visible.width, visible.height);
    destImage->Blt(image, visible.x, visible.y, visibleSource, BlitColor(), drawMode);
}

void Graphics::DrawImage(Image* image, int x, int y, int width, int height)
{
    if (image != nullptr)
    {
        DrawImageStretched(image, Rect(x, y, width, height),
                           Rect(0, 0, image->GetWidth(), image->GetHeight()));
    }
}

void Graphics::DrawImageF(Image* image, float x, float y)
{
    if (image != nullptr)
    {
        DrawImageF(image, x, y, Rect(0, 0, image->GetWidth(), image->GetHeight()));
    }
}

void Graphics::DrawImageF(Image* image, float x, float y, const Rect& sourceRect)
{
    if (image == nullptr || clipRect.IsEmpty())
    {
        return;
    }
    destImage->BltF(image, x + transX, y + transY, sourceRect, clipRect, BlitColor(), drawMode);
}

void Graphics::DrawImageMirror(Image* image, int x, int y)
{
    if (image != nullptr)
    {
        DrawImageMirror(image, x, y, Rect(0, 0, image->GetWidth(), image->GetHeight()));
    }
}

void Graphics::DrawImageMirror(Image* image, int x, int y, const Rect& sourceRect)
{
    if (image == nullptr || sourceRect.x < 0 || sourceRect.y < 0 ||
        sourceRect.x + sourceRect.width > image->GetWidth() ||
        sourceRect.y + sourceRect.height > image->GetHeight())
    {
        return;
    }
    const Rect placed(static_cast<int>(static_cast<float>(x) + transX),
                      static_cast<int>(static_cast<float>(y) + transY), sourceRect.width,
                      sourceRect.height);
    const Rect visible = placed.Intersection(clipRect);
    if (visible.IsEmpty())
    {
        return;
    }
    // Mirrored, a cut on the left of the destination removes source columns on the right.
    const int rightCut = (placed.x + placed.width) - (visible.x + visible.width);
    const Rect visibleSource(sourceRect.x + rightCut, sourceRect.y + visible.y - placed.y,
                             visible.width, visible.height);
    destImage->BltMirror(image, visible.x, visible.y, visibleSource, BlitColor(), drawMode);
}

void Graphics::DrawImageMirror(Image* image, const Rect& destRect, const Rect& sourceRect)
{
    if (image == nullptr || clipRect.IsEmpty())
    {
        return;
    }
    const Rect moved(static_cast<int>(static_cast<float>(destRect.x) + transX),
                     static_cast<int>(static_cast<float>(destRect.y) + transY), destRect.width,
                     destRect.height);
    destImage->StretchBltMirror(image, moved, sourceRect, clipRect, BlitColor(), drawMode,
                                fastStretch);
}

void Graphics::DrawImageStretched(Image* image, const Rect& destRect, const Rect& sourceRect)
{
    if (image == nullptr || clipRect.IsEmpty())
    {
        return;
    }
    const Rect moved(static_cast<int>(static_cast<float>(destRect.x) + transX),
                     static_cast<int>(static_cast<float>(destRect.y) + transY), destRect.width,
                     destRect.height);
    destImage->StretchBlt(image, moved, sourceRect, clipRect, BlitColor(), drawMode, fastStretch);
}

void Graphics::DrawImageRotated(Image* image, int x, int y, double angle, int centerX,
                                int centerY)
{
    if (image != nullptr)
    {
        DrawImageRotatedF(image, static_cast<float>(x), static_cast<float>(y), angle,
                          static_cast<float>(centerX), static_cast<float>(centerY),
                          Rect(0, 0, image->GetWidth(), image->GetHeight()));
    }
}

void Graphics::DrawImageRotated(Image* image, int x, int y, double angle, int centerX,
                                int centerY, const Rect& sourceRect)
{
    DrawImageRotatedF(image, static_cast<float>(x), static_cast<float>(y), angle,
                      static_cast<float>(centerX), static_cast<float>(centerY), sourceRect);
}

void Graphics::DrawImageRotatedF(Image* image, float x, float y, double angle, float centerX,
                                 float centerY)
{
    if (image != nullptr)
    {
        DrawImageRotatedF(image, x, y, angle, centerX, centerY,
                          Rect(0, 0, image->GetWidth(), image->GetHeight()));
    }
}

void Graphics::DrawImageRotatedF(Image* image, float x, float y, double angle, float centerX,
                                 float centerY, const Rect& sourceRect)
{
    if (image == nullptr || clipRect.IsEmpty())
    {
        return;
    }
    destImage->BltRotated(image, x + transX, y + transY, sourceRect, clipRect, BlitColor(),
                          drawMode, angle, centerX, centerY);
}

void Graphics::DrawImageBox(const Rect& destRect, Image* image)
{
    if (image != nullptr)
    {
        DrawImageBox(destRect, image, Rect(0, 0, image->GetWidth(), image->GetHeight()));
    }
}

void Graphics::DrawImageBox(const Rect& destRect, Image* image, const Rect& sourceRect)
{
    if (image == nullptr || destRect.width < 1 || destRect.height < 1)
    {
        return;
    }
    const Rect& d = destRect;
    const Rect& s = sourceRect;
    const int cornerWidth = s.width / 3;
    const int cornerHeight = s.height / 3;
    const int middleWidth = s.width - 2 * cornerWidth;
    const int middleHeight = s.height - 2 * cornerHeight;
    const int right = d.x + d.width - cornerWidth;
    const int bottom = d.y + d.height - cornerHeight;
    const int sourceRight = s.x + s.width - cornerWidth;
    const int sourceBottom = s.y + s.height - cornerHeight;

    DrawImage(image, d.x, d.y, Rect(s.x, s.y, cornerWidth, cornerHeight));
    DrawImage(image, right, d.y, Rect(sourceRight, s.y, cornerWidth, cornerHeight));
    DrawImage(image, d.x, bottom, Rect(s.x, sourceBottom, cornerWidth, cornerHeight));
    DrawImage(image, right, bottom, Rect(sourceRight, sourceBottom, cornerWidth, cornerHeight));

    const int innerWidth = d.width - 2 * cornerWidth;
    const int innerHeight = d.height - 2 * cornerHeight;
    const int columns = middleWidth > 0 && innerWidth > 0
                            ? (innerWidth + middleWidth - 1) / middleWidth
                            : 0;
    const int rows = middleHeight > 0 && innerHeight > 0
                         ? (innerHeight + middleHeight - 1) / middleHeight
                         : 0;

    Graphics edges(*this);
    edges.ClipRect(d.x + cornerWidth, d.y, innerWidth, d.height);
    for (int k = 0; k < columns; ++k)
    {
        const int x = d.x + cornerWidth + k * middleWidth;
        edges.DrawImage(image, x, d.y, Rect(s.x + cornerWidth, s.y, middleWidth, cornerHeight));
        edges.DrawImage(image, x, bottom,
                        Rect(s.x + cornerWidth, sourceBottom, middleWidth, cornerHeight));
    }

    Graphics sides(*this);
    sides.ClipRect(d.x, d.y + cornerHeight, d.width, innerHeight);
    for (int k = 0; k < rows; ++k)
    {
        const int y = d.y + cornerHeight + k * middleHeight;
        sides.DrawImage(image, d.x, y, Rect(s.x, s.y + cornerHeight, cornerWidth, middleHeight));
        sides.DrawImage(image, right, y,
                        Rect(sourceRight, s.y + cornerHeight, cornerWidth, middleHeight));
    }

    Graphics centre(*this);
    centre.ClipRect(d.x + cornerWidth, d.y + cornerHeight, innerWidth, innerHeight);
    const Rect middle(s.x + cornerWidth, s.y + cornerHeight, middleWidth, middleHeight);
    for (int row = 0; row < rows; ++row)
    {
        for (int column = 0; column < columns; ++column)
        {
            centre.DrawImage(image, d.x + cornerWidth + column * middleWidth,
                             d.y + cornerHeight + row * middleHeight, middle);
        }
    }
}

void Graphics::DrawImageCel(Image* image, int x, int y, int cel)
{
    if (image != nullptr)
    {
        DrawImage(image, x, y, image->GetCelRect(cel));
    }
}

void Graphics::DrawString(std::string_view text, int x, int y)
{
    if (font == nullptr)
    {
        return;
    }
    // The font gets destination coordinates and a context without
    // translation, so that what it draws through the context is not moved twice.
    Graphics context(*this);
    context.transX = 0.0f;
    context.transY = 0.0f;
    font->DrawString(&context, static_cast<int>(static_cast<float>(x) + transX),
                     static_cast<int>(static_cast<float>(y) + transY), text, color, clipRect);
}

int Graphics::DrawColoredString(std::string_view text, int x, int y, int width,
                                int justification, bool draw, int start, int length,
                                std::optional<Color> startColor)
{
    if (font == nullptr)
    {
        return 0;
    }
    if (draw && (justification == 0 || justification == 1))
    {
        const int measured =
            DrawColoredString(text, x, y, width, -1, false, start, length, startColor);
        x += justification == 0 ? (width - measured) / 2 : width - measured;
    }
    const std::size_t first = std::min<std::size_t>(static_cast<std::size_t>(std::max(start, 0)),
                                                    text.size());
    const std::size_t end = length < 0 || first + static_cast<std::size_t>(length) > text.size()
                                ? text.size()
                                : first + static_cast<std::size_t>(length);
    const Color original = color;
    const Color beginColor = startColor.value_or(color);

    std::string run;
    int total = 0;
    const auto flush = [&]()
    {
        if (run.empty())
        {
            return;
        }
        const int runWidth = font->StringWidth(run);
        if (draw)
        {
            DrawString(run, x + total, y);
        }
        total += runWidth;
        run.clear();
    };

    for (std::size_t i = first; i < end; ++i)
    {
        const char character = text[i];
        if (character != '^' || !writeColoredString)
        {
            run += character;
            continue;
        }
        if (i + 1 < end && text[i + 1] == '^')
        {
            run += '^';
            ++i;
            continue;
        }
        if (end - i < kColorCodeLength)
        {
            break;
        }
        flush();
        const std::string_view code = text.substr(i + 1, 6);
        if (code.front() == 'o')
        {
            color = code == "oldclr" ? beginColor : Color(0, 0, 0, color.alpha);
        }
        else
        {
            const auto channel = [&code](std::size_t at)
            { return HexDigitValue(code[at]) * 16 + HexDigitValue(code[at + 1]); };
            color = Color(channel(0), channel(2), channel(4), color.alpha);
        }
        i += kColorCodeLength - 1;
    }
    flush();
    color = original;
    return total;
}

int Graphics::StringWidth(std::string_view text) const
{
    return font != nullptr ? font->StringWidth(text) : 0;
}

int Graphics::DrawWordWrapped(const Rect& rect, std::string_view text, int lineSpacing,
                              int justification, int* maxWidth)
{
    return WordWrap(rect, text, lineSpacing, justification, maxWidth, true);
}

int Graphics::GetWordWrappedHeight(int width, std::string_view text, int lineSpacing,
                                   int* maxWidth)
{
    return WordWrap(Rect(0, 0, width, 0), text, lineSpacing, -1, maxWidth, false);
}

int Graphics::WordWrap(const Rect& rect, std::string_view text, int lineSpacing,
                       int justification, int* maxWidth, bool draw)
{
    if (maxWidth != nullptr)
    {
        *maxWidth = 0;
    }
    if (font == nullptr)
    {
        return 0;
    }
    const int spacing = lineSpacing < 0 ? font->GetLineSpacing() : lineSpacing;
    const auto measure = [this](std::string_view piece)
    { return DrawColoredString(piece, 0, 0, 0, -1, false); };
    int lineY = rect.y + font->GetAscent();
    int lines = 0;
    const auto emit = [&](std::string_view line)
    {
        const int lineWidth = measure(line);
        if (maxWidth != nullptr)
        {
            *maxWidth = std::max(*maxWidth, lineWidth);
        }
        if (draw)
        {
            DrawColoredString(line, rect.x, lineY, rect.width, justification, true);
        }
        lineY += spacing;
        ++lines;
    };

    std::size_t lineStart = 0;
    std::size_t lastBreak = std::string_view::npos; // a space where the line may end
    std::size_t i = 0;
    while (i < text.size())
    {
        if (text[i] == '\n')
        {
            emit(text.substr(lineStart, i - lineStart));
            lineStart = i + 1;
            lastBreak = std::string_view::npos;
            ++i;
            continue;
        }
        if (text[i] == ' ')
        {
            lastBreak = i;
        }
        const int widthSoFar = measure(text.substr(lineStart, i + 1 - lineStart));
        if (widthSoFar > rect.width && i > lineStart)
        {
            // Break at the last space, or inside a word too long for a line.
            const std::size_t breakAt = lastBreak != std::string_view::npos ? lastBreak : i;
            emit(text.substr(lineStart, breakAt - lineStart));
            lineStart = breakAt == lastBreak ? breakAt + 1 : breakAt;
            lastBreak = std::string_view::npos;
            i = lineStart;
            continue;
        }
        ++i;
    }
    if (lineStart < text.size())
    {
        emit(text.substr(lineStart));
    }
    return lines * spacing;
}

} // namespace Lumo
