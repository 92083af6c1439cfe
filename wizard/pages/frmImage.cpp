#include "wizard/pages/frmImage.h"

#include "common/Handles.h"
#include "core/ScaleImage.h"
#include "wizard/frame/Errors.h"
#include "wizard/frame/Helpers.h"
#include "wizard/frame/ImageControl.h"

namespace {

const ControlDecl ImageControls[] = {
    {.Name = L"lblText",
     .Kind = ControlKind::Label,
     .Left = 75,
     .Top = 45,
     .Width = 1500,
     .Height = 225,
     .Caption = L"Actual Size:"},
    {.Name = L"imgLogo",
     .Kind = ControlKind::Image,
     .Left = 75,
     .Top = 300,
     .Width = 480,
     .Height = 480,
     .Flags = CtlStretch},
    {.Name = L"tmrHide", .Kind = ControlKind::Timer, .Flags = CtlDisabled, .Interval = 500},
};

// Never activated and never on the taskbar: the window under it keeps the focus.
const FormDecl ImageForm = {.Name = L"frmImage",
                            .ScaleWidth = 1650,
                            .ScaleHeight = 855,
                            .Style = WS_POPUP | WS_CLIPCHILDREN,
                            .ExStyle = WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW};

} // namespace

frmImage::frmImage()
    : Form(ImageForm, ImageControls), imgLogo((*this)(L"imgLogo")), lblText((*this)(L"lblText")),
      tmrHide((*this)(L"tmrHide")) {
    tmrHide.Timer = [this] { tmrHide_Timer(); };
    // Labels and images have no window: a move over them reaches the form's.
    imgLogo.MouseMove = [this](int, int, int, int) { HidePopup(); };
    sc.GotMessage = [this](HWND& hWnd, UINT& message, WPARAM& wParam, LPARAM& lParam, bool& Proceed,
                           LRESULT& ReturnValue) {
        sc_GotMessage(hWnd, message, wParam, lParam, Proceed, ReturnValue);
    };
}

void frmImage::Form_Load() {
    RunSteps(L"frmImage.Form_Load", {[&] { ApplySystemFont(*this); },
                                     [&] {
                                         BackColor = SystemColourReference | COLOR_INFOBK;
                                         lblText.ForeColor = GetSysColor(COLOR_INFOTEXT);
                                     },
                                     [&] { sc.SubClass(hWnd()); }});
}

void frmImage::Form_Resize() {
    RunSteps(L"frmImage.Form_Resize", {[&] {
                 GetClientRect(hWnd(), &sha);
                 InvalidateRect(hWnd(), nullptr, TRUE);
             }});
}

void frmImage::SetImage(Control& img, double ImgScale) {
    if (Visible())
        return;
    const ImageControl& picture = img.Image();
    Present(img, picture.HasPicture() ? picture.Pixels().data() : nullptr, picture.PictureWidth(),
            picture.PictureHeight(), ImgScale);
}

void frmImage::SetImage(Control& box, const Surface& drawing, double ImgScale) {
    if (Visible())
        return;
    GdiFlush(); // the drawing's last strokes are in its bits
    Present(box, drawing.Bits(), drawing.Width(), drawing.Height(), ImgScale);
}

void frmImage::Present(Control& img, const uint8_t* bgra, int width, int height, double scale) {
    Load();
    GetCursorPos(&cursor_);
    Control& logo = imgLogo;
    ImageControl& picture = logo.Image();
    picture.SetStretch(false); // the picture's natural size first
    picture.SetPicture(bgra, width, height);
    picture.SetStretch(true);
    const RECT at = logo.PixelRect();
    const PopupPlace p = PopupLayout(cursor_.x, cursor_.y, picture.PictureWidth(),
                                     picture.PictureHeight(), scale, at.left, at.top);
    logo.Move(logo.Left(), logo.Top(), PixelsToTwipsX(p.ImageWidth), PixelsToTwipsY(p.ImageHeight));
    const HWND owner = img.Parent().hWnd();
    SetWindowLongPtrW(hWnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    SetWindowPos(hWnd(), HWND_TOP, p.Left, p.Top, p.Width, p.Height, SWP_NOACTIVATE);
    EnableWindow(hWnd(), TRUE);
    ShowWindow(hWnd(), SW_SHOWNOACTIVATE);
    UpdateWindow(hWnd());
    if (owner && GetActiveWindow() == hWnd())
        SetActiveWindow(owner);
    tmrHide.SetEnabled(true);
}

void frmImage::tmrHide_Timer() {
    Control& timer = tmrHide;
    if (!Visible()) {
        timer.SetEnabled(false);
        return;
    }
    POINT now{};
    GetCursorPos(&now);
    if (PopupShouldHide(cursor_.x, cursor_.y, now.x, now.y))
        HidePopup();
}

void frmImage::HidePopup() {
    tmrHide.SetEnabled(false);
    Hide();
}

void frmImage::sc_GotMessage(HWND& hWnd, UINT& message, WPARAM& wParam, LPARAM& lParam,
                             bool& Proceed, LRESULT& ReturnValue) {
    switch (message) {
    case WM_MOUSEMOVE:
        HidePopup();
        break;
    case WM_MOUSEACTIVATE:
        ReturnValue = MA_NOACTIVATE;
        Proceed = false;
        break;
    case WM_PAINT: {
        // The form paints the label and the picture; the border goes over them.
        ReturnValue = CallOldWndProc(hWnd, message, wParam, lParam);
        Proceed = false;
        if (const WindowDC dc(hWnd); dc)
            FrameRect(dc.get(), &sha, GetSysColorBrush(COLOR_INFOTEXT));
        break;
    }
    default:
        break;
    }
}

frmImage& ImagePopup() {
    static frmImage popup;
    return popup;
}
