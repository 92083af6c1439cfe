// The settings Preview window: over the whole virtual screen, deaf to input
// for its first 500 ms, then closed by a key, handing the page back its
// settings through WM_PARENTNOTIFY.
#include "tests/saver/EngineTestSupport.h"

#include <gtest/gtest.h>

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

} // namespace
