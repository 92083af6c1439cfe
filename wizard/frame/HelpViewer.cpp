#include "wizard/frame/HelpViewer.h"

#include "core/CreatorError.h"
#include "saver/ContextHelp.h"
#include "wizard/frame/Errors.h"
#include "wizard/frame/Helpers.h"
#include "wizard/frame/Program.h"

#include <htmlhelp.h>

namespace {

bool HelpViewerOpened = false; // ShowHelpTOC has called the viewer

HWND WINAPI LoadedHtmlHelp(HWND caller, const wchar_t* file, UINT command, DWORD_PTR data) {
    using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
    const HMODULE module = HtmlHelpModule();
    const auto function = module ? reinterpret_cast<HtmlHelpFn>(
                                       reinterpret_cast<void*>(GetProcAddress(module, "HtmlHelpW")))
                                 : nullptr;
    if (!function)
        throw CreatorError(53, L"File not found: hhctrl.ocx");
    return function(caller, file, command, data);
}

} // namespace

HWND(WINAPI* HtmlHelpViewer)(HWND, const wchar_t*, UINT, DWORD_PTR) = LoadedHtmlHelp;

void ShowHelpTOC(HWND hWnd, const std::wstring& topic) {
    Procedure run(L"modHelp.ShowHelpTOC");
    const std::wstring file = HelpFile + (topic.empty() ? L"" : L"::" + topic);
    bool present = false;
    if (!run([&] {
            present = FileExists(HelpFile);
            if (!present)
                throw CreatorError(53, L"File not found: " + HelpFile);
        }) ||
        !present)
        return;
    run([&] {
        HelpViewerOpened = true;
        HtmlHelpViewer(hWnd, file.c_str(), HH_DISPLAY_TOC, 0);
    });
}

void CloseHelpViewers() {
    if (!HelpViewerOpened)
        return;
    HelpViewerOpened = false;
    IgnoreErrors([] { HtmlHelpViewer(nullptr, nullptr, HH_CLOSE_ALL, 0); });
}
