// The wizard window's chrome: the glass frame, its window messages, the
// Help button with its menu, the help mode's hover logic and the ways to
// the About box.
#include "core/CreatorMath.h"
#include "core/CreatorText.h"
#include "core/WizardChrome.h"
#include "wizard/frame/Aero.h"
#include "wizard/frame/Composition.h"
#include "wizard/frame/Errors.h"
#include "wizard/frame/Help.h"
#include "wizard/frame/HelpViewer.h"
#include "wizard/frame/Helpers.h"
#include "wizard/frame/PopupMenu.h"
#include "wizard/frame/SaverLibrary.h"
#include "wizard/frame/Tip.h"
#include "wizard/pages/frmAbout.h"
#include "wizard/pages/frmWizard.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

void (*AboutOpener)(Form& owner, bool modal) = ShowAbout;

namespace {

constexpr wchar_t HelpPrompt[] =
    L"Move the mouse pointer over an item on the screen to get help on it";

std::wstring ClassNameOf(HWND window) {
    std::wstring name(256, L'\0');
    name.resize(static_cast<std::size_t>(GetClassNameW(window, name.data(), 256)));
    return ChopNull(name);
}

// Copies a bitmap resource's top-left corner onto a drawing.
void DrawResourceBitmap(const wchar_t* name, HDC target, int x, int y, int size) {
    const UniqueBitmap bitmap(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    if (!bitmap)
        RaiseLastError();
    const UniqueDC memory(CreateCompatibleDC(target));
    if (!memory)
        RaiseLastError();
    const SelectGuard selected(memory.get(), bitmap.get());
    if (!BitBlt(target, x, y, size, size, memory.get(), 0, 0, SRCCOPY))
        RaiseLastError();
}

} // namespace

void frmWizard::WireChrome() {
    cmdHelp.Click = [this] { cmdHelp_Click(); };
    picAbout.Click = [this] { picAbout_Click(); };
    picHeader.MouseMove = [this](int Button, int Shift, int X, int Y) {
        picHeader_MouseMove(Button, Shift, X, Y);
    };
    picHeader.MouseDown = picHeader.MouseMove;
    picContextHelp_.MouseMove = [this](int, int, int, int) { picContextHelp_MouseMove(); };
}

void frmWizard::AddGlass() {
    Glass = false;
    if (NoGlassRequested(GetCommandLineW()))
        return;
    IgnoreErrors([&] { Glass = CompositionEnabled(); });
    if (!Glass)
        return;
    const int fx = GetSystemMetrics(SM_CXFRAME), fy = GetSystemMetrics(SM_CYFRAME),
              cap = GetSystemMetrics(SM_CYCAPTION);
    RECT outer{};
    GetWindowRect(hWnd(), &outer);
    Control &header = picHeader, &about = picAbout, &main = picMain;
    const GlassLayout g = ComputeGlassLayout(
        {.fx = fx,
         .fy = fy,
         .cap = cap,
         .smallIcon = GetSystemMetrics(SM_CXSMICON),
         .outerWidth = outer.right - outer.left,
         .outerHeight = outer.bottom - outer.top,
         .headerHeight = static_cast<int32_t>(header.PixelRect().bottom - header.PixelRect().top),
         .navHeight = static_cast<int32_t>(Nav.Extender()->PixelRect().bottom -
                                           Nav.Extender()->PixelRect().top)});
    const auto move = [](Control& c, const ChromeRect& r) {
        c.Move(PixelsToTwipsX(r.left), PixelsToTwipsY(r.top), PixelsToTwipsX(r.Width()),
               PixelsToTwipsY(r.Height()));
    };
    // Each step up to the glowing caption is passed over when it fails.
    IgnoreErrors([&] {
        header.BackColor = RGB(0, 0, 0);
        lblTitle.SetVisible(false);
        about.BackColor = RGB(0, 0, 0);
        main.BackColor = SystemColourReference | COLOR_WINDOW;
        BackColor = RGB(0, 0, 0);
    });
    IgnoreErrors([&] { move(header, g.header); });
    IgnoreErrors([&] { move(main, g.main); });
    IgnoreErrors([&] {
        move(about, g.about);
        about.SetVisible(true);
    });
    IgnoreErrors([&] {
        Control& nav = *Nav.Extender();
        nav.Move(PixelsToTwipsX(g.nav.x), PixelsToTwipsY(g.nav.y), nav.Width(), nav.Height());
    });
    IgnoreErrors([&] {
        GlassMargins = g.margins;
        ExtendFrameIntoClientArea(
            hWnd(), {g.margins.left, g.margins.right, g.margins.top, g.margins.bottom});
    });
    // The drawings persist: one image per surface, painted back on demand.
    IgnoreErrors([&] {
        glassWindow.Resize(outer.right - outer.left, outer.bottom - outer.top);
        glassWindow.Attach(hWnd()); // painted from the window's own hook
        glassHeader.Resize(g.header.Width(), g.header.Height());
        glassHeader.ShowOn(header.hWnd());
        glassAbout.Resize(GlassLogoSize, GlassLogoSize);
        glassAbout.ShowOn(about.hWnd());
    });
    IgnoreErrors([&] {
        DrawResourceBitmap(L"LOGO", glassAbout.Dc(), g.logoOnAbout.x, g.logoOnAbout.y,
                           GlassLogoSize);
        DrawResourceBitmap(L"LOGO", glassWindow.Dc(), g.logoOnWindow.x, g.logoOnWindow.y,
                           GlassLogoSize);
    });
    IgnoreErrors([&] {
        DrawResourceBitmap(L"TINY", glassWindow.Dc(), g.tinyOnWindow.x, g.tinyOnWindow.y,
                           GlassTinySize);
    });
    const RECT title{g.title.left, g.title.top, g.title.right, g.title.bottom};
    // From here on failures go to the caller.
    DrawGlassText(nullptr, 4, &title, AdjustCaption(Caption()), glassWindow.Dc(), 0, 7);
    RepaintAll();
}

void frmWizard::RepaintAll() {
    RedrawWindow(hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void frmWizard::DrawGlassTitle() {
    if (!Glass || !glassHeader.Dc())
        return;
    const RECT nav = Nav.Extender()->PixelRect();
    RECT band{nav.right + 10, nav.top, glassHeader.Width(), nav.bottom};
    InflateRect(&band, 10, 10);
    FillRect(glassHeader.Dc(), &band, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    Control& title = lblTitle;
    DrawGlassText(&title, 1, nullptr, title.Caption(), glassHeader.Dc(), 0, 7);
    glassHeader.Refresh();
}

bool frmWizard::ChromeMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, bool& Proceed,
                              LRESULT& ReturnValue) {
    switch (message) {
    case WM_NCCALCSIZE:
        if (Glass && wParam) {
            ReturnValue = 0;
            Proceed = false;
        }
        return true;
    case WM_NCHITTEST:
    case WM_NCRBUTTONUP:
    case WM_NCMOUSELEAVE: {
        if (!Glass)
            return true;
        LRESULT answered = 0;
        if (CompositionDefWindowProc(hWnd, message, wParam, lParam, answered)) {
            Proceed = false;
            ReturnValue = answered;
            return true;
        }
        if (message == WM_NCMOUSELEAVE)
            return true;
        const POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        POINT client = screen;
        ScreenToClient(hWnd, &client);
        RECT r{};
        GetClientRect(hWnd, &r);
        const int fx = GetSystemMetrics(SM_CXFRAME), fy = GetSystemMetrics(SM_CYFRAME),
                  cap = GetSystemMetrics(SM_CYCAPTION);
        const int hit = GlassHitTest({client.x, client.y}, r.right, r.bottom, fx, fy, cap);
        if (message == WM_NCHITTEST) {
            ReturnValue = hit;
            if (hit)
                Proceed = false;
        } else if (hit == HTCAPTION) {
            const UINT chosen = TrackPopup(GetSystemMenu(hWnd, FALSE), {hWnd, screen, {}});
            if (chosen) // a dismissed menu carries out nothing
                SendMessageW(hWnd, WM_SYSCOMMAND, chosen, 0);
        }
        return true;
    }
    case WM_NCLBUTTONDOWN: {
        // Without glass the caption's own icon opens the menu already.
        if (!Glass)
            return true;
        POINT client{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(hWnd, &client);
        if (InWindowMenuCorner({client.x, client.y}))
            DefWindowProcW(hWnd, WM_SYSCOMMAND, SC_KEYMENU, 32);
        return true;
    }
    case WM_DROPFILES: {
        const auto drop = reinterpret_cast<HDROP>(wParam);
        IgnoreErrors([&] {
            std::wstring file(1024, L'\0');
            if (DragQueryFileW(drop, 0, file.data(), static_cast<UINT>(file.size())))
                txtLogo.SetText(ChopNull(file));
        });
        DragFinish(drop);
        Proceed = false;
        return true;
    }
    default:
        return false;
    }
}

void frmWizard::PaintHelpArrow(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                               bool& Proceed, LRESULT& ReturnValue) {
    const int32_t index = FindSubClass(button);
    if (index < 0)
        return;
    ReturnValue = CallOldWndProc(button, message, wParam, lParam, index);
    Proceed = false;
    const WindowDC dc(button);
    const UniqueTheme theme(OpenThemeDataSafe(button, L"Toolbar"));
    if (!dc || !theme)
        return; // without visual styles the plain button
    RECT r{};
    GetClientRect(button, &r);
    r.left += RoundHalfEven(0.4 * (r.right - r.left));
    Theme.DrawBackground(theme.get(), dc.get(), 4, 1, &r, &r);
}

void frmWizard::cmdHelp_Click() {
    RunSteps(L"frmWizard.cmdHelp_Click", {[&] {
                 const RECT main = picMain.PixelRect();
                 const RECT help = cmdHelp.PixelRect();
                 POINT at{main.left + help.left, main.top + help.bottom};
                 ClientToScreen(hWnd(), &at);
                 const MenuItemDecl items[] = {
                     {L"mnuContext", L"&What does this do...?", [this] { mnuContext_Click(); }},
                     {L"mnuHelp", L"&Help on this screen", [this] { mnuHelp_Click(); }},
                     {L"mnuHelpToc", L"&Help Contents", [this] { mnuHelpToc_Click(); }},
                     {L"mnuSep", L"-", nullptr},
                     {L"mnuAbout", L"&About", [this] { mnuAbout_Click(); }}};
                 PopupMenu(hWnd(), at, items);
             }});
}

void frmWizard::mnuContext_Click() {
    RunSteps(L"frmWizard.mnuContext_Click",
             {[&] {
                  clsTip& tip = HelpTip();
                  tip.Persistant = true;
                  tip.ShowTip(hWnd(), cmdHelp.hWnd(), HelpPrompt, false, true, TipAuto, TipAuto);
              },
              [&] {
                  lastHoverWindow = nullptr;
                  lastHoverControl.clear();
                  SendMessageW(hWnd(), WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
              }});
}

void frmWizard::mnuHelp_Click() {
    RunSteps(L"frmWizard.mnuHelp_Click", {[&] { ShowHelpTOC(hWnd(), HelpTopicOf(CurrentStep)); }});
}

void frmWizard::mnuHelpToc_Click() {
    RunSteps(L"frmWizard.mnuHelpToc_Click", {[&] { ShowHelpTOC(hWnd(), L""); }});
}

void frmWizard::mnuAbout_Click() {
    RunSteps(L"frmWizard.mnuAbout_Click", {[&] { AboutOpener(*this, true); }});
}

void frmWizard::picAbout_Click() {
    RunSteps(L"frmWizard.picAbout_Click", {[&] { AboutOpener(*this, true); }});
}

void frmWizard::Form_KeyDown(int& KeyCode, int Shift) {
    if (!IsAboutKey(KeyCode, Shift))
        return;
    RunSteps(L"frmWizard.Form_KeyDown", {[&] { AboutOpener(*this, false); }});
    KeyCode = 0;
}

void frmWizard::picHeader_MouseMove(int Button, int /*Shift*/, int /*X*/, int /*Y*/) {
    if (Button != 1 || !Glass)
        return;
    ReleaseCapture();
    SendMessageW(hWnd(), WM_SYSCOMMAND, 0xF012, 0); // SC_MOVE + HTCAPTION
}

void frmWizard::picContextHelp_MouseMove() {
    if (!ContextHelp)
        return;
    POINT at{};
    GetCursorPos(&at);
    const HWND window = WindowFromPoint(at);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    // Another program's windows have no help of ours. A window inside a
    // control (the text part of a combo box) is that control, so moving
    // within it keeps its one balloon.
    Control* control = nullptr;
    if (process == GetCurrentProcessId() && !(control = GetControlFromHwnd(window)) && window)
        control = GetControlFromHwnd(GetParent(window));
    if (control) {
        if (control->Name == lastHoverControl)
            return;
        lastHoverControl = control->Name;
        if (!ShowControlHelp(control, &control->Parent(), true, nullptr, nullptr, L"", L"", 1, -1,
                             0))
            HideHelpTip();
        return;
    }
    const HWND parent = process == GetCurrentProcessId() ? GetParent(window) : nullptr;
    const std::wstring parentClass = parent ? ClassNameOf(parent) : L"";
    bool hidden = false;
    if (!parentClass.empty() && parentClass[0] == L'#' && window != lastHoverWindow) {
        if (!lastHoverControl.empty()) {
            HideHelpTip();
            hidden = true;
        }
        IgnoreErrors([&] {
            const int id = GetDlgCtrlID(window);
            const auto page = static_cast<int32_t>(GetWindowLongPtrW(parent, GWLP_USERDATA));
            std::vector<char> bytes(512, '\0');
            SaverLibrary().GetHelpStr(page, id, bytes.data());
            const std::string text = HelpBytes(bytes.data(), bytes.size());
            if (text.empty()) {
                HideHelpTip(); // no help for this one: no empty balloon
                return;
            }
            std::wstring wide(text.size(), L'\0');
            wide.resize(static_cast<std::size_t>(
                MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                    wide.data(), static_cast<int>(wide.size()))));
            std::wstring title;
            std::wstring cls = ClassNameOf(window);
            std::transform(cls.begin(), cls.end(), cls.begin(), ::towupper);
            if (cls == L"BUTTON") {
                std::wstring caption(512, L'\0');
                caption.resize(
                    static_cast<std::size_t>(GetDlgItemTextW(parent, id, caption.data(), 512)));
                title = TitleWithoutAccelerators(caption);
            }
            RECT r{};
            GetWindowRect(window, &r);
            POINT corner{r.left, r.top};
            ScreenToClient(hWnd(), &corner);
            Control& tip = txtTip();
            tip.Move(PixelsToTwipsX(corner.x + (r.right - r.left) / 3),
                     PixelsToTwipsY(corner.y + (r.bottom - r.top) / 2), tip.Width(), tip.Height());
            ShowHelpTip(tip.hWnd(), title, wide, 1);
        });
    } else {
        const std::wstring own = window ? ClassNameOf(window) : L"";
        if ((!own.empty() && own[0] == L'#') || own == L"tooltips_class32") {
            HideHelpTip();
            hidden = true;
        }
    }
    lastHoverWindow = window;
    if (!lastHoverControl.empty() && !hidden)
        HideHelpTip();
    lastHoverControl.clear();
}
