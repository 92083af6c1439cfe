#include "tests/pickers/PickerForm.h"

#include "common/Handles.h"
#include "wizard/frame/MessagePump.h"

#include <cstdlib>

namespace {

const ControlDecl PickerControls[] = {
    {.Name = L"cmdTest",
     .Kind = ControlKind::Custom,
     .Left = 120,
     .Top = 120,
     .Width = 4200,
     .Height = 900,
     .ToolTipText = L"Install and Test|Make your screensaver active",
     .TabIndex = 0,
     .Factory = MakeDrawn<CommandLink>},
    {.Name = L"cmdExit",
     .Kind = ControlKind::Custom,
     .Left = 120,
     .Top = 1140,
     .Width = 4200,
     .Height = 900,
     .ToolTipText = L"Exit|",
     .TabIndex = 1,
     .Factory = MakeDrawn<CommandLink>},
    {.Name = L"cmdBrowse",
     .Kind = ControlKind::Custom,
     .Left = 4500,
     .Top = 120,
     .Width = 360,
     .Height = 360,
     .ToolTipText = L"!OPEN",
     .TabIndex = 2,
     .Factory = MakeDrawn<CommandLink>},
    {.Name = L"cmdPlain",
     .Kind = ControlKind::Custom,
     .Left = 4500,
     .Top = 600,
     .Width = 360,
     .Height = 360,
     .ToolTipText = L"Plain",
     .TabIndex = 3,
     .Factory = MakeDrawn<CommandLink>},
    {.Name = L"clrBackground",
     .Kind = ControlKind::Custom,
     .Left = 120,
     .Top = 2200,
     .Width = 2400,
     .Height = 315,
     .TabIndex = 4,
     .Factory = MakeDrawn<ColorDrop>},
    {.Name = L"cmdOK",
     .Kind = ControlKind::CommandButton,
     .Left = 3000,
     .Top = 2200,
     .Width = 900,
     .Height = 345,
     .Caption = L"OK",
     .TabIndex = 5,
     .Flags = CtlDefault},
    {.Name = L"cmdCancel",
     .Kind = ControlKind::CommandButton,
     .Left = 4000,
     .Top = 2200,
     .Width = 900,
     .Height = 345,
     .Caption = L"Cancel",
     .TabIndex = 6,
     .Flags = CtlCancel},
};
const FormDecl PickerFormDecl = {.Name = L"frmPickers",
                                 .Caption = L"Pickers",
                                 .ScaleWidth = 5100,
                                 .ScaleHeight = 2800,
                                 .Style = WS_POPUP | WS_CLIPCHILDREN | WS_BORDER};

} // namespace

frmPickers::frmPickers()
    : Form(PickerFormDecl, PickerControls), cmdTest((*this)(L"cmdTest").As<CommandLink>()),
      cmdExit((*this)(L"cmdExit").As<CommandLink>()),
      cmdBrowse((*this)(L"cmdBrowse").As<CommandLink>()),
      cmdPlain((*this)(L"cmdPlain").As<CommandLink>()),
      clrBackground((*this)(L"clrBackground").As<ColorDrop>()) {
    (*this)(L"cmdOK").Click = [this] { ++OkClicks; };
    (*this)(L"cmdCancel").Click = [this] { ++CancelClicks; };
}

Printed::Printed(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    width_ = r.right;
    height_ = r.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    UniqueBitmap dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueDC dc(CreateCompatibleDC(nullptr));
    {
        SelectGuard sel(dc.get(), dib.get());
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
        GdiFlush();
    }
    const auto* p = static_cast<const uint32_t*>(bits);
    for (int i = 0; i < width_ * height_; ++i) {
        const uint32_t v = p[i]; // 0x00RRGGBB in memory order B, G, R
        pixels_.push_back(RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF));
    }
}

COLORREF Printed::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return CLR_INVALID;
    return pixels_[static_cast<size_t>(y * width_ + x)];
}

bool Near(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

POINT ScreenPoint(HWND window, int x, int y) {
    POINT p{x, y};
    ClientToScreen(window, &p);
    return p;
}

void ClickAt(POINT screen, HWND foreground) {
    // The mouse goes to a captured window only while its thread is in front;
    // other test programs on the display may have come forward meanwhile.
    if (foreground && GetForegroundWindow() != foreground)
        SetForegroundWindow(foreground);
    // Nor may another program's window lie over the point.
    const auto ours = [&] {
        DWORD pid = 0;
        GetWindowThreadProcessId(WindowFromPoint(screen), &pid);
        return pid == GetCurrentProcessId();
    };
    PumpUntil(ours, 5000);
    SetCursorPos(screen.x, screen.y);
    PumpEvents(30);
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &in[0], sizeof(INPUT));
    PumpEvents(80);
    SendInput(1, &in[1], sizeof(INPUT));
    PumpEvents(150);
}
