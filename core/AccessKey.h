// Access keys of captions: "&Look for icons" is reached with Alt+L.
#pragma once

#include <string>

// The character after the caption's single "&" ("&&" is a plain "&"), or 0
// when it marks none.
wchar_t AccessKeyOf(const std::wstring& caption);

// Alt with `typed` reaches a caption marked with `key` (letters in either case).
bool MatchesAccessKey(wchar_t key, wchar_t typed);
