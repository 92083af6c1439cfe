// Quorvel.exe from a copy of the build's programs, driven as a user drives
// it to the last page with an installer: the installer is a recording
// program placed where the creator looks for it, so the test reads what it
// was started with.
#include "tests/support/CreatorDriver.h"
#include "tests/support/SaverFiles.h"
#include "tests/support/WinTest.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <thread>
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
void MakeSaver(HWND wizard, const std::wstring& target, bool tickInstaller) {
    const HWND next = WaitChild(wizard, L"&Next >>");
    ASSERT_NE(next, nullptr);
    for (int page = 0; page < 4; ++page)
        Click(next);
    const HWND create = WaitChild(wizard, L"Create");
    ASSERT_NE(create, nullptr);
    SendMessageW(Focused(wizard), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(target.c_str()));
    if (tickInstaller)
        Click(WaitChild(wizard, L"Create an Installer for the Screensaver"));
    Click(create);
}

std::wstring Wide(const std::string& s) {
    return std::wstring(s.begin(), s.end());
}

void Copy(const std::string& from, const std::string& to) {
    ASSERT_TRUE(CopyFileA(from.c_str(), to.c_str(), FALSE)) << from << " -> " << to;
}

// The creator, its library and the stand-in compiler (with its messages
// file) in `folder` (ending in "\"), as a user installs them.
void PlaceCreator(const std::wstring& folder) {
    const auto copy = [&](const char* from, const wchar_t* to) {
        ASSERT_TRUE(CopyFileW(Wide(TestDir() + from).c_str(), (folder + to).c_str(), FALSE))
            << from;
    };
    copy("Quorvel.exe", L"Quorvel.exe");
    copy("quorvel.dll", L"quorvel.dll");
    ASSERT_TRUE(CreateDirectoryW((folder + L"inno").c_str(), nullptr));
    copy("standin\\ISCmplr.dll", L"inno\\ISCmplr.dll");
    const UniqueFile isl(CreateFileW((folder + L"inno\\Default.isl").c_str(), GENERIC_WRITE, 0,
                                     nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(isl);
}

// The message box of process `pid` with this title, answered with OK; its
// text ("(none)" when none showed).
std::string AnswerBox(DWORD pid, const char* title, DWORD ms = 30000) {
    const HWND box = WaitForWindow(pid, "#32770", title, ms);
    if (!box)
        return "(none)";
    const std::string text = MessageBoxText(box);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    PumpFor(300);
    return text;
}

// The lines the stand-in compiler received, each without its line end.
std::vector<std::string> ScriptLines(const std::string& path) {
    std::vector<std::string> lines(1);
    for (const uint8_t c : ReadFileBytes(path))
        if (c == '\n')
            lines.emplace_back();
        else if (c != '\r')
            lines.back() += static_cast<char>(c);
    lines.pop_back();
    return lines;
}

} // namespace

TEST(FinishRoad, LinksStartThePanelAndTheInstallerThenAgainAndExit) {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quorvel");
    TempFolder dir;
    PlaceCreator(Wide(dir.Path("")));

    ChildProcess creator("\"" + dir.Path("Quorvel.exe") + "\"");
    ASSERT_TRUE(creator.Started());
    const HWND wizard = WaitForWindow(creator.Id(), nullptr, Title, 30000);
    ASSERT_NE(wizard, nullptr);
    const std::string target = dir.Path("Made.scr");
    MakeSaver(wizard, Wide(target), true);
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

    // A build that fails offers no installer, though an older one is there.
    ASSERT_TRUE(DeleteFileA(dir.Path("inno\\Default.isl").c_str()));
    std::string box;
    std::thread answer([&] { box = AnswerBox(creator.Id(), "Quorvel Screensaver"); });
    MakeSaver(wizard, Wide(target), false); // the box still ticked
    answer.join();
    EXPECT_NE(box.find("problem creating the installer"), std::string::npos) << box;
    links = WaitLinks(wizard, 3);
    ASSERT_EQ(links.size(), 3u);
    ClickLink(links[1]); // "Create another"
    ASSERT_EQ(WaitLinks(wizard, 1).size(), 1u);

    // Round again without the installer; Exit ends the program normally.
    MakeSaver(wizard, Wide(dir.Path("Second.scr")), true); // clears the box
    links = WaitLinks(wizard, 3);
    ASSERT_EQ(links.size(), 3u);
    ClickLink(links[2]);
    EXPECT_EQ(creator.Wait(20000), 0u);
    EXPECT_NE(GetFileAttributesA(dir.Path("Second.scr").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(FinishRoad, ReopenedSaversHostileTextsReachTheInstallerAsTheyWereTyped) {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quorvel");
    TempFolder dir;
    PlaceCreator(Wide(dir.Path("")));
    // The compiler reads the saver's folder itself: its braces stay braces.
    ASSERT_TRUE(CreateDirectoryA(dir.Path("a;{b}").c_str(), nullptr));
    SaverTrailer record = DefaultTrailer();
    const std::string name = "..\\..\\Windows\\{#Exec(\"calc\")}";
    const std::string about = "Fish\r\n[Run]\r\nFilename: {cmd}; Parameters: /c calc\r\n$if maybe";
    std::snprintf(record.SaverName, sizeof record.SaverName, "%s", name.c_str());
    std::snprintf(record.AboutText, sizeof record.AboutText, "%s", about.c_str());
    std::snprintf(record.WebAddress, sizeof record.WebAddress, "%s", "http://x.example/;\"q\"");
    const std::string saver = MakeSaverFile(
        dir, "Hostile.scr", record, MakeBitmap32(4, 4, [](int, int) { return 0xFF2050A0u; }));

    ChildProcess creator("\"" + dir.Path("Quorvel.exe") + "\"");
    ASSERT_TRUE(creator.Started());
    const HWND wizard = WaitForWindow(creator.Id(), nullptr, Title, 30000);
    ASSERT_NE(wizard, nullptr);
    const std::vector<HWND> combos = VisibleChildren(wizard, L"ComboBox");
    ASSERT_EQ(combos.size(), 1u);
    SetWindowTextA(combos[0], saver.c_str()); // typed into the recent list
    SendMessageW(GetParent(combos[0]), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(combos[0]), CBN_EDITCHANGE),
                 reinterpret_cast<LPARAM>(combos[0]));
    const std::string target = dir.Path("a;{b}\\Made.scr");
    MakeSaver(wizard, Wide(target), true);
    ASSERT_EQ(WaitLinks(wizard, 4).size(), 4u); // the installer was built

    const std::vector<std::string> script = ScriptLines(dir.Path("a;{b}\\Made-setup.iss"));
    // The template's sections, each with its own entries only.
    std::vector<std::string> sections;
    std::size_t runEntries = 0;
    for (const std::string& line : script) {
        if (!line.empty() && line[0] == '[')
            sections.push_back(line);
        else if (!line.empty() && sections.back() == "[Run]")
            ++runEntries;
        EXPECT_NE(line.rfind("$if", 0), 0u) << line;
    }
    EXPECT_EQ(sections,
              (std::vector<std::string>{"[Setup]", "[Languages]", "[Tasks]", "[Files]", "[Icons]",
                                        "[Registry]", "[Run]", "[CustomMessages]"}));
    EXPECT_EQ(runEntries, 1u);
    // Every value as typed, as the script reads a literal.
    const auto has = [&](const std::string& line) {
        return std::find(script.begin(), script.end(), line) != script.end();
    };
    EXPECT_TRUE(has("AppName=..\\..\\Windows\\{{{cm:NumberSign}Exec(\"calc\")}"));
    EXPECT_TRUE(has("AppPublisher=Fish  [Run]  Filename: {{cmd}; Parameters: /c calc  $if maybe"));
    EXPECT_TRUE(has("AppSupportURL=\"http://x.example/;\"q\"\"")); // its quotes are kept
    EXPECT_TRUE(has("DefaultDirName={pf}\\.._.._Windows_{{{cm:NumberSign}Exec(_calc_)}"));
    EXPECT_TRUE(has("Source: \"" + target + "\"; DestDir: {app}; Languages: "));
    EXPECT_TRUE(has("Name: \"{userdesktop}\\.._.._Windows_{{{cm:NumberSign}Exec(_calc_)}\"; "
                    "Filename: "
                    "\"{app}\\Made.scr\"; Tasks: desktopicon; Parameters: /s"));
    PostMessageW(wizard, WM_CLOSE, 0, 0);
    EXPECT_EQ(creator.Wait(20000), 0u);
    RemoveTree(Wide(dir.Path("a;{b}")));
    RemoveTree(Wide(dir.Path("inno")));
}

TEST(FinishRoad, FoldersOutsideTheCodePageGoToTheCompilerByTheirShortNames) {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quorvel");
    TempFolder dir;
    const std::wstring home = Wide(dir.Path("")) + OutsideCodePage() + L"\\";
    const std::wstring out = home + OutsideCodePage() + L"2\\";
    ASSERT_TRUE(CreateDirectoryW(home.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(out.c_str(), nullptr));
    PlaceCreator(home);

    ChildProcess creator(L"\"" + home + L"Quorvel.exe\"");
    ASSERT_TRUE(creator.Started());
    const HWND wizard = WaitForWindow(creator.Id(), nullptr, Title, 30000);
    ASSERT_NE(wizard, nullptr);
    MakeSaver(wizard, out + L"Made.scr", true);
    EXPECT_EQ(WaitLinks(wizard, 4).size(), 4u) << AnswerBox(creator.Id(), nullptr, 100);
    EXPECT_NE(GetFileAttributesW((out + L"Made-setup.exe").c_str()), INVALID_FILE_ATTRIBUTES);
    PostMessageW(wizard, WM_CLOSE, 0, 0);
    EXPECT_EQ(creator.Wait(20000), 0u);
    RemoveTree(home.substr(0, home.size() - 1));
}
