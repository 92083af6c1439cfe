#include "saver/ContextHelp.h"

#include "core/HelpText.h"
#include "common/Handles.h"

#include <htmlhelp.h>

// Loaded on first use and kept; a failed load is not retried.
HMODULE HtmlHelpModule() {
    static bool tried = false;
    static HMODULE module = nullptr;
    if (tried)
        return module;
    tried = true;
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT,
                      "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32", 0, KEY_READ,
                      &raw) == ERROR_SUCCESS) {
        UniqueKey key(raw);
        char path[MAX_PATH + 1] = {};
        DWORD size = MAX_PATH;
        if (RegQueryValueExA(key.get(), nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(path),
                             &size) == ERROR_SUCCESS) {
            char expanded[MAX_PATH + 1] = {};
            const DWORD n = ExpandEnvironmentStringsA(path, expanded, MAX_PATH);
            if (n > 0 && n <= MAX_PATH)
                module = LoadLibraryA(expanded);
        }
    }
    if (!module)
        module = LoadLibraryA("hhctrl.ocx"); // stays loaded for the process
    return module;
}

namespace {

using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

// Looked up on each use: help is asked for rarely, and a lookup is cheap.
HtmlHelpFn HtmlHelpFunction() {
    const HMODULE module = HtmlHelpModule();
    return module ? reinterpret_cast<HtmlHelpFn>(
                        reinterpret_cast<void*>(GetProcAddress(module, "HtmlHelpA")))
                  : nullptr;
}

void HtmlHelpPopup(HWND page, const char* text, POINT at) {
    HtmlHelpFn htmlHelp = HtmlHelpFunction();
    if (!htmlHelp)
        return;
    HH_POPUP popup{};
    popup.cbStruct = sizeof popup;
    popup.pszText = text;
    popup.pt = at;
    popup.clrForeground = static_cast<COLORREF>(-1);
    popup.clrBackground = static_cast<COLORREF>(-1);
    popup.rcMargins = {-1, -1, -1, -1};
    htmlHelp(page, nullptr, HH_DISPLAY_TEXT_POPUP, reinterpret_cast<DWORD_PTR>(&popup));
}

} // namespace

void (*ShowHelpPopup)(HWND, const char*, POINT) = HtmlHelpPopup;

void ShowContextHelp(HWND page, const HELPINFO* info, int32_t pageId) {
    if (!info || info->iContextType != HELPINFO_WINDOW)
        return;
    const char* text = HelpText(pageId, info->iCtrlId);
    if (!text)
        return;
    POINT at;
    RECT control{};
    if (GetKeyState(VK_F1) < 0 || GetKeyState(VK_LBUTTON) >= 0) {
        // Asked with F1 (or the keyboard): under the control.
        GetWindowRect(static_cast<HWND>(info->hItemHandle), &control);
        at.x = (control.left + control.right) / 2;
        at.y = control.bottom + 10;
    } else {
        // The help cursor was clicked on the control: under the cursor.
        GetCursorPos(&at);
        at.y += 20;
    }
    ShowHelpPopup(page, text, at);
}
