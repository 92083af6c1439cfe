// A bitmap selected into a memory DC of its own. Releasing it puts the DC's
// first bitmap back before deleting anything, so no bitmap is deleted while
// selected.
#pragma once

#include "common/Handles.h"

class MemoryBitmap {
  public:
    MemoryBitmap() = default;
    MemoryBitmap(const MemoryBitmap&) = delete;
    MemoryBitmap& operator=(const MemoryBitmap&) = delete;
    MemoryBitmap(MemoryBitmap&& o) noexcept { *this = std::move(o); }
    MemoryBitmap& operator=(MemoryBitmap&& o) noexcept {
        if (this != &o) {
            reset();
            dc_ = std::move(o.dc_);
            bitmap_ = std::move(o.bitmap_);
            old_ = std::exchange(o.old_, nullptr);
        }
        return *this;
    }
    ~MemoryBitmap() { reset(); }

    // A width x height bitmap compatible with `like`; false when either
    // could not be made (then nothing is held).
    bool Create(HDC like, int width, int height) {
        reset();
        if (width <= 0 || height <= 0)
            return false;
        return Adopt(like, CreateCompatibleBitmap(like, width, height));
    }
    // Takes ownership of `bitmap` and selects it into a DC compatible with
    // `like`.
    bool Adopt(HDC like, HBITMAP bitmap) {
        reset();
        UniqueBitmap owned(bitmap);
        UniqueDC dc(CreateCompatibleDC(like));
        if (!owned || !dc)
            return false;
        old_ = SelectObject(dc.get(), owned.get());
        dc_ = std::move(dc);
        bitmap_ = std::move(owned);
        return true;
    }
    void reset() {
        if (dc_ && old_)
            SelectObject(dc_.get(), old_);
        old_ = nullptr;
        dc_.reset();
        bitmap_.reset();
    }
    HDC Dc() const { return dc_.get(); }
    HBITMAP Bitmap() const { return bitmap_.get(); }
    explicit operator bool() const { return static_cast<bool>(dc_); }

  private:
    UniqueDC dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ old_ = nullptr;
};
