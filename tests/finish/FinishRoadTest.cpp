// Quorvel.exe from a copy of the build's programs, driven as a user drives
// it to the last page with an installer: the installer is a recording
// program placed where the creator looks for it, so the test reads what it
// was started with.
#include "tests/support/CreatorDriver.h"
#include "tests/support/WinTest.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const char* Title = "Quorvel Screensaver Creator 4.5.15";

// Waits until `top` shows `count` command links; they come back top down.
std::vector<HWND> WaitLinks(HWND top, std::size_t count, DWORD ms = 30000) {
    const DWORD start = GetTickCount();
    for (;;) {
        std::vector<HWND> links = VisibleChildren(top, L"QuorvelCommandLink");
        if (links.size() == count || GetTickCount() - start > ms)
            return links;
        PumpFor(50);
    }
}

std::string WaitLog(const std::string& path, DWORD ms = 20000) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
            PumpFor(200); // written whole by then
            const std::vector<uint8_t> bytes = ReadFileBytes(path);
            return std::string(bytes.begin(), bytes.end());
        }
        if (GetTickCount() - start > ms)
            return "(none)";
        PumpFor(100);
    }
}

// From page 0 to the last page: Next to the Save page, the target and the
// installer box, Create.
void MakeSaver(HWND wizard, const std::string& target, bool tickInstaller) {
    const HWND next = WaitChild(wizard, L"&Next >>");
    ASSERT_NE(next, nullptr);
    for (int page = 0; page < 4; ++page)
        Click(next);
    const HWND create = WaitChild(wizard, L"Create");
    ASSERT_NE(create, nullptr);
    SendMessageA(Focused(wizard), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(target.c_str()));
    if (tickInstaller)
        Click(WaitChild(wizard, L"Create an Installer for the Screensaver"));
    Click(create);
}

void Copy(const std::string& from, const std::string& to) {
    ASSERT_TRUE(CopyFileA(from.c_str(), to.c_str(), FALSE)) << from << " -> " << to;
}

} // namespace

TEST(FinishRoad, LinksStartThePanelAndTheInstallerThenAgainAndExit) {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quorvel");
    TempFolder dir;
    Copy(TestDir() + "Quorvel.exe", dir.Path("Quorvel.exe"));
    Copy(TestDir() + "quorvel.dll", dir.Path("quorvel.dll"));
    ASSERT_TRUE(CreateDirectoryA(dir.Path("inno").c_str(), nullptr));
    Copy(TestDir() + "standin\\ISCmplr.dll", dir.Path("inno\\ISCmplr.dll"));
    WriteFileBytes(dir.Path("inno\\Default.isl"), {});

    ChildProcess creator("\"" + dir.Path("Quorvel.exe") + "\"");
    ASSERT_TRUE(creator.Started());
    const HWND wizard = WaitForWindow(creator.Id(), nullptr, Title, 30000);
    ASSERT_NE(wizard, nullptr);
    const std::string target = dir.Path("Made.scr");
    MakeSaver(wizard, target, true);
    std::vector<HWND> links = WaitLinks(wizard, 4);
    ASSERT_EQ(links.size(), 4u); // with "Test the installer" on top
    ASSERT_NE(GetFileAttributesA(target.c_str()), INVALID_FILE_ATTRIBUTES);

    // The installer the build left is replaced by a recorder.
    const std::string installer = dir.Path("Made-setup.exe");
    Copy(TestDir() + "CommandRecorder.exe", installer);
    ClickLink(links[0]);
    const std::string started = WaitLog(installer + ".log");
    EXPECT_NE(started.find("Made-setup.exe"), std::string::npos) << started;

    // "Install and Test" starts the system's rundll32: the finish pages
    // test its command line in process.

    // "Create another": the first page, its one link the saver's Browse.
    ClickLink(links[2]);
    EXPECT_EQ(WaitLinks(wizard, 1).size(), 1u);
    EXPECT_EQ(VisibleChildren(wizard, L"ComboBox").size(), 1u); // the recent list
    EXPECT_NE(WaitChild(wizard, L"&Next >>"), nullptr);

    // Round again without the installer; Exit ends the program normally.
    MakeSaver(wizard, dir.Path("Second.scr"), true); // clears the box
    links = WaitLinks(wizard, 3);
    ASSERT_EQ(links.size(), 3u);
    ClickLink(links[2]);
    EXPECT_EQ(creator.Wait(20000), 0u);
    EXPECT_NE(GetFileAttributesA(dir.Path("Second.scr").c_str()), INVALID_FILE_ATTRIBUTES);
}
