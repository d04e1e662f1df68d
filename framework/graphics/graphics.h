// Graphics: a short-lived drawing context bound to one destination image.
// SPDX-License-Identifier: MIT
//
// Rules of this module:
// - Every coordinate is moved by the translation first (floats truncated to
//   ints); nothing is drawn outside the clip rect, which starts as the whole
//   destination.
// - Images are blitted with the current colour when colorize is on, with
//   white (untinted) when it is off; rects, lines and text always use the
//   current colour. A colour with alpha 0 makes rects draw nothing.
// - The whole state (table below) is copied by PushState and by the copy
//   constructor; a copy starts with an empty state stack. PopState on an
//   empty stack changes nothing.
// - A Graphics neither owns its destination nor its font; both must outlive it.
// - Used by one thread at a time (the game lock during the draw pass).
#pragma once

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "framework/graphics/color.h"
#include "framework/graphics/font.h"
#include "framework/graphics/image.h"

namespace Lumo
{

// Everything a Graphics carries besides its state stack.
struct GraphicsState
{
    Image* destImage = nullptr;
    float transX = 0.0f;
    float transY = 0.0f;
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    float scaleOrigX = 0.0f;
    float scaleOrigY = 0.0f;
    Rect clipRect;
    Color color;
    Font* font = nullptr;
    DrawMode drawMode = DrawMode::Normal;
    bool colorizeImages = false;
    bool fastStretch = false;
    bool writeColoredString = true;
    bool is3D = false;
};

class Graphics : protected GraphicsState
{
public:
    // A context drawing into destImage; with none, into an empty built-in image.
    explicit Graphics(Image* destImage = nullptr);
    // Copies the whole state; the copy starts with an empty state stack.
    Graphics(const Graphics& other);
    Graphics& operator=(const Graphics& other);
    ~Graphics();

    // A new copy of this context, owned by the caller.
    [[nodiscard]] std::unique_ptr<Graphics> Create() const;

    void PushState();
    void PopState();
    [[nodiscard]] const GraphicsState& GetState() const { return *this; }

    Image* GetDestImage() const { return destImage; }
    void SetColor(const Color& newColor) { color = newColor; }
    const Color& GetColor() const { return color; }
    void SetFont(Font* newFont) { font = newFont; }
    Font* GetFont() const { return font; }
    void SetDrawMode(DrawMode mode) { drawMode = mode; }
    DrawMode GetDrawMode() const { return drawMode; }
    void SetColorizeImages(bool colorize) { colorizeImages = colorize; }
    bool GetColorizeImages() const { return colorizeImages; }
    void SetFastStretch(bool fast) { fastStretch = fast; }
    bool GetFastStretch() const { return fastStretch; }
    // Whether DrawColoredString reads "^" colour codes.
    void SetColorCodes(bool enabled) { writeColoredString = enabled; }
    bool GetColorCodes() const { return writeColoredString; }
    bool Is3D() const { return is3D; }
    // Scale applied by DrawImage about the fixed point (originX, originY).
    void SetScale(float newScaleX, float newScaleY, float originX, float originY);

    void Translate(int dx, int dy);
    void TranslateF(float dx, float dy);
    float GetTransX() const { return transX; }
    float GetTransY() const { return transY; }
    // Narrows the clip to the translated rect.
    void ClipRect(int x, int y, int width, int height);
    void ClipRect(const Rect& rect) { ClipRect(rect.x, rect.y, rect.width, rect.height); }
    // Replaces the clip with the translated rect, limited to the destination.
    void SetClipRect(int x, int y, int width, int height);
    void SetClipRect(const Rect& rect) { SetClipRect(rect.x, rect.y, rect.width, rect.height); }
    // Clip back to the whole destination.
    void ClearClipRect();
    // The clip in destination coordinates (translation already applied).
    const Rect& GetClipRect() const { return clipRect; }

    void FillRect(int x, int y, int width, int height);
    void FillRect(const Rect& rect) { FillRect(rect.x, rect.y, rect.width, rect.height); }
    // Outline covering width + 1 by height + 1 pixels.
    void DrawRect(int x, int y, int width, int height);
    void DrawRect(const Rect& rect) { DrawRect(rect.x, rect.y, rect.width, rect.height); }
    // Sets the pixels of the clipped rect to 0 (transparent black).
    void ClearRect(int x, int y, int width, int height);
    void ClearRect(const Rect& rect) { ClearRect(rect.x, rect.y, rect.width, rect.height); }
    void DrawLine(int startX, int startY, int endX, int endY);
    void DrawLineAA(int startX, int startY, int endX, int endY);
    // Polygon fill; false when the destination cannot fill polygons.
    bool PolyFill(const Point* vertices, int count);

    void DrawImage(Image* image, int x, int y);
    // Draws the source rect of the image with its top-left at (x, y); nothing
    // when the source rect reaches beyond the image.
    void DrawImage(Image* image, int x, int y, const Rect& sourceRect);
    // Stretches the whole image into (x, y, width, height).
    void DrawImage(Image* image, int x, int y, int width, int height);
    void DrawImageF(Image* image, float x, float y);
    void DrawImageF(Image* image, float x, float y, const Rect& sourceRect);
    // Mirrored left to right.
    void DrawImageMirror(Image* image, int x, int y);
    void DrawImageMirror(Image* image, int x, int y, const Rect& sourceRect);
    void DrawImageMirror(Image* image, const Rect& destRect, const Rect& sourceRect);
    void DrawImageStretched(Image* image, const Rect& destRect, const Rect& sourceRect);
    // Turns the image (or its source rect) by `angle` radians about
    // (x + centerX, y + centerY); a positive angle turns counter-clockwise on screen.
    void DrawImageRotated(Image* image, int x, int y, double angle, int centerX, int centerY);
    void DrawImageRotated(Image* image, int x, int y, double angle, int centerX, int centerY,
                          const Rect& sourceRect);
    void DrawImageRotatedF(Image* image, float x, float y, double angle, float centerX,
                           float centerY);
    void DrawImageRotatedF(Image* image, float x, float y, double angle, float centerX,
                           float centerY, const Rect& sourceRect);
    // Nine-part drawing: corners as they are, edges and centre tiled.
    void DrawImageBox(const Rect& destRect, Image* image);
    void DrawImageBox(const Rect& destRect, Image* image, const Rect& sourceRect);
    // One cel of an image split into rows and columns.
    void DrawImageCel(Image* image, int x, int y, int cel);

    // Draws with the current font and colour at the pen position (x, y).
    void DrawString(std::string_view text, int x, int y);
    // Draws the text with "^RRGGBB^" colour codes (see the implementation);
    // justification 0 centres in `width`, 1 aligns right, others align left.
    // Returns the width of the text in pixels; with draw off only measures.
    // The start colour defaults to the current colour.
    int DrawColoredString(std::string_view text, int x, int y, int width, int justification,
                          bool draw = true, int start = 0, int length = -1,
                          std::optional<Color> startColor = std::nullopt);
    // Word-wrapped text inside rect, lines `lineSpacing` apart (the font's when
    // -1). Returns the height used; maxWidth receives the widest line.
    int DrawWordWrapped(const Rect& rect, std::string_view text, int lineSpacing = -1,
                        int justification = -1, int* maxWidth = nullptr);
    // Height DrawWordWrapped would use, drawing nothing.
    int GetWordWrappedHeight(int width, std::string_view text, int lineSpacing = -1,
                             int* maxWidth = nullptr);
    // Width of the text with the current font; 0 when none is set.
    int StringWidth(std::string_view text) const;

private:
    Color BlitColor() const { return colorizeImages ? color : Color::White(); }
    int WordWrap(const Rect& rect, std::string_view text, int lineSpacing, int justification,
                 int* maxWidth, bool draw);

    std::vector<GraphicsState> stateStack;
};

} // namespace Lumo
