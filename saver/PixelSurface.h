// A 32-bit top-down DIB section in a memory DC: GDI draws into it and our
// own blends (core/PixelBlend) work on its pixels directly.
#pragma once

#include "common/MemoryBitmap.h"
#include "core/DirtyRects.h"

#include <windows.h>

#include <cstdint>
#include <utility>

class PixelSurface {
  public:
    PixelSurface() = default;
    PixelSurface(PixelSurface&& o) noexcept { *this = std::move(o); }
    PixelSurface& operator=(PixelSurface&& o) noexcept {
        if (this != &o) {
            bitmap_ = std::move(o.bitmap_);
            bits_ = std::exchange(o.bits_, nullptr);
            width_ = std::exchange(o.width_, 0);
            height_ = std::exchange(o.height_, 0);
        }
        return *this;
    }

    // A width x height surface for drawing like `like`; false when it could
    // not be made (then nothing is held).
    bool Create(HDC like, int width, int height);
    void reset();

    HDC Dc() const { return bitmap_.Dc(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Row y of the pixels (0x AARRGGBB). GDI's batched drawing is flushed by
    // the caller before the pixels are read or written.
    uint32_t* Row(int y) const { return bits_ + static_cast<size_t>(y) * width_; }
    explicit operator bool() const { return bits_ != nullptr; }

  private:
    MemoryBitmap bitmap_;
    uint32_t* bits_ = nullptr;
    int width_ = 0, height_ = 0;
};

// Sets the pixels of `to` inside `box` to `pixel`.
void FillBox(PixelSurface& to, const PixelBox& box, uint32_t pixel);

// The pixel value a solid brush paints on a 32-bit surface.
uint32_t BrushPixel(HBRUSH brush);

// Blends the premultiplied `from` onto `to` with its top-left at x, y
// (parts outside `to` are cut off), as AlphaBlend with AC_SRC_ALPHA and
// constant alpha `alpha` does.
void BlendSurface(PixelSurface& to, int x, int y, const PixelSurface& from, uint8_t alpha);
// The same, only the pixels of `to` inside `within`; each is blended as the
// whole blend does.
void BlendSurface(PixelSurface& to, int x, int y, const PixelSurface& from, uint8_t alpha,
                  const PixelBox& within);
