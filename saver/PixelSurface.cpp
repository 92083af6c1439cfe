#include "saver/PixelSurface.h"

#include "core/PixelBlend.h"

#include <algorithm>

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

uint32_t BrushPixel(HBRUSH brush) {
    LOGBRUSH info{};
    if (!brush || !GetObjectA(brush, sizeof info, &info))
        return 0;
    const COLORREF c = info.lbColor;
    return (static_cast<uint32_t>(GetRValue(c)) << 16) |
           (static_cast<uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
}

void BlendSurface(PixelSurface& to, int x, int y, const PixelSurface& from, uint8_t alpha) {
    // In 64 bits: a falling copy may be at either int32_t end.
    const int64_t left = std::max<int64_t>(0, -static_cast<int64_t>(x));
    const int64_t top = std::max<int64_t>(0, -static_cast<int64_t>(y));
    const int64_t right = std::min<int64_t>(from.Width(), static_cast<int64_t>(to.Width()) - x);
    const int64_t bottom = std::min<int64_t>(from.Height(), static_cast<int64_t>(to.Height()) - y);
    if (left >= right || top >= bottom)
        return;
    for (int row = static_cast<int>(top); row < bottom; ++row)
        BlendPremultiplied(to.Row(y + row) + (x + left), from.Row(row) + left,
                           static_cast<size_t>(right - left), alpha);
}
