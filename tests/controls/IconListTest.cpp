#include "wizard/controls/APIListBox.h"

#include "tests/controls/ControlTestSupport.h"
#include "tests/support/WinTest.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>

namespace {

const ControlDecl ListControls[] = {
    {.Name = L"cmdFirst",
     .Kind = ControlKind::CommandButton,
     .Left = 120,
     .Top = 120,
     .Width = 1200,
     .Height = 375,
     .Caption = L"First",
     .TabIndex = 0},
    {.Name = L"lstModes",
     .Kind = ControlKind::Custom,
     .Left = 120,
     .Top = 600,
     .Width = 2400,
     .Height = 1200,
     .TabIndex = 1,
     .Factory = MakeDrawn<APIListBox>},
    {.Name = L"lstIcons",
     .Kind = ControlKind::Custom,
     .Left = 2700,
     .Top = 600,
     .Width = 3000,
     .Height = 1400,
     .TabIndex = 2,
     .Factory = MakeDrawn<APIListBox>},
};
const FormDecl ListForm = {.Name = L"frmList",
                           .Caption = L"Lists",
                           .ScaleWidth = 6000,
                           .ScaleHeight = 2200,
                           .Style = WS_POPUP | WS_CLIPCHILDREN};

struct frmList : Form {
    frmList()
        : Form(ListForm, ListControls), lstModes((*this)(L"lstModes").As<APIListBox>()),
          lstIcons((*this)(L"lstIcons").As<APIListBox>()) {
        lstModes.Click = [this] { events += "Click "; };
        lstModes.DblClick = [this] { events += "DblClick "; };
        lstIcons.Click = [this] { events += "IconClick "; };
    }
    void Form_Load() override { lstModes.Init(); }
    APIListBox& lstModes;
    APIListBox& lstIcons;
    std::string events;
};

int TextHeight(HWND window, HFONT font, const wchar_t* text) {
    WindowDC dc(window);
    SelectGuard selected(dc.get(), font);
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), text, lstrlenW(text), &size);
    return size.cy;
}

bool IconAlive(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return false;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return true;
}

// A list out of room: it takes no more items.
LRESULT CALLBACK RefuseAdds(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    return m == LB_ADDSTRING ? LB_ERRSPACE : DefSubclassProc(w, m, wp, lp);
}

void Wheel(HWND window, int delta) {
    SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))),
                 0);
}

} // namespace

TEST(IconList, TextItemsTheirDataMeasuringClicksAndTheWheel) {
    for (const Setting& s : Settings()) {
        SCOPED_TRACE(s.Name());
        AtSetting at(s);
        frmList f;
        ShowInactive(f);
        APIListBox& l = f.lstModes;
        const HWND host = f(L"lstModes").hWnd();
        EXPECT_EQ(ClassOf(host), L"QuorvelAPIListBox");
        ASSERT_NE(l.ListWnd, nullptr);
        // The list drops a scroll bar it does not need yet.
        const DWORD bars = WS_VSCROLL | WS_HSCROLL;
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(l.ListWnd, GWL_STYLE)) & ~bars,
                  0x50200111u & ~bars);
        EXPECT_EQ(l.ItemFromData(7, -3), -3);
        EXPECT_EQ(l.AddItem(L"Standard", 7), 0);
        EXPECT_EQ(l.AddItem(L"Bounce", 0), 1);
        EXPECT_EQ(l.NewIndex(), 1);
        l.AddItem(L"Drip", 7);
        EXPECT_EQ(l.ItemData(1), 0);
        EXPECT_EQ(l.ItemFromData(7, -1), 0);
        EXPECT_EQ(l.ListCount(), 3);
        // Rows fit the 10-point drawing font.
        const HFONT font = reinterpret_cast<HFONT>(SendMessageW(host, WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr);
        EXPECT_DOUBLE_EQ(l.FontSize(), 10);
        EXPECT_EQ(l.SendMsg(LB_GETITEMHEIGHT, 0, 0), TextHeight(host, font, L"|") + 2);
        l.SetFontSize(20);
        EXPECT_EQ(l.SendMsg(LB_GETITEMHEIGHT, 0, 0),
                  TextHeight(host, f(L"lstModes").FontHandle(), L"|") + 2);
        l.SetFontSize(10);

        // From code nothing is raised; keys through the control's window do.
        l.SetListIndex(1);
        EXPECT_EQ(l.ListIndex(), 1);
        EXPECT_EQ(f.events, "");
        EXPECT_EQ(SendMessageW(host, WM_GETDLGCODE, 0, 0) & (DLGC_WANTARROWS | DLGC_WANTCHARS),
                  DLGC_WANTARROWS | DLGC_WANTCHARS);
        SendMessageW(host, WM_KEYDOWN, VK_DOWN, 0);
        EXPECT_EQ(l.ListIndex(), 2);
        EXPECT_EQ(f.events, "Click ");
        SendMessageW(host, WM_CHAR, L's', 0); // no strings: nothing to find, nothing breaks
        l.RemoveItem(0);
        EXPECT_EQ(l.ListCount(), 2);
        EXPECT_EQ(l.ItemData(0), 0);

        // Wheel: +60 is no step down; whole notches each way, rest carried.
        for (int i = 0; i < 40; ++i)
            l.AddItem(L"Row " + std::to_wstring(i), i + 100);
        l.SendMsg(LB_SETTOPINDEX, 10, 0);
        Wheel(host, 60);
        EXPECT_EQ(l.SendMsg(LB_GETTOPINDEX, 0, 0), 10);
        Wheel(host, 60);
        EXPECT_EQ(l.SendMsg(LB_GETTOPINDEX, 0, 0), 9);
        Wheel(host, -240);
        EXPECT_EQ(l.SendMsg(LB_GETTOPINDEX, 0, 0), 11);

        // Enabled is real and reaches the list.
        EXPECT_TRUE(l.Enabled());
        l.SetEnabled(false);
        EXPECT_FALSE(l.Enabled());
        EXPECT_FALSE(IsWindowEnabled(l.ListWnd));
        l.SetEnabled(true);
        EXPECT_TRUE(IsWindowEnabled(l.ListWnd));
        l.Clear();
        EXPECT_EQ(l.ListCount(), 0);
        f.Unload();
    }
}

TEST(IconList, IconModeShowsAFilesIconsOwnsThemAndKeepsTheOldFileForOneWithout) {
    TempFolder folder;
    WriteFileBytes(folder.Path("plain.txt"), {'n', 'o', ' ', 'i', 'c', 'o', 'n', 's'});
    const std::string exe = TestDir() + "qv_control_tests.exe";
    const std::wstring program(exe.begin(), exe.end());
    const std::string txt = folder.Path("plain.txt");
    const std::wstring plain(txt.begin(), txt.end());
    for (const Setting& s : Settings()) {
        SCOPED_TRACE(s.Name());
        AtSetting at(s);
        frmList f;
        ShowInactive(f);
        APIListBox& l = f.lstIcons;
        EXPECT_EQ(l.ListWnd, nullptr);
        ASSERT_TRUE(l.SetIconFile(L"shell32.dll"));
        ASSERT_NE(l.ListWnd, nullptr);
        const DWORD bars = WS_VSCROLL | WS_HSCROLL;
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(l.ListWnd, GWL_STYLE)) & ~bars,
                  0x50300311u & ~bars);
        const int count = l.ListCount();
        EXPECT_GT(count, 12);
        EXPECT_EQ(l.ListIndex(), 0);
        EXPECT_EQ(f.events, "");
        EXPECT_EQ(l.SendMsg(LB_GETITEMHEIGHT, 0, 0), 42);
        RECT cell{};
        l.SendMsg(LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&cell));
        EXPECT_EQ(cell.right - cell.left, 36); // columns 36 wide

        EXPECT_FALSE(l.SetIconFile(L"shell32.dll")); // already shown
        EXPECT_FALSE(l.SetIconFile(plain));          // no icons: everything kept
        EXPECT_EQ(l.IconFile(), L"shell32.dll");
        EXPECT_EQ(l.ListCount(), count);
        EXPECT_FALSE(l.SetIconFile(L"C:\\no\\such\\file.dll"));
        EXPECT_EQ(l.IconFile(), L"shell32.dll");

        // RemoveItem frees its icon; the next file's icons replace (and free) the old.
        const auto first = reinterpret_cast<HICON>(l.ItemData(0));
        const auto other = reinterpret_cast<HICON>(l.ItemData(1));
        ASSERT_TRUE(IconAlive(first));
        l.RemoveItem(0);
        EXPECT_FALSE(IconAlive(first));
        EXPECT_TRUE(IconAlive(other));
        EXPECT_EQ(l.ListCount(), count - 1);
        ASSERT_TRUE(l.SetIconFile(program));
        EXPECT_FALSE(IconAlive(other));
        EXPECT_EQ(l.ListCount(), 1);
        // An icon handed to an add the list refuses is freed, not leaked.
        const HICON spare = CopyIcon(LoadIconW(nullptr, IDI_APPLICATION));
        ASSERT_TRUE(SetWindowSubclass(l.ListWnd, RefuseAdds, 1, 0));
        EXPECT_LT(l.AddItem(program, reinterpret_cast<LONG_PTR>(spare)), 0);
        RemoveWindowSubclass(l.ListWnd, RefuseAdds, 1);
        EXPECT_FALSE(IconAlive(spare));
        EXPECT_TRUE(l.UpdateIcons());
        EXPECT_EQ(l.ListCount(), 1);
        // Naming a file lists nothing until UpdateIcons.
        l.IconFile(L"shell32.dll");
        EXPECT_EQ(l.IconFile(), L"shell32.dll");
        EXPECT_EQ(l.ListCount(), 1);
        EXPECT_TRUE(l.UpdateIcons());
        EXPECT_EQ(l.ListCount(), count);
        const auto last = reinterpret_cast<HICON>(l.ItemData(0));
        f.Unload();
        EXPECT_FALSE(IconAlive(last)); // and at the end
    }
}

TEST(IconList, IconWheelScrollsTwoColumnsANotch) {
    frmList f;
    ShowInactive(f);
    APIListBox& l = f.lstIcons;
    ASSERT_TRUE(l.SetIconFile(L"shell32.dll"));
    RECT client{};
    GetClientRect(l.ListWnd, &client);
    const int rows = client.bottom / 42 > 0 ? client.bottom / 42 : 1;
    const HWND host = f(L"lstIcons").hWnd();
    Wheel(host, -120);
    EXPECT_EQ(l.SendMsg(LB_GETTOPINDEX, 0, 0), 2 * rows);
    Wheel(host, 60);
    EXPECT_EQ(l.SendMsg(LB_GETTOPINDEX, 0, 0), 2 * rows);
    Wheel(host, 60);
    EXPECT_EQ(l.SendMsg(LB_GETTOPINDEX, 0, 0), 0);
    f.Unload();
}

TEST(IconList, AClickLeavesTheFocusOnTheControlAndTheSelectionIsFilledOnlyThere) {
    frmList f;
    f.Load();
    ShowWindow(f.hWnd(), SW_SHOW);
    SetForegroundWindow(f.hWnd());
    APIListBox& l = f.lstModes;
    const HWND host = f(L"lstModes").hWnd();
    for (const wchar_t* text : {L"Standard", L"Bounce", L"Drip"})
        l.AddItem(text, 1);
    l.SetListIndex(1);
    SetFocus(f(L"cmdFirst").hWnd());
    // Not focused: the selected row is framed in the highlight on the window colour.
    Pixels p = Capture(l.ListWnd);
    const int row = static_cast<int>(l.SendMsg(LB_GETITEMHEIGHT, 0, 0));
    const int y = row + row / 2; // inside the second row
    EXPECT_EQ(AsColour(p.At(p.Width / 2, y)), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(AsColour(p.At(0, row)), GetSysColor(COLOR_HIGHLIGHT));

    // A click on the list: about a millisecond later the focus is the control's.
    SendMessageW(l.ListWnd, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 2 * row + 2));
    SendMessageW(l.ListWnd, WM_LBUTTONUP, 0, At(10, 2 * row + 2));
    EXPECT_EQ(f.events, "Click ");
    SendMessageW(l.ListWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, At(10, 2 * row + 2));
    SendMessageW(l.ListWnd, WM_LBUTTONUP, 0, At(10, 2 * row + 2));
    EXPECT_EQ(f.events, "Click DblClick "); // the same row: no second Click
    PumpEvents(100);
    EXPECT_EQ(GetFocus(), host);
    EXPECT_EQ(f.ActiveControl(), &f(L"lstModes"));
    p = Capture(l.ListWnd);
    EXPECT_EQ(AsColour(p.At(p.Width / 2, 2 * row + row / 2)), GetSysColor(COLOR_HIGHLIGHT));
    // Keys reach the list through the control.
    MSG key{host, WM_KEYDOWN, VK_UP, 0, 0, {}};
    FormDialogMessage(key) || (TranslateMessage(&key), DispatchMessageW(&key));
    EXPECT_EQ(l.ListIndex(), 1);
    // Tab leaves it and comes back to the control's own window.
    MSG tab{host, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    FormDialogMessage(tab);
    EXPECT_NE(GetFocus(), host);
    f.Unload();
}
