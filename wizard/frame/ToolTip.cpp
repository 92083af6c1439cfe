#include "wizard/frame/ToolTip.h"

#include "core/ControlHelp.h"

#include <commctrl.h>

#ifndef _WIN64
static_assert(sizeof(TTTOOLINFOW) == 48, "the full tool record of the 32-bit build");
#endif

namespace {
constexpr UINT_PTR FollowLink = 0x515454; // our link in a tool window's subclass chain
}

ToolTipClass::~ToolTipClass() {
    Unfollow();
}

LRESULT ToolTipClass::SendMessage(UINT msg, WPARAM wp, LPARAM lp) {
    return ::SendMessageW(tipWnd_.get(), msg, wp, lp);
}

void ToolTipClass::Init(Form* frm, HWND ParentWnd, DWORD ToolTipStyle, DWORD ToolExtraFlags) {
    Unfollow();
    tipWnd_.reset();
    if (!ParentWnd && frm)
        ParentWnd = frm->hWnd();
    tipWnd_.reset(CreateWindowExW(0, TOOLTIPS_CLASSW, L"", ToolTipStyle | WS_POPUP | TTS_NOPREFIX,
                                  0, 0, 0, 0, ParentWnd, nullptr, GetModuleHandleW(nullptr),
                                  nullptr));
    SetWindowPos(tipWnd_.get(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (frm)
        for (const auto& control : frm->Controls())
            AddControl(*control, L"", ToolExtraFlags, nullptr, 0);
}

void ToolTipClass::AddControl(Control& ctl, const std::wstring& TipText, DWORD ExtraFlags,
                              const RECT* ptrRC, UINT_PTR uID) {
    const DrawnControl* drawn = ctl.Object();
    if (TipText.empty() && drawn && drawn->RegistersOwnTool())
        return;
    if (!ctl.hWnd())
        return;
    std::wstring text = TipText;
    if (text.empty())
        text = ctl.ToolTipText();
    if (text.empty()) {
        const auto help = HelpTextOfTag(ctl.Tag);
        if (!help)
            return;
        text = *help;
    }
    ctl.SetToolTipText(L""); // only this window shows it now
    AddTool(ctl.hWnd(), text, ExtraFlags, ptrRC, uID);
}

void ToolTipClass::AddControl(Form& frm, const std::wstring& TipText, DWORD ExtraFlags,
                              const RECT* ptrRC, UINT_PTR uID) {
    if (!frm.hWnd())
        return;
    std::wstring text = TipText;
    if (text.empty()) {
        const auto help = HelpTextOfTag(frm.Tag);
        if (!help)
            return;
        text = *help;
    }
    AddTool(frm.hWnd(), text, ExtraFlags, ptrRC, uID);
}

void ToolTipClass::AddTool(HWND window, const std::wstring& text, DWORD extraFlags,
                           const RECT* ptrRC, UINT_PTR uID) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = extraFlags | TTF_SUBCLASS | TTF_TRANSPARENT;
    tool.hwnd = window;
    if (uID)
        tool.uId = uID;
    else if (tool.uFlags & (0xFFFF8000u | TTF_IDISHWND)) // such a tool is known by its window
        tool.uId = reinterpret_cast<UINT_PTR>(window);
    else
        tool.uId = static_cast<UINT_PTR>(GetDlgCtrlID(window));
    if (ptrRC)
        tool.rect = *ptrRC;
    else
        GetClientRect(window, &tool.rect);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    ::SendMessageW(tipWnd_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    // A tool over the client area follows the control's size.
    if (!ptrRC && !(tool.uFlags & TTF_IDISHWND) &&
        SetWindowSubclass(window, Follow, FollowLink, reinterpret_cast<DWORD_PTR>(this)))
        followed_.emplace_back(window, tool.uId);
}

LRESULT CALLBACK ToolTipClass::Follow(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR /*id*/, DWORD_PTR data) {
    auto* self = reinterpret_cast<ToolTipClass*>(data);
    if (message == WM_SIZE && self->tipWnd_)
        for (const auto& [hooked, toolId] : self->followed_)
            if (hooked == window) {
                TTTOOLINFOW tool{};
                tool.cbSize = sizeof tool;
                tool.hwnd = window;
                tool.uId = toolId;
                GetClientRect(window, &tool.rect);
                ::SendMessageW(self->tipWnd_.get(), TTM_NEWTOOLRECTW, 0,
                               reinterpret_cast<LPARAM>(&tool));
            }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, Follow, FollowLink);
        std::erase_if(self->followed_, [window](const auto& f) { return f.first == window; });
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

void ToolTipClass::Unfollow() {
    for (const auto& [window, toolId] : followed_)
        if (IsWindow(window))
            RemoveWindowSubclass(window, Follow, FollowLink);
    followed_.clear();
}

void ToolTipClass::Enable(bool fEnable) {
    ::SendMessageW(tipWnd_.get(), TTM_ACTIVATE, fEnable ? static_cast<WPARAM>(-1) : 0, 0);
}
