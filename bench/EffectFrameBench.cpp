// Frame cost of the Falling (50 logos) and Bounce (no trail) effects at
// 1920 x 1080, as a ratio to the bare cost of one frame: filling a
// screen-sized buffer and copying it to the window. Ratios are measured in
// one run; absolute times on these machines are noise.
#include "core/EffectInfo.h"
#include "core/SaverRecord.h"
#include "saver/EffectTable.h"
#include "saver/Handles.h"
#include "saver/LogoImage.h"
#include "saver/MemoryBitmap.h"
#include "saver/SaverState.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int Width = 1920, Height = 1080;
constexpr int LogoW = 256, LogoH = 128;

double Now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

template <typename Frame> double MsPerFrame(int frames, Frame frame) {
    for (int i = 0; i < frames / 10 + 1; ++i) // warm up
        frame();
    GdiFlush();
    const double start = Now();
    for (int i = 0; i < frames; ++i)
        frame();
    GdiFlush();
    return (Now() - start) / frames;
}

} // namespace

int main(int argc, char** argv) {
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    const int frames = quick ? 20 : 300;

    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0,
                                  Width, Height, nullptr, nullptr, nullptr, nullptr);
    WindowDC screen(window);
    if (!window || !screen) {
        std::puts("no window to draw on");
        return 1;
    }

    SaverTrailer trailer{};
    LoadDefaultSettings(trailer, 1);
    CurrentTrailer = trailer;
    CurrentSettings = &CurrentTrailer.Settings;
    UniqueBrush brush(CreateSolidBrush(RGB(0, 0, 0x60)));
    BackgroundBrush = brush.get();
    ScreenRect = {0, 0, Width, Height};

    // A 32-bit logo with a soft alpha ramp, like a logo with transparency.
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = LogoW;
    bi.bmiHeader.biHeight = -LogoH;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    MemoryBitmap logo;
    logo.Adopt(screen.get(),
               CreateDIBSection(screen.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!logo || !bits) {
        std::puts("no logo bitmap");
        return 1;
    }
    auto* px = static_cast<uint32_t*>(bits);
    for (int y = 0; y < LogoH; ++y)
        for (int x = 0; x < LogoW; ++x) {
            const uint32_t a = static_cast<uint32_t>(255 * x / (LogoW - 1));
            px[y * LogoW + x] = (a << 24) | ((a * 0xC0 / 255) << 16) | (a * 0x40 / 255);
        }
    LogoDC = logo.Dc();
    LogoRect = {0, 0, LogoW, LogoH, LogoW, LogoH};
    DrawTransparent = 0;
    LowColour = GetDeviceCaps(screen.get(), BITSPIXEL) < 32;

    MemoryBitmap back;
    back.Create(screen.get(), Width, Height);
    const double bare = MsPerFrame(frames, [&] {
        FillRect(back.Dc(), &ScreenRect, BackgroundBrush);
        BitBlt(screen.get(), 0, 0, Width, Height, back.Dc(), 0, 0, SRCCOPY);
    });

    CurrentSettings->FallingCount = 50;
    CurrentSettings->FallingSpeed = 10;
    CurrentSettings->FallingFade = 1;
    DrawFalling(screen.get(), OpInitialise);
    const double falling = MsPerFrame(frames, [&] { DrawFalling(screen.get(), OpFrame); });
    DrawFalling(screen.get(), OpCleanUp);

    CurrentSettings->BounceSpeed = 10;
    CurrentSettings->BounceGravity = 0;
    CurrentSettings->BounceTrail = 0;
    DrawBounce(screen.get(), OpInitialise);
    const double bounce = MsPerFrame(frames * 10, [&] { DrawBounce(screen.get(), OpFrame); });
    DrawBounce(screen.get(), OpCleanUp);

    std::printf("frames at %d x %d, %d-bit display%s\n", Width, Height,
                GetDeviceCaps(screen.get(), BITSPIXEL), quick ? " (quick run)" : "");
    std::printf("bare fill and copy      %8.3f ms  1.00\n", bare);
    std::printf("Falling, 50 logos       %8.3f ms  %.2f\n", falling, falling / bare);
    std::printf("Bounce, no trail        %8.3f ms  %.2f\n", bounce, bounce / bare);

    LogoDC = nullptr;
    BackgroundBrush = nullptr;
    DestroyWindow(window);
    return 0;
}
