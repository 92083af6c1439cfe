// ToolTipText shown through a plain tooltip of the form, made on first need,
// until a ToolTipClass takes the text (it clears it, which removes the tool).
#include "wizard/frame/Form.h"

#include <commctrl.h>

void Form::UpdatePlainTool(Control& control) {
    const HWND window = control.hWnd();
    if (!window || !hwnd_)
        return; // labels stay windowless: no tool
    const std::wstring& text = control.ToolTipText();
    if (!plainTip_) {
        if (text.empty())
            return;
        plainTip_.reset(CreateWindowExW(0, TOOLTIPS_CLASSW, L"",
                                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0, hwnd_,
                                        nullptr, GetModuleHandleW(nullptr), nullptr));
        if (!plainTip_)
            return;
    }
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd_;
    tool.uId = reinterpret_cast<UINT_PTR>(window);
    SendMessageW(plainTip_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (text.empty())
        return;
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(plainTip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}
