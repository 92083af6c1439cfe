// Windowless shapes, labels and images: their container paints them, hit-tests
// labels for Click, DblClick and the mouse pointer, and tells images of
// mouse moves; the form finds the labels' access keys.
#include "wizard/frame/Form.h"
#include "wizard/frame/ImageControl.h"

#include "common/Handles.h"
#include "core/AccessKey.h"

#include <windowsx.h>

void Form::PaintLabels(HDC dc, const Control* container) const {
    SetBkMode(dc, TRANSPARENT);
    // Shapes lie under everything drawn on their container.
    for (const auto& control : controls_)
        if (control->Kind == ControlKind::Shape && control->Container == container &&
            control->Visible()) {
            const RECT r = control->PixelRect();
            const UniqueBrush brush(CreateSolidBrush(BackColorOf(control.get())));
            FillRect(dc, &r, brush.get());
        }
    // Images first: a label stays readable over a picture.
    for (const auto& control : controls_)
        if (control->Kind == ControlKind::Image && control->Container == container &&
            control->Visible())
            control->Image().Paint(dc);
    for (const auto& control : controls_) {
        if (control->Kind != ControlKind::Label || control->Container != container ||
            !control->Visible())
            continue;
        RECT r = control->PixelRect();
        SelectGuard font(dc, control->FontHandle() ? static_cast<HGDIOBJ>(control->FontHandle())
                                                   : GetStockObject(DEFAULT_GUI_FONT));
        COLORREF colour = control->ForeColor;
        if (colour == CLR_INVALID)
            colour = ForeColor != CLR_INVALID ? ForeColor : GetSysColor(COLOR_BTNTEXT);
        if (!control->Enabled())
            colour = GetSysColor(COLOR_GRAYTEXT);
        SetTextColor(dc, colour);
        UINT format = DT_WORDBREAK | DT_EXPANDTABS;
        if (control->Flags() & CtlCenter)
            format |= DT_CENTER;
        else if (control->Flags() & CtlRight)
            format |= DT_RIGHT;
        const std::wstring text = control->Caption();
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
    }
}

Control* Form::LabelAt(const Control* container, POINT client) const {
    Control* found = nullptr;
    for (const auto& control : controls_)
        if (control->Kind == ControlKind::Label && control->Container == container &&
            control->Visible()) {
            const RECT r = control->PixelRect();
            if (PtInRect(&r, client))
                found = control.get();
        }
    return found;
}

bool Form::LabelMouse(HWND /*window*/, const Control* container, UINT message, LPARAM lParam) {
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    Control* label = LabelAt(container, at);
    if (label && !label->Enabled())
        label = nullptr;
    switch (message) {
    case WM_LBUTTONDOWN:
        pressedLabel_ = label;
        return label != nullptr;
    case WM_LBUTTONUP: {
        // A click is a press and a release on the same label.
        Control* pressed = pressedLabel_;
        pressedLabel_ = nullptr;
        if (!label || label != pressed)
            return false;
        Raise(*label, label->Click);
        return true;
    }
    case WM_LBUTTONDBLCLK:
        if (!label)
            return false;
        Raise(*label, label->DblClick);
        return true;
    default:
        return false;
    }
}

namespace {

bool TakesFocus(const Control& c) {
    switch (c.Kind) {
    case ControlKind::Label:
    case ControlKind::Timer:
    case ControlKind::Frame:
        return false;
    default:
        return c.hWnd() && c.Usable() && !(c.Flags() & CtlNoTabStop);
    }
}

} // namespace

bool Form::LabelAccessKey(const MSG& msg) {
    // Alt is down (bit 29) and Ctrl is not: Ctrl+Alt is AltGr on many keyboards.
    if (msg.message != WM_SYSKEYDOWN || !(msg.lParam & (1 << 29)) || GetKeyState(VK_CONTROL) < 0)
        return false;
    const auto typed = static_cast<wchar_t>(
        MapVirtualKeyW(static_cast<UINT>(msg.wParam), MAPVK_VK_TO_CHAR) & 0x7FFF);
    if (typed == 0)
        return false;
    for (const auto& label : controls_) {
        if (label->Kind != ControlKind::Label || !label->Usable() ||
            !MatchesAccessKey(AccessKeyOf(label->Caption()), typed))
            continue;
        // The next control in tab order after the label, from the first again
        // when none follows.
        Control* next = nullptr;
        Control* first = nullptr;
        for (const auto& c : controls_) {
            if (!TakesFocus(*c))
                continue;
            if (c->TabIndex > label->TabIndex && (!next || c->TabIndex < next->TabIndex))
                next = c.get();
            if (!first || c->TabIndex < first->TabIndex)
                first = c.get();
        }
        if (!next)
            next = first;
        if (next) {
            next->SetFocus();
            return true;
        }
    }
    return false;
}

bool Form::ImageMouse(const Control* container, WPARAM wParam, LPARAM lParam) {
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    Control* found = nullptr;
    for (const auto& control : controls_)
        if (control->Kind == ControlKind::Image && control->Container == container &&
            control->Visible() && control->Enabled()) {
            const RECT r = control->PixelRect();
            if (PtInRect(&r, at))
                found = control.get(); // the last painted is on top
        }
    if (!found)
        return false;
    if (found->MouseMove && !ending_) {
        const RECT r = found->PixelRect();
        const int buttons = ((wParam & MK_LBUTTON) ? 1 : 0) | ((wParam & MK_RBUTTON) ? 2 : 0) |
                            ((wParam & MK_MBUTTON) ? 4 : 0);
        const int shift = ((wParam & MK_SHIFT) ? 1 : 0) | ((wParam & MK_CONTROL) ? 2 : 0) |
                          (GetKeyState(VK_MENU) < 0 ? 4 : 0);
        const auto handler = found->MouseMove; // the handler may replace itself
        handler(buttons, shift, at.x - r.left, at.y - r.top);
    }
    return true;
}
