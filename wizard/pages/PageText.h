// Small text helpers of the wizard's pages.
#pragma once

#include "wizard/frame/CodePage.h"
#include "wizard/frame/SaverLibrary.h"

#include <windows.h>

#include <string>
#include <vector>

// Blanks removed at both ends (blanks only, as the pages compare them).
inline std::wstring TrimBlanks(const std::wstring& s) {
    const auto first = s.find_first_not_of(L' ');
    if (first == std::wstring::npos)
        return {};
    return s.substr(first, s.find_last_not_of(L' ') - first + 1);
}

// 8-bit text as a NUL-ended buffer the saver library may write into.
inline std::vector<char> NulEnded(const std::string& narrow) {
    return std::vector<char>(narrow.c_str(), narrow.c_str() + narrow.size() + 1);
}

// A text as a NUL-ended buffer the saver library may write into.
inline std::vector<char> LibraryBuffer(const std::wstring& text) {
    return NulEnded(LibraryText(text));
}
