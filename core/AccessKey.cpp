#include "core/AccessKey.h"

#include <cwctype>

wchar_t AccessKeyOf(const std::wstring& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&')
            continue;
        if (caption[i + 1] != L'&')
            return caption[i + 1];
        ++i; // a doubled "&" shows one and marks nothing
    }
    return 0;
}

bool MatchesAccessKey(wchar_t key, wchar_t typed) {
    if (key == 0 || typed == 0)
        return false;
    return std::towupper(static_cast<wint_t>(key)) == std::towupper(static_cast<wint_t>(typed));
}
