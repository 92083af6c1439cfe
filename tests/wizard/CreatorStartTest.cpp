// Quorvel.exe as a process: it starts, shows its window, allows a second
// copy, and saves its settings when the window closes.
#include "tests/support/WinTest.h"

#include <gtest/gtest.h>

TEST(CreatorStart, StartsTwiceAndSavesSettingsOnClose) {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quorvel"); // so the save below is seen
    std::string exe = "\"";
    exe += TestDir();
    exe += "Quorvel.exe\"";
    ChildProcess first(exe);
    ASSERT_TRUE(first.Started());
    const char* title = "Quorvel Screensaver Creator 4.5.15";
    const HWND one = WaitForWindow(first.Id(), nullptr, title, 30000);
    ASSERT_NE(one, nullptr);
    ChildProcess second(exe);
    const HWND two = WaitForWindow(second.Id(), nullptr, title, 30000);
    ASSERT_NE(two, nullptr); // the mutex does not keep a second copy out

    PostMessageW(two, WM_CLOSE, 0, 0);
    EXPECT_EQ(second.Wait(20000), 0u);
    PostMessageW(one, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.Wait(20000), 0u);

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Quorvel\\MRU", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    DWORD type = 0, size = 0;
    EXPECT_EQ(RegQueryValueExW(key, L"", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    RegCloseKey(key);
}
