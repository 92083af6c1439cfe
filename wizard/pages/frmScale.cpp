#include "wizard/pages/frmScale.h"

#include "core/ScaleImage.h"
#include "wizard/frame/Errors.h"
#include "wizard/frame/Helpers.h"
#include "wizard/frame/ImageControl.h"
#include "wizard/pages/frmImage.h"
#include "wizard/pages/frmWizard.h"

#include <commctrl.h>

namespace {

// Posted when the activation went to another window of the creator.
constexpr UINT TakeActivationBack = WM_APP + 19;

constexpr const wchar_t* ScreenTip =
    L"This shows how the image will look, compared to the whole screen.";

const ControlDecl ScaleControls[] = {
    {.Name = L"scrScale",
     .Kind = ControlKind::Custom,
     .Left = 120,
     .Top = 120,
     .Width = 5010,
     .Height = 510,
     .TabIndex = 0,
     .Factory = MakeDrawn<SliderControl>},
    {.Name = L"fraSize",
     .Kind = ControlKind::Frame,
     .Left = 120,
     .Top = 720,
     .Width = 2520,
     .Height = 1215,
     .Caption = L"Image Size",
     .TabIndex = 1,
     .Flags = CtlNoTabStop},
    {.Name = L"Label1",
     .Kind = ControlKind::Label,
     .Container = L"fraSize",
     .Left = 120,
     .Top = 300,
     .Width = 1200,
     .Height = 225,
     .Caption = L"Scale:"},
    {.Name = L"lblScale",
     .Kind = ControlKind::Label,
     .Container = L"fraSize",
     .Left = 1335,
     .Top = 300,
     .Width = 1125,
     .Height = 225,
     .Caption = L"100%"},
    {.Name = L"Label2",
     .Kind = ControlKind::Label,
     .Container = L"fraSize",
     .Left = 120,
     .Top = 585,
     .Width = 1200,
     .Height = 225,
     .Caption = L"Original Size:"},
    {.Name = L"lblOrig",
     .Kind = ControlKind::Label,
     .Container = L"fraSize",
     .Left = 1335,
     .Top = 585,
     .Width = 1125,
     .Height = 225,
     .Caption = L"100 x 100"},
    {.Name = L"Label3",
     .Kind = ControlKind::Label,
     .Container = L"fraSize",
     .Left = 120,
     .Top = 870,
     .Width = 1200,
     .Height = 225,
     .Caption = L"New Size:"},
    {.Name = L"lblNew",
     .Kind = ControlKind::Label,
     .Container = L"fraSize",
     .Left = 1335,
     .Top = 870,
     .Width = 1125,
     .Height = 225,
     .Caption = L"50 x 50"},
    {.Name = L"picBack",
     .Kind = ControlKind::PictureBox,
     .Left = 2760,
     .Top = 720,
     .Width = 2370,
     .Height = 2070,
     .ToolTipText = ScreenTip,
     .TabIndex = 2,
     .Flags = CtlNoTabStop},
    // The monitor picture is 150 x 130 pixels with its screen at (11, 10)-(139, 100).
    {.Name = L"picMonitor",
     .Kind = ControlKind::PictureBox,
     .Container = L"picBack",
     .Left = 60,
     .Top = 60,
     .Width = 2250,
     .Height = 1950,
     .TabIndex = 3,
     .Flags = CtlNoTabStop},
    {.Name = L"picScreen",
     .Kind = ControlKind::PictureBox,
     .Container = L"picMonitor",
     .Left = 165,
     .Top = 150,
     .Width = 1920,
     .Height = 1350,
     .TabIndex = 4,
     .Flags = CtlNoTabStop},
    {.Name = L"imgLogo",
     .Kind = ControlKind::Image,
     .Container = L"picScreen",
     .Width = 375,
     .Height = 375,
     .Flags = CtlStretch},
    {.Name = L"cmdOK",
     .Kind = ControlKind::CommandButton,
     .Left = 120,
     .Top = 2415,
     .Width = 1140,
     .Height = 375,
     .Caption = L"OK",
     .TabIndex = 5,
     .Flags = CtlDefault},
    {.Name = L"cmdCancel",
     .Kind = ControlKind::CommandButton,
     .Left = 1500,
     .Top = 2415,
     .Width = 1140,
     .Height = 375,
     .Caption = L"Cancel",
     .TabIndex = 6,
     .Flags = CtlCancel},
};

const FormDecl ScaleForm = {.Name = L"frmScale",
                            .Caption = L"Scale Image",
                            .ScaleWidth = 5250,
                            .ScaleHeight = 2910,
                            .Style = FixedDialogStyle,
                            .ExStyle = FixedDialogExStyle};

} // namespace

frmScale::frmScale()
    : Form(ScaleForm, ScaleControls), scrScale((*this)(L"scrScale").As<SliderControl>()),
      cmdCancel((*this)(L"cmdCancel")), cmdOK((*this)(L"cmdOK")), imgLogo((*this)(L"imgLogo")),
      lblNew((*this)(L"lblNew")), lblOrig((*this)(L"lblOrig")), lblScale((*this)(L"lblScale")),
      picBack((*this)(L"picBack")), picMonitor((*this)(L"picMonitor")),
      picScreen((*this)(L"picScreen")) {
    scrScale.Changed = [this](bool Scroll) { scrScale_Changed(Scroll); };
    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
    imgLogo.MouseMove = [this](int, int, int, int) { imgLogo_MouseMove(); };
    sc.GotMessage = [this](HWND& hWnd, UINT& message, WPARAM& wParam, LPARAM& lParam, bool& Proceed,
                           LRESULT& ReturnValue) {
        sc_GotMessage(hWnd, message, wParam, lParam, Proceed, ReturnValue);
    };
    scMonitor.GotMessage = PaintAfter([this](HDC dc) { PaintMonitor(dc); });
}

frmWizard& frmScale::Owner() const {
    return Caller ? *Caller : Wizard();
}

void frmScale::Form_Load() {
    frmWizard& wizard = Owner();
    LastTip = 0;
    Snapping = false;
    RunSteps(L"frmScale.Form_Load",
             {[&] {
                  const Surface& logo = wizard.picBMPDrawing;
                  GdiFlush();
                  imgLogo.Image().SetPicture(logo.Bits(), logo.Width(), logo.Height());
                  LogoWidth = logo.Width();
                  LogoHeight = logo.Height();
              },
              [&] { ApplySystemFont(*this); },
              [&] {
                  picScreen.BackColor = static_cast<COLORREF>(wizard.BackgroundColor);
                  const std::wstring tip = picBack.ToolTipText();
                  picScreen.SetToolTipText(tip);
                  picMonitor.SetToolTipText(tip);
              },
              [&] {
                  RECT inner{};
                  GetClientRect(picScreen.hWnd(), &inner);
                  Factor = MiniatureFactor(inner.right, GetSystemMetrics(SM_CXSCREEN));
              },
              [&] {
                  imgLogo.Move(0, 0, PixelsToTwipsX(MiniatureSide(LogoWidth, 1.0, Factor)),
                               PixelsToTwipsY(MiniatureSide(LogoHeight, 1.0, Factor)));
              },
              [&] {
                  sc.SubClass(hWnd());
                  scMonitor.SubClass(picMonitor.hWnd());
                  const WindowDC screen(nullptr);
                  monitor_.Adopt(screen.get(), static_cast<HBITMAP>(LoadImageW(
                                                   GetModuleHandleW(nullptr), L"MONITOR",
                                                   IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
              },
              [&] {
                  ImageScale = wizard.ImageScale;
                  scrScale.SetValue(ScalePosition(ImageScale));
              }});
}

void frmScale::scrScale_Changed(bool Scroll) {
    RunSteps(L"frmScale.scrScale_Changed", {[&] {
                 const int32_t v = scrScale.Value();
                 // Only a drag sticks at 100: a key from 100 must be able to leave it.
                 if ((Scroll || scrScale.Tracking()) && SnapsToHundred(v)) {
                     Snapping = Scroll;
                     scrScale.SetValue(100); // its own run shows everything for 100
                     Snapping = false;
                     return;
                 }
                 lblScale.SetCaption(PercentText(v));
                 if (Scroll || Snapping) {
                     if (v != LastTip) {
                         const HWND bar = scrScale.hWndCtl();
                         RECT thumb{}, at{};
                         SendMessageW(bar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
                         GetWindowRect(bar, &at);
                         OffsetRect(&thumb, at.left, at.top);
                         const ScreenPoint p =
                             ScaleTipPoint(thumb.left, thumb.top, thumb.right, thumb.bottom);
                         Tip.ShowTip(hWnd(), scrScale.Extender()->hWnd(), PercentText(v), false,
                                     false, p.X, p.Y);
                         LastTip = v;
                     }
                 } else if (LastTip != 0) {
                     LastTip = 0;
                     DestroyTip(0);
                 }
                 ImageScale = v / 100.0;
                 lblNew.SetCaption(SizeText(ImageScale * LogoWidth, ImageScale * LogoHeight));
                 lblOrig.SetCaption(SizeText(LogoWidth, LogoHeight));
                 Control& logo = imgLogo;
                 logo.Move(logo.Left(), logo.Top(),
                           PixelsToTwipsX(MiniatureSide(LogoWidth, ImageScale, Factor)),
                           PixelsToTwipsY(MiniatureSide(LogoHeight, ImageScale, Factor)));
             }});
}

void frmScale::imgLogo_MouseMove() {
    RunSteps(L"frmScale.imgLogo_MouseMove", {[&] { ImagePopup().SetImage(imgLogo, ImageScale); }});
}

void frmScale::cmdOK_Click() {
    RunSteps(L"frmScale.cmdOK_Click",
             {[&] { Owner().ImageScale = ImageScale; },
              [&] { Owner().UpdateImage(-1, L"", true, false, false); }, [&] { Unload(); }});
}

void frmScale::cmdCancel_Click() {
    RunSteps(L"frmScale.cmdCancel_Click", {[&] { Unload(); }});
}

void frmScale::Form_Unload(bool& /*Cancel*/) {
    frmWizard& wizard = Owner();
    RunSteps(L"frmScale.Form_Unload",
             {[&] { imgLogo.Image().ClearPicture(); },
              [&] {
                  if (LastTip != 0) {
                      LastTip = 0;
                      DestroyTip(0);
                  }
              },
              [&] {
                  frmImage& popup = ImagePopup();
                  if (popup.Loaded() && GetWindow(popup.hWnd(), GW_OWNER) == hWnd())
                      popup.Unload();
              },
              [&] { monitor_.reset(); },
              // Enabled before this window goes, so the activation returns to the wizard.
              [&] { EnableWindow(wizard.hWnd(), TRUE); }, [&] { SetActiveWindow(wizard.hWnd()); }});
}

void frmScale::PaintMonitor(HDC dc) {
    if (!monitor_)
        return;
    BITMAP info{};
    GetObjectW(monitor_.Bitmap(), sizeof info, &info);
    RECT box{};
    GetClientRect(picMonitor.hWnd(), &box);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    SetStretchBltMode(dc, HALFTONE);
    AlphaBlend(dc, 0, 0, box.right, box.bottom, monitor_.Dc(), 0, 0, info.bmWidth, info.bmHeight,
               blend);
}

void frmScale::sc_GotMessage(HWND& hWnd, UINT& message, WPARAM& wParam, LPARAM& lParam,
                             bool& /*Proceed*/, LRESULT& /*ReturnValue*/) {
    if (hWnd != this->hWnd())
        return;
    if (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE) {
        // Only the creator's own windows give the activation back: another
        // program may take it while the dialog is open.
        const HWND to = reinterpret_cast<HWND>(lParam);
        const frmImage& popup = ImagePopup();
        if (to &&
            (to == Owner().hWnd() || to == TipWindow() || (popup.Loaded() && to == popup.hWnd())))
            PostMessageW(hWnd, TakeActivationBack, 0, 0);
    } else if (message == TakeActivationBack) {
        if (IsWindowVisible(hWnd))
            SetActiveWindow(hWnd);
    }
}

frmScale& ScaleDialog() {
    static frmScale dialog;
    return dialog;
}
