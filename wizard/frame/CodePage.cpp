#include "wizard/frame/CodePage.h"

#include "core/CreatorError.h"

#include <windows.h>

std::optional<std::string> ToCodePage(const std::wstring& text) {
    if (text.empty())
        return std::string();
    const int size = static_cast<int>(text.size());
    // UTF-8 holds every character and takes neither the flag nor the answer.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL lost = FALSE;
    BOOL* asked = utf8 ? nullptr : &lost;
    const int n = WideCharToMultiByte(CP_ACP, flags, text.data(), size, nullptr, 0, nullptr, asked);
    if (n <= 0 || lost)
        return std::nullopt;
    std::string out(static_cast<std::size_t>(n), '\0');
    if (WideCharToMultiByte(CP_ACP, flags, text.data(), size, out.data(), n, nullptr, asked) != n ||
        lost)
        return std::nullopt;
    return out;
}

bool CodePageHolds(const std::wstring& text) {
    return ToCodePage(text).has_value();
}

std::wstring FromCodePage(const std::string& text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), size, out.data(), n);
    return out;
}

std::wstring FromCodePage(const char* text) {
    return text ? FromCodePage(std::string(text)) : std::wstring();
}

std::string CodePagePath(const std::wstring& path) {
    if (std::optional<std::string> held = ToCodePage(path))
        return *held;
    const DWORD n = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (n > 0) {
        std::wstring shortPath(n, L'\0');
        const DWORD got = GetShortPathNameW(path.c_str(), shortPath.data(), n);
        if (got > 0 && got < n) {
            shortPath.resize(got);
            if (std::optional<std::string> held = ToCodePage(shortPath))
                return *held;
        }
    }
    const bool folder = !path.empty() && (path.back() == L'\\' || path.back() == L'/');
    throw CreatorError(ERROR_NO_UNICODE_TRANSLATION,
                       std::wstring(folder ? L"The folder " : L"The file ") + path +
                           L" has a name that this system's code page cannot hold and no short "
                           L"name, so it cannot be handed on.");
}
