// The installer script as the compiler receives it: the template resource,
// every combination of the switches, and the calling sequence of the
// compiler library (through the stand-in ISCmplr.dll built beside the tests).
#include "tests/installer/InstallerTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::wstring TF(bool value) {
    return value ? L"true" : L"false";
}

// The script the builder must hand over for `o`, written out from the
// template's table: every line keeps its CR, a dropped conditional line is
// empty, and the text after the last LF is a last, empty line.
std::vector<std::wstring> ExpectedScript(const InstallerOptions& o, const std::wstring& scr,
                                         const std::wstring& appId) {
    const std::wstring& n = o.Name;
    const bool sm = o.StartMenu;
    std::vector<std::wstring> s = {
        L"[Setup]",
        L"AppName=" + n,
        L"AppVerName=" + n,
        L"AppPublisher=" + o.About,
        L"AppPublisherURL=" + o.WebSite,
        L"AppSupportURL=" + o.WebSite,
        L"AppUpdatesURL=" + o.WebSite,
        L"AppID=" + appId,
        L"OutputDir=" + o.OutDir,
        L"OutputBaseFilename=" + o.OutFile,
        L"Compression=lzma",
        L"SolidCompression=true",
        L"Uninstallable=" + TF(o.Uninstall),
        sm ? L"" : L"DisableProgramGroupPage=yes",
        sm ? L"DefaultGroupName=" + n : L"",
        L"AllowNoIcons=true",
        L"CreateAppDir=true",
        L"DefaultDirName=" + (o.SysDir ? std::wstring(L"{syswow64}\\") : L"{pf}\\" + n),
        L"DirExistsWarning=no",
        L"",
        L"[Languages]",
        L"Name: english; MessagesFile: compiler:Default.isl",
        L"",
        L"[Tasks]",
        L";$if " + TF(sm) +
            L" Name: startmenu; Description: Add a folder to the Start Menu; GroupDescription: "
            L"Create Shortcuts",
        L"Name: desktopicon; Description: {cm:CreateDesktopIcon}; GroupDescription: Create "
        L"Shortcuts; Flags: unchecked",
        L"Name: active; Description: Set as the active Screensaver; GroupDescription: Enable the "
        L"Screensaver; Flags: " +
            std::wstring(o.Active ? L"" : L"unchecked"),
        L"Name: login; Description: Set as the Screensaver for the login screen; "
        L"GroupDescription: Enable the Screensaver; Flags: " +
            std::wstring(o.Logon ? L"" : L"unchecked"),
        L"",
        L"[Files]",
        L"Source: \"" + o.SrcScr + L"\"; DestDir: {app}; Languages: ",
        L"",
        L"[Icons]",
        sm ? L"Name: \"{group}\\" + n + L"\"; Filename: \"{app}\\" + scr + L"\"; Parameters: /s"
           : L"",
        sm ? L"Name: \"{group}\\Configure " + n +
                 L"\"; Filename: rundll32.exe; Parameters: \"desk.cpl,InstallScreenSaver {app}\\" +
                 scr + L"\"; IconFilename: \"{app}\\" + scr + L"\""
           : L"",
        sm && o.Uninstall
            ? L"Name: \"{group}\\{cm:UninstallProgram," + n + L"}\"; Filename: {uninstallexe};"
            : L"",
        L"Name: \"{userdesktop}\\" + n + L"\"; Filename: \"{app}\\" + scr +
            L"\"; Tasks: desktopicon; Parameters: /s",
        L"",
        L"[Registry]",
        L"Root: HKCU; Subkey: Control Panel\\Desktop; ValueType: string; ValueName: "
        L"SCRNSAVE.EXE; ValueData: \"{app}\\" +
            scr + L"\"; Tasks: active",
        L"Root: HKU; Subkey: .DEFAULT\\Control Panel\\Desktop; ValueType: string; ValueName: "
        L"SCRNSAVE.EXE; ValueData: \"{app}\\" +
            scr + L"\"; Tasks: login",
        L"",
        L"[Run]",
        L"Filename: rundll32.exe; Parameters: \"desk.cpl,InstallScreenSaver {app}\\" + scr +
            L"\"; Description: Open the Screensaver Control Panel applet now; Flags: postinstall "
            L"unchecked skipifsilent nowait",
        L"",
        L"[CustomMessages]",
        L"NumberSign=#",
    };
    // Kept lines end in CR; dropped conditional lines lost theirs.
    const std::size_t conditional[] = {13, 14, 33, 34, 35};
    for (std::size_t i = 0; i < s.size(); ++i)
        if (!(s[i].empty() && std::find(std::begin(conditional), std::end(conditional), i) !=
                                  std::end(conditional)))
            s[i] += L"\r";
    s.push_back(L"");
    return s;
}

void ExpectSameLines(const std::vector<std::wstring>& actual,
                     const std::vector<std::wstring>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(actual[i], expected[i]) << "line " << i + 1;
}

} // namespace

TEST(InstallerTemplate, ResourceIsBritishEnglishWithCrLf) {
    HMODULE self = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceExW(self, MAKEINTRESOURCEW(800), L"INSTALLER",
                                  MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK));
    ASSERT_NE(found, nullptr);
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(self, found)));
    std::string text(bytes, SizeofResource(self, found));
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(0, 9), "[Setup]\r\n");
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            EXPECT_EQ(text[i - 1], '\r') << "LF without CR at " << i;
        }
        if (text[i] == '\r') {
            EXPECT_EQ(text[i + 1], '\n') << "CR without LF at " << i;
        }
        EXPECT_GT(static_cast<unsigned char>(text[i]), 0) << "NUL at " << i;
    }
}

TEST(InstallerTemplate, EveryCombinationOfSwitches) {
    for (unsigned mask = 0; mask < 32; ++mask) {
        InstallerOptions o = SampleOptions();
        o.StartMenu = mask & 1;
        o.Uninstall = mask & 2;
        o.SysDir = mask & 4;
        o.Active = mask & 8;
        o.Logon = mask & 16;
        o.WebLink = mask & 1; // never changes the script
        SCOPED_TRACE(testing::Message() << "switches " << mask);
        ExpectSameLines(InstallerScriptLines(o, L"1A2B3C"),
                        ExpectedScript(o, L"Blue Fish.scr", L"1A2B3C"));
    }
}

TEST(InstallerTemplate, SwitchesByTheEdgeCases) {
    InstallerOptions o = SampleOptions();
    o.StartMenu = false;
    auto lines = InstallerScriptLines(o, L"7");
    EXPECT_EQ(lines[13], L"DisableProgramGroupPage=yes\r");
    EXPECT_EQ(lines[14], L"");
    EXPECT_EQ(lines[33], L"");
    EXPECT_EQ(lines[34], L"");

    o.StartMenu = true;
    o.Uninstall = false;
    lines = InstallerScriptLines(o, L"7");
    EXPECT_EQ(lines[12], L"Uninstallable=false\r");
    EXPECT_EQ(lines[35], L"");
    EXPECT_EQ(lines[14], L"DefaultGroupName=Blue Fish\r");

    o.SysDir = true;
    EXPECT_EQ(InstallerScriptLines(o, L"7")[17], L"DefaultDirName={syswow64}\\\r");
    o.SysDir = false;
    EXPECT_EQ(InstallerScriptLines(o, L"7")[17], L"DefaultDirName={pf}\\Blue Fish\r");

    o.Active = true;
    o.Logon = false;
    lines = InstallerScriptLines(o, L"7");
    EXPECT_TRUE(lines[26].ends_with(L"; Flags: \r"));
    EXPECT_TRUE(lines[27].ends_with(L"; Flags: unchecked\r"));
}

TEST(InstallerCompile, StandInReceivesTheScript) {
    TempFolder compiler, out;
    InstallStandIn(compiler, true);
    InstallerOptions o = SampleOptionsIn(out);
    o.OutFile = L"Blue Fish-setup";
    o.Name = L"Caf\u00e9 Fish";
    std::vector<std::wstring> lines = InstallerScriptLines(o, L"ABC");

    std::vector<std::pair<unsigned long, unsigned long>> steps;
    CompileOutcome outcome = CompileInstallerScript(
        Wide(compiler.Path("")), o.OutDir, lines,
        [&](unsigned long max, unsigned long pos) { steps.emplace_back(max, pos); });
    EXPECT_EQ(outcome.Result, 0);
    EXPECT_EQ(outcome.Errors, L"");
    ASSERT_EQ(steps.size(), 11u);
    EXPECT_EQ(steps.front(), std::make_pair(100ul, 0ul));
    EXPECT_EQ(steps.back(), std::make_pair(100ul, 100ul));

    // Line by line, in the system code page.
    std::vector<std::string> received = ReceivedScript(out.Path("Blue Fish-setup.iss"));
    ASSERT_EQ(received.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(received[i], Narrow(lines[i])) << "line " << i + 1;
    EXPECT_EQ(received[1], "AppName=" + Narrow(L"Caf\u00e9 Fish") + "\r");

    // The record: its size, the compiler's folder, the output folder as the
    // source path, application data 0 and no options.
    std::vector<std::string> params = ReceivedScript(out.Path("Blue Fish-setup.params"));
    ASSERT_EQ(params.size(), 5u);
    EXPECT_EQ(params[0], std::to_string(sizeof(CompileScriptParams)));
    EXPECT_EQ(params[1], compiler.Path(""));
    EXPECT_EQ(params[2], out.Path(""));
    EXPECT_EQ(params[3], "0");
    EXPECT_EQ(params[4], "");
    EXPECT_TRUE(FileExistsA(out.Path("Blue Fish-setup.exe")));
}

TEST(InstallerCompile, ErrorsAreCollectedInOrder) {
    TempFolder compiler, out;
    InstallStandIn(compiler, false); // no Default.isl
    InstallerOptions o = SampleOptionsIn(out);
    o.About = L"#error Bad publisher";
    std::vector<std::wstring> lines = InstallerScriptLines(o, L"1");
    CompileOutcome outcome = CompileInstallerScript(Wide(compiler.Path("")), o.OutDir, lines, {});
    EXPECT_NE(outcome.Result, 0);
    // Two errors, one after the other without a separator; a missing file
    // name shows as nothing.
    EXPECT_EQ(outcome.Errors, L"Error: Bad publisher[:4]Error: Couldn't open the messages file[" +
                                  Wide(compiler.Path("Default.isl")) + L":22]");
    EXPECT_FALSE(FileExistsA(out.Path("Blue Fish-setup.exe")));
}

TEST(InstallerCompile, MissingCompilerIsRaised) {
    TempFolder empty;
    try {
        CompileInstallerScript(Wide(empty.Path("")), L"C:\\", {L"x"}, {});
        FAIL() << "no error raised";
    } catch (const CreatorError& e) {
        EXPECT_EQ(e.Number(), static_cast<int32_t>(ERROR_MOD_NOT_FOUND));
        EXPECT_NE(e.Description().find(L"ISCmplr.dll"), std::wstring::npos);
    }
    // A library without the entry point.
    TempFolder wrong;
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    ASSERT_TRUE(CopyFileW((std::wstring(system) + L"\\version.dll").c_str(),
                          Wide(wrong.Path("ISCmplr.dll")).c_str(), FALSE));
    try {
        CompileInstallerScript(Wide(wrong.Path("")), L"C:\\", {L"x"}, {});
        FAIL() << "no error raised";
    } catch (const CreatorError& e) {
        EXPECT_EQ(e.Number(), static_cast<int32_t>(ERROR_PROC_NOT_FOUND));
    }
}

TEST(InstallerCompile, OneBuildAtATime) {
    TempFolder compiler, out;
    InstallStandIn(compiler, true);
    bool refused = false;
    int nested = 0;
    CompileOutcome outcome = CompileInstallerScript(
        Wide(compiler.Path("")), Wide(out.Path("")),
        {L"OutputDir=" + Wide(out.Path("")) + L"\r", L"OutputBaseFilename=a\r"},
        [&](unsigned long, unsigned long) {
            if (nested++ > 0)
                return;
            try {
                CompileInstallerScript(Wide(compiler.Path("")), L"C:\\", {L"x"}, {});
            } catch (const CreatorError&) {
                refused = true;
            }
        });
    EXPECT_TRUE(refused);
    EXPECT_EQ(outcome.Result, 0);
    // The outer build still handed out its own lines.
    auto received = ReceivedScript(out.Path("a.iss"));
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[1], "OutputBaseFilename=a\r");
}
