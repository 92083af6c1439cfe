#include "wizard/pages/frmAbout.h"

#include "common/Handles.h"
#include "core/CreatorText.h"
#include "core/CreditScroll.h"
#include "wizard/controls/LinkControl.h"
#include "wizard/frame/Aero.h"
#include "wizard/frame/Composition.h"
#include "wizard/frame/Errors.h"
#include "wizard/frame/Help.h"
#include "wizard/frame/Helpers.h"
#include "wizard/frame/Program.h"
#include "wizard/frame/WebSite.h"

#include <cmath>

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr int LogoSize = 46;

// Rows of picCredit, in twips from its top: the two separator lines.
constexpr double FirstLine = 480, SecondLine = 2175;

const ControlDecl AboutControls[] = {
    {.Name = L"imgIcon",
     .Kind = ControlKind::Label,
     .Left = 240,
     .Top = 240,
     .Width = 690,
     .Height = 690},
    {.Name = L"lblAppVer",
     .Kind = ControlKind::Label,
     .Left = 1080,
     .Top = 255,
     .Width = 2160,
     .Height = 420,
     .Caption = L"<App>\\nVersion <Version>",
     .Flags = CtlBold},
    {.Name = L"lblCopy",
     .Kind = ControlKind::Label,
     .Left = 1080,
     .Top = 780,
     .Width = 4080,
     .Height = 420,
     .Caption = L"Copyright \u00A9 2026 the Quorvel project\\n"
                L"Written by the Quorvel developers"},
    {.Name = L"lnkSite",
     .Kind = ControlKind::Custom,
     .Left = 1080,
     .Top = 1260,
     .Width = 2400,
     .Height = 255,
     .Caption = ProductSite,
     .Factory = MakeDrawn<LinkControl>},
    {.Name = L"picBack",
     .Kind = ControlKind::PictureBox,
     .Left = 240,
     .Top = 1680,
     .Width = 4920,
     .Height = 2040,
     .Flags = CtlBorder | CtlNoTabStop},
    {.Name = L"picCredit",
     .Kind = ControlKind::PictureBox,
     .Container = L"picBack",
     .Width = 4620,
     .Height = 3030,
     .Flags = CtlNoTabStop},
    {.Name = L"lblCredits",
     .Kind = ControlKind::Label,
     .Container = L"picCredit",
     .Width = 4560,
     .Height = 420,
     .Caption = L"This application makes use of the following software:",
     .Flags = CtlWordWrap},
    {.Name = L"lblStbResize",
     .Kind = ControlKind::Label,
     .Container = L"picCredit",
     .Top = 585,
     .Width = 4560,
     .Height = 420,
     .Caption = L"stb_image and stb_image_resize of the stb collection, by Sean Barrett and "
                L"Jorge L Rodriguez",
     .Flags = CtlWordWrap},
    {.Name = L"lnkStbResizeSite",
     .Kind = ControlKind::Custom,
     .Container = L"picCredit",
     .Left = 120,
     .Top = 1020,
     .Width = 2700,
     .Height = 255,
     .Caption = L"https://github.com/nothings/stb",
     .Factory = MakeDrawn<LinkControl>},
    {.Name = L"lnkStbResize",
     .Kind = ControlKind::Custom,
     .Container = L"picCredit",
     .Left = 3480,
     .Top = 1020,
     .Width = 900,
     .Height = 255,
     .Caption = L"License...",
     .Factory = MakeDrawn<LinkControl>},
    {.Name = L"lblZlib",
     .Kind = ControlKind::Label,
     .Container = L"picCredit",
     .Top = 1365,
     .Width = 4560,
     .Height = 225,
     .Caption = L"zlib compression library, by Jean-loup Gailly and Mark Adler"},
    {.Name = L"lnkZlibSite",
     .Kind = ControlKind::Custom,
     .Container = L"picCredit",
     .Left = 120,
     .Top = 1620,
     .Width = 2700,
     .Height = 255,
     .Caption = L"https://zlib.net/",
     .Factory = MakeDrawn<LinkControl>},
    {.Name = L"lnkZlib",
     .Kind = ControlKind::Custom,
     .Container = L"picCredit",
     .Left = 3480,
     .Top = 1620,
     .Width = 900,
     .Height = 255,
     .Caption = L"License...",
     .Factory = MakeDrawn<LinkControl>},
    {.Name = L"lblInno",
     .Kind = ControlKind::Label,
     .Container = L"picCredit",
     .Top = 2280,
     .Width = 4560,
     .Height = 225,
     .Caption = L"Inno Setup",
     .Flags = CtlBold},
    {.Name = L"lblInnoBy",
     .Kind = ControlKind::Label,
     .Container = L"picCredit",
     .Top = 2505,
     .Width = 4560,
     .Height = 225,
     .Caption = L"Copyright \u00A9 1997 onwards Jordan Russell"},
    {.Name = L"lnkInnoSite",
     .Kind = ControlKind::Custom,
     .Container = L"picCredit",
     .Left = 120,
     .Top = 2745,
     .Width = 2700,
     .Height = 255,
     .Caption = L"https://jrsoftware.org/",
     .Factory = MakeDrawn<LinkControl>},
    {.Name = L"lnkInno",
     .Kind = ControlKind::Custom,
     .Container = L"picCredit",
     .Left = 3480,
     .Top = 2745,
     .Width = 900,
     .Height = 255,
     .Caption = L"License...",
     .Factory = MakeDrawn<LinkControl>},
    {.Name = L"cmdOK",
     .Kind = ControlKind::CommandButton,
     .Left = 2100,
     .Top = 3900,
     .Width = 1215,
     .Height = 375,
     .Caption = L"OK",
     .Tag = L"?Click OK to close this window",
     .TabIndex = 0,
     .Flags = CtlDefault | CtlCancel},
    {.Name = L"tmrScroll", .Kind = ControlKind::Timer, .Interval = CreditFirstInterval},
};

const FormDecl AboutForm = {.Name = L"frmAbout",
                            .Caption = L"About <App>",
                            .ScaleWidth = 5400,
                            .ScaleHeight = 4440,
                            .Style = FixedDialogStyle,
                            .ExStyle = FixedDialogExStyle};

// The rectangle of a control in its container's client area, grown at the
// right and bottom by `grow` twips.
RECT GrownRect(const Control& control, double grow) {
    RECT r = control.PixelRect();
    r.right += TwipsToPixelsX(grow);
    r.bottom += TwipsToPixelsY(grow);
    return r;
}

} // namespace

frmAbout::frmAbout()
    : Form(AboutForm, AboutControls), lnkInno((*this)(L"lnkInno").As<LinkControl>()),
      lnkInnoSite((*this)(L"lnkInnoSite").As<LinkControl>()),
      lnkSite((*this)(L"lnkSite").As<LinkControl>()),
      lnkStbResize((*this)(L"lnkStbResize").As<LinkControl>()),
      lnkStbResizeSite((*this)(L"lnkStbResizeSite").As<LinkControl>()),
      lnkZlib((*this)(L"lnkZlib").As<LinkControl>()),
      lnkZlibSite((*this)(L"lnkZlibSite").As<LinkControl>()), cmdOK((*this)(L"cmdOK")),
      imgIcon((*this)(L"imgIcon")), lblAppVer((*this)(L"lblAppVer")), lblCopy((*this)(L"lblCopy")),
      picBack((*this)(L"picBack")), picCredit((*this)(L"picCredit")),
      tmrScroll((*this)(L"tmrScroll")) {
    picBack.BackColor = White;
    picCredit.BackColor = White;
    cmdOK.Click = [this] { cmdOK_Click(); };
    lnkSite.Click = [this] { lnkSite_Click(); };
    tmrScroll.Timer = [this] { tmrScroll_Timer(); };
    const std::pair<LinkControl*, const wchar_t*> sites[] = {
        {&lnkStbResizeSite, L"https://github.com/nothings/stb"},
        {&lnkZlibSite, L"https://zlib.net/"},
        {&lnkInnoSite, L"https://jrsoftware.org/"}};
    for (const auto& [link, url] : sites)
        link->SetURL(url);
    const std::pair<LinkControl*, const wchar_t*> licences[] = {
        {&lnkStbResize, L"stb_image_resize-license.txt"},
        {&lnkZlib, L"zlib-license.txt"},
        {&lnkInno, L"inno\\inno-license.txt"}};
    for (const auto& [link, file] : licences)
        link->Click = [this, link, file] { PointLicence(*link, file); };
    sc.GotMessage = [this](HWND& hWnd, UINT& message, WPARAM& wParam, LPARAM& lParam, bool& Proceed,
                           LRESULT& ReturnValue) {
        sc_GotMessage(hWnd, message, wParam, lParam, Proceed, ReturnValue);
    };
    // The separator lines are drawn over the credits' own painting.
    scCredit.GotMessage = PaintAfter([this](HDC dc) { PaintCreditLines(dc); });
}

void frmAbout::Form_Load() {
    Counter = 0;
    GlassFlag = false;
    Widened = false;
    RunSteps(L"frmAbout.Form_Load",
             {[&] {
                  RECT inner{};
                  GetClientRect(picBack.hWnd(), &inner);
                  MoveCredits(inner.bottom / 4);
              },
              [&] {
                  if (WizardGlass)
                      LoadGlass();
              },
              [&] { AdjustCaptions(*this); }, [&] { ApplySystemFont(*this); },
              [&] {
                  Control& ok = cmdOK;
                  ok.Move(std::round((ScaleWidth() - ok.Width()) / 2), ok.Top(), ok.Width(),
                          ok.Height());
              },
              [&] {
                  PointLicence(lnkStbResize, L"stb_image_resize-license.txt");
                  PointLicence(lnkZlib, L"zlib-license.txt");
                  PointLicence(lnkInno, L"inno\\inno-license.txt");
              },
              [&] {
                  sc.SubClass(hWnd());
                  scCredit.SubClass(picCredit.hWnd());
              }});
}

void frmAbout::LoadGlass() {
    const RECT back = picBack.PixelRect();
    const RECT ok = cmdOK.PixelRect();
    RECT client{};
    GetClientRect(hWnd(), &client);
    ExtendFrameIntoClientArea(hWnd(), {static_cast<int>(back.left),
                                       static_cast<int>(client.right - back.right),
                                       static_cast<int>(back.top),
                                       static_cast<int>(client.bottom - (ok.bottom + 5) + 1)});
    LinkControl& site = lnkSite;
    site.SetGlass(true);
    DoEvents();
    site.AdjustSize();
    // Black is clear glass; the credits and the panel behind OK stay white.
    BackColor = RGB(0, 0, 0);
    picCredit.BackColor = White;
    picBack.BackColor = White;
    const HWND backWindow = picBack.hWnd();
    SetWindowLongPtrW(backWindow, GWL_EXSTYLE,
                      GetWindowLongPtrW(backWindow, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
    SetWindowPos(backWindow, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    imgIcon.SetVisible(false);
    GlassFlag = true;
}

void frmAbout::Form_Activate() {
    // Widened once in a showing: doubling on every activation would soon
    // overflow the pixel arithmetic.
    if (!Widened) {
        Widened = true;
        Control& version = lblAppVer;
        version.Move(version.Left(), version.Top(), version.Width() * 2, version.Height());
    }
    if (GlassFlag) {
        // The glowing texts stand in the labels' place. PaintOver draws
        // them, so every paint has them, not only the first.
        for (Control* label : {&lblCopy, &lblAppVer})
            if (label->Visible())
                label->SetVisible(false);
        InvalidateRect(hWnd(), nullptr, TRUE);
    }
}

void frmAbout::Form_Unload(bool& /*Cancel*/) {
    RunSteps(L"frmAbout.Form_Unload", {[&] { GlassFlag = false; }});
}

void frmAbout::cmdOK_Click() {
    RunSteps(L"frmAbout.cmdOK_Click", {[&] { Unload(); }});
}

void frmAbout::lnkSite_Click() {
    WebSite(L"about");
}

void frmAbout::PointLicence(LinkControl& link, const std::wstring& file) {
    const std::wstring path = CatStr(ProgramFolder(), file, L"\\");
    link.SetURL(FileExists(path) ? path : L"");
}

bool frmAbout::PointerOverCredits() const {
    POINT cursor{};
    RECT back{};
    return GetCursorPos(&cursor) && GetWindowRect(picBack.hWnd(), &back) && PtInRect(&back, cursor);
}

void frmAbout::MoveCredits(int top) {
    Control& credit = picCredit;
    CreditTop = top;
    credit.Move(PixelsToTwipsX(5), PixelsToTwipsY(top), credit.Width(), credit.Height());
}

void frmAbout::tmrScroll_Timer() {
    Control& timer = tmrScroll;
    const CreditScroll step = CreditScrollTick(Counter, timer.Interval(), PointerOverCredits());
    Counter = step.Counter;
    if (timer.Interval() != step.Interval)
        timer.SetInterval(step.Interval);
    if (!step.Moves)
        return;
    RECT inner{}, credit{};
    GetClientRect(picBack.hWnd(), &inner);
    GetClientRect(picCredit.hWnd(), &credit);
    MoveCredits(NextCreditTop(CreditTop, credit.bottom, inner.bottom));
}

void frmAbout::PaintOver(HDC dc) {
    const Control& icon = imgIcon;
    if (!GlassFlag) {
        if (icon.Visible()) {
            const RECT r = icon.PixelRect();
            DrawAlphaBitmap(dc, L"LOGO", r.left, r.top, LogoSize, LogoSize, 255);
        }
        return;
    }
    // The logo on glass, 5 pixels up and left of the image's place.
    const RECT r = icon.PixelRect();
    const UniqueBitmap logo(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), L"LOGO", IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    const UniqueDC memory(CreateCompatibleDC(dc));
    if (logo && memory) {
        SelectGuard selected(memory.get(), logo.get());
        BitBlt(dc, r.left - 5, r.top - 5, LogoSize, LogoSize, memory.get(), 0, 0, SRCCOPY);
    }
    // The white panel behind OK, from the credits down to 4 pixels below OK.
    const RECT back = picBack.PixelRect();
    const RECT ok = cmdOK.PixelRect();
    const RECT panel{back.left, back.bottom, back.right, ok.bottom + 4};
    FillRect(dc, &panel, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    Control& copy = lblCopy;
    const RECT copyRect = GrownRect(copy, 100);
    DrawGlassText(&copy, 4, &copyRect, L"", dc, 0, 7);
    DrawGlassText(&lblAppVer, 3, nullptr, L"", dc, 0, 7);
}

void frmAbout::PaintCreditLines(HDC dc) {
    RECT credit{};
    GetClientRect(picCredit.hWnd(), &credit);
    for (const double y : {FirstLine, SecondLine}) {
        const int top = TwipsToPixelsY(y);
        RECT line{0, top, credit.right - 5, top + 1};
        FillRect(dc, &line, GetSysColorBrush(COLOR_3DSHADOW));
    }
}

void frmAbout::sc_GotMessage(HWND& hWnd, UINT& message, WPARAM& wParam, LPARAM& lParam,
                             bool& Proceed, LRESULT& ReturnValue) {
    Procedure run(L"frmAbout.sc_GotMessage");
    switch (message) {
    case WM_HELP:
        // The help's result is the message's, and the window still sees it.
        run([&] { ReturnValue = Handle_WM_HELP(*this, hWnd, wParam, lParam); });
        break;
    case WM_PAINT:
        PaintAfter([&](HDC dc) { run([&] { PaintOver(dc); }); })(hWnd, message, wParam, lParam,
                                                                 Proceed, ReturnValue);
        break;
    case WM_MOUSEMOVE:
        // On glass the box is dragged by any point of its client area.
        if (GlassFlag && (wParam & MK_LBUTTON))
            run([&] {
                ReleaseCapture();
                SendMessageW(hWnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
            });
        break;
    default:
        break;
    }
}

frmAbout& AboutBox() {
    static frmAbout box;
    return box;
}

void ShowAbout(Form& owner, bool modal) {
    frmAbout& box = AboutBox();
    if (box.Loaded() && box.Visible()) {
        if (IsIconic(box.hWnd()))
            ShowWindow(box.hWnd(), SW_RESTORE);
        SetForegroundWindow(box.hWnd());
        SetActiveWindow(box.hWnd());
        return;
    }
    box.Show(modal, &owner);
}
