// quorvel.dll as the creator sees it: loaded by file name, every export
// bound by name with its calling convention (stdcall, SaveLogo cdecl).
#pragma once

#include "common/Handles.h"

#include <cstdint>
#include <string>

struct LibraryApi {
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

    // Loads the library from `path` (by default quorvel.dll beside the test).
    explicit LibraryApi(const std::string& path = "quorvel.dll");
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
};

// The one library instance of a test program.
LibraryApi& Library();
