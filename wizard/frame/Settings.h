// The creator's persistent settings: the recent list and two starting
// folders, under HKEY_CURRENT_USER\Software\Quorvel.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

constexpr int32_t MRUCapacity = 1000;

struct SettingsRecord {
    std::wstring ImageDir; // logo pictures are looked for here first
    std::wstring SaverDir; // screensavers are looked for and written here first
    std::vector<std::wstring> MRUName = std::vector<std::wstring>(MRUCapacity);
    std::vector<std::wstring> MRUFile = std::vector<std::wstring>(MRUCapacity);
    int32_t MRUCount = 0; // entries in use, most recent first
};

// The one program-wide record, loaded by Main and saved when the wizard goes.
extern SettingsRecord CreatorSettings;

// The key under HKEY_CURRENT_USER; a test may point it at a key of its own.
extern std::wstring CreatorSettingsKey;

// Save false loads the record, true saves it.
void DoSettings(bool Save);

// Moves one value between an open key and a variable; on load the
// variable's current value is the default.
void DoSetting(HKEY key, const std::wstring& name, std::wstring& value, bool Save);
void DoSetting(HKEY key, const std::wstring& name, int32_t& value, bool Save);
