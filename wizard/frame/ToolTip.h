// ToolTipClass: one platform tooltip window and the tools of a form's
// controls, each with its own text, its ToolTipText or its help text.
#pragma once

#include "wizard/frame/Form.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

class ToolTipClass {
  public:
    ToolTipClass() = default;
    ToolTipClass(const ToolTipClass&) = delete;
    ToolTipClass& operator=(const ToolTipClass&) = delete;
    // The window ends with the object.
    ~ToolTipClass();

    HWND TipWnd() const { return tipWnd_.get(); }
    LRESULT SendMessage(UINT msg, WPARAM wp, LPARAM lp);
    // Makes the tooltip window (style | WS_POPUP | TTS_NOPREFIX, topmost,
    // owned by ParentWnd or frm's window) and a tool per windowed control of
    // frm, in table order.
    void Init(Form* frm, HWND ParentWnd, DWORD ToolTipStyle, DWORD ToolExtraFlags);
    // One tool for a control: TipText, else its ToolTipText (then cleared, so
    // only this window shows it), else its help text; none without a text or
    // a window. ptrRC: the tool's rectangle (nullptr: the client area, kept
    // up to date when the control is resized). uID 0: automatic.
    void AddControl(Control& ctl, const std::wstring& TipText, DWORD ExtraFlags, const RECT* ptrRC,
                    UINT_PTR uID);
    // A whole form as the tool's window; it keeps its own texts.
    void AddControl(Form& frm, const std::wstring& TipText, DWORD ExtraFlags, const RECT* ptrRC,
                    UINT_PTR uID);
    void Enable(bool fEnable);

  private:
    void AddTool(HWND window, const std::wstring& text, DWORD extraFlags, const RECT* ptrRC,
                 UINT_PTR uID);
    static LRESULT CALLBACK Follow(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR data);
    void Unfollow();
    UniqueWindow tipWnd_;
    std::vector<std::pair<HWND, UINT_PTR>> followed_; // tools whose rectangle follows the window
};
