// Real screensaver files run as their own processes: where the logo lands
// on the screen, the preview pane, the inputs that end the saver and those
// that do not, and the errors that end it with exit code 1.
#include "core/SaverTail.h"
#include "tests/support/SaverFiles.h"
#include "tests/support/WinTest.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr COLORREF Background = RGB(0x20, 0x40, 0x60);
constexpr uint32_t Blue = 0xFF0000FF, Red = 0xFFFF0000, Green = 0xFF00FF00, White = 0xFFFFFFFF;
constexpr COLORREF BlueRef = RGB(0, 0, 255), RedRef = RGB(255, 0, 0), GreenRef = RGB(0, 255, 0),
                   WhiteRef = RGB(255, 255, 255);

// Left half blue, right half red; with `quadrants` the bottom half is green
// (left) and white (right).
std::vector<uint8_t> Logo(int w, int h, bool quadrants = false) {
    return MakeBitmap32(w, h, [=](int x, int y) {
        if (quadrants && y >= h / 2)
            return x < w / 2 ? Green : White;
        return x < w / 2 ? Blue : Red;
    });
}

SaverTrailer StaticSaver(int32_t display) {
    SaverTrailer t = DefaultTrailer();
    t.Settings.EnabledMask = EffectStatic;
    t.Settings.StaticDisplay = display;
    t.Settings.ChangeMode = 0;
    t.BackgroundColor = Background;
    t.PicHasTrans = 0;
    t.TransparentColor = -1;
    SetField(t.SaverName, "ProgramTest");
    return t;
}

// The screen's pixels in `r`, as COLORREFs, row by row.
class ScreenShot {
  public:
    explicit ScreenShot(RECT r) : r_(r) {
        const int w = r.right - r.left, h = r.bottom - r.top;
        HDC screen = GetDC(nullptr);
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        UniqueBitmap dib(CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        UniqueDC mem(CreateCompatibleDC(screen));
        {
            SelectGuard keep(mem.get(), dib.get());
            BitBlt(mem.get(), 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
            GdiFlush();
            const auto* p = static_cast<const uint32_t*>(bits);
            pixels_.assign(p, p + static_cast<std::size_t>(w) * h);
        }
        ReleaseDC(nullptr, screen);
    }
    bool Same(const ScreenShot& o) const { return pixels_ == o.pixels_; }
    COLORREF At(int x, int y) const {
        const uint32_t v =
            pixels_[static_cast<std::size_t>(y - r_.top) * (r_.right - r_.left) + (x - r_.left)];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }

  private:
    RECT r_;
    std::vector<uint32_t> pixels_;
};

ScreenShot WholeScreen() {
    return ScreenShot({0, 0, 1920, 1080});
}

std::string CommandFor(const std::string& path, const char* args) {
    return "\"" + path + "\" " + args;
}

// A saver started full screen, with its window found.
struct RunningSaver {
    RunningSaver(const std::string& path, const char* args = "/s")
        : process(CommandFor(path, args)) {
        window = WaitForWindow(process.Id(), "WindowsScreenSaverClass", "Screen Saver", 15000);
    }
    ChildProcess process;
    HWND window = nullptr;
};

// Waits until the saver has drawn its first frame (500 ms after the start).
void LetItDraw() {
    PumpFor(1500);
}

void MoveMouse(HWND window, int x, int y) {
    SetCursorPos(x, y);
    PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    PumpFor(150);
}

HWND WaitForBox(DWORD pid, const char* caption) {
    return WaitForWindow(pid, "#32770", caption, 15000);
}

TEST(FullScreen, WindowCoversTheVirtualScreenTopmostAndStaticCentresTheLogo) {
    TempFolder dir;
    SetCursorPos(5, 5);
    RunningSaver saver(
        MakeSaverFile(dir, "normal.scr", StaticSaver(DisplayNormal), Logo(400, 300)));
    ASSERT_TRUE(saver.window);
    RECT r{};
    GetWindowRect(saver.window, &r);
    EXPECT_EQ(r.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
    EXPECT_EQ(r.top, GetSystemMetrics(SM_YVIRTUALSCREEN));
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    EXPECT_TRUE(GetWindowLongA(saver.window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    LetItDraw();

    // (1920 - 400) / 2 = 760, (1080 - 300) / 2 = 390.
    const ScreenShot s = WholeScreen();
    EXPECT_EQ(s.At(760, 390), BlueRef);
    EXPECT_EQ(s.At(959, 689), BlueRef);
    EXPECT_EQ(s.At(960, 390), RedRef);
    EXPECT_EQ(s.At(1159, 689), RedRef);
    EXPECT_EQ(s.At(759, 390), Background);
    EXPECT_EQ(s.At(1160, 500), Background);
    EXPECT_EQ(s.At(800, 389), Background);
    EXPECT_EQ(s.At(800, 690), Background);
    EXPECT_EQ(s.At(0, 0), Background);
    EXPECT_EQ(s.At(1919, 1079), Background);

    PostMessageA(saver.window, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(saver.process.Wait(10000), 0u);
}

TEST(FullScreen, FullScreenModeFitsTheAspectAndTiledModeRepeatsFromTheTopLeft) {
    TempFolder dir;
    {
        // 400 x 300 on 1920 x 1080: 1440 x 1080 from x = 240.
        RunningSaver saver(
            MakeSaverFile(dir, "full.scr", StaticSaver(DisplayFull), Logo(400, 300)));
        ASSERT_TRUE(saver.window);
        LetItDraw();
        const ScreenShot s = WholeScreen();
        EXPECT_EQ(s.At(237, 540), Background);
        EXPECT_EQ(s.At(243, 540), BlueRef);
        EXPECT_EQ(s.At(955, 5), BlueRef);
        EXPECT_EQ(s.At(965, 1074), RedRef);
        EXPECT_EQ(s.At(1676, 540), RedRef);
        EXPECT_EQ(s.At(1683, 540), Background);
        PostMessageA(saver.window, WM_KEYDOWN, VK_SPACE, 0);
        EXPECT_EQ(saver.process.Wait(10000), 0u);
    }
    {
        // 300 x 200 tiles: seven columns (the last cut off), six rows.
        RunningSaver saver(
            MakeSaverFile(dir, "tiled.scr", StaticSaver(DisplayTiled), Logo(300, 200, true)));
        ASSERT_TRUE(saver.window);
        LetItDraw();
        const ScreenShot s = WholeScreen();
        for (int x = 0; x < 1920; x += 300)
            for (int y = 0; y < 1080; y += 200) {
                EXPECT_EQ(s.At(x, y), BlueRef) << x << "," << y;
                if (x + 150 < 1920) {
                    EXPECT_EQ(s.At(x + 150, y), RedRef) << x << "," << y;
                }
                if (y + 100 < 1080) {
                    EXPECT_EQ(s.At(x, y + 100), GreenRef) << x << "," << y;
                }
            }
        EXPECT_EQ(s.At(1919, 1079), BlueRef); // column 7 from 1800, row 6 from 1000
        PostMessageA(saver.window, WM_KEYDOWN, VK_SPACE, 0);
        EXPECT_EQ(saver.process.Wait(10000), 0u);
    }
}

TEST(PreviewPane, ChildFillsThePaneAndClosesOnlyWithIt) {
    TempFolder dir;
    const std::string path =
        MakeSaverFile(dir, "pane.scr", StaticSaver(DisplayNormal), Logo(400, 300, true));

    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QvTestPane";
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassA(&wc);
    HWND pane = CreateWindowExA(WS_EX_TOPMOST, "QvTestPane", "pane",
                                WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 300, 200, 152, 112,
                                nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(pane);
    PumpFor(200);

    ChildProcess process(
        CommandFor(path, ("/p " + std::to_string(reinterpret_cast<uintptr_t>(pane))).c_str()));
    HWND child = nullptr;
    for (int i = 0; i < 150 && !child; ++i) {
        PumpFor(100);
        child = FindWindowExA(pane, nullptr, "WindowsScreenSaverClass", "Preview");
    }
    ASSERT_TRUE(child);
    RECT client{};
    GetClientRect(child, &client);
    EXPECT_EQ(client.right, 152);
    EXPECT_EQ(client.bottom, 112);
    // Wine shows no child window of another process on the screen, so the
    // pane's pixels are checked in-process (LogoImageTest); here the child
    // window, its size and its close rules.
    PumpFor(800);

    // The pane closes on nothing: a key leaves it running.
    PostMessageA(child, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(process.Wait(700), static_cast<DWORD>(STILL_ACTIVE));
    DestroyWindow(pane);
    PumpFor(100);
    EXPECT_NE(process.Wait(10000), static_cast<DWORD>(STILL_ACTIVE));
}

TEST(CloseRules, JitterOfThreePixelsNeverEndsTheSaverAndAMoveOfFiveDoes) {
    TempFolder dir;
    SetCursorPos(900, 500);
    RunningSaver saver(MakeSaverFile(dir, "mouse.scr", StaticSaver(DisplayNormal), Logo(40, 30)));
    ASSERT_TRUE(saver.window);
    PumpFor(300);
    MoveMouse(saver.window, 900, 500);
    // Ten steps of 3 pixels: 30 pixels from the start, yet never closed.
    for (int i = 1; i <= 10; ++i)
        MoveMouse(saver.window, 900 + 2 * i, 500 + i);
    EXPECT_EQ(saver.process.Wait(700), static_cast<DWORD>(STILL_ACTIVE));
    MoveMouse(saver.window, 920 + 5, 510);
    EXPECT_EQ(saver.process.Wait(10000), 0u);
}

TEST(CloseRules, KeysEndTheSaverUnlessIgnoredButAltKeysAlways) {
    TempFolder dir;
    SaverTrailer t = StaticSaver(DisplayNormal);
    t.Settings.IgnoreInput = 1;
    RunningSaver saver(MakeSaverFile(dir, "keys.scr", t, Logo(40, 30)));
    ASSERT_TRUE(saver.window);
    PumpFor(300);
    PostMessageA(saver.window, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(saver.process.Wait(700), static_cast<DWORD>(STILL_ACTIVE));
    // Losing the activation does not end it either.
    PostMessageA(saver.window, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(saver.process.Wait(500), static_cast<DWORD>(STILL_ACTIVE));
    PostMessageA(saver.window, WM_SYSKEYDOWN, 'X', 1 << 29);
    EXPECT_EQ(saver.process.Wait(10000), 0u);

    // IgnoreInput 6 (clicks and movement) still ends on a key.
    t.Settings.IgnoreInput = 6;
    RunningSaver other(MakeSaverFile(dir, "clicks.scr", t, Logo(40, 30)));
    ASSERT_TRUE(other.window);
    PumpFor(300);
    PostMessageA(other.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(other.process.Wait(700), static_cast<DWORD>(STILL_ACTIVE));
    PostMessageA(other.window, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(other.process.Wait(10000), 0u);

    // A record that would ignore every key, click and move still ends on a key.
    for (int32_t all : {-1, static_cast<int32_t>(0x80000007)}) {
        t.Settings.IgnoreInput = all;
        RunningSaver trapped(MakeSaverFile(dir, "all.scr", t, Logo(40, 30)));
        ASSERT_TRUE(trapped.window);
        PumpFor(300);
        PostMessageA(trapped.window, WM_KEYDOWN, 'A', 0);
        EXPECT_EQ(trapped.process.Wait(5000), 0u) << all;
    }
}

TEST(ContentLogo, IsWrittenOnceARunAndRemovedWhenTheSaverEnds) {
    TempFolder dir;
    SaverTrailer t = StaticSaver(DisplayNormal);
    t.DynamicLogo = 1;
    t.Settings.ContentFromFile = 1;
    t.Settings.ChangeMode = 1;
    const std::string name = "qvpage-" + std::to_string(GetCurrentProcessId()) + ".html";
    std::vector<uint8_t> block(100000, 'x');
    const std::vector<uint8_t> nameBlock = MakeContentNameBlock(name.c_str());
    block.insert(block.end(), nameBlock.begin(), nameBlock.end());
    RunningSaver saver(MakeSaverFile(dir, "page.scr", t, block));
    ASSERT_TRUE(saver.window);
    for (int change = 0; change < 3; ++change) {
        PumpFor(400);
        PostMessageA(saver.window, WM_TIMER, 7, 0); // the change of effect
    }
    PumpFor(400);
    EXPECT_EQ(CountTempFiles("*" + name), 1);
    PostMessageA(saver.window, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(saver.process.Wait(10000), 0u);
    EXPECT_EQ(CountTempFiles("*" + name), 0);
}

TEST(SingleInstance, ASecondFullScreenSaverLeavesAtOnce) {
    TempFolder dir;
    const std::string path =
        MakeSaverFile(dir, "single.scr", StaticSaver(DisplayNormal), Logo(40, 30));
    RunningSaver first(path);
    ASSERT_TRUE(first.window);
    ChildProcess second(CommandFor(path, "/s"));
    EXPECT_EQ(second.Wait(10000), 0u);
    EXPECT_EQ(first.process.Wait(0), static_cast<DWORD>(STILL_ACTIVE));
    PostMessageA(first.window, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(first.process.Wait(10000), 0u);
}

TEST(Errors, ABitmapCutShortShowsNoLogoAndTheSaverEndsOnAKey) {
    TempFolder dir;
    const std::vector<uint8_t> whole = Logo(200, 200);
    for (std::size_t cut : {2000u, 100000u, 159054u}) {
        RunningSaver saver(MakeSaverFile(dir, "cut.scr", StaticSaver(DisplayNormal),
                                         {whole.begin(), whole.begin() + cut}));
        ASSERT_TRUE(saver.window) << cut;
        LetItDraw();
        EXPECT_EQ(WholeScreen().At(960, 540), Background) << cut;
        PostMessageA(saver.window, WM_KEYDOWN, 'A', 0);
        EXPECT_EQ(saver.process.Wait(10000), 0u) << cut;
    }
}

TEST(Errors, FileWithoutRecordSaysCorruptAndExitsOne) {
    TempFolder dir;
    const std::string path = dir.Path("bare.scr");
    WriteFileBytes(path, ReadFileBytes(TestDir() + "SaverTemplate.scr"));
    ChildProcess process(CommandFor(path, "/s"));
    HWND box = WaitForBox(process.Id(), "Screensaver");
    ASSERT_TRUE(box);
    EXPECT_EQ(MessageBoxText(box), "This Screensaver is corrupt!");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(process.Wait(10000), 1u);
}

TEST(Errors, RecordWithoutLogoSaysUnableToLoadLogoAndExitsOne) {
    TempFolder dir;
    ChildProcess process(
        CommandFor(MakeSaverFile(dir, "nologo.scr", StaticSaver(DisplayNormal), {}), "/s"));
    HWND box = WaitForBox(process.Id(), "Quorvel Screensaver");
    ASSERT_TRUE(box);
    EXPECT_EQ(MessageBoxText(box), "Unable to load logo");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(process.Wait(10000), 1u);
}

TEST(CommandLine, UnknownSwitchesAndBadPreviewHandlesExitMinusOne) {
    TempFolder dir;
    const std::string path =
        MakeSaverFile(dir, "switches.scr", StaticSaver(DisplayNormal), Logo(40, 30));
    EXPECT_EQ(ChildProcess(CommandFor(path, "/x")).Wait(10000), 0xFFFFFFFFu);
    EXPECT_EQ(ChildProcess(CommandFor(path, "/p 0")).Wait(10000), 0xFFFFFFFFu);
    EXPECT_EQ(ChildProcess(CommandFor(path, "/p")).Wait(10000), 0xFFFFFFFFu);
}

} // namespace
