#include "wizard/controls/frmColorDropdown.h"

#include "wizard/controls/ColorDrop.h"
#include "wizard/controls/ToolbarLook.h"
#include "wizard/frame/CommonDialog.h"
#include "wizard/frame/Errors.h"
#include "wizard/frame/Program.h"

#include <commctrl.h>
#include <windowsx.h>

#include <utility>

namespace {

const FormDecl DropdownForm = {.Name = L"frmColorDropdown",
                               .ScaleWidth = 2400,
                               .ScaleHeight = 2025,
                               .Style = WS_POPUP | WS_CLIPCHILDREN,
                               .ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE};

constexpr DWORD MoreColorsFlags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR; // 0x103

int TextHeight(HDC dc) {
    SIZE size{};
    GetTextExtentPoint32W(dc, L"|", 1, &size);
    return size.cy;
}

} // namespace

bool (*frmColorDropdown::ColorDialog)(DWORD, COLORREF&) = ShowColorDialog;

frmColorDropdown::frmColorDropdown() : Form(DropdownForm, {}), entries_(BuildPalette()) {
    BackColor = SystemColourReference | COLOR_MENU;
    sc.GotMessage = [this](HWND& hWnd, UINT& msg, WPARAM& wp, LPARAM& lp, bool& Proceed,
                           LRESULT& ReturnValue) {
        sc_GotMessage(hWnd, msg, wp, lp, Proceed, ReturnValue);
    };
}

frmColorDropdown::~frmColorDropdown() {
    sc.UnSubClass();
}

void frmColorDropdown::Form_Load() {
    // Its grid is pixels: the same width at every resolution; the height
    // grows with the text of "More colors...".
    SetWindowPos(hWnd(), nullptr, 0, 0, PaletteWidth, PaletteHeightAt(ScreenDpiY()),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (Drop && Drop->hWnd())
        SetWindowLongPtrW(hWnd(), GWLP_HWNDPARENT,
                          reinterpret_cast<LONG_PTR>(GetAncestor(Drop->hWnd(), GA_ROOT)));
    IgnoreErrors([&] { MakeShadow(); });
    IgnoreErrors([&] {
        tip_.Init(this, nullptr, TTS_ALWAYSTIP, 0);
        for (size_t i = 0; i < entries_.size(); ++i) {
            const PaletteEntry& e = entries_[i];
            const RECT r{e.X - 2, e.Y - 2, e.X + 17, e.Y + 17};
            tip_.AddControl(*this, e.Name, 0, &r, i + 1);
        }
        tip_.Enable(true);
    });
    sc.SubClass(hWnd());
}

void frmColorDropdown::Form_Unload(bool& /*Cancel*/) {
    sc.UnSubClass();
    shadow_.reset();
}

void frmColorDropdown::MakeShadow() {
    const std::wstring name = AppTitle + L"_shadow";
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DROPSHADOW;
    wc.lpfnWndProc = DefWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = name.c_str();
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        RaiseLastError();
    const HWND owner = GetWindow(hWnd(), GW_OWNER);
    shadow_.reset(CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, name.c_str(), L"", WS_POPUP,
                                  0, 0, 100, 100, owner, nullptr, GetModuleHandleW(nullptr),
                                  nullptr));
}

void frmColorDropdown::SetColor(COLORREF colour) {
    SelectedColor = FindColor(entries_, colour, true);
}

COLORREF frmColorDropdown::Color() const {
    const int index = MouseDown && HoverColor >= 0 ? HoverColor : SelectedColor;
    if (index < 0 || index >= static_cast<int>(entries_.size()))
        return 0;
    return entries_[static_cast<size_t>(index)].Colour;
}

int frmColorDropdown::ColorFromPoint(int x, int y) const {
    RECT client{0, 0, PaletteWidth, PaletteHeightAt(ScreenDpiY())};
    if (hWnd())
        GetClientRect(hWnd(), &client);
    return ::ColorFromPoint(entries_, x, y, client.right);
}

void frmColorDropdown::DrawColorCell(HDC dc, int index, int look) {
    if (index < 0 || index >= static_cast<int>(entries_.size()))
        return;
    const PaletteEntry& e = entries_[static_cast<size_t>(index)];
    if (look < 0)
        look = index == HoverColor ? (index == SelectedColor ? 3 : 1) : 0;
    RECT client{};
    GetClientRect(hWnd(), &client);
    // The picker's font sets the height of the "More colors..." button.
    HGDIOBJ pickerFont =
        Drop && Drop->hWnd()
            ? reinterpret_cast<HGDIOBJ>(SendMessageW(Drop->hWnd(), WM_GETFONT, 0, 0))
            : nullptr;
    SelectGuard font(dc, pickerFont ? pickerFont : GetStockObject(DEFAULT_GUI_FONT));
    const CellBox box = CellButton(e, client.right, TextHeight(dc));
    RECT button{box.Left, box.Top, box.Right, box.Bottom};
    FillRect(dc, &button, GetSysColorBrush(COLOR_MENU));
    DrawToolbarButton(hWnd(), dc, button, CellLookState(look));
    // Neighbouring buttons overlap by a pixel: the selected one stays whole.
    if (index != SelectedColor)
        DrawColorCell(dc, SelectedColor, 2);
    if (e.FullWidth) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_MENUTEXT));
        DrawTextW(dc, e.Name.c_str(), static_cast<int>(e.Name.size()), &button,
                  DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
    int sx = 0, sy = 0;
    SwatchPlace(e, box, sx, sy);
    const RECT outline{sx, sy, sx + 12, sy + 12};
    FrameRect(dc, &outline, GetSysColorBrush(COLOR_BTNSHADOW));
    const RECT fill{sx + 1, sy + 1, sx + 11, sy + 11};
    const UniqueBrush brush(CreateSolidBrush(e.Colour));
    FillRect(dc, &fill, brush.get());
}

void frmColorDropdown::DrawCellNow(int index, int look) {
    if (!hWnd())
        return;
    WindowDC dc(hWnd());
    DrawColorCell(dc.get(), index, look);
}

void frmColorDropdown::PaintAll(HDC dc) {
    RECT client{};
    GetClientRect(hWnd(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_MENU));
    for (int i = 0; i < static_cast<int>(entries_.size()); ++i)
        DrawColorCell(dc, i, MouseDown && i == HoverColor ? 4 : -1);
    FrameRect(dc, &client, GetSysColorBrush(COLOR_BTNSHADOW));
    if (!(MouseDown && HoverColor == SelectedColor))
        DrawColorCell(dc, SelectedColor, HoverColor == SelectedColor ? 3 : 2);
}

void frmColorDropdown::Display(bool JustRedraw) {
    SelectedColor = NormalSelection(entries_, SelectedColor);
    if (!JustRedraw)
        HoverColor = -1;
    if (!hWnd())
        return;
    WindowDC dc(hWnd());
    PaintAll(dc.get());
}

void frmColorDropdown::Press(int button, int x, int y) {
    if (button == 1)
        MouseDown = true;
    const int cell = ColorFromPoint(x, y);
    // A second button pressed while a cell is held changes nothing of what
    // comes back when the press ends on no choice: the owner's colour.
    if (!pressedCell_)
        beforePress_ = SelectedColor;
    pressedCell_ = pressedCell_ || cell >= 0;
    if (cell < 0)
        return;
    if (cell != SelectedColor) {
        const int old = SelectedColor;
        SelectedColor = cell;
        DrawCellNow(old, 0);
    }
    HoverColor = cell;
    DrawCellNow(cell, 4);
    if (Drop)
        Drop->ShowHeld();
}

void frmColorDropdown::MoveTo(int x, int y) {
    const int cell = ColorFromPoint(x, y);
    if (cell == HoverColor)
        return;
    const int old = HoverColor;
    HoverColor = cell;
    DrawCellNow(old, old == SelectedColor ? 2 : 0);
    if (MouseDown) {
        DrawCellNow(cell, 4);
        tip_.SendMessage(TTM_POPUP, 0, 0);
        if (Drop)
            Drop->ShowHeld();
    } else {
        DrawCellNow(cell, cell == SelectedColor ? 3 : 1);
    }
}

void frmColorDropdown::Release(int button, int x, int y) {
    if (button == 1)
        MouseDown = false;
    const bool pressedCell = std::exchange(pressedCell_, false);
    int cell = ColorFromPoint(x, y);
    if (cell >= 0) {
        bool chosen = true;
        if (cell == static_cast<int>(entries_.size()) - 1) {
            COLORREF colour = entries_.back().Colour;
            inDialog_ = true;
            ShowWindow(hWnd(), SW_HIDE); // the dialog comes above, with the mouse
            chosen = ColorDialog(MoreColorsFlags, colour);
            inDialog_ = false;
            if (chosen)
                cell = FindColor(entries_, colour, true);
        }
        if (chosen) {
            SelectedColor = cell;
            if (Changed)
                Changed(Color());
        } else {
            // Cancelled: what was selected before the press comes back.
            SelectedColor = beforePress_;
        }
        if (Drop)
            Drop->SetDown(false);
    } else if (pressedCell) {
        // Pressed on a cell, let go off the cells: nothing was chosen, so
        // the field shows again the colour its owner has.
        SelectedColor = beforePress_;
        HoverColor = -1;
        Display(true);
        if (Drop)
            Drop->ShowHeld();
    }
    // The mouse is let go after every click, so a click off the cells closes.
    if (hWnd() && GetCapture() == hWnd())
        ReleaseCapture();
}

void frmColorDropdown::DropHeld() {
    if (std::exchange(pressedCell_, false))
        SelectedColor = beforePress_;
    MouseDown = false;
    HoverColor = -1;
}

void frmColorDropdown::FollowShadow(const WINDOWPOS& pos) {
    if (!shadow_)
        return;
    if (pos.flags & SWP_HIDEWINDOW) {
        ShowWindow(shadow_.get(), SW_HIDE);
        return;
    }
    RECT r{};
    GetWindowRect(hWnd(), &r);
    SetWindowPos(shadow_.get(), HWND_NOTOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOACTIVATE | (pos.flags & SWP_SHOWWINDOW));
    Display(true);
}

void frmColorDropdown::sc_GotMessage(HWND& /*hWnd*/, UINT& msg, WPARAM& wp, LPARAM& lp,
                                     bool& Proceed, LRESULT& ReturnValue) {
    const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
    if ((msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK) || msg == WM_CAPTURECHANGED) {
        // The cells' tooltips watch the mouse too.
        ReturnValue = CallOldWndProc(hWnd(), msg, wp, lp);
        if (!hWnd())
            return;
    }
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(hWnd(), &ps);
        PaintAll(dc);
        EndPaint(hWnd(), &ps);
        break;
    }
    case WM_PRINTCLIENT:
        PaintAll(reinterpret_cast<HDC>(wp));
        break;
    case WM_ERASEBKGND:
        ReturnValue = 1;
        break;
    case WM_MOUSEACTIVATE:
        ReturnValue = MA_NOACTIVATE;
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        Press(1, x, y);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        Press(2, x, y);
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        Press(4, x, y);
        break;
    case WM_LBUTTONUP:
        Release(1, x, y);
        break;
    case WM_RBUTTONUP:
        Release(2, x, y);
        break;
    case WM_MBUTTONUP:
        Release(4, x, y);
        break;
    case WM_MOUSEMOVE:
        MoveTo(x, y);
        break;
    case WM_CAPTURECHANGED:
        if (!inDialog_ && Drop)
            Drop->SetDown(false);
        break;
    case WM_WINDOWPOSCHANGED:
        FollowShadow(*reinterpret_cast<const WINDOWPOS*>(lp));
        ReturnValue = CallOldWndProc(hWnd(), msg, wp, lp);
        break;
    case WM_SIZE:
        Display(true);
        ReturnValue = CallOldWndProc(hWnd(), msg, wp, lp);
        break;
    default:
        return;
    }
    Proceed = false;
}
