#include "wizard/pages/Surface.h"

#include "common/Handles.h"

#include <cstring>

bool Surface::Resize(int width, int height) {
    bitmap_.reset();
    bits_ = nullptr;
    width_ = height_ = 0;
    if (width <= 0 || height <= 0)
        return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const UniqueDC screen(CreateCompatibleDC(nullptr));
    HBITMAP dib = CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib || !bitmap_.Adopt(screen.get(), dib))
        return false;
    bits_ = static_cast<uint8_t*>(bits);
    width_ = width;
    height_ = height;
    std::memset(bits_, 0, static_cast<std::size_t>(width) * height * 4);
    return true;
}

void Surface::Empty(int width, int height) {
    Resize(0, 0);
    width_ = width;
    height_ = height;
}

int32_t Surface::Pixel(int x, int y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_)
        return -1;
    const uint8_t* p = bits_ + (static_cast<std::size_t>(y) * width_ + x) * 4;
    return static_cast<int32_t>(RGB(p[2], p[1], p[0]));
}

void Surface::Fill(COLORREF colour) {
    if (!bits_)
        return;
    GdiFlush();
    const uint8_t b = GetBValue(colour), g = GetGValue(colour), r = GetRValue(colour);
    for (std::size_t i = 0, n = static_cast<std::size_t>(width_) * height_; i < n; ++i) {
        uint8_t* p = bits_ + i * 4;
        p[0] = b, p[1] = g, p[2] = r, p[3] = 255;
    }
}

void Surface::ShowOn(HWND box) {
    Attach(box);
    sc_.GotMessage = [this](HWND& hWnd, UINT& message, WPARAM&, LPARAM&, bool& Proceed,
                            LRESULT& ReturnValue) {
        if (HandleMessage(hWnd, message, ReturnValue))
            Proceed = false;
    };
    sc_.SubClass(box);
}

void Surface::Attach(HWND box) {
    box_ = box;
}

bool Surface::HandleMessage(HWND box, UINT message, LRESULT& result) {
    if (box != box_)
        return false;
    if (message == WM_ERASEBKGND) {
        result = 1;
        return true;
    }
    if (message != WM_PAINT)
        return false;
    Paint(box);
    result = 0;
    return true;
}

void Surface::Refresh() const {
    if (box_) {
        InvalidateRect(box_, nullptr, FALSE);
        UpdateWindow(box_);
    }
}

void Surface::Paint(HWND box) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(box, &ps);
    RECT client;
    GetClientRect(box, &client);
    GdiFlush();
    const int w = bits_ ? width_ : 0, h = bits_ ? height_ : 0;
    if (bits_)
        BitBlt(dc, 0, 0, w, h, Dc(), 0, 0, SRCCOPY);
    // Outside the drawing: the window's own background.
    const HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    RECT right{w, 0, client.right, client.bottom};
    RECT below{0, h, w, client.bottom};
    FillRect(dc, &right, face);
    FillRect(dc, &below, face);
    EndPaint(box, &ps);
}
