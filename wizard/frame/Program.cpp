#include "wizard/frame/Program.h"

#include "wizard/frame/Errors.h"

#include <windows.h>

int32_t CreatorVersion = 0;
int32_t OsLevel = 0;
std::wstring AppVersionText;
std::wstring AppTitle;
std::wstring HelpFile;

std::wstring ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            RaiseLastError();
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    const size_t slash = path.find_last_of(L"\\/");
    path.resize(slash == std::wstring::npos ? 0 : slash);
    if (path.size() == 2 && path[1] == L':') // a drive's root keeps its backslash
        path += L'\\';
    return path;
}
