#include "saver/SaverInfo.h"

#include "core/SaverTail.h"
#include "saver/FileIo.h"
#include "saver/SaverState.h"

#include <cctype>

namespace {

class FileSource final : public TailSource {
public:
    explicit FileSource(HANDLE file) : file_(file) {}
    uint64_t Size() override {
        LARGE_INTEGER size{};
        return GetFileSizeEx(file_, &size) ? static_cast<uint64_t>(size.QuadPart) : 0;
    }
    bool ReadAt(uint64_t offset, void* buffer, std::size_t count) override {
        return Seek(file_, offset) && ReadExactly(file_, buffer, count);
    }

private:
    HANDLE file_;
};

UniqueFile OpenForRead(const std::string& path) {
    return UniqueFile(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(text[i])) !=
            std::toupper(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

} // namespace

UniqueFile OpenSaverFile(const std::string& path) {
    UniqueFile file = OpenForRead(path);
    if (file)
        return file;

    using DisableFn = BOOL(WINAPI*)(PVOID*);
    using RevertFn = BOOL(WINAPI*)(PVOID);
    HMODULE kernel = GetModuleHandleA("kernel32");
    auto disable = reinterpret_cast<DisableFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "Wow64DisableWow64FsRedirection")));
    auto revert = reinterpret_cast<RevertFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "Wow64RevertWow64FsRedirection")));
    DWORD error = GetLastError();
    if (disable && revert) {
        PVOID old = nullptr;
        if (disable(&old)) {
            file = OpenForRead(path);
            error = GetLastError();
            revert(old);
            if (file)
                return file;
        }
    }
    if (error != ERROR_FILE_NOT_FOUND)
        return {};

    char buffer[MAX_PATH + 1];
    UINT n = GetSystemDirectoryA(buffer, MAX_PATH);
    if (n == 0 || n > MAX_PATH)
        return {};
    const std::string system(buffer, n);
    if (!StartsWithNoCase(path, system))
        return {};
    n = GetWindowsDirectoryA(buffer, MAX_PATH);
    if (n == 0 || n > MAX_PATH)
        return {};
    std::string redirected(buffer, n);
    if (!redirected.empty() && redirected.back() == '\\')
        redirected.pop_back();
    redirected += "\\sysnative\\";
    std::string rest = path.substr(system.size());
    if (!rest.empty() && rest.front() == '\\')
        rest.erase(0, 1);
    return OpenForRead(redirected + rest);
}

void LoadDefaultSettings() {
    CurrentSettings = &CurrentTrailer.Settings;
    ::LoadDefaultSettings(CurrentTrailer, GetTickCount());
}

ReadResult ReadSaverTrailer(const std::string& path) {
    UniqueFile file = OpenSaverFile(path);
    if (!file)
        return ReadCannotOpen;
    FileSource source(file.get());
    return ReadSaverTail(source, CurrentTrailer, LogoBlock, GetTickCount());
}

int LoadSaverInfo() {
    LoadDefaultSettings();

    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const ReadResult result = ReadSaverTrailer(path);
    if (result != ReadOk) {
        MessageBoxA(GetForegroundWindow(),
                    result == ReadCannotOpen ? "Unable to read saver information"
                                             : "This Screensaver is corrupt!",
                    "Screensaver", MB_ICONERROR);
        PostQuitMessage(1);
        return 1;
    }

    ApplyRegistrySettings();
    NormaliseSettings(*CurrentSettings);
    return 0;
}

void ApplyRegistrySettings() {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SaverRegistryKey(CurrentTrailer).c_str(), 0, KEY_READ,
                      &raw) == ERROR_SUCCESS) {
        UniqueKey key(raw);
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExA(key.get(), "Settings", nullptr, &type, nullptr, &size) ==
                ERROR_SUCCESS &&
            size == sizeof(SaverSettings) && type == REG_BINARY) {
            SaverSettings read{};
            if (RegQueryValueExA(key.get(), "Settings", nullptr, &type,
                                 reinterpret_cast<BYTE*>(&read), &size) == ERROR_SUCCESS &&
                size == sizeof(SaverSettings))
                *CurrentSettings = read;
        }
    }
}

void SaveRegistrySettings() {
    HKEY raw = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SaverRegistryKey(CurrentTrailer).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &raw,
                        nullptr) != ERROR_SUCCESS)
        return;
    UniqueKey key(raw);
    RegSetValueExA(key.get(), "Settings", 0, REG_BINARY,
                   reinterpret_cast<const BYTE*>(CurrentSettings), sizeof(SaverSettings));
}
