// Quorvel.exe under Wine: the balloon tooltip of Close, F1's help balloon,
// and closing with it up.
#include "tests/support/WinTest.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>

namespace {

// A visible balloon tooltip of process `pid` showing `text` (other than
// `except`), waited for.
HWND WaitForBalloon(DWORD pid, const std::wstring& text, DWORD ms, HWND except = nullptr) {
    const DWORD start = GetTickCount();
    do {
        for (HWND w = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); w;
             w = FindWindowExW(nullptr, w, TOOLTIPS_CLASSW, nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner != pid || w == except || !IsWindowVisible(w) ||
                !(GetWindowLongPtrW(w, GWL_STYLE) & TTS_BALLOON))
                continue;
            wchar_t shown[256] = {}; // read across processes
            SendMessageTimeoutW(w, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(shown),
                                SMTO_ABORTIFHUNG, 1000, nullptr);
            if (text == shown)
                return w;
        }
        PumpFor(50);
    } while (GetTickCount() - start < ms);
    return nullptr;
}

} // namespace

TEST(CreatorHelp, CloseShowsItsTooltipAndF1ItsHelpBalloon) {
    std::string exe = "\"" + TestDir() + "Quorvel.exe\"";
    ChildProcess creator(exe);
    ASSERT_TRUE(creator.Started());
    const HWND wizard =
        WaitForWindow(creator.Id(), nullptr, "Quorvel Screensaver Creator 4.5.15", 30000);
    ASSERT_NE(wizard, nullptr);
    // The wizard's Close button, inside its main area.
    const HWND main = FindWindowExW(wizard, nullptr, L"QuorvelPicture", nullptr);
    HWND exitButton = nullptr;
    for (HWND area = main; area && !exitButton;
         area = FindWindowExW(wizard, area, L"QuorvelPicture", nullptr))
        exitButton = FindWindowExW(area, nullptr, L"BUTTON", L"Close");
    ASSERT_NE(exitButton, nullptr);
    SetForegroundWindow(wizard);
    RECT r{};
    GetWindowRect(exitButton, &r);
    // The pointer comes from elsewhere, so the tooltip sees it arrive.
    SetCursorPos(r.left - 40, r.top - 60);
    PumpFor(200);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PumpFor(30);
    SetCursorPos((r.left + r.right) / 2 + 1, (r.top + r.bottom) / 2);
    const std::wstring help = L"Click here to close the application.";
    const DWORD start = GetTickCount();
    const HWND hover = WaitForBalloon(creator.Id(), help, 1000); // shown after half a second
    EXPECT_NE(hover, nullptr);
    EXPECT_GE(GetTickCount() - start, 400u); // not at once: the initial delay

    SetCursorPos(r.left - 40, r.top - 60); // off the button: only F1's balloon can show now
    PumpFor(300);
    // F1 explains the focused control: the focus goes to Close first.
    const DWORD wizardThread = GetWindowThreadProcessId(wizard, nullptr);
    AttachThreadInput(GetCurrentThreadId(), wizardThread, TRUE);
    SetFocus(exitButton);
    AttachThreadInput(GetCurrentThreadId(), wizardThread, FALSE);
    PumpFor(200);
    keybd_event(VK_F1, 0, 0, 0);
    PumpFor(100);
    keybd_event(VK_F1, 0, KEYEVENTF_KEYUP, 0);
    EXPECT_NE(WaitForBalloon(creator.Id(), help, 2000, hover), nullptr); // the help balloon

    PostMessageW(wizard, WM_CLOSE, 0, 0); // with the balloon up
    EXPECT_EQ(creator.Wait(20000), 0u);
}
