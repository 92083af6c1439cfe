// Shared by the installer tests: sample options, the stand-in compiler put
// where a test wants it, and what the stand-in wrote.
#pragma once

#include "tests/support/WinTest.h"
#include "wizard/frame/Installer.h"
#include "wizard/frame/Errors.h"

#include <string>
#include <vector>

inline std::wstring Wide(const std::string& text) {
    std::wstring out(text.size(), L'\0');
    out.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(),
                            static_cast<int>(out.size()))));
    return out;
}

inline std::string Narrow(const std::wstring& text) {
    std::string out(text.size() * 2, '\0');
    out.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(),
                            static_cast<int>(out.size()), nullptr, nullptr)));
    return out;
}

inline bool FileExistsA(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline InstallerOptions SampleOptions() {
    InstallerOptions o;
    o.Name = L"Blue Fish";
    o.About = L"Fish Inc.";
    o.WebSite = L"http://fish.example/";
    o.SrcScr = L"C:\\Savers\\Blue Fish.scr";
    o.OutDir = L"C:\\Savers\\";
    o.OutFile = L"Blue Fish-setup";
    o.StartMenu = o.Uninstall = o.Active = true;
    return o;
}

// The sample options with the saver and the setup program in `out`, the
// saver there for the compiler to read.
inline InstallerOptions SampleOptionsIn(const TempFolder& out) {
    InstallerOptions o = SampleOptions();
    o.OutDir = Wide(out.Path(""));
    o.SrcScr = o.OutDir + L"Blue Fish.scr";
    WriteFileBytes(out.Path("Blue Fish.scr"), {'M', 'Z'});
    return o;
}

// Copies the stand-in ISCmplr.dll (and, when asked, a Default.isl) into a
// folder that then serves as the compiler's folder.
inline void InstallStandIn(const TempFolder& folder, bool withMessages) {
    WriteFileBytes(folder.Path("ISCmplr.dll"), ReadFileBytes(TestDir() + "standin\\ISCmplr.dll"));
    if (withMessages) {
        const std::string isl = "[LangOptions]\r\nLanguageName=English\r\n";
        WriteFileBytes(folder.Path("Default.isl"), std::vector<uint8_t>(isl.begin(), isl.end()));
    }
}

// A file the stand-in wrote: its lines, each having been followed by LF.
inline std::vector<std::string> ReceivedScript(const std::string& path) {
    std::vector<uint8_t> bytes = ReadFileBytes(path);
    std::vector<std::string> lines;
    std::string line;
    for (uint8_t b : bytes) {
        if (b == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += static_cast<char>(b);
        }
    }
    return lines;
}
