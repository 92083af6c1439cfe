#include "wizard/frame/Aero.h"
#include "wizard/frame/CommonDialog.h"
#include "wizard/frame/Cursor.h"
#include "wizard/frame/Helpers.h"
#include "wizard/frame/Program.h"
#include "wizard/frame/WizardHelpMembers.h"

#include "tests/support/WinTest.h"

#include "tests/wizard/FormTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Without a caption Wine does not wait for a window manager when the window goes.
constexpr DWORD TestFormStyle = WS_POPUP | WS_CLIPCHILDREN;

// Two rows inside a picture box, declared out of reading order.
const ControlDecl HelperControls[] = {
    {.Name = L"picRows",
     .Kind = ControlKind::PictureBox,
     .Left = 0,
     .Top = 0,
     .Width = 6000,
     .Height = 2000,
     .TabIndex = 10},
    {.Name = L"cmdLowRight",
     .Kind = ControlKind::CommandButton,
     .Container = L"picRows",
     .Left = 3000,
     .Top = 1000,
     .Width = 1000,
     .Height = 375,
     .Caption = L"<App>",
     .Tag = L"?<Version>"},
    {.Name = L"cmdHighRight",
     .Kind = ControlKind::CommandButton,
     .Container = L"picRows",
     .Left = 3000,
     .Top = 100,
     .Width = 1000,
     .Height = 375,
     .Caption = L"B"},
    {.Name = L"txtLowLeft",
     .Kind = ControlKind::TextBox,
     .Container = L"picRows",
     .Left = 100,
     .Top = 1060,
     .Width = 1000,
     .Height = 315,
     .Caption = L"<AppVer>"},
    {.Name = L"lblHighLeft",
     .Kind = ControlKind::Label,
     .Container = L"picRows",
     .Left = 100,
     .Top = 160,
     .Width = 1000,
     .Height = 240,
     .Caption = L"line\\nbreak",
     .FontSize = 12},
    {.Name = L"chkOther",
     .Kind = ControlKind::CheckBox,
     .Left = 100,
     .Top = 2200,
     .Width = 3000,
     .Height = 300,
     .Caption = L"<App>",
     .TabIndex = 3,
     .Flags = CtlBold},
    {.Name = L"tmrNone", .Kind = ControlKind::Timer},
};

const FormDecl HelperForm = {.Name = L"frmHelpers",
                             .Caption = L"About <App>",
                             .ScaleWidth = 6000,
                             .ScaleHeight = 3000,
                             .Tag = L"<AppName>",
                             .Style = TestFormStyle};

struct HelperForm_ : Form {
    HelperForm_() : Form(HelperForm, HelperControls) {}
};

LOGFONTW FontOf(const Control& c) {
    LOGFONTW lf{};
    GetObjectW(c.FontHandle(), sizeof lf, &lf);
    return lf;
}

} // namespace

TEST(FrameHelpers, SetTabOrderReadsRowsLeftToRight) {
    HelperForm_ f;
    f.Load();
    SetTabOrder(f, &f(L"picRows"));
    EXPECT_EQ(f(L"lblHighLeft").TabIndex, 11);
    EXPECT_EQ(f(L"cmdHighRight").TabIndex, 12);
    EXPECT_EQ(f(L"txtLowLeft").TabIndex, 13);
    EXPECT_EQ(f(L"cmdLowRight").TabIndex, 14);
    EXPECT_EQ(f(L"chkOther").TabIndex, 3); // not inside the container
    // The window order follows: Tab goes from the upper right button to the text box.
    EXPECT_EQ(GetNextDlgTabItem(f.hWnd(), f(L"cmdHighRight").hWnd(), FALSE),
              f(L"txtLowLeft").hWnd());
    f.Unload();
}

TEST(FrameHelpers, ApplySystemFontKeepsDifferencesAndBold) {
    HelperForm_ f;
    f.Load();
    ApplySystemFont(f);
    LOGFONTW system{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof system, &system);
    const double systemSize = std::fabs(system.lfHeight * 72.0 / ScreenDpiY());
    const Control& plain = f(L"cmdHighRight");
    const Control& large = f(L"lblHighLeft");
    const Control& bold = f(L"chkOther");
    EXPECT_EQ(plain.Font().Name, std::wstring(system.lfFaceName).substr(0, 16));
    EXPECT_DOUBLE_EQ(plain.Font().Size, systemSize);
    EXPECT_DOUBLE_EQ(large.Font().Size, systemSize + 4); // designed 12 on an 8-point form
    EXPECT_TRUE(bold.Font().Bold);
    EXPECT_GE(FontOf(bold).lfWeight, FW_BOLD);
    EXPECT_EQ(FontOf(plain).lfWeight, system.lfWeight);
    // The window uses the control's own font object.
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(plain.hWnd(), WM_GETFONT, 0, 0)),
              plain.FontHandle());
    // One description, one cached object; a change of one control's font
    // gets it another object and leaves the other control's alone.
    Control& other = f(L"cmdLowRight");
    EXPECT_EQ(plain.FontHandle(), other.FontHandle());
    FontDesc italic = other.Font();
    italic.Italic = true;
    other.SetFont(italic);
    EXPECT_NE(plain.FontHandle(), other.FontHandle());
    EXPECT_FALSE(FontOf(plain).lfItalic);
    EXPECT_TRUE(FontOf(other).lfItalic);
    f.Unload();
}

TEST(FrameHelpers, AdjustCaptionsExpandsLabelsButtonsAndTextBoxes) {
    AppVersionText = L"4.5.15";
    HelperForm_ f;
    f.Load();
    AdjustCaptions(f);
    EXPECT_EQ(f.Caption(), L"About Quorvel Screensaver Creator");
    EXPECT_EQ(f.Tag, L"Quorvel Screensaver Creator");
    EXPECT_EQ(f(L"cmdLowRight").Caption(), L"Quorvel Screensaver Creator");
    EXPECT_EQ(f(L"cmdLowRight").Tag, L"?4.5.15");
    EXPECT_EQ(f(L"txtLowLeft").Text(), L"Quorvel Screensaver Creator 4.5.15");
    EXPECT_EQ(f(L"lblHighLeft").Caption(), L"line\r\nbreak");
    EXPECT_EQ(f(L"chkOther").Caption(), L"<App>"); // check boxes are left alone
    f.Unload();
}

TEST(FrameHelpers, SelectAllTextAndFileExists) {
    HelperForm_ f;
    ShowInactive(f);
    Control& text = f(L"txtLowLeft");
    SendMessageW(text.hWnd(), EM_SETSEL, 2, 2);
    SelectAllText(&text);
    DWORD start = 9, end = 9;
    SendMessageW(text.hWnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, text.Text().size());
    SelectAllText(&f(L"cmdHighRight")); // not a text box: nothing happens
    f.Unload();

    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    EXPECT_TRUE(FileExists(self));
    EXPECT_FALSE(FileExists(std::wstring(self) + L".missing"));
}

TEST(FrameHelpers, GetFileIconCountsIconsOfAProgram) {
    const std::wstring creator = ProgramFolder() + L"\\Quorvel.exe";
    EXPECT_EQ(GetFileIcon(creator, -5), 1u);
    const UINT_PTR icon = GetFileIcon(creator, 0);
    EXPECT_NE(icon, 0u);
    DestroyIcon(reinterpret_cast<HICON>(icon));
}

TEST(FrameHelpers, SetFormIconGivesWindowAndTopOwnerBothIcons) {
    HelperForm_ owner, dialog;
    owner.Show();
    dialog.Show(false, &owner);
    SetFormIcon(dialog.hWnd(), L"APPICON", true);
    for (HWND w : {dialog.hWnd(), owner.hWnd()}) {
        EXPECT_NE(SendMessageW(w, WM_GETICON, ICON_BIG, 0), 0);
        EXPECT_NE(SendMessageW(w, WM_GETICON, ICON_SMALL, 0), 0);
    }
    dialog.Unload();
    owner.Unload();
}

TEST(FrameHelpers, OtherFormsTakeTheWizardsIcon) {
    static const FormDecl wizardDecl = {.Name = L"frmWizard",
                                        .Caption = L"<AppVer>",
                                        .ScaleWidth = 1000,
                                        .ScaleHeight = 1000,
                                        .Style = TestFormStyle};
    struct : Form, WizardHelpMembers { // the wizard as WizardOf knows it
        using Form::Form;
        Control& picContextHelp() override { return (*this)(L"picRows"); }
        Control& txtTip() override { return (*this)(L"txtLowLeft"); }
    } wizard{wizardDecl, HelperControls};
    wizard.Load();
    SetFormIcon(wizard.hWnd(), L"APPICON", false);
    HelperForm_ other;
    other.Load();
    AdjustCaptions(other);
    const LRESULT icon = SendMessageW(wizard.hWnd(), WM_GETICON, ICON_BIG, 0);
    EXPECT_NE(icon, 0);
    EXPECT_EQ(SendMessageW(other.hWnd(), WM_GETICON, ICON_BIG, 0), icon);
    other.Unload();
    wizard.Unload();
}

// The wizard is the form with the wizard's help members, whatever its name.
TEST(FrameHelpers, TheWizardIsKnownByItsHelpMembersNotItsName) {
    static const FormDecl renamed = {.Name = L"frmCreator", .ScaleWidth = 100, .ScaleHeight = 100};
    struct : Form, WizardHelpMembers {
        using Form::Form;
        Control& picContextHelp() override { return (*this)(L"picRows"); }
        Control& txtTip() override { return (*this)(L"txtLowLeft"); }
    } wizard{renamed, HelperControls};
    EXPECT_EQ(WizardOf(&wizard), static_cast<WizardHelpMembers*>(&wizard));
    static const FormDecl named = {.Name = L"frmWizard", .ScaleWidth = 100, .ScaleHeight = 100};
    Form plain(named, HelperControls);
    EXPECT_EQ(WizardOf(&plain), nullptr);
    EXPECT_EQ(WizardOf(nullptr), nullptr);
}

TEST(BusyCursor, ReleaseRestoresControlsPointerAndHides) {
    HelperForm_ f;
    ShowInactive(f);
    Control& a = f(L"cmdHighRight");
    Control& b = f(L"cmdLowRight");
    Control& c = f(L"txtLowLeft");
    c.SetEnabled(false);
    SetScreenMousePointer(0);
    {
        clsCursor cursor;
        EXPECT_EQ(cursor.PreviousCursor, 0);
        SetScreenMousePointer(13);
        cursor.DisableControl(a, true);
        cursor.DisableControl(c, false);
        cursor.HideLater = &b;
        EXPECT_FALSE(IsWindowEnabled(a.hWnd()));
    }
    EXPECT_EQ(ScreenMousePointer(), 0);
    EXPECT_FALSE(a.Enabled());
    EXPECT_FALSE(IsWindowEnabled(a.hWnd()));
    EXPECT_TRUE(c.Enabled()); // disabled before, enabled at the end
    EXPECT_FALSE(b.Visible());
    {
        clsCursor cursor; // nothing registered: only the pointer comes back
        cursor.PreviousCursor = 1;
        SetScreenMousePointer(13);
    }
    EXPECT_EQ(ScreenMousePointer(), 1);
    SetScreenMousePointer(0);
    f.Unload();
}

TEST(Aero, CreateDib32IsTopDown32Bit) {
    BITMAPINFO info{};
    UniqueBitmap dib(CreateDib32(nullptr, 7, 5, info));
    ASSERT_TRUE(dib);
    EXPECT_EQ(info.bmiHeader.biSize, 40u);
    EXPECT_EQ(info.bmiHeader.biWidth, 7);
    EXPECT_EQ(info.bmiHeader.biHeight, -5);
    EXPECT_EQ(info.bmiHeader.biBitCount, 32);
    EXPECT_EQ(info.bmiHeader.biCompression, static_cast<DWORD>(BI_RGB));
    DIBSECTION ds{};
    ASSERT_EQ(GetObjectW(dib.get(), sizeof ds, &ds), static_cast<int>(sizeof ds));
    EXPECT_EQ(ds.dsBm.bmBitsPixel, 32);
    EXPECT_EQ(ds.dsBm.bmWidth, 7);
    EXPECT_EQ(ds.dsBm.bmHeight, 5);
}

TEST(Aero, ThemesOnlyFromWindowsXp) {
    HelperForm_ f;
    f.Load();
    OsLevel = 1;
    EXPECT_EQ(OpenThemeDataSafe(f.hWnd(), L"BUTTON"), nullptr);
    OsLevel = 4;
    if (const HTHEME theme = OpenThemeDataSafe(f.hWnd(), L"BUTTON"))
        CloseThemeData(theme);
    f.Unload();
}

TEST(Aero, GlassTextLeavesTheLabelAloneWithoutGlass) {
    HelperForm_ f;
    ShowInactive(f);
    Control& label = f(L"lblHighLeft");
    WizardGlass = false;
    DrawGlassText(&label, 1, nullptr, L"", nullptr, 0, 7);
    EXPECT_TRUE(label.Visible());
    WizardGlass = true;
    OsLevel = 4;
    DrawGlassText(&label, 1, nullptr, L"", nullptr, 0, 7); // drawn in its place
    EXPECT_FALSE(label.Visible());
    WizardGlass = false;
    f.Unload();
}

TEST(ColourDialog, CustomColoursAreEightHuesInTwoBrightnesses) {
    const COLORREF* colours = CustomColours();
    EXPECT_EQ(colours[0], RGB(255, 0, 0));
    EXPECT_EQ(colours[8], RGB(128, 0, 0));
    EXPECT_EQ(colours[4], static_cast<COLORREF>(HSVToRGB(180, 100, 100)));
    EXPECT_EQ(colours[4], RGB(0, 255, 255));
    EXPECT_EQ(colours[15], static_cast<COLORREF>(HSVToRGB(315, 100, 50)));
}
