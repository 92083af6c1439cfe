// A persistent 32-bit drawing of a picture box: what is drawn on it stays,
// and a box it is shown on paints it back whenever its window needs it.
#pragma once

#include "common/MemoryBitmap.h"
#include "wizard/frame/SubClass.h"

#include <windows.h>

#include <cstdint>

class Surface {
  public:
    Surface() = default;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // A new cleared (black, transparent) drawing; false when it could not
    // be made (then none is held).
    bool Resize(int width, int height);
    // No drawing, but a size to report: content shown by another window,
    // whose size is data and may be far too large to draw.
    void Empty(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    HDC Dc() const { return bitmap_.Dc(); }
    // BGRA, top row first; nullptr when none is held.
    uint8_t* Bits() const { return bits_; }
    // The pixel at (x, y) as a colour value, -1 outside.
    int32_t Pixel(int x, int y) const;
    void Fill(COLORREF colour);
    // Paints the drawing on `box` from now on (its client area; the rest in
    // the box's background).
    void ShowOn(HWND box);
    // The same for a box another hook holds: its owner passes the box's
    // messages to HandleMessage.
    void Attach(HWND box);
    // WM_ERASEBKGND and WM_PAINT of the box drawn on; true when handled.
    bool HandleMessage(HWND box, UINT message, LRESULT& result);
    // Has the box paint again.
    void Refresh() const;

  private:
    void Paint(HWND box);
    MemoryBitmap bitmap_;
    uint8_t* bits_ = nullptr;
    int width_ = 0, height_ = 0;
    HWND box_ = nullptr;
    SubClasser sc_;
};
