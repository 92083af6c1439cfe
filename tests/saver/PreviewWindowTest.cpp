// The settings Preview window: over the whole virtual screen, deaf to input
// for its first 500 ms, then closed by a key, handing the page back its
// settings through WM_PARENTNOTIFY.
#include "tests/saver/EngineTestSupport.h"

#include "saver/EffectTable.h"
#include "saver/SaverHooks.h"
#include "saver/SaverWindow.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

HWND NotifiedBy = nullptr;
int Notifications = 0;

LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PARENTNOTIFY && LOWORD(wParam) == WM_DESTROY) {
        NotifiedBy = reinterpret_cast<HWND>(lParam);
        ++Notifications;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakePage() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = PageProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QvTestPage";
    RegisterClassA(&wc);
    return CreateWindowExA(0, "QvTestPage", "page", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           wc.hInstance, nullptr);
}

TEST(SettingsPreview, KeysInTheFirstHalfSecondAreSwallowedThenAKeyCloses) {
    SaverFixture saver(MakeBitmap32(40, 30, [](int, int) { return 0xFF808080u; }), 200, 150);
    HWND page = MakePage();
    ScratchSettings = CurrentTrailer.Settings;
    ScratchSettings.EnabledMask = EffectStatic;
    ScratchSettings.IgnoreInput = 7; // normalised to 6 when the window opens
    SavedSettings = CurrentSettings;
    CurrentSettings = &ScratchSettings;
    NotifiedBy = nullptr;
    Notifications = 0;

    HWND preview = OpenPreviewWindow(page);
    ASSERT_TRUE(preview);
    EXPECT_EQ(ScratchSettings.IgnoreInput, 6);
    char name[64] = {};
    GetClassNameA(preview, name, sizeof name);
    EXPECT_STREQ(name, "WindowsScreenSaverClassPreview");
    EXPECT_EQ(GetWindow(preview, GW_OWNER), page);
    RECT r{};
    GetWindowRect(preview, &r);
    EXPECT_EQ(r.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
    EXPECT_EQ(r.top, GetSystemMetrics(SM_YVIRTUALSCREEN));
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    EXPECT_TRUE(GetWindowLongA(preview, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(RenderThreadRunning());

    PumpFor(100);
    SendMessageA(preview, WM_KEYDOWN, 'A', 0);
    PumpFor(100);
    EXPECT_TRUE(IsWindow(preview)); // within 500 ms: nothing
    PumpFor(500);
    // Clicks and movement are ignored (6), keys are not.
    SendMessageA(preview, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    PumpFor(50);
    EXPECT_TRUE(IsWindow(preview));
    SendMessageA(preview, WM_KEYDOWN, 'A', 0);
    PumpFor(100);
    EXPECT_FALSE(IsWindow(preview));
    EXPECT_FALSE(RenderThreadRunning());
    EXPECT_EQ(Notifications, 1);
    EXPECT_EQ(NotifiedBy, preview);
    // The logo stays for the settings sheet; only the full-screen saver frees it.
    EXPECT_FALSE(LogoBlock.empty());

    CurrentSettings = SavedSettings;
    DestroyWindow(page);
}

// An effect whose first frame hangs until the test lets it go, and what it
// saw of the state it draws with.
struct StuckFrame {
    UniqueKernel Entered{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    UniqueKernel Release{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    std::atomic<int> CleanUps{0};
    std::atomic<bool> CleanUpSawTheLogo{false};
    std::atomic<bool> CleanUpDuringAFrame{false};
    std::atomic<bool> InFrame{false};
    std::atomic<DWORD> CleanUpThread{0};
};
StuckFrame* Stuck = nullptr;
std::atomic<int> StuckReports{0};

void StuckDraw(HDC, EffectOp op) {
    if (op == OpFrame) {
        Stuck->InFrame = true;
        SetEvent(Stuck->Entered.get());
        WaitForSingleObject(Stuck->Release.get(), 10000);
        Stuck->InFrame = false;
    } else if (op == OpCleanUp) {
        Stuck->CleanUpDuringAFrame = Stuck->InFrame.load();
        Stuck->CleanUpSawTheLogo = GetObjectType(LogoDC) == OBJ_MEMDC;
        Stuck->CleanUpThread = GetCurrentThreadId();
        ++Stuck->CleanUps;
    }
}

void RecordStuck() {
    ++StuckReports;
}

TEST(SettingsPreview, ClosingOverAStuckFrameReturnsInTimeAndFreesNothingTheFrameUses) {
    SaverFixture saver(MakeBitmap32(40, 30, [](int, int) { return 0xFF808080u; }), 200, 150);
    HWND page = MakePage();
    ScratchSettings = CurrentTrailer.Settings;
    ScratchSettings.EnabledMask = EffectStatic;
    SavedSettings = CurrentSettings;
    CurrentSettings = &ScratchSettings;
    StuckFrame stuck;
    Stuck = &stuck;
    StuckReports = 0;
    Notifications = 0;
    const int row = FindEffect(EffectStatic);
    const EffectDraw savedDraw = EffectTable[row].Draw;
    EffectTable[row].Draw = StuckDraw;
    const SaverHooks savedHooks = Hooks;
    Hooks.RenderThreadStuck = RecordStuck;

    HWND preview = OpenPreviewWindow(page);
    ASSERT_TRUE(preview);
    ASSERT_EQ(WaitForSingleObject(stuck.Entered.get(), 5000), WAIT_OBJECT_0);
    const HDC logo = LogoDC;
    const HBRUSH background = BackgroundBrush;
    // Wine takes two seconds to take a visible top-level window off an X
    // screen without a window manager, stuck thread or not: hidden first,
    // the time measured is the saver's own.
    ShowWindow(preview, SW_HIDE);
    const DWORD before = GetTickCount();
    DestroyWindow(preview);
    const DWORD took = GetTickCount() - before;
    EXPECT_GE(took, StopTimeout - 50);
    EXPECT_LT(took, StopTimeout + 500);
    EXPECT_EQ(StuckReports, 1);
    EXPECT_FALSE(IsWindow(preview));
    EXPECT_EQ(Notifications, 1);
    // The frame still runs, with everything it draws with still there.
    EXPECT_TRUE(RenderThreadRunning());
    EXPECT_EQ(stuck.CleanUps, 0);
    EXPECT_EQ(LogoDC, logo);
    EXPECT_EQ(GetObjectType(logo), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(BackgroundBrush, background);
    EXPECT_EQ(GetObjectType(background), static_cast<DWORD>(OBJ_BRUSH));

    // Let go, the thread ends its run itself: the clean-up after the frame,
    // on its own thread, with the logo still in place.
    SetEvent(stuck.Release.get());
    EXPECT_TRUE(StopRenderThread());
    EXPECT_FALSE(RenderThreadRunning());
    EXPECT_EQ(stuck.CleanUps, 1);
    EXPECT_FALSE(stuck.CleanUpDuringAFrame);
    EXPECT_TRUE(stuck.CleanUpSawTheLogo);
    EXPECT_NE(stuck.CleanUpThread, GetCurrentThreadId());

    Hooks = savedHooks;
    EffectTable[row].Draw = savedDraw;
    Stuck = nullptr;
    CurrentSettings = SavedSettings;
    SettingsPreview = 0;
    DestroyWindow(page);
}

} // namespace
