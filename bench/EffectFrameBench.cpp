// Frame cost of each effect at 1920 x 1080 and 3840 x 2160, each as a ratio
// to the bare cost of one frame at that size: filling a screen-sized buffer
// and copying it to the screen. Ratios are measured in one run; absolute
// times on these machines are noise. Then the cost of the single GDI calls
// the effects make (where a frame's time goes), and the program sizes. The
// CPU time of Many with dimming through the render loop is a test's
// (EffectBlendTest). Last, what each effect's render loop costs a running
// saver on a window of each size, and how long a stop takes with a logo far
// larger than the screen (`--stops`: that alone).
#include "bench/BenchSupport.h"
#include "bench/CallProfile.h"
#include "bench/RenderLoop.h"
#include "core/EffectInfo.h"
#include "core/SaverRecord.h"
#include "saver/EffectTable.h"
#include "common/Handles.h"
#include "saver/LogoImage.h"
#include "common/MemoryBitmap.h"
#include "saver/PixelSurface.h"
#include "saver/RenderEngine.h"
#include "saver/SaverState.h"

#include <cstdio>
#include <cstring>
#include <list>
#include <string>
#include <vector>

namespace {

constexpr int LogoW = 256, LogoH = 128;

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

// Names of rows made up as they are measured; a list keeps them in place.
std::list<std::string> rowNames;

// Every effect's frame on `screen`, sized ScreenRect; one row each.
void MeasureEffects(HDC screen, bool quick, ColumnWriter& out, ColumnWriter& firsts) {
    const int frames = quick ? 20 : 300;
    const int w = ScreenWidth(), h = ScreenHeight();
    auto put = [&](const char* name, double ms) { out.Put(name, ms); };

    MemoryBitmap back;
    back.Create(screen, w, h);
    put("bare fill and copy", MsPerFrame(frames, [&] {
            FillRect(back.Dc(), &ScreenRect, BackgroundBrush);
            BitBlt(screen, 0, 0, w, h, back.Dc(), 0, 0, SRCCOPY);
        }));
    back.reset();

    CurrentSettings->FallingCount = 50;
    CurrentSettings->FallingSpeed = 10;
    CurrentSettings->FallingFade = 1;
    DrawFalling(screen, OpInitialise);
    put("Falling, 50 logos", MsPerFrame(frames, [&] { DrawFalling(screen, OpFrame); }));
    DrawFalling(screen, OpCleanUp);

    CurrentSettings->BounceSpeed = 10;
    CurrentSettings->BounceGravity = 0;
    CurrentSettings->BounceTrail = 0;
    DrawBounce(screen, OpInitialise);
    put("Bounce, no trail", MsPerFrame(frames * 10, [&] { DrawBounce(screen, OpFrame); }));
    DrawBounce(screen, OpCleanUp);

    // Static redraws its picture once a second. Its first frame is what a
    // user waits for: op 1, the engine's 500 ms pause (not counted), then the
    // frame; that row is the time of op 1 and of the frame together.
    const auto staticIn = [&](int32_t mode, const char* name, const char* first, int count) {
        CurrentEffect = EffectStatic;
        CurrentSettings->StaticDisplay = mode;
        double start = NowMs();
        DrawStatic(screen, OpInitialise);
        double firstMs = NowMs() - start;
        if (first) {
            Sleep(500);
            start = NowMs();
            DrawStatic(screen, OpFrame);
            GdiFlush();
            firstMs += NowMs() - start;
            firsts.Put(first, firstMs);
        }
        put(name, MsPerFrame(count, [&] { DrawStatic(screen, OpFrame); }));
        DrawStatic(screen, OpCleanUp);
    };
    staticIn(DisplayNormal, "Static, normal size", nullptr, frames);
    staticIn(DisplayFull, "Static, full screen", "Static, full screen", frames);
    staticIn(DisplayStretch, "Static, stretched", nullptr, frames);
    staticIn(DisplayTiled, "Static, tiled", nullptr, frames);

    // Tiles of a tiny logo: a copy per tile is millions of copies a frame.
    // The tiled picture is also Drip's first frame (drawn in memory, then
    // copied to the screen) and Slider's picture.
    const HDC logoDc = LogoDC;
    const LogoRectangle logoRect = LogoRect;
    struct Tiny {
        int W, H;
        const char* Name;
    };
    for (const Tiny& tiny : {Tiny{1, 1, "1 x 1"}, Tiny{3, 2, "3 x 2"}}) {
        PixelSurface small;
        small.Create(screen, tiny.W, tiny.H);
        const RECT all{0, 0, small.Width(), small.Height()};
        FillRect(small.Dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        LogoDC = small.Dc();
        LogoRect = {0, 0, small.Width(), small.Height(), small.Width(), small.Height()};
        const std::string logo = std::string(", ") + tiny.Name + " logo";
        rowNames.push_back("Static, tiled" + logo);
        staticIn(DisplayTiled, rowNames.back().c_str(), nullptr, quick ? 1 : 3);
        PixelSurface picture;
        picture.Create(screen, w, h);
        rowNames.push_back("Tiled picture" + logo);
        put(rowNames.back().c_str(), MsPerFrame(quick ? 1 : 3, [&] {
                DrawLogo(picture.Dc(), DisplayTiled);
                BitBlt(screen, 0, 0, w, h, picture.Dc(), 0, 0, SRCCOPY);
            }));
    }
    LogoDC = logoDc;
    LogoRect = logoRect;

    // Standard and Many draw one logo per frame. No stop event exists here,
    // so the pauses inside a frame (the fades' 5 ms steps, the 1 s between
    // them, the 10 ms after a wash) cost nothing: the fade row is the
    // drawing of one fade out and one fade in (64 levels).
    const auto standard = [&](const char* name, int32_t effect, int32_t fade, int32_t dim,
                              int count) {
        CurrentEffect = effect;
        CurrentSettings->StandardFade = fade;
        CurrentSettings->ManyDim = dim;
        DrawTransparent = effect == EffectMany ? 1 : 0;
        DrawStandard(screen, OpInitialise);
        DrawStandard(screen, OpFrame); // the first frame only fades in
        put(name, MsPerFrame(count, [&] { DrawStandard(screen, OpFrame); }));
        DrawStandard(screen, OpCleanUp);
    };
    standard("Standard", EffectStandard, 0, 0, frames);
    standard("Standard, fade out+in", EffectStandard, 1, 0, quick ? 3 : 20);
    standard("Many", EffectMany, 0, 0, frames * 10);
    standard("Many, dimming", EffectMany, 0, 1, quick ? 5 : 100);
    CurrentEffect = -1;
    DrawTransparent = 0;
}

// A logo far larger than the screen: how long a stop can take to end a run.
void PrintStops(HWND window, bool quick) {
    std::vector<BenchRow> hugeFrames, hugeStops;
    {
        ColumnWriter longest(hugeFrames, 0), stopped(hugeStops, 0);
        MeasureStops(window, quick, longest, stopped);
    }
    std::printf("a 6000 x 4000 logo on the %d x %d display: longest frame and longest stop "
                "(from the stop to the run's end), ms and as a ratio to the stop time-out\n",
                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    for (size_t i = 0; i < hugeFrames.size(); ++i)
        std::printf("%-28s %10.1f %6.2f %10.1f %6.2f\n", hugeFrames[i].Name, hugeFrames[i].Ms[0],
                    hugeFrames[i].Ms[0] / StopTimeout, hugeStops[i].Ms[0],
                    hugeStops[i].Ms[0] / StopTimeout);
}

} // namespace

int main(int argc, char** argv) {
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    const bool stopsOnly = argc > 1 && std::strcmp(argv[1], "--stops") == 0;
    constexpr int Sizes[2][2] = {{1920, 1080}, {3840, 2160}};

    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0,
                                  Sizes[0][0], Sizes[0][1], nullptr, nullptr, nullptr, nullptr);
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

    // A 32-bit logo with a soft alpha ramp, like a logo with transparency.
    PixelSurface logo;
    if (!logo.Create(screen.get(), LogoW, LogoH)) {
        std::puts("no logo bitmap");
        return 1;
    }
    for (int y = 0; y < LogoH; ++y)
        for (int x = 0; x < LogoW; ++x) {
            const uint32_t a = static_cast<uint32_t>(255 * x / (LogoW - 1));
            logo.Row(y)[x] = (a << 24) | ((a * 0xC0 / 255) << 16) | (a * 0x40 / 255);
        }
    LogoDC = logo.Dc();
    LogoRect = {0, 0, LogoW, LogoH, LogoW, LogoH};
    DrawTransparent = 0;
    LowColour = GetDeviceCaps(screen.get(), BITSPIXEL) < 32;
    if (stopsOnly) {
        PrintStops(window, false);
        return 0;
    }

    // The screen is this display's (1920 x 1080 under the tests' Xvfb); a
    // larger size draws on a screen-sized DIB in its place.
    std::vector<BenchRow> rows, calls, firsts;
    const int desktopW = GetSystemMetrics(SM_CXSCREEN), desktopH = GetSystemMetrics(SM_CYSCREEN);
    bool offscreen[2] = {false, false};
    for (int column = 0; column < 2; ++column) {
        const int w = Sizes[column][0], h = Sizes[column][1];
        PixelSurface stand;
        HDC target = screen.get();
        if (w > desktopW || h > desktopH) {
            if (!stand.Create(screen.get(), w, h)) {
                std::printf("no %d x %d screen\n", w, h);
                return 1;
            }
            target = stand.Dc();
            offscreen[column] = true;
        }
        ScreenRect = {0, 0, w, h};
        ColumnWriter effects(rows, column), single(calls, column), first(firsts, column);
        MeasureEffects(target, quick, effects, first);
        ProfileCalls(target, quick, single);
    }

    // A window larger than the display is drawn as far as the display
    // shows it, as a saver window on a smaller screen would be.
    std::vector<BenchRow> loops, servers, loopFrames;
    for (int column = 0; column < 2; ++column) {
        HWND sized =
            CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0,
                            Sizes[column][0], Sizes[column][1], nullptr, nullptr, nullptr, nullptr);
        RECT client{};
        GetClientRect(sized, &client);
        if (client.right != Sizes[column][0] || client.bottom != Sizes[column][1])
            std::printf("(the %d x %d window is %ld x %ld)\n", Sizes[column][0], Sizes[column][1],
                        client.right, client.bottom);
        ColumnWriter shares(loops, column), server(servers, column), drawn(loopFrames, column);
        MeasureRenderLoops(sized, quick, {shares, server, drawn});
        DestroyWindow(sized);
    }

    std::printf("frames in ms and as a ratio to the bare frame, %d-bit display%s\n",
                GetDeviceCaps(screen.get(), BITSPIXEL), quick ? " (quick run)" : "");
    std::printf("%-28s %10s %6s %10s %6s\n", "", "1920x1080", "ratio", "3840x2160", "ratio");
    for (const BenchRow& r : rows)
        std::printf("%-28s %10.3f %6.2f %10.3f %6.2f\n", r.Name, r.Ms[0], r.Ms[0] / rows[0].Ms[0],
                    r.Ms[1], r.Ms[1] / rows[0].Ms[1]);
    for (int column = 0; column < 2; ++column)
        if (offscreen[column])
            std::printf("(%d x %d drawn on a screen-sized DIB: the display is %d x %d)\n",
                        Sizes[column][0], Sizes[column][1], desktopW, desktopH);
    std::printf("render loops, default options, %s of frames: CPU time as a share of one core\n"
                "(the saver's process, the display server's) and frames drawn on the screen a "
                "second\n",
                quick ? "0.3 s" : "5 s");
    std::printf("%-28s %8s %8s %7s   %8s %8s %7s\n", "", "saver", "server", "fps", "saver",
                "server", "fps");
    const auto share = [](double s) {
        char text[16] = "       -";
        if (s >= 0)
            std::snprintf(text, sizeof text, "%7.2f%%", 100 * s);
        return std::string(text);
    };
    for (size_t i = 0; i < loops.size(); ++i)
        std::printf("%-28s %8s %8s %7.1f   %8s %8s %7.1f\n", loops[i].Name,
                    share(loops[i].Ms[0]).c_str(), share(servers[i].Ms[0]).c_str(),
                    loopFrames[i].Ms[0], share(loops[i].Ms[1]).c_str(),
                    share(servers[i].Ms[1]).c_str(), loopFrames[i].Ms[1]);
    PrintStops(window, quick);
    std::printf("first frames, ms from op 1 (the 500 ms pause before the frame not counted)\n");
    for (const BenchRow& r : firsts)
        std::printf("%-28s %10.3f %6s %10.3f\n", r.Name, r.Ms[0], "", r.Ms[1]);
    std::printf("single calls, ms each\n");
    for (const BenchRow& r : calls)
        std::printf("%-44s %8.3f %8.3f\n", r.Name, r.Ms[0], r.Ms[1]);

    // SaverTemplate is carried inside every screensaver made.
    std::printf("program sizes, %d-bit build\n", static_cast<int>(sizeof(void*) * 8));
    for (const char* name : {"SaverTemplate.scr", "quorvel.dll", "Quorvel.exe"})
        std::printf("%-22s %9lld bytes\n", name, SizeBeside(name));

    LogoDC = nullptr;
    BackgroundBrush = nullptr;
    DestroyWindow(window);
    return 0;
}
