// The one binding to the saver library quorvel.dll: loaded from the
// creator's own folder on first use and kept loaded, every export bound by
// name (stdcall, SaveLogo cdecl). The tests of the library use it too.
#pragma once

#include "common/Handles.h"

#include <cstdint>
#include <string>

struct SaverExports {
    using SetNameFn = int32_t(WINAPI*)(char*, char*, char*);
    using SetLogoFn = int32_t(WINAPI*)(const char*, int32_t, int32_t, int32_t, int32_t);
    using SetColorFn = int32_t(WINAPI*)(int32_t, int32_t);
    using GetColorFn = int32_t(WINAPI*)(int32_t*, int32_t*);
    using SetSettingsFn = int32_t(WINAPI*)(const void*);
    using GetSettingsFn = int32_t(WINAPI*)(void*);
    using NoArgFn = int32_t(WINAPI*)();
    using GetVersionFn = int32_t(WINAPI*)(int32_t);
    using WriteSettingsFn = int32_t(WINAPI*)(const char*, const char*, int32_t, const char*,
                                             int32_t);
    using ReadSaverInfoFn = int32_t(WINAPI*)(const char*);
    using SaveLogoFn = int32_t(__cdecl*)(const char*);
    using GetSaverInfoFn = int32_t(WINAPI*)(uint32_t, char*, char*);
    using GetSaverStateFn = int32_t(WINAPI*)(int32_t);
    using SetSaverStateFn = int32_t(WINAPI*)(int32_t, int32_t);
    using ShowFn = int32_t(WINAPI*)(HWND, int32_t);
    using GetHelpStrFn = int32_t(WINAPI*)(int32_t, int32_t, char*);

    // Loads the library file and binds what it exports.
    explicit SaverExports(const std::wstring& path);
    explicit SaverExports(const std::string& path);
    bool Loaded() const { return static_cast<bool>(module) && missing.empty(); }

    UniqueModule module;
    std::string missing; // names that could not be bound

    SetNameFn SetName = nullptr;
    SetLogoFn SetLogo = nullptr;
    SetColorFn SetColor = nullptr;
    GetColorFn GetColor = nullptr;
    SetSettingsFn SetSettings = nullptr;
    GetSettingsFn GetSettings = nullptr;
    NoArgFn SetDefaults = nullptr;
    GetVersionFn GetVersion = nullptr;
    WriteSettingsFn WriteSettings = nullptr;
    ReadSaverInfoFn ReadSaverInfo = nullptr;
    SaveLogoFn SaveLogo = nullptr;
    NoArgFn LoadSettings = nullptr;
    GetSaverInfoFn GetSaverInfo = nullptr;
    GetSaverStateFn GetSaverState = nullptr;
    SetSaverStateFn SetSaverState = nullptr;
    ShowFn ShowConfig = nullptr;
    ShowFn ShowSettings = nullptr; // "_ShowSettings@8"
    GetHelpStrFn GetHelpStr = nullptr;

  private:
    void BindAll();
};

// The creator's library, quorvel.dll beside the program. Raises a
// CreatorError when it cannot be loaded (48) or lacks an export (453, with
// the export's name); the next call tries again.
SaverExports& SaverLibrary();

// Raises as SaverLibrary does when `library` (loaded from `path`) is not
// whole.
void RequireExports(const SaverExports& library, const std::wstring& path);

// A text for the library in the system code page. Raises a CreatorError
// when the code page cannot hold it (the pages refuse such text first).
std::string LibraryText(const std::wstring& text);
// A path for the library: CodePagePath (raises when it has no 8-bit form).
std::string LibraryPath(const std::wstring& path);
