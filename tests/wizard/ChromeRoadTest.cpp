// The wizard's chrome from outside, as a user meets it: the Help button's
// menu, the About box it and Alt+F1 open, the help mode and the help
// viewer; and the glass frame a Windows 10 prefix turns on, which
// "noglass" turns off again.
#include "core/HelpText.h"
#include "core/SaverRecord.h"
#include "resources/SettingsIds.h"
#include "tests/support/CreatorDriver.h"
#include "tests/support/WinTest.h"
#include "wizard/frame/WindowHandle.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

const char* Title = "Quorvel Screensaver Creator 4.5.15";
constexpr wchar_t AboutTitle[] = L"About Quorvel Screensaver Creator";
constexpr wchar_t TipClass[] = L"Quorvel Screensaver Creator_tipwnd";
constexpr wchar_t MenuClass[] = L"#32768";

std::string Creator(const std::string& arguments = "") {
    return "\"" + TestDir() + "Quorvel.exe\"" + (arguments.empty() ? "" : " " + arguments);
}

RECT ScreenRect(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
}

// A real left click at the middle of a window.
void MouseClick(HWND w) {
    const RECT r = ScreenRect(w);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PumpFor(100);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
    PumpFor(500);
}

// The wizard's Help button clicked: its menu.
HWND OpenHelpMenu(DWORD pid, HWND help) {
    MouseClick(help);
    return WaitTopLevel(pid, MenuClass, 5000);
}

bool WaitEnabled(HWND w, DWORD ms) {
    const DWORD start = GetTickCount();
    while (!IsWindowEnabled(w) && GetTickCount() - start < ms)
        PumpFor(50);
    return IsWindowEnabled(w);
}

bool WaitGone(HWND w, DWORD ms) {
    const DWORD start = GetTickCount();
    while (IsWindow(w) && IsWindowVisible(w) && GetTickCount() - start < ms)
        PumpFor(50);
    return !IsWindow(w) || !IsWindowVisible(w);
}

// Wine's per-program Windows version for Quorvel.exe, removed again.
class WineVersionFor {
  public:
    explicit WineVersionFor(const wchar_t* version) {
        RegSetKeyValueW(HKEY_CURRENT_USER, Key, L"Version", REG_SZ, version,
                        static_cast<DWORD>((wcslen(version) + 1) * sizeof(wchar_t)));
    }
    WineVersionFor(const WineVersionFor&) = delete;
    WineVersionFor& operator=(const WineVersionFor&) = delete;
    ~WineVersionFor() { RegDeleteTreeW(HKEY_CURRENT_USER, Key); }

  private:
    static constexpr wchar_t Key[] = L"Software\\Wine\\AppDefaults\\Quorvel.exe";
};

} // namespace

TEST(ChromeRoad, HelpMenuAboutBoxHelpModeAndViewer) {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quorvel");
    ChildProcess creator(Creator());
    ASSERT_TRUE(creator.Started());
    const HWND wizard = WaitForWindow(creator.Id(), nullptr, Title, 30000);
    ASSERT_NE(wizard, nullptr);
    SetForegroundWindow(wizard);
    const HWND help = WaitChild(wizard, L"&Help  ");
    ASSERT_NE(help, nullptr);
    RECT client{}, window = ScreenRect(wizard);
    GetClientRect(wizard, &client);
    EXPECT_GT(window.bottom - window.top, client.bottom); // the standard frame

    // The menu opens under the button's left edge; "&About" shows the box
    // modal: the wizard waits until Esc closes it.
    const HWND menu = OpenHelpMenu(creator.Id(), help);
    ASSERT_NE(menu, nullptr);
    const RECT button = ScreenRect(help), opened = ScreenRect(menu);
    EXPECT_NEAR(opened.left, button.left, 2);
    EXPECT_NEAR(opened.top, button.bottom, 2);
    Pause();
    PressKeys({'A'});
    HWND about = WaitForWindow(creator.Id(), nullptr, "About Quorvel Screensaver Creator", 5000);
    ASSERT_NE(about, nullptr);
    EXPECT_NE(Child(about, L"OK"), nullptr);
    EXPECT_FALSE(IsWindowEnabled(wizard));
    Pause();
    SetForegroundWindow(about);
    // F1 on OK, which has the focus: its help in the tip window.
    keybd_event(VK_F1, 0, 0, 0);
    PumpFor(100);
    keybd_event(VK_F1, 0, KEYEVENTF_KEYUP, 0);
    EXPECT_NE(WaitTopLevel(creator.Id(), TipClass, 3000), nullptr);
    PressKeys({VK_ESCAPE});
    EXPECT_TRUE(WaitGone(about, 3000));
    EXPECT_TRUE(WaitEnabled(wizard, 3000));

    // Alt+F1 shows it modeless, once however often it is asked for; Enter
    // closes it. Shift+F1 opens nothing.
    SetForegroundWindow(wizard);
    PressKeys({VK_SHIFT, VK_F1});
    EXPECT_EQ(WaitForWindow(creator.Id(), nullptr, "About Quorvel Screensaver Creator", 1000),
              nullptr);
    SetForegroundWindow(wizard);
    PressKeys({VK_MENU, VK_F1});
    about = WaitForWindow(creator.Id(), nullptr, "About Quorvel Screensaver Creator", 5000);
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(IsWindowEnabled(wizard));
    SetForegroundWindow(wizard);
    PressKeys({VK_MENU, VK_F1});
    EXPECT_EQ(FindWindowExW(nullptr, about, nullptr, AboutTitle), nullptr); // no second box
    SetForegroundWindow(about);
    PressKeys({VK_RETURN});
    EXPECT_TRUE(WaitGone(about, 3000));

    // "What does this do...?" prompts; pointing at a control puts its help
    // in the prompt's place; a click ends the mode without clicking, and
    // the mouse reaches the buttons again.
    const HWND next = WaitChild(wizard, L"&Next >>");
    // A dialog of another program, whose check box has the id and page of
    // one the library explains: the mode shows no help for it.
    const UniqueWindow elsewhere(CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"#32770", L"",
                                                 WS_POPUP | WS_VISIBLE, 0, 0, 120, 40, nullptr,
                                                 nullptr, nullptr, nullptr));
    SetWindowLongPtrW(elsewhere.get(), GWLP_USERDATA, EffectStandard);
    CreateWindowExW(0, L"BUTTON", L"&Fade the logo", WS_CHILD | WS_VISIBLE | BS_CHECKBOX, 0, 0, 120,
                    40, elsewhere.get(), reinterpret_cast<HMENU>(IDC_FADE), nullptr, nullptr);
    SetCursorPos(20, 20);
    PostMessageW(help, BM_CLICK, 0, 0);
    ASSERT_NE(WaitTopLevel(creator.Id(), MenuClass, 5000), nullptr);
    PressKeys({'W'});
    HWND prompt = WaitTopLevel(creator.Id(), TipClass, 5000);
    ASSERT_NE(prompt, nullptr);
    Pause();
    SetCursorPos(60, 20);
    const char* fade = HelpText(EffectStandard, IDC_FADE);
    EXPECT_EQ(WaitForBalloon(creator.Id(), std::wstring(fade, fade + strlen(fade)), 1500), nullptr);
    const RECT onNext = ScreenRect(next);
    SetCursorPos(onNext.left + 5, onNext.top + 5);
    EXPECT_TRUE(WaitGone(prompt, 3000));
    Pause();
    MouseClick(next);
    EXPECT_EQ(Child(wizard, L"Scale &Image..."), nullptr); // still on the first page
    MouseClick(next);
    EXPECT_NE(WaitChild(wizard, L"Scale &Image...", 5000), nullptr); // on the logo page
    // Esc ends it too.
    SetCursorPos(20, 20);
    PostMessageW(help, BM_CLICK, 0, 0);
    ASSERT_NE(WaitTopLevel(creator.Id(), MenuClass, 5000), nullptr);
    PressKeys({'W'});
    prompt = WaitTopLevel(creator.Id(), TipClass, 5000);
    ASSERT_NE(prompt, nullptr);
    PressKeys({VK_ESCAPE});
    EXPECT_TRUE(WaitGone(prompt, 3000));

    // "Help on this screen" opens the viewer (its pages blank without an
    // HTML engine), titled with the help file's title.
    ASSERT_NE(OpenHelpMenu(creator.Id(), help), nullptr);
    PressKeys({VK_DOWN, VK_DOWN, VK_RETURN});
    const HWND viewer = WaitTopLevel(creator.Id(), L"HH Parent", 10000);
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(WindowText(viewer), L"Quorvel Screensaver Creator Help");
    Pause();
    PostMessageW(wizard, WM_CLOSE, 0, 0);
    EXPECT_EQ(creator.Wait(20000), 0u);
    EXPECT_FALSE(IsWindow(viewer)); // closed with the creator
}

TEST(ChromeRoad, GlassOnAWindows10PrefixAndNoGlassRestoringTheFrame) {
    RECT framed{}, glass{}, glassClient{};
    {
        ChildProcess creator(Creator("/NoGlass"));
        const HWND wizard = WaitForWindow(creator.Id(), nullptr, Title, 30000);
        ASSERT_NE(wizard, nullptr);
        framed = ScreenRect(wizard);
        PostMessageW(wizard, WM_CLOSE, 0, 0);
        EXPECT_EQ(creator.Wait(20000), 0u);
    }
    const WineVersionFor win10(L"win10");
    {
        ChildProcess creator(Creator());
        const HWND wizard = WaitForWindow(creator.Id(), nullptr, Title, 30000);
        ASSERT_NE(wizard, nullptr);
        PumpFor(500);
        Pause();
        glass = ScreenRect(wizard);
        GetClientRect(wizard, &glassClient);
        // The whole window is client area; its top and edges drag it.
        const int cap = GetSystemMetrics(SM_CYCAPTION), fx = GetSystemMetrics(SM_CXFRAME);
        DWORD_PTR hit = 0;
        SendMessageTimeoutW(wizard, WM_NCHITTEST, 0,
                            MAKELPARAM((glass.left + glass.right) / 2, glass.top + cap / 2),
                            SMTO_NORMAL, 5000, &hit);
        EXPECT_EQ(hit, static_cast<DWORD_PTR>(HTCAPTION));
        SendMessageTimeoutW(wizard, WM_NCHITTEST, 0,
                            MAKELPARAM(glass.left + fx / 2, (glass.top + glass.bottom) / 2),
                            SMTO_NORMAL, 5000, &hit);
        EXPECT_EQ(hit, static_cast<DWORD_PTR>(HTCAPTION));
        PostMessageW(wizard, WM_CLOSE, 0, 0);
        EXPECT_EQ(creator.Wait(20000), 0u);
    }
    EXPECT_EQ(glassClient.right, glass.right - glass.left);
    EXPECT_EQ(glassClient.bottom, glass.bottom - glass.top);
    EXPECT_EQ(glass.right - glass.left, framed.right - framed.left);
    EXPECT_EQ(glass.bottom - glass.top, framed.bottom - framed.top - 10);
    {
        // On the same prefix "noglass" keeps the standard frame.
        ChildProcess creator(Creator("noglass"));
        const HWND wizard = WaitForWindow(creator.Id(), nullptr, Title, 30000);
        ASSERT_NE(wizard, nullptr);
        const RECT again = ScreenRect(wizard);
        RECT client{};
        GetClientRect(wizard, &client);
        EXPECT_EQ(again.bottom - again.top, framed.bottom - framed.top);
        EXPECT_LT(client.bottom, again.bottom - again.top);
        PostMessageW(wizard, WM_CLOSE, 0, 0);
        EXPECT_EQ(creator.Wait(20000), 0u);
    }
}
