#include "wizard/frame/WebSite.h"

#include "wizard/frame/Errors.h"
#include "wizard/frame/Form.h"

#include <shellapi.h>

namespace {

void ShellOpen(HWND owner, const std::wstring& target) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(owner, L"Open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32)
        throw Win32Error(ShellExecuteError(result));
}

} // namespace

const wchar_t* const ProductSite = L"https://quorvel.example";

void (*OpenCreatorLink)(HWND, const std::wstring&) = ShellOpen;

DWORD ShellExecuteError(INT_PTR result) {
    switch (result) {
    case 0:
        return ERROR_NOT_ENOUGH_MEMORY;
    case SE_ERR_SHARE:
        return ERROR_SHARING_VIOLATION;
    case SE_ERR_ASSOCINCOMPLETE:
    case SE_ERR_NOASSOC:
        return ERROR_NO_ASSOCIATION;
    case SE_ERR_DDETIMEOUT:
    case SE_ERR_DDEFAIL:
    case SE_ERR_DDEBUSY:
        return ERROR_DDE_FAIL;
    case SE_ERR_DLLNOTFOUND:
        return ERROR_DLL_NOT_FOUND;
    default: // 2, 3, 5, 8 and 11 are the system's own codes
        return static_cast<DWORD>(result);
    }
}

void WebSite(const std::wstring& page) {
    const Form* active = ActiveForm();
    const HWND owner = active ? active->hWnd() : nullptr;
    RunSteps(L"modReg.WebSite",
             {[&] { OpenCreatorLink(owner, std::wstring(ProductSite) + L"/App/" + page); }});
}
