#include "tests/wizard/WizardFiles.h"

#include <windows.h>

std::vector<uint8_t> ResourceBytes(const wchar_t* name) {
    HRSRC found = FindResourceW(nullptr, name, MAKEINTRESOURCEW(800));
    if (!found)
        return {};
    const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, found)));
    return {bytes, bytes + SizeofResource(nullptr, found)};
}

std::wstring Wide(const std::string& s) {
    return std::wstring(s.begin(), s.end());
}

std::wstring ResourceFile(const TempFolder& dir, const wchar_t* resource, const std::string& name) {
    WriteFileBytes(dir.Path(name), ResourceBytes(resource));
    return Wide(dir.Path(name));
}

Bgra PatternPixel(int x, int y) {
    return {100, static_cast<uint8_t>(y * 8), static_cast<uint8_t>(x * 6),
            static_cast<uint8_t>(4 * (x + y) + 3)};
}
