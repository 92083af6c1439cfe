#include "bench/RenderLoop.h"

#include "bench/DisplayServer.h"
#include "core/EffectInfo.h"
#include "core/SaverRecord.h"
#include "common/Handles.h"
#include "common/ProcessTime.h"
#include "saver/EffectTable.h"
#include "saver/LogoImage.h"
#include "saver/RenderEngine.h"
#include "saver/SaverHooks.h"
#include "saver/SaverState.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace {

// A logo with a soft alpha ramp, as a 32-bit bitmap file: the saver loads
// it from its logo block as it loads a real one.
std::vector<uint8_t> RampLogo(int W = 256, int H = 128) {
    const uint32_t pixels = static_cast<uint32_t>(W) * H * 4;
    std::vector<uint8_t> f(54 + pixels);
    auto put = [&](size_t at, uint32_t v, size_t size) { std::memcpy(&f[at], &v, size); };
    f[0] = 'B';
    f[1] = 'M';
    put(2, static_cast<uint32_t>(f.size()), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, W, 4);
    put(22, H, 4);
    put(26, 1, 2);
    put(28, 32, 2);
    put(34, pixels, 4);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const uint32_t a = static_cast<uint32_t>(255 * x / (W - 1));
            put(54 + (static_cast<size_t>(y) * W + x) * 4,
                (a << 24) | ((a * 0xC0 / 255) << 16) | (a * 0x40 / 255), 4);
        }
    return f;
}

int ChosenRow = 0;

// The chosen row's draw function, counting the frames it draws on the screen
// and timing the longest.
EffectDraw CountedDraw = nullptr;
std::atomic<long> FramesDrawn{0};
std::atomic<long> FramesBegun{0};
std::atomic<double> LongestFrame{0};
void CountingDraw(HDC dc, EffectOp op) {
    if (op == OpFrame && dc)
        ++FramesDrawn;
    if (op == OpFrame)
        ++FramesBegun;
    const double start = NowMs();
    CountedDraw(dc, op);
    if (op == OpFrame && NowMs() - start > LongestFrame)
        LongestFrame = NowMs() - start;
}

std::atomic<int> StuckRuns{0};

} // namespace

void MeasureRenderLoops(HWND window, bool quick, const LoopColumns& out) {
    const DWORD seconds = quick ? 300 : 5000; // of frames, in ms
    const SaverTrailer savedTrailer = CurrentTrailer;
    const RECT savedScreen = ScreenRect;
    const SaverHooks savedHooks = Hooks;
    Hooks.LoadLogo = LoadSaverLogo;
    Hooks.ChooseEffect = [] { return ChosenRow; };
    UniqueDC display(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
    DisplayDC = display.get();
    LogoBlock = RampLogo();
    const auto measure = [&](int row, const char* name, int32_t dripInterval) {
        SaverTrailer t{};
        LoadDefaultSettings(t, 1);
        t.TransparentColor = -1;
        t.PicHasTrans = 1;
        t.Settings.EnabledMask = EffectInfoTable[row].Mask;
        if (dripInterval >= 0)
            t.Settings.DripInterval = dripInterval;
        CurrentTrailer = t;
        CurrentSettings = &CurrentTrailer.Settings;
        ChosenRow = row;
        CurrentEffect = -1;
        CountedDraw = EffectTable[row].Draw;
        EffectTable[row].Draw = CountingDraw;
        StartRenderThread(window);
        Sleep(700); // past op 1, the pause before the first frame, and that frame
        const long frames = FramesDrawn;
        const double cpu = ProcessCpuMs(), server = DisplayServerCpuMs(), wall = NowMs();
        Sleep(seconds);
        const double ms = NowMs() - wall;
        out.Saver.Put(name, (ProcessCpuMs() - cpu) / ms);
        out.Server.Put(name, server < 0 ? -1 : (DisplayServerCpuMs() - server) / ms);
        out.Frames.Put(name, (FramesDrawn - frames) * 1000.0 / ms);
        StopRenderThread();
        EffectTable[row].Draw = CountedDraw;
    };
    for (int row = 0; row < EffectCount; ++row)
        measure(row, EffectInfoTable[row].Name, -1);
    measure(FindEffect(EffectDrip), "Drip, fastest (wait 0)", 0);
    CurrentEffect = -1;
    ReleaseLogo();
    LogoBlock.clear();
    Hooks = savedHooks;
    CurrentTrailer = savedTrailer;
    CurrentSettings = &CurrentTrailer.Settings;
    ScreenRect = savedScreen;
    DisplayDC = nullptr;
}

void MeasureStops(HWND window, bool quick, ColumnWriter& frames, ColumnWriter& stops) {
    const SaverTrailer savedTrailer = CurrentTrailer;
    const RECT savedScreen = ScreenRect;
    const SaverHooks savedHooks = Hooks;
    Hooks.LoadLogo = LoadSaverLogo;
    Hooks.ChooseEffect = [] { return ChosenRow; };
    Hooks.RenderThreadStuck = [] { ++StuckRuns; };
    UniqueDC display(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
    DisplayDC = display.get();
    LogoBlock = RampLogo(6000, 4000);
    // Stops at moments after the first frame began: in it, and later. (A
    // stop during the start of a run waits for the logo's load, which no
    // stop cuts short.)
    const std::vector<DWORD> moments =
        quick ? std::vector<DWORD>{100} : std::vector<DWORD>{0, 200, 500, 1000, 2000};
    for (int row = 0; row < EffectCount; ++row) {
        SaverTrailer t{};
        LoadDefaultSettings(t, 1);
        t.TransparentColor = -1;
        t.PicHasTrans = 1;
        t.Settings.EnabledMask = EffectInfoTable[row].Mask;
        t.Settings.FallingCount = 50;
        t.Settings.StaticDisplay = DisplayFull;
        CurrentTrailer = t;
        CurrentSettings = &CurrentTrailer.Settings;
        ChosenRow = row;
        CountedDraw = EffectTable[row].Draw;
        EffectTable[row].Draw = CountingDraw;
        double longestStop = 0;
        LongestFrame = 0;
        for (DWORD moment : moments) {
            CurrentEffect = -1;
            FramesBegun = 0;
            StartRenderThread(window);
            for (int i = 0; i < 3000 && FramesBegun == 0; ++i)
                Sleep(10);
            Sleep(moment);
            const double start = NowMs();
            while (!StopRenderThread())
                ;
            longestStop = std::max(longestStop, NowMs() - start);
        }
        EffectTable[row].Draw = CountedDraw;
        frames.Put(EffectInfoTable[row].Name, LongestFrame);
        stops.Put(EffectInfoTable[row].Name, longestStop);
    }
    CurrentEffect = -1;
    ReleaseLogo();
    LogoBlock.clear();
    Hooks = savedHooks;
    CurrentTrailer = savedTrailer;
    CurrentSettings = &CurrentTrailer.Settings;
    ScreenRect = savedScreen;
    DisplayDC = nullptr;
}
