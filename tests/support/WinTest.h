// Helpers for Windows tests: files, child processes and their windows.
#pragma once

#include "common/Handles.h"

#include <cstdint>
#include <string>
#include <vector>

// Folder of the running test program, with a trailing backslash; the
// programs under test are built beside it.
std::string TestDir();

// A new empty folder under the temporary folder, removed with its files.
class TempFolder {
  public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();
    std::string Path(const std::string& name) const { return path_ + name; }

  private:
    std::string path_;
};

// How many files (not folders) match `pattern`, a path with wildcards.
int CountFiles(const std::string& pattern);
// The same in the temporary folder.
int CountTempFiles(const std::string& pattern);

std::vector<uint8_t> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// A started program; killed if still running when this goes.
class ChildProcess {
  public:
    explicit ChildProcess(const std::string& commandLine);
    explicit ChildProcess(const std::wstring& commandLine);
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();
    bool Started() const { return static_cast<bool>(process_); }
    DWORD Id() const { return id_; }
    // Exit code, or STILL_ACTIVE when it did not end within `ms`.
    DWORD Wait(DWORD ms);

  private:
    UniqueKernel process_;
    DWORD id_ = 0;
};

// The first visible top-level window of process `pid` with this class (null:
// any) and title (null: any), waited for up to `ms` milliseconds.
HWND WaitForWindow(DWORD pid, const char* className, const char* title, DWORD ms);

// The text of a message box (its static control).
std::string MessageBoxText(HWND box);

// A folder name the system code page cannot hold (Cyrillic, else Greek,
// else Japanese): tests of the 8-bit crossing must not pass merely because
// the code page holds their names.
std::wstring OutsideCodePage();
// Removes a folder with everything in it.
void RemoveTree(const std::wstring& folder);

// Pumps this thread's messages for `ms` milliseconds.
void PumpFor(DWORD ms);
