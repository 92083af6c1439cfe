// modRegistry: typed values of an open key, through the wide-character
// functions, so paths with any characters come back as they were stored.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// A REG_SZ as text, a REG_DWORD as its decimal text; the default otherwise.
std::wstring RegGetStr(HKEY key, const std::wstring& name, const std::wstring& def);
// A REG_DWORD, or a REG_SZ by its leading number rounded half to even; the
// default otherwise.
int32_t RegGetNum(HKEY key, const std::wstring& name, int32_t def);
// REG_SZ with its terminating NUL; an empty text is stored as 0 bytes.
void RegSetStr(HKEY key, const std::wstring& name, const std::wstring& value);
void RegSetNum(HKEY key, const std::wstring& name, int32_t value);
