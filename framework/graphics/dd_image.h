// DDImage: a memory image that can also be a display surface, such as the screen image.
// SPDX-License-Identifier: MIT
//
// Rules of this module:
// - The display here is drawn in software: a DDImage's surface is its own
//   32-bit ARGB bits, so GetBits() of the screen image is the finished frame
//   that the display presents.
// - When the image has neither transparent nor partially transparent pixels
//   (the screen is marked so with SetImageMode(false, false)), every draw goes
//   through the surface routines, which rely on the destination being opaque;
//   otherwise the MemoryImage blending on the bits is used. Both give the same
//   pixels for an opaque destination.
// - Surface locks are counted: the first lock locks, the last unlock unlocks.
// - A DDImage belongs to one display interface, which re-initialises it after
//   a display change; it is used by one thread at a time (the game lock).
#pragma once

#include "framework/graphics/memory_image.h"

namespace Lumo
{

class DDInterface;

class DDImage : public MemoryImage
{
public:
    explicit DDImage(DDInterface* ddInterface = nullptr);
    DDImage(DDInterface* ddInterface, int width, int height);
    DDImage(const DDImage& other);
    ~DDImage() override;

    // Drawing: brings the bits up to date, then picks the surface routine or
    // the memory blend (see the module rules).
    void FillRect(const Rect& rect, const Color& color, DrawMode mode) override;
    void DrawLine(double startX, double startY, double endX, double endY, const Color& color,
                  DrawMode mode) override;
    void DrawLineAA(double startX, double startY, double endX, double endY, const Color& color,
                    DrawMode mode) override;
    void Blt(Image* source, int x, int y, const Rect& sourceRect, const Color& color,
             DrawMode mode) override;
    void BltMirror(Image* source, int x, int y, const Rect& sourceRect, const Color& color,
                   DrawMode mode) override;
    void BltRotated(Image* source, float x, float y, const Rect& sourceRect, const Rect& clipRect,
                    const Color& color, DrawMode mode, double angle, float centerX,
                    float centerY) override;
    void StretchBlt(Image* source, const Rect& destRect, const Rect& sourceRect,
                    const Rect& clipRect, const Color& color, DrawMode mode,
                    bool fastStretch) override;
    void StretchBltMirror(Image* source, const Rect& destRect, const Rect& sourceRect,
                          const Rect& clipRect, const Color& color, DrawMode mode,
                          bool fastStretch) override;
    void ReInit() override;
    void DeleteExtraBuffers() override;

    // 0 keeps the image in memory only; any other value asks for a surface.
    virtual void SetSurfaceMode(int mode);
    // Makes the surface from the bits; false when there is nothing to make it from.
    [[nodiscard]] virtual bool GenerateSurface();
    virtual void NormalFillRect(const Rect& rect, const Color& color);
    virtual void AdditiveFillRect(const Rect& rect, const Color& color);
    virtual void NormalBlt(Image* source, int x, int y, const Rect& sourceRect,
                           const Color& color);
    virtual void AdditiveBlt(Image* source, int x, int y, const Rect& sourceRect,
                             const Color& color);
    virtual void NormalDrawLine(double startX, double startY, double endX, double endY,
                                const Color& color);
    virtual void AdditiveDrawLine(double startX, double startY, double endX, double endY,
                                  const Color& color);
    virtual void NormalDrawLineAA(double startX, double startY, double endX, double endY,
                                  const Color& color);
    virtual void CommitBitsNoOp() {}
    virtual void NormalBltMirror(Image* source, int x, int y, const Rect& sourceRect,
                                 const Color& color);
    virtual void AdditiveBltMirror(Image* source, int x, int y, const Rect& sourceRect,
                                   const Color& color);
    // Returns false when the surface cannot be locked.
    [[nodiscard]] virtual bool LockSurface();
    virtual void UnlockSurface();
    // Takes over a surface handed in by the display (the screen): width x
    // height pixels held in the bits, marked borrowed and opaque.
    virtual void SetSurface(int surfaceWidth, int surfaceHeight);

    DDInterface* GetDDInterface() const { return ddInterface; }
    bool HasSurface() const { return hasSurface; }
    bool IsSurfaceBorrowed() const { return surfaceBorrowed; }
    int GetLockCount() const { return lockCount; }

protected:
    // True when the surface routines may draw: the destination is opaque.
    bool UseSurfaceRoutines();
    // Runs a blit routine from `source` on the locked surface.
    template <typename Routine> void DrawOnSurface(Image* source, Routine routine);

    DDInterface* ddInterface = nullptr;
    bool hasSurface = false;
    bool surfaceBorrowed = false;
    bool surfaceLost = false;
    bool wantSurface = false;
    bool drawToBits = false;
    int lockCount = 0;
};

} // namespace Lumo
