#include "wizard/frame/ImageControl.h"

#include "wizard/frame/Control.h"
#include "wizard/frame/Twips.h"

void ImageControl::Reset(bool stretch) {
    stretch_ = stretch;
    width_ = height_ = 0;
    pixels_.clear();
}

void ImageControl::SetStretch(bool stretch) {
    stretch_ = stretch;
    if (!stretch_)
        FitToPicture();
    extender_.Refresh();
}

void ImageControl::SetPicture(const uint8_t* bgra, int width, int height) {
    if (!bgra || width <= 0 || height <= 0) {
        width_ = height_ = 0;
        pixels_.clear();
    } else {
        width_ = width;
        height_ = height;
        pixels_.assign(bgra, bgra + static_cast<std::size_t>(width) * height * 4);
    }
    if (!stretch_)
        FitToPicture();
    extender_.Refresh();
}

void ImageControl::SetPicture(const ImageControl& other) {
    if (&other == this)
        return;
    SetPicture(other.HasPicture() ? other.pixels_.data() : nullptr, other.width_, other.height_);
}

void ImageControl::FitToPicture() {
    if (!HasPicture())
        return;
    extender_.Move(extender_.Left(), extender_.Top(), PixelsToTwipsX(width_),
                   PixelsToTwipsY(height_));
}

void ImageControl::Paint(HDC dc) const {
    if (!HasPicture())
        return;
    const RECT r = extender_.PixelRect();
    const int w = stretch_ ? static_cast<int>(r.right - r.left) : width_;
    const int h = stretch_ ? static_cast<int>(r.bottom - r.top) : height_;
    if (w <= 0 || h <= 0)
        return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    // The clip, stretch mode and brush origin go back with the DC's state;
    // an unstretched picture never spills out of its control.
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchDIBits(dc, r.left, r.top, w, h, 0, 0, width_, height_, pixels_.data(), &info,
                  DIB_RGB_COLORS, SRCCOPY);
    RestoreDC(dc, saved);
}
