// The form layer's drawn controls, message routing, labels, pointers,
// plain tooltips and redraw guard, through real windows.
#include "wizard/frame/Aero.h"
#include "wizard/frame/Form.h"

#include "tests/wizard/FormTestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

// A drawn control that notes what reached it and hosts a trackbar.
class Probe : public DrawnControl {
  public:
    std::vector<std::string> Seen;
    std::wstring TipAtCreate;
    bool FormLoadedAtCreate = true;
    HWND Track = nullptr;
    std::function<void()> Changed; // a typed notification, wired by the form

  protected:
    void OnCreate() override {
        TipAtCreate = Extender()->ToolTipText();
        FormLoadedAtCreate = Extender()->Parent().Tag == L"loaded";
        Track = CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 40, 20,
                                hWnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
        Seen.push_back("create");
    }
    void OnDestroy() override { Seen.push_back("destroy"); }
    void Paint(HDC dc, const RECT& client) override {
        UniqueBrush red(CreateSolidBrush(RGB(255, 0, 0)));
        FillRect(dc, &client, red.get());
    }
    void MouseDown(int button, int, int x, int y) override {
        Seen.push_back("down " + std::to_string(button) + " " + std::to_string(x) + "," +
                       std::to_string(y));
    }
    void MouseUp(int button, int, int, int) override {
        Seen.push_back("up " + std::to_string(button));
    }
    void MouseLeave() override { Seen.push_back("leave"); }
    UINT DlgCode() override { return DLGC_WANTARROWS; }
    bool KeyDown(int key, int) override {
        Seen.push_back("key " + std::to_string(key));
        return true;
    }
    void FocusChanged(bool focused) override { Seen.push_back(focused ? "focus" : "blur"); }
    void Resize(int width, int) override { Seen.push_back("size " + std::to_string(width)); }
    std::optional<LRESULT> ChildMessage(UINT message, WPARAM, LPARAM lParam) override {
        if (message == WM_HSCROLL && reinterpret_cast<HWND>(lParam) == Track) {
            Seen.push_back("scroll");
            if (Changed)
                Changed();
            return 0;
        }
        return std::nullopt;
    }
};

const ControlDecl LayerControls[] = {
    {.Name = L"ctlProbe",
     .Kind = ControlKind::Custom,
     .Left = 120,
     .Top = 120,
     .Width = 1500,
     .Height = 600,
     .ToolTipText = L"Probe tip",
     .Factory = MakeDrawn<Probe>},
    {.Name = L"lblLink",
     .Kind = ControlKind::Label,
     .Left = 2000,
     .Top = 120,
     .Width = 1500,
     .Height = 300,
     .Caption = L"Link"},
    {.Name = L"picBack",
     .Kind = ControlKind::PictureBox,
     .Left = 2000,
     .Top = 600,
     .Width = 2000,
     .Height = 900},
    {.Name = L"chkInside",
     .Kind = ControlKind::CheckBox,
     .Container = L"picBack",
     .Width = 1500,
     .Height = 300,
     .Caption = L"Inside",
     .ToolTipText = L"A check box"},
    {.Name = L"lstDrawn",
     .Kind = ControlKind::ListBox,
     .Left = 120,
     .Top = 1000,
     .Width = 1500,
     .Height = 900,
     .Style = LBS_OWNERDRAWFIXED},
};
const FormDecl LayerForm = {.Name = L"frmLayer",
                            .Caption = L"Layer",
                            .ScaleWidth = 4800,
                            .ScaleHeight = 2400,
                            .Style = WS_POPUP | WS_CLIPCHILDREN,
                            .ExStyle = FixedDialogExStyle};

class frmLayer : public Form {
  public:
    frmLayer() : Form(LayerForm, LayerControls), probe((*this)(L"ctlProbe").As<Probe>()) {
        probe.Changed = [this] { ++changes; };
        (*this)(L"lblLink").Click = [this] { ++labelClicks; };
        (*this)(L"lblLink").DblClick = [this] { ++labelDoubles; };
        (*this)(L"lstDrawn").OwnerMessage = [this](UINT m, WPARAM,
                                                   LPARAM lp) -> std::optional<LRESULT> {
            if (m != WM_MEASUREITEM)
                return std::nullopt;
            measuredBeforeHandle = (*this)(L"lstDrawn").hWnd() == nullptr;
            reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->itemHeight = 21;
            return TRUE;
        };
    }
    Probe& probe;
    int changes = 0, labelClicks = 0, labelDoubles = 0;
    bool measuredBeforeHandle = false;

  protected:
    void Form_Load() override { Tag = L"loaded"; }
};

COLORREF BrushColour(LRESULT brush) {
    LOGBRUSH lb{};
    GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof lb, &lb);
    return lb.lbColor;
}

LPARAM Centre(const RECT& r) {
    return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

} // namespace

TEST(FormLayer, DrawnControlLivesWithTheFormAndGetsItsMessages) {
    frmLayer f;
    Probe& probe = f.probe;
    EXPECT_EQ(f(L"ctlProbe").Object(), &probe); // made with the form, before Load
    f.Show();
    SetForegroundWindow(f.hWnd());
    const HWND w = probe.hWnd();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w, f(L"ctlProbe").hWnd());
    EXPECT_EQ(probe.TipAtCreate, L"Probe tip"); // the row's properties, read before Form_Load
    EXPECT_FALSE(probe.FormLoadedAtCreate);
    // One painting routine serves WM_PRINTCLIENT too.
    UniqueDC memory(CreateCompatibleDC(nullptr));
    BITMAPINFO info{};
    UniqueBitmap dib(CreateDib32(memory.get(), 8, 8, info));
    {
        SelectGuard selected(memory.get(), dib.get());
        SendMessageW(w, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()), PRF_CLIENT);
        EXPECT_EQ(GetPixel(memory.get(), 3, 3), RGB(255, 0, 0));
    }
    probe.Seen.clear();
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 7));
    SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(5, 7));
    SendMessageW(w, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(SendMessageW(w, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
    SendMessageW(w, WM_KEYDOWN, VK_LEFT, 0);
    SetWindowPos(w, nullptr, 0, 0, 77, 30, SWP_NOMOVE | SWP_NOZORDER);
    SendMessageW(probe.Track, TBM_SETPOS, TRUE, 3);
    SendMessageW(w, WM_HSCROLL, TB_THUMBPOSITION, reinterpret_cast<LPARAM>(probe.Track));
    const std::vector<std::string> expected{"down 1 5,7", "up 1",    "leave",
                                            "key 37",     "size 77", "scroll"};
    EXPECT_EQ(probe.Seen, expected);
    EXPECT_EQ(f.changes, 1);
    int gotFocus = 0;
    f(L"ctlProbe").GotFocus = [&] { ++gotFocus; };
    f(L"ctlProbe").SetFocus();
    EXPECT_EQ(f.ActiveControl(), &f(L"ctlProbe"));
    EXPECT_EQ(gotFocus, 1);
    probe.Seen.clear();
    f.Unload();
    EXPECT_EQ(probe.Seen, (std::vector<std::string>{"blur", "destroy"})); // the focus goes first
    EXPECT_EQ(probe.hWnd(), nullptr);
    f.Load(); // a new window for the same object
    EXPECT_NE(probe.hWnd(), nullptr);
    f.Unload();
}

TEST(FormLayer, NotificationsAndColoursGoToTheirSender) {
    frmLayer f;
    ShowInactive(f);
    EXPECT_TRUE(f.measuredBeforeHandle); // routed by id inside CreateWindowEx
    EXPECT_EQ(SendMessageW(f(L"lstDrawn").hWnd(), LB_GETITEMHEIGHT, 0, 0), 21);
    Control& check = f(L"chkInside");
    WindowDC dc(check.hWnd());
    const HWND back = f(L"picBack").hWnd();
    const auto colour = [&] {
        return BrushColour(SendMessageW(back, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                                        reinterpret_cast<LPARAM>(check.hWnd())));
    };
    EXPECT_EQ(colour(), GetSysColor(COLOR_BTNFACE));
    f.BackColor = RGB(0, 0, 0); // glass: the form's colour reaches its children
    EXPECT_EQ(colour(), RGB(0, 0, 0));
    f(L"picBack").BackColor = RGB(0, 0, 255);
    EXPECT_EQ(colour(), RGB(0, 0, 255));
    check.BackColor = RGB(255, 0, 0);
    check.ForeColor = RGB(1, 2, 3);
    EXPECT_EQ(colour(), RGB(255, 0, 0));
    EXPECT_EQ(GetTextColor(dc.get()), RGB(1, 2, 3));
    // The container erases with its own colour.
    UniqueDC memory(CreateCompatibleDC(nullptr));
    BITMAPINFO info{};
    UniqueBitmap dib(CreateDib32(memory.get(), 8, 8, info));
    SelectGuard selected(memory.get(), dib.get());
    SendMessageW(back, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory.get()), 0);
    EXPECT_EQ(GetPixel(memory.get(), 2, 2), RGB(0, 0, 255));
    f.Unload();
}

TEST(FormLayer, LabelsAreHitTestedByTheirContainer) {
    frmLayer f;
    ShowInactive(f);
    Control& label = f(L"lblLink");
    const LPARAM at = Centre(label.PixelRect());
    SendMessageW(f.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(f.hWnd(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(f.labelClicks, 1);
    SendMessageW(f.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, at); // released elsewhere: no click
    SendMessageW(f.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(f.labelClicks, 1);
    SendMessageW(f.hWnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    EXPECT_EQ(f.labelDoubles, 1);
    label.SetEnabled(false);
    SendMessageW(f.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(f.hWnd(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(f.labelClicks, 1);
    f.Unload();
}

TEST(FormLayer, MousePointersOfControlsLabelsAndForms) {
    frmLayer f;
    ShowInactive(f);
    const auto setCursorFor = [&](HWND under) {
        SendMessageW(f.hWnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    Control& label = f(L"lblLink");
    RECT r = label.PixelRect();
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(f.hWnd(), &p);
    SetCursorPos(p.x, p.y);
    label.MousePointer = 2;
    EXPECT_EQ(setCursorFor(f.hWnd()), LoadCursorW(nullptr, IDC_CROSS));
    label.MousePointer = 0;
    f.MousePointer = 3;
    EXPECT_EQ(setCursorFor(f.hWnd()), LoadCursorW(nullptr, IDC_IBEAM));
    Control& list = f(L"lstDrawn");
    list.MousePointer = 11;
    EXPECT_EQ(setCursorFor(list.hWnd()), LoadCursorW(nullptr, IDC_WAIT));
    const HCURSOR icon = LoadCursorW(nullptr, IDC_SIZEALL);
    list.MousePointer = PointerCustom;
    list.MouseIcon = icon;
    EXPECT_EQ(setCursorFor(list.hWnd()), icon);
    f.Unload();
}

TEST(FormLayer, ToolTipTextUsesThePlainTooltipUntilCleared) {
    frmLayer f;
    ShowInactive(f);
    const HWND tip = f.PlainToolTip();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 2); // the probe and the check box
    Control& check = f(L"chkInside");
    wchar_t text[80] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = f.hWnd();
    tool.uId = reinterpret_cast<UINT_PTR>(check.hWnd());
    tool.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, L"A check box");
    check.SetToolTipText(L"");
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    f.Unload();
}

TEST(FormLayer, RedrawGuardNestsAndLeavesHiddenWindowsHidden) {
    frmLayer f;
    ShowInactive(f);
    {
        RedrawGuard outer(f.hWnd());
        EXPECT_FALSE(IsWindowVisible(f.hWnd())); // drawing off clears WS_VISIBLE
        { RedrawGuard inner(f.hWnd()); }
        EXPECT_FALSE(IsWindowVisible(f.hWnd())); // only the outermost turns it on
    }
    EXPECT_TRUE(IsWindowVisible(f.hWnd()));
    ShowWindow(f.hWnd(), SW_HIDE);
    { RedrawGuard hidden(f.hWnd()); }
    EXPECT_FALSE(IsWindowVisible(f.hWnd()));
    f.Unload();
}
