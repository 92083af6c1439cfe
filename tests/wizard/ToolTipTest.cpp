// ToolTipClass over a form's controls, and the hand cursor.
#include "wizard/frame/Cursor.h"
#include "wizard/frame/SubClass.h"
#include "wizard/frame/ToolTip.h"

#include "tests/wizard/FormTestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <map>

namespace {

const ControlDecl TipsControls[] = {
    {.Name = L"lblName",
     .Kind = ControlKind::Label,
     .Width = 1200,
     .Height = 300,
     .Caption = L"&Name:",
     .Tag = L"?A label has no tool"},
    {.Name = L"txtName",
     .Kind = ControlKind::TextBox,
     .Left = 1300,
     .Width = 2000,
     .Height = 315,
     .Tag = L"?Type the name of your screensaver",
     .TabIndex = 1},
    {.Name = L"cmdGo",
     .Kind = ControlKind::CommandButton,
     .Top = 600,
     .Width = 1200,
     .Height = 375,
     .Caption = L"Go",
     .Tag = L"?Not used: the tool-tip text wins",
     .ToolTipText = L"Press to go"},
    {.Name = L"chkPlain",
     .Kind = ControlKind::CheckBox,
     .Top = 1100,
     .Width = 1200,
     .Height = 300,
     .Caption = L"Plain",
     .Tag = L"version 2"},
    {.Name = L"picAbout",
     .Kind = ControlKind::PictureBox,
     .Left = 3000,
     .Top = 1100,
     .Width = 600,
     .Height = 600,
     .Flags = CtlHand},
};
const FormDecl TipsForm = {.Name = L"frmTips",
                           .Caption = L"Tips",
                           .ScaleWidth = 4800,
                           .ScaleHeight = 2000,
                           .Tag = L"?The whole window",
                           .Style = WS_POPUP | WS_CLIPCHILDREN};

struct frmTips : Form {
    frmTips() : Form(TipsForm, TipsControls) {}
};

// The tools of a tooltip window by id: text, flags and rectangle.
struct Tool {
    std::wstring Text;
    UINT Flags = 0;
    RECT Rect{};
};
std::map<UINT_PTR, Tool> Tools(HWND tip) {
    std::map<UINT_PTR, Tool> tools;
    const int count = static_cast<int>(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        TTTOOLINFOW info{};
        info.cbSize = sizeof info;
        info.lpszText = text;
        SendMessageW(tip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
        tools[info.uId] = {text, info.uFlags, info.rect};
    }
    return tools;
}

} // namespace

TEST(ToolTips, InitMakesOneToolPerWindowedControlWithText) {
    frmTips f;
    ShowInactive(f);
    ToolTipClass tips;
    tips.Init(&f, nullptr, 65, 0);
    const HWND tip = tips.TipWnd();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(tip, GWL_STYLE)) &
                  (WS_POPUP | TTS_NOPREFIX | TTS_BALLOON | TTS_ALWAYSTIP),
              static_cast<DWORD>(WS_POPUP | TTS_NOPREFIX | TTS_BALLOON | TTS_ALWAYSTIP));
    EXPECT_TRUE(GetWindowLongPtrW(tip, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetWindow(tip, GW_OWNER), f.hWnd());
    auto tools = Tools(tip);
    ASSERT_EQ(tools.size(), 2u); // no label, no Tag without "?"
    const Tool& name = tools[static_cast<UINT_PTR>(f(L"txtName").Id())];
    EXPECT_EQ(name.Text, L"Type the name of your screensaver.");
    EXPECT_EQ(name.Flags, static_cast<UINT>(TTF_SUBCLASS | TTF_TRANSPARENT));
    EXPECT_EQ(tools[static_cast<UINT_PTR>(f(L"cmdGo").Id())].Text, L"Press to go");
    EXPECT_EQ(f(L"cmdGo").ToolTipText(), L""); // taken from the control...
    ASSERT_NE(f.PlainToolTip(), nullptr);
    EXPECT_EQ(SendMessageW(f.PlainToolTip(), TTM_GETTOOLCOUNT, 0, 0), 0); // ...and its plain tool

    // A resized control's tool follows its client area.
    Control& text = f(L"txtName");
    text.Move(text.Left(), text.Top(), 3000, text.Height());
    RECT client{};
    GetClientRect(text.hWnd(), &client);
    const RECT toolRect = Tools(tip)[static_cast<UINT_PTR>(text.Id())].Rect;
    EXPECT_TRUE(EqualRect(&toolRect, &client));

    // A whole form keeps its own texts; flags combine; TTF_IDISHWND makes the window the id.
    RECT cell{0, 0, 10, 10};
    tips.AddControl(f, L"", TTF_IDISHWND, &cell, 0);
    tips.AddControl(f(L"chkPlain"), L"Given", TTF_SUBCLASS, nullptr, 77);
    tools = Tools(tip);
    EXPECT_EQ(tools[reinterpret_cast<UINT_PTR>(f.hWnd())].Text, L"The whole window.");
    EXPECT_EQ(tools[77].Flags, static_cast<UINT>(TTF_SUBCLASS | TTF_TRANSPARENT));
    EXPECT_EQ(f.Tag, L"?The whole window");
    f.Unload();
}

TEST(ToolTips, EnableSwitchesTheWindowAndItEndsWithTheObject) {
    frmTips f;
    ShowInactive(f);
    HWND tip = nullptr;
    std::vector<WPARAM> activations;
    SubClasser spy;
    {
        ToolTipClass tips;
        tips.Init(&f, nullptr, 1, 0);
        tip = tips.TipWnd();
        spy.GotMessage = [&](HWND&, UINT& m, WPARAM& wp, LPARAM&, bool&, LRESULT&) {
            if (m == TTM_ACTIVATE)
                activations.push_back(wp);
        };
        spy.SubClass(tip);
        tips.Enable(false);
        tips.Enable(true);
    }
    EXPECT_EQ(activations, (std::vector<WPARAM>{0, static_cast<WPARAM>(-1)}));
    EXPECT_FALSE(IsWindow(tip));
    f.Unload();
}

TEST(HandCursor, ForcedOwnPointerPictureAboutAndLabels) {
    frmTips f;
    ShowInactive(f);
    const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    SetCursor(nullptr);
    EXPECT_TRUE(Handle_WM_SETCURSOR(f, nullptr, 0, true));
    EXPECT_EQ(GetCursor(), hand);
    Control& go = f(L"cmdGo");
    EXPECT_FALSE(Handle_WM_SETCURSOR(f, go.hWnd(), 0, false));
    go.MousePointer = PointerCustom;
    EXPECT_TRUE(Handle_WM_SETCURSOR(f, go.hWnd(), 0, false));
    go.MouseIcon = LoadCursorW(nullptr, IDC_CROSS); // its own cursor stays
    EXPECT_FALSE(Handle_WM_SETCURSOR(f, go.hWnd(), 0, false));
    EXPECT_TRUE(Handle_WM_SETCURSOR(f, f(L"picAbout").hWnd(), 0, false));
    // A label has no window: over it the form's own pointer decides.
    f(L"lblName").MousePointer = PointerCustom;
    EXPECT_FALSE(Handle_WM_SETCURSOR(f, f.hWnd(), 0, false));
    f.MousePointer = PointerCustom;
    EXPECT_TRUE(Handle_WM_SETCURSOR(f, f.hWnd(), 0, false));
    f.Unload();
}
