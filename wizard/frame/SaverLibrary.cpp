#include "wizard/frame/SaverLibrary.h"

#include "core/CreatorError.h"
#include "wizard/frame/CodePage.h"

#include <memory>
#include <vector>

namespace {

template <typename Fn> void Bind(SaverExports& api, Fn& fn, const char* name) {
    fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(api.module.get(), name)));
    if (!fn)
        api.missing += std::string(api.missing.empty() ? "" : " ") + name;
}

constexpr int32_t ErrDllLoad = 48;
constexpr int32_t ErrDllEntryPoint = 453;

std::wstring ProgramDir() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            std::wstring s(path.data(), n);
            return s.substr(0, s.find_last_of(L"\\/") + 1);
        }
        path.resize(path.size() * 2);
    }
}

} // namespace

SaverExports::SaverExports(const std::wstring& path) : module(LoadLibraryW(path.c_str())) {
    BindAll();
}

SaverExports::SaverExports(const std::string& path) : module(LoadLibraryA(path.c_str())) {
    BindAll();
}

void SaverExports::BindAll() {
    if (!module) {
        missing = "the library itself";
        return;
    }
    Bind(*this, SetName, "SetName");
    Bind(*this, SetLogo, "SetLogo");
    Bind(*this, SetColor, "SetColor");
    Bind(*this, GetColor, "GetColor");
    Bind(*this, SetSettings, "SetSettings");
    Bind(*this, GetSettings, "GetSettings");
    Bind(*this, SetDefaults, "SetDefaults");
    Bind(*this, GetVersion, "GetVersion");
    Bind(*this, WriteSettings, "WriteSettings");
    Bind(*this, ReadSaverInfo, "ReadSaverInfo");
    Bind(*this, SaveLogo, "SaveLogo");
    Bind(*this, LoadSettings, "LoadSettings");
    Bind(*this, GetSaverInfo, "GetSaverInfo");
    Bind(*this, GetSaverState, "GetSaverState");
    Bind(*this, SetSaverState, "SetSaverState");
    Bind(*this, ShowConfig, "ShowConfig");
    Bind(*this, ShowSettings, "_ShowSettings@8");
    Bind(*this, GetHelpStr, "GetHelpStr");
}

void RequireExports(const SaverExports& library, const std::wstring& path) {
    if (!library.module)
        throw CreatorError(ErrDllLoad, L"Error in loading DLL " + path);
    if (!library.missing.empty()) {
        const std::string& names = library.missing;
        throw CreatorError(ErrDllEntryPoint, L"Can't find DLL entry point " +
                                                 std::wstring(names.begin(), names.end()) +
                                                 L" in " + path);
    }
}

SaverExports& SaverLibrary() {
    static std::unique_ptr<SaverExports> library;
    if (!library || !library->Loaded()) {
        const std::wstring path = ProgramDir() + L"quorvel.dll";
        library = std::make_unique<SaverExports>(path);
        RequireExports(*library, path);
    }
    return *library;
}

std::string LibraryText(const std::wstring& text) {
    if (std::optional<std::string> held = ToCodePage(text))
        return *held;
    throw CreatorError(ERROR_NO_UNICODE_TRANSLATION,
                       L"The text \"" + text +
                           L"\" holds characters that this system's code page cannot hold.");
}

std::string LibraryPath(const std::wstring& path) {
    return CodePagePath(path);
}
