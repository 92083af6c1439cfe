// Quorvel.exe under Wine: the balloon tooltip of Close, F1's help balloon,
// and closing with it up.
#include "tests/support/CreatorDriver.h"
#include "tests/support/WinTest.h"

#include <gtest/gtest.h>

#include <string>

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
