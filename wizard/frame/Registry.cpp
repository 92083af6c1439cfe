#include "wizard/frame/Registry.h"

#include "core/CreatorMath.h"
#include "core/CreatorText.h"
#include "wizard/frame/Errors.h"

#include <vector>

namespace {

bool QueryType(HKEY key, const std::wstring& name, DWORD& type, DWORD& size) {
    return RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
}

} // namespace

std::wstring RegGetStr(HKEY key, const std::wstring& name, const std::wstring& def) {
    std::wstring result = def;
    RunSteps(L"modRegistry.RegGetStr", {[&] {
                 DWORD type = 0, size = 0;
                 if (!QueryType(key, name, type, size))
                     return;
                 if (type == REG_SZ) {
                     std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
                     DWORD got = size;
                     CheckStatus(RegQueryValueExW(key, name.c_str(), nullptr, nullptr,
                                                  reinterpret_cast<BYTE*>(buffer.data()), &got));
                     // The text ends at its terminator; one stored without
                     // a terminator keeps all its characters.
                     const size_t chars = std::min<size_t>(got, size) / sizeof(wchar_t);
                     if (chars > 0)
                         result = std::wstring(buffer.data(), chars).c_str();
                 } else if (type == REG_DWORD) {
                     const int32_t fallback = RoundHalfEven(LeadingNumber(def));
                     result = std::to_wstring(RegGetNum(key, name, fallback));
                 }
             }});
    return result;
}

int32_t RegGetNum(HKEY key, const std::wstring& name, int32_t def) {
    int32_t result = def;
    RunSteps(L"modRegistry.RegGetNum", {[&] {
                 DWORD type = 0, size = 0;
                 if (!QueryType(key, name, type, size))
                     return;
                 if (type == REG_SZ) {
                     result =
                         RoundHalfEven(LeadingNumber(RegGetStr(key, name, std::to_wstring(def))));
                 } else if (type == REG_DWORD) {
                     DWORD value = static_cast<DWORD>(def);
                     DWORD got = sizeof value;
                     if (RegQueryValueExW(key, name.c_str(), nullptr, nullptr,
                                          reinterpret_cast<BYTE*>(&value), &got) == ERROR_SUCCESS)
                         result = static_cast<int32_t>(value);
                 }
             }});
    return result;
}

void RegSetStr(HKEY key, const std::wstring& name, const std::wstring& value) {
    RunSteps(L"modRegistry.RegSetStr", {[&] {
                 const DWORD size =
                     value.empty() ? 0 : static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
                 RegSetValueExW(key, name.c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(value.c_str()), size);
             }});
}

void RegSetNum(HKEY key, const std::wstring& name, int32_t value) {
    RunSteps(L"modRegistry.RegSetNum", {[&] {
                 const DWORD data = static_cast<DWORD>(value);
                 RegSetValueExW(key, name.c_str(), 0, REG_DWORD,
                                reinterpret_cast<const BYTE*>(&data), sizeof data);
             }});
}
