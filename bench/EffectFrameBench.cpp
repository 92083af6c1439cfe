// Frame cost of each effect at 1920 x 1080, as a ratio to the bare cost of one frame: filling a
// screen-sized buffer and copying it to the window. Ratios are measured in
// one run; absolute times on these machines are noise.
#include "core/EffectInfo.h"
#include "core/SaverRecord.h"
#include "saver/EffectTable.h"
#include "common/Handles.h"
#include "saver/LogoImage.h"
#include "common/MemoryBitmap.h"
#include "saver/RenderEngine.h"
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

// The size of a program of this build that sits beside the benchmark; -1 if absent.
long long SizeBeside(const char* name) {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string file(path, n);
    file = file.substr(0, file.find_last_of('\\') + 1) + name;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
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

    // Static redraws its picture once a second; Standard and Many draw one
    // logo per frame. No stop event exists here, so the fades' 5 ms pauses
    // and the 1 s pause between them cost nothing: the fade rows are the
    // drawing of one fade out and one fade in (64 levels). Many with dimming
    // includes the 10 ms it sleeps after each wash.
    const auto staticIn = [&](int32_t mode) {
        CurrentEffect = EffectStatic;
        CurrentSettings->StaticDisplay = mode;
        DrawStatic(screen.get(), OpInitialise);
        const double ms = MsPerFrame(frames, [&] { DrawStatic(screen.get(), OpFrame); });
        DrawStatic(screen.get(), OpCleanUp);
        return ms;
    };
    const double staticNormal = staticIn(DisplayNormal);
    const double staticFull = staticIn(DisplayFull);
    const double staticTiled = staticIn(DisplayTiled);

    const auto standard = [&](int32_t effect, int32_t fade, int32_t dim, int count) {
        CurrentEffect = effect;
        CurrentSettings->StandardFade = fade;
        CurrentSettings->ManyDim = dim;
        DrawTransparent = effect == EffectMany ? 1 : 0;
        DrawStandard(screen.get(), OpInitialise);
        DrawStandard(screen.get(), OpFrame); // the first frame only fades in
        const double ms = MsPerFrame(count, [&] { DrawStandard(screen.get(), OpFrame); });
        DrawStandard(screen.get(), OpCleanUp);
        return ms;
    };
    const double standardPlain = standard(EffectStandard, 0, 0, frames);
    const double standardFade = standard(EffectStandard, 1, 0, quick ? 3 : 20);
    const double many = standard(EffectMany, 0, 0, frames * 10);
    const double manyDim = standard(EffectMany, 0, 1, quick ? 5 : 50);
    CurrentEffect = -1;
    DrawTransparent = 0;

    std::printf("frames at %d x %d, %d-bit display%s\n", Width, Height,
                GetDeviceCaps(screen.get(), BITSPIXEL), quick ? " (quick run)" : "");
    std::printf("bare fill and copy      %8.3f ms  1.00\n", bare);
    std::printf("Falling, 50 logos       %8.3f ms  %.2f\n", falling, falling / bare);
    std::printf("Bounce, no trail        %8.3f ms  %.2f\n", bounce, bounce / bare);
    std::printf("Static, normal size     %8.3f ms  %.2f\n", staticNormal, staticNormal / bare);
    std::printf("Static, full screen     %8.3f ms  %.2f\n", staticFull, staticFull / bare);
    std::printf("Static, tiled           %8.3f ms  %.2f\n", staticTiled, staticTiled / bare);
    std::printf("Standard                %8.3f ms  %.2f\n", standardPlain, standardPlain / bare);
    std::printf("Standard, fade out+in   %8.3f ms  %.2f\n", standardFade, standardFade / bare);
    std::printf("Many                    %8.3f ms  %.2f\n", many, many / bare);
    std::printf("Many, dimming           %8.3f ms  %.2f\n", manyDim, manyDim / bare);

    // SaverTemplate is carried inside every screensaver made.
    std::printf("program sizes, %d-bit build\n", static_cast<int>(sizeof(void*) * 8));
    for (const char* name : {"SaverTemplate.scr", "quorvel.dll", "Quorvel.exe"})
        std::printf("%-22s %9lld bytes\n", name, SizeBeside(name));

    LogoDC = nullptr;
    BackgroundBrush = nullptr;
    DestroyWindow(window);
    return 0;
}
