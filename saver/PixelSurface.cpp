#include "saver/PixelSurface.h"

#include "core/PixelBlend.h"

bool PixelSurface::Create(HDC like, int width, int height) {
    reset();
    if (width <= 0 || height <= 0)
        return false;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height; // top-down: row 0 is the top
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    if (!bitmap_.Adopt(like, CreateDIBSection(like, &bi, DIB_RGB_COLORS, &bits, nullptr, 0)) ||
        !bits) {
        bitmap_.reset();
        return false;
    }
    bits_ = static_cast<uint32_t*>(bits);
    width_ = width;
    height_ = height;
    return true;
}

void PixelSurface::reset() {
    bitmap_.reset();
    bits_ = nullptr;
    width_ = height_ = 0;
}

void FillBox(PixelSurface& to, const PixelBox& box, uint32_t pixel) {
    const PixelBox b = Intersection(box, PixelBox{0, 0, to.Width(), to.Height()});
    for (int row = b.Top; row < b.Bottom; ++row)
        FillPixels(to.Row(row) + b.Left, static_cast<size_t>(b.Right - b.Left), pixel);
}

uint32_t BrushPixel(HBRUSH brush) {
    LOGBRUSH info{};
    if (!brush || !GetObjectA(brush, sizeof info, &info))
        return 0;
    const COLORREF c = info.lbColor;
    return (static_cast<uint32_t>(GetRValue(c)) << 16) |
           (static_cast<uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
}

void BlendSurface(PixelSurface& to, int x, int y, const PixelSurface& from, uint8_t alpha) {
    BlendSurface(to, x, y, from, alpha, PixelBox{0, 0, to.Width(), to.Height()});
}

void BlendSurface(PixelSurface& to, int x, int y, const PixelSurface& from, uint8_t alpha,
                  const PixelBox& within) {
    const PixelBox b = Intersection(
        BoxOnScreen(x, y, from.Width(), from.Height(), to.Width(), to.Height()), within);
    if (b.Empty())
        return;
    // Inside `to`, so b.Left - x and b.Top - y are offsets into `from`.
    const size_t left = static_cast<size_t>(int64_t{b.Left} - x);
    const int64_t top = int64_t{b.Top} - y;
    for (int row = b.Top; row < b.Bottom; ++row)
        BlendPremultiplied(to.Row(row) + b.Left,
                           from.Row(static_cast<int>(top + row - b.Top)) + left,
                           static_cast<size_t>(b.Right - b.Left), alpha);
}
