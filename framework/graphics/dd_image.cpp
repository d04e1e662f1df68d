// DDImage: the software display surface, drawn through routines that rely on an opaque destination.
// SPDX-License-Identifier: MIT
#include "framework/graphics/dd_image.h"

#include "framework/graphics/internal/blit.h"

namespace Lumo
{

DDImage::DDImage(DDInterface* owner) : ddInterface(owner) {}

DDImage::DDImage(DDInterface* owner, int newWidth, int newHeight) : ddInterface(owner)
{
    Create(newWidth, newHeight);
}

// A copy is an ordinary image: it never shares or borrows the original's surface.
DDImage::DDImage(const DDImage& other) : MemoryImage(other), ddInterface(other.ddInterface) {}

DDImage::~DDImage() = default;

bool DDImage::UseSurfaceRoutines()
{
    return !HasTransparency() && !HasPartialAlpha();
}

namespace
{

BlitDetail::Target SurfaceTarget(std::uint32_t* pixels, int width, int height)
{
    return BlitDetail::MakeTarget(pixels, width, height, true);
}

} // namespace

void DDImage::FillRect(const Rect& rect, const Color& color, DrawMode mode)
{
    if (!UseSurfaceRoutines())
    {
        MemoryImage::FillRect(rect, color, mode);
        return;
    }
    if (mode == DrawMode::Additive)
    {
        AdditiveFillRect(rect, color);
    }
    else
    {
        NormalFillRect(rect, color);
    }
}

void DDImage::DrawLine(double startX, double startY, double endX, double endY, const Color& color,
                       DrawMode mode)
{
    if (!UseSurfaceRoutines())
    {
        MemoryImage::DrawLine(startX, startY, endX, endY, color, mode);
        return;
    }
    if (mode == DrawMode::Additive)
    {
        AdditiveDrawLine(startX, startY, endX, endY, color);
    }
    else
    {
        NormalDrawLine(startX, startY, endX, endY, color);
    }
}

void DDImage::DrawLineAA(double startX, double startY, double endX, double endY,
                         const Color& color, DrawMode mode)
{
    if (!UseSurfaceRoutines() || mode != DrawMode::Normal)
    {
        MemoryImage::DrawLineAA(startX, startY, endX, endY, color, mode);
        return;
    }
    NormalDrawLineAA(startX, startY, endX, endY, color);
}

void DDImage::Blt(Image* source, int x, int y, const Rect& sourceRect, const Color& color,
                  DrawMode mode)
{
    if (!UseSurfaceRoutines() || source == this)
    {
        MemoryImage::Blt(source, x, y, sourceRect, color, mode);
        return;
    }
    if (mode == DrawMode::Additive)
    {
        AdditiveBlt(source, x, y, sourceRect, color);
    }
    else
    {
        NormalBlt(source, x, y, sourceRect, color);
    }
}

void DDImage::BltMirror(Image* source, int x, int y, const Rect& sourceRect, const Color& color,
                        DrawMode mode)
{
    if (!UseSurfaceRoutines() || source == this)
    {
        MemoryImage::BltMirror(source, x, y, sourceRect, color, mode);
        return;
    }
    if (mode == DrawMode::Additive)
    {
        AdditiveBltMirror(source, x, y, sourceRect, color);
    }
    else
    {
        NormalBltMirror(source, x, y, sourceRect, color);
    }
}

// Stretched and turned images have no surface routine of their own; on an
// opaque picture they still use the opaque-destination blending.
template <typename Routine> void DDImage::DrawOnSurface(Image* source, Routine routine)
{
    auto* from = dynamic_cast<MemoryImage*>(source);
    if (from != nullptr && from != this && LockSurface())
    {
        routine(BlitDetail::MakeTarget(GetBits(), width, height, true), *from);
        UnlockSurface();
    }
}

void DDImage::BltRotated(Image* source, float x, float y, const Rect& sourceRect,
                         const Rect& clipRect, const Color& color, DrawMode mode, double angle,
                         float centerX, float centerY)
{
    if (!UseSurfaceRoutines() || source == this)
    {
        MemoryImage::BltRotated(source, x, y, sourceRect, clipRect, color, mode, angle, centerX,
                                centerY);
        return;
    }
    DrawOnSurface(source,
                  [&](const BlitDetail::Target& target, MemoryImage& from)
                  {
                      BlitDetail::RotatedBlit(target, from, x, y, sourceRect, clipRect, color,
                                              mode, angle, centerX, centerY);
                  });
}

void DDImage::StretchBlt(Image* source, const Rect& destRect, const Rect& sourceRect,
                         const Rect& clipRect, const Color& color, DrawMode mode,
                         bool fastStretch)
{
    if (!UseSurfaceRoutines() || source == this)
    {
        MemoryImage::StretchBlt(source, destRect, sourceRect, clipRect, color, mode, fastStretch);
        return;
    }
    DrawOnSurface(source,
                  [&](const BlitDetail::Target& target, MemoryImage& from)
                  {
                      BlitDetail::StretchBlit(target, from, destRect, sourceRect, clipRect, color,
                                              mode, fastStretch, false);
                  });
}

void DDImage::StretchBltMirror(Image* source, const Rect& destRect, const Rect& sourceRect,
                               const Rect& clipRect, const Color& color, DrawMode mode,
                               bool fastStretch)
{
    if (!UseSurfaceRoutines() || source == this)
    {
        MemoryImage::StretchBltMirror(source, destRect, sourceRect, clipRect, color, mode,
                                      fastStretch);
        return;
    }
    DrawOnSurface(source,
                  [&](const BlitDetail::Target& target, MemoryImage& from)
                  {
                      BlitDetail::StretchBlit(target, from, destRect, sourceRect, clipRect, color,
                                              mode, fastStretch, true);
                  });
}

void DDImage::ReInit()
{
    // The software surface is the bits themselves: nothing was lost.
    surfaceLost = false;
}

void DDImage::DeleteExtraBuffers()
{
    MemoryImage::DeleteExtraBuffers();
}

void DDImage::SetSurfaceMode(int mode)
{
    wantSurface = mode != 0;
}

bool DDImage::GenerateSurface()
{
    if (GetBits() == nullptr)
    {
        return false;
    }
    hasSurface = true;
    surfaceLost = false;
    return true;
}

// --- Surface routines: the destination is opaque, so the blend weight is the
// source alpha itself and the destination alpha stays 255.

void DDImage::NormalFillRect(const Rect& rect, const Color& color)
{
    if (LockSurface())
    {
        BlitDetail::FillRect(SurfaceTarget(GetBits(), width, height), rect, color,
                             DrawMode::Normal);
        UnlockSurface();
    }
}

void DDImage::AdditiveFillRect(const Rect& rect, const Color& color)
{
    if (LockSurface())
    {
        BlitDetail::FillRect(SurfaceTarget(GetBits(), width, height), rect, color,
                             DrawMode::Additive);
        UnlockSurface();
    }
}

void DDImage::NormalBlt(Image* source, int x, int y, const Rect& sourceRect, const Color& color)
{
    DrawOnSurface(source,
                  [&](const BlitDetail::Target& target, MemoryImage& from)
                  {
                      BlitDetail::Blit(target, from, x, y, sourceRect, color, DrawMode::Normal, false);
                  });
}

void DDImage::AdditiveBlt(Image* source, int x, int y, const Rect& sourceRect,
                          const Color& color)
{
    DrawOnSurface(source,
                  [&](const BlitDetail::Target& target, MemoryImage& from)
                  {
                      BlitDetail::Blit(target, from, x, y, sourceRect, color, DrawMode::Additive, false);
                  });
}

void DDImage::NormalDrawLine(double startX, double startY, double endX, double endY,
                             const Color& color)
{
    if (LockSurface())
    {
        BlitDetail::DrawLine(SurfaceTarget(GetBits(), width, height), startX, startY, endX, endY,
                             color, DrawMode::Normal);
        UnlockSurface();
    }
}

void DDImage::AdditiveDrawLine(double startX, double startY, double endX, double endY,
                               const Color& color)
{
    if (LockSurface())
    {
        BlitDetail::DrawLine(SurfaceTarget(GetBits(), width, height), startX, startY, endX, endY,
                             color, DrawMode::Additive);
        UnlockSurface();
    }
}

void DDImage::NormalDrawLineAA(double startX, double startY, double endX, double endY,
                               const Color& color)
{
    if (LockSurface())
    {
        BlitDetail::DrawLineAA(SurfaceTarget(GetBits(), width, height), startX, startY, endX,
                               endY, color, DrawMode::Normal);
        UnlockSurface();
    }
}

void DDImage::NormalBltMirror(Image* source, int x, int y, const Rect& sourceRect,
                              const Color& color)
{
    DrawOnSurface(source,
                  [&](const BlitDetail::Target& target, MemoryImage& from)
                  {
                      BlitDetail::Blit(target, from, x, y, sourceRect, color, DrawMode::Normal, true);
                  });
}

void DDImage::AdditiveBltMirror(Image* source, int x, int y, const Rect& sourceRect,
                                const Color& color)
{
    DrawOnSurface(source,
                  [&](const BlitDetail::Target& target, MemoryImage& from)
                  {
                      BlitDetail::Blit(target, from, x, y, sourceRect, color, DrawMode::Additive, true);
                  });
}

bool DDImage::LockSurface()
{
    if (!hasSurface && !GenerateSurface())
    {
        return false;
    }
    ++lockCount;
    return true;
}

void DDImage::UnlockSurface()
{
    if (lockCount > 0 && --lockCount == 0)
    {
        // The last unlock publishes what was drawn: the derived data is stale.
        // The flags are not: the surface routines only ever draw on an opaque
        // picture, and nothing they draw makes a pixel less than opaque.
        const bool flagsKnown = !bitsChangedFlag;
        BitsChanged();
        bitsChangedFlag = !flagsKnown;
    }
}

void DDImage::SetSurface(int surfaceWidth, int surfaceHeight)
{
    Create(surfaceWidth, surfaceHeight);
    // The screen shows no transparency: everything drawn lands on an opaque picture.
    FillRect(Rect(0, 0, width, height), Color::Black(), DrawMode::Normal);
    SetImageMode(false, false);
    surfaceBorrowed = true;
    hasSurface = GetBits() != nullptr;
}

} // namespace Lumo
