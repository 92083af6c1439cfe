#include "bench/RenderLoop.h"

#include "bench/DisplayServer.h"
#include "core/Bmp32.h"
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

namespace {

// A logo with a soft alpha ramp, as a 32-bit bitmap file: the saver loads
// it from its logo block as it loads a real one.
std::vector<uint8_t> RampLogo(int W = 256, int H = 128) {
    Bitmap32 ramp{W, H, std::vector<uint8_t>(static_cast<size_t>(W) * H * 4), false};
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const uint32_t a = static_cast<uint32_t>(255 * x / (W - 1));
            uint8_t* p = &ramp.Pixels[(static_cast<size_t>(y) * W + x) * 4];
            p[0] = static_cast<uint8_t>(a * 0x40 / 255);
            p[1] = 0;
            p[2] = static_cast<uint8_t>(a * 0xC0 / 255);
            p[3] = static_cast<uint8_t>(a);
        }
    return WriteBmp32(ramp);
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

// The engine set up to run a chosen effect on `logo` as the screensaver
// runs it, and put back as it was afterwards.
class BenchEngine {
  public:
    explicit BenchEngine(std::vector<uint8_t> logo)
        : trailer_(CurrentTrailer), screen_(ScreenRect), hooks_(Hooks),
          display_(CreateDCA("DISPLAY", nullptr, nullptr, nullptr)) {
        Hooks.LoadLogo = LoadSaverLogo;
        Hooks.ChooseEffect = [] { return ChosenRow; };
        DisplayDC = display_.get();
        LogoBlock = std::move(logo);
    }
    ~BenchEngine() {
        CurrentEffect = -1;
        ReleaseLogo();
        LogoBlock.clear();
        Hooks = hooks_;
        CurrentTrailer = trailer_;
        CurrentSettings = &CurrentTrailer.Settings;
        ScreenRect = screen_;
        DisplayDC = nullptr;
    }
    // The next runs show `row` with the default settings (and the logo's
    // alpha), its frames counted; the settings to change.
    SaverSettings& Choose(int row) {
        SaverTrailer t{};
        LoadDefaultSettings(t, 1);
        t.TransparentColor = -1;
        t.PicHasTrans = 1;
        t.Settings.EnabledMask = EffectInfoTable[row].Mask;
        CurrentTrailer = t;
        CurrentSettings = &CurrentTrailer.Settings;
        ChosenRow = row;
        CurrentEffect = -1;
        CountedDraw = EffectTable[row].Draw;
        EffectTable[row].Draw = CountingDraw;
        return *CurrentSettings;
    }
    void Done(int row) { EffectTable[row].Draw = CountedDraw; }

  private:
    SaverTrailer trailer_;
    RECT screen_;
    SaverHooks hooks_;
    UniqueDC display_;
};

} // namespace

void MeasureRenderLoops(HWND window, bool quick, const LoopColumns& out) {
    const DWORD seconds = quick ? 300 : 5000; // of frames, in ms
    BenchEngine engine(RampLogo());
    const auto measure = [&](int row, const char* name, int32_t dripInterval) {
        SaverSettings& s = engine.Choose(row);
        if (dripInterval >= 0)
            s.DripInterval = dripInterval;
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
        engine.Done(row);
    };
    for (int row = 0; row < EffectCount; ++row)
        measure(row, EffectInfoTable[row].Name, -1);
    measure(FindEffect(EffectDrip), "Drip, fastest (wait 0)", 0);
}

void MeasureStops(HWND window, bool quick, ColumnWriter& frames, ColumnWriter& stops) {
    BenchEngine engine(RampLogo(6000, 4000));
    Hooks.RenderThreadStuck = [] { ++StuckRuns; };
    // Stops at moments after the first frame began: in it, and later. (A
    // stop during the start of a run waits for the logo's load, which no
    // stop cuts short.)
    const std::vector<DWORD> moments =
        quick ? std::vector<DWORD>{100} : std::vector<DWORD>{0, 200, 500, 1000, 2000};
    for (int row = 0; row < EffectCount; ++row) {
        SaverSettings& s = engine.Choose(row);
        s.FallingCount = 50;
        s.StaticDisplay = DisplayFull;
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
        engine.Done(row);
        frames.Put(EffectInfoTable[row].Name, LongestFrame);
        stops.Put(EffectInfoTable[row].Name, longestStop);
    }
}
