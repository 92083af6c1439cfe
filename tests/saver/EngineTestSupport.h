// In-process set-up for the logo and engine tests: the state the saver
// window normally makes (display DC, background brush, a window), a logo
// block, and a DIB to draw into and read back.
#pragma once

#include "common/Handles.h"
#include "saver/LogoImage.h"
#include "common/MemoryBitmap.h"
#include "saver/RenderEngine.h"
#include "saver/SaverState.h"
#include "saver/SaverWindowShared.h"
#include "tests/support/SaverFiles.h"

#include <cstdint>
#include <vector>

constexpr COLORREF TestBackground = RGB(0x20, 0x40, 0x60);

// A top-level window that draws nothing itself, with a client area of
// width x height.
inline HWND MakeTestWindow(int width, int height) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QvEngineTest";
    RegisterClassA(&wc);
    return CreateWindowExA(0, "QvEngineTest", "", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                           wc.hInstance, nullptr);
}

// Saver state as WM_CREATE leaves it, for a logo block and a window.
class SaverFixture {
  public:
    SaverFixture(std::vector<uint8_t> logo, int width, int height)
        : display_(CreateDCA("DISPLAY", nullptr, nullptr, nullptr)),
          brush_(CreateSolidBrush(TestBackground)), window_(MakeTestWindow(width, height)) {
        CurrentTrailer = DefaultTrailer();
        CurrentSettings = &CurrentTrailer.Settings;
        CurrentTrailer.BackgroundColor = TestBackground;
        CurrentTrailer.PicHasTrans = 0;
        CurrentTrailer.TransparentColor = -1;
        LogoBlock = std::move(logo);
        CurrentTrailer.LogoSize = static_cast<int32_t>(LogoBlock.size());
        DisplayDC = display_.get();
        BackgroundBrush = brush_.get();
        SaverWindow = window_;
        CurrentEffect = -1;
        InPreviewPane = false;
        ScreenRect = {0, 0, width, height};
    }
    ~SaverFixture() {
        StopRenderThread();
        ReleaseLogo();
        RemoveContentTemp(); // as the saver window's end does
        DestroyWindow(window_);
        DisplayDC = nullptr;
        BackgroundBrush = nullptr;
        InPreviewPane = false;
        CurrentEffect = -1;
        LogoBlock.clear();
    }
    HWND Window() const { return window_; }

  private:
    UniqueDC display_;
    UniqueBrush brush_;
    HWND window_;
};

// A 32-bit top-down DIB in a memory DC, filled with one colour.
class Canvas {
  public:
    Canvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        bitmap_.Adopt(DisplayDC, dib);
        bits_ = static_cast<uint32_t*>(bits);
        UniqueBrush brush(CreateSolidBrush(fill));
        RECT all{0, 0, width, height};
        FillRect(Dc(), &all, brush.get());
        GdiFlush();
    }
    HDC Dc() const { return bitmap_.Dc(); }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const uint32_t v = bits_[static_cast<std::size_t>(y) * width_ + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }

  private:
    int width_, height_;
    MemoryBitmap bitmap_;
    uint32_t* bits_ = nullptr;
};
