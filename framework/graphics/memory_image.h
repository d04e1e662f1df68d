// MemoryImage: a picture held in memory as 32-bit ARGB words, and the blending done on it.
// SPDX-License-Identifier: MIT
//
// Rules of this module:
// - The bits are width x height words 0xAARRGGBB, row after row, no padding.
// - Whoever writes into GetBits() calls BitsChanged() afterwards: that bumps
//   the change counter, marks the flags for recomputation and drops the
//   derived data (native data, run-length data).
// - Derived data is built on first use and owned by the image; pointers to it
//   stay valid until the bits change or the image is destroyed.
// - A palettized image keeps 256 table entries and one index per pixel instead
//   of bits; GetBits() turns it back into bits.
// - Drawing into a MemoryImage gives the exact results of the blend rules
//   documented at each operation; an image is used by one thread at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/graphics/image.h"

namespace Lumo
{

// A display pixel layout: where each colour channel sits in a 32-bit word.
struct PixelFormat
{
    std::uint32_t redMask = 0x00FF0000;
    std::uint32_t greenMask = 0x0000FF00;
    std::uint32_t blueMask = 0x000000FF;
    int redShift = 16;
    int greenShift = 8;
    int blueShift = 0;
};

class MemoryImage : public Image
{
public:
    MemoryImage() = default;
    // An image of the given size with every pixel 0 (transparent black).
    MemoryImage(int width, int height);
    MemoryImage(const MemoryImage& other);
    MemoryImage& operator=(const MemoryImage& other);
    ~MemoryImage() override;

    // Image drawing operations, blending in memory.
    void FillRect(const Rect& rect, const Color& color, DrawMode mode) override;
    void ClearRect(const Rect& rect) override;
    void DrawLine(double startX, double startY, double endX, double endY, const Color& color,
                  DrawMode mode) override;
    void DrawLineAA(double startX, double startY, double endX, double endY, const Color& color,
                    DrawMode mode) override;
    void FillScanLinesWithCoverage(const Span* spans, int count, const Color& color, DrawMode mode,
                                   const std::uint8_t* coverage, int coverX, int coverY,
                                   int coverWidth, int coverHeight) override;
    void Blt(Image* source, int x, int y, const Rect& sourceRect, const Color& color,
             DrawMode mode) override;
    void BltF(Image* source, float x, float y, const Rect& sourceRect, const Rect& clipRect,
              const Color& color, DrawMode mode) override;
    void BltRotated(Image* source, float x, float y, const Rect& sourceRect, const Rect& clipRect,
                    const Color& color, DrawMode mode, double angle, float centerX,
                    float centerY) override;
    void StretchBlt(Image* source, const Rect& destRect, const Rect& sourceRect,
                    const Rect& clipRect, const Color& color, DrawMode mode,
                    bool fastStretch) override;
    void BltMirror(Image* source, int x, int y, const Rect& sourceRect, const Color& color,
                   DrawMode mode) override;
    void StretchBltMirror(Image* source, const Rect& destRect, const Rect& sourceRect,
                          const Rect& clipRect, const Color& color, DrawMode mode,
                          bool fastStretch) override;

    // Bits converted to a display layout: each channel premultiplied by
    // (alpha + 1) / 256 and moved into its field, the alpha byte kept.
    virtual const std::uint32_t* GetNativeAlphaData(const PixelFormat& format);
    // One byte per pixel: pixels left in the run of transparent (alpha 0),
    // opaque (255) or partial pixels, counting down to 1, at most 255.
    virtual const std::uint8_t* GetRLAlphaData();
    // The same with the classes black (red, green, blue 0) and not black.
    virtual const std::uint8_t* GetRLAdditiveData();
    // Frees the bits when they can be rebuilt (from the colour table).
    virtual void PurgeBits();
    virtual void DeleteSWBuffers();
    virtual void Delete3DBuffers();
    virtual void DeleteExtraBuffers();
    // Called after the display was re-created; the memory image has nothing to rebuild.
    virtual void ReInit();
    virtual void BitsChanged();
    // Recomputes the transparency flags unless they were forced.
    virtual void CommitBits();
    virtual void DeleteNativeData();
    // Every pixel 0.
    virtual void Clear();
    // Copies width x height pixels; with commitBits the flags are computed at once.
    virtual void SetBits(const std::uint32_t* newBits, int newWidth, int newHeight,
                         bool commitBits = true);
    // Resizes to width x height with every pixel 0.
    virtual void Create(int newWidth, int newHeight);
    // The pixels, row after row; nullptr for an image of no pixels.
    virtual std::uint32_t* GetBits();
    // Sets both alpha flags by hand; they are then never recomputed.
    virtual void SetImageMode(bool hasTransparency, bool hasPartialAlpha);
    virtual void SetVolatile(bool isVolatile);
    // Turns an image of at most 256 distinct colours into table + indices and
    // frees its bits; returns false (bits kept) when it has more colours.
    virtual bool Palettize();

    // Flags, recomputed on demand after a change.
    bool HasTransparency();
    bool HasPartialAlpha();
    bool IsPalettized() const { return isPalettized; }
    bool IsVolatile() const { return isVolatile; }
    int GetBitsChangedCount() const { return bitsChangedCount; }
    // The palettized form; nullptr when the image is not palettized.
    const std::uint32_t* GetColorTable() const;
    const std::uint8_t* GetColorIndices() const;
    // The bits as they are, without rebuilding them from the table; nullptr
    // when the image is palettized or has no pixels.
    const std::uint32_t* PeekBits() const { return bits.empty() ? nullptr : bits.data(); }

protected:
    // Makes sure the flags reflect the pixels.
    void UpdateFlags();
    std::vector<std::uint8_t> BuildRunLengths(bool additive) const;

    std::vector<std::uint32_t> bits;
    int bitsChangedCount = 0;
    std::vector<std::uint32_t> colorTable;
    std::vector<std::uint8_t> colorIndices;
    bool forcedMode = false;
    bool hasTrans = false;
    bool hasAlpha = false;
    bool isVolatile = false;
    bool purgeBits = false;
    bool isPalettized = false;
    std::vector<std::uint32_t> nativeAlphaData;
    PixelFormat nativeFormat;
    std::vector<std::uint8_t> rlAlphaData;
    std::vector<std::uint8_t> rlAdditiveData;
    bool bitsChangedFlag = false;
};

} // namespace Lumo
