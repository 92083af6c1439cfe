#include "wizard/frame/Settings.h"

#include "core/CreatorText.h"
#include "common/Handles.h"
#include "wizard/frame/Errors.h"
#include "wizard/frame/Registry.h"

#include <shlobj.h>

#include <algorithm>

SettingsRecord CreatorSettings;
std::wstring CreatorSettingsKey = L"Software\\Quorvel";

void DoSetting(HKEY key, const std::wstring& name, std::wstring& value, bool Save) {
    RunSteps(L"modMain.DoSetting", {[&] {
                 if (Save)
                     RegSetStr(key, name, value);
                 else
                     value = RegGetStr(key, name, value);
             }});
}

void DoSetting(HKEY key, const std::wstring& name, int32_t& value, bool Save) {
    RunSteps(L"modMain.DoSetting", {[&] {
                 if (Save)
                     RegSetNum(key, name, value);
                 else
                     value = RegGetNum(key, name, value);
             }});
}

namespace {

// The first of the shell folders that exists, else ".".
std::wstring FirstFolder(std::initializer_list<int> csidls) {
    for (int csidl : csidls) {
        std::wstring path(1024, L'\0');
        if (SHGetSpecialFolderPathW(nullptr, path.data(), csidl, FALSE))
            return ChopNull(path);
    }
    return L".";
}

UniqueKey OpenKey(HKEY parent, const std::wstring& name, bool Save) {
    HKEY key = nullptr;
    const LONG status =
        Save ? RegCreateKeyExW(parent, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                               nullptr, &key, nullptr)
             : RegOpenKeyExW(parent, name.c_str(), 0, KEY_READ, &key);
    return UniqueKey(status == ERROR_SUCCESS ? key : nullptr);
}

void LoadSettings(Procedure& run) {
    SettingsRecord& s = CreatorSettings;
    UniqueKey key, mru;
    if (!run([&] { key = OpenKey(HKEY_CURRENT_USER, CreatorSettingsKey, false); }) || !key)
        return; // the first run: nothing stored yet
    run([&] { mru = OpenKey(key.get(), L"MRU", false); });
    if (mru) {
        run([&] { DoSetting(mru.get(), L"", s.MRUCount, false); });
        for (int32_t i = 0; i < s.MRUCount; ++i) {
            const std::wstring n = std::to_wstring(i);
            bool outside = false;
            const bool going = run([&] {
                if (i >= MRUCapacity) {
                    outside = true;
                    Raise(ErrSubscript);
                }
                DoSetting(mru.get(), n + L"Name", s.MRUName.at(static_cast<size_t>(i)), false);
                DoSetting(mru.get(), n + L"File", s.MRUFile.at(static_cast<size_t>(i)), false);
            });
            // A stored count beyond the list is reported once; the list keeps
            // what fits, so no later reader indexes past its end.
            if (outside || !going) {
                s.MRUCount = std::clamp(s.MRUCount, 0, MRUCapacity);
                if (!going)
                    return;
                break;
            }
        }
        s.MRUCount = std::clamp(s.MRUCount, 0, MRUCapacity);
    }
    run([&] {
        s.ImageDir = FirstFolder({CSIDL_MYPICTURES, CSIDL_PERSONAL, CSIDL_DESKTOPDIRECTORY,
                                  CSIDL_COMMON_DESKTOPDIRECTORY});
    });
    run([&] {
        if (!s.MRUFile[0].empty() && s.MRUCount > 0) {
            const size_t slash = s.MRUFile[0].rfind(L'\\');
            s.SaverDir =
                slash == std::wstring::npos ? std::wstring() : s.MRUFile[0].substr(0, slash + 1);
        }
    });
    run([&] {
        if (s.SaverDir.empty())
            s.SaverDir = FirstFolder(
                {CSIDL_DESKTOPDIRECTORY, CSIDL_PERSONAL, CSIDL_COMMON_DESKTOPDIRECTORY});
    });
}

void SaveSettings(Procedure& run) {
    SettingsRecord& s = CreatorSettings;
    UniqueKey key, mru;
    if (!run([&] { key = OpenKey(HKEY_CURRENT_USER, CreatorSettingsKey, true); }) || !key)
        return;
    run([&] { mru = OpenKey(key.get(), L"MRU", true); });
    if (mru) {
        run([&] { DoSetting(mru.get(), L"", s.MRUCount, true); });
        const int32_t count = std::clamp(s.MRUCount, 0, MRUCapacity);
        for (int32_t i = 0; i < count; ++i) {
            const std::wstring n = std::to_wstring(i);
            if (!run([&] {
                    DoSetting(mru.get(), n + L"Name", s.MRUName[static_cast<size_t>(i)], true);
                }) ||
                !run([&] {
                    DoSetting(mru.get(), n + L"File", s.MRUFile[static_cast<size_t>(i)], true);
                }))
                return;
        }
    }
    run([&] { DoSetting(key.get(), L"SaverDir", s.SaverDir, true); });
    run([&] { DoSetting(key.get(), L"ImageDir", s.ImageDir, true); });
}

} // namespace

void DoSettings(bool Save) {
    Procedure run(L"modMain.DoSettings");
    if (Save)
        SaveSettings(run);
    else
        LoadSettings(run);
}
