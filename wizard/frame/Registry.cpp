#include "wizard/frame/Registry.h"

#include "core/CreatorMath.h"
#include "core/CreatorText.h"
#include "wizard/frame/Errors.h"

#include <vector>

std::string ToAnsi(const std::wstring& text) {
    if (text.empty())
        return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

std::wstring FromAnsi(const std::string& text) {
    if (text.empty())
        return {};
    const int n =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

namespace {

bool QueryType(HKEY key, const std::string& name, DWORD& type, DWORD& size) {
    return RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
}

} // namespace

std::wstring RegGetStr(HKEY key, const std::wstring& name, const std::wstring& def) {
    std::wstring result = def;
    RunSteps(L"modRegistry.RegGetStr", {[&] {
                 const std::string ansiName = ToAnsi(name);
                 DWORD type = 0, size = 0;
                 if (!QueryType(key, ansiName, type, size))
                     return;
                 if (type == REG_SZ) {
                     std::vector<char> buffer(size + 1, '\0');
                     DWORD got = size;
                     CheckStatus(RegQueryValueExA(key, ansiName.c_str(), nullptr, nullptr,
                                                  reinterpret_cast<BYTE*>(buffer.data()), &got));
                     // The text ends at its terminator; one stored without
                     // a terminator keeps all its characters.
                     if (got > 0)
                         result = FromAnsi(
                             std::string(buffer.data(), std::min<size_t>(got, size)).c_str());
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
                 const std::string ansiName = ToAnsi(name);
                 DWORD type = 0, size = 0;
                 if (!QueryType(key, ansiName, type, size))
                     return;
                 if (type == REG_SZ) {
                     result =
                         RoundHalfEven(LeadingNumber(RegGetStr(key, name, std::to_wstring(def))));
                 } else if (type == REG_DWORD) {
                     DWORD value = static_cast<DWORD>(def);
                     DWORD got = sizeof value;
                     if (RegQueryValueExA(key, ansiName.c_str(), nullptr, nullptr,
                                          reinterpret_cast<BYTE*>(&value), &got) == ERROR_SUCCESS)
                         result = static_cast<int32_t>(value);
                 }
             }});
    return result;
}

void RegSetStr(HKEY key, const std::wstring& name, const std::wstring& value) {
    RunSteps(L"modRegistry.RegSetStr", {[&] {
                 const std::string text = ToAnsi(value);
                 const DWORD size = text.empty() ? 0 : static_cast<DWORD>(text.size() + 1);
                 RegSetValueExA(key, ToAnsi(name).c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(text.c_str()), size);
             }});
}

void RegSetNum(HKEY key, const std::wstring& name, int32_t value) {
    RunSteps(L"modRegistry.RegSetNum", {[&] {
                 const DWORD data = static_cast<DWORD>(value);
                 RegSetValueExA(key, ToAnsi(name).c_str(), 0, REG_DWORD,
                                reinterpret_cast<const BYTE*>(&data), sizeof data);
             }});
}
